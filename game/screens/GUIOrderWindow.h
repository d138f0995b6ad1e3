#pragma once
// GUIOrderWindow: the order tips of "order.ini", shown once after the last level of the second stage has
// been won. The running level starts it with Begin and is won once it is Finished and off screen. See
// GUITipPagesWindow for the paging.
//
// Rules:
// - "data\gui\tip_window\text\<language>\order.ini" is read at construction; a missing or unreadable
//   file is fatal. A file without pages gives a window that Begin finishes at once without showing it.
// - The window owns the pictures' materials and releases them when destroyed. Main thread only.

#include "game/screens/GUITipPagesWindow.h"

#include <string>
#include <vector>

namespace VantoranEngine {
class ShaderManager;
class ShaderUser;
} // namespace VantoranEngine

namespace Petalwork {

class GameData;
class LevelManager;

class GUIOrderWindow : public GUITipPagesWindow {
public:
    static constexpr const char* fileName = "order.ini";

    // The texts are read under the catalogue's language code.
    GUIOrderWindow(const GameData& gameData, VantoranEngine::Engine* engine, const LevelManager& catalogue);
    GUIOrderWindow(const GameData& gameData, VantoranEngine::Engine* engine, const std::string& languageCode);
    ~GUIOrderWindow() override;

    // Shows the frame at the first page, fading in. Without pages: Finished at once, nothing shown.
    void Begin();
    // Whether Begin has run: the level shows the order window once.
    bool WasBegun() const { return begun; }

private:
    void LoadPages();

    VantoranEngine::ShaderManager* shaderManager;
    std::vector<VantoranEngine::ShaderUser*> materials;
    std::string languageCode;
    bool begun = false;
};

} // namespace Petalwork

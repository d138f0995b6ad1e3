#pragma once
// The notice that a profile name is taken; OK or ENTER goes back to the dialog the name was typed in.
// Input counts only while the notice is shown and not fading out. Main thread only.

#include "framework/GUIProfileNameConflictWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultBackToNew = 1;
    static constexpr int32_t resultBackToRename = 2;

    GUIProfileNameConflictWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent);
    ~GUIProfileNameConflictWindow() override;

    void Update() override;
    void Show(Mode mode) override;
    void Hide() override;

    VantoranEngine::GUIButton* GetOkButton() const { return okButton; }

private:
    VantoranEngine::GUIButton* okButton = nullptr;
};

} // namespace Petalwork

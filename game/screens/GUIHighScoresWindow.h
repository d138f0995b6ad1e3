#pragma once
// The high-score window: up to ten lines of place, name and score, the entry to mark drawn in the
// second font over a highlight bar, or a notice when the table is empty. The entry is matched by
// identity, so an entry pushed out of the table marks nothing. Clicks count only while the window is
// shown and not fading out. Main thread only.

#include "framework/GUIHighScoresWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUIHighScoresWindow : public GameFramework::GUIHighScoresWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultClose = 1;

    GUIHighScoresWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                        GameFramework::HighScoresTable* highScores);
    ~GUIHighScoresWindow() override;

    void Update() override;
    void Show(Mode mode, const GameFramework::HighScoreEntry* entry) override;
    void Hide() override;

    VantoranEngine::GUIWindow* GetTextWindow() const { return textWindow; }
    VantoranEngine::GUIWindow* GetHighlightBar() const { return highlightBar; }
    VantoranEngine::GUIButton* GetCloseButton() const { return closeButton; }

private:
    VantoranEngine::GUIWindow* textWindow = nullptr;
    VantoranEngine::GUIWindow* highlightBar = nullptr;
    VantoranEngine::GUIButton* closeButton = nullptr;
};

} // namespace Petalwork

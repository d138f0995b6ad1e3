#pragma once
// The question, when the current profile has a saved game, whether to continue at the saved position
// (shown as stage-level, counted from 1) or to start a new game.
//
// Rules:
// - A new game resets the current profile (lives, score, first level) and saves it before the game
//   object reads the result. Continue wins when both were clicked in one frame, and then nothing is reset.
// - Clicks count only while the dialog is shown and not fading out. Main thread only.

#include "framework/GUIContinueGameLogicWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

#include <string>

namespace GameFramework {
class ProfileManagerBase;
}

namespace Petalwork {

class GameData;

class GUIContinueGameLogicWindow : public GameFramework::GUIContinueGameLogicWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultContinue = 1;
    static constexpr int32_t resultNewGame = 2;

    GUIContinueGameLogicWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                               GameFramework::ProfileManagerBase* profiles);
    ~GUIContinueGameLogicWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    const std::u16string& GetPositionText() const { return positionText; }
    VantoranEngine::GUIButton* GetContinueButton() const { return continueButton; }
    VantoranEngine::GUIButton* GetNewGameButton() const { return newGameButton; }

private:
    void QueueQuestion();

    GameFramework::ProfileManagerBase* profiles;
    std::u16string positionText; // "stage-level", from 1; empty without a current profile
    VantoranEngine::GUIButton* continueButton = nullptr;
    VantoranEngine::GUIButton* newGameButton = nullptr;
};

} // namespace Petalwork

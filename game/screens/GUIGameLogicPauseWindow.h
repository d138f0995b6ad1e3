#pragma once
// GUIGameLogicPauseWindow: the pause overlay of a level. It reports result 1 in every frame once the player has pressed a
// key or button (see GUIGameLogicTextWindow), until the game object hides it.

#include "framework/GUIGameLogicPauseWindowBase.h"
#include "game/screens/GUIGameLogicTextWindow.h"

namespace Petalwork {

class GameData;

class GUIGameLogicPauseWindow : public GameFramework::GUIGameLogicPauseWindowBase, public GUIGameLogicTextWindow {
public:
    static constexpr const char* messageKey = "GAME_LOGIC_PAUSED";

    GUIGameLogicPauseWindow(VantoranEngine::Engine* engine, const GameData& gameData);

    void Update() override;
    void Show() override;
    void Hide() override;
};

} // namespace Petalwork

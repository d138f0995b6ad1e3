#pragma once
// GUIGameOverWindow: the game-over overlay of a level. It reports result 1 in every frame once the player has pressed a
// key or button (see GUIGameLogicTextWindow), until the game object hides it.

#include "framework/GUIGameOverWindowBase.h"
#include "game/screens/GUIGameLogicTextWindow.h"

namespace Petalwork {

class GameData;

class GUIGameOverWindow : public GameFramework::GUIGameOverWindowBase, public GUIGameLogicTextWindow {
public:
    static constexpr const char* messageKey = "GAME_OVER";

    GUIGameOverWindow(VantoranEngine::Engine* engine, const GameData& gameData);

    void Update() override;
    void Show() override;
    void Hide() override;
};

} // namespace Petalwork

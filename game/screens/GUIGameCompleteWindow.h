#pragma once
// GUIGameCompleteWindow: the game-complete overlay of a level. It reports result 1 in every frame once the player has pressed a
// key or button (see GUIGameLogicTextWindow), until the game object hides it.

#include "framework/GUIGameCompleteWindowBase.h"
#include "game/screens/GUIGameLogicTextWindow.h"

namespace Petalwork {

class GameData;

class GUIGameCompleteWindow : public GameFramework::GUIGameCompleteWindowBase, public GUIGameLogicTextWindow {
public:
    static constexpr const char* messageKey = "GAME_COMPLETE";

    GUIGameCompleteWindow(VantoranEngine::Engine* engine, const GameData& gameData);

    void Update() override;
    void Show() override;
    void Hide() override;
};

} // namespace Petalwork

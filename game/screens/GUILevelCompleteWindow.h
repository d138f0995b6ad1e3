#pragma once
// GUILevelCompleteWindow: the level-complete overlay. After the player's press the flower screen closes
// over the level (animation 0 with sound 52), and once it has closed the overlay reports result 1 in
// every frame until the game object hides it.
//
// Rules:
// - Last level of a stage (set by the game object before Show): Show reports result 1 at once and shows
//   nothing, since the stage-complete overlay follows; the next Hide only clears the flag. The result is
//   raised in the transition pass that showed the overlay and read by the handler that runs after it in
//   the same pass, before the results are cleared.
// - Hide hides the flower screen; the level-loading screen closes its own. Main thread only.

#include "framework/GUILevelCompleteWindowBase.h"
#include "game/screens/FlowerScreen.h"
#include "game/screens/GUIGameLogicTextWindow.h"

namespace GameFramework {
class SoundPlayer;
}

namespace Petalwork {

class GameData;

class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase, public GUIGameLogicTextWindow {
public:
    static constexpr const char* messageKey = "LEVEL_COMPLETE";
    static constexpr int appearSound = 52; // "flower_screen_appear"

    GUILevelCompleteWindow(VantoranEngine::Engine* engine, const GameData& gameData,
                           GameFramework::SoundPlayer* soundPlayer);

    void Update() override;
    void Show() override;
    void Hide() override;

    void SetLastLevelOfStage(bool last) { lastLevelOfStage = last; }
    bool IsLastLevelOfStage() const { return lastLevelOfStage; }
    bool IsStarted() const { return started; }
    const FlowerScreen& GetFlowerScreen() const { return flowerScreen; }

private:
    GameFramework::SoundPlayer* soundPlayer;
    FlowerScreen flowerScreen;
    bool started = false;
    bool lastLevelOfStage = false;
};

} // namespace Petalwork

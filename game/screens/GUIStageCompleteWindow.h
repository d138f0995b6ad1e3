#pragma once
// GUIStageCompleteWindow: the stage-complete overlay. After the player's press the flower screen closes
// (animation 0, sound 52); once closed it starts opening (animation 1, sound 53) and the overlay reports
// result 1 in that frame, so the stage screen comes up while the flowers open over it.
//
// Rules:
// - Hide leaves the flower screen alone: it is drawn on at the last frame of its opening, which shows
//   nothing. Main thread only.

#include "framework/GUIStageCompleteWindowBase.h"
#include "game/screens/FlowerScreen.h"
#include "game/screens/GUIGameLogicTextWindow.h"

namespace GameFramework {
class SoundPlayer;
}

namespace Petalwork {

class GameData;

class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase, public GUIGameLogicTextWindow {
public:
    static constexpr const char* messageKey = "STAGE_COMPLETE";
    static constexpr int appearSound = 52;    // "flower_screen_appear"
    static constexpr int disappearSound = 53; // "flower_screen_disappear"

    GUIStageCompleteWindow(VantoranEngine::Engine* engine, const GameData& gameData,
                           GameFramework::SoundPlayer* soundPlayer);

    void Update() override;
    void Show() override;
    void Hide() override;

    bool IsStarted() const { return started; }
    const FlowerScreen& GetFlowerScreen() const { return flowerScreen; }

private:
    GameFramework::SoundPlayer* soundPlayer;
    FlowerScreen flowerScreen;
    bool started = false;
};

} // namespace Petalwork

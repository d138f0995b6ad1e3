#include "game/screens/GUILevelCompleteWindow.h"

#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

GUILevelCompleteWindow::GUILevelCompleteWindow(VantoranEngine::Engine* engine, const GameData& gameData,
                                               GameFramework::SoundPlayer* soundPlayer)
    : GUILevelCompleteWindowBase(engine), GUIGameLogicTextWindow(engine, gameData, messageKey),
      soundPlayer(soundPlayer), flowerScreen(engine, gameData.flowerScreenModel)
{
}

void GUILevelCompleteWindow::Show()
{
    GUILevelCompleteWindowBase::Show();
    if (lastLevelOfStage) {
        result = 1;
        return;
    }
    GUIGameLogicTextWindow::Show();
}

void GUILevelCompleteWindow::Hide()
{
    GUILevelCompleteWindowBase::Hide();
    if (lastLevelOfStage) {
        lastLevelOfStage = false;
        return;
    }
    flowerScreen.SetDrawn(false);
    started = false;
    SetShown(overlay, false);
    done = false;
}

void GUILevelCompleteWindow::Update()
{
    GUILevelCompleteWindowBase::Update();
    GUIGameLogicTextWindow::Update();
    if (lastLevelOfStage || !done)
        return;
    if (!started) {
        flowerScreen.SetDrawn(true);
        flowerScreen.Play(FlowerScreen::appearAnimation);
        if (soundPlayer != nullptr)
            soundPlayer->PlaySound(appearSound);
        started = true;
    } else if (!flowerScreen.IsPlaying()) {
        result = 1;
    }
}

} // namespace Petalwork

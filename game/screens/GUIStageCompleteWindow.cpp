#include "game/screens/GUIStageCompleteWindow.h"

#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"

namespace Petalwork {

GUIStageCompleteWindow::GUIStageCompleteWindow(VantoranEngine::Engine* engine, const GameData& gameData,
                                               GameFramework::SoundPlayer* soundPlayer)
    : GUIStageCompleteWindowBase(engine), GUIGameLogicTextWindow(engine, gameData, messageKey),
      soundPlayer(soundPlayer), flowerScreen(engine, gameData.flowerScreenModel)
{
}

void GUIStageCompleteWindow::Show()
{
    GUIStageCompleteWindowBase::Show();
    GUIGameLogicTextWindow::Show();
    started = false;
}

void GUIStageCompleteWindow::Hide()
{
    GUIStageCompleteWindowBase::Hide();
    GUIGameLogicTextWindow::Hide();
}

void GUIStageCompleteWindow::Update()
{
    GUIStageCompleteWindowBase::Update();
    GUIGameLogicTextWindow::Update();
    if (!done)
        return;
    if (!started) {
        flowerScreen.SetDrawn(true);
        flowerScreen.Play(FlowerScreen::appearAnimation);
        if (soundPlayer != nullptr)
            soundPlayer->PlaySound(appearSound);
        started = true;
    }
    if (flowerScreen.GetCurrentAnimation() == FlowerScreen::appearAnimation && !flowerScreen.IsPlaying()) {
        flowerScreen.Play(FlowerScreen::disappearAnimation);
        if (soundPlayer != nullptr)
            soundPlayer->PlaySound(disappearSound);
        result = 1;
    }
    if (flowerScreen.GetCurrentAnimation() == FlowerScreen::disappearAnimation && !flowerScreen.IsPlaying()) {
        flowerScreen.SetDrawn(false);
        started = false;
    }
}

} // namespace Petalwork

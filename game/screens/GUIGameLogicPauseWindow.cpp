#include "game/screens/GUIGameLogicPauseWindow.h"

namespace Petalwork {

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(VantoranEngine::Engine* engine, const GameData& gameData)
    : GUIGameLogicPauseWindowBase(engine), GUIGameLogicTextWindow(engine, gameData, messageKey)
{
}

void GUIGameLogicPauseWindow::Update()
{
    GUIGameLogicPauseWindowBase::Update();
    GUIGameLogicTextWindow::Update();
    if (done)
        result = 1;
}

void GUIGameLogicPauseWindow::Show()
{
    GUIGameLogicPauseWindowBase::Show();
    GUIGameLogicTextWindow::Show();
}

void GUIGameLogicPauseWindow::Hide()
{
    GUIGameLogicPauseWindowBase::Hide();
    GUIGameLogicTextWindow::Hide();
}

} // namespace Petalwork

#include "game/screens/GUIGameOverWindow.h"

namespace Petalwork {

GUIGameOverWindow::GUIGameOverWindow(VantoranEngine::Engine* engine, const GameData& gameData)
    : GUIGameOverWindowBase(engine), GUIGameLogicTextWindow(engine, gameData, messageKey)
{
}

void GUIGameOverWindow::Update()
{
    GUIGameOverWindowBase::Update();
    GUIGameLogicTextWindow::Update();
    if (done)
        result = 1;
}

void GUIGameOverWindow::Show()
{
    GUIGameOverWindowBase::Show();
    GUIGameLogicTextWindow::Show();
}

void GUIGameOverWindow::Hide()
{
    GUIGameOverWindowBase::Hide();
    GUIGameLogicTextWindow::Hide();
}

} // namespace Petalwork

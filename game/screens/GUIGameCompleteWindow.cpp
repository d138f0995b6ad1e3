#include "game/screens/GUIGameCompleteWindow.h"

namespace Petalwork {

GUIGameCompleteWindow::GUIGameCompleteWindow(VantoranEngine::Engine* engine, const GameData& gameData)
    : GUIGameCompleteWindowBase(engine), GUIGameLogicTextWindow(engine, gameData, messageKey)
{
}

void GUIGameCompleteWindow::Update()
{
    GUIGameCompleteWindowBase::Update();
    GUIGameLogicTextWindow::Update();
    if (done)
        result = 1;
}

void GUIGameCompleteWindow::Show()
{
    GUIGameCompleteWindowBase::Show();
    GUIGameLogicTextWindow::Show();
}

void GUIGameCompleteWindow::Hide()
{
    GUIGameCompleteWindowBase::Hide();
    GUIGameLogicTextWindow::Hide();
}

} // namespace Petalwork

#include "game/screens/GUIExitWindow.h"

#include "engine/render/gui/GUIManager.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

GUIExitWindow::GUIExitWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent)
    : GUIExitWindowBase(engine), GUIMenuWindow(engine, data, parent, FrameType::Small)
{
    yesButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    noButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutTwoButtons(yesButton, noButton, 14.0f, 43.0f);
}

GUIExitWindow::~GUIExitWindow()
{
    for (GUIButton* button : {yesButton, noButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
}

void GUIExitWindow::Show(int32_t code)
{
    GUIExitWindowBase::Show(code);
    GUIMenuWindow::Show(true);
}

void GUIExitWindow::Hide()
{
    GUIExitWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIExitWindow::Update()
{
    GUIExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (AcceptsInput()) {
        if (yesButton->clicked)
            result = resultQuit;
        if (noButton->clicked && returnCode >= 1 && returnCode <= 3)
            result = returnCode;
    }
    AddTitle("EXIT_TITLE", 180.0f);
    for (int32_t line = 0; line < 3; ++line)
        AddLine("EXIT_TEXT_", line, 146.0f - 25.0f * static_cast<float>(line));
    AddCaption(yesButton, "YES");
    AddCaption(noButton, "NO");
}

} // namespace Petalwork

#include "game/screens/GUIGameLogicExitWindow.h"

#include "engine/render/gui/GUIManager.h"
#include "game/board/GameData.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

GUIGameLogicExitWindow::GUIGameLogicExitWindow(VantoranEngine::Engine* engine, GameData& data)
    : GUIGameLogicExitWindowBase(engine),
      GUIMenuWindow(engine, data, data.panelLayerWindow, FrameType::Small)
{
    frame->SetFlags(VantoranEngine::GUIWindow::Tier30);
    okButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    cancelButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutTwoButtons(okButton, cancelButton, 14.0f, 43.0f);
}

GUIGameLogicExitWindow::~GUIGameLogicExitWindow()
{
    for (GUIButton* button : {okButton, cancelButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
}

void GUIGameLogicExitWindow::Show()
{
    GUIGameLogicExitWindowBase::Show();
    GUIMenuWindow::Show(true);
}

void GUIGameLogicExitWindow::Hide()
{
    GUIGameLogicExitWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIGameLogicExitWindow::Update()
{
    GUIGameLogicExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (AcceptsInput()) {
        if (okButton->clicked)
            result = resultLeave;
        if (cancelButton->clicked)
            result = resultCancel;
    }
    AddTitle("GAME_LOGIC_EXIT_TITLE", 180.0f);
    for (int32_t line = 0; line < 3; ++line)
        AddLine("GAME_LOGIC_EXIT_TEXT_", line, 146.0f - 25.0f * static_cast<float>(line));
    AddCaption(okButton, "GAME_LOGIC_EXIT_OK");
    AddCaption(cancelButton, "CANCEL");
}

} // namespace Petalwork

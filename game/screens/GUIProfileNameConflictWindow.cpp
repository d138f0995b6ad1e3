#include "game/screens/GUIProfileNameConflictWindow.h"

#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIManager.h"

namespace Petalwork {

GUIProfileNameConflictWindow::GUIProfileNameConflictWindow(VantoranEngine::Engine* engine, GameData& data,
                                                           VantoranEngine::GUIWindow* parent)
    : GUIProfileNameConflictWindowBase(engine), GUIMenuWindow(engine, data, parent, FrameType::Small)
{
    okButton = CreateButton({0.0f, 43.0f}, ButtonType::Short);
    okButton->position.x = (frame->size.x - okButton->size.x) / 2.0f;
}

GUIProfileNameConflictWindow::~GUIProfileNameConflictWindow()
{
    gui->buttons.Remove(okButton);
    delete okButton;
}

void GUIProfileNameConflictWindow::Show(Mode shownMode)
{
    GUIProfileNameConflictWindowBase::Show(shownMode);
    GUIMenuWindow::Show(true);
}

void GUIProfileNameConflictWindow::Hide()
{
    GUIProfileNameConflictWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIProfileNameConflictWindow::Update()
{
    GUIProfileNameConflictWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (AcceptsInput() && (okButton->clicked || input->IsKeyPressed("ENTER")))
        result = mode == Mode::NewName ? resultBackToNew : resultBackToRename;

    AddTitle("PROFILE_NAME_CONFLICT_TITLE", 180.0f);
    for (int32_t line = 0; line < 3; ++line)
        AddLine("PROFILE_NAME_CONFLICT_TEXT_", line, 146.0f - 25.0f * static_cast<float>(line));
    AddCaption(okButton, "OK");
}

} // namespace Petalwork

#include "game/screens/GUINewProfileWindow.h"

#include "engine/core/StringUtils.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/ProfileManagerBase.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

GUINewProfileWindow::GUINewProfileWindow(VantoranEngine::Engine* engine, GameData& data,
                                         VantoranEngine::GUIWindow* parent, GameFramework::ProfileManagerBase* profiles)
    : GUINewProfileWindowBase(engine, profiles), GUIMenuWindow(engine, data, parent, FrameType::Small)
{
    nameBox = CreateEditBox({0.0f, 103.0f});
    nameBox->position.x = (frame->size.x - nameBox->size.x) / 2.0f;
    okButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    cancelButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    exitButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
}

GUINewProfileWindow::~GUINewProfileWindow()
{
    for (GUIButton* button : {okButton, cancelButton, exitButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
    gui->editBoxes.Remove(nameBox);
    delete nameBox;
}

void GUINewProfileWindow::Show(Mode mode)
{
    GUINewProfileWindowBase::Show(mode);
    GUIMenuWindow::Show(true);
    if (mode == Mode::Fresh)
        nameBox->SetText(u"");
    const bool anyProfile = !profiles->GetProfiles().empty();
    SetShown(cancelButton, anyProfile);
    SetShown(exitButton, !anyProfile);
    LayOutTwoButtons(okButton, anyProfile ? cancelButton : exitButton, 14.0f, 43.0f);
}

void GUINewProfileWindow::Hide()
{
    GUINewProfileWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUINewProfileWindow::Update()
{
    GUINewProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    const std::u16string name = VantoranEngine::TrimCopyWide(nameBox->text);
    okButton->SetEnabled(!name.empty());
    if (AcceptsInput()) {
        if (cancelButton->clicked)
            result = resultBack;
        if (exitButton->clicked)
            result = resultExit;
        const bool accept = okButton->clicked || input->IsKeyPressed("ENTER");
        if (accept && !name.empty())
            result = CreateProfile(name) ? resultBack : resultNameTaken;
    }

    AddTitle("NEW_PROFILE_TITLE", 180.0f);
    AddLine("ENTER_YOUR_NAME", -1, 146.0f);
    AddCaption(okButton, "OK");
    if (cancelButton->visible)
        AddCaption(cancelButton, "CANCEL");
    if (exitButton->visible)
        AddCaption(exitButton, "EXIT");
}

} // namespace Petalwork

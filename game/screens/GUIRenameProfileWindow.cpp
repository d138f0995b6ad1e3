#include "game/screens/GUIRenameProfileWindow.h"

#include "engine/core/StringUtils.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIManager.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

GUIRenameProfileWindow::GUIRenameProfileWindow(VantoranEngine::Engine* engine, GameData& data,
                                               VantoranEngine::GUIWindow* parent,
                                               GameFramework::ProfileManagerBase* profiles)
    : GUIRenameProfileWindowBase(engine, profiles),
      GUIMenuWindow(engine, data, parent, FrameType::Small)
{
    nameBox = CreateEditBox({0.0f, 103.0f});
    nameBox->position.x = (frame->size.x - nameBox->size.x) / 2.0f;
    okButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    cancelButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutTwoButtons(okButton, cancelButton, 14.0f, 43.0f);
}

GUIRenameProfileWindow::~GUIRenameProfileWindow()
{
    for (GUIButton* button : {okButton, cancelButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
    gui->editBoxes.Remove(nameBox);
    delete nameBox;
}

void GUIRenameProfileWindow::Show(bool takeName, const std::u16string& name)
{
    GUIRenameProfileWindowBase::Show(takeName, name);
    GUIMenuWindow::Show(true);
    if (takeName)
        nameBox->SetText(name);
}

void GUIRenameProfileWindow::Hide()
{
    GUIRenameProfileWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIRenameProfileWindow::Update()
{
    GUIRenameProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    // Trimmed here as a new profile's name is: a blank around a name never makes a second "Bob".
    const std::u16string name = VantoranEngine::TrimCopyWide(nameBox->text);
    okButton->SetEnabled(!name.empty());
    if (AcceptsInput()) {
        if (cancelButton->clicked)
            result = resultBack;
        const bool accept = okButton->clicked || input->IsKeyPressed("ENTER");
        if (accept && !name.empty())
            result = RenameProfile(name) ? resultBack : resultNameTaken;
    }

    AddTitle("RENAME_PROFILE_TITLE", 180.0f);
    AddLine("ENTER_YOUR_NAME", -1, 146.0f);
    AddCaption(okButton, "OK");
    AddCaption(cancelButton, "CANCEL");
}

} // namespace Petalwork

#include "game/screens/GUIWelcomeWindow.h"

#include "engine/core/StringUtils.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/ProfileManagerBase.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

namespace {
constexpr float nameBoxY = 103.0f;
constexpr float buttonGap = 14.0f;
constexpr float buttonY = 43.0f;
} // namespace

GUIWelcomeWindow::GUIWelcomeWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                                   GameFramework::ProfileManagerBase* profiles)
    : GUIWelcomeWindowBase(engine, profiles), GUIMenuWindow(engine, data, parent, FrameType::Small)
{
    exitButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    okButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    nameBox = CreateEditBox({0.0f, nameBoxY});
    nameBox->position.x = (frame->size.x - nameBox->size.x) / 2.0f;
    LayOutTwoButtons(okButton, exitButton, buttonGap, buttonY);
}

GUIWelcomeWindow::~GUIWelcomeWindow()
{
    for (GUIButton* button : {exitButton, okButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
    gui->editBoxes.Remove(nameBox);
    delete nameBox;
}

void GUIWelcomeWindow::Show()
{
    GUIWelcomeWindowBase::Show();
    GUIMenuWindow::Show(true);
    nameBox->SetText(u"");
}

void GUIWelcomeWindow::Hide()
{
    GUIWelcomeWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIWelcomeWindow::Update()
{
    GUIWelcomeWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    const std::u16string name = VantoranEngine::TrimCopyWide(nameBox->text);
    okButton->SetEnabled(!name.empty());
    if (AcceptsInput()) {
        if (exitButton->clicked)
            result = resultExit;
        const bool accept = okButton->clicked || (input->IsKeyPressed("ENTER") && !name.empty());
        if (accept && !name.empty()) {
            // The manager hands back the profile it made (or the one of that name): that one becomes current.
            GameFramework::ProfileBase* created = profiles->CreateProfile(name);
            if (created != nullptr) {
                profiles->SetCurrentProfile(created);
                profiles->Save(); // a failed save is logged by the manager; the profile stays current
                result = resultCreated;
            }
        }
    }

    AddTitle("WELCOME_TITLE", 180.0f);
    AddLine("ENTER_YOUR_NAME", -1, 146.0f);
    AddCaption(okButton, "OK");
    AddCaption(exitButton, "EXIT");
}

} // namespace Petalwork

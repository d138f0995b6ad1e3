#include "game/screens/GUIDeleteProfileWindow.h"

#include "engine/render/gui/GUIManager.h"
#include "framework/ProfileManagerBase.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

namespace {
constexpr float firstLineY = 155.0f;
constexpr float lineStep = 21.0f;
constexpr int32_t nameFont = 2;
constexpr int32_t nameLine = 2;
} // namespace

GUIDeleteProfileWindow::GUIDeleteProfileWindow(VantoranEngine::Engine* engine, GameData& data,
                                               VantoranEngine::GUIWindow* parent,
                                               GameFramework::ProfileManagerBase* profiles)
    : GUIDeleteProfileWindowBase(engine, profiles),
      GUIMenuWindow(engine, data, parent, FrameType::Small)
{
    yesButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    noButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutTwoButtons(yesButton, noButton, 14.0f, 43.0f);
}

GUIDeleteProfileWindow::~GUIDeleteProfileWindow()
{
    for (GUIButton* button : {yesButton, noButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
}

void GUIDeleteProfileWindow::Show(const std::u16string& name)
{
    GUIDeleteProfileWindowBase::Show(name);
    GUIMenuWindow::Show(true);
}

void GUIDeleteProfileWindow::Hide()
{
    GUIDeleteProfileWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIDeleteProfileWindow::Update()
{
    GUIDeleteProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    if (AcceptsInput()) {
        if (noButton->clicked)
            result = resultBack;
        if (yesButton->clicked) {
            profiles->DeleteProfile(profileName);
            result = profiles->GetProfiles().empty() ? resultNoneLeft : resultBack;
        }
    }

    AddTitle("DELETE_PROFILE_TITLE", 180.0f);
    for (int32_t line = 0; line < 4; ++line) {
        const float y = firstLineY - lineStep * static_cast<float>(line);
        if (line == nameLine)
            AddFrameText({0.0f, y}, centredHorizontally, nameFont, u"\"" + profileName + u"\"");
        else
            AddLine("DELETE_PROFILE_TEXT_", line, y);
    }
    AddCaption(yesButton, "YES");
    AddCaption(noButton, "NO");
}

} // namespace Petalwork

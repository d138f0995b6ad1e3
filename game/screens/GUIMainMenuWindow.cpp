#include "game/screens/GUIMainMenuWindow.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/GameData.h"
#include "game/screens/GUIWindowShown.h"

#include <iterator>
#include <utility>

namespace Petalwork {

using VantoranEngine::GUIButton;
using VantoranEngine::GUIWindow;
using VantoranEngine::Model;
using VantoranEngine::Vector2;

namespace {

const Vector2 plateSize{340.0f, 64.0f};
const Vector2 plateUvExtent{340.0f / 512.0f, 1.0f};
constexpr uint32_t plateFlags = GUIWindow::Shown | GUIWindow::Colored;
constexpr float changeProfileY = 2.0f;
constexpr float greetingY = 25.0f;
constexpr float buttonRows[] = {179.0f, 136.0f, 93.0f, 50.0f}; // start, high scores, options, exit
constexpr int32_t greetingFont = 1;
constexpr int32_t nameFont = 2;
constexpr int32_t linkFont = 3;
constexpr int32_t linkHoverFont = 4;
constexpr int32_t menuCaptionFont = 7;
constexpr uint32_t slideInFirst = 5, slideInLast = 10;
constexpr uint32_t slideOutFirst = 0, slideOutLast = 5;

Model* CloneAnchor(VantoranEngine::ModelManager* models, const Model* prototype, VantoranEngine::Camera* camera)
{
    if (prototype == nullptr)
        return nullptr;
    Model* anchor = models->CloneModel(prototype, camera, 0);
    if (anchor->animationControl) {
        anchor->animationControl->AddAnimation(GUIMainMenuWindow::slideIn, slideInFirst, slideInLast);
        anchor->animationControl->AddAnimation(GUIMainMenuWindow::slideOut, slideOutFirst, slideOutLast);
    }
    return anchor;
}

void DeleteAnchor(VantoranEngine::ModelManager* models, Model* anchor)
{
    if (anchor == nullptr)
        return;
    models->models.Remove(anchor);
    delete anchor;
}

void SetAnimation(Model* anchor, int animation)
{
    if (anchor == nullptr || !anchor->animationControl)
        return;
    anchor->animationControl->currentId = animation;
    anchor->animationControl->time = 0.0f;
    anchor->animationControl->play = 1;
}

} // namespace

GUIMainMenuWindow::GUIMainMenuWindow(VantoranEngine::Engine* engine, GameData& data, GUIWindow* parent,
                                     GameFramework::ProfileManagerBase* profiles)
    : GUIMainMenuWindowBase(engine), GUIMenuWindow(engine, data, parent, FrameType::MainMenu),
      modelManager(engine->modelManager.get()), profiles(profiles)
{
    plate = gui->CreateWindow(plateFlags, {0.0f, 0.0f}, plateSize, *data.profileWindowMaterial, parent,
                              plateUvExtent);
    changeProfileButton = CreateTextButton("MAIN_MENU_CHANGE_PROFILE", {0.0f, 0.0f});
    changeProfileButton->SetParent(plate);
    changeProfileButton->position = {(plate->size.x - changeProfileButton->size.x) / 2.0f, changeProfileY};
    startButton = CreateButton({0.0f, 0.0f}, ButtonType::Glow);
    highScoresButton = CreateButton({0.0f, 0.0f}, ButtonType::Glow);
    optionsButton = CreateButton({0.0f, 0.0f}, ButtonType::Glow);
    exitButton = CreateButton({0.0f, 0.0f}, ButtonType::Glow);
    controls.push_back(plate);

    menuAnchor = CloneAnchor(modelManager, data.helperMainModel, gui->GetCamera());
    plateAnchor = CloneAnchor(modelManager, data.helperProfileModel, gui->GetCamera());
    CentreOnAnchor(frame, menuAnchor);
    SetAnimation(plateAnchor, slideIn);
    if (plateAnchor != nullptr)
        plateAnchor->Update();
    CentreOnAnchor(plate, plateAnchor);
}

GUIMainMenuWindow::~GUIMainMenuWindow()
{
    for (GUIButton* button : {changeProfileButton, startButton, highScoresButton, optionsButton, exitButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
    gui->DeleteWindow(plate);
    DeleteAnchor(modelManager, menuAnchor);
    DeleteAnchor(modelManager, plateAnchor);
}

void GUIMainMenuWindow::Show()
{
    GUIMainMenuWindowBase::Show();
    GUIMenuWindow::Show(true);
    PlayAnchors(slideIn);
}

void GUIMainMenuWindow::Hide()
{
    GUIMainMenuWindowBase::Hide();
    GUIMenuWindow::Show(false);
    PlayAnchors(slideOut);
}

void GUIMainMenuWindow::PlayAnchors(int animation)
{
    SetAnimation(menuAnchor, animation);
    SetAnimation(plateAnchor, animation);
}

bool GUIMainMenuWindow::IsPlaying(const Model* anchor)
{
    return anchor != nullptr && anchor->animationControl && anchor->animationControl->play != 0;
}

void GUIMainMenuWindow::CentreOnAnchor(GUIWindow* window, const Model* anchor)
{
    if (anchor == nullptr)
        return;
    const VantoranEngine::Vector3& centre = anchor->boundingBox.centre;
    window->position = {centre.x - window->size.x / 2.0f, centre.y - window->size.y / 2.0f};
}

void GUIMainMenuWindow::Update()
{
    GUIMainMenuWindowBase::Update();
    GUIMenuWindow::Update();

    // Followed while the slides play, and once more when they stop, so each rests where its anchor ends.
    if (IsPlaying(menuAnchor) || menuFollowing)
        CentreOnAnchor(frame, menuAnchor);
    menuFollowing = IsPlaying(menuAnchor);
    GameFramework::ProfileBase* current = profiles->GetCurrentProfile();
    SetShown(plate, current != nullptr);
    if (IsPlaying(plateAnchor) || plateFollowing)
        CentreOnAnchor(plate, plateAnchor);
    plateFollowing = IsPlaying(plateAnchor);

    if (!IsFrameVisible())
        return;
    GUIButton* menuButtons[] = {startButton, highScoresButton, optionsButton, exitButton};
    for (size_t i = 0; i < std::size(menuButtons); ++i)
        menuButtons[i]->position = {(frame->size.x - menuButtons[i]->size.x) / 2.0f, buttonRows[i]};

    if (AcceptsInput()) {
        const std::pair<GUIButton*, int32_t> clicks[] = {{changeProfileButton, resultChangeProfile},
                                                         {startButton, resultStart},
                                                         {highScoresButton, resultHighScores},
                                                         {optionsButton, resultOptions},
                                                         {exitButton, resultExit}};
        for (const auto& [button, code] : clicks) {
            if (button->clicked) {
                result = code;
                ResetHoverSequence();
            }
        }
        UpdateHoverSequence();
    }

    if (current != nullptr) {
        QueueGreeting();
        QueueButtonCaption(changeProfileButton, "MAIN_MENU_CHANGE_PROFILE",
                           changeProfileButton->hovered ? linkHoverFont : linkFont);
    }
    QueueButtonCaption(startButton, "MAIN_MENU_START", menuCaptionFont);
    QueueButtonCaption(highScoresButton, "MAIN_MENU_HIGH_SCORES", menuCaptionFont);
    QueueButtonCaption(optionsButton, "MAIN_MENU_OPTIONS", menuCaptionFont);
    QueueButtonCaption(exitButton, "MAIN_MENU_EXIT", menuCaptionFont);
}

int32_t GUIMainMenuWindow::HoveredButton() const
{
    const Vector2 cursor = gui->GetCursorPosition();
    const GUIButton* buttons[] = {startButton, highScoresButton, optionsButton, exitButton};
    for (size_t i = 0; i < std::size(buttons); ++i) {
        const Vector2 corner = buttons[i]->GetAbsolutePosition();
        if (cursor.x >= corner.x && cursor.x <= corner.x + buttons[i]->size.x && cursor.y >= corner.y &&
            cursor.y <= corner.y + buttons[i]->size.y)
            return static_cast<int32_t>(i) + 1;
    }
    return 0;
}

void GUIMainMenuWindow::UpdateHoverSequence()
{
    const int32_t hovered = HoveredButton();
    if (hovered == 0 || hovered == lastHovered)
        return;
    lastHovered = hovered;
    const bool next = hovered == sequenceStep + 1 || (hovered == 1 && sequenceStep == 4);
    if (!next) {
        ResetHoverSequence();
        return;
    }
    sequenceStep = hovered;
    if (hovered == 4 && ++hoverCount == hoverRounds) {
        result = resultCredits;
        ResetHoverSequence();
    }
}

void GUIMainMenuWindow::ResetHoverSequence()
{
    hoverCount = 0;
    sequenceStep = 0;
    lastHovered = 0;
}

void GUIMainMenuWindow::QueueGreeting()
{
    const GameFramework::ProfileBase* current = profiles->GetCurrentProfile();
    const std::u16string greeting =
        textManager->GetText(current->newProfile ? "MAIN_MENU_WELCOME" : "MAIN_MENU_WELCOME_BACK") + u", ";
    const std::u16string& name = current->name;
    const std::u16string ending = u"!";
    // Every part is measured in the greeting's font, so the name's bolder font may overhang a little.
    const VantoranEngine::GUIFont* font = fontManager->GetFont(greetingFont);
    auto width = [font](const std::u16string& text) { return font != nullptr ? font->GetTextWidth(text, -1.0f) : 0.0f; };
    const float x0 = (plate->size.x - width(greeting + name + ending)) / 2.0f;
    const VantoranEngine::Color colour = FadeColour();
    plate->AddText({x0, greetingY}, colour, 0, greetingFont, greeting, -1.0f);
    plate->AddText({x0 + width(greeting), greetingY}, colour, 0, nameFont, name, -1.0f);
    plate->AddText({x0 + width(greeting + name), greetingY}, colour, 0, greetingFont, ending, -1.0f);
}

void GUIMainMenuWindow::QueueButtonCaption(GUIButton* button, const char* key, int32_t fontId) const
{
    button->AddTextByKey({0.0f, 0.0f}, FadeColour(), centredBothWays, fontId, key, -1, -1.0f);
}

} // namespace Petalwork

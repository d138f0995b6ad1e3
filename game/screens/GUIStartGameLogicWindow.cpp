#include "game/screens/GUIStartGameLogicWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/Profile.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"
#include "game/screens/GUIBackgroundWindow.h"
#include "game/screens/GUIComics.h"
#include "game/screens/GUIFlowerHouse.h"
#include "game/screens/GUIGameComics.h"
#include "game/screens/GUIWindowShown.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

using GameFramework::LevelPosition;
using GameFramework::TextPage;
using VantoranEngine::AnimationControl;
using VantoranEngine::Model;
namespace ModelFlag = VantoranEngine::ModelFlag;

namespace {

// Animation ids of every clone.
constexpr int firstAnimation = 0;  // appear, open, drawn
constexpr int secondAnimation = 1; // disappear, close, at rest

// Depths below the frame's.
constexpr float buttonModelDepth = 0.00001f;
constexpr float calendarDepth = 0.01f;
constexpr float monthDepth = 0.02f;
constexpr float dayDepth = 0.03f;
constexpr float circleDepth = 0.04f;
constexpr float crossDepth = 0.05f;
constexpr float dialogDepth = 0.0001f;

constexpr float dimmedDay = 0.5f; // alpha share of days after the best stage
constexpr float lineX = -168.0f;  // from the dialog's centre
constexpr float lineYs[GUIStartGameLogicWindow::maxPageLines] = {17.0f, -3.0f, -23.0f};
constexpr float ownFontSize = -1.0f;
const VantoranEngine::Vector2 screenCentre{400.0f, 300.0f};

void SetDrawn(Model* model, bool drawn)
{
    if (drawn)
        model->flags |= ModelFlag::active;
    else
        model->flags &= ~ModelFlag::active;
}

bool IsDrawn(const Model* model)
{
    return (model->flags & ModelFlag::active) != 0;
}

// The animation starts from its first frame, playing or held there.
void StartAnimation(Model* model, int id, bool playing)
{
    if (AnimationControl* animation = model->animationControl.get()) {
        animation->currentId = id;
        animation->time = 0.0f;
        animation->loop = 0;
        animation->play = playing ? 1 : 0;
    }
}

int CurrentAnimation(const Model* model)
{
    return model->animationControl ? model->animationControl->currentId : firstAnimation;
}

bool IsPlaying(const Model* model)
{
    return model->animationControl && model->animationControl->play != 0;
}

void Tint(Model* model, float alpha)
{
    if (model->vertexBuffer != nullptr)
        model->vertexBuffer->SetColor({1.0f, 1.0f, 1.0f, alpha});
}

VantoranEngine::Vector3 BoxCentre(Model* model)
{
    model->boundingBox.Update(true);
    return model->boundingBox.centre;
}

} // namespace

GUIStartGameLogicWindow::GUIStartGameLogicWindow(VantoranEngine::Engine* engine, GameData& data,
                                                 const std::string& languageCode_,
                                                 GameFramework::SoundPlayer* soundPlayer_,
                                                 const GameFramework::LevelManagerBase* levels_,
                                                 GUIBackgroundWindow* titleLogo_, VantoranEngine::GUIWindow* parent,
                                                 GameFramework::ProfileManagerBase* profiles_,
                                                 GUIFlowerHouse* flowerHouse_)
    : GUIStartGameLogicWindowBase(engine), GUIMenuWindow(engine, data, parent, FrameType::Anchor), gameData(&data),
      modelManager(engine->modelManager.get()), profiles(profiles_), titleLogo(titleLogo_), levels(levels_),
      languageCode(languageCode_), soundPlayer(soundPlayer_), flowerHouse(flowerHouse_)
{
    try {
        startModel = Clone(data.buttonRightModel, 0, 5, 5, 10, buttonModelDepth);
        backModel = Clone(data.buttonLeftModel, 0, 5, 5, 10, buttonModelDepth);
        dialogModel = Clone(data.stageDialogModel, 5, 10, 0, 5, dialogDepth);
        startButton = CreateButton({0.0f, 0.0f}, ButtonType::Glow);
        backButton = CreateButton({0.0f, 0.0f}, ButtonType::Glow);
        calendarModel = Clone(data.calendarModel, 0, 5, 5, 10, calendarDepth);
        monthModel = Clone(data.juneModel, 0, 5, 5, 10, monthDepth);
        for (const Model* prototype : data.dayNumberModels) {
            Model* day = Clone(prototype, 0, 5, 5, 10, dayDepth);
            dayModels.push_back(day);
            VantoranEngine::Matrix4 onDay;
            VantoranEngine::MakeTranslationMatrix(onDay, BoxCentre(day));
            for (auto [list, mark] : {std::pair{&crossModels, Clone(data.crossModel, 0, 10, 10, 10, crossDepth)},
                                      std::pair{&circleModels, Clone(data.circleModel, 0, 30, 30, 30, circleDepth)}}) {
                list->push_back(mark);
                VantoranEngine::Matrix4 placed;
                VantoranEngine::MultiplyMatrices(placed, onDay, mark->baseMatrix);
                mark->SetWorldMatrix(placed);
            }
        }
        const std::string folder = "data\\gui\\stage_screen\\text\\" + languageCode + "\\";
        newGamePages = ReadPages(*engine, folder + "new.ini");
        gameCompletePages = ReadPages(*engine, folder + "game_complete.ini");
        gameComics = std::make_unique<GUIGameComics>(languageCode, engine, data.panelLayerWindow);
    } catch (...) {
        Release();
        throw;
    }
}

GUIStartGameLogicWindow::~GUIStartGameLogicWindow()
{
    Release();
}

void GUIStartGameLogicWindow::Release()
{
    comicsViewer.reset();
    gameComics.reset();
    for (VantoranEngine::GUIButton* button : {startButton, backButton})
        if (button != nullptr && gui->buttons.Remove(button))
            delete button;
    startButton = backButton = nullptr;
    std::vector<Model*> models = CalendarModels();
    models.insert(models.end(), {startModel, backModel, dialogModel});
    models.insert(models.end(), crossModels.begin(), crossModels.end());
    models.insert(models.end(), circleModels.begin(), circleModels.end());
    for (Model* model : models)
        if (model != nullptr && modelManager->models.Remove(model))
            delete model;
    startModel = backModel = dialogModel = calendarModel = monthModel = nullptr;
    dayModels.clear();
    crossModels.clear();
    circleModels.clear();
}

Model* GUIStartGameLogicWindow::Clone(const Model* prototype, int first0, int last0, int first1, int last1,
                                      float depthBelowFrame)
{
    Model* model = modelManager->CloneModel(prototype, gui->GetCamera(), 0);
    if (AnimationControl* animation = model->animationControl.get()) {
        animation->AddAnimation(firstAnimation, static_cast<uint32_t>(first0), static_cast<uint32_t>(last0));
        animation->AddAnimation(secondAnimation, static_cast<uint32_t>(first1), static_cast<uint32_t>(last1));
    }
    StartAnimation(model, secondAnimation, false);
    model->baseMatrix = model->worldMatrix;
    model->depth = frame->depth - depthBelowFrame;
    SetDrawn(model, false);
    return model;
}

std::vector<TextPage> GUIStartGameLogicWindow::ReadPages(VantoranEngine::Engine& engine, const std::string& path)
{
    std::vector<TextPage> pages;
    try {
        std::unique_ptr<VantoranEngine::FileTextual> file = engine.fileManager->OpenTextual(path, false);
        const int32_t pageCount = file->ReadInt();
        for (int32_t p = 0; p < pageCount && !file->endOfFile; ++p) {
            const int32_t lineCount = file->ReadInt();
            if (lineCount > static_cast<int32_t>(maxPageLines))
                engine.messageManager->LogFatalError("Incorrect \"" + path + "\" file: page " + std::to_string(p + 1) +
                                                     " has more than " + std::to_string(maxPageLines) + " lines");
            TextPage lines;
            std::u16string line;
            for (int32_t k = 0; k < lineCount && file->ReadTextToken(line); ++k)
                lines.push_back(line);
            pages.push_back(std::move(lines));
        }
    } catch (const VantoranEngine::FileError& error) {
        engine.messageManager->LogFatalError(error.message);
    }
    return pages;
}

GameFramework::ProfileBase* GUIStartGameLogicWindow::CurrentProfile() const
{
    return profiles->GetCurrentProfile();
}

uint32_t GUIStartGameLogicWindow::BestStage() const
{
    const GameFramework::ProfileBase* profile = CurrentProfile();
    return profile != nullptr ? profile->bestPosition.stage : 0;
}

size_t GUIStartGameLogicWindow::LastDay() const
{
    const size_t stages = std::max<size_t>(levels->GetStageCount(), 1);
    return std::min(stages, dayModels.size()) - 1;
}

std::vector<Model*> GUIStartGameLogicWindow::CalendarModels() const
{
    std::vector<Model*> models{calendarModel, monthModel};
    models.insert(models.end(), dayModels.begin(), dayModels.end());
    return models;
}

// --- calendar -------------------------------------------------------------------------------------------

void GUIStartGameLogicWindow::SetDay(int32_t day, bool newCross, bool newCircle)
{
    currentDay = day;
    const uint32_t best = BestStage();
    for (size_t i = 0; i < dayModels.size(); ++i) {
        const bool before = static_cast<int32_t>(i) < day;
        SetDrawn(crossModels[i], before);
        SetDrawn(circleModels[i], before);
        StartAnimation(crossModels[i], secondAnimation, false);
        StartAnimation(circleModels[i], secondAnimation, false);
        Tint(dayModels[i], i <= best ? 1.0f : dimmedDay);
    }
    const bool inside = day >= 0 && static_cast<size_t>(day) < dayModels.size();
    if (!gameComplete) {
        if (newCross && day > 0 && static_cast<size_t>(day) <= crossModels.size())
            StartAnimation(crossModels[static_cast<size_t>(day) - 1], firstAnimation, false);
        if (!inside)
            return;
        Model* circle = circleModels[static_cast<size_t>(day)];
        if (!newCross) {
            SetDrawn(circle, true);
            StartAnimation(circle, secondAnimation, false);
        }
        if (newCircle) {
            SetDrawn(circle, true);
            StartAnimation(circle, firstAnimation, true);
            soundPlayer->PlaySound(circleSound);
        }
    } else if (!dayModels.empty()) {
        SetDrawn(circleModels[LastDay()], true);
        StartAnimation(circleModels[LastDay()], secondAnimation, false);
        StartAnimation(crossModels[LastDay()], firstAnimation, false);
    }
}

void GUIStartGameLogicWindow::ShowCalendar()
{
    for (Model* model : CalendarModels()) {
        SetDrawn(model, true);
        StartAnimation(model, firstAnimation, true);
    }
    for (Model* model : {startModel, backModel}) {
        SetDrawn(model, true);
        if (!gameComplete)
            StartAnimation(model, firstAnimation, true);
    }
    SetShown(startButton, true);
    SetShown(backButton, true);
    PlaceButtons();
}

void GUIStartGameLogicWindow::CloseCalendar()
{
    for (Model* model : CalendarModels())
        StartAnimation(model, secondAnimation, true);
    if (!gameComplete)
        for (Model* model : {startModel, backModel})
            StartAnimation(model, secondAnimation, true);
    PlaceButtons();
}

void GUIStartGameLogicWindow::SetCalendarVisible(bool on)
{
    for (Model* model : CalendarModels())
        SetDrawn(model, on);
    SetDrawn(startModel, on);
    SetDrawn(backModel, on);
    SetShown(startButton, on);
    SetShown(backButton, on);
    if (!on) {
        for (Model* model : crossModels)
            SetDrawn(model, false);
        for (Model* model : circleModels)
            SetDrawn(model, false);
    }
}

void GUIStartGameLogicWindow::PlaceButtons()
{
    const VantoranEngine::Vector2 origin = frame->GetAbsolutePosition();
    for (auto [button, model] : {std::pair{startButton, startModel}, std::pair{backButton, backModel}}) {
        const VantoranEngine::Vector3 c = BoxCentre(model);
        button->position = {c.x - origin.x - button->size.x / 2.0f, c.y - origin.y - button->size.y / 2.0f};
    }
    for (size_t i = 0; i < dayModels.size(); ++i) {
        VantoranEngine::Matrix4 onDay;
        VantoranEngine::MakeTranslationMatrix(onDay, BoxCentre(dayModels[i]));
        for (Model* mark : {crossModels[i], circleModels[i]}) {
            VantoranEngine::Matrix4 placed;
            VantoranEngine::MultiplyMatrices(placed, onDay, mark->baseMatrix);
            mark->SetWorldMatrix(placed);
        }
    }
}

void GUIStartGameLogicWindow::ApplyFade()
{
    const float a = GetAlpha();
    for (Model* model : {startModel, backModel, calendarModel, monthModel, dialogModel})
        Tint(model, a);
    startButton->SetColor(FadeColour());
    backButton->SetColor(FadeColour());
    for (Model* model : crossModels)
        Tint(model, a);
    for (Model* model : circleModels)
        Tint(model, a);
    const uint32_t best = BestStage();
    for (size_t i = 0; i < dayModels.size(); ++i)
        Tint(dayModels[i], i <= best ? a : a * dimmedDay);
}

void GUIStartGameLogicWindow::OpenDialog()
{
    StartAnimation(dialogModel, firstAnimation, true);
}

// --- show and hide --------------------------------------------------------------------------------------

void GUIStartGameLogicWindow::Show(Mode shownMode)
{
    GUIStartGameLogicWindowBase::Show(shownMode);
    gameCompleteShown = false;
    passThrough = shownMode == Mode::NextLevel || continueMode == ContinueMode::Continued;
    startPending = passThrough;
    if (passThrough)
        return; // the next update asks to start the level, once
    everShown = true;

    auto* profile = dynamic_cast<Profile*>(CurrentProfile());
    if (profile != nullptr && profile->introComicPending) {
        profile->introComicPending = false;
        profile->Save();
        comicsViewer = std::make_unique<GUIComics>(languageCode, gameData->panelLayerWindow,
                                                   GUIStartGameLogicWindowBase::engine);
        return;
    }

    GUIMenuWindow::Show(true);
    const bool comicsEnded = mode == Mode::ComicsEnded;
    if (comicsEnded)
        mode = Mode::NewGame;
    if (mode == Mode::StageComplete) {
        titleLogo->Remove();
    } else if (mode == Mode::NewGame || mode == Mode::Continue) {
        titleLogo->Leave();
        titleLogo->alpha = 1.0f;
    }
    typingTime = 0.0f;
    circlePending = false;
    crossPending = false;
    currentDay = -1;
    linesShown = 0;
    page = 0;
    if (!advancePending) {
        ShowCalendar();
        SetDrawn(dialogModel, true);
        OpenDialog();
        SetDay(profile != nullptr ? static_cast<int32_t>(profile->currentPosition.stage) : 0, false, false);
        const bool newGameText = continueMode == ContinueMode::Discarded || (mode == Mode::NewGame && !comicsEnded);
        dialogMode = newGameText ? DialogMode::NewGame : DialogMode::StageIntro;
    } else {
        dialogMode = DialogMode::StageOutro;
        SetCalendarVisible(false);
        SetDrawn(dialogModel, true);
        OpenDialog();
    }
}

void GUIStartGameLogicWindow::Hide()
{
    GUIStartGameLogicWindowBase::Hide();
    advancePending = false;
    continueMode = ContinueMode::None;
    startPending = false;
    if (passThrough || !everShown)
        return;
    GUIMenuWindow::Show(false);
    CloseCalendar();
    StartAnimation(dialogModel, secondAnimation, true);
    gameComplete = false;
}

// --- update ---------------------------------------------------------------------------------------------

void GUIStartGameLogicWindow::Update()
{
    GUIStartGameLogicWindowBase::Update();
    GUIMenuWindow::Update();
    if (comicsViewer) {
        comicsViewer->Update();
        if (comicsViewer->IsFinished()) {
            comicsViewer.reset();
            Show(Mode::ComicsEnded);
        }
        return;
    }
    if (startPending) {
        startPending = false;
        result = resultStart;
    }
    if (CurrentAnimation(calendarModel) == secondAnimation && !IsPlaying(calendarModel) && IsDrawn(calendarModel))
        SetCalendarVisible(false);
    if (!IsFrameVisible())
        return;

    PlaceButtons();
    ApplyFade();
    UpdateGameComics();
    UpdateStageChange();
    UpdateMarks();
    UpdateDayChoice();
    UpdateDialog();

    if (AcceptsInput()) {
        if (backButton->clicked) {
            titleLogo->Reset();
            result = resultBack;
        }
        if (startButton->clicked)
            result = resultStart;
    }
    QueueCaptions();
}

void GUIStartGameLogicWindow::UpdateGameComics()
{
    if (!gameComics->IsActive())
        return;
    gameComics->Update();
    if (!gameComics->IsFinished())
        return;
    gameComics->End();
    if (GameFramework::ProfileBase* profile = CurrentProfile()) {
        GameFramework::SetProfilePosition(nextPosition, *profile);
        GameFramework::UpdateBestPosition(nextPosition, levels->IsFinalLevel(nextPosition), *profile);
    }
}

void GUIStartGameLogicWindow::UpdateStageChange()
{
    if (!advancePending || !flowerHouse->IsFinished() || gameComics->IsActive())
        return;
    GameFramework::ProfileBase* profile = CurrentProfile();
    if (profile == nullptr)
        return;
    const LevelPosition current = profile->currentPosition;
    const bool afterComicsStage = current.stage == gameComicsStage &&
                                  current.level + 1 == levels->GetLevelCount(current.stage);
    if (afterComicsStage && !gameComicsPlayed) {
        // Once per stage change: with the comics stage as the game's last, the position does not move on.
        gameComicsPlayed = true;
        gameComics->Start();
        return;
    }
    gameComicsPlayed = false;
    // Only the game's final level completes the game: after the game comics the profile already stands
    // on the next position, which must not read as the final one.
    GameFramework::SetProfilePosition(nextPosition, *profile);
    GameFramework::UpdateBestPosition(nextPosition, levels->IsFinalLevel(nextPosition), *profile);
    flowerHouse->Reset();
    advancePending = false;
    ShowCalendar();
    SetDay(static_cast<int32_t>(profile->currentPosition.stage), true, false);
    typingTime = 0.0f;
    linesShown = 0;
    page = 0;
    dialogMode = gameComplete ? DialogMode::GameComplete : DialogMode::StageIntro;
    if (currentDay > 0)
        crossPending = true;
    else
        circlePending = true;
}

void GUIStartGameLogicWindow::UpdateMarks()
{
    if (gameComplete && IsDrawn(calendarModel) && !IsPlaying(calendarModel) && !crossModels.empty() &&
        !IsDrawn(crossModels[LastDay()])) {
        SetDrawn(crossModels[LastDay()], true);
        StartAnimation(crossModels[LastDay()], firstAnimation, true);
    }
    const bool dayInside = currentDay >= 0 && static_cast<size_t>(currentDay) < dayModels.size();
    if (crossPending && currentDay >= 1 && static_cast<size_t>(currentDay) <= crossModels.size()) {
        Model* cross = crossModels[static_cast<size_t>(currentDay) - 1];
        if (!IsPlaying(cross) && CurrentAnimation(calendarModel) == firstAnimation && !IsPlaying(calendarModel)) {
            crossPending = false;
            circlePending = true;
            // The cross waits on its first frame since SetDay; one already at rest stays so.
            SetDrawn(cross, true);
            if (cross->animationControl)
                cross->animationControl->play = 1;
            soundPlayer->PlaySound(crossSound);
        }
    }
    if (circlePending && !gameComplete && dayInside) {
        bool ready = currentDay == 0;
        if (!ready) {
            const Model* cross = crossModels[static_cast<size_t>(currentDay) - 1];
            ready = CurrentAnimation(cross) == secondAnimation ||
                    (CurrentAnimation(cross) == firstAnimation && !IsPlaying(cross));
        }
        if (ready) {
            circlePending = false;
            Model* circle = circleModels[static_cast<size_t>(currentDay)];
            SetDrawn(circle, true);
            StartAnimation(circle, firstAnimation, true);
            soundPlayer->PlaySound(circleSound);
        }
    }
}

void GUIStartGameLogicWindow::UpdateDayChoice()
{
    if (!AcceptsInput() || (mode != Mode::NewGame && continueMode != ContinueMode::Discarded) ||
        !input->IsKeyPressed("MOUSE1"))
        return;
    GameFramework::ProfileBase* profile = CurrentProfile();
    if (profile == nullptr)
        return;
    const VantoranEngine::Vector2 cursor = gui->GetCursorPosition();
    const size_t days = std::min<size_t>(dayModels.size(), levels->GetStageCount());
    for (size_t i = 0; i < days && i <= profile->bestPosition.stage; ++i) {
        Model* day = dayModels[i];
        day->boundingBox.Update(true);
        const VantoranEngine::Vector3& low = day->boundingBox.worldMin;
        const VantoranEngine::Vector3& high = day->boundingBox.worldMax;
        if (cursor.x >= low.x && cursor.x <= high.x && cursor.y >= low.y && cursor.y <= high.y) {
            SetDay(static_cast<int32_t>(i), false, true);
            profile->currentPosition = {static_cast<uint32_t>(i), 0};
            profile->Save();
            return;
        }
    }
}

const std::vector<TextPage>* GUIStartGameLogicWindow::Pages() const
{
    switch (dialogMode) {
    case DialogMode::NewGame:
        return &newGamePages;
    case DialogMode::GameComplete:
        return &gameCompletePages;
    case DialogMode::StageIntro:
    case DialogMode::StageOutro: {
        const GameFramework::ProfileBase* profile = CurrentProfile();
        if (profile == nullptr || profile->currentPosition.stage >= levels->GetStageCount())
            return nullptr;
        const GameFramework::StageInfo& stage = levels->GetStage(profile->currentPosition.stage);
        return dialogMode == DialogMode::StageIntro ? &stage.introPages : &stage.outroPages;
    }
    }
    return nullptr;
}

void GUIStartGameLogicWindow::UpdateDialog()
{
    typedText.clear();
    const std::vector<TextPage>* pages = Pages();
    const bool keyPressed = AcceptsInput() && input->IsAnyKeyPressed();
    if (pages == nullptr || page >= pages->size()) {
        // Without pages: the outro goes straight on to the flower house, the game-complete text to its
        // final message.
        if (dialogMode == DialogMode::StageOutro && !flowerHouse->IsOffering() && !flowerHouse->IsFinished())
            flowerHouse->Offer();
        if (dialogMode == DialogMode::GameComplete) {
            if (gameCompleteShown)
                ShowFinalMessage();
            else if (keyPressed)
                gameCompleteShown = true;
        }
        return;
    }
    const TextPage& lines = (*pages)[page];
    const size_t lineCount = std::min(lines.size(), maxPageLines);
    const VantoranEngine::Vector3 c = BoxCentre(dialogModel);
    const VantoranEngine::Vector2 origin = frame->GetAbsolutePosition();
    const VantoranEngine::Color white{1.0f, 1.0f, 1.0f, 1.0f};
    auto place = [&](size_t k) {
        return VantoranEngine::Vector2{c.x + lineX - origin.x, c.y + lineYs[k] - origin.y};
    };
    for (size_t k = 0; k < std::min(linesShown, lineCount); ++k)
        frame->AddText(place(k), white, 0, lineFont, lines[k], ownFontSize);

    if (dialogMode == DialogMode::GameComplete && gameCompleteShown)
        ShowFinalMessage();

    if (linesShown < lineCount) {
        typingTime += timerManager->frameTime;
        const std::u16string& line = lines[linesShown];
        if (typingTime > 0.0f) {
            const size_t typed = std::min(line.size(), static_cast<size_t>(std::floor(typingTime * typingSpeed)));
            typedText = line.substr(0, typed);
            frame->AddText(place(linesShown), white, 0, lineFont, typedText, ownFontSize);
        }
        if (keyPressed) {
            linesShown = lineCount;
            typingTime = 0.0f;
            typedText.clear();
        } else if (typedText.size() == line.size()) {
            ++linesShown;
            typingTime = 0.0f;
        }
        return;
    }

    // The whole page is shown.
    const bool lastPage = page + 1 >= pages->size();
    if (dialogMode == DialogMode::StageOutro && lastPage && !flowerHouse->IsOffering() && !flowerHouse->IsFinished())
        flowerHouse->Offer();
    if (!keyPressed)
        return;
    if (dialogMode == DialogMode::GameComplete && lastPage) {
        // The last page is read before the final message comes up; a later key leaves.
        gameCompleteShown = true;
        return;
    }
    if (!lastPage) {
        ++page;
        typingTime = 0.0f;
        linesShown = 0;
    }
}

void GUIStartGameLogicWindow::ShowFinalMessage()
{
    const std::u16string text = textManager->GetText("GAME_COMPLETE");
    const VantoranEngine::GUIFont* font = fontManager->GetFont(messageFont);
    const float width = font != nullptr ? font->GetTextWidth(text, ownFontSize) : 0.0f;
    const float height = font != nullptr ? font->size : 0.0f;
    const VantoranEngine::Vector2 origin = frame->GetAbsolutePosition();
    AddFrameText({screenCentre.x - width / 2.0f - origin.x, screenCentre.y - height / 2.0f - origin.y}, 0,
                 messageFont, text);
    if (GameFramework::ProfileBase* profile = CurrentProfile()) {
        if (!GameFramework::IsSamePosition(profile->currentPosition, LevelPosition{}))
            GameFramework::SetProfilePosition(LevelPosition{}, *profile);
    }
    if (AcceptsInput() && input->IsAnyKeyPressed())
        result = resultBack;
}

void GUIStartGameLogicWindow::QueueCaptions()
{
    const VantoranEngine::Color colour = FadeColour();
    startButton->AddTextByKey({0.0f, 0.0f}, colour, centredBothWays, buttonFont, "START_GAME_LOGIC_START", -1,
                              ownFontSize);
    backButton->AddTextByKey({0.0f, 0.0f}, colour, centredBothWays, buttonFont, "START_GAME_LOGIC_BACK", -1,
                             ownFontSize);
}

} // namespace Petalwork

#include "game/screens/GUIGameLogicWindow.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/BasketProgress.h"
#include "game/board/CellManager.h"
#include "game/board/GameData.h"
#include "game/board/GameLogic.h"
#include "game/board/LevelComplete.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIWindowShown.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Petalwork {

using VantoranEngine::Color;
using VantoranEngine::GUIWindow;
using VantoranEngine::Matrix4;
using VantoranEngine::Model;
using VantoranEngine::ParticleSystem;
using VantoranEngine::Vector2;
using VantoranEngine::Vector3;
namespace ModelFlag = VantoranEngine::ModelFlag;

namespace {

constexpr uint32_t panelWindowFlags = GUIWindow::Tier20;
constexpr float ownFontSize = -1.0f;
constexpr uint32_t alignLeft = 0;
constexpr uint32_t centredBothWays = 3;
const Color white{1.0f, 1.0f, 1.0f, 1.0f};
const Color yellow{1.0f, 1.0f, 0.0f, 1.0f};
constexpr int32_t statisticsFont = 0;
constexpr int32_t menuCaptionFont = 6;
constexpr int32_t popupFont = 8;
constexpr int32_t messageFont = 9;
constexpr int32_t scoreFont = 10;
constexpr int32_t basketCountFont = 11;
constexpr int32_t bonusFont = 12;
constexpr int32_t goalFont = 13;
constexpr int barAnimation = 0; // frames 0-1: the bar's blend between empty and full

Matrix4 Translated(const Matrix4& rest, float dx, float dy)
{
    Matrix4 translation;
    MakeTranslationMatrix(translation, {dx, dy, 0.0f});
    Matrix4 result;
    MultiplyMatrices(result, translation, rest);
    return result;
}

Vector3 WorldCentre(const Model* model)
{
    return model->boundingBox.centre;
}

} // namespace

GUIGameLogicWindow::GUIGameLogicWindow(GameFramework::ProfileManagerBase* profiles, VantoranEngine::Engine* engine,
                                       GameData* gameData)
    : GUIGameLogicWindowBase(engine, profiles), config(engine->config.get()), gui(engine->guiManager.get()),
      fontManager(gui->GetFontManager()), textManager(gui->GetTextManager()), controls(engine->controls.get()),
      models(engine->modelManager.get()), timers(engine->timerManager.get()),
      particles(engine->particleSystemManager.get()), gameData(gameData), settings(gameData->settings.get())
{
    root = gui->CreateUntexturedWindow(panelWindowFlags, {0.0f, 0.0f}, {1.0f, 1.0f}, gameData->panelLayerWindow);
    scoreWindow = gui->CreateUntexturedWindow(panelWindowFlags, scoreAnchor, {0.0f, 0.0f}, root);
    goalWindow = gui->CreateUntexturedWindow(panelWindowFlags, goalAnchor, {0.0f, 0.0f}, root);
    captionWindow = gui->CreateUntexturedWindow(panelWindowFlags, captionAnchor, {1.0f, 1.0f}, root);
    basketTextWindow = gui->CreateUntexturedWindow(panelWindowFlags, {0.0f, 0.0f}, {1.0f, 1.0f}, root);

    const float d = root->depth;
    body = ClonePanelModel(gameData->gamePanelModel, d);
    bar = ClonePanelModel(gameData->progressBarModel, d - 0.005f);
    line = ClonePanelModel(gameData->progressBarLineModel, d - 0.01f);
    goalIcon = ClonePanelModel(gameData->iconModel, d - 0.005f);
    flowerIcon = ClonePanelModel(gameData->iconFlowersModel, d - 0.005f);
    for (Model* model : {bar, line}) {
        if (model != nullptr && model->animationControl != nullptr) {
            model->animationControl->AddAnimation(barAnimation, 0, 1);
            model->animationControl->currentId = barAnimation;
            model->animationControl->play = 0;
            model->animationControl->loop = 0;
        }
    }
    const std::array<Model*, 5> lower{body, bar, line, goalIcon, flowerIcon};
    for (size_t i = 0; i < lower.size(); ++i)
        if (lower[i] != nullptr)
            lowerRest[i] = lower[i]->worldMatrix;

    goalEffect = CloneEffect(gameData->progressParticles);
    lifeGainedEffect = CloneEffect(gameData->lifeGettingParticles);
    lifeLostEffect = CloneEffect(gameData->lifeLosingParticles);
    markEffect = CloneEffect(gameData->littleBasketParticles);
    if (goalEffect != nullptr && bar != nullptr)
        goalEffect->emitterBox = bar->boundingBox;

    if (body != nullptr) {
        VantoranEngine::BoundingBox box;
        body->ComputeBoundingBox(box, true);
        hiddenOffset = 2.0f * (box.max.y - box.min.y);
        slideOffset = box.max.y;
    }

    for (float x : markX) {
        Model* mark = ClonePanelModel(gameData->levelIconModel, d - 0.005f);
        Matrix4 rest;
        if (mark != nullptr) {
            mark->MultiplyWorldMatrix(Translated(Matrix4{}, x, 0.0f));
            rest = mark->worldMatrix;
        }
        levelMarks.push_back(mark);
        markRest.push_back(rest);
    }

    if (gameData->menuButtonMaterial != nullptr) {
        const SettingsPoint at = settings != nullptr ? settings->menuButtonPosition : SettingsPoint{};
        menuButton = gui->CreateButton({at.x, at.y}, {64.0f, 32.0f}, *gameData->menuButtonMaterial, root, {1.0f, 1.0f});
    }
}

GUIGameLogicWindow::~GUIGameLogicWindow()
{
    for (ParticleSystem** effect : {&goalEffect, &lifeGainedEffect, &lifeLostEffect, &markEffect})
        DeleteEffect(*effect);
    for (Model*& icon : lifeIcons)
        DeleteModel(icon);
    for (Model*& mark : levelMarks)
        DeleteModel(mark);
    for (Model** model : {&body, &bar, &line, &goalIcon, &flowerIcon})
        DeleteModel(*model);
    if (menuButton != nullptr && gui->buttons.Remove(menuButton))
        delete menuButton;
    for (GUIWindow* window : {basketTextWindow, captionWindow, goalWindow, scoreWindow, root})
        gui->DeleteWindow(window);
}

Model* GUIGameLogicWindow::ClonePanelModel(const Model* prototype, float depth)
{
    if (prototype == nullptr)
        return nullptr;
    Model* model = models->CloneModel(prototype, gui->GetCamera(), 0);
    // The GUI drawing class: unlit, no depth test, drawn back to front by the depth set here.
    model->flags &= ~(ModelFlag::lit | ModelFlag::depthTest | ModelFlag::frontToBack | ModelFlag::active);
    model->flags |= ModelFlag::backToFront | ModelFlag::manualDepth;
    model->depth = depth;
    return model;
}

void GUIGameLogicWindow::DeleteModel(Model*& model)
{
    if (model != nullptr && models->models.Remove(model))
        delete model;
    model = nullptr;
}

ParticleSystem* GUIGameLogicWindow::CloneEffect(const ParticleSystem* prototype)
{
    if (prototype == nullptr)
        return nullptr;
    ParticleSystem* effect = particles->CloneParticleSystem(*prototype);
    if (effect->spriteGroup != nullptr)
        effect->spriteGroup->SetShown(false);
    return effect;
}

void GUIGameLogicWindow::DeleteEffect(ParticleSystem*& effect)
{
    if (effect != nullptr)
        particles->DeleteParticleSystem(effect);
    effect = nullptr;
}

void GUIGameLogicWindow::StopEffect(ParticleSystem* effect)
{
    if (effect == nullptr)
        return;
    effect->emitting = 0;
    effect->emissionTime = 0.0f;
    effect->emissionAccumulator = 0.0f;
    effect->lastKey = -1;
}

void GUIGameLogicWindow::StartEffectAt(ParticleSystem* effect, const Model* at)
{
    if (effect == nullptr || at == nullptr)
        return;
    if (effect->spriteGroup != nullptr) {
        effect->spriteGroup->SetShown(true);
        if (effect->spriteGroup->model != nullptr)
            effect->spriteGroup->model->depth = at->depth + 0.001f;
    }
    effect->position = WorldCentre(at);
    effect->emitting = 1;
}

void GUIGameLogicWindow::SetModelDrawn(Model* model, bool drawn) const
{
    if (model == nullptr)
        return;
    if (drawn)
        model->flags |= ModelFlag::active;
    else
        model->flags &= ~ModelFlag::active;
}

std::u16string GUIGameLogicWindow::GoalText(int32_t goalKind, uint32_t count, uint32_t goal)
{
    if (goalKind == scoreGoalKind) {
        const double percent = goal == 0 ? 100.0 : static_cast<double>(count) * 100.0 / static_cast<double>(goal);
        return VantoranEngine::UIntToWideString(static_cast<unsigned>(percent)) + u"%";
    }
    return VantoranEngine::UIntToWideString(count) + u"\\" + VantoranEngine::UIntToWideString(goal);
}

float GUIGameLogicWindow::GoalFraction(uint32_t count, uint32_t goal)
{
    if (goal == 0)
        return 1.0f;
    return static_cast<float>(count) / static_cast<float>(goal);
}

float GUIGameLogicWindow::LifeOffset(size_t i, size_t count)
{
    if (count > 3)
        return static_cast<float>(i) * 100.0f / static_cast<float>(count - 1);
    return static_cast<float>(i) * 33.3f;
}

size_t GUIGameLogicWindow::VisibleMarks() const
{
    if (parts.level == nullptr)
        return 0;
    // Only five marks exist: more levels in a stage show five rather than index past them.
    const int32_t levels = parts.level->GetStageInfo().levelCount;
    return static_cast<size_t>(std::clamp<int32_t>(levels, 0, static_cast<int32_t>(markCount)));
}

void GUIGameLogicWindow::Show(GameFramework::GameLogicBase* shownLevel)
{
    LevelParts found;
    found.level = shownLevel;
    if (auto* running = dynamic_cast<GameLogic*>(shownLevel)) {
        found.scoreManager = &running->GetScoreManager();
        found.basketProgress = &running->GetBasketProgress();
        found.levelProgress = &running->GetLevelProgress();
        found.tallyClosed = &running->GetLevelComplete().closing;
        found.lifeGained = &running->lifeGainedThisFrame;
        found.lifeLost = &running->lifeLostThisFrame;
        found.noMoreMoves = &running->GetCellManager().noMoreMoves;
    }
    Attach(found);
}

void GUIGameLogicWindow::Attach(const LevelParts& levelParts)
{
    GUIGameLogicWindowBase::Show(levelParts.level);
    parts = levelParts;
    goalEffectPending = false;
    levelsWon = parts.level != nullptr ? parts.level->GetLevelInfo().levelIndex : 0;
    markTaken = false;
    RebuildLivesAndMarks();
    timeBonusPosition = timeBonusStart;
    timeBonusTimer = timeBonusTime;
    if (parts.level != nullptr && goalIcon != nullptr) {
        const size_t kind = static_cast<size_t>(std::max(parts.level->GetLevelInfo().levelKind, 0));
        if (kind < gameData->goalIconMaterials.size() && gameData->goalIconMaterials[kind] != nullptr)
            goalIcon->SetShaderDescriptor(*gameData->goalIconMaterials[kind]);
    }
    for (Model* model : {bar, line})
        if (model != nullptr && model->animationControl != nullptr)
            model->animationControl->time = 0.0f;
    if (parts.level != nullptr && parts.levelProgress != nullptr && flowerIcon != nullptr &&
        flowerIcon->shaderUser != nullptr) {
        const std::vector<int32_t>& kinds = parts.level->GetStageInfo().flowerKinds;
        const size_t target = static_cast<size_t>(std::max(parts.levelProgress->targetKind, 0));
        if (target < kinds.size())
            flowerIcon->shaderUser->stageTime[0] = static_cast<float>(kinds[target]);
    }
    if (goalEffect != nullptr && goalEffect->spriteGroup != nullptr)
        goalEffect->spriteGroup->SetShown(false);
    SetActive(true);
}

void GUIGameLogicWindow::Hide()
{
    GUIGameLogicWindowBase::Hide();
    parts.level = nullptr;
    parts.basketProgress = nullptr;
    parts.levelProgress = nullptr;
    parts.tallyClosed = nullptr;
    parts.lifeGained = nullptr;
    parts.lifeLost = nullptr;
    parts.noMoreMoves = nullptr;
    for (ParticleSystem* effect : {goalEffect, lifeGainedEffect, lifeLostEffect}) {
        StopEffect(effect);
        if (effect != nullptr && effect->spriteGroup != nullptr)
            effect->spriteGroup->SetShown(false);
    }
    slideOffset = hiddenOffset;
    slideMode = SlideMode::Idle;
    HideEverything();
}

void GUIGameLogicWindow::HideEverything()
{
    for (Model* model : {body, bar, line, goalIcon, flowerIcon})
        SetModelDrawn(model, false);
    for (GUIWindow* window : {root, scoreWindow, goalWindow, captionWindow, basketTextWindow})
        SetShown(window, false);
    if (menuButton != nullptr)
        SetShown(menuButton, false);
    for (Model* icon : lifeIcons)
        SetModelDrawn(icon, false);
    for (Model* mark : levelMarks)
        SetModelDrawn(mark, false);
}

void GUIGameLogicWindow::SetActive(bool flag)
{
    GUIGameLogicWindowBase::SetActive(flag);
    if (!flag) {
        for (ParticleSystem* effect : {goalEffect, lifeGainedEffect, lifeLostEffect})
            StopEffect(effect);
        slideMode = SlideMode::SlidingOut;
        return;
    }
    slideMode = SlideMode::SlidingIn;
    SetModelDrawn(body, true);
    SetModelDrawn(bar, true);
    const bool known = parts.levelProgress != nullptr;
    const bool targetGoal = known && parts.levelProgress->goalKind == targetGoalKind;
    SetModelDrawn(goalIcon, known && !targetGoal);
    SetModelDrawn(flowerIcon, targetGoal);
    for (GUIWindow* window : {root, scoreWindow, goalWindow, captionWindow, basketTextWindow})
        SetShown(window, true);
    if (menuButton != nullptr)
        SetShown(menuButton, true);
    if (parts.level != nullptr) {
        const size_t visible = VisibleMarks();
        for (size_t i = 0; i < levelMarks.size(); ++i)
            SetModelDrawn(levelMarks[i], i < visible);
    }
    for (Model* icon : lifeIcons)
        SetModelDrawn(icon, true);
}

std::vector<Model*> GUIGameLogicWindow::LowerModels() const
{
    return {body, bar, line, goalIcon, flowerIcon};
}

void GUIGameLogicWindow::StepSlide(float dt)
{
    if (slideMode == SlideMode::Idle)
        return;
    if (slideMode == SlideMode::SlidingIn) {
        slideOffset -= slideSpeed * dt;
        if (slideOffset < 0.0f) {
            slideOffset = 0.0f;
            slideMode = SlideMode::Idle;
        }
    } else {
        slideOffset += slideSpeed * dt;
        if (slideOffset > hiddenOffset) {
            slideOffset = hiddenOffset;
            slideMode = SlideMode::Idle;
            HideEverything();
        }
    }
    const std::vector<Model*> lower = LowerModels();
    for (size_t i = 0; i < lower.size(); ++i)
        if (lower[i] != nullptr)
            lower[i]->SetWorldMatrix(Translated(lowerRest[i], 0.0f, -slideOffset));
    for (size_t i = 0; i < lifeIcons.size(); ++i)
        lifeIcons[i]->SetWorldMatrix(Translated(lifeRest[i], 0.0f, -slideOffset));
    for (size_t i = 0; i < levelMarks.size(); ++i)
        if (levelMarks[i] != nullptr)
            levelMarks[i]->SetWorldMatrix(Translated(markRest[i], 0.0f, slideOffset));
    if (menuButton != nullptr && settings != nullptr)
        menuButton->position = {settings->menuButtonPosition.x, settings->menuButtonPosition.y + slideOffset};
}

void GUIGameLogicWindow::StartPendingGoalEffect()
{
    if (!goalEffectPending)
        return;
    goalEffectPending = false;
    if (goalEffect == nullptr || bar == nullptr)
        return;
    if (goalEffect->spriteGroup != nullptr) {
        goalEffect->spriteGroup->SetShown(true);
        if (goalEffect->spriteGroup->model != nullptr)
            goalEffect->spriteGroup->model->depth = bar->depth - 0.001f;
    }
    const VantoranEngine::BoundingBox& box = bar->boundingBox;
    goalEffect->position = box.centre;
    goalEffect->emitterBox = VantoranEngine::BoundingBox::FromCorners(
        {box.worldMin.x - box.centre.x, box.worldMin.y - box.centre.y, box.worldMin.z - box.centre.z},
        {box.worldMax.x - box.centre.x, box.worldMax.y - box.centre.y, box.worldMax.z - box.centre.z});
    goalEffect->emitting = 1;
}

void GUIGameLogicWindow::Update()
{
    GUIGameLogicWindowBase::Update();
    if (parts.level == nullptr)
        return;
    const float dt = timers->frameTime;
    StepSlide(dt);
    StartPendingGoalEffect();
    if (root->visible) {
        QueueScoreAndGoal();
        QueueCaption();
    }
    QueueBasketCounts();
    QueueMenuCaption();
    if (!root->visible || !active)
        return;
    QueueTimeBonus(dt);
    QueueStatistics();
    QueueMessages(dt);
    QueuePopups();
    if (parts.tallyClosed != nullptr && *parts.tallyClosed && !markTaken) {
        ++levelsWon;
        markTaken = true;
        RebuildLivesAndMarks();
    }
    if (parts.level->lives != livesShown)
        RebuildLivesAndMarks();
    ReadInput();
}

void GUIGameLogicWindow::QueueScoreAndGoal()
{
    const int64_t total = static_cast<int64_t>(profile != nullptr ? profile->totalScore : 0) +
                          parts.level->GetScoreKeeper().total;
    scoreWindow->position = {scoreAnchor.x, scoreAnchor.y - slideOffset};
    scoreWindow->AddText({0.0f, 0.0f}, white, centredBothWays, scoreFont,
                         VantoranEngine::UIntToWideString(static_cast<unsigned>(std::max<int64_t>(total, 0))),
                         ownFontSize);
    goalWindow->position = {goalAnchor.x, goalAnchor.y - slideOffset};
    const LevelProgress* progress = parts.levelProgress;
    if (progress == nullptr)
        return;
    goalWindow->AddText({0.0f, 0.0f}, white, centredBothWays, goalFont,
                        GoalText(progress->goalKind, progress->count, progress->goal), ownFontSize);
    const float fraction = GoalFraction(progress->count, progress->goal);
    for (Model* model : {bar, line})
        if (model != nullptr && model->animationControl != nullptr)
            model->animationControl->time = fraction;
    SetModelDrawn(line, progress->count > 0 && progress->count < progress->goal);
    const bool effectShown = goalEffect != nullptr && goalEffect->spriteGroup != nullptr &&
                             goalEffect->spriteGroup->IsShown();
    if (progress->done && goalEffect != nullptr && !effectShown)
        goalEffectPending = true;
}

void GUIGameLogicWindow::QueueCaption()
{
    captionWindow->position = {captionAnchor.x, captionAnchor.y + slideOffset};
    const std::u16string caption =
        textManager->GetText("JUNE") + u" " + VantoranEngine::UIntToWideString(parts.level->GetLevelInfo().stageIndex + 1);
    captionWindow->AddText({0.0f, 0.0f}, white, centredBothWays, scoreFont, caption, ownFontSize);
}

void GUIGameLogicWindow::QueueBasketCounts()
{
    if (parts.basketProgress == nullptr)
        return;
    const VantoranEngine::GUIFont* font = fontManager->GetFont(basketCountFont);
    for (const BasketProgress::Entry& entry : parts.basketProgress->GetBaskets()) {
        const Basket* basket = entry.basket.get();
        if (basket == nullptr)
            continue;
        const std::vector<Model*>& sheets = basket->GetSheets();
        for (size_t i = 0; i < basket->order.size() && i < sheets.size(); ++i) {
            const BasketOrderEntry& order = basket->order[i];
            const Model* sheet = sheets[i];
            if (!order.open || sheet == nullptr || (sheet->flags & ModelFlag::active) == 0)
                continue;
            VantoranEngine::BoundingBox box;
            sheet->ComputeBoundingBox(box, true);
            const std::u16string text = BasketCountText(order.shownCount);
            const float width = font != nullptr ? font->GetTextWidth(text, ownFontSize) : 0.0f;
            const float centreX = (box.min.x + box.max.x) / 2.0f;
            basketTextWindow->AddText({centreX - width / 2.0f, box.min.y}, white, alignLeft, basketCountFont, text,
                                      ownFontSize);
        }
    }
}

void GUIGameLogicWindow::QueueMenuCaption()
{
    if (menuButton != nullptr)
        menuButton->AddTextByKey({0.0f, 0.0f}, yellow, centredBothWays, menuCaptionFont, "GAME_LOGIC_MENU_BUTTON", -1,
                                 ownFontSize);
}

void GUIGameLogicWindow::RebuildLivesAndMarks()
{
    const int32_t lives = parts.level != nullptr ? std::max(parts.level->lives, 0) : 0;
    livesShown = parts.level != nullptr ? parts.level->lives : 0;
    if (parts.lifeLost != nullptr && *parts.lifeLost && !lifeIcons.empty())
        StartEffectAt(lifeLostEffect, lifeIcons.back());

    for (Model*& icon : lifeIcons)
        DeleteModel(icon);
    lifeIcons.clear();
    lifeRest.clear();
    const float bodyDepth = body != nullptr ? body->depth : root->depth;
    for (int32_t i = 0; i < lives && gameData->lifeModel != nullptr; ++i) {
        Model* icon = ClonePanelModel(gameData->lifeModel, bodyDepth - static_cast<float>(i + 1) * 0.001f);
        lifeIcons.push_back(icon);
    }
    for (size_t i = 0; i < lifeIcons.size(); ++i) {
        lifeIcons[i]->MultiplyWorldMatrix(Translated(Matrix4{}, LifeOffset(i, lifeIcons.size()), 0.0f));
        lifeRest.push_back(lifeIcons[i]->worldMatrix);
        // In play the icons stand where the lower group stands now.
        lifeIcons[i]->SetWorldMatrix(Translated(lifeRest[i], 0.0f, -slideOffset));
        SetModelDrawn(lifeIcons[i], root->visible);
    }

    const size_t visible = VisibleMarks();
    for (size_t i = 0; i < levelMarks.size(); ++i) {
        Model* mark = levelMarks[i];
        if (mark == nullptr)
            continue;
        const bool won = i < levelsWon;
        const std::vector<VantoranEngine::ShaderUser*>& materials = gameData->levelIconMaterials;
        const size_t which = won ? 1 : 0;
        if (which < materials.size() && materials[which] != nullptr)
            mark->SetShaderDescriptor(*materials[which]);
        SetModelDrawn(mark, i < visible && root->visible);
    }
    if (markTaken && levelsWon > 0) {
        const size_t index = std::min<size_t>(levelsWon - 1, levelMarks.size() - 1);
        StartEffectAt(markEffect, levelMarks[index]);
    }
    if (parts.lifeGained != nullptr && *parts.lifeGained && !lifeIcons.empty())
        StartEffectAt(lifeGainedEffect, lifeIcons.back());
}

void GUIGameLogicWindow::QueueCentred(const std::u16string& text, int32_t fontId, float size, Vector2 centre,
                                      float alpha, const Color& colour)
{
    const VantoranEngine::GUIFont* font = fontManager->GetFont(fontId);
    const float height = size >= 0.0f ? size : (font != nullptr ? font->size : 0.0f);
    const float width = font != nullptr ? font->GetTextWidth(text, size) : 0.0f;
    root->AddText({centre.x - width / 2.0f, centre.y - height / 2.0f}, {colour.r, colour.g, colour.b, alpha},
                  alignLeft, fontId, text, size);
}

std::u16string GUIGameLogicWindow::BasketCountText(int shownCount)
{
    return shownCount == 0 ? u"c" : VantoranEngine::IntToWideString(shownCount);
}

bool GUIGameLogicWindow::StepTimeBonus(Vector2& position, float& timer, bool running, bool done, float dt,
                                       float rise)
{
    if (!running || !(timer > 0.0f))
        return false;
    if (done) {
        timer -= dt;
        position.y += rise * dt;
    }
    return true;
}

void GUIGameLogicWindow::QueueTimeBonus(float dt)
{
    const BasketProgress* baskets = parts.basketProgress;
    if (baskets == nullptr)
        return;
    const Vector2 at = timeBonusPosition;
    if (StepTimeBonus(timeBonusPosition, timeBonusTimer, baskets->AfterBonusRunning(), baskets->AfterBonusDone(), dt,
                      settings != nullptr ? settings->floatingTextRiseSpeed : 0.0f))
        QueueCentred(u"+" + VantoranEngine::UIntToWideString(baskets->AfterBonusShown()), bonusFont, ownFontSize, at,
                     1.0f, yellow);
}

void GUIGameLogicWindow::QueueStatistics()
{
    if (std::atoi(config->GetValueText("d_show_statistics").c_str()) == 0)
        return;
    struct Line {
        const char* key;
        uint32_t value;
        float y;
    };
    const Line lines[] = {{"FPS", timers->measuredFps, 579.0f},
                          {"MODELS_COUNT", models->drawnModelCount, 564.0f},
                          {"TRIANGLES_COUNT", models->drawnTriangleTotal, 548.0f}};
    for (const Line& entry : lines)
        root->AddText({8.0f, entry.y}, white, alignLeft, statisticsFont,
                      textManager->GetText(entry.key) + u": " + VantoranEngine::UIntToWideString(entry.value),
                      ownFontSize);
}

void GUIGameLogicWindow::QueueMessages(float dt)
{
    if (parts.lifeLost != nullptr && *parts.lifeLost)
        timeOverTimer = messageTime;
    if (parts.noMoreMoves != nullptr && *parts.noMoreMoves)
        noMovesTimer = messageTime;
    struct Message {
        float& timer;
        const char* key;
    };
    for (Message message : {Message{timeOverTimer, "TIME_IS_OVER"}, Message{noMovesTimer, "NO_MORE_MOVES"}}) {
        if (!(message.timer > 0.0f))
            continue;
        message.timer -= dt;
        QueueCentred(textManager->GetText(message.key), messageFont, ownFontSize, {400.0f, 300.0f}, 1.0f, white);
    }
}

void GUIGameLogicWindow::QueuePopups()
{
    const ScoreManager* popups = parts.scoreManager;
    if (popups == nullptr)
        return;
    const VantoranEngine::GUIFont* pointFont = fontManager->GetFont(popupFont);
    const float pointHeight = pointFont != nullptr ? pointFont->size : 0.0f;
    for (const std::unique_ptr<ScoreManager::Group>& group : popups->groups) {
        if (!group->active)
            continue;
        const float grow = 5.0f * group->age;
        const float size = grow < 1.0f ? pointHeight * grow : pointHeight;
        for (size_t i = 0; i < group->points.size() && i < group->positions.size(); ++i)
            QueueCentred(u"+" + VantoranEngine::IntToWideString(group->points[i]), popupFont, size,
                         {group->positions[i].x, group->positions[i].y}, std::min(group->alpha, 1.0f), white);
    }
    const VantoranEngine::GUIFont* comboFont = fontManager->GetFont(messageFont);
    const float comboHeight = comboFont != nullptr ? comboFont->size : 0.0f;
    const float growth = settings != nullptr ? settings->comboCaptionGrowthRate : 0.0f;
    for (const ScoreManager::Text& caption : popups->comboCaptions) {
        const float grow = growth * caption.age;
        const float size = grow < 1.0f ? comboHeight * grow : comboHeight;
        QueueCentred(caption.text, messageFont, size, {caption.position.x, caption.position.y},
                     std::min(caption.alpha, 1.0f), white);
    }
    for (const std::vector<ScoreManager::Text>* list : {&popups->floatingTexts, &popups->powerupCaptions})
        for (const ScoreManager::Text& text : *list)
            QueueCentred(text.text, bonusFont, ownFontSize, {text.position.x, text.position.y},
                         std::min(text.alpha, 1.0f), white);
}

void GUIGameLogicWindow::ReadInput()
{
    if (controls->IsKeyPressed("SPACE") || controls->IsKeyPressed("P"))
        result = resultPause;
    if (menuButton != nullptr && menuButton->clicked)
        result = resultMenu;
    if (controls->IsKeyPressed("ESCAPE"))
        result = resultMenu;
}

} // namespace Petalwork

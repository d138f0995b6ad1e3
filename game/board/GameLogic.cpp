#include "game/board/GameLogic.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "game/board/BasketProgress.h"
#include "game/board/BasketResources.h"
#include "game/board/BoardSettings.h"
#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/EngineRandom.h"
#include "game/board/GameData.h"
#include "game/board/GameLogicBackground.h"
#include "game/board/GameLogicData.h"
#include "game/board/LevelComplete.h"
#include "game/board/LevelSoundSink.h"
#include "game/board/ModelPlayer.h"
#include "game/board/ParticleManager.h"
#include "game/board/ProgramCursor.h"
#include "game/board/Scissors.h"
#include "game/board/ScoreManager.h"
#include "game/board/ScorePopupGroups.h"
#include "game/screens/GUIOrderWindow.h"
#include "game/screens/GUIRelaxModeWindow.h"
#include "game/screens/GUITipWindow.h"
#include "game/board/model/BoardLayout.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/LevelProgress.h"
#include "game/board/model/MoveLineManager.h"
#include "game/board/model/PowerupManager.h"

#include <optional>

namespace Petalwork {

using GameFramework::LevelState;
using P = ModelPlayer;

namespace {

struct ScoreEventPoints {
    uint32_t id;
    int32_t points;
};

constexpr ScoreEventPoints scoreEvents[] = {
    {0, 10},   {1, 200},  {2, 300},  {3, 500},  {4, 300},  {5, 400},
    {6, 500},  {9, 500},  {15, 450}, {16, 700}, {17, 1000}, {18, 50},
};

constexpr uint32_t inertWindowFlags = 9;
constexpr int32_t basketLineFont = 10;
constexpr int32_t basketCaptionFont = 12;

// A random point on the screen: two draws, x from the second, y from the first.
BoardPoint RandomScreenPoint()
{
    const uint32_t r1 = VantoranEngine::Random();
    const uint32_t r2 = VantoranEngine::Random();
    return {static_cast<float>(r2 % 800), static_cast<float>(r1 % 600)};
}

} // namespace

// What the parts keep references to: settings, prototypes and contexts, alive as long as the parts.
struct GameLogic::Parts {
    PopupSettings popupSettings;
    BasketPrototypes basketPrototypes;
    ConveyorPrototypes conveyorPrototypes;
    ScissorsPrototypes scissorsPrototypes;
    LevelCompletePrototypes tallyPrototypes;
    BoardLayout layout;
    std::optional<ScissorsContext> scissors;
    std::optional<BasketProgressContext> baskets;
    std::optional<LevelCompleteContext> tally;
};

GameLogic::GameLogic(const GameFramework::LevelInfo& level_, const GameFramework::StageInfo& stage_, int32_t lives_,
                     VantoranEngine::Engine& engine_, GameFramework::SoundPlayer* soundPlayer_, GameData& gameData_,
                     GameLogicData* levelData_, ProfileManager* profiles_,
                     std::unique_ptr<GameLogicBackground>* background_, const std::string& languageCode,
                     LoopingSoundSink* soundSink)
    : GameLogicBase(engine_, soundPlayer_, &stage_, &level_, lives_), models(engine_.modelManager.get()),
      gui(engine_.guiManager.get()), gameData(gameData_), settings(*gameData_.settings), levelData(levelData_),
      profiles(profiles_), background(background_)
{
    // The board first: a board that cannot be read is fatal, and nothing is made yet that would be left over.
    parts = std::make_unique<Parts>();
    try {
        parts->layout = BoardLayout::Load(engine->fileManager.get(), level->boardName);
    } catch (const VantoranEngine::FileError& error) {
        log->LogFatalError(error.message);
    }
    relaxMode = engine->config->GetValueText("g_relax_mode") == "1";
    GameFramework::ScoreKeeper& score = GetScoreKeeper();
    for (const ScoreEventPoints& event : scoreEvents)
        score.SetPoints(event.id, event.points);

    inertWindow = gui->CreateUntexturedWindow(inertWindowFlags, {0.0f, 0.0f}, {0.0f, 0.0f}, nullptr);
    VantoranEngine::Camera* camera = gui->GetCamera();
    if (gameData.flowerScreenModel) {
        flowerScreen = models->CloneModel(gameData.flowerScreenModel, camera, 0);
        P::AddRange(flowerScreen, flowerScreenClose, 0, 15);
        P::AddRange(flowerScreen, flowerScreenOpen, 15, 30);
        flowerScreen->depth = flowerScreenDepth;
        P::SetDrawn(flowerScreen, false);
    }

    ownSounds = std::make_unique<LevelSoundSink>(soundPlayer);
    sounds = soundSink ? soundSink : ownSounds.get();
    random = std::make_unique<EngineRandom>();
    cursor = std::make_unique<ProgramCursor>(*engine->window);
    BuildBoard(level->boardName);
    tipWindow = std::make_unique<GUITipWindow>(gameData, *level, engine);

    const auto* profile = profiles ? static_cast<const Profile*>(profiles->GetCurrentProfile()) : nullptr;
    relaxOffer = profile && RelaxOffer(profile->bestPosition, profile->gameCompleted, GetPosition(), stage->levelCount,
                                       engine->config->GetValueText("g_relax_mode"));
    if (relaxOffer || (profile && profile->relaxQuestionPending))
        relaxWindow = std::make_unique<GUIRelaxModeWindow>(gameData, engine, languageCode);
    if (HasOrderTips(GetPosition(), stage->levelCount))
        orderWindow = std::make_unique<GUIOrderWindow>(gameData, engine, languageCode);

    cellManager->AttachConnections(*connectionManager);
    cellManager->SetUpBoard(*moveLineManager);
    connectionManager->FixBoard(true);

    if (background && *background)
        (*background)->SetVisible(true);
    endPhase = 0;
    endCountdown = settings.goalCompleteDelay;
    tipTimer = 0.0f;
    scoreSeen = score.total;
}

void GameLogic::BuildBoard(const std::string&)
{
    Parts& p = *parts;
    VantoranEngine::Camera* camera = gui->GetCamera();
    VantoranEngine::ParticleSystemManager& particles = *engine->particleSystemManager;
    GameFramework::ScoreKeeper& score = GetScoreKeeper();

    p.popupSettings = MakePopupSettings(settings);
    p.basketPrototypes = MakeBasketPrototypes(gameData, camera);
    p.conveyorPrototypes = MakeConveyorPrototypes(gameData);
    p.scissorsPrototypes = MakeScissorsPrototypes(gameData, camera);
    p.tallyPrototypes = LevelCompletePrototypes::From(gameData, camera);

    p.scissors.emplace(ScissorsContext{*models, particles, p.scissorsPrototypes, settings, *sounds, score, *cursor});
    scissors = std::make_unique<Scissors>(*p.scissors, stage->scissorsThresholds);
    // The goal's target kind is drawn for every level.
    levelProgress = std::make_unique<LevelProgress>(*level, *stage, VantoranEngine::Random());
    particleManager = std::make_unique<ParticleManager>(particles, gameData.effectParticleSystems,
                                                        settings.lineEffectSpeed);
    const VantoranEngine::GUITextManager& texts = *gui->GetTextManager();
    scoreManager = std::make_unique<ScoreManager>(texts, p.popupSettings);
    VantoranEngine::GUIFontManager* fonts = gui->GetFontManager();
    const VantoranEngine::GUIFont* lineFont = fonts ? fonts->GetFont(basketLineFont) : nullptr;
    popups = std::make_unique<ScorePopupGroups>(*scoreManager, texts, lineFont ? lineFont->size : 0.0f);
    powerupManager = std::make_unique<PowerupManager>(*sounds, settings.pausePowerupDuration,
                                                      settings.doubleChipPowerupDuration);
    p.baskets.emplace(BasketProgressContext{*models, particles, p.basketPrototypes, p.conveyorPrototypes, settings,
                                            *sounds, score, *scoreManager, *powerupManager, *levelProgress, texts,
                                            lineFont, fonts ? fonts->GetFont(basketCaptionFont) : nullptr,
                                            relaxMode});
    basketProgress = std::make_unique<BasketProgress>(*p.baskets, *stage, *level);
    chipManager = std::make_unique<ChipManager>(ChipManagerParts{*models, particles, gameData, camera, *stage, score,
                                                                 *levelProgress, *powerupManager, *popups, *sounds,
                                                                 *random, particleManager.get(), basketProgress.get(),
                                                                 scissors.get()});
    cellManager = std::make_unique<CellManager>(CellManagerParts{*models, particles, gameData, camera, p.layout, *stage,
                                                                 relaxMode, *chipManager, *levelProgress,
                                                                 *powerupManager, *scoreManager, *popups, *sounds,
                                                                 score, *random, basketProgress.get(), scissors.get()});
    connectionManager = std::make_unique<ConnectionManager>(
        *cellManager, *chipManager, *popups, *levelProgress, p.layout, static_cast<unsigned>(stage->flowerKindCount),
        stage->volumeBombsAllowed, stage->lineBombsAllowed, stage->randomDestructionAllowed, *random);
    moveLineManager = std::make_unique<MoveLineManager>(p.layout, cellManager->cells, *connectionManager, *chipManager,
                                                        *stage, *random);
    p.tally.emplace(LevelCompleteContext{models, &particles, gui, gameData.panelLayerWindow, settings, *sounds, *random,
                                         *chipManager, chipManager->Counters(), profiles});
    levelComplete = std::make_unique<LevelComplete>(*p.tally, p.tallyPrototypes, *stage, *level);
}

GameLogic::~GameLogic()
{
    // The game object empties the slot before deleting the background; a level never touches one gone.
    if (background && *background)
        (*background)->SetVisible(false);
    if (inertWindow)
        gui->DeleteWindow(inertWindow);
    if (flowerScreen && models->models.Remove(flowerScreen))
        delete flowerScreen;
    tipWindow.reset();
    orderWindow.reset();
    levelProgress.reset();
    scissors.reset();
    particleManager.reset();
    levelComplete.reset();
    relaxWindow.reset();
    basketProgress.reset();
    chipManager.reset();
    cellManager.reset();
    connectionManager.reset();
    moveLineManager.reset();
    popups.reset();
    scoreManager.reset();
    powerupManager.reset();
    parts.reset();
}

int32_t GameLogic::ExtraLives(int32_t seen, int32_t total, int32_t pointsPerLife)
{
    if (pointsPerLife <= 0 || seen <= 0 || seen >= total)
        return 0;
    const int64_t step = pointsPerLife;
    const int64_t firstMultiple = (static_cast<int64_t>(seen) + step - 1) / step * step;
    return firstMultiple < total ? 1 : 0;
}

std::vector<LevelBonusKind> GameLogic::AwardedBonuses(const EndCounters& c)
{
    std::vector<LevelBonusKind> bonuses;
    if (c.levelTime < c.parTime)
        bonuses.push_back(LevelBonusKind::Wings);
    if (c.thirdScissorsPair || c.powerupsPickedUp > 4)
        bonuses.push_back(LevelBonusKind::Dollar);
    if (c.bonusEffects >= 5)
        bonuses.push_back(LevelBonusKind::Bomb);
    if (c.matchCounter > 5 || c.chipsCollected > 500 || c.stonesCollected > 10 || c.frozenCollected > 20)
        bonuses.push_back(LevelBonusKind::Flowers);
    if (c.quickGains > 3 || c.quickBaskets > 5)
        bonuses.push_back(LevelBonusKind::Baskets);
    if (c.manyLayers)
        bonuses.push_back(LevelBonusKind::Powerups);
    return bonuses;
}

bool GameLogic::RelaxOffer(const GameFramework::LevelPosition& best, bool gameCompleted,
                           const GameFramework::LevelPosition& position, int32_t levelCount,
                           const std::string& relaxVariable)
{
    return best.stage == position.stage && best.level == position.level && !gameCompleted && position.stage == 2 &&
           static_cast<int32_t>(position.level) + 1 == levelCount && relaxVariable == "0";
}

bool GameLogic::HasOrderTips(const GameFramework::LevelPosition& position, int32_t levelCount)
{
    return position.stage == 1 && static_cast<int32_t>(position.level) + 1 == levelCount;
}

GameLogic::EndCounters GameLogic::GetEndCounters() const
{
    EndCounters c;
    c.levelTime = levelTime;
    c.parTime = level->parTime;
    c.thirdScissorsPair = scissors->threePairs;
    c.powerupsPickedUp = cellManager->powerupsPickedUp;
    c.bonusEffects = chipManager->bonusEffectsInLevel;
    c.matchCounter = cellManager->matchCounter;
    c.chipsCollected = chipManager->collected;
    c.stonesCollected = chipManager->stonesCollected;
    c.frozenCollected = chipManager->frozenCollected;
    c.quickGains = basketProgress->QuickGains();
    c.quickBaskets = basketProgress->QuickBaskets();
    c.manyLayers = cellManager->manyLayers;
    return c;
}

void GameLogic::PlaySound(int32_t id)
{
    sounds->PlaySound(static_cast<BoardSound>(id));
}

bool GameLogic::TipFinished() const
{
    return tipWindow->IsFinished();
}

namespace {

// Drawn, or still fading out.
bool OnScreen(const GUIMenuWindow& window)
{
    return window.IsShown() || window.IsFrameVisible();
}

} // namespace

void GameLogic::RunParts(float dt)
{
    if (cellManager->boardPhase == CellManagerLogic::Phase::Shown)
        powerupManager->Update(dt);
    tipWindow->Update();
    if (relaxWindow)
        relaxWindow->Update();
    if (orderWindow)
        orderWindow->Update();
    BoardInput input;
    if (engine->controls)
        input = CellManager::ReadInput(*engine->controls, *gui);
    scissors->Update(dt, ScissorsInput{input.mouse1Pressed, input.mouse2Pressed, input.cursor});
    basketProgress->Update(dt, !TipFinished());
    const bool locked = levelProgress->done || basketProgress->HasFailed() || !TipFinished();
    cellManager->Update(dt, locked, input);
    chipManager->cursor = input.cursor;
    chipManager->Update(dt);
    chipManager->UpdateHints(dt);
    chipManager->FollowModels();
    particleManager->Update(dt);
}

void GameLogic::Update()
{
    const float dt = timers->frameTime;
    RunParts(dt);
    lifeGainedThisFrame = false;
    lifeLostThisFrame = false;
    if (P::IsDrawn(flowerScreen)) {
        if (P::HasEnded(flowerScreen, flowerScreenClose))
            SetState(LevelState::Restart);
        return;
    }
    GiveExtraLives();
    switch (GetState()) {
    case LevelState::Playing:
        if (basketProgress->HasFailed())
            FailurePath();
        else if (levelProgress->done)
            EndSequence(dt);
        else
            PlayFrame(dt);
        scoreManager->Update(dt);
        break;
    case LevelState::Paused:
        if (!levelProgress->done && !basketProgress->HasFailed())
            PauseFrame();
        break;
    default:
        break;
    }
}

void GameLogic::GiveExtraLives()
{
    const int32_t total = GetScoreKeeper().total;
    if (total == scoreSeen)
        return;
    if (levelProgress->goalKind == 2 && !levelProgress->done) {
        // The points goal follows the score.
        const int64_t grown = static_cast<int64_t>(levelProgress->count) + (total - scoreSeen);
        levelProgress->idleTime = 0.0f;
        if (grown >= static_cast<int64_t>(levelProgress->goal)) {
            levelProgress->count = levelProgress->goal;
            levelProgress->done = true;
        } else {
            levelProgress->count = static_cast<uint32_t>(std::max<int64_t>(grown, 0));
        }
    }
    if (ExtraLives(scoreSeen, total, settings.pointsPerExtraLife) > 0) {
        lives += 1;
        lifeGainedThisFrame = true;
    }
    scoreSeen = total;
}

void GameLogic::BringBoardBack()
{
    const BoardPoint point = RandomScreenPoint();
    cellManager->StartAppear(point);
    chipManager->StartAppear(point);
    basketProgress->slide.state = PanelState::SlidingIn;
    scissors->slide.state = PanelState::SlidingIn;
    tipTimer = 0.0f;
    PlaySound(levelFadeInSound);
}

void GameLogic::TakeBoardAway(bool chipsToo)
{
    const BoardPoint point = RandomScreenPoint();
    cellManager->StartDisappear(point);
    if (chipsToo)
        chipManager->StartDisappear(point);
    basketProgress->slide.state = PanelState::SlidingOut;
    if (chipsToo)
        scissors->slide.state = PanelState::SlidingOut;
}

void GameLogic::PlayFrame(float dt)
{
    const auto phase = cellManager->boardPhase;
    if (firstFrame) {
        firstFrame = false;
        PlaySound(levelBeginSound);
        tipTimer = 0.0f;
    } else if (phase == CellManagerLogic::Phase::Gone || phase == CellManagerLogic::Phase::Disappearing) {
        BringBoardBack();
    }
    const bool shown = cellManager->boardPhase == CellManagerLogic::Phase::Shown;
    if (shown && !levelProgress->done)
        levelProgress->idleTime += dt;
    if (shown && !TipFinished() && !tipWindow->IsShown()) {
        // The tips come a second after the board is shown.
        if (tipTimer >= tipDelay) {
            tipWindow->Show(true);
            tipTimer = tipDelay;
        } else {
            tipTimer += dt;
        }
    }
    levelTime += dt;
}

void GameLogic::PauseFrame()
{
    const auto phase = cellManager->boardPhase;
    if (phase == CellManagerLogic::Phase::Shown || phase == CellManagerLogic::Phase::Appearing) {
        TakeBoardAway(true);
        PlaySound(levelFadeOutSound);
    }
    if (!TipFinished() && tipWindow->IsShown())
        tipWindow->Show(false);
}

void GameLogic::EndSequence(float dt)
{
    if (!goalSoundPlayed) {
        goalSoundPlayed = true;
        PlaySound(goalCompleteSound);
    }
    switch (endPhase) {
    case 0:
        endCountdown -= dt;
        if (endCountdown < 0.0f) {
            endCountdown = 0.0f;
            endPhase = 1;
        }
        break;
    case 1:
        if (!basketProgress->AfterBonusRunning() && !basketProgress->AfterBonusDone()) {
            basketProgress->StartAfterBonus();
            endCountdown = settings.afterBonusEndDelay;
        }
        if (basketProgress->AfterBonusDone()) {
            endCountdown -= dt;
            if (endCountdown < 0.0f) {
                endCountdown = 0.0f;
                endPhase = 2;
            }
        }
        break;
    case 2:
        if (!basketProgress->IsExtraBonusDone()) {
            basketProgress->AwardExtraBasketBonus(dt);
            endCountdown = settings.extraBasketInterval;
        } else {
            endCountdown -= dt;
            if (endCountdown < 0.0f) {
                endCountdown = 0.0f;
                endPhase = 3;
            }
        }
        break;
    case 3: {
        const unsigned pairs = scissors->pairs;
        if (!scissorsBonusGiven && pairs > 0) {
            scissorsBonusGiven = true;
            const int32_t points = scissorsPairBonus * static_cast<int32_t>(std::min(pairs, 3u));
            const std::string text = "+" + std::to_string(points);
            scoreManager->ShowText({scissors->position.x, scissors->position.y - scissorsTextDrop},
                                   std::u16string(text.begin(), text.end()));
            GetScoreKeeper().total += points;
            PlaySound(afterBonusBasketSound);
            endCountdown = settings.extraBasketInterval;
        }
        endCountdown -= dt;
        if (endCountdown < 0.0f) {
            endCountdown = 0.0f;
            scissors->slide.state = PanelState::SlidingOut;
            endPhase = 4;
        }
        break;
    }
    default:
        break;
    }
    const auto phase = cellManager->boardPhase;
    if (endPhase != 5 && (phase == CellManagerLogic::Phase::Gone || phase == CellManagerLogic::Phase::Disappearing))
        BringBoardBack();
    if (endPhase == 4 && !tallyRunning && cellManager->allChipsIdle && chipManager->allIdle &&
        basketProgress->IsSettled() && cellManager->boardPhase == CellManagerLogic::Phase::Shown &&
        scoreManager->groups.empty() && scoreManager->comboCaptions.empty() && scoreManager->floatingTexts.empty() &&
        scoreManager->powerupCaptions.empty())
        StartTally();
    if (tallyRunning)
        levelComplete->Update(dt);
    if (cellManager->boardPhase == CellManagerLogic::Phase::Gone && levelComplete->done) {
        if (relaxOffer && relaxWindow) {
            if (!OnScreen(*relaxWindow) && !relaxWindow->IsAnswered())
                relaxWindow->Show(true);
        } else if (orderWindow) {
            if (!OnScreen(*orderWindow) && !orderWindow->WasBegun())
                orderWindow->Begin();
        } else {
            SetState(LevelState::Won);
            PlaySound(levelEndSound);
            return;
        }
    }
    const bool relaxDone = relaxOffer && relaxWindow && relaxWindow->IsAnswered() && !OnScreen(*relaxWindow);
    const bool orderDone = orderWindow && orderWindow->WasBegun() && orderWindow->IsFinished() && !OnScreen(*orderWindow);
    if (relaxDone || orderDone) {
        SetState(LevelState::Won);
        PlaySound(levelEndSound);
    }
}

void GameLogic::StartTally()
{
    endPhase = 5;
    for (LevelBonusKind kind : AwardedBonuses(GetEndCounters()))
        levelComplete->AddBonus(kind);
    chipManager->RetireAll();
    tallyRunning = true;
    levelComplete->running = true;
    levelComplete->Begin();
    cellManager->StartDisappear(RandomScreenPoint());
    basketProgress->slide.state = PanelState::SlidingOut;
}

void GameLogic::SaveRelaxQuestion()
{
    if (auto* profile = static_cast<Profile*>(profiles ? profiles->GetCurrentProfile() : nullptr)) {
        profile->relaxQuestionPending = false;
        profile->Save();
    }
}

bool GameLogic::AskRelaxQuestion()
{
    const auto* profile = static_cast<const Profile*>(profiles ? profiles->GetCurrentProfile() : nullptr);
    if (!relaxAnswerTaken && (!profile || !profile->relaxQuestionPending || !relaxWindow))
        return false;
    if (!relaxAnswerTaken) {
        if (!relaxWindow->IsAnswered()) {
            if (!relaxWindow->IsShown())
                relaxWindow->Show(true);
            return true;
        }
        if (OnScreen(*relaxWindow))
            return true;
        if (relaxWindow->GetAnswer() != GUIRelaxModeWindow::Answer::Yes) {
            SaveRelaxQuestion();
            return true; // the next frame takes the usual path
        }
        // Yes: a life buys a restart of the level in relax mode, behind the flower screen; without one the
        // level is lost once the board has gone. Both steps run in this frame, so the question is settled
        // before the flower screen ends the frames.
        relaxAnswerTaken = true;
        if (lives > 0) {
            lives -= 1;
            relaxLossPending = false;
            P::SetDrawn(flowerScreen, true);
            P::Play(flowerScreen, flowerScreenClose,
                    flowerScreen && flowerScreen->animationControl ? flowerScreen->animationControl->speed : 0.0f,
                    false);
            PlaySound(flowerScreenAppearSound);
        } else {
            const auto phase = cellManager->boardPhase;
            if (phase == CellManagerLogic::Phase::Shown || phase == CellManagerLogic::Phase::Appearing) {
                PlaySound(gameOverSound);
                TakeBoardAway(true);
                scissors->slide.state = PanelState::SlidingOut;
            }
            relaxLossPending = true;
        }
    }
    if (relaxLossPending) {
        if (cellManager->boardPhase == CellManagerLogic::Phase::Gone) {
            relaxLossPending = false;
            SaveRelaxQuestion();
            SetState(LevelState::Lost);
        }
    } else if (profile && profile->relaxQuestionPending) {
        SaveRelaxQuestion();
    }
    return true;
}

void GameLogic::FailurePath()
{
    if (AskRelaxQuestion())
        return;
    if (lives > 0) {
        PlaySound(timeIsOverSound);
        lifeLostThisFrame = true;
        basketProgress->Reset();
        cellManager->RepairBoard(true);
        lives -= 1;
        return;
    }
    switch (cellManager->boardPhase) {
    case CellManagerLogic::Phase::Shown:
    case CellManagerLogic::Phase::Appearing:
        PlaySound(gameOverSound);
        TakeBoardAway(true);
        scissors->slide.state = PanelState::SlidingOut;
        break;
    case CellManagerLogic::Phase::Gone:
        SetState(LevelState::Lost);
        break;
    default:
        break;
    }
}

} // namespace Petalwork

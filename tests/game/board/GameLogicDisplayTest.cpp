// The running level on the default data under the offscreen driver: a level built and run for frames,
// pause and resume, a life spent and the board repaired, extra lives by score, a won level's end
// sequence with its tally and records, a failed level without lives, and relax mode.

#include "game/board/BasketProgress.h"
#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/GameData.h"
#include "game/board/GameLogic.h"
#include "game/board/GameLogicBackground.h"
#include "game/board/GameLogicData.h"
#include "game/board/LevelComplete.h"
#include "game/board/Scissors.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIOrderWindow.h"
#include "game/screens/GUIRelaxModeWindow.h"
#include "engine/render/gui/GUIButton.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/LevelManager.h"
#include "framework/Profile.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Petalwork;
using GameFramework::LevelState;

namespace {

struct Recorder : LoopingSoundSink {
    void PlaySound(BoardSound sound) override { played.push_back(static_cast<int>(sound)); }
    void StopSound(BoardSound) override {}
    void SetSoundLooping(BoardSound, bool) override {}
    int Count(int id) const { return static_cast<int>(std::count(played.begin(), played.end(), id)); }
    std::vector<int> played;
};

class GameLogicDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::OpenGL);
        user = new TempFolder;
        engine = new VantoranEngine::Engine(TestEngineDescriptor(BRINDLE_GAME_FOLDER, user->Path()));
        engine->guiManager->GetCamera()->orthoWidth = 800.0f;
        engine->guiManager->GetCamera()->orthoHeight = 600.0f;
        data = new GameData(*engine);
        data->Load();
        levels = new LevelManager(*engine, "ru");
    }

    static void TearDownTestSuite()
    {
        delete levels;
        delete data;
        delete engine;
        delete user;
        Platform::Test::SetForceFocus(false);
    }

    void SetUp() override
    {
        engine->config->Register("0", "g_relax_mode", VantoranEngine::ConfigType::Bool, true, &relaxStorage, false);
        profiles = std::make_unique<ProfileManager>(*engine, nullptr, profileFolder.Path(), levels);
        profile = profiles->CreateProfile(u"Player");
        profiles->SetCurrentProfile(profile);
        // The usual case: the relax question was settled before.
        static_cast<Profile*>(profile)->relaxQuestionPending = false;
    }

    void TearDown() override
    {
        level.reset();
        profiles.reset();
        engine->config->Unregister("g_relax_mode");
    }

    void Start(GameFramework::LevelPosition position, int32_t lives)
    {
        level = std::make_unique<GameLogic>(levels->GetLevel(position), levels->GetStage(position.stage), lives,
                                            *engine, nullptr, *data, nullptr, profiles.get(), nullptr, "ru", &sounds);
    }

    // One tick of the level at a fixed frame time; `click` presses a button for this frame.
    void Frame(float dt = 0.05f, VantoranEngine::GUIButton* click = nullptr)
    {
        engine->Update();
        engine->timerManager->frameTime = dt;
        if (click)
            click->clicked = true;
        level->Update();
        engine->EndFrame();
    }

    template <typename Done>
    bool RunUntil(Done done, int frames = 2000)
    {
        for (int i = 0; i < frames; ++i) {
            if (done())
                return true;
            Frame();
        }
        return done();
    }

    CellManagerLogic::Phase BoardPhase() const { return level->GetCellManager().boardPhase; }
    bool BoardShown() const { return BoardPhase() == CellManagerLogic::Phase::Shown; }

    std::string Errors() const
    {
        std::string errors;
        for (const auto& entry : engine->messageManager->GetEntries())
            if (entry.text.find("Error") != std::string::npos || entry.text.find("Warning") != std::string::npos)
                errors += entry.text + "\n";
        return errors;
    }

    static TempFolder* user;
    static VantoranEngine::Engine* engine;
    static GameData* data;
    static LevelManager* levels;

    bool relaxStorage = false;
    TempFolder profileFolder;
    std::unique_ptr<ProfileManager> profiles;
    GameFramework::ProfileBase* profile = nullptr;
    Recorder sounds;
    std::unique_ptr<GameLogic> level;
};

TempFolder* GameLogicDisplayTest::user = nullptr;
VantoranEngine::Engine* GameLogicDisplayTest::engine = nullptr;
GameData* GameLogicDisplayTest::data = nullptr;
LevelManager* GameLogicDisplayTest::levels = nullptr;

} // namespace

TEST_F(GameLogicDisplayTest, ALevelOfTheDefaultDataIsBuiltAndRuns)
{
    Start({0, 0}, 0);
    const CellManager& cells = level->GetCellManager();
    size_t tiles = 0, withChips = 0;
    for (const CellLogic* cell : cells.cells) {
        tiles += cell->HasTile() ? 1 : 0;
        withChips += cell->HasTile() && cell->chip ? 1 : 0;
    }
    EXPECT_GT(tiles, 10u);
    EXPECT_EQ(withChips, tiles);
    EXPECT_EQ(level->GetScoreKeeper().GetPoints(17), 1000);
    EXPECT_EQ(level->GetScoreKeeper().GetPoints(7), 0);
    EXPECT_EQ(level->GetLevelProgress().goal, 3000u);
    EXPECT_FALSE(level->IsRelaxMode());

    Frame();
    EXPECT_EQ(sounds.Count(GameLogic::levelBeginSound), 1);
    EXPECT_EQ(sounds.Count(GameLogic::levelFadeInSound), 0); // the board is appearing, yet no fade-in sound
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    for (int i = 0; i < 40; ++i)
        Frame();
    EXPECT_EQ(level->GetState(), LevelState::Playing);
    EXPECT_GT(level->levelTime, 2.0f);
    EXPECT_EQ(sounds.Count(GameLogic::levelBeginSound), 1);
    EXPECT_EQ(Errors(), "");
}

TEST_F(GameLogicDisplayTest, PauseTakesTheBoardAwayAndResumeBringsItBack)
{
    Start({0, 0}, 0);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    level->SetState(LevelState::Paused);
    Frame();
    EXPECT_EQ(sounds.Count(GameLogic::levelFadeOutSound), 1);
    EXPECT_EQ(level->GetBasketProgress().slide.state, PanelState::SlidingOut);
    ASSERT_TRUE(RunUntil([&] { return BoardPhase() == CellManagerLogic::Phase::Gone; }));
    const float timeAtPause = level->levelTime;
    for (int i = 0; i < 10; ++i)
        Frame();
    EXPECT_EQ(sounds.Count(GameLogic::levelFadeOutSound), 1); // a board already gone is not faded again
    EXPECT_FLOAT_EQ(level->levelTime, timeAtPause);

    level->tipTimer = 0.7f;
    level->SetState(LevelState::Playing);
    Frame();
    EXPECT_EQ(sounds.Count(GameLogic::levelFadeInSound), 1);
    EXPECT_FLOAT_EQ(level->tipTimer, 0.0f);
    EXPECT_EQ(level->GetScissors().slide.state, PanelState::SlidingIn);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    EXPECT_EQ(sounds.Count(GameLogic::levelFadeInSound), 1);
}

TEST_F(GameLogicDisplayTest, AFailureWithASpareLifeRepairsTheBoardAndPlaysOn)
{
    Start({0, 0}, 1);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    level->GetBasketProgress().failed = true;
    Frame();
    EXPECT_EQ(level->lives, 0);
    EXPECT_TRUE(level->lifeLostThisFrame);
    EXPECT_EQ(sounds.Count(GameLogic::timeIsOverSound), 1);
    EXPECT_FALSE(level->GetBasketProgress().failed);
    EXPECT_EQ(level->GetState(), LevelState::Playing);
    EXPECT_TRUE(level->GetChipManager().whirlActive); // the repair turns the chips over
    Frame();
    EXPECT_FALSE(level->lifeLostThisFrame);
    ASSERT_TRUE(RunUntil([&] { return !level->GetChipManager().whirlActive && level->GetCellManager().allChipsIdle; }));
    EXPECT_EQ(level->GetState(), LevelState::Playing);
}

TEST_F(GameLogicDisplayTest, AFailureWithoutLivesEndsTheLevelOnceTheBoardIsGone)
{
    Start({0, 0}, 0);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    level->GetBasketProgress().failed = true;
    Frame();
    EXPECT_EQ(sounds.Count(GameLogic::gameOverSound), 1);
    EXPECT_EQ(BoardPhase(), CellManagerLogic::Phase::Disappearing);
    EXPECT_EQ(level->GetState(), LevelState::Playing);
    ASSERT_TRUE(RunUntil([&] { return level->GetState() == LevelState::Lost; }));
    EXPECT_EQ(BoardPhase(), CellManagerLogic::Phase::Gone);
    EXPECT_TRUE(level->IsChanged());
    EXPECT_EQ(sounds.Count(GameLogic::gameOverSound), 1);
}

TEST_F(GameLogicDisplayTest, ExtraLivesComeWithTheScoreAndThePointsGoalFollowsIt)
{
    const int32_t step = data->settings->pointsPerExtraLife;
    ASSERT_GT(step, 3000);
    Start({0, 0}, 0);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    auto& score = level->GetScoreKeeper();
    score.total = 1000;
    Frame();
    EXPECT_EQ(level->GetLevelProgress().count, 1000u);
    EXPECT_EQ(level->lives, 0); // a change from 0 never pays
    score.total = step - 10;
    Frame();
    EXPECT_EQ(level->GetLevelProgress().count, 3000u); // clamped to the goal
    EXPECT_TRUE(level->GetLevelProgress().done);
    score.total = step;
    Frame();
    EXPECT_EQ(level->lives, 0); // the multiple itself is not below the new total
    score.total = step + 5;
    Frame();
    EXPECT_EQ(level->lives, 1);
    EXPECT_TRUE(level->lifeGainedThisFrame);
    Frame();
    EXPECT_FALSE(level->lifeGainedThisFrame);
}

TEST_F(GameLogicDisplayTest, AWonLevelTurnsScissorsIntoPointsRunsTheTallyAndStoresItsRecord)
{
    Start({0, 0}, 0);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    level->GetScissors().pairs = 2;
    level->GetScoreKeeper().total = 3000;
    Frame();
    EXPECT_TRUE(level->GetLevelProgress().done);
    EXPECT_EQ(sounds.Count(GameLogic::goalCompleteSound), 1);
    ASSERT_TRUE(RunUntil([&] { return level->endPhase == 3; }));
    const int32_t before = level->GetScoreKeeper().total;
    const int scissorsSounds = sounds.Count(GameLogic::afterBonusBasketSound);
    Frame();
    EXPECT_EQ(level->GetScoreKeeper().total, before + 2000);
    const auto& texts = level->GetScoreManager().floatingTexts;
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const auto& t) { return t.text == u"+2000"; }), 1);
    EXPECT_EQ(sounds.Count(GameLogic::afterBonusBasketSound), scissorsSounds + 1);
    ASSERT_TRUE(RunUntil([&] { return level->endPhase >= 4; }));
    EXPECT_EQ(level->GetScoreKeeper().total, before + 2000); // once
    ASSERT_TRUE(RunUntil([&] { return level->tallyRunning; }));
    EXPECT_EQ(level->endPhase, 5);
    // Won fast: the wings.
    const auto& items = level->GetLevelComplete().Items();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0]->kind, LevelBonusKind::Wings);
    ASSERT_TRUE(RunUntil([&] { return level->GetState() == LevelState::Won; }, 4000));
    EXPECT_TRUE(level->GetLevelComplete().done);
    EXPECT_EQ(sounds.Count(GameLogic::levelEndSound), 1);
    EXPECT_EQ(profiles->GetLevelRecord({0, 0}), static_cast<int32_t>(items.size()));
    EXPECT_TRUE(level->GetChipManager().chips.empty());
    EXPECT_EQ(Errors(), "");
}

TEST_F(GameLogicDisplayTest, WithoutScissorsTheScissorsStepPassesOnTheNextFrame)
{
    Start({0, 0}, 0);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    level->GetScoreKeeper().total = 3000;
    ASSERT_TRUE(RunUntil([&] { return level->endPhase == 3; }));
    const int32_t before = level->GetScoreKeeper().total;
    const size_t texts = level->GetScoreManager().floatingTexts.size();
    const int bonusSounds = sounds.Count(GameLogic::afterBonusBasketSound);
    Frame();
    EXPECT_GE(level->endPhase, 4); // the tally may start in the same frame
    EXPECT_EQ(level->GetScoreKeeper().total, before);
    EXPECT_LE(level->GetScoreManager().floatingTexts.size(), texts);
    EXPECT_EQ(sounds.Count(GameLogic::afterBonusBasketSound), bonusSounds);
}

TEST_F(GameLogicDisplayTest, RelaxModeHasNoClockAndNoPausePowerup)
{
    engine->config->SetValueText("g_relax_mode", "1");
    Start({0, 0}, 0);
    EXPECT_TRUE(level->IsRelaxMode());
    EXPECT_FALSE(level->GetBasketProgress().Clock().hasClock);
    const auto& allowed = level->GetCellManager().allowedPowerups;
    EXPECT_EQ(std::count(allowed.begin(), allowed.end(), PowerupKind::Pause), 0);
    ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
    for (int i = 0; i < 20; ++i)
        Frame();
    EXPECT_EQ(level->GetState(), LevelState::Playing);
}

TEST_F(GameLogicDisplayTest, TheLevelShowsTheBackgroundAndLeavesAnEmptiedSlotAlone)
{
    const GameFramework::LevelPosition position{0, 0};
    GameLogicData bundle(*engine, levels->GetStage(position.stage));
    bundle.Load();
    std::unique_ptr<GameLogicBackground> slot = std::make_unique<GameLogicBackground>(
        levels->GetLevel(position), bundle, *engine->modelManager, engine->guiManager->GetCamera(),
        data->butterflyModels);
    EXPECT_FALSE(slot->IsVisible());
    level = std::make_unique<GameLogic>(levels->GetLevel(position), levels->GetStage(position.stage), 0, *engine,
                                        nullptr, *data, &bundle, profiles.get(), &slot, "ru", &sounds);
    EXPECT_TRUE(slot->IsVisible());
    level.reset();
    EXPECT_FALSE(slot->IsVisible());

    // The game object's shutdown deletes the background first: the level finds the slot empty.
    level = std::make_unique<GameLogic>(levels->GetLevel(position), levels->GetStage(position.stage), 0, *engine,
                                        nullptr, *data, &bundle, profiles.get(), &slot, "ru", &sounds);
    slot.reset();
    Frame();
    level.reset();
    EXPECT_EQ(Errors(), "");
}

TEST_F(GameLogicDisplayTest, APendingRelaxQuestionIsAskedAtTheFirstFailure)
{
    struct Case {
        bool yes;
        int32_t lives;
        LevelState end; // Playing: the usual failure path follows
    };
    for (const Case& c : {Case{false, 1, LevelState::Playing}, Case{true, 1, LevelState::Restart},
                          Case{true, 0, LevelState::Lost}}) {
        SCOPED_TRACE(c.yes ? (c.lives ? "yes with a life" : "yes without a life") : "no");
        engine->config->SetValueText("g_relax_mode", "0");
        auto* player = static_cast<Profile*>(profile);
        player->relaxQuestionPending = true;
        Start({0, 0}, c.lives);
        GUIRelaxModeWindow* relax = level->GetRelaxModeWindow();
        ASSERT_NE(relax, nullptr);
        ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
        level->GetBasketProgress().failed = true;
        ASSERT_TRUE(RunUntil([&] { return relax->AcceptsInput() && relax->GetAlpha() >= 1.0f; }));
        EXPECT_EQ(level->lives, c.lives); // nothing spent while asking
        Frame(0.05f, c.yes ? relax->GetYesButton() : relax->GetNoButton());
        EXPECT_TRUE(relax->IsAnswered());
        if (!c.yes) {
            ASSERT_TRUE(RunUntil([&] { return !player->relaxQuestionPending; }));
            Frame();
            EXPECT_EQ(level->lives, 0); // the usual path spent the life
            EXPECT_EQ(sounds.Count(GameLogic::timeIsOverSound), 1);
            EXPECT_EQ(level->GetState(), LevelState::Playing);
        } else {
            ASSERT_TRUE(RunUntil([&] { return level->GetState() == c.end; }));
            EXPECT_FALSE(player->relaxQuestionPending);
            EXPECT_EQ(level->lives, 0);
            EXPECT_EQ(engine->config->GetValueText("g_relax_mode"), "1");
            if (c.end == LevelState::Restart)
                EXPECT_EQ(sounds.Count(GameLogic::flowerScreenAppearSound), 1);
            else
                EXPECT_EQ(BoardPhase(), CellManagerLogic::Phase::Gone);
        }
        level.reset();
        sounds.played.clear();
    }
}

TEST_F(GameLogicDisplayTest, TheOrderTipsAndTheRelaxOfferCloseTheLastLevelOfTheirStages)
{
    // The last level of stage index 1 shows the order tips after the tally; that of stage index 2 offers
    // relax mode to a profile that reached it and has not finished the game.
    for (const uint32_t stageIndex : {1u, 2u}) {
        SCOPED_TRACE(stageIndex);
        engine->config->SetValueText("g_relax_mode", "0");
        const GameFramework::LevelPosition last{stageIndex, static_cast<uint32_t>(levels->GetStage(stageIndex).levelCount - 1)};
        profile->bestPosition = last;
        Start(last, 0);
        GUIOrderWindow* order = level->GetOrderWindow();
        GUIRelaxModeWindow* relax = level->GetRelaxModeWindow();
        EXPECT_EQ(order != nullptr, stageIndex == 1);
        EXPECT_EQ(relax != nullptr, stageIndex == 2);
        EXPECT_EQ(level->relaxOffer, stageIndex == 2);
        ASSERT_TRUE(RunUntil([&] { return BoardShown(); }));
        LevelProgress& goal = level->GetLevelProgress();
        goal.count = goal.goal;
        goal.done = true;
        ASSERT_TRUE(RunUntil([&] { return level->GetLevelComplete().done && BoardPhase() == CellManagerLogic::Phase::Gone; }, 4000));
        Frame();
        EXPECT_EQ(level->GetState(), LevelState::Playing); // the window comes first
        if (order) {
            EXPECT_TRUE(order->WasBegun());
            while (!order->IsFinished()) {
                ASSERT_TRUE(RunUntil([&] { return order->AcceptsInput() && order->GetState() == GUIOrderWindow::PageState::Shown; }));
                EXPECT_EQ(level->GetState(), LevelState::Playing);
                Frame(0.05f, order->GetOkButton());
            }
        } else {
            ASSERT_TRUE(RunUntil([&] { return relax->AcceptsInput() && relax->GetAlpha() >= 1.0f; }));
            EXPECT_EQ(level->GetState(), LevelState::Playing);
            Frame(0.05f, relax->GetNoButton());
        }
        ASSERT_TRUE(RunUntil([&] { return level->GetState() == LevelState::Won; }));
        EXPECT_EQ(sounds.Count(GameLogic::levelEndSound), 1);
        level.reset();
        sounds.played.clear();
    }
}

TEST_F(GameLogicDisplayTest, AMissingBoardFileIsFatal)
{
    GameFramework::LevelInfo missing = levels->GetLevel({0, 0});
    missing.boardName = "no_such_board";
    EXPECT_THROW(GameLogic(missing, levels->GetStage(0), 0, *engine, nullptr, *data, nullptr, profiles.get(), nullptr,
                           "ru", &sounds),
                 VantoranEngine::FatalError);
}

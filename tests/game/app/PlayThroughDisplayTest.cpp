// The game played through on the real game object, driven only by injected mouse and keys. From a fresh
// user-data folder: the name typed into the welcome dialog, the intro comics, the first stage's five
// levels one after another (one lost on time with a spare life and continued), and the stage change,
// where the player plants the stage's flower with a click on it. From saved profiles: a level won in
// relax mode after the relax question; the seventh day's last level, which ends in the closing comics;
// and the game's last level through the game-complete text to the high-score table (these two levels
// start one step short of their goal, so the test stays quick). Each step checks
// the screen shown, the profile's position and score, and a log free of error lines.

#include "game/app/Game.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIButton.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManagerBase.h"
#include "framework/Profile.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/BasketProgress.h"
#include "game/board/GameLogic.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIFlowerHouse.h"
#include "game/screens/GUIGameComics.h"
#include "game/screens/GUIHighScoresWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIRelaxModeWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "platform/input/DirectInput.h"
#include "tests/game/app/GameWorld.h"
#include "tests/game/app/ScriptedPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>

using namespace Petalwork;
using GameFramework::IsSamePosition;
using GameFramework::LevelPosition;
using GameFramework::LevelState;

namespace {

class PlayThrough : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game
    ScriptedPlayer player{true};
    size_t logRead = 0;

    // The log's first error line since the last call, or empty.
    std::string NewErrorLine()
    {
        const std::string log = world.UserFile("Brindlemoor.html");
        const size_t error = log.find("Error: ", logRead);
        logRead = log.size();
        return error == std::string::npos ? std::string() : log.substr(error, log.find('\n', error) - error);
    }

    static int32_t Planted(const Profile& profile)
    {
        return std::accumulate(profile.perStageValues.begin(), profile.perStageValues.end(), 0);
    }

    Profile* CurrentProfile() const { return dynamic_cast<Profile*>(player.game->profiles->GetCurrentProfile()); }

    // A first run makes the profile `name` at the welcome dialog; the profile's own classes then move it
    // to `at` as a player who had won every level before it (flowers planted, a saved game to continue)
    // and save it; the game is closed again.
    void StandAt(const std::u16string& name, LevelPosition at, int32_t totalScore)
    {
        player.MakeGame();
        ASSERT_TRUE(player.EnterWelcomeName(name)) << player.failure;
        ASSERT_TRUE(player.StandAt(at, totalScore)) << player.failure;
        player.Stop();
        NewErrorLine();
    }

    // The level's goal moved to its last step rather than played out (the first stage's levels are played
    // whole): the winning move is still the player's, and the level ends as any won level.
    static void MoveGoalToItsLastStep(GameLogic& level)
    {
        auto& progress = const_cast<LevelProgress&>(level.GetLevelProgress());
        progress.count = progress.goal - 1;
    }

    // Keys on the stage screen (pages, the final message) until the main menu is back.
    bool LeaveGameCompleteText()
    {
        int frame = 0;
        return player.WaitFor([&] {
            if (++frame % 10 == 0)
                player.PressKey(Platform::DIK_SPACE);
            return player.game->mainMenuWindow->shown;
        });
    }
};

TEST_F(PlayThrough, FromAFreshFolderThroughTheFirstStageAndItsFlowerToTheSecondStage)
{
    ASSERT_TRUE(player.StartNewGame(u"Mira")) << player.failure;
    Game& game = *player.game;
    Profile* profile = CurrentProfile();
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->name, u"Mira");
    EXPECT_FALSE(profile->introComicPending);
    GUIStartGameLogicWindow* stageScreen = player.StageScreen();
    EXPECT_EQ(stageScreen->GetDialogMode(), GUIStartGameLogicWindow::DialogMode::StageIntro);
    EXPECT_EQ(stageScreen->GetCurrentDay(), 0);
    const uint32_t levelCount = game.levels->GetLevelCount(0);
    ASSERT_EQ(levelCount, 5u);
    EXPECT_EQ(NewErrorLine(), "");

    constexpr uint32_t lostOnTime = 2; // a points level with a clock
    int32_t total = 0;
    for (uint32_t index = 0; index < levelCount; ++index) {
        SCOPED_TRACE("level " + std::to_string(index + 1));
        ASSERT_TRUE(IsSamePosition(profile->currentPosition, {0, index}));
        EXPECT_EQ(profile->totalScore, total);
        // The spare life the level spends when its time runs out: lives come with the profile.
        if (index == lostOnTime)
            profile->livesCarried = 1;

        ASSERT_TRUE(player.StartLevel()) << player.failure;
        GameLogic* level = player.Level();
        EXPECT_TRUE(IsSamePosition(level->GetPosition(), {0, index}));
        ASSERT_TRUE(player.PassLevelDialogs()) << player.failure;

        if (index == lostOnTime) {
            ASSERT_EQ(level->lives, 1);
            const LevelClock& clock = level->GetBasketProgress().Clock();
            ASSERT_TRUE(clock.hasClock);
            // The clock is moved to its last second rather than waited out; the countdown itself runs.
            const_cast<LevelClock&>(clock).timeLeft = 1.0f;
            // A first failure asks the relax question; the player declines and the spare life is spent.
            ASSERT_TRUE(player.WaitFor([&] {
                player.AnswerDialogs();
                return level->lives == 0;
            }, 300));
            ASSERT_NE(level->GetRelaxModeWindow(), nullptr);
            EXPECT_EQ(level->GetRelaxModeWindow()->GetAnswer(), GUIRelaxModeWindow::Answer::No);
            EXPECT_EQ(level->GetState(), LevelState::Playing);
            // The time is lost, not the level: the clock starts again from the full time and the goal from 0.
            player.Tick();
            EXPECT_GT(clock.timeLeft, clock.levelTime - 1.0f);
            EXPECT_EQ(level->GetLevelProgress().count, 0u);
            EXPECT_FALSE(level->GetBasketProgress().HasFailed());
        }

        ScriptedPlayer::LevelRun run;
        ASSERT_TRUE(player.PlayToWin(run)) << player.failure;
        EXPECT_GT(run.moves, 0);
        EXPECT_GT(run.score, 0);
        EXPECT_EQ(run.livesLost, index == lostOnTime ? 1 : 0);
        total += run.score;

        // The game object has moved the profile on and saved it; after the stage's last level the stage
        // screen moves it on to the next stage once the player has planted the stage's flower.
        player.Tick();
        const bool stageEnd = index + 1 == levelCount;
        EXPECT_TRUE(IsSamePosition(profile->currentPosition, {0, stageEnd ? index : index + 1}));
        EXPECT_EQ(profile->totalScore, total);
        EXPECT_EQ(profile->livesCarried, level->lives);
        if (stageEnd) {
            EXPECT_TRUE(stageScreen->advancePending);
            EXPECT_TRUE(IsSamePosition(stageScreen->nextPosition, {1, 0}));
        }
        ASSERT_TRUE(player.CloseWonLevel()) << player.failure;
        EXPECT_EQ(NewErrorLine(), "");
    }

    // The stage screen tells the stage's end, then the flower house offers the stage's flower, and the
    // player's click on it plants it.
    EXPECT_TRUE(player.game->startGameLogicWindow->shown);
    GUIFlowerHouse& house = *game.flowerHouse;
    ASSERT_EQ(Planted(*profile), 0);
    ASSERT_TRUE(player.PassStageChange()) << player.failure;
    EXPECT_EQ(Planted(*profile), 1);
    EXPECT_FALSE(house.IsOffering());
    EXPECT_TRUE(house.GetWaitingFlowers().empty());
    EXPECT_EQ(std::count_if(house.GetFlowerModels().begin(), house.GetFlowerModels().end(),
                            [](const VantoranEngine::Model* flower) {
                                return (flower->flags & VantoranEngine::ModelFlag::active) != 0;
                            }),
              1);
    EXPECT_FALSE(stageScreen->GetGameComics().IsActive());
    EXPECT_TRUE(IsSamePosition(profile->currentPosition, {1, 0}));
    EXPECT_TRUE(IsSamePosition(profile->bestPosition, {1, 0}));
    EXPECT_FALSE(profile->gameCompleted);
    EXPECT_EQ(stageScreen->GetDialogMode(), GUIStartGameLogicWindow::DialogMode::StageIntro);
    EXPECT_EQ(stageScreen->GetCurrentDay(), 1);

    // Start on the second day: its first level.
    ASSERT_TRUE(player.StartLevel()) << player.failure;
    EXPECT_TRUE(IsSamePosition(player.Level()->GetPosition(), {1, 0}));
    EXPECT_EQ(NewErrorLine(), "");

    // What was saved is what the next run reads.
    player.Stop();
    EXPECT_EQ(NewErrorLine(), "");
    ASSERT_TRUE(player.StartExisting()) << player.failure;
    const Profile* again = CurrentProfile();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->name, u"Mira");
    EXPECT_TRUE(IsSamePosition(again->currentPosition, {1, 0}));
    EXPECT_EQ(again->totalScore, total);
    EXPECT_EQ(Planted(*again), 1);
}

TEST_F(PlayThrough, ALevelWonInRelaxModeAfterTheRelaxQuestion)
{
    constexpr LevelPosition clockLevel{0, 2}; // points against the clock
    ASSERT_NO_FATAL_FAILURE(StandAt(u"Rowan", clockLevel, 500));
    ASSERT_TRUE(player.StartExisting()) << player.failure;
    Game& game = *player.game;
    Profile* profile = CurrentProfile();
    ASSERT_TRUE(profile->relaxQuestionPending);
    profile->livesCarried = 1;
    EXPECT_EQ(game.engine->config->GetValueText("g_relax_mode"), "0");
    ASSERT_TRUE(player.ContinueSavedGame()) << player.failure;
    ASSERT_TRUE(player.PassLevelDialogs()) << player.failure;
    GameLogic* level = player.Level();
    ASSERT_TRUE(level->GetBasketProgress().Clock().hasClock);
    ASSERT_EQ(level->lives, 1);

    // The time runs out; the relax question comes up and the player takes relax mode.
    const_cast<LevelClock&>(level->GetBasketProgress().Clock()).timeLeft = 1.0f;
    GUIRelaxModeWindow* question = nullptr;
    ASSERT_TRUE(player.WaitFor([&] {
        question = level->GetRelaxModeWindow();
        return question != nullptr && question->AcceptsInput() && question->GetYesButton() != nullptr;
    }, 300));
    ASSERT_TRUE(player.ClickUntil(question->GetYesButton(), [&] { return question->IsAnswered(); }));
    EXPECT_EQ(question->GetAnswer(), GUIRelaxModeWindow::Answer::Yes);
    EXPECT_EQ(game.engine->config->GetValueText("g_relax_mode"), "1");

    // A life pays for the level again from the start, in relax mode.
    ASSERT_TRUE(player.WaitFor([&] { return game.level == nullptr; }, 600));
    ASSERT_TRUE(player.WaitFor([&] { return player.Level() != nullptr; }));
    level = player.Level();
    EXPECT_TRUE(IsSamePosition(level->GetPosition(), clockLevel));
    EXPECT_EQ(level->lives, 0);
    EXPECT_FALSE(profile->relaxQuestionPending);
    ASSERT_TRUE(player.PassLevelDialogs()) << player.failure;
    EXPECT_TRUE(level->GetBasketProgress().relaxMode);
    EXPECT_FALSE(level->GetBasketProgress().Clock().hasClock);
    // No clock: with one second left, as before the question, five seconds pass and nothing is lost.
    const_cast<LevelClock&>(level->GetBasketProgress().Clock()).timeLeft = 1.0f;
    for (int i = 0; i < 50; ++i)
        player.Tick();
    EXPECT_FALSE(level->GetBasketProgress().HasFailed());
    EXPECT_EQ(level->GetBasketProgress().Clock().timeLeft, 1.0f);
    EXPECT_EQ(level->GetState(), LevelState::Playing);
    EXPECT_EQ(level->lives, 0);
    EXPECT_EQ(level->GetRelaxModeWindow(), nullptr) << "the question is asked once";

    ScriptedPlayer::LevelRun run;
    ASSERT_TRUE(player.PlayToWin(run)) << player.failure;
    EXPECT_GT(run.score, 0);
    player.Tick();
    // Recorded as any won level: the profile moves on with the score, and the next run reads it.
    EXPECT_TRUE(IsSamePosition(profile->currentPosition, {0, 3}));
    EXPECT_EQ(profile->totalScore, 500 + run.score);
    ASSERT_TRUE(player.CloseWonLevel()) << player.failure;
    EXPECT_EQ(NewErrorLine(), "");
    player.Stop();
    ASSERT_TRUE(player.StartExisting()) << player.failure;
    EXPECT_TRUE(IsSamePosition(CurrentProfile()->currentPosition, {0, 3}));
    EXPECT_EQ(CurrentProfile()->totalScore, 500 + run.score);
    EXPECT_FALSE(CurrentProfile()->relaxQuestionPending);
    EXPECT_EQ(player.game->engine->config->GetValueText("g_relax_mode"), "1");
    EXPECT_EQ(NewErrorLine(), "");
}

TEST_F(PlayThrough, TheSeventhDaysLastLevelEndsInTheClosingComicsBeforeTheEighthDay)
{
    ASSERT_NO_FATAL_FAILURE(StandAt(u"Ash", {6, 4}, 20000));
    ASSERT_TRUE(player.StartExisting()) << player.failure;
    ASSERT_TRUE(player.ContinueSavedGame()) << player.failure;
    ASSERT_TRUE(IsSamePosition(player.Level()->GetPosition(), {6, 4}));
    ASSERT_TRUE(player.PassLevelDialogs()) << player.failure;
    MoveGoalToItsLastStep(*player.Level());
    ScriptedPlayer::LevelRun run;
    ASSERT_TRUE(player.PlayToWin(run)) << player.failure;
    ASSERT_TRUE(player.CloseWonLevel()) << player.failure;

    Profile* profile = CurrentProfile();
    GUIStartGameLogicWindow* stageScreen = player.StageScreen();
    ASSERT_TRUE(player.game->startGameLogicWindow->shown);
    ASSERT_TRUE(stageScreen->advancePending);
    EXPECT_FALSE(stageScreen->gameComplete);
    const int32_t planted = Planted(*profile);
    ASSERT_TRUE(player.PassStageChange()) << player.failure;
    // A flower was planted, the comics played to its end, and the eighth day begins.
    EXPECT_EQ(Planted(*profile), planted + 1);
    EXPECT_TRUE(stageScreen->GetGameComics().IsFinished());
    EXPECT_FALSE(stageScreen->GetGameComics().IsActive());
    EXPECT_TRUE(IsSamePosition(profile->currentPosition, {7, 0}));
    EXPECT_TRUE(IsSamePosition(profile->bestPosition, {7, 0}));
    EXPECT_FALSE(profile->gameCompleted);
    EXPECT_EQ(stageScreen->GetDialogMode(), GUIStartGameLogicWindow::DialogMode::StageIntro);
    EXPECT_EQ(stageScreen->GetCurrentDay(), 7);
    EXPECT_EQ(profile->totalScore, 20000 + run.score);
    EXPECT_EQ(NewErrorLine(), "");
}

TEST_F(PlayThrough, TheGamesLastLevelThroughTheGameCompleteTextToTheHighScoreTable)
{
    constexpr int32_t scoreBefore = 90000;
    ASSERT_NO_FATAL_FAILURE(StandAt(u"Mira", {8, 4}, scoreBefore));
    ASSERT_TRUE(player.StartExisting()) << player.failure;
    Game& game = *player.game;
    ASSERT_TRUE(game.levels->IsFinalLevel({8, 4}));
    ASSERT_TRUE(player.ContinueSavedGame()) << player.failure;
    ASSERT_TRUE(IsSamePosition(player.Level()->GetPosition(), {8, 4}));
    ASSERT_TRUE(player.PassLevelDialogs()) << player.failure;
    MoveGoalToItsLastStep(*player.Level());
    ScriptedPlayer::LevelRun run;
    ASSERT_TRUE(player.PlayToWin(run)) << player.failure;
    const uint32_t total = static_cast<uint32_t>(scoreBefore + run.score);

    // Level complete, then stage complete; closing it enters the score in the table.
    ASSERT_TRUE(player.WaitFor([&] { return game.stageCompleteWindow->shown; }));
    ASSERT_TRUE(player.CloseWonLevel()) << player.failure;
    const auto& entries = game.highScores->GetEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]->name, u"Mira");
    EXPECT_EQ(entries[0]->score, total);

    // The stage screen: the last outro, the game-complete text with the last day crossed out.
    GUIStartGameLogicWindow* stageScreen = player.StageScreen();
    ASSERT_TRUE(player.game->startGameLogicWindow->shown);
    EXPECT_TRUE(stageScreen->gameComplete);
    ASSERT_TRUE(player.PassStageChange()) << player.failure;
    Profile* profile = CurrentProfile();
    EXPECT_TRUE(profile->gameCompleted);
    EXPECT_TRUE(IsSamePosition(profile->bestPosition, {8, 4}));
    EXPECT_EQ(stageScreen->GetDialogMode(), GUIStartGameLogicWindow::DialogMode::GameComplete);
    EXPECT_FALSE(stageScreen->GetGameComics().IsFinished()) << "the closing comics belongs to the seventh day";
    ASSERT_TRUE(player.WaitFor([&] {
        return (stageScreen->GetCrossModels()[8]->flags & VantoranEngine::ModelFlag::active) != 0;
    }));

    // Keys page the text, raise the final message (the game starts over at the first level) and leave
    // for the main menu.
    ASSERT_TRUE(LeaveGameCompleteText());
    EXPECT_TRUE(IsSamePosition(profile->currentPosition, {0, 0}));

    // The high-score table from the main menu shows the entry.
    ASSERT_TRUE(player.WaitForMainMenu()) << player.failure;
    auto* menu = dynamic_cast<GUIMainMenuWindow*>(game.mainMenuWindow.get());
    auto* table = dynamic_cast<GUIHighScoresWindow*>(game.highScoresWindow.get());
    ASSERT_TRUE(player.ClickUntil(menu->GetHighScoresButton(), [&] { return table->AcceptsInput(); }));
    ASSERT_NE(table->highScores, nullptr);
    ASSERT_EQ(table->highScores->GetEntries().size(), 1u);
    EXPECT_EQ(table->highScores->GetEntries()[0]->name, u"Mira");
    EXPECT_EQ(table->highScores->GetEntries()[0]->score, total);

    // The saved table holds it.
    {
        const GameFramework::HighScoresTable saved(*game.engine, world.UserRoot());
        ASSERT_EQ(saved.GetEntries().size(), 1u);
        EXPECT_EQ(saved.GetEntries()[0]->name, u"Mira");
        EXPECT_EQ(saved.GetEntries()[0]->score, total);
    }
    player.Stop();
    EXPECT_EQ(NewErrorLine(), "");
}

} // namespace

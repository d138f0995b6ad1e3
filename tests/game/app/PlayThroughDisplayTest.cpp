// Levels in a row on the real game: the scripted player plays the first stage from a fresh user-data
// folder, one level after another through the level flow (won, level complete, the stage screen starts
// the next level; the last level through the stage-complete overlay to the stage screen), and the
// profile's position and score follow every level while the log stays free of error lines. One level is
// lost on time with a spare life and goes on.

#include "game/app/Game.h"

#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/BasketProgress.h"
#include "game/board/GameLogic.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIRelaxModeWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "tests/game/app/GameWorld.h"
#include "tests/game/app/ScriptedPlayer.h"

#include <gtest/gtest.h>

#include <string>

using namespace Petalwork;
using GameFramework::LevelPosition;
using GameFramework::LevelState;

namespace {

class PlayThrough : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game
    ScriptedPlayer player{true};

    // The log's first error line since `from`, or empty; `from` moves to the end of the log.
    std::string NewErrorLine(size_t& from) const
    {
        const std::string log = world.UserFile("Brindlemoor.html");
        const size_t error = log.find("Error: ", from);
        from = log.size();
        return error == std::string::npos ? std::string() : log.substr(error, log.find('\n', error) - error);
    }
};

} // namespace

TEST_F(PlayThrough, TheFirstStageLevelByLevelWithALevelLostOnTimeAndContinued)
{
    ASSERT_TRUE(player.StartWithNewProfile(u"Bot")) << player.failure;
    Game& game = *player.game;
    GameFramework::ProfileBase* profile = game.profiles->GetCurrentProfile();
    const uint32_t levelCount = game.levels->GetLevelCount(0);
    ASSERT_EQ(levelCount, 5u);
    size_t logRead = 0;
    EXPECT_EQ(NewErrorLine(logRead), "");

    constexpr uint32_t lostOnTime = 2; // a points level with a clock
    int32_t total = 0;
    for (uint32_t index = 0; index < levelCount; ++index) {
        SCOPED_TRACE("level " + std::to_string(index + 1));
        ASSERT_EQ(profile->currentPosition.stage, 0u);
        ASSERT_EQ(profile->currentPosition.level, index);
        EXPECT_EQ(profile->totalScore, total);
        // The spare life the level spends when its time runs out: lives come with the profile.
        if (index == lostOnTime)
            profile->livesCarried = 1;

        ASSERT_TRUE(player.StartLevel()) << player.failure;
        GameLogic* level = player.Level();
        EXPECT_EQ(level->GetPosition().stage, 0u);
        EXPECT_EQ(level->GetPosition().level, index);
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
        EXPECT_EQ(profile->currentPosition.stage, 0u);
        EXPECT_EQ(profile->currentPosition.level, stageEnd ? index : index + 1);
        EXPECT_EQ(profile->totalScore, total);
        EXPECT_EQ(profile->livesCarried, level->lives);
        if (stageEnd) {
            const auto* stageScreen = dynamic_cast<GUIStartGameLogicWindow*>(game.startGameLogicWindow.get());
            ASSERT_NE(stageScreen, nullptr);
            EXPECT_TRUE(stageScreen->advancePending);
            EXPECT_EQ(stageScreen->nextPosition.stage, 1u);
            EXPECT_EQ(stageScreen->nextPosition.level, 0u);
        }

        ASSERT_TRUE(player.CloseWonLevel()) << player.failure;
        EXPECT_EQ(NewErrorLine(logRead), "");
    }
    // The stage screen follows the stage's last level.
    ASSERT_NE(game.startGameLogicWindow, nullptr);
    EXPECT_TRUE(game.startGameLogicWindow->shown);

    // What was saved is what the next run reads.
    const std::u16string name = profile->name;
    const LevelPosition position = profile->currentPosition;
    player.Stop();
    EXPECT_EQ(NewErrorLine(logRead), "");
    ASSERT_TRUE(player.StartExisting()) << player.failure;
    const GameFramework::ProfileBase* again = player.game->profiles->GetCurrentProfile();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->name, name);
    EXPECT_EQ(again->currentPosition.stage, position.stage);
    EXPECT_EQ(again->currentPosition.level, position.level);
    EXPECT_EQ(again->totalScore, total);
}

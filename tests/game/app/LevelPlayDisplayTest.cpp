// A whole level on the real game: the game object starts stage 1 level 1 through the level flow (the
// way the stage screen starts a level), a scripted player finds valid swaps on the board and makes them
// with injected mouse clicks until the level is won, the tally runs, the profile holds the result and
// the log has no error line.

#include "game/app/Game.h"

#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManager.h"
#include "game/board/GameLogic.h"
#include "game/board/GameLogicBackground.h"
#include "game/board/LevelComplete.h"
#include "game/screens/GUIGameLogicWindow.h"
#include "game/screens/GUILevelCompleteWindow.h"
#include "game/screens/GUITipWindow.h"
#include "platform/window/WindowTest.h"
#include "tests/game/app/GameWorld.h"
#include "tests/game/app/ScriptedPlayer.h"

#include <gtest/gtest.h>

using namespace Petalwork;

namespace {

class LevelPlay : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game
    ScriptedPlayer player{true};
};

} // namespace

TEST_F(LevelPlay, AScriptedPlayerWinsStageOneLevelOneThroughTheMouse)
{
    ASSERT_TRUE(player.StartWithNewProfile(u"Bot")) << player.failure;
    Game* game = player.game.get();
    GameFramework::ProfileBase* profile = game->profiles->GetCurrentProfile();

    // The stage screen's start: the level's bundle is prepared and the level loading screen shown.
    ASSERT_TRUE(player.StartLevel()) << player.failure;
    GameLogic* level = player.Level();
    EXPECT_EQ(level->GetPosition().stage, 0u);
    EXPECT_EQ(level->GetPosition().level, 0u);
    ASSERT_NE(game->levelBackground, nullptr);
    EXPECT_TRUE(game->levelBackground->IsVisible());

    // The level's tips hold the board until the player has paged through them.
    EXPECT_FALSE(level->GetTipWindow().IsFinished());
    ASSERT_TRUE(player.PassLevelDialogs()) << player.failure;

    ScriptedPlayer::LevelRun run;
    ASSERT_TRUE(player.PlayToWin(run)) << player.failure;
    EXPECT_GT(run.moves, 0);

    // The end sequence and the tally; the game object acts on the won state and keeps the level.
    player.Tick();
    EXPECT_FALSE(level->IsChanged());
    EXPECT_TRUE(level->GetLevelComplete().done);
    const auto& items = level->GetLevelComplete().Items();
    EXPECT_EQ(static_cast<ProfileManager*>(game->profiles.get())->GetLevelRecord({0, 0}),
              static_cast<int32_t>(items.size()));
    EXPECT_EQ(profile->currentPosition.level, 1u);
    EXPECT_GE(profile->totalScore, 3000);
    EXPECT_EQ(profile->totalScore, run.score);

    // The next level of the stage keeps the background, butterflies and all; a level of another stage
    // gets its own.
    GameLogicBackground* background = game->levelBackground.get();
    const auto& levels = *game->levels;
    std::unique_ptr<GameFramework::GameLogicBase> next = game->CreateGameLogic(levels.GetStage(0), levels.GetLevel({0, 1}), 0);
    EXPECT_EQ(game->levelBackground.get(), background);
    EXPECT_TRUE(background->IsVisible());
    next.reset();
    next = game->CreateGameLogic(levels.GetStage(1), levels.GetLevel({1, 0}), 0);
    ASSERT_NE(game->levelBackground, nullptr);
    EXPECT_EQ(game->levelBackground->level.stageIndex, 1u);
    next.reset();

    // The panel showed the level, its own mark won after the tally; the level ends through the
    // level-complete overlay: a click once it takes input, the flower screen, then the level is closed.
    auto* panel = dynamic_cast<GUIGameLogicWindow*>(game->gameLogicWindow.get());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetLevelsWon(), 1u);
    EXPECT_FALSE(panel->active);
    auto* complete = dynamic_cast<GUILevelCompleteWindow*>(game->levelCompleteWindow.get());
    ASSERT_NE(complete, nullptr);
    EXPECT_TRUE(complete->shown);
    ASSERT_TRUE(player.WaitFor([&] { return complete->GetTimeShown() > GUIGameLogicTextWindow::clickDelay + 0.1f; }));
    Platform::Test::InjectMouseButton(0, true);
    player.Tick();
    Platform::Test::InjectMouseButton(0, false);
    player.Tick();
    EXPECT_TRUE(complete->IsStarted());
    ASSERT_TRUE(player.WaitFor([&] { return game->level == nullptr; }));
    EXPECT_FALSE(complete->shown);

    const std::string logPath = world.UserRoot() + "/Brindlemoor.html";
    player.Stop();
    const std::string log = TempFolder::ReadFile(logPath);
    EXPECT_NE(log.find("Loading level 1-1..."), std::string::npos);
    EXPECT_NE(log.find("Level resources loaded in"), std::string::npos);
    const size_t error = log.find("Error: ");
    EXPECT_EQ(error, std::string::npos) << log.substr(error == std::string::npos ? 0 : error, 300);
}

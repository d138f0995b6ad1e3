// The way into the first level on the real game and the default data, in an offscreen window, driven by
// injected mouse and keys: a first run through the welcome dialog, Start on the main menu, the intro
// comics clicked through, the stage screen with the first day circled and the stage's intro typed, and
// Start there, which hands the first level of the first stage to the level-loading screen. The profile
// file remembers that the comics was seen and where the player stands. A scripted player wins the level;
// after the tally the stage screen passes straight on to level 2. A second run continues the saved game
// from the main menu at level 2. The log has no error line.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "game/board/GameLogic.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIComics.h"
#include "game/screens/GUIContinueGameLogicWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/input/DirectInput.h"
#include "platform/window/WindowTest.h"
#include "tests/game/app/GameWorld.h"
#include "tests/game/app/ScriptedPlayer.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace VantoranEngine;
using namespace Petalwork;

namespace {

class GameStage : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game
    ScriptedPlayer player{true};
    std::unique_ptr<Game>& game = player.game;

    void Tick() { player.Tick(); }
    bool WaitFor(const std::function<bool()>& done) { return player.WaitFor(done); }
    bool ClickUntil(const GUIWindow* window, const std::function<bool()>& done)
    {
        return player.ClickUntil(window, done);
    }
    GameLogic* Level() const { return player.Level(); }
};

TEST_F(GameStage, FirstRunThroughTheIntroComicsAndTheStageScreenToTheFirstLevelWonThenContinued)
{
    player.MakeGame();
    ASSERT_TRUE(player.EnterWelcomeName(u"Mira")) << player.failure;
    auto* menu = dynamic_cast<GUIMainMenuWindow*>(game->mainMenuWindow.get());
    auto* profile = dynamic_cast<Profile*>(game->profiles->GetCurrentProfile());
    ASSERT_NE(profile, nullptr);
    EXPECT_TRUE(profile->introComicPending);

    // Start: a new profile sees the intro comics first; each click moves on a page.
    auto* stage = dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get());
    ASSERT_NE(stage, nullptr);
    ASSERT_TRUE(ClickUntil(menu->GetStartButton(), [stage] { return stage->GetComicsViewer() != nullptr; }));
    EXPECT_FALSE(profile->introComicPending);
    EXPECT_FALSE(menu->IsShown());
    ASSERT_TRUE(player.PassIntroComics()) << player.failure;
    ASSERT_EQ(stage->GetComicsViewer(), nullptr);

    // The stage screen: day 1 circled, the first stage's intro typed out; a key shows it whole.
    EXPECT_TRUE(player.StageScreenReady());
    EXPECT_EQ(stage->GetDialogMode(), GUIStartGameLogicWindow::DialogMode::StageIntro);
    EXPECT_EQ(stage->GetCurrentDay(), 0);
    EXPECT_TRUE(stage->GetCircleModels()[0]->flags & ModelFlag::active);
    EXPECT_FALSE(stage->GetCrossModels()[0]->flags & ModelFlag::active);
    player.PressKey(Platform::DIK_SPACE);
    EXPECT_GT(stage->GetLinesShown(), 0u);

    // Start: the first level of the first stage goes to the level-loading screen.
    ASSERT_TRUE(ClickUntil(stage->GetStartButton(), [this] { return !game->startGameLogicWindow->shown; }));
    ASSERT_NE(game->gameLogicLoadingWindow, nullptr);
    EXPECT_TRUE(game->gameLogicLoadingWindow->shown);
    EXPECT_TRUE(GameFramework::IsSamePosition(profile->currentPosition, {0, 0}));
    {
        ProfileManager saved(*game->engine, nullptr, world.UserRoot(), nullptr);
        auto* stored = dynamic_cast<Profile*>(saved.GetCurrentProfile());
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->name, u"Mira");
        EXPECT_FALSE(stored->introComicPending);
        EXPECT_TRUE(GameFramework::IsSamePosition(stored->currentPosition, {0, 0}));
    }

    // The level: its tips paged through, then a scripted player swaps until the goal is met.
    ASSERT_TRUE(WaitFor([this] { return Level() != nullptr; }));
    GameLogic* level = Level();
    EXPECT_TRUE(GameFramework::IsSamePosition(level->GetPosition(), {0, 0}));
    ASSERT_TRUE(player.PassLevelDialogs()) << player.failure;
    ScriptedPlayer::LevelRun run;
    ASSERT_TRUE(player.PlayToWin(run)) << player.failure;
    ASSERT_TRUE(level->GetLevelProgress().done);
    ASSERT_TRUE(WaitFor([&] { return game->levelCompleteWindow->shown; }));
    EXPECT_TRUE(GameFramework::IsSamePosition(profile->currentPosition, {0, 1}));

    // The player's press closes the overlay; the stage screen passes straight through to level 2.
    for (int i = 0; i < 600 && !(Level() != nullptr && Level()->GetPosition().level == 1); ++i) {
        Platform::Test::InjectMouseButton(0, i % 2 == 0);
        Tick();
    }
    Platform::Test::InjectMouseButton(0, false);
    ASSERT_NE(Level(), nullptr);
    EXPECT_TRUE(GameFramework::IsSamePosition(Level()->GetPosition(), {0, 1}));
    EXPECT_FALSE(game->startGameLogicWindow->shown);
    EXPECT_EQ(stage->mode, GameFramework::GUIStartGameLogicWindowBase::Mode::NextLevel);

    game->engine->RequestExit();
    game.reset();
    std::string log = TempFolder::ReadFile(world.UserRoot() + "/Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);

    // A second run: Start on the main menu asks whether to continue the saved game; continuing passes the
    // stage screen straight on (no comics again) to level 2.
    player.MakeGame();
    ASSERT_TRUE(player.WaitForMainMenu()) << player.failure;
    menu = dynamic_cast<GUIMainMenuWindow*>(game->mainMenuWindow.get());
    EXPECT_EQ(game->profiles->GetCurrentProfile()->name, u"Mira");
    auto* question = dynamic_cast<GUIContinueGameLogicWindow*>(game->continueGameLogicWindow.get());
    ASSERT_TRUE(ClickUntil(menu->GetStartButton(), [this] { return game->continueGameLogicWindow->shown; }));
    ASSERT_TRUE(WaitFor([question] { return question->AcceptsInput() && question->GetAlpha() >= 1.0f; }));
    EXPECT_EQ(question->GetPositionText(), u"1-2");
    ASSERT_TRUE(ClickUntil(question->GetContinueButton(), [this] { return Level() != nullptr; }));
    EXPECT_TRUE(GameFramework::IsSamePosition(Level()->GetPosition(), {0, 1}));
    stage = dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get());
    EXPECT_EQ(stage->GetComicsViewer(), nullptr);
    EXPECT_EQ(stage->mode, GameFramework::GUIStartGameLogicWindowBase::Mode::Continue);
    EXPECT_FALSE(stage->IsFrameVisible());
    game->engine->RequestExit();
    game.reset();
    log = TempFolder::ReadFile(world.UserRoot() + "/Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
}

} // namespace

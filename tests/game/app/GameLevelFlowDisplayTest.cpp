// The game's own steps of the level flow on the real game and the default data: a won level moves the
// profile on, except the first win of a stage's last level, which stays on the won level and leaves the
// step to the stage screen (with the game-complete flag after the game's final level); and the continue
// dialog tells the stage screen whether the saved game goes on (the screen then asks at once to start
// its level) or was discarded.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "tests/game/app/GameWorld.h"

#include <gtest/gtest.h>

#include <string>

using namespace Petalwork;
using GameFramework::IsSamePosition;
using GameFramework::LevelPosition;
using ContinueMode = GUIStartGameLogicWindow::ContinueMode;

namespace {

class GameLevelFlow : public ::testing::Test {
protected:
    GameWorld world;

    void SetUp() override
    {
        game = std::make_unique<Game>("Brindlemoor", "Quorvane");
        for (int i = 0; i < 3000 && !(game->welcomeWindow && game->welcomeWindow->shown); ++i) {
            DeviceTesting::PumpMessages();
            game->Tick();
        }
        ASSERT_TRUE(game->welcomeWindow && game->welcomeWindow->shown);
        game->welcomeWindow->Hide();
        profile = game->profiles->CreateProfile(u"Tess");
        dynamic_cast<Profile&>(*profile).introComicPending = false; // seen already
        game->profiles->SetCurrentProfile(profile);
        stage = dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get());
        ASSERT_NE(stage, nullptr);
    }

    void TearDown() override { game.reset(); }

    LevelPosition LastOfStage(uint32_t s) const { return {s, game->levels->GetLevelCount(s) - 1}; }

    // The level at `won` reports its win and the transitions run once.
    void Win(const LevelPosition& won)
    {
        game->level = std::make_unique<GameFramework::GameLogicBase>(
            *game->engine, game->soundPlayer.get(), &game->levels->GetStage(won.stage), &game->levels->GetLevel(won), 2);
        game->level->GetScoreKeeper().total = 100;
        game->level->SetState(GameFramework::LevelState::Won);
        game->ProcessTransitions();
        game->ClearResults();
        game->level.reset();
    }

    std::unique_ptr<Game> game;
    GameFramework::ProfileBase* profile = nullptr;
    GUIStartGameLogicWindow* stage = nullptr;
};

TEST_F(GameLevelFlow, AFirstWonStageStaysForTheStageScreenToAdvance)
{
    const uint32_t stages = game->levels->GetStageCount();
    ASSERT_GE(stages, 8u);
    ASSERT_GE(game->levels->GetLevelCount(0), 2u);
    const LevelPosition final = LastOfStage(stages - 1);
    const struct {
        const char* name;
        LevelPosition won, best;
        bool completed;
        LevelPosition current, bestAfter, next; // the profile afterwards; the screen's next position
        bool advance, gameComplete, completedAfter;
    } cases[] = {
        {"a level inside its stage", {0, 0}, {0, 0}, false, {0, 1}, {0, 1}, {}, false, false, false},
        {"a stage's last level, first time", LastOfStage(0), LastOfStage(0), false, LastOfStage(0), LastOfStage(0),
         {1, 0}, true, false, false},
        {"a stage's last level again", LastOfStage(0), {3, 0}, false, {1, 0}, {3, 0}, {}, false, false, false},
        {"the game's final level, first time", final, final, false, final, final, final, true, true, false},
        {"the game's final level again", final, final, true, final, final, {}, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        stage->advancePending = false;
        stage->gameComplete = false;
        stage->nextPosition = {};
        profile->currentPosition = c.won;
        profile->bestPosition = c.best;
        profile->gameCompleted = c.completed;
        profile->totalScore = 0;
        Win(c.won);
        EXPECT_TRUE(IsSamePosition(profile->currentPosition, c.current));
        EXPECT_TRUE(IsSamePosition(profile->bestPosition, c.bestAfter));
        EXPECT_EQ(profile->gameCompleted, c.completedAfter);
        EXPECT_EQ(profile->totalScore, 100);
        EXPECT_EQ(stage->advancePending, c.advance);
        EXPECT_EQ(stage->gameComplete, c.gameComplete);
        if (c.advance) {
            EXPECT_TRUE(IsSamePosition(stage->nextPosition, c.next));
        }
        const Profile saved(game->log, game->fileManager, game->userDataRoot, profile->GetFileName(),
                            ProfileManager::stageCount);
        EXPECT_TRUE(IsSamePosition(saved.currentPosition, c.current));
        EXPECT_TRUE(IsSamePosition(saved.bestPosition, c.bestAfter));
        EXPECT_EQ(saved.gameCompleted, c.completedAfter);
    }
}

TEST_F(GameLevelFlow, TheContinueDialogTellsTheStageScreenHowTheSavedGameGoesOn)
{
    const struct {
        int32_t result;
        ContinueMode continueMode;
        bool passesThrough;
    } cases[] = {{1, ContinueMode::Continued, true}, {2, ContinueMode::Discarded, false}};
    for (const auto& c : cases) {
        profile->currentPosition = {2, 1};
        profile->savedGame = true;
        game->continueGameLogicWindow->Show();
        game->continueGameLogicWindow->result = c.result;
        game->ProcessTransitions();
        game->ClearResults();
        EXPECT_TRUE(game->startGameLogicWindow->shown);
        EXPECT_EQ(stage->continueMode, c.continueMode);
        EXPECT_EQ(stage->mode, GameFramework::GUIStartGameLogicWindowBase::Mode::Continue);
        EXPECT_EQ(profile->savedGame, c.result == 1);
        // The next update asks to start the level only when the saved game goes on.
        stage->Update();
        EXPECT_EQ(stage->result == GUIStartGameLogicWindow::resultStart, c.passesThrough);
        EXPECT_EQ(stage->IsShown(), !c.passesThrough);
        stage->result = 0;
        stage->Hide();
        EXPECT_EQ(stage->continueMode, ContinueMode::None);
    }
}

} // namespace

// The game's in-level overlays on the real game object: the factories build the game's own overlays, and
// a won level that was the last of its stage passes through the level-complete overlay in the same
// transition pass to the stage-complete one.

#include "game/app/Game.h"

#include "game/screens/GUIGameCompleteWindow.h"
#include "game/screens/GUIGameLogicPauseWindow.h"
#include "game/screens/GUIGameLogicWindow.h"
#include "game/screens/GUIGameOverWindow.h"
#include "game/screens/GUILevelCompleteWindow.h"
#include "game/screens/GUIStageCompleteWindow.h"

#include "GameWorld.h"
#include "engine/render/gui/GUIWindow.h"
#include "framework/DataKeeper.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileManagerBase.h"

#include <gtest/gtest.h>

using Petalwork::Game;

namespace {

class GameOverlays : public ::testing::Test {
protected:
    GameOverlays()
    {
        game = std::make_unique<Game>("Brindlemoor", "Quorvane");
        game->gameData->Load();
        game->loadingWindow->Show(game->gameData.get());
        game->loadingWindow->result = 1;
        game->ProcessTransitions();
        game->ClearResults();
    }
    ~GameOverlays() override
    {
        game->level.reset();
        game.reset();
    }

    // A running level at `position` that has just been won, played by a new current profile.
    void WinLevel(const GameFramework::LevelPosition& position)
    {
        GameFramework::ProfileBase* profile = game->profiles->CreateProfile(u"Tester");
        game->profiles->SetCurrentProfile(profile);
        game->level = std::make_unique<GameFramework::GameLogicBase>(*game->engine, game->soundPlayer.get(),
                                                                     &game->levels->GetStage(position.stage),
                                                                     &game->levels->GetLevel(position), 3);
        game->level->SetState(GameFramework::LevelState::Won);
    }

    GameWorld world;
    std::unique_ptr<Game> game;
};

TEST_F(GameOverlays, FactoriesBuildTheGamesPanelAndOverlays)
{
    EXPECT_NE(dynamic_cast<Petalwork::GUIGameLogicWindow*>(game->gameLogicWindow.get()), nullptr);
    EXPECT_NE(dynamic_cast<Petalwork::GUIGameLogicPauseWindow*>(game->pauseWindow.get()), nullptr);
    EXPECT_NE(dynamic_cast<Petalwork::GUILevelCompleteWindow*>(game->levelCompleteWindow.get()), nullptr);
    EXPECT_NE(dynamic_cast<Petalwork::GUIStageCompleteWindow*>(game->stageCompleteWindow.get()), nullptr);
    EXPECT_NE(dynamic_cast<Petalwork::GUIGameCompleteWindow*>(game->gameCompleteWindow.get()), nullptr);
    EXPECT_NE(dynamic_cast<Petalwork::GUIGameOverWindow*>(game->gameOverWindow.get()), nullptr);
}

TEST_F(GameOverlays, LastLevelOfAStageGoesOnToStageCompleteInTheSamePass)
{
    auto* levelComplete = static_cast<Petalwork::GUILevelCompleteWindow*>(game->levelCompleteWindow.get());
    auto* stageComplete = static_cast<Petalwork::GUIStageCompleteWindow*>(game->stageCompleteWindow.get());
    WinLevel({0, game->levels->GetLevelCount(0) - 1});
    game->ProcessTransitions();
    EXPECT_FALSE(levelComplete->shown);
    EXPECT_FALSE(levelComplete->IsLastLevelOfStage()); // cleared by its Hide
    EXPECT_FALSE(levelComplete->GetOverlay()->visible);
    EXPECT_TRUE(stageComplete->shown);
    EXPECT_TRUE(stageComplete->GetOverlay()->visible);
    EXPECT_NE(game->level, nullptr); // kept until the stage-complete overlay closes it
}

TEST_F(GameOverlays, OtherLevelsShowTheLevelCompleteOverlay)
{
    ASSERT_GT(game->levels->GetLevelCount(0), 1);
    auto* levelComplete = static_cast<Petalwork::GUILevelCompleteWindow*>(game->levelCompleteWindow.get());
    WinLevel({0, 0});
    game->ProcessTransitions();
    EXPECT_TRUE(levelComplete->shown);
    EXPECT_TRUE(levelComplete->GetOverlay()->visible);
    EXPECT_FALSE(game->stageCompleteWindow->shown);
}

} // namespace

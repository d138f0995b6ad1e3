// The game's own steps of the screen flow on the real game object: the menu background, menu music, level
// music by the stage's parity, and a level entered again while its track is still fading out.

#include "game/app/Game.h"

#include "game/screens/GUIBackgroundWindow.h"
#include "game/screens/GUIFlowerHouse.h"

#include "framework/DataKeeper.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/MusicTrack.h"
#include "framework/SoundPlayer.h"
#include "GameWorld.h"

#include <gtest/gtest.h>

using GameFramework::MusicFadeState;
using Petalwork::Game;

namespace {

class GameMusic : public ::testing::Test {
protected:
    GameMusic() { game = std::make_unique<Game>("Brindlemoor", "Quorvane"); }
    ~GameMusic() override { game.reset(); }

    // The track id on a channel, or -1.
    int32_t OnChannel(int32_t channel) const
    {
        const GameFramework::MusicTrack* track = game->soundPlayer->FindMusicChannel(channel);
        return track != nullptr ? track->trackId : -1;
    }
    MusicFadeState FadeOf(int32_t channel) const { return game->soundPlayer->FindMusicChannel(channel)->fadeState; }

    GameWorld world;
    std::unique_ptr<Game> game;
};

TEST_F(GameMusic, LevelMusicFollowsTheStageParityAndReplacesTheMenuMusic)
{
    ASSERT_NE(game->soundPlayer->soundManager, nullptr);
    const struct {
        uint32_t stage;
        int32_t track;
    } cases[] = {{0, 1}, {1, 2}, {4, 1}, {7, 2}};
    for (const auto& c : cases) {
        game->PlayMenuMusic();
        EXPECT_EQ(OnChannel(0), 0);
        game->PlayLevelMusic(c.stage);
        EXPECT_EQ(OnChannel(1), c.track) << c.stage;
        EXPECT_EQ(FadeOf(1), MusicFadeState::FadingIn);
        EXPECT_EQ(FadeOf(0), MusicFadeState::FadingOutToStop);
    }
}

TEST_F(GameMusic, TheNextLevelOfAStageKeepsItsTrackPlaying)
{
    game->PlayLevelMusic(2);
    GameFramework::MusicTrack* track = game->soundPlayer->FindMusicChannel(1);
    track->fadeState = MusicFadeState::Steady;
    track->fadeLevel = 1.0f;
    game->PlayLevelMusic(2);
    EXPECT_EQ(track->fadeState, MusicFadeState::Steady);
    EXPECT_FLOAT_EQ(track->fadeLevel, 1.0f);
}

TEST_F(GameMusic, ReenteringALevelWhileItsTrackFadesOutStillGivesItMusic)
{
    game->PlayLevelMusic(0);
    game->PlayMenuMusic(); // leaving the level: its track fades out to stop
    ASSERT_EQ(FadeOf(1), MusicFadeState::FadingOutToStop);
    game->PlayLevelMusic(0);
    EXPECT_EQ(OnChannel(1), 1);
    EXPECT_EQ(FadeOf(1), MusicFadeState::FadingIn);
}

} // namespace

namespace {

TEST_F(GameMusic, TransitionsStartTheMenuMusicAndTheStageJingle)
{
    game->logosWindow = std::make_unique<GameFramework::GUILogosWindowBase>(game->engine.get());
    game->logosWindow->Show();
    game->logosWindow->result = 1;
    game->ProcessTransitions();
    EXPECT_EQ(OnChannel(0), 0);

    // Behind the stage screen the menu music is kept going.
    game->soundPlayer->StopAllMusic(1.0f);
    game->ClearResults();
    game->startGameLogicWindow = std::make_unique<GameFramework::GUIStartGameLogicWindowBase>(game->engine.get());
    game->startGameLogicWindow->Show(GameFramework::GUIStartGameLogicWindowBase::Mode::NewGame);
    game->soundPlayer->FindMusicChannel(0)->Stop();
    game->ProcessTransitions();
    EXPECT_EQ(game->soundPlayer->GetMusicState(0), 0);
    game->startGameLogicWindow->Hide();

    // The last level of a stage ends with the jingle.
    const GameFramework::LevelPosition last{0, game->levels->GetLevelCount(0) - 1};
    game->level = std::make_unique<GameFramework::GameLogicBase>(
        *game->engine, game->soundPlayer.get(), &game->levels->GetStage(0), &game->levels->GetLevel(last), 3);
    game->levelCompleteWindow = std::make_unique<GameFramework::GUILevelCompleteWindowBase>(game->engine.get());
    game->levelCompleteWindow->Show();
    game->levelCompleteWindow->result = 1;
    game->ProcessTransitions();
    EXPECT_EQ(OnChannel(3), 3);
    EXPECT_EQ(FadeOf(3), MusicFadeState::FadingIn);
    EXPECT_EQ(FadeOf(0), MusicFadeState::FadingOutToStop);
    game->level.reset();
}

} // namespace

namespace {

TEST_F(GameMusic, StartUpLoadingBuildsTheFlowerHouseAndTheTitleLogoBeforeTheDialogs)
{
    game->gameData->Load();
    game->loadingWindow->Show(game->gameData.get());
    game->loadingWindow->result = 1;
    game->ProcessTransitions();
    ASSERT_NE(game->flowerHouse, nullptr);
    ASSERT_NE(game->titleLogo, nullptr);
    EXPECT_FALSE(game->loadingWindow->shown);
    game->ClearResults();
    game->UpdateWindows(); // the title logo runs the flower house
}

} // namespace

#include "framework/GameLogicBase.h"

#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"

#include <gtest/gtest.h>

using GameFramework::GameLogicBase;
using GameFramework::LevelState;
using GameFramework::ScoreKeeper;

namespace {

class GameLogicBaseTest : public ::testing::Test {
protected:
    GameLogicBaseTest()
    {
        level.stageIndex = 0;
        level.levelIndex = 4;
    }
    std::unique_ptr<GameLogicBase> Make()
    {
        return std::make_unique<GameLogicBase>(nullptr, &log, &timers, nullptr, &stage, &level, 2);
    }

    VantoranEngine::MessageManager log{"", "", "test", false, false};
    VantoranEngine::TimerManager timers;
    GameFramework::StageInfo stage;
    GameFramework::LevelInfo level;
};

} // namespace

TEST_F(GameLogicBaseTest, BornPlayingWithAPausedTimerAndTheLoadingLine)
{
    auto logic = Make();
    EXPECT_EQ(logic->GetState(), LevelState::Playing);
    EXPECT_FALSE(logic->IsChanged());
    EXPECT_EQ(logic->lives, 2);
    EXPECT_TRUE(GameFramework::IsSamePosition(logic->GetPosition(), {0, 4}));
    ASSERT_NE(logic->GetLevelTimer(), nullptr);
    EXPECT_TRUE(logic->GetLevelTimer()->IsPaused());
    const float time = logic->GetLevelTimer()->GetTime(); // set to 0, then paused: frozen near 0
    EXPECT_LT(time, 0.01f);
    EXPECT_EQ(logic->GetLevelTimer()->GetTime(), time);
    EXPECT_EQ(logic->GetScoreKeeper().total, 0);
    EXPECT_EQ(logic->GetScoreKeeper().multiplier, 1);

    const auto entries = log.GetEntries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[entries.size() - 2].text, "\n");
    EXPECT_EQ(entries.back().text, "Loading level 1-5...\n");
}

TEST_F(GameLogicBaseTest, ChangedIsSetOnlyWhenTheStateDiffers)
{
    auto logic = Make();
    logic->SetState(LevelState::Playing);
    EXPECT_FALSE(logic->IsChanged());
    logic->SetState(LevelState::Won);
    EXPECT_TRUE(logic->IsChanged());
    logic->ClearChanged();
    logic->SetState(LevelState::Won);
    EXPECT_FALSE(logic->IsChanged());
    EXPECT_EQ(logic->GetState(), LevelState::Won);
    logic->SetState(LevelState::Restart);
    EXPECT_TRUE(logic->IsChanged());
    EXPECT_EQ(static_cast<int32_t>(logic->GetState()), 4);
}

TEST(ScoreKeeperTest, PointsAreTheFirstRegistrationTimesTheMultiplier)
{
    ScoreKeeper keeper;
    keeper.SetPoints(7, 50);
    keeper.SetPoints(7, 80);
    keeper.SetPoints(3, -5);
    const struct {
        int32_t multiplier;
        uint32_t id;
        int32_t points;
    } cases[] = {{1, 7, 50}, {2, 7, 100}, {2, 3, -10}, {1, 9, 0}, {2, 9, 0}};
    for (const auto& c : cases) {
        keeper.multiplier = c.multiplier;
        EXPECT_EQ(keeper.GetPoints(c.id), c.points) << c.id << " x" << c.multiplier;
    }
}

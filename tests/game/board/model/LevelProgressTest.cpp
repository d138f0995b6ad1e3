#include "game/board/model/LevelProgress.h"

#include "framework/LevelInfo.h"
#include "framework/StageInfo.h"

#include <gtest/gtest.h>

#include <vector>

using Petalwork::LevelProgress;

TEST(LevelProgressTest, AddFollowsTheGoalTable)
{
    const struct {
        const char* what;
        int32_t kind;
        uint32_t goal;
        std::vector<uint32_t> calls;
        uint32_t count;
        bool done;
    } cases[] = {
        {"counts up", 3, 5, {1, 1}, 2, false},
        {"a score jump clamps", 2, 3000, {1000, 2500}, 3000, true},
        {"a huge jump clamps", 2, 10, {5, 0xFFFFFFFFu}, 10, true},
        {"goal 0 waits for the first event", 0, 0, {}, 0, false},
        {"goal 0 done by the first event", 0, 0, {1}, 0, true},
        {"target kind counts one per chip", 10, 5, {2, 2, 2}, 3, false},
        {"other kinds count nothing", 10, 5, {0, 1, 3, 9}, 0, false},
        {"goal 0 in kind 10 done by any call", 10, 0, {4}, 0, true},
        {"nothing changes once done", 5, 2, {1, 1, 1, 1}, 2, true},
    };
    for (const auto& c : cases) {
        LevelProgress progress(c.goal, c.kind, 2);
        progress.idleTime = 3.0f;
        for (uint32_t n : c.calls)
            progress.Add(n);
        EXPECT_EQ(progress.count, c.count) << c.what;
        EXPECT_EQ(progress.done, c.done) << c.what;
    }
}

TEST(LevelProgressTest, IdleTimeRestartsOnlyWhenTheCountGrows)
{
    LevelProgress progress(10, 10, 1);
    progress.idleTime = 4.0f;
    progress.Add(0);
    EXPECT_EQ(progress.idleTime, 4.0f);
    progress.Add(1);
    EXPECT_EQ(progress.idleTime, 0.0f);

    LevelProgress layers(6, 7, 0);
    layers.Add(6);
    layers.idleTime = 2.0f;
    layers.Reset();
    EXPECT_EQ(layers.count, 0u);
    EXPECT_FALSE(layers.done);
    EXPECT_EQ(layers.idleTime, 0.0f);
    EXPECT_EQ(layers.goal, 6u); // the goal stays after a lost life
}

TEST(LevelProgressTest, TheRecordsGiveGoalKindAndTarget)
{
    GameFramework::LevelInfo level;
    level.goalCount = 25;
    level.levelKind = 10;
    GameFramework::StageInfo stage;
    stage.flowerKinds = {0, 1, 3, 4, 5};
    LevelProgress progress(level, stage, 32767);
    EXPECT_EQ(progress.goal, 25u);
    EXPECT_EQ(progress.goalKind, 10);
    EXPECT_EQ(progress.targetKind, 32767 % 5);
    EXPECT_EQ(progress.count, 0u);
    EXPECT_FALSE(progress.done);
}

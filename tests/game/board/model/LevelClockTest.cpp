#include "game/board/model/LevelClock.h"

#include "SoundRecorder.h"
#include "framework/ScoreKeeper.h"

#include <gtest/gtest.h>

using Petalwork::LevelClock;

namespace {

struct Clock {
    explicit Clock(float time, bool hasClock = true) : clock(sounds, score, time, 0.1f, hasClock) {}

    SoundRecorder sounds;
    GameFramework::ScoreKeeper score;
    LevelClock clock;
};

// Frames of 0.05 s until the after-bonus is done; the number of steps that paid.
int RunAfterBonus(Clock& c)
{
    c.clock.StartAfterBonus();
    for (int i = 0; i < 1000 && !c.clock.afterBonusDone; ++i)
        c.clock.UpdateAfterBonus(0.05f);
    EXPECT_TRUE(c.clock.afterBonusDone);
    return static_cast<int>(c.clock.afterBonusShown / 50);
}

} // namespace

TEST(LevelClockTest, CountdownReachesZeroOnceAndHoldStopsIt)
{
    Clock c(1.0f);
    EXPECT_FALSE(c.clock.Countdown(0.1f, true));
    EXPECT_FLOAT_EQ(c.clock.timeLeft, 1.0f);
    int frames = 0;
    while (!c.clock.Countdown(0.1f, false) && frames < 100)
        ++frames;
    EXPECT_EQ(c.clock.timeLeft, 0.0f);
    EXPECT_FALSE(c.clock.Countdown(0.1f, false)); // reported once
    EXPECT_FLOAT_EQ(c.clock.ElapsedFraction(), 1.0f);
    EXPECT_EQ(Clock(0.0f).clock.ElapsedFraction(), 0.0f);
}

TEST(LevelClockTest, AfterBonusStepsTakeFiveWholeSecondsEach)
{
    struct Case {
        float left;
        int steps;
    };
    for (const Case& k : {Case{20.0f, 4}, Case{23.0f, 4}, Case{4.9f, 0}, Case{5.0f, 1}}) {
        Clock c(60.0f);
        c.clock.timeLeft = k.left;
        EXPECT_EQ(RunAfterBonus(c), k.steps) << k.left;
        EXPECT_EQ(c.score.total, 10 * k.steps);
        EXPECT_EQ(c.sounds.Count("play 41"), 1);
        EXPECT_EQ(c.sounds.calls.back(), "unloop 41");
    }
}

TEST(LevelClockTest, WithoutAClockTheAfterBonusIsDoneAndSilent)
{
    Clock c(60.0f, false);
    EXPECT_TRUE(c.clock.afterBonusDone);
    c.clock.StartAfterBonus();
    EXPECT_FALSE(c.clock.afterBonusRunning);
    EXPECT_EQ(c.sounds.Count("play 41"), 0);
}

TEST(LevelClockTest, WarningPlaysOncePerLevelBlinksAndStopsWithTheGoal)
{
    Clock c(25.0f);
    c.clock.UpdateWarning(0.1f, false);
    EXPECT_FALSE(c.clock.warningPlayed); // 25 s left
    c.clock.timeLeft = 20.0f;
    c.clock.UpdateWarning(0.1f, false);
    EXPECT_FALSE(c.clock.warningPlayed); // not at 20 itself
    c.clock.timeLeft = 19.9f;
    c.clock.UpdateWarning(0.0f, false);
    EXPECT_EQ(c.sounds.Count("play 22"), 1);
    EXPECT_FLOAT_EQ(c.clock.warningColour.g, 1.0f); // phase 0: white
    c.clock.UpdateWarning(0.25f, false);
    EXPECT_FLOAT_EQ(c.clock.warningColour.g, 1.0f - 0.73f * 0.5f);
    c.clock.UpdateWarning(0.25f, false); // phase wraps: toggle off, red
    EXPECT_FALSE(c.clock.blinkToggle);
    EXPECT_FLOAT_EQ(c.clock.warningColour.g, 0.27f);

    c.clock.Reset();
    EXPECT_EQ(c.sounds.Count("stop 22"), 1);
    EXPECT_FLOAT_EQ(c.clock.timeLeft, 25.0f);
    EXPECT_FLOAT_EQ(c.clock.warningColour.g, 1.0f);
    c.clock.timeLeft = 10.0f;
    c.clock.UpdateWarning(0.1f, false);
    EXPECT_EQ(c.sounds.Count("play 22"), 1); // once per level, even after a lost life
    EXPECT_GT(c.clock.blinkPhase, 0.0f);     // but the blink resumes

    Clock won(25.0f);
    won.clock.timeLeft = 10.0f;
    won.clock.UpdateWarning(0.1f, false);
    won.clock.UpdateWarning(0.1f, true);
    won.clock.UpdateWarning(0.1f, true);
    EXPECT_EQ(won.sounds.Count("stop 22"), 1); // the looped warning ends with the goal
}

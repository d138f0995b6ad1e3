#include "engine/core/HandleTable.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"

#include "platform/os/Clock.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VantoranEngine;

namespace {

constexpr uint64_t kMillisecond = 1000000; // manual clock units are nanoseconds

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::UseManualClock(1000 * kMillisecond); }
    void TearDown() override { Platform::UseRealClock(); }
    static void Advance(uint64_t milliseconds) { Platform::AdvanceManualClock(milliseconds * kMillisecond); }
};

struct Tracked {
    explicit Tracked(int id, std::vector<int>* deleted = nullptr) : id(id), deleted(deleted) {}
    ~Tracked()
    {
        if (deleted)
            deleted->push_back(id);
    }
    int id;
    std::vector<int>* deleted;
};

std::vector<int> Ids(const HandleTable<Tracked>& table)
{
    std::vector<int> ids;
    for (Tracked* t : table)
        ids.push_back(t->id);
    return ids;
}

} // namespace

TEST_F(TimerTest, PauseResumeAndSetTime)
{
    for (bool counter : {false, true}) {
        Timer timer(counter, 0.0f);
        Advance(2000);
        timer.SetPaused(true);
        Advance(5000);
        EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
        timer.SetPaused(true); // no change: the pause instant stays
        timer.SetPaused(false);
        EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
        Advance(500);
        EXPECT_FLOAT_EQ(timer.GetTime(), 2.5f);

        timer.SetPaused(true);
        timer.SetTime(3.0f);
        EXPECT_FALSE(timer.IsPaused());
        EXPECT_FLOAT_EQ(timer.GetTime(), 3.0f);
        Advance(250);
        EXPECT_FLOAT_EQ(timer.GetTime(), 3.25f);
    }
}

TEST_F(TimerTest, MillisecondClockWraps)
{
    Platform::UseManualClock(0xFFFFFF00ull * kMillisecond);
    Timer timer(false, 1.0f);
    Advance(1000); // the 32-bit millisecond clock wraps here
    EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
}

TEST_F(TimerTest, HandleTableReusesTheLastFreedSlotAndKeepsOrder)
{
    std::vector<int> deleted;
    {
        HandleTable<Tracked> table;
        Tracked* t[4];
        for (int i = 0; i < 4; ++i) {
            t[i] = new Tracked(i, &deleted);
            table.Add(t[i]);
        }
        EXPECT_TRUE(table.Remove(t[1]));
        EXPECT_TRUE(table.Remove(t[2]));
        EXPECT_EQ(deleted, (std::vector<int>{1, 2}));
        EXPECT_EQ(Ids(table), (std::vector<int>{0, 3}));

        Tracked* added = new Tracked(4, &deleted);
        table.Add(added);
        EXPECT_EQ(table.SlotOf(added), 2); // the second slot freed
        EXPECT_EQ(Ids(table), (std::vector<int>{0, 3, 4}));

        Tracked outsider(9);
        EXPECT_FALSE(table.Remove(&outsider));
        EXPECT_FALSE(table.Remove(nullptr));
        EXPECT_EQ(table.Count(), 3u);
    }
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 0, 3, 4}));
}

TEST_F(TimerTest, FrameTimeIsClampedButCountedInFull)
{
    TimerManager manager;
    EXPECT_FALSE(manager.mainTimer->UsesPerformanceCounter()); // timer caps succeed with 1 ms
    Advance(500);
    manager.Update(); // the first frame: the time since construction, clamped
    EXPECT_FLOAT_EQ(manager.frameTime, 0.1f);
    EXPECT_EQ(manager.measuredFps, 0u);

    manager.Update(); // a zero-length frame
    EXPECT_FLOAT_EQ(manager.frameTime, 0.001f);

    // 0.25 s: clamped to 0.1 but added to the second in full.
    Advance(250);
    manager.Update();
    EXPECT_FLOAT_EQ(manager.frameTime, 0.1f);
    EXPECT_EQ(manager.measuredFps, 0u);
    Advance(250);
    manager.Update();
    EXPECT_EQ(manager.measuredFps, 4u); // 0.5 + 0 + 0.25 + 0.25 s close the second

    // 60 frames of 16/17 ms: the count appears at the frame where the sum reaches one second.
    const int steps[3] = {17, 17, 16};
    uint32_t sum = 0;
    for (int frame = 0; frame < 60; ++frame) {
        Advance(steps[frame % 3]);
        sum += steps[frame % 3];
        manager.Update();
        if (sum < 1000) {
            EXPECT_EQ(manager.measuredFps, 4u) << frame;
        }
    }
    EXPECT_EQ(sum, 1000u);
    EXPECT_EQ(manager.measuredFps, 60u);
    EXPECT_FLOAT_EQ(manager.lastTime, 2.0f);
}

TEST_F(TimerTest, FrameTimeStaysExactAfterDaysOfRunning)
{
    TimerManager manager;
    Advance(6ull * 24 * 3600 * 1000); // six days
    manager.Update();
    for (int frame = 0; frame < 10; ++frame) {
        Advance(16);
        manager.Update();
        EXPECT_FLOAT_EQ(manager.frameTime, 0.016f);
    }
}

TEST_F(TimerTest, ManagerOwnsRegisteredTimers)
{
    TimerManager manager;
    Timer* level = new Timer(false, 0.0f);
    manager.AddTimer(level);
    manager.RemoveTimer(nullptr);
    Timer outsider(false, 0.0f);
    manager.RemoveTimer(&outsider); // not registered: ignored
    manager.RemoveTimer(level);
    manager.AddTimer(new Timer(true, 0.0f)); // left for the manager to delete
}

#include "platform/os/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(Clock, TickCountAdvancesInMilliseconds)
{
    const uint32_t before = Platform::GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint32_t elapsed = Platform::GetTickCount() - before; // unsigned: a wrap in between is harmless
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 10000u);
}

TEST(Clock, ManualClockDrivesEveryReading)
{
    Platform::UseManualClock(0xFFFFFFFFull * 1000000u); // the millisecond count is about to wrap
    EXPECT_EQ(Platform::TimeGetTime(), 0xFFFFFFFFu);
    const int64_t counter = Platform::QueryPerformanceCounter();
    Platform::AdvanceManualClock(2500000); // 2.5 ms
    EXPECT_EQ(Platform::TimeGetTime(), 1u);
    EXPECT_EQ(Platform::GetTickCount(), 1u);
    EXPECT_EQ(Platform::QueryPerformanceCounter() - counter, 2500000);
    EXPECT_EQ(Platform::QueryPerformanceFrequency(), 1000000000);
    Platform::UseRealClock();

    uint32_t minimum = 0, maximum = 0;
    EXPECT_TRUE(Platform::TimeGetDevCaps(minimum, maximum));
    EXPECT_EQ(minimum, 1u);
}

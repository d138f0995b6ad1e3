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

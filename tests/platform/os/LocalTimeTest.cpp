#include "platform/os/LocalTime.h"

#include <gtest/gtest.h>

TEST(LocalTime, AscTimeFormWithZeroPaddedDay)
{
    const Platform::LocalTime t{1980, 1, 2, 2, 3, 55, 3};
    EXPECT_EQ(Platform::FormatAscTime(t), "Wed Jan 02 02:03:55 1980");
    EXPECT_EQ(Platform::FormatAscTime({2026, 12, 31, 23, 59, 59, 4}), "Thu Dec 31 23:59:59 2026");

    Platform::OverrideLocalTime(&t);
    EXPECT_EQ(Platform::GetLocalTimeText(), "Wed Jan 02 02:03:55 1980");
    Platform::OverrideLocalTime(nullptr);
    EXPECT_EQ(Platform::GetLocalTimeText().size(), 24u);
}

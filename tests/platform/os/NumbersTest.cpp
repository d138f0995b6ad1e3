#include "platform/os/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Numbers, IntegersSaturateTo32Bits)
{
    struct Case {
        const char* text;
        int32_t asInt;
        uint32_t asUInt;
    } const cases[] = {
        {"42", 42, 42},
        {"  -7xyz", -7, 0xFFFFFFF9u},
        {"+5", 5, 5},
        {"3000000000", INT32_MAX, 3000000000u},
        {"-3000000000", INT32_MIN, 1294967296u},
        {"99999999999999999999", INT32_MAX, 0xFFFFFFFFu},
        {"-2147483648", INT32_MIN, 2147483648u},
        {"true", 0, 0},
        {"", 0, 0},
        {"0x10", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Platform::StringToInt(c.text), c.asInt) << c.text;
        EXPECT_EQ(Platform::StringToUInt(c.text), c.asUInt) << c.text;
    }
    size_t used = 99;
    Platform::StringToUInt(" 800x600", &used);
    EXPECT_EQ(used, 4u);
    Platform::StringToUInt("x", &used);
    EXPECT_EQ(used, 0u);
}

TEST(Numbers, DoublesAreDecimalOnly)
{
    struct Case {
        const char* text;
        double value;
    } const cases[] = {
        {"0.95", 0.95}, {" -1.5e2x", -150.0}, {".5", 0.5}, {"5.", 5.0}, {"1e", 1.0},
        {"0x1p3", 0.0}, {"inf", 0.0},          {"nan", 0.0}, {"abc", 0.0}, {"1,5", 1.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Platform::StringToDouble(c.text), c.value) << c.text;
    EXPECT_EQ(Platform::StringToDouble("1e999"), HUGE_VAL);
    EXPECT_EQ(Platform::StringToDouble("1e-999"), 0.0);
}

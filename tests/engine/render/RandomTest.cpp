#include "engine/render/Random.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

TEST(Random, SequenceFromSeedZero)
{
    RandomSeed = 0;
    EXPECT_EQ(Random(), 0u);
    EXPECT_EQ(RandomSeed, 12345u);
    EXPECT_EQ(Random(), 21468u);
    EXPECT_EQ(RandomSeed, 3554416254u);
    EXPECT_EQ(Random(), 9988u);
    EXPECT_EQ(RandomSeed, 2802067423u);
}

// Seeds whose next step yields the smallest (0) and the largest (32767) value.
static uint32_t SeedGiving(uint32_t value)
{
    // next = seed * 1103515245 + 12345; invert the multiplier mod 2^32 to aim at next = value << 16.
    uint32_t inverse = 1;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - 1103515245u * inverse;
    return ((value << 16) - 12345u) * inverse;
}

TEST(Random, DerivedFormsAtTheirRangeEnds)
{
    struct Case {
        uint32_t value;
        float unit, range, rangeReversed, spread;
        uint32_t integer;
    };
    const Case cases[] = {
        {0, 0.0f, 2.0f, 1.0f, 7.0f, 3},  // RandomInt(32770, 3) spans exactly 32768 values
        {32767, 0.999969482421875f, 2.0f + 4.0f * 0.999969482421875f, 1.0f - 0.999969482421875f,
         10.0f + 0.99993896484375f * 3.0f, 32770},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        RandomSeed = SeedGiving(c.value);
        const uint32_t start = RandomSeed;
        EXPECT_EQ(RandomFloat(), c.unit);
        RandomSeed = start;
        EXPECT_EQ(RandomRange(2.0f, 6.0f), c.range);
        RandomSeed = start;
        EXPECT_EQ(RandomRange(1.0f, 0.0f), c.rangeReversed);
        RandomSeed = start;
        EXPECT_EQ(RandomSpread(10.0f, 3.0f), c.spread);
        RandomSeed = start;
        EXPECT_EQ(RandomInt(32770, 3), c.integer);
    }
}

TEST(Random, DegenerateRangesStillAdvanceTheSeed)
{
    RandomSeed = 77;
    EXPECT_EQ(RandomInt(5, 5), 5u);
    EXPECT_EQ(RandomRange(2.0f, 2.0f), 2.0f);
    EXPECT_EQ(RandomSpread(10.0f, 0.0f), 10.0f);
    uint32_t expected = 77;
    for (int i = 0; i < 3; ++i)
        expected = expected * 1103515245u + 12345u;
    EXPECT_EQ(RandomSeed, expected);
}

TEST(Random, FullSpanIntegerDoesNotDivideByZero)
{
    RandomSeed = 0;
    Random();
    const uint32_t next = (RandomSeed * 1103515245u + 12345u) >> 16 & 0x7FFFu;
    EXPECT_EQ(RandomInt(9, 10), 10u + next);
}

#include "game/board/model/ChipLogic.h"

#include <gtest/gtest.h>

using Petalwork::ChipLogic;

TEST(ChipLogicTest, SnapTable)
{
    struct Case {
        float a;
        float drawn;
    };
    const Case cases[] = {
        {12.3449f, 12.34f},  {12.3461f, 12.3461f}, {12.345f, 12.345f}, {400.0f, 400.0f},
        {-12.3449f, -12.34f}, {-12.3461f, -12.34f}, {0.004f, 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(ChipLogic::SnapCoordinate(c.a), c.drawn) << c.a;
}

TEST(ChipLogicTest, OnlyPlainFlowersHover)
{
    ChipLogic flower;
    flower.flowerKind = 3;
    EXPECT_TRUE(flower.CanHover());
    ChipLogic stone = flower;
    stone.flowerKind = Petalwork::stoneKind;
    EXPECT_FALSE(stone.CanHover());
    ChipLogic frozen = flower;
    frozen.frozen = true;
    EXPECT_FALSE(frozen.CanHover());
    ChipLogic hint = flower;
    hint.hintChip = true;
    EXPECT_FALSE(hint.CanHover());
}

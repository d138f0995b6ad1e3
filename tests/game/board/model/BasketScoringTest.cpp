#include "game/board/model/BasketScoring.h"

#include <gtest/gtest.h>

using Petalwork::BasketLogic;
using Petalwork::BasketScoring;

namespace {

Petalwork::GameSettings Settings()
{
    Petalwork::GameSettings s;
    s.quickBasketSecondsPerFlower = 2.0f;
    s.quickGainThreshold = 5;
    s.quickBasketBonus = 100;
    s.basketEdgeBonus = 200;
    s.quickGainBonus = 400;
    return s;
}

BasketLogic Basket(unsigned flowers, float alive)
{
    BasketLogic b;
    b.flowerTotal = flowers;
    b.timeAlive = alive;
    return b;
}

} // namespace

TEST(BasketScoringTest, ComboPaysFromTheFourthFillOfAQuickChain)
{
    const Petalwork::GameSettings settings = Settings();
    BasketScoring scoring(settings);
    const BasketLogic slow = Basket(3, 100.0f);
    std::vector<int32_t> points;
    for (int i = 0; i < 6; ++i) {
        if (i > 0)
            scoring.Advance(1.0f);
        points.push_back(scoring.Score(slow, false).points);
    }
    EXPECT_EQ(points, (std::vector<int32_t>{0, 0, 0, 3000, 5000, 9000}));
    scoring.Advance(2.0f); // a pause of 2 s ends the chain
    EXPECT_EQ(scoring.Score(slow, false).points, 0);
    EXPECT_EQ(scoring.comboChain, 0u);
}

TEST(BasketScoringTest, EachBonusHasItsCondition)
{
    struct Case {
        unsigned flowers;
        float alive;
        bool edge;
        bool seal;
        int32_t points;
        bool quick, quickGain;
    };
    const Case cases[] = {
        {3, 6.0f, false, false, 100, true, false},   // quick: alive <= 3 x 2
        {3, 6.1f, false, false, 0, false, false},
        {3, 60.0f, true, false, 200, false, false},  // edge
        {6, 60.0f, false, true, 400, false, true},   // quick gain: 6 flowers > 5
        {5, 60.0f, false, true, 0, false, false},    // 5 is not above 5
        {6, 1.0f, true, true, 700, true, true},
    };
    for (const Case& c : cases) {
        const Petalwork::GameSettings settings = Settings();
        BasketScoring scoring(settings);
        BasketLogic basket = Basket(c.flowers, c.alive);
        basket.quickGainSeal = c.seal;
        const auto bonus = scoring.Score(basket, c.edge);
        EXPECT_EQ(bonus.points, c.points) << c.flowers << " " << c.alive;
        EXPECT_EQ(bonus.quickBasket, c.quick);
        EXPECT_EQ(bonus.quickGain, c.quickGain);
        EXPECT_EQ(bonus.edge, c.edge);
        EXPECT_EQ(bonus.Any(), c.points != 0);
        EXPECT_EQ(scoring.quickBaskets, c.quick ? 1u : 0u);
        EXPECT_EQ(scoring.quickGains, c.quickGain ? 1u : 0u);
    }
}

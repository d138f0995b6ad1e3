#include "game/board/model/BasketLogic.h"
#include "game/board/model/BasketPlaces.h"

#include <gtest/gtest.h>

using Petalwork::BasketLogic;
using Petalwork::BasketOrderEntry;
using Petalwork::BasketPlaces;

namespace {

BasketOrderEntry Entry(int kind, int count, bool open = true)
{
    BasketOrderEntry e;
    e.flowerKind = kind;
    e.toSend = count;
    e.toArrive = count;
    e.open = open;
    return e;
}

} // namespace

TEST(BasketLogicTest, ChipsAreTakenOnlyByOpenEntriesOfTheirKindAndFillTheBasketOnArrival)
{
    BasketLogic basket;
    basket.SetOrder({Entry(2, 2), Entry(5, 1, false)}, 3.0f);
    EXPECT_EQ(basket.flowerTotal, 3u);
    EXPECT_FLOAT_EQ(basket.timerTotal, 9.0f);
    EXPECT_FLOAT_EQ(basket.timerLeft, 9.0f);

    EXPECT_FALSE(basket.TakeChip(5)); // its icon has not appeared yet
    EXPECT_FALSE(basket.TakeChip(4));
    EXPECT_TRUE(basket.AllEntriesUntouched());
    EXPECT_TRUE(basket.TakeChip(2));
    EXPECT_FALSE(basket.AllEntriesUntouched());
    EXPECT_TRUE(basket.HasChipsInFlight());
    EXPECT_TRUE(basket.TakeChip(2));
    EXPECT_FALSE(basket.TakeChip(2));

    basket.order[1].open = true;
    EXPECT_TRUE(basket.TakeChip(5));
    EXPECT_FALSE(basket.HasChipsToSend());
    EXPECT_FALSE(basket.ArriveChip(2));
    EXPECT_EQ(basket.order[0].shownCount, 1);
    EXPECT_FALSE(basket.ArriveChip(5));
    EXPECT_TRUE(basket.ArriveChip(2));
    EXPECT_FALSE(basket.HasChipsInFlight());
    EXPECT_TRUE(basket.ArriveChip(2)); // a stray arrival never counts below 0
    EXPECT_EQ(basket.order[0].toArrive, 0);
}

TEST(BasketLogicTest, TheHornPicksOnlyKindsThatOpenEntriesStillWant)
{
    BasketLogic basket;
    basket.SetOrder({Entry(1, 1), Entry(3, 2, false), Entry(7, 0)}, 0.0f);
    int draws = 0;
    const auto random = [&draws]() -> uint32_t { ++draws; return 12345; };
    EXPECT_EQ(basket.PickWantedKind(random), 1);
    EXPECT_EQ(draws, 1);
    basket.order[0].toSend = 0;
    EXPECT_EQ(basket.PickWantedKind(random), -1); // kind 3 is not open yet
    EXPECT_EQ(draws, 1);
    basket.order[1].open = true;
    EXPECT_EQ(basket.PickWantedKind([] { return 0u; }), 3);
}

TEST(BasketLogicTest, ShownCountCountsUpWithinTheCountUpTimeAndStopsAtChipsStillToSend)
{
    BasketLogic basket;
    basket.SetOrder({Entry(0, 4), Entry(1, 3, false)}, 0.0f);
    // 0.5 s for four steps: one every 0.125 s (the first step comes at once).
    int frames = 0;
    while (basket.order[0].shownCount < 4 && frames < 100) {
        basket.CountUp(0.01f, 0.5f);
        ++frames;
    }
    EXPECT_EQ(basket.order[0].shownCount, 4);
    EXPECT_NEAR(frames, 39, 2);
    EXPECT_EQ(basket.order[1].shownCount, 0); // not open

    BasketLogic sent;
    sent.SetOrder({Entry(0, 4)}, 0.0f);
    sent.CountUp(0.01f, 0.5f);
    EXPECT_EQ(sent.order[0].shownCount, 1);
    sent.TakeChip(0);
    sent.TakeChip(0);
    sent.TakeChip(0);
    for (int i = 0; i < 100; ++i)
        sent.CountUp(0.01f, 0.5f);
    EXPECT_EQ(sent.order[0].shownCount, 1); // a chip sent meanwhile ends the count-up early
}

TEST(BasketLogicTest, TimerColourRunsGreenYellowRed)
{
    struct Case {
        float left;
        Petalwork::BasketColour colour;
        float fraction;
    };
    const Case cases[] = {
        {10.0f, {0.21f, 0.72f, 0.21f, 1.0f}, 0.0f},
        {5.0f, {0.78f, 0.78f, 0.15f, 1.0f}, 0.5f},
        {0.0f, {0.78f, 0.15f, 0.15f, 1.0f}, 1.0f},
    };
    for (const Case& c : cases) {
        BasketLogic basket;
        basket.SetOrder({Entry(0, 5)}, 2.0f);
        basket.timerLeft = c.left;
        const auto colour = basket.TimerColour();
        EXPECT_NEAR(colour.r, c.colour.r, 1e-5f) << c.left;
        EXPECT_NEAR(colour.g, c.colour.g, 1e-5f) << c.left;
        EXPECT_NEAR(colour.b, c.colour.b, 1e-5f) << c.left;
        EXPECT_NEAR(basket.TimerFraction(), c.fraction, 1e-6f) << c.left;
    }
    BasketLogic empty; // no chips: no time, and no division by it
    empty.SetOrder({Entry(0, 0)}, 2.0f);
    EXPECT_EQ(empty.TimerFraction(), 0.0f);
    EXPECT_EQ(empty.TimerColour().g, 0.72f);
}

TEST(BasketPlacesTest, ColumnsAreCentredOnTheMiddleRow)
{
    struct Case {
        int count;
        std::vector<float> y;
    };
    const Case cases[] = {
        {1, {300}},
        {2, {344, 256}},
        {3, {388, 300, 212}},
        {4, {432, 344, 256, 168}},
        {5, {476, 388, 300, 212, 124}},
    };
    for (const Case& c : cases)
        for (int p = 0; p < c.count; ++p) {
            EXPECT_EQ(BasketPlaces::Position(p, c.count, true).y, c.y[p]) << c.count << " " << p;
            EXPECT_EQ(BasketPlaces::Position(p, c.count, true).x, 48.0f);
            EXPECT_EQ(BasketPlaces::Position(p, c.count, false).x, 752.0f);
        }
    // Two columns of four places in all: both sides use rows 0 and 1.
    EXPECT_EQ(BasketPlaces::Position(1, 4, false).y, 344.0f);
    // Beyond the table: the last row, never outside it.
    EXPECT_EQ(BasketPlaces::Position(7, 5, true).y, 124.0f);
}

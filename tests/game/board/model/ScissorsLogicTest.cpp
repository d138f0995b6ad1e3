#include "game/board/model/PanelSlide.h"
#include "game/board/model/ScissorsLogic.h"

#include "framework/ScoreKeeper.h"

#include <gtest/gtest.h>

using Petalwork::PanelSlide;
using Petalwork::PanelState;
using Petalwork::ScissorsLogic;

namespace {

struct Scissors : ScissorsLogic {
    Scissors(GameFramework::ScoreKeeper& score, std::vector<int32_t> thresholds) : ScissorsLogic(score, thresholds) {}
    void Award(unsigned n) override
    {
        awards.push_back(n);
        ScissorsLogic::Award(n);
    }
    std::vector<unsigned> awards;
};

GameFramework::ScoreKeeper Keeper()
{
    GameFramework::ScoreKeeper k;
    k.SetPoints(15, 450);
    k.SetPoints(16, 900);
    k.SetPoints(17, 1800);
    return k;
}

} // namespace

TEST(ScissorsLogicTest, NoThresholdsNeverAwardNorDivide)
{
    GameFramework::ScoreKeeper score = Keeper();
    Scissors s(score, {});
    for (int i = 0; i < 50; ++i)
        s.CountChip(false);
    EXPECT_TRUE(s.awards.empty());
    EXPECT_EQ(s.Fill(), 0.0f);
    Scissors zero(score, {0}); // a threshold of 0 earns nothing and is never divided by
    zero.CountChip(false);
    EXPECT_TRUE(zero.awards.empty());
    EXPECT_EQ(zero.Fill(), 0.0f);
}

TEST(ScissorsLogicTest, OnePairAtItsThresholdThenNoCountingUntilTheCut)
{
    GameFramework::ScoreKeeper score = Keeper();
    Scissors s(score, {20});
    for (int i = 0; i < 19; ++i)
        s.CountChip(false);
    EXPECT_FLOAT_EQ(s.Fill(), 0.95f);
    s.CountChip(false);
    EXPECT_EQ(s.pairs, 1u);
    EXPECT_EQ(score.total, 450);
    for (int i = 0; i < 30; ++i)
        s.CountChip(false);
    EXPECT_EQ(s.chipCount, 0u); // all pairs held: nothing counts
    EXPECT_EQ(s.Fill(), 0.0f);
    EXPECT_EQ(s.Spend(), 1u);
    EXPECT_EQ(s.pairs, 0u);
    for (int i = 0; i < 19; ++i)
        s.CountChip(false);
    EXPECT_EQ(s.pairs, 0u); // 20 more chips needed
    s.CountChip(false);
    EXPECT_EQ(s.pairs, 1u);
}

TEST(ScissorsLogicTest, ACutSpendsItsPairsBeforeItsChipsCountTowardsTheNext)
{
    GameFramework::ScoreKeeper score = Keeper();
    Scissors s(score, {2, 3, 4, 5}); // a fourth threshold is ignored
    EXPECT_EQ(s.ThresholdCount(), 3u);
    for (int i = 0; i < 2 + 2; ++i)
        s.CountChip(false);
    EXPECT_EQ(s.pairs, 1u);
    EXPECT_EQ(s.chipCount, 2u); // one short of the second pair
    s.armedMode = 1;
    const unsigned spent = s.Spend();
    EXPECT_EQ(spent, 1u);
    EXPECT_EQ(s.armedMode, 0);
    for (int i = 0; i < 3; ++i) // the cut's chips
        s.CountChip(false);
    EXPECT_EQ(s.pairs, 1u); // earned by the cut, and kept
    EXPECT_EQ(s.chipCount, 1u);
}

TEST(ScissorsLogicTest, ThirdPairSetsTheFlagAndFillShowsFullWithTwoOfTwo)
{
    GameFramework::ScoreKeeper score = Keeper();
    Scissors three(score, {1, 1, 1});
    for (int i = 0; i < 3; ++i)
        three.CountChip(false);
    EXPECT_EQ(three.awards, (std::vector<unsigned>{1, 2, 3}));
    EXPECT_TRUE(three.threePairs);
    EXPECT_EQ(score.total, 450 + 900 + 1800);
    three.Spend();
    EXPECT_TRUE(three.threePairs); // never cleared

    Scissors two(score, {1, 1});
    two.CountChip(false);
    two.CountChip(false);
    EXPECT_EQ(two.Fill(), 1.0f);
    two.CountChip(true);
    EXPECT_EQ(two.pairs, 2u);
}

TEST(PanelSlideTest, SlidesInToZeroAndOutToTheHiddenOffset)
{
    PanelSlide slide(-150.0f, 300.0f);
    EXPECT_EQ(slide.offset, -150.0f);
    EXPECT_TRUE(slide.Update(0.25f));
    EXPECT_EQ(slide.state, PanelState::SlidingIn);
    EXPECT_TRUE(slide.Update(0.3f));
    EXPECT_EQ(slide.state, PanelState::Shown);
    EXPECT_EQ(slide.offset, 0.0f);
    slide.state = PanelState::SlidingOut;
    EXPECT_TRUE(slide.Update(0.25f));
    EXPECT_FALSE(slide.Update(0.3f));
    EXPECT_EQ(slide.state, PanelState::Hidden);
    EXPECT_EQ(slide.offset, -150.0f);
    EXPECT_FALSE(slide.Update(1.0f));
    slide.state = PanelState::SlidingIn;
    EXPECT_TRUE(slide.Update(0.1f));
}

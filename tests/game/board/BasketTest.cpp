#include "BasketFixture.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/SpriteGroup.h"
#include "game/board/ModelPlayer.h"

#include <gtest/gtest.h>

using Petalwork::Basket;
using Petalwork::ModelPlayer;

namespace {

class BasketTest : public BasketFixture {
protected:
    std::unique_ptr<Basket> Make(bool fixed = false, bool left = true, float placeWait = 0.0f)
    {
        contexts.push_back(std::make_unique<Petalwork::BasketContext>(Context(false, placeWait)));
        auto basket = std::make_unique<Basket>(*contexts.back(), 1, -0.05f, fixed, left);
        basket->SetOrder({Entry(1, 2), Entry(3, 1)});
        return basket;
    }

    // Conveyor frames until `done` holds (or the limit); the time it took.
    float RunMotion(Basket& basket, const std::function<bool()>& done, int limit = 2000)
    {
        int n = 0;
        while (!done() && n < limit) {
            basket.UpdateMotion(nullptr, 0.0f, false, 0.0f, dt);
            Frame();
            ++n;
        }
        return static_cast<float>(n) * dt;
    }

    // Baskets made by a test are deleted before the fixture's members.
    std::vector<std::unique_ptr<Petalwork::BasketContext>> contexts;
};

} // namespace

TEST_F(BasketTest, AppearanceRunsBodyLabelAndEntriesInTurn)
{
    auto basket = Make();
    ASSERT_EQ(basket->GetEntryCount(), 2);
    EXPECT_TRUE(ModelPlayer::IsDrawn(basket->GetBody()));
    EXPECT_FALSE(ModelPlayer::IsDrawn(basket->GetLabel()));
    EXPECT_TRUE(ModelPlayer::IsDrawn(basket->GetSheets()[0])); // sheets from the moment the order is set
    EXPECT_FALSE(ModelPlayer::IsDrawn(basket->GetIcons()[0]));

    // Body appear: 4 frames at 30 per second; label after 0.3 s; label appear 2 frames; entries 0.2 s apart.
    const float waiting = RunMotion(*basket, [&] { return ModelPlayer::IsLooping(basket->GetBody(), 1); });
    EXPECT_NEAR(waiting, 0.1f, 2 * dt);
    const float label = RunMotion(*basket, [&] { return ModelPlayer::IsDrawn(basket->GetLabel()); });
    EXPECT_NEAR(label, 0.3f, 2 * dt);
    const float first = RunMotion(*basket, [&] { return basket->order[0].open; });
    EXPECT_NEAR(first, 1.0f / 30.0f + 0.2f, 3 * dt);
    EXPECT_FALSE(basket->order[1].open);
    EXPECT_TRUE(ModelPlayer::IsDrawn(basket->GetIcons()[0]));
    const float second = RunMotion(*basket, [&] { return basket->order[1].open; });
    EXPECT_NEAR(second, 0.2f, 2 * dt);
    RunMotion(*basket, [&] { return ModelPlayer::IsLooping(basket->GetIcons()[1], 1); }, 50);
    EXPECT_TRUE(ModelPlayer::IsLooping(basket->GetLabel(), 1));
    EXPECT_TRUE(ModelPlayer::IsLooping(basket->GetSheets()[1], 1));
}

TEST_F(BasketTest, ConveyorSpeedRunsFromStartToEndSpeedMinusThePenalty)
{
    auto basket = Make();
    basket->UpdateMotion(nullptr, 0.0f, false, 0.0f, 0.1f);
    EXPECT_NEAR(basket->ConveyorY(), 60.0f + 20.0f * 0.1f, 1e-3f); // start speed at the start
    // Midway the speed is halfway between start and end speed.
    auto mid = Make();
    while (mid->ConveyorY() < 280.0f)
        mid->UpdateMotion(nullptr, 0.0f, false, 0.0f, 0.01f);
    const float y = mid->ConveyorY();
    mid->UpdateMotion(nullptr, 0.0f, false, 0.0f, 0.1f);
    const float along = (y - 60.0f) / 440.0f;
    EXPECT_NEAR(mid->ConveyorY() - y, (20.0f + 20.0f * along) * 0.1f, 1e-2f);
    // A penalty at or above the speed holds it.
    const float before = mid->ConveyorY();
    mid->UpdateMotion(nullptr, 100.0f, false, 0.0f, 0.1f);
    EXPECT_EQ(mid->ConveyorY(), before);
    EXPECT_EQ(mid->position.x, 48.0f);
}

TEST_F(BasketTest, PauseGoalAndPanelFreezeTheConveyorButNotTheAppearance)
{
    struct Case {
        bool pause, goal;
        float offset;
    };
    for (const Case c : {Case{true, false, 0.0f}, Case{false, true, 0.0f}, Case{false, false, -10.0f}}) {
        auto basket = Make();
        powerups.pauseOn = c.pause;
        for (int i = 0; i < 60; ++i) {
            basket->UpdateMotion(nullptr, 0.0f, c.goal, c.offset, dt);
            Frame();
        }
        EXPECT_EQ(basket->ConveyorY(), 60.0f);
        EXPECT_TRUE(ModelPlayer::IsDrawn(basket->GetLabel())); // the choreography went on
        powerups.pauseOn = false;
    }
}

TEST_F(BasketTest, ABasketQueuesWhileItsBoxTouchesTheOneAhead)
{
    auto ahead = Make();
    auto behind = Make();
    Frame();
    for (int i = 0; i < 10; ++i) {
        ahead->UpdateMotion(nullptr, 0.0f, false, 0.0f, dt);
        behind->UpdateMotion(ahead.get(), 0.0f, false, 0.0f, dt);
        Frame();
    }
    EXPECT_GT(ahead->ConveyorY(), 60.0f);
    EXPECT_EQ(behind->ConveyorY(), 60.0f); // boxes 60 high overlap
    while (ahead->ConveyorY() < 125.0f) {
        ahead->UpdateMotion(nullptr, 0.0f, false, 0.0f, dt);
        behind->UpdateMotion(ahead.get(), 0.0f, false, 0.0f, dt);
        Frame();
    }
    EXPECT_GT(behind->ConveyorY(), 60.0f); // moved once they separated
}

TEST_F(BasketTest, AtTheConveyorEndTheEndAnimationsRunAndTheLabelBlinks)
{
    auto basket = Make();
    RunMotion(*basket, [&] { return basket->order[1].open; });
    const float t = RunMotion(*basket, [&] { return basket->reachedEnd; }, 3000);
    EXPECT_TRUE(basket->reachedEnd);
    EXPECT_LT(t, 60.0f);
    EXPECT_TRUE(ModelPlayer::IsCurrent(basket->GetLabel(), 2));
    EXPECT_TRUE(ModelPlayer::IsCurrent(basket->GetSheets()[0], 2));
    const bool toggle = basket->blinkToggle;
    for (int i = 0; i < 6; ++i) // 2 phase units per second: a flip within 0.6 s
        basket->UpdateMotion(nullptr, 0.0f, false, 0.0f, 0.1f);
    EXPECT_NE(basket->blinkToggle, toggle);
}

TEST_F(BasketTest, FixedPlaceTimerWaitsForChipsInFlightThenLeavesWithTheMissSound)
{
    auto basket = Make(true, true, 0.5f); // 3 flowers x 0.5 s
    EXPECT_FLOAT_EQ(basket->timerTotal, 1.5f);
    basket->place = 0;
    int n = 0;
    while (!basket->order[0].open && n++ < 500) {
        EXPECT_FALSE(basket->UpdateState(0.0f, false, false, dt));
        Frame();
    }
    ASSERT_TRUE(basket->TakeChip(1)); // one chip on its way
    bool missed = false;
    for (int i = 0; i < 200 && !missed; ++i) {
        missed = basket->UpdateState(0.0f, false, false, dt);
        Frame();
    }
    EXPECT_FALSE(missed);
    EXPECT_LE(basket->timerLeft, 0.0f);
    EXPECT_GE(basket->timerLeft, -dt); // pinned while it waits
    EXPECT_EQ(sounds.Count("play 31"), 0);
    basket->ArriveChip(1);
    EXPECT_TRUE(basket->UpdateState(0.0f, false, false, dt));
    EXPECT_TRUE(basket->leaving);
    EXPECT_EQ(basket->place, -1);
    EXPECT_EQ(sounds.Count("play 31"), 1);
}

TEST_F(BasketTest, FlyAwayCarriesTheBasketSidewaysAndEnds)
{
    for (bool left : {true, false}) {
        auto basket = Make(false, left);
        Frame();
        basket->FlyAway(true);
        EXPECT_EQ(sounds.calls.back(), "play 30");
        ASSERT_NE(basket->GetSparkle(), nullptr);
        EXPECT_EQ(basket->GetSparkle()->emitting, 1);
        EXPECT_TRUE(basket->IsLeavingNearPlace());
        int n = 0;
        while (!basket->HasFlownAway() && n++ < 500) {
            basket->UpdateMotion(nullptr, 0.0f, false, 0.0f, dt);
            Frame();
        }
        EXPECT_TRUE(basket->HasFlownAway());
        EXPECT_FALSE(basket->IsLeavingNearPlace()); // 100 units away by now
        basket->UpdateMotion(nullptr, 0.0f, false, 0.0f, dt); // follows the helper's last step
        const auto box = ModelPlayer::Box(basket->GetBody());
        EXPECT_NEAR(box.centre.x, left ? 48.0f - 100.0f : 752.0f + 100.0f, 1.0f) << left;
        EXPECT_EQ(basket->ConveyorY(), 60.0f); // a leaving basket no longer rides
    }
    auto missed = Make();
    missed->FlyAway(false);
    EXPECT_EQ(sounds.calls.back(), "play 31");
    EXPECT_EQ(missed->GetSparkle()->emitting, 0);
}

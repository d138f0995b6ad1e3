#include "game/board/Chip.h"

#include "engine/core/TimerManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/ServicesFixture.h"
#include "engine/render/SpriteGroupManager.h"
#include "tools/formats/ParticleWriter.h"

#include <gtest/gtest.h>

#include <map>

using Petalwork::BasketHandle;
using Petalwork::BoardPoint;
using Petalwork::BoardSound;
using Petalwork::Chip;
using Petalwork::ChipState;

namespace {

struct RecordingSounds : Petalwork::SoundSink {
    void PlaySound(BoardSound sound) override { played.push_back(sound); }
    std::vector<BoardSound> played;
};

struct FakeBaskets : Petalwork::BasketTargets {
    std::optional<BoardPoint> BasketPosition(BasketHandle basket) const override
    {
        const auto it = places.find(basket.id);
        if (it == places.end() || basket.generation != generation)
            return std::nullopt;
        return it->second;
    }
    void ScoreBasket(BasketHandle basket, unsigned kind) override { scored.push_back({basket.id, kind}); }

    std::map<uint32_t, BoardPoint> places;
    uint32_t generation = 1;
    std::vector<std::pair<uint32_t, unsigned>> scored;
};

Petalwork::ChipSettings Settings()
{
    Petalwork::ChipSettings s;
    s.fallSpeed = 200.0f;
    s.fallAcceleration = 1200.0f;
    s.fade = 0.25f;
    s.whirl = 0.25f;
    s.swapSpeed = 250.0f;
    s.hintSwapBackSpeed = 100.0f;
    s.hoverZoomMaximum = 1.0f;
    s.hoverScale = 0.15f;
    s.flightSpeed = 200.0f;
    s.flightAcceleration = 1500.0f;
    return s;
}

class ChipTest : public ServicesFixture {
protected:
    ChipTest()
    {
        VantoranEngine::RandomSeed = 0;
        timers.frameTime = 0.1f;
        Formats::ParticleSystemFile f;
        f.period = 0.2f;
        for (int i = 0; i < 6; ++i)
            f.lifetime[i] = 0.3f;
        f.floorEnabled = 0;
        f.gravityEnabled = 0;
        Write("data/trail.psf", Formats::EncodeParticleSystem(f, 204));
        trailPrototype.reset(systems.LoadParticleSystem("trail.psf", nullptr));
    }

    std::unique_ptr<Chip> Make(BoardPoint at, unsigned kind = 1, bool hint = false)
    {
        return std::make_unique<Chip>(context, at, kind, 7, hint, false);
    }

    // Frames of `dt` until the chip is back in state Idle (or the limit).
    int RunUntilIdle(Chip& chip, float dt, int limit = 1000)
    {
        for (int frame = 1; frame <= limit; ++frame) {
            chip.Update(true, dt, far);
            if (chip.state == ChipState::Idle)
                return frame;
        }
        return -1;
    }

    const BoardPoint far{-1000.0f, -1000.0f}; // a cursor on no chip
    Petalwork::ChipSettings settings = Settings();
    RecordingSounds sounds;
    Petalwork::ChipCounters counters;
    FakeBaskets baskets;
    VantoranEngine::TimerManager timers;
    VantoranEngine::SpriteGroupManager sprites{&log, &memory, nullptr, nullptr, nullptr};
    VantoranEngine::ParticleSystemManager systems{&log, &memory, &files, &timers, nullptr, &sprites};
    std::unique_ptr<VantoranEngine::ParticleSystem> trailPrototype;
    Petalwork::ChipContext context{settings, sounds, counters, &baskets, &systems, {3, 9, 12, 0, 1},
                                   {-25.0f, -25.0f}, {25.0f, 25.0f}};
};

} // namespace

TEST_F(ChipTest, NewChipIsHiddenGoneAndDeepByItsCount)
{
    auto chip = Make({100, 200}, 2);
    EXPECT_FALSE(chip->look.visible);
    EXPECT_EQ(chip->appearPhase, Petalwork::AppearPhase::Gone);
    EXPECT_EQ(chip->look.picture, 12);
    EXPECT_FLOAT_EQ(chip->look.depth, -0.010055f - 7 * 0.0001f);
    EXPECT_FLOAT_EQ(Chip::BoardDepth(10003), -0.010055f - 3 * 0.0001f);
    auto stone = Make({0, 0}, Petalwork::stoneKind);
    EXPECT_EQ(stone->look.picture, Chip::stonePicture);
    auto hint = Make({0, 0}, 1, true);
    EXPECT_FLOAT_EQ(hint->look.depth, Chip::hintDepth);
    EXPECT_FLOAT_EQ(hint->look.main.a, 0.5f);
}

TEST_F(ChipTest, HitBoxIsTheCellBoxShrunkByFiveInclusive)
{
    auto chip = Make({100, 200});
    EXPECT_TRUE(chip->HitTest({100, 200}));
    EXPECT_TRUE(chip->HitTest({120, 220}));
    EXPECT_TRUE(chip->HitTest({80, 180}));
    EXPECT_FALSE(chip->HitTest({120.5f, 200}));
    EXPECT_FALSE(chip->HitTest({100, 179}));
}

TEST_F(ChipTest, SwapMovesToTheTargetAndEndsIdle)
{
    auto chip = Make({100, 100});
    chip->StartSwap({150, 100});
    EXPECT_EQ(chip->state, ChipState::Swap);
    chip->Update(true, 0.1f, far);
    EXPECT_FLOAT_EQ(chip->position.x, 125.0f);
    EXPECT_EQ(RunUntilIdle(*chip, 0.1f), 1);
    EXPECT_FLOAT_EQ(chip->position.x, 150.0f);
}

TEST_F(ChipTest, SwapBackSpeedsAndTheHintChipHidesWhenBack)
{
    struct Case {
        bool hint;
        int frames; // there and back over 50 units each way, at 0.1 s frames
    };
    const Case cases[] = {{false, 4}, {true, 10}};
    for (const Case& c : cases) {
        auto chip = Make({100, 100}, 1, c.hint);
        chip->SetVisible(true);
        chip->StartUnswap({150, 100});
        EXPECT_EQ(chip->state, ChipState::SwapBack);
        EXPECT_EQ(RunUntilIdle(*chip, 0.1f), c.frames) << c.hint;
        EXPECT_FLOAT_EQ(chip->position.x, 100.0f);
        EXPECT_EQ(chip->look.visible, !c.hint);
    }
}

TEST_F(ChipTest, FallingChipShowsOncePastItsEntryEvenWhenOneFrameFinishes)
{
    struct Case {
        float fallSpeed;
        float dt;
    };
    // The last case covers the whole fall in one frame: the chip must not land hidden.
    const Case cases[] = {{200.0f, 0.016f}, {200.0f, 0.1f}, {600.0f, 0.1f}, {5000.0f, 0.1f}};
    for (const Case& c : cases) {
        settings.fallSpeed = c.fallSpeed;
        auto chip = Make({300, 450}); // at the head, 50 above the line's first cell
        chip->StartFall({300, 300}, {300, 450}, {300, 400}, false);
        bool shownBeforeEntry = false;
        for (int i = 0; i < 1000 && chip->state == ChipState::Fall; ++i) {
            chip->Update(true, c.dt, far);
            if (chip->look.visible && chip->position.y > 450.0f)
                shownBeforeEntry = true;
        }
        EXPECT_EQ(chip->state, ChipState::Idle) << c.fallSpeed;
        EXPECT_TRUE(chip->look.visible) << c.fallSpeed << " " << c.dt;
        EXPECT_FALSE(shownBeforeEntry);
        EXPECT_TRUE(chip->SecondMarkerPassed());
        EXPECT_FLOAT_EQ(chip->position.y, 300.0f);
    }
    settings.fallSpeed = 200.0f;
}

TEST_F(ChipTest, QueuedChipStaysHiddenAboveTheHead)
{
    auto chip = Make({300, 550}); // two steps above the head
    chip->StartFall({300, 300}, {300, 450}, {300, 400}, false);
    chip->Update(true, 0.1f, far); // 200 * 0.1 + 1200 * 0.01 = 32 units: still above the head
    EXPECT_FALSE(chip->look.visible);
    EXPECT_FALSE(chip->SecondMarkerPassed());
    while (chip->state == ChipState::Fall)
        chip->Update(true, 0.016f, far);
    EXPECT_TRUE(chip->look.visible);
}

TEST_F(ChipTest, ExitFallOnlyForLeavingStones)
{
    auto stone = Make({0, 100}, Petalwork::stoneKind);
    stone->StartFall({0, 0}, {0, 100}, {0, 50}, true);
    EXPECT_TRUE(stone->IsExitFall());
    auto flower = Make({0, 100});
    flower->StartFall({0, 0}, {0, 100}, {0, 50}, true);
    EXPECT_FALSE(flower->IsExitFall());
}

TEST_F(ChipTest, HoverNeverZoomsStonesFrozenOrHintChips)
{
    auto stone = Make({100, 100}, Petalwork::stoneKind);
    auto frozen = Make({100, 100});
    frozen->SetFrozen(true);
    auto hint = Make({100, 100}, 1, true);
    for (Chip* chip : {stone.get(), frozen.get(), hint.get()}) {
        chip->state = ChipState::Selected;
        chip->Update(true, 0.1f, {100, 100});
        EXPECT_EQ(chip->zoom, 0.0f);
        EXPECT_FALSE(chip->look.startAnimation);
        EXPECT_FLOAT_EQ(chip->look.scale, 1.0f);
    }
}

TEST_F(ChipTest, OneFrameOfSelectionGrowsOnceThenShrinks)
{
    auto chip = Make({100, 100});
    chip->state = ChipState::Selected;
    chip->Update(true, 0.125f, far);
    EXPECT_FLOAT_EQ(chip->zoom, 0.125f);
    EXPECT_TRUE(chip->look.startAnimation);
    EXPECT_FLOAT_EQ(chip->look.scale, 1.0f + 0.15f * 0.125f);
    EXPECT_EQ(chip->state, ChipState::Idle);
    chip->Update(true, 0.0625f, far);
    EXPECT_FLOAT_EQ(chip->zoom, 0.0625f);
    chip->Update(true, 0.0625f, far);
    chip->Update(true, 0.0625f, far);
    EXPECT_FLOAT_EQ(chip->zoom, 0.0f);
    // The cursor on the chip starts its animation without zooming it.
    chip->Update(true, 0.0625f, {101, 99});
    EXPECT_TRUE(chip->look.startAnimation);
    EXPECT_FLOAT_EQ(chip->zoom, 0.0f);
}

TEST_F(ChipTest, FrozenCountFollowsTheIce)
{
    auto a = Make({0, 0});
    auto b = Make({0, 0});
    a->SetFrozen(true);
    b->SetFrozen(true);
    a->SetFrozen(true); // again: still one for this chip
    EXPECT_EQ(counters.frozenCount, 2);
    b->SetFrozen(false);
    EXPECT_EQ(counters.frozenCount, 1);
    EXPECT_TRUE(a->look.hasIce);
    EXPECT_FALSE(b->look.hasIce);
}

TEST_F(ChipTest, WavesFadeAndKeepAHiddenChipHidden)
{
    auto chip = Make({0, 0});
    chip->SetVisible(true);
    chip->StartAppear(0.125f);
    EXPECT_EQ(chip->look.main.a, 0.0f);
    std::vector<float> alphas;
    for (int i = 0; i < 20 && chip->appearPhase != Petalwork::AppearPhase::Shown; ++i) {
        chip->Update(false, 0.0625f, far);
        alphas.push_back(chip->look.main.a);
    }
    EXPECT_EQ(alphas, (std::vector<float>{0.0f, 0.0f, 0.0f, 0.25f, 0.5f, 1.0f}));
    chip->StartDisappear(0.0f);
    for (int i = 0; i < 20; ++i)
        chip->Update(false, 0.0625f, far);
    EXPECT_EQ(chip->appearPhase, Petalwork::AppearPhase::Gone);
    EXPECT_EQ(chip->look.main.r, 0.0f);
    EXPECT_EQ(chip->look.main.a, 0.0f);

    auto hidden = Make({0, 500});
    hidden->StartAppear(0.0f);
    for (int i = 0; i < 20; ++i)
        hidden->Update(false, 0.0625f, far);
    EXPECT_FALSE(hidden->look.visible);
}

TEST_F(ChipTest, WhirlFadesOutTurnsThePictureAndFadesIn)
{
    struct Case {
        float whirl;
        int frames;
    };
    const Case cases[] = {{0.25f, 8}, {0.0f, 1}};
    for (const Case& c : cases) {
        settings.whirl = c.whirl;
        auto chip = Make({0, 0}, 1);
        chip->flowerKind = 3; // the repair changed the kind
        chip->StartWhirl();
        EXPECT_EQ(RunUntilIdle(*chip, 0.0625f), c.frames) << c.whirl;
        EXPECT_EQ(chip->look.picture, 0);
        EXPECT_EQ(chip->look.main.a, 1.0f);
    }
    settings.whirl = 0.25f;
}

TEST_F(ChipTest, FlightFollowsTheBasketScoresOnceAndWaitsForTheTrail)
{
    baskets.places[4] = {700, 100};
    auto chip = Make({100, 100}, 2);
    chip->SetVisible(true);
    VantoranEngine::ParticleSystem* trail = systems.CloneParticleSystem(*trailPrototype);
    trail->emitting = 1;
    chip->StartFlight(Petalwork::MakeCurvePath({100, 100, 0}, {400, 400, 0}, {700, 100, 0}), BasketHandle{4, 1},
                      1.0f, trail);
    bool movedTarget = false;
    int frames = 0;
    while (!chip->remove && frames < 500) {
        systems.Update();
        chip->Update(true, timers.frameTime, far);
        ++frames;
        if (frames == 2) {
            baskets.places[4] = {650, 150}; // the basket moves on its conveyor
            movedTarget = true;
        }
    }
    ASSERT_TRUE(movedTarget);
    EXPECT_TRUE(chip->remove);
    EXPECT_FLOAT_EQ(chip->position.x, 650.0f);
    EXPECT_FLOAT_EQ(chip->position.y, 150.0f);
    EXPECT_EQ(baskets.scored, (std::vector<std::pair<uint32_t, unsigned>>{{4, 2}}));
    EXPECT_EQ(sounds.played, std::vector<BoardSound>{BoardSound::FlowerToBasket});
    EXPECT_FALSE(chip->look.visible);
    EXPECT_EQ(chip->GetTrail(), nullptr); // deleted once its last particle died
    EXPECT_EQ(systems.systems.count, 0u);
}

TEST_F(ChipTest, FlightToAVanishedBasketLandsWithoutScoring)
{
    baskets.places[4] = {700, 100};
    auto chip = Make({100, 100});
    chip->StartFlight(Petalwork::MakeCurvePath({100, 100, 0}, {400, 400, 0}, {700, 100, 0}), BasketHandle{4, 1},
                      0.0f, nullptr);
    chip->Update(true, 0.1f, far);
    baskets.generation = 2; // deleted, slot reused
    while (!chip->remove)
        chip->Update(true, 0.1f, far);
    EXPECT_FLOAT_EQ(chip->position.x, 700.0f);
    EXPECT_TRUE(baskets.scored.empty());
    EXPECT_TRUE(sounds.played.empty());
}

TEST_F(ChipTest, HornChipTakesItsDepthOnceClearOfTheHorn)
{
    struct Horn : Petalwork::HornShape {
        bool Overlaps(BoardPoint minimum, BoardPoint maximum) const override
        {
            return minimum.x <= 130.0f && maximum.x >= 70.0f && minimum.y <= 130.0f && maximum.y >= 70.0f;
        }
    } horn;
    context.horn = &horn;
    auto chip = std::make_unique<Chip>(context, BoardPoint{100, 100}, 1, 0, false, true);
    chip->look.depth = -5.0f; // over the horn while inside it
    chip->savedDepth = -2.5f;
    chip->StartFlight(Petalwork::MakeLinePath({100, 100, 0}, {400, 100, 0}), std::nullopt, 0.0f, nullptr);
    chip->Update(true, 0.01f, far); // still inside: 2 + 0.15 units on
    EXPECT_FLOAT_EQ(chip->look.depth, -5.0f);
    for (int i = 0; i < 30 && chip->look.depth == -5.0f; ++i)
        chip->Update(true, 0.05f, far);
    EXPECT_FLOAT_EQ(chip->look.depth, -2.5f);
    EXPECT_GT(chip->position.x, 155.0f); // its box (25 each side) has left the horn's (up to 130)
    context.horn = nullptr;
}

TEST_F(ChipTest, DoublingPartsTheImagesAndClosesThem)
{
    auto chip = Make({100, 100});
    chip->StartDoubling();
    EXPECT_TRUE(chip->look.secondVisible);
    float widest = 0.0f;
    int frames = 0;
    while (chip->IsDoubling() && frames < 100) {
        chip->Update(true, 0.125f, far);
        widest = std::max(widest, chip->look.doublingOffset);
        ++frames;
    }
    EXPECT_FLOAT_EQ(widest, 5.0f);
    EXPECT_EQ(frames, 8); // 5 units out and back at 10 per second
    EXPECT_FALSE(chip->look.secondVisible);
    EXPECT_EQ(chip->look.doublingOffset, 0.0f);

    auto hint = Make({0, 0}, 1, true);
    hint->StartDoubling();
    EXPECT_FALSE(hint->IsDoubling());
}

TEST_F(ChipTest, RetiredChipWaitsForItsCellRisesTurnsAndComesDown)
{
    auto chip = Make({400, 300});
    chip->SetBonus(Petalwork::BonusKind::BombCross);
    chip->SetFrozen(true);
    chip->Retire(-3.5f);
    EXPECT_FLOAT_EQ(chip->look.depth, -3.5f);
    EXPECT_FALSE(chip->look.hasBonusModel);
    EXPECT_FALSE(chip->look.hasIce);
    chip->Update(true, 0.1f, far);
    EXPECT_FLOAT_EQ(chip->position.y, 300.0f); // not released yet
    chip->retireMoving = true;
    bool turned = false;
    int frames = 0;
    while (!chip->remove && frames < 1000) {
        chip->Update(true, 0.1f, far);
        ++frames;
        if (!chip->retireRising && !turned) {
            turned = true;
            EXPECT_FLOAT_EQ(chip->position.y, 900.0f);
            EXPECT_GE(chip->position.x, 350.0f);
            EXPECT_LT(chip->position.x, 450.0f);
            EXPECT_FALSE(counters.chipsArrived);
        }
    }
    EXPECT_TRUE(turned);
    EXPECT_TRUE(counters.chipsArrived);
    EXPECT_LT(chip->position.y, 300.0f);
    EXPECT_GE(chip->position.y, 250.0f);
}

TEST_F(ChipTest, BonusAnimationStartsAtOneRandomDraw)
{
    VantoranEngine::RandomSeed = 0;
    auto chip = Make({0, 0});
    chip->SetBonus(Petalwork::BonusKind::BombVolume);
    // Seed 0 gives 0 first, then 21468.
    EXPECT_EQ(chip->look.bonusAnimationStart, 0.0f);
    chip->SetBonus(Petalwork::BonusKind::BombStar);
    EXPECT_FLOAT_EQ(chip->look.bonusAnimationStart, 21468.0f / 32768.0f);
    const int generation = chip->look.bonusModelGeneration;
    chip->SetBonus(Petalwork::BonusKind::None);
    EXPECT_FALSE(chip->look.hasBonusModel);
    EXPECT_NE(chip->look.bonusModelGeneration, generation);
}

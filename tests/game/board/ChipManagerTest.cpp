// The board's chip manager over board chips: where collected chips fly, the draws a flight makes and
// the depths they take.

#include "game/board/BasketReservations.h"
#include "game/board/ChipManager.h"
#include "game/board/EngineRandom.h"

#include "engine/render/Random.h"
#include "framework/ScoreKeeper.h"
#include "framework/StageInfo.h"

#include <gtest/gtest.h>

#include <map>

using namespace Petalwork;

namespace {

struct Silent : SoundSink {
    void PlaySound(BoardSound) override {}
};

struct NoPopups : ScoreGroups {
    void BeginGroup() override {}
    void AddChip(const ChipLogic&) override {}
    void EndGroup() override {}
    void FinalizeGroups() override {}
    void ShowCombo(int) override {}
    void ShowBonus(BoardPoint, const char*, int, bool) override {}
};

struct FakeBaskets : BasketReservations {
    std::optional<BoardPoint> BasketPosition(BasketHandle basket) const override
    {
        if (basket.id != 1 || !present)
            return std::nullopt;
        return place;
    }
    void ScoreBasket(BasketHandle basket, unsigned kind) override { scored.push_back({basket.id, kind}); }
    std::optional<BasketHandle> FindBasketFor(unsigned kind) override
    {
        if (kind != wanted)
            return std::nullopt;
        return BasketHandle{1, 1};
    }
    float BasketDepth(BasketHandle) const override { return -0.5f; }
    unsigned BasketsSpawned() const override { return 3; }
    unsigned CountOffBoardFlight() override { return ++offBoard; }

    BoardPoint place{100.0f, 500.0f};
    bool present = true;
    unsigned wanted = 2;
    unsigned offBoard = 0;
    std::vector<std::pair<uint32_t, unsigned>> scored;
};

class ChipManagerTest : public ::testing::Test {
protected:
    ChipManagerTest()
    {
        chipSettings.flightSpeed = 300.0f;
        chipSettings.flightAcceleration = 1000.0f;
        chipSettings.fallSpeed = 300.0f;
        settings.offBoardFlightDistance = {50.0f, 150.0f};
        settings.offBoardFlightRise = {20.0f, 80.0f};
        settings.offBoardFlightHighestY = 550.0f;
        settings.flyingSpin = {1.0f, 3.0f};
        stage.flowerKindCount = 5;
        for (uint32_t id = 0; id < 6; ++id)
            score.SetPoints(id, 10);
    }

    Chip& Collect(ChipLogic& chip)
    {
        chip.marked = true;
        manager.Collect(chip, false);
        return ChipManager::Of(chip);
    }

    void Fly(Chip& chip)
    {
        for (int i = 0; i < 200 && !chip.remove; ++i)
            chip.Update(true, 0.05f, {});
    }

    ChipSettings chipSettings;
    Silent sounds;
    NoPopups popups;
    ChipCounters counters;
    FakeBaskets baskets;
    ChipContext context{chipSettings, sounds, counters, &baskets, nullptr, {0, 1, 2, 3, 4}, {}, {}, nullptr};
    GameSettings settings;
    GameFramework::StageInfo stage;
    GameFramework::ScoreKeeper score;
    LevelProgress progress{100u, 2, 0};
    PowerupManager powerups{sounds, 5.0f, 5.0f};
    EngineRandom random;
    ChipManager manager{context, settings, stage, score, progress, powerups, popups, sounds, random,
                        nullptr,  nullptr,  {},    &baskets};
};

} // namespace

TEST_F(ChipManagerTest, AChipWithAWantingBasketFliesToItAndScoresIt)
{
    Chip& chip = Collect(manager.CreateChip({300.0f, 200.0f}, 2, false));
    EXPECT_EQ(chip.state, ChipState::Flight);
    EXPECT_FLOAT_EQ(chip.look.depth, -0.5f + ChipManager::overBasket);
    Fly(chip);
    EXPECT_FLOAT_EQ(chip.position.x, 100.0f);
    EXPECT_FLOAT_EQ(chip.position.y, 500.0f);
    ASSERT_EQ(baskets.scored.size(), 1u);
    EXPECT_EQ(baskets.scored[0].second, 2u);
}

TEST_F(ChipManagerTest, AnOffBoardFlightDrawsSideDistanceRiseAndSpinInThatOrder)
{
    VantoranEngine::RandomSeed = 77;
    const float side = (VantoranEngine::Random() & 1u) ? 1.0f : -1.0f;
    const float distance = VantoranEngine::RandomRange(50.0f, 150.0f);
    (void)VantoranEngine::RandomRange(20.0f, 80.0f);
    (void)VantoranEngine::RandomRange(1.0f, 3.0f);
    const uint32_t after = VantoranEngine::RandomSeed;

    VantoranEngine::RandomSeed = 77;
    Chip& chip = Collect(manager.CreateChip({300.0f, 200.0f}, 4, false));
    EXPECT_EQ(VantoranEngine::RandomSeed, after);
    // Under every basket: (3 spawned + 7) levels and the 201st off-board level.
    EXPECT_FLOAT_EQ(chip.look.depth, -0.000055f - 10 * 0.01f - 201 * 0.01f);
    Fly(chip);
    EXPECT_NEAR(chip.position.x, 300.0f + side * distance, 0.01f);
    EXPECT_NEAR(chip.position.y, ChipManager::offBoardEndY, 0.01f);
    EXPECT_TRUE(baskets.scored.empty());
}

TEST_F(ChipManagerTest, AStoneLeavingThroughALineEndDropsStraightDown)
{
    ChipLogic& stone = manager.CreateChip({300.0f, 600.0f}, stoneKind, false);
    Chip& chip = ChipManager::Of(stone);
    chip.StartFall({300.0f, 200.0f}, {}, {}, true);
    Fly(chip);
    ASSERT_TRUE(chip.IsExitFall());
    Collect(stone);
    Fly(chip);
    EXPECT_NEAR(chip.position.x, 300.0f, 0.01f);
    EXPECT_NEAR(chip.position.y, ChipManager::exitFallEndY, 0.01f);
}

TEST_F(ChipManagerTest, AFrozenChipThawsInPlaceAtItsBoardDepth)
{
    ChipLogic& logic = manager.CreateChip({300.0f, 200.0f}, 1, false);
    manager.SetFrozen(logic, true);
    Chip& chip = ChipManager::Of(logic);
    const float depth = chip.look.depth;
    Collect(logic);
    EXPECT_EQ(chip.state, ChipState::Idle);
    EXPECT_FALSE(chip.frozen);
    EXPECT_EQ(chip.look.depth, depth);
    EXPECT_EQ(manager.frozenOnBoard, 0);
}

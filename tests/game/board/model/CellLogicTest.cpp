#include "game/board/model/CellLogic.h"

#include <gtest/gtest.h>

using Petalwork::AppearPhase;
using Petalwork::CellLogic;
using Petalwork::CellStepResult;
using Petalwork::ChipLogic;
using Petalwork::ChipState;
using Petalwork::PowerupKind;
using Petalwork::TileType;

namespace {

Petalwork::CellTimings Timings()
{
    Petalwork::CellTimings t;
    // Powers of two keep the clocks exact.
    t.fade = 0.25f;
    t.crossFade = 0.125f;
    t.shine = 0.25f;
    t.blinkPeriod = 0.5f;
    t.blinkCount = 4;
    return t;
}

CellLogic Cell(TileType type) { return CellLogic({100, 100}, type, 0, Timings()); }

} // namespace

TEST(CellLogicTest, LayersBreakFromTheTopAndSingleTilesNever)
{
    CellLogic triple = Cell(TileType::Triple);
    EXPECT_EQ(triple.Layers(), 2);
    EXPECT_TRUE(triple.BreakLayer());
    EXPECT_EQ(triple.type, TileType::Double);
    EXPECT_TRUE(triple.BreakLayer());
    EXPECT_EQ(triple.type, TileType::Single);
    EXPECT_FALSE(triple.BreakLayer());
    EXPECT_EQ(triple.Layers(), 0);
    EXPECT_TRUE(triple.RestoreLayers());
    EXPECT_EQ(triple.type, TileType::Triple);

    for (TileType type : {TileType::Single, TileType::NoTile}) {
        CellLogic cell = Cell(type);
        EXPECT_FALSE(cell.BreakLayer());
        EXPECT_EQ(cell.type, type);
    }
    CellLogic head = Cell(TileType::Double);
    head.SetPowerup(PowerupKind::Horn, 5.0f);
    head.RemoveTile();
    EXPECT_EQ(head.powerup, PowerupKind::None);
    EXPECT_FALSE(head.RestoreLayers());
    EXPECT_EQ(head.Layers(), 0);
}

TEST(CellLogicTest, CellWithoutTileIgnoresFadesAndPowerups)
{
    CellLogic cell = Cell(TileType::NoTile);
    cell.StartAppear(0.0f);
    cell.StartDisappear(0.0f);
    cell.StartCrossFade(0.0f);
    cell.StartShine(0.0f);
    EXPECT_FALSE(cell.SetPowerup(PowerupKind::Horn, 5.0f));
    EXPECT_EQ(cell.appearPhase, AppearPhase::Shown);
    EXPECT_FALSE(cell.crossFadeRunning);
    EXPECT_FALSE(cell.shineRunning);
    EXPECT_EQ(cell.powerup, PowerupKind::None);
    const CellStepResult step = cell.Step(0.1f, false);
    EXPECT_FALSE(step.alpha.has_value());
}

TEST(CellLogicTest, AppearWaitsItsDelayThenFadesIn)
{
    CellLogic cell = Cell(TileType::Single);
    cell.appearPhase = AppearPhase::Gone;
    cell.StartAppear(0.125f); // timer 0.375: the delay until below the fade of 0.25
    std::vector<float> alphas;
    for (int i = 0; i < 20 && cell.appearPhase != AppearPhase::Shown; ++i)
        alphas.push_back(cell.Step(0.0625f, false).alpha.value_or(-1.0f));
    EXPECT_EQ(cell.appearPhase, AppearPhase::Shown);
    EXPECT_EQ(alphas, (std::vector<float>{-1.0f, -1.0f, -1.0f, 0.25f, 0.5f, 1.0f}));
}

TEST(CellLogicTest, DisappearWaveReleasesARetiredChip)
{
    CellLogic cell = Cell(TileType::Single);
    ChipLogic retired;
    retired.state = ChipState::Retired;
    cell.chip = &retired;
    cell.StartDisappear(0.0f);
    CellStepResult step;
    for (int i = 0; i < 10 && cell.appearPhase != AppearPhase::Gone; ++i)
        step = cell.Step(0.1f, false);
    EXPECT_EQ(cell.appearPhase, AppearPhase::Gone);
    EXPECT_TRUE(step.faded);
    EXPECT_EQ(cell.chip, nullptr);
    EXPECT_TRUE(retired.retireMoving);
    EXPECT_FALSE(retired.remove);

    CellLogic other = Cell(TileType::Single);
    ChipLogic idle;
    other.chip = &idle;
    other.StartDisappear(0.0f);
    for (int i = 0; i < 10; ++i)
        other.Step(0.1f, false);
    EXPECT_EQ(other.chip, &idle);
}

TEST(CellLogicTest, PowerupBlinksOnlyAtTheEndAndExpiresSilently)
{
    CellLogic cell = Cell(TileType::Single);
    ASSERT_TRUE(cell.SetPowerup(PowerupKind::Pause, 3.0f)); // blinks in the last 4 x 0.5 = 2 s
    std::vector<int> blinkFrames;
    int expiredFrame = -1;
    for (int frame = 1; frame <= 40 && expiredFrame < 0; ++frame) {
        const CellStepResult step = cell.Step(0.125f, false);
        if (step.blink)
            blinkFrames.push_back(frame);
        if (step.powerupExpired)
            expiredFrame = frame;
    }
    // Frame 8 leaves exactly 2 s (not below); then a toggle every time the 0.5 s blink timer runs out.
    EXPECT_EQ(blinkFrames, (std::vector<int>{9, 14, 19}));
    EXPECT_EQ(expiredFrame, 24);
    EXPECT_EQ(cell.powerup, PowerupKind::None);
}

TEST(CellLogicTest, PowerupOfNoLifetimeExpiresAtOnce)
{
    CellLogic cell = Cell(TileType::Single);
    cell.SetPowerup(PowerupKind::Horn, 0.0f);
    EXPECT_TRUE(cell.Step(0.016f, false).powerupExpired);
    EXPECT_EQ(cell.powerup, PowerupKind::None);
}

TEST(CellLogicTest, PowerupClockStandsWhileTheCellIsNotShown)
{
    CellLogic cell = Cell(TileType::Single);
    cell.SetPowerup(PowerupKind::Horn, 1.0f);
    cell.StartDisappear(0.0f);
    for (int i = 0; i < 20; ++i)
        cell.Step(0.1f, false);
    EXPECT_FLOAT_EQ(cell.powerupTimeLeft, 1.0f);
}

TEST(CellLogicTest, ShineWaitsForTheCrossFadeThreshold)
{
    CellLogic cell = Cell(TileType::Single);
    cell.StartShine(0.0f); // timer 0.25 runs down until below 0.125 (the cross-fade), not below 0.25
    std::vector<float> alphas;
    bool ended = false;
    for (int i = 0; i < 20 && cell.shineRunning; ++i) {
        const CellStepResult step = cell.Step(0.0625f, false);
        alphas.push_back(step.shineAlpha.value_or(-1.0f));
        ended = step.shineEnded;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(alphas, (std::vector<float>{-1.0f, -1.0f, -1.0f, 0.0f, 0.25f, 0.5f, 0.75f, 1.0f, 0.75f, 0.5f,
                                          0.25f}));
}

TEST(CellLogicTest, CrossFadeRestoresTheLayersAtItsDarkestPoint)
{
    CellLogic cell = Cell(TileType::Triple);
    cell.BreakLayer();
    cell.BreakLayer();
    cell.StartCrossFade(0.1f);
    bool restored = false;
    float lastAlpha = -1.0f;
    for (int i = 0; i < 50 && cell.crossFadeRunning; ++i) {
        const CellStepResult step = cell.Step(0.05f, false);
        if (step.restoreLayers) {
            restored = true;
            EXPECT_EQ(*step.alpha, 0.0f);
            EXPECT_EQ(cell.type, TileType::Triple);
        }
        if (step.alpha)
            lastAlpha = *step.alpha;
    }
    EXPECT_TRUE(restored);
    EXPECT_FALSE(cell.crossFadeRunning);
    EXPECT_EQ(lastAlpha, 1.0f);
}

TEST(CellLogicTest, SelectedCellKeepsItsChipSelected)
{
    CellLogic cell = Cell(TileType::Single);
    ChipLogic chip;
    cell.chip = &chip;
    cell.Step(0.1f, true);
    EXPECT_EQ(chip.state, ChipState::Selected);
}

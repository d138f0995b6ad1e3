// The chip manager's waves, repair whirl and the tornado's sweep through the move cycle.

#include "BoardFixtureSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace BoardFixtures;

TEST(ChipManagerTest, WavesDelayEachChipByItsDistanceAndEndWhenEveryChipIsDone)
{
    Board board({"A B C"}, 5);
    StubChips& chips = *board.chips;
    const BoardPoint left = board.ChipAt(0, 0).position;
    chips.StartAppear(left);
    EXPECT_EQ(chips.phase, ChipManagerLogic::Phase::Appearing);
    ASSERT_EQ(chips.appearDelays.size(), 3u);
    const float radius = 101.0f; // the farthest chip, 100 away, plus 1
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(chips.appearDelays[i], 50.0f * static_cast<float>(i) * board.settings.waveSpread / radius);
    chips.Update(board.dt); // the stub chips appear in one frame
    chips.Update(board.dt);
    EXPECT_EQ(chips.phase, ChipManagerLogic::Phase::Play);

    board.settings.waveDivisor = 2.0f;
    chips.StartDisappear(left);
    EXPECT_FLOAT_EQ(chips.disappearDelays[2], 100.0f * board.settings.waveSpread / (2.0f * radius));
    chips.Update(board.dt);
    chips.Update(board.dt);
    EXPECT_EQ(chips.phase, ChipManagerLogic::Phase::Gone);

    // An empty list ends a wave at once.
    chips.chips.clear();
    chips.StartAppear(left);
    chips.Update(board.dt);
    EXPECT_EQ(chips.phase, ChipManagerLogic::Phase::Play);
}

TEST(ChipManagerTest, TheWhirlReachesChipsByDistanceAndWaitsForFlyingChips)
{
    Board board({"A A B A E"}, 5); // a board with a move: the whirl's end repairs nothing
    StubChips& chips = *board.chips;
    // One chip still flies off the board: the whirl must not end before it is gone.
    ChipLogic& flying = chips.CreateChip({0.0f, 0.0f}, 1, false);
    flying.state = ChipState::Flight;
    StubChips::Of(flying).framesLeft = 200;
    chips.StartRepairWhirl(board.ChipAt(0, 4).position, *board.cells);
    int frames = 0;
    while (chips.whirlActive && frames < 1000) {
        board.Frame();
        ++frames;
    }
    EXPECT_FALSE(chips.whirlActive);
    EXPECT_GE(frames, 200);
    ASSERT_EQ(chips.whirled.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(chips.whirled[static_cast<size_t>(i)], &board.ChipAt(0, 4 - i));
    for (const auto& chip : chips.chips) {
        EXPECT_EQ(chip->state, ChipState::Idle);
        EXPECT_FALSE(chip->whirled);
    }
    // Nothing to match after the whirl: the move ends with the end delay (one frame of it has run).
    EXPECT_FLOAT_EQ(board.cells->moveEndDelay, board.settings.moveEndDelay - board.dt);
}

TEST(ChipManagerTest, TheTornadoCollectsTheIdleChipsAndRunsTheTail)
{
    Board board({"A B C", "D E F"}, 8);
    board.powerups->tornadoPending = true;
    board.Frame();
    EXPECT_TRUE(board.cells->tornadoShown);
    EXPECT_FALSE(board.powerups->tornadoPending);
    board.Frame();
    EXPECT_EQ(board.chips->collected, 6u);
    EXPECT_EQ(board.cells->combo, 1u);
    board.Frame();
    EXPECT_FALSE(board.cells->tornadoShown);
    EXPECT_GT(board.Settle(), 0);
}

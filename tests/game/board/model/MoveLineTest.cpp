// Move lines: compaction, refill at the head, queueing behind chips still coming in, kinds of new
// chips, stone and ice spawns, settling.

#include "BoardFixtureSupport.h"

#include "engine/render/Random.h"

#include <gtest/gtest.h>

using namespace BoardFixtures;

namespace {

const std::vector<std::string> column{"A", "B", "C", "D"};

MoveLine& Line(Board& board)
{
    return *board.lines->lines.front();
}

} // namespace

TEST(MoveLineTest, AFullLineMovesAndCreatesNothing)
{
    Board board(column, 5);
    const unsigned created = board.chips->creationCount;
    EXPECT_FALSE(Line(board).Step());
    EXPECT_EQ(board.chips->creationCount, created);
    EXPECT_EQ(board.chips->falls, 0);
}

TEST(MoveLineTest, ChipsFallIntoTheGapAndNewChipsQueueAboveTheHead)
{
    Board board(column, 5);
    MoveLine& line = Line(board);
    ChipLogic* top = board.At(0, 0).chip;
    board.At(1, 0).chip = nullptr;
    board.At(2, 0).chip = nullptr;
    EXPECT_TRUE(line.Step());
    EXPECT_EQ(board.At(2, 0).chip, top);
    EXPECT_EQ(StubChips::Of(*top).target.y, board.At(2, 0).centre.y);
    EXPECT_TRUE(StubChips::Of(*top).secondPassed); // markers at the origin: passed at once

    const BoardPoint head = line.cells[0]->centre;
    ChipLogic& first = *board.At(1, 0).chip;  // created first, for the lower empty cell
    ChipLogic& second = *board.At(0, 0).chip;
    EXPECT_EQ(first.position.y, head.y);
    EXPECT_EQ(second.position.y, head.y + 50.0f);
    EXPECT_FALSE(StubChips::Of(first).secondPassed);
    EXPECT_EQ(StubChips::Of(second).target.y, board.At(0, 0).centre.y);
    EXPECT_TRUE(line.moving);
}

TEST(MoveLineTest, NewChipsQueueBehindAChipStillComingIn)
{
    Board board(column, 5);
    MoveLine& line = Line(board);
    const BoardPoint head = line.cells[0]->centre;
    StubChip& coming = StubChips::Of(*board.At(0, 0).chip);
    coming.state = ChipState::Fall;
    coming.secondPassed = false;
    coming.position = {head.x, head.y + 50.0f};
    board.At(3, 0).chip = nullptr;
    EXPECT_TRUE(line.Step());
    EXPECT_EQ(board.At(0, 0).chip->position.y, head.y + 100.0f);
}

TEST(MoveLineTest, NewChipsAvoidTheirNeighboursKindsUnlessEveryKindIsTaken)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Board board({"Y A Z", "B E C", "Z D Y"}, 5);
        VantoranEngine::RandomSeed = seed;
        EXPECT_EQ(Line(board).ChooseColour(board.At(1, 1)), 4u);
    }
    // Every kind taken: any kind, r mod n.
    Board board({"Y A Z", "B E C", "Z D Y"}, 4);
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        VantoranEngine::RandomSeed = seed;
        const uint32_t expected = VantoranEngine::Random() % 4;
        VantoranEngine::RandomSeed = seed;
        EXPECT_EQ(Line(board).ChooseColour(board.At(1, 1)), expected);
    }
}

TEST(MoveLineTest, StonesAndIceEnterUnderTheStageClocksAndMaximums)
{
    struct Case {
        const char* name;
        float stoneInterval;
        int32_t maxStones;
        float frozenInterval;
        bool stone;
        bool frozen;
    };
    const Case cases[] = {
        {"no stone interval", 0.0f, 5, 0.0f, false, false},
        {"stone due", 4.0f, 5, 0.0f, true, false},
        {"stones at their maximum", 4.0f, 0, 0.0f, false, false},
        {"ice only when no stone", 4.0f, 5, 3.0f, true, false},
        {"ice due", 4.0f, 0, 3.0f, false, true},
    };
    for (const Case& test : cases) {
        Board board(column, 5);
        board.stage.stoneInterval = test.stoneInterval;
        board.stage.maxStones = test.maxStones;
        board.stage.frozenInterval = test.frozenInterval;
        board.stage.maxFrozen = 5;
        board.chips->stoneTimer = 0.0f;
        board.chips->frozenTimer = 0.0f;
        board.At(3, 0).chip = nullptr;
        Line(board).Step();
        const ChipLogic& made = board.ChipAt(0, 0);
        EXPECT_EQ(made.IsStone(), test.stone) << test.name;
        EXPECT_EQ(made.frozen, test.frozen) << test.name;
        if (test.stone) {
            EXPECT_EQ(board.chips->stoneTimer, test.stoneInterval) << test.name;
        }
        if (test.frozen) {
            EXPECT_EQ(board.chips->frozenTimer, test.frozenInterval) << test.name;
        }
    }
}

TEST(MoveLineTest, AStoneSentOntoTheLineEndLeavesThroughIt)
{
    Board board(column, 5);
    board.stage.stoneInterval = 4.0f;
    board.stage.maxStones = 5;
    board.chips->stoneTimer = 0.0f;
    for (int r = 0; r < 4; ++r)
        board.At(r, 0).chip = nullptr;
    Line(board).Step();
    EXPECT_TRUE(board.chips->IsExitFall(board.ChipAt(3, 0)));
    EXPECT_TRUE(board.connections->MarkAll(true));
}

TEST(MoveLineTest, ALineSettlesOnlyWhenEveryChipRests)
{
    Board board(column, 5);
    MoveLine& line = Line(board);
    board.At(3, 0).chip = nullptr;
    line.Step();
    EXPECT_FALSE(line.IsSettled());
    for (int i = 0; i < 10; ++i)
        board.chips->Update(board.dt);
    EXPECT_TRUE(line.IsSettled());
    EXPECT_FALSE(line.moving);
}

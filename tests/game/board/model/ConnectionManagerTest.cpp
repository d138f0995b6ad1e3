// Match finding, bonus choice, marking and removal, move search and repair on small text boards.

#include "BoardFixtureSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace BoardFixtures;

namespace {

using Cells = std::vector<std::pair<int, int>>;

// A rows x columns board with kind A on `shape` and a Y/Z checkerboard elsewhere (never a group).
std::vector<std::string> Shape(const Cells& shape, int rows = 5, int columns = 5)
{
    std::vector<std::string> text;
    for (int r = 0; r < rows; ++r) {
        std::string row;
        for (int c = 0; c < columns; ++c) {
            const bool in = std::find(shape.begin(), shape.end(), std::make_pair(r, c)) != shape.end();
            row += in ? "A " : ((r + c) % 2 ? "Y " : "Z ");
        }
        text.push_back(row);
    }
    return text;
}

struct BonusCase {
    const char* name;
    Cells shape;
    unsigned size;
    int bonus[4]; // flags (lines, volume, random) = 111, 010, 000, 001
};

const bool flagSets[4][3] = {{true, true, true}, {false, true, false}, {false, false, false}, {false, false, true}};

} // namespace

TEST(ConnectionManagerTest, GroupSizeAndBonusByShapeAndFlags)
{
    const BonusCase cases[] = {
        {"I3", {{0, 0}, {0, 1}, {0, 2}}, 3, {0, 0, 0, 0}},
        {"L3", {{0, 0}, {0, 1}, {1, 0}}, 3, {0, 0, 0, 0}},
        {"vertical I4", {{0, 1}, {1, 1}, {2, 1}, {3, 1}}, 4, {3, 1, 0, 0}},
        {"horizontal I4", {{1, 0}, {1, 1}, {1, 2}, {1, 3}}, 4, {2, 1, 0, 0}},
        {"square", {{0, 0}, {0, 1}, {1, 0}, {1, 1}}, 4, {1, 1, 0, 0}},
        {"T4", {{0, 0}, {0, 1}, {0, 2}, {1, 1}}, 4, {1, 1, 0, 0}},
        {"L4", {{0, 0}, {1, 0}, {2, 0}, {2, 1}}, 4, {1, 1, 0, 0}},
        {"I5", {{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}}, 5, {4, 1, 0, 0}},
        {"L5", {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}, 5, {5, 1, 0, 5}},
        {"T5", {{0, 0}, {0, 1}, {0, 2}, {1, 1}, {2, 1}}, 5, {5, 1, 0, 5}},
        {"plus", {{0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 1}}, 5, {5, 1, 0, 5}},
        {"six", {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}, 6, {4, 1, 0, 0}},
        {"seven", {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}}, 7, {4, 1, 0, 0}},
        {"eight", {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {1, 3}}, 8, {0, 0, 0, 0}},
    };
    for (const BonusCase& test : cases) {
        for (int f = 0; f < 4; ++f) {
            Board board(Shape(test.shape), 5);
            ConnectionManager finder(*board.cells, *board.chips, board.groups, *board.progress, board.layout, 5,
                                     flagSets[f][1], flagSets[f][0], flagSets[f][2], *board.random);
            CellLogic& pending = board.At(test.shape[0].first, test.shape[0].second);
            pending.swapPending = true;
            EXPECT_EQ(finder.CountMatch(pending, true), test.size) << test.name;
            EXPECT_EQ(static_cast<int>(pending.chip->bonusToCreate), test.bonus[f]) << test.name << " flags " << f;
            // Only the swap-pending cell earns it.
            CellLogic& other = board.At(test.shape[1].first, test.shape[1].second);
            EXPECT_EQ(other.chip->bonusToCreate, BonusKind::None) << test.name;
            EXPECT_TRUE(other.chip->marked) << test.name;
        }
    }
}

TEST(ConnectionManagerTest, ColumnsToleratePositionJitterByTheFirstEntryRule)
{
    const Cells column{{0, 1}, {1, 1}, {2, 1}, {3, 1}};
    for (const float last : {200.9f, 201.2f}) {
        Board board(Shape(column), 5);
        const float xs[4] = {200.0f, 200.6f, 199.5f, last};
        for (int i = 0; i < 4; ++i)
            board.At(i, 1).centre.x = xs[i];
        board.At(0, 1).swapPending = true;
        board.connections->CountMatch(board.At(0, 1), true);
        EXPECT_EQ(board.At(0, 1).chip->bonusToCreate, last < 201.0f ? BonusKind::BombVertical : BonusKind::BombVolume);
    }
}

TEST(ConnectionManagerTest, CascadeGroupsEarnNoBonus)
{
    Board board(Shape({{1, 0}, {1, 1}, {1, 2}, {1, 3}}), 5);
    EXPECT_TRUE(board.connections->MarkAll(true));
    for (int c = 0; c < 4; ++c) {
        EXPECT_TRUE(board.ChipAt(1, c).marked);
        EXPECT_EQ(board.ChipAt(1, c).bonusToCreate, BonusKind::None);
    }
}

TEST(ConnectionManagerTest, StonesBusyChipsAndBareCellsBreakAGroupWhileEveryLinkKindJoins)
{
    {
        Board board({"A A S A A", "Y Z Y Z Y"}, 5);
        EXPECT_EQ(board.connections->CountMatch(board.At(0, 0), false), 0u);
        EXPECT_FALSE(board.connections->MarkAll(false));
    }
    {
        Board board({"A A A Y", "Y Z Y Z"}, 5);
        board.ChipAt(0, 1).state = ChipState::Swap;
        EXPECT_EQ(board.connections->CountMatch(board.At(0, 0), false), 0u);
    }
    {
        Board board({"A A! A Y", "Y Z Y Z"}, 5);
        EXPECT_EQ(board.connections->CountMatch(board.At(0, 0), false), 0u);
    }
    {
        Board board({"A A A Y", "Y Z Y Z"}, 5);
        for (auto& link : board.connections->connections)
            link.kind = 1;
        EXPECT_EQ(board.connections->CountMatch(board.At(0, 0), false), 3u);
    }
}

TEST(ConnectionManagerTest, StonesOnALineEndAndExitFallsAreMarkedWithoutAGroup)
{
    Board board({"Y Z Y", "Z Y Z", "Y S Y"}, 5);
    EXPECT_TRUE(board.connections->MarkAll(true));
    EXPECT_TRUE(board.ChipAt(2, 1).marked);

    Board falling({"Y Z Y", "Z S Z", "Y Z Y"}, 5);
    EXPECT_FALSE(falling.connections->MarkAll(true));
    StubChips::Of(falling.ChipAt(1, 1)).exitFall = true;
    EXPECT_TRUE(falling.connections->MarkAll(true));
    EXPECT_TRUE(falling.ChipAt(1, 1).marked);
}

TEST(ConnectionManagerTest, TwoDisjointGroupsAreBothMarked)
{
    Board board({"A A A Y Z", "Y Z Y Z Y", "B B B Z Y"}, 5);
    EXPECT_TRUE(board.connections->MarkAll(true));
    for (int c = 0; c < 3; ++c) {
        EXPECT_TRUE(board.ChipAt(0, c).marked);
        EXPECT_TRUE(board.ChipAt(2, c).marked);
    }
}

TEST(ConnectionManagerTest, RemovalQueuesItsSoundsOnceEachInOrder)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        bool combo;
        std::vector<int> sounds;
    };
    const Case cases[] = {
        {"bomb before line chip", {"A1 A2 A Y", "Y Z Y Z", "Z Y Z Y"}, false, {10, 9, 11}},
        {"plain first match", {"A A A Y", "Y Z Y Z", "Z Y Z Y"}, false, {8}},
        {"plain match in a combo", {"A A A Y", "Y Z Y Z", "Z Y Z Y"}, true, {}},
        {"random destruction", {"A5 A A Y", "Y Z Y Z", "Z Y Z Y"}, true, {12, 9}},
    };
    for (const Case& test : cases) {
        Board board(test.rows, 5);
        ASSERT_TRUE(board.connections->MarkAll(true)) << test.name;
        board.connections->RemoveMatched(test.combo);
        std::vector<int> queued;
        for (const BoardSound s : board.connections->soundQueue)
            queued.push_back(static_cast<int>(s));
        EXPECT_EQ(queued, test.sounds) << test.name;
    }
}

TEST(ConnectionManagerTest, RemovalBreaksLayersUnderRemovedChipsAndCountsTheLayerGoal)
{
    {
        Board board({"Ad At Ad Y", "Y Z Y Z"}, 5, 7);
        board.progress->goal = 2;
        board.connections->MarkAll(true);
        EXPECT_EQ(board.connections->RemoveMatched(false), 3u);
        EXPECT_EQ(board.At(0, 1).type, TileType::Double);
        EXPECT_EQ(board.At(0, 0).chip, nullptr);
        // The goal counts and clamps.
        EXPECT_EQ(board.progress->count, 2u);
        EXPECT_TRUE(board.progress->done);
    }
    {
        // A frozen chip stays without its ice; its layer holds.
        Board board({"Ad A*d Ad Y", "Y Z Y Z"}, 5);
        board.connections->MarkAll(true);
        EXPECT_EQ(board.connections->RemoveMatched(false), 2u);
        EXPECT_EQ(board.At(0, 1).type, TileType::Double);
        ASSERT_NE(board.At(0, 1).chip, nullptr);
        EXPECT_FALSE(board.ChipAt(0, 1).frozen);
        EXPECT_EQ(board.ChipAt(0, 1).state, ChipState::Idle);
    }
    {
        // The swapped cell that becomes a bonus keeps its chip and loses its layer.
        Board board({"Ad Ad Ad Ad", "Y Z Y Z"}, 5);
        board.At(0, 0).swapPending = true;
        board.connections->MarkAll(true);
        EXPECT_EQ(board.connections->RemoveMatched(false), 4u);
        ASSERT_NE(board.At(0, 0).chip, nullptr);
        EXPECT_EQ(board.ChipAt(0, 0).bonus, BonusKind::BombHorizontal);
        EXPECT_EQ(board.At(0, 0).type, TileType::Single);
    }
}

TEST(ConnectionManagerTest, MoveSearchFindsTheFirstSwapOverAPlainLinkAndLeavesTheChips)
{
    // One move: (1,2) and (1,3) change places.
    Board board({"B C D E", "A A F A", "G H I J"}, 10);
    std::vector<ChipLogic*> before;
    for (CellLogic* c : board.cells->cells)
        before.push_back(c->chip);
    EXPECT_FALSE(board.connections->HasNoMoves());
    ASSERT_TRUE(board.connections->hintLink);
    const auto& hint = board.connections->connections[*board.connections->hintLink];
    const std::set<CellLogic*> ends{hint.from, hint.to};
    EXPECT_EQ(ends, (std::set<CellLogic*>{&board.At(1, 2), &board.At(1, 3)}));
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(board.cells->cells[i]->chip, before[i]);

    // The same swap over a link the search never tries.
    for (auto& link : board.connections->connections)
        if (&link == &hint)
            link.kind = 1;
    EXPECT_TRUE(board.connections->HasNoMoves());
}

TEST(ConnectionManagerTest, MovesThatNeedAFrozenChipOrAStoneDoNotCount)
{
    for (const char* mover : {"A*", "S"}) {
        Board board({std::string("B C ") + mover + " D", "A A E F", "G H I J"}, 10);
        EXPECT_TRUE(board.connections->HasNoMoves()) << mover;
    }
    // Two moves: the hint is the first in link order (rows before columns).
    Board board({"A A B A", "C D E H", "F F G F"}, 10);
    EXPECT_FALSE(board.connections->HasNoMoves());
    const auto& hint = board.connections->connections[*board.connections->hintLink];
    EXPECT_EQ(hint.from, &board.At(0, 2));
    EXPECT_EQ(hint.to, &board.At(0, 3));
}

TEST(ConnectionManagerTest, RepairLeavesNoReadyGroupAndAMoveOverManySeeds)
{
    for (uint32_t seed = 1; seed <= 1000; ++seed) {
        Board board({"A A A A A A", "A A A A A A", "A A A A A A", "A A A A A A", "A A A A A A", "A A A A A A"}, 5);
        SeededRandom deal(seed);
        for (CellLogic* c : board.cells->cells)
            if (c->chip)
                c->chip->flowerKind = deal.Next() % 5;
        board.connections->FixBoard(false);
        ASSERT_FALSE(board.connections->HasReadyGroup()) << seed;
        ASSERT_FALSE(board.connections->HasNoMoves()) << seed;
    }
}

TEST(ConnectionManagerTest, RepairSurvivesACellWhoseNeighboursHoldEveryKind)
{
    Board board({"Y B Z", "C A D", "Y A Z", "Z A Y"}, 4);
    board.connections->FixBoard(false);
    EXPECT_FALSE(board.connections->HasReadyGroup());
}

TEST(ConnectionManagerTest, RepairNeverMakesStonesFromAStonePairAndLeavesAMove)
{
    Board board({"S S E F", "A B G H", "C D I J"}, 10);
    const int stones = board.chips->stonesOnBoard;
    ASSERT_TRUE(board.connections->HasNoMoves());
    board.connections->FixBoard(false);
    int count = 0;
    for (CellLogic* c : board.cells->cells)
        count += c->chip && c->chip->IsStone() ? 1 : 0;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(board.chips->stonesOnBoard, stones);
    EXPECT_FALSE(board.connections->HasNoMoves());
}

TEST(ConnectionManagerTest, ShuffleKeepsEveryChipsKindBonusAndIceAndTheCounts)
{
    Board board({"A B1 C D", "B* C D A", "C D A* B"}, 4);
    std::multiset<std::tuple<unsigned, int, bool>> before;
    for (CellLogic* c : board.cells->cells)
        if (c->chip)
            before.insert({c->chip->flowerKind, static_cast<int>(c->chip->bonus), c->chip->frozen});
    for (CellLogic* c : board.cells->cells)
        if (c->chip) {
            CellLogic* other = board.cells->cells[board.random->Next() % board.cells->cells.size()];
            if (other->chip)
                board.cells->SwapKinds(*c, *other);
        }
    std::multiset<std::tuple<unsigned, int, bool>> after;
    int frozen = 0;
    for (CellLogic* c : board.cells->cells)
        if (c->chip) {
            after.insert({c->chip->flowerKind, static_cast<int>(c->chip->bonus), c->chip->frozen});
            frozen += c->chip->frozen ? 1 : 0;
        }
    EXPECT_EQ(before, after);
    EXPECT_EQ(board.chips->frozenOnBoard, frozen);
    board.connections->ShuffleBoard();
    EXPECT_FALSE(board.connections->HasReadyGroup());
}

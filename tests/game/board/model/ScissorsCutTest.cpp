// Cuts of the armed scissors through the cell manager: which chips each mode takes (stones, ice and the
// radius by pairs held), frozen chips cut twice by three pairs, the pairs spent by the cut, and the
// highlighted area.

#include "BoardFixtureSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace BoardFixtures;

namespace {

// The centre A has a stone above it and a frozen B to its left; a stone on its upper-left diagonal.
const std::vector<std::string> cutBoard = {"Y Z Y Z Y", "Z S S Y Z", "Y B* A Z Y", "Z Y Z Y Z", "Y Z Y Z Y"};

struct Cut {
    explicit Cut(unsigned pairs) : board(cutBoard, 5), scissors(board.score, {20, 20, 20})
    {
        board.cells->SetScissors(&scissors);
        board.chips->scissors = &scissors;
        scissors.Award(pairs);
        scissors.armedMode = static_cast<int>(pairs);
    }

    size_t Flights(const ChipLogic* chip) const
    {
        return static_cast<size_t>(std::count(board.chips->flown.begin(), board.chips->flown.end(), chip));
    }

    Board board;
    ScissorsLogic scissors;
};

} // namespace

TEST(ScissorsCutTest, ModeAndPairsChooseTheChipsCut)
{
    struct Case {
        unsigned pairs;
        size_t flights;   // chips cut and sent flying
        unsigned counted; // chips the cut counts towards the next pair (a thawed chip counts too)
        bool stoneCut;    // the stone above the centre
        bool diagonalCut; // the flower on the lower-right diagonal, 70.7 away
        bool frozenFlies; // the frozen chip is cut again after its ice broke
    };
    const Case cases[] = {
        {1, 1, 1, false, false, false},
        {2, 3, 4, false, false, false}, // radius 51: the centre and two flowers beside it; the ice only breaks
        {3, 9, 10, true, true, true},   // radius 72: everything around, stones included
    };
    for (const Case& c : cases) {
        Cut cut(c.pairs);
        Board& board = cut.board;
        const ChipLogic* centre = &board.ChipAt(2, 2);
        const ChipLogic* stone = &board.ChipAt(1, 2);
        const ChipLogic* diagonal = &board.ChipAt(3, 3);
        ChipLogic* frozen = &board.ChipAt(2, 1);
        board.Click(board.At(2, 2));
        EXPECT_EQ(board.chips->flown.size(), c.flights) << c.pairs;
        EXPECT_EQ(cut.Flights(centre), 1u) << c.pairs;
        EXPECT_EQ(cut.Flights(stone), c.stoneCut ? 1u : 0u) << c.pairs;
        EXPECT_EQ(cut.Flights(diagonal), c.diagonalCut ? 1u : 0u) << c.pairs;
        EXPECT_EQ(cut.Flights(frozen), c.frozenFlies ? 1u : 0u) << c.pairs;
        EXPECT_EQ(StubChips::Of(*frozen).thawed, c.pairs >= 2) << c.pairs;
        EXPECT_FALSE(frozen->frozen && c.pairs >= 2) << c.pairs;
        // Every pair is spent before the cut's chips count, so they count towards the next pair; the
        // scissors are no longer armed; the click selected nothing.
        EXPECT_EQ(cut.scissors.pairs, 0u) << c.pairs;
        EXPECT_EQ(cut.scissors.chipCount, c.counted) << c.pairs;
        EXPECT_EQ(cut.scissors.armedMode, 0) << c.pairs;
        EXPECT_EQ(board.cells->selected, nullptr) << c.pairs;
        EXPECT_GE(board.cells->combo, 1u) << c.pairs;
    }
}

TEST(ScissorsCutTest, OnePairOnAStoneCutsNothingButIsSpent)
{
    Cut cut(1);
    cut.board.Click(cut.board.At(1, 2));
    EXPECT_TRUE(cut.board.chips->flown.empty());
    EXPECT_EQ(cut.scissors.pairs, 0u);
    EXPECT_EQ(cut.board.cells->combo, 1u); // the forced tail ran
}

TEST(ScissorsCutTest, TheAreaStartsWithTheClickedChipAndHoversChangeNothing)
{
    Cut cut(3);
    Board& board = cut.board;
    const auto area = board.cells->CutArea(board.At(2, 2), 3, CellManagerLogic::CutRadius(3));
    ASSERT_EQ(area.size(), 9u);
    EXPECT_EQ(area.front(), &board.ChipAt(2, 2));
    EXPECT_EQ(board.cells->CutArea(board.At(2, 2), 2, CellManagerLogic::CutRadius(2)).size(), 4u);
    EXPECT_EQ(CellManagerLogic::CutRadius(0), 10.0f);
    EXPECT_EQ(CellManagerLogic::CutRadius(4), 10.0f);

    BoardInput hover;
    hover.cursor = board.At(2, 2).centre;
    board.Frame(hover);
    EXPECT_TRUE(board.chips->flown.empty());
    EXPECT_EQ(cut.scissors.pairs, 3u);
    EXPECT_EQ(cut.scissors.armedMode, 3);
}

// The scripted player's look-ahead against the board's own resolution: each swap is forecast on a copy,
// then played on the headless board; the forecast must say what the board then does.

#include "BoardForecast.h"
#include "BoardFixtureSupport.h"

#include <gtest/gtest.h>

using namespace BoardFixtures;

namespace {

struct ForecastCase {
    const char* name;
    std::vector<std::string> rows;
    std::pair<int, int> from, to; // the swapped cells (row, column)
    int chips, frozen, stones, layers, effects, bonusMade, passes;
};

int LayersOnBoard(const Board& board)
{
    int layers = 0;
    for (const CellLogic* cell : board.cells->cells)
        layers += cell->Layers();
    return layers;
}

} // namespace

TEST(BoardForecastTest, ForecastsWhatTheBoardDoes)
{
    const ForecastCase cases[] = {
        {"a row of three", {"B C D E", "C D E B", "A A B A"}, {2, 2}, {2, 3}, 3, 0, 0, 0, 0, 0, 1},
        {"the fall makes a second group",
         {"B E D B", "D C B D", "E A D E", "B A E B", "A D C C"}, {4, 0}, {4, 1}, 6, 0, 0, 0, 0, 0, 2},
        {"five in a row leave a cross bomb where the swap put the fifth",
         {"B C D E B", "C D A B C", "A A B A A"}, {1, 2}, {2, 2}, 4, 0, 0, 0, 0, 1, 1},
        {"a frozen chip in the group thaws and stays", {"B C D E", "C D E B", "A* A B A"}, {2, 2}, {2, 3},
         2, 1, 0, 0, 0, 0, 1},
        {"layers break under the group", {"B C D E", "C D E B", "Ad At B A"}, {2, 2}, {2, 3}, 3, 0, 0, 2, 0, 0, 1},
        {"a stone falls to the line end and leaves", {"B C D E", "S D E B", "A A B A"}, {2, 2}, {2, 3},
         3, 0, 1, 0, 0, 0, 2},
        {"a volume bomb in the group takes its neighbours", {"B C D E", "C D E B", "A A1 B A"}, {2, 2}, {2, 3},
         6, 0, 0, 0, 1, 0, 1},
    };
    for (const ForecastCase& test : cases) {
        SCOPED_TRACE(test.name);
        Board board(test.rows, 5);
        CellLogic& a = board.At(test.from.first, test.from.second);
        CellLogic& b = board.At(test.to.first, test.to.second);
        const BoardForecast forecast(board.cells->cells, *board.connections, *board.lines, true, true, true);
        const BoardForecast::Outcome o = forecast.Swap(forecast.IndexOf(&a), forecast.IndexOf(&b));
        EXPECT_EQ(o.chips, test.chips);
        EXPECT_EQ(o.frozen, test.frozen);
        EXPECT_EQ(o.stones, test.stones);
        EXPECT_EQ(o.layers, test.layers);
        EXPECT_EQ(o.effects, test.effects);
        EXPECT_EQ(o.bonusMade, test.bonusMade);
        EXPECT_EQ(o.passes, test.passes);

        // The board itself: the chips that come in are unknown to the forecast, so the board may do more.
        const int layersBefore = LayersOnBoard(board);
        board.Click(a);
        board.Click(b);
        ASSERT_GT(board.Settle(), 0);
        EXPECT_GE(static_cast<int>(board.chips->frozenCollected), o.frozen);
        EXPECT_GE(static_cast<int>(board.chips->stonesCollected), o.stones);
        EXPECT_GE(layersBefore - LayersOnBoard(board), o.layers);
        EXPECT_GE(static_cast<int>(board.chips->bonusEffectsInLevel), o.effects);
        EXPECT_GE(static_cast<int>(board.chips->collected), o.chips + o.frozen + o.stones + o.bonusMade);
    }
}

TEST(BoardForecastTest, ASwapWithoutAGroupForecastsNothing)
{
    Board board({"B C D E", "C D E B", "A A B A"}, 5);
    const BoardForecast forecast(board.cells->cells, *board.connections, *board.lines, true, true, true);
    const BoardForecast::Outcome o =
        forecast.Swap(forecast.IndexOf(&board.At(0, 0)), forecast.IndexOf(&board.At(0, 1)));
    EXPECT_EQ(o.passes, 0);
    EXPECT_EQ(o.chips, 0);
}

TEST(BoardForecastTest, ACutOfThreePairsTakesItsSquareStonesAndIceToo)
{
    // The centre A has stones above it and a frozen B to its left.
    Board board({"Y Z Y Z Y", "Z S S Y Z", "Y B* A Z Y", "Z Y Z Y Z", "Y Z Y Z Y"}, 5);
    ScissorsLogic scissors(board.score, {20, 20, 20});
    board.cells->SetScissors(&scissors);
    scissors.Award(3);
    scissors.armedMode = 3;
    CellLogic& centre = board.At(2, 2);
    const BoardForecast forecast(board.cells->cells, *board.connections, *board.lines, true, true, true);
    std::vector<size_t> area;
    for (const ChipLogic* chip : board.cells->CutArea(centre, 3, CellManagerLogic::CutRadius(3)))
        for (size_t i = 0; i < board.cells->cells.size(); ++i)
            if (board.cells->cells[i]->chip == chip)
                area.push_back(i);
    ASSERT_EQ(area.size(), 9u);
    const BoardForecast::Outcome o = forecast.Cut(area, true);
    EXPECT_EQ(o.stones, 2);
    EXPECT_EQ(o.frozen, 1);
    EXPECT_GE(o.chips, 7); // the six flowers and the thawed one, then what the fall brings together

    board.Click(centre);
    ASSERT_GT(board.Settle(), 0);
    EXPECT_EQ(static_cast<int>(board.chips->stonesCollected), o.stones);
    EXPECT_EQ(static_cast<int>(board.chips->frozenCollected), o.frozen);
    EXPECT_GE(static_cast<int>(board.chips->collected), o.chips + o.frozen + o.stones);
}

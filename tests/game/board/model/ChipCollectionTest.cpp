// Collecting a chip: points per kind, the bonus effects' victims and chains, ice, stones, the double-chip
// copy and a chip that becomes a bonus, on a 5 x 5 board of idle chips 50 units apart.

#include "BoardFixtureSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace BoardFixtures;

namespace {

// Kinds vary so that only the centre's own kind repeats (for the random destruction).
std::vector<std::string> Grid(const std::string& centre)
{
    return {"B C D E F", "G H I J K", "L M " + centre + " N O", "P Q R A T", "U V W X Y"};
}

ChipLogic& Collect(Board& board, int row, int column)
{
    ChipLogic& chip = board.ChipAt(row, column);
    chip.marked = true;
    board.chips->Collect(chip, false);
    return chip;
}

int Collected(Board& board)
{
    int n = 0;
    for (CellLogic* c : board.cells->cells)
        n += c->chip && c->chip->state == ChipState::Flight ? 1 : 0;
    return n;
}

} // namespace

TEST(ChipCollectionTest, EachBonusKindScoresAndTakesItsVictims)
{
    struct Case {
        const char* centre;
        int points;
        int collected; // the bomb included
        EffectKind effect;
    };
    const Case cases[] = {
        {"A", 10, 1, EffectKind::Score},
        {"A1", 210, 9, EffectKind::Bomb},           // the 8 neighbours at 50 and 70.7, not those at 100
        {"A2", 210, 5, EffectKind::LineCentre},     // the row
        {"A3", 210, 5, EffectKind::LineCentre},     // the column
        {"A4", 510, 9, EffectKind::LineCentre},     // row and column
        {"A6", 510, 9, EffectKind::LineCentre},
        {"A5", 310, 2, EffectKind::DiscardCentre},  // the other A
    };
    for (const Case& test : cases) {
        Board board(Grid(test.centre), 26);
        const ChipLogic& bomb = Collect(board, 2, 2);
        EXPECT_EQ(bomb.points, test.points) << test.centre;
        EXPECT_EQ(Collected(board), test.collected) << test.centre;
        EXPECT_EQ(bomb.state, ChipState::Flight);
        EXPECT_FALSE(bomb.marked);
        bool found = false;
        for (const auto& e : board.chips->effects)
            found = found || e.first == test.effect;
        EXPECT_TRUE(found) << test.centre;
        const unsigned effects = test.collected > 1 ? 1u : 0u;
        EXPECT_EQ(board.chips->bonusEffectsInLevel, effects) << test.centre;
    }
}

TEST(ChipCollectionTest, LineEffectsAimAtTheFarthestChosenChips)
{
    Board board({"B C D E F", "G H I J K", "A2 M N O P", "Q R S T U", "V W X Y Z"}, 26);
    const BoardPoint bomb = board.ChipAt(2, 0).position;
    const BoardPoint end = board.ChipAt(2, 4).position;
    Collect(board, 2, 0);
    ASSERT_EQ(board.chips->effectTargets.size(), 2u);
    // Nothing chosen on the left: aimed at the bomb itself.
    EXPECT_EQ(board.chips->effectTargets[0].x, bomb.x);
    EXPECT_EQ(board.chips->effectTargets[1].x, end.x);
}

TEST(ChipCollectionTest, FrozenChipsAndStonesScoreTheirEventsAndCount)
{
    Board board({"A* S B", "C D E"}, 5, 5);
    board.progress->goal = 10;
    ChipLogic& frozen = Collect(board, 0, 0);
    EXPECT_EQ(frozen.points, 310);
    EXPECT_EQ(frozen.state, ChipState::Idle);
    EXPECT_FALSE(frozen.frozen);
    EXPECT_TRUE(StubChips::Of(frozen).thawed);
    EXPECT_EQ(StubChips::Of(frozen).flights, 0);
    EXPECT_EQ(board.chips->frozenCollected, 1u);
    EXPECT_EQ(board.chips->frozenOnBoard, 0);
    EXPECT_EQ(board.progress->count, 1u);

    const int stones = board.chips->stonesOnBoard;
    ChipLogic& stone = Collect(board, 0, 1);
    EXPECT_EQ(stone.points, 410);
    EXPECT_EQ(board.chips->stonesCollected, 1u);
    EXPECT_EQ(board.chips->stonesOnBoard, stones - 1);
}

TEST(ChipCollectionTest, TheDoubleChipCopyFliesSeparatelyAndCountsAsAFlowerOnly)
{
    Board board({"S A B", "C D E"}, 5);
    board.powerups->doubleChipOn = true;
    const size_t before = board.chips->chips.size();
    const int stones = board.chips->stonesOnBoard;
    Collect(board, 0, 0);
    ASSERT_EQ(board.chips->chips.size(), before + 1);
    EXPECT_EQ(board.chips->flown.size(), 2u);
    EXPECT_EQ(board.chips->chips.back()->points, 10);
    EXPECT_EQ(board.chips->stonesCollected, 1u);
    EXPECT_EQ(board.chips->stonesOnBoard, stones - 1);
    EXPECT_EQ(board.chips->collected, 2u);
}

TEST(ChipCollectionTest, AChipWithABonusToCreateStaysAsTheNewBonus)
{
    Board board({"A B C", "D E F"}, 5);
    ChipLogic& chip = board.ChipAt(0, 0);
    chip.bonusToCreate = BonusKind::BombVertical;
    Collect(board, 0, 0);
    EXPECT_EQ(chip.state, ChipState::Idle);
    EXPECT_EQ(chip.bonus, BonusKind::BombVertical);
    EXPECT_EQ(chip.bonusToCreate, BonusKind::None);
    EXPECT_EQ(chip.points, 10);
    EXPECT_TRUE(board.chips->flown.empty());
    EXPECT_EQ(board.chips->effects.back().first, EffectKind::Bonus);
}

TEST(ChipCollectionTest, ABombAmongVictimsFiresBeforeTheRemainingVictims)
{
    // A line bomb at the left of the middle row; a volume bomb next to it takes the rows around it.
    Board board({"B C D E F", "G H I J K", "L2 M1 N O P", "Q R S T U", "V W X Y Z"}, 26);
    Collect(board, 2, 0);
    const auto& flown = board.chips->flown;
    ASSERT_GE(flown.size(), 3u);
    // Scan order puts (0,0)..(1,2) of the volume bomb before (2,2) of the line bomb.
    const ChipLogic* lineVictim = board.At(2, 2).chip;
    const ChipLogic* volumeVictim = board.At(1, 0).chip;
    const auto at = [&flown](const ChipLogic* c) { return std::find(flown.begin(), flown.end(), c) - flown.begin(); };
    EXPECT_LT(at(volumeVictim), at(lineVictim));
    EXPECT_EQ(board.chips->bonusEffectsThisMove, 2u);
    // Every chip collected once.
    std::set<const ChipLogic*> unique(flown.begin(), flown.end());
    EXPECT_EQ(unique.size(), flown.size());
}

TEST(ChipCollectionTest, TheTornadoCollectsEveryIdleChipOnce)
{
    Board board({"A B C", "D E F"}, 5);
    board.powerups->doubleChipOn = true;
    board.chips->CollectIdleChips();
    EXPECT_EQ(board.chips->collected, 12u);
    EXPECT_EQ(board.chips->chips.size(), 12u);
}

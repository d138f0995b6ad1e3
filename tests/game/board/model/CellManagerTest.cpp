// The move cycle: swaps accepted and rejected, the resolution tail's combo table, the end of a move,
// the no-more-moves repair, set-up on boards with too few cells for its stones and ice.

#include "BoardFixtureSupport.h"

#include <gtest/gtest.h>

using namespace BoardFixtures;

namespace {

// A swap of (1,1) and (1,2) joins 4 As at (1,1) and 3 Bs at (1,2): 7 chips. With `six` the A group has 3.
std::vector<std::string> SwapBoard(bool six)
{
    return {"Y A B Z", six ? "Z B A Y" : "A B A Y", "Z A B Y"};
}

void Swap(Board& board, CellLogic& a, CellLogic& b)
{
    board.Click(a);
    board.Click(b);
}

} // namespace

TEST(CellManagerTest, TheTailScoresAndSoundsTheCombo)
{
    const int points[9] = {0, 0, 0, 1000, 1500, 2500, 4000, 6000, 8500};
    const int sounds[9] = {0, 14, 15, 16, 17, 18, 19, 20, 20};
    for (unsigned d = 0; d <= 8; ++d) {
        EXPECT_EQ(CellManagerLogic::ComboPoints(d), points[d]) << d;
        Board board({"Y Z Y", "Z Y Z"}, 5);
        board.cells->combo = d;
        board.cells->ResolveCut(true);
        EXPECT_EQ(board.score.total, points[d]) << d;
        bool combo = false;
        for (const int s : board.sounds.played)
            if (s >= 14 && s <= 20) {
                EXPECT_EQ(s, sounds[d]) << d;
                combo = true;
            }
        EXPECT_EQ(combo, d > 0) << d;
        EXPECT_EQ(board.cells->combo, d + 1);
        EXPECT_EQ(board.cells->moveEndDelay, board.settings.moveEndDelay);
    }
}

TEST(CellManagerTest, ASwapThatMatchesIsResolvedAndTheNextMoveCountsItsComboFromZero)
{
    Board board(SwapBoard(true), 8);
    Swap(board, board.At(1, 1), board.At(1, 2));
    ASSERT_EQ(board.cells->swapPairs.size(), 1u);
    EXPECT_TRUE(board.At(1, 1).swapPending);
    ASSERT_GT(board.Settle(), 0);
    EXPECT_EQ(board.sounds.Count(8), 1);
    EXPECT_EQ(board.cells->combo, 0u);
    EXPECT_LT(board.cells->moveEndDelay, 0.0f);
    EXPECT_TRUE(board.groups.bonusKeys.empty()); // six chips earn no flower combo bonus

    // A second move with one match: its first tail plays no combo sound.
    board.sounds.played.clear();
    board.cells->ResolveCut(true);
    EXPECT_EQ(board.sounds.Count(14), 0);
    EXPECT_EQ(board.cells->combo, 1u);
}

TEST(CellManagerTest, SevenChipsInOneSwapEarnTheFlowerComboBonus)
{
    Board board(SwapBoard(false), 8);
    Swap(board, board.At(1, 1), board.At(1, 2));
    ASSERT_EQ(board.groups.bonusKeys.size(), 1u);
    EXPECT_EQ(board.groups.bonusKeys[0], CellManagerLogic::flowerComboKey);
    EXPECT_EQ(board.score.total, board.settings.flowerComboBonus);
}

TEST(CellManagerTest, ASwapThatMatchesNothingGoesBackWithItsSound)
{
    Board board({"Y A Z B", "Z B Y Z", "Y Z C Y"}, 8);
    ChipLogic* a = board.At(0, 1).chip;
    Swap(board, board.At(0, 1), board.At(1, 1));
    EXPECT_EQ(board.sounds.Count(6), 1);
    EXPECT_EQ(board.At(0, 1).chip, a);
    EXPECT_EQ(a->state, ChipState::SwapBack);
    EXPECT_FALSE(board.At(0, 1).swapPending);
    for (int i = 0; i < 20; ++i)
        board.Frame();
    EXPECT_TRUE(board.cells->swapPairs.empty());
    EXPECT_EQ(board.cells->combo, 0u);
}

TEST(CellManagerTest, FrozenChipsAndStonesAreNeverSelected)
{
    Board board({"A* S Y", "Z Y Z"}, 5);
    board.Click(board.At(0, 0));
    board.Click(board.At(0, 1));
    EXPECT_EQ(board.cells->selected, nullptr);
    board.Click(board.At(0, 2));
    EXPECT_EQ(board.cells->selected, &board.At(0, 2));
    EXPECT_EQ(board.sounds.Count(5), 1);
}

TEST(CellManagerTest, AMoveOfThreeChainedMatchesShowsItsCaptionOnce)
{
    Board board({"Y Z Y", "Z Y Z"}, 5, 6);
    board.cells->combo = 2;
    board.cells->ResolveCut(true);
    for (int i = 0; i < 60; ++i)
        board.Frame();
    EXPECT_EQ(board.groups.combos, std::vector<int>{2});
    EXPECT_EQ(board.sounds.Count(21), 1);
    EXPECT_EQ(board.progress->count, 1u);
    EXPECT_EQ(board.cells->combo, 0u);
    EXPECT_EQ(board.cells->matchCounter, 1);
}

TEST(CellManagerTest, MoreThanTwelveLayersInAMoveSetTheManyLayersFlag)
{
    for (const unsigned layers : {12u, 13u}) {
        Board board({"Y Z Y", "Z Y Z"}, 5);
        board.cells->combo = 1;
        board.cells->layersBroken = layers;
        board.cells->moveEndDelay = 0.001f;
        board.cells->FinishMove(0.01f);
        EXPECT_EQ(board.cells->manyLayers, layers > 12);
        EXPECT_EQ(board.cells->layersBroken, 0u);
    }
}

TEST(CellManagerTest, TheManyFlowersBonusIsPaidOncePerMove)
{
    Board board({"Y Z Y", "Z Y Z"}, 5);
    board.chips->bonusEffectsThisMove = 2;
    board.chips->AwardManyChipsBonus();
    EXPECT_TRUE(board.groups.bonusKeys.empty());
    board.chips->bonusEffectsThisMove = 3;
    board.chips->lastBonusPosition = {120.0f, 80.0f};
    board.chips->AwardManyChipsBonus();
    board.chips->AwardManyChipsBonus();
    ASSERT_EQ(board.groups.bonusKeys.size(), 1u);
    EXPECT_EQ(board.groups.bonusKeys[0], "MANY_FLOWERS_BONUS");
    EXPECT_EQ(board.groups.bonusPositions[0].x, 120.0f);
    EXPECT_EQ(board.score.total, board.settings.manyFlowersBonus);
}

TEST(CellManagerTest, ASwapPairWhoseChipWasPulledAwayMakesNoBonus)
{
    Board board({"Y Z A Z", "A A B A", "Z Y Z Y"}, 8);
    CellLogic& a = board.At(1, 2);
    CellLogic& b = board.At(2, 2);
    board.cells->swapPairs.push_back({&a, &b, a.chip, b.chip});
    a.swapPending = true;
    b.swapPending = true;
    // A refill pulls the swapped chip away from (1,2); the A that takes its place completes a row of 4.
    std::swap(a.chip, board.At(0, 2).chip);
    ChipLogic* arrived = a.chip;
    board.cells->ResolveSwaps();
    EXPECT_TRUE(board.cells->swapPairs.empty());
    EXPECT_EQ(arrived->state, ChipState::Flight); // removed, not kept as a bonus chip
    EXPECT_EQ(arrived->bonus, BonusKind::None);
    EXPECT_FALSE(a.swapPending);
    EXPECT_FALSE(b.swapPending);
}

TEST(CellManagerTest, ABoardWithoutMovesIsRepairedAndSaysSoForOneFrame)
{
    Board board({"A B C D", "B C D A", "C D A B", "D A B C"}, 4);
    ASSERT_TRUE(board.connections->HasNoMoves());
    board.cells->nothingToResolve = true;
    board.Frame();
    EXPECT_TRUE(board.cells->noMoreMoves);
    EXPECT_EQ(board.sounds.Count(24), 1);
    EXPECT_TRUE(board.chips->whirlActive);
    board.Frame();
    EXPECT_FALSE(board.cells->noMoreMoves);
    ASSERT_GT(board.Settle(), 0);
    EXPECT_FALSE(board.connections->HasNoMoves());
}

TEST(CellManagerTest, SetUpStopsWhenNoCellIsLeftForStonesOrIce)
{
    Board text({"A B C", "B C A"}, 3);
    GameFramework::StageInfo stage = text.stage;
    stage.stonesAtStart = 10;
    stage.frozenAtStart = 2;
    Board board(text.layout, stage, 2, 5);
    int stones = 0;
    for (CellLogic* c : board.cells->cells)
        stones += c->chip && c->chip->IsStone() ? 1 : 0;
    EXPECT_EQ(stones, 6);
    EXPECT_EQ(board.chips->stonesOnBoard, 6);
    EXPECT_EQ(board.chips->frozenOnBoard, 0);
}

TEST(CellManagerTest, PowerupsAllowedByLevelKindAndRelaxMode)
{
    struct Case {
        int32_t levelKind;
        bool relax;
        std::vector<PowerupKind> allowed;
    };
    using P = PowerupKind;
    const Case cases[] = {
        {0, false, {P::Horn, P::Pause, P::Tornado, P::DoubleChip}},
        {9, false, {P::Pause, P::DoubleChip}},
        {2, false, {P::Pause, P::DoubleChip}},
        {0, true, {P::Horn, P::Tornado, P::DoubleChip}},
    };
    for (const Case& test : cases) {
        Board text({"A B", "B A"}, 3, test.levelKind);
        text.stage.powerupKinds = {1, 2, 3, 4};
        std::vector<std::unique_ptr<CellLogic>> none;
        CellManagerLogic manager(std::move(none), text.layout, text.settings, text.stage, test.relax, *text.chips,
                                 *text.progress, *text.powerups, text.groups, text.sounds, *text.random);
        EXPECT_EQ(manager.allowedPowerups, test.allowed) << test.levelKind;
    }
}

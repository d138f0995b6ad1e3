#pragma once
// ScoreGroups: the popups the board's rules ask for: the points of chips removed together (one group
// per set), the combo caption and the bonus texts. The level hands in its score popups behind it.

#include "game/board/model/BoardTypes.h"
#include "game/board/model/ChipLogic.h"

namespace Petalwork {

class ScoreGroups {
public:
    virtual ~ScoreGroups() = default;
    virtual void BeginGroup() = 0;
    virtual void AddChip(const ChipLogic& chip) = 0;
    virtual void EndGroup() = 0;
    // Turns the groups of this removal into popups.
    virtual void FinalizeGroups() = 0;
    // `n` is the chain count minus 1; nothing below 2.
    virtual void ShowCombo(int n) = 0;
    // The text of `key` floating at `position`, and "+" `points` one line of the score font above it
    // (`pointsAbove`) or below it.
    virtual void ShowBonus(BoardPoint position, const char* key, int points, bool pointsAbove) = 0;
};

} // namespace Petalwork

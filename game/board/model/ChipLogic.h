#pragma once
// ChipLogic: what the board's rules know of one chip (its kind, bonus, ice, place, state and marks),
// without its models. The chip on the board (game/board/Chip) is built on it; match finding, the move
// lines, the score popups and the tests read it.

#include "game/board/model/BoardTypes.h"

namespace Petalwork {

class ChipLogic {
public:
    virtual ~ChipLogic() = default;

    bool IsStone() const { return flowerKind == stoneKind; }
    // Stones, frozen chips and hint chips never zoom under the mouse.
    bool CanHover() const { return !IsStone() && !frozen && !hintChip; }

    // The drawn value of a coordinate: b = a truncated towards zero to a multiple of 0.01; b when a - b
    // is below 0.005, else a itself. Keeps resting chips on whole hundredths so neighbours line up.
    static float SnapCoordinate(float a);

    unsigned flowerKind = 0;               // 0 .. n - 1, or stoneKind
    BonusKind bonus = BonusKind::None;
    BonusKind bonusToCreate = BonusKind::None; // turns into this bonus instead of leaving when collected
    bool frozen = false;
    BoardPoint position;
    float angle = 0.0f; // radians about z
    ChipState state = ChipState::Idle;
    AppearPhase appearPhase = AppearPhase::Gone;
    int points = 0;     // points of its last collection
    bool marked = false;
    bool collectedByBonus = false;
    bool hornChip = false;
    bool hintChip = false;
    bool remove = false; // the chip manager deletes the chip after this frame's update
    bool whirled = false;
    bool retireRising = false;
    bool retireMoving = false; // its cell has released it
};

} // namespace Petalwork

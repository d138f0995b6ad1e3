#pragma once
// MoveLine: a chain of cells from a head, where new chips enter the board, to an end, where chips come
// to rest. A step lets the chips left on the line slide towards the end into the emptied cells and
// brings new chips in at the head for the rest; the line then reports settled once its chips rest.
//
// Rules:
// - The head holds no tile and never a chip; new chips queue above it in steps of the spawn offset
//   (head centre minus the second cell's centre), behind any new chip still coming in.
// - A new chip takes a kind none of its linked neighbours holds when one is left (chips placed earlier
//   in the same step count), else any kind.
// - Under the stage's spawn clocks and maximums a new chip may become a stone, or else a frozen chip.
// - Random draws (the shared generator): one per new chip.

#include "game/board/model/CellLogic.h"
#include "game/board/model/ChipManagerLogic.h"

#include <vector>

namespace Petalwork {

class ConnectionManager;

class MoveLine {
public:
    MoveLine(std::vector<CellLogic*> cells, ConnectionManager& connections, ChipManagerLogic& chips,
             const GameFramework::StageInfo& stage, RandomSource& random);

    // The spawn offset, once the board has been centred.
    void Prepare();
    // True when new chips were brought in.
    bool Step();
    bool IsSettled();
    unsigned ChooseColour(const CellLogic& cell);

    std::vector<CellLogic*> cells; // head first
    BoardPoint spawnOffset;
    bool moving = false;
    bool settled = false;

private:
    ConnectionManager& connections;
    ChipManagerLogic& chips;
    const GameFramework::StageInfo& stage;
    RandomSource& random;
};

} // namespace Petalwork

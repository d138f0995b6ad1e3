#pragma once
// MoveLineManager: the move lines of a level in the board file's order, and their refill after every
// resolution.

#include "game/board/model/BoardLayout.h"
#include "game/board/model/MoveLine.h"

#include <memory>
#include <vector>

namespace Petalwork {

class MoveLineManager {
public:
    // The lines of `layout` over `cells` (the layout's cells in file order).
    MoveLineManager(const BoardLayout& layout, const std::vector<CellLogic*>& cells, ConnectionManager& connections,
                    ChipManagerLogic& chips, const GameFramework::StageInfo& stage, RandomSource& random);

    void PrepareAll();
    // Steps every line; a line that brought chips in joins `changed` unless it is in it.
    void StepAll(std::vector<MoveLine*>& changed);

    std::vector<std::unique_ptr<MoveLine>> lines;
};

} // namespace Petalwork

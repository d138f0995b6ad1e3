#include "game/board/model/MoveLineManager.h"

#include <algorithm>

namespace Petalwork {

MoveLineManager::MoveLineManager(const BoardLayout& layout, const std::vector<CellLogic*>& cells,
                                 ConnectionManager& connections, ChipManagerLogic& chips,
                                 const GameFramework::StageInfo& stage, RandomSource& random)
{
    for (const BoardLine& line : layout.lines) {
        std::vector<CellLogic*> members;
        for (const uint32_t index : line.cells)
            if (index < cells.size())
                members.push_back(cells[index]);
        if (members.size() >= 2)
            lines.push_back(std::make_unique<MoveLine>(std::move(members), connections, chips, stage, random));
    }
}

void MoveLineManager::PrepareAll()
{
    for (const auto& line : lines)
        line->Prepare();
}

void MoveLineManager::StepAll(std::vector<MoveLine*>& changed)
{
    for (const auto& line : lines)
        if (line->Step() && std::find(changed.begin(), changed.end(), line.get()) == changed.end())
            changed.push_back(line.get());
}

} // namespace Petalwork

#include "game/board/model/MoveLine.h"

#include "game/board/model/ConnectionManager.h"

#include "framework/StageInfo.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

MoveLine::MoveLine(std::vector<CellLogic*> cells_, ConnectionManager& connections_, ChipManagerLogic& chips_,
                   const GameFramework::StageInfo& stage_, RandomSource& random_)
    : cells(std::move(cells_)), connections(connections_), chips(chips_), stage(stage_), random(random_)
{
}

void MoveLine::Prepare()
{
    if (cells.size() < 2)
        return;
    spawnOffset = {cells[0]->centre.x - cells[1]->centre.x, cells[0]->centre.y - cells[1]->centre.y};
}

bool MoveLine::Step()
{
    const size_t n = cells.size();
    if (n < 2)
        return false;
    const BoardPoint head = cells[0]->centre;
    BoardPoint spawn = head;
    float farthest = -1.0f;
    size_t empty = 0;
    for (size_t i = 1; i < n; ++i) {
        const ChipLogic* chip = cells[i]->chip;
        if (!chip) {
            ++empty;
            continue;
        }
        // New chips queue behind those still coming in above the head.
        if (chip->state == ChipState::Fall && !chips.SecondMarkerPassed(*chip)) {
            const BoardPoint q{chip->position.x + spawnOffset.x, chip->position.y + spawnOffset.y};
            const float d = std::hypot(q.x - head.x, q.y - head.y);
            if (d > farthest) {
                farthest = d;
                spawn = q;
            }
        }
    }
    for (size_t i = n - 1; i >= 1; --i) {
        if (cells[i]->chip)
            continue;
        size_t j = i - 1;
        while (j >= 1 && !cells[j]->chip)
            --j;
        if (j < 1)
            break;
        std::swap(cells[i]->chip, cells[j]->chip);
        chips.StartFall(*cells[i]->chip, cells[i]->centre, {0.0f, 0.0f}, {0.0f, 0.0f}, cells[i]->lineEnd);
    }
    moving = empty > 0;
    for (size_t k = 1; k <= empty; ++k) {
        CellLogic& cell = *cells[empty - k + 1];
        const unsigned kind = ChooseColour(cell);
        ChipLogic& chip = chips.CreateChip(spawn, kind, false);
        if (stage.stoneInterval != 0.0f && chips.stoneTimer <= 0.0f && chips.stonesOnBoard < stage.maxStones) {
            chips.stoneTimer = stage.stoneInterval;
            chips.ChangeKind(chip, stoneKind, true);
        } else if (stage.frozenInterval != 0.0f && chips.frozenTimer <= 0.0f && chips.frozenOnBoard < stage.maxFrozen) {
            chips.frozenTimer = stage.frozenInterval;
            chips.SetFrozen(chip, true);
        }
        cell.chip = &chip;
        chips.StartFall(chip, cell.centre, head, cells[1]->centre, cell.lineEnd);
        spawn = {spawn.x + spawnOffset.x, spawn.y + spawnOffset.y};
    }
    return empty > 0;
}

bool MoveLine::IsSettled()
{
    if (moving) {
        for (size_t i = 1; i < cells.size(); ++i) {
            if (cells[i]->chip && cells[i]->chip->state != ChipState::Idle) {
                settled = false;
                return false;
            }
        }
    }
    moving = false;
    settled = true;
    return true;
}

unsigned MoveLine::ChooseColour(const CellLogic& cell)
{
    const unsigned n = stage.flowerKindCount > 0 ? static_cast<unsigned>(stage.flowerKindCount) : 1u;
    std::vector<unsigned> candidates;
    for (unsigned k = 0; k < n; ++k)
        candidates.push_back(k);
    for (const CellLogic* other : connections.Linked(cell)) {
        if (candidates.empty())
            break;
        if (other->chip)
            candidates.erase(std::remove(candidates.begin(), candidates.end(), other->chip->flowerKind),
                             candidates.end());
    }
    if (!candidates.empty())
        return candidates[random.Next() % candidates.size()];
    return random.Next() % n;
}

} // namespace Petalwork

#include "game/board/model/ConnectionManager.h"

#include "game/board/model/CellManagerLogic.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Petalwork {

namespace {

// The largest count of the histogram of `values` (group order): each value adds an entry of its own and
// one more to the first earlier entry within 1.0 of it.
unsigned LargestShare(const std::vector<float>& values)
{
    std::vector<std::pair<float, unsigned>> entries;
    for (const float v : values) {
        for (auto& entry : entries) {
            if (std::fabs(entry.first - v) <= 1.0f) {
                ++entry.second;
                break;
            }
        }
        entries.emplace_back(v, 1u);
    }
    unsigned largest = 0;
    for (const auto& entry : entries)
        largest = std::max(largest, entry.second);
    return largest;
}

bool IdleChip(const CellLogic& cell)
{
    return cell.HasTile() && cell.chip && cell.chip->state == ChipState::Idle;
}

} // namespace

ConnectionManager::ConnectionManager(CellManagerLogic& cellManager_, ChipManagerLogic& chips_, ScoreGroups& groups_,
                                     LevelProgress& progress_, const BoardLayout& layout, unsigned flowerKindCount_,
                                     bool volumeBombs_, bool lineBombs_, bool randomDestruction_,
                                     RandomSource& random_)
    : cellManager(cellManager_), chips(chips_), groups(groups_), progress(progress_),
      flowerKindCount(flowerKindCount_), volumeBombs(volumeBombs_), lineBombs(lineBombs_),
      randomDestruction(randomDestruction_), random(random_), cells(cellManager_.cells)
{
    linksOf.resize(cells.size());
    for (const BoardLink& link : layout.links) {
        if (link.from >= cells.size() || link.to >= cells.size())
            continue; // the board reader refuses such files; a hand-built layout must not crash
        linksOf[link.from].push_back(connections.size());
        if (link.to != link.from)
            linksOf[link.to].push_back(connections.size());
        connections.push_back({cells[link.from], cells[link.to], link.kind});
    }
    HasNoMoves();
}

size_t ConnectionManager::IndexOf(const CellLogic* cell) const
{
    return static_cast<size_t>(std::find(cells.begin(), cells.end(), cell) - cells.begin());
}

std::vector<CellLogic*> ConnectionManager::Linked(const CellLogic& cell) const
{
    std::vector<CellLogic*> result;
    const size_t index = IndexOf(&cell);
    if (index >= linksOf.size())
        return result;
    for (const size_t l : linksOf[index]) {
        const Connection& c = connections[l];
        result.push_back(c.from == &cell ? c.to : c.from);
    }
    return result;
}

std::optional<size_t> ConnectionManager::FindConnection(const CellLogic* a, const CellLogic* b) const
{
    for (size_t i = 0; i < connections.size(); ++i) {
        const Connection& c = connections[i];
        if ((c.from == a && c.to == b) || (c.from == b && c.to == a))
            return i;
    }
    return std::nullopt;
}

void ConnectionManager::Fill(CellLogic& cell)
{
    const size_t index = IndexOf(&cell);
    for (const size_t l : linksOf[index]) {
        const Connection& c = connections[l];
        CellLogic& other = *(c.from == &cell ? c.to : c.from);
        if (other.visited || !other.HasTile() || !other.chip)
            continue;
        if (other.chip->state != ChipState::Idle || cell.chip->state != ChipState::Idle)
            continue;
        if (other.chip->flowerKind != cell.chip->flowerKind || other.chip->IsStone())
            continue;
        other.visited = true;
        group.push_back(&other);
        Fill(other);
    }
}

unsigned ConnectionManager::CountMatch(CellLogic& cell, bool mark)
{
    if (!IdleChip(cell) || cell.chip->IsStone())
        return 0;
    for (CellLogic* c : cells)
        c->visited = false;
    group.clear();
    cell.visited = true;
    group.push_back(&cell);
    Fill(cell);
    if (group.size() < 3)
        return 0;
    if (mark) {
        const BonusKind bonus = ChooseBonus();
        groups.BeginGroup();
        for (CellLogic* c : group) {
            groups.AddChip(*c->chip);
            c->chip->marked = true;
            if (c->swapPending)
                c->chip->bonusToCreate = bonus;
        }
        groups.EndGroup();
    }
    return static_cast<unsigned>(group.size());
}

BonusKind ConnectionManager::ChooseBonus() const
{
    std::vector<BoardPoint> centres;
    for (const CellLogic* c : group)
        centres.push_back(c->centre);
    return ChooseBonus(centres, volumeBombs, lineBombs, randomDestruction);
}

BonusKind ConnectionManager::ChooseBonus(const std::vector<BoardPoint>& centres, bool volumeBombs, bool lineBombs,
                                         bool randomDestruction)
{
    const size_t n = centres.size();
    const BonusKind volume = volumeBombs ? BonusKind::BombVolume : BonusKind::None;
    if (n == 6 || n == 7)
        return lineBombs ? BonusKind::BombCross : volume;
    if (n != 4 && n != 5)
        return BonusKind::None;
    std::vector<float> xs;
    std::vector<float> ys;
    for (const BoardPoint& centre : centres) {
        xs.push_back(centre.x);
        ys.push_back(centre.y);
    }
    const unsigned column = LargestShare(xs);
    const unsigned row = LargestShare(ys);
    if (n == 4) {
        if (column == 4)
            return lineBombs ? BonusKind::BombVertical : volume;
        if (row == 4)
            return lineBombs ? BonusKind::BombHorizontal : volume;
        return volume;
    }
    if (column == 5 || row == 5)
        return lineBombs ? BonusKind::BombCross : volume;
    return randomDestruction ? BonusKind::RandomChipDestruction : volume;
}

bool ConnectionManager::MarkAll(bool mark)
{
    bool result = false;
    for (CellLogic* c : cells) {
        c->visited = false;
        if (c->chip && (chips.IsExitFall(*c->chip) || (c->lineEnd && c->chip->IsStone()))) {
            if (mark)
                c->chip->marked = true;
            result = true;
        }
    }
    for (CellLogic* c : cells)
        if (CountMatch(*c, mark) != 0)
            result = true;
    for (CellLogic* c : cells)
        c->visited = false;
    return result;
}

void ConnectionManager::Queue(BoardSound sound)
{
    if (std::find(soundQueue.begin(), soundQueue.end(), sound) == soundQueue.end())
        soundQueue.push_back(sound);
}

unsigned ConnectionManager::RemoveMatched(bool comboRunning)
{
    soundQueue.clear();
    std::vector<CellLogic*> broken;
    for (CellLogic* c : cells) {
        ChipLogic* chip = c->chip;
        if (!chip || !chip->marked)
            continue;
        switch (chip->bonus) {
        case BonusKind::None: break;
        case BonusKind::BombVolume: Queue(BoardSound::ScoreBonusBomb); break;
        case BonusKind::RandomChipDestruction: Queue(BoardSound::ScoreBonusRandomChipDestruction); break;
        default: Queue(BoardSound::ScoreBonusLine); break; // line, cross and star bombs
        }
        chips.Collect(*chip, false);
        if (chip->bonus != BonusKind::None)
            Queue(BoardSound::ScoreWithBonus);
        if (c->chip != chip)
            continue;
        cellManager.PickUpPowerup(*c);
        if (chip->state == ChipState::Flight) {
            broken.push_back(c);
            c->chip = nullptr;
        } else if (chip->bonus != BonusKind::None) {
            broken.push_back(c);
        }
    }
    if (!comboRunning && std::find(soundQueue.begin(), soundQueue.end(), BoardSound::ScoreWithBonus) == soundQueue.end())
        Queue(BoardSound::Score);
    groups.FinalizeGroups();
    for (CellLogic* c : cells) {
        if (c->chip && c->chip->state == ChipState::Flight) {
            cellManager.PickUpPowerup(*c);
            c->chip = nullptr;
            broken.push_back(c);
        }
    }
    unsigned layers = 0;
    for (CellLogic* c : broken) {
        if (c->type != TileType::Double && c->type != TileType::Triple)
            continue;
        if (!cellManager.BreakLayer(*c))
            continue;
        ++layers;
        if (progress.goalKind == 7 && !progress.done)
            progress.Add(1);
    }
    return layers;
}

bool ConnectionManager::HasReadyGroup()
{
    bool found = false;
    for (CellLogic* c : cells)
        if (!found && CountMatch(*c, false) != 0)
            found = true;
    for (CellLogic* c : cells)
        c->visited = false;
    return found;
}

bool ConnectionManager::Swappable(const CellLogic& a, const CellLogic& b)
{
    auto movable = [](const CellLogic& c) {
        return c.HasTile() && c.chip && !c.chip->frozen && !c.chip->IsStone();
    };
    return movable(a) && movable(b);
}

bool ConnectionManager::HasNoMoves()
{
    hintLink.reset();
    for (size_t i = 0; i < connections.size(); ++i) {
        const Connection& c = connections[i];
        if (c.kind != 0 || c.from == c.to || !Swappable(*c.from, *c.to))
            continue;
        std::swap(c.from->chip, c.to->chip);
        const bool found = CountMatch(*c.from, false) != 0 || CountMatch(*c.to, false) != 0;
        std::swap(c.from->chip, c.to->chip);
        if (found) {
            hintLink = i;
            return false;
        }
    }
    return true;
}

void ConnectionManager::RecolourGroups(bool showKinds)
{
    for (CellLogic* cell : cells) {
        if (CountMatch(*cell, false) == 0)
            continue;
        std::vector<unsigned> candidates;
        for (unsigned k = 0; k < flowerKindCount; ++k)
            candidates.push_back(k);
        for (const CellLogic* other : Linked(*cell)) {
            if (!other->HasTile() || !other->chip)
                continue;
            candidates.erase(std::remove(candidates.begin(), candidates.end(), other->chip->flowerKind),
                             candidates.end());
        }
        // Neighbours holding every kind: the cell keeps its kind (the loop tries again later).
        if (candidates.empty())
            continue;
        const unsigned kind = candidates[random.Next() % candidates.size()];
        chips.ChangeKind(*cell->chip, kind, showKinds);
    }
}

bool ConnectionManager::MakeMove(bool showKinds)
{
    for (const Connection& pair : connections) {
        if (pair.from == pair.to || !pair.from->HasTile() || !pair.to->HasTile())
            continue;
        const ChipLogic* a = pair.from->chip;
        const ChipLogic* b = pair.to->chip;
        if (!IsFlower(a) || !IsFlower(b) || a->flowerKind != b->flowerKind)
            continue;
        const unsigned kind = a->flowerKind;
        std::vector<const CellLogic*> near;
        for (const CellLogic* end : {pair.from, pair.to})
            for (const CellLogic* o : Linked(*end))
                near.push_back(o);
        auto inNear = [&near](const CellLogic* c) { return std::find(near.begin(), near.end(), c) != near.end(); };
        for (const Connection& link : connections) {
            const bool fromIn = inNear(link.from);
            const bool toIn = inNear(link.to);
            if (fromIn == toIn)
                continue;
            CellLogic* target = fromIn ? link.to : link.from;
            ChipLogic* chip = target->chip;
            if (!target->HasTile() || !IsFlower(chip) || chip->frozen || chip->flowerKind == kind)
                continue;
            const unsigned old = chip->flowerKind;
            chip->flowerKind = kind;
            // Only a change the player can use counts.
            if (!HasNoMoves()) {
                chip->flowerKind = old;
                chips.ChangeKind(*chip, kind, showKinds);
                return true;
            }
            chip->flowerKind = old;
        }
    }
    return false;
}

bool ConnectionManager::CopyKindForMove(bool showKinds)
{
    for (const Connection& link : connections) {
        if (!link.from->HasTile() || !link.to->HasTile() || link.from == link.to)
            continue;
        ChipLogic* a = link.from->chip;
        ChipLogic* b = link.to->chip;
        if (!IsFlower(a) || !IsFlower(b) || b->frozen || a->flowerKind == b->flowerKind)
            continue;
        chips.ChangeKind(*b, a->flowerKind, showKinds);
        return true;
    }
    return false;
}

void ConnectionManager::FixBoard(bool showKinds)
{
    for (int pass = 0; pass < repairCap; ++pass) {
        // Stones waiting on a line end count as ready for removal but no recolouring changes them.
        const bool noMoves = HasNoMoves();
        if (!noMoves && !HasReadyGroup())
            return;
        RecolourGroups(showKinds);
        if (HasNoMoves() && !MakeMove(showKinds)) {
            CopyKindForMove(showKinds);
            MakeMove(showKinds);
        }
        // A board the passes keep failing on gets its kinds mixed anew.
        if (pass % 10 == 9) {
            for (CellLogic* cell : cells) {
                CellLogic* other = cells[random.Next() % cells.size()];
                if (cell->HasTile() && cell->chip && other->HasTile() && other->chip && IsFlower(cell->chip) &&
                    IsFlower(other->chip) && !cell->chip->frozen && !other->chip->frozen) {
                    const unsigned kind = cell->chip->flowerKind;
                    chips.ChangeKind(*cell->chip, other->chip->flowerKind, showKinds);
                    chips.ChangeKind(*other->chip, kind, showKinds);
                }
            }
        }
    }
    HasNoMoves();
}

void ConnectionManager::ShuffleBoard()
{
    if (cells.empty())
        return;
    for (CellLogic* cell : cells) {
        if (!cell->HasTile() || !cell->chip)
            continue;
        CellLogic* other = cells[random.Next() % cells.size()];
        if (other->HasTile() && other->chip)
            cellManager.SwapKinds(*cell, *other);
    }
    FixBoard(false);
}

} // namespace Petalwork

#include "BoardForecast.h"

#include "game/board/model/CellLogic.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/MoveLine.h"
#include "game/board/model/MoveLineManager.h"

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Petalwork;

namespace {

constexpr int empty = -2; // a cell whose chip has left; the fall fills it

bool IsFlower(int kind)
{
    return kind >= 0 && kind != static_cast<int>(stoneKind);
}

} // namespace

BoardForecast::BoardForecast(const std::vector<CellLogic*>& cells_, const ConnectionManager& links,
                             const MoveLineManager& moveLines, bool volumeBombs_, bool lineBombs_, bool randomDestruction_)
    : cells(cells_), volumeBombs(volumeBombs_), lineBombs(lineBombs_), randomDestruction(randomDestruction_)
{
    places.resize(cells.size());
    start.resize(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        const CellLogic& cell = *cells[i];
        Place& place = places[i];
        place.tile = cell.HasTile();
        place.lineEnd = cell.lineEnd;
        place.centre = cell.centre;
        Slot& slot = start[i];
        slot.layers = cell.Layers();
        slot.powerup = cell.powerup;
        if (place.tile && cell.chip != nullptr && cell.chip->state == ChipState::Idle) {
            slot.kind = static_cast<int>(cell.chip->flowerKind);
            slot.frozen = cell.chip->frozen;
            slot.bonus = cell.chip->bonus;
        }
    }
    for (const auto& link : links.connections) {
        const size_t a = IndexOf(link.from);
        const size_t b = IndexOf(link.to);
        if (a == b || a >= cells.size() || b >= cells.size())
            continue;
        places[a].linked.push_back(b);
        places[b].linked.push_back(a);
    }
    // The board's own move lines, their tile cells from the head to the end.
    for (const auto& line : moveLines.lines) {
        std::vector<size_t> run;
        for (const CellLogic* cell : line->cells)
            if (cell->HasTile())
                run.push_back(IndexOf(cell));
        if (!run.empty())
            lines.push_back(std::move(run));
    }
}

size_t BoardForecast::IndexOf(const CellLogic* cell) const
{
    return static_cast<size_t>(std::find(cells.begin(), cells.end(), cell) - cells.begin());
}

std::vector<size_t> BoardForecast::Group(const std::vector<Slot>& board, size_t from) const
{
    std::vector<size_t> group{from};
    const int kind = board[from].kind;
    for (size_t next = 0; next < group.size(); ++next) {
        for (const size_t o : places[group[next]].linked) {
            if (places[o].tile && board[o].kind == kind &&
                std::find(group.begin(), group.end(), o) == group.end())
                group.push_back(o);
        }
    }
    return group;
}

BonusKind BoardForecast::ChooseBonus(const std::vector<size_t>& group) const
{
    std::vector<BoardPoint> centres;
    for (const size_t i : group)
        centres.push_back(places[i].centre);
    return ConnectionManager::ChooseBonus(centres, volumeBombs, lineBombs, randomDestruction);
}

void BoardForecast::Collect(std::vector<Slot>& board, size_t at, BonusKind create, std::vector<bool>& done,
                            std::vector<bool>& taken, std::vector<bool>& broken, Outcome& out) const
{
    Slot& slot = board[at];
    if (done[at] || slot.kind == unknown || slot.kind == empty)
        return;
    done[at] = true;
    if (slot.powerup != PowerupKind::None) {
        ++out.powerups[static_cast<size_t>(slot.powerup)];
        slot.powerup = PowerupKind::None;
    }
    const BonusKind bonus = slot.bonus;
    if (bonus != BonusKind::None) {
        ++out.effects;
        const BoardPoint c = places[at].centre;
        std::vector<size_t> victims;
        for (size_t i = 0; i < board.size(); ++i) {
            if (i == at || taken[i] || !places[i].tile || board[i].kind == unknown || board[i].kind == empty)
                continue;
            const BoardPoint p = places[i].centre;
            const bool row = std::fabs(p.y - c.y) < 10.0f, column = std::fabs(p.x - c.x) < 10.0f;
            bool hit = false;
            switch (bonus) {
            case BonusKind::BombVolume: hit = std::hypot(p.x - c.x, p.y - c.y) < 100.0f; break;
            case BonusKind::BombHorizontal: hit = row; break;
            case BonusKind::BombVertical: hit = column; break;
            case BonusKind::BombCross:
            case BonusKind::BombStar: hit = row || column; break;
            case BonusKind::RandomChipDestruction: hit = board[i].kind == slot.kind; break;
            default: break;
            }
            if (hit) {
                taken[i] = true;
                victims.push_back(i);
            }
        }
        for (const size_t v : victims)
            Collect(board, v, BonusKind::None, done, taken, broken, out);
    }
    broken[at] = broken[at] || bonus != BonusKind::None;
    if (create != BonusKind::None) {
        // The chip whose swap made the group stays as the new bonus chip, after its own bonus went off.
        slot.bonus = create;
        ++out.bonusMade;
        broken[at] = true;
        return;
    }
    if (slot.frozen) {
        ++out.frozen;
        slot.frozen = false;
        return;
    }
    if (slot.kind == static_cast<int>(stoneKind))
        ++out.stones;
    else
        ++out.chips;
    if (static_cast<size_t>(slot.kind) < out.kinds.size())
        ++out.kinds[static_cast<size_t>(slot.kind)];
    slot.kind = empty;
    slot.bonus = BonusKind::None;
    broken[at] = true;
}

void BoardForecast::Fall(std::vector<Slot>& board, Outcome& out) const
{
    for (const std::vector<size_t>& line : lines) {
        // From the end up, every chip moves to the lowest free cell below it.
        size_t free = line.size();
        for (size_t d = line.size(); d-- > 0;) {
            Slot& from = board[line[d]];
            if (from.kind == empty)
                continue;
            --free;
            if (free == d)
                continue;
            Slot& to = board[line[free]];
            if (from.kind == static_cast<int>(stoneKind))
                out.stoneFall += static_cast<int>(free - d);
            to.kind = from.kind;
            to.frozen = from.frozen;
            to.bonus = from.bonus;
            from.kind = empty;
            from.frozen = false;
            from.bonus = BonusKind::None;
        }
        for (size_t d = 0; d < free; ++d)
            board[line[d]].kind = unknown;
    }
}

BoardForecast::Outcome BoardForecast::Swap(size_t a, size_t b) const
{
    std::vector<Slot> board = start;
    std::swap(board[a].kind, board[b].kind);
    std::swap(board[a].frozen, board[b].frozen);
    std::swap(board[a].bonus, board[b].bonus);
    return Resolve(board, {}, false, a, b);
}

BoardForecast::Outcome BoardForecast::Cut(const std::vector<size_t>& area, bool twice) const
{
    std::vector<Slot> board = start;
    return Resolve(board, area, twice, board.size(), board.size());
}

BoardForecast::Outcome BoardForecast::Resolve(std::vector<Slot>& board, const std::vector<size_t>& cut, bool twice,
                                              size_t a, size_t b) const
{
    Outcome out;
    const size_t n = board.size();
    for (int pass = 0; pass < 20; ++pass) {
        std::vector<bool> taken(n, false), seen(n, false);
        std::vector<BonusKind> create(n, BonusKind::None);
        bool any = pass == 0 && !cut.empty();
        if (pass == 0)
            for (const size_t c : cut)
                taken[c] = true;
        for (size_t i = 0; i < n; ++i) {
            if (places[i].lineEnd && board[i].kind == static_cast<int>(stoneKind)) {
                taken[i] = true;
                any = true;
            }
            if (seen[i] || !places[i].tile || !IsFlower(board[i].kind))
                continue;
            const std::vector<size_t> group = Group(board, i);
            for (const size_t g : group)
                seen[g] = true;
            if (group.size() < 3)
                continue;
            any = true;
            for (const size_t g : group)
                taken[g] = true;
            if (pass == 0) {
                const BonusKind bonus = ChooseBonus(group);
                for (const size_t g : group)
                    if (g == a || g == b)
                        create[g] = bonus;
            }
        }
        const bool swapped = a < n && b < n;
        if (!any || (pass == 0 && swapped && !taken[a] && !taken[b]))
            break;
        ++out.passes;
        std::vector<bool> done(n, false), broken(n, false);
        for (size_t i = 0; i < n; ++i)
            if (taken[i] && !done[i])
                Collect(board, i, create[i], done, taken, broken, out);
        if (pass == 0 && twice) {
            // The largest cut takes the chips its first cut only thawed.
            for (const size_t c : cut) {
                done[c] = false;
                Collect(board, c, BonusKind::None, done, taken, broken, out);
            }
        }
        for (size_t i = 0; i < n; ++i) {
            if (broken[i] && board[i].layers > 0) {
                --board[i].layers;
                ++out.layers;
            }
        }
        Fall(board, out);
    }
    return out;
}

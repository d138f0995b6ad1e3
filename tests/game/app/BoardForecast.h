#pragma once
// BoardForecast: the scripted player's look-ahead. It copies the board model (kinds, bonus chips, ice,
// stones, tile layers, powerups, links and fall lines) and resolves a swap, or a cut of the scissors, on
// the copy the way the board does: groups and the bonus chip a swap's group of four or more makes, bonus
// effects, thawing, broken layers, powerups picked up, chips falling along their lines and stones leaving
// at a line end, pass after pass until nothing more matches. The chips that will come in at the line
// heads are unknown and never match, so cascades are counted only as far as the chips already on the
// board reach.
//
// Rules: a copy, never the board itself; headless (board model only).

#include "game/board/model/BoardTypes.h"

#include <array>
#include <cstddef>
#include <vector>

namespace Petalwork {
class CellLogic;
class ConnectionManager;
class MoveLineManager;
} // namespace Petalwork

class BoardForecast {
public:
    static constexpr int unknown = -1; // a chip still to come in: its kind is not known yet

    // What one swap's resolution would bring.
    struct Outcome {
        int chips = 0;      // chips that leave the board
        int frozen = 0;     // chips thawed
        int stones = 0;     // stones that leave the board
        int stoneFall = 0;  // cells the stones left on the board fall
        int layers = 0;     // tile layers broken
        int effects = 0;    // bonus chips set off
        int bonusMade = 0;  // bonus chips made by the swap's group
        int passes = 0;     // resolutions of the move (the combo counter at its end)
        std::array<int, Petalwork::stoneKind + 1> kinds{}; // leaving chips by flower kind
        std::array<int, 5> powerups{}; // picked up, by PowerupKind
    };

    BoardForecast(const std::vector<Petalwork::CellLogic*>& cells, const Petalwork::ConnectionManager& links,
                  const Petalwork::MoveLineManager& moveLines, bool volumeBombs, bool lineBombs, bool randomDestruction);

    // The swap of the chips of cells `a` and `b` (indices in file order) resolved; empty when it makes no
    // group.
    Outcome Swap(size_t a, size_t b) const;
    // A cut of the scissors taking the chips of the cells `area` (indices), resolved; `twice`: the largest
    // cut, which takes the chips it thawed as well.
    Outcome Cut(const std::vector<size_t>& area, bool twice) const;
    size_t IndexOf(const Petalwork::CellLogic* cell) const;

private:
    struct Slot {
        int kind = unknown;
        bool frozen = false;
        Petalwork::BonusKind bonus = Petalwork::BonusKind::None;
        int layers = 0;
        Petalwork::PowerupKind powerup = Petalwork::PowerupKind::None;
    };
    struct Place {
        bool tile = false;
        bool lineEnd = false;
        Petalwork::BoardPoint centre;
        std::vector<size_t> linked;
    };

    // From `board`: the chips of `cut` taken first (a cut), or a swap of `a` and `b` that must make a group.
    Outcome Resolve(std::vector<Slot>& board, const std::vector<size_t>& cut, bool twice, size_t a, size_t b) const;
    std::vector<size_t> Group(const std::vector<Slot>& board, size_t from) const;
    Petalwork::BonusKind ChooseBonus(const std::vector<size_t>& group) const;
    void Collect(std::vector<Slot>& board, size_t at, Petalwork::BonusKind create, std::vector<bool>& done,
                 std::vector<bool>& taken, std::vector<bool>& broken, Outcome& out) const;
    void Fall(std::vector<Slot>& board, Outcome& out) const;

    const std::vector<Petalwork::CellLogic*>& cells;
    std::vector<Place> places;
    std::vector<Slot> start;
    std::vector<std::vector<size_t>> lines; // the move lines' tile cells, head first, the line end last
    bool volumeBombs, lineBombs, randomDestruction;
};

#pragma once
// ConnectionManager: the links between cells and every question about groups over them: the group of a
// chip, the bonus a group's shape earns, marking and removing what is ready, whether any swap can still
// make a group (with the first one found as the hint), and changing kinds until the board has no ready
// group and at least one move.
//
// Rules:
// - Links and cells are scanned in file order everywhere, so the board file decides every tie.
// - A group is three or more idle chips of one flower kind on tile cells joined by links of any kind;
//   stones never match.
// - A bonus goes only to the swap-pending cells of a group (the player's swap made it), never to a
//   cascade's group.
// - The move search swaps across links of kind 0 between two tile cells whose chips are neither frozen
//   nor stones, as the player can; the chips end where they were.
// - The repair loops, with a cap, until the board has a move and no ready group. A cell whose linked
//   neighbours hold every kind keeps its kind. Made moves use flower kinds only and never change a
//   frozen chip or a stone, and each is checked by the move search.
// - Random draws (the shared generator): one per recoloured cell with a candidate, one per
//   shuffled cell.

#include "game/board/model/BoardLayout.h"
#include "game/board/model/CellLogic.h"
#include "game/board/model/ChipManagerLogic.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace Petalwork {

class CellManagerLogic;

class ConnectionManager {
public:
    // Passes of the repair before it gives up on a board that cannot have a move.
    static constexpr int repairCap = 100;

    struct Connection {
        CellLogic* from = nullptr;
        CellLogic* to = nullptr;
        uint32_t kind = 0;
    };

    // The links of `layout` between `cellManager`'s cells (the same file order).
    ConnectionManager(CellManagerLogic& cellManager, ChipManagerLogic& chips, ScoreGroups& groups,
                      LevelProgress& progress, const BoardLayout& layout, unsigned flowerKindCount,
                      bool volumeBombs, bool lineBombs, bool randomDestruction, RandomSource& random);

    std::optional<size_t> FindConnection(const CellLogic* a, const CellLogic* b) const;
    // The cells linked to `cell`, one per link, in file order.
    std::vector<CellLogic*> Linked(const CellLogic& cell) const;

    // The group size of the cell's chip when it is 3 or more, else 0; `mark` marks it and gives the
    // swap-pending cells their bonus to create.
    unsigned CountMatch(CellLogic& cell, bool mark);
    BonusKind ChooseBonus() const;
    // The bonus chip a group of chips at `centres` (group order) makes under the level's bonus settings.
    static BonusKind ChooseBonus(const std::vector<BoardPoint>& centres, bool volumeBombs, bool lineBombs,
                                 bool randomDestruction);
    bool MarkAll(bool mark);
    // Whether some cell's chip is in a group (line-end stones aside).
    bool HasReadyGroup();
    // Removes every marked chip; fills the sound queue; returns the tile layers broken.
    unsigned RemoveMatched(bool comboRunning);
    bool HasNoMoves();
    void FixBoard(bool showKinds);
    // Changes one chip's kind so that a swap makes a group; false when no change can.
    bool MakeMove(bool showKinds);
    void ShuffleBoard();

    // Both cells have tiles and chips that may be swapped: flowers, not frozen.
    static bool Swappable(const CellLogic& a, const CellLogic& b);

    std::vector<Connection> connections;
    std::optional<size_t> hintLink;
    std::vector<CellLogic*> group;
    std::vector<BoardSound> soundQueue;

private:
    bool IsFlower(const ChipLogic* chip) const { return chip && chip->flowerKind < flowerKindCount; }
    void Fill(CellLogic& cell);
    void RecolourGroups(bool showKinds);
    bool CopyKindForMove(bool showKinds);
    void Queue(BoardSound sound);
    size_t IndexOf(const CellLogic* cell) const;

    CellManagerLogic& cellManager;
    ChipManagerLogic& chips;
    ScoreGroups& groups;
    LevelProgress& progress;
    unsigned flowerKindCount;
    bool volumeBombs;
    bool lineBombs;
    bool randomDestruction;
    RandomSource& random;
    std::vector<CellLogic*> cells;
    std::vector<std::vector<size_t>> linksOf; // per cell, its links in file order
};

} // namespace Petalwork

#pragma once
// The rules a level board must keep so that the level neither crashes nor sticks nor becomes
// unwinnable. Every board is checked before it is written; the audit checks the shipped files again.
//
//  1. Every index names a cell; no link joins a cell to itself; no two links join one pair.
//  2. Every move line holds at least two cells; consecutive cells of a line are linked.
//  3. The head of a line (its first cell) has no tile (type 2).
//  4. A head has no other role: it is in no other line and linked only to its second cell.
//  5. Every tile cell lies on exactly one line, not as its head.
//  6. No cell without a tile lies inside a line.
//  7. Lines are columns running down: each cell one pitch below the one before.
//  8. Cells lie on a grid of 50-unit pitch; the tiles span at most 9 x 9 cells, centred on (400, 300).
//  9. Links: the head links first, then row by row from the top the horizontal links between adjacent
//     tiles (left to right) and the vertical ones down to the next row; all of kind 0 with no curve.
// 10. The level has at least 5 flower kinds (the board repair always finds a colour).
// 11. A layer level has layers, and its goal is the board's layer count.
// 12. Cells are stored row by row from the top; a line ends on the bottom tile of its column part;
//     where stones fall, no tile lies below any line end (stones leave the board at line ends).

#include "tools/formats/BoardWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace DataBuild {

constexpr float boardPitch = 50.0f;
constexpr int boardMostCells = 9; // columns and rows of tiles
constexpr int layerLevelKind = 7;

// What the level that plays a board asks of it.
struct BoardDemands {
    int kind = 0;         // level kind; 7 counts broken layers
    int goal = 1;
    int flowerKinds = 5;
    bool stones = false;  // the stage makes stones
};

// Breakable layers: 1 per type 3 cell, 2 per type 4 cell.
uint32_t LayerCount(const Formats::BoardFile& board);

// Every broken rule, each message starting with "rule <n>: "; empty for a good board.
std::vector<std::string> CheckBoard(const Formats::BoardFile& board, const BoardDemands& demands);

} // namespace DataBuild

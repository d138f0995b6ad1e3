#pragma once
// Level board files: magic "BBBLF", version 7. Cells (centre, tile type, reserved), links (two cell
// indices, two Bezier control offsets, kind) and move lines (cell indices from the head to the end).
// Nothing here checks the board's rules: tests write broken boards on purpose.

#include <array>
#include <cstdint>
#include <vector>

namespace Formats {

constexpr uint32_t boardVersion = 7;

// Tile types: 2 no tile, 3 one breakable layer, 4 two layers, anything else a single tile.
constexpr uint32_t tileSingle = 0, tileNone = 2, tileDouble = 3, tileTriple = 4;

struct BoardCell {
    float x = 0, y = 0; // centre, GUI units
    uint32_t type = tileSingle;
    uint32_t reserved = 0;
};

struct BoardLink {
    uint32_t from = 0, to = 0;
    std::array<float, 4> curve{}; // control offsets: from (x, y), then to (x, y)
    uint32_t kind = 0;            // 0 ordinary; anything else never tried as a swap
};

struct BoardFile {
    std::vector<BoardCell> cells;
    std::vector<BoardLink> links;
    std::vector<std::vector<uint32_t>> lines; // head first
};

std::vector<uint8_t> EncodeBoard(const BoardFile& board);
// Throws std::runtime_error on a wrong header, a short body or bytes after the last line.
BoardFile DecodeBoard(const std::vector<uint8_t>& bytes);

} // namespace Formats

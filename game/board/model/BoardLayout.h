#pragma once
// BoardLayout: the playing field of one level as its board file describes it: cells, links and move
// lines, after the move lines have taken their heads' tiles.
//
// Rules:
// - The file is "data\levels\meshes\<board name>.blf": the versioned header ("BBBLF", version 7), then
//   the body, little-endian 32-bit values; bytes after the last move line are not read.
// - Reading checks what the game would otherwise trip over: every index below the cell count, every
//   line of at least two cells, consecutive line cells linked (either direction), counts that fit the
//   file. A broken board throws FileError "Incorrect \"<path>\" file format"; a wrong header or a body
//   that ends early throws the file layer's FileError. Nothing is kept from a failed read. The level
//   treats every one of them as fatal.
// - A move line's head loses its tile (type NoTile, also as the file type, so its layers never count
//   and are never restored), the head's link to the second cell gets kind 2, the last cell becomes a
//   line end. Ties go to file order: the first link of a pair is the one found.
// - Links keep the points they were read with; moving the cells does not move them.

#include "game/board/model/BoardTypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace VantoranEngine {
class FileManager;
}

namespace GameFramework {
class VersionedFile;
}

namespace Petalwork {

struct BoardCell {
    BoardPoint centre;
    TileType fileType = TileType::Single;
    uint32_t reserved = 0; // kept as read; nothing depends on it
    bool lineEnd = false;  // the last cell of a move line: a stone that reaches it leaves the board
};

struct BoardLink {
    // Kind given to each line's head link; links of any non-zero kind are never tried by the move search.
    static constexpr uint32_t headKind = 2;

    uint32_t from = 0;
    uint32_t to = 0;
    std::array<BoardPoint, 4> forward{};  // cubic curve from -> to
    std::array<BoardPoint, 4> backward{}; // the same points to -> from
    uint32_t kind = 0;
};

struct BoardLine {
    std::vector<uint32_t> cells; // head (where chips enter) first, end (where they rest) last
};

class BoardLayout {
public:
    static constexpr const char* magic = "BBBLF";
    static constexpr uint32_t version = 7;

    // "data\levels\meshes\" + name + ".blf"
    static std::string PathOf(const std::string& boardName);
    // Opens, reads and closes the level's board file.
    [[nodiscard]] static BoardLayout Load(VantoranEngine::FileManager* files, const std::string& boardName);
    // Reads the body of a board file opened with its header checked (see the rules above).
    [[nodiscard]] static BoardLayout Read(GameFramework::VersionedFile& file);

    // The first link in file order joining a and b in either direction.
    std::optional<size_t> FindLink(uint32_t a, uint32_t b) const;

    // Breakable layers of the board (1 per double tile, 2 per triple); line heads have none.
    unsigned LayerCount() const;

    // The offset that centres the tile cells' box, which always holds (400, 300), on `boardCentre`.
    BoardPoint CentringOffset(BoardPoint boardCentre) const;

    std::vector<BoardCell> cells;
    std::vector<BoardLink> links;
    std::vector<BoardLine> lines;
};

} // namespace Petalwork

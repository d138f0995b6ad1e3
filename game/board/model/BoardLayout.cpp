#include "game/board/model/BoardLayout.h"

#include "engine/core/Error.h"
#include "engine/core/files/FileBinary.h"

#include <algorithm>
#include <cstring>

namespace Petalwork {

using VantoranEngine::FileBinary;
using VantoranEngine::FileError;

namespace {

constexpr uint32_t cellRecordSize = 16;
constexpr uint32_t linkRecordSize = 28;

[[noreturn]] void ThrowFormat(const FileBinary& file)
{
    throw FileError("Incorrect \"" + file.GetName() + "\" file format");
}

uint32_t ReadU32(FileBinary& file)
{
    uint8_t b[4];
    file.Read(4, b);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
           static_cast<uint32_t>(b[3]) << 24;
}

float ReadF32(FileBinary& file)
{
    const uint32_t bits = ReadU32(file);
    float value;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A count whose records cannot fit in the rest of the file is refused before anything is allocated.
uint32_t ReadCount(FileBinary& file, uint32_t recordSize)
{
    const uint32_t count = ReadU32(file);
    const uint64_t left = file.size > file.position ? file.size - file.position : 0;
    if (static_cast<uint64_t>(count) * recordSize > left)
        ThrowFormat(file);
    return count;
}

BoardPoint Plus(BoardPoint a, BoardPoint b) { return {a.x + b.x, a.y + b.y}; }

} // namespace

BoardLayout BoardLayout::Read(FileBinary& file)
{
    BoardLayout board;

    const uint32_t cellCount = ReadCount(file, cellRecordSize);
    board.cells.resize(cellCount);
    for (BoardCell& cell : board.cells) {
        cell.centre.x = ReadF32(file);
        cell.centre.y = ReadF32(file);
        cell.fileType = TileTypeFromFile(ReadU32(file));
        cell.reserved = ReadU32(file);
    }

    const uint32_t linkCount = ReadCount(file, linkRecordSize);
    board.links.resize(linkCount);
    for (BoardLink& link : board.links) {
        link.from = ReadU32(file);
        link.to = ReadU32(file);
        if (link.from >= cellCount || link.to >= cellCount)
            ThrowFormat(file);
        const BoardPoint first{ReadF32(file), ReadF32(file)};
        const BoardPoint second{ReadF32(file), ReadF32(file)};
        link.kind = ReadU32(file);
        const BoardPoint from = board.cells[link.from].centre;
        const BoardPoint to = board.cells[link.to].centre;
        link.forward = {from, Plus(from, first), Plus(to, second), to};
        link.backward = {to, Plus(to, second), Plus(from, first), from};
    }

    const uint32_t lineCount = ReadCount(file, 4);
    board.lines.resize(lineCount);
    for (BoardLine& line : board.lines) {
        const uint32_t n = ReadCount(file, 4);
        if (n < 2)
            ThrowFormat(file);
        line.cells.resize(n);
        for (uint32_t& index : line.cells) {
            index = ReadU32(file);
            if (index >= cellCount)
                ThrowFormat(file);
        }
        for (size_t i = 0; i + 1 < n; ++i)
            if (!board.FindLink(line.cells[i], line.cells[i + 1]))
                ThrowFormat(file);
    }

    // The lines change the board only once the whole file is known to be sound.
    for (const BoardLine& line : board.lines) {
        board.cells[line.cells.front()].fileType = TileType::NoTile;
        board.links[*board.FindLink(line.cells[0], line.cells[1])].kind = BoardLink::headKind;
        board.cells[line.cells.back()].lineEnd = true;
    }
    return board;
}

std::optional<size_t> BoardLayout::FindLink(uint32_t a, uint32_t b) const
{
    for (size_t i = 0; i < links.size(); ++i)
        if ((links[i].from == a && links[i].to == b) || (links[i].from == b && links[i].to == a))
            return i;
    return std::nullopt;
}

unsigned BoardLayout::LayerCount() const
{
    unsigned count = 0;
    for (const BoardCell& cell : cells)
        count += static_cast<unsigned>(LayersOf(cell.fileType));
    return count;
}

BoardPoint BoardLayout::CentringOffset(BoardPoint boardCentre) const
{
    BoardPoint low{400.0f, 300.0f};
    BoardPoint high = low;
    for (const BoardCell& cell : cells) {
        if (cell.fileType == TileType::NoTile)
            continue;
        low.x = std::min(low.x, cell.centre.x);
        low.y = std::min(low.y, cell.centre.y);
        high.x = std::max(high.x, cell.centre.x);
        high.y = std::max(high.y, cell.centre.y);
    }
    return {boardCentre.x - (low.x + high.x) * 0.5f, boardCentre.y - (low.y + high.y) * 0.5f};
}

} // namespace Petalwork

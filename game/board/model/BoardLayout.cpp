#include "game/board/model/BoardLayout.h"

#include "engine/core/Error.h"
#include "framework/VersionedFile.h"

#include <algorithm>

namespace Petalwork {

using GameFramework::VersionedFile;
using VantoranEngine::FileError;

namespace {

constexpr uint32_t cellRecordSize = 16;
constexpr uint32_t linkRecordSize = 28;
constexpr uint32_t indexSize = 4;

[[noreturn]] void ThrowFormat(const VersionedFile& file)
{
    throw FileError("Incorrect \"" + file.GetPath() + "\" file format");
}

// A count whose records cannot fit in the rest of the file is refused before anything is allocated.
uint32_t ReadCount(VersionedFile& file, uint32_t recordSize)
{
    const uint32_t count = file.ReadU32();
    file.CheckCount(count, recordSize);
    return count;
}

BoardPoint Plus(BoardPoint a, BoardPoint b) { return {a.x + b.x, a.y + b.y}; }

} // namespace

std::string BoardLayout::PathOf(const std::string& boardName)
{
    return "data\\levels\\meshes\\" + boardName + ".blf";
}

BoardLayout BoardLayout::Load(VantoranEngine::FileManager* files, const std::string& boardName)
{
    VersionedFile file(files, magic, version);
    file.Open(PathOf(boardName), VersionedFile::Mode::Read);
    BoardLayout board = Read(file);
    file.Close();
    return board;
}

BoardLayout BoardLayout::Read(VersionedFile& file)
{
    BoardLayout board;

    const uint32_t cellCount = ReadCount(file, cellRecordSize);
    board.cells.resize(cellCount);
    for (BoardCell& cell : board.cells) {
        cell.centre.x = file.ReadF32();
        cell.centre.y = file.ReadF32();
        cell.fileType = TileTypeFromFile(file.ReadU32());
        cell.reserved = file.ReadU32();
    }

    const uint32_t linkCount = ReadCount(file, linkRecordSize);
    board.links.resize(linkCount);
    for (BoardLink& link : board.links) {
        link.from = file.ReadU32();
        link.to = file.ReadU32();
        if (link.from >= cellCount || link.to >= cellCount)
            ThrowFormat(file);
        const BoardPoint first{file.ReadF32(), file.ReadF32()};
        const BoardPoint second{file.ReadF32(), file.ReadF32()};
        link.kind = file.ReadU32();
        const BoardPoint from = board.cells[link.from].centre;
        const BoardPoint to = board.cells[link.to].centre;
        link.forward = {from, Plus(from, first), Plus(to, second), to};
        link.backward = {to, Plus(to, second), Plus(from, first), from};
    }

    const uint32_t lineCount = ReadCount(file, indexSize);
    board.lines.resize(lineCount);
    for (BoardLine& line : board.lines) {
        const uint32_t n = ReadCount(file, indexSize);
        if (n < 2)
            ThrowFormat(file);
        line.cells.resize(n);
        for (uint32_t& index : line.cells) {
            index = file.ReadU32();
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

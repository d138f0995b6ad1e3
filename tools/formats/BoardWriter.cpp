#include "tools/formats/BoardWriter.h"

#include "tools/formats/ByteWriter.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace Formats {

std::vector<uint8_t> EncodeBoard(const BoardFile& board)
{
    ByteWriter out;
    out.Header("BBBLF", boardVersion);
    out.U32(static_cast<uint32_t>(board.cells.size()));
    for (const BoardCell& cell : board.cells) {
        out.F32(cell.x);
        out.F32(cell.y);
        out.U32(cell.type);
        out.U32(cell.reserved);
    }
    out.U32(static_cast<uint32_t>(board.links.size()));
    for (const BoardLink& link : board.links) {
        out.U32(link.from);
        out.U32(link.to);
        for (float offset : link.curve)
            out.F32(offset);
        out.U32(link.kind);
    }
    out.U32(static_cast<uint32_t>(board.lines.size()));
    for (const auto& line : board.lines) {
        out.U32(static_cast<uint32_t>(line.size()));
        for (uint32_t cell : line)
            out.U32(cell);
    }
    return out.Finish();
}

namespace {

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes(bytes) {}

    uint32_t U32()
    {
        Need(4);
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= uint32_t{bytes[at + static_cast<size_t>(i)]} << (8 * i);
        at += 4;
        return value;
    }
    float F32()
    {
        const uint32_t raw = U32();
        float value = 0;
        std::memcpy(&value, &raw, sizeof(value));
        return value;
    }
    std::string Text(size_t count)
    {
        Need(count);
        std::string text(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                         bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
        at += count;
        return text;
    }
    // A count of records of `size` bytes each that must still fit in the file.
    uint32_t Count(size_t size)
    {
        const uint32_t count = U32();
        Need(size * count);
        return count;
    }
    bool AtEnd() const { return at == bytes.size(); }

private:
    void Need(size_t count) const
    {
        if (bytes.size() - at < count)
            throw std::runtime_error("board file ends early at byte " + std::to_string(at));
    }

    const std::vector<uint8_t>& bytes;
    size_t at = 0;
};

} // namespace

BoardFile DecodeBoard(const std::vector<uint8_t>& bytes)
{
    Reader in(bytes);
    const uint32_t size = in.U32();
    if (in.Text(5) != "BBBLF")
        throw std::runtime_error("not a board file");
    if (size != bytes.size())
        throw std::runtime_error("board header size " + std::to_string(size) + ", file size " +
                                 std::to_string(bytes.size()));
    if (const uint32_t version = in.U32(); version != boardVersion)
        throw std::runtime_error("board version " + std::to_string(version));

    BoardFile board;
    board.cells.resize(in.Count(16));
    for (BoardCell& cell : board.cells) {
        cell.x = in.F32();
        cell.y = in.F32();
        cell.type = in.U32();
        cell.reserved = in.U32();
    }
    board.links.resize(in.Count(28));
    for (BoardLink& link : board.links) {
        link.from = in.U32();
        link.to = in.U32();
        for (float& offset : link.curve)
            offset = in.F32();
        link.kind = in.U32();
    }
    board.lines.resize(in.Count(4));
    for (auto& line : board.lines) {
        line.resize(in.Count(4));
        for (uint32_t& cell : line)
            cell = in.U32();
    }
    if (!in.AtEnd())
        throw std::runtime_error("bytes after the last move line");
    return board;
}

} // namespace Formats

#include "game/board/model/BoardLayout.h"

#include "engine/core/Error.h"
#include "engine/core/files/FileManager.h"
#include "framework/VersionedFile.h"
#include "engine/render/ServicesFixture.h"
#include "tools/formats/BoardWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using Petalwork::BoardLayout;
using Petalwork::TileType;

namespace {

constexpr uint32_t headerSize = GameFramework::VersionedFile::headerSize;
const std::string format = "Incorrect \"data\\levels\\meshes\\test.blf\" file format";

// The worked example of the format: 3 columns x 4 rows under 3 heads, 20 links, 3 lines of 5.
Formats::BoardFile Example()
{
    Formats::BoardFile board;
    for (int x = 0; x < 3; ++x)
        board.cells.push_back({350.0f + 50.0f * x, 425.0f, Formats::tileNone, 0});
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 3; ++x)
            board.cells.push_back({350.0f + 50.0f * x, 375.0f - 50.0f * row, Formats::tileSingle, 0});
    auto cell = [](int row, int x) { return static_cast<uint32_t>(3 + 3 * row + x); };
    for (uint32_t x = 0; x < 3; ++x)
        board.links.push_back({x, cell(0, x), {}, 0});
    for (int row = 0; row + 1 < 4; ++row)
        for (int x = 0; x < 3; ++x)
            board.links.push_back({cell(row, x), cell(row + 1, x), {}, 0});
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x + 1 < 3; ++x)
            board.links.push_back({cell(row, x), cell(row, x + 1), {}, 0});
    for (uint32_t x = 0; x < 3; ++x)
        board.lines.push_back({x, cell(0, x), cell(1, x), cell(2, x), cell(3, x)});
    return board;
}

class BoardLayoutTest : public ServicesFixture {
protected:
    BoardLayout Read(const std::vector<uint8_t>& bytes)
    {
        Write("data/levels/meshes/test.blf", bytes);
        return BoardLayout::Load(&files, "test");
    }

    BoardLayout Read(const Formats::BoardFile& board) { return Read(Formats::EncodeBoard(board)); }

    // The message of the FileError that reading throws, or "" when it reads.
    std::string Refusal(const std::vector<uint8_t>& bytes)
    {
        try {
            (void)Read(bytes);
        } catch (const VantoranEngine::FileError& e) {
            return e.message;
        }
        return "";
    }
};

} // namespace

TEST_F(BoardLayoutTest, WorkedExampleReadsAndTheLinesChangeTheBoard)
{
    const std::vector<uint8_t> bytes = Formats::EncodeBoard(Example());
    EXPECT_EQ(bytes.size(), 897u);
    const BoardLayout board = Read(bytes);
    ASSERT_EQ(board.cells.size(), 15u);
    ASSERT_EQ(board.links.size(), 20u);
    ASSERT_EQ(board.lines.size(), 3u);
    for (uint32_t head = 0; head < 3; ++head) {
        EXPECT_EQ(board.links[head].kind, Petalwork::BoardLink::headKind);
        EXPECT_EQ(board.cells[head].fileType, TileType::NoTile);
    }
    for (size_t i = 3; i < board.links.size(); ++i)
        EXPECT_EQ(board.links[i].kind, 0u);
    for (uint32_t i = 0; i < 15; ++i)
        EXPECT_EQ(board.cells[i].lineEnd, i >= 12) << i;
    EXPECT_FLOAT_EQ(board.cells[14].centre.x, 450.0f);
    EXPECT_FLOAT_EQ(board.cells[14].centre.y, 225.0f);
    EXPECT_EQ(board.LayerCount(), 0u);
}

TEST_F(BoardLayoutTest, TileTypesAndLayerCount)
{
    Formats::BoardFile board;
    const uint32_t types[] = {0, 1, 7, 2, 3, 4, 4, 3};
    for (uint32_t t : types)
        board.cells.push_back({0, 0, t, 42});
    const BoardLayout read = Read(board);
    const TileType expected[] = {TileType::Single, TileType::Single, TileType::Single, TileType::NoTile,
                                 TileType::Double, TileType::Triple, TileType::Triple, TileType::Double};
    for (size_t i = 0; i < read.cells.size(); ++i) {
        EXPECT_EQ(read.cells[i].fileType, expected[i]) << i;
        EXPECT_EQ(read.cells[i].reserved, 42u);
    }
    EXPECT_EQ(read.LayerCount(), 6u);
}

TEST_F(BoardLayoutTest, LayersOfALineHeadDoNotCount)
{
    // A layered head loses its tile with its layers: counting them would make the goal unreachable.
    Formats::BoardFile board;
    board.cells = {{0, 100, Formats::tileTriple, 0}, {0, 50, Formats::tileDouble, 0}, {0, 0, Formats::tileDouble, 0}};
    board.links = {{0, 1, {}, 0}, {1, 2, {}, 0}};
    board.lines = {{0, 1, 2}};
    const BoardLayout read = Read(board);
    EXPECT_EQ(read.cells[0].fileType, TileType::NoTile);
    EXPECT_EQ(read.LayerCount(), 2u);
}

TEST_F(BoardLayoutTest, TwoCellLineAndDuplicateLinks)
{
    Formats::BoardFile board;
    board.cells = {{0, 100, 0, 0}, {0, 50, 0, 0}};
    board.links = {{1, 0, {1, 2, 3, 4}, 5}, {0, 1, {}, 0}}; // the first of the pair, backwards, is the one found
    board.lines = {{0, 1}};
    const BoardLayout read = Read(board);
    EXPECT_EQ(read.links[0].kind, Petalwork::BoardLink::headKind);
    EXPECT_EQ(read.links[1].kind, 0u);
    EXPECT_TRUE(read.cells[1].lineEnd);
    EXPECT_FALSE(read.cells[0].lineEnd);
    // Curve points: from = cell 1 (0, 50), to = cell 0 (0, 100).
    EXPECT_FLOAT_EQ(read.links[0].forward[1].x, 1.0f);
    EXPECT_FLOAT_EQ(read.links[0].forward[1].y, 52.0f);
    EXPECT_FLOAT_EQ(read.links[0].forward[2].x, 3.0f);
    EXPECT_FLOAT_EQ(read.links[0].forward[2].y, 104.0f);
    EXPECT_FLOAT_EQ(read.links[0].backward[0].y, 100.0f);
    EXPECT_FLOAT_EQ(read.links[0].backward[1].y, 104.0f);
    EXPECT_FLOAT_EQ(read.links[0].backward[3].y, 50.0f);
}

TEST_F(BoardLayoutTest, BrokenBoardsAreRefusedWithTheFormatMessage)
{
    struct Case {
        const char* what;
        std::function<void(Formats::BoardFile&)> spoil;
    };
    const Case cases[] = {
        {"link from out of range", [](Formats::BoardFile& b) { b.links[5].from = 15; }},
        {"link to out of range", [](Formats::BoardFile& b) { b.links[5].to = 1000000; }},
        {"line cell out of range", [](Formats::BoardFile& b) { b.lines[1][3] = 15; }},
        {"line of one cell", [](Formats::BoardFile& b) { b.lines[2] = {2}; }},
        {"line of no cell", [](Formats::BoardFile& b) { b.lines[2].clear(); }},
        {"unlinked line cells", [](Formats::BoardFile& b) { b.lines[0] = {0, 3, 9}; }},
        {"unlinked head", [](Formats::BoardFile& b) { b.lines[0][0] = 1; }},
    };
    for (const Case& c : cases) {
        Formats::BoardFile board = Example();
        c.spoil(board);
        EXPECT_EQ(Refusal(Formats::EncodeBoard(board)), format) << c.what;
    }
}

TEST_F(BoardLayoutTest, CountsBeyondTheFileAndShortBodiesAreRefused)
{
    std::vector<uint8_t> bytes = Formats::EncodeBoard(Example());
    // A cell count far beyond the file: refused before anything is allocated.
    std::vector<uint8_t> huge = bytes;
    huge[headerSize + 3] = 0x7f;
    EXPECT_EQ(Refusal(huge), format);
    // Every cut of the body fails with a FileError, its size patched so the header passes.
    for (size_t cut = headerSize; cut < bytes.size(); cut += 7) {
        std::vector<uint8_t> shorter(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        const auto size = static_cast<uint32_t>(cut);
        for (int i = 0; i < 4; ++i)
            shorter[i] = static_cast<uint8_t>(size >> (8 * i));
        EXPECT_NE(Refusal(shorter), "") << cut;
    }
    // Bytes after the last line are never read.
    bytes.insert(bytes.end(), {1, 2, 3});
    const auto size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(size >> (8 * i));
    EXPECT_EQ(Refusal(bytes), "");
}

TEST_F(BoardLayoutTest, OnlyVersionSevenBoardsAreRead)
{
    const std::vector<uint8_t> good = Formats::EncodeBoard(Example());
    const std::string version = "Incorrect \"data\\levels\\meshes\\test.blf\" format version, current is 7";
    for (uint8_t v : {6, 8}) {
        std::vector<uint8_t> other = good;
        other[9] = v;
        EXPECT_EQ(Refusal(other), version) << int(v);
    }
    std::vector<uint8_t> magic = good;
    magic[4] = 'X';
    EXPECT_EQ(Refusal(magic), format);
    EXPECT_EQ(BoardLayout::PathOf("stage1_level2"), "data\\levels\\meshes\\stage1_level2.blf");
}

TEST_F(BoardLayoutTest, CentringOffsetKeepsTheScreenCentreInTheBox)
{
    Formats::BoardFile board;
    board.cells = {{500, 400, 0, 0}, {600, 500, 0, 0}, {0, 0, Formats::tileNone, 0}};
    const BoardLayout read = Read(board);
    // Tile box (400, 300)-(600, 500), centre (500, 400); the tileless cell does not count.
    const Petalwork::BoardPoint offset = read.CentringOffset({400, 320});
    EXPECT_FLOAT_EQ(offset.x, -100.0f);
    EXPECT_FLOAT_EQ(offset.y, -80.0f);
}

TEST_F(BoardLayoutTest, EveryBoardOfTheDefaultDataReads)
{
    const std::filesystem::path folder = std::filesystem::path(BRINDLE_GAME_FOLDER) / "data" / "levels" / "meshes";
    VantoranEngine::FileManager game(&log, &memory, BRINDLE_GAME_FOLDER, "");
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".blf")
            continue;
        ++count;
        BoardLayout board;
        ASSERT_NO_THROW(board = BoardLayout::Load(&game, entry.path().stem().string())) << entry.path();
        EXPECT_FALSE(board.lines.empty()) << entry.path();
        for (const auto& line : board.lines)
            EXPECT_EQ(board.cells[line.cells.front()].fileType, TileType::NoTile);
    }
    EXPECT_EQ(count, 45);
}

// The level boards: every shipped board read back from its file keeps the board rules for the level that
// plays it (demands taken from the shipped catalogue files); the checker refuses each broken rule; the
// file layout round-trips with the expected size.
#include "tools/databuild/BoardCheck.h"
#include "tools/databuild/Levels.h"
#include "tools/formats/BoardWriter.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"

#include "GameDataFixture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace VantoranEngine;
using DataBuild::BoardDemands;
using Formats::BoardFile;

namespace {

std::string Joined(const std::vector<std::string>& messages)
{
    std::string text;
    for (const std::string& message : messages)
        text += message + "\n";
    return text;
}

TEST(BoardAudit, EveryShippedBoardKeepsTheRulesOfItsLevel)
{
    const std::string gameFolder = BRINDLE_GAME_FOLDER;
    MessageManager log{"", "", "Test", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, gameFolder, ""};

    auto stages = files.OpenTextual("data\\levels\\stages_info.ini", false);
    const int32_t stageCount = stages->ReadInt();
    ASSERT_GE(stageCount, 8);
    int layerLevels = 0;
    for (int32_t stage = 0; stage < stageCount; ++stage) {
        stages->ReadInt();
        stages->ReadInt();
        stages->ReadFloat();
        stages->ReadInt();
        for (int i = 0; i < 4; ++i)
            stages->ReadFloat();
        const int32_t stonesAtStart = stages->ReadInt(), mostStones = stages->ReadInt();
        const float stoneInterval = stages->ReadFloat();
        stages->ReadInt();
        stages->ReadInt();
        stages->ReadFloat();
        const std::string flowerFile = NextWord(*stages);
        for (int i = 0; i < 4; ++i)
            NextWord(*stages);

        BoardDemands demands;
        demands.stones = stonesAtStart > 0 || (mostStones > 0 && stoneInterval > 0);
        demands.flowerKinds = files.OpenTextual("data\\levels\\" + flowerFile + ".ini", false)->ReadInt();

        auto levels = files.OpenTextual("data\\levels\\stage" + std::to_string(stage) + ".ini", false);
        const int32_t levelCount = levels->ReadInt();
        for (int32_t level = 0; level < levelCount; ++level) {
            demands.goal = levels->ReadInt();
            demands.kind = levels->ReadInt();
            for (int i = 0; i < 4; ++i)
                NextWord(*levels);
            const std::string name = NextWord(*levels);
            NextWord(*levels);
            SCOPED_TRACE("stage " + std::to_string(stage) + ", board " + name);

            const auto path = std::filesystem::path(gameFolder) / "data" / "levels" / "meshes" / (name + ".blf");
            ASSERT_TRUE(std::filesystem::exists(path));
            const std::string bytes = TempFolder::ReadFile(path.string());
            BoardFile board;
            ASSERT_NO_THROW(board = Formats::DecodeBoard(std::vector<uint8_t>(bytes.begin(), bytes.end())));
            // The checker holds a layer level's goal to the board's layer count (the game replaces it
            // with that count and the panel divides by it).
            EXPECT_EQ(Joined(DataBuild::CheckBoard(board, demands)), "");
            layerLevels += demands.kind == DataBuild::layerLevelKind;
        }
    }
    EXPECT_GE(layerLevels, 1);
    for (const auto& entry : log.GetEntries())
        EXPECT_NE(entry.kind, LogEntry::Error) << entry.text;
}

// A good 3 x 3 board: heads 0-2 above the columns, tiles 3-11 row by row.
BoardFile Plain() { return DataBuild::BoardFromGrid({"ooo", "ooo", "ooo"}); }

struct BrokenBoard {
    const char* what;
    std::function<BoardFile()> make;
    BoardDemands demands;
    const char* message;
};

TEST(BoardAudit, TheCheckerRefusesEachBrokenRule)
{
    ASSERT_EQ(Joined(DataBuild::CheckBoard(Plain(), {})), "");
    const BoardDemands stones{0, 1, 5, true}, layers{DataBuild::layerLevelKind, 1, 5, false};
    const auto with = [](std::function<void(BoardFile&)> change) {
        return [change] {
            BoardFile board = Plain();
            change(board);
            return board;
        };
    };
    const BrokenBoard cases[] = {
        {"self link", with([](BoardFile& b) { b.links[3].to = b.links[3].from; }), {},
         "rule 1: link 3 joins cell 3 to itself"},
        {"index beyond the cells", with([](BoardFile& b) { b.lines[0].push_back(12); }), {},
         "rule 1: line 0 names a cell beyond the 12 cells"},
        {"second link for a pair", with([](BoardFile& b) { b.links.push_back({4, 3, {}, 0}); }), {},
         "rule 1: two links join cells 3-4"},
        {"one-cell line", with([](BoardFile& b) { b.lines.push_back({2}); }), {},
         "rule 2: line 3 holds fewer than two cells"},
        {"unlinked line step", with([](BoardFile& b) { b.links.erase(b.links.begin() + 10); }), {},
         "rule 2: line 0: cells 6 and 9 follow each other unlinked"},
        {"head with a layer", with([](BoardFile& b) { b.cells[1].type = Formats::tileDouble; }), {},
         "rule 3: head cell 1 has tile type 3"},
        {"head linked sideways", with([](BoardFile& b) { b.links.push_back({0, 1, {}, 0}); }), {},
         "rule 4: head cell 0 is linked to cell 1"},
        {"head on a second line", with([](BoardFile& b) { b.lines[1].insert(b.lines[1].begin(), 0); }), {},
         "rule 4: head cell 0 has another place on a line"},
        {"tile on no line", with([](BoardFile& b) { b.lines[2].pop_back(); }), {}, "rule 5: tile cell 11 lies on no line"},
        {"hole inside a line", with([](BoardFile& b) { b.cells[7].type = Formats::tileNone; }), {},
         "rule 6: line 1 runs through cell 7, which has no tile"},
        {"line running up", with([](BoardFile& b) { std::swap(b.cells[0].y, b.cells[9].y); }), {},
         "rule 7: line 0 does not run down its column at cell 3"},
        {"cell off the grid", with([](BoardFile& b) { b.cells[4].x += 10; }), {}, "rule 8: cell 4 at (410"},
        {"ten columns", [] { return DataBuild::BoardFromGrid({"oooooooooo", "oooooooooo"}); }, {},
         "rule 8: the tiles span 10 x 2 cells"},
        {"off centre", with([](BoardFile& b) { for (auto& c : b.cells) c.x += 50; }), {},
         "rule 8: the tiles are not centred on (400, 300)"},
        {"link kind", with([](BoardFile& b) { b.links[3].kind = 2; }), {}, "rule 9: link 3 has kind 2"},
        {"curved link", with([](BoardFile& b) { b.links[5].curve[2] = 4; }), {}, "rule 9: link 5 has curve offsets"},
        {"links out of order", with([](BoardFile& b) { std::swap(b.links[3], b.links[4]); }), {},
         "rule 9: the links are not in row order"},
        {"diagonal link", with([](BoardFile& b) { b.links.push_back({3, 7, {}, 0}); }), {},
         "rule 9: link 3-7 joins no head"},
        {"missing neighbour link", with([](BoardFile& b) { b.links.pop_back(); }), {}, "rule 9: missing link 10-11"},
        {"four flower kinds", Plain, {0, 1, 4, false}, "rule 10: the level has 4 flower kinds"},
        {"layer level without layers", Plain, layers, "rule 11: a layer level's board has no layers"},
        {"layer goal off the count", [] { return DataBuild::BoardFromGrid({"ooo", "oto", "ooo"}); }, layers,
         "rule 11: the level's goal is 1, the board has 2 layers"},
        {"cells out of row order", with([](BoardFile& b) { std::swap(b.cells[3].x, b.cells[4].x); }), {},
         "rule 12: cell 4 breaks the row order from the top"},
        {"line ending above a tile", with([](BoardFile& b) { b.lines[0].pop_back(); }), {},
         "rule 12: line 0 ends above the tile of cell 9"},
        {"stones over a hole", [] { return DataBuild::BoardFromGrid({"ooo", "o#o", "ooo"}); }, stones,
         "rule 12: stones cannot leave at the end of line 1: cell 10 lies below it"},
    };
    for (const BrokenBoard& broken : cases) {
        SCOPED_TRACE(broken.what);
        const std::string messages = Joined(DataBuild::CheckBoard(broken.make(), broken.demands));
        EXPECT_NE(messages.find(broken.message), std::string::npos) << messages;
    }
}

TEST(BoardAudit, BoardFilesRoundTripWithTheirSize)
{
    for (const auto& rows : {std::vector<std::string>{"ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo",
                                                      "ooooooo"},
                             std::vector<std::string>{".dto.", "oo#oo", "ooooo"}}) {
        const BoardFile board = DataBuild::BoardFromGrid(rows);
        const std::vector<uint8_t> bytes = Formats::EncodeBoard(board);
        size_t lines = 0;
        for (const auto& line : board.lines)
            lines += 4 + 4 * line.size();
        EXPECT_EQ(bytes.size(), 13 + 4 + 16 * board.cells.size() + 4 + 28 * board.links.size() + 4 + lines);

        const BoardFile back = Formats::DecodeBoard(bytes);
        EXPECT_EQ(Formats::EncodeBoard(back), bytes);
        ASSERT_EQ(back.cells.size(), board.cells.size());
        EXPECT_EQ(back.cells[0].x, board.cells[0].x);
        EXPECT_EQ(back.lines, board.lines);

        std::vector<uint8_t> shorter(bytes.begin(), bytes.end() - 1);
        EXPECT_THROW(Formats::DecodeBoard(shorter), std::runtime_error);
        std::vector<uint8_t> newer = bytes;
        newer[9] = 8;
        EXPECT_THROW(Formats::DecodeBoard(newer), std::runtime_error);
    }
    // Seven columns of eight cells (head included): the 3721 bytes of a plain 7 x 7 board.
    EXPECT_EQ(Formats::EncodeBoard(DataBuild::BoardFromGrid(std::vector<std::string>(7, "ooooooo"))).size(), 3721u);
}

} // namespace

// The data audit: builds the default data set, reads it back through the engine's own readers and checks
// the rules the game's code relies on. Checks are grouped by kind of file.
#include "tools/databuild/DataBuild.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace VantoranEngine;

namespace {

// One build shared by every test of the suite.
class DataAudit : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new TempFolder;
        DataBuild::BuildData(folder->Path());
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    std::unique_ptr<FileTextual> Open(const std::string& name)
    {
        auto file = files.OpenTextual(name, false);
        EXPECT_EQ(file->GetEncoding(), FileTextual::encodingUtf8) << name;
        return file;
    }

    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const auto& entry : log.GetEntries())
            if (entry.kind == LogEntry::Error || entry.kind == LogEntry::Warning)
                errors.push_back(entry.text);
        return errors;
    }

    static TempFolder* folder;
    MessageManager log{"", "", "Test", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, folder->Path(), ""};
};

TempFolder* DataAudit::folder = nullptr;

// The next non-empty word, as the game's readers take it; empty at the end of the file.
std::string NextWord(FileTextual& file)
{
    std::string word;
    while (file.ReadString(word, true))
        if (!word.empty())
            return word;
    return {};
}

std::string ReadAll(const std::filesystem::path& path) { return TempFolder::ReadFile(path.string()); }

TEST_F(DataAudit, SettingsHoldEveryValueAndTheDivisorsAreUsable)
{
    auto game = Open("data\\game.ini");
    const std::set<int> integers = {49, 77, 79, 90};
    std::vector<float> v(91, 0.0f);
    for (int position = 1; position <= 90; ++position)
        v[position] = integers.count(position) ? static_cast<float>(game->ReadInt()) : game->ReadFloat();
    EXPECT_EQ(NextWord(*game), "") << "words after the 90th value";

    // Divisors, speeds whose zero never ends a sequence, and the modulo.
    for (int position : {1, 8, 10, 14, 15, 16, 17, 18, 19, 23, 27, 28, 30, 31, 32, 42, 44, 45, 56, 70, 77, 85, 89})
        EXPECT_GT(v[position], 0.0f) << "position " << position;
    EXPECT_LE(v[43], -100.0f);
    EXPECT_LE(v[17], v[85]);
    EXPECT_LT(v[1] + 0.1f * v[2], 500.0f);
    for (auto [low, high] : {std::pair{60, 61}, {62, 63}, {65, 66}, {67, 68}, {72, 73}, {74, 75}, {80, 81}, {82, 83}})
        EXPECT_LE(v[low], v[high]) << "positions " << low << ", " << high;

    auto score = Open("data\\score.ini");
    for (int32_t expected : DataBuild::ScoreSettings())
        EXPECT_EQ(score->ReadInt(), expected);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataAudit, CatalogueFollowsTheStageAndLevelRules)
{
    auto list = Open("data\\levels\\stages_info.ini");
    const int32_t stages = list->ReadInt();
    ASSERT_GE(stages, 8);
    ASSERT_LE(stages, 9);
    for (int32_t stage = 0; stage < stages; ++stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        const int32_t background = list->ReadInt();
        const int32_t places = list->ReadInt();
        list->ReadFloat();
        const int32_t orderLimit = list->ReadInt();
        for (int i = 0; i < 4; ++i)
            list->ReadFloat();
        list->ReadInt();
        list->ReadInt();
        list->ReadFloat();
        list->ReadInt();
        list->ReadInt();
        list->ReadFloat();
        EXPECT_GE(background, 0);
        EXPECT_LE(background, 8);
        EXPECT_GE(places, 1);
        EXPECT_LE(places, 9);

        std::string words[5];
        for (std::string& word : words)
            ASSERT_FALSE((word = NextWord(*list)).empty());
        auto flowers = Open("data\\levels\\" + words[0] + ".ini");
        const int32_t n = flowers->ReadInt();
        EXPECT_GE(n, 5);
        EXPECT_LE(n, 7);
        std::set<int32_t> kinds;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t frame = flowers->ReadInt();
            EXPECT_GE(frame, 0);
            EXPECT_LT(frame, 32);
            EXPECT_NE(frame, 6) << "the stone picture";
            kinds.insert(frame);
        }
        EXPECT_EQ(kinds.size(), static_cast<size_t>(n));
        EXPECT_GE(orderLimit, 1);
        EXPECT_LE(orderLimit, std::min(3, n));

        auto options = Open("data\\levels\\" + words[1] + ".ini");
        const float powerupMin = options->ReadFloat(), powerupMax = options->ReadFloat();
        EXPECT_LE(powerupMin, powerupMax);
        EXPECT_GT(options->ReadFloat(), 0.0f);
        Open("data\\levels\\" + words[2] + ".ini");
        auto orders = Open("data\\levels\\" + words[3] + ".ini");
        const int32_t silver = orders->ReadInt();
        EXPECT_GE(silver, 1);
        EXPECT_LE(silver, orders->ReadInt());
        auto scissors = Open("data\\levels\\" + words[4] + ".ini");
        const int32_t count = scissors->ReadInt();
        EXPECT_GE(count, 0);
        EXPECT_LE(count, 3);
        for (int32_t i = 0; i < count; ++i)
            EXPECT_GE(scissors->ReadInt(), 1);

        auto levels = Open("data\\levels\\stage" + std::to_string(stage) + ".ini");
        const int32_t levelCount = levels->ReadInt();
        EXPECT_GE(levelCount, 1);
        EXPECT_LE(levelCount, 5);
        for (int32_t level = 0; level < levelCount; ++level) {
            SCOPED_TRACE("level " + std::to_string(level));
            const int32_t goal = levels->ReadInt(), kind = levels->ReadInt();
            const float time = levels->ReadFloat();
            levels->ReadFloat();
            const int32_t orderMin = levels->ReadInt(), orderMax = levels->ReadInt();
            const std::string board = NextWord(*levels), tip = NextWord(*levels);
            EXPECT_FALSE(tip.empty());
            EXPECT_GE(goal, 1);
            EXPECT_GE(kind, 0);
            EXPECT_LE(kind, 10);
            EXPECT_GT(time, 0.0f);
            EXPECT_GE(orderMin, 1);
            EXPECT_LE(orderMin, orderMax);
            EXPECT_EQ(board, "s" + std::to_string(stage) + "_l" + std::to_string(level));
        }
    }
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataAudit, BuildingTwiceGivesTheSameBytes)
{
    TempFolder second;
    DataBuild::BuildData(second.Path());
    size_t compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::filesystem::path(folder->Path()) / "data")) {
        if (!entry.is_regular_file())
            continue;
        const auto relative = std::filesystem::relative(entry.path(), folder->Path());
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(std::filesystem::path(second.Path()) / relative)) << relative;
        ++compared;
    }
    EXPECT_GT(compared, 0u);
}

} // namespace

// The nine background files, read the way the level loader reads them: a missing or malformed file stops
// the game, so every day's file must give a usable butterfly count and area and name models that exist.
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace VantoranEngine;

namespace {

TEST(BackgroundAudit, EveryDayNamesAButterflyAreaOnScreenAndModelsThatExist)
{
    MessageManager log{"", "", "Test", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, BRINDLE_GAME_FOLDER, ""};
    const std::filesystem::path data = std::filesystem::path(BRINDLE_GAME_FOLDER) / "data";
    for (int n = 0; n < 9; ++n) {
        const std::string folder = "backgrounds\\background_" + std::to_string(n) + "\\";
        SCOPED_TRACE(folder);
        auto file = files.OpenTextual("data\\" + folder + "background.ini", false);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->GetEncoding(), FileTextual::encodingUtf8);
        const int32_t fewest = file->ReadInt(), most = file->ReadInt();
        EXPECT_GE(fewest, 0);
        EXPECT_LE(fewest, most);
        const float x0 = file->ReadFloat(), y0 = file->ReadFloat(), x1 = file->ReadFloat(), y1 = file->ReadFloat();
        EXPECT_GE(x0, 0.0f);
        EXPECT_LT(x0, x1);
        EXPECT_LE(x1, 800.0f);
        EXPECT_GE(y0, 0.0f);
        EXPECT_LT(y0, y1);
        EXPECT_LE(y1, 600.0f);
        int models = 0;
        std::string word;
        while (file->ReadString(word, true)) {
            if (word.empty())
                continue;
            ++models;
            EXPECT_TRUE(std::filesystem::exists(data / "backgrounds" / ("background_" + std::to_string(n)) / "models" / word))
                << word;
        }
        EXPECT_GE(models, 1);
    }
    for (const auto& entry : log.GetEntries())
        EXPECT_TRUE(entry.kind != LogEntry::Error && entry.kind != LogEntry::Warning) << entry.text;
}

} // namespace

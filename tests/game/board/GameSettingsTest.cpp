#include "game/board/GameData.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using Petalwork::GameData;
using Petalwork::GameSettings;

namespace {

// The file services over a folder, with a log that keeps its entries.
struct SettingsWorld {
    explicit SettingsWorld(const std::string& base)
        : log("", "settings-test", "Settings test", false, false), memory(&log), files(&log, &memory, base, "")
    {
    }
    std::unique_ptr<GameSettings> Load() { return GameData::LoadSettings(files, log); }
    bool Logged(const std::string& text) const
    {
        for (const VantoranEngine::LogEntry& entry : log.GetEntries())
            if (entry.text.find(text) != std::string::npos)
                return true;
        return false;
    }
    VantoranEngine::MessageManager log;
    VantoranEngine::MemoryManager memory;
    VantoranEngine::FileManager files;
};

// A game.ini whose value at position p is p, so every field shows where it was read from.
std::string Numbered(int count, const std::string& separator = "\r\n")
{
    std::string text;
    for (int p = 1; p <= count; ++p)
        text += std::to_string(p) + separator;
    return text;
}

const std::string scoreFile = "1 2 3 4 5 6 7";

} // namespace

TEST(GameSettings, ValuesAreReadByPositionIntoTheirFields)
{
    TempFolder folder;
    folder.WriteFile("data/game.ini", Numbered(90));
    folder.WriteFile("data/score.ini", scoreFile);
    SettingsWorld w(folder.Path());
    std::unique_ptr<GameSettings> s = w.Load();
    EXPECT_EQ(s->chipFallStartSpeed, 1.0f);
    EXPECT_EQ(s->comboCaptionPosition.x, 11.0f);
    EXPECT_EQ(s->comboCaptionPosition.y, 12.0f);
    EXPECT_EQ(s->waveDivisor, 15.0f);
    EXPECT_EQ(s->boardCentre.y, 26.0f);
    EXPECT_EQ(s->quickGainThreshold, 49);
    EXPECT_EQ(s->offBoardFlightDistance.minimum, 60.0f);
    EXPECT_EQ(s->fragmentLift.maximum, 75.0f);
    EXPECT_EQ(s->pointsPerExtraLife, 77);
    EXPECT_EQ(s->plantedBlinkCount, 79);
    EXPECT_EQ(s->fragmentSpin.maximum, 83.0f);
    EXPECT_EQ(s->menuButtonPosition.y, 88.0f);
    EXPECT_EQ(s->powerupBlinkPeriods, 90);
    EXPECT_EQ(s->extraBasketBonus, 1);
    EXPECT_EQ(s->quickBasketBonus, 4);
    EXPECT_EQ(s->manyFlowersBonus, 7);
}

TEST(GameSettings, WordsCommentsAndEncodingsFollowTheTextReader)
{
    struct Row {
        const char* name;
        std::string text; // the game.ini
        float position48;
        int32_t position49;
        int32_t position90;
        float position89;
    };
    const std::string upTo47 = Numbered(47);
    const std::string tail = "50 51 52 53 54 55 56 57 58 59 60 61 62 63 64 65 66 67 68 69 70 71 72 73 74 75 76 77 78 79 "
                             "80 81 82 83 84 85 86 87 88 89 90";
    std::u16string wide;
    const std::string plain = upTo47 + "48 49 " + tail;
    for (char c : plain)
        wide += static_cast<char16_t>(c);
    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF";
    for (char16_t c : wide) {
        utf16le += static_cast<char>(c & 0xFF);
        utf16le += static_cast<char>(c >> 8);
        utf16be += static_cast<char>(c >> 8);
        utf16be += static_cast<char>(c & 0xFF);
    }
    const std::vector<Row> rows = {
        {"89 values", Numbered(89), 48, 49, 0, 89},
        {"comment after a blank", upTo47 + "48 // the quick basket\r\n49 " + tail, 48, 49, 90, 89},
        {"comment glued to a value", upTo47 + "0.5//text 7\r\n" + tail, 0.5f, 7, 90, 89},
        {"comma ends the number", upTo47 + "1,5 49 " + tail, 1, 49, 90, 89},
        {"integer position cut", upTo47 + "48 3.7 " + tail, 48, 3, 90, 89},
        {"tab separated", upTo47 + "48\t49\t" + tail, 48, 49, 90, 89},
        {"UTF-8 mark", "\xEF\xBB\xBF" + plain, 48, 49, 90, 89},
        {"UTF-16 little-endian", utf16le, 48, 49, 90, 89},
        {"UTF-16 big-endian", utf16be, 48, 49, 90, 89},
        {"extra words", plain + " 91 92", 48, 49, 90, 89},
    };
    for (const Row& row : rows) {
        TempFolder folder;
        folder.WriteFile("data/game.ini", row.text);
        folder.WriteFile("data/score.ini", scoreFile);
        SettingsWorld w(folder.Path());
        std::unique_ptr<GameSettings> s = w.Load();
        EXPECT_FLOAT_EQ(s->quickBasketSecondsPerFlower, row.position48) << row.name;
        EXPECT_EQ(s->quickGainThreshold, row.position49) << row.name;
        EXPECT_FLOAT_EQ(s->powerupBlinkPeriod, row.position89) << row.name;
        EXPECT_EQ(s->powerupBlinkPeriods, row.position90) << row.name;
    }
}

TEST(GameSettings, AMissingFileIsFatalAndGameIniIsReadFirst)
{
    struct Row {
        bool game;
        bool score;
        std::string text;
    };
    for (const Row& row : {Row{false, true, "data\\game.ini"}, Row{false, false, "data\\game.ini"},
                           Row{true, false, "data\\score.ini"}}) {
        TempFolder folder;
        if (row.game)
            folder.WriteFile("data/game.ini", Numbered(90));
        if (row.score)
            folder.WriteFile("data/score.ini", scoreFile);
        SettingsWorld w(folder.Path());
        try {
            w.Load();
            FAIL() << row.text << " missing went unnoticed";
        } catch (const VantoranEngine::FatalError& error) {
            EXPECT_EQ(error.message.rfind("Failed to open \"", 0), 0u) << error.message;
            EXPECT_NE(error.message.find(row.text.substr(5)), std::string::npos) << error.message;
            EXPECT_TRUE(error.message.ends_with("\" file")) << error.message;
            EXPECT_TRUE(w.Logged("PROGRAM ABORTING: " + error.message));
        }
    }
}

TEST(GameSettings, AValueTheGameDividesByMustBeAboveZero)
{
    for (int position : {1, 15, 31, 77, 85}) {
        for (const std::string& bad : {std::string("0"), std::string("-2")}) {
            std::string text;
            for (int p = 1; p <= 90; ++p)
                text += (p == position ? bad : std::to_string(p)) + " ";
            TempFolder folder;
            folder.WriteFile("data/game.ini", text);
            folder.WriteFile("data/score.ini", scoreFile);
            SettingsWorld w(folder.Path());
            try {
                w.Load();
                FAIL() << "value " << position << " = " << bad << " accepted";
            } catch (const VantoranEngine::FatalError& error) {
                EXPECT_EQ(error.message, "Value " + std::to_string(position) + " of \"data\\game.ini\" must be above 0");
            }
        }
    }
}

TEST(GameSettings, TheShippedFilesLoadWithEveryDivisorAboveZero)
{
    SettingsWorld w(BRINDLE_GAME_FOLDER);
    std::unique_ptr<GameSettings> s = w.Load();
    EXPECT_GT(s->waveDivisor, 0.0f);
    EXPECT_GT(s->pointsPerExtraLife, 0);
    EXPECT_GT(s->extraBasketBonus, 0);
    EXPECT_GT(s->powerupBlinkPeriods, 0);
}

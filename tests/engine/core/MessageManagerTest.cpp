#include "engine/core/MessageManager.h"

#include "engine/core/Error.h"
#include "platform/os/LocalTime.h"
#include "platform/os/Path.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace VantoranEngine;

namespace {

class MessageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Platform::LocalTime time{1980, 1, 2, 2, 3, 55, 3};
        Platform::OverrideLocalTime(&time);
    }
    void TearDown() override { Platform::OverrideLocalTime(nullptr); }

    std::string LogFile() const { return tmp / "logs/deep/Game.html"; }
    std::string LogFolder() const { return tmp.Path() + "\\logs\\deep"; }

    TempFolder tmp;
};

const std::string kHeader =
    "<HTML><HEAD><TITLE>Game Log</TITLE></HEAD><BODY bgcolor=\"#000000\"><FONT color=\"#FFFFFF\">"
    "<FONT color=\"#FFFFFF\">======== </FONT><FONT color=\"#00FF00\">Game Log: Wed Jan 02 02:03:55 1980"
    "</FONT><FONT color=\"#FFFFFF\"> ========<BR><BR></FONT>";
const std::string kFooter =
    "<FONT color=\"#FFFFFF\"><BR>======== </FONT><FONT color=\"#00FF00\">Game Log end: Wed Jan 02 02:03:55 1980"
    "</FONT><FONT color=\"#FFFFFF\"> ========<BR></FONT></FONT></BODY></HTML>";

} // namespace

TEST_F(MessageManagerTest, PathRules)
{
    Platform::OverrideModuleFileName("/opt/brindlemoor/game");
    struct Case {
        const char* directory;
        const char* name;
        const char* path;
    } const cases[] = {
        {"C:\\Logs", "Stem", "C:\\Logs\\Stem.html"},
        {"/var/log", "Stem", "/var/log\\Stem.html"},
        {"logs", "Stem", "/opt/brindlemoor\\logs\\Stem.html"},
        {"", "Stem", "/opt/brindlemoor\\Stem.html"},
        {"", "", "/opt/brindlemoor\\Title.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageManager::BuildPath(c.directory, c.name, "Title"), c.path) << c.directory;
    Platform::OverrideModuleFileName("");
}

TEST_F(MessageManagerTest, GoldenSessionCreatesTheFolderAndFlushesEachEntry)
{
    for (bool reopen : {false, true}) {
        std::filesystem::remove_all(tmp / "logs");
        {
            MessageManager log(LogFolder(), "", "Game", true, reopen);
            log.LogMessage("...Start\n<&>");
            // Keep-open or not, each entry is on disk at once.
            EXPECT_EQ(TempFolder::ReadFile(LogFile()), kHeader + "...Start<BR><&><BR>");
            log.LogWarning("abc");
            log.LogError("def");
            EXPECT_THROW(log.LogFatalError("ghi"), FatalError);
        }
        EXPECT_EQ(TempFolder::ReadFile(LogFile()),
                  kHeader + "...Start<BR><&><BR>" +
                      "<FONT color=\"#7F7F7F\"><BR>Warning: abc!<BR><BR></FONT>"
                      "<FONT color=\"#FF0000\"><BR>Error: def!<BR><BR></FONT>"
                      "<FONT color=\"#FF0000\">PROGRAM ABORTING: ghi<BR></FONT>" +
                      kFooter)
            << "reopen " << reopen;
    }
}

TEST_F(MessageManagerTest, EntriesAndLineBreaks)
{
    MessageManager log(LogFolder(), "Game", "Game", true, false);
    log.lineBreaks = false;
    log.LogMessage("......");
    log.LogError("abc");
    log.lineBreaks = true;
    try {
        log.LogFatalError("abc");
        FAIL() << "LogFatalError returned";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.message, "abc");
    }
    EXPECT_EQ(TempFolder::ReadFile(LogFile()),
              kHeader + "......<FONT color=\"#FF0000\">Error: abc!<BR></FONT>"
                        "<FONT color=\"#FF0000\">PROGRAM ABORTING: abc<BR></FONT>");

    const std::vector<LogEntry> entries = log.TakeEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].kind, LogEntry::Message);
    EXPECT_EQ(entries[0].text, "......");
    EXPECT_EQ(entries[1].kind, LogEntry::Error);
    EXPECT_EQ(entries[1].text, "Error: abc!\n");
    EXPECT_EQ(entries[2].kind, LogEntry::Fatal);
    EXPECT_TRUE(log.GetEntries().empty());
}

TEST_F(MessageManagerTest, DisabledLogWritesNothingButKeepsEntries)
{
    {
        MessageManager log(LogFolder(), "", "Game", false, false);
        log.LogWarning("abc");
        const std::vector<LogEntry> entries = log.GetEntries();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].kind, LogEntry::Warning);
        EXPECT_EQ(entries[0].text, "\nWarning: abc!\n\n");
        log.ClearEntries();
        EXPECT_TRUE(log.GetEntries().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(tmp / "logs"));
}

TEST_F(MessageManagerTest, ThreadsLogSafely)
{
    MessageManager log(LogFolder(), "", "Game", true, false);
    auto writer = [&log] {
        for (int i = 0; i < 500; ++i)
            log.LogMessage("line");
    };
    std::thread other(writer);
    writer();
    other.join();
    EXPECT_EQ(log.GetEntries().size(), 1000u);
}

TEST(MessageManagerColor, FormatColor)
{
    struct Case {
        float r, g, b;
        const char* html;
    } const cases[] = {
        {0, 0, 0, "#000000"},       {1, 1, 1, "#FFFFFF"}, {0.5f, 0.5f, 0.5f, "#7F7F7F"},
        {1, 0, 0, "#FF0000"},       {0, 1, 0, "#00FF00"}, {0, 0, 0.1f, "#000019"},
        {-1, 2, 0, "#00FF00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageManager::FormatColor(c.r, c.g, c.b), c.html);
}

#include "engine/core/files/PackFile.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FilesTestSupport.h"
#include "platform/os/CodePage.h"
#include "tools/pak/PackWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

using namespace VantoranEngine;

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The stored size kept equal to the real length, so only the damage under test shows.
void Truncate(std::vector<uint8_t>& bytes, size_t length)
{
    bytes.resize(length);
    PutU32(bytes, 0, static_cast<uint32_t>(length));
}

class PackFileTest : public ::testing::Test {
protected:
    std::string Save(const std::vector<uint8_t>& bytes)
    {
        const std::string path = folder / "test.pak";
        FilesTest::WriteBytes(path, bytes);
        return path;
    }
    std::string LogText() const
    {
        std::string text;
        for (const LogEntry& entry : log.GetEntries())
            text += entry.text;
        return text;
    }

    MessageManager log{"", "", "test", false, false};
    MemoryManager memory{&log};
    TempFolder folder;
};

} // namespace

TEST_F(PackFileTest, MalformedArchivesAreRefusedWithOneLogLine)
{
    const std::vector<uint8_t> sound = Pak::BuildPack({{"a.txt", Bytes("hello")}, {"b.txt", Bytes("!")}});
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string reason; // "%" stands for the archive's path
    };
    std::vector<Case> cases;
    {
        std::vector<uint8_t> b = sound;
        b.resize(10);
        cases.push_back({"shorter than the header", b, "Failed to read 13 bytes from \"%\" file"});
    }
    {
        std::vector<uint8_t> b = sound;
        b[6] = 'X';
        cases.push_back({"wrong magic", b, "Incorrect pack file format"});
    }
    {
        std::vector<uint8_t> b = sound;
        PutU32(b, 0, static_cast<uint32_t>(b.size() - 1));
        cases.push_back({"stored size one less", b, "Incorrect pack file format"});
    }
    {
        std::vector<uint8_t> b = sound;
        PutU32(b, 9, 101);
        cases.push_back({"version 101", b, "Incorrect pack file version, current is 100"});
    }
    {
        std::vector<uint8_t> b = sound;
        Truncate(b, 13);
        cases.push_back({"no member count", b, "Failed to read 4 bytes from \"%\" file"});
    }
    {
        std::vector<uint8_t> b = sound;
        Truncate(b, 17 + 7 + 1);
        cases.push_back({"names cut short", b, "Failed to read 6 bytes from \"%\" file"});
    }
    {
        std::vector<uint8_t> b = sound;
        Truncate(b, 17 + 14 + 12);
        cases.push_back({"record table cut short", b, "Failed to read 16 bytes from \"%\" file"});
    }
    {
        // Three empty names and nothing after them: the table must not be allocated from the count.
        std::vector<uint8_t> b = Pak::BuildPack({});
        PutU32(b, 13, 3);
        b.insert(b.end(), {0, 0, 0});
        PutU32(b, 0, static_cast<uint32_t>(b.size()));
        cases.push_back({"no record table", b, "Failed to read 24 bytes from \"%\" file"});
    }
    {
        std::vector<uint8_t> b = Pak::BuildPack({});
        PutU32(b, 13, 0xFFFFFFFFu);
        cases.push_back({"absurd member count", b, "Failed to read 1 bytes from \"%\" file"});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.ClearEntries();
        const std::string path = Save(c.bytes);
        EXPECT_THROW((PackFile{path, &log, &memory}), Error);
        std::string reason = c.reason;
        const size_t mark = reason.find('%');
        if (mark != std::string::npos)
            reason.replace(mark, 1, path);
        const std::string found = "...Pack file " + path + " found...\n";
        const std::string text = LogText();
        EXPECT_EQ(text.substr(0, found.size()), found);
        EXPECT_EQ(text.substr(text.size() - ("......Error: " + reason + "!\n").size()),
                  "......Error: " + reason + "!\n");
        EXPECT_TRUE(log.lineBreaks);
    }

    log.ClearEntries();
    const std::string missing = folder / "missing.pak";
    EXPECT_THROW((PackFile{missing, &log, &memory}), Error);
    EXPECT_EQ(LogText(), "...Pack file " + missing + " found...\n......Error: Failed to open \"" + missing +
                             "\" file!\n");
}

TEST_F(PackFileTest, EmptyArchiveOpensAndHoldsNothing)
{
    const std::string path = Save(Pak::BuildPack({}));
    PackFile pack(path, &log, &memory);
    EXPECT_EQ(LogText(), "...Pack file " + path + " found...\n......It contains 0 files...\n");
    EXPECT_FALSE(pack.Contains("a"));
    uint32_t size = 7;
    EXPECT_FALSE(pack.GetSize("a", size));
    EXPECT_EQ(size, 7u);
    char byte;
    EXPECT_FALSE(pack.Read(&byte, "a"));
}

TEST_F(PackFileTest, NamesAreFoundInAnyCaseAndTheFirstOfTwinsWins)
{
    const std::string path = Save(Pak::BuildPack({
        {"Data\\Fonts\\Main.FNT", Bytes("font")},
        {"data\\fonts\\MAIN.fnt", Bytes("second")},
        {"empty.bin", {}},
    }));
    PackFile pack(path, &log, &memory);
    for (const char* name : {"data\\fonts\\main.fnt", "DATA\\FONTS\\MAIN.FNT", "Data\\Fonts\\Main.FNT"}) {
        SCOPED_TRACE(name);
        uint32_t size = 0;
        ASSERT_TRUE(pack.GetSize(name, size));
        EXPECT_EQ(size, 4u);
        std::string data(size, '\0');
        ASSERT_TRUE(pack.Read(data.data(), name));
        EXPECT_EQ(data, "font");
    }
    EXPECT_FALSE(pack.Contains("data/fonts/main.fnt"));
    uint32_t size = 1;
    EXPECT_TRUE(pack.GetSize("EMPTY.BIN", size));
    EXPECT_EQ(size, 0u);
}

// Non-ASCII bytes are never case-folded, so the result cannot depend on the current code page.
TEST_F(PackFileTest, CaseFoldingIsAsciiOnly)
{
    for (Platform::CodePage page : {Platform::CodePage::C, Platform::CodePage::Windows1251}) {
        Platform::SetCodePage(page);
        EXPECT_EQ(PackFile::FoldName("ABC\\xyz\xC0\xDF.TXT"), "abc\\xyz\xC0\xDF.txt");
    }
    Platform::SetCodePage(Platform::CodePage::C);
}

TEST_F(PackFileTest, MembersOutsideTheArchiveAreDroppedAtOpen)
{
    std::vector<uint8_t> bytes =
        Pak::BuildPack({{"good.txt", Bytes("fine")}, {"long.txt", Bytes("abc")}, {"wrap.txt", Bytes("x")}});
    const size_t table = 17 + 10 + 10 + 10;
    PutU32(bytes, table + 8 + 4, 1000);               // long.txt: size past the end
    PutU32(bytes, table + 16, 0xFFFFFFF0u);            // wrap.txt: offset + size wraps in 32 bits
    PutU32(bytes, table + 16 + 4, 0x20);
    const std::string path = Save(bytes);
    PackFile pack(path, &log, &memory);
    EXPECT_TRUE(pack.Contains("good.txt"));
    EXPECT_FALSE(pack.Contains("long.txt"));
    EXPECT_FALSE(pack.Contains("wrap.txt"));
    size_t warnings = 0;
    for (const LogEntry& entry : log.GetEntries())
        warnings += entry.kind == 1;
    EXPECT_EQ(warnings, 2u);
    EXPECT_NE(LogText().find("long.txt"), std::string::npos);
}

TEST_F(PackFileTest, ListFilesMatchesUnderAFolder)
{
    const std::string path = Save(Pak::BuildPack({
        {"usersdata\\profiles\\a.prf", Bytes("1")},
        {"usersdata\\profiles\\old\\b.prf", Bytes("2")},
        {"usersdata\\profilesx\\c.prf", Bytes("3")},
        {"usersdata\\profiles\\d.txt", Bytes("4")},
    }));
    PackFile pack(path, &log, &memory);
    std::vector<std::string> list;
    pack.ListFiles(list, "*.PRF", "UsersData\\Profiles");
    EXPECT_EQ(list, (std::vector<std::string>{"usersdata\\profiles\\a.prf", "usersdata\\profiles\\old\\b.prf"}));

    list.clear();
    pack.ListFiles(list, "", "usersdata\\profiles\\");
    EXPECT_EQ(list.size(), 3u);
    list.clear();
    pack.ListFiles(list, "*", "");
    EXPECT_EQ(list.size(), 4u);
}

// Archives over 8 MiB are read from their stream, member by member, from any thread.
TEST_F(PackFileTest, LargeArchiveIsStreamedAndReadSafelyFromTwoThreads)
{
    std::vector<uint8_t> big(9 * 1024 * 1024);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<uint8_t>(i % 251);
    const std::vector<uint8_t> small = Bytes("tail member");
    const std::string path = Save(Pak::BuildPack({{"big.bin", big}, {"small.txt", small}}));
    PackFile pack(path, &log, &memory);

    auto reader = [&pack, &big, &small](bool ok[2]) {
        for (int round = 0; round < 3; ++round) {
            std::vector<uint8_t> a(big.size()), b(small.size());
            ok[0] = pack.Read(a.data(), "big.bin") && a == big;
            ok[1] = pack.Read(b.data(), "small.txt") && b == small;
        }
    };
    bool first[2] = {}, second[2] = {};
    std::thread other(reader, second);
    reader(first);
    other.join();
    EXPECT_TRUE(first[0] && first[1] && second[0] && second[1]);
}

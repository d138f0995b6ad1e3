#include "engine/core/files/FileTextual.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FilesTestSupport.h"
#include "platform/os/CodePage.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace VantoranEngine;

namespace {

class FileTextualTest : public ::testing::Test {
protected:
    std::unique_ptr<FileTextual> Open(const std::string& bytes)
    {
        const std::string path = folder / "text.txt";
        FilesTest::WriteText(path, bytes);
        return std::make_unique<FileTextual>(std::make_unique<FileBinary>(&memory, path, false, false, true),
                                             FileTextual::modeRead);
    }
    std::unique_ptr<FileTextual> OpenWrite(const std::string& path)
    {
        return std::make_unique<FileTextual>(std::make_unique<FileBinary>(&memory, path, true, false, true),
                                             FileTextual::modeWrite);
    }
    // Every result until the reader says false.
    std::vector<std::string> ReadAll(const std::string& bytes, bool word)
    {
        auto file = Open(bytes);
        std::vector<std::string> results;
        std::string text;
        while (file->ReadString(text, word)) {
            results.push_back(text);
            if (results.size() > 100)
                break;
        }
        EXPECT_TRUE(file->endOfFile);
        return results;
    }

    MessageManager log{"", "", "test", false, false};
    MemoryManager memory{&log};
    TempFolder folder;
};

using Texts = std::vector<std::string>;

} // namespace

TEST_F(FileTextualTest, ByteOrderMarkChoosesTheEncoding)
{
    struct Case {
        std::string bytes;
        int encoding;
        std::string firstLine;
    };
    const Case cases[] = {
        {std::string("\xFF\xFE" "a\0b\0", 6), FileTextual::encodingUtf16LittleEndian, "ab"},
        {std::string("\xFE\xFF" "\0a\0b", 6), FileTextual::encodingUtf16BigEndian, "ab"},
        {"\xEF\xBB\xBF" "ab", FileTextual::encodingUtf8, "ab"},
        {"\xEF\xBB" "A", FileTextual::encodingAnsi, "\xEF\xBB" "A"},
        {"x", FileTextual::encodingAnsi, "x"},
        {"", FileTextual::encodingAnsi, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        auto file = Open(c.bytes);
        EXPECT_EQ(file->GetEncoding(), c.encoding);
        std::string line;
        EXPECT_TRUE(file->ReadString(line, false));
        EXPECT_EQ(line, c.firstLine);
    }
}

TEST_F(FileTextualTest, LineAndWordReadingRules)
{
    struct Case {
        std::string bytes;
        bool word;
        Texts expected;
    };
    const Case cases[] = {
        {"x = 1 // note", false, {"x = 1 "}},
        {"a\r\nb\rc\nd", false, {"a", "b", "c", "d"}},
        {"a\r\n", false, {"a", ""}},
        {"", false, {""}},
        {"\r\n\r\n", false, {"", "", ""}},
        {"5 //comment words\n6", true, {"5", "", "6"}},
        {"5//x 6", true, {"5", "6"}},
        {"a  b\nc", true, {"a", "", "b", "c"}},
        {"a\r\nb", true, {"a", "", "b"}},
        {"//whole line\nk", true, {"", "k"}},
        {"\"quoted words\"", true, {"\"quoted", "words\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ReadAll(c.bytes, c.word), c.expected);
    }
}

TEST_F(FileTextualTest, Utf16LittleEndianLines)
{
    auto file = Open(std::string("\xFF\xFE" "a\0\r\0\n\0b\0", 10));
    std::string line;
    EXPECT_TRUE(file->ReadString(line, false));
    EXPECT_EQ(line, "a");
    EXPECT_TRUE(file->ReadString(line, false));
    EXPECT_EQ(line, "b");
    EXPECT_FALSE(file->ReadString(line, false));
}

// The reader refills its 1024-byte buffer; a line end split across the refill must count once.
TEST_F(FileTextualTest, LineEndSplitAcrossTheBufferRefill)
{
    const std::string first(1023, 'a');
    const std::string second(1500, 'b');
    EXPECT_EQ(ReadAll(first + "\r\n" + second + "\nz", false), (Texts{first, second, "z"}));
    const std::string spanning(2100, 'c');
    EXPECT_EQ(ReadAll("x\n" + spanning + "\r\ny", false), (Texts{"x", spanning, "y"}));
    const std::string exact(1024, 'd');
    EXPECT_EQ(ReadAll(exact, false), (Texts{exact}));
}

TEST_F(FileTextualTest, Utf8SequencesDecodeAndInvalidOnesBecomeReplacements)
{
    // é (2 bytes), € (3 bytes), an emoji (4 bytes) and a stray continuation byte.
    auto file = Open("\xEF\xBB\xBF" "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80z");
    std::u16string line;
    ASSERT_TRUE(file->ReadWideString(line, false));
    EXPECT_EQ(line, u"\u00E9\u20AC\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDz");
}

TEST_F(FileTextualTest, WideTextWithoutNarrowFormBecomesQuestionMarks)
{
    auto file = Open("\xEF\xBB\xBF" "a\xE2\x82\xAC" "b");
    std::string line;
    ASSERT_TRUE(file->ReadString(line, false));
    EXPECT_EQ(line, "a?b");
}

TEST_F(FileTextualTest, AnsiTextFollowsTheCurrentCodePage)
{
    struct Restore {
        ~Restore() { Platform::SetCodePage(Platform::CodePage::C); }
    } restore;
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    // "Кот", a no-break space (a blank in 1251) and "Ёж".
    auto file = Open("\xCA\xEE\xF2\xA0\xA8\xE6");
    std::u16string word;
    EXPECT_TRUE(file->ReadWideString(word, true));
    EXPECT_EQ(word, u"Кот");
    EXPECT_TRUE(file->ReadWideString(word, true));
    EXPECT_EQ(word, u"Ёж");
}

TEST_F(FileTextualTest, NumbersSkipEmptyWordsAndComments)
{
    auto file = Open("5 //comment words\n  -12\t7.5 // x\n\n3e1 junk");
    EXPECT_EQ(file->ReadInt(), 5);
    EXPECT_EQ(file->ReadInt(), -12);
    EXPECT_FLOAT_EQ(file->ReadFloat(), 7.5f);
    EXPECT_FLOAT_EQ(file->ReadFloat(), 30.0f);
    EXPECT_EQ(file->ReadInt(), 0); // "junk"
    EXPECT_EQ(file->ReadInt(), 0); // end of file
    EXPECT_FLOAT_EQ(file->ReadFloat(), 0.0f);
}

TEST_F(FileTextualTest, TextTokensTurnUnderscoresIntoBlanksAndEndWithFalse)
{
    auto file = Open("Main_Menu\n\n  Play");
    std::u16string token;
    EXPECT_TRUE(file->ReadTextToken(token));
    EXPECT_EQ(token, u"Main Menu");
    EXPECT_TRUE(file->ReadTextToken(token));
    EXPECT_EQ(token, u"Play");
    EXPECT_FALSE(file->ReadTextToken(token));
    EXPECT_EQ(token, u"");
}

TEST_F(FileTextualTest, ReadingAtTheEndGivesFalseAndAnEmptyResult)
{
    auto file = Open("only");
    std::string word;
    EXPECT_TRUE(file->ReadString(word, true));
    EXPECT_EQ(word, "only");
    EXPECT_FALSE(file->ReadString(word, true));
    EXPECT_EQ(word, "");
    std::u16string wide = u"left";
    EXPECT_FALSE(file->ReadWideString(wide, true));
    EXPECT_EQ(wide, u"");
}

TEST_F(FileTextualTest, WriterOutputEqualsItsInputPastTheBuffer)
{
    const std::string path = folder / "out.ini";
    std::string expected;
    {
        auto file = OpenWrite(path);
        for (int i = 0; i < 300; ++i) {
            const std::string line = "v_line_" + std::to_string(i) + " \xC0\xFF";
            file->WriteString(line);
            file->WriteNewLine();
            expected += line + "\r\n";
        }
        file->Close();
        EXPECT_EQ(FilesTest::ReadText(path), expected);
    }
    EXPECT_EQ(FilesTest::ReadText(path), expected);
    EXPECT_GT(expected.size(), 2048u);

    {
        auto file = OpenWrite(path);
        file->WriteString("short");
    }
    EXPECT_EQ(FilesTest::ReadText(path), "short");
}

TEST_F(FileTextualTest, AnInterruptedWriteKeepsTheOldFile)
{
    const std::string path = folder / "profile.txt";
    FilesTest::WriteText(path, "old contents");
    try {
        auto file = OpenWrite(path);
        file->WriteString(std::string(5000, 'n'));
        throw std::runtime_error("failed half-way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(FilesTest::ReadText(path), "old contents");
    EXPECT_EQ(FilesTest::CountEntries(std::filesystem::path(folder.Path())), 1u);
}

#include "engine/core/files/FileBinary.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FilesTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

using namespace VantoranEngine;
using FilesTest::ReadBytes;
using FilesTest::WriteBytes;

namespace {

class FileBinaryTest : public ::testing::Test {
protected:
    std::unique_ptr<FileBinary> OpenRead(const std::string& path, bool whole = false)
    {
        return std::make_unique<FileBinary>(&memory, path, false, whole, true);
    }
    std::unique_ptr<FileBinary> OpenWrite(const std::string& path)
    {
        return std::make_unique<FileBinary>(&memory, path, true, false, true);
    }

    MessageManager log{"", "", "test", false, false};
    MemoryManager memory{&log};
    TempFolder folder;
};

std::vector<uint8_t> Counting(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    return bytes;
}

std::string ReadErrorOf(FileBinary& file, uint32_t count)
{
    std::vector<uint8_t> sink(file.size + 16);
    try {
        file.Read(count, sink.data());
    } catch (const FileError& error) {
        return error.message;
    }
    return "no error";
}

} // namespace

// Whether a file is held in memory shows once the file on disk is cut short behind its back.
TEST_F(FileBinaryTest, FilesUpToEightMebibytesAreReadIntoMemoryLargerOnesAreStreamed)
{
    struct Case {
        uint32_t length;
        bool whole;
        bool inMemory;
    };
    const Case cases[] = {
        {8388608, false, true},
        {8388609, false, false},
        {8388609, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string path = folder / "big.bin";
        WriteBytes(path, Counting(c.length));
        auto file = OpenRead(path, c.whole);
        EXPECT_EQ(file->size, c.length);
        std::filesystem::resize_file(path, 0);

        uint8_t last = 0;
        ASSERT_TRUE(file->Seek(1, 1));
        if (c.inMemory) {
            file->Read(1, &last);
            EXPECT_EQ(last, Counting(c.length).back());
        } else {
            // The stream ran dry: a short read is an error, never silent success.
            EXPECT_EQ(ReadErrorOf(*file, 1), "Failed to read 1 bytes from \"" + path + "\" file");
        }
    }
}

TEST_F(FileBinaryTest, EmptyFileReadsNothing)
{
    const std::string path = folder / "empty.bin";
    WriteBytes(path, {});
    auto file = OpenRead(path);
    EXPECT_EQ(file->size, 0u);
    uint32_t got = 99;
    uint8_t byte = 0;
    file->Read(1, &byte, &got);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(ReadErrorOf(*file, 1), "Failed to read 1 bytes from \"" + path + "\" file");
}

TEST_F(FileBinaryTest, ShortReadWithCountIsNormalWithoutCountThrowsAfterCopying)
{
    const std::string path = folder / "six.bin";
    WriteBytes(path, {1, 2, 3, 4, 5, 6});
    auto file = OpenRead(path);
    file->Seek(2, 0);

    uint8_t buffer[10] = {};
    uint32_t got = 0;
    file->Read(10, buffer, &got);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(buffer[3], 6);
    EXPECT_EQ(file->position, 6u);

    file->Seek(3, 0);
    std::memset(buffer, 0, sizeof buffer);
    EXPECT_THROW(file->Read(10, buffer), FileError);
    EXPECT_EQ(buffer[2], 6); // what there was has been copied
    EXPECT_EQ(file->position, 6u);
}

// A huge count from a damaged file must not wrap the bounds test and copy past the content.
TEST_F(FileBinaryTest, HugeCountThrowsInsteadOfOverrunning)
{
    const std::string path = folder / "small.bin";
    WriteBytes(path, Counting(0x40));
    for (bool whole : {false, true}) {
        auto file = OpenRead(path, whole);
        ASSERT_TRUE(file->Seek(0x20, 0));
        EXPECT_EQ(ReadErrorOf(*file, 0xFFFFFFF0u), "Failed to read 4294967280 bytes from \"" + path + "\" file");
        EXPECT_EQ(file->position, 0x40u);
    }
}

TEST_F(FileBinaryTest, SeekClampsAndReportsIt)
{
    const std::string path = folder / "three.bin";
    WriteBytes(path, {1, 2, 3});
    struct Case {
        uint32_t start;
        int32_t offset;
        int origin;
        bool result;
        uint32_t position;
    };
    const Case cases[] = {
        {1, 0, 1, true, 3},  {0, 4, 0, false, 3}, {0, 5, 1, false, 0}, {0, 2, 1, true, 1},
        {0, 3, 0, true, 3},  {2, -1, 2, true, 1}, {1, -2, 2, false, 3}, {1, 1, 2, true, 2},
        {1, -1, 1, false, 3}, {2, 7, 9, true, 2},
    };
    auto file = OpenRead(path);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " " << c.offset << " " << c.origin);
        file->Seek(static_cast<int32_t>(c.start), 0);
        EXPECT_EQ(file->Seek(c.offset, c.origin), c.result);
        EXPECT_EQ(file->position, c.position);
    }
}

TEST_F(FileBinaryTest, WideStringsRoundTripInTheSharedEncoding)
{
    const std::string path = folder / "strings.bin";
    {
        auto file = OpenWrite(path);
        file->WriteWideString(u"");
        file->WriteWideString(u"Кот");
        file->Close();
    }
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{1, 0, 0, 4, 0x1A, 0x04, 0x3E, 0x04, 0x42, 0x04, 0, 0}));

    auto file = OpenRead(path);
    std::u16string text = u"old";
    file->ReadWideString(text);
    EXPECT_EQ(text, u"");
    file->ReadWideString(text);
    EXPECT_EQ(text, u"Кот");
    EXPECT_THROW(file->ReadWideString(text), FileError);
}

TEST_F(FileBinaryTest, NarrowStringsStopAtTheFirstNulAndSurviveOddCounts)
{
    const std::string path = folder / "narrow.bin";
    // "ab" with a NUL in the middle, a count of 0, three characters without a NUL, then a cut-off string.
    WriteBytes(path, {4, 'a', 'b', 0, 'c', 0, 3, 'x', 'y', 'z', 9, 'q'});
    auto file = OpenRead(path);
    std::string text;
    file->ReadString(text);
    EXPECT_EQ(text, "ab");
    file->ReadString(text);
    EXPECT_EQ(text, "");
    file->ReadString(text);
    EXPECT_EQ(text, "xyz");
    EXPECT_THROW(file->ReadString(text), FileError);
}

TEST_F(FileBinaryTest, OverlongWideStringIsRefusedAndTheWriteDiscarded)
{
    const std::string path = folder / "names.bin";
    WriteBytes(path, {42});
    {
        auto file = OpenWrite(path);
        file->WriteWideString(std::u16string(254, u'a'));
        EXPECT_THROW(file->WriteWideString(std::u16string(255, u'a')), FileError);
        EXPECT_THROW(file->Close(), FileError);
    }
    EXPECT_EQ(ReadBytes(path), std::vector<uint8_t>{42});
}

TEST_F(FileBinaryTest, HeaderIsPatchedAfterTheBody)
{
    const std::string path = folder / "patched.bin";
    auto file = OpenWrite(path);
    const uint32_t placeholder = 0, body = 0x11223344;
    file->Write(&placeholder, 4);
    file->Write(&body, 4);
    ASSERT_TRUE(file->Seek(0, 0));
    const uint32_t total = 8;
    file->Write(&total, 4);
    EXPECT_EQ(file->size, 8u);
    EXPECT_EQ(file->position, 4u);
    file->Close();
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{8, 0, 0, 0, 0x44, 0x33, 0x22, 0x11}));
}

TEST_F(FileBinaryTest, RelativeNamesLiveInTheProgramFolder)
{
    const std::string name = "file-binary-test-" + std::to_string(getpid()) + ".bin";
    const std::filesystem::path native = std::filesystem::path(GetApplicationDirectory()) / name;
    WriteBytes(native, {7, 8});
    {
        auto file = OpenRead(name);
        EXPECT_EQ(file->GetName(), name);
        EXPECT_EQ(file->size, 2u);
    }
    std::filesystem::remove(native);
    try {
        OpenRead(name);
        FAIL() << "opened a missing file";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message, "Failed to open \"" + name + "\" file");
    }
}

TEST_F(FileBinaryTest, FromMemoryCopiesTheCallersBytes)
{
    uint8_t bytes[3] = {5, 6, 7};
    FileBinary file(&memory, "member", false, false, false, true, bytes, 3);
    bytes[0] = 0;
    uint8_t first = 0;
    file.Read(1, &first);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(file.size, 3u);
}

// The shared little-endian reader: byte order, a float's raw bits, and a number cut short throws.
TEST_F(FileBinaryTest, NumbersAreLittleEndianAndACutNumberThrows)
{
    const uint8_t bytes[] = {0x7F, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x80, 0x3F, 0xAA};
    FileBinary file(&memory, "numbers", false, false, false, true, bytes, sizeof(bytes));
    EXPECT_EQ(file.ReadU8(), 0x7Fu);
    EXPECT_EQ(file.ReadU16(), 0x1234u);
    EXPECT_EQ(file.ReadU32(), 0x12345678u);
    EXPECT_EQ(file.ReadF32(), 1.0f);
    EXPECT_THROW(file.ReadU16(), FileError);
}

// Saves never destroy the previous file: it is replaced only once the new one is complete.
TEST_F(FileBinaryTest, WritingKeepsTheOldFileUntilTheNewOneIsComplete)
{
    const std::string path = folder / "save.bin";
    WriteBytes(path, {1, 2, 3});
    auto file = OpenWrite(path);
    const uint8_t fresh[2] = {9, 9};
    file->Write(fresh, 2);
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{1, 2, 3}));
    file->Close();
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{9, 9}));
    EXPECT_EQ(FilesTest::CountEntries(std::filesystem::path(folder.Path())), 1u);
    file.reset();
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{9, 9}));
}

TEST_F(FileBinaryTest, DestructorCommitsOnAPlainEndAndKeepsTheOldFileWhileUnwinding)
{
    const std::string path = folder / "save.bin";
    WriteBytes(path, {1});
    const uint8_t fresh = 2;
    {
        FileBinary file(&memory, path, true, false, true);
        file.Write(&fresh, 1);
    }
    EXPECT_EQ(ReadBytes(path), std::vector<uint8_t>{2});

    const uint8_t lost = 3;
    try {
        FileBinary file(&memory, path, true, false, true);
        file.Write(&lost, 1);
        throw std::runtime_error("the caller failed half-way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadBytes(path), std::vector<uint8_t>{2});
    EXPECT_EQ(FilesTest::CountEntries(std::filesystem::path(folder.Path())), 1u);
}

TEST_F(FileBinaryTest, DiscardedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    const std::string path = folder / "save.bin";
    WriteBytes(path, {1, 2});
    auto file = OpenWrite(path);
    const uint8_t fresh = 7;
    file->Write(&fresh, 1);
    file->Discard();
    EXPECT_NO_THROW(file->Discard());
    file.reset();
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(FilesTest::CountEntries(std::filesystem::path(folder.Path())), 1u);
}

TEST_F(FileBinaryTest, FailedReplacementIsReportedAndLeavesTheTargetAlone)
{
    // A folder with content cannot be replaced by a file.
    const std::string path = folder / "taken";
    WriteBytes(std::filesystem::path(folder.Path()) / "taken" / "inside.bin", {1});
    auto file = OpenWrite(path);
    const uint8_t byte = 4;
    file->Write(&byte, 1);
    try {
        file->Close();
        FAIL() << "replacing a folder succeeded";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message, "Failed to write 1 bytes from \"" + path + "\" file");
    }
    EXPECT_EQ(ReadBytes(std::filesystem::path(folder.Path()) / "taken" / "inside.bin"), std::vector<uint8_t>{1});
    EXPECT_EQ(FilesTest::CountEntries(std::filesystem::path(folder.Path())), 1u);
}

TEST_F(FileBinaryTest, WritingIntoAMissingFolderFailsToOpen)
{
    const std::string path = folder / "missing/save.bin";
    try {
        OpenWrite(path);
        FAIL() << "opened";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message, "Failed to open \"" + path + "\" file");
    }
}

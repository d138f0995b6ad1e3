#include "framework/VersionedFile.h"

#include "engine/core/Error.h"
#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

using FrameworkTest::Bytes;
using GameFramework::VersionedFile;
using VantoranEngine::FileError;

namespace {

class VersionedFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return services.UserRoot() + "/" + name; }

    // The message of the error that opening `path` for reading gives, or "accepted".
    std::string ReadError(const std::string& path, uint32_t expectedVersion = 107)
    {
        VersionedFile file(&services.files, "PWPRF", expectedVersion);
        try {
            file.Open(path, VersionedFile::Mode::Read);
        } catch (const FileError& error) {
            return error.message;
        }
        return "accepted";
    }

    // Writes a small body of every kind of value.
    static void WriteBody(VersionedFile& file)
    {
        file.WriteWide(u"Anna");
        file.WriteI32(-7);
        file.WriteU8(1);
        file.WriteF32(0.5f);
        file.WriteU32(0xA1B2C3D4u);
    }

    FrameworkTest::FileServices services;
};

} // namespace

TEST_F(VersionedFileTest, WrittenFileCarriesItsSizeMagicAndVersionAndReadsBack)
{
    const std::string path = Path("a.bin");
    VersionedFile file(&services.files, "PWPRF-ignored", 107);
    file.Open(path, VersionedFile::Mode::Write);
    WriteBody(file);
    file.Close();

    Bytes body;
    body.Wide(u"Anna").U32(static_cast<uint32_t>(-7)).U8(1).F32(0.5f).U32(0xA1B2C3D4u);
    EXPECT_EQ(FrameworkTest::ReadBytes(path), body.WithHeader("PWPRF", 107));

    file.Open(path, VersionedFile::Mode::Read);
    EXPECT_EQ(file.ReadWide(), u"Anna");
    EXPECT_EQ(file.ReadI32(), -7);
    EXPECT_TRUE(file.ReadBool());
    EXPECT_EQ(file.ReadF32(), 0.5f);
    EXPECT_EQ(file.BytesLeft(), 4u);
    EXPECT_EQ(file.ReadU32(), 0xA1B2C3D4u);
    EXPECT_THROW(file.ReadU8(), FileError);
}

TEST_F(VersionedFileTest, HeaderChecksGiveTheFormatOrTheVersionMessage)
{
    const std::vector<uint8_t> good = Bytes().U32(5).WithHeader("PWPRF", 107);
    std::vector<uint8_t> longer = good, shorter = good, magic = good, older = good, newer = good;
    longer.push_back(0);
    shorter.pop_back();
    magic[8] = 'G';
    older[9] = 106;
    newer[9] = 108;

    const std::string format = "Incorrect \"" + Path("f.bin") + "\" file format";
    const std::string version = "Incorrect \"" + Path("f.bin") + "\" format version, current is 107";
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string message;
    } cases[] = {
        {"good", good, "accepted"},
        {"one byte longer", longer, format},
        {"one byte shorter", shorter, format},
        {"other magic", magic, format},
        {"older version", older, version},
        {"newer version", newer, version},
        {"shorter than a header", {13, 0, 0, 0, 'P'}, "Failed to read 5 bytes from \"" + Path("f.bin") + "\" file"},
    };
    for (const auto& c : cases) {
        FrameworkTest::WriteBytes(Path("f.bin"), c.bytes);
        EXPECT_EQ(ReadError(Path("f.bin")), c.message) << c.what;
    }
    EXPECT_EQ(ReadError(Path("missing.bin")), "Failed to open \"" + Path("missing.bin") + "\" file");
}

TEST_F(VersionedFileTest, SecondOpenCompletesTheFirstFileAndClosingTwiceDoesNothing)
{
    VersionedFile file(&services.files, "GFHSF", 100);
    file.Close();
    file.Open(Path("first.bin"), VersionedFile::Mode::Write);
    file.WriteU32(1);
    file.WriteU32(2);
    file.Open(Path("second.bin"), VersionedFile::Mode::Write);
    EXPECT_EQ(FrameworkTest::ReadBytes(Path("first.bin")), Bytes().U32(1).U32(2).WithHeader("GFHSF", 100));
    file.Close();
    file.Close();
    EXPECT_TRUE(file.CloseQuietly());
    EXPECT_EQ(FrameworkTest::ReadBytes(Path("second.bin")), Bytes().WithHeader("GFHSF", 100));
}

// A write that fails at any byte (header, body or the final header patch) leaves the previous file as
// it was, removes the half-written one and closes the wrapper.
TEST_F(VersionedFileTest, FailedWriteAtAnyPointKeepsThePreviousFile)
{
    const std::string path = Path("save.bin");
    {
        VersionedFile file(&services.files, "PWPRF", 107);
        file.Open(path, VersionedFile::Mode::Write);
        file.WriteU32(42);
    }
    const std::vector<uint8_t> previous = FrameworkTest::ReadBytes(path);
    ASSERT_EQ(previous, Bytes().U32(42).WithHeader("PWPRF", 107));

    const uint32_t total = 13 + 24 + 13; // header, body, header patch
    for (uint32_t limit = 0; limit < total; ++limit) {
        VersionedFile::InjectWriteFailure(limit);
        VersionedFile file(&services.files, "PWPRF", 107);
        EXPECT_THROW(
            {
                file.Open(path, VersionedFile::Mode::Write);
                WriteBody(file);
                file.Close();
            },
            FileError)
            << "fault at byte " << limit;
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(FrameworkTest::ReadBytes(path), previous) << "fault at byte " << limit;
        EXPECT_EQ(FrameworkTest::CountEntries(services.UserRoot()), 1u) << "fault at byte " << limit;
    }
    VersionedFile::InjectWriteFailure(total);
    VersionedFile file(&services.files, "PWPRF", 107);
    file.Open(path, VersionedFile::Mode::Write);
    WriteBody(file);
    file.Close();
    EXPECT_EQ(FrameworkTest::ReadBytes(path).size(), total - 13);
}

TEST_F(VersionedFileTest, CountsAreCheckedAgainstTheBytesLeft)
{
    FrameworkTest::WriteBytes(Path("c.bin"), Bytes().U32(2).U32(0).U32(0).WithHeader("PWPMF", 102));
    VersionedFile file(&services.files, "PWPMF", 102);
    file.Open(Path("c.bin"), VersionedFile::Mode::Read);
    const uint32_t count = file.ReadU32();
    EXPECT_NO_THROW(file.CheckCount(count, 4));
    EXPECT_THROW(file.CheckCount(count + 1, 4), FileError);
    EXPECT_THROW(file.CheckCount(0xFFFFFFFFu, 12), FileError);
}

TEST_F(VersionedFileTest, DestroyedWrapperCompletesItsWrittenFile)
{
    {
        VersionedFile file(&services.files, "GFHSF", 100);
        file.Open(Path("d.bin"), VersionedFile::Mode::Write);
        file.WriteU32(9);
    }
    EXPECT_EQ(FrameworkTest::ReadBytes(Path("d.bin")), Bytes().U32(9).WithHeader("GFHSF", 100));
}

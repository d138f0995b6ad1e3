#include "engine/core/files/FileManager.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileTextual.h"
#include "engine/core/files/FilesTestSupport.h"
#include "platform/os/Path.h"
#include "tools/pak/PackWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace VantoranEngine;
namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string Content(FileBinary& file)
{
    std::string text(file.size, '\0');
    file.Read(file.size, text.data());
    return text;
}

class FileManagerTest : public ::testing::Test {
protected:
    FileManagerTest()
    {
        base = folder / "Game";
        program = folder / "program";
        fs::create_directories(base);
        fs::create_directories(program);
        Platform::OverrideModuleFileName(program + "/game.exe");
    }
    ~FileManagerTest() override { Platform::OverrideModuleFileName(""); }

    void WritePack(const std::string& path, const std::vector<Pak::Member>& members)
    {
        FilesTest::WriteBytes(path, Pak::BuildPack(members));
    }
    std::unique_ptr<FileManager> Make(const std::string& baseFolder, const std::string& packSub)
    {
        return std::make_unique<FileManager>(&log, &memory, baseFolder, packSub);
    }
    std::string OpenError(FileManager& files, const std::string& name)
    {
        try {
            files.OpenBinary(name, false);
        } catch (const FileError& error) {
            return error.message;
        }
        return "opened";
    }

    MessageManager log{"", "", "test", false, false};
    MemoryManager memory{&log};
    TempFolder folder;
    std::string base, program;
};

} // namespace

TEST_F(FileManagerTest, DiskBeatsPackAndThePackServesWhenTheDiskFileIsGone)
{
    WritePack(base + "/Data/main.pak", {{"Textures\\Wall.JPG", Bytes("packed")}});
    FilesTest::WriteText(base + "/textures/wall.jpg", "disk");
    auto files = Make(base, "Data");
    EXPECT_EQ(log.GetEntries().front().text, "Initialization of File Manager...\n");

    EXPECT_EQ(Content(*files->OpenBinary("textures\\wall.jpg", false)), "disk");
    fs::remove(base + "/textures/wall.jpg");
    EXPECT_EQ(Content(*files->OpenBinary("textures\\wall.jpg", false)), "packed");
    EXPECT_EQ(Content(*files->OpenBinary("Textures\\\\\\Wall.JPG", false)), "packed");
    EXPECT_TRUE(files->Exists("TEXTURES\\\\WALL.jpg"));

    // Forward slashes find disk files only.
    EXPECT_FALSE(files->Exists("textures/wall.jpg"));
    EXPECT_EQ(OpenError(*files, "textures/wall.jpg"), "Failed to open \"" + base + "\\textures/wall.jpg\" file");
    EXPECT_EQ(OpenError(*files, "nowhere.txt"), "Failed to open \"" + base + "\\nowhere.txt\" file");
    FilesTest::WriteText(base + "/textures/other.jpg", "x");
    EXPECT_TRUE(files->Exists("textures/other.jpg"));
}

TEST_F(FileManagerTest, TextFilesComeFromPacksToo)
{
    WritePack(base + "/texts.pak", {{"data\\menu.txt", Bytes("Main_Menu 5\r\n")}});
    auto files = Make(base, "");
    auto text = files->OpenTextual("data\\menu.txt", false);
    std::u16string token;
    ASSERT_TRUE(text->ReadTextToken(token));
    EXPECT_EQ(token, u"Main Menu");
    EXPECT_EQ(text->ReadInt(), 5);
}

TEST_F(FileManagerTest, PacksComeFromTheBaseOrItsSubFolderAndTheProgramFolderByDefault)
{
    WritePack(program + "/a.pak", {{"in-program.txt", Bytes("1")}});
    WritePack(base + "/b.pak", {{"in-base.txt", Bytes("2")}});
    WritePack(base + "/Sub/c.pak", {{"in-sub.txt", Bytes("3")}});
    WritePack(base + "/Sub/deeper/d.pak", {{"too-deep.txt", Bytes("4")}});

    auto byDefault = Make("", "");
    EXPECT_EQ(byDefault->GetBaseFolder(), program);
    EXPECT_TRUE(byDefault->Exists("in-program.txt"));
    EXPECT_FALSE(byDefault->Exists("in-base.txt"));

    auto inBase = Make(base, "");
    EXPECT_TRUE(inBase->Exists("in-base.txt"));
    EXPECT_FALSE(inBase->Exists("in-sub.txt"));

    auto inSub = Make(base, "sub");
    EXPECT_TRUE(inSub->Exists("in-sub.txt"));
    EXPECT_FALSE(inSub->Exists("too-deep.txt"));
}

TEST_F(FileManagerTest, ABrokenPackIsSkippedAndTheOthersStillCount)
{
    FilesTest::WriteText(base + "/a-broken.pak", "not an archive at all");
    WritePack(base + "/b-good.pak", {{"x.txt", Bytes("x")}});
    auto files = Make(base, "");
    EXPECT_TRUE(files->Exists("x.txt"));
    bool refused = false;
    for (const LogEntry& entry : log.GetEntries())
        refused = refused || entry.text == "Error: Incorrect pack file format!\n";
    EXPECT_TRUE(refused);
}

// A packed member that cannot be read is a FileError for the caller, never a crash or bad bytes.
TEST_F(FileManagerTest, UnreadablePackedMemberIsAFileError)
{
    std::vector<uint8_t> big(9 * 1024 * 1024, 7);
    WritePack(base + "/big.pak", {{"big.bin", big}});
    auto files = Make(base, "");
    fs::resize_file(base + "/big.pak", 1000);
    EXPECT_EQ(OpenError(*files, "big.bin"),
              "Failed to read " + std::to_string(big.size()) + " bytes from \"" + base + "\\big.pak\" file");
}

TEST_F(FileManagerTest, WritingCreatesTheFoldersAndReplacesTheOldFileOnlyWhenComplete)
{
    auto files = Make(base, "");
    {
        auto file = files->OpenBinary("Out\\Shots\\a.tga", true);
        const uint8_t byte = 1;
        file->Write(&byte, 1);
        file->Close();
    }
    EXPECT_EQ(FilesTest::ReadBytes(base + "/Out/Shots/a.tga"), std::vector<uint8_t>{1});

    const std::string absolute = folder / "elsewhere\\deep\\b.ini";
    {
        auto text = files->OpenTextual(absolute, true);
        text->WriteString("v_mode 800x600x32");
        text->WriteNewLine();
        text->Close();
    }
    EXPECT_EQ(FilesTest::ReadText(folder / "elsewhere/deep/b.ini"), "v_mode 800x600x32\r\n");
}

TEST_F(FileManagerTest, FindFilesRecursesOnlyIntoFoldersMatchingTheMask)
{
    FilesTest::WriteText(base + "/Profiles/b.prf", "");
    FilesTest::WriteText(base + "/Profiles/A.prf", "");
    FilesTest::WriteText(base + "/Profiles/c.txt", "");
    FilesTest::WriteText(base + "/Profiles/sub/d.prf", "");
    FilesTest::WriteText(base + "/Profiles/odd.prf/e.prf", "");

    std::vector<std::string> list;
    FileManager::FindFiles(base + "\\Profiles", "*.prf", list);
    EXPECT_EQ(list, (std::vector<std::string>{base + "\\Profiles\\A.prf", base + "\\Profiles\\b.prf",
                                              base + "\\Profiles\\odd.prf\\e.prf"}));

    list.clear();
    FileManager::FindFiles(base + "\\Profiles\\", "*", list);
    EXPECT_EQ(list.size(), 5u);
}

TEST_F(FileManagerTest, ListFilesJoinsDiskAndPacksWithoutDuplicates)
{
    FilesTest::WriteText(base + "/usersdata/profiles/disk.prf", "");
    WritePack(base + "/a.pak", {{"UsersData\\Profiles\\one.prf", Bytes("1")}});
    WritePack(base + "/b.pak", {{"usersdata\\profiles\\ONE.prf", Bytes("2")}, {"usersdata\\profiles\\two.prf", {}}});
    auto files = Make(base, "");
    std::vector<std::string> list;
    files->ListFiles("usersdata\\profiles", list, "*.prf");
    EXPECT_EQ(list, (std::vector<std::string>{base + "\\usersdata\\profiles\\disk.prf", "usersdata\\profiles\\one.prf",
                                              "usersdata\\profiles\\two.prf"}));
}

TEST_F(FileManagerTest, DeleteDirectoryRemovesTreesAndFilesButRefusesDangerousPaths)
{
    FilesTest::WriteText(base + "/tree/a/b/c.txt", "x");
    FilesTest::WriteText(base + "/single.prf", "x");
    EXPECT_TRUE(FileManager::DeleteDirectory(base + "\\TREE"));
    EXPECT_FALSE(fs::exists(base + "/tree"));
    EXPECT_TRUE(FileManager::DeleteDirectory(base + "\\single.prf"));
    EXPECT_FALSE(fs::exists(base + "/single.prf"));

    FilesTest::WriteText(program + "/keep.txt", "x");
    for (const std::string& path : {std::string(""), std::string("/"), std::string("C:\\"), program, program + "\\",
                                    std::string(".")}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(FileManager::DeleteDirectory(path));
    }
    EXPECT_TRUE(fs::exists(program + "/keep.txt"));

    // A long path has no fixed limit.
    std::string deep = base;
    for (int i = 0; i < 30; ++i)
        deep += "/folder-with-a-long-name";
    FilesTest::WriteText(deep + "/f.txt", "x");
    EXPECT_TRUE(FileManager::DeleteDirectory(base + "\\folder-with-a-long-name"));
    EXPECT_FALSE(fs::exists(base + "/folder-with-a-long-name"));
}

TEST_F(FileManagerTest, RelativePathsOfTheDiskHelpersResolveAgainstTheProgramFolder)
{
    FilesTest::WriteText(program + "/Shots/picture000.jpg", "x");
    EXPECT_TRUE(FileManager::ExistsOnDisk("shots\\picture000.jpg"));
    EXPECT_TRUE(FileManager::ExistsOnDisk(program + "\\shots"));
    EXPECT_FALSE(FileManager::ExistsOnDisk("shots\\picture001.jpg"));
    EXPECT_EQ(FileManager::GetAbsolutePath("shots"), program + "\\shots");
    EXPECT_EQ(FileManager::GetAbsolutePath("C:\\x"), "C:\\x");
    EXPECT_EQ(FileManager::GetAbsolutePath("/abs/x"), "/abs/x");
}

TEST_F(FileManagerTest, PathStringOperations)
{
    EXPECT_EQ(FileManager::GetExtension("model"), "");
    EXPECT_EQ(FileManager::GetExtension("a.b.jpg"), "b.jpg");
    EXPECT_EQ(FileManager::GetExtension("data\\x.mlf"), "mlf");
    // A dot in a folder on the way is not the file's extension.
    EXPECT_EQ(FileManager::GetExtension("/home/a/.local/share\\ScreenCaptures\\picture000.tga"), "tga");
    EXPECT_EQ(FileManager::GetExtension("/tmp/tmp.X1/model"), "");

    struct Change {
        const char* name;
        const char* result;
    };
    for (const Change& c : {Change{"model", "model.psf"}, Change{"a.b.c", "a.psf"}, Change{"x.", "x.psf"},
                          Change{"/tmp/a.b/model", "/tmp/a.b/model.psf"}}) {
        std::string name = c.name;
        FileManager::ChangeExtension(name, "psf");
        EXPECT_EQ(name, c.result);
    }

    EXPECT_EQ(FileManager::GetDirectory("data\\levels\\a.ini"), "data\\levels");
    EXPECT_EQ(FileManager::GetDirectory("a.ini"), "");
    EXPECT_EQ(FileManager::GetDataPath("ui\\Button.jpg"), "data\\ui\\Button.jpg");
    EXPECT_EQ(FileManager::GetDataPath("C:\\x.jpg"), "C:\\x.jpg");
    EXPECT_EQ(FileManager::GetDataPath("/opt/x.jpg"), "/opt/x.jpg");
}

#include "platform/os/Path.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string Backslashed(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

TEST(Path, AbsoluteNames)
{
    struct Case {
        const char* name;
        bool absolute;
    } const cases[] = {
        {"/home/u", true}, {"C:\\Logs", true}, {"c:", true}, {"logs", false},
        {"", false},       {"\\x", false},     {"ab:", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Platform::IsAbsolutePath(c.name), c.absolute) << c.name;
}

TEST(Path, ResolvesComponentsWithoutCaseAndKeepsMissingOnes)
{
    TempFolder tmp;
    tmp.WriteFile("Data/Levels/Stages_Info.ini", "x");
    const std::string root = Backslashed(tmp.Path());
    struct Case {
        std::string name;
        std::string native;
    } const cases[] = {
        {root + "\\data\\levels\\stages_info.INI", tmp / "Data/Levels/Stages_Info.ini"},
        {root + "\\\\DATA//levels\\\\\\", tmp / "Data/Levels"},
        {root + "\\data\\new\\file.txt", tmp / "Data/new/file.txt"},
        {"C:" + root + "\\Data", tmp / "Data"},
        {"C:\\", "/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Platform::ToNativePath(c.name), c.native) << c.name;
    EXPECT_EQ(Platform::ToNativePath(""), "");
}

TEST(Path, OpenCreateAndExist)
{
    TempFolder tmp;
    tmp.WriteFile("Saves/a.bin", "abc");
    std::FILE* f = Platform::OpenFile(Backslashed(tmp.Path()) + "\\SAVES\\A.BIN", "rb");
    ASSERT_NE(f, nullptr);
    char buffer[4] = {};
    EXPECT_EQ(std::fread(buffer, 1, 3, f), 3u);
    std::fclose(f);
    EXPECT_STREQ(buffer, "abc");

    EXPECT_TRUE(Platform::CreateDirectories(tmp.Path() + "\\saves\\x\\y"));
    EXPECT_TRUE(std::filesystem::is_directory(tmp / "Saves/x/y"));
    EXPECT_TRUE(Platform::CreateDirectory(tmp.Path() + "\\saves\\x")); // existing is fine
    EXPECT_TRUE(Platform::FileExists(tmp.Path() + "\\saves\\a.bin"));
    EXPECT_FALSE(Platform::FileExists(tmp.Path() + "\\saves"));
    EXPECT_TRUE(Platform::DirectoryExists(tmp.Path() + "\\saves"));
    EXPECT_EQ(Platform::OpenFile(tmp.Path() + "\\missing\\a.bin", "rb"), nullptr);

    std::FILE* temp = Platform::OpenFile(tmp.Path() + "\\saves\\a.bin.tmp", "wb");
    ASSERT_NE(temp, nullptr);
    std::fputs("new", temp);
    EXPECT_TRUE(Platform::SyncFile(temp));
    std::fclose(temp);
    EXPECT_TRUE(Platform::RenameFile(tmp.Path() + "\\saves\\a.bin.tmp", tmp.Path() + "\\SAVES\\A.bin"));
    EXPECT_EQ(TempFolder::ReadFile(tmp / "Saves/a.bin"), "new");
    EXPECT_FALSE(Platform::RenameFile(tmp.Path() + "\\saves\\gone", tmp.Path() + "\\saves\\a.bin"));
    EXPECT_TRUE(Platform::DeleteFile(tmp.Path() + "\\saves\\A.BIN"));
    EXPECT_FALSE(Platform::FileExists(tmp / "Saves/a.bin"));
}

TEST(Path, MasksMatchWithoutCase)
{
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    } const cases[] = {
        {"a.pak", "*.pak", true},  {"A.PAK", "*.pak", true},  {"a.pak.bak", "*.pak", false},
        {"x.prf", "?.prf", true},  {"xy.prf", "?.prf", false}, {"anything", "*", true},
        {"", "*", true},           {"abc", "a*c*", true},      {"abd", "a*c", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Platform::MatchMask(c.name, c.mask), c.match) << c.name << " " << c.mask;
}

TEST(Path, FindFilesSortsWithoutCase)
{
    TempFolder tmp;
    for (const char* name : {"b.pak", "A.pak", "c.PAK", "d.txt"})
        tmp.WriteFile(name, "");
    std::filesystem::create_directory(tmp / "Z.pak");
    std::vector<std::string> names;
    for (const auto& f : Platform::FindFiles(tmp.Path(), "*.pak", Platform::FindKind::Files))
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A.pak", "b.pak", "c.PAK"}));
    const auto folders = Platform::FindFiles(tmp.Path(), "*", Platform::FindKind::Directories);
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_TRUE(folders[0].isDirectory);
    EXPECT_TRUE(Platform::FindFiles(tmp / "missing", "*", Platform::FindKind::Both).empty());
}

TEST(Path, DeleteDirectoryRemovesTreeButNotLinkTargets)
{
    TempFolder tmp;
    tmp.WriteFile("keep/k.txt", "k");
    tmp.WriteFile("Gone/sub/a.txt", "a");
    std::filesystem::create_directory_symlink(tmp / "keep", tmp / "Gone/link");
    EXPECT_TRUE(Platform::DeleteDirectory(tmp.Path() + "\\gone"));
    EXPECT_FALSE(std::filesystem::exists(tmp / "Gone"));
    EXPECT_TRUE(std::filesystem::exists(tmp / "keep/k.txt"));
    EXPECT_FALSE(Platform::DeleteDirectory(tmp.Path() + "\\gone"));
}

TEST(Path, DeleteDirectoryRefusesDangerousNames)
{
    TempFolder tmp;
    tmp.WriteFile("prog/game", "");
    tmp.WriteFile("data/Quorvane/Brindlemoor/x", "");
    Platform::OverrideModuleFileName(tmp / "prog/game");
    setenv("XDG_DATA_HOME", (tmp / "data").c_str(), 1);
    const std::string userData = Platform::GetUserDataDirectory("Quorvane", "Brindlemoor", true);
    EXPECT_EQ(userData, tmp / "data/Quorvane/Brindlemoor");
    for (const std::string& name : {std::string(), std::string("/"), std::string("C:\\"), tmp / "prog",
                                    tmp.Path(), userData, tmp / "data", tmp / "data/Quorvane"})
        EXPECT_FALSE(Platform::DeleteDirectory(name)) << name;
    EXPECT_TRUE(std::filesystem::exists(tmp / "prog/game"));
    EXPECT_TRUE(std::filesystem::exists(userData + "/x"));
    unsetenv("XDG_DATA_HOME");
    Platform::OverrideModuleFileName("");
}

TEST(Path, ProgramAndUserDataFolders)
{
    EXPECT_TRUE(Platform::IsAbsolutePath(Platform::GetModuleFileName()));
    EXPECT_TRUE(std::filesystem::is_directory(Platform::GetProgramDirectory()));

    TempFolder tmp;
    Platform::OverrideModuleFileName("/opt/brindlemoor/game");
    EXPECT_EQ(Platform::GetProgramDirectory(), "/opt/brindlemoor");
    Platform::OverrideModuleFileName("");

    setenv("XDG_DATA_HOME", tmp.Path().c_str(), 1);
    const std::string folder = Platform::GetUserDataDirectory("Quorvane", "Brindlemoor", true);
    EXPECT_EQ(folder, tmp / "Quorvane/Brindlemoor");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    unsetenv("XDG_DATA_HOME");
}

TEST(Path, RegistryValuesFromOptionalFile)
{
    TempFolder tmp;
    setenv("XDG_CONFIG_HOME", tmp.Path().c_str(), 1);
    std::string value = "untouched";
    EXPECT_FALSE(Platform::ReadRegistryValue("Quorvane", "Brindlemoor", "Version", value));
    tmp.WriteFile("Quorvane/Brindlemoor/registry.ini", "Version 100\r\n  InstallPath   /opt/my game  \n");
    EXPECT_TRUE(Platform::ReadRegistryValue("Quorvane", "Brindlemoor", "version", value));
    EXPECT_EQ(value, "100");
    EXPECT_TRUE(Platform::ReadRegistryValue("Quorvane", "Brindlemoor", "InstallPath", value));
    EXPECT_EQ(value, "/opt/my game");
    EXPECT_FALSE(Platform::ReadRegistryValue("Quorvane", "Brindlemoor", "Missing", value));
    unsetenv("XDG_CONFIG_HOME");
}

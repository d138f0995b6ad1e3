#include "tools/pak/PackWriter.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Tool(const std::vector<std::string>& arguments)
{
    std::ostringstream out, err;
    const int code = Pak::RunPak(arguments, out, err);
    return {code, out.str(), err.str()};
}

// Every regular file under a folder, by relative path with '/', with its bytes.
std::map<std::string, std::string> Tree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_string()] = TempFolder::ReadFile(entry.path());
    }
    return files;
}

} // namespace

TEST(PakTool, CreateListExtractGivesBackTheSameBytes)
{
    TempFolder folder;
    std::string binary(70000, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 31);
    folder.WriteFile("src/data/ui/Button.jpg", binary);
    folder.WriteFile("src/data/levels/stages_info.ini", "stage 1\r\n");
    folder.WriteFile("src/empty.txt", "");
    folder.WriteFile("src/Readme.TXT", "read me");

    const Outcome create = Tool({"create", folder / "out.pak", folder / "src"});
    ASSERT_EQ(create.code, 0) << create.err;

    const Outcome list = Tool({"list", folder / "out.pak"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_EQ(list.out, "data\\levels\\stages_info.ini 9\n"
                        "data\\ui\\button.jpg 70000\n"
                        "empty.txt 0\n"
                        "readme.txt 7\n");

    const Outcome extract = Tool({"extract", folder / "out.pak", folder / "back"});
    ASSERT_EQ(extract.code, 0) << extract.err;
    EXPECT_EQ(Tree(folder / "back"), Tree(folder / "src"));
}

TEST(PakTool, RelativePathsMeanTheWorkingFolder)
{
    TempFolder folder;
    folder.WriteFile("src/a.txt", "a");
    const fs::path before = fs::current_path();
    fs::current_path(folder.Path());
    const Outcome create = Tool({"create", "rel.pak", "src"});
    const Outcome list = Tool({"list", "rel.pak"});
    const Outcome extract = Tool({"extract", "rel.pak", "out"});
    fs::current_path(before);
    EXPECT_EQ(create.code, 0) << create.err;
    EXPECT_EQ(list.out, "a.txt 1\n") << list.err;
    EXPECT_EQ(extract.code, 0) << extract.err;
    EXPECT_EQ(TempFolder::ReadFile(folder / "out/a.txt"), "a");
}

TEST(PakTool, ArchiveInsideItsOwnFolderIsNotPackedAgain)
{
    TempFolder folder;
    folder.WriteFile("a.txt", "a");
    ASSERT_EQ(Tool({"create", folder / "self.pak", folder.Path()}).code, 0);
    ASSERT_EQ(Tool({"create", folder / "self.pak", folder.Path()}).code, 0);
    EXPECT_EQ(Tool({"list", folder / "self.pak"}).out, "a.txt 1\n");
}

TEST(PakTool, MalformedArchivesAreRefusedWithTheEngineTexts)
{
    TempFolder folder;
    std::vector<uint8_t> bytes = Pak::BuildPack({{"a.txt", {'a'}}});
    bytes[9] = 101;
    const std::string path = folder / "bad.pak";
    folder.WriteFile("bad.pak", std::string(bytes.begin(), bytes.end()));
    for (const char* command : {"list", "extract"}) {
        SCOPED_TRACE(command);
        const Outcome run = command == std::string("list") ? Tool({command, path}) : Tool({command, path, folder / "x"});
        EXPECT_NE(run.code, 0);
        EXPECT_EQ(run.err, "...Pack file " + path + " found...\n......Error: Incorrect pack file version, current is 100!\n");
    }
    EXPECT_FALSE(fs::exists(folder / "x"));
}

TEST(PakTool, ExtractRefusesNamesThatLeaveTheFolder)
{
    TempFolder folder;
    for (const char* name : {"..\\evil.txt", "a\\..\\..\\evil.txt", "\\abs.txt", "C:\\x.txt"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = Pak::BuildPack({{name, {'x'}}});
        folder.WriteFile("evil.pak", std::string(bytes.begin(), bytes.end()));
        const Outcome run = Tool({"extract", folder / "evil.pak", folder / "out"});
        EXPECT_NE(run.code, 0);
        EXPECT_NE(run.err.find("is not a plain relative path"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(folder / "evil.txt"));
    EXPECT_FALSE(fs::exists(fs::path(folder.Path()).parent_path() / "evil.txt"));
}

TEST(PakTool, BadCommandLinesShowTheUsage)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"list"}, {"create", "x.pak"}, {"unpack", "a", "b"}}) {
        const Outcome run = Tool(arguments);
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find("usage: pak create OUT.pak ROOT"), std::string::npos);
    }
    TempFolder folder;
    const Outcome missing = Tool({"create", folder / "x.pak", folder / "no-such-folder"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(fs::exists(folder / "x.pak"));
}

TEST(PakTool, OverlongMemberNamesAreRefused)
{
    EXPECT_THROW(Pak::BuildPack({{std::string(255, 'n'), {}}}), std::runtime_error);
    EXPECT_NO_THROW(Pak::BuildPack({{std::string(254, 'n'), {}}}));
}

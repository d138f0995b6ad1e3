// The board's rules stay headless: no file of game/board/model may include a render, GUI, sound device
// or platform header, nor the presentation beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path ModelFolder()
{
    return std::filesystem::path(BRINDLE_SOURCE_FOLDER) / "game" / "board" / "model";
}

// The reason an include line crosses the wall, or "" when it does not.
std::string Crossing(const std::string& line)
{
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 1, "#") != 0 || line.find("include") == std::string::npos)
        return "";
    const char* forbidden[] = {"engine/render/", "platform/", "SDL", "GL/", "game/screens/", "game/app/"};
    for (const char* f : forbidden)
        if (line.find(f) != std::string::npos)
            return f;
    const auto board = line.find("game/board/");
    if (board != std::string::npos && line.compare(board, 17, "game/board/model/") != 0)
        return "game/board presentation";
    return "";
}

} // namespace

TEST(ModelWallTest, CrossingLinesAreRecognised)
{
    EXPECT_NE(Crossing("#include \"engine/render/Model.h\""), "");
    EXPECT_NE(Crossing("  #  include \"engine/render/gui/GUIManager.h\""), "");
    EXPECT_NE(Crossing("#include <SDL2/SDL.h>"), "");
    EXPECT_NE(Crossing("#include \"game/board/Chip.h\""), "");
    EXPECT_EQ(Crossing("#include \"game/board/model/ChipLogic.h\""), "");
    EXPECT_EQ(Crossing("#include \"engine/core/files/FileBinary.h\""), "");
    EXPECT_EQ(Crossing("// the engine/render/ folder is not included here"), "");
}

TEST(ModelWallTest, NoModelFileIncludesRenderGuiOrPresentation)
{
    const auto folder = ModelFolder();
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const auto extension = entry.path().extension();
        if (extension != ".h" && extension != ".cpp")
            continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            const std::string why = Crossing(line);
            EXPECT_EQ(why, "") << entry.path().filename().string() << ":" << number << ": " << line;
        }
    }
    EXPECT_GT(files, 0);
}

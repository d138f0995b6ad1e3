// The platform wall: SDL and OpenGL are linked privately by the platform library, but their headers are
// installed system-wide, so only this test keeps them out of the layers above. A source in engine/,
// framework/ or game/ fails it when it includes an SDL or GL header, directly or through a header of
// the source tree (a platform header that pulls SDL in counts as well).

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = BRINDLE_SOURCE_DIR;

struct Include {
    std::string name;
    bool quoted = false;
    int line = 0;
};

// The target of an #include directive line ("#  include <x>" counts; a commented-out one does not).
std::optional<Include> ParseInclude(const std::string& line)
{
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#')
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + 1);
    const std::string keyword = "include";
    if (at == std::string::npos || line.compare(at, keyword.size(), keyword) != 0)
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + keyword.size());
    if (at == std::string::npos || (line[at] != '<' && line[at] != '"'))
        return std::nullopt;
    const char close = line[at] == '<' ? '>' : '"';
    const size_t end = line.find(close, at + 1);
    if (end == std::string::npos)
        return std::nullopt;
    return Include{line.substr(at + 1, end - at - 1), close == '"', 0};
}

std::vector<Include> IncludesOf(const std::string& text)
{
    std::vector<Include> found;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (std::optional<Include> include = ParseInclude(line)) {
            include->line = number;
            found.push_back(*include);
        }
    }
    return found;
}

// SDL ("SDL.h", "SDL2/SDL_video.h", "SDL_syswm.h") and the GL family ("GL/gl.h", "GLES2/gl2.h",
// "EGL/egl.h", "KHR/khrplatform.h", "OpenGL/gl.h").
bool IsForbidden(const std::string& header)
{
    const std::string first = header.substr(0, header.find('/'));
    const bool inFolder = first.size() < header.size();
    if (first.rfind("SDL", 0) == 0)
        return true;
    if (!inFolder)
        return false;
    if (first == "GL" || first == "EGL" || first == "KHR" || first == "OpenGL")
        return true;
    return first.rfind("GLES", 0) == 0;
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The forbidden header reached from `file`, with the chain of includes that leads there; none when clean.
std::optional<std::string> ForbiddenReach(const fs::path& file, std::set<fs::path>& visited)
{
    if (!visited.insert(fs::weakly_canonical(file)).second)
        return std::nullopt;
    for (const Include& include : IncludesOf(ReadText(file))) {
        const std::string where = file.lexically_relative(kSourceDir).string() + ":" + std::to_string(include.line);
        if (IsForbidden(include.name))
            return where + " includes <" + include.name + ">";
        if (!include.quoted)
            continue;
        for (const fs::path& candidate : {kSourceDir / include.name, file.parent_path() / include.name}) {
            if (!fs::is_regular_file(candidate))
                continue;
            if (auto reach = ForbiddenReach(candidate, visited))
                return where + " -> " + *reach;
            break;
        }
    }
    return std::nullopt;
}

bool IsSource(const fs::path& path)
{
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".hpp" || extension == ".cpp" || extension == ".cc" ||
           extension == ".inl";
}

} // namespace

TEST(IncludeWall, RecognisesSdlAndGlHeaders)
{
    struct Case {
        const char* line;
        bool forbidden;
    };
    const Case cases[] = {
        {"#include <SDL.h>", true},
        {"  #  include <SDL2/SDL_video.h>", true},
        {"#include \"SDL_syswm.h\"", true},
        {"#include <GL/gl.h>", true},
        {"#include <GLES2/gl2.h>", true},
        {"#include <EGL/egl.h>", true},
        {"#include <KHR/khrplatform.h>", true},
        {"#include \"platform/window/WindowApi.h\"", false},
        {"#include \"engine/render/GlyphTable.h\"", false},
        {"#include <string>", false},
        {"// #include <SDL.h>", false},
    };
    for (const Case& c : cases) {
        bool forbidden = false;
        for (const Include& include : IncludesOf(c.line))
            forbidden = forbidden || IsForbidden(include.name);
        EXPECT_EQ(forbidden, c.forbidden) << c.line;
    }
}

// A header of the tree that pulls SDL in makes a source above the platform that includes it fail.
TEST(IncludeWall, FollowsHeadersOfTheTree)
{
    TempFolder folder;
    const fs::path source = fs::path(folder.Path()) / "Leak.cpp";
    std::ofstream(source) << "#include <string>\n#include \"platform/window/WindowState.h\"\n";
    std::set<fs::path> visited;
    const std::optional<std::string> reach = ForbiddenReach(source, visited);
    ASSERT_TRUE(reach.has_value());
    EXPECT_NE(reach->find("Leak.cpp:2 -> platform/window/WindowState.h:"), std::string::npos) << *reach;
    EXPECT_NE(reach->find("includes <SDL.h>"), std::string::npos) << *reach;
}

TEST(IncludeWall, NothingAboveThePlatformIncludesSdlOrGl)
{
    std::vector<std::string> offences;
    int scanned = 0;
    for (const char* layer : {"engine", "framework", "game"}) {
        const fs::path root = kSourceDir / layer;
        if (!fs::is_directory(root))
            continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file() || !IsSource(entry.path()))
                continue;
            ++scanned;
            std::set<fs::path> visited;
            if (auto reach = ForbiddenReach(entry.path(), visited))
                offences.push_back(*reach);
        }
    }
    EXPECT_GT(scanned, 0) << "no sources found under " << kSourceDir;
    for (const std::string& offence : offences)
        ADD_FAILURE() << offence;
}

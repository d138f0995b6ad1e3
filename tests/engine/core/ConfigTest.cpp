#include "engine/core/Config.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace VantoranEngine;

namespace {

// A Config over a real file manager whose data folder is a fresh temporary folder; the configuration file
// is "<folder>/Brindlemoor.ini".
class ConfigTest : public ::testing::Test {
protected:
    ConfigTest()
        : log("", "", "Brindlemoor", false, false), memory(&log), files(&log, &memory, folder.Path(), "")
    {
    }

    std::unique_ptr<Config> Make(const std::string& videoMode = "800x600x32", bool forceVideoMode = false,
                                 bool forceFullscreen = false, bool fullscreenDefault = true)
    {
        return std::make_unique<Config>(&log, &memory, &files, "Brindlemoor", folder.Path(), videoMode,
                                        forceVideoMode, forceFullscreen, fullscreenDefault);
    }

    std::string ConfigFile() const { return folder / "Brindlemoor.ini"; }
    void WriteConfigFile(const std::string& bytes) const { folder.WriteFile("Brindlemoor.ini", bytes); }

    size_t CountWarnings() const
    {
        size_t count = 0;
        for (const LogEntry& entry : log.GetEntries())
            count += entry.kind == LogEntry::Warning;
        return count;
    }

    TempFolder folder;
    MessageManager log;
    MemoryManager memory;
    FileManager files;
};

TEST_F(ConfigTest, ExecuteParsesLinesAsTheConsoleAndTheFileWrite)
{
    auto config = Make();
    std::string say;   // an unsaved free-text variable, as the console's "say"
    config->Register("", "say", ConfigType::String, false, &say, false);

    struct Case {
        const char* line;
        int result;
        const char* name;
        const char* variable;   // checked when not null
        const char* value;
    };
    const Case cases[] = {
        {"V_MODE 1024x768x32", ExecuteDone, "v_mode", "v_mode", "1024x768x32"},
        {"v_mode", ExecuteNoValue, "v_mode", "v_mode", "1024x768x32"},
        {"  v_mode  \t", ExecuteNoValue, "v_mode", nullptr, nullptr},
        {"", ExecuteEmpty, "", nullptr, nullptr},
        {"    ", ExecuteEmpty, "", nullptr, nullptr},
        {"\\\\\\", ExecuteEmpty, "", nullptr, nullptr},
        {"nosuch 1", ExecuteUnknown, "nosuch", nullptr, nullptr},
        {"c_invert_mouse  1", ExecuteUnknown, "c_invert_mouse1", "c_invert_mouse", "0"},
        {"c_invert_mouse   1", ExecuteDone, "c_invert_mouse", "c_invert_mouse", "1"},
        {"\\\\v_vsync 0", ExecuteDone, "v_vsync", "v_vsync", "0"},
        {"v_vsync 1\\\\ comment", ExecuteDone, "v_vsync", "v_vsync", "1"},
        {"v_vsync\\1", ExecuteDone, "v_vsync", "v_vsync", "0"},   // the value starts at the backslash
        {"v_vsync 1", ExecuteDone, "v_vsync", "v_vsync", "1"},
        {"v_vsync 0 \\\\1", ExecuteDone, "v_vsync", "v_vsync", "0"},
        {"v_fullscreen true", ExecuteDone, "v_fullscreen", "v_fullscreen", "0"},
        {"v_fullscreen 2", ExecuteDone, "v_fullscreen", "v_fullscreen", "1"},
        {"v_gamma 0.95", ExecuteDone, "v_gamma", "v_gamma", "0.950000"},
        {"v_gamma abc", ExecuteDone, "v_gamma", "v_gamma", "0.000000"},
        {"r_texture_anisotropy 3000000000", ExecuteDone, "r_texture_anisotropy", "r_texture_anisotropy",
         "2147483647"},
        {"r_texture_anisotropy -3000000000", ExecuteDone, "r_texture_anisotropy", "r_texture_anisotropy",
         "-2147483648"},
        {"r_texture_anisotropy 16x", ExecuteDone, "r_texture_anisotropy", "r_texture_anisotropy", "16"},
        {"say Hello   World  // ok", ExecuteDone, "say", "say", "Hello World// ok"},
        {"v_mode 640x480x16 // not saved", ExecuteRefused, "v_mode", "v_mode", "1024x768x32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string name = "stale";
        EXPECT_EQ(config->Execute(c.line, &name), c.result);
        EXPECT_EQ(name, c.name);
        if (c.variable) {
            EXPECT_EQ(config->GetValueText(c.variable), c.value);
        }
    }
    EXPECT_TRUE(config->IsCommandReady("exit"));
    EXPECT_EQ(config->Execute("EXIT 5"), ExecuteDone);
    EXPECT_FALSE(config->IsCommandReady("exit"));
    EXPECT_EQ(config->settings.v_mode, "1024x768x32");
}

TEST_F(ConfigTest, GetValueTextByType)
{
    auto config = Make();
    float volume = 0.0f;
    std::string kept;
    config->Register("0.95", "g_volume", ConfigType::Float, true, &volume, false);
    config->Register("abc", "g_kept", ConfigType::String, true, &kept, false);
    config->SetValueText("g_kept", "xyz");
    config->Unregister("g_kept");

    const std::pair<const char*, const char*> cases[] = {
        {"g_volume", "0.950000"},   {"v_brightness", "1.000000"},  {"R_TEXTURE_ANISOTROPY", "1"},
        {"v_fullscreen", "1"},      {"r_show_mip_maps", "0"},      {"v_mode", "800x600x32"},
        {"exit", ""},               {"nosuch", ""},                {"g_kept", "xyz"},
    };
    for (const auto& [name, text] : cases)
        EXPECT_EQ(config->GetValueText(name), text) << name;
    EXPECT_EQ(config->GetDefaultText("g_kept"), "abc");
    EXPECT_EQ(config->GetDefaultText("V_Gamma"), "1.0");
    EXPECT_EQ(config->GetDefaultText("nosuch"), "");
}

TEST_F(ConfigTest, SavedStringsRefuseValuesThatWouldNotReadBack)
{
    auto config = Make();
    std::string path;
    std::string freeText;
    config->Register("", "g_path", ConfigType::String, true, &path, false);
    config->Register("", "g_free", ConfigType::String, false, &freeText, false);

    const char* refused[] = {"a//b", "a\\\\b", "a  b", " a", "a ", "a\tb\n", "a\r\nb"};
    for (const char* value : refused) {
        SCOPED_TRACE(value);
        const size_t warnings = CountWarnings();
        EXPECT_TRUE(config->SetValueText("g_path", "before"));
        EXPECT_FALSE(config->SetValueText("g_path", value));
        EXPECT_EQ(path, "before");
        EXPECT_EQ(CountWarnings(), warnings + 1);
        EXPECT_TRUE(config->SetValueText("g_free", value));
        EXPECT_EQ(freeText, value);
    }
    EXPECT_FALSE(config->SetValueText("v_mode", ""));   // its default is not empty
    EXPECT_EQ(config->settings.v_mode, "800x600x32");
    EXPECT_TRUE(config->SetValueText("g_path", ""));    // its default is empty: "g_path " reads back as ""
    EXPECT_FALSE(config->SetValueText("exit", "1"));
    EXPECT_FALSE(config->SetValueText("nosuch", "1"));

    // What is accepted reads back unchanged.
    const char* accepted[] = {"a b", "C:\\Games\\x.dat", "/home/u/a b/c", "a\tb", "~", "\\x\\", "a/b"};
    for (const char* value : accepted) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(config->SetValueText("g_path", value));
        config->Save();
        auto reloaded = Make();
        reloaded->Load();
        std::string readBack;
        reloaded->Register("", "g_path", ConfigType::String, true, &readBack, false);
        EXPECT_EQ(readBack, value);
    }
}

TEST_F(ConfigTest, LinesForLaterVariablesWaitUntilRegistration)
{
    WriteConfigFile("g_later 5\r\ng_later 7\r\nv_vsync 0\r\nv_vsync 1 // comment\r\ng_gone 3\r\n");
    auto config = Make();
    config->Load();
    EXPECT_TRUE(config->settings.v_vsync);   // for a registered variable the last line wins

    int32_t later = -1;
    config->Register("1", "G_LATER", ConfigType::Int, true, &later, false);
    EXPECT_EQ(later, 5);                     // for a waiting one the first line is kept

    // Applied once only: a second registration is ignored, the first binding stays.
    int32_t other = -1;
    config->Register("9", "g_later", ConfigType::Int, true, &other, false);
    EXPECT_EQ(other, -1);

    // A line whose name is never registered is not saved.
    config->Save();
    EXPECT_EQ(TempFolder::ReadFile(ConfigFile()).find("g_gone"), std::string::npos);
}

TEST_F(ConfigTest, UnregisterKeepsTheValueForTheNextRegistration)
{
    auto config = Make();
    auto storage = std::make_unique<int32_t>(0);
    config->Register("1", "g_level", ConfigType::Int, true, storage.get(), true);
    config->SetValueText("g_level", "9");
    config->Update();
    config->EndFrame();
    EXPECT_FALSE(config->IsChanged("g_level"));

    config->Unregister("g_level");
    storage.reset();
    EXPECT_EQ(config->GetValueText("g_level"), "9");
    EXPECT_EQ(config->Execute("g_level 4"), ExecuteUnknown);
    EXPECT_FALSE(config->SetValueText("g_level", "4"));
    config->ResetAll();   // skips the unbound record
    config->Update();     // does not read the released storage
    std::vector<std::string> names{"stale"};
    config->GetNames(names);
    EXPECT_EQ(std::count(names.begin(), names.end(), "g_level"), 0);
    EXPECT_EQ(names.front(), "c_invert_mouse");
    EXPECT_EQ(names.size(), 21u);

    config->Save();
    EXPECT_NE(TempFolder::ReadFile(ConfigFile()).find("g_level 9\r\n"), std::string::npos);

    int32_t again = 0;
    config->Register("5", "g_level", ConfigType::Int, false, &again, false);
    EXPECT_EQ(again, 9);
    EXPECT_TRUE(config->IsChanged("g_level"));   // still tracked as first registered
    EXPECT_EQ(config->GetDefaultText("g_level"), "1");

    // An unregistered command is neither ready nor fired by a line.
    config->Unregister("sc_take_screenshot");
    EXPECT_FALSE(config->IsCommandReady("sc_take_screenshot"));
    EXPECT_EQ(config->Execute("sc_take_screenshot"), ExecuteUnknown);
}

TEST_F(ConfigTest, ForceFlagsBeatTheFile)
{
    WriteConfigFile("v_fullscreen 0\r\nv_mode 1024x768x32\r\n");
    struct Case {
        const char* videoMode;
        bool forceVideoMode;
        bool forceFullscreen;
        const char* mode;
        bool fullscreen;
    };
    const Case cases[] = {
        {"800x600x32", false, false, "1024x768x32", false},
        {"800x600x32", true, true, "800x600x32", true},
        {"640x480x16", true, false, "640x480x16", false},
        {"", true, true, "1024x768x32", true},   // an empty video mode ignores its force flag
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.videoMode);
        auto config = Make(c.videoMode, c.forceVideoMode, c.forceFullscreen, true);
        config->Load();
        EXPECT_EQ(config->settings.v_mode, c.mode);
        EXPECT_EQ(config->settings.v_fullscreen, c.fullscreen);
    }
    auto config = Make("");
    EXPECT_EQ(config->GetDefaultText("v_mode"), "800x600x32");
}

TEST_F(ConfigTest, SaveWritesSavedVariablesInNameOrder)
{
    auto config = Make();
    int32_t unsaved = 0;
    std::string kept;
    config->Register("0", "a_unsaved", ConfigType::Int, false, &unsaved, false);
    config->Register("", "d_command", ConfigType::Command, true, nullptr, false);
    config->Register("~", "ui_console_key", ConfigType::String, true, &kept, false);
    config->Unregister("ui_console_key");
    config->SetValueText("v_gamma", "0.95");
    config->Save();

    EXPECT_EQ(TempFolder::ReadFile(ConfigFile()),
              "c_invert_mouse 0\r\n"
              "r_show_faces_edges 0\r\n"
              "r_show_faces_normals 0\r\n"
              "r_show_mip_maps 0\r\n"
              "r_show_octree_nodes 0\r\n"
              "r_texture_anisotropy 1\r\n"
              "r_use_mip_mapping 1\r\n"
              "sc_take_screenshot_format 0\r\n"
              "ui_console_key ~\r\n"
              "v_brightness 1.000000\r\n"
              "v_contrast 1.000000\r\n"
              "v_fullscreen 1\r\n"
              "v_gamma 0.950000\r\n"
              "v_mode 800x600x32\r\n"
              "v_vsync 1\r\n");
}

TEST_F(ConfigTest, LoadSaveLoadRoundTrip)
{
    auto first = Make();
    const std::pair<const char*, const char*> values[] = {
        {"v_mode", "1280x1024x16"}, {"v_fullscreen", "0"},       {"v_vsync", "0"},
        {"v_brightness", "0.25"},   {"v_contrast", "1.5"},       {"v_gamma", "-2.125"},
        {"r_use_mip_mapping", "0"}, {"r_show_octree_nodes", "1"}, {"r_show_faces_edges", "1"},
        {"r_show_faces_normals", "1"}, {"r_show_mip_maps", "1"}, {"r_texture_anisotropy", "-16"},
        {"c_invert_mouse", "1"},    {"sc_take_screenshot_format", "1"},
    };
    for (const auto& [name, text] : values)
        ASSERT_TRUE(first->SetValueText(name, text)) << name;
    first->Save();
    const std::string saved = TempFolder::ReadFile(ConfigFile());

    auto second = Make();
    second->Load();
    std::vector<std::string> names;
    first->GetNames(names);
    for (const std::string& name : names)
        EXPECT_EQ(second->GetValueText(name), first->GetValueText(name)) << name;
    second->Save();
    EXPECT_EQ(TempFolder::ReadFile(ConfigFile()), saved);
}

TEST_F(ConfigTest, MissingOrUnwritableFileIsHandled)
{
    auto config = Make();
    config->SetValueText("v_vsync", "0");
    const size_t entries = log.GetEntries().size();
    config->Load();   // no file: defaults, nothing logged
    EXPECT_TRUE(config->settings.v_vsync);
    EXPECT_EQ(log.GetEntries().size(), entries);

    // A folder where the file should be: the save fails, is logged as an error and throws nothing.
    folder.WriteFile("Brindlemoor.ini/x", "");
    config->Save();
    ASSERT_FALSE(log.GetEntries().empty());
    EXPECT_EQ(log.GetEntries().back().kind, LogEntry::Error);
}

TEST_F(ConfigTest, UpdateTracksChangesUntilEndFrame)
{
    auto config = Make();
    float volume = 0.0f;
    int32_t count = 0;
    bool flag = false;
    std::string text;
    config->Register("1.0", "g_volume", ConfigType::Float, false, &volume, true);
    config->Register("0", "g_count", ConfigType::Int, false, &count, true);
    config->Register("0", "g_flag", ConfigType::Bool, false, &flag, true);
    config->Register("", "g_text", ConfigType::String, false, &text, true);
    const char* names[] = {"g_volume", "g_count", "g_flag", "g_text"};

    // Tracked variables read as changed until the first end of frame.
    for (const char* name : names)
        EXPECT_TRUE(config->IsChanged(name)) << name;
    EXPECT_FALSE(config->IsChanged("v_gamma"));   // not tracked
    config->Update();
    config->EndFrame();
    for (const char* name : names)
        EXPECT_FALSE(config->IsChanged(name)) << name;

    volume = 1.00005f;   // within the tolerance
    config->Update();
    EXPECT_FALSE(config->IsChanged("g_volume"));
    volume = 1.001f;
    count = 3;
    flag = true;
    text = "a";
    config->Update();
    for (const char* name : names)
        EXPECT_TRUE(config->IsChanged(name)) << name;
    config->Update();   // no new change: the flags stay up until the end of the frame
    EXPECT_TRUE(config->IsChanged("g_count"));
    config->EndFrame();
    config->Update();
    for (const char* name : names)
        EXPECT_FALSE(config->IsChanged(name)) << name;
}

TEST_F(ConfigTest, ResetConfigRestoresDefaultsAndRearmsCommands)
{
    auto config = Make();
    config->Execute("v_vsync 0");
    config->Execute("exit");
    config->SetCommandReady("sc_take_screenshot", false);
    config->Update();
    EXPECT_FALSE(config->settings.v_vsync);   // nothing to serve yet

    EXPECT_EQ(config->Execute("reset_config"), ExecuteDone);
    EXPECT_FALSE(config->IsCommandReady("reset_config"));
    config->Update();
    EXPECT_TRUE(config->settings.v_vsync);
    EXPECT_TRUE(config->IsCommandReady("reset_config"));
    EXPECT_TRUE(config->IsCommandReady("exit"));
    EXPECT_TRUE(config->IsCommandReady("sc_take_screenshot"));

    // SetCommandReady takes the name as given.
    config->SetCommandReady("EXIT", false);
    EXPECT_TRUE(config->IsCommandReady("exit"));
}

TEST(ConfigParseVideoMode, Table)
{
    struct Case {
        const char* text;
        uint32_t width, height, bits;
    };
    const Case cases[] = {
        {"1024x768x16", 1024, 768, 16},
        {"800X600X32", 800, 600, 32},
        {"800x600x", 800, 600, 0},
        {"800X600", 640, 480, 16},
        {"", 640, 480, 16},
        {"desktop", 640, 480, 16},
        {"-1x5x5", 0xFFFFFFFFu, 5, 5},
        {"axbxc", 0, 0, 0},
        {" 1280x 1024x32abc", 1280, 1024, 32},
        {"99999999999x1x1", 0xFFFFFFFFu, 1, 1},
        {"1x2x3x4", 1, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        uint32_t width = 7, height = 7, bits = 7;
        Config::ParseVideoMode(c.text, &width, &height, &bits);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(bits, c.bits);
    }
    uint32_t height = 0;
    Config::ParseVideoMode("1x2x3", nullptr, &height, nullptr);
    EXPECT_EQ(height, 2u);
}

} // namespace

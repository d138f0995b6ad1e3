// Damaged pack archives, settings files and text tables.

#include "DefaultData.h"
#include "FuzzRun.h"
#include "TempFolder.h"
#include "engine/core/Config.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/PackFile.h"
#include "engine/render/gui/GUITextManager.h"
#include "platform/os/Path.h"
#include "tools/pak/PackWriter.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VantoranEngine;
using Fuzz::Outcome;

namespace {

class EngineFilesFuzz : public ::testing::Test {
protected:
    bool LoggedError() const
    {
        for (const LogEntry& entry : log.GetEntries())
            if (entry.kind >= LogEntry::Error)
                return true;
        return false;
    }

    TempFolder folder;
    MessageManager log{"", "", "fuzz", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, folder.Path(), ""};
};

TEST_F(EngineFilesFuzz, PackArchives)
{
    std::vector<Pak::Member> members;
    for (const std::string& name : Fuzz::DataFiles("levels", ".ini", 6))
        members.push_back({Fuzz::EngineName(name), Fuzz::ReadBytes(Fuzz::DataFolder() + "/" + name)});
    const std::vector<uint8_t> archive = Pak::BuildPack(members);
    const std::string path = folder / "fuzz.pak";

    Fuzz::RunCases("pack", {archive}, {5000, 100, true}, [&](const std::vector<uint8_t>& bytes) {
        Fuzz::WriteBytes(path, bytes);
        PackFile pack(path, &log, &memory);
        std::vector<std::string> names;
        pack.ListFiles(names, "*", "");
        for (const std::string& name : names) {
            uint32_t size = 0;
            EXPECT_TRUE(pack.GetSize(name, size));
            std::vector<uint8_t> data(size);
            pack.Read(data.data(), name);
        }
        return Outcome::Loaded;
    });
}

TEST_F(EngineFilesFuzz, SettingsFiles)
{
    int32_t level = 3;
    float volume = 0.5f;
    bool music = true;
    std::string player;
    auto makeConfig = [&] {
        auto config = std::make_unique<Config>(&log, &memory, &files, "Brindlemoor", folder.Path(), "800x600x32",
                                               false, false, false);
        config->Register("3", "g_level", ConfigType::Int, true, &level, false);
        config->Register("0.5", "g_volume", ConfigType::Float, true, &volume, false);
        config->Register("1", "g_music", ConfigType::Bool, true, &music, false);
        config->Register("nobody", "g_player", ConfigType::String, true, &player, false);
        return config;
    };
    std::unique_ptr<Config> config = makeConfig();
    config->SetValueText("g_level", "17");
    config->SetValueText("g_player", "Anna Maria");
    config->SetValueText("v_mode", "1024x768x32");
    config->Save();
    const std::string path = config->GetPath();
    const std::string native = Platform::ToNativePath(path);
    const std::vector<uint8_t> original = Fuzz::ReadBytes(native);
    ASSERT_FALSE(original.empty()) << native;

    Fuzz::RunCases("settings", Fuzz::WithWideCopies({original}, 1), {4000, 200}, [&](const std::vector<uint8_t>& bytes) {
        Fuzz::WriteBytes(native, bytes);
        config->Load();
        uint32_t width = 0, height = 0, bits = 0;
        Config::ParseVideoMode(config->settings.v_mode, &width, &height, &bits);
        return Outcome::Loaded;
    });
    config.reset();
}

TEST_F(EngineFilesFuzz, TextTables)
{
    const std::vector<std::string> names = Fuzz::DataFiles("ui/texts", ".ini", 12);
    ASSERT_FALSE(names.empty());
    const std::string target = "ui\\texts\\fuzz.ini";
    Fuzz::RunCases("text table", Fuzz::WithWideCopies(Fuzz::ReadDataFiles(names), 4), {4000, 300}, [&](const std::vector<uint8_t>& bytes) {
        Fuzz::WriteBytes(folder / "data/ui/texts/fuzz.ini", bytes);
        GUITextManager texts(&log, &memory, &files);
        log.ClearEntries();
        texts.LoadTexts(target);
        texts.GetText("MAIN_MENU");
        texts.GetText("LEVEL", 3);
        return LoggedError() ? Outcome::Refused : Outcome::Loaded;
    });
}

} // namespace

// The settings logic of the options and in-level menu bases against the real configuration, sound player
// and profile files.

#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"

#include "engine/core/Config.h"
#include "engine/core/files/FileManager.h"
#include "platform/os/CodePage.h"

#include "HeadlessEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using GameFramework::GUIGameLogicMenuWindowBase;
using GameFramework::GUIOptionsWindowBase;
using GameFramework::VideoMode;
using VantoranEngine::Config;

namespace {

constexpr const char* updateCommand = "g_update_video_mode";

class OptionsBases : public ::testing::Test {
protected:
    OptionsBases()
    {
        Platform::SetCodePage(Platform::CodePage::Windows1251);
        config = host.engine->config.get();
        config->Register("", updateCommand, VantoranEngine::ConfigType::Command, false, nullptr, false);
        player = std::make_unique<GameFramework::SoundPlayer>(*host.engine, 1.0f, 1.0f);
        profiles = std::make_unique<Petalwork::ProfileManager>(*host.engine, player.get(), userRoot, nullptr);
        profiles->SetCurrentProfile(profiles->CreateProfile(u"Anna"));
        options = std::make_unique<GUIOptionsWindowBase>(host.engine.get(), player.get(), profiles.get());
        options->BuildVideoModeList();
    }
    ~OptionsBases() override
    {
        options.reset();
        profiles.reset();
        player.reset();
        config->Unregister(updateCommand);
        Platform::SetCodePage(Platform::CodePage::C);
    }

    bool Fired() const { return !config->IsCommandReady(updateCommand); }
    void Rearm() { config->SetCommandReady(updateCommand, true); }
    // Removes the configuration and profile files, so a test sees whether they are written again.
    void RemoveFiles()
    {
        for (const std::string& path : SavedPaths())
            VantoranEngine::FileManager::DeleteDirectory(path);
        ASSERT_FALSE(FilesWritten());
    }
    bool FilesWritten() const
    {
        for (const std::string& path : SavedPaths())
            if (!host.engine->fileManager->Exists(path))
                return false;
        return true;
    }
    std::vector<std::string> SavedPaths() const
    {
        return {config->GetPath(), profiles->GetCurrentProfile()->GetPath()};
    }

    HeadlessEngine host;
    std::string userRoot = host.folder / "user";
    Config* config = nullptr;
    std::unique_ptr<GameFramework::SoundPlayer> player;
    std::unique_ptr<Petalwork::ProfileManager> profiles;
    std::unique_ptr<GUIOptionsWindowBase> options;
};

TEST_F(OptionsBases, TheGameListsExactlyTheStandardMode)
{
    ASSERT_EQ(options->modes.size(), 1u);
    EXPECT_EQ(options->modes[0]->text, "800x600");
    options->modes.push_back(std::make_unique<VideoMode>(640, 480));
    options->modes.push_back(std::make_unique<VideoMode>(800, 480));
    options->BuildVideoModeList();
    ASSERT_EQ(options->modes.size(), 3u);
    EXPECT_EQ(options->modes[0]->text, "640x480");
    EXPECT_EQ(options->modes[1]->text, "800x480");
    EXPECT_EQ(options->modes[2]->text, "800x600");
    EXPECT_EQ(options->FindDefaultVideoMode(), 2);
}

struct ApplyCase {
    const char* name;
    const char* mode;          // v_mode before Show
    bool fullscreen;           // v_fullscreen before Show
    bool chooseFullscreen;     // the player's choice
    const char* modeAfter;     // v_mode after Apply
    bool fired;
};

TEST_F(OptionsBases, ApplyTable)
{
    const ApplyCase cases[] = {
        {"no change", "800x600x32", false, false, "800x600x32", false},
        {"only full screen", "800x600x32", false, true, "800x600x32", true},
        {"upper-case separators", "800X600X32", true, true, "800X600X32", false},
        {"other depth kept", "800x600x16", false, false, "800x600x16", false},
        {"unlisted mode", "1024x768x32", false, false, "800x600x32", true},
        {"unparsable", "wide", false, false, "800x600x16", true},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        config->settings.v_mode = c.mode;
        config->settings.v_fullscreen = c.fullscreen;
        Rearm();
        options->Show();
        options->fullscreenChoice = c.chooseFullscreen;
        RemoveFiles();
        options->Apply();
        EXPECT_EQ(config->settings.v_mode, c.modeAfter);
        EXPECT_EQ(config->settings.v_fullscreen, c.chooseFullscreen);
        EXPECT_EQ(Fired(), c.fired);
        EXPECT_TRUE(FilesWritten());
    }
}

TEST_F(OptionsBases, ApplyStoresThePlayersVolumesInTheProfile)
{
    options->Show();
    player->SetMusicVolume(0.25f);
    player->SetSoundVolume(0.75f);
    options->Apply();
    Petalwork::ProfileManager reloaded(*host.engine, nullptr, userRoot, nullptr);
    ASSERT_NE(reloaded.GetCurrentProfile(), nullptr);
    EXPECT_FLOAT_EQ(reloaded.GetCurrentProfile()->musicVolume, 0.25f);
    EXPECT_FLOAT_EQ(reloaded.GetCurrentProfile()->soundVolume, 0.75f);
}

TEST_F(OptionsBases, DefaultsThenRevert)
{
    config->settings.v_mode = "800x600x16";
    config->settings.v_fullscreen = false;
    player->SetMusicVolume(0.4f);
    player->SetSoundVolume(0.6f);
    options->Show();
    EXPECT_EQ(options->colourDepth, 16);
    EXPECT_FALSE(options->fullscreenChoice);

    options->SetDefaults();
    EXPECT_EQ(options->selectedMode, 0);
    EXPECT_EQ(options->colourDepth, 32);
    EXPECT_TRUE(options->fullscreenChoice);
    EXPECT_FLOAT_EQ(player->musicVolume, 1.0f);
    EXPECT_FLOAT_EQ(player->soundVolume, 1.0f);
    EXPECT_EQ(config->settings.v_mode, "800x600x16"); // nothing applied yet
    EXPECT_FALSE(config->settings.v_fullscreen);

    options->Revert();
    EXPECT_FLOAT_EQ(player->musicVolume, 0.4f);
    EXPECT_FLOAT_EQ(player->soundVolume, 0.6f);
    EXPECT_TRUE(options->fullscreenChoice); // until the window is shown again
    EXPECT_FALSE(Fired());
}

TEST_F(OptionsBases, InLevelMenuAppliesFullScreenOnlyWhenChangedAndSavesOnHide)
{
    GUIGameLogicMenuWindowBase menu(host.engine.get(), player.get(), profiles.get());
    config->settings.v_fullscreen = false;
    player->SetMusicVolume(0.5f);
    menu.Show();
    EXPECT_FLOAT_EQ(menu.savedMusicVolume, 0.5f);

    menu.ApplyFullscreen();
    EXPECT_FALSE(Fired());
    menu.fullscreenChoice = true;
    menu.ApplyFullscreen();
    EXPECT_TRUE(config->settings.v_fullscreen);
    EXPECT_TRUE(Fired());

    player->SetMusicVolume(0.125f);
    RemoveFiles();
    menu.Hide();
    EXPECT_TRUE(FilesWritten());
    EXPECT_FLOAT_EQ(profiles->GetCurrentProfile()->musicVolume, 0.125f);
}

} // namespace

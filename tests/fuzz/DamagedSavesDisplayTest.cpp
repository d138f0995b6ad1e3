// The real game started over damaged saves: a profile cut short, a high-score table and a settings file
// that are no such files, a profile manager file of garbage. Each unreadable file is refused with a log
// line; the game reaches its main menu with what could be read and ends cleanly.

#include "game/app/Game.h"

#include "DefaultData.h"
#include "engine/core/Engine.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileManager.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "platform/os/CodePage.h"
#include "tests/game/app/GameWorld.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace VantoranEngine;

TEST(DamagedSaves, AreRefusedWithALogLineAndTheGameGoesOn)
{
    GameWorld world;
    const std::string root = world.UserRoot();
    std::string damagedProfile;
    {
        // The saves of an earlier run: two players and a score.
        Platform::SetCodePage(Platform::CodePage::Windows1251);
        MessageManager log("", "", "saves", false, false);
        MemoryManager memory(&log);
        FileManager files(&log, &memory, root, "");
        Petalwork::ProfileManager manager(&log, &files, nullptr, root, nullptr);
        ASSERT_NE(manager.CreateProfile(u"Анна"), nullptr);
        GameFramework::ProfileBase* bob = manager.CreateProfile(u"Bob");
        ASSERT_NE(bob, nullptr);
        damagedProfile = bob->GetFileName();
        GameFramework::HighScoresTable scores(&log, &files, root);
        scores.Add(1200, u"Bob");
        Platform::SetCodePage(Platform::CodePage::C);
    }
    const std::string profilePath = root + "/usersdata/profiles/" + damagedProfile;
    std::vector<uint8_t> profile = Fuzz::ReadBytes(profilePath);
    profile.resize(profile.size() / 2);
    Fuzz::WriteBytes(profilePath, profile);
    Fuzz::WriteBytes(root + "/usersdata/high_scores_table.hsf", {'G', 'F', 'H', 'S', 'F', 0, 0, 0});
    Fuzz::WriteBytes(root + "/usersdata/profiles.pmf", std::vector<uint8_t>(40, 0xA5));
    Fuzz::WriteBytes(root + "/Brindlemoor.ini", {0xFF, 0xFE, 'g', 0, '_', 0, 0xD8, 0x00, '1'});

    {
        auto game = std::make_unique<Petalwork::Game>("Brindlemoor", "Quorvane");
        bool ready = false;
        for (int frame = 0; frame < 3000 && !ready; ++frame) {
            game->Tick();
            auto* menu = dynamic_cast<Petalwork::GUIMainMenuWindow*>(game->mainMenuWindow.get());
            ready = menu && menu->AcceptsInput();
        }
        ASSERT_TRUE(ready) << "the main menu never came";
        ASSERT_EQ(game->profiles->GetProfiles().size(), 1u);
        ASSERT_NE(game->profiles->GetCurrentProfile(), nullptr);
        EXPECT_EQ(game->profiles->GetCurrentProfile()->name, u"Анна");
        EXPECT_TRUE(game->highScores->GetEntries().empty());
        game->engine->RequestExit();
        game->Tick();
    }
    const std::string log = world.UserFile("Brindlemoor.html");
    EXPECT_NE(log.find("Exiting..."), std::string::npos);
    EXPECT_NE(log.find(damagedProfile), std::string::npos) << "the cut profile is named in the log";
    EXPECT_NE(log.find("high_scores_table.hsf"), std::string::npos) << "the damaged table is named in the log";
    EXPECT_TRUE(std::filesystem::exists(profilePath)) << "a refused profile stays for the player to rescue";
}

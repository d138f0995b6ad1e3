// Damaged save files: profiles, the profile manager's file and the high-score table. A damaged file is
// either refused with a log line (and the game goes on without it) or loaded; what loaded saves again
// into a file that loads.

#include "DefaultData.h"
#include "FuzzRun.h"
#include "TempFolder.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManager.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "platform/os/CodePage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace VantoranEngine;
using Fuzz::Outcome;
using GameFramework::HighScoresTable;
using Petalwork::Profile;
using Petalwork::ProfileManager;

namespace {

class SaveFilesFuzz : public ::testing::Test {
protected:
    SaveFilesFuzz() { Platform::SetCodePage(Platform::CodePage::Windows1251); }
    ~SaveFilesFuzz() override { Platform::SetCodePage(Platform::CodePage::C); }

    std::string UserRoot() const { return folder.Path(); }
    std::string ProfilesFolder() const { return folder / "usersdata/profiles"; }
    std::string ManagerPath() const { return folder / "usersdata/profiles.pmf"; }
    std::string ScoresPath() const { return folder / "usersdata/high_scores_table.hsf"; }

    size_t ErrorCount() const
    {
        size_t count = 0;
        for (const LogEntry& entry : log.GetEntries())
            count += entry.kind >= LogEntry::Error ? 1 : 0;
        return count;
    }

    std::unique_ptr<ProfileManager> Manager()
    {
        return std::make_unique<ProfileManager>(&log, &files, nullptr, UserRoot(), catalogue.get());
    }

    // Profiles as a player leaves them: two players part-way, one who finished, with level records.
    void MakeSaves()
    {
        std::unique_ptr<ProfileManager> manager = Manager();
        const std::u16string names[] = {u"Анна", u"Bob the Builder", u"Zoë"};
        for (uint32_t i = 0; i < 3; ++i) {
            GameFramework::ProfileBase* profile = manager->CreateProfile(names[i]);
            ASSERT_NE(profile, nullptr);
            manager->SetCurrentProfile(profile);
            GameFramework::SetProfilePosition({i, 2 + i}, *profile);
            GameFramework::UpdateBestPosition({i + 1, 1}, i == 2, *profile);
            profile->totalScore = static_cast<int32_t>(12345 * (i + 1));
            profile->livesCarried = static_cast<int32_t>(i);
            auto* game = static_cast<Profile*>(profile);
            game->perStageValues[i] = 7;
            game->introComicPending = i == 0;
            ASSERT_TRUE(profile->Save());
            manager->SetLevelRecord({0, i}, static_cast<int32_t>(100 * i + 5));
            manager->SetLevelRecord({1, 0}, 9);
        }
        ASSERT_TRUE(manager->Save());
        HighScoresTable scores(&log, &files, UserRoot());
        for (uint32_t i = 0; i < 12; ++i)
            scores.Add(1000 * ((i * 7) % 12), i % 2 ? u"Анна" : u"Bob");
    }

    std::vector<std::string> ProfileFiles() const
    {
        std::vector<std::string> paths;
        for (const auto& entry : std::filesystem::directory_iterator(ProfilesFolder()))
            paths.push_back(entry.path().string());
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    TempFolder folder;
    MessageManager log{"", "", "fuzz", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, folder.Path(), ""};
    // The real catalogue, so that loaded positions are checked as in the game.
    FileManager gameFiles{&log, &memory, BRINDLE_GAME_FOLDER, ""};
    std::unique_ptr<Petalwork::LevelManager> catalogue =
        std::make_unique<Petalwork::LevelManager>(&log, &gameFiles, nullptr, "ru");
};

TEST_F(SaveFilesFuzz, Profiles)
{
    MakeSaves();
    const std::vector<std::string> paths = ProfileFiles();
    ASSERT_EQ(paths.size(), 3u);
    std::vector<std::vector<uint8_t>> originals;
    for (const std::string& path : paths)
        originals.push_back(Fuzz::ReadBytes(path));
    const std::vector<uint8_t> manager = Fuzz::ReadBytes(ManagerPath());
    const std::string target = paths.front();

    Fuzz::RunCases("profile", originals, {3000, 400, true}, [&](const std::vector<uint8_t>& bytes) {
        Fuzz::WriteBytes(target, bytes);
        Fuzz::WriteBytes(ManagerPath(), manager);
        log.ClearEntries();
        std::unique_ptr<ProfileManager> loaded = Manager();
        if (loaded->GetProfiles().size() < 3) {
            // Refused: said so in the log, left on the disk, the others still there.
            EXPECT_GE(ErrorCount(), 1u);
            EXPECT_EQ(loaded->GetProfiles().size(), 2u);
            EXPECT_TRUE(std::filesystem::exists(target));
            EXPECT_NE(loaded->GetCurrentProfile(), nullptr);
            return Outcome::Refused;
        }
        for (const auto& profile : loaded->GetProfiles()) {
            const auto& game = static_cast<const Profile&>(*profile);
            EXPECT_EQ(game.perStageValues.size(), ProfileManager::stageCount);
            EXPECT_FALSE(game.name.empty());
            EXPECT_LE(game.name.size(), 254u);
            EXPECT_TRUE(game.musicVolume >= 0.0f && game.musicVolume <= 1.0f) << game.musicVolume;
            EXPECT_TRUE(game.soundVolume >= 0.0f && game.soundVolume <= 1.0f) << game.soundVolume;
        }
        // What loaded saves and loads again.
        GameFramework::ProfileBase* first = loaded->GetProfiles().front().get();
        EXPECT_TRUE(first->Save());
        loaded.reset();
        EXPECT_EQ(Manager()->GetProfiles().size(), 3u);
        return Outcome::Loaded;
    });
}

TEST_F(SaveFilesFuzz, ProfileManagerFile)
{
    MakeSaves();
    const std::vector<uint8_t> original = Fuzz::ReadBytes(ManagerPath());
    Fuzz::RunCases("profile manager", {original}, {3000, 500, true}, [&](const std::vector<uint8_t>& bytes) {
        Fuzz::WriteBytes(ManagerPath(), bytes);
        log.ClearEntries();
        std::unique_ptr<ProfileManager> loaded = Manager();
        EXPECT_EQ(loaded->GetProfiles().size(), 3u);
        EXPECT_NE(loaded->GetCurrentProfile(), nullptr);
        const bool refused = ErrorCount() > 0;
        loaded->GetLevelRecord({0, 1});
        loaded->SetLevelRecord({0, 2}, 77);
        EXPECT_EQ(loaded->GetLevelRecord({0, 2}), 77);
        loaded.reset();
        EXPECT_EQ(Manager()->GetProfiles().size(), 3u);
        return refused ? Outcome::Refused : Outcome::Loaded;
    });
}

TEST_F(SaveFilesFuzz, HighScores)
{
    MakeSaves();
    const std::vector<uint8_t> original = Fuzz::ReadBytes(ScoresPath());
    Fuzz::RunCases("high scores", {original}, {4000, 600, true}, [&](const std::vector<uint8_t>& bytes) {
        Fuzz::WriteBytes(ScoresPath(), bytes);
        log.ClearEntries();
        auto table = std::make_unique<HighScoresTable>(&log, &files, UserRoot());
        const bool refused = ErrorCount() > 0;
        if (refused) {
            EXPECT_TRUE(table->GetEntries().empty());
        }
        EXPECT_LE(table->GetEntries().size(), HighScoresTable::limit);
        for (size_t i = 1; i < table->GetEntries().size(); ++i)
            EXPECT_GE(table->GetEntries()[i - 1]->score, table->GetEntries()[i]->score);
        table->Add(5000, u"Новый");
        const size_t count = table->GetEntries().size();
        table.reset();
        log.ClearEntries();
        HighScoresTable again(&log, &files, UserRoot());
        EXPECT_EQ(again.GetEntries().size(), count);
        EXPECT_EQ(ErrorCount(), 0u);
        return refused ? Outcome::Refused : Outcome::Loaded;
    });
}

} // namespace

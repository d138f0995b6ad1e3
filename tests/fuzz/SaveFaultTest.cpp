// Every save interrupted at each of its write steps by the file layer's fault injection: the save says
// it failed, the previous file stays byte for byte and still loads, and nothing is left beside it.
// Files made unreadable are refused with a log line and the game goes on.

#include "DefaultData.h"
#include "TempFolder.h"
#include "engine/core/Config.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"
#include "framework/HighScoresTable.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "platform/os/CodePage.h"
#include "platform/os/Path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

using namespace VantoranEngine;
using GameFramework::HighScoresTable;
using Petalwork::Profile;
using Petalwork::ProfileManager;

namespace {

class SaveFaultTest : public ::testing::Test {
protected:
    SaveFaultTest() { Platform::SetCodePage(Platform::CodePage::Windows1251); }
    ~SaveFaultTest() override
    {
        FileBinary::InjectWriteFault(std::nullopt);
        Platform::SetCodePage(Platform::CodePage::C);
    }

    size_t ErrorCount() const
    {
        size_t count = 0;
        for (const LogEntry& entry : log.GetEntries())
            count += entry.kind >= LogEntry::Error ? 1 : 0;
        return count;
    }

    // Every file under the folder, recursively.
    std::vector<std::string> Listing() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path()))
            names.push_back(entry.path().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // `save` writes a changed state over the file at `path` (taking the same steps each time);
    // `readBack` loads the file as the game would and describes what it holds. The save is run once to
    // count its write steps, then once per step with that step failing, each time over the previous file.
    void InterruptEveryStep(const std::string& path, const std::function<bool()>& save,
                            const std::function<std::string()>& readBack)
    {
        const std::vector<uint8_t> before = Fuzz::ReadBytes(path);
        ASSERT_FALSE(before.empty()) << path;
        const std::string previous = readBack();
        const std::vector<std::string> listing = Listing();

        FileBinary::InjectWriteFault(std::nullopt);
        ASSERT_TRUE(save());
        const uint32_t steps = FileBinary::WriteStepsTaken();
        ASSERT_NE(readBack(), previous) << "the save under test changes nothing";
        ASSERT_GE(steps, 3u) << "at least a write, the flush and the replacement";

        for (uint32_t step = 0; step <= steps; ++step) {
            Fuzz::WriteBytes(path, before);
            log.ClearEntries();
            FileBinary::InjectWriteFault(step);
            const bool saved = save();
            FileBinary::InjectWriteFault(std::nullopt);
            if (step == steps) {
                // Past the last step nothing fails.
                EXPECT_TRUE(saved);
                EXPECT_NE(readBack(), previous);
                continue;
            }
            EXPECT_FALSE(saved) << "step " << step << " of " << steps;
            EXPECT_GE(ErrorCount(), 1u) << "step " << step;
            EXPECT_EQ(Fuzz::ReadBytes(path), before) << "step " << step;
            EXPECT_EQ(readBack(), previous) << "step " << step;
            EXPECT_EQ(Listing(), listing) << "step " << step << " left a file behind";
        }
    }

    std::unique_ptr<ProfileManager> Manager()
    {
        return std::make_unique<ProfileManager>(&log, &files, nullptr, folder.Path(), nullptr);
    }

    TempFolder folder;
    MessageManager log{"", "", "fuzz", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, folder.Path(), ""};
};

TEST_F(SaveFaultTest, ProfileSave)
{
    std::unique_ptr<ProfileManager> manager = Manager();
    auto* profile = static_cast<Profile*>(manager->CreateProfile(u"Анна"));
    ASSERT_NE(profile, nullptr);
    const std::string path = Platform::ToNativePath(profile->GetPath());
    const std::string fileName = profile->GetFileName();
    int32_t score = 100;
    InterruptEveryStep(
        path,
        [&] {
            profile->totalScore = ++score;
            profile->perStageValues[3] = score;
            return profile->Save();
        },
        [&] {
            const Profile read(&log, &files, folder.Path(), fileName, ProfileManager::stageCount);
            return std::to_string(read.totalScore) + "/" + std::to_string(read.perStageValues[3]);
        });
}

TEST_F(SaveFaultTest, ProfileManagerSave)
{
    std::unique_ptr<ProfileManager> manager = Manager();
    manager->CreateProfile(u"Анна");
    GameFramework::ProfileBase* bob = manager->CreateProfile(u"Bob");
    manager->SetCurrentProfile(bob);
    ASSERT_TRUE(manager->Save());
    int32_t value = 0;
    InterruptEveryStep(
        Platform::ToNativePath(manager->GetPath()),
        [&] {
            // Setting a record saves at once; a failed save is logged.
            const size_t errors = ErrorCount();
            manager->SetLevelRecord({1, 2}, ++value);
            return ErrorCount() == errors;
        },
        [&] {
            std::unique_ptr<ProfileManager> read = Manager();
            std::string text(read->GetCurrentProfile()->name.begin(), read->GetCurrentProfile()->name.end());
            return text + "/" + std::to_string(read->GetLevelRecord({1, 2}));
        });
}

TEST_F(SaveFaultTest, HighScoresSave)
{
    HighScoresTable table(&log, &files, folder.Path());
    // A full table, so that every save writes as many entries.
    for (uint32_t i = 0; i < HighScoresTable::limit; ++i)
        table.Add(700 + i, u"Анна");
    uint32_t score = 1000;
    InterruptEveryStep(
        Platform::ToNativePath(table.GetPath()),
        [&] {
            // Adding saves at once; a failed save is logged.
            const size_t errors = ErrorCount();
            table.Add(++score, u"Bob");
            return ErrorCount() == errors;
        },
        [&] {
            const HighScoresTable read(&log, &files, folder.Path());
            std::string text;
            for (const auto& entry : read.GetEntries())
                text += std::to_string(entry->score) + " ";
            return text;
        });
}

TEST_F(SaveFaultTest, SettingsSave)
{
    int32_t level = 0;
    std::string player;
    auto makeConfig = [&](int32_t* levelStorage, std::string* playerStorage) {
        auto config = std::make_unique<Config>(&log, &memory, &files, "Brindlemoor", folder.Path(), "800x600x32",
                                               false, false, false);
        config->Register("3", "g_level", ConfigType::Int, true, levelStorage, false);
        config->Register("nobody", "g_player", ConfigType::String, true, playerStorage, false);
        config->Load();
        return config;
    };
    std::unique_ptr<Config> config = makeConfig(&level, &player);
    config->Save();
    int32_t next = 10;
    InterruptEveryStep(
        Platform::ToNativePath(config->GetPath()),
        [&] {
            config->SetValueText("g_level", std::to_string(++next));
            config->SetValueText("g_player", "Anna " + std::to_string(next));
            const size_t errors = ErrorCount();
            config->Save();
            return ErrorCount() == errors;
        },
        [&] {
            int32_t readLevel = 0;
            std::string readPlayer;
            makeConfig(&readLevel, &readPlayer);
            return std::to_string(readLevel) + "/" + readPlayer;
        });
}

TEST_F(SaveFaultTest, ASaveCutOffByACrashLeavesOnlyItsTemporaryFileWhichNothingReads)
{
    {
        std::unique_ptr<ProfileManager> manager = Manager();
        manager->CreateProfile(u"Анна");
        manager->CreateProfile(u"Bob");
        HighScoresTable table(&log, &files, folder.Path());
        table.Add(500, u"Bob");
    }
    // What a process killed half-way through each save leaves: the first half of the new file, beside
    // the old one, under the temporary name the file layer gives it.
    for (const std::string& path : Listing()) {
        if (std::filesystem::is_directory(path))
            continue;
        std::vector<uint8_t> half = Fuzz::ReadBytes(path);
        half.resize(half.size() / 2);
        Fuzz::WriteBytes(path + ".~99999-0.tmp", half);
    }
    log.ClearEntries();
    std::unique_ptr<ProfileManager> manager = Manager();
    EXPECT_EQ(manager->GetProfiles().size(), 2u);
    EXPECT_EQ(HighScoresTable(&log, &files, folder.Path()).GetEntries().size(), 1u);
    EXPECT_EQ(ErrorCount(), 0u);
}

TEST_F(SaveFaultTest, UnreadableProfileAndHighScoreFilesAreRefusedAndTheGameGoesOn)
{
    {
        std::unique_ptr<ProfileManager> manager = Manager();
        manager->CreateProfile(u"Анна");
        manager->CreateProfile(u"Bob");
        HighScoresTable table(&log, &files, folder.Path());
        table.Add(500, u"Bob");
    }
    const std::string profiles = folder / "usersdata/profiles";
    std::vector<std::string> profileFiles;
    for (const auto& entry : std::filesystem::directory_iterator(profiles))
        profileFiles.push_back(entry.path().string());
    ASSERT_EQ(profileFiles.size(), 2u);
    std::sort(profileFiles.begin(), profileFiles.end());
    const std::string scores = folder / "usersdata/high_scores_table.hsf";

    // A profile cut short, a folder named like a profile, a table that is no table.
    Fuzz::WriteBytes(profileFiles[0], {'P', 'W'});
    std::filesystem::create_directories(profiles + "/broken.prf");
    Fuzz::WriteBytes(scores, {1, 2, 3, 4, 5, 6, 7});
    log.ClearEntries();

    std::unique_ptr<ProfileManager> manager = Manager();
    EXPECT_EQ(manager->GetProfiles().size(), 1u);
    EXPECT_EQ(ErrorCount(), 1u) << "the unreadable profile is said so";
    EXPECT_TRUE(std::filesystem::exists(profileFiles[0])) << "a refused profile stays on the disk";
    ASSERT_NE(manager->GetCurrentProfile(), nullptr);

    const size_t errors = ErrorCount();
    HighScoresTable table(&log, &files, folder.Path());
    EXPECT_TRUE(table.GetEntries().empty());
    EXPECT_EQ(ErrorCount(), errors + 1) << "the unreadable table is said so";

    // The game goes on: new profiles and scores are kept.
    ASSERT_NE(manager->CreateProfile(u"Zoë"), nullptr);
    ASSERT_NE(table.Add(900, u"Zoë"), nullptr);
    EXPECT_EQ(Manager()->GetProfiles().size(), 2u);
    EXPECT_EQ(HighScoresTable(&log, &files, folder.Path()).GetEntries().size(), 1u);
}

} // namespace

#include "framework/ProfileManager.h"

#include "framework/LevelManagerBase.h"
#include "framework/Profile.h"
#include "framework/VolumeControl.h"
#include "platform/os/CodePage.h"
#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

using FrameworkTest::Bytes;
using GameFramework::ProfileBase;
using GameFramework::VersionedFile;
using Petalwork::Profile;
using Petalwork::ProfileManager;

namespace {

class FakeVolumes : public GameFramework::VolumeControl {
public:
    float GetMusicVolume() const override { return music; }
    float GetSoundVolume() const override { return sound; }
    void SetMusicVolume(float volume) override { music = volume; }
    void SetSoundVolume(float volume) override { sound = volume; }
    float music = 0.8f;
    float sound = 0.3f;
};

// One stage of two levels, read by the base loader alone.
class TwoLevels : public GameFramework::LevelManagerBase {
public:
    using LevelManagerBase::LevelManagerBase;
    std::unique_ptr<GameFramework::StageInfo> CreateStage() override
    {
        return std::make_unique<GameFramework::StageInfo>();
    }
    std::unique_ptr<GameFramework::LevelInfo> CreateLevel() override
    {
        return std::make_unique<GameFramework::LevelInfo>();
    }
};

class ProfileManagerTest : public ::testing::Test {
protected:
    ProfileManagerTest() { Platform::SetCodePage(Platform::CodePage::Windows1251); }
    ~ProfileManagerTest() override { Platform::SetCodePage(Platform::CodePage::C); }

    std::unique_ptr<ProfileManager> Make(const GameFramework::LevelManagerBase* catalogue = nullptr)
    {
        return std::make_unique<ProfileManager>(&services.log, &services.files, &volumes, services.UserRoot(),
                                                catalogue);
    }
    // A profile file made outside the manager.
    void AddProfileFile(const std::u16string& name)
    {
        Profile(&services.log, &services.files, services.UserRoot(), name, 9);
    }
    std::string ManagerPath() const { return services.UserRoot() + "/usersdata/profiles.pmf"; }
    static std::vector<std::u16string> Names(const ProfileManager& manager)
    {
        std::vector<std::u16string> names;
        for (const auto& profile : manager.GetProfiles())
            names.push_back(profile->name);
        return names;
    }

    FakeVolumes volumes;
    FrameworkTest::FileServices services;
};

} // namespace

TEST_F(ProfileManagerTest, FirstRunWritesAnEmptyManagerFile)
{
    auto manager = Make();
    EXPECT_TRUE(manager->GetProfiles().empty());
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    const std::vector<uint8_t> bytes = FrameworkTest::ReadBytes(ManagerPath());
    EXPECT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes, Bytes().U8(1).U8(0).U8(0).U32(0).U32(0).WithHeader("PWPMF", 102));
}

TEST_F(ProfileManagerTest, ProfilesAreSortedAndTheFirstBecomesCurrent)
{
    AddProfileFile(u"bob");
    AddProfileFile(u"Alice");
    AddProfileFile(u"\u0411\u043e\u0440\u0438\u0441"); // Cyrillic sorts after Latin
    auto manager = Make();
    EXPECT_EQ(Names(*manager), (std::vector<std::u16string>{u"Alice", u"bob", u"\u0411\u043e\u0440\u0438\u0441"}));
    EXPECT_EQ(manager->GetCurrentProfile()->name, u"Alice");
    EXPECT_EQ(FrameworkTest::ReadBytes(ManagerPath()), Bytes().Wide(u"Alice").U32(0).U32(0).WithHeader("PWPMF", 102));

    EXPECT_EQ(manager->FindProfile(u"ALICE"), manager->GetProfiles()[0].get());
    EXPECT_EQ(manager->FindProfile(u"  \u0431\u041e\u0420\u0418\u0421 "), manager->GetProfiles()[2].get());
    EXPECT_EQ(manager->FindProfile(u"Carol"), nullptr);
}

// Names are trimmed where they enter, so a name with blanks around it is the same name.
TEST_F(ProfileManagerTest, NamesAreNormalisedWhereTheyEnter)
{
    AddProfileFile(u"Bob");
    auto manager = Make();
    ProfileBase* bob = manager->FindProfile(u"bob");
    EXPECT_EQ(manager->CreateProfile(u" bob "), bob);
    EXPECT_EQ(manager->CreateProfile(u"   "), nullptr);
    EXPECT_EQ(manager->CreateProfile(std::u16string(255, u'a')), nullptr);
    EXPECT_EQ(manager->GetProfiles().size(), 1u);

    ProfileBase* anna = manager->CreateProfile(u"  Anna ");
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(anna->name, u"Anna");
    EXPECT_EQ(manager->FindProfile(u"anna"), anna);
    EXPECT_EQ(manager->GetCurrentProfile(), bob); // creating does not make current
    EXPECT_EQ(anna->musicVolume, 0.8f);           // the player's volumes are stored in it
    EXPECT_EQ(anna->soundVolume, 0.3f);
    EXPECT_EQ(Names(*manager), (std::vector<std::u16string>{u"Anna", u"Bob"}));

    EXPECT_FALSE(manager->RenameProfile(u" BOB ", u"Anna"));
    EXPECT_FALSE(manager->RenameProfile(u"  ", u"Anna"));
    EXPECT_FALSE(manager->RenameProfile(u"Carol", u"Nobody"));
    EXPECT_TRUE(manager->RenameProfile(u" Carol ", u" anna"));
    EXPECT_EQ(Names(*manager), (std::vector<std::u16string>{u"Bob", u"Carol"}));

    // The new names are in the files.
    auto again = Make();
    EXPECT_EQ(Names(*again), (std::vector<std::u16string>{u"Bob", u"Carol"}));
}

TEST_F(ProfileManagerTest, EqualNamesKeepTheirListingOrder)
{
    // Two files of one name can only come from elsewhere: the listing order decides.
    for (const char* fileName : {"a.prf", "b.prf"}) {
        Bytes body;
        body.Wide(fileName[0] == 'a' ? u"ann" : u"ANN").U32(4).U32(0).U32(0).U32(0).U32(0).U32(0).U8(0).U32(0).U8(0);
        body.F32(0.5f).F32(0.5f).U32(0).U8(1).U8(1);
        FrameworkTest::WriteBytes(services.UserRoot() + "/usersdata/profiles/" + fileName,
                                  body.WithHeader("PWPRF", 107));
    }
    EXPECT_EQ(Names(*Make()), (std::vector<std::u16string>{u"ann", u"ANN"}));
}

TEST_F(ProfileManagerTest, DeletingTheCurrentProfileMakesTheFirstCurrentAndErasesItsRecords)
{
    AddProfileFile(u"Alice");
    AddProfileFile(u"Bob");
    auto manager = Make();
    manager->SetCurrentProfile(manager->FindProfile(u"Bob"));
    manager->SetLevelRecord({0, 1}, 5);
    const std::string bobFile = manager->FindProfile(u"Bob")->GetFileName();

    manager->DeleteProfile(u"bob");
    EXPECT_EQ(manager->GetCurrentProfile()->name, u"Alice");
    EXPECT_TRUE(manager->GetLevelRecords().empty());
    EXPECT_FALSE(std::filesystem::exists(services.UserRoot() + "/usersdata/profiles/" + bobFile));

    // A new Bob starts without the old one's records.
    manager->SetCurrentProfile(manager->CreateProfile(u"Bob"));
    EXPECT_EQ(manager->GetLevelRecord({0, 1}), 0);

    manager->DeleteProfile(u"Alice");
    manager->DeleteProfile(u"Bob");
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    manager->SetLevelRecord({0, 0}, 3); // no current profile: nothing happens
    EXPECT_EQ(manager->GetLevelRecord({0, 0}), 0);
    EXPECT_TRUE(manager->GetLevelRecords().empty());
}

TEST_F(ProfileManagerTest, LevelRecordsSurviveAReloadAndFollowTheExactName)
{
    AddProfileFile(u"Alice");
    AddProfileFile(u"Bob");
    {
        auto manager = Make();
        manager->SetLevelRecord({2, 3}, 7);
        manager->SetLevelRecord({2, 3}, 8);
        manager->SetCurrentProfile(manager->FindProfile(u"Bob"));
        manager->SetLevelRecord({2, 3}, 1);
        manager->Save();
        EXPECT_EQ(FrameworkTest::ReadBytes(ManagerPath()), Bytes()
                                                               .Wide(u"Bob")
                                                               .U32(0)
                                                               .U32(2)
                                                               .U32(2)
                                                               .U32(3)
                                                               .Wide(u"Alice")
                                                               .U32(8)
                                                               .U32(2)
                                                               .U32(3)
                                                               .Wide(u"Bob")
                                                               .U32(1)
                                                               .WithHeader("PWPMF", 102));
    }
    auto manager = Make();
    EXPECT_EQ(manager->GetCurrentProfile()->name, u"Bob");
    EXPECT_EQ(manager->GetLevelRecord({2, 3}), 1);
    manager->SetCurrentProfile(manager->FindProfile(u"alice"));
    EXPECT_EQ(manager->GetLevelRecord({2, 3}), 8);
    manager->RenameProfile(u"Alicia", u"Alice");
    EXPECT_EQ(manager->GetLevelRecord({2, 3}), 0);
}

TEST_F(ProfileManagerTest, DamagedOrStaleManagerFilesFallBackToTheFirstProfile)
{
    AddProfileFile(u"Alice");
    AddProfileFile(u"Bob");
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"a count beyond the file", Bytes().Wide(u"Bob").U32(0).U32(0xFFFFFFFFu).U32(1).WithHeader("PWPMF", 102)},
        {"kept records beyond the file", Bytes().Wide(u"Bob").U32(1000).U32(0).WithHeader("PWPMF", 102)},
        {"an older version", Bytes().Wide(u"Bob").U32(0).U32(0).WithHeader("PWPMF", 101)},
        {"a profile that is gone", Bytes().Wide(u"Zed").U32(0).U32(0).WithHeader("PWPMF", 102)},
    };
    for (const auto& c : cases) {
        FrameworkTest::WriteBytes(ManagerPath(), c.bytes);
        auto manager = Make();
        EXPECT_EQ(manager->GetCurrentProfile()->name, u"Alice") << c.what;
        EXPECT_TRUE(manager->GetLevelRecords().empty()) << c.what;
        EXPECT_EQ(FrameworkTest::ReadBytes(ManagerPath()), Bytes().Wide(u"Alice").U32(0).U32(0).WithHeader("PWPMF", 102))
            << c.what;
    }
}

TEST_F(ProfileManagerTest, KeptRecordsAndUnreadableProfilesAreLeftAsTheyAre)
{
    AddProfileFile(u"Alice");
    FrameworkTest::WriteBytes(services.UserRoot() + "/usersdata/profiles/broken.prf", {1, 2, 3});
    const std::vector<uint8_t> file =
        Bytes().Wide(u"alice").U32(1).U32(5).U32(6).Wide(u"kept").U32(7).U32(0).WithHeader("PWPMF", 102);
    FrameworkTest::WriteBytes(ManagerPath(), file);
    auto manager = Make();
    EXPECT_EQ(Names(*manager), std::vector<std::u16string>{u"Alice"});
    ASSERT_EQ(manager->GetKeptRecords().size(), 1u);
    EXPECT_EQ(manager->GetKeptRecords()[0].text, u"kept");
    EXPECT_EQ(services.Errors().size(), 1u); // the broken profile
    EXPECT_TRUE(std::filesystem::exists(services.UserRoot() + "/usersdata/profiles/broken.prf"));
    manager->Save();
    EXPECT_EQ(FrameworkTest::ReadBytes(ManagerPath()),
              Bytes().Wide(u"Alice").U32(1).U32(5).U32(6).Wide(u"kept").U32(7).U32(0).WithHeader("PWPMF", 102));
}

TEST_F(ProfileManagerTest, PositionsOutsideTheCatalogueLoadAsTheFirstLevel)
{
    FrameworkTest::WriteBytes(services.Base() + "/data/levels/stages_info.ini", {'1', '\n'});
    FrameworkTest::WriteBytes(services.Base() + "/data/levels/stage0/levels_info.ini", {'2', '\n'});
    TwoLevels catalogue(&services.log, &services.files);
    catalogue.Load();
    {
        Profile profile(&services.log, &services.files, services.UserRoot(), u"Anna", 9);
        profile.currentPosition = {0, 1};
        profile.bestPosition = {99, 0};
        profile.Save();
        Profile other(&services.log, &services.files, services.UserRoot(), u"Bea", 9);
        other.currentPosition = {0, 2};
        other.bestPosition = {0, 1};
        other.Save();
    }
    auto manager = Make(&catalogue);
    const ProfileBase* anna = manager->FindProfile(u"Anna");
    EXPECT_TRUE(GameFramework::IsSamePosition(anna->currentPosition, {0, 1}));
    EXPECT_TRUE(GameFramework::IsSamePosition(anna->bestPosition, {0, 0}));
    const ProfileBase* bea = manager->FindProfile(u"Bea");
    EXPECT_TRUE(GameFramework::IsSamePosition(bea->currentPosition, {0, 0}));
    EXPECT_TRUE(GameFramework::IsSamePosition(bea->bestPosition, {0, 1}));
}

TEST_F(ProfileManagerTest, VolumesGoBothWays)
{
    auto manager = Make();
    manager->ApplyProfileVolumes(); // no current profile: nothing
    EXPECT_EQ(volumes.music, 0.8f);
    manager->SetCurrentProfile(manager->CreateProfile(u"Anna"));
    manager->GetCurrentProfile()->musicVolume = 0.1f;
    manager->GetCurrentProfile()->soundVolume = 0.2f;
    manager->ApplyProfileVolumes();
    EXPECT_EQ(volumes.music, 0.1f);
    EXPECT_EQ(volumes.sound, 0.2f);
    volumes.music = 0.6f;
    manager->StoreProfileVolumes(*manager->GetCurrentProfile());
    auto again = Make();
    EXPECT_EQ(again->GetCurrentProfile()->musicVolume, 0.6f);
}

TEST_F(ProfileManagerTest, FailedSaveKeepsThePreviousManagerFile)
{
    AddProfileFile(u"Alice");
    auto manager = Make();
    const std::vector<uint8_t> previous = FrameworkTest::ReadBytes(ManagerPath());
    manager->SetCurrentProfile(nullptr);
    for (uint32_t limit = 0; limit < 24 + 13; ++limit) {
        VersionedFile::InjectWriteFailure(limit);
        EXPECT_FALSE(manager->Save()) << limit;
        EXPECT_EQ(FrameworkTest::ReadBytes(ManagerPath()), previous) << limit;
    }
    EXPECT_EQ(services.Errors().size(), 24u + 13u);
    EXPECT_EQ(FrameworkTest::CountEntries(services.UserRoot() + "/usersdata"), 2u); // the file and the folder
}

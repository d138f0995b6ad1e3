#include "framework/Profile.h"

#include "engine/core/Error.h"
#include "engine/render/Random.h"
#include "platform/os/CodePage.h"
#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include <limits>


using FrameworkTest::Bytes;
using GameFramework::LevelPosition;
using GameFramework::ProfileBase;
using GameFramework::VersionedFile;
using Petalwork::Profile;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    ProfileTest() { Platform::SetCodePage(Platform::CodePage::Windows1251); }
    ~ProfileTest() override { Platform::SetCodePage(Platform::CodePage::C); }

    std::unique_ptr<Profile> Make(const std::u16string& name)
    {
        return std::make_unique<Profile>(&services.log, &services.files, services.UserRoot(), name, 9);
    }
    std::unique_ptr<Profile> Load(const std::string& fileName)
    {
        return std::make_unique<Profile>(&services.log, &services.files, services.UserRoot(), fileName, 9);
    }
    std::string Folder() const { return services.UserRoot() + "/usersdata/profiles/"; }

    // The body of a profile file as the layout gives it.
    static Bytes Body(const std::u16string& name, uint32_t stage, uint32_t keptCount, uint32_t perStage)
    {
        Bytes b;
        b.Wide(name).U32(2).U32(1234).U32(stage).U32(3).U32(stage).U32(4).U8(1).U32(keptCount);
        for (uint32_t i = 0; i < keptCount && keptCount < 100; ++i)
            b.U32(i).U32(10 + i).U32(static_cast<uint32_t>(-1));
        b.U8(1).F32(0.25f).F32(0.75f).U32(perStage);
        for (uint32_t i = 0; i < perStage && perStage < 100; ++i)
            b.U32(100 + i);
        b.U8(0).U8(1);
        return b;
    }

    FrameworkTest::FileServices services;
};

// The digits the shared generator gives after `seed`, as the file name takes them.
std::string Digits(uint32_t seed, size_t count)
{
    std::string digits;
    for (size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        digits += static_cast<char>('0' + ((seed >> 16) & 0x7fff) % 10);
    }
    return digits;
}

} // namespace

TEST_F(ProfileTest, FileNamesTakeTheLettersAndRandomDigitsUpToSixteen)
{
    const struct {
        std::u16string name;
        std::string stem;
    } cases[] = {
        {u"  Anna Lee ", "annalee_"},
        {u"123", "_"},
        {u"Abcdefghijklmn", "abcdefghijklmn_"},
        {u"abcdefghijklmno", "abcdefghijklmno"},
        {u"ABCDEFGHIJKLMNOPQ", "abcdefghijklmnopq"},
        {u"\u0410\u043d\u043d\u0430", "_"},
        {u"Bob \u0416 x", "bobx_"},
    };
    uint32_t seed = 777;
    for (const auto& c : cases) {
        VantoranEngine::RandomSeed = ++seed; // no two cases draw the same digits
        auto profile = Make(c.name);
        const size_t digits = c.stem.back() == '_' ? 16 - c.stem.size() : 0;
        EXPECT_EQ(profile->GetFileName(), c.stem + Digits(seed, digits) + ".prf");
        EXPECT_TRUE(std::filesystem::exists(Folder() + profile->GetFileName()));
    }
}

TEST_F(ProfileTest, NewProfileDefaultsAndItsFirstBytes)
{
    auto profile = Make(u" Anna ");
    EXPECT_EQ(profile->name, u"Anna");
    EXPECT_EQ(profile->livesCarried, 4);
    EXPECT_TRUE(profile->newProfile);
    Bytes body;
    body.Wide(u"Anna").U32(4).U32(0).U32(0).U32(0).U32(0).U32(0).U8(0).U32(0).U8(0).F32(0.5f).F32(0.5f).U32(9);
    for (int i = 0; i < 9; ++i)
        body.U32(0);
    body.U8(1).U8(1);
    const std::vector<uint8_t> bytes = FrameworkTest::ReadBytes(Folder() + profile->GetFileName());
    EXPECT_EQ(bytes.size(), 104u);
    EXPECT_EQ(bytes, body.WithHeader("PWPRF", 107));
}

TEST_F(ProfileTest, EveryFieldAndTheKeptRecordsSurviveLoadAndSave)
{
    const std::vector<uint8_t> file = Body(u"Zoe", 1, 2, 9).WithHeader("PWPRF", 107);
    FrameworkTest::WriteBytes(Folder() + "zoe.prf", file);
    auto profile = Load("zoe.prf");
    EXPECT_FALSE(profile->newProfile);
    EXPECT_EQ(profile->name, u"Zoe");
    EXPECT_EQ(profile->livesCarried, 2);
    EXPECT_EQ(profile->totalScore, 1234);
    EXPECT_TRUE(GameFramework::IsSamePosition(profile->currentPosition, {1, 3}));
    EXPECT_TRUE(GameFramework::IsSamePosition(profile->bestPosition, {1, 4}));
    EXPECT_TRUE(profile->gameCompleted);
    ASSERT_EQ(profile->keptRecords.size(), 2u);
    EXPECT_EQ(profile->keptRecords[1].values[1], 11);
    EXPECT_TRUE(profile->savedGame);
    EXPECT_EQ(profile->musicVolume, 0.25f);
    EXPECT_EQ(profile->soundVolume, 0.75f);
    EXPECT_EQ(profile->perStageValues[8], 108);
    EXPECT_FALSE(profile->introComicPending);
    EXPECT_TRUE(profile->relaxQuestionPending);

    std::filesystem::remove(Folder() + "zoe.prf");
    ASSERT_TRUE(profile->Save());
    EXPECT_EQ(FrameworkTest::ReadBytes(Folder() + "zoe.prf"), file);
}

TEST_F(ProfileTest, PerStageListKeepsItsLengthAndCountsAreChecked)
{
    FrameworkTest::WriteBytes(Folder() + "short.prf", Body(u"A", 0, 0, 3).WithHeader("PWPRF", 107));
    EXPECT_EQ(Load("short.prf")->perStageValues, (std::vector<int32_t>{100, 101, 102, 0, 0, 0, 0, 0, 0}));
    FrameworkTest::WriteBytes(Folder() + "long.prf", Body(u"A", 0, 0, 12).WithHeader("PWPRF", 107));
    EXPECT_EQ(Load("long.prf")->perStageValues.size(), 9u);

    // A count promising more than the file holds fails without a large allocation.
    FrameworkTest::WriteBytes(Folder() + "bad.prf", Body(u"A", 0, 0xFFFFFFFFu, 0).WithHeader("PWPRF", 107));
    EXPECT_THROW(Load("bad.prf"), VantoranEngine::Error);
    FrameworkTest::WriteBytes(Folder() + "bad2.prf", Body(u"A", 0, 0, 0x40000000u).WithHeader("PWPRF", 107));
    EXPECT_THROW(Load("bad2.prf"), VantoranEngine::Error);
    EXPECT_THROW(Load("missing.prf"), VantoranEngine::Error);
    const auto errors = services.Errors();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], "\nError: Incorrect \"" + services.UserRoot() + "\\usersdata\\profiles\\bad.prf\" file format!\n\n");
}

TEST_F(ProfileTest, RenameTrimsRefusesAnEmptyNameAndKeepsTheFileName)
{
    auto profile = Make(u"Anna");
    const std::string fileName = profile->GetFileName();
    EXPECT_FALSE(profile->Rename(u"   "));
    EXPECT_EQ(profile->name, u"Anna");
    EXPECT_TRUE(profile->Rename(u" Zoe "));
    EXPECT_EQ(profile->name, u"Zoe");
    EXPECT_EQ(profile->GetFileName(), fileName);
    EXPECT_EQ(Load(fileName)->name, u"Zoe");
    profile->DeleteFile();
    EXPECT_FALSE(std::filesystem::exists(Folder() + fileName));
}

// Two profiles whose names have the same 15 or more letters still get files of their own.
TEST_F(ProfileTest, LongNamesSharingTheirLettersGetCountedFileNames)
{
    auto first = Make(u"Abcdefghijklmnop");
    auto second = Make(u"abcdefghijklmnop!");
    auto third = Make(u"ABCDEFGHIJKLMNOP");
    EXPECT_EQ(first->GetFileName(), "abcdefghijklmnop.prf");
    EXPECT_EQ(second->GetFileName(), "abcdefghijklmnop_1.prf");
    EXPECT_EQ(third->GetFileName(), "abcdefghijklmnop_2.prf");
}

TEST_F(ProfileTest, FailedSaveAtAnyByteKeepsThePreviousFileAndLogsIt)
{
    auto profile = Make(u"Anna");
    const std::string path = Folder() + profile->GetFileName();
    const std::vector<uint8_t> previous = FrameworkTest::ReadBytes(path);
    profile->totalScore = 999;
    for (uint32_t limit = 0; limit < 104 + 13; ++limit) {
        VersionedFile::InjectWriteFailure(limit);
        EXPECT_FALSE(profile->Save()) << limit;
        EXPECT_EQ(FrameworkTest::ReadBytes(path), previous) << limit;
        EXPECT_EQ(FrameworkTest::CountEntries(Folder()), 1u) << limit;
    }
    EXPECT_EQ(services.Errors().size(), 104u + 13u);
    EXPECT_EQ(profile->totalScore, 999);
    VersionedFile::InjectWriteFailure(std::nullopt);
    EXPECT_TRUE(profile->Save());
    EXPECT_EQ(Load(profile->GetFileName())->totalScore, 999);
}

TEST_F(ProfileTest, PositionsMoveForwardOnly)
{
    auto profile = Make(u"Anna");
    GameFramework::SetProfilePosition({2, 3}, *profile);
    EXPECT_TRUE(GameFramework::IsSamePosition(Load(profile->GetFileName())->currentPosition, {2, 3}));

    profile->bestPosition = {1, 2};
    const struct {
        LevelPosition at;
        bool completed;
        LevelPosition best;
        bool bestCompleted;
    } cases[] = {
        {{1, 1}, true, {1, 2}, false},  // behind
        {{0, 4}, false, {1, 2}, false}, // an earlier stage
        {{1, 2}, false, {1, 2}, false}, // the same, not completing
        {{1, 2}, true, {1, 2}, true},   // the same, completing
        {{1, 3}, false, {1, 3}, false}, // beyond: the flag follows
        {{2, 0}, false, {2, 0}, false},
    };
    for (const auto& c : cases) {
        GameFramework::UpdateBestPosition(c.at, c.completed, *profile);
        EXPECT_TRUE(GameFramework::IsSamePosition(profile->bestPosition, c.best)) << c.at.stage << "-" << c.at.level;
        EXPECT_EQ(profile->gameCompleted, c.bestCompleted) << c.at.stage << "-" << c.at.level;
    }
    EXPECT_TRUE(GameFramework::IsSamePosition(Load(profile->GetFileName())->bestPosition, {2, 0}));
}

TEST_F(ProfileTest, DamagedNamesAndVolumesAreRefusedOrKeptInRange)
{
    struct Case {
        std::u16string name;
        float music;
        float sound;
        bool loads;
        std::u16string loadedName;
        float loadedMusic;
        float loadedSound;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {u"", 0.25f, 0.75f, false, u"", 0, 0},
        {u"   ", 0.25f, 0.75f, false, u"", 0, 0},
        {u" Zoe ", 0.25f, 0.75f, true, u"Zoe", 0.25f, 0.75f},
        {u"Zoe", nan, 7.0f, true, u"Zoe", 0.5f, 1.0f},
        {u"Zoe", -3.0f, std::numeric_limits<float>::infinity(), true, u"Zoe", 0.0f, 1.0f},
    };
    for (const Case& c : cases) {
        Bytes b;
        b.Wide(c.name).U32(2).U32(1234).U32(0).U32(0).U32(0).U32(0).U8(0).U32(0);
        b.U8(1).F32(c.music).F32(c.sound).U32(0).U8(0).U8(1);
        FrameworkTest::WriteBytes(Folder() + "damaged.prf", b.WithHeader("PWPRF", 107));
        if (!c.loads) {
            EXPECT_THROW(Load("damaged.prf"), VantoranEngine::Error);
            continue;
        }
        const auto profile = Load("damaged.prf");
        EXPECT_EQ(profile->name, c.loadedName);
        EXPECT_EQ(profile->musicVolume, c.loadedMusic);
        EXPECT_EQ(profile->soundVolume, c.loadedSound);
    }
}

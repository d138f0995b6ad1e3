// The bonus tally of a won level without models: which bonuses it keeps, where it lays them out, the
// order a stage's records earn, when items appear, and the record it stores.

#include "game/board/ChipManager.h"
#include "game/board/EngineRandom.h"
#include "game/board/LevelComplete.h"

#include "engine/core/MessageManager.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/files/FileManager.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManager.h"
#include "framework/ScoreKeeper.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace Petalwork;

namespace {

struct Recorder : SoundSink {
    void PlaySound(BoardSound sound) override { played.push_back(static_cast<int>(sound)); }
    int Count(int id) const { return static_cast<int>(std::count(played.begin(), played.end(), id)); }
    std::vector<int> played;
};

struct NoPopups : ScoreGroups {
    void BeginGroup() override {}
    void AddChip(const ChipLogic&) override {}
    void EndGroup() override {}
    void FinalizeGroups() override {}
    void ShowCombo(int) override {}
    void ShowBonus(BoardPoint, const char*, int, bool) override {}
};

class LevelCompleteTest : public ::testing::Test {
protected:
    LevelCompleteTest()
    {
        settings.tallyInterval = 0.5f;
        settings.bonusCaptionTime = 1.0f;
        settings.bonusCaptionRiseSpeed = 10.0f;
        settings.tallyItemSpeed = 400.0f;
        settings.tallyItemAcceleration = 400.0f;
        settings.tallyFlightDistance = {50.0f, 100.0f};
        settings.tallyFlightRise = {20.0f, 60.0f};
        settings.tallyFlightHighestY = 560.0f;
        settings.flyingSpin = {2.0f, 6.0f};
        stage.levelCount = 5;
        stage.flowerKinds = {0, 1, 2};
        stage.silverThreshold = 8;
        stage.goldThreshold = 14;
        level.stageIndex = 1;
        level.levelIndex = 2;
    }

    // Runs frames until phase 2 begins (no carrier: phase 0 ends at once; no chips: phase 1 too).
    void ToPhaseTwo(LevelComplete& tally)
    {
        tally.running = true;
        tally.Begin();
        for (int i = 0; i < 3 && tally.Phase() != 2; ++i)
            tally.Update(dt);
        ASSERT_EQ(tally.Phase(), 2);
    }

    const float dt = 0.1f;
    Recorder sounds;
    NoPopups popups;
    ChipSettings chipSettings;
    ChipCounters counters;
    ChipContext chipContext{chipSettings, sounds, counters, nullptr, nullptr, {0, 1, 2}, {}, {}, nullptr};
    GameSettings settings;
    GameFramework::StageInfo stage;
    GameFramework::LevelInfo level;
    GameFramework::ScoreKeeper score;
    LevelProgress progress{100u, 2, 0};
    PowerupManager powerups{sounds, 5.0f, 5.0f};
    EngineRandom random;
    ChipManager chips{chipContext, settings, stage, score, progress, powerups, popups, sounds, random,
                      nullptr,     nullptr,  {},    nullptr};
    LevelCompletePrototypes prototypes;
    LevelCompleteContext context{nullptr, nullptr, nullptr, nullptr, settings, sounds, random, chips, counters, nullptr};
};

} // namespace

TEST_F(LevelCompleteTest, ABonusAwardedTwiceIsKeptOnceInAwardOrder)
{
    LevelComplete tally(context, prototypes, stage, level);
    tally.AddBonus(LevelBonusKind::Bomb);
    tally.AddBonus(LevelBonusKind::Wings);
    tally.AddBonus(LevelBonusKind::Bomb);
    ASSERT_EQ(tally.Items().size(), 2u);
    EXPECT_EQ(tally.Items()[0]->kind, LevelBonusKind::Bomb);
    EXPECT_EQ(tally.Items()[1]->kind, LevelBonusKind::Wings);
    EXPECT_FLOAT_EQ(tally.Items()[0]->captionTime, settings.bonusCaptionTime);
    EXPECT_GE(tally.Items()[0]->spinSpeed, 2.0f);
    EXPECT_LT(tally.Items()[0]->spinSpeed, 6.0f);
}

TEST(LevelCompleteRules, TheStageRecordsChooseTheOrder)
{
    struct Case {
        int32_t sum;
        LevelComplete::Order order;
    };
    for (const Case& c : {Case{7, LevelComplete::Order::Copper}, Case{8, LevelComplete::Order::Silver},
                          Case{13, LevelComplete::Order::Silver}, Case{14, LevelComplete::Order::Gold}})
        EXPECT_EQ(LevelComplete::ChooseOrder(c.sum, 8, 14), c.order) << c.sum;
}

TEST(LevelCompleteRules, ItemsAreLaidOutByTheirCount)
{
    EXPECT_TRUE(LevelComplete::Layout(0).empty());
    const auto one = LevelComplete::Layout(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_FLOAT_EQ(one[0].x, 400.0f);
    EXPECT_FLOAT_EQ(one[0].y, 473.0f);
    const auto four = LevelComplete::Layout(4);
    const BoardPoint expected[] = {{281, 424}, {357, 468}, {443, 468}, {519, 424}};
    ASSERT_EQ(four.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(four[i].x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(four[i].y, expected[i].y) << i;
    }
    for (size_t n = 1; n <= 6; ++n)
        EXPECT_EQ(LevelComplete::Layout(n).size(), n);
    EXPECT_FLOAT_EQ(LevelComplete::Layout(6)[5].x, 565.0f);
    EXPECT_FLOAT_EQ(LevelComplete::Layout(6)[5].y, 350.0f);
}

TEST_F(LevelCompleteTest, ItemsAppearOnTheSecondFrameOfPhaseTwoThenEveryInterval)
{
    LevelComplete tally(context, prototypes, stage, level);
    for (LevelBonusKind kind : {LevelBonusKind::Wings, LevelBonusKind::Dollar, LevelBonusKind::Bomb,
                                LevelBonusKind::Baskets})
        tally.AddBonus(kind);
    ToPhaseTwo(tally);
    // Laid out by the count of four; the two on the left fly off to the left.
    EXPECT_FLOAT_EQ(tally.Items()[0]->x, 281.0f);
    EXPECT_FLOAT_EQ(tally.Items()[3]->y, 424.0f);
    for (size_t i = 0; i < 4; ++i) {
        const auto& path = tally.Items()[i]->path;
        ASSERT_NE(path, nullptr);
        if (i < 2)
            EXPECT_LT(path->points.back().x, tally.Items()[i]->x) << i;
        else
            EXPECT_GT(path->points.back().x, tally.Items()[i]->x) << i;
        EXPECT_FLOAT_EQ(path->points.back().y, LevelComplete::flightEndY);
    }

    tally.Update(dt);
    EXPECT_EQ(tally.ShownCount(), 0u);
    tally.Update(dt);
    EXPECT_EQ(tally.ShownCount(), 1u);
    EXPECT_EQ(sounds.Count(40), 1);
    // The interval of 0.5 s: not within five frames of 0.1 s, and once the timer has run below 0.
    for (int i = 0; i < 5; ++i) {
        tally.Update(dt);
        EXPECT_EQ(tally.ShownCount(), 1u) << i;
    }
    tally.Update(dt);
    tally.Update(dt);
    EXPECT_EQ(tally.ShownCount(), 2u);
    // Every item, then every caption runs out; without an order the items fly and the carrier leaves.
    for (int i = 0; i < 200 && !tally.done; ++i)
        tally.Update(dt);
    EXPECT_TRUE(tally.closing);
    EXPECT_TRUE(tally.done);
    EXPECT_EQ(sounds.Count(54), 1);
    EXPECT_EQ(sounds.Count(57), 0);
    EXPECT_FALSE(tally.HasOrder());
}

TEST_F(LevelCompleteTest, TheRecordIsStoredAndTheLastLevelOfAStageEarnsItsOrder)
{
    TempFolder folder;
    VantoranEngine::MessageManager log("", "", "tally-test", false, false);
    VantoranEngine::MemoryManager memory(&log);
    VantoranEngine::FileManager files(&log, &memory, folder.Path(), "");
    ProfileManager profiles(&log, &files, nullptr, folder.Path(), nullptr);
    GameFramework::ProfileBase* profile = profiles.CreateProfile(u"Tally");
    ASSERT_NE(profile, nullptr);
    profiles.SetCurrentProfile(profile);
    context.profiles = &profiles;
    // Earlier levels of the stage earned 3 + 4 bonuses.
    profiles.SetLevelRecord({1, 0}, 3);
    profiles.SetLevelRecord({1, 1}, 4);

    {
        // A level with no bonus stores 0 and closes at once.
        LevelComplete tally(context, prototypes, stage, level);
        ToPhaseTwo(tally);
        EXPECT_EQ(profiles.GetLevelRecord({1, 2}), 0);
        EXPECT_FALSE(tally.HasOrder());
        tally.Update(dt);
        EXPECT_TRUE(tally.closing);
        EXPECT_EQ(tally.ShownCount(), 0u);
    }
    struct Case {
        int bonuses;
        LevelComplete::Order order;
    };
    // 7 before the last level: 0 more stays copper, 1 more reaches silver; 7 more would give gold.
    for (const Case& c : {Case{0, LevelComplete::Order::Copper}, Case{1, LevelComplete::Order::Silver},
                          Case{6, LevelComplete::Order::Gold}}) {
        level.levelIndex = 4;
        profiles.SetLevelRecord({1, 2}, 0);
        profiles.SetLevelRecord({1, 3}, c.bonuses == 6 ? 1 : 0);
        LevelComplete tally(context, prototypes, stage, level);
        for (int k = 0; k < std::min(c.bonuses, 6); ++k)
            tally.AddBonus(static_cast<LevelBonusKind>(k));
        ToPhaseTwo(tally);
        EXPECT_EQ(profiles.GetLevelRecord({1, 4}), std::min(c.bonuses, 6)) << c.bonuses;
        ASSERT_TRUE(tally.HasOrder()) << c.bonuses;
        EXPECT_EQ(tally.ChosenOrder(), c.order) << c.bonuses;
    }
}

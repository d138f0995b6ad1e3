#include "game/board/ScoreManager.h"

#include "engine/render/ServicesFixture.h"
#include "engine/render/gui/GUITextManager.h"

#include <gtest/gtest.h>

using Petalwork::BoardPoint;
using Petalwork::ChipLogic;
using Petalwork::ScoreManager;

namespace {

class ScoreManagerTest : public ServicesFixture {
protected:
    ScoreManagerTest()
    {
        texts.AddText("COMBO_X", u"Combo x");
        texts.AddText("GOOD_COMBO_X", u"Good combo x");
        texts.AddText("EXCELLENT_COMBO_X", u"Excellent combo x");
        texts.AddText("PERFECT_COMBO_X", u"Perfect combo x");
        texts.AddText("POWERUP_VORTEX", u"Vortex!");
        for (int i = 0; i < 6; ++i) {
            chips[i].points = 10 * (i + 1);
            chips[i].position = {100.0f + 50.0f * i, 200.0f};
        }
    }

    static Petalwork::PopupSettings Settings()
    {
        Petalwork::PopupSettings s;
        s.comboRise = 30.0f;
        s.comboAlpha = 1.0f;
        s.comboFade = 1.0f;
        s.comboPosition = {400.0f, 330.0f};
        s.textAlpha = 1.0f;
        s.textRise = 40.0f;
        s.textFade = 1.0f;
        return s;
    }

    void Group(std::initializer_list<int> members)
    {
        scores.BeginGroup();
        for (int i : members)
            scores.AddChip(chips[i]);
        scores.EndGroup();
    }

    VantoranEngine::GUITextManager texts{&log, &memory, &files};
    Petalwork::PopupSettings settings = Settings();
    ScoreManager scores{texts, settings};
    ChipLogic chips[6];
};

} // namespace

TEST_F(ScoreManagerTest, MatchesSharingAChipGiveOnePopupWithEachChipOnce)
{
    // An L shape found from two cells: the corner chip 2 is in both matches.
    Group({0, 1, 2});
    Group({2, 3, 4});
    ASSERT_EQ(scores.groups.size(), 1u);
    EXPECT_EQ(scores.groups[0]->sharedChip, &chips[2]);
    scores.FinalizeGroups();
    const auto& group = *scores.groups[0];
    EXPECT_TRUE(group.active);
    EXPECT_EQ(group.points, (std::vector<int>{10, 20, 30, 40, 50}));
    ASSERT_EQ(group.positions.size(), 5u);
    EXPECT_FLOAT_EQ(group.positions[4].x, 300.0f);
    EXPECT_TRUE(group.chips.empty());
}

TEST_F(ScoreManagerTest, BombVictimsJoinThePendingMatchButNotAFinishedOne)
{
    Group({0, 1, 2});
    scores.FinalizeGroups();
    Group({3, 4});
    Group({4, 5, 4}); // the bomb chip 4 listed twice, its victim 5
    Group({0, 5});    // 0 is in an active group only; 5 is pending: joins the second group
    ASSERT_EQ(scores.groups.size(), 2u);
    scores.FinalizeGroups();
    EXPECT_EQ(scores.groups[0]->points, (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(scores.groups[1]->points, (std::vector<int>{40, 50, 60, 10}));
}

TEST_F(ScoreManagerTest, EmptyGroupIsDropped)
{
    Group({});
    EXPECT_TRUE(scores.groups.empty());
    scores.AddChip(chips[0]); // no group open: ignored
    EXPECT_TRUE(scores.groups.empty());
}

TEST_F(ScoreManagerTest, PointsAndPositionsAreTakenWhenFinalized)
{
    Group({0});
    chips[0].points = 77;
    chips[0].position = {1.0f, 2.0f};
    scores.FinalizeGroups();
    EXPECT_EQ(scores.groups[0]->points, std::vector<int>{77});
    EXPECT_FLOAT_EQ(scores.groups[0]->positions[0].y, 2.0f);
}

TEST_F(ScoreManagerTest, ComboCaptionTable)
{
    struct Case {
        int n;
        const char16_t* text;
    };
    const Case cases[] = {
        {0, nullptr},
        {1, nullptr},
        {2, u"Combo x3"},
        {3, u"Good combo x4"},
        {4, u"Excellent combo x5"},
        {5, u"Perfect combo x6"},
        {7, u"Perfect combo x8"},
    };
    for (const Case& c : cases) {
        ScoreManager fresh(texts, settings);
        fresh.ShowCombo(c.n);
        if (!c.text) {
            EXPECT_TRUE(fresh.comboCaptions.empty()) << c.n;
            continue;
        }
        ASSERT_EQ(fresh.comboCaptions.size(), 1u) << c.n;
        EXPECT_EQ(fresh.comboCaptions[0].text, c.text);
        EXPECT_FLOAT_EQ(fresh.comboCaptions[0].position.x, 400.0f);
        EXPECT_FLOAT_EQ(fresh.comboCaptions[0].alpha, 1.0f);
    }
}

TEST_F(ScoreManagerTest, PowerupCaptionsByKey)
{
    scores.ShowPowerup({10, 20}, Petalwork::PowerupKind::Tornado);
    scores.ShowPowerup({10, 20}, Petalwork::PowerupKind::Horn); // no such text loaded
    scores.ShowPowerup({10, 20}, Petalwork::PowerupKind::None);
    ASSERT_EQ(scores.powerupCaptions.size(), 3u);
    EXPECT_EQ(scores.powerupCaptions[0].text, u"Vortex!");
    EXPECT_EQ(scores.powerupCaptions[1].text, u"UNKNOWN");
    EXPECT_EQ(scores.powerupCaptions[2].text, u"");
}

TEST_F(ScoreManagerTest, FloatingTextLivesOneSecond)
{
    scores.ShowText({100, 100}, u"+500");
    int frames = 0;
    while (!scores.floatingTexts.empty() && frames < 100) {
        scores.Update(0.1f);
        ++frames;
    }
    // Ten frames fade it to about 0; it goes on the first update after its alpha is below 0.
    EXPECT_GE(frames, 11);
    EXPECT_LE(frames, 12);
}

TEST_F(ScoreManagerTest, PopupRisesFadesAndLivesOneSecond)
{
    Group({0});
    scores.Update(0.1f); // pending groups neither move nor age
    EXPECT_FLOAT_EQ(scores.groups[0]->alpha, 5.0f);
    scores.FinalizeGroups();
    scores.Update(0.1f);
    EXPECT_FLOAT_EQ(scores.groups[0]->positions[0].y, 204.0f);
    EXPECT_FLOAT_EQ(scores.groups[0]->alpha, 4.5f);
    int frames = 1;
    while (!scores.groups.empty() && frames < 100) {
        scores.Update(0.1f);
        ++frames;
    }
    EXPECT_GE(frames, 11);
    EXPECT_LE(frames, 12);
}

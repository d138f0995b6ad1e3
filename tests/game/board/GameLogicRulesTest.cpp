// The running level's rules that stand on their own: extra lives by score, the level bonuses at the
// boundaries of their counters, the relax-mode offer and the order tips.

#include "game/board/GameLogic.h"

#include <gtest/gtest.h>

using Petalwork::GameLogic;
using Petalwork::LevelBonusKind;

TEST(GameLogicRules, ExtraLivesComeFromMultiplesBelowTheNewScore)
{
    struct Case {
        int32_t seen, total, perLife, lives;
    };
    const Case cases[] = {
        {9990, 10000, 10000, 0},  // the multiple is not below the new total
        {10000, 10010, 10000, 1}, // the next change from it pays
        {0, 25000, 10000, 0},     // a change from 0 never pays
        {5000, 35000, 10000, 1},  // across several multiples: one life
        {10010, 19990, 10000, 0}, // no multiple in between
        {5000, 35000, 0, 0},      // no step: no lives (and no division by zero)
        {5000, 35000, -100, 0},
        {35000, 5000, 10000, 0},  // the score never pays going down
    };
    for (const Case& c : cases)
        EXPECT_EQ(GameLogic::ExtraLives(c.seen, c.total, c.perLife), c.lives)
            << c.seen << " -> " << c.total << " step " << c.perLife;
}

TEST(GameLogicRules, EachLevelBonusAtItsBoundary)
{
    struct Case {
        const char* what;
        void (*set)(GameLogic::EndCounters&);
        bool earned;
        LevelBonusKind kind;
    };
    using C = GameLogic::EndCounters;
    const Case cases[] = {
        {"par time reached", [](C& c) { c.levelTime = 100.0f; }, false, LevelBonusKind::Wings},
        {"under par", [](C& c) { c.levelTime = 99.9f; }, true, LevelBonusKind::Wings},
        {"4 powerups", [](C& c) { c.powerupsPickedUp = 4; }, false, LevelBonusKind::Dollar},
        {"5 powerups", [](C& c) { c.powerupsPickedUp = 5; }, true, LevelBonusKind::Dollar},
        {"third scissors", [](C& c) { c.thirdScissorsPair = true; }, true, LevelBonusKind::Dollar},
        {"4 effects", [](C& c) { c.bonusEffects = 4; }, false, LevelBonusKind::Bomb},
        {"5 effects", [](C& c) { c.bonusEffects = 5; }, true, LevelBonusKind::Bomb},
        {"combo 5", [](C& c) { c.matchCounter = 5; }, false, LevelBonusKind::Flowers},
        {"combo 6", [](C& c) { c.matchCounter = 6; }, true, LevelBonusKind::Flowers},
        {"500 chips", [](C& c) { c.chipsCollected = 500; }, false, LevelBonusKind::Flowers},
        {"501 chips", [](C& c) { c.chipsCollected = 501; }, true, LevelBonusKind::Flowers},
        {"10 stones", [](C& c) { c.stonesCollected = 10; }, false, LevelBonusKind::Flowers},
        {"11 stones", [](C& c) { c.stonesCollected = 11; }, true, LevelBonusKind::Flowers},
        {"20 frozen", [](C& c) { c.frozenCollected = 20; }, false, LevelBonusKind::Flowers},
        {"21 frozen", [](C& c) { c.frozenCollected = 21; }, true, LevelBonusKind::Flowers},
        {"3 quick gains", [](C& c) { c.quickGains = 3; }, false, LevelBonusKind::Baskets},
        {"4 quick gains", [](C& c) { c.quickGains = 4; }, true, LevelBonusKind::Baskets},
        {"5 quick baskets", [](C& c) { c.quickBaskets = 5; }, false, LevelBonusKind::Baskets},
        {"6 quick baskets", [](C& c) { c.quickBaskets = 6; }, true, LevelBonusKind::Baskets},
        {"many layers", [](C& c) { c.manyLayers = true; }, true, LevelBonusKind::Powerups},
    };
    for (const Case& c : cases) {
        C counters;
        counters.levelTime = 200.0f;
        counters.parTime = 100.0f;
        c.set(counters);
        const auto bonuses = GameLogic::AwardedBonuses(counters);
        if (c.earned) {
            ASSERT_EQ(bonuses.size(), 1u) << c.what;
            EXPECT_EQ(bonuses[0], c.kind) << c.what;
        } else {
            EXPECT_TRUE(bonuses.empty()) << c.what;
        }
    }
    // Several at once come in the order they are tested.
    C all;
    all.levelTime = 1.0f;
    all.parTime = 2.0f;
    all.manyLayers = true;
    all.bonusEffects = 9;
    EXPECT_EQ(GameLogic::AwardedBonuses(all),
              (std::vector<LevelBonusKind>{LevelBonusKind::Wings, LevelBonusKind::Bomb, LevelBonusKind::Powerups}));
}

TEST(GameLogicRules, TheRelaxOfferNeedsEveryCondition)
{
    const GameFramework::LevelPosition last{2, 4};
    EXPECT_TRUE(GameLogic::RelaxOffer(last, false, last, 5, "0"));
    EXPECT_FALSE(GameLogic::RelaxOffer({3, 0}, false, last, 5, "0"));       // best position beyond it
    EXPECT_FALSE(GameLogic::RelaxOffer(last, true, last, 5, "0"));          // game completed
    EXPECT_FALSE(GameLogic::RelaxOffer({1, 4}, false, {1, 4}, 5, "0"));     // another stage
    EXPECT_FALSE(GameLogic::RelaxOffer({2, 3}, false, {2, 3}, 5, "0"));     // not the last level
    EXPECT_FALSE(GameLogic::RelaxOffer(last, false, last, 5, "1"));         // relax mode already on
}

TEST(GameLogicRules, OrderTipsFollowTheLastLevelOfTheSecondStage)
{
    EXPECT_TRUE(GameLogic::HasOrderTips({1, 4}, 5));
    EXPECT_FALSE(GameLogic::HasOrderTips({1, 3}, 5));
    EXPECT_FALSE(GameLogic::HasOrderTips({0, 4}, 5));
    EXPECT_FALSE(GameLogic::HasOrderTips({2, 4}, 5));
}

#include "BasketFixture.h"

#include "engine/render/gui/GUITextManager.h"
#include "framework/ScoreKeeper.h"
#include "game/board/BasketProgress.h"
#include "game/board/ChipManager.h"
#include "game/board/EngineRandom.h"
#include "game/board/ModelPlayer.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/LevelProgress.h"

#include <gtest/gtest.h>

#include <set>

using Petalwork::Basket;
using Petalwork::BasketHandle;
using Petalwork::BasketMode;
using Petalwork::BasketProgress;
using Petalwork::PanelState;

namespace {

class BasketProgressTest : public BasketFixture {
protected:
    void SetUp() override
    {
        BasketFixture::SetUp();
        stage.flowerKinds = {3, 9, 12, 0, 1};
        stage.flowerKindCount = 5;
        stage.basketPlaces = 3;
        stage.spawnInterval = 1.0f;
        stage.orderSizeLimit = 3;
        stage.startSpeed = 20.0f;
        stage.endSpeed = 40.0f;
        stage.speedPerBasket = 1.0f;
        level.levelTime = 60.0f;
        level.orderEntryMin = 2;
        level.orderEntryMax = 4;
        level.goalCount = 5;
        score.SetPoints(BasketProgress::basketFilledEvent, 500);
        texts.AddText("QUICK_BASKET_BONUS", u"Quick");
        texts.AddText("BASKET_EDGE_BONUS", u"Edge");
        texts.AddText("EXTRA_BASKET_BONUS", u"Extra");
    }

    void TearDown() override
    {
        chips.reset();
        progress.reset();
        BasketFixture::TearDown();
    }

    BasketProgress& Make(int kind, bool relax = false)
    {
        progress.reset(); // before what it refers to
        level.levelKind = kind;
        goal = std::make_unique<Petalwork::LevelProgress>(5u, kind, 0);
        context = std::make_unique<Petalwork::BasketProgressContext>(Petalwork::BasketProgressContext{
            *models, *systems, prototypes, panel, settings, sounds, score, popups, powerups, *goal, texts,
            nullptr, nullptr, relax});
        progress = std::make_unique<BasketProgress>(*context, stage, level);
        progress->slide.state = PanelState::Shown;
        progress->slide.offset = 0.0f;
        return *progress;
    }

    void Run(int frames, bool hold = false)
    {
        for (int i = 0; i < frames; ++i) {
            progress->Update(dt, hold);
            Frame();
        }
    }

    // Frames until every entry of every basket is open.
    void OpenAll()
    {
        for (int i = 0; i < 200; ++i) {
            bool all = true;
            for (const auto& e : progress->GetBaskets())
                for (const auto& entry : e.basket->order)
                    all = all && entry.open;
            if (all)
                return;
            Run(1);
        }
        FAIL() << "entries never opened";
    }

    // Sends and lands every chip the basket wants.
    void Fill(const BasketProgress::Entry& e)
    {
        const BasketHandle handle = e.handle;
        std::vector<int> kinds;
        for (const auto& entry : e.basket->order)
            for (int i = 0; i < entry.toSend; ++i)
                kinds.push_back(entry.flowerKind);
        for (int kind : kinds)
            progress->ScoreBasket(handle, static_cast<unsigned>(kind));
    }

    struct NoGroups : Petalwork::ScoreGroups {
        void BeginGroup() override {}
        void AddChip(const Petalwork::ChipLogic&) override {}
        void EndGroup() override {}
        void FinalizeGroups() override {}
        void ShowCombo(int) override {}
        void ShowBonus(Petalwork::BoardPoint, const char*, int, bool) override {}
    };

    // The level's chip manager over these baskets (no models).
    Petalwork::ChipManager& Chips()
    {
        chipSettings.flightSpeed = 400.0f;
        chipSettings.flightAcceleration = 400.0f;
        chipContext = std::make_unique<Petalwork::ChipContext>(
            Petalwork::ChipContext{chipSettings, sounds, counters, progress.get(), nullptr, {3, 9, 12, 0, 1}, {}, {}});
        chips = std::make_unique<Petalwork::ChipManager>(*chipContext, settings, stage, score, *goal, powerups, groups,
                                                         sounds, random, nullptr, nullptr,
                                                         Petalwork::ChipManager::TrailPrototypes{}, progress.get());
        chips->SetHornBaskets(progress.get());
        return *chips;
    }

    // Frames of baskets and chips until no chip is left, at most `frames`.
    void Fly(int frames = 500)
    {
        for (int i = 0; i < frames && !chips->chips.empty(); ++i) {
            progress->Update(dt, false);
            chips->Update(dt);
            Frame();
        }
    }

    Petalwork::ChipLogic& Collect(unsigned kind)
    {
        Petalwork::ChipLogic& chip = chips->CreateChip({400.0f, 300.0f}, kind, false);
        chip.marked = true;
        chips->Collect(chip, false);
        return chip;
    }

    Petalwork::ChipSettings chipSettings;
    Petalwork::ChipCounters counters;
    std::unique_ptr<Petalwork::ChipContext> chipContext;
    NoGroups groups;
    Petalwork::EngineRandom random;
    GameFramework::StageInfo stage;
    GameFramework::LevelInfo level;
    GameFramework::ScoreKeeper score;
    VantoranEngine::GUITextManager texts{&log, &memory, &files};
    Petalwork::PopupSettings popupSettings;
    Petalwork::ScoreManager popups{texts, popupSettings};
    Petalwork::ConveyorPrototypes panel;
    std::unique_ptr<Petalwork::LevelProgress> goal;
    std::unique_ptr<Petalwork::BasketProgressContext> context;
    std::unique_ptr<BasketProgress> progress;
    std::unique_ptr<Petalwork::ChipManager> chips; // after the baskets it flies to
};

} // namespace

TEST_F(BasketProgressTest, SpawnsAfterTheFirstDelayWithDistinctKindsAndCountsInRange)
{
    BasketProgress& p = Make(0);
    Run(4); // first-basket delay 0.1 s
    EXPECT_TRUE(p.GetBaskets().empty());
    Run(2);
    ASSERT_EQ(p.GetBaskets().size(), 1u);
    for (int spawn = 0; spawn < 20; ++spawn) {
        Make(0);
        progress->firstBasketDelay = 0.0f;
        Run(1);
        ASSERT_EQ(progress->GetBaskets().size(), 1u);
        const Basket& b = *progress->GetBaskets()[0].basket;
        EXPECT_GE(b.GetEntryCount(), 1);
        EXPECT_LE(b.GetEntryCount(), 3);
        std::set<int> kinds;
        for (const auto& entry : b.order) {
            kinds.insert(entry.flowerKind);
            EXPECT_GE(entry.flowerKind, 0);
            EXPECT_LT(entry.flowerKind, 5);
            EXPECT_GE(entry.toSend, 2);
            EXPECT_LE(entry.toSend, 4);
        }
        EXPECT_EQ(kinds.size(), b.order.size());
    }
}

TEST_F(BasketProgressTest, ConveyorSpawnsEverySpawnIntervalWhileTheEntryIsFree)
{
    stage.startSpeed = stage.endSpeed = 100.0f; // clear of the entry within the interval
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(1);
    ASSERT_EQ(p.GetBaskets().size(), 1u);
    Run(40); // 0.8 s: the interval of 1 s has not passed
    EXPECT_EQ(p.GetBaskets().size(), 1u);
    Run(15);
    EXPECT_EQ(p.GetBaskets().size(), 2u);
    EXPECT_EQ(p.basketsSpawned, 2u);
}

TEST_F(BasketProgressTest, TwoConveyorsPutBasketsOnBothSides)
{
    BasketProgress& p = Make(8);
    p.firstBasketDelay = 0.0f;
    stage.spawnInterval = 0.2f;
    Run(1);
    ASSERT_EQ(p.GetBaskets().size(), 1u);
    EXPECT_FALSE(p.GetBaskets()[0].basket->left); // as many left as right: the right side
    Run(200);
    int left = 0, right = 0;
    for (const auto& e : p.GetBaskets())
        (e.basket->left ? left : right) += 1;
    EXPECT_GT(left, 0);
    EXPECT_GT(right, 0);
    for (const auto& e : p.GetBaskets())
        EXPECT_EQ(e.basket->position.x, e.basket->left ? 48.0f : 752.0f);
}

TEST_F(BasketProgressTest, PlacesFillFromTheTopAndCompactAfterAFill)
{
    BasketProgress& p = Make(1);
    p.firstBasketDelay = 0.0f;
    Run(200);
    ASSERT_EQ(p.GetBaskets().size(), 3u); // P = 3 places
    const float rows[] = {388.0f, 300.0f, 212.0f};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(p.GetBaskets()[i].basket->place, i);
        EXPECT_EQ(p.GetBaskets()[i].basket->position.y, rows[i]);
    }
    OpenAll();
    Fill(p.GetBaskets()[0]);
    EXPECT_EQ(goal->count, 1u);
    EXPECT_EQ(p.GetBaskets()[0].basket->place, -1);
    EXPECT_EQ(p.GetBaskets()[1].basket->place, 0); // moved up
    EXPECT_TRUE(p.GetBaskets()[1].basket->IsGliding());
    Run(100);
    EXPECT_EQ(p.GetBaskets()[0].basket->position.y, 388.0f);
    EXPECT_EQ(p.GetBaskets().size(), 3u); // the new one took the last place
    EXPECT_EQ(p.GetBaskets()[2].basket->place, 2);
}

TEST_F(BasketProgressTest, TwoColumnsUseHalfThePlacesOnEachSide)
{
    stage.basketPlaces = 4;
    BasketProgress& p = Make(9);
    p.firstBasketDelay = 0.0f;
    Run(300);
    ASSERT_EQ(p.GetBaskets().size(), 4u);
    std::set<std::pair<bool, int>> places;
    for (const auto& e : p.GetBaskets()) {
        places.insert({e.basket->left, e.basket->place});
        EXPECT_EQ(e.basket->position.y, e.basket->place == 0 ? 432.0f : 344.0f); // rows 0 and 1
    }
    EXPECT_EQ(places.size(), 4u);
}

TEST_F(BasketProgressTest, FindBasketForTakesOpenEntriesInSpawnOrderAndSealsAQuickGain)
{
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(1);
    const auto& e = p.GetBaskets()[0];
    const int kind = e.basket->order[0].flowerKind;
    EXPECT_FALSE(p.FindBasketFor(static_cast<unsigned>(kind))); // not open yet
    OpenAll();
    p.MarkUntouchedBaskets();
    EXPECT_TRUE(e.basket->untouchedMark);
    std::vector<int> kinds;
    for (const auto& entry : e.basket->order)
        for (int i = 0; i < entry.toSend; ++i)
            kinds.push_back(entry.flowerKind);
    for (size_t i = 0; i < kinds.size(); ++i) {
        const auto handle = p.FindBasketFor(static_cast<unsigned>(kinds[i]));
        ASSERT_TRUE(handle);
        EXPECT_EQ(handle->id, e.handle.id);
        EXPECT_EQ(e.basket->quickGainSeal, i + 1 == kinds.size());
    }
    EXPECT_FALSE(p.FindBasketFor(static_cast<unsigned>(kind))); // nothing left to send
    p.ClearUntouchedMarks();
    EXPECT_FALSE(e.basket->untouchedMark);
}

TEST_F(BasketProgressTest, ScoringAFilledBasketPaysItsBonusesWithCaptionsBesideItsSide)
{
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(1);
    OpenAll();
    const auto& e = p.GetBaskets()[0];
    const BasketHandle handle = e.handle;
    Fill(e); // quick: alive well within the flowers x 2 s
    EXPECT_EQ(score.total, 100 + 500);
    EXPECT_EQ(p.QuickBaskets(), 1u);
    EXPECT_EQ(goal->count, 1u);
    EXPECT_TRUE(e.basket->leaving);
    ASSERT_EQ(popups.floatingTexts.size(), 2u);
    EXPECT_EQ(popups.floatingTexts[0].text, u"Quick");
    EXPECT_EQ(popups.floatingTexts[1].text, u"+100");
    EXPECT_EQ(popups.floatingTexts[0].position.x, 10.0f); // no font: width 0
    EXPECT_EQ(sounds.Count("play 32"), 1);
    EXPECT_EQ(sounds.Count("play 30"), 1);
    p.ScoreBasket(handle, 0); // a late chip at a leaving basket scores nothing
    EXPECT_EQ(score.total, 600);

    // A goal of another kind does not count baskets.
    Make(8);
    goal->goalKind = 0;
    progress->firstBasketDelay = 0.0f;
    Run(1);
    OpenAll();
    Fill(progress->GetBaskets()[0]);
    EXPECT_EQ(goal->count, 0u);
    ASSERT_FALSE(popups.floatingTexts.empty());
    EXPECT_EQ(popups.floatingTexts.back().position.x, 790.0f); // the right side
}

TEST_F(BasketProgressTest, HandlesOfDeletedBasketsFindNothing)
{
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(1);
    OpenAll();
    const BasketHandle old = p.GetBaskets()[0].handle;
    const int kind = p.GetBaskets()[0].basket->order[0].flowerKind;
    ASSERT_TRUE(p.FindBasketFor(static_cast<unsigned>(kind)));
    ASSERT_TRUE(p.BasketPosition(old));
    EXPECT_TRUE(p.GetHornTarget());
    p.Reset(); // a lost life deletes every basket
    EXPECT_FALSE(p.BasketPosition(old));
    EXPECT_FALSE(p.GetHornTarget());
    p.ScoreBasket(old, static_cast<unsigned>(kind));
    EXPECT_EQ(score.total, 0);
    Run(1);
    ASSERT_EQ(p.GetBaskets().size(), 1u);
    const BasketHandle reused = p.GetBaskets()[0].handle;
    EXPECT_EQ(reused.id, old.id); // the slot is reused with a new generation
    EXPECT_NE(reused.generation, old.generation);
    EXPECT_FALSE(p.BasketPosition(old));
    EXPECT_EQ(p.PickWantedKind(old), -1);
}

TEST_F(BasketProgressTest, HornDropsAStoredTargetThatLeftOrWantsNothingMore)
{
    stage.spawnInterval = 0.1f;
    stage.startSpeed = stage.endSpeed = 200.0f;
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(100);
    ASSERT_GE(p.GetBaskets().size(), 2u);
    OpenAll();
    const auto first = p.GetHornTarget();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->id, p.GetBaskets()[0].handle.id);
    const int kind = p.PickWantedKind(*first);
    EXPECT_GE(kind, 0);
    const auto order = p.GetBaskets()[0].basket->order;
    for (const auto& entry : order)
        for (int i = 0; i < entry.toSend; ++i)
            p.FindBasketFor(static_cast<unsigned>(entry.flowerKind));
    const auto next = p.GetHornTarget(); // the first has every chip it needs on the way
    ASSERT_TRUE(next);
    EXPECT_NE(next->id, first->id);
}

TEST_F(BasketProgressTest, AConveyorEndFailsTheLevelOrInRelaxModeSendsTheBasketAway)
{
    stage.startSpeed = stage.endSpeed = 400.0f;
    stage.spawnInterval = 100.0f;
    for (bool relax : {false, true}) {
        BasketProgress& p = Make(0, relax);
        p.firstBasketDelay = 0.0f;
        for (int i = 0; i < 500 && !p.failed && !(relax && !p.GetBaskets().empty() && p.GetBaskets()[0].basket->leaving); ++i)
            Run(1);
        EXPECT_EQ(p.failed, !relax);
        EXPECT_EQ(p.HasFailed(), !relax);
        if (relax) {
            EXPECT_EQ(sounds.Count("play 31"), 1);
        } else {
            goal->Add(5); // the goal completed in the same frame wins
            EXPECT_FALSE(p.HasFailed());
        }
    }
}

TEST_F(BasketProgressTest, ClockCountsDownOnlyWhileItMayAndFailsAtZero)
{
    level.levelTime = 1.0f;
    BasketProgress& p = Make(2);
    Run(10, true);
    EXPECT_FLOAT_EQ(p.Clock().timeLeft, 1.0f); // held by the tip
    p.slide.state = PanelState::SlidingOut;
    Run(10);
    EXPECT_FLOAT_EQ(p.Clock().timeLeft, 1.0f); // the panel is moving
    p.slide.state = PanelState::SlidingIn;
    Run(60);
    EXPECT_TRUE(p.failed);
    EXPECT_EQ(p.Clock().timeLeft, 0.0f);
    EXPECT_TRUE(p.GetBaskets().empty()); // this kind has no baskets
    EXPECT_EQ(sounds.Count("play 22"), 1);

    p.Reset();
    EXPECT_FALSE(p.failed);
    EXPECT_FLOAT_EQ(p.Clock().timeLeft, 1.0f);
    EXPECT_TRUE(p.Clock().warningPlayed);
    Run(10);
    EXPECT_EQ(sounds.Count("play 22"), 1);

    Make(2);
    goal->Add(5);
    Run(10);
    EXPECT_FLOAT_EQ(progress->Clock().timeLeft, 1.0f); // a done goal stops the clock

    Make(2, true);
    Run(100);
    EXPECT_FALSE(progress->failed); // relax mode: no clock
    EXPECT_TRUE(progress->AfterBonusDone());
}

TEST_F(BasketProgressTest, ExtraBasketBonusCountsEveryBasketAndEndsWhenOneLeavesMidway)
{
    stage.spawnInterval = 0.1f;
    stage.startSpeed = stage.endSpeed = 200.0f;
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(100);
    const size_t present = p.GetBaskets().size();
    ASSERT_GE(present, 3u);
    OpenAll();
    goal->Add(5);
    EXPECT_FALSE(p.IsExtraBonusDone());
    p.AwardExtraBasketBonus(dt); // counts the first basket
    EXPECT_EQ(score.total, 250);
    EXPECT_EQ(sounds.Count("play 42"), 1);
    // A chip still in flight fills the counted basket: it leaves and is deleted.
    Fill(p.GetBaskets()[0]);
    int frames = 0;
    while (!p.IsExtraBonusDone() && frames++ < 1000) {
        p.AwardExtraBasketBonus(dt);
        Run(1);
    }
    EXPECT_TRUE(p.IsExtraBonusDone());
    EXPECT_EQ(sounds.Count("play 42"), static_cast<int>(present));
    EXPECT_TRUE(p.IsSettled());
}

TEST_F(BasketProgressTest, AfterBonusRunsOnTheClockOnceTheGoalIsDone)
{
    level.levelTime = 12.0f;
    BasketProgress& p = Make(2);
    EXPECT_FALSE(p.AfterBonusDone());
    goal->Add(5);
    p.StartAfterBonus();
    EXPECT_TRUE(p.AfterBonusRunning());
    for (int i = 0; i < 200 && !p.AfterBonusDone(); ++i)
        Run(1);
    EXPECT_TRUE(p.AfterBonusDone());
    EXPECT_EQ(p.AfterBonusShown(), 100u); // 12 s: two steps of 5
    EXPECT_EQ(score.total, 20);
    EXPECT_EQ(sounds.Count("play 41"), 1);
    EXPECT_EQ(sounds.Count("unloop 41"), 1);

    BasketProgress& conveyor = Make(0); // no clock: nothing to count, no looping sound
    EXPECT_TRUE(conveyor.AfterBonusDone());
    conveyor.StartAfterBonus();
    EXPECT_EQ(sounds.Count("play 41"), 1);
}

TEST_F(BasketProgressTest, AMissedBasketLeavesItsPlaceAndTheOthersMoveUp)
{
    stage.placeWait = 0.2f;
    BasketProgress& p = Make(1);
    p.firstBasketDelay = 0.0f;
    for (int i = 0; i < 100 && p.GetBaskets().size() < 3; ++i)
        Run(1);
    ASSERT_EQ(p.GetBaskets().size(), 3u);
    const BasketHandle first = p.GetBaskets()[0].handle;
    bool left = false;
    for (int i = 0; i < 500 && !left; ++i) {
        Run(1);
        const Basket* b = p.Find(first);
        left = !b || b->leaving;
    }
    EXPECT_TRUE(left);
    EXPECT_GE(sounds.Count("play 31"), 1);
    EXPECT_FALSE(p.failed); // a missed basket is no failure; the clock decides
    bool compacted = false;
    for (const auto& e : p.GetBaskets())
        compacted = compacted || (e.handle.id != first.id && e.basket->place == 0);
    EXPECT_TRUE(compacted);
}

TEST_F(BasketProgressTest, CollectedChipsFlyIntoTheBasketThatWantsThemAndFillIt)
{
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(1);
    OpenAll();
    Petalwork::ChipManager& manager = Chips();
    const Basket& basket = *p.GetBaskets()[0].basket;
    std::vector<unsigned> kinds;
    for (const auto& entry : basket.order)
        for (int i = 0; i < entry.toSend; ++i)
            kinds.push_back(static_cast<unsigned>(entry.flowerKind));
    const float depth = basket.Depth();
    const Petalwork::ChipLogic& first = Collect(kinds.front());
    EXPECT_FLOAT_EQ(Petalwork::ChipManager::Of(first).look.depth, depth + Petalwork::ChipManager::overBasket);
    for (size_t i = 1; i < kinds.size(); ++i)
        Collect(kinds[i]);
    EXPECT_FALSE(basket.HasChipsToSend()); // every chip reserved its place
    // A kind nobody wants flies off the board, under every basket, and is counted on the conveyor.
    const unsigned unwanted = 4u;
    ASSERT_EQ(std::count(kinds.begin(), kinds.end(), unwanted), 0);
    Collect(unwanted);
    EXPECT_EQ(p.offBoardFlights, 1u);
    Fly();
    EXPECT_TRUE(manager.chips.empty());
    EXPECT_EQ(goal->count, 1u); // one filled basket towards the level's goal
    EXPECT_TRUE(p.GetBaskets()[0].basket->leaving);
    EXPECT_GE(score.total, 500);
}

TEST_F(BasketProgressTest, FlightsToABasketThatIsGoneEndWithoutScoring)
{
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(1);
    OpenAll();
    Petalwork::ChipManager& manager = Chips();
    const int kind = p.GetBaskets()[0].basket->order[0].flowerKind;
    Collect(static_cast<unsigned>(kind));
    chips->Update(dt);
    p.Reset(); // a lost life deletes every basket under the flying chip
    Fly();
    EXPECT_TRUE(manager.chips.empty());
    EXPECT_EQ(goal->count, 0u);
    EXPECT_EQ(score.total, 0); // no basket points (the chip events are worth nothing here)
}

TEST_F(BasketProgressTest, TheHornWaitsForAnOpenEntryThenSendsItsFlowersToThatBasket)
{
    BasketProgress& p = Make(0);
    p.firstBasketDelay = 0.0f;
    Run(1);
    ASSERT_FALSE(p.GetBaskets().empty());
    Petalwork::ChipManager& manager = Chips();
    powerups.hornPending = true;
    manager.Update(dt); // the basket's entries have not opened yet
    EXPECT_TRUE(powerups.hornPending);
    EXPECT_FALSE(manager.HornShown());
    OpenAll();
    const Basket& basket = *p.GetBaskets()[0].basket;
    for (int i = 0; i < 3 && manager.chips.empty(); ++i)
        manager.Update(dt);
    EXPECT_FALSE(powerups.hornPending);
    ASSERT_EQ(manager.chips.size(), 1u);
    const Petalwork::ChipLogic& flower = *manager.chips[0];
    EXPECT_TRUE(flower.hornChip);
    EXPECT_EQ(flower.state, Petalwork::ChipState::Flight);
    const auto wanted = std::find_if(basket.order.begin(), basket.order.end(),
                                     [&](const auto& e) { return e.flowerKind == static_cast<int>(flower.flowerKind); });
    ASSERT_NE(wanted, basket.order.end());
}

#include "game/board/BasketProgress.h"

#include "engine/core/StringUtils.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Random.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/ScoreKeeper.h"
#include "game/board/ModelPlayer.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/BasketPlaces.h"
#include "game/board/model/LevelProgress.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

using VantoranEngine::Model;
using P = ModelPlayer;

namespace {

constexpr float basketDepthBase = -0.000055f;
constexpr float basketDepthStep = 0.01f;
constexpr BasketColour shadowColour{0.0f, 0.0f, 0.0f, 0.3f};

bool NearEntry(const Basket& basket, float entryX)
{
    return std::hypot(basket.position.x - entryX, basket.position.y - Basket::conveyorStartY) <
           BasketProgress::entryDistance;
}

} // namespace

BasketMode BasketProgress::ModeOf(int32_t levelKind)
{
    switch (levelKind) {
    case 0: return BasketMode::Conveyor;
    case 1: return BasketMode::Places;
    case 8: return BasketMode::TwoConveyors;
    case 9: return BasketMode::TwoColumns;
    default: return BasketMode::ClockOnly;
    }
}

BasketProgress::BasketProgress(const BasketProgressContext& context_, const GameFramework::StageInfo& stage_,
                               const GameFramework::LevelInfo& level_)
    : mode(ModeOf(level_.levelKind)), relaxMode(context_.relaxMode),
      slide(context_.settings.hiddenPanelOffset, context_.settings.panelSlideSpeed),
      firstBasketDelay(context_.settings.firstBasketDelay), context(context_), stage(stage_), level(level_),
      basketContext{context_.models,
                    context_.particles,
                    context_.prototypes,
                    context_.settings,
                    context_.sounds,
                    context_.powerups,
                    std::vector<int>(stage_.flowerKinds.begin(), stage_.flowerKinds.end()),
                    stage_.startSpeed,
                    stage_.endSpeed,
                    stage_.placeWait,
                    context_.relaxMode},
      clock(context_.sounds, context_.score, level_.levelTime, context_.settings.afterBonusStepInterval,
            HasClock() && !context_.relaxMode),
      scoring(context_.settings)
{
    if (mode == BasketMode::Conveyor || mode == BasketMode::TwoConveyors) {
        const size_t count = mode == BasketMode::TwoConveyors ? 4 : 2;
        for (size_t i = 0; i < count; ++i) {
            belts[i] = ClonePanelModel(context.panel.belts[i]);
            if (belts[i] && belts[i]->animationControl) {
                belts[i]->animationControl->loop = 1;
                belts[i]->animationControl->play = 1;
            }
        }
    } else if (!relaxMode) {
        for (size_t i = 0; i < clockModels.size(); ++i) {
            clockModels[i] = ClonePanelModel(context.panel.clock[i]);
            if (Model* model = clockModels[i]) {
                VantoranEngine::Matrix4 at;
                VantoranEngine::MakeTranslationMatrix(at, {clockX, clockY, 0.0f});
                model->SetWorldMatrix(at);
                P::KeepBase(model);
            }
        }
        P::SetColour(clockModels[2], shadowColour);
    }
}

BasketProgress::~BasketProgress()
{
    for (Model*& model : belts)
        DeletePanelModel(model);
    for (Model*& model : clockModels)
        DeletePanelModel(model);
    context.sounds.StopSound(BoardSound::TimeIsEnding);
    baskets.clear();
    context.sounds.SetSoundLooping(BoardSound::AfterBonusTime, false);
}

Model* BasketProgress::ClonePanelModel(const Model* prototype)
{
    if (!prototype)
        return nullptr;
    Model* model = context.models.CloneModel(prototype, context.prototypes.camera, 0);
    model->depth = prototype->depth;
    P::KeepBase(model);
    P::SetDrawn(model, true);
    return model;
}

void BasketProgress::DeletePanelModel(Model*& model)
{
    if (!model)
        return;
    context.models.models.Remove(model);
    delete model;
    model = nullptr;
}

bool BasketProgress::HasFailed() const
{
    return failed && !context.goal.done;
}

void BasketProgress::Update(float dt, bool hold)
{
    UpdateClock(dt, hold);
    if (mode == BasketMode::Conveyor || mode == BasketMode::TwoConveyors)
        UpdateConveyors(dt, hold);
    else if (HasPlaces())
        UpdatePlaces(dt, hold);
}

void BasketProgress::UpdateClock(float dt, bool hold)
{
    if (!HasClock())
        return;
    slide.Update(dt);
    if (relaxMode)
        return;
    if (clock.timeLeft > 0.0f && slide.state == PanelState::Shown && !failed && !context.goal.done &&
        clock.Countdown(dt, hold))
        failed = true;
    clock.UpdateAfterBonus(dt);
    for (size_t i = 0; i < clockModels.size(); ++i) {
        Model* model = clockModels[i];
        P::Place(model, 0.0f, -slide.offset);
        if (i > 0 && model && model->animationControl) {
            auto& a = *model->animationControl;
            a.currentId = -1;
            a.play = 0;
            a.time = static_cast<float>(a.frameCount == 0 ? 0 : a.frameCount - 1) * clock.ElapsedFraction();
        }
    }
    clock.UpdateWarning(dt, context.goal.done);
    P::SetColour(clockModels[0], clock.warningColour);
}

void BasketProgress::PlaceBelts()
{
    for (size_t i = 0; i < belts.size(); ++i)
        P::Place(belts[i], i < 2 ? slide.offset : -slide.offset, 0.0f);
}

void BasketProgress::DeleteFinishedBaskets()
{
    for (auto it = baskets.begin(); it != baskets.end();) {
        if (it->basket->HasFlownAway()) {
            DeleteBasket(*it);
            it = baskets.erase(it);
        } else {
            ++it;
        }
    }
}

void BasketProgress::DeleteBasket(Entry& entry)
{
    if (hornTarget && hornTarget->id == entry.handle.id && hornTarget->generation == entry.handle.generation)
        hornTarget.reset();
    ++generations[entry.handle.id];
    freeSlots.push_back(entry.handle.id);
    entry.basket.reset();
}

bool BasketProgress::CanSpawn() const
{
    return !context.goal.done && !failed && firstBasketDelay <= 0.0f;
}

void BasketProgress::UpdateConveyors(float dt, bool hold)
{
    slide.Update(dt);
    PlaceBelts();
    if (slide.state == PanelState::Hidden || hold)
        return;
    spawnTimer -= dt;
    scoring.Advance(dt);
    DeleteFinishedBaskets();

    const bool two = mode == BasketMode::TwoConveyors;
    const float penalty = stage.speedPerBasket * static_cast<float>(baskets.size());
    bool leftFree = true, rightFree = true;
    for (size_t i = 0; i < baskets.size(); ++i) {
        Basket& basket = *baskets[i].basket;
        const Basket* ahead = nullptr;
        for (size_t j = i; j-- > 0;)
            if (!two || baskets[j].basket->left == basket.left) {
                ahead = baskets[j].basket.get();
                break;
            }
        const float offset = basket.left ? slide.offset : -slide.offset;
        basket.UpdateMotion(ahead, penalty, context.goal.done, offset, dt);
        if (!context.goal.done && basket.reachedEnd && !basket.leaving) {
            if (relaxMode)
                basket.FlyAway(false);
            else
                failed = true;
        }
        if (basket.left && leftFree && NearEntry(basket, 0.0f))
            leftFree = false;
        if (!basket.left && rightFree && NearEntry(basket, 800.0f))
            rightFree = false;
    }
    if (firstBasketDelay > 0.0f)
        firstBasketDelay -= dt;

    unsigned leftCount = 0, rightCount = 0, active = 0;
    for (const Entry& entry : baskets) {
        (entry.basket->left ? leftCount : rightCount) += 1;
        active += entry.basket->leaving ? 0 : 1;
    }
    const auto places = static_cast<unsigned>(std::max(stage.basketPlaces, 0));
    const bool anyFree = two ? (leftFree || rightFree) : leftFree;
    if (!CanSpawn() || !((spawnTimer <= 0.0f && anyFree && active < places) || baskets.empty()))
        return;
    spawnTimer = stage.spawnInterval;
    if (!two) {
        SpawnBasket(true);
    } else if (leftCount < rightCount) {
        if (leftFree)
            SpawnBasket(true);
    } else if (rightFree) {
        SpawnBasket(false);
    }
}

void BasketProgress::UpdatePlaces(float dt, bool hold)
{
    if (slide.state == PanelState::Hidden || hold)
        return;
    spawnTimer -= dt; // no use on places, kept for the record
    scoring.Advance(dt);
    DeleteFinishedBaskets();

    const bool two = mode == BasketMode::TwoColumns;
    bool near[2] = {false, false}; // [left, right]
    for (const Entry& entry : baskets)
        if (entry.basket->IsLeavingNearPlace())
            near[two && !entry.basket->left ? 1 : 0] = true;

    bool moving = false;
    bool missed = false;
    for (const Entry& entry : baskets) {
        Basket& basket = *entry.basket;
        const bool leavingNear = near[two && !basket.left ? 1 : 0];
        missed |= basket.UpdateState(basket.left ? slide.offset : -slide.offset, leavingNear, context.goal.done, dt);
        if (!context.goal.done && basket.IsGliding())
            moving = true;
    }
    if (missed)
        CompactPlaces();
    if (firstBasketDelay > 0.0f)
        firstBasketDelay -= dt;

    unsigned active[2] = {0, 0};
    for (const Entry& entry : baskets)
        if (!entry.basket->leaving)
            ++active[two && !entry.basket->left ? 1 : 0];
    // A side is free when no leaving basket is near its places and one of its places is empty.
    const bool leftFree = !near[0] && active[0] < static_cast<unsigned>(PlaceCount(true));
    const bool rightFree = two && !near[1] && active[1] < static_cast<unsigned>(PlaceCount(false));
    const auto places = static_cast<unsigned>(std::max(stage.basketPlaces, 0));
    const bool wanted = (active[0] + active[1] < places && (leftFree || rightFree) && !moving) || baskets.empty();
    if (!CanSpawn() || !wanted)
        return;
    if (!two)
        SpawnBasket(true);
    else if (active[0] < active[1] ? leftFree : !rightFree && leftFree)
        SpawnBasket(true);
    else if (rightFree)
        SpawnBasket(false);
}

int BasketProgress::PlaceCount(bool left) const
{
    const int total = std::max(stage.basketPlaces, 0);
    if (mode == BasketMode::TwoColumns)
        return total / 2;
    return left ? total : 0;
}

void BasketProgress::SpawnBasket(bool left)
{
    const int kinds = std::max<int>(static_cast<int>(stage.flowerKinds.size()), 1);
    // The catalogue keeps 1 <= E <= min(3, n) and 1 <= min <= max; clamped again so no draw divides by 0.
    const int limit = std::clamp(stage.orderSizeLimit, 1, std::min(3, kinds));
    const int entries = 1 + static_cast<int>(VantoranEngine::Random() % static_cast<uint32_t>(limit));
    ++basketsSpawned;

    uint32_t slot;
    if (!freeSlots.empty()) {
        slot = freeSlots.back();
        freeSlots.pop_back();
    } else {
        slot = static_cast<uint32_t>(generations.size());
        generations.push_back(1);
    }
    const float depth = basketDepthBase - static_cast<float>(basketsSpawned + 3) * basketDepthStep;
    auto basket = std::make_unique<Basket>(basketContext, entries - 1, depth, HasPlaces(), left);

    std::vector<int> candidates;
    for (int k = 0; k < kinds; ++k)
        candidates.push_back(k);
    const int minimum = std::max(level.orderEntryMin, 1);
    const int maximum = std::max(level.orderEntryMax, minimum);
    std::vector<BasketOrderEntry> order;
    for (int e = 0; e < entries && !candidates.empty(); ++e) {
        const size_t r = VantoranEngine::Random() % candidates.size();
        const int count = minimum + static_cast<int>(VantoranEngine::Random() %
                                                     static_cast<uint32_t>(maximum - minimum + 1));
        BasketOrderEntry entry;
        entry.flowerKind = candidates[r];
        entry.toSend = count;
        entry.toArrive = count;
        order.push_back(entry);
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(r));
    }
    basket->SetOrder(std::move(order));

    if (HasPlaces()) {
        const bool two = mode == BasketMode::TwoColumns;
        for (int p = 0; p < PlaceCount(left); ++p) {
            const bool taken = std::any_of(baskets.begin(), baskets.end(), [&](const Entry& e) {
                return e.basket->place == p && (!two || e.basket->left == left);
            });
            if (!taken) {
                basket->place = p;
                basket->SetPosition(BasketPlaces::Position(p, std::max(stage.basketPlaces, 0), left));
                break;
            }
        }
    }
    baskets.push_back({std::move(basket), {slot, generations[slot]}});
}

void BasketProgress::CompactPlaces()
{
    if (mode == BasketMode::TwoColumns) {
        CompactSide(true, true);
        CompactSide(false, true);
    } else if (mode == BasketMode::Places) {
        CompactSide(true, false);
    }
}

void BasketProgress::CompactSide(bool left, bool bySide)
{
    std::vector<Basket*> placed;
    for (const Entry& entry : baskets)
        if (entry.basket->place >= 0 && (!bySide || entry.basket->left == left))
            placed.push_back(entry.basket.get());
    bool moving = false;
    for (size_t k = 0; k < placed.size(); ++k) {
        Basket& basket = *placed[k];
        if (!moving && basket.place == static_cast<int>(k))
            continue;
        moving = true;
        basket.place = static_cast<int>(k);
        basket.GlideTo(BasketPlaces::Position(basket.place, std::max(stage.basketPlaces, 0), basket.left));
    }
}

Basket* BasketProgress::Find(BasketHandle handle) const
{
    for (const Entry& entry : baskets)
        if (entry.handle.id == handle.id && entry.handle.generation == handle.generation)
            return entry.basket.get();
    return nullptr;
}

std::optional<BasketHandle> BasketProgress::FindBasketFor(unsigned kind)
{
    for (const Entry& entry : baskets) {
        Basket& basket = *entry.basket;
        if (basket.leaving || !basket.TakeChip(kind))
            continue;
        if (basket.untouchedMark && !basket.HasChipsToSend())
            basket.quickGainSeal = true;
        return entry.handle;
    }
    return std::nullopt;
}

float BasketProgress::BasketDepth(BasketHandle handle) const
{
    const Basket* basket = Find(handle);
    return basket ? basket->Depth() : 0.0f;
}

std::optional<BoardPoint> BasketProgress::BasketPosition(BasketHandle handle) const
{
    const Basket* basket = Find(handle);
    if (!basket)
        return std::nullopt;
    if (!basket->GetBody())
        return basket->position;
    const auto centre = P::Box(basket->GetBody()).centre;
    return BoardPoint{centre.x, centre.y};
}

float BasketProgress::TextWidth(const std::u16string& text) const
{
    return context.captionFont ? context.captionFont->GetTextWidth(text, -1.0f) : 0.0f;
}

float BasketProgress::LineHeight() const
{
    return context.lineFont ? context.lineFont->size : 0.0f;
}

float BasketProgress::CaptionX(const std::u16string& text, bool left) const
{
    const float width = TextWidth(text);
    return left ? width * 0.5f + captionMargin : 800.0f - captionMargin - width * 0.5f;
}

void BasketProgress::ScoreBasket(BasketHandle handle, unsigned kind)
{
    Basket* basket = Find(handle);
    if (!basket || basket->leaving)
        return;
    if (!basket->ArriveChip(kind))
        return;

    const float y = P::Box(basket->GetBody()).centre.y;
    const BasketBonus bonus = scoring.Score(*basket, basket->IsInEndAnimation());
    std::u16string caption;
    const auto add = [&](const std::u16string& text) { caption += text + u", "; };
    if (bonus.quickBasket)
        add(context.texts.GetText("QUICK_BASKET_BONUS"));
    if (bonus.edge)
        add(context.texts.GetText("BASKET_EDGE_BONUS"));
    if (bonus.combo != 0)
        add(context.texts.GetText("BASKET_COMBO_BONUS") + u" x" + VantoranEngine::UIntToWideString(bonus.combo));
    if (bonus.quickGain)
        add(context.texts.GetText("QUICK_GAIN_BONUS"));
    if (!caption.empty()) {
        caption.resize(caption.size() - 2);
        const float x = CaptionX(caption, basket->left);
        context.popups.ShowText({x, y}, caption);
        context.popups.ShowText({x, y - LineHeight()}, u"+" + VantoranEngine::IntToWideString(bonus.points));
        context.score.total += bonus.points;
    }
    if (bonus.Any())
        context.sounds.PlaySound(BoardSound::BasketBonus);

    context.score.total += context.score.GetPoints(basketFilledEvent);
    basket->FlyAway(true);
    if (context.goal.goalKind == static_cast<int32_t>(mode) && !context.goal.done)
        context.goal.Add(1);
    CompactPlaces();
}

void BasketProgress::MarkUntouchedBaskets()
{
    for (const Entry& entry : baskets)
        if (entry.basket->AllEntriesUntouched())
            entry.basket->untouchedMark = true;
}

void BasketProgress::ClearUntouchedMarks()
{
    for (const Entry& entry : baskets)
        entry.basket->untouchedMark = false;
}

namespace {

// Whether the horn can send the basket a flower now: an open entry still waits for chips.
bool WantsHornFlowers(const Basket& basket)
{
    return !basket.leaving && std::any_of(basket.order.begin(), basket.order.end(),
                                          [](const BasketOrderEntry& e) { return e.open && e.toSend > 0; });
}

} // namespace

std::optional<BasketHandle> BasketProgress::GetHornTarget()
{
    if (hornTarget) {
        const Basket* stored = Find(*hornTarget);
        // A target that left or has every chip it needs on the way would waste the horn.
        if (!stored || !WantsHornFlowers(*stored))
            hornTarget.reset();
    }
    if (hornTarget)
        return hornTarget;
    for (const Entry& entry : baskets)
        if (WantsHornFlowers(*entry.basket)) {
            hornTarget = entry.handle;
            return hornTarget;
        }
    return std::nullopt;
}

int BasketProgress::PickWantedKind(BasketHandle handle) const
{
    const Basket* basket = Find(handle);
    return basket && !basket->leaving ? basket->PickWantedKind() : -1;
}

std::optional<uint64_t> BasketProgress::HornTarget()
{
    const auto target = GetHornTarget();
    if (!target)
        return std::nullopt;
    return Pack(*target);
}

int BasketProgress::PickWantedKind(uint64_t target)
{
    return static_cast<const BasketProgress&>(*this).PickWantedKind(Unpack(target));
}

void BasketProgress::StartAfterBonus()
{
    clock.StartAfterBonus();
}

void BasketProgress::AwardExtraBasketBonus(float dt)
{
    if (std::any_of(baskets.begin(), baskets.end(), [](const Entry& e) { return e.basket->leaving; }))
        return;
    if (extraBonusTimer > 0.0f) {
        extraBonusTimer -= dt;
        return;
    }
    for (const Entry& entry : baskets) {
        Basket& basket = *entry.basket;
        if (basket.extraBonusCounted)
            continue;
        basket.extraBonusCounted = true;
        const std::u16string caption = context.texts.GetText("EXTRA_BASKET_BONUS");
        const float x = CaptionX(caption, basket.left);
        context.popups.ShowText({x, basket.position.y}, caption);
        context.popups.ShowText({x, basket.position.y + LineHeight()},
                                u"+" + VantoranEngine::IntToWideString(context.settings.extraBasketBonus));
        context.score.total += context.settings.extraBasketBonus;
        context.sounds.PlaySound(BoardSound::AfterBonusBasket);
        extraBonusTimer = context.settings.extraBasketInterval;
        return;
    }
}

bool BasketProgress::IsExtraBonusDone() const
{
    // A leaving basket is about to go and is never counted.
    return std::all_of(baskets.begin(), baskets.end(),
                       [](const Entry& e) { return e.basket->extraBonusCounted || e.basket->leaving; });
}

bool BasketProgress::IsSettled() const
{
    return std::none_of(baskets.begin(), baskets.end(), [](const Entry& e) { return e.basket->IsFlyingAway(); });
}

void BasketProgress::Reset()
{
    for (Entry& entry : baskets)
        DeleteBasket(entry);
    baskets.clear();
    hornTarget.reset();
    spawnTimer = 0.0f;
    context.goal.Reset();
    clock.Reset();
    basketsSpawned = 0;
    failed = false;
    P::SetColour(clockModels[0], clock.warningColour);
}

} // namespace Petalwork

#include "game/board/model/ChipManagerLogic.h"

#include "framework/ScoreKeeper.h"
#include "framework/StageInfo.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

namespace {

float Distance(BoardPoint a, BoardPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

constexpr const char* manyFlowersKey = "MANY_FLOWERS_BONUS";

} // namespace

ChipManagerLogic::ChipManagerLogic(const GameSettings& settings_, const GameFramework::StageInfo& stage_,
                                   GameFramework::ScoreKeeper& score_, LevelProgress& progress_,
                                   PowerupManager& powerups_, ScoreGroups& groups_, SoundSink& sounds_,
                                   RandomSource& random_)
    : stoneTimer(stage_.stoneInterval), frozenTimer(stage_.frozenInterval), settings(settings_), stage(stage_),
      score(score_), progress(progress_), powerups(powerups_), groups(groups_), sounds(sounds_), random(random_)
{
}

ChipManagerLogic::~ChipManagerLogic() = default;

ChipLogic& ChipManagerLogic::CreateChip(BoardPoint position, unsigned flowerKind, bool horn)
{
    chips.push_back(MakeChip(position, flowerKind, creationCount, horn));
    ++creationCount;
    return *chips.back();
}

void ChipManagerLogic::Update(float dt)
{
    if (phase == Phase::Appearing) {
        if (std::all_of(chips.begin(), chips.end(), [](const auto& c) { return c->appearPhase == AppearPhase::Shown; }))
            phase = Phase::Play;
    } else if (phase == Phase::Disappearing) {
        if (std::all_of(chips.begin(), chips.end(), [](const auto& c) { return c->appearPhase == AppearPhase::Gone; }))
            phase = Phase::Gone;
    }
    if (whirlActive)
        RunRepairWhirl(dt);
    if (phase == Phase::Play) {
        RunHorn(dt);
        StartDoublingAll();
        if (stage.stoneInterval != 0.0f)
            stoneTimer -= dt;
        if (stage.frozenInterval != 0.0f)
            frozenTimer -= dt;
    }
    allIdle = true;
    const bool playing = phase == Phase::Play;
    for (auto& chip : chips) {
        UpdateChip(*chip, playing, dt);
        allIdle = allIdle && chip->state == ChipState::Idle;
        if (chip->remove) {
            ChipDeleted(*chip);
            chip.reset();
        }
    }
    chips.erase(std::remove(chips.begin(), chips.end(), nullptr), chips.end());
}

void ChipManagerLogic::StartAppear(BoardPoint point)
{
    phase = Phase::Appearing;
    waveCentre = point;
    waveRadius = 1.0f;
    for (const auto& chip : chips)
        waveRadius = std::max(waveRadius, Distance(chip->position, point) + 1.0f);
    for (const auto& chip : chips)
        StartChipAppear(*chip, Distance(chip->position, point) * settings.waveSpread / waveRadius);
}

void ChipManagerLogic::StartDisappear(BoardPoint point)
{
    phase = Phase::Disappearing;
    waveCentre = point;
    waveRadius = 1.0f;
    for (const auto& chip : chips)
        waveRadius = std::max(waveRadius, Distance(chip->position, point) + 1.0f);
    // A divisor of 0 in the settings would make every delay infinite: the wave then runs unscaled.
    const float divisor = settings.waveDivisor > 0.0f ? settings.waveDivisor : 1.0f;
    for (const auto& chip : chips)
        StartChipDisappear(*chip, Distance(chip->position, point) * settings.waveSpread / (divisor * waveRadius));
}

void ChipManagerLogic::StartRepairWhirl(BoardPoint centre, WhirlResolver& resolver)
{
    waveCentre = centre;
    whirlRadius = 0.0f;
    whirlActive = true;
    whirlResolver = &resolver;
}

void ChipManagerLogic::RunRepairWhirl(float dt)
{
    const float spread = settings.layerRestoreWaveSpread > 0.0f ? settings.layerRestoreWaveSpread : 1.0f;
    whirlRadius += dt * waveRadius / spread;
    bool done = true;
    settled = true;
    for (const auto& chip : chips) {
        if (chip->state == ChipState::Idle && !chip->whirled && Distance(chip->position, waveCentre) < whirlRadius) {
            chip->state = ChipState::Whirl;
            chip->whirled = true;
            StartWhirl(*chip);
        }
        done = done && chip->state == ChipState::Idle && chip->whirled;
        settled = settled && (chip->state == ChipState::Idle || chip->state == ChipState::Selected);
    }
    if (!done)
        return;
    for (const auto& chip : chips)
        EndWhirl(*chip);
    whirlActive = false;
    if (whirlResolver)
        whirlResolver->ResolveAfterWhirl();
}

void ChipManagerLogic::RunHorn(float dt)
{
    if (powerups.hornPending) {
        hornTimer = 0.0f;
        if (HornShown()) {
            powerups.hornPending = false;
        } else if (hornBaskets) {
            hornTarget = hornBaskets->HornTarget();
            if (hornTarget) {
                powerups.hornPending = false;
                ShowHorn(true);
                StartHornAnimation(0, false);
            }
        }
    }
    if (!HornShown())
        return;
    if (hornTarget && (!hornBaskets || hornBaskets->HornTarget() != hornTarget))
        hornTarget.reset();
    if (HornAnimationEnded(0)) {
        StartHornAnimation(1, true);
        if (!hornTarget && hornBaskets)
            hornTarget = hornBaskets->HornTarget();
    }
    if (HornLooping()) {
        const int kind = hornTarget ? hornBaskets->PickWantedKind(*hornTarget) : -1;
        if (kind < 0) {
            StopHornLoop();
        } else if (hornTimer >= 0.0f) {
            hornTimer -= dt;
        } else {
            ChipLogic& flower = CreateChip(hornMouth, static_cast<unsigned>(kind), true);
            flower.marked = true;
            Collect(flower, false);
            SetVisible(flower, true);
            sounds.PlaySound(BoardSound::HornFlowerAppear);
            hornTimer = settings.hornFlowerInterval;
        }
    }
    if (HornAnimationEnded(1)) {
        hornTarget.reset();
        StartHornAnimation(2, false);
    }
    if (HornAnimationEnded(2))
        ShowHorn(false);
}

void ChipManagerLogic::StartHornAnimation(int animation, bool loop)
{
    hornAnimation = animation;
    // Without a model only the loop lasts.
    hornPlaying = loop;
}

void ChipManagerLogic::StartDoublingAll()
{
    if (!powerups.doubleChipJustStarted)
        return;
    powerups.doubleChipJustStarted = false;
    for (const auto& chip : chips)
        if (chip->state != ChipState::Flight)
            StartDoubling(*chip);
}

int ChipManagerLogic::AddEvent(ChipLogic& chip, CollectEvent event)
{
    const int32_t points = score.GetPoints(static_cast<uint32_t>(event));
    chip.points += points;
    score.total += points;
    return points;
}

void ChipManagerLogic::CountGoal(int32_t goalKind, uint32_t n)
{
    if (progress.goalKind == goalKind && !progress.done)
        progress.Add(n);
}

void ChipManagerLogic::Collect(ChipLogic& chip, bool duplicate)
{
    if (!chip.marked)
        return;
    ++collected;
    if (!duplicate) {
        if (chip.frozen)
            ++frozenCollected;
        if (chip.IsStone())
            ++stonesCollected;
    }
    chip.state = ChipState::Flight;
    if (chip.bonusToCreate == BonusKind::None && !chip.frozen)
        FindBasket(chip);
    if (powerups.doubleChipOn && !duplicate) {
        ChipLogic& copy = CreateChip(chip.position, chip.flowerKind, false);
        SetVisible(copy, true);
        copy.marked = true;
        Collect(copy, true);
    }
    chip.points = 0;
    AddEvent(chip, CollectEvent::Chip);
    switch (chip.bonus) {
    case BonusKind::None: CollectPlain(chip); break;
    case BonusKind::BombVolume:
        AddEvent(chip, CollectEvent::LineOrVolumeBomb);
        ExplodeVolumeBomb(chip);
        break;
    case BonusKind::BombHorizontal:
        AddEvent(chip, CollectEvent::LineOrVolumeBomb);
        ExplodeHorizontalBomb(chip);
        break;
    case BonusKind::BombVertical:
        AddEvent(chip, CollectEvent::LineOrVolumeBomb);
        ExplodeVerticalBomb(chip);
        break;
    case BonusKind::BombCross:
    case BonusKind::BombStar:
        AddEvent(chip, CollectEvent::CrossBomb);
        ExplodeCrossBomb(chip);
        break;
    case BonusKind::RandomChipDestruction:
        AddEvent(chip, CollectEvent::RandomDestruction);
        DestroyRandomChips(chip);
        break;
    }
    if (chip.bonusToCreate != BonusKind::None) {
        chip.marked = false;
        chip.state = ChipState::Idle;
        SetBonus(chip, chip.bonusToCreate);
        chip.bonusToCreate = BonusKind::None;
        PlayEffect(BoardEffect::Bonus, chip.position, nullptr);
        return;
    }
    TrailKind trail = TrailKind::Simple;
    if (chip.frozen) {
        AddEvent(chip, CollectEvent::Frozen);
        trail = TrailKind::Ice;
    } else if (chip.collectedByBonus) {
        trail = TrailKind::Bomb;
    } else if (chip.hornChip) {
        trail = TrailKind::Horn;
    }
    CountForScissors(chip);
    CountGoal(LevelProgress::targetKindGoal, chip.flowerKind);
    if (chip.IsStone() && !duplicate)
        AddEvent(chip, CollectEvent::Stone);
    if (!duplicate) {
        if (chip.IsStone()) {
            --stonesOnBoard;
            CountGoal(3, 1);
        }
        if (chip.frozen) {
            // The chip stays on the board without its ice, at its board depth.
            chip.marked = false;
            chip.state = ChipState::Idle;
            SetFrozen(chip, false);
            ThawIce(chip);
            CountGoal(5, 1);
            return;
        }
    }
    StartFlight(chip, trail);
    chip.marked = false;
}

template <typename Choose>
std::vector<ChipLogic*> ChipManagerLogic::Explode(ChipLogic& bomb, bool collectMarked, bool skipMarked, Choose choose)
{
    groups.BeginGroup();
    groups.AddChip(bomb);
    std::vector<ChipLogic*> chosen;
    std::vector<ChipLogic*> victims;
    for (const auto& chip : chips) {
        if (chip.get() == &bomb || chip->state != ChipState::Idle || !IsVisible(*chip) || !choose(*chip))
            continue;
        if (skipMarked && chip->marked)
            continue;
        chosen.push_back(chip.get());
        groups.AddChip(*chip);
        if (!chip->marked || collectMarked) {
            chip->marked = true;
            victims.push_back(chip.get());
        }
    }
    groups.EndGroup();
    for (ChipLogic* victim : victims) {
        victim->collectedByBonus = true;
        Collect(*victim, false);
    }
    return chosen;
}

void ChipManagerLogic::FinishEffect(ChipLogic& bomb)
{
    lastBonusPosition = bomb.position;
    ++bonusEffectsThisMove;
    ++bonusEffectsInLevel;
    CountGoal(4, 1);
}

void ChipManagerLogic::CollectPlain(ChipLogic& chip)
{
    PlayEffect(BoardEffect::Score, chip.position, nullptr);
}

void ChipManagerLogic::ExplodeVolumeBomb(ChipLogic& bomb)
{
    const BoardPoint at = bomb.position;
    Explode(bomb, false, true, [at](const ChipLogic& c) { return Distance(c.position, at) < volumeRadius; });
    PlayEffect(BoardEffect::Bomb, at, nullptr);
    FinishEffect(bomb);
}

void ChipManagerLogic::LineEffects(ChipLogic& bomb, const std::vector<ChipLogic*>& chosen, bool horizontal)
{
    // The extremes start at the bomb, so an empty side aims at the bomb itself.
    BoardPoint low = bomb.position;
    BoardPoint high = bomb.position;
    for (const ChipLogic* c : chosen) {
        if (horizontal ? c->position.x < low.x : c->position.y < low.y)
            low = c->position;
        if (horizontal ? c->position.x > high.x : c->position.y > high.y)
            high = c->position;
    }
    if (horizontal) {
        PlayEffect(BoardEffect::Line, bomb.position, &low);
        PlayEffect(BoardEffect::Line, bomb.position, &high);
    } else {
        PlayEffect(BoardEffect::Line, bomb.position, &high);
        PlayEffect(BoardEffect::Line, bomb.position, &low);
    }
}

void ChipManagerLogic::ExplodeHorizontalBomb(ChipLogic& bomb)
{
    const BoardPoint at = bomb.position;
    const auto chosen =
        Explode(bomb, false, false, [at](const ChipLogic& c) { return std::fabs(c.position.y - at.y) < lineHalfWidth; });
    PlayEffect(BoardEffect::LineCentre, at, nullptr);
    LineEffects(bomb, chosen, true);
    FinishEffect(bomb);
}

void ChipManagerLogic::ExplodeVerticalBomb(ChipLogic& bomb)
{
    const BoardPoint at = bomb.position;
    const auto chosen =
        Explode(bomb, false, false, [at](const ChipLogic& c) { return std::fabs(c.position.x - at.x) < lineHalfWidth; });
    PlayEffect(BoardEffect::LineCentre, at, nullptr);
    // Least y first, as the vertical bomb aims them.
    BoardPoint low = at, high = at;
    for (const ChipLogic* c : chosen) {
        if (c->position.y < low.y)
            low = c->position;
        if (c->position.y > high.y)
            high = c->position;
    }
    PlayEffect(BoardEffect::Line, at, &low);
    PlayEffect(BoardEffect::Line, at, &high);
    FinishEffect(bomb);
}

void ChipManagerLogic::ExplodeCrossBomb(ChipLogic& bomb)
{
    const BoardPoint at = bomb.position;
    const auto row =
        Explode(bomb, false, false, [at](const ChipLogic& c) { return std::fabs(c.position.y - at.y) < lineHalfWidth; });
    const auto column =
        Explode(bomb, false, false, [at](const ChipLogic& c) { return std::fabs(c.position.x - at.x) < lineHalfWidth; });
    PlayEffect(BoardEffect::LineCentre, at, nullptr);
    LineEffects(bomb, row, true);
    LineEffects(bomb, column, false);
    FinishEffect(bomb);
}

void ChipManagerLogic::DestroyRandomChips(ChipLogic& bomb)
{
    const unsigned kind = bomb.flowerKind;
    const auto chosen = Explode(bomb, true, false, [kind](const ChipLogic& c) { return c.flowerKind == kind; });
    for (const ChipLogic* c : chosen)
        PlayEffect(BoardEffect::Discard, c->position, nullptr);
    PlayEffect(BoardEffect::DiscardCentre, bomb.position, nullptr);
    FinishEffect(bomb);
}

void ChipManagerLogic::CollectIdleChips()
{
    const size_t count = chips.size();
    for (size_t i = 0; i < count && i < chips.size(); ++i) {
        ChipLogic& chip = *chips[i];
        if (chip.state != ChipState::Idle)
            continue;
        chip.marked = true;
        Collect(chip, false);
    }
}

void ChipManagerLogic::RetireAll()
{
    const size_t n = chips.size();
    for (size_t i = 0; i < n; ++i)
        Retire(*chips[i], -0.010055f - static_cast<float>(i) * 0.01f / static_cast<float>(n));
}

void ChipManagerLogic::AwardManyChipsBonus()
{
    if (bonusEffectsThisMove > 2) {
        groups.ShowBonus(lastBonusPosition, manyFlowersKey, settings.manyFlowersBonus, false);
        score.total += settings.manyFlowersBonus;
    }
    // Cleared here so that a later move end without new effects never pays it again.
    bonusEffectsThisMove = 0;
}

void ChipManagerLogic::ChangeKind(ChipLogic& chip, unsigned flowerKind, bool show)
{
    const bool wasStone = chip.IsStone();
    chip.flowerKind = flowerKind;
    if (wasStone != chip.IsStone())
        stonesOnBoard += chip.IsStone() ? 1 : -1;
    if (show)
        RefreshPicture(chip);
}

void ChipManagerLogic::SetVisible(ChipLogic&, bool) {}

bool ChipManagerLogic::IsVisible(const ChipLogic&) const
{
    return true;
}

void ChipManagerLogic::RefreshPicture(ChipLogic&) {}

void ChipManagerLogic::SetBonus(ChipLogic& chip, BonusKind kind)
{
    chip.bonus = kind;
}

void ChipManagerLogic::SetFrozen(ChipLogic& chip, bool flag)
{
    if (chip.frozen)
        --frozenOnBoard;
    chip.frozen = flag;
    if (flag)
        ++frozenOnBoard;
}

void ChipManagerLogic::ShowHint(ChipLogic&, ChipLogic&) {}

void ChipManagerLogic::EndWhirl(ChipLogic& chip)
{
    chip.state = ChipState::Idle;
    chip.whirled = false;
    RefreshPicture(chip);
}

void ChipManagerLogic::StartDoubling(ChipLogic&) {}

void ChipManagerLogic::Retire(ChipLogic& chip, float)
{
    chip.state = ChipState::Retired;
    chip.retireRising = true;
}

void ChipManagerLogic::FindBasket(ChipLogic&) {}

void ChipManagerLogic::StartFlight(ChipLogic&, TrailKind) {}

void ChipManagerLogic::ThawIce(ChipLogic&) {}

void ChipManagerLogic::CountForScissors(ChipLogic&) {}

void ChipManagerLogic::PlayEffect(BoardEffect, BoardPoint, const BoardPoint*) {}

void ChipManagerLogic::ChipDeleted(ChipLogic&) {}

} // namespace Petalwork

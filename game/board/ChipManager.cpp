#include "game/board/ChipManager.h"

#include "game/board/BasketReservations.h"
#include "game/board/ParticleManager.h"

#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"

#include <algorithm>

namespace Petalwork {

namespace {

// The off-board flights' depths cycle through this many levels.
constexpr unsigned offBoardLevels = 200;
constexpr float offBoardBase = -0.000055f;
constexpr float depthStep = 0.01f;
constexpr unsigned basketLevelsAbove = 7;

} // namespace

ChipManager::ChipManager(const ChipContext& context_, const GameSettings& settings_,
                         const GameFramework::StageInfo& stage_, GameFramework::ScoreKeeper& score_,
                         LevelProgress& progress_, PowerupManager& powerups_, ScoreGroups& groups_, SoundSink& sounds_,
                         RandomSource& random_, ParticleManager* effects_,
                         VantoranEngine::ParticleSystemManager* systems_, const TrailPrototypes& trails_,
                         BasketReservations* baskets_)
    : ChipManagerLogic(settings_, stage_, score_, progress_, powerups_, groups_, sounds_, random_),
      context(context_), effects(effects_), systems(systems_), trails(trails_), baskets(baskets_)
{
    hintA = std::make_unique<Chip>(context, BoardPoint{}, 0, 0, true, false);
    hintB = std::make_unique<Chip>(context, BoardPoint{}, 0, 0, true, false);
}

ChipManager::~ChipManager()
{
    // Chips delete their own trails through the particle manager; they go before it does.
    chips.clear();
}

std::unique_ptr<ChipLogic> ChipManager::MakeChip(BoardPoint position, unsigned flowerKind, unsigned count, bool horn)
{
    return std::make_unique<Chip>(context, position, flowerKind, count, false, horn);
}

void ChipManager::UpdateChip(ChipLogic& chip, bool playing, float dt)
{
    Of(chip).Update(playing, dt, cursor);
}

void ChipManager::UpdateHints(float dt)
{
    const bool playing = phase == Phase::Play;
    hintA->Update(playing, dt, cursor);
    hintB->Update(playing, dt, cursor);
}

void ChipManager::ShowHint(ChipLogic& a, ChipLogic& b)
{
    hintA->flowerKind = a.flowerKind;
    hintB->flowerKind = b.flowerKind;
    hintA->SetPosition(a.position, 0.0f);
    hintB->SetPosition(b.position, 0.0f);
    hintA->RefreshPicture();
    hintB->RefreshPicture();
    hintA->SetVisible(true);
    hintB->SetVisible(true);
    hintA->StartUnswap(b.position);
    hintB->StartUnswap(a.position);
}

void ChipManager::SetFrozen(ChipLogic& chip, bool flag)
{
    Of(chip).SetFrozen(flag);
    frozenOnBoard = context.counters.frozenCount;
}

void ChipManager::EndWhirl(ChipLogic& chip)
{
    Chip& c = Of(chip);
    c.whirlFadeOut = 0.0f;
    c.whirlFadeIn = 0.0f;
    c.SetAlpha(1.0f);
    ChipManagerLogic::EndWhirl(chip);
}

void ChipManager::FindBasket(ChipLogic& chip)
{
    if (!baskets)
        return;
    if (const auto basket = baskets->FindBasketFor(chip.flowerKind))
        reserved[&chip] = *basket;
}

VantoranEngine::ParticleSystem* ChipManager::MakeTrail(TrailKind kind, BoardPoint at, float depth)
{
    const VantoranEngine::ParticleSystem* prototype = trails[static_cast<size_t>(kind)];
    if (!systems || !prototype)
        return nullptr;
    VantoranEngine::ParticleSystem* trail = systems->CloneParticleSystem(*prototype);
    if (!trail)
        return nullptr;
    trail->position = {at.x, at.y, 0.0f};
    trail->emissionTime = 0.0f;
    trail->emissionAccumulator = 0.0f;
    trail->lastKey = -1;
    trail->emitting = 1;
    if (trail->spriteGroup) {
        trail->spriteGroup->SetShown(true);
        if (trail->spriteGroup->model)
            trail->spriteGroup->model->depth = depth + trailBehind;
    }
    return trail;
}

void ChipManager::StartFlight(ChipLogic& logic, TrailKind trailKind)
{
    Chip& chip = Of(logic);
    const BoardPoint from = chip.position;
    std::optional<BasketHandle> basket;
    if (const auto it = reserved.find(&logic); it != reserved.end()) {
        basket = it->second;
        reserved.erase(it);
    }
    std::optional<BoardPoint> basketAt;
    if (basket && baskets)
        basketAt = baskets->BasketPosition(*basket);
    if (!basketAt)
        basket.reset();

    std::unique_ptr<Path> path;
    BoardPoint end;
    if (basketAt) {
        end = *basketAt;
        path = MakeCurvePath({from.x, from.y, 0.0f},
                             {(from.x + end.x) / 2.0f, std::max(end.y, from.y) + basketFlightRise, 0.0f},
                             {end.x, end.y, 0.0f});
    } else {
        const float side = (random.Next() & 1u) ? 1.0f : -1.0f;
        const auto& distance = settings.offBoardFlightDistance;
        const auto& rise = settings.offBoardFlightRise;
        end = {from.x + side * random.Range(distance.minimum, distance.maximum), offBoardEndY};
        const float controlY = std::min(from.y + random.Range(rise.minimum, rise.maximum), settings.offBoardFlightHighestY);
        path = MakeCurvePath({from.x, from.y, 0.0f}, {(from.x + end.x) / 2.0f, controlY, 0.0f}, {end.x, end.y, 0.0f});
    }
    if (chip.IsExitFall()) {
        end = {from.x, exitFallEndY};
        path = MakeLinePath({from.x, from.y, 0.0f}, {end.x, end.y, 0.0f});
    }
    float spinSpeed = random.Range(settings.flyingSpin.minimum, settings.flyingSpin.maximum);
    if (from.x < end.x)
        spinSpeed = -spinSpeed;

    float depth = 0.0f;
    if (basket) {
        depth = baskets->BasketDepth(*basket) + overBasket;
    } else {
        ++offBoardFlights;
        const unsigned spawned = baskets ? baskets->BasketsSpawned() : 0u;
        depth = offBoardBase - static_cast<float>(spawned + basketLevelsAbove) * depthStep -
                static_cast<float>(offBoardLevels + offBoardFlights % offBoardLevels) * depthStep;
    }
    if (chip.hornChip)
        chip.savedDepth = depth;
    else
        chip.look.depth = depth;
    chip.StartFlight(std::move(path), basket, spinSpeed, MakeTrail(trailKind, from, chip.look.depth));
}

void ChipManager::PlayEffect(BoardEffect kind, BoardPoint at, const BoardPoint* target)
{
    if (!effects)
        return;
    ParticleManager::Entry* entry = effects->SpawnAt(at, kind);
    if (entry && target)
        entry->target = *target;
}

} // namespace Petalwork

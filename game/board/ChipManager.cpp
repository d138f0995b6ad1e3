#include "game/board/ChipManager.h"

#include "game/board/BasketProgress.h"
#include "game/board/BasketReservations.h"
#include "game/board/BoardSettings.h"
#include "game/board/GameData.h"
#include "game/board/ModelPlayer.h"
#include "game/board/ParticleManager.h"
#include "game/board/model/ScissorsLogic.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
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
constexpr float hornParticlesBehind = 0.01f;

using P = ModelPlayer;

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

ChipManager::ChipManager(const ChipManagerParts& parts)
    : ChipManagerLogic(*parts.data.settings, parts.stage, parts.score, parts.progress, parts.powerups, parts.groups,
                       parts.sounds, parts.random),
      own(MakeOwn(parts, this)), context(*own->context), effects(parts.effects), systems(&parts.particles),
      trails{parts.data.iceParticles, parts.data.scoringBombParticles, parts.data.scoringHornParticles,
             parts.data.scoringSimpleParticles},
      baskets(parts.baskets), scissors(parts.scissors), modelManager(&parts.models)
{
    hintA = std::make_unique<Chip>(context, BoardPoint{}, 0, 0, true, false);
    hintB = std::make_unique<Chip>(context, BoardPoint{}, 0, 0, true, false);
    hintModelsA = std::make_unique<ChipModels>(parts.models, own->prototypes, false);
    hintModelsB = std::make_unique<ChipModels>(parts.models, own->prototypes, false);
    hintModelsA->Follow(*hintA);
    hintModelsB->Follow(*hintB);
    if (parts.baskets)
        SetHornBaskets(parts.baskets);
    MakeHorn(parts);
}

std::unique_ptr<ChipManager::Own> ChipManager::MakeOwn(const ChipManagerParts& parts, const HornShape* hornShape)
{
    auto own = std::make_unique<Own>();
    own->settings = MakeChipSettings(*parts.data.settings);
    own->prototypes = MakeChipPrototypes(parts.data, parts.camera);
    own->context = std::make_unique<ChipContext>(ChipContext{
        own->settings, parts.sounds, own->counters, parts.baskets, &parts.particles,
        std::vector<int>(parts.stage.flowerKinds.begin(), parts.stage.flowerKinds.end()), {}, {}, hornShape});
    CellHitBox(parts.data, own->context->hitMinimum, own->context->hitMaximum);
    return own;
}

void ChipManager::MakeHorn(const ChipManagerParts& parts)
{
    if (parts.data.hornAnimationModel) {
        horn = parts.models.CloneModel(parts.data.hornAnimationModel, parts.camera, 0);
        horn->depth = parts.data.hornAnimationModel->depth;
        P::AddRange(horn, 0, 0, 5);
        P::AddRange(horn, 1, 5, 7);
        P::AddRange(horn, 2, 7, 12);
        if (horn->animationControl)
            hornSpeed = horn->animationControl->speed;
        P::SetDrawn(horn, false);
    }
    if (parts.data.hornParticles) {
        hornParticles = parts.particles.CloneParticleSystem(*parts.data.hornParticles);
        if (hornParticles) {
            hornParticles->emitting = 0;
            if (hornParticles->spriteGroup) {
                hornParticles->spriteGroup->SetShown(false);
                if (hornParticles->spriteGroup->model && horn)
                    hornParticles->spriteGroup->model->depth = horn->depth + hornParticlesBehind;
            }
        }
    }
}

ChipManager::~ChipManager()
{
    // Chips delete their own trails through the particle manager; they go before it does.
    chips.clear();
    hintA.reset();
    hintB.reset();
    chipModels.clear();
    hintModelsA.reset();
    hintModelsB.reset();
    if (horn && modelManager) {
        modelManager->models.Remove(horn);
        delete horn;
    }
    if (hornParticles && systems)
        systems->DeleteParticleSystem(hornParticles);
}

std::unique_ptr<ChipLogic> ChipManager::MakeChip(BoardPoint position, unsigned flowerKind, unsigned count, bool hornChip)
{
    auto chip = std::make_unique<Chip>(context, position, flowerKind, count, false, hornChip);
    if (modelManager && own)
        chipModels[chip.get()] = std::make_unique<ChipModels>(*modelManager, own->prototypes, true);
    return chip;
}

void ChipManager::ChipDeleted(ChipLogic& chip)
{
    chipModels.erase(&chip);
}

const ChipModels* ChipManager::ModelsOf(const ChipLogic& chip) const
{
    const auto it = chipModels.find(&chip);
    return it == chipModels.end() ? nullptr : it->second.get();
}

void ChipManager::FollowModels()
{
    for (const auto& chip : chips)
        if (const auto it = chipModels.find(chip.get()); it != chipModels.end())
            it->second->Follow(Of(*chip));
    if (hintModelsA)
        hintModelsA->Follow(*hintA);
    if (hintModelsB)
        hintModelsB->Follow(*hintB);
}

void ChipManager::UpdateChip(ChipLogic& chip, bool playing, float dt)
{
    Of(chip).Update(playing, dt, cursor);
}

void ChipManager::CountForScissors(ChipLogic&)
{
    if (scissors)
        scissors->CountChip(false);
}

bool ChipManager::Overlaps(BoardPoint minimum, BoardPoint maximum) const
{
    if (!horn || !P::IsDrawn(horn))
        return false;
    const VantoranEngine::BoundingBox box = P::Box(horn);
    return minimum.x <= box.max.x && maximum.x >= box.min.x && minimum.y <= box.max.y && maximum.y >= box.min.y;
}

bool ChipManager::HornShown() const
{
    return horn ? P::IsDrawn(horn) : ChipManagerLogic::HornShown();
}

void ChipManager::ShowHorn(bool shown)
{
    if (!horn) {
        ChipManagerLogic::ShowHorn(shown);
        return;
    }
    P::SetDrawn(horn, shown);
    if (!hornParticles)
        return;
    if (shown) {
        const VantoranEngine::BoundingBox box = P::Box(horn);
        hornParticles->position = {(box.min.x + box.max.x) * 0.5f, (box.min.y + box.max.y) * 0.5f, 0.0f};
        hornParticles->emissionTime = 0.0f;
        hornParticles->emissionAccumulator = 0.0f;
        hornParticles->lastKey = -1;
        hornParticles->emitting = 1;
        if (hornParticles->spriteGroup)
            hornParticles->spriteGroup->SetShown(true);
    } else {
        hornParticles->emitting = 0;
    }
}

void ChipManager::StartHornAnimation(int animation, bool loop)
{
    if (!horn) {
        ChipManagerLogic::StartHornAnimation(animation, loop);
        return;
    }
    P::Play(horn, animation, hornSpeed, loop);
}

bool ChipManager::HornAnimationEnded(int animation) const
{
    return horn ? P::HasEnded(horn, animation) : ChipManagerLogic::HornAnimationEnded(animation);
}

bool ChipManager::HornLooping() const
{
    return horn ? P::IsLooping(horn, 1) : ChipManagerLogic::HornLooping();
}

void ChipManager::StopHornLoop()
{
    if (!horn || !horn->animationControl) {
        ChipManagerLogic::StopHornLoop();
        return;
    }
    horn->animationControl->loop = 0;
    horn->animationControl->speed = hornStopSpeed;
}

void ChipManager::UpdateHints(float dt)
{
    const bool playing = phase == Phase::Play;
    hintA->Update(playing, dt, cursor);
    hintB->Update(playing, dt, cursor);
    // Horn particles that have died out are hidden.
    if (hornParticles && !hornParticles->emitting && hornParticles->liveCount == 0 && hornParticles->spriteGroup)
        hornParticles->spriteGroup->SetShown(false);
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
        offBoardFlights = baskets ? baskets->CountOffBoardFlight() : offBoardFlights + 1;
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

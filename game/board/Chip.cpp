#include "game/board/Chip.h"

#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/SpriteGroup.h"

#include "engine/render/Model.h"

#include <cmath>

namespace Petalwork {

using VantoranEngine::Vector3;

namespace {

// A horn chip's trail lies just under it.
constexpr float trailBehind = 0.01f;

Vector3 At(BoardPoint p) { return {p.x, p.y, 0.0f}; }

std::unique_ptr<PathControl> ControlOn(const Path& path)
{
    auto control = std::make_unique<PathControl>();
    control->path = &path;
    control->Restart();
    return control;
}

} // namespace

Chip::Chip(const ChipContext& context, BoardPoint position, unsigned kind, unsigned creationCount, bool hint,
           bool horn)
    : context(context)
{
    flowerKind = kind;
    hintChip = hint;
    hornChip = horn;
    RefreshPicture();
    SetPosition(position, 0.0f);
    SetVisible(false);
    appearPhase = AppearPhase::Gone;
    look.depth = hint ? hintDepth : BoardDepth(creationCount);
    if (hint)
        look.main.a = 0.5f;
}

Chip::~Chip()
{
    DeleteTrail();
}

float Chip::BoardDepth(unsigned creationCount)
{
    return -0.010055f - static_cast<float>(creationCount % 10000) * 0.0001f;
}

void Chip::SetPosition(BoardPoint point, float newAngle)
{
    position = point;
    angle = newAngle;
    look.scale = 1.0f;
    look.doublingOffset = doublingActive && doublingControl ? doublingControl->position.x : 0.0f;
}

void Chip::SetVisible(bool flag)
{
    look.visible = flag;
}

void Chip::SetAlpha(float a)
{
    look.main = {1.0f, 1.0f, 1.0f, a};
}

void Chip::SetBonus(BonusKind kind)
{
    bonus = kind;
    ++look.bonusModelGeneration;
    look.hasBonusModel = static_cast<int>(kind) >= 1;
    if (look.hasBonusModel)
        look.bonusAnimationStart = VantoranEngine::RandomFloat();
    SetPosition(position, 0.0f);
}

void Chip::SetFrozen(bool flag)
{
    if (frozen)
        --context.counters.frozenCount;
    frozen = flag;
    ++look.iceGeneration;
    look.hasIce = flag;
    look.ice = {};
    if (flag)
        ++context.counters.frozenCount;
}

void Chip::RefreshPicture()
{
    if (IsStone())
        look.picture = stonePicture;
    else if (flowerKind < context.flowerPictures.size())
        look.picture = context.flowerPictures[flowerKind];
}

bool Chip::HitTest(BoardPoint point) const
{
    return point.x >= position.x + context.hitMinimum.x + hitInset &&
           point.x <= position.x + context.hitMaximum.x - hitInset &&
           point.y >= position.y + context.hitMinimum.y + hitInset &&
           point.y <= position.y + context.hitMaximum.y - hitInset;
}

void Chip::SetWaveColour(const ChipLook::Colour& colour)
{
    look.main = colour;
    look.ice = colour;
    if (doublingActive)
        look.second = colour;
}

void Chip::StartAppear(float delay)
{
    appearPhase = AppearPhase::Appearing;
    SetWaveColour({1.0f, 1.0f, 1.0f, 0.0f});
    fadeTimer = context.settings.fade + delay;
}

void Chip::StartDisappear(float delay)
{
    appearPhase = AppearPhase::Disappearing;
    SetWaveColour({1.0f, 1.0f, 1.0f, 1.0f});
    fadeTimer = context.settings.fade + delay;
}

void Chip::StepWave(float dt)
{
    const bool appearing = appearPhase == AppearPhase::Appearing;
    const float d = context.settings.fade;
    if (fadeTimer > 0.0f) {
        if (fadeTimer < d) {
            const float a = appearing ? 1.0f - fadeTimer / d : fadeTimer / d;
            SetWaveColour({1.0f, 1.0f, 1.0f, a});
        }
        fadeTimer -= dt;
    }
    if (fadeTimer > 0.0f)
        return;
    if (appearing) {
        SetWaveColour({1.0f, 1.0f, 1.0f, 1.0f});
        appearPhase = AppearPhase::Shown;
    } else {
        SetWaveColour({0.0f, 0.0f, 0.0f, 0.0f});
        appearPhase = AppearPhase::Gone;
    }
}

void Chip::FreePaths()
{
    swapControl.reset();
    swapPath.reset();
    fallControl.reset();
    fallPath.reset();
    flightControl.reset();
    flightPath.reset();
}

void Chip::StartSwap(BoardPoint target)
{
    FreePaths();
    swapPath = MakeLinePath(At(position), At(target));
    swapControl = ControlOn(*swapPath);
    state = ChipState::Swap;
}

void Chip::StartUnswap(BoardPoint target)
{
    StartSwap(target);
    outward = true;
    state = ChipState::SwapBack;
}

void Chip::StartFall(BoardPoint target, BoardPoint firstMarker, BoardPoint secondMarker, bool leaving)
{
    FreePaths();
    fallTime = 0.0f;
    fallPath = MakeLinePath(At(position), At(target));
    fallControl = ControlOn(*fallPath);
    fallControl->AddMarker(At(firstMarker));
    fallControl->AddMarker(At(secondMarker));
    state = ChipState::Fall;
    exitFall = leaving && IsStone();
}

void Chip::StartFlight(std::unique_ptr<Path> path, std::optional<BasketHandle> basket, float spinSpeed,
                       VantoranEngine::ParticleSystem* newTrail)
{
    FreePaths();
    // A chip collected again while its last trail still glows drops that trail.
    DeleteTrail();
    flightPath = std::move(path);
    flightControl = ControlOn(*flightPath);
    flightTime = 0.0f;
    targetBasket = basket;
    spin = spinSpeed;
    arrived = false;
    trail = newTrail;
    state = ChipState::Flight;
}

void Chip::StartWhirl()
{
    whirlFadeOut = context.settings.whirl;
    whirlFadeIn = 0.0f;
    state = ChipState::Whirl;
}

void Chip::StartDoubling()
{
    if (hintChip)
        return; // hint chips have no second image
    doublingActive = true;
    doublingPath = MakeLinePath({0.0f, 0.0f, 0.0f}, {doublingReach, 0.0f, 0.0f});
    doublingControl = ControlOn(*doublingPath);
    look.second = {1.0f, 1.0f, 1.0f, 1.0f};
    look.secondVisible = true;
    doublingOutward = true;
}

void Chip::Retire(float retireDepth)
{
    state = ChipState::Retired;
    retireRising = true;
    look.depth = retireDepth;
    look.hasBonusModel = false;
    ++look.bonusModelGeneration;
    look.hasIce = false;
    ++look.iceGeneration;
}

void Chip::Update(bool playing, float dt, BoardPoint cursor)
{
    look.startAnimation = false;
    if (trail && trail->spriteGroup)
        trail->spriteGroup->SetShown(playing);
    if (!playing) {
        if (appearPhase == AppearPhase::Appearing || appearPhase == AppearPhase::Disappearing)
            StepWave(dt);
        return;
    }
    if (static_cast<int>(state) <= static_cast<int>(ChipState::Fall))
        StepHover(dt, cursor);
    if (doublingActive)
        StepDoubling(dt);
    if (trail && !trail->emitting && trail->liveCount == 0)
        DeleteTrail();
    switch (state) {
    case ChipState::Selected: state = ChipState::Idle; break;
    case ChipState::Swap: StepSwap(dt); break;
    case ChipState::SwapBack: StepSwapBack(dt); break;
    case ChipState::Fall: StepFall(dt); break;
    case ChipState::Flight: StepFlight(dt); break;
    case ChipState::Whirl: StepWhirl(dt); break;
    case ChipState::Retired: StepRetire(dt); break;
    default: break;
    }
}

void Chip::StepHover(float dt, BoardPoint cursor)
{
    if (!CanHover())
        return;
    if (state == ChipState::Selected) {
        hoverMode = HoverMode::Grow;
        look.startAnimation = true;
    } else {
        hoverMode = HoverMode::Shrink;
    }
    if (HitTest(cursor))
        look.startAnimation = true;
    if (hoverMode == HoverMode::Grow)
        zoom = std::fmin(zoom + dt, context.settings.hoverZoomMaximum);
    else
        zoom = std::fmax(zoom - dt, 0.0f);
    look.scale = context.settings.hoverScale * zoom + 1.0f;
}

void Chip::StepDoubling(float dt)
{
    doublingControl->Advance(doublingSpeed * dt);
    SetPosition(position, angle);
    if (!doublingOutward)
        look.second.a = std::fabs(doublingControl->position.x) / doublingReach;
    if (!doublingControl->finished)
        return;
    if (doublingOutward) {
        doublingPath = MakeLinePath({doublingReach, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
        doublingControl = ControlOn(*doublingPath);
        doublingOutward = false;
    } else {
        doublingActive = false;
        look.secondVisible = false;
        doublingControl.reset();
        doublingPath.reset();
        look.doublingOffset = 0.0f;
    }
}

void Chip::StepSwap(float dt)
{
    swapControl->Advance(context.settings.swapSpeed * dt);
    SetPosition({swapControl->position.x, swapControl->position.y}, 0.0f);
    if (swapControl->finished) {
        state = ChipState::Idle;
        swapControl.reset();
        swapPath.reset();
    }
}

void Chip::StepSwapBack(float dt)
{
    const float speed = hintChip ? context.settings.hintSwapBackSpeed : context.settings.swapSpeed;
    swapControl->Advance(speed * dt);
    SetPosition({swapControl->position.x, swapControl->position.y}, 0.0f);
    if (!swapControl->finished)
        return;
    if (outward) {
        const Vector3 start = swapPath->points.front();
        const Vector3 end = swapPath->points.back();
        swapPath = MakeLinePath(end, start);
        swapControl = ControlOn(*swapPath);
        outward = false;
        return;
    }
    state = ChipState::Idle;
    swapControl.reset();
    swapPath.reset();
    if (hintChip)
        SetVisible(false);
}

void Chip::StepFall(float dt)
{
    fallTime += dt;
    fallControl->Advance(dt * (context.settings.fallSpeed + context.settings.fallAcceleration * fallTime));
    SetPosition({fallControl->position.x, fallControl->position.y}, 0.0f);
    if (!look.visible && fallControl->markers[0].passed)
        SetVisible(true);
    if (fallControl->finished) {
        state = ChipState::Idle;
        // The markers stay readable until the next movement; only the path goes.
        fallPath.reset();
        fallControl->path = nullptr;
    }
}

bool Chip::SecondMarkerPassed() const
{
    return fallControl && fallControl->markers.size() > 1 && fallControl->markers[1].passed;
}

void Chip::StepFlight(float dt)
{
    flightTime += dt;
    if (targetBasket && context.baskets) {
        if (const auto place = context.baskets->BasketPosition(*targetBasket)) {
            flightPath->SetCurveEnd(place->x, place->y);
            flightPath->RebuildCurve();
        } else {
            targetBasket.reset(); // gone: land where it was last seen, without scoring
        }
    }
    if (hornChip && look.depth != savedDepth) {
        // Drawn over the horn while inside it; its own depth once clear of it.
        const BoardPoint minimum{position.x + context.hitMinimum.x, position.y + context.hitMinimum.y};
        const BoardPoint maximum{position.x + context.hitMaximum.x, position.y + context.hitMaximum.y};
        if (!context.horn || !context.horn->Overlaps(minimum, maximum)) {
            look.depth = savedDepth;
            if (trail && trail->spriteGroup && trail->spriteGroup->model)
                trail->spriteGroup->model->depth = savedDepth + trailBehind;
        }
    }
    flightControl->Advance(dt * (context.settings.flightSpeed + context.settings.flightAcceleration * flightTime));
    SetPosition({flightControl->position.x, flightControl->position.y}, angle + spin * dt);
    if (trail)
        trail->position = flightControl->position;
    if (!flightControl->finished)
        return;
    if (!arrived) {
        arrived = true;
        if (targetBasket && context.baskets) {
            context.baskets->ScoreBasket(*targetBasket, flowerKind);
            context.sounds.PlaySound(BoardSound::FlowerToBasket);
        }
    }
    if (look.visible)
        SetVisible(false);
    if (trail)
        trail->emitting = 0;
    if (!trail || trail->liveCount == 0) {
        state = ChipState::Idle;
        remove = true;
        flightControl.reset();
        flightPath.reset();
    }
}

void Chip::StepWhirl(float dt)
{
    const float w = context.settings.whirl;
    if (whirlFadeOut > 0.0f) {
        SetAlpha(whirlFadeOut / w);
        whirlFadeOut -= dt;
        if (whirlFadeOut <= 0.0f) {
            SetAlpha(0.0f);
            RefreshPicture();
            whirlFadeIn = w;
        }
        return;
    }
    if (whirlFadeIn > 0.0f) {
        SetAlpha(1.0f - whirlFadeIn / w);
        whirlFadeIn -= dt;
        if (whirlFadeIn > 0.0f)
            return;
    } else {
        // No whirl time: the picture still turns.
        RefreshPicture();
    }
    SetAlpha(1.0f);
    state = ChipState::Idle;
}

void Chip::StepRetire(float dt)
{
    if (!retireMoving)
        return;
    if (retireRising) {
        BoardPoint next{position.x, position.y + retireSpeed * dt};
        if (next.y > retireTop) {
            next = {VantoranEngine::RandomSpread(400.0f, 50.0f), retireTop};
            retireRising = false;
        }
        SetPosition(next, angle);
        return;
    }
    SetPosition({position.x, position.y - retireSpeed * dt}, angle);
    if (position.y < retireArrived)
        context.counters.chipsArrived = true;
    if (position.y < retireGone) {
        state = ChipState::Idle;
        remove = true;
    }
}

void Chip::DeleteTrail()
{
    if (trail && context.particles)
        context.particles->DeleteParticleSystem(trail);
    trail = nullptr;
}

} // namespace Petalwork

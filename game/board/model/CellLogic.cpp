#include "game/board/model/CellLogic.h"

namespace Petalwork {

CellLogic::CellLogic(BoardPoint centre, TileType fileType, uint32_t reserved, const CellTimings& timings)
    : centre(centre), fileType(fileType), type(fileType), reserved(reserved), timings(timings)
{
}

bool CellLogic::BreakLayer()
{
    switch (type) {
    case TileType::Double: type = TileType::Single; return true;
    case TileType::Triple: type = TileType::Double; return true;
    default: return false;
    }
}

bool CellLogic::RestoreLayers()
{
    if (fileType == TileType::NoTile || type == TileType::NoTile)
        return false;
    type = fileType;
    return true;
}

void CellLogic::RemoveTile()
{
    SetPowerup(PowerupKind::None, 0.0f);
    fileType = TileType::NoTile;
    type = TileType::NoTile;
}

void CellLogic::StartAppear(float delay)
{
    if (!HasTile())
        return;
    appearPhase = AppearPhase::Appearing;
    phaseTimer = timings.fade + delay;
    if (crossFadeRunning) {
        crossFadeRunning = false;
        RestoreLayers();
    }
}

void CellLogic::StartDisappear(float delay)
{
    if (!HasTile())
        return;
    appearPhase = AppearPhase::Disappearing;
    phaseTimer = timings.fade + delay;
    if (crossFadeRunning) {
        crossFadeRunning = false;
        RestoreLayers();
    }
}

void CellLogic::StartCrossFade(float delay)
{
    if (!HasTile())
        return;
    crossFadeRunning = true;
    crossFadeTimer = timings.crossFade + delay;
    fadeOutLeft = timings.crossFade;
    fadeInLeft = 0.0f;
}

void CellLogic::StartShine(float delay)
{
    if (!HasTile())
        return;
    shineRunning = true;
    shineTimer = timings.shine + delay;
    shineFadeIn = timings.shine;
    shineFadeOut = 0.0f;
}

bool CellLogic::SetPowerup(PowerupKind kind, float lifetime)
{
    if (!HasTile())
        return false;
    powerup = kind;
    powerupTimeLeft = kind == PowerupKind::None ? 0.0f : lifetime;
    blinkTimer = 0.0f;
    return true;
}

CellStepResult CellLogic::Step(float dt, bool isSelected)
{
    CellStepResult result;
    if (appearPhase == AppearPhase::Appearing || appearPhase == AppearPhase::Disappearing)
        StepFade(dt, result);
    if (shineRunning)
        StepShine(dt, result);
    if (appearPhase == AppearPhase::Shown) {
        StepPowerup(dt, result);
        if (crossFadeRunning)
            StepCrossFade(dt, result);
    }
    if (chip && isSelected)
        chip->state = ChipState::Selected;
    return result;
}

void CellLogic::StepFade(float dt, CellStepResult& result)
{
    const bool appearing = appearPhase == AppearPhase::Appearing;
    const float d = timings.fade;
    if (phaseTimer > 0.0f) {
        if (phaseTimer < d)
            result.alpha = appearing ? 1.0f - phaseTimer / d : phaseTimer / d;
        phaseTimer -= dt;
    }
    if (phaseTimer > 0.0f)
        return;
    if (appearing) {
        result.alpha = 1.0f;
        appearPhase = AppearPhase::Shown;
        return;
    }
    result.alpha.reset();
    result.faded = true;
    appearPhase = AppearPhase::Gone;
    // A retired chip rises off the board once the board has faded under it.
    if (chip && chip->state == ChipState::Retired) {
        chip->retireMoving = true;
        chip = nullptr;
    }
}

void CellLogic::StepShine(float dt, CellStepResult& result)
{
    const float s = timings.shine;
    // The delay runs down to the cross-fade duration, not the shine's own: the wave's timing.
    if (shineTimer >= timings.crossFade) {
        shineTimer -= dt;
        return;
    }
    if (shineFadeIn > 0.0f) {
        result.shineAlpha = 1.0f - shineFadeIn / s;
        shineFadeIn -= dt;
        shineFadeOut = s;
        return;
    }
    if (shineFadeOut > 0.0f) {
        result.shineAlpha = shineFadeOut / s;
        shineFadeOut -= dt;
    }
    if (shineFadeOut <= 0.0f) {
        result.shineEnded = true;
        shineRunning = false;
        shineTimer = 0.0f;
    }
}

void CellLogic::StepPowerup(float dt, CellStepResult& result)
{
    if (powerup == PowerupKind::None)
        return;
    if (powerupTimeLeft > 0.0f)
        powerupTimeLeft -= dt;
    if (powerupTimeLeft <= 0.0f) {
        SetPowerup(PowerupKind::None, 0.0f);
        result.powerupExpired = true;
        return;
    }
    if (powerupTimeLeft < static_cast<float>(timings.blinkCount) * timings.blinkPeriod) {
        blinkTimer -= dt;
        if (blinkTimer < 0.0f) {
            result.blink = true;
            blinkTimer = timings.blinkPeriod;
        }
    }
}

void CellLogic::StepCrossFade(float dt, CellStepResult& result)
{
    const float f = timings.crossFade;
    if (crossFadeTimer >= f) {
        crossFadeTimer -= dt;
        return;
    }
    if (fadeOutLeft > 0.0f) {
        result.alpha = fadeOutLeft / f;
        fadeOutLeft -= dt;
        if (fadeOutLeft <= 0.0f) {
            result.restoreLayers = RestoreLayers();
            result.alpha = 0.0f;
            fadeInLeft = f;
        }
        return;
    }
    if (fadeInLeft > 0.0f) {
        result.alpha = 1.0f - fadeInLeft / f;
        fadeInLeft -= dt;
        if (fadeInLeft > 0.0f)
            return;
    }
    result.alpha = 1.0f;
    crossFadeTimer = 0.0f;
    crossFadeRunning = false;
}

} // namespace Petalwork

#include "game/board/model/PowerupManager.h"

namespace Petalwork {

PowerupManager::PowerupManager(SoundSink& sounds, float pauseDuration, float doubleChipDuration)
    : sounds(sounds), pauseDuration(pauseDuration), doubleChipDuration(doubleChipDuration)
{
}

void PowerupManager::Activate(PowerupKind kind)
{
    switch (kind) {
    case PowerupKind::Horn:
        hornPending = true;
        sounds.PlaySound(BoardSound::HornPowerupAppear);
        break;
    case PowerupKind::Pause:
        pauseOn = true;
        pauseTime = pauseDuration;
        sounds.PlaySound(BoardSound::PausePowerupOn);
        break;
    case PowerupKind::Tornado:
        tornadoPending = true;
        sounds.PlaySound(BoardSound::TornadoPowerupOn);
        break;
    case PowerupKind::DoubleChip:
        doubleChipOn = true;
        doubleChipTime = doubleChipDuration;
        doubleChipJustStarted = true;
        sounds.PlaySound(BoardSound::DoubleChipPowerupOn);
        break;
    default:
        break;
    }
}

void PowerupManager::Update(float dt)
{
    if (doubleChipTime > 0.0f) {
        doubleChipTime -= dt;
    } else if (doubleChipOn) {
        doubleChipOn = false;
        sounds.PlaySound(BoardSound::DoubleChipPowerupOff);
    }
    if (pauseTime > 0.0f) {
        pauseTime -= dt;
    } else if (pauseOn) {
        pauseOn = false;
        sounds.PlaySound(BoardSound::PausePowerupOff);
    }
}

} // namespace Petalwork

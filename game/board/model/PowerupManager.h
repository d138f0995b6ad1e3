#pragma once
// PowerupManager: the flags and clocks of the four powerups a match picks up from a cell, and their
// activation and end sounds. Other parts carry the powerups out by reading the flags.
//
// Rules:
// - Timed powerups (pause, double chip) run down by the frame time passed to Update, which the level
//   calls only while the board is shown, so a paused level keeps their time. One switches off, with its
//   end sound, on the first update that finds its clock at or below 0.
// - A second activation of a running timed powerup restarts its clock and plays its sound again.
// - Horn and tornado have no clock: their pending flags wait for the part that runs them to clear them.

#include "game/board/model/BoardTypes.h"
#include "game/board/model/SoundSink.h"

namespace Petalwork {

class PowerupManager {
public:
    // Durations in seconds (the game settings' pause and double-chip values).
    PowerupManager(SoundSink& sounds, float pauseDuration, float doubleChipDuration);
    virtual ~PowerupManager() = default;

    // Any kind other than the four does nothing.
    void Activate(PowerupKind kind);
    void Update(float dt);

    bool doubleChipOn = false;
    float doubleChipTime = 0.0f;     // seconds left
    bool doubleChipJustStarted = false;
    bool pauseOn = false;            // the baskets stand still
    float pauseTime = 0.0f;          // seconds left
    bool tornadoPending = false;
    bool hornPending = false;

private:
    SoundSink& sounds;
    float pauseDuration;
    float doubleChipDuration;
};

} // namespace Petalwork

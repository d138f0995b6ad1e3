#pragma once
// SoundSink: how the board's rules ask for a sound, by the game's sound id. The level hands in the
// game's sound player behind it; tests record the ids.

namespace Petalwork {

// The board's sounds, by the game's ids.
enum class BoardSound : int {
    FlowerToBasket = 29,
    PausePowerupOn = 33,
    PausePowerupOff = 34,
    HornPowerupAppear = 35,
    TornadoPowerupOn = 37,
    DoubleChipPowerupOn = 38,
    DoubleChipPowerupOff = 39,
    BreakCell = 55,
    PowerupAppear = 58,
};

class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void PlaySound(BoardSound sound) = 0;
};

} // namespace Petalwork

#pragma once
// SoundSink: how the board's rules ask for a sound, by the game's sound id. The level hands in the
// game's sound player behind it; tests record the ids.

namespace Petalwork {

// The board's sounds, by the game's ids.
enum class BoardSound : int {
    TimeIsEnding = 22,           // looped
    FlowerToBasket = 29,
    CollectBasket = 30,
    HaventTimeToCollectBasket = 31,
    BasketBonus = 32,
    PausePowerupOn = 33,
    PausePowerupOff = 34,
    HornPowerupAppear = 35,
    TornadoPowerupOn = 37,
    DoubleChipPowerupOn = 38,
    DoubleChipPowerupOff = 39,
    AfterBonusTime = 41,         // looped while the after-bonus runs
    AfterBonusBasket = 42,
    ScissorsAppear0 = 44,        // 45, 46 for the second and third pair
    ScissorsUse0 = 47,           // 48, 49 for a cut with two and three pairs
    BreakCell = 55,
    PowerupAppear = 58,
};

class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void PlaySound(BoardSound sound) = 0;
};

} // namespace Petalwork

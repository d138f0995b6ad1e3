#pragma once
// SoundSink: how the board's rules ask for a sound, by the game's sound id. The level hands in the
// game's sound player behind it; tests record the ids.

namespace Petalwork {

// The board's sounds, by the game's ids.
enum class BoardSound : int {
    Select = 5,
    Unswap = 6,
    Score = 8,
    ScoreWithBonus = 9,
    ScoreBonusBomb = 10,
    ScoreBonusLine = 11,
    ScoreBonusRandomChipDestruction = 12,
    ScoreCombo2 = 14, // up to ScoreCombo8 = 20, one per link of the chain
    ScoreCombo8 = 20,
    ChainReaction = 21,
    TimeIsEnding = 22,           // looped
    NoMoreMoves = 24,
    FlowerToBasket = 29,
    CollectBasket = 30,
    HaventTimeToCollectBasket = 31,
    BasketBonus = 32,
    PausePowerupOn = 33,
    PausePowerupOff = 34,
    HornPowerupAppear = 35,
    HornFlowerAppear = 36,
    TornadoPowerupOn = 37,
    DoubleChipPowerupOn = 38,
    DoubleChipPowerupOff = 39,
    AfterBonusTime = 41,         // looped while the after-bonus runs
    AfterBonusBasket = 42,
    ScissorsAppear0 = 44,        // 45, 46 for the second and third pair
    ScissorsUse0 = 47,           // 48, 49 for a cut with two and three pairs
    BreakCell = 55,
    Shining = 56,
    PowerupAppear = 58,
};

class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void PlaySound(BoardSound sound) = 0;
};

} // namespace Petalwork

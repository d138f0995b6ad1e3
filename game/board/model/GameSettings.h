#pragma once
// The game's tuning numbers: the 90 values of "data\game.ini" and the 7 of "data\score.ini", read once
// with the global bundle and never written afterwards. Each field names the value's position in its file
// ("game N" or "score N"); two consecutive positions read as one pair are one field. Distances and speeds
// are in virtual-screen units (800 x 600) and seconds; animation speeds in frames per second.

#include <cstdint>

namespace Petalwork {

struct SettingsPoint {
    float x = 0.0f;
    float y = 0.0f;
};

struct SettingsRange {
    float minimum = 0.0f;
    float maximum = 0.0f;
};

struct GameSettings {
    static constexpr int gameValueCount = 90;
    static constexpr int scoreValueCount = 7;

    // data\game.ini
    float chipFallStartSpeed = 0.0f;          // game 1
    float chipFallAcceleration = 0.0f;        // game 2
    float unused3 = 0.0f;                     // game 3 (not read by the game)
    float unused4 = 0.0f;                     // game 4
    float unused5 = 0.0f;                     // game 5
    float unused6 = 0.0f;                     // game 6
    float comboCaptionRiseSpeed = 0.0f;       // game 7
    float comboCaptionStartAlpha = 0.0f;      // game 8
    float comboCaptionFadePerSecond = 0.0f;   // game 9
    float comboCaptionGrowthRate = 0.0f;      // game 10
    SettingsPoint comboCaptionPosition;       // game 11-12
    float waveSpread = 0.0f;                  // game 13
    float layerRestoreWaveSpread = 0.0f;      // game 14
    float waveDivisor = 0.0f;                 // game 15
    float fadeDuration = 0.0f;                // game 16
    float crossFadeHalfDuration = 0.0f;       // game 17
    float swapSpeed = 0.0f;                   // game 18
    float hintSwapBackSpeed = 0.0f;           // game 19
    float unused20 = 0.0f;                    // game 20
    float hoverZoomMaximum = 0.0f;            // game 21
    float hoverScalePerUnit = 0.0f;           // game 22
    float hintDelay = 0.0f;                   // game 23
    float moveEndDelay = 0.0f;                // game 24
    SettingsPoint boardCentre;                // game 25-26
    float lineEffectSpeed = 0.0f;             // game 27
    float flightStartSpeed = 0.0f;            // game 28
    float flightAcceleration = 0.0f;          // game 29
    float basketAppearAnimationSpeed = 0.0f;  // game 30
    float basketWaitAnimationSpeed = 0.0f;    // game 31
    float basketEndAnimationSpeed = 0.0f;     // game 32
    float orderCountUpTime = 0.0f;            // game 33
    float basketLabelDelay = 0.0f;            // game 34
    float orderEntryDelay = 0.0f;             // game 35
    float floatingTextStartAlpha = 0.0f;      // game 36
    float floatingTextRiseSpeed = 0.0f;       // game 37
    float floatingTextFadePerSecond = 0.0f;   // game 38
    float firstBasketDelay = 0.0f;            // game 39
    float tallyInterval = 0.0f;               // game 40
    float hornFlowerInterval = 0.0f;          // game 41
    float basketGlideSpeed = 0.0f;            // game 42
    float hiddenPanelOffset = 0.0f;           // game 43
    float panelSlideSpeed = 0.0f;             // game 44
    float basketFlyAwaySpeed = 0.0f;          // game 45
    float pausePowerupDuration = 0.0f;        // game 46
    float doubleChipPowerupDuration = 0.0f;   // game 47
    float quickBasketSecondsPerFlower = 0.0f; // game 48
    int32_t quickGainThreshold = 0;           // game 49
    float extraBasketInterval = 0.0f;         // game 50
    float goalCompleteDelay = 0.0f;           // game 51
    float afterBonusEndDelay = 0.0f;          // game 52
    float afterBonusStepInterval = 0.0f;      // game 53
    float unused54 = 0.0f;                    // game 54
    float unused55 = 0.0f;                    // game 55
    float tallyItemSpeed = 0.0f;              // game 56
    float tallyItemAcceleration = 0.0f;       // game 57
    float bonusCaptionRiseSpeed = 0.0f;       // game 58
    float bonusCaptionTime = 0.0f;            // game 59
    SettingsRange offBoardFlightDistance;     // game 60-61
    SettingsRange offBoardFlightRise;         // game 62-63
    float offBoardFlightHighestY = 0.0f;      // game 64
    SettingsRange tallyFlightDistance;        // game 65-66
    SettingsRange tallyFlightRise;            // game 67-68
    float tallyFlightHighestY = 0.0f;         // game 69
    float fragmentSpeed = 0.0f;               // game 70
    float fragmentSpeedSpread = 0.0f;         // game 71
    SettingsRange fragmentThrow;              // game 72-73
    SettingsRange fragmentLift;               // game 74-75
    float fragmentHighestY = 0.0f;            // game 76
    int32_t pointsPerExtraLife = 0;           // game 77
    float plantedBlinkInterval = 0.0f;        // game 78
    int32_t plantedBlinkCount = 0;            // game 79
    SettingsRange flyingSpin;                 // game 80-81 (radians per second)
    SettingsRange fragmentSpin;               // game 82-83
    float shineWaveSpread = 0.0f;             // game 84
    float shineHalfDuration = 0.0f;           // game 85
    float idleShineDelay = 0.0f;              // game 86
    SettingsPoint menuButtonPosition;         // game 87-88
    float powerupBlinkPeriod = 0.0f;          // game 89
    int32_t powerupBlinkPeriods = 0;          // game 90

    // data\score.ini
    int32_t extraBasketBonus = 0;             // score 1
    int32_t quickGainBonus = 0;               // score 2
    int32_t unusedScore3 = 0;                 // score 3
    int32_t quickBasketBonus = 0;             // score 4
    int32_t basketEdgeBonus = 0;              // score 5
    int32_t flowerComboBonus = 0;             // score 6
    int32_t manyFlowersBonus = 0;             // score 7
};

} // namespace Petalwork

#pragma once
// StageInfo: one stage of the catalogue, the values that drive the board, the baskets and the stage
// screen. Copied by value (lists included) by those that keep it.

#include <cstdint>
#include <string>
#include <vector>

namespace GameFramework {

// One page of stage-screen text: its lines.
using TextPage = std::vector<std::u16string>;

struct StageInfo {
    int32_t levelCount = 0;
    int32_t background = 0; // folder "backgrounds\background_" + N

    int32_t flowerKindCount = 0;     // n: kinds 0..n-1 are in play (1..10)
    std::vector<int32_t> flowerKinds; // per kind its chip atlas frame (0..31, never the stone's 6)

    // From the options file.
    float powerupIntervalMin = 0.0f; // seconds between two powerups placed on cells
    float powerupIntervalMax = 0.0f;
    float powerupLifetime = 0.0f; // seconds a powerup stays on a cell
    std::vector<int32_t> powerupKinds; // allowed of 1 horn, 2 pause, 3 tornado, 4 double chip
    bool volumeBombsAllowed = false;
    bool lineBombsAllowed = false;
    bool randomDestructionAllowed = false;

    // From the third file: kept with the record, used by nothing.
    float keptFloat = 0.0f;
    int32_t keptInts[4] = {0, 0, 0, 0};

    // From the stage list.
    int32_t basketPlaces = 0;    // fixed places (modes 1, 9) and most baskets active at once
    float spawnInterval = 0.0f;  // seconds between conveyor spawns (modes 0, 8)
    int32_t orderSizeLimit = 0;  // most distinct kinds in one basket order (1..3)
    float startSpeed = 0.0f;     // conveyor speed at the start of the path, units per second
    float endSpeed = 0.0f;       // at the end of the path
    float speedPerBasket = 0.0f; // taken off per basket on the conveyor
    float placeWait = 0.0f;      // seconds per flower of a fixed-place order; 0 or less: no limit
    int32_t stonesAtStart = 0;
    int32_t maxStones = 0;
    float stoneInterval = 0.0f;  // seconds between stone spawns; 0 never
    int32_t frozenAtStart = 0;
    int32_t maxFrozen = 0;
    float frozenInterval = 0.0f; // seconds between frozen spawns; 0 never

    // Level bonuses the stage's levels must earn in total for the silver and the gold order.
    int32_t silverThreshold = 0;
    int32_t goldThreshold = 0;

    int32_t scissorsThresholdCount = 0;      // 0..3
    std::vector<int32_t> scissorsThresholds; // chips to collect for each further pair, each at least 1

    std::vector<TextPage> introPages;
    std::vector<TextPage> outroPages;
};

} // namespace GameFramework

#pragma once
// LevelInfo: one level of the catalogue. Copied by value by those that keep it beyond a call.

#include "framework/TipPage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GameFramework {

struct LevelInfo {
    // The level's LevelPosition.
    uint32_t stageIndex = 0;
    uint32_t levelIndex = 0;

    int32_t goalCount = 0; // units the goal needs, at least 1
    int32_t levelKind = 0; // 0..10: the goal and the basket mode
    float levelTime = 0.0f; // seconds on the level clock
    int32_t orderEntryMin = 0; // flowers per order entry
    int32_t orderEntryMax = 0;
    float parTime = 0.0f; // seconds; finishing faster earns the wings bonus
    std::string boardName; // "data\levels\meshes\" + name + ".blf"
    std::vector<TipPage> tips; // empty when the tip name is "empty"
};

} // namespace GameFramework

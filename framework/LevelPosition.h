#pragma once
// LevelPosition: a level's place in the catalogue, stage index then level index, both from 0 (the log
// and the screens show them from 1). Profiles store it and the running level knows its own.

#include <cstdint>

namespace GameFramework {

struct LevelPosition {
    uint32_t stage = 0;
    uint32_t level = 0;
};

// Both indexes equal.
inline bool IsSamePosition(const LevelPosition& a, const LevelPosition& b)
{
    return a.stage == b.stage && a.level == b.level;
}

} // namespace GameFramework

#pragma once
// LevelProgress: the running level's goal counter. What counts depends on the goal kind (the level
// kind): filled baskets (0, 1, 8, 9), points (2), stones (3), bonus effects (4), frozen chips (5), chain
// reactions (6), tile layers (7), or flower chips of one target kind (10).
//
// Rules: every event that counts toward the goal goes through `Add`, called only where the event matches
// the goal kind; once the goal is done nothing changes until `Reset`. Headless: no engine include.

#include <cstdint>

namespace GameFramework {
struct LevelInfo;
struct StageInfo;
} // namespace GameFramework

namespace Petalwork {

class LevelProgress {
public:
    static constexpr int32_t targetKindGoal = 10; // the goal kind that counts chips of one flower kind

    // The goal and kind from the level; the target kind is `random` modulo the stage's flower kinds
    // (drawn for every level, whatever its kind).
    LevelProgress(const GameFramework::LevelInfo& level, const GameFramework::StageInfo& stage, uint32_t random);
    LevelProgress(uint32_t goal, int32_t goalKind, int32_t targetKind);
    virtual ~LevelProgress() = default;

    // In the target-kind goal `n` is the collected chip's flower kind and counts 1 when it is the target;
    // in every other goal `n` is added. Reaching the goal clamps the count and sets `done`.
    void Add(uint32_t n);
    // After a lost life: count, idle time and done back to 0; the goal stays.
    void Reset();

    float idleTime = 0.0f; // seconds since the count last grew
    bool done = false;
    uint32_t goal = 0;
    uint32_t count = 0; // never above the goal
    int32_t targetKind = 0;
    int32_t goalKind = 0;
};

} // namespace Petalwork

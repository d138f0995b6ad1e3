#include "game/board/model/LevelProgress.h"

#include "framework/LevelInfo.h"
#include "framework/StageInfo.h"

namespace Petalwork {

LevelProgress::LevelProgress(const GameFramework::LevelInfo& level, const GameFramework::StageInfo& stage,
                             uint32_t random)
    : LevelProgress(static_cast<uint32_t>(level.goalCount), level.levelKind,
                    // The catalogue guarantees at least one kind; an empty list still must not divide by 0.
                    stage.flowerKinds.empty() ? 0 : static_cast<int32_t>(random % stage.flowerKinds.size()))
{
}

LevelProgress::LevelProgress(uint32_t goal_, int32_t goalKind_, int32_t targetKind_)
    : goal(goal_), targetKind(targetKind_), goalKind(goalKind_)
{
}

void LevelProgress::Add(uint32_t n)
{
    if (done)
        return;
    if (goalKind == targetKindGoal) {
        if (static_cast<int64_t>(n) == targetKind) {
            ++count;
            idleTime = 0.0f;
        }
    } else {
        // Saturating, so a huge score jump cannot wrap the count below the goal.
        count = n > UINT32_MAX - count ? UINT32_MAX : count + n;
        idleTime = 0.0f;
    }
    if (count >= goal) {
        count = goal;
        idleTime = 0.0f;
        done = true;
    }
}

void LevelProgress::Reset()
{
    count = 0;
    idleTime = 0.0f;
    done = false;
}

} // namespace Petalwork

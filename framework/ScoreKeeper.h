#pragma once
// ScoreKeeper: the running level's score table: base points per score event, a multiplier and the
// level's total. The level registers the events once; its parts ask for points and add what they earn
// to the total directly.

#include <cstdint>
#include <map>

namespace GameFramework {

class ScoreKeeper {
public:
    // The first registration of an id wins.
    void SetPoints(uint32_t id, int32_t points) { points_.emplace(id, points); }
    // The id's base points times the multiplier; 0 for an id never registered.
    int32_t GetPoints(uint32_t id) const
    {
        const auto it = points_.find(id);
        return it == points_.end() ? 0 : it->second * multiplier;
    }

    int32_t multiplier = 1;
    int32_t total = 0; // the level's score

private:
    std::map<uint32_t, int32_t> points_; // score event id -> base points
};

} // namespace GameFramework

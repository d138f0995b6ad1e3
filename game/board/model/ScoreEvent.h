#pragma once
// The score events the board's cells earn points by, with the ids of the level's score table.

#include <cstdint>

namespace Petalwork {

enum class ScoreEvent : uint32_t {
    PowerupPickedUp = 6,
    LayerBroken = 18,
};

} // namespace Petalwork

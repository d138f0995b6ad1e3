#pragma once
// ScoreEvents: how the board's rules add the points of a score event to the level's total. The level
// hands in its score keeper behind it.

namespace Petalwork {

enum class ScoreEvent : int {
    PowerupPickedUp = 6,
    LayerBroken = 18,
};

class ScoreEvents {
public:
    virtual ~ScoreEvents() = default;
    virtual void AddScoreEvent(ScoreEvent event) = 0;
};

} // namespace Petalwork

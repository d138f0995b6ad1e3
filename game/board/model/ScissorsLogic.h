#pragma once
// ScissorsLogic: the player's earned cutting tool, counted: collected chips count towards the next pair
// of scissors (the stage's thresholds, at most three pairs); arming chooses the cut's radius; a cut
// spends every pair held. The scissors on the panel (game/board/Scissors) are built on it.
//
// Rules:
// - Chips are not counted while every pair the stage offers is held.
// - Earning pair p + 1 adds the points of score event 15 + p to the score.
// - A cut spends the pairs before its chips are collected (Spend), so that the cut's chips count
//   towards the next pair instead of being wiped with the pairs just spent.
// - The fill of the pair being earned is only computed while one is being earned and its threshold is
//   above 0.

#include <cstdint>
#include <vector>

namespace GameFramework {
class ScoreKeeper;
}

namespace Petalwork {

class ScissorsLogic {
public:
    static constexpr unsigned maxPairs = 3;
    static constexpr uint32_t firstPairEvent = 15; // score events 15, 16, 17

    // Thresholds: chips per pair, in order; any beyond the third are ignored.
    ScissorsLogic(GameFramework::ScoreKeeper& score, const std::vector<int32_t>& thresholds);
    virtual ~ScissorsLogic() = default;

    // A collected chip (refresh false), or the per-frame refresh of the display (refresh true, counts
    // nothing). May earn a pair.
    virtual void CountChip(bool refresh);
    // Holds n pairs from now on.
    virtual void Award(unsigned n);
    // Chip count 0, no pairs held.
    void Disarm();
    // For a cut: the pairs held, which are spent at once (not armed, none held, count 0).
    unsigned Spend();

    unsigned ThresholdCount() const { return static_cast<unsigned>(thresholds.size()); }
    // 0 .. 1: the progress shown for the pairs held: the fill of the pair being earned; with two pairs
    // held and no third to earn, full.
    float Fill() const;

    unsigned pairs = 0;
    unsigned chipCount = 0; // since the last pair
    int armedMode = 0;      // 0 not armed, else the pairs held when armed
    bool threePairs = false; // the third pair was earned in this level

protected:
    GameFramework::ScoreKeeper& score;
    std::vector<unsigned> thresholds;
};

} // namespace Petalwork

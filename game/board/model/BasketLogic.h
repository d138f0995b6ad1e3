#pragma once
// BasketLogic: what the board's rules know of one basket: its order and counts, where it stands, its own
// timer on a fixed place, and the flags the conveyor reads and writes. The basket on the screen
// (game/board/Basket) is built on it and runs the models' choreography.
//
// Rules:
// - Entries of one order have distinct flower kinds. Chips are taken only by open entries.
// - A basket is filled when no entry has chips still to arrive; it then takes no further chips.
// - Times are seconds of frame time.

#include "game/board/model/BasketOrderEntry.h"
#include "game/board/model/BoardTypes.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Petalwork {

struct BasketColour {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

class BasketLogic {
public:
    virtual ~BasketLogic() = default;

    // The order, its flower total, and the own time: every chip of the order is worth `placeWait` seconds.
    void SetOrder(std::vector<BasketOrderEntry> entries, float placeWait);

    // The first open entry of `kind` with a chip still to send gives one up; the entry is no longer
    // untouched. False when no open entry wants the kind.
    bool TakeChip(unsigned kind);
    // A chip of `kind` landed: the entries of that kind count it and show it. True when the basket is
    // now filled (no entry has a chip still to arrive).
    bool ArriveChip(unsigned kind);

    bool HasChipsToSend() const;
    bool HasChipsToArrive() const;
    // Some chip was sent and has not landed yet.
    bool HasChipsInFlight() const;
    bool AllEntriesUntouched() const;
    // For the horn: one of the kinds that open entries still want, uniformly with one draw of `random`;
    // -1 (and no draw) when none.
    int PickWantedKind(const std::function<uint32_t()>& random) const;

    // The shown counts of open entries count up to their still-to-send counts, one step every
    // `countUpTime` / still-to-send seconds.
    void CountUp(float dt, float countUpTime);

    // The own timer's colour: green to yellow over the first half, yellow to red over the second.
    BasketColour TimerColour() const;
    // 0 .. 1: how much of the own time has run out.
    float TimerFraction() const;

    std::vector<BasketOrderEntry> order;
    unsigned flowerTotal = 0;
    bool left = true;         // side of the screen
    bool fixedPlace = false;  // stands on a place instead of riding a conveyor
    int place = -1;           // place index, -1 none
    BoardPoint position;      // logical position on the screen
    bool leaving = false;     // flying away: takes no more chips
    bool reachedEnd = false;  // finished its end animation at the end of the conveyor
    bool untouchedMark = false;
    bool quickGainSeal = false;
    bool extraBonusCounted = false; // counted by the end-of-level extra-basket bonus
    float timeAlive = 0.0f;
    float timerTotal = 0.0f;  // the own time, seconds
    float timerLeft = 0.0f;
};

} // namespace Petalwork

#pragma once
// BasketOrderEntry: one line of a basket's order: a flower kind and how many of its chips are still to be
// sent (assigned to the basket by the chip collection) and still to arrive (landed in it). Between the
// two counts are the chips in flight.

namespace Petalwork {

struct BasketOrderEntry {
    int flowerKind = 0;     // 0 .. n - 1
    int toSend = 0;
    int toArrive = 0;
    float countUpTimer = 0.0f; // seconds to the next step of the shown count
    int shownCount = 0;     // what the basket's sheet shows
    float appearDelay = 0.0f; // seconds until the entry appears, while pending
    bool pending = false;   // the next entry to appear
    bool open = false;      // its icon has appeared: chips may be sent to it
    bool untouched = true;  // no chip of it has been sent or has arrived yet
};

} // namespace Petalwork

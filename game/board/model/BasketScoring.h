#pragma once
// BasketScoring: the bonuses a filled basket earns: quick basket (filled within its flower total times
// the quick-basket seconds), edge (filled during its end animation at the conveyor's end), combo (the
// fourth and later of a chain of fills less than 2 s apart: ((c - 1)(c - 2) + 3) x 1000 for chain c =
// 2, 3, ...), quick gain (every chip sent in one move while the basket was untouched, and more flowers
// than the quick-gain threshold). Keeps the chain and the counts the level-complete bonus reads.

#include "game/board/model/BasketLogic.h"
#include "game/board/model/GameSettings.h"

#include <cstdint>

namespace Petalwork {

struct BasketBonus {
    bool quickBasket = false;
    bool edge = false;
    unsigned combo = 0; // the chain length shown as "x c"; 0 without a combo bonus
    bool quickGain = false;
    int32_t points = 0;

    bool Any() const { return quickBasket || edge || combo != 0 || quickGain; }
};

class BasketScoring {
public:
    static constexpr float comboWindow = 2.0f; // seconds between fills of one chain

    explicit BasketScoring(const GameSettings& settings);

    void Advance(float dt) { timeSinceLastFill += dt; }
    // The bonus of a basket filled now; `edge`: it is playing its end animation.
    BasketBonus Score(const BasketLogic& basket, bool edge);

    float timeSinceLastFill = comboWindow;
    unsigned comboChain = 0;
    unsigned quickBaskets = 0;
    unsigned quickGains = 0;

private:
    const GameSettings& settings;
};

} // namespace Petalwork

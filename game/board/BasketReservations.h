#pragma once
// BasketReservations: what a collected chip asks of the basket conveyor before it takes off: a basket
// that wants its flower kind (the basket reserves a slot for it), the basket's draw depth, and how many
// baskets the level has spawned (the depth of chips flying off the board lies under them all).

#include "game/board/Chip.h"

#include <optional>

namespace Petalwork {

class BasketReservations : public BasketTargets {
public:
    virtual std::optional<BasketHandle> FindBasketFor(unsigned flowerKind) = 0;
    virtual float BasketDepth(BasketHandle basket) const = 0;
    virtual unsigned BasketsSpawned() const = 0;
};

} // namespace Petalwork

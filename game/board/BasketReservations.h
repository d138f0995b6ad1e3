#pragma once
// BasketReservations: what a collected chip asks of the basket conveyor before it takes off: a basket
// that wants its flower kind (the basket reserves a slot for it), the basket's draw depth, how many
// baskets the level has spawned and how many chips have flown off the board (the depth of chips flying
// off the board lies under every basket, each under the last).

#include "game/board/Chip.h"

#include <optional>

namespace Petalwork {

class BasketReservations : public BasketTargets {
public:
    virtual std::optional<BasketHandle> FindBasketFor(unsigned flowerKind) = 0;
    virtual float BasketDepth(BasketHandle basket) const = 0;
    virtual unsigned BasketsSpawned() const = 0;
    // One more chip flies off the board: the level's count of them, this one included.
    virtual unsigned CountOffBoardFlight() = 0;
};

} // namespace Petalwork

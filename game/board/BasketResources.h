#pragma once
// The prototypes of the baskets, the conveyor belts with the level clock, and the scissors, as those
// parts take them, filled from the global bundle. Basket bodies: the bundle's nine per side serve orders
// of one, two and three entries by thirds (0-2, 3-5, 6-8). The sparkle of a filled basket is the
// bundle's "basket" particle system.

#include "game/board/Basket.h"
#include "game/board/BasketProgress.h"
#include "game/board/Scissors.h"

namespace VantoranEngine {
class Camera;
}

namespace Petalwork {

class GameData;

// `camera`: the GUI camera the models are drawn with.
BasketPrototypes MakeBasketPrototypes(const GameData& data, VantoranEngine::Camera* camera);
ConveyorPrototypes MakeConveyorPrototypes(const GameData& data);
ScissorsPrototypes MakeScissorsPrototypes(const GameData& data, VantoranEngine::Camera* camera);

} // namespace Petalwork

#pragma once
// EngineRandom: the board's rules draw from the engine's one shared generator through it.

#include "game/board/model/RandomSource.h"

namespace Petalwork {

class EngineRandom : public RandomSource {
public:
    uint32_t Next() override;
};

} // namespace Petalwork

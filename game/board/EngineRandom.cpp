#include "game/board/EngineRandom.h"

#include "engine/render/Random.h"

namespace Petalwork {

uint32_t EngineRandom::Next()
{
    return VantoranEngine::Random();
}

} // namespace Petalwork

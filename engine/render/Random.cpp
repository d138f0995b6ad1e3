#include "engine/render/Random.h"

namespace VantoranEngine {

uint32_t RandomSeed = 0;

uint32_t Random()
{
    RandomSeed = RandomSeed * 1103515245u + 12345u;
    return (RandomSeed >> 16) & 0x7FFFu;
}

float RandomFloat()
{
    return static_cast<float>(Random()) * (1.0f / 32768.0f);
}

float RandomRange(float a, float b)
{
    return a + (b - a) * RandomFloat();
}

uint32_t RandomInt(uint32_t high, uint32_t low)
{
    const uint32_t span = high - low + 1u;
    const uint32_t value = Random();
    return span == 0 ? low + value : low + value % span;
}

float RandomSpread(float centre, float spread)
{
    const float factor = 2.0f * RandomFloat() - 1.0f;
    return centre + factor * spread;
}

} // namespace VantoranEngine

#pragma once
// RandomSource: the shared random generator as the board's rules draw from it. The level hands in the
// engine's generator behind it, so every draw steps the one sequence; tests hand in a seeded one.

#include <cstdint>

namespace Petalwork {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // The next value, 0 .. 32767.
    virtual uint32_t Next() = 0;
    // Next() / 32768 scaled into [a, b).
    float Range(float a, float b) { return a + (b - a) * (static_cast<float>(Next()) / 32768.0f); }
};

} // namespace Petalwork

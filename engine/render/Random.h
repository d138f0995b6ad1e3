#pragma once
// The one global random generator, shared by engine and game code: next seed = seed * 1103515245 + 12345
// (mod 2^32), value = (seed >> 16) & 0x7FFF. Game code steps the seed inline with the same formula, so
// the sequence is a contract. Every function below advances RandomSeed exactly once.
//
// Threads: the seed is a plain global without locking; callers make sure that no two threads draw at
// the same time. The engine seeds it with the millisecond tick count when it is built.

#include <cstdint>

namespace VantoranEngine {

extern uint32_t RandomSeed;

// 0 .. 32767.
uint32_t Random();

// Random() / 32768: 0 .. 0.999969482421875, never 1.
float RandomFloat();

// a + (b - a) * RandomFloat(): from a up to, but not including, b (also when b < a).
float RandomRange(float a, float b);

// low .. high inclusive, upper bound first: low + Random() mod (high - low + 1) in unsigned 32-bit
// arithmetic, so only the first 32768 values of a wider span occur. The full 32-bit span
// (high = low - 1) gives low + Random().
uint32_t RandomInt(uint32_t high, uint32_t low);

// centre + (2 * RandomFloat() - 1) * spread: centre - spread up to centre + 0.99993896484375 * spread.
float RandomSpread(float centre, float spread);

} // namespace VantoranEngine

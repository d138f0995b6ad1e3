#pragma once
// Small scalar helpers shared by the render and GUI code. Pure; any thread may call them.

#include <cstdint>

namespace VantoranEngine {

// max(minimum, min(maximum, value)): a minimum above the maximum yields the minimum.
float Clamp(float minimum, float maximum, float value);

// True for 0 and for 1, 2, 4 ... 65536 (the texture sizes a device may take); false for anything else,
// 131072 and above included.
bool IsPowerOfTwo(uint32_t n);

} // namespace VantoranEngine

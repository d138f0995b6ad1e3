#include "engine/render/Scalar.h"

namespace VantoranEngine {

float Clamp(float minimum, float maximum, float value)
{
    const float upper = value < maximum ? value : maximum;
    return upper > minimum ? upper : minimum;
}

bool IsPowerOfTwo(uint32_t n)
{
    return n <= 65536u && (n & (n - 1u)) == 0;
}

} // namespace VantoranEngine

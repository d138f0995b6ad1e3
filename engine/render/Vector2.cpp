#include "engine/render/Vector2.h"

#include <cmath>

namespace VantoranEngine {

bool Vector2sDiffer(const Vector2& a, const Vector2& b)
{
    return std::fabs(a.x - b.x) > 0.0001f || std::fabs(a.y - b.y) > 0.0001f;
}

void ScaleToLength(Vector2& v, float length)
{
    const float d = std::sqrt(v.x * v.x + v.y * v.y) / length;
    if (std::fabs(d) < 0.0001f)
        return;
    v.x /= d;
    v.y /= d;
}

} // namespace VantoranEngine

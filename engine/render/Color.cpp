#include "engine/render/Color.h"

#include <cmath>

namespace VantoranEngine {

Color& AssignColor(Color& target, const Color& source)
{
    const Color copy = source;
    target = copy;
    return target;
}

void ScaleColor(Color& out, const Color& c, float s)
{
    out.r = c.r * s;
    out.g = c.g * s;
    out.b = c.b * s;
    out.a = c.a * s;
}

bool ColorsDiffer(const Color& a, const Color& b)
{
    return std::fabs(a.r - b.r) > 0.0001f || std::fabs(a.g - b.g) > 0.0001f || std::fabs(a.b - b.b) > 0.0001f ||
           std::fabs(a.a - b.a) > 0.0001f;
}

} // namespace VantoranEngine

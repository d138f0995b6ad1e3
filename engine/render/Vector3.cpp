#include "engine/render/Vector3.h"

#include <cmath>

namespace VantoranEngine {

Vector3& AssignVector3(Vector3& target, const Vector3& source)
{
    const Vector3 copy = source;
    target = copy;
    return target;
}

float Vector3Length(const Vector3& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

void ScaleToLength(Vector3& v, float length)
{
    const float d = Vector3Length(v) / length;
    if (std::fabs(d) < 0.0001f)
        return;
    v.x /= d;
    v.y /= d;
    v.z /= d;
}

void LerpVector3(Vector3& out, const Vector3& a, const Vector3& b, float t)
{
    const float u = 1.0f - t;
    out.x = a.x * u + b.x * t;
    out.y = a.y * u + b.y * t;
    out.z = a.z * u + b.z * t;
}

bool VectorsDiffer(const Vector3& a, const Vector3& b)
{
    return std::fabs(a.x - b.x) > 0.0001f || std::fabs(a.y - b.y) > 0.0001f || std::fabs(a.z - b.z) > 0.0001f;
}

} // namespace VantoranEngine

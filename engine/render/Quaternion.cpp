#include "engine/render/Quaternion.h"

#include <cmath>

namespace VantoranEngine {

void Slerp(Quaternion& out, const Quaternion& q0, const Quaternion& q1, float t)
{
    Quaternion end = q1;
    float cosTheta = q0.x * q1.x + q0.y * q1.y + q0.z * q1.z + q0.w * q1.w;
    if (cosTheta < 0.0f) {
        cosTheta = -cosTheta;
        end = {-q1.x, -q1.y, -q1.z, -q1.w};
    }

    float w0 = 1.0f - t;
    float w1 = t;
    if (1.0f - cosTheta > 0.000001f) {
        const float theta = std::acos(cosTheta);
        const float s = std::sin(theta);
        w0 = std::sin((1.0f - t) * theta) / s;
        w1 = std::sin(t * theta) / s;
    }

    out.x = q0.x * w0 + end.x * w1;
    out.y = q0.y * w0 + end.y * w1;
    out.z = q0.z * w0 + end.z * w1;
    out.w = q0.w * w0 + end.w * w1;
}

} // namespace VantoranEngine

#pragma once
// A rotation as four floats stored x, y, z, w (w is the scalar part).

namespace VantoranEngine {

struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;
};

// Spherical interpolation along the shorter arc: t = 0 gives q0, t = 1 gives q1 (or -q1).
// Nearly equal inputs (1 - cos < 0.000001) interpolate linearly. The result is not renormalised.
void Slerp(Quaternion& out, const Quaternion& q0, const Quaternion& q1, float t);

} // namespace VantoranEngine

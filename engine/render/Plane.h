#pragma once
// A plane normal . p + distance = 0; a point is in front of it when the value is positive.
// Operations keep the normal at unit length, except a degenerate (zero) normal, which stays as it is.

#include "engine/render/Ray.h"
#include "engine/render/Vector3.h"

namespace VantoranEngine {

class Plane {
public:
    virtual ~Plane() = default;

    // normal = (p2 - p0) x (p1 - p0), normalised: it points towards a viewer who sees p0, p1, p2 clockwise.
    // Collinear points leave a zero normal.
    void FromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2);

    // Divides normal and distance by |normal|; a normal shorter than 0.0001 is left unchanged.
    void Normalise();

    // Ray parameter t of the hit point origin + t * direction. False without writing t when the ray is
    // parallel (|normal . direction| < 0.0001); otherwise t is written and the result is t > 0.
    bool IntersectRay(const Ray& ray, float& t) const;

    Vector3 normal;
    float distance = 0.0f;
};

// Whether point, which lies in the triangle's plane, is inside triangle a, b, c; edges and corners
// count as inside, a NaN as outside. Only plane.normal is used, to choose the two axes to project on.
bool PointInTriangle(const Plane& plane, const Vector3& point, const Vector3& a, const Vector3& b,
                     const Vector3& c);

} // namespace VantoranEngine

#include "engine/render/Plane.h"

#include <cmath>

namespace VantoranEngine {

void Plane::FromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2)
{
    normal = Cross(p2 - p0, p1 - p0);
    distance = -Dot(normal, p0);
    Normalise();
}

void Plane::Normalise()
{
    const float length = Vector3Length(normal);
    if (length < 0.0001f)
        return;
    normal = normal * (1.0f / length);
    distance /= length;
}

bool Plane::IntersectRay(const Ray& ray, float& t) const
{
    const float den = Dot(normal, ray.direction);
    if (std::fabs(den) < 0.0001f)
        return false;
    t = -(Dot(normal, ray.origin) + distance) / den;
    return t > 0.0f;
}

bool PointInTriangle(const Plane& plane, const Vector3& point, const Vector3& a, const Vector3& b,
                     const Vector3& c)
{
    const float nx = std::fabs(plane.normal.x);
    const float ny = std::fabs(plane.normal.y);
    const float nz = std::fabs(plane.normal.z);
    float largest = nx;
    if (ny > largest)
        largest = ny;
    if (nz > largest)
        largest = nz;

    // Project on the two axes that remain after dropping the dominant one (ties go to x, then y).
    float pu, pv, bu, bv, cu, cv;
    if (std::fabs(largest - nx) < 0.0001f) {
        pu = point.y - a.y, pv = point.z - a.z;
        bu = b.y - a.y, bv = b.z - a.z;
        cu = c.y - a.y, cv = c.z - a.z;
    } else if (std::fabs(largest - ny) < 0.0001f) {
        pu = point.x - a.x, pv = point.z - a.z;
        bu = b.x - a.x, bv = b.z - a.z;
        cu = c.x - a.x, cv = c.z - a.z;
    } else {
        pu = point.x - a.x, pv = point.y - a.y;
        bu = b.x - a.x, bv = b.y - a.y;
        cu = c.x - a.x, cv = c.y - a.y;
    }

    float alpha;
    float beta;
    if (std::fabs(bu) < 0.0001f) {
        beta = pu / cu;
        if (!(beta >= 0.0f && beta <= 1.0f))
            return false;
        alpha = (pv - beta * cv) / bv;
    } else {
        beta = (pv * bu - pu * bv) / (cv * bu - cu * bv);
        if (!(beta >= 0.0f && beta <= 1.0f))
            return false;
        alpha = (pu - beta * cu) / bu;
    }
    return alpha >= 0.0f && alpha + beta <= 1.0f;
}

} // namespace VantoranEngine

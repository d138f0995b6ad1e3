#include "engine/render/BoundingBox.h"

#include <cmath>

namespace VantoranEngine {

namespace {

constexpr float kSearchStart = 100000.0f;

void Widen(Vector3& lo, Vector3& hi, const Vector3& p)
{
    if (p.x < lo.x)
        lo.x = p.x;
    if (p.y < lo.y)
        lo.y = p.y;
    if (p.z < lo.z)
        lo.z = p.z;
    if (p.x > hi.x)
        hi.x = p.x;
    if (p.y > hi.y)
        hi.y = p.y;
    if (p.z > hi.z)
        hi.z = p.z;
}

} // namespace

BoundingBox BoundingBox::FromCorners(const Vector3& min, const Vector3& max)
{
    BoundingBox box;
    box.SetCorners(min, max);
    return box;
}

void BoundingBox::SetCorners(const Vector3& newMin, const Vector3& newMax)
{
    min = newMin;
    max = newMax;
    Update(false);
}

void BoundingBox::BuildFromPoints(unsigned count, const Vector3* points)
{
    min = {kSearchStart, kSearchStart, kSearchStart};
    max = {-kSearchStart, -kSearchStart, -kSearchStart};
    for (unsigned i = 0; i < count; ++i)
        Widen(min, max, points[i]);
    Update(false);
}

void BoundingBox::Update(bool useTransform)
{
    if (useTransform) {
        worldMin = {kSearchStart, kSearchStart, kSearchStart};
        worldMax = {-kSearchStart, -kSearchStart, -kSearchStart};
        for (int corner = 0; corner < 8; ++corner) {
            const Vector3 local{(corner & 1) ? max.x : min.x, (corner & 2) ? max.y : min.y,
                                (corner & 4) ? max.z : min.z};
            Widen(worldMin, worldMax, TransformPoint(transform, local));
        }
    } else {
        SetIdentityMatrix(transform);
        worldMin = min;
        worldMax = max;
    }
    halfExtents = (worldMax - worldMin) * 0.5f;
    centre = worldMin + halfExtents;
    radius = std::sqrt(Dot(halfExtents, halfExtents));
}

bool BoundingBox::ContainsPoint(const Vector3& p) const
{
    return worldMin.x <= p.x && p.x <= worldMax.x && worldMin.y <= p.y && p.y <= worldMax.y && worldMin.z <= p.z &&
           p.z <= worldMax.z;
}

bool BoundingBox::Intersects(const BoundingBox& other) const
{
    return std::fabs(centre.x - other.centre.x) <= halfExtents.x + other.halfExtents.x &&
           std::fabs(centre.y - other.centre.y) <= halfExtents.y + other.halfExtents.y &&
           std::fabs(centre.z - other.centre.z) <= halfExtents.z + other.halfExtents.z;
}

bool BoundingBox::IntersectsSegment(const Ray& segment) const
{
    // Separating-axis test of the segment (midpoint m, unit direction d, half length l) against the box:
    // the three box axes, then the three cross products of d with them. Equality counts as touching.
    const Vector3 half = segment.direction * 0.5f;
    const Vector3 m = segment.origin + half;
    Vector3 d = segment.direction;
    ScaleToLength(d, 1.0f);
    const float l = Vector3Length(segment.direction) * 0.5f;
    const Vector3 t = centre - m;
    const Vector3& e = halfExtents;

    if (std::fabs(t.x) > std::fabs(d.x) * l + e.x)
        return false;
    if (std::fabs(t.y) > std::fabs(d.y) * l + e.y)
        return false;
    if (std::fabs(t.z) > std::fabs(d.z) * l + e.z)
        return false;
    if (std::fabs(d.z * t.y - t.z * d.y) > e.y * std::fabs(d.z) + std::fabs(d.y) * e.z)
        return false;
    if (std::fabs(t.z * d.x - d.z * t.x) > std::fabs(d.z) * e.x + std::fabs(d.x) * e.z)
        return false;
    if (std::fabs(d.y * t.x - t.y * d.x) > e.y * std::fabs(d.x) + std::fabs(d.y) * e.x)
        return false;
    return true;
}

void LerpBoundingBox(BoundingBox& out, const BoundingBox& a, const BoundingBox& b, float t)
{
    Vector3 c;
    Vector3 h;
    LerpVector3(c, a.centre, b.centre, t);
    LerpVector3(h, a.halfExtents, b.halfExtents, t);
    out = BoundingBox::FromCorners(c - h, c + h);
}

} // namespace VantoranEngine

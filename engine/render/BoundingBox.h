#pragma once
// Axis-aligned box in an object's own coordinates, with the axis-aligned box that encloses it after
// the object's transform. Coordinates are assumed to lie within +-100000 units: the builders start
// their searches there. A plain value: copies copy every field.

#include "engine/render/Matrix4.h"
#include "engine/render/Ray.h"
#include "engine/render/Vector3.h"

namespace VantoranEngine {

class BoundingBox {
public:
    // A box with these local corners and an identity transform.
    static BoundingBox FromCorners(const Vector3& min, const Vector3& max);

    void SetCorners(const Vector3& min, const Vector3& max);
    // Local corners from the per-axis extremes of count packed points; with no points the corners stay
    // inverted at +-100000.
    void BuildFromPoints(unsigned count, const Vector3* points);

    // useTransform: the world box encloses the eight local corners moved by transform. Otherwise the
    // transform becomes the identity and the world box is the local box.
    void Update(bool useTransform);

    // Bounds included.
    bool ContainsPoint(const Vector3& p) const;
    // Touching boxes intersect.
    bool Intersects(const BoundingBox& other) const;
    // Whether the segment origin .. origin + direction meets the world box (touching counts).
    bool IntersectsSegment(const Ray& segment) const;

    Vector3 min;
    Vector3 max;
    Matrix4 transform;  // written directly by the owner, then Update(true)
    Vector3 worldMin;
    Vector3 worldMax;
    Vector3 centre;
    Vector3 halfExtents;
    float radius = 0.0f;  // of the sphere through the world box's corners
};

// A box around the interpolated centre and half extents of a's and b's world boxes, identity transform.
void LerpBoundingBox(BoundingBox& out, const BoundingBox& a, const BoundingBox& b, float t);

} // namespace VantoranEngine

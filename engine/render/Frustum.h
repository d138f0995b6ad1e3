#pragma once
// The six planes of a camera's view volume, every normal pointing into the volume. The camera rebuilds
// them each frame from its engine projection and view; models outside are skipped.

#include "engine/render/BoundingBox.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Plane.h"

namespace VantoranEngine {

class Frustum {
public:
    enum Side { Right, Left, Bottom, Top, Far, Near, SideCount };

    virtual ~Frustum() = default;

    // projection and view in the camera's row-vector layout (clip = p * view * projection); clip depth
    // runs from -w to +w.
    void UpdatePlanes(const Matrix4& projection, const Matrix4& view);

    // Sphere test of the box's centre and radius: false when the sphere lies wholly behind a plane
    // (touching from outside counts as outside); a NaN never rejects.
    bool IsBoxVisible(const BoundingBox& box) const;

    Plane planes[SideCount];
};

} // namespace VantoranEngine

#include "engine/render/Frustum.h"

namespace VantoranEngine {

void Frustum::UpdatePlanes(const Matrix4& projection, const Matrix4& view)
{
    Matrix4 m;
    MultiplyMatrices(m, view, projection);

    // Column j of m gives clip coordinate j of p * m; each plane is column 3 plus or minus another column.
    auto set = [&](Side side, int column, float sign) {
        Plane& plane = planes[side];
        plane.normal = {m[3] + sign * m[column], m[7] + sign * m[4 + column], m[11] + sign * m[8 + column]};
        plane.distance = m[15] + sign * m[12 + column];
        plane.Normalise();
    };
    set(Right, 0, -1.0f);
    set(Left, 0, 1.0f);
    set(Bottom, 1, 1.0f);
    set(Top, 1, -1.0f);
    set(Far, 2, -1.0f);
    set(Near, 2, 1.0f);
}

bool Frustum::IsBoxVisible(const BoundingBox& box) const
{
    for (const Plane& plane : planes)
        if (Dot(plane.normal, box.centre) + plane.distance <= -box.radius)
            return false;
    return true;
}

} // namespace VantoranEngine

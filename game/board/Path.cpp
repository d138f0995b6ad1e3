#include "game/board/Path.h"

#include <cmath>

namespace Petalwork {

using VantoranEngine::Vector3;

namespace {

Vector3 Bezier(const Vector3& start, const Vector3& control, const Vector3& end, float t)
{
    const float u = 1.0f - t;
    return start * (u * u) + control * (2.0f * t * u) + end * (t * t);
}

} // namespace

void Path::SetCurveEnd(float x, float y)
{
    if (controlPoints.size() == 3)
        controlPoints[2] = {x, y, 0.0f};
}

void Path::RebuildCurve()
{
    const size_t n = points.size();
    if (controlPoints.size() != 3 || n < 2)
        return;
    for (size_t i = 0; i + 1 < n; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(n - 1);
        points[i] = Bezier(controlPoints[0], controlPoints[1], controlPoints[2], t);
    }
    points[n - 1] = controlPoints[2];
}

std::unique_ptr<Path> MakeLinePath(const Vector3& a, const Vector3& b)
{
    auto path = std::make_unique<Path>();
    path->points = {a, b};
    return path;
}

std::unique_ptr<Path> MakeCurvePath(const Vector3& start, const Vector3& control, const Vector3& end)
{
    auto path = std::make_unique<Path>();
    path->controlPoints = {start, control, end};
    const int samples = Path::curvePointCount - 1;
    path->points.reserve(Path::curvePointCount);
    for (int i = 0; i < samples; ++i)
        path->points.push_back(Bezier(start, control, end, static_cast<float>(i) / static_cast<float>(samples)));
    path->points.push_back(end);
    return path;
}

bool IsPointInRadius(const Vector3& p, const Vector3& q)
{
    return std::fabs(p.x - q.x) < 0.0001f && std::fabs(p.y - q.y) < 0.0001f;
}

bool IsPointNearSegment(const Vector3& p, const Vector3& a, const Vector3& b, float r)
{
    if (IsPointInRadius(p, a) || IsPointInRadius(p, b))
        return true;
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float vx = p.x - a.x;
    const float vy = p.y - a.y;
    const float dd = dx * dx + dy * dy;
    if (dd <= 0.0f)
        return false; // a point segment: p is not at it (tested above)
    const float dv = dx * vx + dy * vy;
    if (dv < 0.0f)
        return false;
    const float projected = dv * dv / dd; // squared length of v's projection on d
    return projected <= dd && r * r > vx * vx + vy * vy - projected;
}

} // namespace Petalwork

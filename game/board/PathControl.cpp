#include "game/board/PathControl.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

using VantoranEngine::Vector3;

void PathControl::Restart()
{
    if (path && !path->points.empty())
        position = path->points.front();
}

void PathControl::AddMarker(const Vector3& point)
{
    Marker marker;
    marker.point = point;
    if (path) {
        const auto& p = path->points;
        for (size_t i = 0; i + 1 < p.size(); ++i) {
            if (IsPointNearSegment(point, p[i], p[i + 1], markerRadius)) {
                marker.segmentIndex = static_cast<int>(i);
                break;
            }
        }
    }
    marker.passed = marker.segmentIndex < 0;
    markers.push_back(marker);
}

void PathControl::Advance(float distance)
{
    if (!path || path->points.size() < 2)
        return;
    const auto& p = path->points;
    const Vector3 previous = position;
    const size_t last = p.size() - 1;
    float sum = 0.0f;
    for (size_t k = segmentIndex; k < last; ++k) {
        const Vector3 segment = p[k + 1] - p[k];
        const float length = VantoranEngine::Vector3Length(segment);
        sum += length;
        if (segmentOffset + distance < sum) {
            segmentOffset = segmentOffset + distance - (sum - length);
            segmentIndex = static_cast<unsigned>(k);
            Vector3 unit = segment;
            VantoranEngine::ScaleToLength(unit, 1.0f);
            position = p[k] + unit * segmentOffset;
            UpdateMarkers();
            SetHeading(previous);
            return;
        }
    }
    segmentIndex = static_cast<unsigned>(last);
    position = p[last];
    SetHeading(previous);
    finished = true;
    // Everything on the path lies behind the end: a marker the last step jumped over counts as passed.
    for (auto& marker : markers)
        if (marker.segmentIndex >= 0)
            marker.passed = true;
}

void PathControl::SetHeading(const Vector3& previous)
{
    Vector3 movement = position - previous;
    VantoranEngine::ScaleToLength(movement, 1.0f);
    // Rounding can leave a unit vector's x a hair beyond 1.
    heading = std::acos(std::clamp(movement.x, -1.0f, 1.0f));
}

void PathControl::UpdateMarkers()
{
    const Vector3& start = path->points[segmentIndex];
    const float travelled = VantoranEngine::Vector3Length(position - start);
    for (auto& marker : markers) {
        if (marker.passed)
            continue;
        if (marker.segmentIndex < static_cast<int>(segmentIndex) ||
            (marker.segmentIndex == static_cast<int>(segmentIndex) &&
             VantoranEngine::Vector3Length(marker.point - start) <= travelled))
            marker.passed = true;
    }
}

} // namespace Petalwork

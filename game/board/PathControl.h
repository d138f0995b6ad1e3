#pragma once
// PathControl: moves one point along a Path by a distance per call and reports the position, the
// heading, which marker points it has passed and whether it reached the end.
//
// Rules:
// - It does not own its path; set `path`, then Restart. The path must outlive the control.
// - Heading: radians 0..pi, the angle between the last movement and the x axis; a movement of no length
//   gives pi/2.
// - A marker lies on the first segment it is near (0.01 units); a marker near no segment is passed at
//   once. Markers are passed in path order as the point moves; reaching the end passes every marker
//   still ahead on the path, so a user waiting for a marker never waits forever.

#include "game/board/Path.h"

#include <vector>

namespace Petalwork {

class PathControl {
public:
    struct Marker {
        VantoranEngine::Vector3 point;
        bool passed = false;
        int segmentIndex = -1; // -1: on no segment
    };

    // Tolerance for finding a marker's segment, board units.
    static constexpr float markerRadius = 0.01f;

    virtual ~PathControl() = default;

    // position := the path's first point.
    void Restart();
    void AddMarker(const VantoranEngine::Vector3& point);
    // Moves `distance` units on; past the last point it stops there and sets `finished`.
    void Advance(float distance);

    const Path* path = nullptr;
    float heading = 0.0f;
    VantoranEngine::Vector3 position;
    std::vector<Marker> markers;
    float segmentOffset = 0.0f; // distance from the start of the current segment
    unsigned segmentIndex = 0;  // segment k runs from point k to point k + 1
    bool finished = false;

private:
    void SetHeading(const VantoranEngine::Vector3& previous);
    void UpdateMarkers();
};

} // namespace Petalwork

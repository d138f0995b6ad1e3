#pragma once
// Path: a polyline sampled from a straight line or a quadratic Bezier curve, in board units (the 800 by
// 600 virtual screen, y up, z 0). Everything that glides over the board follows one through a
// PathControl; speeds are the users' business (they advance by speed x frame time).
//
// Rules:
// - Every path built here has at least two points. A curve keeps its three control points (start,
//   control, end) so that its end can follow a moving target: SetCurveEnd, then RebuildCurve.
// - The geometry helpers compare x and y only, with the tolerance 0.0001 of the engine's vectors.

#include "engine/render/Vector3.h"

#include <memory>
#include <vector>

namespace Petalwork {

class Path {
public:
    // Points of a curve: 30 samples at t = i / 30 and the end itself.
    static constexpr int curvePointCount = 31;

    // The third control point := (x, y, 0); the points change only at the next RebuildCurve.
    void SetCurveEnd(float x, float y);
    // Resamples the curve over as many points as it has; the last point is exactly the end.
    void RebuildCurve();

    std::vector<VantoranEngine::Vector3> points;        // in order, at least two
    std::vector<VantoranEngine::Vector3> controlPoints; // curves only: start, control, end
};

std::unique_ptr<Path> MakeLinePath(const VantoranEngine::Vector3& a, const VantoranEngine::Vector3& b);
std::unique_ptr<Path> MakeCurvePath(const VantoranEngine::Vector3& start, const VantoranEngine::Vector3& control,
                                    const VantoranEngine::Vector3& end);

// Both |px - qx| and |py - qy| below 0.0001.
bool IsPointInRadius(const VantoranEngine::Vector3& p, const VantoranEngine::Vector3& q);
// True when p is at a or at b, or lies beside the segment a-b (its foot on the segment) nearer than r.
// A segment of zero length holds only its own point.
bool IsPointNearSegment(const VantoranEngine::Vector3& p, const VantoranEngine::Vector3& a,
                        const VantoranEngine::Vector3& b, float r);

} // namespace Petalwork

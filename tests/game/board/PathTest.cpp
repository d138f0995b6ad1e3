#include "game/board/Path.h"
#include "game/board/PathControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using Petalwork::MakeCurvePath;
using Petalwork::MakeLinePath;
using Petalwork::PathControl;
using VantoranEngine::Vector3;

namespace {

PathControl Follow(const Petalwork::Path& path)
{
    PathControl control;
    control.path = &path;
    control.Restart();
    return control;
}

} // namespace

TEST(PathTest, LineAdvancesAndOvershootEndsAtTheSecondPoint)
{
    auto path = MakeLinePath({0, 0, 0}, {100, 0, 0});
    PathControl control = Follow(*path);
    control.Advance(30.0f);
    EXPECT_FLOAT_EQ(control.position.x, 30.0f);
    EXPECT_FALSE(control.finished);
    control.Advance(100.0f);
    EXPECT_FLOAT_EQ(control.position.x, 100.0f);
    EXPECT_FLOAT_EQ(control.position.y, 0.0f);
    EXPECT_TRUE(control.finished);
}

TEST(PathTest, ZeroAdvanceOnAFreshControlStaysAtTheStartHeadingUp)
{
    auto path = MakeLinePath({5, 7, 0}, {100, 7, 0});
    PathControl control = Follow(*path);
    control.Advance(0.0f);
    EXPECT_FLOAT_EQ(control.position.x, 5.0f);
    EXPECT_FLOAT_EQ(control.position.y, 7.0f);
    EXPECT_FLOAT_EQ(control.heading, std::numbers::pi_v<float> / 2.0f);
    EXPECT_FALSE(control.finished);
}

TEST(PathTest, ZeroLengthPathFinishesOnTheFirstAdvance)
{
    auto path = MakeLinePath({5, 7, 0}, {5, 7, 0});
    PathControl control = Follow(*path);
    control.Advance(1.0f);
    EXPECT_TRUE(control.finished);
    EXPECT_FLOAT_EQ(control.position.x, 5.0f);
}

TEST(PathTest, HeadingIsTheAngleOfTheMovementWithTheXAxis)
{
    struct Case {
        Vector3 end;
        float heading;
    };
    const float pi = std::numbers::pi_v<float>;
    const Case cases[] = {
        {{100, 0, 0}, 0.0f},        {{-100, 0, 0}, pi},        {{0, 100, 0}, pi / 2},
        {{0, -100, 0}, pi / 2},     {{100, 100, 0}, pi / 4},   {{-100, -100, 0}, 3 * pi / 4},
    };
    for (const Case& c : cases) {
        auto path = MakeLinePath({0, 0, 0}, c.end);
        PathControl control = Follow(*path);
        control.Advance(10.0f);
        EXPECT_NEAR(control.heading, c.heading, 1e-5f) << c.end.x << "," << c.end.y;
    }
}

TEST(PathTest, SegmentsAreWalkedInOrderAcrossCorners)
{
    Petalwork::Path path;
    path.points = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    PathControl control = Follow(path);
    control.Advance(15.0f);
    EXPECT_EQ(control.segmentIndex, 1u);
    EXPECT_FLOAT_EQ(control.position.x, 10.0f);
    EXPECT_FLOAT_EQ(control.position.y, 5.0f);
    control.Advance(4.0f);
    EXPECT_FLOAT_EQ(control.position.y, 9.0f);
    EXPECT_FALSE(control.finished);
    control.Advance(1.0f); // exactly to the end: not "inside" a segment any more
    EXPECT_TRUE(control.finished);
}

TEST(PathTest, CurveHas31PointsAndFollowsItsMovedEnd)
{
    auto path = MakeCurvePath({0, 0, 0}, {50, 100, 0}, {100, 0, 0});
    ASSERT_EQ(path->points.size(), 31u);
    // B(0.5) = 0.25 start + 0.5 control + 0.25 end
    EXPECT_FLOAT_EQ(path->points[15].x, 50.0f);
    EXPECT_FLOAT_EQ(path->points[15].y, 50.0f);
    EXPECT_FLOAT_EQ(path->points[30].x, 100.0f);

    path->SetCurveEnd(300.0f, 40.0f);
    EXPECT_FLOAT_EQ(path->points[30].x, 100.0f); // unchanged until rebuilt
    path->RebuildCurve();
    ASSERT_EQ(path->points.size(), 31u);
    EXPECT_EQ(path->points[30].x, 300.0f);
    EXPECT_EQ(path->points[30].y, 40.0f);
    EXPECT_FLOAT_EQ(path->points[0].x, 0.0f);
    EXPECT_FLOAT_EQ(path->points[15].x, 0.5f * 50.0f + 0.25f * 300.0f);
}

TEST(PathTest, MarkersArePassedInPathOrder)
{
    auto path = MakeLinePath({0, 100, 0}, {0, 0, 0});
    PathControl control = Follow(*path);
    control.AddMarker({0, 100, 0}); // at the start
    control.AddMarker({0, 50, 0});  // half way
    control.AddMarker({40, 50, 0}); // beside the path: passed at once
    EXPECT_FALSE(control.markers[0].passed);
    EXPECT_EQ(control.markers[0].segmentIndex, 0);
    EXPECT_FALSE(control.markers[1].passed);
    EXPECT_TRUE(control.markers[2].passed);
    EXPECT_EQ(control.markers[2].segmentIndex, -1);

    control.Advance(1.0f);
    EXPECT_TRUE(control.markers[0].passed);
    EXPECT_FALSE(control.markers[1].passed);
    control.Advance(49.0f);
    EXPECT_TRUE(control.markers[1].passed);
}

TEST(PathTest, TheStepThatFinishesPassesTheMarkersItJumpedOver)
{
    // One advance from before the start marker to past the end: the user must still see it passed.
    auto path = MakeLinePath({0, 100, 0}, {0, 50, 0});
    PathControl control = Follow(*path);
    control.AddMarker({0, 100, 0});
    control.AddMarker({0, 60, 0});
    control.Advance(500.0f);
    EXPECT_TRUE(control.finished);
    EXPECT_TRUE(control.markers[0].passed);
    EXPECT_TRUE(control.markers[1].passed);
}

TEST(PathTest, PointNearSegmentTable)
{
    struct Case {
        Vector3 p, a, b;
        float r;
        bool near;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0}, {10, 0, 0}, 0.01f, true},      // at a
        {{10, 0, 0}, {0, 0, 0}, {10, 0, 0}, 0.01f, true},     // at b
        {{5, 0.005f, 0}, {0, 0, 0}, {10, 0, 0}, 0.01f, true}, // beside, within r
        {{5, 0.02f, 0}, {0, 0, 0}, {10, 0, 0}, 0.01f, false}, // beside, too far
        {{-1, 0, 0}, {0, 0, 0}, {10, 0, 0}, 0.01f, false},    // behind a
        {{11, 0, 0}, {0, 0, 0}, {10, 0, 0}, 0.01f, false},    // beyond b
        {{5, 5, 99}, {5, 0, 0}, {5, 10, 0}, 0.01f, true},     // z ignored
        {{1, 1, 0}, {3, 3, 0}, {3, 3, 0}, 5.0f, false},       // a point segment holds only its point
        {{3, 3, 0}, {3, 3, 0}, {3, 3, 0}, 0.01f, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Petalwork::IsPointNearSegment(c.p, c.a, c.b, c.r), c.near) << c.p.x << "," << c.p.y;
}

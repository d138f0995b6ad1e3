#include "engine/render/BoundingBox.h"
#include "engine/render/Frustum.h"
#include "engine/render/Plane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace VantoranEngine;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

BoundingBox UnitBox()
{
    return BoundingBox::FromCorners({-1, -1, -1}, {1, 1, 1});
}

} // namespace

TEST(BoundingBox, FromCornersAndTransformedUpdate)
{
    const BoundingBox box = UnitBox();
    ExpectNear(box.centre, {0, 0, 0});
    ExpectNear(box.halfExtents, {1, 1, 1});
    EXPECT_FLOAT_EQ(box.radius, std::sqrt(3.0f));
    EXPECT_TRUE(MatricesEqual(box.transform, Matrix4{}));

    BoundingBox moved = BoundingBox::FromCorners({0, 0, 0}, {2, 1, 1});
    Matrix4 rotation;
    MakeRotationZMatrix(rotation, 3.14159265f / 2);
    Matrix4 translation;
    MakeTranslationMatrix(translation, {10, 0, 0});
    MultiplyMatrices(moved.transform, translation, rotation);
    moved.Update(true);
    ExpectNear(moved.worldMin, {9, 0, 0});
    ExpectNear(moved.worldMax, {10, 2, 1});
    ExpectNear(moved.centre, {9.5f, 1, 0.5f});

    moved.Update(false);
    EXPECT_TRUE(MatricesEqual(moved.transform, Matrix4{}));
    ExpectNear(moved.worldMax, {2, 1, 1});
}

TEST(BoundingBox, BuildFromPoints)
{
    BoundingBox box;
    box.BuildFromPoints(0, nullptr);
    ExpectNear(box.min, {100000, 100000, 100000});
    ExpectNear(box.halfExtents, {-100000, -100000, -100000});
    ExpectNear(box.centre, {0, 0, 0});
    EXPECT_NEAR(box.radius, 173205.08f, 0.1f);

    const Vector3 points[] = {{200000, 1, 5}, {300000, -2, 4}, {250000, 0, 6}};
    box.BuildFromPoints(3, points);
    ExpectNear(box.min, {100000, -2, 4});
    ExpectNear(box.max, {300000, 1, 6});
}

TEST(BoundingBox, PointsAndBoxes)
{
    const BoundingBox box = UnitBox();
    struct PointCase {
        Vector3 p;
        bool inside;
    };
    for (const PointCase& c : {PointCase{{1, 1, 1}, true}, PointCase{{0, 0, 0}, true}, PointCase{{1.001f, 0, 0}, false},
                               PointCase{{kNaN, 0, 0}, false}})
        EXPECT_EQ(box.ContainsPoint(c.p), c.inside) << c.p.x;

    struct BoxCase {
        Vector3 min, max;
        bool meets;
    };
    for (const BoxCase& c : {BoxCase{{1, -1, -1}, {3, 1, 1}, true}, BoxCase{{1.01f, -1, -1}, {3, 1, 1}, false},
                             BoxCase{{-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, true},
                             BoxCase{{-1, 2, -1}, {1, 3, 1}, false}}) {
        const BoundingBox other = BoundingBox::FromCorners(c.min, c.max);
        EXPECT_EQ(box.Intersects(other), c.meets) << c.min.x << " " << c.min.y;
        EXPECT_EQ(other.Intersects(box), c.meets);
    }
}

TEST(BoundingBox, Segments)
{
    const BoundingBox box = UnitBox();
    struct Case {
        const char* name;
        Ray segment;
        bool meets;
    };
    const Case cases[] = {
        {"through", {{-5, 0, 0}, {10, 0, 0}}, true},
        {"stops short", {{-5, 0, 0}, {3, 0, 0}}, false},
        {"ends on the face", {{-5, 0, 0}, {4, 0, 0}}, true},
        {"starts beyond", {{5, 0, 0}, {10, 0, 0}}, false},
        {"passes beside", {{-5, 2, 0}, {10, 0, 0}}, false},
        {"diagonal miss past a corner", {{-3, 0, 0}, {3, 3, 0}}, false},
        {"diagonal hit", {{-3, -1, 0}, {3, 3, 0}}, true},
        {"point inside", {{0.5f, 0.5f, 0.5f}, {0, 0, 0}}, true},
        {"point on the surface", {{1, 0.5f, 0}, {0, 0, 0}}, true},
        {"point outside", {{1.5f, 0, 0}, {0, 0, 0}}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(box.IntersectsSegment(c.segment), c.meets) << c.name;
}

TEST(BoundingBox, LerpBlendsWorldBoxes)
{
    const BoundingBox a = UnitBox();
    const BoundingBox b = BoundingBox::FromCorners({8, 8, 8}, {12, 12, 12});
    BoundingBox out;
    LerpBoundingBox(out, a, b, 0);
    ExpectNear(out.worldMin, {-1, -1, -1});
    LerpBoundingBox(out, a, b, 1);
    ExpectNear(out.worldMax, {12, 12, 12});
    LerpBoundingBox(out, a, b, 0.5f);
    ExpectNear(out.centre, {5, 5, 5});
    ExpectNear(out.halfExtents, {1.5f, 1.5f, 1.5f});
    EXPECT_TRUE(MatricesEqual(out.transform, Matrix4{}));
}

TEST(Plane, FromPointsAndRays)
{
    Plane plane;
    plane.FromPoints({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    ExpectNear(plane.normal, {0, 0, -1});
    EXPECT_EQ(plane.distance, 0.0f);

    Plane offset;
    offset.FromPoints({0, 0, 2}, {0, 1, 2}, {1, 0, 2});
    ExpectNear(offset.normal, {0, 0, 1});
    EXPECT_FLOAT_EQ(offset.distance, -2);

    struct Case {
        const char* name;
        Ray ray;
        bool hit;
        float t;  // NaN: t left untouched
    };
    const Case cases[] = {
        {"towards", {{0, 0, 10}, {0, 0, -4}}, true, 2},
        {"away", {{0, 0, 10}, {0, 0, 4}}, false, -2},
        {"parallel", {{0, 0, 10}, {1, 0, 0}}, false, kNaN},
        {"starting on the plane", {{0, 0, 2}, {0, 0, 1}}, false, 0},
    };
    for (const Case& c : cases) {
        float t = 99;
        EXPECT_EQ(offset.IntersectRay(c.ray, t), c.hit) << c.name;
        EXPECT_FLOAT_EQ(t, std::isnan(c.t) ? 99 : c.t) << c.name;
    }

    Plane collinear;
    collinear.FromPoints({0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    ExpectNear(collinear.normal, {0, 0, 0});
    float t = 99;
    EXPECT_FALSE(collinear.IntersectRay({{0, 0, 5}, {0, 0, -1}}, t));
}

TEST(Plane, PointInTriangle)
{
    struct Case {
        const char* name;
        Vector3 normal, a, b, c, p;
        bool inside;
    };
    const Case cases[] = {
        {"z plane inside", {0, 0, 1}, {0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {1, 1, 0}, true},
        {"corner", {0, 0, 1}, {0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {4, 0, 0}, true},
        {"edge", {0, 0, 1}, {0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {2, 2, 0}, true},
        {"outside", {0, 0, 1}, {0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {3, 3, 0}, false},
        {"negative side", {0, 0, 1}, {0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {-0.1f, 1, 0}, false},
        // b straight above a in the projection: the |bu| < 0.0001 branch.
        {"vertical first edge", {0, 0, 1}, {0, 0, 0}, {0, 4, 0}, {4, 0, 0}, {1, 1, 0}, true},
        {"x plane", {1, 0, 0}, {5, 0, 0}, {5, 4, 0}, {5, 0, 4}, {5, 1, 1}, true},
        // Normal (1, 1, 0): x and y tie, x is dropped and the test runs on y and z.
        {"tie drops x", {1, 1, 0}, {0, 0, 0}, {-4, 4, 0}, {0, 0, 4}, {9, 1, 1}, true},
        {"tie drops x, outside", {1, 1, 0}, {0, 0, 0}, {-4, 4, 0}, {0, 0, 4}, {0, -1, 1}, false},
        {"nan", {0, 0, 1}, {0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {kNaN, 1, 0}, false},
    };
    for (const Case& c : cases) {
        Plane plane;
        plane.normal = c.normal;
        EXPECT_EQ(PointInTriangle(plane, c.p, c.a, c.b, c.c), c.inside) << c.name;
    }
}

TEST(Frustum, PlanesOfTheDefaultCamera)
{
    // Default perspective camera at the origin (near 1, far 1000, 60 degrees vertical, 4:3), row-vector
    // layout: looking down -z.
    const float n = 1, f = 1000;
    const float top = std::tan(3.14159265f / 6) * n;
    const float right = top * 1.3333334f;
    Matrix4 projection;
    for (float& e : projection.m)
        e = 0;
    projection[0] = n / right;
    projection[5] = n / top;
    projection[10] = -(n + f) / (f - n);
    projection[11] = -1;
    projection[14] = -2 * n * f / (f - n);
    Frustum frustum;
    frustum.UpdatePlanes(projection, Matrix4{});

    ExpectNear(frustum.planes[Frustum::Near].normal, {0, 0, -1});
    EXPECT_NEAR(frustum.planes[Frustum::Near].distance, -1, 1e-4f);
    ExpectNear(frustum.planes[Frustum::Far].normal, {0, 0, 1});
    EXPECT_NEAR(frustum.planes[Frustum::Far].distance, 1000, 1e-2f);

    struct Case {
        const char* name;
        Vector3 centre;
        bool visible;
    };
    const Case cases[] = {
        {"ahead", {0, 0, -10}, true},
        {"behind", {0, 0, 10}, false},
        {"beyond far", {0, 0, -1002}, false},
        {"straddling far", {0, 0, -1000.5f}, true},
        {"left of the view", {-30, 0, -10}, false},
        {"above the view", {0, 30, -10}, false},
        {"nan", {kNaN, 0, 0}, true},
    };
    for (const Case& c : cases) {
        const BoundingBox box = BoundingBox::FromCorners(c.centre - Vector3{1, 1, 1}, c.centre + Vector3{1, 1, 1});
        EXPECT_EQ(frustum.IsBoxVisible(box), c.visible) << c.name;
    }

    // A sphere touching the near plane from outside: distance exactly -radius.
    BoundingBox touching = BoundingBox::FromCorners({-0.5f, -0.5f, 0.5f}, {0.5f, 0.5f, 1.5f});
    touching.radius = 1.0f;  // centre z = 1 lies 2 behind the near plane z = -1
    touching.centre = {0, 0, 1};
    EXPECT_FALSE(frustum.IsBoxVisible(touching));
    touching.radius = 2.0f;
    EXPECT_FALSE(frustum.IsBoxVisible(touching));
    touching.radius = 2.01f;
    EXPECT_TRUE(frustum.IsBoxVisible(touching));
}

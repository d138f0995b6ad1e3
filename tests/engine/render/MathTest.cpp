#include "engine/render/Color.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Quaternion.h"
#include "engine/render/Scalar.h"
#include "engine/render/Vector2.h"
#include "engine/render/Vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace VantoranEngine;

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectNear(const Vector3& actual, const Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 m;
    MakeTranslationMatrix(m, {x, y, z});
    return m;
}

Matrix4 RotationZ(float angle)
{
    Matrix4 m;
    MakeRotationZMatrix(m, angle);
    return m;
}

Matrix4 RotationX(float angle)
{
    Matrix4 m;
    MakeRotationXMatrix(m, angle);
    return m;
}

Matrix4 Product(const Matrix4& a, const Matrix4& b)
{
    Matrix4 m;
    MultiplyMatrices(m, a, b);
    return m;
}

} // namespace

TEST(Matrix4, ElementLayoutOfTheBuilders)
{
    const Matrix4 t = Translation(1, 2, 3);
    EXPECT_EQ(t[3], 1.0f);
    EXPECT_EQ(t[7], 2.0f);
    EXPECT_EQ(t[11], 3.0f);
    EXPECT_EQ(t[12], 0.0f);

    const Matrix4 z = RotationZ(0.5f);
    EXPECT_FLOAT_EQ(z[1], -std::sin(0.5f));
    EXPECT_FLOAT_EQ(z[4], std::sin(0.5f));
    const Matrix4 x = RotationX(0.5f);
    EXPECT_FLOAT_EQ(x[6], -std::sin(0.5f));
    EXPECT_FLOAT_EQ(x[9], std::sin(0.5f));
}

TEST(Matrix4, TransformsPointsAsColumnVectors)
{
    struct Case {
        const char* name;
        Matrix4 m;
        Vector3 in, out;
    };
    Matrix4 axis;
    MakeRotationAxisMatrix(axis, {0, 0, 5}, kPi / 2);  // unnormalised axis
    Matrix4 axisX;
    MakeRotationAxisMatrix(axisX, {2, 0, 0}, kPi / 2);
    Matrix4 translated = RotationZ(kPi / 2);
    TranslateMatrix({1, 0, 0}, translated);  // translation applied first
    const Case cases[] = {
        {"translate", Translation(1, 2, 3), {1, 1, 1}, {2, 3, 4}},
        {"rotate z", RotationZ(kPi / 2), {1, 0, 0}, {0, 1, 0}},
        {"rotate x", RotationX(kPi / 2), {0, 1, 0}, {0, 0, 1}},
        {"axis z", axis, {1, 0, 0}, {0, 1, 0}},
        {"axis x", axisX, {0, 1, 0}, {0, 0, 1}},
        {"translate then rotate", Product(Translation(10, 0, 0), RotationZ(kPi / 2)), {1, 0, 0}, {10, 1, 0}},
        {"rotate then translate", Product(RotationZ(kPi / 2), Translation(10, 0, 0)), {1, 0, 0}, {0, 11, 0}},
        {"TranslateMatrix", translated, {0, 0, 0}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectNear(TransformPoint(c.m, c.in), c.out);
        const float v[4] = {c.in.x, c.in.y, c.in.z, 1};
        float r[4];
        TransformVector4(r, c.m, v);
        ExpectNear({r[0], r[1], r[2]}, c.out);
        EXPECT_FLOAT_EQ(r[3], 1.0f);
    }
}

TEST(Matrix4, MultiplyMayWriteOverAnInput)
{
    Matrix4 m = Translation(10, 0, 0);
    MultiplyMatrices(m, m, RotationZ(kPi / 2));
    EXPECT_TRUE(MatricesEqual(m, Product(Translation(10, 0, 0), RotationZ(kPi / 2))));
}

TEST(Matrix4, InverseOfAnAffineMatrix)
{
    Matrix4 rotation;
    MakeRotationAxisMatrix(rotation, {1, 2, 3}, 0.7f);
    const Matrix4 m = Product(Translation(4, -5, 6), rotation);
    Matrix4 inverse = m;
    InvertMatrix(inverse);

    EXPECT_TRUE(MatricesEqual(Product(m, inverse), Matrix4{}));
    // Rotation part transposed, translation -R^T T.
    Matrix4 expected = rotation;
    TransposeMatrix(expected);
    const Vector3 back = TransformPoint(expected, {-4, 5, -6});
    expected[3] = back.x;
    expected[7] = back.y;
    expected[11] = back.z;
    EXPECT_TRUE(MatricesEqual(inverse, expected));
}

TEST(Matrix4, InverseOfTheZeroMatrixIsNotFinite)
{
    Matrix4 zero;
    for (float& e : zero.m)
        e = 0;
    InvertMatrix(zero);
    for (float e : zero.m)
        EXPECT_FALSE(std::isfinite(e));
}

TEST(Matrix4, EqualityTolerance)
{
    struct Case {
        float delta;
        bool equal;
    };
    for (const Case c : {Case{0.0001f, true}, Case{0.00011f, false}, Case{-0.00011f, false}}) {
        Matrix4 a;
        a[5] = 0;
        Matrix4 b = a;
        b[5] += c.delta;
        EXPECT_EQ(MatricesEqual(a, b), c.equal) << c.delta;
    }
}

TEST(Matrix4, TransformRayMovesTheEndPoint)
{
    const Matrix4 m = Product(Translation(1, 2, 3), RotationZ(kPi / 2));
    Ray ray{{1, 0, 0}, {2, 0, 0}};
    TransformRay(ray, m, ray);
    ExpectNear(ray.origin, {1, 3, 3});
    ExpectNear(ray.direction, {0, 2, 0});
}

TEST(Vector, ScaleToLength)
{
    struct Case {
        Vector3 in;
        float length;
        Vector3 out;
    };
    const Case cases[] = {
        {{0, 0, 0}, 1, {0, 0, 0}},
        {{3, 4, 0}, 1, {0.6f, 0.8f, 0}},
        {{3, 4, 0}, 10, {6, 8, 0}},
        {{0.00005f, 0, 0}, 1, {0.00005f, 0, 0}},
    };
    for (const Case& c : cases) {
        Vector3 v = c.in;
        ScaleToLength(v, c.length);
        ExpectNear(v, c.out);
    }
    Vector2 v2{3, 4};
    ScaleToLength(v2, 10);
    EXPECT_FLOAT_EQ(v2.x, 6);
    EXPECT_FLOAT_EQ(v2.y, 8);
    EXPECT_FLOAT_EQ(Vector3Length({3, 4, 12}), 13);
}

TEST(Vector, DifferenceTests)
{
    EXPECT_FALSE(VectorsDiffer({0, 0, 0}, {0, 0.0001f, 0}));
    EXPECT_TRUE(VectorsDiffer({0, 0, 0}, {0, 0, 0.00011f}));
    EXPECT_FALSE(VectorsDiffer({0, 0, 0}, {kNaN, 0, 0}));
    EXPECT_FALSE(Vector2sDiffer({1, 1}, {1, 1.00009f}));
    EXPECT_TRUE(Vector2sDiffer({1, 1}, {1.00012f, 1}));
    EXPECT_TRUE(ColorsDiffer({0, 0, 0, 1}, {0, 0, 0, 0.9998f}));
    EXPECT_FALSE(ColorsDiffer({0, 0, 0, 1}, {0, 0, kNaN, 1}));
}

TEST(Vector, LerpAndColourScale)
{
    Vector3 v;
    LerpVector3(v, {0, 10, -2}, {10, 20, 2}, 0.25f);
    ExpectNear(v, {2.5f, 12.5f, -1});
    Color c;
    ScaleColor(c, {0.5f, 1, 2, 0.8f}, 2);
    EXPECT_FALSE(ColorsDiffer(c, {1, 2, 4, 1.6f}));
    Color d;
    EXPECT_FALSE(ColorsDiffer(AssignColor(d, c), c));
}

TEST(Quaternion, SlerpEndsMidpointAndShorterArc)
{
    const float h = std::sqrt(0.5f);
    const Quaternion identity{0, 0, 0, 1};
    const Quaternion quarterZ{0, 0, h, h};  // 90 degrees about z
    struct Case {
        Quaternion q0, q1;
        float t;
        Quaternion out;
    };
    const float eighth = std::sin(kPi / 8);
    const Case cases[] = {
        {identity, quarterZ, 0, identity},
        {identity, quarterZ, 1, quarterZ},
        {identity, quarterZ, 0.5f, {0, 0, eighth, std::cos(kPi / 8)}},
        // -quarterZ is the same rotation: the shorter arc still gives +quarterZ at t = 1.
        {identity, {0, 0, -h, -h}, 1, quarterZ},
        // q and -q: linear branch on the negated copy, q for every t.
        {quarterZ, {0, 0, -h, -h}, 0.3f, quarterZ},
        {quarterZ, {0, 0, -h, -h}, 1, quarterZ},
    };
    for (const Case& c : cases) {
        Quaternion r;
        Slerp(r, c.q0, c.q1, c.t);
        EXPECT_NEAR(r.x, c.out.x, 1e-5f);
        EXPECT_NEAR(r.y, c.out.y, 1e-5f);
        EXPECT_NEAR(r.z, c.out.z, 1e-5f);
        EXPECT_NEAR(r.w, c.out.w, 1e-5f);
    }
}

TEST(Scalar, ClampAndPowersOfTwo)
{
    EXPECT_EQ(Clamp(0, 1, 1.5f), 1.0f);
    EXPECT_EQ(Clamp(0, 1, -2), 0.0f);
    EXPECT_EQ(Clamp(2, 1, 0.5f), 2.0f);
    EXPECT_EQ(Clamp(0, 1, 0.25f), 0.25f);

    int count = 0;
    for (uint32_t n = 0; n <= 140000; ++n)
        count += IsPowerOfTwo(n) ? 1 : 0;
    EXPECT_EQ(count, 18);
    EXPECT_TRUE(IsPowerOfTwo(0));
    EXPECT_TRUE(IsPowerOfTwo(65536));
    EXPECT_FALSE(IsPowerOfTwo(3));
    EXPECT_FALSE(IsPowerOfTwo(131072));
    EXPECT_FALSE(IsPowerOfTwo(0x80000000u));
}

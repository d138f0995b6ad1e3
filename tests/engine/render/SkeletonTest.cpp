#include "engine/render/Skeleton.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VantoranEngine;

TEST(Skeleton, IdentityRotationGivesPureTranslationAndMovesTheBox)
{
    Skeleton skeleton(nullptr, nullptr, 2);
    ASSERT_EQ(skeleton.bones.size(), 2u);
    Bone& bone = skeleton.bones[1];
    bone.box.SetCorners({-1, -1, -1}, {1, 1, 1});
    bone.position = {3, 4, 5};
    bone.scale = {1, 1, 1};
    skeleton.Update();
    Matrix4 expected;
    MakeTranslationMatrix(expected, {3, 4, 5});
    EXPECT_TRUE(MatricesEqual(bone.transformMatrix, expected));
    EXPECT_FLOAT_EQ(bone.box.worldMin.x, 2);
    EXPECT_FLOAT_EQ(bone.box.worldMax.z, 6);
}

TEST(Skeleton, TransformIsTranslationTimesRotationTimesScale)
{
    Skeleton skeleton(nullptr, nullptr, 1);
    Bone& bone = skeleton.bones[0];
    const float h = std::sqrt(0.5f);
    bone.rotation = {0, 0, h, h}; // 90 degrees about z
    bone.position = {10, 0, 0};
    bone.scale = {2, 1, 1};
    skeleton.Update();
    // (1, 0, 0) scaled to (2, 0, 0), turned to (0, 2, 0), moved to (10, 2, 0)
    const Vector3 p = TransformPoint(bone.transformMatrix, {1, 0, 0});
    EXPECT_NEAR(p.x, 10, 1e-5);
    EXPECT_NEAR(p.y, 2, 1e-5);
    EXPECT_NEAR(p.z, 0, 1e-5);
}

TEST(Skeleton, QuaternionsNeedNotBeUnitLength)
{
    const float h = std::sqrt(0.5f);
    const Matrix4 unit = QuaternionToMatrix({h, 0, 0, h});
    const Matrix4 scaled = QuaternionToMatrix({3 * h, 0, 0, 3 * h});
    EXPECT_TRUE(MatricesEqual(unit, scaled));
    const Vector3 p = TransformPoint(unit, {0, 1, 0});
    EXPECT_NEAR(p.z, 1, 1e-6); // 90 degrees about x takes y to z
    // a full turn about z composed from two half turns
    const Quaternion half{0, 0, 1, 0};
    const Quaternion full = MultiplyQuaternions(half, half);
    EXPECT_NEAR(full.w, -1, 1e-6);
}

#include "engine/render/SpriteGroup.h"

#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/VertexBuffer_D3D7.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numbers>

using namespace VantoranEngine;

namespace {

class SpriteGroupTest : public ::testing::Test {
protected:
    SpriteGroup* Make(uint32_t count)
    {
        return manager.CreateSpriteGroup(count, nullptr, nullptr);
    }

    Vector3 Corner(const VertexBuffer& vertices, size_t vertex) const
    {
        float xyz[3];
        std::memcpy(xyz, vertices.vertices.data() + vertex * vertices.vertexSize, sizeof xyz);
        return {xyz[0], xyz[1], xyz[2]};
    }

    // The camera's default orientation at the origin: right +x, up +y, back +z.
    void Build(SpriteGroup& group, VertexBuffer& vertices, IndexBuffer& indices)
    {
        group.BuildQuads(vertices, indices, {}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    }

    SpriteGroupManager manager{nullptr, nullptr, nullptr, nullptr, nullptr};
};

TEST_F(SpriteGroupTest, IndexPatternAndFixedTextureCoordinates)
{
    IndexBuffer_D3D7 indices(nullptr, 0, 18);
    SpriteGroup::WriteIndices(indices, 3);
    std::vector<uint16_t> written(18);
    std::memcpy(written.data(), indices.indices.data(), 36);
    EXPECT_EQ(written, (std::vector<uint16_t>{0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7, 8, 9, 10, 10, 9, 11}));

    IndexBuffer_D3D7 wide(nullptr, 0, 70000);
    ASSERT_TRUE(wide.is32Bit);
    SpriteGroup::WriteIndices(wide, 11000);
    uint32_t last = 0;
    std::memcpy(&last, wide.indices.data() + 4 * (6 * 10999 + 5), 4);
    EXPECT_EQ(last, 4u * 10999 + 3);

    VertexBuffer_D3D7 vertices(nullptr, 0, 1, 8);
    SpriteGroup::WriteTextureCoordinates(vertices, 2);
    const float expected[8][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (int v = 0; v < 8; ++v) {
        float uv[2];
        std::memcpy(uv, vertices.vertices.data() + v * 36 + 28, sizeof uv);
        EXPECT_EQ(uv[0], expected[v][0]) << v;
        EXPECT_EQ(uv[1], expected[v][1]) << v;
    }
}

TEST_F(SpriteGroupTest, SpritesAreTakenLastFreedFirst)
{
    SpriteGroup* group = Make(3);
    EXPECT_EQ(group->AddSprite({1, 0, 0}, 1, {}), 2u);
    EXPECT_EQ(group->AddSprite({2, 0, 0}, 1, {}), 1u);
    EXPECT_EQ(group->AddSprite({3, 0, 0}, 1, {}), 0u);
    EXPECT_EQ(group->AddSprite({9, 9, 9}, 5, {}), 0u);
    EXPECT_EQ(group->sprites[0].position.x, 3.0f);
    EXPECT_EQ(group->sprites[0].size, 1.0f);

    group->FreeSprite(1);
    group->FreeSprite(1);
    EXPECT_EQ(group->freeSprites.size(), 1u);
    EXPECT_EQ(group->AddSprite({}, 1, {}), 1u);
}

TEST_F(SpriteGroupTest, CopyOfARunningGroupHasItsOwnFreeSprites)
{
    SpriteGroup* source = Make(4);
    source->AddSprite({}, 1, {});    // 3
    source->AddSprite({}, 1, {});    // 2
    source->sortEnabled = 0;
    SpriteGroup* copy = manager.CloneSpriteGroup(*source);
    EXPECT_EQ(copy->sortEnabled, 0);
    EXPECT_EQ(copy->freeSprites.size(), 4u);
    for (const Sprite& sprite : copy->sprites)
        EXPECT_TRUE(sprite.free);
    // The source's free sprites come first, in its order, then those it has in use, highest first.
    const uint32_t order[] = {1, 0, 3, 2};
    for (uint32_t expected : order)
        EXPECT_EQ(copy->AddSprite({}, 1, {}), expected);
    EXPECT_EQ(manager.groups.count, 2);
    EXPECT_TRUE(manager.DeleteSpriteGroup(copy));
    EXPECT_FALSE(manager.DeleteSpriteGroup(nullptr));
    EXPECT_EQ(manager.groups.count, 1);
}

TEST_F(SpriteGroupTest, QuadsFaceTheCameraBackToFront)
{
    SpriteGroup* group = Make(4);
    VertexBuffer_D3D7 vertices(nullptr, 0, 1, 16);
    IndexBuffer_D3D7 indices(nullptr, 0, 24);

    Build(*group, vertices, indices);
    EXPECT_EQ(indices.usedIndexCount, 0u);
    EXPECT_FALSE(VectorsDiffer(group->centre, Vector3{}));

    group->AddSprite({0, 0, -10}, 1, {1, 0, 0, 1});
    group->AddSprite({0, 0, -5}, 2, {0, 1, 0, 1});
    group->AddSprite({0, 0, -20}, 1, {0, 0, 1, 1});
    indices.rangeStale = 0;
    Build(*group, vertices, indices);
    EXPECT_EQ(indices.usedIndexCount, 18u);
    EXPECT_EQ(indices.rangeStale, 1);
    ASSERT_EQ(group->GetDrawCount(), 3u);
    EXPECT_EQ(group->GetDrawList()[0]->position.z, -20.0f);
    EXPECT_EQ(group->GetDrawList()[1]->position.z, -10.0f);
    EXPECT_EQ(group->GetDrawList()[2]->position.z, -5.0f);
    EXPECT_EQ(group->GetDrawList()[0]->sortKey, 20.0f);
    EXPECT_FALSE(VectorsDiffer(group->centre, Vector3{0, 0, -35.0f / 3}));
    // Last drawn: the sprite at -5 of size 2, green in all four corners.
    EXPECT_FALSE(VectorsDiffer(Corner(vertices, 8), Vector3{-2, -2, -5}));
    EXPECT_FALSE(VectorsDiffer(Corner(vertices, 9), Vector3{-2, 2, -5}));
    EXPECT_FALSE(VectorsDiffer(Corner(vertices, 10), Vector3{2, -2, -5}));
    EXPECT_FALSE(VectorsDiffer(Corner(vertices, 11), Vector3{2, 2, -5}));
    for (int v = 8; v < 12; ++v) {
        uint32_t argb = 0;
        std::memcpy(&argb, vertices.vertices.data() + v * 36 + 24, 4);
        EXPECT_EQ(argb, 0xFF00FF00u) << v;
    }

    // Without sorting: index order (sprites 1, 2, 3), keys untouched.
    group->sortEnabled = 0;
    group->sprites[1].sortKey = -1;
    Build(*group, vertices, indices);
    EXPECT_EQ(group->GetDrawList()[0]->position.z, -20.0f);
    EXPECT_EQ(group->GetDrawList()[1]->position.z, -5.0f);
    EXPECT_EQ(group->GetDrawList()[2]->position.z, -10.0f);
    EXPECT_EQ(group->sprites[1].sortKey, -1.0f);
}

TEST_F(SpriteGroupTest, AngleTurnsTheQuadAboutTheBackAxis)
{
    SpriteGroup* group = Make(1);
    VertexBuffer_D3D7 vertices(nullptr, 0, 1, 4);
    IndexBuffer_D3D7 indices(nullptr, 0, 6);
    const uint32_t index = group->AddSprite({5, 5, 0}, 1, {});
    const struct {
        float angle;
        Vector3 lastCorner; // the corner c + s(R + U) unturned
    } cases[] = {
        {0.00005f, {6, 6, 0}},
        {std::numbers::pi_v<float> / 2, {4, 6, 0}},
    };
    for (const auto& c : cases) {
        group->sprites[index].angle = c.angle;
        Build(*group, vertices, indices);
        const Vector3 corner = Corner(vertices, 3);
        EXPECT_NEAR(corner.x, c.lastCorner.x, 1e-5) << c.angle;
        EXPECT_NEAR(corner.y, c.lastCorner.y, 1e-5) << c.angle;
        EXPECT_NEAR(corner.z, c.lastCorner.z, 1e-5) << c.angle;
    }
}

} // namespace

// The title logo and the greenhouse, read back through the engine: every looped model ends on the pose
// it starts with (the loop wraps without a jump), and each greenhouse flower samples only its own cell of
// the flowers atlas, where the outline atlas holds a ring around that flower and nothing over it.
#include "GameDataFixture.h"
#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace VantoranEngine;

namespace {

class StartupAudit : public GameDataTest {};

std::string FlowerName(int i)
{
    return "backgrounds\\flower_house\\models\\flower_" + std::to_string(i) + ".mlf";
}

TEST_F(StartupAudit, LoopsEndOnThePoseTheyStartWith)
{
    struct Case {
        std::string name;
        uint32_t frames;
    };
    std::vector<Case> cases{{"gui\\main_menu\\models\\game_logo.mlf", 33},
                            {"backgrounds\\flower_house\\models\\house_plants.mlf", 17},
                            {"backgrounds\\flower_house\\models\\house_light.mlf", 33}};
    for (int i = 0; i < 9; ++i)
        cases.push_back({FlowerName(i), 17});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Model> model = LoadModel(c.name, c.frames);
        ASSERT_TRUE(model && model->animationControl);
        const size_t perFrame = model->morphVertices.size() / c.frames;
        ASSERT_GT(perFrame, 0u);
        bool moves = false;
        for (size_t v = 0; v < perFrame; ++v) {
            const MorphVertex& first = model->morphVertices[v];
            const MorphVertex& last = model->morphVertices[(c.frames - 1) * perFrame + v];
            const MorphVertex& middle = model->morphVertices[(c.frames / 2) * perFrame + v];
            EXPECT_FLOAT_EQ(first.position.x, last.position.x);
            EXPECT_FLOAT_EQ(first.position.y, last.position.y);
            EXPECT_FLOAT_EQ(first.u, last.u);
            EXPECT_FLOAT_EQ(first.v, last.v);
            moves = moves || first.position.x != middle.position.x || first.position.y != middle.position.y ||
                    first.u != middle.u;
        }
        EXPECT_TRUE(moves) << "the loop shows no movement";
    }
}

TEST_F(StartupAudit, EachFlowerKeepsToItsCellAndItsOutlineRingsIt)
{
    const Opacity flowers = ReadOpacity("backgrounds/flower_house/flower_house_flowers_alpha.jpg");
    const Opacity strokes = ReadOpacity("backgrounds/flower_house/flower_house_flowers_stroke_alpha.jpg");
    ASSERT_EQ(flowers.width, strokes.width);
    ASSERT_EQ(flowers.height, strokes.height);
    const uint32_t cellW = flowers.width / 8, cellH = flowers.height / 2;
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(FlowerName(i));
        const std::unique_ptr<Model> model = LoadModel(FlowerName(i), 17);
        ASSERT_TRUE(model);
        // Texture coordinates stay inside cell i (column i mod 8, row i div 8 from the top).
        const float u0 = float(i % 8) / 8, u1 = float(i % 8 + 1) / 8;
        const float v1 = 1 - float(i / 8) / 2, v0 = v1 - 0.5f;
        for (const MorphVertex& vertex : model->morphVertices) {
            EXPECT_GE(vertex.u, u0);
            EXPECT_LE(vertex.u, u1);
            EXPECT_GE(vertex.v, v0);
            EXPECT_LE(vertex.v, v1);
        }
        // The cell holds a flower and a ring of outline, and the ring never covers the flower.
        uint32_t flowerTexels = 0, ringTexels = 0;
        for (uint32_t y = (i / 8) * cellH; y < (i / 8 + 1) * cellH; ++y)
            for (uint32_t x = (i % 8) * cellW; x < (i % 8 + 1) * cellW; ++x) {
                flowerTexels += flowers.At(x, y) > 250;
                ringTexels += strokes.At(x, y) > 200;
                if (flowers.At(x, y) > 250) {
                    EXPECT_LT(strokes.At(x, y), 96) << "outline over the flower at (" << x << ", " << y << ")";
                }
            }
        EXPECT_GT(flowerTexels, 2000u);
        EXPECT_GT(ringTexels, 500u);
    }
}

} // namespace

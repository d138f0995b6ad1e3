// The title logo and the greenhouse, read back through the engine: every looped model ends on the pose
// it starts with (the loop wraps without a jump), and each greenhouse flower samples only its own cell of
// the flowers atlas, where the outline atlas holds a ring around that flower and nothing over it.
#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

using namespace VantoranEngine;

namespace {

struct Opacity {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> texels; // top row first
    uint8_t At(uint32_t x, uint32_t y) const { return texels[size_t{y} * width + x]; }
};

Opacity ReadOpacity(const std::string& name)
{
    const std::string bytes = TempFolder::ReadFile(std::string(BRINDLE_GAME_FOLDER) + "/data/" + name);
    size_t at = 0;
    Opacity image;
    uint32_t components = 0;
    std::string failure;
    const bool decoded = JpegCodec::Decode(
        [&](uint8_t* buffer, uint32_t count) {
            const uint32_t n = static_cast<uint32_t>(std::min<size_t>(count, bytes.size() - at));
            std::memcpy(buffer, bytes.data() + at, n);
            at += n;
            return n;
        },
        [&](uint32_t width, uint32_t height, uint32_t channels) {
            image.width = width;
            image.height = height;
            components = channels;
            image.texels.resize(size_t{width} * height * channels);
            return image.texels.data();
        },
        failure);
    EXPECT_TRUE(decoded) << name << ": " << failure;
    EXPECT_EQ(components, 1u) << name;
    return image;
}

class StartupAudit : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        user = std::make_unique<TempFolder>();
        engine = std::make_unique<Engine>(TestEngineDescriptor(BRINDLE_GAME_FOLDER, user->Path()));
    }
    static void TearDownTestSuite()
    {
        engine.reset();
        user.reset();
    }

    static std::unique_ptr<Model> Load(const std::string& name, uint32_t frames)
    {
        std::unique_ptr<Model> model(engine->modelManager->LoadDetachedModel(name, 32));
        EXPECT_TRUE(model && model->animationControl) << name;
        if (model && model->animationControl) {
            EXPECT_EQ(model->animationControl->frameCount, frames) << name;
        }
        return model;
    }

    static inline std::unique_ptr<TempFolder> user;
    static inline std::unique_ptr<Engine> engine;
};

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
        const std::unique_ptr<Model> model = Load(c.name, c.frames);
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
        const std::unique_ptr<Model> model = Load(FlowerName(i), 17);
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

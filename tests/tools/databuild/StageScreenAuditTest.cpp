// The stage screen's animated marks and the flower screen, read back through the engine: the flower screen
// shows nothing on its first and last frames and hides the whole screen behind opaque texels at its
// middle frame (three screens wait on it); the cross and the circle start from nothing and rest fully drawn.
#include "GameDataFixture.h"
#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

using namespace VantoranEngine;

namespace {

class StageScreenAudit : public GameDataTest {
protected:
    struct Triangle {
        std::array<MorphVertex, 3> corners;
        float Area() const
        {
            const Vector3 &a = corners[0].position, &b = corners[1].position, &c = corners[2].position;
            return std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
        }
        // The texture coordinates at (x, y) when the point lies in the triangle.
        std::optional<std::array<float, 2>> UvAt(float x, float y) const
        {
            const Vector3 &a = corners[0].position, &b = corners[1].position, &c = corners[2].position;
            const float d = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
            if (std::fabs(d) < 1e-6f)
                return std::nullopt;
            const float l0 = ((b.y - c.y) * (x - c.x) + (c.x - b.x) * (y - c.y)) / d;
            const float l1 = ((c.y - a.y) * (x - c.x) + (a.x - c.x) * (y - c.y)) / d;
            const float l2 = 1 - l0 - l1;
            if (l0 < -1e-4f || l1 < -1e-4f || l2 < -1e-4f)
                return std::nullopt;
            return std::array<float, 2>{l0 * corners[0].u + l1 * corners[1].u + l2 * corners[2].u,
                                        l0 * corners[0].v + l1 * corners[1].v + l2 * corners[2].v};
        }
    };

    struct Frames {
        std::unique_ptr<Model> model;
        uint32_t count = 0;
        std::vector<Triangle> At(uint32_t frame) const
        {
            std::vector<Triangle> triangles;
            for (const auto& corners : Triangles(*model, frame))
                triangles.push_back({corners});
            return triangles;
        }
    };

    static Frames Load(const std::string& name, uint32_t frameCount)
    {
        return {LoadModel(name, frameCount), frameCount};
    }

    static float Area(const std::vector<Triangle>& triangles)
    {
        float area = 0;
        for (const Triangle& t : triangles)
            area += t.Area();
        return area;
    }
};

TEST_F(StageScreenAudit, TheFlowerScreenStartsAndEndsEmptyAndCoversTheScreenAtItsMiddle)
{
    const Frames flower = Load("gui\\stage_screen\\models\\flower_screen.mlf", 31);
    ASSERT_TRUE(flower.model);
    EXPECT_EQ(Area(flower.At(0)), 0.0f);
    EXPECT_EQ(Area(flower.At(30)), 0.0f);

    const Opacity opacity = ReadOpacity("gui/stage_screen/flower_screen_alpha.jpg");
    ASSERT_GT(opacity.width, 0u);
    auto opaque = [&](std::array<float, 2> uv) {
        // Every texel the bilinear filter may blend in must be opaque.
        const float x = uv[0] * opacity.width - 0.5f, y = (1 - uv[1]) * opacity.height - 0.5f;
        for (float dx : {0.0f, 1.0f})
            for (float dy : {0.0f, 1.0f}) {
                const int tx = std::clamp(int(std::floor(x + dx)), 0, int(opacity.width) - 1);
                const int ty = std::clamp(int(std::floor(y + dy)), 0, int(opacity.height) - 1);
                if (opacity.texels[size_t(ty) * opacity.width + tx] < 250)
                    return false;
            }
        return true;
    };
    const std::vector<Triangle> middle = flower.At(15);
    for (int y = 0; y <= 600; y += 10)
        for (int x = 0; x <= 800; x += 10) {
            bool covered = false;
            for (const Triangle& t : middle) {
                const auto uv = t.UvAt(float(x), float(y));
                if (uv && opaque(*uv)) {
                    covered = true;
                    break;
                }
            }
            EXPECT_TRUE(covered) << "(" << x << ", " << y << ") shows through";
        }
}

TEST_F(StageScreenAudit, CrossAndCircleGrowFromNothingAndRestFullyDrawn)
{
    struct Case {
        const char* name;
        uint32_t frames;
        float size;
    };
    for (const Case& c : {Case{"gui\\stage_screen\\models\\cross.mlf", 11, 44},
                          Case{"gui\\stage_screen\\models\\circle.mlf", 31, 46}}) {
        SCOPED_TRACE(c.name);
        const Frames marks = Load(c.name, c.frames);
        ASSERT_TRUE(marks.model);
        EXPECT_EQ(Area(marks.At(0)), 0.0f);
        // The rest pose: every piece drawn, the mark at its full size around the origin.
        float least = 1e9f, most = 0;
        for (const Triangle& t : marks.At(c.frames - 1))
            least = std::min(least, t.Area());
        for (uint32_t f = 0; f < c.frames; ++f)
            most = std::max(most, Area(marks.At(f)));
        EXPECT_GT(least, 1.0f);
        EXPECT_FLOAT_EQ(Area(marks.At(c.frames - 1)), most);
        const BoundingBox& box = marks.model->frameBoxes[c.frames - 1];
        EXPECT_NEAR(box.max.x - box.min.x, c.size, 1.0f);
        EXPECT_NEAR(box.max.y - box.min.y, c.size, 1.0f);
        EXPECT_NEAR(box.max.x + box.min.x, 0, 1.0f);
        EXPECT_NEAR(box.max.y + box.min.y, 0, 1.0f);
    }
}

} // namespace

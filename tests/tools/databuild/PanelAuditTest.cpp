// The panel's animated parts, read back through the engine: the clock hand and its shadow turn clockwise by
// 6 degrees a frame (the code shows frame 60 x elapsed / level time); the goal bar and the scissors reveal
// their pictures (texture coordinates move with the edge, nothing is stretched), the scissors from nothing.
#include "GameDataFixture.h"
#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace VantoranEngine;

namespace {

class PanelAudit : public GameDataTest {
protected:
    // The drawn area of a frame: the sum of its triangles' areas.
    static float Area(const Model& model, uint32_t frame)
    {
        float area = 0;
        for (const auto& [a, b, c] : Triangles(model, frame)) {
            const Vector3 &p = a.position, &q = b.position, &r = c.position;
            area += std::fabs((q.x - p.x) * (r.y - p.y) - (r.x - p.x) * (q.y - p.y)) / 2;
        }
        return area;
    }
};

TEST_F(PanelAudit, TheClockHandTurnsClockwiseSixDegreesAFrame)
{
    struct Case {
        const char* name;
        float pivotX, pivotY; // the shadow turns about its offset pivot
    };
    for (const Case& c : {Case{"gui\\game_panel\\models\\clock_arrow.mlf", 0, 0},
                          Case{"gui\\game_panel\\models\\clock_shadow.mlf", 2, -2}}) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Model> hand = LoadModel(c.name, 61);
        ASSERT_TRUE(hand && hand->animationControl);
        EXPECT_EQ(hand->animationControl->speed, 0.0f) << "the code sets the frame";
        const size_t perFrame = hand->morphVertices.size() / 61;
        // Frame 0 points straight up, to twelve o'clock.
        float topY = -1e9f, topX = 0;
        for (size_t i = 0; i < perFrame; ++i)
            if (hand->morphVertices[i].position.y > topY) {
                topY = hand->morphVertices[i].position.y;
                topX = hand->morphVertices[i].position.x;
            }
        EXPECT_GT(topY, c.pivotY + 15);
        EXPECT_NEAR(topX, c.pivotX, 7);
        for (uint32_t f = 1; f <= 60; ++f) {
            const float angle = -6.0f * f * 3.14159265f / 180;
            for (size_t i = 0; i < perFrame; ++i) {
                const MorphVertex& start = hand->morphVertices[i];
                const MorphVertex& now = hand->morphVertices[f * perFrame + i];
                const float x = start.position.x - c.pivotX, y = start.position.y - c.pivotY;
                EXPECT_NEAR(now.position.x, c.pivotX + x * std::cos(angle) - y * std::sin(angle), 1e-3f) << "frame " << f;
                EXPECT_NEAR(now.position.y, c.pivotY + x * std::sin(angle) + y * std::cos(angle), 1e-3f) << "frame " << f;
                EXPECT_EQ(now.u, start.u);
                EXPECT_EQ(now.v, start.v);
            }
        }
    }
}

TEST_F(PanelAudit, FillsRevealTheirPicturesUnstretchedAndTheScissorsStartFromNothing)
{
    struct Case {
        const char* name;
        float textureWidth, textureHeight;
        bool startsEmpty;
    };
    for (const Case& c : {Case{"gui\\game_panel\\models\\progress_bar.mlf", 256, 128, false},
                          Case{"gui\\game_panel\\models\\scissors_0.mlf", 256, 128, true},
                          Case{"gui\\game_panel\\models\\scissors_1.mlf", 256, 128, true},
                          Case{"gui\\game_panel\\models\\scissors_2.mlf", 256, 128, true}}) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Model> model = LoadModel(c.name, 2);
        ASSERT_TRUE(model && model->animationControl);
        const size_t perFrame = model->morphVertices.size() / 2;
        // 1 unit = 1 texel: an edge that moves takes its texture coordinates along by as many texels.
        bool moves = false;
        for (size_t i = 0; i < perFrame; ++i) {
            const MorphVertex &from = model->morphVertices[i], &to = model->morphVertices[perFrame + i];
            EXPECT_NEAR((to.u - from.u) * c.textureWidth, to.position.x - from.position.x, 0.01f) << "vertex " << i;
            EXPECT_NEAR((to.v - from.v) * c.textureHeight, to.position.y - from.position.y, 0.01f) << "vertex " << i;
            moves = moves || to.position.x != from.position.x || to.position.y != from.position.y;
        }
        EXPECT_TRUE(moves);
        EXPECT_GT(Area(*model, 1), Area(*model, 0));
        if (c.startsEmpty) {
            EXPECT_EQ(Area(*model, 0), 0.0f);
            EXPECT_FLOAT_EQ(Area(*model, 1), 48.0f * 48.0f);
        }
    }
}

} // namespace

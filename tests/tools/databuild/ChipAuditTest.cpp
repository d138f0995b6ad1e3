// The chip and cell animations, read back through a running engine: rules the model table cannot say.
// Loops end on the pose they start from, the thawed ice draws nothing, the tornado turns at most 30
// degrees a frame so the blend between frames stays a turn.
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

class ChipAudit : public GameDataTest {};

TEST_F(ChipAudit, LoopsEndOnThePoseTheyStartFrom)
{
    struct Loop {
        const char* name;
        uint32_t first, last;
    };
    const Loop loops[] = {{"chips\\models\\chip.mlf", 0, 5},
                          {"chips\\bonuses\\models\\bomb_volume.mlf", 0, 16},
                          {"chips\\bonuses\\models\\bomb_horizontal.mlf", 0, 16},
                          {"chips\\bonuses\\models\\bomb_vertical.mlf", 0, 16},
                          {"chips\\bonuses\\models\\bomb_cross.mlf", 0, 16},
                          {"chips\\bonuses\\models\\random_chip_destruction.mlf", 0, 16},
                          {"chips\\bonuses\\models\\bomb_star.mlf", 0, 16},
                          {"cell\\bonuses\\models\\cell_bonus.mlf", 0, 16},
                          {"cell\\bonuses\\models\\horn_anim.mlf", 5, 7}};
    for (const Loop& loop : loops) {
        SCOPED_TRACE(loop.name);
        const std::unique_ptr<Model> model = LoadModel(loop.name);
        ASSERT_TRUE(model && model->animationControl);
        const std::vector<MorphVertex> first = Frame(*model, loop.first), last = Frame(*model, loop.last);
        for (size_t i = 0; i < first.size(); ++i) {
            EXPECT_NEAR(first[i].position.x, last[i].position.x, 1e-3f) << "vertex " << i;
            EXPECT_NEAR(first[i].position.y, last[i].position.y, 1e-3f) << "vertex " << i;
            EXPECT_NEAR(first[i].u, last[i].u, 1e-5f) << "vertex " << i;
            EXPECT_NEAR(first[i].v, last[i].v, 1e-5f) << "vertex " << i;
        }
    }
}

TEST_F(ChipAudit, IcePiecesStartAsQuartersOfTheBlockAndVanishOnTheLastFrame)
{
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        const std::unique_ptr<Model> model = LoadModel("chips\\models\\ice_cube_" + std::to_string(k) + ".mlf");
        ASSERT_TRUE(model && model->animationControl);
        // Frame 0: the quarter on its side of the chip (0 upper left, 1 upper right, 2 lower left, 3 lower right).
        const BoundingBox& intact = model->frameBoxes[0];
        EXPECT_GT((intact.min.x + intact.max.x) / 2 * (k % 2 ? 1 : -1), 5.0f);
        EXPECT_GT((intact.min.y + intact.max.y) / 2 * (k < 2 ? 1 : -1), 5.0f);
        EXPECT_GT(intact.max.x - intact.min.x, 20.0f);
        // The last frame, where the thawed chip's ice rests: every vertex on one point.
        const std::vector<MorphVertex> gone = Frame(*model, 10);
        for (const MorphVertex& vertex : gone) {
            EXPECT_EQ(vertex.position.x, gone[0].position.x);
            EXPECT_EQ(vertex.position.y, gone[0].position.y);
        }
    }
}

TEST_F(ChipAudit, TheTornadoTurnsAtMostThirtyDegreesAFrame)
{
    const std::unique_ptr<Model> model = LoadModel("cell\\bonuses\\models\\tornado_anim.mlf");
    ASSERT_TRUE(model && model->animationControl);
    const uint32_t frames = model->animationControl->frameCount;
    for (uint32_t f = 0; f + 1 < frames; ++f) {
        const std::vector<MorphVertex> a = Frame(*model, f), b = Frame(*model, f + 1);
        for (size_t i = 0; i < a.size(); ++i) {
            const float ax = a[i].position.x - 400, ay = a[i].position.y - 300;
            const float bx = b[i].position.x - 400, by = b[i].position.y - 300;
            if (std::hypot(ax, ay) < 1e-3f || std::hypot(bx, by) < 1e-3f)
                continue;
            const float turn = std::abs(std::atan2(ax * by - ay * bx, ax * bx + ay * by));
            EXPECT_LE(turn, 30 * 3.14159265f / 180 + 1e-4f) << "frame " << f << " vertex " << i;
        }
    }
}

} // namespace

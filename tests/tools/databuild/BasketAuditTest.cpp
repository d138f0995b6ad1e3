// The baskets and conveyors read back through the engine: every looped range ends on the pose it starts
// from (the belt's texture one period further, the spools a quarter turn further), and the right
// conveyor's models are the left ones mirrored about the screen's middle.
#include "tools/databuild/Manifest.h"

#include "GameDataFixture.h"
#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace VantoranEngine;

namespace {

class BasketAudit : public GameDataTest {
protected:
    static std::string Side(const std::string& stem, const char* side)
    {
        return std::string("gui\\baskets\\models\\") + side + "\\" + stem + ".mlf";
    }
};

TEST_F(BasketAudit, LoopsEndOnThePoseTheyStartFrom)
{
    struct Loop {
        std::string stem;
        uint32_t first, last;
    };
    std::vector<Loop> loops;
    for (int n = 0; n < 9; ++n)
        loops.push_back({"basket_" + std::to_string(n), 4, 10});
    for (const char* kind : {"single", "double", "triple"})
        loops.push_back({std::string("sheet_") + kind, 5, 10});
    for (const char* entry : {"single_%_0", "double_%_0", "double_%_1", "triple_%_0", "triple_%_1", "triple_%_2"})
        for (const char* part : {"flower", "number"}) {
            std::string stem = std::string("sheet_") + entry;
            stem.replace(stem.find('%'), 1, part);
            loops.push_back({stem, 6, 10});
        }
    for (const char* side : {"left", "right"})
        for (const Loop& loop : loops) {
            SCOPED_TRACE(Side(loop.stem, side));
            const std::unique_ptr<Model> model = LoadModel(Side(loop.stem, side));
            ASSERT_TRUE(model && model->animationControl);
            const std::vector<MorphVertex> a = Frame(*model, loop.first), b = Frame(*model, loop.last);
            for (size_t i = 0; i < a.size(); ++i) {
                EXPECT_NEAR(a[i].position.x, b[i].position.x, 1e-3f) << "vertex " << i;
                EXPECT_NEAR(a[i].position.y, b[i].position.y, 1e-3f) << "vertex " << i;
                EXPECT_FLOAT_EQ(a[i].u, b[i].u) << "vertex " << i;
                EXPECT_FLOAT_EQ(a[i].v, b[i].v) << "vertex " << i;
            }
        }
}

TEST_F(BasketAudit, BeltScrollsOnePeriodAndSpoolsTurnAQuarterPerLoop)
{
    for (const char* side : {"left", "right"}) {
        const std::unique_ptr<Model> rope = LoadModel(Side("rope", side)), wheels = LoadModel(Side("wheels", side));
        ASSERT_TRUE(rope && rope->animationControl && wheels && wheels->animationControl);
        const uint32_t last = rope->animationControl->frameCount - 1;
        const std::vector<MorphVertex> a = Frame(*rope, 0), b = Frame(*rope, last);
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_FLOAT_EQ(a[i].position.y, b[i].position.y);
            EXPECT_FLOAT_EQ(a[i].u, b[i].u);
            // The material wraps in v: a whole period shows the same texels.
            EXPECT_NEAR(std::fabs(a[i].v - b[i].v), 1.0f, 1e-5f) << side;
        }
        // A quarter turn puts every corner where another one was.
        const std::vector<MorphVertex> c = Frame(*wheels, 0), d = Frame(*wheels, wheels->animationControl->frameCount - 1);
        for (const MorphVertex& moved : d) {
            bool found = false;
            for (const MorphVertex& start : c)
                found = found || (std::fabs(moved.position.x - start.position.x) < 1e-3f &&
                                  std::fabs(moved.position.y - start.position.y) < 1e-3f);
            EXPECT_TRUE(found) << side << " corner at " << moved.position.x << ", " << moved.position.y;
        }
    }
}

TEST_F(BasketAudit, RightSideMirrorsTheLeft)
{
    const std::string left = "\\left\\";
    for (const DataBuild::ModelSpec& spec : DataBuild::BasketArea().models) {
        const size_t at = spec.name.find(left);
        if (at == std::string::npos)
            continue;
        std::string rightName = spec.name;
        rightName.replace(at, left.size(), "\\right\\");
        SCOPED_TRACE(rightName);
        const std::unique_ptr<Model> l = LoadModel(spec.name), r = LoadModel(rightName);
        ASSERT_TRUE(l && r && l->animationControl && r->animationControl);
        ASSERT_EQ(l->morphVertices.size(), r->morphVertices.size());
        ASSERT_EQ(l->frameBoxes.size(), r->frameBoxes.size());
        for (size_t i = 0; i < l->morphVertices.size(); ++i) {
            EXPECT_NEAR(l->morphVertices[i].position.x, 800 - r->morphVertices[i].position.x, 1e-3f) << "vertex " << i;
            EXPECT_NEAR(l->morphVertices[i].position.y, r->morphVertices[i].position.y, 1e-3f) << "vertex " << i;
        }
        for (size_t f = 0; f < l->frameBoxes.size(); ++f) {
            EXPECT_NEAR(l->frameBoxes[f].min.x, 800 - r->frameBoxes[f].max.x, 1e-3f) << "frame " << f;
            EXPECT_NEAR(l->frameBoxes[f].min.y, r->frameBoxes[f].min.y, 1e-3f) << "frame " << f;
        }
    }
}

} // namespace

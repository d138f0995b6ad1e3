// The level-loading screen over a headless engine with a flower-screen model of 31 frames at 30 frames
// per second: the sequence of phases, load and result on the normal path and in skip mode, and the
// flower screen taken away once it has opened over the new level.

#include "game/screens/GUIGameLogicLoadingWindow.h"

#include "ScreenFixture.h"
#include "framework/DataKeeper.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "framework/SoundPlayer.h"

#include <string>
#include <vector>

using namespace VantoranEngine;
using Petalwork::GUIGameLogicLoadingWindow;

namespace {

class CountingBundle : public GameFramework::DataKeeper {
public:
    using DataKeeper::DataKeeper;
    int loads = 0;

protected:
    void LoadResources() override { ++loads; }
};

class GUIGameLogicLoadingWindowTest : public ScreenFixture {
protected:
    void PrepareData() override
    {
        WriteModel("gui/stage_screen/models/flower_screen.mlf", QuadModel(31, 30.0f, 0.0f, 0.0f, 800.0f, 600.0f));
    }

    void SetUp() override
    {
        ScreenFixture::SetUp();
        sounds = MakeSoundPlayer({53});
        window = std::make_unique<GUIGameLogicLoadingWindow>(engine.get(), sounds.get());
        bundle = std::make_unique<CountingBundle>(*engine);
        SetFrameTime(0.1f);
    }

    void TearDown() override
    {
        window.reset();
        sounds.reset();
        ScreenFixture::TearDown();
    }

    // What must hold after a step of the script.
    struct Expect {
        int phase;
        int result;
        int loads;
        bool up;
        bool modelDrawn;
        int animation;
    };

    // One step: 'S' Show, 'K' Show in skip mode, 'H' Hide, 'U' Update, 'A' the flower screen's animation
    // runs one second (the engine would step it while drawing).
    void Step(char action)
    {
        Model* model = window->GetFlowerScreen();
        switch (action) {
        case 'S':
            window->Show(bundle.get());
            break;
        case 'K':
            window->skip = true;
            window->Show(bundle.get());
            break;
        case 'H':
            window->Hide();
            break;
        case 'A':
            model->animationControl->Advance(1.0f);
            break;
        default:
            window->Update();
            break;
        }
    }

    void Check(const Expect& e) const
    {
        const Model* model = window->GetFlowerScreen();
        EXPECT_EQ(window->GetPhase(), e.phase);
        EXPECT_EQ(window->result, e.result);
        EXPECT_EQ(bundle->loads, e.loads);
        EXPECT_EQ(window->IsUp(), e.up);
        EXPECT_EQ((model->flags & ModelFlag::active) != 0, e.modelDrawn);
        EXPECT_EQ(model->animationControl->currentId, e.animation);
    }

    std::unique_ptr<GameFramework::SoundPlayer> sounds;
    std::unique_ptr<GUIGameLogicLoadingWindow> window;
    std::unique_ptr<CountingBundle> bundle;
};

TEST_F(GUIGameLogicLoadingWindowTest, TheFlowerScreenClosesTheLevelLoadsAndItOpensOverTheNewLevel)
{
    const Model* model = window->GetFlowerScreen();
    EXPECT_FLOAT_EQ(model->depth, -10000.0f);
    EXPECT_EQ(model->flags & ModelFlag::active, 0u);
    EXPECT_NE(model->flags & ModelFlag::backToFront, 0u);
    EXPECT_EQ(model->flags & (ModelFlag::lit | ModelFlag::depthTest | ModelFlag::frontToBack), 0u);

    struct Row {
        char action;
        Expect expect;
    };
    const std::vector<Row> script = {
        {'S', {0, 0, 0, true, true, 0}},
        {'U', {0, 0, 0, true, true, 0}}, // still closing
        {'A', {0, 0, 0, true, true, 0}},
        {'U', {1, 0, 0, true, true, 1}}, // closed: the opening starts, two frames are drawn
        {'U', {2, 0, 0, true, true, 1}},
        {'U', {0, 0, 1, true, true, 1}}, // the load
        {'U', {0, 1, 1, true, true, 1}}, // done: sound and result
        {'H', {0, 1, 1, false, true, 1}},
        {'U', {0, 0, 1, false, true, 1}}, // opening over the level
        {'A', {0, 0, 1, false, true, 1}},
        {'U', {0, 0, 1, false, false, 1}}, // opened: taken away
    };
    int step = 0;
    for (const Row& row : script) {
        SCOPED_TRACE(step++);
        Step(row.action);
        Check(row.expect);
    }
    EXPECT_TRUE(Played(*sounds, 53));
}

TEST_F(GUIGameLogicLoadingWindowTest, SkipModeLoadsInShowAndOpensTheScreenInsteadOfClosingIt)
{
    struct Row {
        char action;
        Expect expect;
    };
    const std::vector<Row> script = {
        {'K', {0, 0, 1, true, true, 1}}, // loaded inside Show; the flower screen opens
        {'U', {0, 1, 1, true, true, 1}},
        {'H', {0, 1, 1, false, true, 1}},
        {'U', {0, 0, 1, false, true, 1}},
        {'A', {0, 0, 1, false, true, 1}},
        {'U', {0, 0, 1, false, false, 1}}, // the new level is uncovered
        // The flag went with Hide: the next level takes the normal path.
        {'S', {0, 0, 1, true, true, 0}},
        {'U', {0, 0, 1, true, true, 0}},
    };
    int step = 0;
    for (const Row& row : script) {
        SCOPED_TRACE(step++);
        Step(row.action);
        Check(row.expect);
    }
    EXPECT_FALSE(window->skip);
    EXPECT_FALSE(Played(*sounds, 53));
}

TEST_F(GUIGameLogicLoadingWindowTest, DestructionLeavesNoModelOrWindowBehind)
{
    const int models = engine->modelManager->models.count;
    window.reset();
    EXPECT_EQ(engine->modelManager->models.count, models - 1);
    EXPECT_EQ(gui->windows.count, 0);
}

} // namespace

namespace {

// Without its model file the flower screen is a box without frames: each animation ends at once, so
// the level still loads and the screen reports.
using GUIGameLogicLoadingWindowBoxTest = ScreenFixture;

TEST_F(GUIGameLogicLoadingWindowBoxTest, AMissingFlowerScreenStillLoadsTheLevel)
{
    auto sounds = MakeSoundPlayer({53});
    GUIGameLogicLoadingWindow window(engine.get(), sounds.get());
    CountingBundle bundle(*engine);
    window.Show(&bundle);
    int reported = 0;
    for (int tick = 0; tick < 5 && reported == 0; ++tick) {
        window.Update();
        reported = window.result;
    }
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(bundle.loads, 1);
    window.Hide();
    window.Update();
    EXPECT_EQ(window.GetFlowerScreen()->flags & ModelFlag::active, 0u);
}

} // namespace

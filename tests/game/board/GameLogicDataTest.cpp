// The level's bundle and the stage background over a headless engine: the background file, its checks,
// the scene models and butterflies the background makes from it, their depths and their showing.

#include "game/board/GameLogicBackground.h"
#include "game/board/GameLogicData.h"

#include "engine/core/Error.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Random.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/HeadlessEngine.h"
#include "tools/formats/ByteWriter.h"

#include <gtest/gtest.h>

#include <string>

using namespace Petalwork;

namespace {

class GameLogicDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        stage.background = 3;
        for (int i = 0; i < 2; ++i)
            butterflies.push_back(world.engine->modelManager->LoadDetachedModel("butterfly.mlf", 0));
    }
    void TearDown() override
    {
        for (VantoranEngine::Model* model : butterflies)
            delete model;
    }

    void WriteBackground(const std::string& text)
    {
        const std::string path = world.folder.Path() + "/data/backgrounds/background_3/background.ini";
        ASSERT_TRUE(Formats::SaveFile(path, std::vector<uint8_t>(text.begin(), text.end())));
    }

    std::unique_ptr<GameLogicData> Load()
    {
        auto data = std::make_unique<GameLogicData>(*world.engine, stage);
        data->Load();
        return data;
    }

    std::unique_ptr<GameLogicBackground> Background(const GameLogicData& data)
    {
        return std::make_unique<GameLogicBackground>(level, data, *world.engine->modelManager,
                                                     world.engine->guiManager->GetCamera(), butterflies);
    }

    HeadlessEngine world;
    GameFramework::StageInfo stage;
    GameFramework::LevelInfo level;
    std::vector<VantoranEngine::Model*> butterflies;
};

} // namespace

TEST_F(GameLogicDataTest, ReadsTheCountsTheAreaAndOneModelPerWord)
{
    WriteBackground("1 3\n120 530 680 588.5\nsky.mlf  far.mlf\n\nnear.mlf\n");
    const auto data = Load();
    EXPECT_EQ(data->butterflyMinimum, 1);
    EXPECT_EQ(data->butterflyMaximum, 3);
    EXPECT_FLOAT_EQ(data->areaMinimumX, 120.0f);
    EXPECT_FLOAT_EQ(data->areaMinimumY, 530.0f);
    EXPECT_FLOAT_EQ(data->areaMaximumX, 680.0f);
    EXPECT_FLOAT_EQ(data->areaMaximumY, 588.5f);
    ASSERT_EQ(data->backgroundModels.size(), 3u); // missing files give box models
    EXPECT_EQ(data->modelList.size(), 3u);
    EXPECT_EQ(data->backgroundModels[0]->flags & 0xC00u, 0xC00u); // the GUI drawing class
    EXPECT_EQ(data->backgroundModels[0]->flags & 0x2C0u, 0u);
}

TEST_F(GameLogicDataTest, AMissingFileOrImpossibleCountsAreFatal)
{
    EXPECT_THROW(Load(), VantoranEngine::FatalError);
    for (const char* text : {"3 1 0 0 800 600", "-1 2 0 0 800 600"}) {
        WriteBackground(text);
        EXPECT_THROW(Load(), VantoranEngine::FatalError) << text;
    }
}

TEST_F(GameLogicDataTest, TheBackgroundPlacesItsButterfliesOverTheSceneInTheArea)
{
    WriteBackground("2 2 100 500 300 580 a.mlf b.mlf");
    const auto data = Load();
    const size_t before = world.engine->modelManager->models.count;
    {
        VantoranEngine::RandomSeed = 7;
        const auto background = Background(*data);
        ASSERT_EQ(background->sceneModels.size(), 2u);
        ASSERT_EQ(background->butterflyModels.size(), 2u);
        EXPECT_FLOAT_EQ(background->sceneModels[1]->depth, -0.000056f);
        EXPECT_FLOAT_EQ(background->butterflyModels[0]->depth, -0.000056f);
        EXPECT_FLOAT_EQ(background->butterflyModels[1]->depth, -0.000057f);
        for (VantoranEngine::Model* b : background->butterflyModels) {
            EXPECT_NE(b->flags & GameLogicBackground::butterflyFlag, 0u);
            const float x = b->worldMatrix.m[3];
            const float y = b->worldMatrix.m[7];
            EXPECT_GE(x, 100.0f);
            EXPECT_LT(x, 300.0f);
            EXPECT_GE(y, 500.0f);
            EXPECT_LT(y, 580.0f);
        }
        EXPECT_EQ(world.engine->modelManager->models.count, before + 4);
    }
    EXPECT_EQ(world.engine->modelManager->models.count, before);
}

TEST_F(GameLogicDataTest, CountsComeFromTheRangeAndAnEmptySceneUsesTheBaseDepth)
{
    struct Case {
        const char* text;
        size_t scene;
        size_t minimum, maximum;
    };
    for (const Case& c : {Case{"0 0 0 0 800 600 a.mlf", 1, 0, 0}, Case{"2 2 0 0 800 600", 0, 2, 2},
                          Case{"1 3 0 0 800 600", 0, 1, 3}}) {
        WriteBackground(c.text);
        const auto data = Load();
        for (uint32_t seed = 1; seed < 20; ++seed) {
            VantoranEngine::RandomSeed = seed;
            const auto background = Background(*data);
            EXPECT_EQ(background->sceneModels.size(), c.scene) << c.text;
            EXPECT_GE(background->butterflyModels.size(), c.minimum) << c.text;
            EXPECT_LE(background->butterflyModels.size(), c.maximum) << c.text;
            if (c.scene == 0 && !background->butterflyModels.empty()) {
                EXPECT_FLOAT_EQ(background->butterflyModels[0]->depth, GameLogicBackground::firstDepth) << c.text;
            }
        }
    }
}

TEST_F(GameLogicDataTest, ShowingTwiceKeepsTheAnimationPhases)
{
    WriteBackground("1 1 0 0 800 600 a.mlf");
    const auto data = Load();
    const auto background = Background(*data);
    VantoranEngine::Model* scene = background->sceneModels[0];
    EXPECT_EQ(scene->flags & VantoranEngine::ModelFlag::active, 0u);
    background->SetVisible(true);
    EXPECT_NE(scene->flags & VantoranEngine::ModelFlag::active, 0u);
    EXPECT_NE(background->butterflyModels[0]->flags & VantoranEngine::ModelFlag::active, 0u);
    scene->animationControl->time = 0.5f;
    background->SetVisible(true);
    EXPECT_FLOAT_EQ(scene->animationControl->time, 0.5f);
    background->SetVisible(false);
    EXPECT_EQ(scene->flags & VantoranEngine::ModelFlag::active, 0u);
    EXPECT_FALSE(background->IsVisible());
}

TEST_F(GameLogicDataTest, AFatalLoadOnTheLoadingWorkerReachesTheMainThread)
{
    // No background file: the load on the worker throws, the loading screen throws it again here.
    GameLogicData data(*world.engine, stage);
    GameFramework::GUILoadingWindowBase loading(world.engine.get());
    loading.Show(&data);
    EXPECT_THROW(loading.RunLoading(), VantoranEngine::FatalError);
    EXPECT_FALSE(loading.done);
}

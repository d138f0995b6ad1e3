#include "engine/core/Engine.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "platform/window/WindowTest.h"
#include "engine/render/LightManager.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <string>

using namespace VantoranEngine;

namespace {

EngineDescriptor CoreDescriptor(const TempFolder& folder)
{
    EngineDescriptor d = TestEngineDescriptor(folder.Path(), folder.Path());
    d.saveConfig = true;
    d.fullscreenDefault = true;
    return d;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(Engine, RunsFramesUntilExitAndSavesOnTearDown)
{
    TempFolder folder;
    folder.WriteFile("Brindlemoor.ini", "v_vsync 0\r\n");
    {
        Engine engine(CoreDescriptor(folder));
        ASSERT_NE(engine.config, nullptr);
        EXPECT_FALSE(engine.config->settings.v_vsync);   // the file was loaded at construction
        ASSERT_NE(engine.cameraManager, nullptr);
        ASSERT_NE(engine.lightManager, nullptr);
        Camera* camera = engine.cameraManager->defaultCamera;
        ASSERT_NE(camera, nullptr);
        for (int frame = 0; frame < 3; ++frame) {
            engine.Update();
            EXPECT_TRUE(engine.messageManager->GetEntries().empty());   // emptied at the end of Update
            engine.EndFrame();
            EXPECT_FALSE(engine.IsExitRequested());
        }
        // Each frame's render updated the cameras: matrices built, the viewport on the back buffer.
        EXPECT_EQ(camera->projection[11], -1.0f);
        EXPECT_EQ(camera->viewportWidth, 800u);
        EXPECT_EQ(camera->viewportHeight, 600u);
        // The frame's model pass draws a listed model in front of the default camera.
        Model* box = engine.modelManager->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, 0);
        Matrix4 placement;
        MakeTranslationMatrix(placement, {0, 0, -5});
        box->SetWorldMatrix(placement);
        engine.modelManager->models.Add(box);
        // A sprite group's quads are rebuilt in the frame and drawn by the same pass; the group is left
        // for the engine to tear down.
        ASSERT_NE(engine.particleSystemManager, nullptr);
        ASSERT_NE(engine.spriteGroupManager, nullptr);
        SpriteGroup* group = engine.spriteGroupManager->CreateSpriteGroup(3, nullptr, nullptr);
        EXPECT_EQ(group->camera, camera);
        group->AddSprite({0, 0, -5}, 1.0f, Color{1, 1, 1, 1});
        Platform::Test::SetForceFocus(true); // a fullscreen window without focus draws nothing
        engine.Update();
        engine.EndFrame();
        Platform::Test::SetForceFocus(false);
        EXPECT_EQ(engine.modelManager->drawnModelCount, 2u);
        EXPECT_EQ(group->model->indexBuffer->usedIndexCount, 6u);
        engine.modelManager->models.Remove(box);
        delete box;
        engine.RequestExit();
        EXPECT_TRUE(engine.IsExitRequested());
        engine.Update();
        engine.EndFrame();
        ASSERT_FALSE(engine.messageManager->GetEntries().empty());
        EXPECT_EQ(engine.messageManager->GetEntries().back().text, "\nExiting...\n\n");
        engine.config->SetValueText("v_gamma", "0.5");
    }

    const std::string log = TempFolder::ReadFile(folder / "Brindlemoor.html");
    EXPECT_EQ(Count(log, "<BR>Exiting...<BR><BR>"), 1u);
    EXPECT_EQ(Count(log, "Brindlemoor Log end: "), 1u);

    const std::string config = TempFolder::ReadFile(folder / "Brindlemoor.ini");
    EXPECT_NE(config.find("v_vsync 0\r\n"), std::string::npos);
    EXPECT_NE(config.find("v_gamma 0.500000\r\n"), std::string::npos);
    EXPECT_NE(config.find("v_mode 800x600x32\r\n"), std::string::npos);
}

TEST(Engine, WritesNoConfigurationUnlessAsked)
{
    TempFolder folder;
    EngineDescriptor d = CoreDescriptor(folder);
    d.saveConfig = false;
    {
        Engine engine(d);
        engine.Update();
        engine.EndFrame();
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "Brindlemoor.ini"));
    EXPECT_TRUE(std::filesystem::exists(folder / "Brindlemoor.html"));
}

TEST(Engine, EmptyTitleNamesTheDefaults)
{
    TempFolder folder;
    EngineDescriptor d = CoreDescriptor(folder);
    d.title.clear();
    d.configName.clear();
    d.version = 250;
    {
        Engine engine(d);
        EXPECT_EQ(engine.GetCaption(), "Vantoran Engine 0.67");
        EXPECT_EQ(engine.GetDescriptor().title, "Vantoran Engine");
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "Vantoran Engine.ini"));
    EXPECT_TRUE(std::filesystem::exists(folder / "Vantoran Engine.html"));
}

TEST(Engine, CaptionShowsTheVersionWithTwoDecimals)
{
    TempFolder folder;
    const std::pair<int32_t, const char*> cases[] = {
        {100, "Brindlemoor 1.00"}, {105, "Brindlemoor 1.05"}, {1234, "Brindlemoor 12.34"},
        {7, "Brindlemoor 0.07"},   {0, "Brindlemoor 0.00"},
    };
    for (const auto& [version, caption] : cases) {
        EngineDescriptor d = CoreDescriptor(folder);
        d.version = version;
        d.saveConfig = false;
        d.logEnabled = false;
        Engine engine(d);
        EXPECT_EQ(engine.GetCaption(), caption);
    }
}

} // namespace

// The sound services are optional: every Error from their constructors, a fatal one included, leaves the
// engine running silent; anything that is not an Error still ends start-up.
TEST(Engine, SurvivableStepDropsEveryErrorKind)
{
    EXPECT_TRUE(Engine::RunSurvivableStep([] {}));
    EXPECT_FALSE(Engine::RunSurvivableStep([] { throw Error("no device"); }));
    EXPECT_FALSE(Engine::RunSurvivableStep([] { throw FatalError("pool corrupted"); }));
    EXPECT_THROW(Engine::RunSurvivableStep([] { throw std::bad_alloc(); }), std::bad_alloc);
}

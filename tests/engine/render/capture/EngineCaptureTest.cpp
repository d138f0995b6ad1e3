// The engine serves the screen capture at the end of every frame, after Print Screen has fired
// "sc_take_screenshot", and saves under the configuration (user-data) folder.

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Window.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ScreenCapture.h"
#include "platform/avi/AviParse.h"
#include "platform/input/DirectInput.h"
#include "platform/window/WindowTest.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace VantoranEngine;

namespace {

EngineDescriptor Descriptor(const TempFolder& data, const TempFolder& user)
{
    EngineDescriptor d = TestEngineDescriptor(data.Path(), user.Path());
    d.logEnabled = false;
    return d;
}

// One engine frame whose picture is the clear colour.
void Frame(Engine& engine, const Color& colour)
{
    engine.Update();
    engine.renderSystem->clearColor = colour;
    engine.renderSystem->BeginScene();
    engine.renderSystem->EndScene();
    engine.EndFrame();
}

bool Logged(const Engine& engine, const std::string& text)
{
    for (const LogEntry& entry : engine.messageManager->GetEntries())
        if (entry.text.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(EngineCapture, ScreenshotsShowThePresentedFrame)
{
    TempFolder data;
    TempFolder user;
    Engine engine(Descriptor(data, user));
    ASSERT_NE(engine.screenCapture, nullptr);
    EXPECT_EQ(engine.screenCapture->GetFolder(), user.Path() + "\\ScreenCaptures");

    // Print Screen fires the command in the frame's end, before the capture serves it.
    Platform::Test::InjectKey(Platform::DIK_SYSRQ, true);
    Frame(engine, {1.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_TRUE(engine.config->IsCommandReady("sc_take_screenshot"));   // fired and re-armed this frame
    Platform::Test::InjectKey(Platform::DIK_SYSRQ, false);
    engine.config->SetCommandReady("sc_take_screenshot_jpg", false);
    Frame(engine, {0.0f, 0.0f, 1.0f, 1.0f});
    ASSERT_FALSE(Logged(engine, "Error")) << "unexpected error";

    struct Shot {
        const char* file;
        uint8_t r, g, b;
    };
    for (const Shot& shot : {Shot{"picture000.tga", 255, 0, 0}, Shot{"picture000.jpg", 0, 0, 255}}) {
        SCOPED_TRACE(shot.file);
        Image image;
        ASSERT_TRUE(image.Load(engine.messageManager.get(), engine.memoryManager.get(), engine.fileManager.get(),
                               user / std::string("ScreenCaptures/") + shot.file));
        EXPECT_EQ(image.width, engine.window->width);
        EXPECT_EQ(image.height, engine.window->height);
        for (uint32_t y : {0u, image.height / 2, image.height - 1})
            for (uint32_t x : {0u, image.width / 2, image.width - 1}) {
                const uint8_t* p = image.Pixel(x, y);
                EXPECT_NEAR(p[0], shot.r, 3);
                EXPECT_NEAR(p[1], shot.g, 3);
                EXPECT_NEAR(p[2], shot.b, 3);
            }
    }
}

TEST(EngineCapture, RecordsAShortMovie)
{
    TempFolder data;
    TempFolder user;
    Engine engine(Descriptor(data, user));
    engine.config->SetCommandReady("sc_start_movie_record", false);
    Frame(engine, {0.0f, 1.0f, 0.0f, 1.0f});
    for (int i = 0; i < 3; ++i)
        Frame(engine, {0.0f, 1.0f, 0.0f, 1.0f});
    engine.config->SetCommandReady("sc_stop_movie_record", false);
    Frame(engine, {0.0f, 1.0f, 0.0f, 1.0f});
    EXPECT_FALSE(engine.screenCapture->IsRecording());
    ASSERT_FALSE(Logged(engine, "Error")) << "unexpected error";

    const AviParse::File movie = AviParse::Parse(TempFolder::ReadFile(user / "ScreenCaptures/movie000.avi"));
    ASSERT_EQ(movie.error, "");
    EXPECT_EQ(movie.totalFrames, 4u);
    EXPECT_EQ(movie.index.size(), 4u);
    EXPECT_EQ(movie.width, engine.window->width);
    EXPECT_EQ(movie.height, engine.window->height);
    EXPECT_EQ(movie.handler, "MJPG");
}

// The engine builds its render system right after the window and presents every drawn frame.

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/RenderSystem.h"

#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;
namespace T = Platform::D3D7Test;

TEST(EngineRender, BuildsTheRenderSystemAfterTheWindowAndPresentsEachFrame) {
    Platform::Test::SetHeadlessWindows(true);
    T::Reset();
    T::SetBackend(T::Backend::Recording);
    TempFolder folder;
    EngineDescriptor d;
    d.title = "Brindlemoor";
    d.version = 100;
    d.baseDirectory = folder.Path();
    d.configDirectory = folder.Path();
    d.logEnabled = false;
    d.videoMode = "800x600x32";
    {
        Engine engine(d);
        ASSERT_NE(engine.renderSystem, nullptr);
        int window = -1, render = -1, index = 0;
        for (const LogEntry& entry : engine.messageManager->GetEntries()) {
            if (entry.text == "Window creation:\n" && window < 0) window = index;
            if (entry.text == "\nInitialization of Direct3D subsystem...\n") render = index;
            ++index;
        }
        ASSERT_GE(window, 0);
        EXPECT_GT(render, window);
        EXPECT_EQ(engine.renderSystem->ready, 1);
        T::ClearCalls();
        for (int frame = 0; frame < 2; ++frame) {
            engine.Update();
            engine.EndFrame();
        }
        EXPECT_EQ(T::CountCalls("Present(800, 600)"), 2);
    }
    EXPECT_EQ(T::LiveDirectDrawObjects(), 0);
}

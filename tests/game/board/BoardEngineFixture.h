#pragma once
// The engine and the global bundle on the default data, as the board's display tests draw them: the GL
// back end in an 800 x 600 offscreen window, the GUI camera spanning the board's 800 x 600 units, a black
// clear. Fixtures derive from it; their own SetUp and TearDown call these first and last.

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/gui/GUIManager.h"
#include "game/board/GameData.h"
#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class BoardEngineFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::OpenGL);
        engine = std::make_unique<VantoranEngine::Engine>(TestEngineDescriptor(game, user.Path()));
        gui = engine->guiManager->GetCamera();
        gui->orthoWidth = 800.0f;
        gui->orthoHeight = 600.0f;
        engine->renderSystem->clearColor = {0, 0, 0, 1};
        bundle = std::make_unique<Petalwork::GameData>(*engine);
        bundle->Load();
    }

    void TearDown() override
    {
        bundle.reset();
        engine.reset();
    }

    // One engine frame, read back from the window into `frame`.
    void Frame()
    {
        engine->Update();
        engine->EndFrame();
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(Platform::ReadPresentedFrame(width, height, frame));
        ASSERT_EQ(width, 800u);
        ASSERT_EQ(height, 600u);
    }

    const std::string game = BRINDLE_GAME_FOLDER;
    TempFolder user;
    std::unique_ptr<VantoranEngine::Engine> engine;
    std::unique_ptr<Petalwork::GameData> bundle;
    VantoranEngine::Camera* gui = nullptr;
    std::vector<uint8_t> frame;
};

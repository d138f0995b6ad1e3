#pragma once
// The engine's scene services over the default game data for the board's display tests: a window, the
// Direct3D 7 render system over the OpenGL stand-in, cameras, lights, materials, models and particle
// systems, and the GUI camera (800 x 600 units, y up). Tests read back each presented frame.

#include "engine/core/Config.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Window.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "game/board/model/BoardTypes.h"
#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

struct Rgb {
    int r = 0, g = 0, b = 0;
};

class BoardScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        using namespace VantoranEngine;
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::OpenGL);
        config = std::make_unique<Config>(&log, &memory, &files, "", "", "800x600x32", false, false, false);
        window = std::make_unique<Window>(*config, log, "Brindlemoor", nullptr, 0, 800, 600, false);
        renderSystem = std::make_unique<RenderSystem_D3D7>(&log, &memory, config.get(), window.get());
        cameras = std::make_unique<CameraManager>(&log, &memory, window.get(), renderSystem.get());
        lights = std::make_unique<LightManager>(&log, &memory, renderSystem.get());
        shaders = std::make_unique<ShaderManager>(&log, &memory, &files, &timers, config.get(), renderSystem.get());
        models = std::make_unique<ModelManager>(&log, &memory, &files, &timers, renderSystem.get(), cameras.get(),
                                                lights.get(), shaders.get());
        particles = std::make_unique<ParticleSystemManager>(&log, &memory, &files, &timers, shaders.get(),
                                                            &sprites);
        gui = cameras->CreateCamera(Camera::Orthographic);
        gui->orthoWidth = 800;
        gui->orthoHeight = 600;
        gui->nearClip = 500;
        gui->farClip = -500;
        renderSystem->clearColor = {0, 0, 0, 1};
        cameras->Update();
    }

    void TearDown() override
    {
        for (VantoranEngine::Model*& model : prototypes)
            delete model;
        particles.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
        renderSystem.reset();
        window.reset();
    }

    VantoranEngine::Model* Prototype(const std::string& name, float depth)
    {
        VantoranEngine::Model* model = models->LoadDetachedModel(name, 0);
        model->depth = depth;
        prototypes.push_back(model);
        return model;
    }

    void Frame()
    {
        renderSystem->Refresh();
        ASSERT_EQ(renderSystem->ready, 1);
        cameras->Update();
        lights->Update();
        shaders->Update(); // atlas frames follow the materials' stage times
        models->Render();
        renderSystem->SwapBuffers();
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(Platform::ReadPresentedFrame(width, height, frame));
        ASSERT_EQ(width, 800u);
        ASSERT_EQ(height, 600u);
    }

    // A point of the 800 x 600 board (y up).
    Rgb At(Petalwork::BoardPoint p) const
    {
        const auto x = static_cast<size_t>(p.x);
        const auto y = static_cast<size_t>(p.y);
        const size_t i = (y * 800 + x) * 4;
        return {frame[i + 2], frame[i + 1], frame[i]};
    }

    const std::string game = BRINDLE_GAME_FOLDER;
    VantoranEngine::MessageManager log{"", "", "board-display-test", false, false};
    VantoranEngine::MemoryManager memory{&log};
    VantoranEngine::FileManager files{&log, &memory, game, ""};
    VantoranEngine::TimerManager timers;
    std::unique_ptr<VantoranEngine::Config> config;
    std::unique_ptr<VantoranEngine::Window> window;
    std::unique_ptr<VantoranEngine::RenderSystem_D3D7> renderSystem;
    std::unique_ptr<VantoranEngine::CameraManager> cameras;
    std::unique_ptr<VantoranEngine::LightManager> lights;
    std::unique_ptr<VantoranEngine::ShaderManager> shaders;
    std::unique_ptr<VantoranEngine::ModelManager> models;
    VantoranEngine::SpriteGroupManager sprites{&log, &memory, nullptr, nullptr, nullptr};
    std::unique_ptr<VantoranEngine::ParticleSystemManager> particles;
    VantoranEngine::Camera* gui = nullptr;
    std::vector<VantoranEngine::Model*> prototypes;
    std::vector<uint8_t> frame;
};


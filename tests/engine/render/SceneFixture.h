#pragma once
// The services a material or model test needs on top of ServicesFixture: the configuration, a window,
// the Direct3D 7 render system over the recording stand-in (no OpenGL), the timers and the shader
// manager. Pixel tests switch the stand-in to OpenGL before SetUp builds the render system.

#include "ServicesFixture.h"
#include "engine/core/Config.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Window.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"

#include <memory>

class SceneFixture : public ServicesFixture {
protected:
    // The stand-in's backend; pixel tests answer OpenGL.
    virtual Platform::D3D7Test::Backend Backend() const { return Platform::D3D7Test::Backend::Recording; }

    // A test that needs a render system with faults of its own answers a subclass.
    virtual std::unique_ptr<VantoranEngine::RenderSystem_D3D7> MakeRenderSystem()
    {
        return std::make_unique<VantoranEngine::RenderSystem_D3D7>(&log, &memory, config.get(), window.get());
    }

    void SetUp() override
    {
        using namespace VantoranEngine;
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Backend());
        config = std::make_unique<Config>(&log, &memory, &files, "", "", "800x600x32", false, false, false);
        window = std::make_unique<Window>(*config, log, "Brindlemoor", nullptr, 0, 800, 600, false);
        renderSystem = MakeRenderSystem();
        cameraManager = std::make_unique<CameraManager>(&log, &memory, window.get(), renderSystem.get());
        lightManager = std::make_unique<LightManager>(&log, &memory, renderSystem.get());
        shaderManager = std::make_unique<ShaderManager>(&log, &memory, &files, &timers, config.get(), renderSystem.get());
        models = std::make_unique<ModelManager>(&log, &memory, &files, &timers, renderSystem.get(), cameraManager.get(),
                                                lightManager.get(), shaderManager.get());
    }

    void TearDown() override
    {
        ReleaseModels();
        models.reset();
        shaderManager.reset();
        lightManager.reset();
        cameraManager.reset();
        renderSystem.reset();
        window.reset();
        EXPECT_EQ(Platform::D3D7Test::LiveSurfaces(), 0);
    }

    // Tests delete the models they made here, before the managers go.
    virtual void ReleaseModels() {}

    VantoranEngine::TimerManager timers;
    std::unique_ptr<VantoranEngine::Config> config;
    std::unique_ptr<VantoranEngine::Window> window;
    std::unique_ptr<VantoranEngine::RenderSystem_D3D7> renderSystem;
    std::unique_ptr<VantoranEngine::CameraManager> cameraManager;
    std::unique_ptr<VantoranEngine::LightManager> lightManager;
    std::unique_ptr<VantoranEngine::ShaderManager> shaderManager;
    std::unique_ptr<VantoranEngine::ModelManager> models;
};

#pragma once
// A whole engine without a display: headless windows, the recording render back end, data and user
// folders in a temporary folder. Frame runs the engine's two halves of a tick.

#include "engine/core/Engine.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <memory>

class HeadlessEngine {
public:
    HeadlessEngine()
    {
        Platform::Test::SetHeadlessWindows(true);
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::Recording);
        VantoranEngine::EngineDescriptor d = TestEngineDescriptor(folder.Path(), folder.Path());
        d.logEnabled = false;
        engine = std::make_unique<VantoranEngine::Engine>(d);
    }
    ~HeadlessEngine()
    {
        engine.reset();
        Platform::Test::ResetInput();
        Platform::Test::SetForceFocus(false);
    }

    void Frame()
    {
        engine->Update();
        engine->EndFrame();
    }

    TempFolder folder;
    std::unique_ptr<VantoranEngine::Engine> engine;
};

#pragma once
// A whole engine for the screen tests without a display: headless windows, the recording render device
// (no OpenGL), an empty data folder of the test's own, the GUI camera at 800 x 600 and a frame time
// the test sets. Missing pictures are only warnings, so screens build on it as on the real data.

#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "framework/SoundEntry.h"
#include "framework/SoundPlayer.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "tools/formats/ModelWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::Recording);
        PrepareData();
        engine = std::make_unique<VantoranEngine::Engine>(TestEngineDescriptor(data.Path(), user.Path()));
        gui = engine->guiManager.get();
        gui->GetCamera()->orthoWidth = 800.0f;
        gui->GetCamera()->orthoHeight = 600.0f;
    }

    void TearDown() override
    {
        engine.reset();
        Platform::D3D7Test::Reset();
        Platform::Test::ResetInput();
    }

    // Files the test wants in the data folder before the engine starts.
    virtual void PrepareData() {}

    // The frame time the screens read in their next Update.
    void SetFrameTime(float seconds) { engine->timerManager->frameTime = seconds; }

    // A GUI material as the bundle builds it: a colour image with its "_alpha" partner.
    static VantoranEngine::ShaderDescriptor Material(const std::string& colour, uint32_t frames = 1)
    {
        std::string opacity = colour;
        opacity.insert(opacity.size() - 4, "_alpha");
        VantoranEngine::ShaderDescriptor descriptor;
        VantoranEngine::BuildGUIShaderDescriptor(descriptor, colour, opacity, frames);
        return descriptor;
    }

    // A model of `frames` frames (vertex-animated when more than one) at `framesPerSecond`: one quad
    // from (x0, y0) to (x1, y1) in the xy plane, pickable, with vertex colours when loaded so.
    static Formats::ModelFile QuadModel(uint32_t frames, float framesPerSecond, float x0, float y0, float x1, float y1)
    {
        Formats::ModelFile model = Formats::MakeQuadModel();
        const std::vector<Formats::ModelVertex> corners = model.vertices;
        model.vertices.clear();
        model.boxes.clear();
        if (frames > 1) // vertex-animated models are not static
            model.flags = (model.flags & ~Formats::modelStaticVertices) | Formats::modelMorphFrames;
        model.frameCount = frames;
        model.framesPerSecond = framesPerSecond;
        for (uint32_t f = 0; f < frames; ++f) {
            for (Formats::ModelVertex vertex : corners) {
                vertex.position = {vertex.position[0] < 0 ? x0 : x1, vertex.position[1] < 0 ? y0 : y1, 0.0f};
                model.vertices.push_back(vertex);
            }
            model.boxes.push_back({{x0, y0, 0.0f}, {x1, y1, 0.0f}});
        }
        return model;
    }

    // Writes a model file under the data folder ("data/" + relative).
    void WriteModel(const std::string& relative, const Formats::ModelFile& model) const
    {
        const std::vector<uint8_t> bytes = Formats::EncodeModel(model);
        data.WriteFile("data/" + relative, std::string(bytes.begin(), bytes.end()));
    }

    // The game's sound player with one voice for each of these ids (the files need not exist: a missing
    // one plays silence).
    std::unique_ptr<GameFramework::SoundPlayer> MakeSoundPlayer(std::initializer_list<int32_t> ids) const
    {
        auto player = std::make_unique<GameFramework::SoundPlayer>(*engine, 1.0f, 1.0f);
        for (int32_t id : ids)
            player->RegisterSound(1, id, "audio\\game\\sound_" + std::to_string(id) + ".ogg", false);
        return player;
    }

    // Whether a voice of the id has been started.
    static bool Played(const GameFramework::SoundPlayer& player, int32_t id)
    {
        for (const auto& voice : player.voices)
            if (voice->soundId == id && voice->lastStart != 0.0f)
                return true;
        return false;
    }

    TempFolder data;
    TempFolder user;
    std::unique_ptr<VantoranEngine::Engine> engine;
    VantoranEngine::GUIManager* gui = nullptr;
};

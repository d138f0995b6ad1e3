#pragma once
// The scene services plus cameras, lights and the model manager, and helpers to write model files.

#include "SceneFixture.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "tools/formats/ModelWriter.h"

#include <memory>
#include <string>

class ModelFixture : public SceneFixture {
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        cameras = std::make_unique<VantoranEngine::CameraManager>(&log, &memory, window.get(), renderSystem.get());
        lights = std::make_unique<VantoranEngine::LightManager>(&log, &memory, renderSystem.get());
        manager = std::make_unique<VantoranEngine::ModelManager>(&log, &memory, &files, &timers, renderSystem.get(),
                                                                 cameras.get(), lights.get(), shaderManager.get());
        cameras->Update();
    }

    void TearDown() override
    {
        for (VantoranEngine::Model* model : owned)
            delete model;
        manager.reset();
        lights.reset();
        cameras.reset();
        SceneFixture::TearDown();
    }

    // Models the test made, deleted before the services go.
    VantoranEngine::Model* Keep(VantoranEngine::Model* model)
    {
        owned.push_back(model);
        return model;
    }

    void WriteModel(const std::string& name, const Formats::ModelFile& file)
    {
        Write("data/" + name, Formats::EncodeModel(file));
    }

    // Listed and kept.
    VantoranEngine::Model* Load(const std::string& name, uint32_t extraFlags = 0)
    {
        return Keep(manager->LoadModel(name, nullptr, extraFlags));
    }

    static VantoranEngine::Matrix4 Translation(float x, float y, float z)
    {
        VantoranEngine::Matrix4 m;
        VantoranEngine::MakeTranslationMatrix(m, {x, y, z});
        return m;
    }

    std::unique_ptr<VantoranEngine::CameraManager> cameras;
    std::unique_ptr<VantoranEngine::LightManager> lights;
    std::unique_ptr<VantoranEngine::ModelManager> manager;
    std::vector<VantoranEngine::Model*> owned;
};

#pragma once
// The only maker of models, and the scene's drawer. Each factory either enters the new model in the
// list `models` or returns it detached; once per frame Render updates every listed active model,
// sorts the visible ones into draw order and draws them between BeginScene and EndScene. Detached
// models (prototypes) are never updated or drawn here.
//
// Ownership: the manager owns neither listed nor detached models. Whoever asked for one deletes it,
// after ObjectManager::Remove on `models` when it is listed.
//
// Draw order: frontToBack models first, nearest first; then models of neither class; then backToFront
// models, farthest first. A model with both class flags counts as frontToBack. The order is a strict
// weak ordering whatever the flags and depths (a NaN depth sorts last in its class), so models of one
// class at equal depth may come in any order.
//
// Main thread only, except the factories, which the loading worker may call while nothing renders.

#include "engine/render/Model.h"
#include "engine/render/ObjectManager.h"
#include "engine/render/Vector3.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {

class ModelManager {
public:
    ModelManager(MessageManager* log, MemoryManager* memory, FileManager* files, TimerManager* timers,
                 RenderSystem* renderSystem, CameraManager* cameraManager, LightManager* lightManager,
                 ShaderManager* shaderManager);
    // The models themselves are not deleted.
    virtual ~ModelManager();

    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;

    // A null camera is the default camera. The loaders never fail: any Error from reading the model, a
    // FatalError included, gives a box from (-1, -1, -1) to (1, 1, 1) instead (a bad file is logged).
    Model* LoadModel(const std::string& fileName, Camera* camera, uint32_t extraFlags);
    Model* CloneModel(const Model* prototype, Camera* camera, uint32_t extraFlags);
    Model* CreateSelfMadeModel(uint32_t flags, uint32_t vertexCount, uint32_t indexCount,
                               const ShaderDescriptor* descriptor, Camera* camera);
    Model* LoadDetachedModel(const std::string& fileName, uint32_t extraFlags);
    Model* CloneDetachedModel(const Model* prototype);
    Model* CreateDetachedBoxModel(const Vector3& min, const Vector3& max, Camera* camera, uint32_t extraFlags);

    // The frame's model pass; nothing while the render system is not ready.
    void Render();
    // Whether l is drawn before r.
    static bool CompareDrawOrder(const Model* l, const Model* r);

    ModelServices services;
    ObjectManager<Model> models;
    std::vector<Model*> drawList; // this frame's visible models, in draw order
    // Statistics of the last Render.
    uint32_t triangleTotal = 0;
    uint32_t drawnTriangleTotal = 0;
    uint32_t activeModelCount = 0;
    uint32_t drawnModelCount = 0;

private:
    Model* LoadOrBox(const std::string& fileName, Camera* camera, uint32_t extraFlags);
};

} // namespace VantoranEngine

#include "engine/render/ModelManager.h"

#include "engine/core/Error.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VantoranEngine {

namespace {

// 0 frontToBack (also with backToFront), 1 neither, 2 backToFront.
int DrawClass(const Model* model)
{
    if (model->flags & ModelFlag::frontToBack)
        return 0;
    return (model->flags & ModelFlag::backToFront) ? 2 : 1;
}

// Ascending key within a class: depth for frontToBack, minus depth for backToFront; NaN last.
float DrawKey(const Model* model, int drawClass)
{
    if (std::isnan(model->depth))
        return std::numeric_limits<float>::infinity();
    return drawClass == 0 ? model->depth : -model->depth;
}

} // namespace

ModelManager::ModelManager(MessageManager* log, MemoryManager* memory, FileManager* files, TimerManager* timers,
                           RenderSystem* renderSystem, CameraManager* cameraManager, LightManager* lightManager,
                           ShaderManager* shaderManager)
    : services{log, memory, files, timers, renderSystem, cameraManager, lightManager, shaderManager}
{
}

ModelManager::~ModelManager() = default;

Model* ModelManager::LoadOrBox(const std::string& fileName, Camera* camera, uint32_t extraFlags)
{
    try {
        return new Model(services, fileName, camera, extraFlags);
    } catch (const Error&) {
        // Every kind, a FatalError too: a model that cannot be built is shown as a box and the game goes on.
        return new Model(services, Vector3{-1.0f, -1.0f, -1.0f}, Vector3{1.0f, 1.0f, 1.0f}, camera, extraFlags);
    }
}

Model* ModelManager::LoadModel(const std::string& fileName, Camera* camera, uint32_t extraFlags)
{
    Model* model = LoadOrBox(fileName, camera, extraFlags);
    models.Add(model);
    return model;
}

Model* ModelManager::CloneModel(const Model* prototype, Camera* camera, uint32_t extraFlags)
{
    auto* model = new Model(*prototype, camera, extraFlags);
    models.Add(model);
    return model;
}

Model* ModelManager::CreateSelfMadeModel(uint32_t flags, uint32_t vertexCount, uint32_t indexCount,
                                         const ShaderDescriptor* descriptor, Camera* camera)
{
    auto* model = new Model(services, flags, vertexCount, indexCount, descriptor, camera);
    models.Add(model);
    return model;
}

Model* ModelManager::LoadDetachedModel(const std::string& fileName, uint32_t extraFlags)
{
    return LoadOrBox(fileName, nullptr, extraFlags);
}

Model* ModelManager::CloneDetachedModel(const Model* prototype) { return new Model(*prototype, nullptr, 0); }

Model* ModelManager::CreateDetachedBoxModel(const Vector3& min, const Vector3& max, Camera* camera, uint32_t extraFlags)
{
    return new Model(services, min, max, camera, extraFlags);
}

void ModelManager::Render()
{
    triangleTotal = 0;
    drawnTriangleTotal = 0;
    activeModelCount = 0;
    drawnModelCount = 0;
    RenderSystem* renderSystem = services.renderSystem;
    if (!renderSystem->ready)
        return;

    drawList.clear();
    if (drawList.capacity() < models.slots.size())
        drawList.reserve(models.slots.size());
    for (Model* model : models.slots) {
        if (model == nullptr || !(model->flags & ModelFlag::active))
            continue;
        model->Update();
        triangleTotal += model->triangleCount;
        drawnTriangleTotal += model->drawnTriangleCount;
        ++activeModelCount;
        if (model->drawnTriangleCount != 0) {
            ++drawnModelCount;
            drawList.push_back(model);
        }
    }
    std::sort(drawList.begin(), drawList.end(), CompareDrawOrder);

    renderSystem->BeginScene();
    for (Model* model : drawList)
        model->Draw();
    renderSystem->EndScene();
}

bool ModelManager::CompareDrawOrder(const Model* l, const Model* r)
{
    const int lClass = DrawClass(l);
    const int rClass = DrawClass(r);
    if (lClass != rClass)
        return lClass < rClass;
    if (lClass == 1)
        return false;
    return DrawKey(l, lClass) < DrawKey(r, rClass);
}

} // namespace VantoranEngine

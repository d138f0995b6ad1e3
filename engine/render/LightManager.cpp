#include "engine/render/LightManager.h"

#include "engine/render/Light.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>

namespace VantoranEngine {

LightManager::LightManager(MessageManager* log_, MemoryManager* memory_, RenderSystem* renderSystem_)
    : log(log_), memory(memory_), renderSystem(renderSystem_)
{
}

LightManager::~LightManager()
{
    for (uint32_t index : activeIndices) {
        delete lights[index];
        lights[index] = nullptr;
    }
}

void LightManager::Update()
{
    renderSystem->SetAmbientColor(ambientColor);
    for (uint32_t index : activeIndices)
        lights[index]->Refresh();
}

void LightManager::EnableLighting(bool on)
{
    renderSystem->SetLighting(on);
}

Light* LightManager::CreateLight()
{
    uint32_t index;
    if (!freeIndices.empty()) {
        index = freeIndices.front();
        freeIndices.pop();
    } else {
        index = static_cast<uint32_t>(lights.size());
        lights.push_back(nullptr);
    }
    Light* light = renderSystem->CreateLight(index);
    if (light == nullptr) {
        freeIndices.push(index);
        return nullptr;
    }
    lights[index] = light;
    activeIndices.push_back(index);
    return light;
}

bool LightManager::DeleteLight(Light* light)
{
    const auto active = std::find_if(activeIndices.begin(), activeIndices.end(),
                                     [&](uint32_t index) { return light != nullptr && lights[index] == light; });
    if (active == activeIndices.end())
        return false;
    const uint32_t index = *active;
    activeIndices.erase(active);
    lights[index] = nullptr;
    freeIndices.push(index);
    delete light;
    return true;
}

} // namespace VantoranEngine

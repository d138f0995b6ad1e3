#pragma once
// Owns the scene's lights and the ambient colour and pushes both to the render system once per drawn
// frame; models switch lighting on and off through it. Main thread only.

#include "engine/render/Color.h"

#include <cstdint>
#include <queue>
#include <vector>

namespace VantoranEngine {

class Light;
class MessageManager;
class MemoryManager;
class RenderSystem;

class LightManager {
public:
    LightManager(MessageManager* log, MemoryManager* memory, RenderSystem* renderSystem);
    // Deletes every light, which switches each one off on the device.
    virtual ~LightManager();

    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    // The ambient colour (pushed only when it differs from the render system's cache), then every light
    // in creation order, changed or not.
    void Update();
    // Lighting on or off through the render system's cache.
    void EnableLighting(bool on);

    // A light made by the render system in a device slot: the longest-freed slot first, else a new one.
    // The manager owns it; it is refreshed by every Update until deleted.
    Light* CreateLight();
    // Deletes one of the manager's lights (switching it off); false for null or an unknown light.
    bool DeleteLight(Light* light);

    MessageManager* log;
    MemoryManager* memory;
    RenderSystem* renderSystem;
    Color ambientColor{0.0f, 0.0f, 0.0f, 1.0f};

private:
    std::queue<uint32_t> freeIndices;
    std::vector<uint32_t> activeIndices;
    std::vector<Light*> lights;  // by light index
};

} // namespace VantoranEngine

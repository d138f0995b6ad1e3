#pragma once
// A light source of the fixed-function pipeline in one device light slot. Lights are made by the render
// system (RenderSystem::CreateLight) for the LightManager, which owns them and refreshes them every frame.

#include "engine/render/Color.h"
#include "engine/render/Vector3.h"

#include <cstdint>

namespace VantoranEngine {

class MessageManager;
class MemoryManager;

class Light {
public:
    enum LightType { Directional = 0, Spot = 1, Point = 2 };

    Light(MessageManager* log, MemoryManager* memory, uint32_t index);
    virtual ~Light() = default;

    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Pushes the light to its device slot (nothing in the base).
    virtual void Refresh();

    MessageManager* log;
    MemoryManager* memory;
    uint32_t index;  // device light slot
    bool enabled = true;
    int32_t type = Point;  // LightType
    Vector3 position;                         // spot and point lights
    Vector3 direction{0.0f, 0.0f, -1.0f};     // directional and spot lights
    Color ambient{1.0f, 1.0f, 1.0f, 1.0f};
    Color diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Color specular{1.0f, 1.0f, 1.0f, 1.0f};
    float attenuation0 = 1.0f;  // constant
    float attenuation1 = 0.0f;  // linear
    float attenuation2 = 0.0f;  // quadratic
    float coneAngle = 0.0f;     // radians, inner and outer cone alike
};

} // namespace VantoranEngine

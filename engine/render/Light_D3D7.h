#pragma once
// A light in a Direct3D 7 device slot. The device pointer is read at each use, so a device re-created by
// a reset is picked up. Deleting the light switches its slot off.

#include "engine/render/Light.h"

namespace VantoranEngine {

class RenderSystem_D3D7;

class Light_D3D7 : public Light {
public:
    Light_D3D7(RenderSystem_D3D7* renderSystem, uint32_t index);
    ~Light_D3D7() override;

    // Switches the slot off while disabled; otherwise sets the light and switches it on. An unknown type
    // reaches the device as type 0, which it refuses (logged).
    void Refresh() override;

    RenderSystem_D3D7* renderSystem;

private:
    void Disable();
};

} // namespace VantoranEngine

#pragma once
// Index buffer bound to the Direct3D 7 render system; its memory goes to the device as it is.

#include "engine/render/IndexBuffer.h"

namespace VantoranEngine {

class RenderSystem_D3D7;

class IndexBuffer_D3D7 : public IndexBuffer {
public:
    IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t usage, std::uint32_t indexCount)
        : IndexBuffer(usage, indexCount), renderSystem(renderSystem) {}

    RenderSystem_D3D7* renderSystem;
};

} // namespace VantoranEngine

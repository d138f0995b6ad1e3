#pragma once
// Vertex buffer bound to the Direct3D 7 render system; its memory goes to the device as it is.

#include "engine/render/VertexBuffer.h"

namespace VantoranEngine {

class RenderSystem_D3D7;

class VertexBuffer_D3D7 : public VertexBuffer {
public:
    VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::int32_t usage, std::int32_t hasColor,
                      std::int32_t vertexCount)
        : VertexBuffer(usage, hasColor, vertexCount), renderSystem(renderSystem) {}

    // Each byte times 1/255.
    Color UnpackColor(std::uint32_t argb) const override;
    // Each component clamped to 0..1 (NaN to 0), times 255 plus 0.5, truncated; alpha in the high byte.
    std::uint32_t PackColor(const Color& color) const override;

    RenderSystem_D3D7* renderSystem;
};

} // namespace VantoranEngine

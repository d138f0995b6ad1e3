#include "engine/render/VertexBuffer_D3D7.h"

namespace VantoranEngine {

namespace {

std::uint32_t PackComponent(float c) {
    if (c >= 1.0f) return 255;
    if (!(c > 0.0f)) return 0; // also NaN
    return static_cast<std::uint32_t>(c * 255.0f + 0.5f);
}

} // namespace

Color VertexBuffer_D3D7::UnpackColor(std::uint32_t argb) const {
    const float scale = 1.0f / 255.0f;
    return {static_cast<float>((argb >> 16) & 0xFF) * scale, static_cast<float>((argb >> 8) & 0xFF) * scale,
            static_cast<float>(argb & 0xFF) * scale, static_cast<float>((argb >> 24) & 0xFF) * scale};
}

std::uint32_t VertexBuffer_D3D7::PackColor(const Color& color) const {
    return PackComponent(color.a) << 24 | PackComponent(color.r) << 16 | PackComponent(color.g) << 8 |
           PackComponent(color.b);
}

} // namespace VantoranEngine

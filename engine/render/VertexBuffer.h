#pragma once
// A mesh's vertices in the program's own memory, handed to the device as they are when drawn.
//
// Formats (little-endian, fields one after another):
// - plain, 32 bytes: position (3 floats), normal (3 floats), u, v;
// - coloured, 36 bytes: position, normal, a 32-bit ARGB colour (alpha in the high byte, so the bytes in
//   memory are blue, green, red, alpha), then u, v at byte 28.
// Created only through the render system's factories; any thread may create and fill one (nothing
// reaches the device before a draw). Lock does not check its range against vertexCount.

#include "engine/render/Color.h"

#include <cstdint>
#include <vector>

namespace VantoranEngine {

class VertexBuffer {
public:
    static constexpr std::uint16_t kPlainSize = 32;
    static constexpr std::uint16_t kColoredSize = 36;
    static constexpr int kColorOffset = 24;

    VertexBuffer(std::int32_t usage, std::int32_t hasColor, std::int32_t vertexCount);
    virtual ~VertexBuffer();

    virtual void Unlock();
    virtual void Commit();
    virtual Color UnpackColor(std::uint32_t argb) const = 0;
    virtual std::uint32_t PackColor(const Color& color) const = 0;
    // The address of vertex start.
    virtual void* Lock(std::int32_t start, std::int32_t count);

    // Writes the packed colour into every vertex of a coloured buffer; a plain buffer is left as it is.
    void SetColor(const Color& color);

    std::int32_t usage;
    std::int32_t hasColor; // 1: coloured format
    std::uint16_t vertexSize;
    std::int32_t vertexCount;
    std::vector<std::uint8_t> vertices;
    std::uint8_t locked = 0;
    std::int32_t lockStart = 0, lockCount = 0;
};

} // namespace VantoranEngine

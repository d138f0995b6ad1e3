#include "engine/render/VertexBuffer.h"

#include <cstring>

namespace VantoranEngine {

VertexBuffer::VertexBuffer(std::int32_t usage, std::int32_t hasColor, std::int32_t vertexCount)
    : usage(usage), hasColor(hasColor), vertexSize(hasColor ? kColoredSize : kPlainSize),
      vertexCount(vertexCount < 0 ? 0 : vertexCount),
      vertices(static_cast<size_t>(this->vertexCount) * vertexSize) {}

VertexBuffer::~VertexBuffer() = default;

void VertexBuffer::Unlock() { locked = 0; }

void VertexBuffer::Commit() {}

void* VertexBuffer::Lock(std::int32_t start, std::int32_t count) {
    lockCount = count;
    locked = 1;
    lockStart = start;
    return vertices.data() + static_cast<std::ptrdiff_t>(start) * vertexSize;
}

void VertexBuffer::SetColor(const Color& color) {
    if (!hasColor) return;
    const std::uint32_t packed = PackColor(color);
    auto* bytes = static_cast<std::uint8_t*>(Lock(0, vertexCount));
    for (std::int32_t i = 0; i < vertexCount; ++i)
        std::memcpy(bytes + static_cast<size_t>(i) * vertexSize + kColorOffset, &packed, sizeof packed);
    Unlock();
}

} // namespace VantoranEngine

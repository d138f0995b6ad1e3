#include "engine/render/IndexBuffer.h"

#include <algorithm>
#include <cstring>

namespace VantoranEngine {

IndexBuffer::IndexBuffer(std::uint32_t usage, std::uint32_t indexCount)
    : usage(usage), is32Bit(indexCount >= 65536 ? 1 : 0), indexSize(is32Bit ? 4 : 2), indexCount(indexCount),
      usedIndexCount(indexCount), indices(static_cast<size_t>(indexCount) * static_cast<size_t>(indexSize)) {}

IndexBuffer::~IndexBuffer() = default;

void* IndexBuffer::Lock(std::int32_t start, std::int32_t count) {
    locked = 1;
    rangeStale = 1;
    lockCount = count;
    lockStart = start;
    return indices.data() + static_cast<std::ptrdiff_t>(start) * indexSize;
}

void IndexBuffer::Unlock() { locked = 0; }

void IndexBuffer::Commit() {}

void IndexBuffer::UpdateIndexRange() {
    rangeStale = 0;
    const std::uint32_t used = std::min(usedIndexCount, indexCount);
    if (used == 0) {
        lowestIndex = 0;
        indexRange = 0;
        return;
    }
    std::uint32_t lowest = 0xFFFFFFFFu, highest = 0;
    for (std::uint32_t i = 0; i < used; ++i) {
        std::uint32_t index;
        if (is32Bit) {
            std::memcpy(&index, indices.data() + static_cast<size_t>(i) * 4, 4);
        } else {
            std::uint16_t small;
            std::memcpy(&small, indices.data() + static_cast<size_t>(i) * 2, 2);
            index = small;
        }
        lowest = std::min(lowest, index);
        highest = std::max(highest, index);
    }
    lowestIndex = lowest;
    indexRange = highest - lowest + 1;
}

} // namespace VantoranEngine

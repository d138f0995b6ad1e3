#pragma once
// A mesh's triangle indices in the program's own memory: 16-bit below 65536 indices, 32-bit from there
// on (which the Direct3D 7 device cannot draw). Created only through the render system's factories; any
// thread may create and fill one. Locking marks the index range stale; the draw rescans it.

#include <cstdint>
#include <vector>

namespace VantoranEngine {

class IndexBuffer {
public:
    IndexBuffer(std::uint32_t usage, std::uint32_t indexCount);
    virtual ~IndexBuffer();

    // The address of index start.
    virtual void* Lock(std::int32_t start, std::int32_t count);
    virtual void Unlock();
    virtual void Commit();

    // lowestIndex and indexRange over the first usedIndexCount indices.
    void UpdateIndexRange();

    std::uint32_t usage;
    std::uint32_t is32Bit;
    std::int32_t indexSize; // bytes
    std::uint32_t indexCount;
    std::uint32_t usedIndexCount;
    std::vector<std::uint8_t> indices;
    std::uint8_t locked = 0;
    std::int32_t lockStart = 0, lockCount = 0;
    std::uint8_t rangeStale = 1;
    std::uint32_t lowestIndex = 0;
    std::uint32_t indexRange = 0; // largest - smallest + 1
};

} // namespace VantoranEngine

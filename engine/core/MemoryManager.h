#pragma once
// The memory pool: large raw byte blocks lent for short-lived work (whole files, image pixels, model
// scratch data). Eight pooled blocks are allocated once and lent best-fit; a request no free pooled
// block can serve gets a separate block of its own, released when handed back.
//
// Rules:
// - Blocks are uninitialised. A caller owns a lent block until it hands it back with Free; MemoryBlock
//   does that on every path.
// - Free of anything the manager did not lend (an inner address, a separate block freed twice) is fatal:
//   LogFatalError throws FatalError. Freeing a pooled block twice is harmless only while nobody else has
//   borrowed it in between.
// - Running out of memory throws std::bad_alloc, which is not an Error.
// - Any thread may call Alloc and Free; one mutex guards the block lists.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace VantoranEngine {

class MessageManager;

class MemoryManager {
public:
    explicit MemoryManager(MessageManager* log);
    virtual ~MemoryManager();

    MemoryManager(const MemoryManager&) = delete;
    MemoryManager& operator=(const MemoryManager&) = delete;

    // At least `size` bytes; with `reusable` set a free pooled block may serve (smallest fit, lowest
    // address on a tie), else a separate block of exactly `size` bytes. Never null.
    void* Alloc(uint32_t size, bool reusable);
    // Null does nothing.
    void Free(void* block);
    // One more pooled block of `size` bytes, free.
    void AddPoolBlock(uint32_t size);

private:
    struct Block {
        std::unique_ptr<uint8_t[]> memory;
        bool inUse = false;
        uint32_t size = 0;
    };

    MessageManager* log;
    std::mutex mutex;
    std::map<uint8_t*, Block> pooled;   // ascending address order
    std::map<uint8_t*, Block> separate; // always in use while listed
};

// A block borrowed from a MemoryManager and handed back when this goes out of scope.
class MemoryBlock {
public:
    MemoryBlock() = default;
    MemoryBlock(MemoryManager* manager, uint32_t size, bool reusable)
        : manager(manager), data(manager->Alloc(size, reusable)) {}
    ~MemoryBlock() { Reset(); }

    MemoryBlock(MemoryBlock&& other) noexcept : manager(other.manager), data(other.data) { other.data = nullptr; }
    MemoryBlock& operator=(MemoryBlock&& other) noexcept
    {
        if (this != &other) {
            Reset();
            manager = other.manager;
            data = other.data;
            other.data = nullptr;
        }
        return *this;
    }
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    uint8_t* Get() const { return static_cast<uint8_t*>(data); }
    // Gives up ownership: the caller hands the block back itself.
    void* Release()
    {
        void* released = data;
        data = nullptr;
        return released;
    }
    // Hands the block back now. Free only throws for a block the manager never lent, which this class
    // cannot hold, so the destructor may call it.
    void Reset()
    {
        if (data)
            manager->Free(Release());
    }

private:
    MemoryManager* manager = nullptr;
    void* data = nullptr;
};

} // namespace VantoranEngine

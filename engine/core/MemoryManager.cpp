#include "engine/core/MemoryManager.h"

#include "engine/core/MessageManager.h"

namespace VantoranEngine {

MemoryManager::MemoryManager(MessageManager* log) : log(log)
{
    // 16,416,768 bytes in all: the largest blocks fit whole files read into memory (up to 4 MiB here).
    for (uint32_t size : {4194304u, 4194304u, 4194304u, 2097152u, 1048576u, 524288u, 131072u, 32768u})
        AddPoolBlock(size);
}

MemoryManager::~MemoryManager() = default;

void MemoryManager::AddPoolBlock(uint32_t size)
{
    Block block{std::make_unique_for_overwrite<uint8_t[]>(size), false, size};
    uint8_t* address = block.memory.get();
    std::lock_guard lock(mutex);
    pooled.emplace(address, std::move(block));
}

void* MemoryManager::Alloc(uint32_t size, bool reusable)
{
    std::lock_guard lock(mutex);
    if (reusable) {
        Block* best = nullptr;
        for (auto& [address, block] : pooled)
            if (!block.inUse && block.size >= size && (!best || block.size < best->size))
                best = &block;
        if (best) {
            best->inUse = true;
            return best->memory.get();
        }
    }
    Block block{std::make_unique_for_overwrite<uint8_t[]>(size), true, size};
    uint8_t* address = block.memory.get();
    separate.emplace(address, std::move(block));
    return address;
}

void MemoryManager::Free(void* memory)
{
    if (!memory)
        return;
    uint8_t* address = static_cast<uint8_t*>(memory);
    {
        std::lock_guard lock(mutex);
        if (auto it = pooled.find(address); it != pooled.end()) {
            it->second.inUse = false;
            return;
        }
        if (auto it = separate.find(address); it != separate.end()) {
            separate.erase(it);
            return;
        }
    }
    log->LogFatalError("Memory Manager: Failed to free unknown memory");
}

} // namespace VantoranEngine

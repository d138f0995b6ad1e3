#pragma once
// Keeps every sound buffer. Sounds of one static file share one block of device data through duplication;
// every stream gets a buffer of its own. Main thread only.

#include "engine/core/HandleTable.h"

#include <string>

namespace VantoranEngine {

class FileManager;
class MemoryManager;
class MessageManager;
class SoundBuffer;
class SoundSystem;

class SoundBufferManager {
public:
    SoundBufferManager(MemoryManager* memoryManager, MessageManager* messageManager, FileManager* fileManager,
                       SoundSystem* system);
    virtual ~SoundBufferManager();

    SoundBufferManager(const SoundBufferManager&) = delete;
    SoundBufferManager& operator=(const SoundBufferManager&) = delete;

    // A buffer for a file (matched without regard to case); the caller hands it back to DestroyBuffer.
    SoundBuffer* GetBuffer(const std::string& name);
    // Null does nothing.
    void DestroyBuffer(SoundBuffer* buffer);
    // Stream refills, in creation order.
    void Update();

    const HandleTable<SoundBuffer>& GetBuffers() const { return buffers; }

    MemoryManager* memoryManager;
    MessageManager* messageManager;
    FileManager* fileManager;
    SoundSystem* system;

private:
    HandleTable<SoundBuffer> buffers;
};

} // namespace VantoranEngine

#include "engine/core/sound/SoundBufferManager.h"

#include "engine/core/StringUtils.h"
#include "engine/core/sound/SoundBuffer.h"
#include "engine/core/sound/SoundSystem.h"

namespace VantoranEngine {

SoundBufferManager::SoundBufferManager(MemoryManager* memoryManager, MessageManager* messageManager,
                                       FileManager* fileManager, SoundSystem* system)
    : memoryManager(memoryManager), messageManager(messageManager), fileManager(fileManager), system(system)
{
}

SoundBufferManager::~SoundBufferManager() = default;

SoundBuffer* SoundBufferManager::GetBuffer(const std::string& name)
{
    const std::string key = ToLowerCopy(name);
    SoundBuffer* source = nullptr;
    for (SoundBuffer* buffer : buffers) {
        if (buffer->name == key) {
            if (!buffer->streamed)
                source = buffer;
            break;
        }
    }
    SoundBuffer* buffer = source ? system->DuplicateSoundBuffer(source) : system->CreateSoundBuffer(name);
    buffers.Add(buffer);
    return buffer;
}

void SoundBufferManager::DestroyBuffer(SoundBuffer* buffer) { buffers.Remove(buffer); }

void SoundBufferManager::Update()
{
    for (SoundBuffer* buffer : buffers)
        buffer->Update();
}

} // namespace VantoranEngine

#include "engine/core/sound/Sound.h"

#include "engine/core/sound/SoundBuffer.h"
#include "engine/core/sound/SoundBufferManager.h"

namespace VantoranEngine {

Sound::Sound(MessageManager* messageManager, SoundBufferManager* bufferManager, MemoryManager* memoryManager,
             const std::string& name)
    : messageManager(messageManager), memoryManager(memoryManager), bufferManager(bufferManager), name(name),
      buffer(bufferManager->GetBuffer(name))
{
}

Sound::Sound(const Sound& other)
    : messageManager(other.messageManager), memoryManager(other.memoryManager), bufferManager(other.bufferManager),
      name(other.name), buffer(other.bufferManager->GetBuffer(other.name)), looped(other.looped),
      volume(other.volume), position(other.position)
{
}

Sound::~Sound() { bufferManager->DestroyBuffer(buffer); }

void Sound::Update() {}

void Sound::SetLooped(bool value)
{
    looped = value;
    if (buffer->streamed)
        buffer->streamLooped = value;
}

void Sound::SetVolume(float factor) { volume = factor; }

void Sound::SetPosition(const Vector3& value) { position = value; }

} // namespace VantoranEngine

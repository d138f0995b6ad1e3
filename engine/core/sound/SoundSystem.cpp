#include "engine/core/sound/SoundSystem.h"

namespace VantoranEngine {

SoundSystem::SoundSystem(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager)
    : messageManager(messageManager), memoryManager(memoryManager), fileManager(fileManager)
{
}

SoundSystem::~SoundSystem() = default;

void SoundSystem::Refresh() {}

void SoundSystem::SetListenerPosition(const Vector3& position) { listenerPosition = position; }

void SoundSystem::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    listenerFront = front;
    listenerTop = top;
}

void SoundSystem::ResetListener()
{
    SetListenerPosition({0.0f, 0.0f, 0.0f});
    SetListenerOrientation({0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f});
}

} // namespace VantoranEngine

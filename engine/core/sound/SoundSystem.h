#pragma once
// The sound device: holds the 3D listener and makes the playable sounds and their data buffers.
// Main thread only. Factories hand over ownership: the caller deletes through the virtual destructor.

#include "engine/render/Vector3.h"

#include <string>

namespace VantoranEngine {

class FileManager;
class MemoryManager;
class MessageManager;
class Sound;
class SoundBuffer;
class SoundBufferManager;

class SoundSystem {
public:
    SoundSystem(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager);
    virtual ~SoundSystem();

    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Once per frame, before SoundManager::Update.
    virtual void Refresh();
    virtual Sound* CreateSound(const std::string& name) = 0;
    virtual Sound* DuplicateSound(Sound* sound) = 0;
    virtual SoundBuffer* CreateSoundBuffer(const std::string& name) = 0;
    virtual SoundBuffer* DuplicateSoundBuffer(SoundBuffer* buffer) = 0;
    virtual void SetListenerPosition(const Vector3& position);
    virtual void SetListenerOrientation(const Vector3& front, const Vector3& top);
    // Position (0, 0, 0), front (0, 0, -1), top (0, 1, 0), through the virtual setters.
    virtual void ResetListener();

    MessageManager* messageManager;
    MemoryManager* memoryManager;
    FileManager* fileManager;
    SoundBufferManager* soundBufferManager = nullptr; // set by the SoundManager, not owned
    Vector3 listenerPosition;
    Vector3 listenerFront;
    Vector3 listenerTop;
};

} // namespace VantoranEngine

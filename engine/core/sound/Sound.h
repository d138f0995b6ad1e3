#pragma once
// One playable instance of a sound file: its own looping flag, volume factor, 3D position and play state
// over a buffer of its own. Made by SoundManager::CreateSound and handed back to SoundManager::DestroySound.
// Main thread only.

#include "engine/render/Vector3.h"

#include <cstdint>
#include <string>

namespace VantoranEngine {

class MemoryManager;
class MessageManager;
class SoundBuffer;
class SoundBufferManager;

class Sound {
public:
    enum State : int32_t { Playing = 0, Paused = 1, Stopped = 2 };

    // Takes a buffer for `name` from the manager.
    Sound(MessageManager* messageManager, SoundBufferManager* bufferManager, MemoryManager* memoryManager,
          const std::string& name);
    // Copies name, looping, volume and position; takes a buffer of its own.
    Sound(const Sound& other);
    // Gives the buffer back.
    virtual ~Sound();

    Sound& operator=(const Sound&) = delete;

    virtual void Update();
    // Always true.
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    // Stops and rewinds.
    virtual void Stop() = 0;
    virtual void SetLooped(bool looped);
    virtual void SetVolume(float factor);
    virtual void SetPosition(const Vector3& position);
    virtual int32_t GetState() = 0;

    MessageManager* messageManager;
    MemoryManager* memoryManager;
    SoundBufferManager* bufferManager;
    std::string name; // as passed
    SoundBuffer* buffer;
    bool looped = false;
    float volume = 1.0f; // read directly by callers
    Vector3 position;
};

} // namespace VantoranEngine

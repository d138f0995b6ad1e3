#pragma once
// A sound played through DirectSound. Update restores a lost buffer and turns "playing, but the device
// stopped" into Stop; Play restarts a playing sound, refills a stopped stream and resumes a paused one.

#include "engine/core/sound/Sound.h"

namespace VantoranEngine {

class SoundBuffer_DS7;
class SoundSystem_DS7;

class Sound_DS7 : public Sound {
public:
    Sound_DS7(MessageManager* messageManager, SoundBufferManager* bufferManager, MemoryManager* memoryManager,
              SoundSystem_DS7* system, const std::string& name);
    Sound_DS7(const Sound_DS7& other);
    ~Sound_DS7() override;

    void Update() override;
    bool Play() override;
    void Pause() override;
    void Stop() override;
    void SetLooped(bool looped) override;
    void SetVolume(float factor) override;
    void SetPosition(const Vector3& position) override;
    int32_t GetState() override;

    SoundSystem_DS7* system;
    SoundBuffer_DS7* bufferDS7; // the base's buffer
    int32_t state = Stopped;
};

} // namespace VantoranEngine

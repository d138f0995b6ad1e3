#pragma once
// A sound buffer on DirectSound. Streams use a looping device buffer with one notification event per
// segment; playback progress is read from the play cursor each frame. Every failed DirectSound call is
// logged through SoundSystem_DS7::ReportError under "SoundBuffer_DS7::<operation>".

#include "engine/core/sound/SoundBuffer.h"

#include "engine/render/Vector3.h"
#include "platform/sound/DirectSound.h"

namespace VantoranEngine {

class SoundSystem_DS7;

class SoundBuffer_DS7 : public SoundBuffer {
public:
    // Two segments: a segment is refilled once playback is this far past its end.
    static constexpr uint32_t kRefillLag = 2 * kSegmentBytes;

    SoundBuffer_DS7(MessageManager* messageManager, FileManager* fileManager, SoundSystem_DS7* system,
                    MemoryManager* memoryManager, const std::string& name);
    // A duplicate: plays the source's device data.
    SoundBuffer_DS7(const SoundBuffer_DS7& source);
    ~SoundBuffer_DS7() override;

    void Release() override;
    bool HoldsDeviceData() const override { return deviceBuffer != nullptr; }
    void CreateBuffer(SoundBuffer* source) override;
    void ReleaseBuffer() override;
    bool WriteSegment(uint32_t index, const uint8_t* data, uint32_t bytes) override;
    void QueueSegment(uint32_t index) override;
    void UnqueueProcessedBuffers(std::vector<uint32_t>* list) override;

    bool IsPlaying();
    // A streamed buffer always loops on the device; on a playing buffer only the looping changes.
    void Play(bool looped);
    // Stops without moving the play position.
    void Pause();
    // Stops, rewinds and clears the progress counters.
    void Stop();
    // factor 1 is full volume; below 0.0001 (or NaN) silence. Above 1 the device refuses (logged).
    void SetVolume(float factor);
    void SetPosition(const Vector3& position);

    // Hundredths of a decibel for a volume factor, as sent to the device.
    static int32_t VolumeToAttenuation(float factor);

    SoundSystem_DS7* system;
    Platform::IDirectSound* device;
    Platform::IDirectSoundBuffer* deviceBuffer = nullptr;
    Platform::IDirectSound3DBuffer* buffer3D = nullptr;
    Platform::IDirectSoundNotify* notify = nullptr;
    uint32_t lastPlayCursor = 0;
    // 64 bits: at 44.1 kHz stereo a 32-bit count wraps after 6.8 hours and would shift the segment map.
    uint64_t bytesPlayed = 0;
    uint64_t notifiedBytes = 0;
    bool stoppedAtEnd = false;
    Platform::EventHandle events[kSegmentCount] = {};
};

} // namespace VantoranEngine

#pragma once
// Internals of the sound stand-in, shared by its own files only.

#include "platform/sound/DirectSound.h"
#include "platform/sound/SoundTest.h"

#include <memory>
#include <mutex>
#include <vector>

namespace Platform::SoundInternal {

class Buffer;

// State shared by a device and its buffers. Buffers keep it alive, so a buffer released after its device
// is still safe. Everything below `mutex` is guarded by it, the audio callback included.
struct Core {
    std::mutex mutex;
    uint32_t mixRate = 22050;
    uint32_t mixChannels = 2;
    bool open = true;             // false once the device object is released: nothing mixes any more
    uint32_t deviceFrames = 0;    // frames per audio callback; 0 with the manual clock
    uint32_t audioDevice = 0;     // SDL device id, 0 with the manual clock
    bool audioInitialized = false; // SDL's audio subsystem was started for this device
    Buffer* primary = nullptr;
    std::vector<Buffer*> buffers; // secondaries, duplicates included

    // Adds `frames` frames of every playing buffer into `out` (interleaved, mixChannels wide), clipped.
    void Mix(int16_t* out, uint32_t frames);
};

// The injected result for this call (consumed), or DS_OK.
int32_t TakeFault(SoundTest::Operation operation);
bool ManualClock();
void RecordCreatedFlags(uint32_t flags);
void RecordRestore();
void SetNewest(const std::shared_ptr<Core>& core);
std::shared_ptr<Core> Newest();

// Test hooks implemented by the buffer code; the caller holds core.mutex.
void LoseBuffersLocked(Core& core);
void SetPrimaryStatusLocked(Core& core, uint32_t status);

} // namespace Platform::SoundInternal

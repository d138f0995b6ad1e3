#pragma once
// The sound stand-in's test interface: a manual audio clock and fault injection. Tests call it directly;
// the game never does. Every function is safe from any thread.
//
// Manual clock: while it is on, DirectSoundCreate opens no audio device and nothing mixes by itself; a test
// calls AdvanceFrames to mix N frames of the newest device and gets the mixed samples back (interleaved,
// in the primary format's channel count, signed 16 bit). Set it before DirectSoundCreate.
//
// Faults: FailNext makes the next `count` calls of one operation return `result` (a negative DSERR_*, or
// any code a test wants to see reported) without doing anything. Reset clears every fault and the manual
// clock and the call records.
// Environment: BRINDLE_SOUND_FAULT=device makes every DirectSoundCreate fail, for whole-program runs.

#include <cstdint>
#include <vector>

namespace Platform {

class IDirectSoundBuffer;

namespace SoundTest {

enum class Operation {
    CreateDevice,      // DirectSoundCreate (as if no sound card)
    CooperativeLevel,  // IDirectSound::SetCooperativeLevel
    CreateBuffer,      // IDirectSound::CreateSoundBuffer, primary or secondary
    DuplicateBuffer,   // IDirectSound::DuplicateSoundBuffer
    SetFormat,         // primary SetFormat
    QueryInterface,    // any QueryInterface: notify, 3D listener, 3D buffer
    SetNotifications,  // IDirectSoundNotify::SetNotificationPositions
    CreateEvent,       // CreateEventA returns null (result ignored)
    Lock,
    Unlock,
    Play,
    Stop,
    SetCurrentPosition,
    GetCurrentPosition,
    GetStatus,
    SetVolume,
    Restore,
    CommitDeferred,    // IDirectSound3DListener::CommitDeferredSettings
    Count
};

void Reset();
void FailNext(Operation operation, int32_t result, int count = 1);

void SetManualClock(bool on);
bool IsManualClock();
// Mixes `frames` frames of the newest device; empty when there is none or it has an audio thread.
std::vector<int16_t> AdvanceFrames(uint32_t frames);
// The newest device's mix format.
uint32_t MixRate();
uint32_t MixChannels();

// Marks every secondary buffer of the newest device lost: playback stops, the sample memory is cleared
// and calls answer DSERR_BUFFERLOST until Restore.
void LoseBuffers();
// Overrides the status the primary buffer reports (DSBSTATUS_* bits) until its next successful Restore.
void SetPrimaryStatus(uint32_t status);

// Records since Reset: the flags of every CreateSoundBuffer call that got past the fault check, in order;
// the number of successful Restore calls on any buffer.
std::vector<uint32_t> CreatedBufferFlags();
int RestoreCount();
// Live secondary buffers of the newest device, duplicates included.
int LiveBufferCount();

} // namespace SoundTest
} // namespace Platform

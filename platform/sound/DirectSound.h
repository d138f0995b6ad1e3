#pragma once
// The DirectSound subset the engine plays its sounds through, backed by a software mixer on the SDL audio
// callback (or, in manual-clock mode, by a mixer that only runs when a test advances it).
//
// Rules:
// - Any thread may call any operation: every object locks the mixer inside. Events are polled lock-free.
// - Results are 32-bit codes: DS_OK (0) on success, a negative DSERR_* on failure; nothing throws.
// - Objects are reference counted: Release() returns the remaining count and deletes at 0. A buffer keeps
//   its sample memory alive; duplicates share it. A buffer that outlives its device stays valid but silent.
// - Mixing: every playing buffer is resampled to the primary buffer's format (22050 Hz stereo 16 bit unless
//   SetFormat says otherwise), 8-bit unsigned or 16-bit signed, mono fed to both sides, volume and pan
//   applied, the sum clipped. SDL converts the mix to what the sound card takes.
// - A non-looping buffer that plays to its end stops with its position back at 0.
// - Notification positions fire their event when the play cursor crosses the offset; an offset equal to the
//   buffer's length fires at the wrap to 0.
// - Failure values: a failed Create/Duplicate/QueryInterface leaves the out-pointer null; a failed Lock
//   leaves the part pointers null and the sizes 0.
// Tests drive the mixer clock and inject faults through platform/sound/SoundTest.h.

#include "platform/sound/Event.h"

#include <cstdint>

namespace Platform {

// Result codes.
constexpr int32_t DS_OK = 0;
constexpr int32_t DSERR_ACCESSDENIED = static_cast<int32_t>(0x80070005u);
constexpr int32_t DSERR_ALLOCATED = static_cast<int32_t>(0x8878000Au);
constexpr int32_t DSERR_ALREADYINITIALIZED = static_cast<int32_t>(0x88780082u);
constexpr int32_t DSERR_BADFORMAT = static_cast<int32_t>(0x88780064u);
constexpr int32_t DSERR_BUFFERLOST = static_cast<int32_t>(0x88780096u);
constexpr int32_t DSERR_CONTROLUNAVAIL = static_cast<int32_t>(0x8878001Eu);
constexpr int32_t DSERR_GENERIC = static_cast<int32_t>(0x80004005u);
constexpr int32_t DSERR_INVALIDCALL = static_cast<int32_t>(0x88780032u);
constexpr int32_t DSERR_INVALIDPARAM = static_cast<int32_t>(0x80070057u);
constexpr int32_t DSERR_NOAGGREGATION = static_cast<int32_t>(0x80040110u);
constexpr int32_t DSERR_NODRIVER = static_cast<int32_t>(0x88780078u);
constexpr int32_t DSERR_NOINTERFACE = static_cast<int32_t>(0x80004002u);
constexpr int32_t DSERR_OTHERAPPHASPRIO = static_cast<int32_t>(0x887800A0u);
constexpr int32_t DSERR_OUTOFMEMORY = static_cast<int32_t>(0x8007000Eu);
constexpr int32_t DSERR_PRIOLEVELNEEDED = static_cast<int32_t>(0x88780046u);
constexpr int32_t DSERR_UNINITIALIZED = static_cast<int32_t>(0x887800AAu);
constexpr int32_t DSERR_UNSUPPORTED = static_cast<int32_t>(0x80004001u);

// Cooperative levels.
constexpr uint32_t DSSCL_NORMAL = 1;
constexpr uint32_t DSSCL_PRIORITY = 2;

// Buffer description flags.
constexpr uint32_t DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr uint32_t DSBCAPS_STATIC = 0x2;
constexpr uint32_t DSBCAPS_CTRL3D = 0x10;
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
constexpr uint32_t DSBCAPS_CTRLPOSITIONNOTIFY = 0x100;
constexpr uint32_t DSBCAPS_GETCURRENTPOSITION2 = 0x10000;

// Status bits, play flags.
constexpr uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr uint32_t DSBSTATUS_BUFFERLOST = 0x2;
constexpr uint32_t DSBSTATUS_LOOPING = 0x4;
constexpr uint32_t DSBPLAY_LOOPING = 0x1;

// Limits. Volume is in hundredths of a decibel (gain 10^(v/2000)); pan likewise, negative to the left.
constexpr int32_t DSBVOLUME_MIN = -10000;
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr int32_t DSBPAN_LEFT = -10000;
constexpr int32_t DSBPAN_RIGHT = 10000;
constexpr uint32_t DSBFREQUENCY_ORIGINAL = 0; // play at the format's own rate
constexpr uint32_t DSBFREQUENCY_MIN = 100;
constexpr uint32_t DSBFREQUENCY_MAX = 100000;
constexpr uint32_t DSBSIZE_MIN = 4;
constexpr uint32_t DSBSIZE_MAX = 0x0FFFFFFF;

// 3D: settings are applied at CommitDeferredSettings when deferred, else at once.
constexpr uint32_t DS3D_IMMEDIATE = 0;
constexpr uint32_t DS3D_DEFERRED = 1;
constexpr uint32_t DS3DALG_DEFAULT = 0;

constexpr uint16_t WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    uint16_t wFormatTag;
    uint16_t nChannels;
    uint32_t nSamplesPerSec;
    uint32_t nAvgBytesPerSec;
    uint16_t nBlockAlign;
    uint16_t wBitsPerSample;
    uint16_t cbSize; // extra bytes after the structure; ignored for PCM
};

struct DSBUFFERDESC {
    uint32_t dwSize; // not checked
    uint32_t dwFlags;
    uint32_t dwBufferBytes; // 0 for the primary buffer
    uint32_t dwReserved;
    const WAVEFORMATEX* lpwfxFormat; // null for the primary buffer
    uint32_t guid3DAlgorithm; // DS3DALG_DEFAULT
};

struct DSBPOSITIONNOTIFY {
    uint32_t dwOffset; // bytes; equal to the buffer's length fires at the wrap
    EventHandle hEventNotify;
};

enum class SoundInterface { Notify, Listener3D, Buffer3D };
constexpr SoundInterface IID_IDirectSoundNotify = SoundInterface::Notify;
constexpr SoundInterface IID_IDirectSound3DListener = SoundInterface::Listener3D;
constexpr SoundInterface IID_IDirectSound3DBuffer = SoundInterface::Buffer3D;

class IDirectSoundBuffer;

// Both 3D interfaces only keep their values (no spatial processing); reading them back is for tests.
class IDirectSound3DListener {
public:
    virtual ~IDirectSound3DListener() = default;
    virtual uint32_t Release() = 0;
    virtual int32_t SetPosition(float x, float y, float z, uint32_t apply) = 0;
    virtual int32_t SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                                   uint32_t apply) = 0;
    virtual int32_t CommitDeferredSettings() = 0;
    // Committed values: position x, y, z, front x, y, z, top x, y, z.
    virtual void GetCommitted(float out[9]) const = 0;
};

class IDirectSound3DBuffer {
public:
    virtual ~IDirectSound3DBuffer() = default;
    virtual uint32_t Release() = 0;
    virtual int32_t SetPosition(float x, float y, float z, uint32_t apply) = 0;
};

class IDirectSoundNotify {
public:
    virtual ~IDirectSoundNotify() = default;
    virtual uint32_t Release() = 0;
    // Replaces the buffer's positions. Offsets must lie in 1..length (the list need not be sorted).
    virtual int32_t SetNotificationPositions(uint32_t count, const DSBPOSITIONNOTIFY* positions) = 0;
};

class IDirectSoundBuffer {
public:
    virtual ~IDirectSoundBuffer() = default;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
    virtual int32_t QueryInterface(SoundInterface iid, void** out) = 0;
    virtual int32_t GetStatus(uint32_t* status) = 0;
    virtual int32_t Restore() = 0;
    // Primary buffer only: the mix format.
    virtual int32_t SetFormat(const WAVEFORMATEX* format) = 0;
    // Secondary buffers. Lock hands out a copy of the region (two parts when it wraps past the end); Unlock
    // writes the parts back into the sample memory. One lock at a time per buffer.
    virtual int32_t Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                         uint32_t* bytes2, uint32_t flags) = 0;
    virtual int32_t Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) = 0;
    // On a playing buffer, Play only changes the looping.
    virtual int32_t Play(uint32_t reserved1, uint32_t priority, uint32_t flags) = 0;
    // Keeps the play position.
    virtual int32_t Stop() = 0;
    virtual int32_t SetCurrentPosition(uint32_t position) = 0;
    // Either pointer may be null. The write cursor is where data may safely be written (the play cursor in
    // manual-clock mode).
    virtual int32_t GetCurrentPosition(uint32_t* play, uint32_t* write) = 0;
    virtual int32_t SetVolume(int32_t volume) = 0; // DSBVOLUME_MIN..DSBVOLUME_MAX, else DSERR_INVALIDPARAM
    virtual int32_t GetVolume(int32_t* volume) = 0;
    virtual int32_t SetPan(int32_t pan) = 0; // DSBPAN_LEFT..DSBPAN_RIGHT
    virtual int32_t GetPan(int32_t* pan) = 0;
    virtual int32_t SetFrequency(uint32_t frequency) = 0; // DSBFREQUENCY_ORIGINAL or MIN..MAX
    virtual int32_t GetFrequency(uint32_t* frequency) = 0;
};

class IDirectSound {
public:
    virtual ~IDirectSound() = default;
    virtual uint32_t Release() = 0;
    // The window handle is not used: output does not depend on focus here.
    virtual int32_t SetCooperativeLevel(const void* window, uint32_t level) = 0;
    // Primary: DSBCAPS_PRIMARYBUFFER, no size, no format; one object per device. Secondary: PCM, 1 or 2
    // channels, 8 or 16 bits, DSBSIZE_MIN..DSBSIZE_MAX bytes, else DSERR_BADFORMAT / DSERR_INVALIDPARAM.
    virtual int32_t CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** out, void* outer) = 0;
    // Shares the source's sample memory; own position, state, volume, pan and frequency. A null or primary
    // source is DSERR_INVALIDPARAM.
    virtual int32_t DuplicateSoundBuffer(IDirectSoundBuffer* source, IDirectSoundBuffer** out) = 0;
};

// Opens the default output device. No usable device (or an injected fault): DSERR_NODRIVER and a null
// device. The guid must be null and outer must be null (DSERR_NOAGGREGATION).
int32_t DirectSoundCreate(const void* guid, IDirectSound** out, void* outer);

} // namespace Platform

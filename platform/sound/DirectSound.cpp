#include "platform/sound/DirectSound.h"

#include "platform/sound/SoundInternal.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

namespace Platform::SoundInternal {

using SoundTest::Operation;

namespace {

constexpr uint32_t kDefaultRate = 22050;
constexpr uint32_t kDeviceFrames = 512; // frames per audio callback: about 23 ms at 22050 Hz

bool ValidPcm(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= DSBFREQUENCY_MIN &&
           f.nSamplesPerSec <= DSBFREQUENCY_MAX && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

float Gain(int32_t hundredthsOfDecibel)
{
    return hundredthsOfDecibel <= DSBVOLUME_MIN ? 0.0f : std::pow(10.0f, hundredthsOfDecibel / 2000.0f);
}

void AudioCallback(void* user, Uint8* stream, int length);

// Opens and starts the default output in the core's mix format; SDL converts to what the card takes.
// Returns 0 when there is no device.
uint32_t OpenAudio(Core& core)
{
    SDL_AudioSpec want{}, have{};
    want.freq = static_cast<int>(core.mixRate);
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(core.mixChannels);
    want.samples = kDeviceFrames;
    want.callback = AudioCallback;
    want.userdata = &core;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device)
        SDL_PauseAudioDevice(device, 0);
    return device;
}

} // namespace

class Buffer;

class Notify final : public IDirectSoundNotify {
public:
    explicit Notify(Buffer& owner) : owner(owner) {}
    uint32_t Release() override;
    int32_t SetNotificationPositions(uint32_t count, const DSBPOSITIONNOTIFY* positions) override;

private:
    Buffer& owner;
};

class Buffer3D final : public IDirectSound3DBuffer {
public:
    explicit Buffer3D(Buffer& owner) : owner(owner) {}
    uint32_t Release() override;
    int32_t SetPosition(float x, float y, float z, uint32_t apply) override;

    float deferred[3] = {};
    float position[3] = {};

private:
    Buffer& owner;
};

class Listener final : public IDirectSound3DListener {
public:
    explicit Listener(Buffer& owner) : owner(owner) {}
    uint32_t Release() override;
    int32_t SetPosition(float x, float y, float z, uint32_t apply) override;
    int32_t SetOrientation(float fx, float fy, float fz, float tx, float ty, float tz, uint32_t apply) override;
    int32_t CommitDeferredSettings() override;
    void GetCommitted(float out[9]) const override;

    float deferred[9] = {0, 0, 0, 0, 0, 1, 0, 1, 0};
    float committed[9] = {0, 0, 0, 0, 0, 1, 0, 1, 0};

private:
    Buffer& owner;
};

class Buffer final : public IDirectSoundBuffer {
public:
    // Primary buffer.
    Buffer(std::shared_ptr<Core> core, uint32_t flags) : core(std::move(core)), primary(true), flags(flags)
    {
        format = {WAVE_FORMAT_PCM, 2, kDefaultRate, kDefaultRate * 4, 4, 16, 0};
    }

    // Secondary buffer with its own sample memory, or sharing another's.
    Buffer(std::shared_ptr<Core> core, uint32_t flags, const WAVEFORMATEX& format,
           std::shared_ptr<std::vector<uint8_t>> memory)
        : core(std::move(core)), primary(false), flags(flags), format(format), memory(std::move(memory))
    {
    }

    ~Buffer() override
    {
        std::lock_guard lock(core->mutex);
        if (primary)
            core->primary = nullptr;
        else
            std::erase(core->buffers, this);
    }

    uint32_t AddRef() override { return ++references; }

    uint32_t Release() override
    {
        const uint32_t left = --references;
        if (left == 0)
            delete this;
        return left;
    }

    int32_t QueryInterface(SoundInterface iid, void** out) override
    {
        if (!out)
            return DSERR_INVALIDPARAM;
        *out = nullptr;
        if (const int32_t fault = TakeFault(Operation::QueryInterface))
            return fault;
        switch (iid) {
        case SoundInterface::Notify:
            if (primary || !(flags & DSBCAPS_CTRLPOSITIONNOTIFY))
                return DSERR_NOINTERFACE;
            *out = static_cast<IDirectSoundNotify*>(&notify);
            break;
        case SoundInterface::Buffer3D:
            if (primary || !(flags & DSBCAPS_CTRL3D))
                return DSERR_NOINTERFACE;
            *out = static_cast<IDirectSound3DBuffer*>(&buffer3D);
            break;
        case SoundInterface::Listener3D:
            if (!primary || !(flags & DSBCAPS_CTRL3D))
                return DSERR_NOINTERFACE;
            *out = static_cast<IDirectSound3DListener*>(&listener);
            break;
        }
        AddRef();
        return DS_OK;
    }

    int32_t GetStatus(uint32_t* status) override
    {
        if (!status)
            return DSERR_INVALIDPARAM;
        *status = 0;
        if (const int32_t fault = TakeFault(Operation::GetStatus))
            return fault;
        std::lock_guard lock(core->mutex);
        if (primary) {
            if (statusOverride) {
                *status = *statusOverride;
            } else {
                for (const Buffer* b : core->buffers)
                    if (b->playing)
                        *status = DSBSTATUS_PLAYING | DSBSTATUS_LOOPING;
            }
            return DS_OK;
        }
        if (lost)
            *status = DSBSTATUS_BUFFERLOST;
        else if (playing)
            *status = DSBSTATUS_PLAYING | (looping ? DSBSTATUS_LOOPING : 0);
        return DS_OK;
    }

    int32_t Restore() override
    {
        if (const int32_t fault = TakeFault(Operation::Restore))
            return fault;
        std::lock_guard lock(core->mutex);
        if (primary) {
            if (statusOverride && (*statusOverride & DSBSTATUS_BUFFERLOST))
                statusOverride.reset();
        } else {
            lost = false;
        }
        RecordRestore();
        return DS_OK;
    }

    int32_t SetFormat(const WAVEFORMATEX* wanted) override
    {
        if (const int32_t fault = TakeFault(Operation::SetFormat))
            return fault;
        if (!primary)
            return DSERR_INVALIDCALL;
        if (!wanted || !ValidPcm(*wanted))
            return DSERR_BADFORMAT;
        format = *wanted;
        format.cbSize = 0;
        uint32_t device = 0;
        {
            std::lock_guard lock(core->mutex);
            if (core->mixRate == wanted->nSamplesPerSec && core->mixChannels == wanted->nChannels)
                return DS_OK;
            core->mixRate = wanted->nSamplesPerSec;
            core->mixChannels = wanted->nChannels;
            device = core->audioDevice;
            core->audioDevice = 0;
        }
        if (!device)
            return DS_OK; // manual clock
        SDL_CloseAudioDevice(device); // waits for a running callback
        const uint32_t reopened = OpenAudio(*core);
        std::lock_guard lock(core->mutex);
        core->audioDevice = reopened;
        return reopened ? DS_OK : DSERR_GENERIC; // without a device the mix is silent from now on
    }

    int32_t Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2, uint32_t* bytes2,
                 uint32_t lockFlags) override
    {
        if (part1)
            *part1 = nullptr;
        if (bytes1)
            *bytes1 = 0;
        if (part2)
            *part2 = nullptr;
        if (bytes2)
            *bytes2 = 0;
        if (const int32_t fault = TakeFault(Operation::Lock))
            return fault;
        if (primary)
            return DSERR_PRIOLEVELNEEDED;
        if (!part1 || !bytes1 || lockFlags != 0)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        const uint32_t length = static_cast<uint32_t>(memory->size());
        if (lost)
            return DSERR_BUFFERLOST;
        if (locked)
            return DSERR_INVALIDCALL;
        if (offset >= length || bytes == 0 || bytes > length)
            return DSERR_INVALIDPARAM;
        const uint32_t first = std::min(bytes, length - offset);
        const uint32_t second = bytes - first;
        if (second && (!part2 || !bytes2))
            return DSERR_INVALIDPARAM;
        staging.assign(memory->begin() + offset, memory->begin() + offset + first);
        staging.insert(staging.end(), memory->begin(), memory->begin() + second);
        lockOffset = offset;
        locked = true;
        *part1 = staging.data();
        *bytes1 = first;
        if (second) {
            *part2 = staging.data() + first;
            *bytes2 = second;
        }
        return DS_OK;
    }

    int32_t Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) override
    {
        if (const int32_t fault = TakeFault(Operation::Unlock)) {
            std::lock_guard lock(core->mutex);
            locked = false;
            std::vector<uint8_t>().swap(staging);
            return fault;
        }
        std::lock_guard lock(core->mutex);
        if (!locked || part1 != staging.data())
            return DSERR_INVALIDPARAM;
        locked = false;
        // The copy a lock hands out goes with the unlock, whatever it answers: a static buffer is locked once,
        // whole, so keeping it would hold its samples twice for the buffer's life.
        const std::vector<uint8_t> copy = std::exchange(staging, {});
        const uint32_t length = static_cast<uint32_t>(memory->size());
        const uint32_t first = std::min<uint32_t>(static_cast<uint32_t>(copy.size()), length - lockOffset);
        const uint32_t second = static_cast<uint32_t>(copy.size()) - first;
        if (bytes1 > first || bytes2 > second || (bytes2 && part2 != copy.data() + first))
            return DSERR_INVALIDPARAM;
        if (lost)
            return DSERR_BUFFERLOST;
        std::memcpy(memory->data() + lockOffset, copy.data(), bytes1);
        if (bytes2)
            std::memcpy(memory->data(), copy.data() + first, bytes2);
        return DS_OK;
    }

    int32_t Play(uint32_t, uint32_t, uint32_t playFlags) override
    {
        if (const int32_t fault = TakeFault(Operation::Play))
            return fault;
        std::lock_guard lock(core->mutex);
        if (lost)
            return DSERR_BUFFERLOST;
        if (primary)
            return playFlags & DSBPLAY_LOOPING ? DS_OK : DSERR_INVALIDPARAM;
        playing = true;
        looping = (playFlags & DSBPLAY_LOOPING) != 0;
        return DS_OK;
    }

    int32_t Stop() override
    {
        if (const int32_t fault = TakeFault(Operation::Stop))
            return fault;
        std::lock_guard lock(core->mutex);
        playing = false;
        return DS_OK;
    }

    int32_t SetCurrentPosition(uint32_t position) override
    {
        if (const int32_t fault = TakeFault(Operation::SetCurrentPosition))
            return fault;
        if (primary)
            return DSERR_INVALIDCALL;
        std::lock_guard lock(core->mutex);
        if (lost)
            return DSERR_BUFFERLOST;
        if (position >= memory->size())
            return DSERR_INVALIDPARAM;
        frame = position / format.nBlockAlign;
        fraction = 0;
        RewindNotifications();
        return DS_OK;
    }

    int32_t GetCurrentPosition(uint32_t* play, uint32_t* write) override
    {
        if (play)
            *play = 0;
        if (write)
            *write = 0;
        if (const int32_t fault = TakeFault(Operation::GetCurrentPosition))
            return fault;
        if (primary)
            return DSERR_INVALIDCALL;
        std::lock_guard lock(core->mutex);
        if (lost)
            return DSERR_BUFFERLOST;
        const uint32_t length = static_cast<uint32_t>(memory->size());
        const uint32_t playCursor = frame * format.nBlockAlign;
        // Data up to the end of the next callback's share is already committed.
        const uint64_t ahead =
            uint64_t(core->deviceFrames) * Rate() / core->mixRate * format.nBlockAlign + format.nBlockAlign;
        if (play)
            *play = playCursor;
        if (write)
            *write = playing && core->deviceFrames ? uint32_t((playCursor + ahead) % length) : playCursor;
        return DS_OK;
    }

    int32_t SetVolume(int32_t value) override
    {
        if (const int32_t fault = TakeFault(Operation::SetVolume))
            return fault;
        if (!(flags & DSBCAPS_CTRLVOLUME))
            return DSERR_CONTROLUNAVAIL;
        if (value < DSBVOLUME_MIN || value > DSBVOLUME_MAX)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        volume = value;
        return DS_OK;
    }

    int32_t GetVolume(int32_t* value) override
    {
        if (!value)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        *value = volume;
        return DS_OK;
    }

    int32_t SetPan(int32_t value) override
    {
        if (!(flags & DSBCAPS_CTRLPAN))
            return DSERR_CONTROLUNAVAIL;
        if (value < DSBPAN_LEFT || value > DSBPAN_RIGHT)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        pan = value;
        return DS_OK;
    }

    int32_t GetPan(int32_t* value) override
    {
        if (!value)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        *value = pan;
        return DS_OK;
    }

    int32_t SetFrequency(uint32_t value) override
    {
        if (primary || !(flags & DSBCAPS_CTRLFREQUENCY))
            return DSERR_CONTROLUNAVAIL;
        if (value != DSBFREQUENCY_ORIGINAL && (value < DSBFREQUENCY_MIN || value > DSBFREQUENCY_MAX))
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        frequency = value;
        return DS_OK;
    }

    int32_t GetFrequency(uint32_t* value) override
    {
        if (!value)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        *value = Rate();
        return DS_OK;
    }

    // --- Mixer side; the caller holds core->mutex. ---

    uint32_t Rate() const { return frequency ? frequency : format.nSamplesPerSec; }

    // The next notification is the first whose offset lies beyond the play cursor.
    void RewindNotifications()
    {
        const uint32_t cursor = frame * format.nBlockAlign;
        nextNotification = 0;
        while (nextNotification < notifications.size() && notifications[nextNotification].dwOffset <= cursor)
            ++nextNotification;
    }

    void FireNotificationsUpTo(uint32_t cursor)
    {
        while (nextNotification < notifications.size() && notifications[nextNotification].dwOffset <= cursor)
            SetEvent(notifications[nextNotification++].hEventNotify);
    }

    void ReadFrame(uint32_t index, float& left, float& right) const
    {
        const uint8_t* p = memory->data() + size_t(index) * format.nBlockAlign;
        if (format.wBitsPerSample == 8) {
            left = float((int(p[0]) - 128) * 256);
            right = format.nChannels == 2 ? float((int(p[1]) - 128) * 256) : left;
        } else {
            left = float(int16_t(uint16_t(p[0] | (p[1] << 8))));
            right = format.nChannels == 2 ? float(int16_t(uint16_t(p[2] | (p[3] << 8)))) : left;
        }
    }

    void MixInto(float* out, uint32_t frames, uint32_t mixRate, uint32_t mixChannels)
    {
        const uint32_t total = static_cast<uint32_t>(memory->size() / format.nBlockAlign);
        if (!playing || lost || total == 0)
            return;
        const float gain = Gain(volume);
        const float leftGain = gain * (pan > 0 ? Gain(-pan) : 1.0f);
        const float rightGain = gain * (pan < 0 ? Gain(pan) : 1.0f);
        const uint64_t step = (uint64_t(Rate()) << 32) / mixRate;
        for (uint32_t i = 0; i < frames && playing; ++i) {
            float l0, r0, l1, r1;
            ReadFrame(frame, l0, r0);
            const uint32_t next = frame + 1 < total ? frame + 1 : (looping ? 0 : frame);
            ReadFrame(next, l1, r1);
            const float t = float(double(fraction) / 4294967296.0);
            const float l = (l0 + (l1 - l0) * t) * leftGain;
            const float r = (r0 + (r1 - r0) * t) * rightGain;
            if (mixChannels == 2) {
                out[2 * i] += l;
                out[2 * i + 1] += r;
            } else {
                out[i] += (l + r) * 0.5f;
            }
            const uint64_t advanced = uint64_t(fraction) + step;
            fraction = uint32_t(advanced);
            uint64_t position = uint64_t(frame) + (advanced >> 32);
            while (position >= total) {
                FireNotificationsUpTo(static_cast<uint32_t>(memory->size()));
                if (!looping) {
                    playing = false; // a one-shot buffer ends rewound
                    position = 0;
                    fraction = 0;
                    break;
                }
                position -= total;
                nextNotification = 0;
                FireNotificationsUpTo(0);
            }
            frame = static_cast<uint32_t>(position);
            if (playing)
                FireNotificationsUpTo(frame * format.nBlockAlign);
            else
                RewindNotifications();
        }
    }

    std::shared_ptr<Core> core;
    const bool primary;
    const uint32_t flags;
    WAVEFORMATEX format{};
    std::shared_ptr<std::vector<uint8_t>> memory; // secondaries only; shared by duplicates
    std::atomic<uint32_t> references{1};

    bool playing = false;
    bool looping = false;
    bool lost = false;
    uint32_t frame = 0;    // play cursor in frames
    uint32_t fraction = 0; // sub-frame position, 1/2^32 frames
    int32_t volume = 0;
    int32_t pan = 0;
    uint32_t frequency = DSBFREQUENCY_ORIGINAL;
    std::vector<DSBPOSITIONNOTIFY> notifications; // sorted by offset
    size_t nextNotification = 0;
    std::optional<uint32_t> statusOverride; // primary, from tests

    std::vector<uint8_t> staging; // the locked region's copy
    uint32_t lockOffset = 0;
    bool locked = false;

    Notify notify{*this};
    Buffer3D buffer3D{*this};
    Listener listener{*this};
};

uint32_t Notify::Release() { return owner.Release(); }

int32_t Notify::SetNotificationPositions(uint32_t count, const DSBPOSITIONNOTIFY* positions)
{
    if (const int32_t fault = TakeFault(Operation::SetNotifications))
        return fault;
    if (count && !positions)
        return DSERR_INVALIDPARAM;
    std::lock_guard lock(owner.core->mutex);
    if (owner.playing)
        return DSERR_INVALIDCALL;
    std::vector<DSBPOSITIONNOTIFY> list(positions, positions + count);
    for (const DSBPOSITIONNOTIFY& p : list)
        if (p.dwOffset > owner.memory->size() || !p.hEventNotify)
            return DSERR_INVALIDPARAM;
    std::stable_sort(list.begin(), list.end(),
                     [](const DSBPOSITIONNOTIFY& a, const DSBPOSITIONNOTIFY& b) { return a.dwOffset < b.dwOffset; });
    owner.notifications = std::move(list);
    owner.RewindNotifications();
    return DS_OK;
}

uint32_t Buffer3D::Release() { return owner.Release(); }

int32_t Buffer3D::SetPosition(float x, float y, float z, uint32_t apply)
{
    std::lock_guard lock(owner.core->mutex);
    float* target = apply == DS3D_DEFERRED ? deferred : position;
    target[0] = x;
    target[1] = y;
    target[2] = z;
    return DS_OK;
}

uint32_t Listener::Release() { return owner.Release(); }

int32_t Listener::SetPosition(float x, float y, float z, uint32_t apply)
{
    std::lock_guard lock(owner.core->mutex);
    for (float* target : {deferred, apply == DS3D_DEFERRED ? deferred : committed}) {
        target[0] = x;
        target[1] = y;
        target[2] = z;
    }
    return DS_OK;
}

int32_t Listener::SetOrientation(float fx, float fy, float fz, float tx, float ty, float tz, uint32_t apply)
{
    std::lock_guard lock(owner.core->mutex);
    for (float* target : {deferred, apply == DS3D_DEFERRED ? deferred : committed}) {
        const float values[6] = {fx, fy, fz, tx, ty, tz};
        std::copy(values, values + 6, target + 3);
    }
    return DS_OK;
}

int32_t Listener::CommitDeferredSettings()
{
    if (const int32_t fault = TakeFault(Operation::CommitDeferred))
        return fault;
    std::lock_guard lock(owner.core->mutex);
    std::copy(deferred, deferred + 9, committed);
    for (Buffer* b : owner.core->buffers)
        std::copy(b->buffer3D.deferred, b->buffer3D.deferred + 3, b->buffer3D.position);
    return DS_OK;
}

void Listener::GetCommitted(float out[9]) const
{
    std::lock_guard lock(owner.core->mutex);
    std::copy(committed, committed + 9, out);
}

void Core::Mix(int16_t* out, uint32_t frames)
{
    std::vector<float> sum(size_t(frames) * mixChannels, 0.0f);
    if (open)
        for (Buffer* b : buffers)
            b->MixInto(sum.data(), frames, mixRate, mixChannels);
    for (size_t i = 0; i < sum.size(); ++i)
        out[i] = static_cast<int16_t>(std::clamp(std::lrint(sum[i]), -32768L, 32767L));
}

void LoseBuffersLocked(Core& core)
{
    for (Buffer* b : core.buffers) {
        b->lost = true;
        b->playing = false;
        std::fill(b->memory->begin(), b->memory->end(), uint8_t(0));
    }
}

void SetPrimaryStatusLocked(Core& core, uint32_t status)
{
    if (core.primary)
        core.primary->statusOverride = status;
}

namespace {

void AudioCallback(void* user, Uint8* stream, int length)
{
    Core& core = *static_cast<Core*>(user);
    std::lock_guard lock(core.mutex);
    core.Mix(reinterpret_cast<int16_t*>(stream), uint32_t(length) / (2 * core.mixChannels));
}

class Device final : public IDirectSound {
public:
    explicit Device(std::shared_ptr<Core> core) : core(std::move(core)) {}

    uint32_t Release() override
    {
        const uint32_t left = --references;
        if (left == 0) {
            uint32_t device = 0;
            {
                std::lock_guard lock(core->mutex);
                core->open = false;
                device = core->audioDevice;
                core->audioDevice = 0;
            }
            if (device)
                SDL_CloseAudioDevice(device); // waits for a running callback
            if (core->audioInitialized)
                SDL_QuitSubSystem(SDL_INIT_AUDIO);
            delete this;
        }
        return left;
    }

    int32_t SetCooperativeLevel(const void*, uint32_t level) override
    {
        if (const int32_t fault = TakeFault(Operation::CooperativeLevel))
            return fault;
        return level >= DSSCL_NORMAL && level <= 3 ? DS_OK : DSERR_INVALIDPARAM;
    }

    int32_t CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** out, void* outer) override
    {
        if (!out)
            return DSERR_INVALIDPARAM;
        *out = nullptr;
        if (const int32_t fault = TakeFault(Operation::CreateBuffer))
            return fault;
        if (outer)
            return DSERR_NOAGGREGATION;
        if (!desc)
            return DSERR_INVALIDPARAM;
        RecordCreatedFlags(desc->dwFlags);
        if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
            if (desc->dwBufferBytes != 0 || desc->lpwfxFormat)
                return DSERR_INVALIDPARAM;
            std::lock_guard lock(core->mutex);
            if (core->primary)
                return DSERR_ALLOCATED;
            auto* buffer = new Buffer(core, desc->dwFlags);
            core->primary = buffer;
            *out = buffer;
            return DS_OK;
        }
        if (!desc->lpwfxFormat || desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX)
            return DSERR_INVALIDPARAM;
        if (!ValidPcm(*desc->lpwfxFormat))
            return DSERR_BADFORMAT;
        if ((desc->dwFlags & DSBCAPS_CTRL3D) && desc->lpwfxFormat->nChannels != 1)
            return DSERR_INVALIDPARAM;
        auto memory = std::make_shared<std::vector<uint8_t>>(desc->dwBufferBytes,
                                                             desc->lpwfxFormat->wBitsPerSample == 8 ? 0x80 : 0);
        auto* buffer = new Buffer(core, desc->dwFlags, *desc->lpwfxFormat, std::move(memory));
        buffer->format.cbSize = 0;
        std::lock_guard lock(core->mutex);
        core->buffers.push_back(buffer);
        *out = buffer;
        return DS_OK;
    }

    int32_t DuplicateSoundBuffer(IDirectSoundBuffer* source, IDirectSoundBuffer** out) override
    {
        if (!out)
            return DSERR_INVALIDPARAM;
        *out = nullptr;
        if (const int32_t fault = TakeFault(Operation::DuplicateBuffer))
            return fault;
        auto* original = dynamic_cast<Buffer*>(source);
        if (!original || original->primary || original->core != core)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(core->mutex);
        auto* copy = new Buffer(core, original->flags, original->format, original->memory);
        copy->volume = original->volume;
        copy->pan = original->pan;
        copy->frequency = original->frequency;
        core->buffers.push_back(copy);
        *out = copy;
        return DS_OK;
    }

private:
    std::shared_ptr<Core> core;
    std::atomic<uint32_t> references{1};
};

} // namespace
} // namespace Platform::SoundInternal

namespace Platform {

int32_t DirectSoundCreate(const void* guid, IDirectSound** out, void* outer)
{
    using namespace SoundInternal;
    if (!out)
        return DSERR_INVALIDPARAM;
    *out = nullptr;
    if (const int32_t fault = TakeFault(SoundTest::Operation::CreateDevice))
        return fault;
    if (const char* env = std::getenv("BRINDLE_SOUND_FAULT"); env && std::strcmp(env, "device") == 0)
        return DSERR_NODRIVER;
    if (outer)
        return DSERR_NOAGGREGATION;
    if (guid)
        return DSERR_INVALIDPARAM;
    auto core = std::make_shared<Core>();
    if (!ManualClock()) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return DSERR_NODRIVER;
        core->audioInitialized = true;
        core->deviceFrames = kDeviceFrames;
        std::lock_guard lock(core->mutex); // the callback may start before the id is stored
        core->audioDevice = OpenAudio(*core);
        if (!core->audioDevice) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return DSERR_NODRIVER;
        }
    }
    SetNewest(core);
    *out = new Device(core);
    return DS_OK;
}

} // namespace Platform

#include "engine/core/sound/SoundBuffer_DS7.h"

#include "engine/core/MessageManager.h"
#include "engine/core/sound/SoundSystem_DS7.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VantoranEngine {

using namespace Platform;

SoundBuffer_DS7::SoundBuffer_DS7(MessageManager* messageManager, FileManager* fileManager,
                                 SoundSystem_DS7* system, MemoryManager* memoryManager, const std::string& name)
    : SoundBuffer(messageManager, fileManager, memoryManager, name), system(system), device(system->device)
{
    Load(nullptr);
}

SoundBuffer_DS7::SoundBuffer_DS7(const SoundBuffer_DS7& source)
    : SoundBuffer(source.messageManager, source.fileManager, source.memoryManager, source.name),
      system(source.system), device(source.device)
{
    Load(const_cast<SoundBuffer_DS7*>(&source));
}

SoundBuffer_DS7::~SoundBuffer_DS7() { ReleaseBuffer(); }

void SoundBuffer_DS7::Release()
{
    SoundBuffer::Release();
    ReleaseBuffer();
}

void SoundBuffer_DS7::CreateBuffer(SoundBuffer* source)
{
    if (deviceBuffer)
        return;
    const bool wants3D = system->sound3D && channels == 1;
    if (source) {
        auto* original = static_cast<SoundBuffer_DS7*>(source);
        if (device->DuplicateSoundBuffer(original->deviceBuffer, &deviceBuffer) < 0) {
            deviceBuffer = nullptr;
            messageManager->LogError("Sound System: DirectSound buffers overflow");
            return;
        }
    } else {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = static_cast<uint16_t>(channels);
        format.nSamplesPerSec = samplesPerSecond;
        format.nBlockAlign = static_cast<uint16_t>(bitsPerSample * channels / 8);
        format.nAvgBytesPerSec = samplesPerSecond * format.nBlockAlign;
        format.wBitsPerSample = static_cast<uint16_t>(bitsPerSample);
        format.cbSize = 18;
        DSBUFFERDESC description{};
        description.dwSize = 36;
        description.dwFlags = DSBCAPS_CTRLVOLUME;
        if (wants3D) {
            description.dwFlags |= DSBCAPS_CTRL3D;
            description.guid3DAlgorithm = DS3DALG_DEFAULT;
        }
        if (streamed) {
            description.dwBufferBytes = kStreamBytes;
            description.dwFlags |= DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2;
        } else {
            description.dwBufferBytes = size;
            description.dwFlags |= DSBCAPS_STATIC;
        }
        description.lpwfxFormat = &format;
        if (device->CreateSoundBuffer(&description, &deviceBuffer, nullptr) < 0) {
            deviceBuffer = nullptr;
            messageManager->LogError("Sound System: DirectSound buffers overflow");
            return;
        }
        if (streamed) {
            if (deviceBuffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify)) < 0) {
                notify = nullptr;
                messageManager->LogError("Sound System: Failed to create notification event");
            } else {
                DSBPOSITIONNOTIFY positions[kSegmentCount];
                for (uint32_t i = 0; i < kSegmentCount; ++i) {
                    events[i] = CreateEventA(nullptr, false, false, nullptr);
                    // Signalled when playback leaves segment i; the last one at the wrap to 0.
                    positions[i] = {(i + 1) * kSegmentBytes, events[i]};
                }
                notify->SetNotificationPositions(kSegmentCount, positions);
            }
        }
    }
    if (wants3D &&
        deviceBuffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&buffer3D)) < 0) {
        buffer3D = nullptr;
        messageManager->LogError("Sound System: Failed to get the 3D buffer from the secondary buffer");
    }
}

void SoundBuffer_DS7::ReleaseBuffer()
{
    if (notify)
        notify->Release();
    notify = nullptr;
    if (buffer3D)
        buffer3D->Release();
    buffer3D = nullptr;
    if (deviceBuffer)
        deviceBuffer->Release();
    deviceBuffer = nullptr;
    // Only now: until the buffer is gone the mixer thread may still signal its notification events.
    for (EventHandle& event : events) {
        if (event)
            CloseHandle(event);
        event = nullptr;
    }
}

bool SoundBuffer_DS7::WriteSegment(uint32_t index, const uint8_t* data, uint32_t bytes)
{
    if (!deviceBuffer)
        return true;
    void* part1 = nullptr;
    void* part2 = nullptr;
    uint32_t bytes1 = 0;
    uint32_t bytes2 = 0;
    if (deviceBuffer->Lock(index * kSegmentBytes, bytes, &part1, &bytes1, &part2, &bytes2, 0) < 0)
        return false;
    const uint32_t first = std::min(bytes, bytes1);
    std::memcpy(part1, data, first);
    if (part2)
        std::memcpy(part2, data + first, std::min(bytes - first, bytes2));
    return deviceBuffer->Unlock(part1, bytes1, part2, bytes2) >= 0;
}

void SoundBuffer_DS7::QueueSegment(uint32_t) {}

void SoundBuffer_DS7::UnqueueProcessedBuffers(std::vector<uint32_t>* list)
{
    if (!list)
        return;
    list->clear();
    if (!IsPlaying() || stoppedAtEnd)
        return;
    uint32_t playCursor = 0;
    if (deviceBuffer->GetCurrentPosition(&playCursor, nullptr) < 0)
        return;
    const uint32_t delta = playCursor - lastPlayCursor + (playCursor < lastPlayCursor ? kStreamBytes : 0);

    // The lagged interval [A, B] of stream bytes that playback has left behind. Both ends are clamped at 0,
    // so a long first frame cannot list a segment before the lag is reached and again after.
    const uint64_t before = bytesPlayed;
    bytesPlayed += delta;
    int64_t a = before > kRefillLag ? int64_t(before - kRefillLag) : 0;
    int64_t b = bytesPlayed > kRefillLag ? int64_t(bytesPlayed - kRefillLag) : 0;
    if (b >= 2 * int64_t(kStreamBytes)) {
        const int64_t k = (b - kStreamBytes) / kStreamBytes;
        a -= k * kStreamBytes;
        b -= k * kStreamBytes;
    }
    const int64_t half = (b - a) / 2;
    for (int64_t j = 0; j < 2 * int64_t(kSegmentCount); ++j) {
        const int64_t start = j * kSegmentBytes;
        const int64_t end = start + kSegmentBytes;
        const bool holdsB = b >= start && b <= end;
        const int64_t middle = start + kSegmentBytes / 2;
        const bool meets = std::llabs(middle - (a + half)) <= int64_t(kSegmentBytes / 2) + half;
        const uint32_t segment = static_cast<uint32_t>(j % kSegmentCount);
        if (!holdsB && meets && std::find(list->begin(), list->end(), segment) == list->end())
            list->push_back(segment);
    }
    lastPlayCursor = playCursor;

    if (streamLooped)
        return;
    for (EventHandle event : events)
        if (event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0)
            notifiedBytes += kSegmentBytes;
    if (notifiedBytes > uint64_t(size) + kSegmentBytes && !stoppedAtEnd) {
        system->ReportError("SoundBuffer_DS7::UnqueueProcessedBuffers", deviceBuffer->Stop());
        stoppedAtEnd = true;
    }
}

bool SoundBuffer_DS7::IsPlaying()
{
    if (!deviceBuffer)
        return false;
    uint32_t status = 0;
    system->ReportError("SoundBuffer_DS7::IsPlaying", deviceBuffer->GetStatus(&status));
    return (status & DSBSTATUS_PLAYING) != 0;
}

void SoundBuffer_DS7::Play(bool looped)
{
    FinishLoad();
    if (!deviceBuffer)
        return;
    system->ReportError("SoundBuffer_DS7::Play",
                        deviceBuffer->Play(0, 0, streamed || looped ? DSBPLAY_LOOPING : 0));
    stoppedAtEnd = false;
}

void SoundBuffer_DS7::Pause()
{
    if (deviceBuffer)
        system->ReportError("SoundBuffer_DS7::Pause", deviceBuffer->Stop());
}

void SoundBuffer_DS7::Stop()
{
    if (deviceBuffer) {
        system->ReportError("SoundBuffer_DS7::Stop", deviceBuffer->Stop());
        system->ReportError("SoundBuffer_DS7::Stop", deviceBuffer->SetCurrentPosition(0));
    }
    lastPlayCursor = 0;
    bytesPlayed = 0;
    notifiedBytes = 0;
}

int32_t SoundBuffer_DS7::VolumeToAttenuation(float factor)
{
    // NaN fails this test too: silence.
    if (!(factor >= 0.0001f))
        return DSBVOLUME_MIN;
    const float inverse = 1.0f / factor;
    const float logarithm = std::log(inverse);
    // Clamped before the conversion: an infinite factor gives +inf here (refused by the device, logged),
    // never an undefined conversion.
    const float attenuation = std::clamp(-1000.0f * logarithm, -10000.0f, 10000.0f);
    return static_cast<int32_t>(attenuation);
}

void SoundBuffer_DS7::SetVolume(float factor)
{
    if (deviceBuffer)
        system->ReportError("SoundBuffer_DS7::SetVolume", deviceBuffer->SetVolume(VolumeToAttenuation(factor)));
}

void SoundBuffer_DS7::SetPosition(const Vector3& position)
{
    if (buffer3D)
        system->ReportError("SoundBuffer_DS7::SetPosition",
                            buffer3D->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED));
}

} // namespace VantoranEngine

#include "engine/core/sound/Sound_DS7.h"

#include "engine/core/sound/SoundBuffer_DS7.h"
#include "engine/core/sound/SoundFileReader.h"
#include "engine/core/sound/SoundSystem_DS7.h"

namespace VantoranEngine {

using namespace Platform;

Sound_DS7::Sound_DS7(MessageManager* messageManager, SoundBufferManager* bufferManager,
                     MemoryManager* memoryManager, SoundSystem_DS7* system, const std::string& name)
    : Sound(messageManager, bufferManager, memoryManager, name), system(system),
      bufferDS7(static_cast<SoundBuffer_DS7*>(buffer))
{
    bufferDS7->SetVolume(volume);
    SetPosition(position);
}

Sound_DS7::Sound_DS7(const Sound_DS7& other)
    : Sound(other), system(other.system), bufferDS7(static_cast<SoundBuffer_DS7*>(buffer))
{
    // A new stream starts with its loop flag clear: give it the copied one.
    if (bufferDS7->streamed)
        bufferDS7->streamLooped = looped;
    bufferDS7->SetVolume(volume);
    SetPosition(position);
}

Sound_DS7::~Sound_DS7() = default;

void Sound_DS7::Update()
{
    if (IDirectSoundBuffer* device = bufferDS7->deviceBuffer) {
        uint32_t status = 0;
        system->ReportError("SoundBuffer_DS7::IsPlaying", device->GetStatus(&status));
        if (status & DSBSTATUS_BUFFERLOST) {
            if (device->Restore() != DS_OK)
                return; // tried again next frame
            if (!bufferDS7->streamed) {
                bufferDS7->Load(nullptr);
            } else {
                const int32_t was = state;
                Stop();
                if (was == Paused) {
                    Play();
                    Pause();
                } else if (was == Playing) {
                    Play();
                }
            }
        }
    }
    if (state == Playing && !bufferDS7->IsPlaying())
        Stop();
}

bool Sound_DS7::Play()
{
    SoundBuffer_DS7& b = *bufferDS7;
    // A stream that stopped itself at its end still reads "playing" until the next update: start it over
    // as a stopped one, or the device would resume in the silence past the end and the request be lost.
    if (b.IsPlaying() || (b.streamed && b.stoppedAtEnd)) {
        b.Stop();
        if (b.streamed && b.streamState != SoundBuffer::Stopped) {
            b.UnqueueProcessedBuffers(nullptr);
            b.streamState = SoundBuffer::Stopped;
        }
    }
    if (b.streamed && b.streamState != SoundBuffer::Playing) {
        if (b.streamState == SoundBuffer::Stopped) {
            if (b.reader)
                b.reader->Rewind();
            for (uint32_t i = 0; i < SoundBuffer::kSegmentCount; ++i)
                if (b.FillSegment(b.scratch, i, SoundBuffer::kSegmentBytes))
                    b.QueueSegment(i);
        }
        b.streamState = SoundBuffer::Playing;
    }
    b.Play(looped);
    state = Playing;
    return true;
}

void Sound_DS7::Pause()
{
    bufferDS7->Pause();
    if (bufferDS7->streamed)
        bufferDS7->streamState = SoundBuffer::Paused;
    state = Paused;
}

void Sound_DS7::Stop()
{
    bufferDS7->Stop();
    if (bufferDS7->streamed && bufferDS7->streamState != SoundBuffer::Stopped) {
        bufferDS7->UnqueueProcessedBuffers(nullptr);
        bufferDS7->streamState = SoundBuffer::Stopped;
    }
    state = Stopped;
}

void Sound_DS7::SetLooped(bool value)
{
    Sound::SetLooped(value);
    if (!bufferDS7->streamed && bufferDS7->IsPlaying())
        bufferDS7->Play(looped);
}

void Sound_DS7::SetVolume(float factor)
{
    Sound::SetVolume(factor);
    bufferDS7->SetVolume(factor);
}

void Sound_DS7::SetPosition(const Vector3& value)
{
    Sound::SetPosition(value);
    bufferDS7->SetPosition(value);
}

int32_t Sound_DS7::GetState() { return state; }

} // namespace VantoranEngine

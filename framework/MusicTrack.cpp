#include "framework/MusicTrack.h"

#include "engine/core/TimerManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundManager.h"

namespace GameFramework {

MusicTrack::MusicTrack(VantoranEngine::SoundManager* soundManager, VantoranEngine::TimerManager* timerManager,
                       const std::string& file, bool looped, int32_t trackId)
    : soundManager(soundManager), timerManager(timerManager), trackId(trackId)
{
    if (!soundManager)
        return;
    stream = soundManager->CreateSound(file);
    fadeLevel = stream->volume;
    stream->SetLooped(looped);
}

MusicTrack::~MusicTrack()
{
    if (soundManager)
        soundManager->DestroySound(stream);
}

void MusicTrack::Update()
{
    if (!soundManager)
        return;
    const float step = fadeSpeed * timerManager->frameTime;
    switch (fadeState) {
    case MusicFadeState::FadingIn:
        fadeLevel += step;
        if (fadeLevel >= 1.0f) {
            fadeLevel = 1.0f;
            fadeState = MusicFadeState::Steady;
        }
        break;
    case MusicFadeState::FadingOutToPause:
    case MusicFadeState::FadingOutToStop:
        fadeLevel -= step;
        if (fadeLevel < 0.0f) {
            if (fadeState == MusicFadeState::FadingOutToStop)
                stream->Stop();
            else
                stream->Pause();
            fadeLevel = 0.0f;
            fadeState = MusicFadeState::Steady;
        }
        break;
    case MusicFadeState::Steady:
        break;
    }
    ApplyVolume();
}

void MusicTrack::ApplyVolume()
{
    if (stream)
        stream->SetVolume(volume * fadeLevel);
}

void MusicTrack::Play()
{
    fadeState = MusicFadeState::Steady;
    if (soundManager)
        soundManager->PlaySound(stream, true);
}

void MusicTrack::Stop()
{
    if (soundManager)
        stream->Stop();
}

} // namespace GameFramework

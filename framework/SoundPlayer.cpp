#include "framework/SoundPlayer.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundManager.h"
#include "framework/MusicTrack.h"
#include "framework/SoundEntry.h"

#include <cmath>
#include <cstdlib>

namespace GameFramework {

using VantoranEngine::Sound;

namespace {

constexpr const char* musicVolumeName = "g_music_volume";
constexpr const char* soundVolumeName = "g_sound_volume";
constexpr int volumeDecimals = 6;

float ClampVolume(float volume)
{
    if (volume >= 1.0f)
        return 1.0f;
    if (volume <= 0.0f)
        return 0.0f;
    return volume;
}

} // namespace

SoundPlayer::SoundPlayer(VantoranEngine::Engine& engine, float defaultMusicVolume, float defaultSoundVolume)
    : SoundPlayer(*engine.config, engine.soundManager.get(), *engine.timerManager, defaultMusicVolume,
                  defaultSoundVolume)
{
}

SoundPlayer::SoundPlayer(VantoranEngine::Config& config, VantoranEngine::SoundManager* soundManager,
                         VantoranEngine::TimerManager& timerManager, float defaultMusicVolume,
                         float defaultSoundVolume)
    : config(&config), soundManager(soundManager), timerManager(&timerManager)
{
    config.Register(VantoranEngine::FloatToString(defaultMusicVolume, volumeDecimals), musicVolumeName,
                    VantoranEngine::ConfigType::Float, true, &musicVolume, false);
    config.Register(VantoranEngine::FloatToString(defaultSoundVolume, volumeDecimals), soundVolumeName,
                    VantoranEngine::ConfigType::Float, true, &soundVolume, false);
    SetMusicVolume(musicVolume);
    SetSoundVolume(soundVolume);
}

SoundPlayer::~SoundPlayer()
{
    channels.clear();
    if (soundManager)
        for (const auto& voice : voices)
            soundManager->DestroySound(voice->sound);
    voices.clear();
    tracks.clear(); // each track hands its stream back
    config->Unregister(musicVolumeName);
    config->Unregister(soundVolumeName);
}

void SoundPlayer::RegisterSound(int32_t voiceCount, int32_t soundId, const std::string& file, bool looped)
{
    if (!soundManager)
        return;
    for (int32_t i = 0; i < voiceCount; ++i) {
        auto voice = std::make_unique<SoundEntry>();
        voice->soundId = soundId;
        voice->file = file;
        voice->sound = soundManager->CreateSound(file);
        voice->looped = looped;
        voice->sound->SetLooped(looped);
        voice->sound->SetVolume(soundVolume);
        voices.push_back(std::move(voice));
    }
}

void SoundPlayer::RegisterMusic(int32_t trackId, const std::string& file, bool looped)
{
    if (!soundManager)
        return;
    auto track = std::make_unique<MusicTrack>(soundManager, timerManager, file, looped, trackId);
    track->volume = musicVolume;
    track->ApplyVolume();
    tracks.push_back(std::move(track));
}

void SoundPlayer::PlaySound(int32_t soundId)
{
    if (!soundManager)
        return;
    const float now = timerManager->mainTimer->GetTime();
    SoundEntry* chosen = nullptr;
    for (const auto& voice : voices) {
        if (voice->soundId != soundId)
            continue;
        if (std::fabs(now - voice->lastStart) < minimumRestartInterval)
            return;
        if (!chosen || voice->lastStart < chosen->lastStart)
            chosen = voice.get();
    }
    if (!chosen)
        return;
    // A looped voice that still sounds is only kept.
    if (!chosen->looped || chosen->sound->GetState() != Sound::Playing)
        soundManager->QueueCommand(VantoranEngine::SoundCommand::Play, chosen->sound);
    chosen->lastStart = now;
}

void SoundPlayer::StopSound(int32_t soundId)
{
    if (!soundManager)
        return;
    for (const auto& voice : voices)
        if (voice->soundId == soundId)
            soundManager->QueueCommand(VantoranEngine::SoundCommand::Stop, voice->sound);
}

void SoundPlayer::SetSoundLooping(int32_t soundId, bool looped)
{
    for (const auto& voice : voices) {
        if (voice->soundId != soundId)
            continue;
        voice->looped = looped;
        voice->sound->SetLooped(looped);
    }
}

int32_t SoundPlayer::GetSoundState(int32_t soundId) const
{
    if (!soundManager)
        return Sound::Stopped;
    for (const auto& voice : voices)
        if (voice->soundId == soundId)
            return voice->sound->GetState();
    return Sound::Stopped;
}

void SoundPlayer::PlayMusic(int32_t trackId, int32_t channel, float fadeInSpeed)
{
    if (!soundManager)
        return;
    MusicTrack* track = nullptr;
    auto found = channels.find(channel);
    if (found != channels.end() && found->second->trackId == trackId) {
        track = found->second;
        if (track->stream->GetState() == Sound::Playing)
            return;
    } else {
        track = FindMusicTrack(trackId);
        if (!track)
            return;
        if (found != channels.end()) {
            found->second->fadeState = MusicFadeState::FadingOutToStop;
            found->second->fadeSpeed = replacedTrackFadeSpeed;
            found->second = track;
        } else {
            channels[channel] = track;
        }
    }
    track->fadeLevel = 0.0f;
    track->ApplyVolume();
    track->fadeState = MusicFadeState::Steady;
    track->Play();
    track->fadeState = MusicFadeState::FadingIn;
    track->fadeSpeed = fadeInSpeed;
}

void SoundPlayer::FadeMusic(int32_t channel, bool pause, bool fade, float fadeSpeed)
{
    MusicTrack* track = soundManager ? FindMusicChannel(channel) : nullptr;
    if (!track)
        return;
    const int32_t state = track->stream->GetState();
    if (pause) {
        if (GetMusicState(channel) == Sound::Paused || state != Sound::Playing)
            return;
        if (fade) {
            if (track->fadeState == MusicFadeState::FadingOutToStop)
                return;
            track->fadeState = MusicFadeState::FadingOutToPause;
            track->fadeSpeed = fadeSpeed;
        } else if (track->fadeState == MusicFadeState::FadingOutToStop) {
            track->Stop();
        } else {
            track->stream->Pause();
        }
        return;
    }
    if (GetMusicState(channel) == Sound::Playing || state != Sound::Paused)
        return;
    if (fade) {
        track->fadeLevel = 0.0f;
        track->ApplyVolume();
        track->Play();
        track->fadeState = MusicFadeState::FadingIn;
        track->fadeSpeed = fadeSpeed;
    } else {
        track->fadeLevel = 1.0f;
        track->ApplyVolume();
        track->Play();
    }
}

void SoundPlayer::FadeAll(bool pause, bool fade, float fadeSpeed)
{
    for (const auto& [channel, track] : channels)
        FadeMusic(channel, pause, fade, fadeSpeed);
    if (!soundManager || !pause || fade)
        return;
    // A track replaced on its channel fades out off every channel; no tick updates it while the game is
    // paused, so it would keep sounding. It was about to stop: stop it now.
    for (const auto& track : tracks) {
        if (track->fadeState != MusicFadeState::FadingOutToStop || IsOnChannel(track.get()))
            continue;
        track->Stop();
        track->fadeLevel = 0.0f;
        track->fadeState = MusicFadeState::Steady;
        track->ApplyVolume();
    }
}

void SoundPlayer::StopMusic(int32_t channel, float fadeOutSpeed)
{
    MusicTrack* track = soundManager ? FindMusicChannel(channel) : nullptr;
    if (!track || GetMusicState(channel) == Sound::Stopped)
        return;
    if (track->stream->GetState() == Sound::Paused) {
        track->stream->Stop();
        return;
    }
    track->fadeState = MusicFadeState::FadingOutToStop;
    track->fadeSpeed = fadeOutSpeed;
}

void SoundPlayer::StopAllMusic(float fadeOutSpeed)
{
    for (const auto& [channel, track] : channels)
        StopMusic(channel, fadeOutSpeed);
}

int32_t SoundPlayer::GetMusicState(int32_t channel) const
{
    MusicTrack* track = soundManager ? FindMusicChannel(channel) : nullptr;
    if (!track || !track->soundManager)
        return Sound::Stopped;
    const int32_t state = track->stream->GetState();
    return state == Sound::Playing || state == Sound::Paused ? state : int32_t(Sound::Stopped);
}

MusicTrack* SoundPlayer::FindMusicChannel(int32_t channel) const
{
    auto found = channels.find(channel);
    return found == channels.end() ? nullptr : found->second;
}

MusicTrack* SoundPlayer::FindMusicTrack(int32_t trackId) const
{
    for (const auto& track : tracks)
        if (track->trackId == trackId)
            return track.get();
    return nullptr;
}

void SoundPlayer::SetMusicVolume(float volume)
{
    if (!soundManager)
        return;
    musicVolume = ClampVolume(volume);
    for (const auto& track : tracks) {
        track->volume = musicVolume;
        track->ApplyVolume();
    }
}

void SoundPlayer::SetSoundVolume(float volume)
{
    if (!soundManager)
        return;
    soundVolume = ClampVolume(volume);
    for (Sound* sound : soundManager->GetSounds()) {
        bool isStream = false;
        for (const auto& track : tracks)
            isStream = isStream || track->stream == sound;
        if (!isStream)
            sound->SetVolume(soundVolume);
    }
}

float SoundPlayer::GetDefaultMusicVolume() const
{
    return static_cast<float>(std::atof(config->GetDefaultText(musicVolumeName).c_str()));
}

float SoundPlayer::GetDefaultSoundVolume() const
{
    return static_cast<float>(std::atof(config->GetDefaultText(soundVolumeName).c_str()));
}

void SoundPlayer::Update()
{
    if (!soundManager)
        return;
    for (const auto& track : tracks)
        track->Update();
}

bool SoundPlayer::IsOnChannel(const MusicTrack* track) const
{
    for (const auto& [channel, onChannel] : channels)
        if (onChannel == track)
            return true;
    return false;
}

} // namespace GameFramework

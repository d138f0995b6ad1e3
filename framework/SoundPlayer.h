#pragma once
// The framework's one front end to sound: game sounds by small integer id, each with several voices, and
// music tracks played on numbered channels with fades.
//
// Rules:
// - A request for a sound id within 0.02 s (main-timer time) of the last start of any voice of that id
//   is dropped; otherwise the voice started longest ago plays, through the engine's deferred command
//   queue (carried out by the next full sound update of the frame, not during a loading wait).
// - A channel holds at most one track; another track on a busy channel fades the old one out over one
//   second, off the channel. Fade speeds are fade-level units per second of frame time.
// - Pausing all music at once also stops the tracks that were fading out off their channel, so nothing
//   keeps sounding while the game is in the background.
// - Without a sound manager (no sound device) every operation does nothing, the states read 2 (stopped)
//   and the volume setters neither store nor apply.
// - Volumes live in the console variables g_music_volume and g_sound_volume (saved, 0..1); the setters
//   clamp, store and apply them. Nothing is logged or thrown here. Main thread only.

#include "framework/VolumeControl.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {
class Config;
class Engine;
class SoundManager;
class TimerManager;
} // namespace VantoranEngine

namespace GameFramework {

class MusicTrack;
struct SoundEntry;

class SoundPlayer : public VolumeControl {
public:
    static constexpr float minimumRestartInterval = 0.02f; // seconds between two starts of one id
    static constexpr float replacedTrackFadeSpeed = 1.0f;  // a track replaced on its channel

    SoundPlayer(VantoranEngine::Engine& engine, float defaultMusicVolume, float defaultSoundVolume);
    // The services themselves (tests); soundManager may be null.
    SoundPlayer(VantoranEngine::Config& config, VantoranEngine::SoundManager* soundManager,
                VantoranEngine::TimerManager& timerManager, float defaultMusicVolume, float defaultSoundVolume);
    ~SoundPlayer() override;

    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void RegisterSound(int32_t voiceCount, int32_t soundId, const std::string& file, bool looped);
    void RegisterMusic(int32_t trackId, const std::string& file, bool looped);

    void PlaySound(int32_t soundId);
    void StopSound(int32_t soundId);
    void SetSoundLooping(int32_t soundId, bool looped);
    // 0 playing, 1 paused, 2 stopped (also for an id without voices).
    int32_t GetSoundState(int32_t soundId) const;

    // An unregistered track id is ignored.
    void PlayMusic(int32_t trackId, int32_t channel, float fadeInSpeed);
    void FadeMusic(int32_t channel, bool pause, bool fade, float fadeSpeed);
    void FadeAll(bool pause, bool fade, float fadeSpeed);
    void StopMusic(int32_t channel, float fadeOutSpeed);
    void StopAllMusic(float fadeOutSpeed);
    // 0 playing, 1 paused, 2 otherwise.
    int32_t GetMusicState(int32_t channel) const;
    MusicTrack* FindMusicChannel(int32_t channel) const;
    MusicTrack* FindMusicTrack(int32_t trackId) const;

    void SetMusicVolume(float volume) override;
    void SetSoundVolume(float volume) override;
    float GetMusicVolume() const override { return musicVolume; }
    float GetSoundVolume() const override { return soundVolume; }
    float GetDefaultMusicVolume() const;
    float GetDefaultSoundVolume() const;

    // One fade step of every track, in registration order.
    void Update();

    VantoranEngine::Config* config;
    VantoranEngine::SoundManager* soundManager; // null without a sound device
    VantoranEngine::TimerManager* timerManager;
    std::vector<std::unique_ptr<SoundEntry>> voices;
    std::vector<std::unique_ptr<MusicTrack>> tracks;
    float musicVolume = 0.0f; // storage of g_music_volume
    float soundVolume = 0.0f; // storage of g_sound_volume
    std::map<int32_t, MusicTrack*> channels; // ascending keys; tracks are owned by `tracks`

private:
    bool IsOnChannel(const MusicTrack* track) const;
};

} // namespace GameFramework

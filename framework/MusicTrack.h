#pragma once
// One registered piece of music: a streamed engine Sound with a fade level that the sound player moves
// towards full level or silence once per tick. The stream's volume is always volume x fade level.
//
// Rules:
// - Fade speeds are changes of the fade level (0..1) per second of frame time: 0.5 fades in two seconds.
// - Without a sound manager the track has no stream and every operation does nothing.
// - Main thread only.

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Sound;
class SoundManager;
class TimerManager;
} // namespace VantoranEngine

namespace GameFramework {

enum class MusicFadeState { Steady, FadingIn, FadingOutToPause, FadingOutToStop };

class MusicTrack {
public:
    // Creates the stream (when there is a sound manager) and takes its fade level from the stream's own
    // volume.
    MusicTrack(VantoranEngine::SoundManager* soundManager, VantoranEngine::TimerManager* timerManager,
               const std::string& file, bool looped, int32_t trackId);
    virtual ~MusicTrack();

    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;

    // One fade step by the frame time; a fade out that falls below 0 stops or pauses the stream.
    void Update();
    // stream volume := volume x fade level.
    void ApplyVolume();
    // Steady, then the stream plays at once (restarting it when it plays already).
    void Play();
    void Stop();

    VantoranEngine::SoundManager* soundManager;
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::Sound* stream = nullptr; // owned: handed back to SoundManager::DestroySound
    int32_t trackId;
    float fadeLevel = 1.0f;
    float volume = 1.0f;
    MusicFadeState fadeState = MusicFadeState::Steady;
    float fadeSpeed = 0.0f; // fade level per second
};

} // namespace GameFramework

#pragma once
// The volume handling the options and the in-level menu share: slider steps of 1/1000 of full volume
// pushed into the sound player, and the sound slider's sample repeated while its thumb is held.

#include <cstdint>

namespace VantoranEngine {
class GUISlider;
}

namespace GameFramework {
class SoundPlayer;
}

namespace Petalwork {

class VolumeSliders {
public:
    static constexpr float stepsPerVolume = 1000.0f;
    static constexpr float tolerance = 0.001f; // smaller differences are not pushed
    static constexpr int32_t sliderSound = 0;   // "volume_slider", looped

    VolumeSliders(GameFramework::SoundPlayer* player, VantoranEngine::GUISlider* sound,
                  VantoranEngine::GUISlider* music);

    // active: the dialog is shown and not fading out. Only then do the sliders move the volumes; when
    // not active the sample is stopped.
    void Update(bool active);
    // Both sliders on these volumes (0..1), clamped to their steps.
    void Set(float soundVolume, float musicVolume);

private:
    GameFramework::SoundPlayer* player;
    VantoranEngine::GUISlider* sound;
    VantoranEngine::GUISlider* music;
};

} // namespace Petalwork

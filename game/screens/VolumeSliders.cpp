#include "game/screens/VolumeSliders.h"

#include "engine/render/gui/GUISlider.h"
#include "framework/SoundPlayer.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

namespace {
constexpr int32_t soundPlaying = 0; // SoundPlayer::GetSoundState

int32_t StepOf(const VantoranEngine::GUISlider& slider, float volume)
{
    return std::clamp(static_cast<int32_t>(std::trunc(volume * VolumeSliders::stepsPerVolume)), 0, slider.steps - 1);
}
} // namespace

VolumeSliders::VolumeSliders(GameFramework::SoundPlayer* player, VantoranEngine::GUISlider* sound,
                             VantoranEngine::GUISlider* music)
    : player(player), sound(sound), music(music)
{
}

void VolumeSliders::Update(bool active)
{
    const bool playing = player->GetSoundState(sliderSound) == soundPlaying;
    if (!active) {
        if (playing)
            player->StopSound(sliderSound);
        return;
    }
    const float soundVolume = static_cast<float>(sound->position) / stepsPerVolume;
    const float musicVolume = static_cast<float>(music->position) / stepsPerVolume;
    if (std::fabs(soundVolume - player->GetSoundVolume()) > tolerance)
        player->SetSoundVolume(soundVolume);
    if (std::fabs(musicVolume - player->GetMusicVolume()) > tolerance)
        player->SetMusicVolume(musicVolume);
    const bool held = sound->GetThumb() != nullptr && sound->GetThumb()->pressed;
    if (held && !playing)
        player->PlaySound(sliderSound);
    else if (!held && playing)
        player->StopSound(sliderSound);
}

void VolumeSliders::Set(float soundVolume, float musicVolume)
{
    sound->SetPosition(StepOf(*sound, soundVolume));
    music->SetPosition(StepOf(*music, musicVolume));
}

} // namespace Petalwork

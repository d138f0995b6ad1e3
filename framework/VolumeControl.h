#pragma once
// VolumeControl: the two volumes of the game's sound and music player as the profile manager sees them
// (each 0..1). The player implements it; tests give their own.

namespace GameFramework {

class VolumeControl {
public:
    virtual ~VolumeControl() = default;
    virtual float GetMusicVolume() const = 0;
    virtual float GetSoundVolume() const = 0;
    virtual void SetMusicVolume(float volume) = 0;
    virtual void SetSoundVolume(float volume) = 0;
};

} // namespace GameFramework

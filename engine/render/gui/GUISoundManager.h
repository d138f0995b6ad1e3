#pragma once
// GUISoundManager: the sounds of the GUI's events (a button hovered or pressed, a text changed), played
// for the widgets.
//
// Rules:
// - An event may have several sounds; each play takes the one played least recently (the first on a
//   tie), so they alternate.
// - An event plays nothing while any of its sounds was played less than 0.01 s (main timer) before or
//   after now: several widgets raising it in one frame give one sound. Plays are queued for the next
//   SoundManager::Update.
// - Without a SoundManager (no sound device) adding and playing do nothing.
// - The sounds belong to the SoundManager; this manager destroys them through it. Main thread only.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace VantoranEngine {

class Sound;
class SoundManager;
class TimerManager;

// Events the engine's widgets raise; other ids are free for the game.
enum GUISoundEvent : int32_t {
    guiSoundButtonHover = 0,
    guiSoundButtonPress = 1,
    guiSoundCheckBoxHover = 2,
    guiSoundCheckBoxPress = 3,
    guiSoundSliderThumbHover = 6,
    guiSoundSliderThumbPress = 7,
    guiSoundScrollThumbHover = 8,
    guiSoundScrollThumbPress = 9,
    guiSoundScrollArrowHover = 10,
    guiSoundScrollArrowPress = 11,
    guiSoundEditBoxTextChanged = 12,
};

class GUISoundManager {
public:
    // Seconds within which a second play of an event is dropped.
    static constexpr float repeatGuard = 0.01f;

    // `soundManager` may be null.
    GUISoundManager(TimerManager* timerManager, SoundManager* soundManager);
    virtual ~GUISoundManager();

    GUISoundManager(const GUISoundManager&) = delete;
    GUISoundManager& operator=(const GUISoundManager&) = delete;

    void AddSound(int32_t event, const std::string& name);
    void PlayEvent(int32_t event);

    struct Entry {
        Sound* sound = nullptr;
        float lastPlay = 0.0f; // main timer seconds
    };
    const std::map<int32_t, std::vector<Entry>>& GetEvents() const { return events; }

private:
    TimerManager* timerManager;
    SoundManager* soundManager;
    std::map<int32_t, std::vector<Entry>> events;
    float volume = 1.0f; // given to every sound as it is added
};

} // namespace VantoranEngine

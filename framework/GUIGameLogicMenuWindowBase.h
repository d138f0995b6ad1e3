#pragma once
// Base of the menu opened during a level: full screen or a window, and the music and sound volumes.
// Window contract as in GUILogosWindowBase.h.
//
// Rules:
// - Show takes a snapshot (fullscreen and both volumes); the game window changes the player's volumes
//   directly and may give them back from the snapshot.
// - Hide always saves the configuration file and stores the volumes the player left in the current
//   profile, which it saves.

#include <cstdint>

namespace VantoranEngine {
class Config;
class Engine;
struct EngineSettings;
}

namespace GameFramework {

class ProfileManagerBase;
class SoundPlayer;

class GUIGameLogicMenuWindowBase {
public:
    GUIGameLogicMenuWindowBase(VantoranEngine::Engine* engine, SoundPlayer* soundPlayer,
                               ProfileManagerBase* profiles);
    virtual ~GUIGameLogicMenuWindowBase();

    GUIGameLogicMenuWindowBase(const GUIGameLogicMenuWindowBase&) = delete;
    GUIGameLogicMenuWindowBase& operator=(const GUIGameLogicMenuWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();
    // Writes the fullscreen choice to v_fullscreen and fires g_update_video_mode when it differs.
    virtual void ApplyFullscreen();

    VantoranEngine::Engine* engine;
    VantoranEngine::Config* config;
    VantoranEngine::EngineSettings* settings; // storage of v_fullscreen
    SoundPlayer* soundPlayer;
    ProfileManagerBase* profiles;
    bool fullscreenChoice = false;
    float savedSoundVolume = 0.0f;
    float savedMusicVolume = 0.0f;
    int32_t result = 0; // 1 resume, 2 leave the level
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

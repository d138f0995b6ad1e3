#pragma once
// Base of the options screen of the main menu: the video mode, full screen or a window, and the music and
// sound volumes. Window contract as in GUILogosWindowBase.h.
//
// Rules:
// - Show takes a snapshot of the settings; the game window changes the player's volumes directly while a
//   slider moves and sets the selected mode and the fullscreen choice.
// - Nothing reaches the video mode or a file before Apply. Apply writes v_mode and v_fullscreen, fires
//   g_update_video_mode once when either changed (the tick carries it out), saves the configuration file
//   and stores the volumes in the current profile, which it saves.
// - Revert gives the player's volumes back their snapshot; the video choices are simply not applied.

#include "framework/VideoMode.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace VantoranEngine {
class Config;
class Engine;
struct EngineSettings;
}

namespace GameFramework {

class ProfileManagerBase;
class SoundPlayer;

class GUIOptionsWindowBase {
public:
    GUIOptionsWindowBase(VantoranEngine::Engine* engine, SoundPlayer* soundPlayer, ProfileManagerBase* profiles);
    virtual ~GUIOptionsWindowBase();

    GUIOptionsWindowBase(const GUIOptionsWindowBase&) = delete;
    GUIOptionsWindowBase& operator=(const GUIOptionsWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();
    virtual void Apply();
    virtual void SetDefaults();
    virtual void Revert();

    // Adds 800 by 600 when the list lacks it, then sorts by width, then height.
    void BuildVideoModeList();
    // The first entry of that size.
    bool FindVideoMode(int32_t width, int32_t height, int32_t& index) const;
    // The entry of the size of v_mode's default text; 0 when the list has none.
    int32_t FindDefaultVideoMode() const;

    VantoranEngine::Engine* engine;
    VantoranEngine::Config* config;
    VantoranEngine::EngineSettings* settings; // storage of v_mode and v_fullscreen
    SoundPlayer* soundPlayer;
    ProfileManagerBase* profiles;
    int32_t result = 0;       // 1 back to the main menu
    bool shown = false; // between the base's Show and Hide
    int32_t selectedMode = 0; // index into modes
    std::vector<std::unique_ptr<VideoMode>> modes;
    bool fullscreenChoice = false;
    int32_t colourDepth = 0; // bits per pixel, kept from v_mode
    float savedSoundVolume = 0.0f;
    float savedMusicVolume = 0.0f;
};

} // namespace GameFramework

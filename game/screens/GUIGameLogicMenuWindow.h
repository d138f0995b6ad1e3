#pragma once
// The menu opened during a level: sound and music volume sliders, a full-screen check box that applies
// at once, and leave and return buttons (return wins when both were clicked in one frame). Hiding it
// saves the configuration and stores the volumes in the current profile.
//
// Rules: the volumes follow the sliders only while the menu is shown and not fading out; the sound
// slider's sample repeats while its thumb is held. Main thread only.

#include "framework/GUIGameLogicMenuWindowBase.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/VolumeSliders.h"

#include <optional>

namespace Petalwork {

class GameData;

class GUIGameLogicMenuWindow : public GameFramework::GUIGameLogicMenuWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultReturn = 1;
    static constexpr int32_t resultLeave = 2;
    static constexpr float frameY = 120.0f;

    // The frame hangs under the bundle's in-level panel layer window.
    GUIGameLogicMenuWindow(VantoranEngine::Engine* engine, GameData& data, GameFramework::SoundPlayer* soundPlayer,
                           GameFramework::ProfileManagerBase* profiles);
    ~GUIGameLogicMenuWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    VantoranEngine::GUISlider* GetSoundSlider() const { return soundSlider; }
    VantoranEngine::GUISlider* GetMusicSlider() const { return musicSlider; }
    VantoranEngine::GUICheckBox* GetFullscreenBox() const { return fullscreenBox; }
    VantoranEngine::GUIButton* GetLeaveButton() const { return leaveButton; }
    VantoranEngine::GUIButton* GetReturnButton() const { return returnButton; }

private:
    VantoranEngine::GUISlider* soundSlider = nullptr;
    VantoranEngine::GUISlider* musicSlider = nullptr;
    VantoranEngine::GUICheckBox* fullscreenBox = nullptr;
    VantoranEngine::GUIButton* leaveButton = nullptr;
    VantoranEngine::GUIButton* returnButton = nullptr;
    std::optional<VolumeSliders> volumes; // made with the sliders
};

} // namespace Petalwork

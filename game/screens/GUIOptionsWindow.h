#pragma once
// The options of the main menu: sound and music volume sliders (step = volume x 1000), full screen, the
// relax mode, and done, defaults and cancel.
//
// Rules:
// - The volumes follow the sliders live, but only while the dialog is shown and not fading out: once
//   cancel has put the volumes and the sliders back on the snapshot, nothing moves them again.
// - While the sound slider's thumb is held its sample repeats at the new volume; it stops on release or
//   when the dialog closes.
// - Done applies the choices (800 x 600 at 32 bits, full screen, relax mode, high quality), saves the
//   configuration and stores the volumes in the current profile. Cancel applies nothing. Defaults sets
//   the defaults in the controls and the volumes and keeps the dialog open.
// - Main thread only.

#include "framework/GUIOptionsWindowBase.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/VolumeSliders.h"

#include <optional>

namespace Petalwork {

class GameData;

class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultClose = 1;

    GUIOptionsWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                     GameFramework::SoundPlayer* soundPlayer, GameFramework::ProfileManagerBase* profiles);
    ~GUIOptionsWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    VantoranEngine::GUISlider* GetSoundSlider() const { return soundSlider; }
    VantoranEngine::GUISlider* GetMusicSlider() const { return musicSlider; }
    VantoranEngine::GUICheckBox* GetFullscreenBox() const { return fullscreenBox; }
    VantoranEngine::GUICheckBox* GetRelaxBox() const { return relaxBox; }
    VantoranEngine::GUIButton* GetDoneButton() const { return doneButton; }
    VantoranEngine::GUIButton* GetDefaultsButton() const { return defaultsButton; }
    VantoranEngine::GUIButton* GetCancelButton() const { return cancelButton; }

private:
    // The controls as the base's snapshot or defaults have them.
    void LoadControls(bool relaxChecked);

    VantoranEngine::GUISlider* soundSlider = nullptr;
    VantoranEngine::GUISlider* musicSlider = nullptr;
    VantoranEngine::GUICheckBox* fullscreenBox = nullptr;
    VantoranEngine::GUICheckBox* relaxBox = nullptr;
    VantoranEngine::GUIButton* doneButton = nullptr;
    VantoranEngine::GUIButton* defaultsButton = nullptr;
    VantoranEngine::GUIButton* cancelButton = nullptr;
    std::optional<VolumeSliders> volumes; // made with the sliders
};

} // namespace Petalwork

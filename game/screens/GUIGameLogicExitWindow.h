#pragma once
// The question whether to leave the running level, over the in-level menu. Cancel wins when both buttons
// were clicked in one frame. Clicks count only while the dialog is shown and not fading out. Main thread
// only.

#include "framework/GUIGameLogicExitWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUIGameLogicExitWindow : public GameFramework::GUIGameLogicExitWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultCancel = 1; // back to the in-level menu
    static constexpr int32_t resultLeave = 2;

    // The frame hangs under the bundle's in-level panel layer window.
    GUIGameLogicExitWindow(VantoranEngine::Engine* engine, GameData& data);
    ~GUIGameLogicExitWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    VantoranEngine::GUIButton* GetOkButton() const { return okButton; }
    VantoranEngine::GUIButton* GetCancelButton() const { return cancelButton; }

private:
    VantoranEngine::GUIButton* okButton = nullptr;
    VantoranEngine::GUIButton* cancelButton = nullptr;
};

} // namespace Petalwork

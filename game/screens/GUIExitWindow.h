#pragma once
// The yes/no question before the program ends. "No" hands back the code the dialog was shown with.
// Clicks count only while the dialog is shown and not fading out. Main thread only.

#include "framework/GUIExitWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUIExitWindow : public GameFramework::GUIExitWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultQuit = 4;

    GUIExitWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent);
    ~GUIExitWindow() override;

    void Update() override;
    // returnCode: 1, 2 or 3, handed back by "no"; any other code makes "no" do nothing.
    void Show(int32_t returnCode) override;
    void Hide() override;

    VantoranEngine::GUIButton* GetYesButton() const { return yesButton; }
    VantoranEngine::GUIButton* GetNoButton() const { return noButton; }

private:
    VantoranEngine::GUIButton* yesButton = nullptr;
    VantoranEngine::GUIButton* noButton = nullptr;
};

} // namespace Petalwork

#pragma once
// The first-run dialog: asks for the first player's name and creates that profile.
//
// Rules:
// - The name is the box's text without surrounding white space; OK (and ENTER) act only when it is not
//   empty, so no profile is ever made without a name.
// - Accepting makes the profile the manager hands back current and saves the manager file: the main
//   menu always finds a current profile after this dialog.
// - Clicks and keys count only while the dialog is shown and not fading out.
// - Main thread only.

#include "framework/GUIWelcomeWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultCreated = 1;
    static constexpr int32_t resultExit = 2;

    GUIWelcomeWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                     GameFramework::ProfileManagerBase* profiles);
    ~GUIWelcomeWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    VantoranEngine::GUIEditBox* GetNameBox() const { return nameBox; }
    VantoranEngine::GUIButton* GetOkButton() const { return okButton; }
    VantoranEngine::GUIButton* GetExitButton() const { return exitButton; }

private:
    VantoranEngine::GUIButton* exitButton = nullptr;
    VantoranEngine::GUIButton* okButton = nullptr;
    VantoranEngine::GUIEditBox* nameBox = nullptr;
};

} // namespace Petalwork

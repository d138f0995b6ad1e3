#pragma once
// The dialog that asks for a new profile's name. Offers cancel while profiles exist and exit when none
// is left (after the last one was deleted).
//
// Rules:
// - The name is the box's text without surrounding white space; OK (and ENTER) act only when it is not
//   empty. A name the manager already holds (in any letter case) gives result 1 and changes nothing.
// - Clicks and keys count only while the dialog is shown and not fading out.
// - Main thread only.

#include "framework/GUINewProfileWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultNameTaken = 1;
    static constexpr int32_t resultBack = 2; // created, or cancelled
    static constexpr int32_t resultExit = 3;

    GUINewProfileWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                        GameFramework::ProfileManagerBase* profiles);
    ~GUINewProfileWindow() override;

    void Update() override;
    // Fresh empties the name box; back from a name conflict keeps what was typed.
    void Show(Mode mode) override;
    void Hide() override;

    VantoranEngine::GUIEditBox* GetNameBox() const { return nameBox; }
    VantoranEngine::GUIButton* GetOkButton() const { return okButton; }
    VantoranEngine::GUIButton* GetCancelButton() const { return cancelButton; }
    VantoranEngine::GUIButton* GetExitButton() const { return exitButton; }

private:
    VantoranEngine::GUIEditBox* nameBox = nullptr;
    VantoranEngine::GUIButton* okButton = nullptr;
    VantoranEngine::GUIButton* cancelButton = nullptr;
    VantoranEngine::GUIButton* exitButton = nullptr;
};

} // namespace Petalwork

#pragma once
// The dialog that gives a profile a new name.
//
// Rules:
// - The new name is the box's text without surrounding white space; OK (and ENTER) act only when it is
//   not empty. Names are compared trimmed and without regard to letter case, so no two profiles ever
//   share a name; another profile's name gives result 1 and changes nothing.
// - Clicks and keys count only while the dialog is shown and not fading out.
// - Main thread only.

#include "framework/GUIRenameProfileWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultNameTaken = 1;
    static constexpr int32_t resultBack = 2; // renamed, or cancelled

    GUIRenameProfileWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                           GameFramework::ProfileManagerBase* profiles);
    ~GUIRenameProfileWindow() override;

    void Update() override;
    // takeName: rename `name`, shown in the box; clear (back from a name conflict): keep the box as typed.
    void Show(bool takeName, const std::u16string& name) override;
    void Hide() override;

    VantoranEngine::GUIEditBox* GetNameBox() const { return nameBox; }
    VantoranEngine::GUIButton* GetOkButton() const { return okButton; }
    VantoranEngine::GUIButton* GetCancelButton() const { return cancelButton; }

private:
    VantoranEngine::GUIEditBox* nameBox = nullptr;
    VantoranEngine::GUIButton* okButton = nullptr;
    VantoranEngine::GUIButton* cancelButton = nullptr;
};

} // namespace Petalwork

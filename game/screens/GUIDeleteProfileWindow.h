#pragma once
// The dialog that confirms deleting a profile, naming it in quotes. Clicks count only while the dialog
// is shown and not fading out, so a second "yes" never deletes twice. Main thread only.

#include "framework/GUIDeleteProfileWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultBack = 1;      // declined, or deleted with profiles left
    static constexpr int32_t resultNoneLeft = 2;  // the last profile is gone

    GUIDeleteProfileWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                           GameFramework::ProfileManagerBase* profiles);
    ~GUIDeleteProfileWindow() override;

    void Update() override;
    void Show(const std::u16string& name) override;
    void Hide() override;

    VantoranEngine::GUIButton* GetYesButton() const { return yesButton; }
    VantoranEngine::GUIButton* GetNoButton() const { return noButton; }

private:
    VantoranEngine::GUIButton* yesButton = nullptr;
    VantoranEngine::GUIButton* noButton = nullptr;
};

} // namespace Petalwork

#pragma once
// The main menu: four glow buttons, the current player's greeting on a profile plate with a
// change-profile link, two anchor models that slide the menu and the plate in and out, and a hidden
// hover sequence (start, high scores, options, exit, three rounds) that opens the credits.
//
// Rules:
// - The frame follows the menu anchor's box centre, the plate the plate anchor's, only while their
//   animations play; the plate is shown exactly while there is a current profile.
// - Clicks and the hover sequence count only while the menu is shown and not fading out; texts are
//   queued while the frame is drawn.
// - The hover test uses x and y of each button's rectangle on the GUI screen, bounds included.
// - Main thread only.

#include "framework/GUIMainMenuWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

#include <cstdint>

namespace VantoranEngine {
class Model;
class ModelManager;
}

namespace GameFramework {
class ProfileManagerBase;
}

namespace Petalwork {

class GameData;

class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultChangeProfile = 1;
    static constexpr int32_t resultStart = 2;
    static constexpr int32_t resultHighScores = 3;
    static constexpr int32_t resultOptions = 4;
    static constexpr int32_t resultExit = 5;
    static constexpr int32_t resultCredits = 6;
    static constexpr int32_t hoverRounds = 3;     // rounds of the hover sequence that open the credits
    static constexpr int slideIn = 0;              // anchor animation ids
    static constexpr int slideOut = 1;

    // `parent`: the flower-house scene's window; the plate is its child too.
    GUIMainMenuWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                      GameFramework::ProfileManagerBase* profiles);
    ~GUIMainMenuWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    VantoranEngine::GUIButton* GetStartButton() const { return startButton; }
    VantoranEngine::GUIButton* GetHighScoresButton() const { return highScoresButton; }
    VantoranEngine::GUIButton* GetOptionsButton() const { return optionsButton; }
    VantoranEngine::GUIButton* GetExitButton() const { return exitButton; }
    VantoranEngine::GUIButton* GetChangeProfileButton() const { return changeProfileButton; }
    VantoranEngine::GUIWindow* GetPlate() const { return plate; }
    VantoranEngine::Model* GetMenuAnchor() const { return menuAnchor; }
    VantoranEngine::Model* GetPlateAnchor() const { return plateAnchor; }
    int32_t GetHoverCount() const { return hoverCount; }
    int32_t GetSequenceStep() const { return sequenceStep; }

private:
    // The button (1 start .. 4 exit) under the cursor, or 0.
    int32_t HoveredButton() const;
    void UpdateHoverSequence();
    void ResetHoverSequence();
    void QueueGreeting();
    void QueueButtonCaption(VantoranEngine::GUIButton* button, const char* key, int32_t fontId) const;
    void PlayAnchors(int animation);
    static void CentreOnAnchor(VantoranEngine::GUIWindow* window, const VantoranEngine::Model* anchor);
    static bool IsPlaying(const VantoranEngine::Model* anchor);

    int32_t hoverCount = 0;
    VantoranEngine::ModelManager* modelManager;
    GameFramework::ProfileManagerBase* profiles;
    VantoranEngine::GUIButton* changeProfileButton = nullptr;
    VantoranEngine::GUIButton* startButton = nullptr;
    VantoranEngine::GUIButton* highScoresButton = nullptr;
    VantoranEngine::GUIButton* optionsButton = nullptr;
    VantoranEngine::GUIButton* exitButton = nullptr;
    VantoranEngine::GUIWindow* plate = nullptr;
    VantoranEngine::Model* menuAnchor = nullptr;  // owned, listed with the model manager; may be null
    VantoranEngine::Model* plateAnchor = nullptr; // owned, listed with the model manager; may be null
    int32_t sequenceStep = 0; // 0..4: the last button of the sequence reached in order
    int32_t lastHovered = 0;  // 0..4
    bool menuFollowing = false;  // the menu anchor played at the last Update
    bool plateFollowing = false; // the plate anchor played at the last Update
};

} // namespace Petalwork

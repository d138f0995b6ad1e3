#pragma once
// GUIGameLogicLoadingWindow: the level-loading screen. A flower-screen model closes over the screen
// (animation 0, frames 0-15), the level's resources load behind it, and it opens again over the new
// level (animation 1, frames 15-30), after which the model is hidden.
//
// Rules:
// - The screen is "up" while its marker window is visible; the model outlives Hide and finishes
//   opening over the level.
// - Phases: 0 closing or loading; 1 and 2 the two frames drawn after the screen has closed and
//   before the load blocks (the game object keeps the flower house hidden meanwhile).
// - Skip mode (set by the game object before Show, for the next level of a stage): the load runs
//   inside Show and result 1 follows at the next Update. The flower screen does not close again: it
//   opens from the covered frame so the new level is uncovered and the model hidden at the end.
//   Hide clears the flag, so a later Show without it takes the normal path.
// - Main thread only.

#include "framework/GUILoadingWindowBase.h"

namespace VantoranEngine {
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
} // namespace VantoranEngine

namespace GameFramework {
class SoundPlayer;
}

namespace Petalwork {

class GUIGameLogicLoadingWindow : public GameFramework::GUILoadingWindowBase {
public:
    static constexpr int closeAnimation = 0;  // frames 0-15
    static constexpr int openAnimation = 1;   // frames 15-30
    static constexpr float modelDepth = -10000.0f; // over everything
    static constexpr int closedSound = 53;    // "flower_screen_disappear"

    GUIGameLogicLoadingWindow(VantoranEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer);
    ~GUIGameLogicLoadingWindow() override;

    void Update() override;
    void Show(GameFramework::DataKeeper* data) override;
    void Hide() override;

    bool IsUp() const;
    int GetPhase() const { return phase; }
    VantoranEngine::Model* GetFlowerScreen() const { return flowerScreen; }

    bool skip = false; // set by the game object before Show

private:
    void PlayAnimation(int id);
    bool IsModelDrawn() const;
    bool HasStopped(int id) const;

    VantoranEngine::GUIManager* gui;
    VantoranEngine::GUIWindow* marker = nullptr; // owned through the GUI manager's list
    VantoranEngine::ModelManager* models;
    VantoranEngine::Model* flowerScreen = nullptr; // owned, listed with the model manager
    GameFramework::SoundPlayer* soundPlayer;
    int phase = 0;
    int currentAnimation = closeAnimation; // the flower screen's animation id last started
};

} // namespace Petalwork

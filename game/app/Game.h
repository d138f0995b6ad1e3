#pragma once
// This game's application object: the framework's game object with the game's console variables, texts,
// sounds and music, and its factories.
//
// Rules:
// - Constructing a Game runs the whole start-up (GameBase::Init); an exception leaves through the
//   constructor after the destructors have deleted what existed.
// - Shutdown deletes the running level before anything it reads, then the game's own objects, then the
//   framework's; the game's console variables are unregistered before their storage dies.

#include "framework/GameBase.h"

#include <string>

namespace VantoranEngine {
class GUIWindow;
}

namespace Petalwork {

class GUIBackgroundWindow;
class GUICreditsWindow;
class GUIFlowerHouse;
class GameData;
class GameLogicBackground;

class Game : public GameFramework::GameBase {
public:
    static constexpr int32_t iconResource = 101;

    Game(const std::string& title, const std::string& company);
    ~Game() override;

    void FillEngineDescriptor(VantoranEngine::EngineDescriptor& descriptor) override;
    void RegisterConsoleVariables() override;
    void LoadTexts() override;
    void RegisterSounds() override;
    float GetDefaultMusicVolume() override;
    float GetDefaultSoundVolume() override;
    void UpdateWindows() override;

    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override;
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override;
    std::unique_ptr<GameFramework::DataKeeper> CreateGameData() override;
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override;
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateLoadingWindow() override;

    // The front-end dialogs hang under the flower house's dialog layer, the in-level ones under the bundle's
    // panel layer.
    std::unique_ptr<GameFramework::GUIWelcomeWindowBase> CreateWelcomeWindow() override;
    std::unique_ptr<GameFramework::GUIExitWindowBase> CreateExitWindow() override;
    std::unique_ptr<GameFramework::GUIMainMenuWindowBase> CreateMainMenuWindow() override;
    std::unique_ptr<GameFramework::GUIProfilesWindowBase> CreateProfilesWindow() override;
    std::unique_ptr<GameFramework::GUINewProfileWindowBase> CreateNewProfileWindow() override;
    std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override;
    std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override;
    std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override;
    std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIHighScoresWindowBase> CreateHighScoresWindow() override;
    std::unique_ptr<GameFramework::GUIOptionsWindowBase> CreateOptionsWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicExitWindowBase> CreateGameLogicExitWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicWindowBase> CreateGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override;

    // The level's bundle: the stage's background models. The level keeps one background for all levels of a
    // stage: a background of another stage is replaced.
    std::unique_ptr<GameFramework::DataKeeper> CreateGameLogicData(const GameFramework::StageInfo& stage,
                                                                   const GameFramework::LevelInfo& level) override;
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageInfo& stage,
                                                                  const GameFramework::LevelInfo& level,
                                                                  int32_t lives) override;
    std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override;
    std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameOverWindowBase> CreateGameOverWindow() override;

    // The global bundle as the game's own type.
    GameData* GetGameData() const;

    // The flower house and the title logo first: the menu dialogs hang under the flower house.
    void CreateWindows() override;

    // The game's steps of the screen flow; each runs the framework's handler as well.
    void HandleLogosWindow() override;
    void HandleLoadingWindow() override;
    // The main menu's hidden hover sequence opens the credits.
    void HandleMainMenuWindow() override;
    void HandleContinueGameLogicWindow() override;
    void HandleStageCompleteWindow() override;
    void HandleStartGameLogicWindow() override;
    void HandleGameLogicLoadingWindow() override;
    void HandleGameLogicExitWindow() override;
    void HandleLevelCompleteWindow() override;
    // A won level that was the last of its stage: the level-complete overlay steps aside for the
    // stage-complete one. A stage won for the first time keeps the profile on the won level and leaves
    // the step to the next stage to the stage screen, which shows the outro and the flower house first.
    void HandleLevelWon() override;
    void HandleGameCompleteWindow() override;
    void HandleGameOverWindow() override;

    // All music stops at speed 1; the menu track starts on its channel, fading in at speed 0.5.
    void PlayMenuMusic();
    // Track 1 for an even stage index, 2 for an odd one, on the level channel, fading in; a track that
    // already plays there goes on, and one that is fading out after the last level fades back in.
    void PlayLevelMusic(uint32_t stageIndex);
    // The title logo arrives again over the flower house.
    void ShowMenuBackground();
    // The title logo is gone at once.
    void HideTitleLogo();

    std::unique_ptr<GUIFlowerHouse> flowerHouse;
    std::unique_ptr<GUIBackgroundWindow> titleLogo;
    std::unique_ptr<GUICreditsWindow> creditsWindow; // made with the dialogs, under the panel layer
    std::unique_ptr<GameLogicBackground> levelBackground; // kept from level to level within a stage

    bool highQuality = true; // storage of g_high_quality
    bool relaxMode = false;  // storage of g_relax_mode

private:
    VantoranEngine::GUIWindow* DialogParent() const;

    bool gameVariablesRegistered = false;
};

} // namespace Petalwork

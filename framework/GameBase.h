#pragma once
// The game object's framework half: reads the installation key, finds the user-data folder, builds the
// engine from its start-up record, creates the framework services and the start-up windows, runs one
// frame per tick and tears everything down in order.
//
// Rules:
// - The concrete game constructs the base, then calls Init from its own constructor, so every virtual
//   call inside Init reaches the game's overrides. An exception out of Init leaves the object to its
//   destructors, which delete only what exists.
// - Shutdown: the running level first (it reads the windows, the bundles and the background), then the
//   windows, the services, and the engine last, which saves the configuration file. Console variables
//   bound to this object are unregistered before their storage dies.
// - The user-data root (log, configuration, save files) is created before the engine opens its log.
// - The screen flow (the window factories, transition passes and handlers) is an extension of this class;
//   the tick calls it through ProcessTransitions, ClearResults and UpdateWindows.
// - Main thread only, apart from the loading worker of the loading windows.

#include <cstdint>
#include <memory>
#include <string>

namespace VantoranEngine {
class Config;
class Console;
class Controls_DI7;
class Engine;
class FileManager;
class GUIFontManager;
class GUIManager;
class GUISoundManager;
class GUITextManager;
class LightManager;
class MemoryManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem_D3D7;
class ScreenCapture;
class ShaderManager;
class SoundManager;
class SpriteGroupManager;
class TextureManager;
class TimerManager;
class Window;
struct EngineDescriptor;
} // namespace VantoranEngine

namespace GameFramework {

class DataKeeper;
class GUIContinueGameLogicWindowBase;
class GUIDeleteProfileWindowBase;
class GUIExitWindowBase;
class GUIGameCompleteWindowBase;
class GUIGameCursorBase;
class GUIGameLogicExitWindowBase;
class GUIGameLogicMenuWindowBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicWindowBase;
class GUIGameOverWindowBase;
class GUIHighScoresWindowBase;
class GUILevelCompleteWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
class GUIMainMenuWindowBase;
class GUINewProfileWindowBase;
class GUIOptionsWindowBase;
class GUIProfileNameConflictWindowBase;
class GUIProfilesWindowBase;
class GUIRenameProfileWindowBase;
class GUIStageCompleteWindowBase;
class GUIStartGameLogicWindowBase;
class GUIWelcomeWindowBase;
class GameLogicBase;
struct LevelInfo;
struct LevelPosition;
struct StageInfo;
class HighScoresTable;
class LanguageManager;
class LevelManagerBase;
class ProfileManagerBase;
class SoundPlayer;

// Registry roots in the numbering ReadRegistryString takes.
enum class RegistryRootIndex : int32_t { ClassesRoot = 0, CurrentConfig = 1, CurrentUser = 2, LocalMachine = 3, Users = 4 };

class GameBase {
public:
    static constexpr int32_t defaultVersion = 100;       // 1.00
    static constexpr size_t registryValueLimit = 4096;   // bytes of a value, terminator included
    static constexpr float virtualScreenWidth = 800.0f;
    static constexpr float virtualScreenHeight = 600.0f;
    static constexpr uint32_t unfocusedSleep = 100;     // milliseconds per tick without the focus
    static constexpr float focusFadeSpeed = 0.5f;       // music fade-in after the focus returns

    // Reads the installation key and the user-data root (created here); builds nothing else.
    GameBase(const std::string& title, const std::string& company);
    virtual ~GameBase();

    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    // One frame, or the minimal work of a tick without the window focus.
    virtual void Tick();
    // The start-up sequence: engine, services, fonts, texts, console, sound player, bundles, windows.
    virtual void Init();
    virtual void FillEngineDescriptor(VantoranEngine::EngineDescriptor& descriptor);
    virtual void RegisterConsoleVariables();
    virtual void LoadFonts();
    virtual void LoadTexts();
    virtual void CreateConsole();
    virtual void RegisterSounds();

    // Factories used by Init. The catalogue and the profile manager load their files when constructed.
    virtual std::unique_ptr<LevelManagerBase> CreateLevelManager() = 0;
    virtual std::unique_ptr<ProfileManagerBase> CreateProfileManager() = 0;
    virtual std::unique_ptr<DataKeeper> CreateGameData() = 0;
    virtual std::unique_ptr<GUIGameCursorBase> CreateGameCursor() = 0;
    virtual std::unique_ptr<GUILogosWindowBase> CreateLogosWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateLoadingWindow() = 0;

    virtual void ShowDebugStatistics();
    virtual float GetDefaultMusicVolume();
    virtual float GetDefaultSoundVolume();
    virtual void ResetDevice();

    // The screen flow's three per-tick passes.
    virtual void ProcessTransitions();
    virtual void ClearResults();
    virtual void UpdateWindows();

    // "audio\<category>\<name>.wav" when the sound reader would find that file, else the ".ogg" name.
    std::string AudioFilePath(const std::string& category, const std::string& name) const;
    // "ui\texts\<language code>\<name>.ini" into the GUI text table.
    void LoadTextFile(const std::string& name);

    // Reads a string value (type String only, at most registryValueLimit bytes, up to its first NUL);
    // false when the key or value is missing or has another type. The key is only read.
    static bool ReadRegistryString(RegistryRootIndex root, const std::string& valueName, const std::string& keyPath,
                                   std::string& out);

    std::string company;
    std::string title;
    int32_t version = defaultVersion;
    std::string registryKey;
    std::string installPath;
    std::string userDataRoot;

    std::unique_ptr<VantoranEngine::Engine> engine;
    VantoranEngine::MessageManager* log = nullptr;
    VantoranEngine::MemoryManager* memoryManager = nullptr;
    VantoranEngine::FileManager* fileManager = nullptr;
    VantoranEngine::TimerManager* timerManager = nullptr;
    VantoranEngine::Config* config = nullptr;
    VantoranEngine::Window* window = nullptr;
    VantoranEngine::RenderSystem_D3D7* renderSystem = nullptr;
    VantoranEngine::LightManager* lightManager = nullptr;
    VantoranEngine::ShaderManager* shaderManager = nullptr;
    VantoranEngine::TextureManager* textureManager = nullptr;
    VantoranEngine::ModelManager* modelManager = nullptr;
    VantoranEngine::SpriteGroupManager* spriteGroupManager = nullptr;
    VantoranEngine::ParticleSystemManager* particleSystemManager = nullptr;
    VantoranEngine::Controls_DI7* controls = nullptr;
    VantoranEngine::SoundManager* soundManager = nullptr; // null without a sound device
    VantoranEngine::GUIManager* guiManager = nullptr;
    VantoranEngine::GUIFontManager* fontManager = nullptr;
    VantoranEngine::GUITextManager* textManager = nullptr;
    VantoranEngine::GUISoundManager* guiSoundManager = nullptr;
    VantoranEngine::ScreenCapture* screenCapture = nullptr;
    VantoranEngine::Console* console = nullptr;

    bool showStatistics = false; // storage of d_show_statistics
    std::unique_ptr<LanguageManager> language;
    std::unique_ptr<SoundPlayer> soundPlayer;
    int32_t fontCount = 0;
    int32_t consoleFontId = 0;
    std::unique_ptr<LevelManagerBase> levels;      // the stage and level catalogue
    std::unique_ptr<ProfileManagerBase> profiles;
    std::unique_ptr<HighScoresTable> highScores;
    std::unique_ptr<DataKeeper> gameData;          // the global bundle
    std::unique_ptr<DataKeeper> levelData;         // the bundle of the level being prepared or played
    std::unique_ptr<DataKeeper> previousLevelData;
    std::unique_ptr<GUIGameCursorBase> cursor;
    // Windows (the screen flow adds the others).
    std::unique_ptr<GUILogosWindowBase> logosWindow;
    std::unique_ptr<GUILoadingWindowBase> loadingWindow; // start-up loading
    std::unique_ptr<GUIGameLogicWindowBase> gameLogicWindow; // the in-level panel
    std::unique_ptr<GUIGameLogicPauseWindowBase> pauseWindow;
    std::unique_ptr<GameLogicBase> level; // the running level, null between levels

    bool focusLost = false;
    bool rememberedTimerPause = false;

    // The other windows of the screen flow, null until created.
    std::unique_ptr<GUILoadingWindowBase> gameLogicLoadingWindow;
    std::unique_ptr<GUIWelcomeWindowBase> welcomeWindow;
    std::unique_ptr<GUIExitWindowBase> exitWindow;
    std::unique_ptr<GUIMainMenuWindowBase> mainMenuWindow;
    std::unique_ptr<GUIProfilesWindowBase> profilesWindow;
    std::unique_ptr<GUINewProfileWindowBase> newProfileWindow;
    std::unique_ptr<GUIRenameProfileWindowBase> renameProfileWindow;
    std::unique_ptr<GUIDeleteProfileWindowBase> deleteProfileWindow;
    std::unique_ptr<GUIProfileNameConflictWindowBase> profileNameConflictWindow;
    std::unique_ptr<GUIStartGameLogicWindowBase> startGameLogicWindow;
    std::unique_ptr<GUIContinueGameLogicWindowBase> continueGameLogicWindow;
    std::unique_ptr<GUIHighScoresWindowBase> highScoresWindow;
    std::unique_ptr<GUIOptionsWindowBase> optionsWindow;
    std::unique_ptr<GUIGameLogicMenuWindowBase> gameLogicMenuWindow;
    std::unique_ptr<GUIGameLogicExitWindowBase> gameLogicExitWindow;
    std::unique_ptr<GUILevelCompleteWindowBase> levelCompleteWindow;
    std::unique_ptr<GUIStageCompleteWindowBase> stageCompleteWindow;
    std::unique_ptr<GUIGameCompleteWindowBase> gameCompleteWindow;
    std::unique_ptr<GUIGameOverWindowBase> gameOverWindow;

    // The screen flow: windows, factories, transition passes and handlers.
    // Creates the windows that follow the start-up loading screen, in the flow's order; runs once.
    virtual void CreateWindows();

    // Factories of the windows. A factory gives null until the game has that screen; the flow passes a
    // missing window by.
    virtual std::unique_ptr<GUILoadingWindowBase> CreateGameLogicLoadingWindow();
    virtual std::unique_ptr<GUIWelcomeWindowBase> CreateWelcomeWindow();
    virtual std::unique_ptr<GUIExitWindowBase> CreateExitWindow();
    virtual std::unique_ptr<GUIMainMenuWindowBase> CreateMainMenuWindow();
    virtual std::unique_ptr<GUIProfilesWindowBase> CreateProfilesWindow();
    virtual std::unique_ptr<GUINewProfileWindowBase> CreateNewProfileWindow();
    virtual std::unique_ptr<GUIRenameProfileWindowBase> CreateRenameProfileWindow();
    virtual std::unique_ptr<GUIDeleteProfileWindowBase> CreateDeleteProfileWindow();
    virtual std::unique_ptr<GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow();
    virtual std::unique_ptr<GUIStartGameLogicWindowBase> CreateStartGameLogicWindow();
    virtual std::unique_ptr<GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow();
    virtual std::unique_ptr<GUIHighScoresWindowBase> CreateHighScoresWindow();
    virtual std::unique_ptr<GUIOptionsWindowBase> CreateOptionsWindow();
    virtual std::unique_ptr<GUIGameLogicWindowBase> CreateGameLogicWindow();
    virtual std::unique_ptr<GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow();
    virtual std::unique_ptr<GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow();
    virtual std::unique_ptr<GUIGameLogicExitWindowBase> CreateGameLogicExitWindow();
    virtual std::unique_ptr<GUILevelCompleteWindowBase> CreateLevelCompleteWindow();
    virtual std::unique_ptr<GUIStageCompleteWindowBase> CreateStageCompleteWindow();
    virtual std::unique_ptr<GUIGameCompleteWindowBase> CreateGameCompleteWindow();
    virtual std::unique_ptr<GUIGameOverWindowBase> CreateGameOverWindow();
    // The level's bundle (not loaded yet) and the running level.
    virtual std::unique_ptr<DataKeeper> CreateGameLogicData(const StageInfo& stage, const LevelInfo& level);
    virtual std::unique_ptr<GameLogicBase> CreateGameLogic(const StageInfo& stage, const LevelInfo& level,
                                                           int32_t lives);

    // One handler per window, each acting on its own window's result while that window is shown.
    virtual void HandleLogosWindow();
    virtual void HandleLoadingWindow();
    virtual void HandleWelcomeWindow();
    virtual void HandleExitWindow();
    virtual void HandleMainMenuWindow();
    virtual void HandleProfilesWindow();
    virtual void HandleGameLogicLoadingWindow();
    virtual void HandleNewProfileWindow();
    virtual void HandleRenameProfileWindow();
    virtual void HandleDeleteProfileWindow();
    virtual void HandleProfileNameConflictWindow();
    virtual void HandleStartGameLogicWindow();
    virtual void HandleContinueGameLogicWindow();
    virtual void HandleHighScoresWindow();
    virtual void HandleOptionsWindow();
    virtual void HandleGameLogicWindow();
    virtual void HandleGameLogicPauseWindow();
    virtual void HandleGameLogicMenuWindow();
    virtual void HandleGameLogicExitWindow();
    // The level's outcome, acted on once when its state changed.
    virtual void HandleLevelWon();
    virtual void HandleLevelRestart();
    // Steps the profile back one level and returns to the stage screen; nothing in the game asks for it.
    virtual void StepBackLevel();
    virtual void HandleLevelLost();
    virtual void HandleLevelCompleteWindow();
    virtual void HandleStageCompleteWindow();
    virtual void HandleGameCompleteWindow();
    virtual void HandleGameOverWindow();

    // Shared steps of the flow.
    void ShowGameCursor();
    void HideGameCursor();
    // The previous level data is deleted, the current one becomes the previous, and the bundle of the
    // current profile's position is made.
    void PrepareLevelData();
    // Hides the panel and deletes the running level.
    void CloseLevel();

protected:

    // The result a handler acts on: a shown window's own, else 0, so a click during a fade-out never
    // acts twice.
    template <typename Window>
    static int32_t ResultOf(const std::unique_ptr<Window>& window)
    {
        return window != nullptr && window->shown ? window->result : 0;
    }
    bool IsLastLevelOfStage(const LevelPosition& position) const;
    // The common end of a game: the sum of the level's score and the profile's total into the high
    // scores when it is not 0, then the level is closed.
    void EndGame();
    // Deletes what the destructor deletes, in its order (the running level first); the game's destructor
    // runs it before deleting its own objects, which the level reads.
    void DestroyObjects();
    // The flow's windows, in the reverse order of their creation.
    void DestroyWindows();

private:
    // A tick without the focus: true when it goes on with a full frame (it paused a level in play).
    bool LoseFocus();

    void CopyServicePointers();
    void UnregisterConsoleVariables();
    bool consoleVariablesRegistered = false;
};

} // namespace GameFramework

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
class GameLogicBase;
class GUIGameCursorBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
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

protected:
    // Deletes what the destructor deletes, in its order (the running level first); the game's destructor
    // runs it before deleting its own objects, which the level reads.
    void DestroyObjects();

private:
    // A tick without the focus: true when it goes on with a full frame (it paused a level in play).
    bool LoseFocus();

    void CopyServicePointers();
    void UnregisterConsoleVariables();
    bool consoleVariablesRegistered = false;
};

} // namespace GameFramework

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

namespace Petalwork {

class GameData;

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

    // The global bundle as the game's own type.
    GameData* GetGameData() const;

    bool highQuality = true; // storage of g_high_quality
    bool relaxMode = false;  // storage of g_relax_mode

private:
    bool gameVariablesRegistered = false;
    bool startUpLoaded = false;
};

} // namespace Petalwork

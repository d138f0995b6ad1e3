#pragma once
// A framework game object over a temporary installation and user-data folder: the whole start-up of the
// framework runs (engine, language, fonts, texts, console, sound player) with the framework's own
// console variables; the factories give nothing. Windows are forced to have the focus unless a test
// says otherwise.

#include "engine/core/EngineDescriptor.h"
#include "framework/DataKeeper.h"
#include "framework/GameBase.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileManagerBase.h"
#include "platform/window/WindowTest.h"
#include "TempFolder.h"

#include <cstdlib>
#include <memory>
#include <string>

// Points the user-data and registry folders at `folder` (XDG_DATA_HOME, XDG_CONFIG_HOME); gives the title.
inline std::string UseTestFolders(const TempFolder& folder)
{
    ::setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder.Path() + "/config").c_str(), 1);
    return "Brindlemoor";
}

// The game object's constructor alone: registry and user-data folder, no engine.
class UnstartedGame : public GameFramework::GameBase {
public:
    explicit UnstartedGame(const TempFolder& folder) : GameBase(UseTestFolders(folder), "Quorvane") {}
    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override { return nullptr; }
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override { return nullptr; }
    std::unique_ptr<GameFramework::DataKeeper> CreateGameData() override { return nullptr; }
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override { return nullptr; }
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override { return nullptr; }
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateLoadingWindow() override { return nullptr; }
};

class TestGame : public GameFramework::GameBase {
public:
    // The temporary folder is the installation; the user data go to <folder>/Quorvane/Brindlemoor.
    explicit TestGame(const TempFolder& folder) : GameBase(UseTestFolders(folder), "Quorvane")
    {
        installPath = folder.Path();
        Platform::Test::SetForceFocus(true);
        Init();
    }
    ~TestGame() override { Platform::Test::SetForceFocus(false); }

    void FillEngineDescriptor(VantoranEngine::EngineDescriptor& descriptor) override
    {
        GameBase::FillEngineDescriptor(descriptor);
        descriptor.fullscreenDefault = false;
    }
    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override { return nullptr; }
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override { return nullptr; }
    std::unique_ptr<GameFramework::DataKeeper> CreateGameData() override { return nullptr; }
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override { return nullptr; }
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override { return nullptr; }
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateLoadingWindow() override { return nullptr; }
    void ResetDevice() override
    {
        ++resets;
        GameBase::ResetDevice();
    }

    int resets = 0;
};

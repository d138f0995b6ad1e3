#pragma once
// The real game on the default data, as the game tests run it: installed where the build put it
// (BRINDLE_GAME_FOLDER), user data in a temporary folder, the window's focus forced (no window manager),
// and a configuration that asks for a window of the game's own size rather than the whole screen, so
// every frame draws no more pixels than the game has.

#include "GameInstall.h"
#include "TempFolder.h"

#include <string>

struct GameWorld {
    GameWorld()
    {
        InstallGame(folder.Path(), BRINDLE_GAME_FOLDER);
        folder.WriteFile("Quorvane/Brindlemoor/Brindlemoor.ini", "v_fullscreen 0\n");
    }
    ~GameWorld()
    {
        Platform::Test::SetForceFocus(false);
        Platform::RegistryTest::Reset();
        Platform::Test::ResetInput();
    }
    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    std::string UserRoot() const { return folder.Path() + "/Quorvane/Brindlemoor"; }
    std::string UserFile(const std::string& name) const { return TempFolder::ReadFile(UserRoot() + "/" + name); }

    TempFolder folder;
};

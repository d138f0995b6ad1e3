#pragma once
// The game as installed where the build put it, run with user data in a folder of the caller's: what the game
// tests and the tools that drive the real game share.

#include "platform/os/Registry.h"
#include "platform/window/WindowTest.h"

#include <cstdlib>
#include <string>

// Points the user-data and configuration folders at `userFolder`, names `gameFolder` as the install path and
// forces the window's focus (no window manager grants it).
inline void InstallGame(const std::string& userFolder, const std::string& gameFolder)
{
    ::setenv("XDG_DATA_HOME", userFolder.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (userFolder + "/config").c_str(), 1);
    Platform::RegistryTest::Reset();
    Platform::RegistryTest::InjectValue(Platform::RegistryRoot::LocalMachine, "SOFTWARE\\Quorvane\\Brindlemoor",
                                        "InstallPath", Platform::RegistryType::String, gameFolder + '\0');
    Platform::Test::SetForceFocus(true);
}

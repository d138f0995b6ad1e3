#pragma once
// The program's loader: its constructor runs the whole program (create the game, loop, destroy).

#include "framework/GameLoaderBase.h"

namespace Petalwork {

class GameLoader : public GameFramework::GameLoaderBase {
public:
    static constexpr const char* title = "Brindlemoor";
    static constexpr const char* company = "Quorvane";

    // Runs the program; by the time it returns the program has ended.
    GameLoader(void* instance, void* previousInstance, const std::string& commandLine, int showCommand);

    void CreateGame() override;
};

} // namespace Petalwork

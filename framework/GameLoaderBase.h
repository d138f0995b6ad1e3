#pragma once
// The program's top level: creates the game object, runs the message loop with one game tick whenever
// no message waits, destroys the game, and turns any exception that escapes into one message box.
//
// Rules:
// - Run lets no exception out. A FatalError shows its text, anything else "Unhandled exception!", both
//   in a box captioned "Fatal Error", shown after the game object (and its engine and window) are gone.
// - The loop never blocks; it ends right after the message or tick that triggered the engine's "exit".
// - Main thread only.

#include <memory>
#include <string>

namespace GameFramework {

class GameBase;

class GameLoaderBase {
public:
    // Keeps the entry point's arguments; runs nothing.
    GameLoaderBase(void* instance, void* previousInstance, const std::string& commandLine, int showCommand);
    virtual ~GameLoaderBase();

    GameLoaderBase(const GameLoaderBase&) = delete;
    GameLoaderBase& operator=(const GameLoaderBase&) = delete;

    virtual void Run();
    virtual void CreateGame() = 0;
    virtual void DestroyGame();
    virtual void MainLoop();

    void* instance;
    void* previousInstance; // kept, not used
    std::string commandLine; // kept, not used
    int showCommand;         // kept, not used
    std::unique_ptr<GameBase> game;
};

} // namespace GameFramework

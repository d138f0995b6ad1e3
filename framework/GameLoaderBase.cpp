#include "framework/GameLoaderBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "framework/GameBase.h"
#include "platform/os/MessageBox.h"
#include "platform/window/WindowApi.h"

namespace GameFramework {

namespace {

constexpr const char* fatalCaption = "Fatal Error";

} // namespace

GameLoaderBase::GameLoaderBase(void* instance, void* previousInstance, const std::string& commandLine,
                               int showCommand)
    : instance(instance), previousInstance(previousInstance), commandLine(commandLine), showCommand(showCommand)
{
}

GameLoaderBase::~GameLoaderBase() = default;

void GameLoaderBase::Run()
{
    std::string failure;
    try {
        CreateGame();
        MainLoop();
        DestroyGame();
        return;
    } catch (const VantoranEngine::FatalError& error) {
        failure = error.message;
    } catch (...) {
        failure = "Unhandled exception!";
    }
    // The box comes after the game, its engine and its window are gone.
    DestroyGame();
    Platform::ShowMessageBox(fatalCaption, failure, Platform::MessageBoxIcon::Error);
}

void GameLoaderBase::DestroyGame()
{
    game.reset();
}

void GameLoaderBase::MainLoop()
{
    do {
        Platform::MSG message;
        if (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
            Platform::TranslateMessage(&message);
            Platform::DispatchMessageA(&message);
        } else {
            game->Tick();
        }
    } while (!game->engine->IsExitRequested());
}

} // namespace GameFramework

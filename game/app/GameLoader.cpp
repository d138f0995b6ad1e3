#include "game/app/GameLoader.h"

#include "game/app/Game.h"

namespace Petalwork {

GameLoader::GameLoader(void* instance, void* previousInstance, const std::string& commandLine, int showCommand)
    : GameLoaderBase(instance, previousInstance, commandLine, showCommand)
{
    GameLoaderBase::Run();
}

void GameLoader::CreateGame()
{
    game = std::make_unique<Game>(title, company);
}

} // namespace Petalwork

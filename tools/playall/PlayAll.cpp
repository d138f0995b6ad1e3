// Plays every level of the game in one run with the game tests' scripted player, from a fresh user-data
// folder and a new profile, level after level through the level flow, and prints per level the moves,
// the score and the game time the level took (its own clock of play). A level the player loses is
// played again, up to three tries. Never run as a test: a whole game takes minutes.
//
// Usage: playall <game folder> [--real-clock]
//   The game folder holds the game's data (the build's "game" folder). Without --real-clock every
//   frame steps the game by the longest frame the engine lets through, so the run goes quicker.
// Exit status: 0 when every level was won, 1 when the player got stuck, 2 on bad arguments.
#include "game/app/Game.h"

#include "engine/core/Error.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "platform/os/Registry.h"
#include "platform/window/WindowTest.h"
#include "tests/game/app/ScriptedPlayer.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

namespace {

constexpr int tries = 3;

int Usage()
{
    std::fprintf(stderr, "usage: playall <game folder> [--real-clock]\n");
    return 2;
}

// A lost level is left behind the game-over overlay; the profile still stands on it.
void LeaveLostLevel(Petalwork::Game& game)
{
    if (game.gameOverWindow && game.gameOverWindow->shown)
        game.gameOverWindow->Hide();
    game.CloseLevel();
}

int PlayAll(ScriptedPlayer& player)
{
    if (!player.StartWithNewProfile(u"Player")) {
        std::printf("start: %s\n", player.failure.c_str());
        return 1;
    }
    Petalwork::Game& game = *player.game;
    GameFramework::ProfileBase* profile = game.profiles->GetCurrentProfile();
    const auto& levels = *game.levels;
    std::printf("level  moves   score  game s  wall s  tries\n");
    int totalMoves = 0;
    double totalGame = 0.0;
    const auto runStart = std::chrono::steady_clock::now();
    for (uint32_t stage = 0; stage < levels.GetStageCount(); ++stage) {
        for (uint32_t index = 0; index < levels.GetLevelCount(stage); ++index) {
            const auto start = std::chrono::steady_clock::now();
            ScriptedPlayer::LevelRun run;
            int attempt = 1;
            while (!player.PlayLevel(run)) {
                std::printf("%u-%u: try %d: %s\n", stage + 1, index + 1, attempt, player.failure.c_str());
                std::fflush(stdout);
                if (attempt == tries || game.level == nullptr)
                    return 1;
                LeaveLostLevel(game);
                run = {};
                ++attempt;
            }
            if (run.stage != stage || run.level != index) {
                std::printf("%u-%u: level %u-%u was played instead\n", stage + 1, index + 1, run.stage + 1, run.level + 1);
                return 1;
            }
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("%u-%u  %5d  %6d  %6.1f  %6.1f  %5d\n", stage + 1, index + 1, run.moves, run.score,
                        static_cast<double>(run.gameSeconds), wall, attempt);
            std::fflush(stdout);
            totalMoves += run.moves;
            totalGame += static_cast<double>(run.gameSeconds);
        }
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart).count();
    std::printf("all    %5d  %6d  %6.1f  %6.1f\n", totalMoves, profile->totalScore, totalGame, wall);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    // The game reads its data under the installation path as given, whatever the working folder.
    const std::string gameFolder = std::filesystem::absolute(argv[1]).lexically_normal().string();
    bool testClock = true;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--real-clock")
            testClock = false;
        else
            return Usage();
    }
    if (!std::filesystem::is_directory(gameFolder + "/data")) {
        std::fprintf(stderr, "playall: no game data under %s\n", gameFolder.c_str());
        return 2;
    }

    // A user-data folder of its own, so the run starts as a first run.
    const std::filesystem::path user =
        std::filesystem::temp_directory_path() / ("playall-" + std::to_string(::getpid()));
    std::filesystem::create_directories(user);
    ::setenv("XDG_DATA_HOME", user.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (user / "config").c_str(), 1);
    Platform::RegistryTest::Reset();
    Platform::RegistryTest::InjectValue(Platform::RegistryRoot::LocalMachine, "SOFTWARE\\Quorvane\\Brindlemoor",
                                        "InstallPath", Platform::RegistryType::String, gameFolder + '\0');
    Platform::Test::SetForceFocus(true);

    int status = 1;
    try {
        ScriptedPlayer player(testClock);
        status = PlayAll(player);
    } catch (const VantoranEngine::Error& e) {
        std::fprintf(stderr, "playall: %s\n", e.message.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "playall: %s\n", e.what());
    }
    // A failed run keeps the folder: its log tells what the game saw.
    if (status == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(user, ignored);
    } else {
        std::fprintf(stderr, "playall: the log is under %s\n", user.c_str());
    }
    return status;
}

// Plays every level of the game in one run with the game tests' scripted player, from a fresh user-data
// folder and a new profile, level after level through the level flow, and prints per level the moves,
// the score, the game time the level took (its own clock of play, over every try and spare life), the
// wall time, the tries, the spare lives the won try spent and the cuts of the scissors it made. A level
// the player loses or gives up is played again, up to five tries.
// After the last level it goes on through the end of the game to the main menu, then prints a summary
// and every error line of the game's log. Never run as a test: a whole game takes minutes.
//
// Usage: playall <game folder> [--real-clock] [--from S-L] [--seed N]
//   The game folder holds the game's data (the build's "game" folder). Without --real-clock every
//   frame steps the game by the longest frame the engine lets through, so the run goes quicker.
//   --from S-L starts at stage S, level L (counted from 1) with a profile saved standing there, as a
//   player who had won every level before it, so one level's fault is reached without playing the rest.
//   --seed N seeds the game's random source with N (else a seed from the clock); the seed is printed
//   first, so with the test clock a run can be repeated as it went.
// Exit status: 0 when every level was won and the log has no error line, 1 when the player got stuck
// or the log has one, 2 on bad arguments.
#include "game/app/Game.h"

#include "engine/core/Error.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/Profile.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/GameLogic.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "platform/input/DirectInput.h"
#include "platform/window/WindowTest.h"
#include "tests/game/app/GameInstall.h"
#include "tests/game/app/ScriptedPlayer.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int tries = 5;

int Usage()
{
    std::fprintf(stderr, "usage: playall <game folder> [--real-clock] [--from S-L] [--seed N]\n");
    return 2;
}

// A lost level is left behind the game-over overlay; the profile still stands on it.
void LeaveLostLevel(Petalwork::Game& game)
{
    if (game.gameOverWindow && game.gameOverWindow->shown)
        game.gameOverWindow->Hide();
    game.CloseLevel();
}

struct Summary {
    uint32_t levels = 0; // in the catalogue
    uint32_t won = 0;
    int moves = 0;
    double gameSeconds = 0.0;
    int64_t levelScores = 0; // the sum of the won levels' scores
    int32_t profileTotal = 0; // the profile's total score as the game keeps it
    double wallSeconds = 0.0;
};

// Minutes and seconds of game time, as a player reads a clock.
std::string Clock(double seconds)
{
    const long whole = std::lround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

// After the last level the stage screen closes the game: its last stage change (the outro and the
// flower planted), then the game-complete text and message, paged with a key now and then, until the
// main menu is back.
bool FinishGame(ScriptedPlayer& player)
{
    Petalwork::Game& game = *player.game;
    Petalwork::GUIStartGameLogicWindow* stageScreen = player.StageScreen();
    auto atMenu = [&] { return game.mainMenuWindow != nullptr && game.mainMenuWindow->shown; };
    if (stageScreen == nullptr || !player.WaitFor([&] { return atMenu() || stageScreen->advancePending; }, 600)) {
        std::printf("end: the stage screen did not take the game's end\n");
        return false;
    }
    if (stageScreen->advancePending && !player.PassStageChange()) {
        std::printf("end: %s\n", player.failure.c_str());
        return false;
    }
    int frame = 0;
    bool textShown = false;
    if (!player.WaitFor([&] {
            textShown = textShown || stageScreen->IsGameCompleteShown();
            if (!atMenu() && ++frame % 10 == 0 && stageScreen->AcceptsInput())
                player.PressKey(Platform::DIK_SPACE);
            return atMenu();
        })) {
        std::printf("end: the main menu did not come back after the game-complete text\n");
        return false;
    }
    const GameFramework::ProfileBase* profile = game.profiles->GetCurrentProfile();
    std::printf("end: the game-complete text was %s, the game %s, back at the main menu\n",
                textShown ? "shown" : "not shown",
                profile != nullptr && profile->gameCompleted ? "completed" : "not marked completed");
    return true;
}

// A first run makes the profile; it is then moved to `from` as a player who had won every level before
// it (a flower planted per stage, a saved game to continue), saved, and the game made again on it. The
// saved level is continued from the main menu, as the returning player would, so the menu is left
// behind as in a whole run.
bool StartAt(ScriptedPlayer& player, GameFramework::LevelPosition from)
{
    if (!player.StartWithNewProfile(u"Player"))
        return false;
    if (!player.StandAt(from, 0))
        return false;
    player.Stop();
    return player.StartExisting() && player.ContinueSavedGame();
}

bool PlayAll(ScriptedPlayer& player, Summary& summary, GameFramework::LevelPosition from)
{
    const bool fromStart = from.stage == 0 && from.level == 0;
    if (!(fromStart ? player.StartWithNewProfile(u"Player") : StartAt(player, from))) {
        std::printf("start: %s\n", player.failure.c_str());
        return false;
    }
    Petalwork::Game& game = *player.game;
    GameFramework::ProfileBase* profile = game.profiles->GetCurrentProfile();
    const auto& levels = *game.levels;
    for (uint32_t stage = 0; stage < levels.GetStageCount(); ++stage)
        summary.levels += levels.GetLevelCount(stage);
    std::printf("level  moves   score  game s  wall s  tries  lives  cuts\n");
    const auto runStart = std::chrono::steady_clock::now();
    auto finish = [&](bool result) {
        summary.profileTotal = profile->totalScore;
        summary.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart).count();
        return result;
    };
    for (uint32_t stage = from.stage; stage < levels.GetStageCount(); ++stage) {
        for (uint32_t index = stage == from.stage ? from.level : 0; index < levels.GetLevelCount(stage); ++index) {
            const auto start = std::chrono::steady_clock::now();
            // Moves and game time count every try; the score is the won try's.
            int moves = 0;
            double gameSeconds = 0.0;
            ScriptedPlayer::LevelRun run;
            int attempt = 1;
            while (!player.PlayLevel(run)) {
                std::printf("%u-%u: try %d: %s\n", stage + 1, index + 1, attempt, player.failure.c_str());
                std::fflush(stdout);
                if (attempt == tries || player.Level() == nullptr || player.quit)
                    return finish(false);
                moves += run.moves;
                gameSeconds += static_cast<double>(player.Level()->levelTime);
                LeaveLostLevel(game);
                run = {};
                ++attempt;
            }
            if (run.stage != stage || run.level != index) {
                std::printf("%u-%u: level %u-%u was played instead\n", stage + 1, index + 1, run.stage + 1, run.level + 1);
                return finish(false);
            }
            moves += run.moves;
            gameSeconds += static_cast<double>(run.gameSeconds);
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("%u-%u  %5d  %6d  %6.1f  %6.1f  %5d  %5d  %4d\n", stage + 1, index + 1, moves, run.score,
                        gameSeconds, wall, attempt, run.livesLost, run.cuts);
            std::fflush(stdout);
            ++summary.won;
            summary.moves += moves;
            summary.gameSeconds += gameSeconds;
            summary.levelScores += run.score;
        }
    }
    return finish(FinishGame(player));
}

void PrintSummary(const Summary& s)
{
    std::printf("all    %5d  %6lld  %6.1f  %6.1f\n", s.moves, static_cast<long long>(s.levelScores), s.gameSeconds,
                s.wallSeconds);
    std::printf("won %u of %u levels in %d moves; game time %s (%.1f s), wall time %s (%.1f s)\n", s.won, s.levels,
                s.moves, Clock(s.gameSeconds).c_str(), s.gameSeconds, Clock(s.wallSeconds).c_str(), s.wallSeconds);
    std::printf("score: the won levels %lld, the profile's total %d%s\n", static_cast<long long>(s.levelScores),
                s.profileTotal, s.levelScores == s.profileTotal ? "" : " (they differ)");
}

// The error entries of the game's log, an HTML file whose entries are not always apart: each runs from
// its "Error: " to the next tag.
std::vector<std::string> LogErrors(const std::filesystem::path& log)
{
    std::ifstream in(log, std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> errors;
    for (size_t at = html.find("Error: "); at != std::string::npos; at = html.find("Error: ", at + 1)) {
        const size_t end = html.find('<', at);
        errors.push_back(html.substr(at, end == std::string::npos ? std::string::npos : end - at));
    }
    return errors;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    // The game reads its data under the installation path as given, whatever the working folder.
    const std::string gameFolder = std::filesystem::absolute(argv[1]).lexically_normal().string();
    bool testClock = true;
    GameFramework::LevelPosition from{0, 0};
    auto seed = static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        unsigned stage = 0, level = 0, number = 0;
        char end = 0;
        if (arg == "--real-clock") {
            testClock = false;
        } else if (arg == "--from" && i + 1 < argc &&
                   std::sscanf(argv[i + 1], "%u-%u%c", &stage, &level, &end) == 2 && stage > 0 && level > 0) {
            from = {stage - 1, level - 1};
            ++i;
        } else if (arg == "--seed" && i + 1 < argc && std::sscanf(argv[i + 1], "%u%c", &number, &end) == 1) {
            seed = number;
            ++i;
        } else {
            return Usage();
        }
    }
    if (!std::filesystem::is_directory(gameFolder + "/data")) {
        std::fprintf(stderr, "playall: no game data under %s\n", gameFolder.c_str());
        return 2;
    }

    // A user-data folder of its own, so the run starts as a first run.
    const std::filesystem::path user =
        std::filesystem::temp_directory_path() / ("playall-" + std::to_string(::getpid()));
    std::filesystem::create_directories(user);
    InstallGame(user.string(), gameFolder);

    bool played = false;
    bool crashed = true;
    Summary summary;
    try {
        ScriptedPlayer player(testClock);
        player.seed = seed;
        std::printf("seed %u\n", seed);
        std::fflush(stdout);
        played = PlayAll(player, summary, from);
        // The log is complete once the game object is gone.
        player.Stop();
        crashed = false;
    } catch (const VantoranEngine::Error& e) {
        std::fprintf(stderr, "playall: %s\n", e.message.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "playall: %s\n", e.what());
    }
    if (!crashed)
        PrintSummary(summary);
    const std::filesystem::path log = user / "Quorvane" / "Brindlemoor" / "Brindlemoor.html";
    const std::vector<std::string> errors = LogErrors(log);
    std::printf("log: %zu error line%s\n", errors.size(), errors.size() == 1 ? "" : "s");
    for (const std::string& error : errors)
        std::printf("  %s\n", error.c_str());
    const int status = played && !crashed && errors.empty() ? 0 : 1;
    // A failed run keeps the folder: its log tells what the game saw.
    if (status == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(user, ignored);
    } else {
        std::fprintf(stderr, "playall: the log is %s\n", log.c_str());
    }
    return status;
}

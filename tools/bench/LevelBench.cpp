// The game's benchmark table, on the real game object and the default data, as a player without a GPU runs
// it. Each run is a fresh process (this program with --run) and a fresh user-data folder; it starts the game
// as the program does and reports:
// - the time from the start of the process to its first presented frame (the display layer writes a byte to
//   the descriptor named by BRINDLE_FIRST_FRAME_FD right after that swap) and to the first frame of the menu
//   screens (the logos and the start-up loading screen played through, nothing clicked);
// - the main menu (a profile made for the run) and then an idle level (stage 1, level 1, loaded as the stage
//   screen loads it, its tips paged through with their OK button: the board waits for a move), each for S seconds (5 unless given) with v_vsync 1 (paced to the display) and S
//   seconds with v_vsync 0 (unpaced): processor time per frame and per second (every thread, the software
//   renderer's included) and frames per second;
// - the level's load time (the start of loading to the first presented frame with the level's board), with
//   the longest frame in it (where the level's files load behind the closed loading screen) and the time
//   spent building the level object;
// - the level's own update (the board logic: GameLogic::Update, on the main thread) per frame, and its share
//   of the frame's processor time;
// - the peak resident memory at the main menu and after the level.
// The parent prints each figure's median, minimum and maximum over the runs with its target, and the load
// average of the machine before and after. Never run as a test: the figures depend on the machine and its
// load.
//
// Usage: levelbench <game folder> [--runs N] [--seconds S]
#include "game/app/Game.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LanguageManager.h"
#include "framework/LevelInfo.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManager.h"
#include "framework/StageInfo.h"
#include "game/board/CellManager.h"
#include "game/board/GameData.h"
#include "game/board/GameLogic.h"
#include "game/board/GameLogicBackground.h"
#include "game/board/GameLogicData.h"
#include "game/screens/GUIGameLogicLoadingWindow.h"
#include "game/screens/GUITipWindow.h"
#include "engine/render/gui/GUIButton.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowTest.h"
#include "tests/game/app/GameInstall.h"
#include "tests/game/app/GuiPointer.h"
#include "tools/bench/Measure.h"
#include "tools/bench/Table.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace BenchMeasure;

constexpr double kSettleSeconds = 1.0; // arrival animations of a screen: not measured

// The level with its update timed on the main thread's processor clock.
class TimedGameLogic final : public Petalwork::GameLogic {
public:
    using GameLogic::GameLogic;

    void Update() override
    {
        const double begun = ThreadCpuMs();
        GameLogic::Update();
        updateMs += ThreadCpuMs() - begun;
    }

    double updateMs = 0;
};

// The game object with the timed level; the level is built as the game builds it.
class TimedGame final : public Petalwork::Game {
public:
    using Game::Game;

    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageInfo& stage,
                                                                  const GameFramework::LevelInfo& level,
                                                                  int32_t lives) override
    {
        auto* data = static_cast<Petalwork::GameLogicData*>(levelData.get());
        if (levelBackground && levelBackground->level.stageIndex != level.stageIndex)
            levelBackground.reset();
        if (!levelBackground && data != nullptr)
            levelBackground = std::make_unique<Petalwork::GameLogicBackground>(
                level, *data, *engine->modelManager, engine->guiManager->GetCamera(), GetGameData()->butterflyModels);
        const double begun = NowMs();
        auto made = std::make_unique<TimedGameLogic>(level, stage, lives, *engine, soundPlayer.get(), *GetGameData(),
                                                     data, static_cast<Petalwork::ProfileManager*>(profiles.get()),
                                                     &levelBackground, language->current->code);
        buildMs = NowMs() - begun;
        return made;
    }

    double buildMs = 0; // wall time of building the last level
};

void Tick(Petalwork::Game& game)
{
    Platform::MSG message;
    while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
        Platform::TranslateMessage(&message);
        Platform::DispatchMessageA(&message);
    }
    game.Tick();
}

bool WaitFor(Petalwork::Game& game, const std::function<bool()>& done, int ticks = 20000)
{
    for (int i = 0; i < ticks && !done(); ++i)
        Tick(game);
    return done();
}

void TickFor(Petalwork::Game& game, double seconds)
{
    const double end = NowMs() + seconds * 1e3;
    while (NowMs() < end)
        Tick(game);
}

// Clicks the middle of a window as a player would: the pointer moves there and MOUSE1 goes down and up.
class Pointer {
public:
    explicit Pointer(Petalwork::Game& game) : game(game) {}

    void Click(const VantoranEngine::GUIWindow& window)
    {
        const VantoranEngine::Vector2 corner = window.GetAbsolutePosition();
        pointer.MoveTo(corner.x + window.size.x / 2.0f, corner.y + window.size.y / 2.0f);
        Tick(game);
        Platform::Test::InjectMouseButton(0, true);
        Tick(game);
        Platform::Test::InjectMouseButton(0, false);
        Tick(game);
    }

private:
    Petalwork::Game& game;
    GuiPointer pointer{[this] { Tick(game); }, [this] { return game.engine->guiManager->GetCursorPosition(); }};
};

// Pages through the level's tips with their OK button until they are gone, as a player does before the
// first move.
void CloseTips(Petalwork::Game& game, Petalwork::GameLogic& level)
{
    Pointer pointer(game);
    Petalwork::GUITipWindow& tips = level.GetTipWindow();
    for (int clicks = 0; !tips.IsFinished() && clicks < 100; ++clicks) {
        if (!WaitFor(game, [&] {
                return tips.IsFinished() || (tips.GetState() == Petalwork::GUITipPagesWindow::PageState::Shown &&
                                             tips.AcceptsInput() && tips.GetOkButton() != nullptr);
            }))
            break;
        if (!tips.IsFinished())
            pointer.Click(*tips.GetOkButton());
    }
    if (!tips.IsFinished() || !WaitFor(game, [&] { return !tips.IsShown(); }))
        throw std::runtime_error("the level's tips did not close");
}

// The frames of S seconds with v_vsync as given: processor time per frame and per second, frames per
// second, and the level's update per frame when a level runs.
void MeasureFrames(TimedGame& game, bool vsync, double seconds, const std::string& prefix,
                   std::map<std::string, double>& figures)
{
    game.engine->config->settings.v_vsync = vsync;
    TickFor(game, kSettleSeconds);
    auto* level = dynamic_cast<TimedGameLogic*>(game.level.get());
    const double update = level != nullptr ? level->updateMs : 0;
    const double cpu = ProcessCpuMs(), mainCpu = ThreadCpuMs(), begun = NowMs();
    int frames = 0;
    while (NowMs() - begun < seconds * 1e3) {
        Tick(game);
        ++frames;
    }
    const double wall = NowMs() - begun;
    figures[prefix + "_cpu_frame"] = (ProcessCpuMs() - cpu) / frames;
    figures[prefix + "_cpu_second"] = (ProcessCpuMs() - cpu) / wall * 1e3;
    figures[prefix + "_main_frame"] = (ThreadCpuMs() - mainCpu) / frames;
    figures[prefix + "_fps"] = frames / wall * 1e3;
    if (level != nullptr)
        figures[prefix + "_update_frame"] = (level->updateMs - update) / frames;
}

// Waits (on its own thread) for the display layer's byte after the first presented frame.
class FirstFrameWatch {
public:
    FirstFrameWatch()
    {
        if (pipe(ends) != 0)
            throw std::runtime_error("no pipe");
        ::setenv("BRINDLE_FIRST_FRAME_FD", std::to_string(ends[1]).c_str(), 1);
        watcher = std::thread([this] {
            pollfd waiting{ends[0], POLLIN, 0};
            char byte = 0;
            if (poll(&waiting, 1, 60000) == 1 && read(ends[0], &byte, 1) == 1)
                at = NowMs();
        });
    }
    // The writing end is the display layer's: it closes it after the byte.
    ~FirstFrameWatch()
    {
        ::unsetenv("BRINDLE_FIRST_FRAME_FD");
        if (watcher.joinable())
            watcher.join();
        close(ends[0]);
    }
    // The steady clock at the first frame in ms, 0 while there was none; waits for the watcher.
    double At()
    {
        if (watcher.joinable())
            watcher.join();
        return at;
    }

private:
    int ends[2] = {-1, -1};
    std::thread watcher;
    double at = 0;
};

std::map<std::string, double> RunOnce(const std::string& gameFolder, double startMs, double seconds)
{
    const std::filesystem::path user =
        std::filesystem::temp_directory_path() / ("levelbench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(user);
    InstallGame(user.string(), gameFolder);
    std::map<std::string, double> figures;
    {
        FirstFrameWatch firstFrame;
        TimedGame game("Brindlemoor", "Quorvane");
        // Without a profile the welcome dialog opens over the main menu's background instead of the menu.
        if (!WaitFor(game, [&] {
                return (game.welcomeWindow != nullptr && game.welcomeWindow->shown) ||
                       (game.mainMenuWindow != nullptr && game.mainMenuWindow->shown);
            }))
            throw std::runtime_error("the start-up screens did not end");
        figures["menu_ms"] = NowMs() - startMs;
        if (firstFrame.At() == 0)
            throw std::runtime_error("no first frame was reported");
        figures["first_frame_ms"] = firstFrame.At() - startMs;

        GameFramework::ProfileBase* profile = game.profiles->CreateProfile(u"Bench");
        game.profiles->SetCurrentProfile(profile);
        game.profiles->Save();
        if (game.welcomeWindow->shown) {
            game.welcomeWindow->Hide();
            game.mainMenuWindow->Show();
        }
        MeasureFrames(game, true, seconds, "menu_paced", figures);
        MeasureFrames(game, false, seconds, "menu_unpaced", figures);
        figures["menu_peak_mib"] = PeakResidentMiB();

        // As the stage screen starts a level: the menu and its title logo go, the level's loading screen
        // comes.
        game.engine->config->settings.v_vsync = true;
        game.mainMenuWindow->Hide();
        game.HideTitleLogo();
        const double loadStart = NowMs();
        game.PrepareLevelData();
        game.gameLogicLoadingWindow->Show(game.levelData.get());
        double longestTick = 0;
        double closedAt = NAN; // the flower screen has closed: the frames before the files load begin
        const auto* loading = static_cast<const Petalwork::GUIGameLogicLoadingWindow*>(game.gameLogicLoadingWindow.get());
        for (int i = 0; i < 20000 && game.level == nullptr; ++i) {
            const double begun = NowMs();
            Tick(game);
            longestTick = std::max(longestTick, NowMs() - begun);
            if (std::isnan(closedAt) && loading->GetPhase() != 0)
                closedAt = NowMs();
        }
        if (game.level == nullptr)
            throw std::runtime_error("the level did not load");
        figures["level_load_ms"] = NowMs() - loadStart; // the tick that made the level presented its board
        figures["level_load_block_ms"] = longestTick;
        figures["level_load_closed_ms"] = NowMs() - closedAt;
        figures["level_build_ms"] = game.buildMs;

        auto* level = static_cast<Petalwork::GameLogic*>(game.level.get());
        WaitFor(game, [&] { return level->GetCellManager().boardPhase == Petalwork::CellManagerLogic::Phase::Shown; });
        CloseTips(game, *level);
        MeasureFrames(game, true, seconds, "level_paced", figures);
        MeasureFrames(game, false, seconds, "level_unpaced", figures);
        figures["peak_mib"] = PeakResidentMiB();
    }
    std::error_code ignored;
    std::filesystem::remove_all(user, ignored);
    return figures;
}

void Report(const std::vector<std::map<std::string, double>>& runs, double seconds)
{
    const auto values = [&](const std::string& name, double scale = 1) {
        std::vector<double> all;
        for (const auto& run : runs) {
            const auto found = run.find(name);
            all.push_back(found == run.end() ? 0 : found->second * scale);
        }
        return all;
    };
    const auto shares = [&](const std::string& prefix, const std::string& whole) {
        std::vector<double> all;
        for (const auto& run : runs)
            all.push_back(100.0 * run.at(prefix + "_update_frame") / run.at(prefix + whole));
        return all;
    };
    char title[160];
    std::snprintf(title, sizeof title, "the game, %zu runs, %g s per measured phase", runs.size(), seconds);
    Table table(title);
    table.Add("start of the process to the first presented frame (ms)", values("first_frame_ms"), 0, "<= 175",
              175);
    table.Add("start of the process to the menu screen (ms)", values("menu_ms"), 0);
    table.Add("level load: loading start to the board's first frame (ms)", values("level_load_ms"), 0, "< 300",
              300);
    table.Add("  of it the screen closed to the board's frame (ms)", values("level_load_closed_ms"), 0);
    table.Add("  of it the longest frame: the level's files loading (ms)", values("level_load_block_ms"), 0);
    table.Add("  of it building the level's board and parts (ms)", values("level_build_ms"), 0);
    const char* const scenes[][2] = {{"menu", "main menu"}, {"level", "idle level"}};
    for (const auto& [prefix, name] : scenes) {
        for (const auto& [pace, paceName] : {std::pair{"_paced", "v_vsync 1"}, std::pair{"_unpaced", "v_vsync 0"}}) {
            const std::string key = std::string(prefix) + pace, label = std::string(name) + ", " + paceName + ": ";
            const bool target = key == "level_paced";
            table.Add(label + "processor time per frame (ms)", values(key + "_cpu_frame"), 2,
                      target ? "<= 11.8" : "", target ? 11.8 : NAN);
            table.Add(label + "processor time per second (ms)", values(key + "_cpu_second"), 0);
            table.Add(label + "frames per second", values(key + "_fps"), 1);
            table.Add(label + "main thread per frame (ms)", values(key + "_main_frame"), 2);
            if (std::string(prefix) == "level") {
                table.Add(label + "board logic per frame (ms)", values(key + "_update_frame"), 3);
                table.Add(label + "board logic share of the frame (%)", shares(key, "_cpu_frame"), 1);
            }
        }
    }
    table.Add("peak resident memory at the main menu (MiB)", values("menu_peak_mib"), 1);
    table.Add("peak resident memory after the level (MiB)", values("peak_mib"), 1, "< 112", 112);
    table.Print();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: levelbench <game folder> [--runs N] [--seconds S]\n");
        return 2;
    }
    const std::string gameFolder = std::filesystem::absolute(argv[1]).string();
    try {
        if (argc == 5 && std::strcmp(argv[2], "--run") == 0) {
            for (const auto& [name, value] : RunOnce(gameFolder, std::strtod(argv[3], nullptr),
                                                     std::strtod(argv[4], nullptr)))
                std::printf("%s %f\n", name.c_str(), value);
            return 0;
        }
        double seconds = 5.0;
        int runs = 3;
        for (int i = 2; i + 1 < argc; i += 2) {
            const std::string option = argv[i];
            if (option == "--seconds")
                seconds = std::max(1.0, std::atof(argv[i + 1]));
            else if (option == "--runs")
                runs = std::max(1, std::atoi(argv[i + 1]));
            else
                throw std::runtime_error("unknown option " + option);
        }
        const char* threads = std::getenv("LP_NUM_THREADS");
        const char* driver = std::getenv("SDL_VIDEODRIVER");
        std::printf("video driver %s, renderer threads %s, %u processors, load average %s\n",
                    driver ? driver : "default", threads ? threads : "the engine's choice",
                    std::thread::hardware_concurrency(), LoadAverage().c_str());
        std::fflush(stdout);
        std::vector<std::map<std::string, double>> results;
        for (int run = 0; run < runs; ++run)
            results.push_back(ParseFigures(RunSelf({gameFolder, "--run", std::to_string(NowMs()), std::to_string(seconds)})));
        Report(results, seconds);
        std::printf("load average after the runs %s\n", LoadAverage().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "levelbench: %s\n", error.what());
        return 1;
    }
    return 0;
}

// The level's costs on the real game and the default data: the time from the start of a level's loading
// (the level loading screen shown for stage 1 level 1, as the stage screen starts a level) to the first
// presented frame with the level's board, and the processor time per second (every thread) of the idle
// level at the game's paced frame rate (v_vsync on), over S seconds (5 unless given) after the board has
// appeared. The game runs with a fresh user-data folder and a profile made for it. Never run as a test:
// the figures depend on the machine and its load.
//
// Usage: levelbench <game folder> [--seconds S] [--runs N]; prints one line per run and the medians.
#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/CellManager.h"
#include "game/board/GameLogic.h"
#include "platform/os/Registry.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowTest.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Run {
    double loadSeconds = 0;
    double cpuPerSecond = 0;
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

Run RunOnce(const std::string& gameFolder, double seconds, int index)
{
    const std::filesystem::path user =
        std::filesystem::temp_directory_path() / ("levelbench-" + std::to_string(::getpid()) + "-" + std::to_string(index));
    std::filesystem::create_directories(user);
    ::setenv("XDG_DATA_HOME", user.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (user / "config").c_str(), 1);
    Platform::RegistryTest::Reset();
    Platform::RegistryTest::InjectValue(Platform::RegistryRoot::LocalMachine, "SOFTWARE\\Quorvane\\Brindlemoor",
                                        "InstallPath", Platform::RegistryType::String, gameFolder + '\0');
    Platform::Test::SetForceFocus(true);
    Run run;
    {
        Petalwork::Game game("Brindlemoor", "Quorvane");
        if (!WaitFor(game, [&] { return game.welcomeWindow != nullptr && game.welcomeWindow->shown; }))
            throw std::runtime_error("the start-up screens did not end");
        GameFramework::ProfileBase* profile = game.profiles->CreateProfile(u"Bench");
        game.profiles->SetCurrentProfile(profile);
        game.profiles->Save();
        game.welcomeWindow->Hide();

        const auto start = Clock::now();
        game.PrepareLevelData();
        game.gameLogicLoadingWindow->Show(game.levelData.get());
        if (!WaitFor(game, [&] { return game.level != nullptr; }))
            throw std::runtime_error("the level did not load");
        run.loadSeconds = std::chrono::duration<double>(Clock::now() - start).count(); // its first frame is drawn

        auto* level = static_cast<Petalwork::GameLogic*>(game.level.get());
        WaitFor(game, [&] { return level->GetCellManager().boardPhase == Petalwork::CellManagerLogic::Phase::Shown; });
        const double cpuStart = ProcessCpuSeconds();
        const auto idleStart = Clock::now();
        while (std::chrono::duration<double>(Clock::now() - idleStart).count() < seconds)
            Tick(game);
        const double wall = std::chrono::duration<double>(Clock::now() - idleStart).count();
        run.cpuPerSecond = (ProcessCpuSeconds() - cpuStart) / wall;
    }
    std::error_code ignored;
    std::filesystem::remove_all(user, ignored);
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: levelbench <game folder> [--seconds S] [--runs N]\n");
        return 2;
    }
    const std::string gameFolder = std::filesystem::absolute(argv[1]).string();
    double seconds = 5.0;
    int runs = 3;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seconds")
            seconds = std::atof(argv[i + 1]);
        else if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    std::vector<double> loads, cpu;
    try {
        for (int i = 0; i < runs; ++i) {
            const Run run = RunOnce(gameFolder, seconds, i);
            std::printf("run %d: level load %.1f ms, idle level %.1f ms of processor time per second\n", i + 1,
                        run.loadSeconds * 1000.0, run.cpuPerSecond * 1000.0);
            loads.push_back(run.loadSeconds);
            cpu.push_back(run.cpuPerSecond);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "levelbench: %s\n", error.what());
        return 1;
    }
    std::printf("median: level load %.1f ms, idle level %.1f ms of processor time per second\n",
                Median(loads) * 1000.0, Median(cpu) * 1000.0);
    return 0;
}

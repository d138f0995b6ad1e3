// Frame cost of the engine on the default data: each scene is started in a fresh process, its frames are
// paced to 60 per second by the benchmark itself (the engine's v_vsync stays off), and the process reports
// the processor time of a frame (every thread, the software renderer's included), the frame rate reached,
// the time from the start of the process to its first presented frame (and the processor time spent until
// then), its peak resident memory, the main thread's processor time of a frame (the engine and the GL
// driver's front end) and the engine's own share of a frame (the same frames drawn with the device's
// recording backend, which runs the engine's code and no renderer). Each figure is the median of the runs,
// with their minimum and maximum. Never run as a test: the figures depend on the machine and its load.
//
// The scene "game" is the program itself: <game folder>/brindlemoor started with a fresh user-data folder
// whose configuration sets v_vsync 1, then 0. It reports the time from starting the process to its first
// presented frame (the program writes a byte to the descriptor named by BRINDLE_FIRST_FRAME_FD right after
// that swap) and its processor time per second (every thread, from /proc) over S seconds (3 unless given)
// of the start-up logos and loading screens, from one second after the first frame; then the program is
// asked to close with SIGTERM (the window's close request) and killed if it has not gone after 10 s.
//
// Usage: bench <game folder> [--runs N] [--seconds S] [--scene menu|game]...
// One run is this program with --run <scene> <start time> <seconds>; it prints one line of figures.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/os/CodePage.h"
#include "platform/window/WindowApi.h"
#include "tools/scenes/EngineScene.h"
#include "tools/scenes/MainMenuScene.h"
#include "tools/bench/Measure.h"
#include "tools/bench/Table.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

using namespace VantoranEngine;
using namespace BenchMeasure;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr int kWarmUpFrames = 60;      // first frames build textures lazily: not measured
constexpr int kEngineShareFrames = 120;

struct Figures {
    double cpuPerFrame = 0;   // ms of processor time, all threads
    double fps = 0;
    double firstFrame = 0;    // ms from the start of the process
    double peakMemory = 0;    // MiB resident
    double engineShare = 0;   // ms of processor time per frame without a renderer
    double mainThread = 0;    // ms of the main thread's processor time per frame (engine and GL front end)
    double firstFrameCpu = 0; // ms of processor time, all threads, up to the first frame
    double slowFrame = 0;     // ms of wall time of the 95th-percentile frame (work only, not the wait)
};

// Every text table of the data, as the game loads them at start.
std::vector<std::string> TextTables(const std::string& game)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(game) / "data/ui/texts/ru"))
        if (entry.path().extension() == ".ini")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// One frame of the engine's loop, as the game runs it.
void Frame(EngineScene& scene, const std::function<void()>& texts)
{
    Platform::MSG message;
    while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
        Platform::TranslateMessage(&message);
        Platform::DispatchMessageA(&message);
    }
    scene.engine->Update();
    texts();
    scene.engine->EndFrame();
}

// Runs frames paced to 60 per second for the given time; answers the frames drawn and the wall time of
// each frame's work.
int PacedFrames(EngineScene& scene, const std::function<void()>& texts, double seconds, std::vector<double>& work)
{
    const auto frame = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kFrameSeconds));
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    auto deadline = Clock::now();
    int frames = 0;
    while (Clock::now() < end) {
        const auto begun = Clock::now();
        Frame(scene, texts);
        work.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begun).count());
        ++frames;
        deadline += frame;
        const auto now = Clock::now();
        if (deadline < now - frame)
            deadline = now; // a late frame is dropped, not caught up
        std::this_thread::sleep_until(deadline);
    }
    return frames;
}

Figures RunScene(const std::string& game, const std::string& sceneName, double startMs, double seconds)
{
    const std::filesystem::path user =
        std::filesystem::temp_directory_path() / ("brindle-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(user);
    Figures figures;
    {
        EngineScene scene(game, user.string(), "Bench", TextTables(game));
        std::unique_ptr<MainMenuScene> menu;
        if (sceneName == "menu")
            menu = std::make_unique<MainMenuScene>(scene, true);
        else
            throw std::runtime_error("unknown scene " + sceneName);
        const std::function<void()> texts = [&] { menu->AddTexts(); };

        Frame(scene, texts);
        figures.firstFrame = NowMs() - startMs;
        figures.firstFrameCpu = ProcessCpuMs();
        std::vector<double> work;
        PacedFrames(scene, texts, kWarmUpFrames * kFrameSeconds, work);
        work.clear();

        const double cpu = ProcessCpuMs(), mainCpu = ThreadCpuMs();
        const auto begun = Clock::now();
        const int frames = PacedFrames(scene, texts, seconds, work);
        const double wall = std::chrono::duration<double>(Clock::now() - begun).count();
        figures.cpuPerFrame = (ProcessCpuMs() - cpu) / frames;
        figures.mainThread = (ThreadCpuMs() - mainCpu) / frames;
        figures.fps = frames / wall;
        std::sort(work.begin(), work.end());
        figures.slowFrame = work[work.size() * 95 / 100];

        // The engine alone: the same frames with a device that records instead of drawing.
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::Recording);
        const double engineCpu = ThreadCpuMs();
        for (int i = 0; i < kEngineShareFrames; ++i) {
            Frame(scene, texts);
            Platform::D3D7Test::ClearCalls();
        }
        figures.engineShare = (ThreadCpuMs() - engineCpu) / kEngineShareFrames;
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::OpenGL);
        figures.peakMemory = PeakResidentMiB();
    }
    std::filesystem::remove_all(user);
    return figures;
}

// Starts this program for one run of a scene and reads its line of figures.
Figures SpawnRun(const std::string& game, const std::string& scene, double seconds)
{
    const std::string output = RunSelf({game, "--run", scene, std::to_string(NowMs()), std::to_string(seconds)});
    Figures f;
    if (std::sscanf(output.c_str(), "%lf %lf %lf %lf %lf %lf %lf %lf", &f.cpuPerFrame, &f.fps, &f.firstFrame,
                    &f.peakMemory, &f.engineShare, &f.slowFrame, &f.mainThread, &f.firstFrameCpu) != 8)
        throw std::runtime_error("the run of scene " + scene + " failed");
    return f;
}

void Report(const std::string& scene, const std::vector<Figures>& runs)
{
    struct Row {
        const char* name;
        double Figures::*field;
        int decimals;
    };
    const Row rows[] = {
        {"processor time per frame at 60 fps (ms, all threads)", &Figures::cpuPerFrame, 2},
        {"frames per second", &Figures::fps, 1},
        {"start of the process to the first frame (ms)", &Figures::firstFrame, 0},
        {"peak resident memory (MiB)", &Figures::peakMemory, 1},
        {"processor time to the first frame (ms, all threads)", &Figures::firstFrameCpu, 0},
        {"main thread's processor time per frame (ms)", &Figures::mainThread, 2},
        {"engine's own share of a frame (ms)", &Figures::engineShare, 3},
        {"95th-percentile frame work (ms, wall)", &Figures::slowFrame, 2},
    };
    Table table("scene " + scene + ", " + std::to_string(runs.size()) + " runs");
    for (const Row& row : rows) {
        std::vector<double> values;
        for (const Figures& f : runs)
            values.push_back(f.*row.field);
        table.Add(row.name, values, row.decimals);
    }
    table.Print();
}

// The program's start, one run: milliseconds to the first frame and processor seconds per second.
struct StartFigures {
    double firstFrame = 0;
    double cpuPerSecond = 0;
};

// Processor time of a process so far, every thread, in seconds.
double ProcessCpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const size_t name = text.rfind(')'); // the command name may hold spaces and parentheses
    if (name == std::string::npos)
        throw std::runtime_error("cannot read the program's processor time");
    std::istringstream fields(text.substr(name + 1));
    std::string skipped;
    for (int field = 3; field < 14; ++field) // utime and stime are fields 14 and 15
        fields >> skipped;
    unsigned long long user = 0, system = 0;
    if (!(fields >> user >> system))
        throw std::runtime_error("cannot read the program's processor time");
    return double(user + system) / double(sysconf(_SC_CLK_TCK));
}

// Asks the program to close and waits for it; a program still there after 10 s is killed.
void Close(pid_t child)
{
    kill(child, SIGTERM);
    const auto end = Clock::now() + std::chrono::seconds(10);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (Clock::now() > end) {
            std::fprintf(stderr, "bench: the program did not close within 10 s; killed\n");
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

StartFigures RunGame(const std::string& game, bool vsync, double seconds, int run)
{
    const std::filesystem::path user = std::filesystem::temp_directory_path() /
                                       ("brindle-start-" + std::to_string(getpid()) + "-" + std::to_string(run));
    std::filesystem::remove_all(user);
    std::filesystem::create_directories(user / "Quorvane/Brindlemoor");
    std::ofstream(user / "Quorvane/Brindlemoor/Brindlemoor.ini", std::ios::binary)
        << "v_vsync " << (vsync ? 1 : 0) << "\r\n";

    int frameSignal[2];
    if (pipe(frameSignal) != 0)
        throw std::runtime_error("no pipe");
    fcntl(frameSignal[0], F_SETFD, FD_CLOEXEC);
    setenv("XDG_DATA_HOME", user.c_str(), 1);
    setenv("BRINDLE_FIRST_FRAME_FD", std::to_string(frameSignal[1]).c_str(), 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = game + "/brindlemoor";
    char* argv[] = {program.data(), nullptr};
    const auto start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(frameSignal[1]);
    unsetenv("BRINDLE_FIRST_FRAME_FD");
    if (spawned != 0) {
        close(frameSignal[0]);
        throw std::runtime_error("cannot start " + program);
    }

    StartFigures figures;
    pollfd waiting{frameSignal[0], POLLIN, 0};
    char byte = 0;
    const bool framed = poll(&waiting, 1, 60000) == 1 && read(frameSignal[0], &byte, 1) == 1;
    figures.firstFrame = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    close(frameSignal[0]);
    if (framed) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const double cpu = ProcessCpuSeconds(child);
        const auto begun = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        const double cpuEnd = ProcessCpuSeconds(child);
        figures.cpuPerSecond = (cpuEnd - cpu) / std::chrono::duration<double>(Clock::now() - begun).count();
    }
    Close(child);
    std::filesystem::remove_all(user);
    if (!framed)
        throw std::runtime_error("the program presented no frame within 60 s");
    return figures;
}

void ReportGame(bool vsync, double seconds, const std::vector<StartFigures>& runs)
{
    Table table("the program's start, v_vsync " + std::to_string(vsync ? 1 : 0) + ", " + std::to_string(runs.size()) +
                " runs");
    std::vector<double> firstFrames, cpu;
    for (const StartFigures& f : runs) {
        firstFrames.push_back(f.firstFrame);
        cpu.push_back(f.cpuPerSecond);
    }
    table.Add("start of the process to the first frame (ms)", firstFrames, 0);
    table.Add("processor seconds per second, " + std::to_string(int(seconds)) + " s at start-up", cpu, 3);
    table.Print();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench <game folder> [--runs N] [--seconds S] [--scene menu|game]...\n");
        return 2;
    }
    // The Russian build: lower case of the capitals-only font maps through code page 1251.
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string game = std::filesystem::absolute(argv[1]).string();
    try {
        if (argc == 6 && std::strcmp(argv[2], "--run") == 0) {
            const Figures f = RunScene(game, argv[3], std::strtod(argv[4], nullptr), std::strtod(argv[5], nullptr));
            std::printf("%f %f %f %f %f %f %f %f\n", f.cpuPerFrame, f.fps, f.firstFrame, f.peakMemory, f.engineShare,
                        f.slowFrame, f.mainThread, f.firstFrameCpu);
            return 0;
        }
        int runs = 3;
        double seconds = 10;
        bool secondsGiven = false;
        std::vector<std::string> scenes;
        for (int i = 2; i + 1 < argc; i += 2) {
            if (std::strcmp(argv[i], "--runs") == 0) {
                runs = std::max(1, std::atoi(argv[i + 1]));
            } else if (std::strcmp(argv[i], "--seconds") == 0) {
                seconds = std::max(1.0, std::atof(argv[i + 1]));
                secondsGiven = true;
            } else if (std::strcmp(argv[i], "--scene") == 0) {
                scenes.emplace_back(argv[i + 1]);
            } else {
                throw std::runtime_error(std::string("unknown option ") + argv[i]);
            }
        }
        if (scenes.empty())
            scenes = {"menu"}; // the level scene joins once the game's level play exists
        const char* threads = std::getenv("LP_NUM_THREADS");
        const char* driver = std::getenv("SDL_VIDEODRIVER");
        std::printf("video driver %s, renderer threads %s\n", driver ? driver : "default",
                    threads ? threads : "the engine's choice");
        for (const std::string& scene : scenes) {
            if (scene == "game") {
                const double idle = secondsGiven ? seconds : 3.0;
                for (const bool vsync : {true, false}) {
                    std::vector<StartFigures> results;
                    for (int run = 0; run < runs; ++run)
                        results.push_back(RunGame(game, vsync, idle, run));
                    ReportGame(vsync, idle, results);
                }
                continue;
            }
            std::vector<Figures> results;
            for (int run = 0; run < runs; ++run)
                results.push_back(SpawnRun(game, scene, seconds));
            Report(scene, results);
        }
    } catch (const Error& e) {
        std::fprintf(stderr, "bench: %s\n", e.message.c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
    return 0;
}

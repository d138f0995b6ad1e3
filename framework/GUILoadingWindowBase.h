#pragma once
// The loading screens' base: loads a bundle on a worker thread while the main thread keeps the window
// and the sound alive.
//
// Rules:
// - Show keeps the bundle (not owned); Hide forgets it and clears the done flag. Update clears the result.
//   `shown` runs from the base's Show to its Hide: the game object acts on a result only while shown.
// - RunLoading (main thread) returns once the bundle is loaded. During the wait the main thread handles
//   every waiting window message, presents the last drawn frame again when the game runs in a window,
//   feeds the sound streams without running queued sound commands, and looks every 20 ms whether the
//   worker has finished. Nothing is drawn and no game logic runs.
// - When no thread can be made, the bundle loads on the main thread.
// - Any exception the load throws on the worker (a FatalError for a missing settings file) is caught
//   there and thrown again from RunLoading on the main thread, after the worker has ended.

#include <atomic>
#include <cstdint>

namespace VantoranEngine {
class Engine;
class MessageManager;
class RenderSystem;
class SoundManager;
class TimerManager;
class Window;
} // namespace VantoranEngine

namespace GameFramework {

class DataKeeper;

class GUILoadingWindowBase {
public:
    static constexpr uint32_t pollInterval = 20; // milliseconds between two looks at the worker

    explicit GUILoadingWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUILoadingWindowBase();

    GUILoadingWindowBase(const GUILoadingWindowBase&) = delete;
    GUILoadingWindowBase& operator=(const GUILoadingWindowBase&) = delete;

    virtual void Update();
    virtual void Show(DataKeeper* bundle);
    virtual void Hide();

    void RunLoading();

    VantoranEngine::Engine* engine;
    VantoranEngine::MessageManager* log;
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::Window* window;
    VantoranEngine::RenderSystem* renderSystem; // a RenderSystem_D3D7
    VantoranEngine::SoundManager* soundManager; // null without a sound device
    DataKeeper* bundle = nullptr;               // not owned
    std::atomic<bool> done{false};              // set by the worker once the bundle is loaded
    int32_t result = 0; // 1 the bundle is loaded
    bool shown = false;

protected:
    // Runs on the worker: the load, then the done flag.
    void LoadingThreadProc();
};

} // namespace GameFramework

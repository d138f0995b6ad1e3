#include "framework/GUILoadingWindowBase.h"

#include "engine/core/Engine.h"
#include "engine/core/devices/Window.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/render/RenderSystem.h"
#include "framework/DataKeeper.h"
#include "platform/os/Clock.h"
#include "platform/os/Thread.h"
#include "platform/window/WindowApi.h"

#include <exception>

namespace GameFramework {

GUILoadingWindowBase::GUILoadingWindowBase(VantoranEngine::Engine* engine)
    : engine(engine), log(engine->messageManager.get()), timerManager(engine->timerManager.get()),
      window(engine->window.get()), renderSystem(engine->renderSystem.get()), soundManager(engine->soundManager.get())
{
}

GUILoadingWindowBase::~GUILoadingWindowBase() = default;

void GUILoadingWindowBase::Update()
{
    result = 0;
}

void GUILoadingWindowBase::Show(DataKeeper* newBundle)
{
    bundle = newBundle;
    shown = true;
}

void GUILoadingWindowBase::Hide()
{
    bundle = nullptr;
    done = false;
    shown = false;
}

void GUILoadingWindowBase::RunLoading()
{
    std::exception_ptr failure;
    Platform::Thread worker;
    const bool started = worker.Start([this, &failure] {
        // An exception must not leave the thread (that ends the process); the main thread rethrows it.
        try {
            LoadingThreadProc();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (!started) {
        LoadingThreadProc(); // on this thread: the screen waits, exceptions travel as usual
        return;
    }
    for (;;) {
        Platform::MSG message;
        while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
            Platform::TranslateMessage(&message);
            Platform::DispatchMessageA(&message);
        }
        if (!window->fullscreen)
            renderSystem->SwapBuffers();
        if (soundManager)
            soundManager->Update(false);
        if (worker.IsFinished() || done)
            break;
        Platform::Sleep(pollInterval);
    }
    worker.Join(); // the failure is written before the thread ends
    if (failure)
        std::rethrow_exception(failure);
}

void GUILoadingWindowBase::LoadingThreadProc()
{
    bundle->Load();
    done = true;
}

} // namespace GameFramework

// Links the stand-in to windows: the SDL window behind a handle, its focus and minimised state, and
// the hidden test windows of D3D7Test.

#include "platform/d3d7/D3D7Internal.h"

#include <SDL.h>

#include <map>

namespace Platform::D3D7Detail {

namespace {

struct TestWindow {
    bool focused = true;
    bool minimised = false;
};

std::map<void*, TestWindow>& TestWindows() {
    static std::map<void*, TestWindow> windows;
    return windows;
}

} // namespace

void* SdlWindowOf(void* window) {
    if (!window) return nullptr;
    if (TestWindows().count(window)) return window;
    return nullptr;
}

WindowState QueryWindow(void* window) {
    WindowState state;
    auto found = TestWindows().find(window);
    if (found == TestWindows().end()) return state;
    state.exists = true;
    state.focused = found->second.focused;
    state.minimised = found->second.minimised;
    return state;
}

bool QuerySdlDesktop(DWORD& width, DWORD& height) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.w <= 0 || mode.h <= 0) return false;
    width = static_cast<DWORD>(mode.w);
    height = static_cast<DWORD>(mode.h);
    return true;
}

} // namespace Platform::D3D7Detail

namespace Platform::D3D7Test {

using namespace D3D7Detail;

void* CreateTestWindow(int width, int height) {
    Guard guard(Mutex());
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    SDL_Window* window = SDL_CreateWindow("d3d7 test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    TestWindows()[window] = TestWindow{};
    return window;
}

void DestroyTestWindow(void* window) {
    Guard guard(Mutex());
    if (!TestWindows().erase(window)) return;
    SDL_DestroyWindow(static_cast<SDL_Window*>(window));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SetTestWindowState(void* window, bool focused, bool minimised) {
    Guard guard(Mutex());
    auto found = TestWindows().find(window);
    if (found != TestWindows().end()) found->second = {focused, minimised};
}

} // namespace Platform::D3D7Test

// Links the stand-in to windows: the SDL window behind a handle, its focus and minimised state, where the
// back buffer lands in it, and the hidden test windows of D3D7Test.

#include "platform/d3d7/D3D7Internal.h"
#include "platform/window/SdlWindow.h"
#include "platform/window/WindowApi.h"

#include <SDL.h>

#include <map>

namespace Platform::D3D7Detail {

namespace {

struct TestWindow {
    bool focused = true;
    bool minimised = false;
};

std::map<HWND, TestWindow>& TestWindows() {
    static std::map<HWND, TestWindow> windows;
    return windows;
}

} // namespace

void* SdlWindowOf(HWND window) {
    if (!window) return nullptr;
    if (TestWindows().count(window)) return reinterpret_cast<SDL_Window*>(window);
    return GetSdlWindow(window);
}

WindowState QueryWindow(HWND window) {
    WindowState state;
    if (!window) return state;
    auto found = TestWindows().find(window);
    if (found != TestWindows().end()) {
        state.exists = true;
        state.focused = found->second.focused;
        state.minimised = found->second.minimised;
        return state;
    }
    state.exists = IsWindow(window) != 0;
    if (state.exists) {
        state.focused = IsWindowFocused(window);
        state.minimised = IsWindowMinimised(window);
    }
    return state;
}

Placement PlaceBackBuffer(HWND window, void* sdlWindow, int backWidth, int backHeight) {
    Placement p{};
    if (window && !TestWindows().count(window)) {
        GetDrawableSize(window, &p.drawableWidth, &p.drawableHeight);
    } else {
        SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(sdlWindow), &p.drawableWidth, &p.drawableHeight);
    }
    const LetterboxRectangle box = LetterboxRect(p.drawableWidth, p.drawableHeight, backWidth, backHeight);
    p.x = box.x;
    p.y = p.drawableHeight - box.y - box.height;
    p.width = box.width;
    p.height = box.height;
    return p;
}

void QueryDesktop(DWORD& width, DWORD& height) {
    RECT desktop{};
    if (!GetWindowRect(GetDesktopWindow(), &desktop) || desktop.right <= desktop.left || desktop.bottom <= desktop.top)
        return;
    width = static_cast<DWORD>(desktop.right - desktop.left);
    height = static_cast<DWORD>(desktop.bottom - desktop.top);
}

} // namespace Platform::D3D7Detail

namespace Platform::D3D7Test {

using namespace D3D7Detail;

HWND CreateTestWindow(int width, int height) {
    Guard guard(Mutex());
    if (!StartOpenGlVideo()) return nullptr;
    SDL_Window* window = SDL_CreateWindow("d3d7 test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    HWND handle = reinterpret_cast<HWND>(window);
    TestWindows()[handle] = TestWindow{};
    return handle;
}

void DestroyTestWindow(HWND window) {
    Guard guard(Mutex());
    if (!TestWindows().erase(window)) return;
    SDL_DestroyWindow(reinterpret_cast<SDL_Window*>(window));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SetTestWindowState(HWND window, bool focused, bool minimised) {
    Guard guard(Mutex());
    auto found = TestWindows().find(window);
    if (found != TestWindows().end()) found->second = {focused, minimised};
}

} // namespace Platform::D3D7Test

#pragma once
// Platform-internal view of the window stand-in, for the other stand-ins (render, input, sound). Nothing
// above platform/ includes this header.

#include "platform/window/WinTypes.h"

struct SDL_Window;

namespace Platform {

// Starts SDL's video subsystem (one more reference) for OpenGL windows as the render stand-in wants them:
// Mesa's software renderer gets two threads unless LP_NUM_THREADS is set (on a small 2D scene more threads
// spend more processor time handing tiles over than they save, and fewer than two cannot keep 60 frames a
// second smooth), and no window a depth buffer (SDL's default is 16 bits): the render stand-in draws every
// frame into its own framebuffer object and only copies it into the window. False when SDL video cannot
// start.
bool StartOpenGlVideo();

// The SDL window behind a record, created with OpenGL support; null for a child record, a destroyed or
// unknown handle, or while windows are headless (Test::SetHeadlessWindows).
SDL_Window* GetSdlWindow(HWND window);

// True while the window has the keyboard focus as SDL last reported it, or always when the focus is
// forced (Test::SetForceFocus, or BRINDLE_FORCE_FOCUS=1 in the environment).
bool IsWindowFocused(HWND window);
bool IsWindowMinimised(HWND window);
bool IsWindowFullscreen(HWND window); // a popup record covering the desktop

// The client size the engine sees (the video mode), and the size of the GL drawable in pixels: the
// desktop in full screen, the client in a window; the client size while headless.
void GetClientSize(HWND window, int* width, int* height);
void GetDrawableSize(HWND window, int* width, int* height);

// Where a mode-sized back buffer lands when scaled uniformly into a window of the given size, centred,
// with black bars on the two sides that are left over. Origin at the top-left corner, y downwards; GL
// wants y from the bottom: windowHeight - y - height. Non-positive sizes give the whole window.
struct LetterboxRectangle {
    int x;
    int y;
    int width;
    int height;
};
LetterboxRectangle LetterboxRect(int windowWidth, int windowHeight, int modeWidth, int modeHeight);

// Drains SDL's queue into the message queue and the input devices' buffers; never blocks. PeekMessageA
// calls it when its own queue is empty, and the input devices before every read.
void PumpEvents();

} // namespace Platform

#pragma once
// Platform-internal: the records and process-wide state behind the window stand-in, shared by its own
// source files only.

#include "platform/window/WindowApi.h"

#include <SDL.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Platform {

struct DeviceContextRecord {
    HWND window;
};

struct WindowRecord {
    bool alive = true;
    bool desktop = false;
    std::string className;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0; // client origin, screen coordinates
    int y = 0;
    int width = 0; // client size: the video mode
    int height = 0;
    HWND parent = nullptr;
    SDL_Window* sdl = nullptr;
    bool visible = false;
    bool focused = false;
    bool minimised = false;
    bool topmost = false;
    int mouseX = 0; // last pointer position seen in this window, window coordinates
    int mouseY = 0;
    DeviceContextRecord dc{};
    bool dcTaken = false;
};

struct ClassRecord {
    std::string name;
    WNDCLASSA record;
};

struct CursorRecord {
    bool system = false; // the arrow
    std::string file;
    SDL_Cursor* sdl = nullptr; // made on first use while SDL video runs
};

struct IconRecord {
    std::string file; // empty: the system default
};

struct BrushRecord {
    int stockObject;
};

struct WindowState {
    bool headless = false;
    bool forceFocus = false;
    bool videoStarted = false;
    std::string resourceFolder; // empty: "resources" beside the executable
    std::vector<ClassRecord> classes;
    std::vector<std::unique_ptr<WindowRecord>> windows; // every record ever made, so stale handles stay readable
    WindowRecord desktopRecord;
    std::deque<MSG> queue;
    int showCount = 0;
    HCURSOR currentCursor = nullptr;
    HWND mouseWindow = nullptr; // window of the last pointer event
    bool keyDown[SDL_NUM_SCANCODES] = {};
    int virtualKeyDown[256] = {}; // how many physical keys or buttons hold each code down
};

WindowState& State();

WindowRecord* Live(HWND window);   // null unless a live window record (not the desktop)
WindowRecord* MainWindow();        // the first live top-level window, or null
WindowRecord* FromSdlId(uint32_t id);
bool VideoRunning();               // SDL video is up and windows are not headless
void ApplyCursor();                // makes SDL show the current cursor per the display counter
void TranslateSdlEvent(const SDL_Event& event, bool* motionSeen);
void ReleaseAllKeys();
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Platform

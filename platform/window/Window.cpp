// Window records, classes, styles, focus, cursor handles and the cursor position over SDL2.

#include "platform/window/SdlWindow.h"
#include "platform/window/WindowState.h"
#include "platform/window/WindowTest.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <thread>

namespace Platform {

struct ModuleRecord {
    int unused;
};

namespace {

ModuleRecord programModule{};
int windowFaults[3] = {}; // remaining failures per Test::WindowCall

bool Faulted(Test::WindowCall call)
{
    int& remaining = windowFaults[static_cast<int>(call)];
    if (remaining == 0)
        return false;
    --remaining;
    return true;
}
BrushRecord blackBrush{BLACK_BRUSH};

// The desktop size reported while windows are headless.
constexpr int headlessDesktopWidth = 1920;
constexpr int headlessDesktopHeight = 1080;

std::map<std::string, std::unique_ptr<CursorRecord>>& Cursors()
{
    static std::map<std::string, std::unique_ptr<CursorRecord>> cursors;
    return cursors;
}

std::map<std::string, std::unique_ptr<IconRecord>>& Icons()
{
    static std::map<std::string, std::unique_ptr<IconRecord>> icons;
    return icons;
}

std::string ResourceName(const char* name)
{
    const auto value = reinterpret_cast<uintptr_t>(name);
    if (value <= 0xFFFF)
        return std::to_string(value);
    return name;
}

std::filesystem::path ResourceFolder()
{
    const WindowState& state = State();
    if (!state.resourceFolder.empty())
        return state.resourceFolder;
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "resources";
    return exe.parent_path() / "resources";
}

} // namespace

bool StartOpenGlVideo()
{
    // Read by Mesa when the video subsystem opens its display, so it is set first; the process is still
    // single-threaded here.
    if (!std::getenv("LP_NUM_THREADS") && std::thread::hardware_concurrency() >= 2)
        setenv("LP_NUM_THREADS", "2", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    return true;
}

namespace {

bool StartVideo()
{
    WindowState& state = State();
    if (state.headless)
        return false;
    if (state.videoStarted)
        return true;
    if (!StartOpenGlVideo()) {
        std::fprintf(stderr, "Window stand-in: SDL video could not start: %s\n", SDL_GetError());
        return false;
    }
    state.videoStarted = true;
    // One lasting reference to the GL driver: SDL unloads it with the last OpenGL window otherwise, and the
    // render stand-in keeps the same driver across window re-creation.
    if (SDL_GL_LoadLibrary(nullptr) != 0)
        std::fprintf(stderr, "Window stand-in: no OpenGL driver: %s\n", SDL_GetError());
    SDL_DisableScreenSaver();
    SDL_StartTextInput();
    ApplyCursor();
    return true;
}

// SDL video stays up once started: quitting it unloads the GL driver, whose own allocations would then be
// reported as leaks of an unknown module. Only the events the last window leaves behind are dropped.
void StopVideoIfUnused()
{
    WindowState& state = State();
    if (!state.videoStarted)
        return;
    for (const auto& window : state.windows)
        if (window->alive && window->sdl)
            return;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

SDL_Cursor* Materialise(CursorRecord* cursor)
{
    if (cursor->sdl)
        return cursor->sdl;
    if (!cursor->system) {
        if (SDL_Surface* image = SDL_LoadBMP(cursor->file.c_str())) {
            cursor->sdl = SDL_CreateColorCursor(image, 0, 0); // hot spot: the top-left pixel
            SDL_FreeSurface(image);
        }
    }
    if (!cursor->sdl)
        cursor->sdl = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    return cursor->sdl;
}

bool IsPopup(const WindowRecord* window)
{
    return (window->style & WS_POPUP) != 0 && (window->style & WS_CHILD) == 0;
}

// The size of the desktop a full-screen window covers. SDL only asks the window manager for full screen and
// reports the desktop's size at once; without a window manager (a bare X server) the window would keep its
// own size, and the frame scaled to the reported size would be cut off. So the window is given the
// desktop's size itself first.
bool DesktopSize(int& width, int& height)
{
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.w <= 0 || mode.h <= 0)
        return false;
    width = mode.w;
    height = mode.h;
    return true;
}

// Brings the SDL window in line with the record's style, position, size and z-order.
void ApplyFrame(WindowRecord* window)
{
    if (!window->sdl)
        return;
    if (IsPopup(window)) {
        window->x = 0;
        window->y = 0;
        SDL_SetWindowBordered(window->sdl, SDL_FALSE);
        if (int width = 0, height = 0; DesktopSize(width, height)) {
            SDL_SetWindowSize(window->sdl, width, height);
            SDL_SetWindowPosition(window->sdl, 0, 0);
        }
        SDL_SetWindowFullscreen(window->sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window->sdl, 0);
        SDL_SetWindowBordered(window->sdl, (window->style & WS_CAPTION) ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowSize(window->sdl, window->width, window->height);
        SDL_SetWindowPosition(window->sdl, window->x, window->y);
    }
    SDL_SetWindowAlwaysOnTop(window->sdl, window->topmost ? SDL_TRUE : SDL_FALSE);
}

void SetIcon(WindowRecord* window, HICON icon)
{
    if (!window->sdl || !icon || icon->file.empty())
        return;
    if (SDL_Surface* image = SDL_LoadBMP(icon->file.c_str())) {
        SDL_SetWindowIcon(window->sdl, image);
        SDL_FreeSurface(image);
    }
}

// Mode pixels of a point given in window coordinates, clamped to the client.
POINT WindowToClient(const WindowRecord* window, int x, int y)
{
    int windowWidth = window->width;
    int windowHeight = window->height;
    if (window->sdl)
        SDL_GetWindowSize(window->sdl, &windowWidth, &windowHeight);
    const LetterboxRectangle box = LetterboxRect(windowWidth, windowHeight, window->width, window->height);
    POINT point{0, 0};
    if (box.width > 0 && box.height > 0 && window->width > 0 && window->height > 0) {
        point.x = static_cast<LONG>(static_cast<int64_t>(x - box.x) * window->width / box.width);
        point.y = static_cast<LONG>(static_cast<int64_t>(y - box.y) * window->height / box.height);
        point.x = std::clamp<LONG>(point.x, 0, window->width - 1);
        point.y = std::clamp<LONG>(point.y, 0, window->height - 1);
    }
    return point;
}

} // namespace

WindowState& State()
{
    static WindowState state = [] {
        WindowState initial;
        const char* force = std::getenv("BRINDLE_FORCE_FOCUS");
        initial.forceFocus = force && std::strcmp(force, "1") == 0;
        initial.desktopRecord.desktop = true;
        return initial;
    }();
    return state;
}

WindowRecord* Live(HWND window)
{
    if (!window)
        return nullptr;
    for (const auto& record : State().windows)
        if (record.get() == window)
            return record->alive ? record.get() : nullptr;
    return nullptr;
}

WindowRecord* MainWindow()
{
    for (const auto& record : State().windows)
        if (record->alive && !record->parent)
            return record.get();
    return nullptr;
}

WindowRecord* FromSdlId(uint32_t id)
{
    for (const auto& record : State().windows)
        if (record->alive && record->sdl && SDL_GetWindowID(record->sdl) == id)
            return record.get();
    return MainWindow();
}

bool VideoRunning()
{
    const WindowState& state = State();
    return state.videoStarted && !state.headless;
}

void ApplyCursor()
{
    WindowState& state = State();
    if (!VideoRunning())
        return;
    const bool visible = state.showCount >= 0 && state.currentCursor;
    if (state.currentCursor)
        SDL_SetCursor(Materialise(state.currentCursor));
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

HMODULE GetModuleHandleA(const char* moduleName)
{
    return moduleName ? nullptr : &programModule;
}

HGDIOBJ GetStockObject(int object)
{
    return object == BLACK_BRUSH ? &blackBrush : nullptr;
}

HICON LoadIconA(HINSTANCE instance, const char* name)
{
    std::string key = "system";
    std::string file;
    if (instance) {
        key = ResourceName(name);
        const std::filesystem::path path = ResourceFolder() / ("icon" + key + ".bmp");
        if (std::filesystem::exists(path))
            file = path.string();
    }
    auto& icon = Icons()[key];
    if (!icon)
        icon = std::make_unique<IconRecord>(IconRecord{file});
    return icon.get();
}

HCURSOR LoadCursorA(HINSTANCE instance, const char* name)
{
    std::string key = "arrow";
    std::string file;
    if (instance) {
        const std::filesystem::path path = ResourceFolder() / ("cursor" + ResourceName(name) + ".bmp");
        if (std::filesystem::exists(path)) {
            key = path.string();
            file = key;
        }
    }
    auto& cursor = Cursors()[key];
    if (!cursor)
        cursor = std::make_unique<CursorRecord>(CursorRecord{file.empty(), file, nullptr});
    return cursor.get();
}

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    static ATOM nextAtom = 1;
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
        Faulted(Test::WindowCall::RegisterClass))
        return 0;
    WindowState& state = State();
    for (const ClassRecord& existing : state.classes)
        if (existing.name == windowClass->lpszClassName)
            return 0;
    state.classes.push_back({windowClass->lpszClassName, *windowClass});
    state.classes.back().record.lpszClassName = nullptr; // the caller's string need not outlive the call
    return nextAtom++;
}

BOOL UnregisterClassA(const char* className, HINSTANCE)
{
    if (!className)
        return false;
    WindowState& state = State();
    for (const auto& window : state.windows)
        if (window->alive && window->className == className)
            return false;
    const auto found = std::find_if(state.classes.begin(), state.classes.end(),
                                    [&](const ClassRecord& c) { return c.name == className; });
    if (found == state.classes.end())
        return false;
    state.classes.erase(found);
    return true;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD)
{
    return rect != nullptr;
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, void*, HINSTANCE, void*)
{
    WindowState& state = State();
    if (Faulted(Test::WindowCall::CreateWindow)) {
        std::fprintf(stderr, "Window stand-in: window creation failed on request\n");
        return nullptr;
    }
    const ClassRecord* windowClass = nullptr;
    for (const ClassRecord& c : state.classes)
        if (className && c.name == className)
            windowClass = &c;
    if (!windowClass) {
        std::fprintf(stderr, "Window stand-in: no window class \"%s\"\n", className ? className : "");
        return nullptr;
    }
    if ((style & WS_CHILD) && !Live(parent)) {
        std::fprintf(stderr, "Window stand-in: a child window needs a live parent\n");
        return nullptr;
    }
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "Window stand-in: window size %dx%d\n", width, height);
        return nullptr;
    }

    auto record = std::make_unique<WindowRecord>();
    record->className = windowClass->name;
    record->procedure = windowClass->record.lpfnWndProc;
    record->style = style;
    record->exStyle = exStyle;
    record->x = x;
    record->y = y;
    record->width = width;
    record->height = height;
    record->parent = (style & WS_CHILD) ? parent : nullptr;
    record->topmost = (exStyle & WS_EX_TOPMOST) != 0;
    record->dc.window = record.get();

    if (!(style & WS_CHILD) && !state.headless) {
        if (!StartVideo())
            return nullptr;
        Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
        int sdlX = x;
        int sdlY = y;
        int sdlWidth = width;
        int sdlHeight = height;
        if (IsPopup(record.get())) {
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
            sdlX = sdlY = 0;
            record->x = record->y = 0;
            DesktopSize(sdlWidth, sdlHeight);
        } else if (!(style & WS_CAPTION)) {
            flags |= SDL_WINDOW_BORDERLESS;
        }
        record->sdl = SDL_CreateWindow(windowName ? windowName : "", sdlX, sdlY, sdlWidth, sdlHeight, flags);
        if (!record->sdl) {
            std::fprintf(stderr, "Window stand-in: SDL_CreateWindow failed: %s\n", SDL_GetError());
            StopVideoIfUnused();
            return nullptr;
        }
        if (record->topmost)
            SDL_SetWindowAlwaysOnTop(record->sdl, SDL_TRUE);
        SetIcon(record.get(), windowClass->record.hIcon);
    }
    if (style & WS_VISIBLE) {
        record->visible = true;
        if (record->sdl)
            SDL_ShowWindow(record->sdl);
    }
    state.windows.push_back(std::move(record));
    return state.windows.back().get();
}

BOOL DestroyWindow(HWND window)
{
    WindowRecord* record = Live(window);
    if (!record)
        return false;
    WindowState& state = State();
    for (const auto& child : state.windows)
        if (child->alive && child->parent == window)
            DestroyWindow(child.get());
    record->alive = false;
    record->focused = false;
    if (record->sdl) {
        SDL_DestroyWindow(record->sdl);
        record->sdl = nullptr;
    }
    if (state.mouseWindow == window)
        state.mouseWindow = nullptr;
    std::erase_if(state.queue, [&](const MSG& m) { return m.hwnd == window; });
    StopVideoIfUnused();
    return true;
}

BOOL IsWindow(HWND window)
{
    return Live(window) != nullptr || window == &State().desktopRecord;
}

HWND GetParent(HWND window)
{
    const WindowRecord* record = Live(window);
    return record ? record->parent : nullptr;
}

HWND GetDesktopWindow()
{
    return &State().desktopRecord;
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
    if (!rect)
        return false;
    if (window == &State().desktopRecord) {
        int width = headlessDesktopWidth;
        int height = headlessDesktopHeight;
        SDL_DisplayMode mode;
        if (StartVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            width = mode.w;
            height = mode.h;
        }
        *rect = {0, 0, width, height};
        return true;
    }
    const WindowRecord* record = Live(window);
    if (!record)
        return false;
    *rect = {record->x, record->y, record->x + record->width, record->y + record->height};
    return true;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    const WindowRecord* record = Live(window);
    if (!record || !rect)
        return false;
    *rect = {0, 0, record->width, record->height};
    return true;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    WindowRecord* record = Live(window);
    if (!record)
        return false;
    if (insertAfter == HWND_TOPMOST)
        record->topmost = true;
    else if (insertAfter == HWND_NOTOPMOST)
        record->topmost = false;
    if (!(flags & SWP_NOMOVE)) {
        record->x = x;
        record->y = y;
    }
    if (!(flags & SWP_NOSIZE) && width > 0 && height > 0) {
        record->width = width;
        record->height = height;
    }
    ApplyFrame(record);
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(window, SW_SHOW);
    return true;
}

LONG SetWindowLongA(HWND window, int index, LONG value)
{
    WindowRecord* record = Live(window);
    if (!record)
        return 0;
    DWORD* field = index == GWL_STYLE ? &record->style : index == GWL_EXSTYLE ? &record->exStyle : nullptr;
    if (!field)
        return 0;
    const LONG previous = static_cast<LONG>(*field);
    *field = static_cast<DWORD>(value);
    return previous;
}

BOOL ShowWindow(HWND window, int command)
{
    WindowRecord* record = Live(window);
    if (!record)
        return false;
    const bool wasVisible = record->visible;
    switch (command) {
    case SW_HIDE:
        record->visible = false;
        if (record->sdl)
            SDL_HideWindow(record->sdl);
        break;
    case SW_SHOW:
        record->visible = true;
        if (record->sdl)
            SDL_ShowWindow(record->sdl);
        break;
    case SW_MINIMIZE:
        record->minimised = true;
        if (record->sdl)
            SDL_MinimizeWindow(record->sdl);
        break;
    case SW_RESTORE:
        record->minimised = false;
        record->visible = true;
        if (record->sdl) {
            SDL_ShowWindow(record->sdl);
            SDL_RestoreWindow(record->sdl);
        }
        break;
    default:
        break;
    }
    return wasVisible;
}

BOOL IsIconic(HWND window)
{
    const WindowRecord* record = Live(window);
    return record && record->minimised;
}

LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD)
{
    return DISP_CHANGE_SUCCESSFUL;
}

HDC GetDC(HWND window)
{
    WindowRecord* record = Live(window);
    if (!record || Faulted(Test::WindowCall::GetDC))
        return nullptr;
    record->dcTaken = true;
    return &record->dc;
}

int ReleaseDC(HWND window, HDC dc)
{
    WindowRecord* record = Live(window);
    if (!record || dc != &record->dc || !record->dcTaken)
        return 0;
    record->dcTaken = false;
    return 1;
}

HWND WindowFromDC(HDC dc)
{
    return dc && Live(dc->window) ? dc->window : nullptr;
}

BOOL SetForegroundWindow(HWND window)
{
    WindowRecord* record = Live(window);
    if (!record)
        return false;
    if (record->sdl)
        SDL_RaiseWindow(record->sdl);
    return true;
}

HWND SetFocus(HWND window)
{
    const HWND previous = GetFocus();
    WindowRecord* record = Live(window);
    if (!record)
        return previous;
    if (record->sdl)
        SDL_RaiseWindow(record->sdl); // SDL reports the focus when the window system grants it
    else if (!record->parent) {
        for (const auto& other : State().windows)
            other->focused = false;
        record->focused = true; // no window system: the request is the grant
    }
    return previous;
}

HWND GetFocus()
{
    WindowState& state = State();
    if (state.forceFocus)
        return MainWindow();
    for (const auto& record : state.windows)
        if (record->alive && record->focused)
            return record.get();
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    WindowState& state = State();
    const HCURSOR previous = state.currentCursor;
    state.currentCursor = cursor;
    ApplyCursor();
    return previous;
}

int ShowCursor(BOOL show)
{
    WindowState& state = State();
    state.showCount += show ? 1 : -1;
    ApplyCursor();
    return state.showCount;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return false;
    WindowState& state = State();
    const WindowRecord* window = Live(state.mouseWindow);
    if (!window)
        window = MainWindow();
    if (!window) {
        *point = {0, 0};
        return true;
    }
    const POINT client = WindowToClient(window, window->mouseX, window->mouseY);
    *point = {client.x + window->x, client.y + window->y};
    return true;
}

BOOL ScreenToClient(HWND window, POINT* point)
{
    const WindowRecord* record = Live(window);
    if (!record || !point)
        return false;
    point->x -= record->x;
    point->y -= record->y;
    return true;
}

BOOL ClientToScreen(HWND window, POINT* point)
{
    const WindowRecord* record = Live(window);
    if (!record || !point)
        return false;
    point->x += record->x;
    point->y += record->y;
    return true;
}

SHORT GetAsyncKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    return State().virtualKeyDown[virtualKey] > 0 ? static_cast<SHORT>(0x8000u) : SHORT{0};
}

SDL_Window* GetSdlWindow(HWND window)
{
    const WindowRecord* record = Live(window);
    return record ? record->sdl : nullptr;
}

bool IsWindowFocused(HWND window)
{
    return window && GetFocus() == window;
}

bool IsWindowMinimised(HWND window)
{
    return IsIconic(window);
}

bool IsWindowFullscreen(HWND window)
{
    const WindowRecord* record = Live(window);
    return record && IsPopup(record);
}

void GetClientSize(HWND window, int* width, int* height)
{
    const WindowRecord* record = Live(window);
    *width = record ? record->width : 0;
    *height = record ? record->height : 0;
}

void GetDrawableSize(HWND window, int* width, int* height)
{
    const WindowRecord* record = Live(window);
    if (record && record->sdl) {
        SDL_GL_GetDrawableSize(record->sdl, width, height);
        return;
    }
    GetClientSize(window, width, height);
}

LetterboxRectangle LetterboxRect(int windowWidth, int windowHeight, int modeWidth, int modeHeight)
{
    if (windowWidth <= 0 || windowHeight <= 0 || modeWidth <= 0 || modeHeight <= 0)
        return {0, 0, std::max(windowWidth, 0), std::max(windowHeight, 0)};
    const int64_t ww = windowWidth, wh = windowHeight, mw = modeWidth, mh = modeHeight;
    int width;
    int height;
    if (ww * mh <= wh * mw) { // the width limits: bars above and below
        width = windowWidth;
        height = static_cast<int>((ww * mh + mw / 2) / mw);
    } else { // the height limits: bars left and right
        height = windowHeight;
        width = static_cast<int>((wh * mw + mh / 2) / mh);
    }
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

namespace Test {

void SetHeadlessWindows(bool headless)
{
    State().headless = headless;
}

void SetForceFocus(bool force)
{
    State().forceFocus = force;
}

void SetResourceFolder(const std::string& folder)
{
    State().resourceFolder = folder;
}

void FailWindowCall(WindowCall call, int times)
{
    windowFaults[static_cast<int>(call)] = times;
}

void ClearWindowFaults()
{
    std::fill(std::begin(windowFaults), std::end(windowFaults), 0);
}

void SetShowCursorCount(int count)
{
    State().showCount = count;
    ApplyCursor();
}

} // namespace Test

} // namespace Platform

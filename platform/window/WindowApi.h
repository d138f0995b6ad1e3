#pragma once
// The Win32 window subset the engine is written against, standing in over one SDL2 window per top-level
// window record.
//
// Rules:
// - Main thread only: SDL may be pumped only there. No call takes a lock.
// - One event pump: PeekMessageA drains SDL's queue into this module's message queue and, in the same
//   pass, feeds the DirectInput stand-in (platform/input). Nothing blocks; GetMessage is not offered.
// - Window records: a WS_POPUP window covers the desktop (SDL desktop full screen, borderless, always on
//   top) while its client keeps the requested size, which the render stand-in scales and letterboxes into
//   it; a captioned window is decorated, not resizable, and its client is exactly the requested rectangle
//   (no frame is added); a WS_CHILD window is a record only (embedding in a host window is not built).
//   Every SDL window is created with OpenGL support, hidden until ShowWindow.
// - Coordinates: "screen" positions are the window's client origin plus video-mode pixels, so
//   GetCursorPos followed by ScreenToClient gives the cursor in the back buffer's pixels in either mode.
// - Typed text comes from SDL text input as WM_CHAR messages carrying one UTF-16 unit each (as a Unicode
//   window receives them); key messages carry the virtual-key codes of platform/window/VirtualKeys.h.
// - Failures: CreateWindowExA answers null, RegisterClassA 0, GetDC null, each with the reason on stderr.
//   Calls on a handle this module does not know answer 0 / false and change nothing.
//
// Numeric values of messages, styles and flags are this module's own; only their names follow usage.

#include "platform/window/WinTypes.h"

namespace Platform {

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct DEVMODEA; // display modes belong to the render stand-in; ChangeDisplaySettingsA takes only null

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time; // milliseconds, GetTickCount's clock
    POINT pt;
};

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_SETFOCUS = 0x0010;
constexpr UINT WM_KILLFOCUS = 0x0011;
constexpr UINT WM_CLOSE = 0x0012;
constexpr UINT WM_QUIT = 0x0013;
constexpr UINT WM_SETCURSOR = 0x0014;
constexpr UINT WM_KEYDOWN = 0x0020;    // wParam: virtual-key code; lParam bit 30: key was already down
constexpr UINT WM_KEYUP = 0x0021;
constexpr UINT WM_CHAR = 0x0022;       // wParam: one UTF-16 unit
constexpr UINT WM_SYSKEYDOWN = 0x0023; // a key-down while Alt is held, or F10
constexpr UINT WM_SYSKEYUP = 0x0024;
constexpr UINT WM_SYSCOMMAND = 0x0030; // wParam: SC_ code; its four low bits are the system's own

// System commands (multiples of 16).
constexpr WPARAM SC_MINIMIZE = 0x1010;
constexpr WPARAM SC_MAXIMIZE = 0x1020;
constexpr WPARAM SC_CLOSE = 0x1030;
constexpr WPARAM SC_RESTORE = 0x1040;
constexpr WPARAM SC_TASKLIST = 0x1050;
constexpr WPARAM SC_SCREENSAVE = 0x1060;
constexpr WPARAM SC_HOTKEY = 0x1070;
constexpr WPARAM SC_MONITORPOWER = 0x1080;

// Class styles (accepted, no effect: the back buffer is always presented whole).
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;

// Window styles.
constexpr DWORD WS_POPUP = 0x0001;
constexpr DWORD WS_CHILD = 0x0002;
constexpr DWORD WS_CAPTION = 0x0004;
constexpr DWORD WS_SYSMENU = 0x0008;
constexpr DWORD WS_MINIMIZEBOX = 0x0010;
constexpr DWORD WS_CLIPSIBLINGS = 0x0020;
constexpr DWORD WS_CLIPCHILDREN = 0x0040;
constexpr DWORD WS_VISIBLE = 0x0080;

// Extended window styles.
constexpr DWORD WS_EX_APPWINDOW = 0x0001;
constexpr DWORD WS_EX_WINDOWEDGE = 0x0002;
constexpr DWORD WS_EX_TOOLWINDOW = 0x0004;
constexpr DWORD WS_EX_TOPMOST = 0x0008;

// SetWindowLongA indices.
constexpr int GWL_STYLE = 1;
constexpr int GWL_EXSTYLE = 2;

// SetWindowPos.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_SHOWWINDOW = 0x0004;
constexpr UINT SWP_FRAMECHANGED = 0x0008;
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<intptr_t>(-2));

// ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 1;
constexpr int SW_MINIMIZE = 2;
constexpr int SW_RESTORE = 3;

// PeekMessageA.
constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;

// Stock objects.
constexpr int BLACK_BRUSH = 1;

// ChangeDisplaySettingsA results.
constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;

// Resource names: an integer id travels in a name pointer, as the engine passes it.
inline const char* MAKEINTRESOURCEA(uintptr_t id) { return reinterpret_cast<const char*>(id); }
inline const char* const IDI_APPLICATION = MAKEINTRESOURCEA(0x7F00);
inline const char* const IDC_ARROW = MAKEINTRESOURCEA(0x7F00);

// Module, class and window life.
HMODULE GetModuleHandleA(const char* moduleName); // null: the program; any other name: null
HGDIOBJ GetStockObject(int object);
// Icon and cursor resources: with a module, the integer id names an image in the folder "resources"
// beside the executable ("icon<id>.bmp", "cursor<id>.bmp"); without one, IDI_APPLICATION / IDC_ARROW.
// A missing or unreadable image gives the system default (the arrow), never null; the same id gives the
// same handle every time, and handles live as long as the process.
HICON LoadIconA(HINSTANCE instance, const char* name);
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
ATOM RegisterClassA(const WNDCLASSA* windowClass); // 0: no procedure, no name, or the name is taken
BOOL UnregisterClassA(const char* className, HINSTANCE instance);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle); // client = window: no change
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
HWND GetParent(HWND window);
HWND GetDesktopWindow();
BOOL GetWindowRect(HWND window, RECT* rect); // screen rectangle; the desktop's is its display size
BOOL GetClientRect(HWND window, RECT* rect); // (0, 0, width, height) in video-mode pixels
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
LONG SetWindowLongA(HWND window, int index, LONG value); // returns the previous value
BOOL ShowWindow(HWND window, int command);                // returns whether it was visible before
BOOL IsIconic(HWND window);                               // minimised
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags); // the real display mode never changes
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HWND WindowFromDC(HDC dc);

// Focus.
BOOL SetForegroundWindow(HWND window);
HWND SetFocus(HWND window); // returns the window that had the focus
HWND GetFocus();            // the focused window, or null; see Test::SetForceFocus

// Messages. PeekMessageA takes no window filter and no range (pass null and 0, 0).
BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT remove);
BOOL TranslateMessage(const MSG* message); // a key-down of Backspace, Tab, Enter or Escape posts its WM_CHAR
LRESULT DispatchMessageA(const MSG* message);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Cursor.
HCURSOR SetCursor(HCURSOR cursor); // null hides the cursor image; returns the previous one
int ShowCursor(BOOL show);         // display counter, starting at 0: the cursor shows while it is >= 0
BOOL GetCursorPos(POINT* point);   // the last position seen in a window, in "screen" coordinates
BOOL ScreenToClient(HWND window, POINT* point);
BOOL ClientToScreen(HWND window, POINT* point);

// Keyboard and mouse buttons as the pump last saw them: bit 15 set while down. Every key and button reads
// up after the focus is lost.
SHORT GetAsyncKeyState(int virtualKey);

} // namespace Platform

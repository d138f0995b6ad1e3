#include "engine/core/devices/Window.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"


namespace VantoranEngine {

using namespace Platform;

namespace {

const char* const windowClassName = "Vantoran Engine window class";

// The window the procedure serves, whatever handle a message carries.
Window* currentWindow = nullptr;

constexpr DWORD windowedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD windowedExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

// min(value, 2) then max(that, 0), in this order so that a NaN becomes 2.
float ClampGamma(float value)
{
    const float upper = value < 2.0f ? value : 2.0f;
    return upper > 0.0f ? upper : 0.0f;
}

// Centred on the desktop; a window larger than the desktop starts at its top-left corner.
LONG CentredOrigin(LONG desktopExtent, uint32_t size)
{
    const int64_t origin = (static_cast<int64_t>(desktopExtent) - static_cast<int64_t>(size)) / 2;
    return origin > 0 ? static_cast<LONG>(origin) : 0;
}

} // namespace

Window::Window(Config& config, MessageManager& log, const std::string& caption, HWND parent, int32_t iconResourceId,
               uint32_t width, uint32_t height, bool fullscreen)
    : log(log), config(config), width(width), height(height), fullscreen(fullscreen), parent(parent)
{
    currentWindow = this;
    log.LogMessage(" ");
    log.LogMessage("Window creation:");

    hinstance = GetModuleHandleA(nullptr);
    cursor = LoadCursorA(nullptr, IDC_ARROW);
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &Window::WindowProc;
    windowClass.hInstance = hinstance;
    windowClass.hIcon = iconResourceId != 0
                            ? LoadIconA(hinstance, MAKEINTRESOURCEA(static_cast<uintptr_t>(iconResourceId)))
                            : LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = windowClassName;

    log.LogMessage("...Registering the window class...");
    if (RegisterClassA(&windowClass) == 0) {
        currentWindow = nullptr;
        log.LogFatalError("Failed to register the window class");
    }

    DWORD style;
    DWORD exStyle;
    RECT rect{};
    if (parent) {
        style = WS_CHILD;
        exStyle = WS_EX_TOOLWINDOW;
        RECT host{};
        GetWindowRect(parent, &host);
        this->width = static_cast<uint32_t>(host.right - host.left);
        this->height = static_cast<uint32_t>(host.bottom - host.top);
        this->fullscreen = false;
        rect = {0, 0, host.right - host.left, host.bottom - host.top};
    } else if (fullscreen) {
        style = WS_POPUP;
        exStyle = WS_EX_APPWINDOW;
        rect = {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    } else {
        style = windowedStyle;
        exStyle = windowedExStyle;
        RECT desktop{};
        GetWindowRect(GetDesktopWindow(), &desktop);
        const LONG left = CentredOrigin(desktop.right, width);
        const LONG top = CentredOrigin(desktop.bottom, height);
        rect = {left, top, left + static_cast<LONG>(width), top + static_cast<LONG>(height)};
    }
    AdjustWindowRectEx(&rect, style, false, exStyle);

    hwnd = CreateWindowExA(exStyle, windowClassName, caption.c_str(), style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                           rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                           hinstance, nullptr);
    if (!hwnd) {
        ReleaseResources();
        log.LogFatalError("Failed to create window");
    }
    SetWindowPos(hwnd, fullscreen ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    log.LogMessage("...Creating a device context...");
    hdc = GetDC(hwnd);
    if (!hdc) {
        ReleaseResources();
        log.LogFatalError("Failed to create a device context");
    }

    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    if (!parent)
        SetFocus(hwnd);
    if (fullscreen && !parent)
        ClampGammaSettings();

    keyEventPending = false;
    if (parent)
        for (HWND ancestor = GetParent(hwnd); ancestor; ancestor = GetParent(ancestor))
            parentAncestors.push_back(ancestor);
}

Window::~Window()
{
    log.LogMessage("\nWindow destroying:");
    log.LogMessage("...Releasing device context...");
    ReleaseDC(hwnd, hdc);
    log.LogMessage("...Releasing window...");
    DestroyWindow(hwnd);
    log.LogMessage("...Unregistering class...");
    UnregisterClassA(windowClassName, hinstance);
    if (currentWindow == this)
        currentWindow = nullptr;
}

void Window::ReleaseResources()
{
    if (hdc)
        ReleaseDC(hwnd, hdc);
    if (hwnd)
        DestroyWindow(hwnd);
    UnregisterClassA(windowClassName, hinstance);
    hdc = nullptr;
    hwnd = nullptr;
    if (currentWindow == this)
        currentWindow = nullptr;
}

LRESULT Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!currentWindow)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return currentWindow->HandleMessage(message, wParam, hwnd, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, HWND window, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
    case WM_QUIT:
        config.Execute("exit");
        return 0;
    case WM_SETCURSOR:
        SetCursor(cursor);
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        keyEventCode = static_cast<uint16_t>(wParam & 0xFFFF);
        keyEventIsChar = false;
        keyEventPending = true;
        break;
    case WM_SYSKEYUP:
        return 0;
    case WM_CHAR:
        if (wParam >= 32) {
            keyEventPending = true;
            keyEventIsChar = true;
            keyEventCode = static_cast<uint16_t>(wParam & 0xFFFF);
        }
        break;
    case WM_SYSCOMMAND:
        switch (wParam) { // the whole value: a command with extra low bits goes to default processing
        case SC_MINIMIZE:
            if (parent)
                return 0;
            break;
        case SC_MAXIMIZE:
        case SC_TASKLIST:
        case SC_SCREENSAVE:
        case SC_HOTKEY:
        case SC_MONITORPOWER:
            return 0;
        case SC_CLOSE:
            config.Execute("exit");
            return 0;
        case SC_RESTORE:
            if (hwnd && config.settings.v_fullscreen && !parent)
                ClampGammaSettings();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Window::SetMode(uint32_t width, uint32_t height, bool fullscreen, uint32_t screenWidth, uint32_t screenHeight)
{
    if (parent)
        return;
    this->width = width;
    this->height = height;
    this->fullscreen = fullscreen;

    DWORD style;
    DWORD exStyle;
    RECT rect{};
    if (fullscreen) {
        style = WS_POPUP;
        exStyle = WS_EX_APPWINDOW;
        rect = {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    } else {
        style = windowedStyle;
        exStyle = windowedExStyle;
        const LONG left = CentredOrigin(static_cast<LONG>(screenWidth), width);
        const LONG top = CentredOrigin(static_cast<LONG>(screenHeight), height);
        rect = {left, top, left + static_cast<LONG>(width), top + static_cast<LONG>(height)};
    }
    AdjustWindowRectEx(&rect, style, false, exStyle);
    SetWindowLongA(hwnd, GWL_EXSTYLE, static_cast<LONG>(exStyle));
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(hwnd, fullscreen ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    SetFocus(hwnd);
    if (fullscreen)
        ClampGammaSettings();
    else
        ChangeDisplaySettingsA(nullptr, 0);
}

void Window::Update()
{
    if (parent && !IsWindow(parent))
        config.Execute("exit");
}

bool Window::HasFocus() const
{
    const HWND focus = GetFocus();
    if (!parent)
        return focus == hwnd;
    for (HWND ancestor : parentAncestors)
        if (focus == ancestor)
            return true;
    return false;
}

void Window::ClampGammaSettings()
{
    EngineSettings& settings = config.settings;
    settings.v_brightness = ClampGamma(settings.v_brightness);
    settings.v_contrast = ClampGamma(settings.v_contrast);
    settings.v_gamma = ClampGamma(settings.v_gamma);
}

char16_t Window::TranslateChar(uint8_t byte)
{
    const std::u16string wide = MultiByteToWide(std::string(1, static_cast<char>(byte)));
    return wide.empty() ? u'A' : wide[0];
}

} // namespace VantoranEngine

// The one event pump: SDL events become window messages, key and button state, and input-device data.

#include "platform/input/InputFeed.h"
#include "platform/os/Clock.h"
#include "platform/window/KeyTable.h"
#include "platform/window/SdlWindow.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowState.h"
#include "platform/window/WindowTest.h"

#include <algorithm>

namespace Platform {
namespace {

constexpr LPARAM repeatBit = LPARAM{1} << 30;
constexpr LPARAM altBit = LPARAM{1} << 29;
// lParam of the SC_RESTORE posted after the window system restored the window: nothing left to do.
constexpr LPARAM restoredNotice = 1;

struct ButtonCodes {
    int directInputButton;
    int virtualKey;
};

ButtonCodes ButtonCodesFromSdl(int button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return {0, VK_LBUTTON};
    case SDL_BUTTON_RIGHT: return {1, VK_RBUTTON};
    case SDL_BUTTON_MIDDLE: return {2, VK_MBUTTON};
    case SDL_BUTTON_X1: return {3, VK_XBUTTON1};
    case SDL_BUTTON_X2: return {4, VK_XBUTTON2};
    default: return {-1, VK_NONE};
    }
}

int SdlButtonFromDirectInput(int button)
{
    constexpr int buttons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1, SDL_BUTTON_X2};
    return button >= 0 && button < 5 ? buttons[button] : 0;
}

// Key messages name the modifier, not its side.
int MessageKey(int virtualKey)
{
    switch (virtualKey) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return virtualKey;
    }
}

void CountVirtualKey(int virtualKey, bool down)
{
    int* count = State().virtualKeyDown;
    auto change = [&](int code) {
        if (code <= VK_NONE || code > 255)
            return;
        count[code] = down ? count[code] + 1 : std::max(0, count[code] - 1);
    };
    change(virtualKey);
    if (MessageKey(virtualKey) != virtualKey)
        change(MessageKey(virtualKey));
}

bool buttonDown[8] = {};

void TranslateKey(const SDL_KeyboardEvent& key)
{
    WindowState& state = State();
    const int scancode = key.keysym.scancode;
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    const bool wasDown = state.keyDown[scancode];
    const bool repeat = down && (key.repeat != 0 || wasDown);
    if (!down && !wasDown)
        return; // its press was forgotten with the focus
    state.keyDown[scancode] = down;
    const KeyCodes codes = KeyCodesFromScancode(scancode);
    if (!repeat)
        CountVirtualKey(codes.virtualKey, down);
    if (!repeat && codes.directInputKey != 0)
        InputFeed::Key(codes.directInputKey, down);
    WindowRecord* window = FromSdlId(key.windowID);
    if (!window || codes.virtualKey == VK_NONE)
        return;
    const int messageKey = MessageKey(codes.virtualKey);
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0 || messageKey == VK_MENU;
    const bool system = alt || messageKey == VK_F10;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    Post(window, message, static_cast<WPARAM>(messageKey), (repeat ? repeatBit : 0) | (alt ? altBit : 0));
}

void TranslateText(const SDL_TextInputEvent& text)
{
    WindowRecord* window = FromSdlId(text.windowID);
    if (!window)
        return;
    // UTF-8 to UTF-16 units; a malformed sequence is skipped byte by byte.
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.text);
    for (size_t i = 0; bytes[i] != 0;) {
        const unsigned char lead = bytes[i];
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0) {
            ++i;
            continue;
        }
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        if (!valid) {
            ++i;
            continue;
        }
        i += static_cast<size_t>(length);
        if (code >= 0x10000) {
            code -= 0x10000;
            Post(window, WM_CHAR, 0xD800 + (code >> 10), 0);
            Post(window, WM_CHAR, 0xDC00 + (code & 0x3FF), 0);
        } else {
            Post(window, WM_CHAR, code, 0);
        }
    }
}

void TranslateButton(const SDL_MouseButtonEvent& event)
{
    WindowState& state = State();
    const ButtonCodes codes = ButtonCodesFromSdl(event.button);
    if (codes.directInputButton < 0)
        return;
    if (WindowRecord* window = FromSdlId(event.windowID)) {
        window->mouseX = event.x;
        window->mouseY = event.y;
        state.mouseWindow = window;
    }
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    bool& wasDown = buttonDown[codes.directInputButton];
    if (down == wasDown)
        return;
    wasDown = down;
    CountVirtualKey(codes.virtualKey, down);
    InputFeed::MouseButton(codes.directInputButton, down);
}

void TranslateWindowEvent(const SDL_WindowEvent& event)
{
    WindowRecord* window = FromSdlId(event.windowID);
    if (!window)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        window->focused = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        window->focused = false;
        ReleaseAllKeys();
        InputFeed::FocusLost();
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        window->minimised = true;
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (window->minimised) {
            window->minimised = false;
            Post(window, WM_SYSCOMMAND, SC_RESTORE, restoredNotice);
        }
        break;
    case SDL_WINDOWEVENT_SHOWN:
        window->visible = true;
        break;
    case SDL_WINDOWEVENT_HIDDEN:
        window->visible = false;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        Post(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG m{};
    m.hwnd = window;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    GetCursorPos(&m.pt);
    return m;
}

// Hands an injected event to the pump: through SDL's queue while SDL runs, else straight to translation.
void Inject(SDL_Event& event)
{
    if (VideoRunning()) {
        if (const WindowRecord* window = MainWindow(); window && window->sdl) {
            const Uint32 id = SDL_GetWindowID(window->sdl);
            switch (event.type) {
            case SDL_KEYDOWN:
            case SDL_KEYUP: event.key.windowID = id; break;
            case SDL_TEXTINPUT: event.text.windowID = id; break;
            case SDL_MOUSEMOTION: event.motion.windowID = id; break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: event.button.windowID = id; break;
            case SDL_MOUSEWHEEL: event.wheel.windowID = id; break;
            case SDL_WINDOWEVENT: event.window.windowID = id; break;
            default: break;
            }
        }
        event.common.timestamp = SDL_GetTicks();
        SDL_PushEvent(&event);
        return;
    }
    bool motion = false;
    TranslateSdlEvent(event, &motion);
    if (motion)
        if (WindowRecord* window = MainWindow())
            Post(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), 0);
}

} // namespace

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    State().queue.push_back(MakeMessage(window, message, wParam, lParam));
}

void ReleaseAllKeys()
{
    WindowState& state = State();
    std::fill(std::begin(state.keyDown), std::end(state.keyDown), false);
    std::fill(std::begin(state.virtualKeyDown), std::end(state.virtualKeyDown), 0);
    std::fill(std::begin(buttonDown), std::end(buttonDown), false);
}

void TranslateSdlEvent(const SDL_Event& event, bool* motionSeen)
{
    WindowState& state = State();
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event.key);
        break;
    case SDL_TEXTINPUT:
        TranslateText(event.text);
        break;
    case SDL_MOUSEMOTION:
        if (WindowRecord* window = FromSdlId(event.motion.windowID)) {
            window->mouseX = event.motion.x;
            window->mouseY = event.motion.y;
            state.mouseWindow = window;
        }
        InputFeed::MouseMotion(event.motion.xrel, event.motion.yrel);
        *motionSeen = true;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        TranslateButton(event.button);
        break;
    case SDL_MOUSEWHEEL: {
        const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        InputFeed::MouseWheel(notches * 120);
        break;
    }
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window);
        break;
    case SDL_QUIT:
        if (WindowRecord* window = MainWindow())
            Post(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void PumpEvents()
{
    if (VideoRunning()) {
        bool motion = false;
        SDL_Event event;
        while (SDL_PollEvent(&event))
            TranslateSdlEvent(event, &motion);
        if (motion)
            if (WindowRecord* window = Live(State().mouseWindow))
                Post(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), 0);
    }
    InputFeed::EndPump();
}

BOOL PeekMessageA(MSG* message, HWND, UINT, UINT, UINT remove)
{
    WindowState& state = State();
    if (state.queue.empty())
        PumpEvents();
    if (state.queue.empty() || !message)
        return false;
    *message = state.queue.front();
    if (remove & PM_REMOVE)
        state.queue.pop_front();
    return true;
}

BOOL TranslateMessage(const MSG* message)
{
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
        return false;
    WPARAM character = 0;
    switch (static_cast<int>(message->wParam)) {
    case VK_BACK: character = 8; break;
    case VK_TAB: character = 9; break;
    case VK_RETURN: character = 13; break;
    case VK_ESCAPE: character = 27; break;
    default: return false;
    }
    State().queue.push_front(MakeMessage(message->hwnd, WM_CHAR, character, message->lParam));
    return true;
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (!message)
        return 0;
    const WindowRecord* window = Live(message->hwnd);
    if (!window || !window->procedure)
        return 0;
    return window->procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !Live(window))
        return false;
    Post(window, message, wParam, lParam);
    return true;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRecord* record = Live(window);
    if (!record)
        return 0;
    switch (message) {
    case WM_SYSCOMMAND:
        switch (wParam & ~WPARAM{0xF}) { // the four low bits are the system's own
        case SC_CLOSE: Post(window, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); break;
        case SC_RESTORE:
            if (lParam != restoredNotice)
                ShowWindow(window, SW_RESTORE);
            break;
        default: break; // maximising and the rest: the window keeps its size
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == static_cast<WPARAM>(VK_F4) && (lParam & altBit))
            Post(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SETFOCUS:
        if (record->minimised)
            ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        return 0;
    case WM_SETCURSOR:
        for (const ClassRecord& c : State().classes)
            if (c.name == record->className && c.record.hCursor)
                SetCursor(c.record.hCursor);
        return 1;
    default:
        return 0;
    }
}

namespace Test {

void InjectKey(uint8_t directInputKey, bool down, bool repeat, bool altHeld)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(ScancodeFromDirectInputKey(directInputKey));
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    event.key.keysym.mod = altHeld ? KMOD_LALT : KMOD_NONE;
    Inject(event);
}

void InjectText(const std::string& utf8)
{
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    size_t i = 0;
    while (i < utf8.size()) {
        // whole characters only, as many as fit in one event
        size_t end = std::min(utf8.size(), i + sizeof(event.text.text) - 1);
        while (end < utf8.size() && end > i && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        std::fill(std::begin(event.text.text), std::end(event.text.text), '\0');
        std::copy(utf8.begin() + static_cast<std::ptrdiff_t>(i), utf8.begin() + static_cast<std::ptrdiff_t>(end),
                  event.text.text);
        Inject(event);
        i = end;
    }
}

void InjectMouseButton(int button, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(SdlButtonFromDirectInput(button));
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    if (const WindowRecord* window = MainWindow()) {
        event.button.x = window->mouseX;
        event.button.y = window->mouseY;
    }
    Inject(event);
}

void InjectMouseMotion(int x, int y, int dx, int dy)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    Inject(event);
}

void InjectWheel(int notches)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Inject(event);
}

namespace {
void InjectWindowEvent(SDL_WindowEventID id)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    Inject(event);
}
} // namespace

void InjectFocus(bool gained)
{
    InjectWindowEvent(gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void InjectMinimised(bool minimised)
{
    InjectWindowEvent(minimised ? SDL_WINDOWEVENT_MINIMIZED : SDL_WINDOWEVENT_RESTORED);
}

void InjectClose()
{
    InjectWindowEvent(SDL_WINDOWEVENT_CLOSE);
}

void ResetInput()
{
    WindowState& state = State();
    if (VideoRunning())
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    state.queue.clear();
    ReleaseAllKeys();
    for (const auto& window : state.windows) {
        window->mouseX = 0;
        window->mouseY = 0;
    }
    state.mouseWindow = nullptr;
    InputFeed::Reset();
}

} // namespace Test

} // namespace Platform

#include "engine/core/devices/Controls_DI7.h"

#include "engine/core/MessageManager.h"
#include "engine/core/devices/Window.h"
#include "platform/window/WindowApi.h"

namespace VantoranEngine {

using namespace Platform;

namespace {

constexpr DWORD keyboardBufferSize = 8; // events
constexpr DWORD mouseBufferSize = 16;
constexpr DWORD eventsPerRead = 8;

struct KeyBinding {
    const char* name;
    int32_t code;
};

const KeyBinding keyBindings[] = {
    {"CAPS_LOCK", DIK_CAPITAL}, {"NUM_LOCK", DIK_NUMLOCK}, {"SCROLL_LOCK", DIK_SCROLL},
    {"0", DIK_0}, {"1", DIK_1}, {"2", DIK_2}, {"3", DIK_3}, {"4", DIK_4},
    {"5", DIK_5}, {"6", DIK_6}, {"7", DIK_7}, {"8", DIK_8}, {"9", DIK_9},
    {"A", DIK_A}, {"B", DIK_B}, {"C", DIK_C}, {"D", DIK_D}, {"E", DIK_E}, {"F", DIK_F}, {"G", DIK_G},
    {"H", DIK_H}, {"I", DIK_I}, {"J", DIK_J}, {"K", DIK_K}, {"L", DIK_L}, {"M", DIK_M}, {"N", DIK_N},
    {"O", DIK_O}, {"P", DIK_P}, {"Q", DIK_Q}, {"R", DIK_R}, {"S", DIK_S}, {"T", DIK_T}, {"U", DIK_U},
    {"V", DIK_V}, {"W", DIK_W}, {"X", DIK_X}, {"Y", DIK_Y}, {"Z", DIK_Z},
    {"BACKSPACE", DIK_BACK}, {"TAB", DIK_TAB}, {"SPACE", DIK_SPACE}, {"ENTER", DIK_RETURN},
    {"ESCAPE", DIK_ESCAPE}, {"RSHIFT", DIK_RSHIFT}, {"LSHIFT", DIK_LSHIFT},
    {"RCTRL", DIK_RCONTROL}, {"LCTRL", DIK_LCONTROL}, {"RALT", DIK_RMENU}, {"LALT", DIK_LMENU},
    {"PAGEUP", DIK_PRIOR}, {"PAGEDOWN", DIK_NEXT}, {"END", DIK_END}, {"HOME", DIK_HOME},
    {"PRINTSCRN", DIK_SYSRQ}, {"INSERT", DIK_INSERT}, {"DELETE", DIK_DELETE}, {"PAUSE", DIK_PAUSE},
    {"LEFTARROW", DIK_LEFT}, {"UPARROW", DIK_UP}, {"RIGHTARROW", DIK_RIGHT}, {"DOWNARROW", DIK_DOWN},
    {"NUMPAD_0", DIK_NUMPAD0}, {"NUMPAD_1", DIK_NUMPAD1}, {"NUMPAD_2", DIK_NUMPAD2},
    {"NUMPAD_3", DIK_NUMPAD3}, {"NUMPAD_4", DIK_NUMPAD4}, {"NUMPAD_5", DIK_NUMPAD5},
    {"NUMPAD_6", DIK_NUMPAD6}, {"NUMPAD_7", DIK_NUMPAD7}, {"NUMPAD_8", DIK_NUMPAD8},
    {"NUMPAD_9", DIK_NUMPAD9},
    {"NUMPAD_MULTIPLY", DIK_MULTIPLY}, {"NUMPAD_PLUS", DIK_ADD}, {"NUMPAD_MINUS", DIK_SUBTRACT},
    {"NUMPAD_DELETE", DIK_DECIMAL}, {"NUMPAD_DIVIDE", DIK_DIVIDE},
    {"F1", DIK_F1}, {"F2", DIK_F2}, {"F3", DIK_F3}, {"F4", DIK_F4}, {"F5", DIK_F5}, {"F6", DIK_F6},
    {"F7", DIK_F7}, {"F8", DIK_F8}, {"F9", DIK_F9}, {"F10", DIK_F10}, {"F11", DIK_F11}, {"F12", DIK_F12},
    {"~", DIK_GRAVE}, {";", DIK_SEMICOLON}, {"=", DIK_EQUALS}, {",", DIK_COMMA}, {"-", DIK_MINUS},
    {".", DIK_PERIOD}, {"/", DIK_SLASH}, {"[", DIK_LBRACKET}, {"\\", DIK_BACKSLASH}, {"", DIK_RBRACKET},
    {"'", DIK_APOSTROPHE},
};

// A device that reports lost input is acquired again until it stops saying so.
void Reacquire(IDirectInputDevice7A* device)
{
    while (device->Acquire() == DIERR_INPUTLOST) {
    }
}

} // namespace

Controls_DI7::Controls_DI7(MessageManager& log, Window& window, Config& config, TimerManager& timers)
    : Controls(log, timers, config, window)
{
    keyboardBuffered = true;
    mouseBuffered = true;
    log.LogMessage("Initialization of DirectInput devices...");

    log.LogMessage("...Creating a DirectInput object...");
    void* object = nullptr;
    if (DirectInputCreateEx(window.hinstance, DIRECTINPUT_VERSION, IID_IDirectInput7A, &object, nullptr) < 0)
        Fail("Failed to create a DirectInput object");
    directInput = static_cast<IDirectInput7A*>(object);

    log.LogMessage("...Keyboard:");
    log.LogMessage("......Obtaining an interface to the system keyboard device...");
    keyboard = OpenDevice(GUID_SysKeyboard, c_dfDIKeyboard, keyboardBufferSize,
                          "Failed to obtain an interface to the system keyboard device", keyboardBuffered);

    log.LogMessage("...Mouse:");
    log.LogMessage("......Obtaining an interface to the system mouse device...");
    mouse = OpenDevice(GUID_SysMouse, c_dfDIMouse2, mouseBufferSize,
                       "Failed to obtain an interface to the system mouse device", mouseBuffered);

    for (const KeyBinding& binding : keyBindings) {
        keyCodes[binding.name] = binding.code;
        codeNames[binding.code] = binding.name;
    }
}

IDirectInputDevice7A* Controls_DI7::OpenDevice(const GUID& guid, const DIDATAFORMAT& format, DWORD bufferSize,
                                               const char* interfaceFailure, bool& buffered)
{
    void* object = nullptr;
    if (directInput->CreateDeviceEx(guid, IID_IDirectInputDevice7A, &object, nullptr) < 0)
        Fail(interfaceFailure);
    IDirectInputDevice7A* device = static_cast<IDirectInputDevice7A*>(object);
    // Held in its field at once, so that a failure below releases it.
    (guid == GUID_SysKeyboard ? keyboard : mouse) = device;

    log.LogMessage("......Setting the data format...");
    if (device->SetDataFormat(&format) < 0)
        Fail("Failed to set the data format");

    log.LogMessage("......Setting the cooperativity level...");
    if (device->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND) < 0)
        Fail("Failed to set the cooperativity level");

    log.LogMessage("......Setting the buffered mode...");
    DIPROPDWORD property{};
    property.diph.dwSize = sizeof(DIPROPDWORD);
    property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    property.diph.dwObj = 0;
    property.diph.dwHow = DIPH_DEVICE;
    property.dwData = bufferSize;
    if (device->SetProperty(DIPROP_BUFFERSIZE, &property.diph) < 0) {
        buffered = false;
        log.LogError("Failed to set the buffered mode, switching to the immediate mode");
    }

    device->Acquire();
    return device;
}

void Controls_DI7::Fail(const std::string& text)
{
    ReleaseDevices();
    log.LogFatalError(text);
}

void Controls_DI7::ReleaseDevices()
{
    for (IDirectInputDevice7A** device : {&keyboard, &mouse}) {
        if (*device) {
            (*device)->Unacquire();
            (*device)->Release();
            *device = nullptr;
        }
    }
    if (directInput) {
        directInput->Release();
        directInput = nullptr;
    }
}

Controls_DI7::~Controls_DI7()
{
    log.LogMessage("\nDirectInput devices destroying:");
    log.LogMessage("...Keyboard...");
    if (keyboard) {
        keyboard->Unacquire();
        keyboard->Release();
        keyboard = nullptr;
    }
    log.LogMessage("...Mouse...");
    if (mouse) {
        mouse->Unacquire();
        mouse->Release();
        mouse = nullptr;
    }
    log.LogMessage("...DirectInput object...");
    if (directInput) {
        directInput->Release();
        directInput = nullptr;
    }
    cursorVisible = true;
    ApplyCursorVisibility();
}

void Controls_DI7::Update()
{
    ReadKeyboard();
    ReadMouse();
    Controls::Update();
}

void Controls_DI7::EndFrame()
{
    Controls::EndFrame();
}

void Controls_DI7::SetKeyState(const std::string& name, bool down)
{
    const auto found = keyDown.find(name);
    if (found == keyDown.end())
        return;
    if (!down) {
        found->second = false;
    } else if (!found->second) {
        found->second = true;
        keyPressed[name] = true;
    }
}

void Controls_DI7::ReadKeyboard()
{
    bool immediate = !keyboardBuffered;
    if (keyboardBuffered) {
        DIDEVICEOBJECTDATA events[eventsPerRead] = {};
        DWORD count = eventsPerRead;
        if (keyboard->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events, &count, 0) != DI_OK) {
            Reacquire(keyboard);
            immediate = true;
        } else {
            for (DWORD i = 0; i < count; ++i) {
                const auto found = codeNames.find(static_cast<int32_t>(events[i].dwOfs));
                if (found != codeNames.end())
                    SetKeyState(found->second, (events[i].dwData & 0x80) != 0);
            }
        }
    }
    if (immediate) {
        BYTE keys[256] = {};
        if (keyboard->GetDeviceState(sizeof(keys), keys) < 0)
            Reacquire(keyboard); // the keys stay zero: everything reads up this frame
        for (const auto& [name, code] : keyCodes)
            SetKeyState(name, keys[code] != 0);
    }
}

void Controls_DI7::ReadMouse()
{
    mouseDelta = Vector2{0.0f, 0.0f};
    wheelDelta = 0;
    bool immediate = !mouseBuffered;
    if (mouseBuffered) {
        DIDEVICEOBJECTDATA events[eventsPerRead] = {};
        DWORD count = eventsPerRead;
        if (mouse->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events, &count, 0) != DI_OK) {
            Reacquire(mouse);
            immediate = true;
        } else {
            for (DWORD i = 0; i < count; ++i) {
                const DWORD offset = events[i].dwOfs;
                const auto value = static_cast<LONG>(events[i].dwData);
                if (offset == DIMOFS_X)
                    mouseDelta.x += static_cast<float>(value);
                else if (offset == DIMOFS_Y)
                    mouseDelta.y += static_cast<float>(value);
                else if (offset == DIMOFS_Z)
                    wheelDelta += value;
                else if (offset >= DIMOFS_BUTTON0 && offset <= DIMOFS_BUTTON7)
                    SetKeyState(mouseButtonNames[offset - DIMOFS_BUTTON0], (events[i].dwData & 0x80) != 0);
            }
        }
    }
    if (immediate) {
        DIMOUSESTATE2 state{};
        if (mouse->GetDeviceState(sizeof(state), &state) < 0) {
            Reacquire(mouse);
            state = DIMOUSESTATE2{};
        }
        for (int i = 0; i < mouseButtonCount; ++i)
            SetKeyState(mouseButtonNames[static_cast<size_t>(i)], state.rgbButtons[i] != 0);
        if (!mouseBuffered) {
            wheelDelta = state.lZ;
            mouseDelta = Vector2{static_cast<float>(state.lX), static_cast<float>(state.lY)};
        }
    }
}

} // namespace VantoranEngine

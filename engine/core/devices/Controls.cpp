#include "engine/core/devices/Controls.h"

#include "engine/core/Config.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Window.h"
#include "platform/window/WindowApi.h"

namespace VantoranEngine {

const char* const keyNames[keyNameCount] = {
    "MOUSE1", "MOUSE2", "MOUSE3", "MOUSE4", "MOUSE5", "MOUSE6", "MOUSE7", "MOUSE8",
    "CAPS_LOCK", "NUM_LOCK", "SCROLL_LOCK",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    "BACKSPACE", "TAB", "SPACE", "ENTER", "ESCAPE", "RSHIFT", "LSHIFT", "RCTRL", "LCTRL", "RALT", "LALT",
    "PAGEUP", "PAGEDOWN", "END", "HOME", "PRINTSCRN", "INSERT", "DELETE", "PAUSE",
    "LEFTARROW", "UPARROW", "RIGHTARROW", "DOWNARROW",
    "NUMPAD_0", "NUMPAD_1", "NUMPAD_2", "NUMPAD_3", "NUMPAD_4",
    "NUMPAD_5", "NUMPAD_6", "NUMPAD_7", "NUMPAD_8", "NUMPAD_9",
    "NUMPAD_MULTIPLY", "NUMPAD_PLUS", "NUMPAD_MINUS", "NUMPAD_DELETE", "NUMPAD_DIVIDE",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "~", ";", "=", ",", "-", ".", "/", "[", "\\", "", "'",
};

namespace {

constexpr float holdSystemCheckAfter = 2.0f; // seconds of hold before the system's key state is asked
constexpr int cursorShownCount = 10;
constexpr int cursorHiddenCount = -10;

} // namespace

Controls::Controls(MessageManager& log, TimerManager& timers, Config& config, Window& window)
    : log(log), timers(timers), config(config), window(window)
{
    for (const char* name : keyNames) {
        keyDown[name] = false;
        keyPressed[name] = false;
    }
    for (int i = 0; i < mouseButtonCount; ++i)
        mouseButtonNames.push_back(keyNames[i]);
    Platform::GetCursorPos(&cursorPosition);
    cursorVisible = true;
}

Controls::~Controls()
{
    cursorVisible = true;
    ApplyCursorVisibility();
}

void Controls::Update()
{
    Platform::POINT position{0, 0};
    Platform::GetCursorPos(&position);
    cursorDelta = Vector2{static_cast<float>(position.x - cursorPosition.x),
                          static_cast<float>(position.y - cursorPosition.y)};
    cursorPosition = position;

    if (!config.settings.c_invert_mouse) {
        cursorDelta.y = -cursorDelta.y;
        mouseDelta.y = -mouseDelta.y;
    }

    if (wheelSeen) {
        wheelDelta = 0;
        wheelSeen = false;
    } else {
        wheelSeen = wheelDelta != 0;
    }

    if (inputHold) {
        inputHold = false;
        inputHold = window.keyEventPending || IsAnyKeyDown();
        if (inputHold) {
            holdTime += timers.frameTime;
            if (holdTime > holdSystemCheckAfter) {
                bool anyDown = false;
                for (int key = 0; key < 256 && !anyDown; ++key)
                    anyDown = (Platform::GetAsyncKeyState(key) & 0x8000) != 0;
                if (!anyDown) {
                    inputHold = false;
                    holdTime = 0.0f;
                }
            }
        } else {
            holdTime = 0.0f;
        }
    } else {
        holdTime = 0.0f;
    }

    ApplyCursorVisibility();
}

void Controls::EndFrame()
{
    for (auto& [name, pressed] : keyPressed)
        pressed = false;
    window.keyEventPending = false;
}

bool Controls::IsAnyKeyDown() const
{
    if (inputHold)
        return false;
    for (const auto& [name, down] : keyDown)
        if (down || keyPressed.at(name))
            return true;
    return false;
}

bool Controls::IsAnyKeyPressed() const
{
    if (inputHold)
        return false;
    for (const auto& [name, pressed] : keyPressed)
        if (pressed)
            return true;
    return false;
}

bool Controls::IsKeyDown(const std::string& name) const
{
    if (inputHold)
        return false;
    const std::string key = ToUpperCopy(name);
    const auto found = keyDown.find(key);
    if (found == keyDown.end())
        return false;
    return found->second || keyPressed.at(key);
}

bool Controls::IsKeyPressed(const std::string& name) const
{
    if (inputHold)
        return false;
    const auto found = keyPressed.find(ToUpperCopy(name));
    return found != keyPressed.end() && found->second;
}

void Controls::ApplyCursorVisibility()
{
    int count;
    if (cursorVisible) {
        do
            count = Platform::ShowCursor(true);
        while (count < 0);
        if (count > cursorShownCount)
            Platform::ShowCursor(false);
    } else {
        do
            count = Platform::ShowCursor(false);
        while (count >= 0);
        if (count < cursorHiddenCount)
            Platform::ShowCursor(true);
    }
}

} // namespace VantoranEngine

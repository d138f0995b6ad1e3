#pragma once
// The engine's device-independent input state: every key and mouse button has a fixed upper-case name,
// and the rest of the system asks by name whether it is down or went down in this frame. A device back
// end derives from Controls, reads its devices at the start of its own Update and then runs
// Controls::Update.
//
// Rules:
// - Main thread only; nothing is locked.
// - A frame runs Update (from Engine::Update), then the queries, then EndFrame (from Engine::EndFrame),
//   which clears the pressed flags and the window's key event. A key pressed and released within one
//   frame's readings answers true to IsKeyDown and IsKeyPressed for that frame.
// - While inputHold is set every query answers false; the hold ends at the first update in which no key
//   event arrived and no name is down, or, after more than 2 seconds, when the system reports no key down.
// - Names are compared after upper-casing; unknown names answer false. The empty name is the right
//   square bracket key.

#include "engine/render/Vector2.h"
#include "platform/window/WinTypes.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace VantoranEngine {

class Config;
class MessageManager;
class TimerManager;
class Window;

// The 108 key names: the eight mouse buttons in button order, then the 100 keyboard keys.
constexpr int keyNameCount = 108;
constexpr int mouseButtonCount = 8;
extern const char* const keyNames[keyNameCount];

class Controls {
public:
    Controls(MessageManager& log, TimerManager& timers, Config& config, Window& window);
    virtual ~Controls();

    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    virtual void Update();
    virtual void EndFrame();

    bool IsAnyKeyDown() const;
    bool IsAnyKeyPressed() const;
    bool IsKeyDown(const std::string& name) const;    // down, or pressed this frame
    bool IsKeyPressed(const std::string& name) const; // went down this frame

    MessageManager& log;
    TimerManager& timers;
    Config& config;
    Window& window;
    bool cursorVisible = true; // written by the application's cursor code
    std::map<std::string, bool> keyDown;
    std::map<std::string, bool> keyPressed;
    std::vector<std::string> mouseButtonNames; // "MOUSE1".."MOUSE8": button i is element i
    int32_t wheelDelta = 0;                     // this frame, device units (120 per notch)
    bool wheelSeen = false;                     // the previous frame's wheel value was nonzero
    Vector2 mouseDelta;                         // device motion this frame; y up unless c_invert_mouse
    Vector2 cursorDelta;                        // cursor motion this frame, screen pixels; y as above
    Platform::POINT cursorPosition{0, 0};       // screen pixels at the end of the last update
    bool inputHold = false;
    float holdTime = 0.0f; // seconds the current hold has lasted

protected:
    // Drives the system cursor's display counter to 10 (shown) or -10 (hidden), whatever other code did.
    void ApplyCursorVisibility();
};

} // namespace VantoranEngine

#pragma once
// Test hooks of the window and input stand-ins. Tests call them directly; the game never does.
// Injected input takes the same path as real input: with an SDL window it is pushed into SDL's queue
// (SDL_PushEvent) and drained by the next pump; while windows are headless it is handed to the same
// translation at once. Keys are named by their DirectInput code (platform/input/DirectInput.h), that is,
// by physical position.

#include <cstdint>
#include <string>

namespace Platform::Test {

// Windows become records without SDL (no display needed): creation, styles, focus, messages and the
// cursor counter still work. Set it before the first window is created.
void SetHeadlessWindows(bool headless);

// GetFocus reports the main window whatever SDL says (headless runs never receive focus events).
void SetForceFocus(bool force);

// Folder searched for icon and cursor images instead of "resources" beside the executable.
void SetResourceFolder(const std::string& folder);

void InjectKey(uint8_t directInputKey, bool down, bool repeat = false, bool altHeld = false);
void InjectText(const std::string& utf8);
// button: 0 left, 1 right, 2 middle, 3 and 4 the side buttons, pressed where the pointer last was.
void InjectMouseButton(int button, bool down);
// x, y: the pointer's new position in window coordinates; dx, dy: the relative motion that got it there.
void InjectMouseMotion(int x, int y, int dx, int dy);
void InjectWheel(int notches); // positive: away from the user
void InjectFocus(bool gained);
void InjectMinimised(bool minimised);
void InjectClose();

// Window calls that fail on demand: the next `times` calls answer their failure value (0 or null).
enum class WindowCall { RegisterClass, CreateWindow, GetDC };
void FailWindowCall(WindowCall call, int times = 1);
void ClearWindowFaults();

// Sets the ShowCursor display counter without changing anything else.
void SetShowCursorCount(int count);

// Forgets queued messages, key and button state, the cursor position and the input buffers.
void ResetInput();

} // namespace Platform::Test

#pragma once
// Platform-internal: how the window stand-in's event pump feeds the DirectInput devices.

#include <cstdint>

namespace Platform::InputFeed {

void Key(int directInputKey, bool down);  // repeats are filtered by the caller
void MouseButton(int button, bool down);   // 0..7
void MouseMotion(int dx, int dy);           // accumulated until EndPump
void MouseWheel(int delta);                 // 120 per notch, accumulated until EndPump
void EndPump();                             // queues the coalesced motion and wheel
void FocusLost();                           // empties the queues, releases everything, flags overflow
void Reset();                               // back to the start-up state (tests)

} // namespace Platform::InputFeed

#pragma once
// Win32-style event objects, used for sound notifications. Any thread may signal, wait on or poll an event.

#include <cstdint>

namespace Platform {

struct EventObject;
using EventHandle = EventObject*;

constexpr uint32_t WAIT_OBJECT_0 = 0;
constexpr uint32_t WAIT_TIMEOUT = 0x102;
constexpr uint32_t WAIT_FAILED = 0xFFFFFFFFu;
constexpr uint32_t INFINITE = 0xFFFFFFFFu;

// An auto-reset event (manualReset false) clears itself when a wait succeeds. Attributes and name are
// ignored. Returns null only when an injected fault says so (platform/sound/SoundTest.h).
EventHandle CreateEventA(const void* attributes, bool manualReset, bool initialState, const char* name);
bool SetEvent(EventHandle event);
bool ResetEvent(EventHandle event);
// milliseconds: 0 polls, INFINITE waits for ever. A null handle gives WAIT_FAILED.
uint32_t WaitForSingleObject(EventHandle event, uint32_t milliseconds);
// Frees the event; false for a null handle.
bool CloseHandle(EventHandle event);

} // namespace Platform

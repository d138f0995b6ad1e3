#pragma once
// The engine clock and the per-frame time. Update runs once per frame; every animation reads frameTime.
// Main thread only.

#include "engine/core/HandleTable.h"
#include "engine/core/Timer.h"

#include <cstdint>

namespace VantoranEngine {

class TimerManager {
public:
    TimerManager();
    virtual ~TimerManager();

    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    void Update();
    // Takes ownership of a timer the caller keeps using.
    void AddTimer(Timer* timer);
    // Deletes a registered timer; null or an unknown timer is ignored.
    void RemoveTimer(Timer* timer);

    Timer* mainTimer = nullptr; // the engine clock: its time is the engine's running time in seconds
    float lastTime = 0.0f;      // mainTimer's time at the previous Update
    float frameTime = 0.0f;     // seconds of the last frame, 0.001..0.1 after the first Update
    uint32_t measuredFps = 0;   // updates in the last completed second

private:
    uint32_t period = 0; // multimedia timer period in ms that was requested, 0 for none
    HandleTable<Timer> timers;
    uint32_t frameCounter = 0;
    float accumulator = 0.0f; // unclamped frame time of the current second
    int64_t lastCount = 0;    // mainTimer's count at the previous Update
};

} // namespace VantoranEngine

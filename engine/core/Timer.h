#pragma once
// A stopwatch reading seconds as a float, which can be paused, resumed and set. It reads either the
// millisecond multimedia clock (32-bit, wrapping harmlessly) or the performance counter.
// Main thread only, like every timer user.

#include <cstdint>

namespace VantoranEngine {

class Timer {
public:
    Timer(bool usePerformanceCounter, float seconds);
    virtual ~Timer();

    // From now on the timer reads `seconds` plus the time elapsed; a paused timer runs again.
    void SetTime(float seconds);
    // Resuming continues from the time read while paused. A call that changes nothing does nothing.
    void SetPaused(bool paused);
    bool IsPaused() const { return paused; }
    // Seconds since time 0; constant while paused.
    float GetTime() const;

    // The same reading as an exact count since time 0, for differences that must not lose precision:
    // milliseconds (0..0xFFFFFFFF, wrapping) or performance counts; see GetCountsPerSecond.
    int64_t GetCount() const;
    int64_t GetCountsPerSecond() const { return usePerformanceCounter ? frequency : 1000; }
    bool UsesPerformanceCounter() const { return usePerformanceCounter; }

private:
    int64_t Reading() const; // the clock now: the counter, or milliseconds widened

    const bool usePerformanceCounter;
    bool paused = false;
    int64_t frequency = 0;     // counts per second, performance counter only
    int64_t start = 0;         // reading at time 0 (milliseconds kept in 32 bits)
    int64_t pauseInstant = 0;  // reading when paused
};

} // namespace VantoranEngine

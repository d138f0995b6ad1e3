#pragma once
// Clocks standing in for the OS tick counters, the multimedia timer and the performance counter, plus
// sleep. All read one source: std::chrono::steady_clock, or the manual clock that tests switch on.
// Any thread may call them. None fails.

#include <cstdint>

namespace Platform {

// Milliseconds since an arbitrary start, truncated to 32 bits: wraps after about 49.7 days.
uint32_t GetTickCount();

// The multimedia timer's reading: the same millisecond count as GetTickCount (wraps the same way).
uint32_t TimeGetTime();

// Always succeeds with a minimum period of 1 ms.
bool TimeGetDevCaps(uint32_t& minimumPeriod, uint32_t& maximumPeriod);
// The resolution is always 1 ms here: both calls do nothing and succeed; callers pair them.
bool TimeBeginPeriod(uint32_t milliseconds);
bool TimeEndPeriod(uint32_t milliseconds);

// The performance counter: nanoseconds since an arbitrary start; the frequency is 1e9 counts per second.
int64_t QueryPerformanceCounter();
int64_t QueryPerformanceFrequency();

// Blocks the calling thread for about `milliseconds` of real time (the manual clock does not move).
void Sleep(uint32_t milliseconds);

// Tests: replace the source by a manual clock reading `nanoseconds` until moved again. Every reading
// derives from it (milliseconds = nanoseconds / 1e6, truncated to 32 bits).
void UseManualClock(uint64_t nanoseconds);
void AdvanceManualClock(uint64_t nanoseconds);
// Back to steady_clock.
void UseRealClock();

} // namespace Platform

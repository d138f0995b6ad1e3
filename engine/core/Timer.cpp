#include "engine/core/Timer.h"

#include "platform/os/Clock.h"

namespace VantoranEngine {

Timer::Timer(bool usePerformanceCounter, float seconds) : usePerformanceCounter(usePerformanceCounter)
{
    if (usePerformanceCounter)
        frequency = Platform::QueryPerformanceFrequency();
    SetTime(seconds);
}

Timer::~Timer() = default;

int64_t Timer::Reading() const
{
    return usePerformanceCounter ? Platform::QueryPerformanceCounter() : static_cast<int64_t>(Platform::TimeGetTime());
}

void Timer::SetTime(float seconds)
{
    if (usePerformanceCounter) {
        start = Reading() - static_cast<int64_t>(static_cast<double>(frequency) * seconds);
    } else {
        const uint32_t offset = static_cast<uint32_t>(static_cast<int64_t>(static_cast<double>(seconds) * 1000.0));
        start = static_cast<uint32_t>(static_cast<uint32_t>(Reading()) - offset);
    }
    paused = false;
}

void Timer::SetPaused(bool pause)
{
    if (pause == paused)
        return;
    paused = pause;
    if (pause) {
        pauseInstant = Reading();
    } else if (usePerformanceCounter) {
        start += Reading() - pauseInstant;
    } else {
        start = static_cast<uint32_t>(static_cast<uint32_t>(start) +
                                      (static_cast<uint32_t>(Reading()) - static_cast<uint32_t>(pauseInstant)));
    }
}

int64_t Timer::GetCount() const
{
    const int64_t reading = paused ? pauseInstant : Reading();
    if (usePerformanceCounter)
        return reading - start;
    return static_cast<uint32_t>(static_cast<uint32_t>(reading) - static_cast<uint32_t>(start));
}

float Timer::GetTime() const
{
    if (usePerformanceCounter)
        return static_cast<float>(static_cast<double>(GetCount()) / static_cast<double>(frequency));
    return static_cast<float>(static_cast<double>(GetCount()) * 0.001);
}

} // namespace VantoranEngine

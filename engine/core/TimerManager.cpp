#include "engine/core/TimerManager.h"

#include "platform/os/Clock.h"

namespace VantoranEngine {

TimerManager::TimerManager()
{
    uint32_t minimum = 0, maximum = 0;
    if (Platform::TimeGetDevCaps(minimum, maximum)) {
        period = minimum;
        Platform::TimeBeginPeriod(period);
    }
    mainTimer = new Timer(period == 0, 0.0f);
    timers.Add(mainTimer);
}

TimerManager::~TimerManager()
{
    timers.Remove(mainTimer);
    timers.Clear();
    if (period != 0)
        Platform::TimeEndPeriod(period);
}

void TimerManager::Update()
{
    // The frame is the difference of two exact counts; a difference of two float times would lose
    // milliseconds after a few hours of running.
    const int64_t count = mainTimer->GetCount();
    const int64_t elapsed = mainTimer->UsesPerformanceCounter()
                                ? count - lastCount
                                : static_cast<int64_t>(static_cast<uint32_t>(count - lastCount));
    lastCount = count;
    const double countsPerSecond = static_cast<double>(mainTimer->GetCountsPerSecond());
    frameTime = static_cast<float>(static_cast<double>(elapsed) / countsPerSecond);
    lastTime = static_cast<float>(static_cast<double>(count) / countsPerSecond);

    ++frameCounter;
    accumulator += frameTime;
    if (accumulator >= 1.0f) {
        measuredFps = frameCounter;
        frameCounter = 0;
        accumulator -= 1.0f;
    }

    if (frameTime < 0.001f)
        frameTime = 0.001f;
    else if (frameTime > 0.1f)
        frameTime = 0.1f;
}

void TimerManager::AddTimer(Timer* timer)
{
    timers.Add(timer);
}

void TimerManager::RemoveTimer(Timer* timer)
{
    timers.Remove(timer);
}

} // namespace VantoranEngine

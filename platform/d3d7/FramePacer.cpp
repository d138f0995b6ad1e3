#include "platform/d3d7/FramePacer.h"

#include <SDL.h>

#include <thread>

namespace Platform {

void FramePacer::AfterSwap(void* window, bool vsync)
{
    static FramePacer pacer;
    int rate = unknownRefreshRate;
    SDL_DisplayMode mode;
    if (window && SDL_GetWindowDisplayMode(static_cast<SDL_Window*>(window), &mode) == 0 && mode.refresh_rate > 0)
        rate = mode.refresh_rate;
    pacer.Pace(vsync, rate);
}

std::chrono::nanoseconds FramePacer::Pace(bool vsync, int refreshRate)
{
    using namespace std::chrono;
    const steady_clock::time_point now = steady_clock::now();
    if (!vsync || refreshRate <= 0) {
        last = now;
        return nanoseconds(0);
    }
    const nanoseconds period(1'000'000'000LL / refreshRate);
    const steady_clock::time_point next = last + period;
    if (last == steady_clock::time_point{} || now >= next) {
        last = now; // the swap waited (or the frame ran long): the cadence starts here
        return nanoseconds(0);
    }
    std::this_thread::sleep_until(next);
    last = next;
    return duration_cast<nanoseconds>(next - now);
}

} // namespace Platform

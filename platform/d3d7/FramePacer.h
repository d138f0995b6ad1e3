#pragma once
// Frame pacing for presents that asked to wait for the vertical blank: where the swap came back without
// waiting (no swap interval, a display server without vertical blanks, the offscreen driver), the pacer
// sleeps to the next tick of the display's refresh (60 Hz where the rate is unknown), so the game runs
// at the display's rate and leaves the processor idle between frames. Without the wait (v_vsync 0)
// presents are not paced.
//
// Rules:
// - Called on the context thread right after every swap of the main window.
// - A frame that took longer than one refresh period starts a new cadence; nothing is made up.

#include <chrono>

namespace Platform {

class FramePacer {
public:
    static constexpr int unknownRefreshRate = 60;

    // window: the SDL window just swapped (its display's rate is read).
    static void AfterSwap(void* window, bool vsync);

    // The pacing step with the rate given; returns how long it slept. Tests call it directly.
    std::chrono::nanoseconds Pace(bool vsync, int refreshRate);

private:
    std::chrono::steady_clock::time_point last{};
};

} // namespace Platform

#pragma once
// One entry of the options screen's list of video modes.

#include <cstdint>
#include <string>

namespace GameFramework {

struct VideoMode {
    // 800 by 600, the game's own mode.
    VideoMode();
    VideoMode(int32_t width, int32_t height);

    std::string text; // "<width>x<height>", as v_mode begins
    int32_t width;
    int32_t height;
};

} // namespace GameFramework

#include "platform/os/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace Platform {

namespace {

bool DisplayAvailable()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

} // namespace

void ShowMessageBox(std::string_view caption, std::string_view text)
{
    const std::string c(caption), t(text);
    if (DisplayAvailable() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, c.c_str(), t.c_str(), nullptr) == 0)
        return;
    std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    std::fflush(stderr);
}

} // namespace Platform

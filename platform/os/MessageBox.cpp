#include "platform/os/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace Platform {

namespace {

bool DisplayAvailable()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

} // namespace

void ShowMessageBox(std::string_view caption, std::string_view text, MessageBoxIcon icon)
{
    if (Hook()) {
        Hook()(caption, text);
        return;
    }
    const std::string c(caption), t(text);
    const Uint32 flags = icon == MessageBoxIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (DisplayAvailable() && SDL_ShowSimpleMessageBox(flags, c.c_str(), t.c_str(), nullptr) == 0)
        return;
    std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    std::fflush(stderr);
}

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}

} // namespace Platform

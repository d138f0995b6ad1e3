#pragma once
// Platform-internal: the one table from SDL scancodes to the engine's key codes.

namespace Platform {

struct KeyCodes {
    int virtualKey;     // VK_NONE when the key has no virtual-key code
    int directInputKey; // 0 when the key has no DirectInput code
};

KeyCodes KeyCodesFromScancode(int scancode); // unknown scancodes: {VK_NONE, 0}
int ScancodeFromDirectInputKey(int directInputKey); // SDL_SCANCODE_UNKNOWN (0) when unmapped

} // namespace Platform

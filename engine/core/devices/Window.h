#pragma once
// The engine's one main window: a top-level window (full screen or windowed) or a window embedded in a
// host window. Its procedure turns close requests into the "exit" command, filters the system commands
// that would disturb a game, and keeps the frame's last key-down or typed character for the input layer,
// the console and the edit box.
//
// Rules:
// - Main thread only; the procedure runs inside whichever message loop is pumping (the main loop or the
//   loading screen's). Nothing is locked.
// - The key record holds one event: every key-down or typed character overwrites it; Controls::EndFrame
//   clears keyEventPending. keyEventCode is a virtual-key code (key-down) or one UTF-16 unit (character).
// - Typed characters reach the procedure as UTF-16 units (the platform delivers Unicode text), so WM_CHAR
//   records its unit as it comes; TranslateChar converts a single narrow byte for callers that hold one.
// - Creation failures are fatal through MessageManager::LogFatalError; nothing else reports an error.
//   What a failed construction had created is released before the error leaves.

#include "platform/window/WindowApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {

class Config;
class MessageManager;

class Window {
public:
    // parent: a host window, or null for a top-level window. iconResourceId: 0 for the default icon.
    // width, height: the video mode; fullscreen: the current v_fullscreen.
    Window(Config& config, MessageManager& log, const std::string& caption, Platform::HWND parent,
           int32_t iconResourceId, uint32_t width, uint32_t height, bool fullscreen);
    virtual ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    static Platform::LRESULT WindowProc(Platform::HWND hwnd, Platform::UINT message, Platform::WPARAM wParam,
                                        Platform::LPARAM lParam);
    Platform::LRESULT HandleMessage(Platform::UINT message, Platform::WPARAM wParam, Platform::HWND window,
                                    Platform::LPARAM lParam);
    // Called by the render device; screenWidth, screenHeight: the desktop's display mode. No effect
    // on an embedded window.
    void SetMode(uint32_t width, uint32_t height, bool fullscreen, uint32_t screenWidth, uint32_t screenHeight);
    // Once per frame: fires "exit" while the host of an embedded window is gone.
    void Update();
    bool HasFocus() const;
    // v_brightness, v_contrast and v_gamma into [0, 2]; a value that is not a number becomes 2.
    void ClampGammaSettings();
    // One narrow byte of the current code page as one UTF-16 unit; 'A' when the byte is not a whole
    // character.
    static char16_t TranslateChar(uint8_t byte);

    MessageManager& log;
    Config& config;
    uint32_t width = 0;  // client size in pixels; for an embedded window the host's outer size
    uint32_t height = 0;
    bool fullscreen = false;
    std::vector<Platform::HWND> parentAncestors; // embedded: the host and its ancestors, nearest first
    Platform::HWND parent = nullptr;
    Platform::HWND hwnd = nullptr;
    Platform::HINSTANCE hinstance = nullptr;
    Platform::HDC hdc = nullptr;
    Platform::HCURSOR cursor = nullptr; // set on every WM_SETCURSOR; the framework stores its cursor here
    bool keyEventPending = false;
    bool keyEventIsChar = false;
    uint16_t keyEventCode = 0;

private:
    void ReleaseResources();
};

} // namespace VantoranEngine

#pragma once
// Base of the game's mouse cursor: either the system cursor (from the program's cursor resource 1000) or a
// sprite drawn by the GUI, chosen by the saved console variable ui_custom_cursor.
//
// Rules:
// - The cursor is hidden after construction and stays hidden until the screen flow shows it (ShowCursor).
// - The system cursor's visibility is a display counter (Platform::ShowCursor): showing counts up until
//   the counter is 0 or more and steps back once if it went above 10; hiding counts down until it is
//   below 0 and steps back once if it went below -10. The input's system-cursor flag is set with it, so
//   the input's own per-frame drive agrees.
// - The mode switches only while the cursor is shown and only in a frame in which ui_custom_cursor
//   changed; a change made while hidden is never acted on later.
// - Main thread only.

#include "platform/window/WinTypes.h"

#include <cstdint>
#include <map>

namespace VantoranEngine {
class Config;
class Controls;
class Engine;
class GUICursor;
class GUIManager;
class MessageManager;
class Window;
}

namespace GameFramework {

class GUIGameCursorBase {
public:
    static constexpr int32_t systemCursorResource = 1000;
    static constexpr int32_t shownCountLimit = 10;   // the display counter never stays above this
    static constexpr int32_t hiddenCountLimit = -10; // nor below this

    struct CursorEntry {
        Platform::HCURSOR systemCursor = nullptr; // resource cursors live as long as the process
        VantoranEngine::GUICursor* sprite = nullptr;
    };

    // Registers ui_custom_cursor and hides the cursor.
    explicit GUIGameCursorBase(VantoranEngine::Engine* engine);
    // Deletes the sprites the GUI still lists and unregisters ui_custom_cursor.
    virtual ~GUIGameCursorBase();

    GUIGameCursorBase(const GUIGameCursorBase&) = delete;
    GUIGameCursorBase& operator=(const GUIGameCursorBase&) = delete;

    // Once per tick. False while the cursor is hidden; otherwise switches the mode when ui_custom_cursor
    // changed in this frame, and returns true.
    virtual bool Update();

    // Hides the sprite (the entry owns it from now on), loads the system cursor and files both under key 0.
    void AddSystemCursor(VantoranEngine::GUICursor* sprite);
    // Makes entry 0 current and hands its system cursor to the window; nothing when there is none.
    void SelectCursor();

    // The screen flow's show and hide steps, in the mode in effect.
    void ShowCursor();
    void HideCursor();

    VantoranEngine::Engine* engine;
    VantoranEngine::MessageManager* log;
    VantoranEngine::Window* window;
    VantoranEngine::Config* config;
    VantoranEngine::GUIManager* guiManager;
    VantoranEngine::Controls* controls;
    bool uiCustomCursor = false; // storage of ui_custom_cursor
    bool customMode = false;     // the mode in effect
    std::map<int32_t, CursorEntry> cursors;
    CursorEntry* current = nullptr;

private:
    // The sprite of the current entry when the custom mode is in effect and it has one.
    VantoranEngine::GUICursor* ActiveSprite() const;
    void ShowSystemCursor();
    void HideSystemCursor();
};

} // namespace GameFramework

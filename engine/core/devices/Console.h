#pragma once
// The drop-down console: a GUI window that slides down from the top of the screen, shows the log's lines
// and the results of typed lines in colour, and has an input line for console variables and commands
// (Tab completes, Up and Down recall the history, Page Up and Page Down scroll back, Enter executes).
//
// Rules:
// - Every frame, shown or not, Update copies the log's entries of the frame into the scroll-back, so it
//   must run before the log's frame list is cleared. Lines wrap at the screen width, character by
//   character; a character wider than the screen takes a row of its own.
// - The scroll-back keeps the newest maxLines lines and the history the newest maxHistory lines.
// - Nothing in the engine or the game opens the console: Open and Close are there for a caller that
//   wants a toggle; no key is bound to them.
// - Registers ui_console_alpha, ui_console_size, ui_console_speed, ui_console_key and "say", and
//   unregisters them when destroyed. Values from the configuration file outside their ranges (alpha in
//   (0, 1], size in (0, screen height], speed 0 or more) are replaced by the constructor's.
// - A font id with no font is logged as an error; the console then still collects and executes lines
//   but measures nothing and draws no text.
// - Positions are GUI units (the GUI camera's width W and height H, y up); the window and the input line
//   are made by the GUI manager and listed there, and text rows are queued on the window each frame. The
//   window shows the background material over its whole size, tinted (1, 1, 1, alpha) every frame.
// - Rows are stacked upwards from the newest until y passes H - size (the window's height less the
//   console's size), so a console taller than half the screen shows fewer rows than it has room for.
// - Main thread only.

#include "engine/render/Color.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/gui/GUIWindow.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace VantoranEngine {

class Config;
class Controls;
class GUIEditBox;
class GUIFont;
class GUIManager;
class MessageManager;
class TimerManager;

enum ConsoleState : int32_t {
    ConsoleOpening = 0,
    ConsoleOpen = 1,
    ConsoleClosing = 2,
    ConsoleClosed = 3,
};

// A piece of a display row: rows are runs of lines, the last of which ends the row.
struct ConsoleLine {
    Color colour;
    std::u16string text;   // may end in a line feed
    bool endsRow = false;  // the text ends in a line feed
    float width = 0.0f;    // in the console font at its own size
};

class Console {
public:
    static constexpr size_t maxLines = 2000;
    static constexpr size_t maxHistory = 200;
    static constexpr int32_t maxInputLength = 255;

    // Virtual-key codes the console handles.
    static constexpr uint16_t keyTab = 0x09;
    static constexpr uint16_t keyEnter = 0x0D;
    static constexpr uint16_t keyEscape = 0x1B;
    static constexpr uint16_t keyPageUp = 0x21;
    static constexpr uint16_t keyPageDown = 0x22;
    static constexpr uint16_t keyUp = 0x26;
    static constexpr uint16_t keyDown = 0x28;

    // Built after the GUI and its fonts. background: the material of the console window. alpha, size (GUI
    // units) and speed (GUI units per second) are the defaults of the console variables.
    Console(MessageManager* log, TimerManager* timers, Config* config, Controls* controls, GUIManager* gui,
            const std::string& caption, const ShaderDescriptor& background, int32_t fontId,
            const std::string& keyName, float alpha, float size, float speed);
    virtual ~Console();

    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Once per frame, after the GUI's update and before the log's frame entries are cleared.
    void Update();
    // Appends text to the scroll-back, wrapped at the screen width.
    void Print(const Color& colour, const std::u16string& text);
    // Starts sliding down (shows the window) or up.
    void Open();
    void Close();
    // One key-down while the console is not closed (Update calls it from the window's key record).
    void HandleKey(uint16_t key);

    ConsoleState GetState() const { return state; }
    const std::deque<ConsoleLine>& GetLines() const { return lines; }
    const std::deque<std::u16string>& GetHistory() const { return history; }
    GUIWindow* GetWindow() const { return window; }
    GUIEditBox* GetInput() const { return input; }

    int32_t scrollBack = 0;     // finished rows scrolled back; 0: the newest rows show
    int32_t historyIndex = 0;   // the history's length on a fresh line
    std::u16string prompt;
    std::u16string ruleLine;
    std::u16string titleLine;
    float lineGap = 0.0f;       // 0.2 × the font's size
    float lineHeight = 0.0f;    // 1.2 × the font's size

private:
    void Execute();
    void Complete();
    void SetInputText(const std::u16string& text);
    float Width(const std::u16string& text) const;
    void QueueText(float x, float y, const Color& colour, const std::u16string& text);
    void LayOutRows();

    MessageManager* log;
    TimerManager* timers;
    Config* config;
    Controls* controls;
    GUIManager* gui;
    float screenWidth;    // W, GUI units
    float screenHeight;   // H
    ConsoleState state = ConsoleClosed;
    std::string keyName;
    float alpha;
    float size;
    float speed;
    std::string sayValue;
    int32_t fontId;
    GUIFont* font = nullptr;   // null when no font has fontId
    GUIWindow* window = nullptr;    // listed in the GUI manager, deleted by the console
    GUIEditBox* input = nullptr;
    std::deque<ConsoleLine> lines;
    std::deque<std::u16string> history;
    std::u16string speakerName;
};

} // namespace VantoranEngine

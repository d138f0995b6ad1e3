#pragma once
// GUIEditBox: one line of UTF-16 text input with a blinking caret, insert and overwrite modes, a
// character limit and horizontal scrolling by five characters.
//
// Rules:
// - Keys come from the main window's key record of the frame (one typed character or one key-down),
//   only while `active` is set and Controls::inputHold is clear.
// - A typed character is taken when the font has a glyph for it, or it is a space; a full box ignores
//   it silently. Backspace deletes the character before the caret, except when the caret stands on the
//   last character (as in a full box): then it deletes that character and the caret stays. Delete
//   deletes the character at the caret.
// - The caret stands at most on index maxLength - 1: a full box shows the caret on its last character.
// - `text` is never cut to maxLength by SetText.
// - A box whose font id has no font takes no keys and draws nothing (an error in the log at creation).
// - Widths are measured with the font's own size, in GUI units. The caret blinks 0.4 s on, 0.4 s off on
//   the engine clock.
// - Main thread only.

#include "engine/render/gui/GUIWindow.h"

#include <string>

namespace VantoranEngine {

class GUIFont;

class GUIEditBox : public GUIWindow {
public:
    // Virtual-key codes the box handles.
    static constexpr uint16_t keyBackspace = 0x08;
    static constexpr uint16_t keyEnd = 0x23;
    static constexpr uint16_t keyHome = 0x24;
    static constexpr uint16_t keyLeft = 0x25;
    static constexpr uint16_t keyRight = 0x27;
    static constexpr uint16_t keyInsert = 0x2D;
    static constexpr uint16_t keyDelete = 0x2E;
    static constexpr int32_t scrollStep = 5;         // characters per horizontal jump
    static constexpr float caretBlinkPeriod = 0.4f;  // seconds on, then as long off

    GUIEditBox(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
               GUIWindow* parent, int32_t fontId, const Color& textColour, const Vector2& textOffset,
               float widthLimit, int32_t maxLength, const GUIVisual& visual = GUIVisual());
    ~GUIEditBox() override;

    bool Update(const Vector2& cursor, bool mouseDown) override;

    // caret = min(length, maxLength - 1), first shown character 0, then scrolled to show the caret.
    void SetText(const std::u16string& newText);
    // Scrolls right until the characters from firstVisible to the caret, and the caret, fit widthLimit.
    void UpdateVisibleText();
    // The part of the text drawn this frame (from firstVisible, cut to widthLimit).
    std::u16string GetShownText() const;

    int32_t fontId;
    GUIFont* font = nullptr; // null when no font has fontId
    Color textColour;
    Vector2 textOffset;      // where the text starts, relative to the box
    char16_t caretGlyph = u'_';
    std::u16string caretText;
    int32_t maxLength;
    float widthLimit;        // GUI units
    bool overwrite = false;
    int32_t caret = 0;
    int32_t firstVisible = 0;
    std::u16string text;
    bool active = true;

private:
    bool TypeCharacter(char16_t c);
    bool PressKey(uint16_t key);
    void ScrollLeft();
    void MoveCaretRight();
    // Width of `count` characters from `first` (clamped to the text), at the font's size.
    float Width(int32_t first, int32_t count) const;
    int32_t Length() const { return static_cast<int32_t>(text.size()); }
};

} // namespace VantoranEngine

#include "engine/render/gui/GUIEditBox.h"

#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/devices/Window.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUISoundManager.h"

#include <algorithm>
#include <cmath>

namespace VantoranEngine {

GUIEditBox::GUIEditBox(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                       GUIWindow* parent, int32_t fontId, const Color& textColour, const Vector2& textOffset,
                       float widthLimit, int32_t maxLength, const GUIVisual& visual)
    : GUIWindow(services, flags, position, size, parent, visual), fontId(fontId), textColour(textColour),
      textOffset(textOffset), caretText(1, caretGlyph), maxLength(std::max(maxLength, 1)), widthLimit(widthLimit)
{
    if (services.fontManager != nullptr)
        font = services.fontManager->GetFont(fontId);
    if (font == nullptr && services.log != nullptr)
        services.log->LogError("GUI Edit Box: no font with id " + std::to_string(fontId));
}

GUIEditBox::~GUIEditBox() = default;

float GUIEditBox::Width(int32_t first, int32_t count) const
{
    first = std::clamp(first, 0, Length());
    count = std::clamp(count, 0, Length() - first);
    return font->GetTextWidth(text.substr(static_cast<size_t>(first), static_cast<size_t>(count)), -1.0f);
}

void GUIEditBox::SetText(const std::u16string& newText)
{
    text = newText;
    caret = std::min(Length(), maxLength - 1);
    firstVisible = 0;
    UpdateVisibleText();
}

void GUIEditBox::UpdateVisibleText()
{
    if (font == nullptr)
        return;
    const float caretWidth = font->GetTextWidth(caretText, -1.0f);
    // Stops at the caret: a limit narrower than the caret glyph would otherwise never be met.
    while (firstVisible < caret && Width(firstVisible, caret - firstVisible) + caretWidth > widthLimit)
        ++firstVisible;
}

void GUIEditBox::ScrollLeft()
{
    firstVisible = std::max(firstVisible - scrollStep, 0);
    UpdateVisibleText();
}

void GUIEditBox::MoveCaretRight()
{
    const int32_t old = caret;
    const int32_t saved = firstVisible;
    caret = std::min(Length(), maxLength - 1);
    firstVisible = 0;
    UpdateVisibleText();
    const int32_t endFirst = firstVisible;
    caret = std::min(old + 1, maxLength - 1);
    const float width = Width(saved, caret - saved + 1) + font->GetTextWidth(caretText, -1.0f);
    firstVisible = width > widthLimit ? std::min(saved + scrollStep, endFirst) : saved;
}

bool GUIEditBox::TypeCharacter(char16_t c)
{
    if (!font->HasGlyph(c) && c != u' ')
        return false;
    const auto at = static_cast<size_t>(std::clamp(caret, 0, Length()));
    if (overwrite) {
        if (caret >= Length()) {
            if (Length() >= maxLength)
                return false;
            text.push_back(c);
        } else {
            text[at] = c;
        }
    } else {
        if (Length() >= maxLength)
            return false;
        text.insert(at, 1, c);
    }
    MoveCaretRight();
    return true;
}

bool GUIEditBox::PressKey(uint16_t key)
{
    switch (key) {
    case keyBackspace:
        if (caret <= 0 || caret > Length())
            return false;
        if (caret + 1 == Length()) {
            // On the last character, as after filling the box: that character goes, the caret stays.
            text.erase(static_cast<size_t>(caret), 1);
            return true;
        }
        text.erase(static_cast<size_t>(caret - 1), 1);
        --caret;
        if (caret == firstVisible)
            ScrollLeft();
        return true;
    case keyDelete:
        if (caret < 0 || caret >= Length())
            return false;
        text.erase(static_cast<size_t>(caret), 1);
        return true;
    case keyInsert:
        overwrite = !overwrite;
        return false;
    case keyLeft:
        if (caret > 0) {
            --caret;
            if (caret == firstVisible)
                ScrollLeft();
        }
        return false;
    case keyRight:
        if (caret < Length())
            MoveCaretRight();
        return false;
    case keyHome:
        caret = 0;
        firstVisible = 0;
        return false;
    case keyEnd:
        caret = std::min(Length(), maxLength - 1);
        UpdateVisibleText();
        return false;
    default:
        return false;
    }
}

std::u16string GUIEditBox::GetShownText() const
{
    if (font == nullptr)
        return {};
    const int32_t first = std::clamp(firstVisible, 0, Length());
    std::u16string shown = text.substr(static_cast<size_t>(first));
    if (font->GetTextWidth(shown, -1.0f) <= widthLimit)
        return shown;
    size_t fits = 0;
    while (fits < shown.size() && font->GetTextWidth(shown.substr(0, fits + 1), -1.0f) <= widthLimit)
        ++fits;
    shown.resize(fits);
    return shown;
}

bool GUIEditBox::Update(const Vector2& cursor, bool mouseDown)
{
    if (!GUIWindow::Update(cursor, mouseDown))
        return false;
    if (font == nullptr)
        return false;
    Color colour = textColour;
    colour.a *= GetColor().a;
    bool changed = false;

    const Window* window = services.window;
    const bool held = services.controls != nullptr && services.controls->inputHold;
    if (active && !held && window != nullptr && window->keyEventPending) {
        if (window->keyEventIsChar)
            changed = TypeCharacter(static_cast<char16_t>(window->keyEventCode));
        else
            changed = PressKey(window->keyEventCode);
    }

    const std::u16string shown = GetShownText();
    if (!shown.empty())
        AddText(textOffset, colour, 0, fontId, shown, -1.0f);

    if (active && services.timerManager != nullptr && services.timerManager->mainTimer != nullptr) {
        const auto period = static_cast<int64_t>(
            std::floor(services.timerManager->mainTimer->GetTime() / caretBlinkPeriod));
        if (period % 2 == 0) {
            const auto before = static_cast<size_t>(std::clamp(caret - firstVisible, 0, static_cast<int32_t>(shown.size())));
            const float x = textOffset.x + font->GetTextWidth(shown.substr(0, before), -1.0f);
            AddText(Vector2{x, textOffset.y}, colour, 0, fontId, caretText, -1.0f);
        }
    }

    if (changed && services.soundManager != nullptr)
        services.soundManager->PlayEvent(guiSoundEditBoxTextChanged);
    return true;
}

} // namespace VantoranEngine

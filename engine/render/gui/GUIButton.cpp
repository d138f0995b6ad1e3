#include "engine/render/gui/GUIButton.h"

#include "engine/render/gui/GUISoundManager.h"

namespace VantoranEngine {

GUIButton::GUIButton(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const GUIVisual& visual)
    : GUIWindow(services, flags, position, size, parent, visual)
{
}

GUIButton::~GUIButton() = default;

void GUIButton::PlaySoundEvent(int32_t event) const
{
    if (services.soundManager != nullptr)
        services.soundManager->PlayEvent(event);
}

bool GUIButton::Update(const Vector2& cursor, bool mouseDown)
{
    clicked = false;
    if (!GUIWindow::Update(cursor, mouseDown))
        return false;
    if (state == Disabled)
        return false;
    if (hovered && mouseDown && !pressed) {
        PlaySoundEvent(pressSound);
        pressed = true;
    }
    if (pressed) {
        if (mouseDown) {
            state = hovered ? Pressed : Normal;
        } else {
            clicked = hovered;
            pressed = false;
        }
    }
    if (!pressed) {
        state = hovered ? Hover : Normal;
        if (hovered && !wasHovered)
            PlaySoundEvent(hoverSound);
    }
    wasHovered = hovered;
    return true;
}

bool GUIButton::Render()
{
    if (!GUIWindow::Render())
        return false;
    SetStageTime(static_cast<float>(GetState()));
    return true;
}

void GUIButton::UpdateVisibility()
{
    const bool wasVisible = visible;
    GUIWindow::UpdateVisibility();
    if (!wasVisible && visible) {
        state = Normal;
        pressed = false;
    }
}

void GUIButton::SetEnabled(bool enabled)
{
    if (enabled == (state != Disabled))
        return;
    state = enabled ? Normal : Disabled;
    pressed = false;
}

int32_t GUIButton::GetState() const
{
    return state == Hover || state == Pressed || state == Disabled ? state : Normal;
}

GUICheckBox::GUICheckBox(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                         GUIWindow* parent, const GUIVisual& visual)
    : GUIButton(services, flags, position, size, parent, visual)
{
    hoverSound = guiSoundCheckBoxHover;
    pressSound = guiSoundCheckBoxPress;
}

bool GUICheckBox::Update(const Vector2& cursor, bool mouseDown)
{
    const bool result = GUIButton::Update(cursor, mouseDown);
    if (result && clicked)
        checked = !checked;
    return result;
}

int32_t GUICheckBox::GetState() const
{
    switch (state) {
    case Hover:
        return checked ? 4 : 1;
    case Pressed:
        return checked ? 5 : 2;
    case Disabled:
        return checked ? 7 : 6;
    default:
        return checked ? 3 : 0;
    }
}

} // namespace VantoranEngine

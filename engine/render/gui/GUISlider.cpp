#include "engine/render/gui/GUISlider.h"

#include "engine/core/TimerManager.h"

#include <algorithm>
#include <cmath>

namespace VantoranEngine {

GUISlider::GUISlider(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const Vector2& trackStart, const Vector2& trackEnd, int32_t steps,
                     bool vertical)
    : GUIWindow(services, flags, position, size, parent), vertical(vertical), trackStart(trackStart),
      trackEnd(trackEnd), steps(std::max(steps, 2))
{
    GUISlider::SetThumbModel(Vector2{});
    this->position = 0;
}

GUISlider::~GUISlider()
{
    delete thumb;
}

void GUISlider::ReplaceThumb(const Vector2& newThumbSize)
{
    delete thumb;
    thumb = nullptr;
    thumbSize = newThumbSize;
    const Vector2 area{thumbSize.x + trackEnd.x - trackStart.x, thumbSize.y + trackEnd.y - trackStart.y};
    thumb = new GUIButton(services, (flags & Colored) != 0 ? Shown | Colored : Shown, Vector2{}, area, this);
    thumb->placeModel = false;
    thumb->hoverSound = guiSoundSliderThumbHover;
    thumb->pressSound = guiSoundSliderThumbPress;
    SetPosition(position);
}

void GUISlider::SetThumbModel(const Vector2& newThumbSize)
{
    ReplaceThumb(newThumbSize);
}

void GUISlider::SetPosition(int32_t newPosition)
{
    position = std::clamp(newPosition, 0, std::max(steps, 2) - 1);
}

void GUISlider::SetEnabled(bool enabled)
{
    if (enabled == (state != Disabled))
        return;
    state = enabled ? Normal : Disabled;
    if (thumb != nullptr)
        thumb->SetEnabled(enabled);
}

void GUISlider::UpdateVisibility()
{
    const bool wasVisible = visible;
    GUIWindow::UpdateVisibility();
    if (!wasVisible && visible)
        state = Normal;
}

bool GUISlider::Update(const Vector2& cursor, bool mouseDown)
{
    if (!GUIWindow::Update(cursor, mouseDown))
        return false;
    if (thumb == nullptr || !thumb->Update(cursor, mouseDown))
        return false;
    if (state == Disabled)
        return false;
    state = hovered ? Hover : Normal;
    if (thumb->pressed) {
        const Vector2 corner = GetAbsolutePosition();
        float t;
        if (vertical)
            t = (cursor.y - corner.y - trackStart.y) / std::max(trackEnd.y - trackStart.y, 1.0f);
        else
            t = (cursor.x - corner.x - trackStart.x - thumbSize.x * 0.5f) / std::max(trackEnd.x - trackStart.x, 1.0f);
        if (reversed)
            t = 1.0f - t;
        t = std::clamp(t, 0.0f, 1.0f);
        const float f = t * static_cast<float>(steps - 1);
        const float whole = std::floor(f);
        SetPosition(static_cast<int32_t>(whole) + (f - whole >= 0.5f ? 1 : 0));
    }
    return true;
}

bool GUISlider::Render()
{
    if (!GUIWindow::Render())
        return false;
    if (thumb != nullptr)
        thumb->Render();
    return true;
}

void GUISlider::SetColor(const Color& colour)
{
    GUIWindow::SetColor(colour);
    if (thumb != nullptr)
        thumb->SetColor(colour);
}

GUIScroll::GUIScroll(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const Vector2& trackStart, const Vector2& trackEnd)
    : GUISlider(services, flags, position, size, parent, trackStart, trackEnd, 2, true)
{
    thumb->SetLayer(2);
    thumb->hoverSound = guiSoundScrollThumbHover;
    thumb->pressSound = guiSoundScrollThumbPress;
    SetDecreaseButton(Vector2{}, Vector2{});
    SetIncreaseButton(Vector2{}, Vector2{});
}

GUIScroll::~GUIScroll()
{
    delete forwardArrow;
    delete backArrow;
}

void GUIScroll::SetThumbModel(const Vector2& newThumbSize)
{
    GUISlider::SetThumbModel(newThumbSize);
    thumb->SetLayer(2);
    thumb->hoverSound = guiSoundScrollThumbHover;
    thumb->pressSound = guiSoundScrollThumbPress;
}

GUIButton* GUIScroll::MakeArrow(GUIButton* old, const Vector2& buttonPosition, const Vector2& buttonSize)
{
    delete old;
    auto* arrow = new GUIButton(services, (flags & Colored) != 0 ? Shown | Colored : Shown, buttonPosition,
                                buttonSize, this);
    arrow->hoverSound = guiSoundScrollArrowHover;
    arrow->pressSound = guiSoundScrollArrowPress;
    return arrow;
}

void GUIScroll::SetDecreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize)
{
    GUIButton* old = forwardArrow;
    forwardArrow = nullptr;
    forwardArrow = MakeArrow(old, buttonPosition, buttonSize);
}

void GUIScroll::SetIncreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize)
{
    GUIButton* old = backArrow;
    backArrow = nullptr;
    backArrow = MakeArrow(old, buttonPosition, buttonSize);
}

void GUIScroll::SetEnabled(bool enabled)
{
    if (enabled == (state != Disabled))
        return;
    GUISlider::SetEnabled(enabled);
    forwardArrow->SetEnabled(enabled);
    backArrow->SetEnabled(enabled);
}

bool GUIScroll::Update(const Vector2& cursor, bool mouseDown)
{
    if (!GUISlider::Update(cursor, mouseDown)) {
        repeatTime = 0.0f;
        return false;
    }
    forwardArrow->Update(cursor, mouseDown);
    backArrow->Update(cursor, mouseDown);
    const bool up = forwardArrow->pressed && forwardArrow->hovered;
    const bool down = backArrow->pressed && backArrow->hovered;
    if (!up && !down) {
        repeatTime = 0.0f;
        return true;
    }
    if (services.timerManager != nullptr)
        repeatTime += services.timerManager->frameTime;
    while (repeatTime > 0.0001f) {
        repeatTime -= repeatInterval;
        if (up)
            position = std::max(std::min(position + 1, steps - 1), 0);
        if (down)
            position = std::min(std::max(position - 1, 0), steps - 1);
    }
    return true;
}

bool GUIScroll::Render()
{
    if (!GUISlider::Render())
        return false;
    forwardArrow->Render();
    backArrow->Render();
    return true;
}

void GUIScroll::SetColor(const Color& colour)
{
    GUISlider::SetColor(colour);
    forwardArrow->SetColor(colour);
    backArrow->SetColor(colour);
}

} // namespace VantoranEngine

#include "engine/render/gui/GUISlider.h"

#include "engine/core/TimerManager.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"

#include <algorithm>
#include <cmath>

namespace VantoranEngine {

GUISlider::GUISlider(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const Vector2& trackStart, const Vector2& trackEnd, int32_t steps,
                     bool vertical, const GUIVisual& visual)
    : GUIWindow(services, flags, position, size, parent, visual), vertical(vertical), trackStart(trackStart),
      trackEnd(trackEnd), steps(std::max(steps, 2))
{
    GUISlider::SetThumbModel(Vector2{}, nullptr);
    this->position = 0;
}

GUISlider::~GUISlider()
{
    delete thumb;
}

void GUISlider::ReplaceThumb(const Vector2& newThumbSize, const GUIVisual& visual)
{
    delete thumb;
    thumb = nullptr;
    thumbSize = newThumbSize;
    const Vector2 area{thumbSize.x + trackEnd.x - trackStart.x, thumbSize.y + trackEnd.y - trackStart.y};
    thumb = new GUIButton(services, (flags & Colored) != 0 ? Shown | Colored : Shown, Vector2{}, area, this, visual);
    thumb->placeModel = false;
    thumb->hoverSound = guiSoundSliderThumbHover;
    thumb->pressSound = guiSoundSliderThumbPress;
    SetPosition(position);
}

void GUISlider::SetThumbModelFile(const Vector2& newThumbSize, const std::string& fileName)
{
    ReplaceThumb(newThumbSize, GUIVisual::File(fileName));
}

void GUISlider::SetThumbModel(const Vector2& newThumbSize, const Model* prototype)
{
    ReplaceThumb(newThumbSize, GUIVisual::Clone(prototype));
}

void GUISlider::SetThumbTexture(const Vector2& newThumbSize, const ShaderDescriptor& descriptor,
                                const Vector2& uvExtent)
{
    ReplaceThumb(newThumbSize, GUIVisual::Quad(descriptor, uvExtent));
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
    if (thumb->model != nullptr) {
        float r = static_cast<float>(position) / static_cast<float>(std::max(steps, 2) - 1);
        if (reversed)
            r = 1.0f - r;
        const Vector2 corner = GetAbsolutePosition();
        const Vector2 offset = trackStart + (trackEnd - trackStart) * r;
        Matrix4 placement; // translation (corner + offset, 0) times scale (thumbSize, 1)
        placement[0] = thumbSize.x;
        placement[5] = thumbSize.y;
        placement[3] = corner.x + offset.x;
        placement[7] = corner.y + offset.y;
        thumb->model->SetWorldMatrix(placement);
    }
    return true;
}

bool GUISlider::Render()
{
    if (!GUIWindow::Render())
        return false;
    if (thumb != nullptr)
        thumb->Render();
    SetStageTime(state == Hover || state == Disabled ? static_cast<float>(state) : 0.0f);
    return true;
}

void GUISlider::SetColor(const Color& colour)
{
    GUIWindow::SetColor(colour);
    if (thumb != nullptr)
        thumb->SetColor(colour);
}

GUIScroll::GUIScroll(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const Vector2& trackStart, const Vector2& trackEnd,
                     const GUIVisual& visual)
    : GUISlider(services, flags, position, size, parent, trackStart, trackEnd, 2, true, visual)
{
    MarkThumb();
    SetDecreaseButton(Vector2{}, Vector2{});
    SetIncreaseButton(Vector2{}, Vector2{});
}

GUIScroll::~GUIScroll()
{
    delete forwardArrow;
    delete backArrow;
}

void GUIScroll::MarkThumb()
{
    thumb->SetLayer(2);
    thumb->hoverSound = guiSoundScrollThumbHover;
    thumb->pressSound = guiSoundScrollThumbPress;
}

void GUIScroll::SetThumbModelFile(const Vector2& newThumbSize, const std::string& fileName)
{
    GUISlider::SetThumbModelFile(newThumbSize, fileName);
    MarkThumb();
}

void GUIScroll::SetThumbModel(const Vector2& newThumbSize, const Model* prototype)
{
    GUISlider::SetThumbModel(newThumbSize, prototype);
    MarkThumb();
}

void GUIScroll::SetThumbTexture(const Vector2& newThumbSize, const ShaderDescriptor& descriptor,
                                const Vector2& uvExtent)
{
    GUISlider::SetThumbTexture(newThumbSize, descriptor, uvExtent);
    MarkThumb();
}

GUIButton* GUIScroll::MakeArrow(GUIButton* old, const Vector2& buttonPosition, const Vector2& buttonSize,
                                const GUIVisual& visual)
{
    delete old;
    auto* arrow = new GUIButton(services, (flags & Colored) != 0 ? Shown | Colored : Shown, buttonPosition,
                                buttonSize, this, visual);
    arrow->hoverSound = guiSoundScrollArrowHover;
    arrow->pressSound = guiSoundScrollArrowPress;
    return arrow;
}

void GUIScroll::SetDecreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize)
{
    GUIButton* old = forwardArrow;
    forwardArrow = nullptr;
    forwardArrow = MakeArrow(old, buttonPosition, buttonSize, GUIVisual());
}

void GUIScroll::SetDecreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize,
                                  const ShaderDescriptor& descriptor, const Vector2& uvExtent)
{
    GUIButton* old = forwardArrow;
    forwardArrow = nullptr;
    forwardArrow = MakeArrow(old, buttonPosition, buttonSize, GUIVisual::Quad(descriptor, uvExtent));
}

void GUIScroll::SetIncreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize)
{
    GUIButton* old = backArrow;
    backArrow = nullptr;
    backArrow = MakeArrow(old, buttonPosition, buttonSize, GUIVisual());
}

void GUIScroll::SetIncreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize,
                                  const ShaderDescriptor& descriptor, const Vector2& uvExtent)
{
    GUIButton* old = backArrow;
    backArrow = nullptr;
    backArrow = MakeArrow(old, buttonPosition, buttonSize, GUIVisual::Quad(descriptor, uvExtent));
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

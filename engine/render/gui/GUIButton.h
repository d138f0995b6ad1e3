#pragma once
// GUIButton: a window that is pressed and clicked with MOUSE1, with hover and press sounds and four
// visual states (the frames of a 2 × 2 atlas: normal, hover, pressed, disabled). GUICheckBox toggles.
//
// Rules:
// - A press starts when MOUSE1 is down over the button (also by moving onto it with MOUSE1 held); a
//   release over the button sets `clicked` for exactly one frame, a release elsewhere clicks nothing.
// - `clicked` is cleared at the start of every Update, also while the button is hidden or disabled.
// - Becoming visible resets the state to normal and drops a press in progress: hiding and showing a
//   button enables it again.
// - Main thread only.

#include "engine/render/gui/GUISoundManager.h"
#include "engine/render/gui/GUIWindow.h"

namespace VantoranEngine {

class GUIButton : public GUIWindow {
public:
    // `state` values.
    static constexpr int32_t Normal = 0;
    static constexpr int32_t Hover = 1;
    static constexpr int32_t Pressed = 2;
    static constexpr int32_t Disabled = 3;

    // Without a visual: a hit area, or a thumb or arrow that its owner draws.
    GUIButton(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const GUIVisual& visual = GUIVisual());
    ~GUIButton() override;

    bool Update(const Vector2& cursor, bool mouseDown) override;
    bool Render() override;
    void UpdateVisibility() override;
    // Nothing when the button already is in the requested condition (Disabled counts as disabled).
    virtual void SetEnabled(bool enabled);
    // The atlas frame to show: `state` when 1, 2 or 3, else 0.
    virtual int32_t GetState() const;

    int32_t state = Normal;
    bool pressed = false;    // a press started over the button and MOUSE1 is still held
    bool wasHovered = true;  // `hovered` of the previous frame; no hover sound on the first frame
    bool clicked = false;    // this frame only
    int32_t hoverSound = guiSoundButtonHover;
    int32_t pressSound = guiSoundButtonPress;

protected:
    void PlaySoundEvent(int32_t event) const;
};

class GUICheckBox : public GUIButton {
public:
    GUICheckBox(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                GUIWindow* parent, const GUIVisual& visual = GUIVisual());

    // Toggles `checked` on a click.
    bool Update(const Vector2& cursor, bool mouseDown) override;
    // The frame of a 4 × 2 atlas: 0..2 unchecked, 3..5 checked (normal, hover, pressed), 6 and 7 disabled.
    int32_t GetState() const override;

    bool checked = false;
};

} // namespace VantoranEngine

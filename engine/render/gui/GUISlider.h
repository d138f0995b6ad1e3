#pragma once
// GUISlider: picks one of `steps` integer positions by dragging a thumb along a straight track.
// GUIScroll: a vertical slider with two arrow buttons that step the position while held.
//
// Rules:
// - The thumb is a GUIButton child whose hit area covers the whole track: pressing anywhere on the
//   track grabs the thumb and moves it there. The thumb and arrows are owned by their slider and are
//   updated and drawn by it, never listed with the GUI manager.
// - `position` stays within [0, steps - 1]; `steps` is at least 2. `reversed` puts position 0 at
//   trackEnd.
// - A held arrow steps once at once and then every 0.15 s while held over it; the arrow set with
//   SetDecreaseButton adds 1, the one set with SetIncreaseButton subtracts 1.
// - Hiding and showing a slider enables it again with its thumb and arrows.
// - Main thread only.

#include "engine/render/gui/GUIButton.h"

namespace VantoranEngine {

class GUISlider : public GUIWindow {
public:
    static constexpr int32_t Normal = 0;
    static constexpr int32_t Hover = 1;
    static constexpr int32_t Disabled = 2;

    // The thumb starts without model and of size (0, 0).
    GUISlider(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const Vector2& trackStart, const Vector2& trackEnd, int32_t steps, bool vertical,
              const GUIVisual& visual = GUIVisual());
    ~GUISlider() override;

    bool Update(const Vector2& cursor, bool mouseDown) override;
    bool Render() override;
    void SetColor(const Color& colour) override;
    void UpdateVisibility() override;
    // Each replaces the thumb with one of the given size: a model file, a clone of a prototype (none for
    // null), or a textured quad.
    virtual void SetThumbModelFile(const Vector2& thumbSize, const std::string& fileName);
    virtual void SetThumbModel(const Vector2& thumbSize, const Model* prototype);
    virtual void SetThumbTexture(const Vector2& thumbSize, const ShaderDescriptor& descriptor,
                                 const Vector2& uvExtent);
    virtual void SetEnabled(bool enabled);

    // Clamped to [0, steps - 1].
    void SetPosition(int32_t newPosition);
    GUIButton* GetThumb() const { return thumb; }

    int32_t state = Normal;
    bool vertical;
    Vector2 trackStart; // the thumb's offset from the slider at position 0
    Vector2 trackEnd;   // ... at position steps - 1
    Vector2 thumbSize;
    bool reversed = false;
    int32_t steps;
    int32_t position = 0;

protected:
    // The thumb's button: a child covering the whole track, placed by the slider.
    void ReplaceThumb(const Vector2& newThumbSize, const GUIVisual& visual);

    GUIButton* thumb = nullptr; // owned
};

class GUIScroll : public GUISlider {
public:
    static constexpr float repeatInterval = 0.15f; // seconds between steps of a held arrow

    // A vertical slider of 2 steps with two arrows without model at (0, 0), size (0, 0).
    GUIScroll(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const Vector2& trackStart, const Vector2& trackEnd,
              const GUIVisual& visual = GUIVisual());
    ~GUIScroll() override;

    bool Update(const Vector2& cursor, bool mouseDown) override;
    bool Render() override;
    void SetColor(const Color& colour) override;
    void SetThumbModelFile(const Vector2& thumbSize, const std::string& fileName) override;
    void SetThumbModel(const Vector2& thumbSize, const Model* prototype) override;
    void SetThumbTexture(const Vector2& thumbSize, const ShaderDescriptor& descriptor,
                         const Vector2& uvExtent) override;
    void SetEnabled(bool enabled) override;

    // The forward arrow (adds 1 while held); position and size relative to the scroll bar.
    void SetDecreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize);
    void SetDecreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize,
                           const ShaderDescriptor& descriptor, const Vector2& uvExtent);
    // The back arrow (subtracts 1 while held).
    void SetIncreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize);
    void SetIncreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize,
                           const ShaderDescriptor& descriptor, const Vector2& uvExtent);
    GUIButton* GetForwardArrow() const { return forwardArrow; }
    GUIButton* GetBackArrow() const { return backArrow; }

    float repeatTime = 0.0f; // seconds

private:
    GUIButton* MakeArrow(GUIButton* old, const Vector2& buttonPosition, const Vector2& buttonSize,
                         const GUIVisual& visual);
    void MarkThumb();

    GUIButton* forwardArrow = nullptr; // owned
    GUIButton* backArrow = nullptr;    // owned
};

} // namespace VantoranEngine

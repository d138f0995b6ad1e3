#pragma once
// GUIMenuWindow: the frame of every dialog, tip and the credits. One textured frame window in one of
// five frame types, the controls made through its factories (which fade with it), button layouts and
// a fade of 0.5 s in and out.
//
// Rules:
// - Coordinates are GUI units (800 x 600, y up); a control's position is relative to the frame's
//   lower-left corner. Every control is a child of the frame, so it is hidden with it.
// - The control list does not own its entries; entry 0 is the frame. Derived windows delete the
//   controls they made (through the GUI manager's lists) before this destructor deletes the frame.
// - Text buttons are not listed: they never change colour with the fade.
// - Input and results: a dialog acts on clicks and keys only while AcceptsInput() holds (shown, not
//   fading out, frame visible). During the fade-out the frame is still drawn, but its choice has been
//   taken already; texts and alpha keep updating until it is gone.
// - Materials come from the global resource bundle; none is owned here.
// - Main thread only.

#include "engine/render/Color.h"
#include "engine/render/Vector2.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {
class Controls;
class Engine;
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIFontManager;
class GUIManager;
class GUIScroll;
class GUISlider;
class GUITextManager;
class GUIWindow;
class ShaderDescriptor;
class TimerManager;
} // namespace VantoranEngine

namespace Petalwork {

class GameData;

class GUIMenuWindow {
public:
    // The numeric values are the frame types the dialogs are built with; there is no type 2.
    enum class FrameType : int32_t { MainMenu = 0, Small = 1, Large = 3, Anchor = 4, Tip = 5 };
    enum class ButtonType : int32_t { Short = 0, Long = 1, Glow = 2 };

    // The bundle's interface materials the frame and its factories use (none owned, none null).
    struct Materials {
        const VantoranEngine::ShaderDescriptor* windowMainMenu = nullptr;
        const VantoranEngine::ShaderDescriptor* windowSmall = nullptr;
        const VantoranEngine::ShaderDescriptor* windowLarge = nullptr;
        const VantoranEngine::ShaderDescriptor* buttonShort = nullptr;
        const VantoranEngine::ShaderDescriptor* buttonLong = nullptr;
        const VantoranEngine::ShaderDescriptor* buttonGlow = nullptr;
        const VantoranEngine::ShaderDescriptor* checkBox = nullptr;
        const VantoranEngine::ShaderDescriptor* editBox = nullptr;
        const VantoranEngine::ShaderDescriptor* slider = nullptr;
        const VantoranEngine::ShaderDescriptor* sliderThumb = nullptr;
        const VantoranEngine::ShaderDescriptor* scroll = nullptr;
        const VantoranEngine::ShaderDescriptor* scrollThumb = nullptr;
        const VantoranEngine::ShaderDescriptor* scrollArrowTop = nullptr;
        const VantoranEngine::ShaderDescriptor* scrollArrowBottom = nullptr;
    };

    static constexpr float fadeSpeed = 2.0f;      // alpha per second: each fade lasts 0.5 s
    static constexpr float alphaEpsilon = 0.0001f; // smaller alpha changes are not applied
    // Dialog text conventions.
    static constexpr int32_t titleFont = 5;
    static constexpr int32_t lineFont = 1;
    static constexpr int32_t captionFont = 6;
    static constexpr uint32_t centredHorizontally = 1;
    static constexpr uint32_t centredBothWays = 3;

    // The frame starts hidden with alpha 0. `parent` is the dialog layer of the flower house or the
    // in-level panel layer.
    GUIMenuWindow(VantoranEngine::Engine* engine, const GameData& gameData, VantoranEngine::GUIWindow* parent,
                  FrameType frameType);
    GUIMenuWindow(VantoranEngine::Engine* engine, const Materials& materials, VantoranEngine::GUIWindow* parent,
                  FrameType frameType);

    // The bundle's interface materials (loaded).
    static Materials MaterialsOf(const GameData& gameData);
    virtual ~GUIMenuWindow();

    GUIMenuWindow(const GUIMenuWindow&) = delete;
    GUIMenuWindow& operator=(const GUIMenuWindow&) = delete;

    // Once per frame, before a derived window's own work: advances the fade.
    virtual void Update();

    // true: fade in from alpha 0; false: fade out from alpha 1 (also in the middle of the other fade).
    void Show(bool show);
    // Shown and not fading out.
    bool IsShown() const { return shown && !hiding; }
    // The frame is drawn (also during the fade-out): texts are queued while this holds.
    bool IsFrameVisible() const;
    // Clicks, keys and results are taken only now.
    bool AcceptsInput() const { return IsShown() && IsFrameVisible(); }
    float GetAlpha() const { return alpha; }
    bool IsHiding() const { return hiding; }
    VantoranEngine::GUIWindow* GetFrame() const { return frame; }
    const std::vector<VantoranEngine::GUIWindow*>& GetControls() const { return controls; }

    VantoranEngine::GUIButton* CreateButton(const VantoranEngine::Vector2& position, ButtonType type);
    // Untextured, as wide as the key's text in font 1 plus 4 and as high as font 1 plus 2; not listed.
    VantoranEngine::GUIButton* CreateTextButton(const std::string& key, const VantoranEngine::Vector2& position);
    VantoranEngine::GUICheckBox* CreateCheckBox(const VantoranEngine::Vector2& position);
    VantoranEngine::GUIEditBox* CreateEditBox(const VantoranEngine::Vector2& position);
    VantoranEngine::GUISlider* CreateSlider(const VantoranEngine::Vector2& position);
    VantoranEngine::GUIScroll* CreateScroll(const VantoranEngine::Vector2& position);

    // A centred row of two (three) buttons at height y, `gap` units apart, all placed with the width of
    // the first; none is resized.
    void LayOutTwoButtons(VantoranEngine::GUIWindow* a, VantoranEngine::GUIWindow* b, float gap, float y) const;
    void LayOutThreeButtons(VantoranEngine::GUIWindow* a, VantoranEngine::GUIWindow* b, VantoranEngine::GUIWindow* c,
                            float gap, float y) const;

    // Queues a wide text on the frame in white at the frame's alpha, at the font's own size.
    void AddFrameText(const VantoranEngine::Vector2& position, uint32_t alignment, int32_t fontId,
                      const std::u16string& text);
    // The dialog texts by key: a title in font 5 centred at height y; a line in font 1 centred at height
    // y (key followed by the decimal index, or the key alone for -1); a caption in font 6 centred on a
    // button.
    void AddTitle(const std::string& key, float y);
    void AddLine(const std::string& key, int32_t index, float y);
    void AddCaption(VantoranEngine::GUIWindow* button, const std::string& key) const;

protected:
    // The colour of every listed control: white at this alpha.
    void TintControls(float controlAlpha);
    VantoranEngine::Color FadeColour() const { return {1.0f, 1.0f, 1.0f, alpha}; }

    VantoranEngine::Engine* engine;
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::Controls* input;
    VantoranEngine::GUIManager* gui;
    VantoranEngine::GUIFontManager* fontManager;
    VantoranEngine::GUITextManager* textManager;
    Materials materials;
    VantoranEngine::GUIWindow* frame = nullptr; // owned through the GUI manager's list
    std::vector<VantoranEngine::GUIWindow*> controls;
    bool shown = false;
    bool hiding = false;
    float fadeTime = 0.0f; // seconds since the current fade began
    float alpha = 0.0f;

private:
    void HideFrame();
    static void AddKeyText(VantoranEngine::GUIWindow* window, const VantoranEngine::Vector2& position,
                           uint32_t alignment, int32_t fontId, const std::string& key, int32_t index,
                           const VantoranEngine::Color& colour);
};

} // namespace Petalwork

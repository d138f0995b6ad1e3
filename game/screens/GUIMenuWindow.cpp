#include "game/screens/GUIMenuWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "game/board/GameData.h"
#include "game/screens/GUIWindowShown.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

using VantoranEngine::Color;
using VantoranEngine::GUIWindow;
using VantoranEngine::ShaderDescriptor;
using VantoranEngine::Vector2;

namespace {

struct FrameLayout {
    Vector2 position;
    Vector2 size;
    Vector2 uvExtent;
};

// Frame type 4 is an invisible anchor of zero size that only carries the stage screen's texts.
FrameLayout LayoutOf(GUIMenuWindow::FrameType type)
{
    switch (type) {
    case GUIMenuWindow::FrameType::MainMenu:
        return {{272.0f, 160.0f}, {256.0f, 256.0f}, {1.0f, 1.0f}};
    case GUIMenuWindow::FrameType::Small:
        return {{215.0f, 160.0f}, {370.0f, 256.0f}, {370.0f / 512.0f, 1.0f}};
    case GUIMenuWindow::FrameType::Large:
        return {{144.0f, 40.0f}, {512.0f, 393.0f}, {1.0f, 0.767578125f}};
    case GUIMenuWindow::FrameType::Anchor:
        return {{0.0f, 0.0f}, {0.0f, 0.0f}, {1.0f, 1.0f}};
    case GUIMenuWindow::FrameType::Tip:
        return {{144.0f, 103.5f}, {512.0f, 393.0f}, {1.0f, 0.767578125f}};
    }
    return {{0.0f, 0.0f}, {0.0f, 0.0f}, {1.0f, 1.0f}};
}

const ShaderDescriptor& FrameMaterial(const GUIMenuWindow::Materials& materials, GUIMenuWindow::FrameType type)
{
    switch (type) {
    case GUIMenuWindow::FrameType::MainMenu:
        return *materials.windowMainMenu;
    case GUIMenuWindow::FrameType::Small:
        return *materials.windowSmall;
    default:
        return *materials.windowLarge;
    }
}

const Vector2 checkBoxSize{32.0f, 32.0f};
const Vector2 editBoxSize{304.0f, 41.0f};
const Vector2 editBoxUvExtent{0.59375f, 0.640625f};
const Vector2 editBoxTextInset{15.0f, 7.0f};
constexpr float editBoxTextWidth = 285.0f;
const Vector2 sliderSize{256.0f, 32.0f};
const Vector2 sliderTrackStart{-2.0f, 0.0f};
const Vector2 sliderTrackEnd{225.0f, 0.0f};
const Vector2 thumbSize{32.0f, 32.0f};
const Vector2 scrollSize{32.0f, 128.0f};
const Vector2 scrollTrackStart{0.0f, -1.0f};
const Vector2 scrollTrackEnd{0.0f, 98.0f};
const Vector2 scrollArrowSize{32.0f, 32.0f};
const Vector2 scrollTopArrowPosition{0.0f, 132.0f};
const Vector2 scrollBottomArrowPosition{0.0f, -36.0f};
const Vector2 wholePicture{1.0f, 1.0f};
constexpr float ownFontSize = -1.0f;
constexpr int32_t textButtonFont = 1;

} // namespace

GUIMenuWindow::Materials GUIMenuWindow::MaterialsOf(const GameData& gameData)
{
    Materials materials;
    materials.windowMainMenu = gameData.windowMainMenuMaterial;
    materials.windowSmall = gameData.windowSmallMaterial;
    materials.windowLarge = gameData.windowLargeMaterial;
    materials.buttonShort = gameData.buttonShortMaterial;
    materials.buttonLong = gameData.buttonLongMaterial;
    materials.buttonGlow = gameData.buttonGlowMaterial;
    materials.checkBox = gameData.checkBoxMaterial;
    materials.editBox = gameData.editBoxMaterial;
    materials.slider = gameData.sliderMaterial;
    materials.sliderThumb = gameData.sliderThumbMaterial;
    materials.scroll = gameData.scrollMaterial;
    materials.scrollThumb = gameData.scrollThumbMaterial;
    materials.scrollArrowTop = gameData.scrollArrowTopMaterial;
    materials.scrollArrowBottom = gameData.scrollArrowBottomMaterial;
    return materials;
}

GUIMenuWindow::GUIMenuWindow(VantoranEngine::Engine* engine, const GameData& gameData, GUIWindow* parent,
                             FrameType frameType)
    : GUIMenuWindow(engine, MaterialsOf(gameData), parent, frameType)
{
}

GUIMenuWindow::GUIMenuWindow(VantoranEngine::Engine* engine, const Materials& materials, GUIWindow* parent,
                             FrameType frameType)
    : engine(engine), timerManager(engine->timerManager.get()), input(engine->controls.get()),
      gui(engine->guiManager.get()), fontManager(gui->GetFontManager()), textManager(gui->GetTextManager()),
      materials(materials)
{
    const FrameLayout layout = LayoutOf(frameType);
    frame = gui->CreateWindow(GUIWindow::Colored, layout.position, layout.size, FrameMaterial(materials, frameType),
                              parent, layout.uvExtent);
    SetShown(frame, false);
    controls.push_back(frame);
    frame->SetColor({1.0f, 1.0f, 1.0f, 0.0f});
}

GUIMenuWindow::~GUIMenuWindow()
{
    gui->DeleteWindow(frame);
}

bool GUIMenuWindow::IsFrameVisible() const
{
    return frame->visible;
}

void GUIMenuWindow::Show(bool show)
{
    if (show) {
        hiding = false;
        shown = true;
        SetShown(frame, true);
        fadeTime = 0.0f;
        alpha = 0.0f;
        TintControls(0.0f);
    } else {
        hiding = true;
        fadeTime = 0.0f;
        alpha = 1.0f;
    }
}

void GUIMenuWindow::Update()
{
    if (!frame->visible) {
        // A fade-out that starts under a hidden parent has nothing to show: it ends at once.
        if (hiding) {
            HideFrame();
            TintControls(1.0f);
        }
        return;
    }
    const float previous = alpha;
    fadeTime += timerManager->frameTime;
    const float progress = std::min(fadeTime * fadeSpeed, 1.0f);
    alpha = hiding ? 1.0f - progress : progress;
    if (std::fabs(previous - alpha) > alphaEpsilon)
        TintControls(alpha);
    if (hiding && std::fabs(alpha) < alphaEpsilon)
        HideFrame();
}

void GUIMenuWindow::HideFrame()
{
    shown = false;
    hiding = false;
    SetShown(frame, false);
}

void GUIMenuWindow::TintControls(float controlAlpha)
{
    for (GUIWindow* control : controls)
        control->SetColor({1.0f, 1.0f, 1.0f, controlAlpha});
}

VantoranEngine::GUIButton* GUIMenuWindow::CreateButton(const Vector2& position, ButtonType type)
{
    Vector2 size{138.0f, 46.0f};
    Vector2 extent{0.5390625f, 0.71875f};
    const ShaderDescriptor* material = materials.buttonShort;
    if (type == ButtonType::Long) {
        size = {419.0f, 46.0f};
        extent = {0.818359375f, 0.71875f};
        material = materials.buttonLong;
    } else if (type == ButtonType::Glow) {
        size = {196.0f, 32.0f};
        extent = {0.765625f, 1.0f};
        material = materials.buttonGlow;
    }
    VantoranEngine::GUIButton* button = gui->CreateButton(position, size, *material, frame, extent);
    controls.push_back(button);
    return button;
}

VantoranEngine::GUIButton* GUIMenuWindow::CreateTextButton(const std::string& key, const Vector2& position)
{
    // Without font 1 the button keeps only its margins.
    const VantoranEngine::GUIFont* font = fontManager->GetFont(textButtonFont);
    const float width = font != nullptr ? font->GetTextWidth(textManager->GetText(key), ownFontSize) : 0.0f;
    const float height = font != nullptr ? font->size : 0.0f;
    return gui->CreateUntexturedButton(position, {width + 4.0f, height + 2.0f}, frame);
}

VantoranEngine::GUICheckBox* GUIMenuWindow::CreateCheckBox(const Vector2& position)
{
    VantoranEngine::GUICheckBox* box = gui->CreateCheckBox(position, checkBoxSize, *materials.checkBox, frame,
                                                           wholePicture);
    controls.push_back(box);
    return box;
}

VantoranEngine::GUIEditBox* GUIMenuWindow::CreateEditBox(const Vector2& position)
{
    VantoranEngine::GUIEditBox* box = gui->CreateEditBox(position, editBoxSize, *materials.editBox,
                                                         {1.0f, 1.0f, 1.0f, 1.0f}, editBoxTextInset,
                                                         editBoxTextWidth, frame, editBoxUvExtent);
    controls.push_back(box);
    return box;
}

VantoranEngine::GUISlider* GUIMenuWindow::CreateSlider(const Vector2& position)
{
    VantoranEngine::GUISlider* slider = gui->CreateSlider(position, sliderSize, *materials.slider, sliderTrackStart,
                                                          sliderTrackEnd, frame, wholePicture);
    slider->SetThumbTexture(thumbSize, *materials.sliderThumb, wholePicture);
    controls.push_back(slider);
    return slider;
}

VantoranEngine::GUIScroll* GUIMenuWindow::CreateScroll(const Vector2& position)
{
    VantoranEngine::GUIScroll* scroll = gui->CreateScroll(position, scrollSize, *materials.scroll, scrollTrackStart,
                                                          scrollTrackEnd, frame, wholePicture);
    scroll->SetThumbTexture(thumbSize, *materials.scrollThumb, wholePicture);
    scroll->SetIncreaseButton(scrollTopArrowPosition, scrollArrowSize, *materials.scrollArrowTop, wholePicture);
    scroll->SetDecreaseButton(scrollBottomArrowPosition, scrollArrowSize, *materials.scrollArrowBottom, wholePicture);
    controls.push_back(scroll);
    return scroll;
}

void GUIMenuWindow::LayOutTwoButtons(GUIWindow* a, GUIWindow* b, float gap, float y) const
{
    const float w = a->size.x;
    a->position = {frame->size.x / 2.0f - w - gap / 2.0f, y};
    b->position = {a->position.x + w + gap, y};
}

void GUIMenuWindow::LayOutThreeButtons(GUIWindow* a, GUIWindow* b, GUIWindow* c, float gap, float y) const
{
    const float w = a->size.x;
    a->position = {frame->size.x / 2.0f - 1.5f * w - gap, y};
    b->position = {a->position.x + w + gap, y};
    c->position = {b->position.x + w + gap, y};
}

void GUIMenuWindow::AddFrameText(const Vector2& position, uint32_t alignment, int32_t fontId,
                                 const std::u16string& text)
{
    frame->AddText(position, FadeColour(), alignment, fontId, text, ownFontSize);
}

void GUIMenuWindow::AddTitle(const std::string& key, float y)
{
    AddKeyText(frame, {0.0f, y}, centredHorizontally, titleFont, key, -1, FadeColour());
}

void GUIMenuWindow::AddLine(const std::string& key, int32_t index, float y)
{
    AddKeyText(frame, {0.0f, y}, centredHorizontally, lineFont, key, index, FadeColour());
}

void GUIMenuWindow::AddCaption(GUIWindow* button, const std::string& key) const
{
    AddKeyText(button, {0.0f, 0.0f}, centredBothWays, captionFont, key, -1, FadeColour());
}

void GUIMenuWindow::AddKeyText(GUIWindow* window, const Vector2& position, uint32_t alignment, int32_t fontId,
                               const std::string& key, int32_t index, const Color& colour)
{
    window->AddTextByKey(position, colour, alignment, fontId, key, index, ownFontSize);
}

} // namespace Petalwork

// The whole engine under the offscreen video driver: a textured GUI window (checked in a screenshot)
// with a button, a text in a baked font, an edit box and a slider, driven by injected mouse and
// keyboard events through the engine's own frame.

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "tools/fontbake/FontBaker.h"
#include "tools/formats/ImageWriters.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace VantoranEngine;

namespace {

class GUIEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(false);
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();

        FontBake::BakeOptions options;
        options.fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        options.pixelSize = 24;
        FontBake::BakedFont baked;
        std::string failure;
        ASSERT_TRUE(FontBake::Bake(options, baked, failure)) << failure;
        ASSERT_TRUE(FontBake::WriteBakedFont(baked, folder / "data/fonts/gui.fnt", folder / "data/fonts/gui.jpg",
                                             failure))
            << failure;

        EngineDescriptor d;
        d.title = "Brindlemoor";
        d.version = 100;
        d.baseDirectory = folder.Path();
        d.configDirectory = folder.Path();
        d.configName = "Brindlemoor";
        d.logEnabled = false;
        d.videoMode = "800x600x32";
        engine = std::make_unique<Engine>(d);
        gui = engine->guiManager.get();
        ASSERT_NE(gui, nullptr);
        gui->GetCamera()->orthoWidth = 800.0f;
        gui->GetCamera()->orthoHeight = 600.0f;
        ShaderDescriptor material;
        BuildSimpleGUIShaderDescriptor(material, "fonts\\gui.jpg", "fonts\\gui_alpha.jpg");
        font = gui->GetFontManager()->LoadFont(1, material, "fonts\\gui.fnt");
        font->size = 24.0f;
    }

    void TearDown() override
    {
        engine.reset();
        Platform::Test::ResetInput();
        Platform::Test::SetForceFocus(false);
    }

    // The game's tick: messages, the engine's first half, the owner's per-frame texts, the second half.
    void Frame()
    {
        DeviceTesting::PumpMessages();
        engine->Update();
        if (panel != nullptr)
            panel->AddText({20, 250}, {1, 1, 1, 1}, 0, 1, u"Brindlemoor", -1.0f);
        clickedThisFrame = button != nullptr && button->clicked;
        engine->EndFrame();
    }

    // GUI point (x, y up) to client pixels (y down).
    static void MoveTo(float x, float y)
    {
        Platform::Test::InjectMouseMotion(static_cast<int>(x), static_cast<int>(599.0f - y), 0, 0);
    }

    TempFolder folder;
    std::unique_ptr<Engine> engine;
    GUIManager* gui = nullptr;
    GUIFont* font = nullptr;
    GUIWindow* panel = nullptr;
    GUIButton* button = nullptr;
    bool clickedThisFrame = false;
};

TEST_F(GUIEngine, ClicksAButtonTypesIntoAnEditBoxAndDragsASlider)
{
    ASSERT_NE(font, nullptr);
    ASSERT_TRUE(font->HasGlyph(u'B'));
    std::filesystem::create_directories(folder / "data/gui");
    ASSERT_TRUE(Formats::WriteJpegPair(folder / "data/gui/panel.jpg",
                                       Formats::MakePicture(16, 16, 4, {200, 40, 40, 255})));
    ShaderDescriptor panelMaterial;
    BuildSimpleGUIShaderDescriptor(panelMaterial, "gui\\panel.jpg", "gui\\panel_alpha.jpg");
    panel = gui->CreateWindow(GUIWindow::Shown | GUIWindow::Colored, {200, 150}, {400, 300}, panelMaterial, nullptr,
                              {1, 1});
    button = gui->CreateUntexturedButton({20, 20}, {120, 40}, panel);   // GUI x 220..340, y 170..210
    GUIEditBox* edit = gui->CreateUntexturedEditBox({20, 100}, {300, 30}, 1, {1, 1, 1, 1}, {4, 4}, 280.0f, panel);
    auto* slider = new GUISlider(gui->GetServices(), GUIWindow::Shown, {20, 180}, {220, 30}, panel, {10, 5},
                                 {210, 5}, GUIManager::sliderSteps, false);
    gui->sliders.Add(slider);
    slider->SetThumbModel({0, 20}, nullptr); // grabbed at GUI x 220..420, y 330..350; position 0 at x 230

    Frame();
    ASSERT_FALSE(gui->GetFontManager()->GetInstances().empty());
    const GUIFont& drawn = *gui->GetFontManager()->GetInstances().front();
    EXPECT_EQ(drawn.GetUsedIndexCount(), 6u * 11u); // one quad per letter of "Brindlemoor"
    EXPECT_FLOAT_EQ(drawn.GetDepth(), panel->depth - GUIFontManager::textDepthOffset);

    // The saved screenshot shows the panel's colour inside it and the clear colour outside.
    engine->config->SetCommandReady("sc_take_screenshot", false);
    Frame();
    Image shot;
    ASSERT_TRUE(shot.Load(engine->messageManager.get(), engine->memoryManager.get(), engine->fileManager.get(),
                          folder / "ScreenCaptures/picture000.tga"));
    ASSERT_EQ(shot.width, 800u);
    const uint8_t* inside = shot.Pixel(500, 200); // bottom row first: GUI (500, 200) lies in the panel
    EXPECT_NEAR(inside[0], 200, 12);
    EXPECT_NEAR(inside[1], 40, 12);
    EXPECT_NEAR(inside[2], 40, 12);
    const uint8_t* outside = shot.Pixel(100, 100);
    EXPECT_FALSE(std::abs(outside[0] - 200) < 12 && std::abs(outside[1] - 40) < 12);
    // The white text lies at GUI (220, 400), 24 units high; beside it the panel shows no white.
    auto whitePixels = [&shot](uint32_t left, uint32_t right) {
        int count = 0;
        for (uint32_t y = 400; y < 424; ++y)
            for (uint32_t x = left; x < right; ++x) {
                const uint8_t* p = shot.Pixel(x, y);
                count += p[0] > 180 && p[1] > 180 && p[2] > 180;
            }
        return count;
    };
    EXPECT_GT(whitePixels(220, 380), 100);
    EXPECT_EQ(whitePixels(450, 590), 0);

    MoveTo(280, 190);
    Frame();
    EXPECT_TRUE(button->hovered);
    Platform::Test::InjectMouseButton(0, true);
    Frame();
    EXPECT_EQ(button->state, GUIButton::Pressed);
    EXPECT_FALSE(clickedThisFrame);
    Platform::Test::InjectMouseButton(0, false);
    Frame();
    EXPECT_TRUE(clickedThisFrame);
    Frame();
    EXPECT_FALSE(clickedThisFrame);

    for (const char* typed : {"h", "i", "\xD0\x96"}) { // Cyrillic capital zhe
        Platform::Test::InjectText(typed);
        Frame();
    }
    EXPECT_EQ(edit->text, u"hi\u0416");
    EXPECT_EQ(edit->caret, 3);

    MoveTo(280, 345);
    Frame();
    Platform::Test::InjectMouseButton(0, true);
    Frame();
    EXPECT_EQ(slider->position, 250); // (280 - 230) / 200 of 1000 steps
    MoveTo(380, 345);
    Frame();
    EXPECT_EQ(slider->position, 750);
    Platform::Test::InjectMouseButton(0, false);
    MoveTo(300, 345);
    Frame();
    Frame();
    EXPECT_EQ(slider->position, 750);
}

} // namespace

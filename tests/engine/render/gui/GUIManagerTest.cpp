// The GUI manager over the engine's own services (headless window, recording render device, the
// DirectInput back end fed by injected events): the GUI camera, the cursor mapped into GUI space, the
// per-frame walk over every widget list, and the lifetime of listed widgets.

#include "engine/core/devices/Controls_DI7.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/input/DirectInputTest.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

class GUIManagerTest : public DeviceTesting::DeviceFixture {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::Recording);
        DeviceFixture::SetUp();
        OpenWindow(false);
        render = std::make_unique<RenderSystem_D3D7>(log.get(), memory.get(), config.get(), window.get());
        cameras = std::make_unique<CameraManager>(log.get(), memory.get(), window.get(), render.get());
        controls = std::make_unique<Controls_DI7>(*log, *window, *config, *timers);
        gui = std::make_unique<GUIManager>(log.get(), memory.get(), files.get(), window.get(), timers.get(),
                                           cameras.get(), nullptr, nullptr, controls.get(), nullptr, config.get());
        gui->GetCamera()->orthoWidth = 800.0f;
        gui->GetCamera()->orthoHeight = 600.0f;
    }

    void TearDown() override
    {
        gui.reset();
        controls.reset();
        cameras.reset();
        render.reset();
        Platform::Test::ClearDirectInputFaults();
        DeviceFixture::TearDown();
    }

    // One frame of the engine's input half and the GUI's drawing preparation.
    void Frame()
    {
        DeviceTesting::PumpMessages();
        controls->Update();
        gui->Update();
        gui->Render();
        controls->EndFrame();
    }

    // Pixels of the 800 × 600 client, y down.
    static void MoveTo(int x, int y) { Platform::Test::InjectMouseMotion(x, y, 0, 0); }

    std::unique_ptr<RenderSystem_D3D7> render;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<Controls_DI7> controls;
    std::unique_ptr<GUIManager> gui;
};

TEST_F(GUIManagerTest, BuildsAnOrthographicCameraAndAHiddenSystemCursor)
{
    const Camera* camera = gui->GetCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_NE(camera->projectionType, 0);
    EXPECT_FLOAT_EQ(camera->nearClip, 500.0f);
    EXPECT_FLOAT_EQ(camera->farClip, -500.0f);
    EXPECT_EQ(camera->viewportWidth, 800u);
    EXPECT_EQ(camera->viewportHeight, 600u);
    ASSERT_NE(gui->GetDefaultCursor(), nullptr);
    EXPECT_FALSE(gui->GetDefaultCursor()->shown);
    EXPECT_EQ(gui->GetDefaultCursor()->model, nullptr);
    EXPECT_EQ(gui->cursors.count, 1);
    EXPECT_NE(gui->GetTextManager(), nullptr);
    EXPECT_NE(gui->GetFontManager(), nullptr);
    EXPECT_NE(gui->GetSoundManager(), nullptr);
    EXPECT_EQ(gui->GetRadioGroupManager()->GetGroupCount(), 0u);
}

TEST_F(GUIManagerTest, TheCursorIsMappedIntoGuiSpaceWithYUp)
{
    Frame();
    const struct {
        int x, y;
        float guiX, guiY;
    } cases[] = {{400, 299, 400.0f, 300.0f}, {0, 599, 0.0f, 0.0f}, {799, 0, 799.0f, 599.0f}};
    for (const auto& c : cases) {
        MoveTo(c.x, c.y);
        Frame();
        EXPECT_FLOAT_EQ(gui->GetCursorPosition().x, c.guiX);
        EXPECT_FLOAT_EQ(gui->GetCursorPosition().y, c.guiY);
    }
}

TEST_F(GUIManagerTest, EveryWidgetUnderTheCursorIsToldAndAClickLastsOneFrame)
{
    GUIWindow* panel = gui->CreateUntexturedWindow(GUIWindow::Shown, {300, 200}, {200, 200}, nullptr);
    GUIButton* button = gui->CreateUntexturedButton({50, 50}, {100, 100}, panel);
    GUIButton* other = gui->CreateUntexturedButton({300, 300}, {10, 10}, nullptr);
    EXPECT_EQ(gui->windows.count, 1);
    EXPECT_EQ(gui->buttons.count, 2);
    EXPECT_EQ(gui->radioButtons.count, 0);

    MoveTo(400, 299); // GUI (400, 300): inside the panel and the button
    Frame();
    EXPECT_TRUE(panel->hovered);
    EXPECT_TRUE(button->hovered);
    EXPECT_FALSE(other->hovered);
    EXPECT_EQ(button->state, GUIButton::Hover);

    Platform::Test::InjectMouseButton(0, true);
    Frame();
    EXPECT_EQ(button->state, GUIButton::Pressed);
    EXPECT_FALSE(button->clicked);
    Platform::Test::InjectMouseButton(0, false);
    Frame();
    EXPECT_TRUE(button->clicked);
    Frame();
    EXPECT_FALSE(button->clicked);
}

TEST_F(GUIManagerTest, DeletedWindowsLeaveTheListAndListedWidgetsDieWithTheManager)
{
    GUIWindow* panel = gui->CreateUntexturedWindow(GUIWindow::Shown, {0, 0}, {100, 100}, nullptr);
    GUIWindow* inner = gui->CreateUntexturedWindow(GUIWindow::Shown, {0, 0}, {10, 10}, panel);
    gui->CreateUntexturedButton({0, 0}, {10, 10}, inner);
    gui->CreateUntexturedEditBox({0, 0}, {50, 10}, 1, {1, 1, 1, 1}, {0, 0}, 40.0f, panel);
    gui->CreateSystemCursor();

    gui->DeleteWindow(inner);
    EXPECT_EQ(gui->windows.count, 1);
    GUIWindow stray(gui->GetServices(), GUIWindow::Shown, {0, 0}, {1, 1}, panel);
    gui->DeleteWindow(&stray); // not listed: left alone
    gui->DeleteWindow(nullptr);
    EXPECT_EQ(panel->GetChildren().size(), 2u);
    stray.SetParent(nullptr);
    Frame();
    gui.reset(); // the sanitizers check that every listed widget is deleted once
}

} // namespace

// The main window and the input on a real SDL window (offscreen driver): both modes, switching, and key
// and button state read by name from injected events through the game's message loop.

#include "engine/core/devices/Controls_DI7.h"
#include "platform/window/SdlWindow.h"
#include "platform/window/VirtualKeys.h"
#include "tests/engine/core/devices/DeviceFixture.h"

using namespace Platform;
using namespace VantoranEngine;
using DeviceTesting::DeviceFixture;
using DeviceTesting::PumpMessages;

namespace {

class DisplayDevices : public DeviceFixture {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(false);
        DeviceFixture::SetUp();
    }

    void Open(bool fullscreen)
    {
        OpenWindow(fullscreen);
        ASSERT_NE(GetSdlWindow(window->hwnd), nullptr);
        controls = std::make_unique<Controls_DI7>(*log, *window, *config, *timers);
    }

    void TearDown() override
    {
        controls.reset();
        DeviceFixture::TearDown();
    }

    // One tick of the game: messages first, then the frame.
    void Tick()
    {
        PumpMessages();
        controls->Update();
    }

    std::unique_ptr<Controls_DI7> controls;
};

TEST_F(DisplayDevices, OpensInBothModesAndSwitches)
{
    for (bool fullscreen : {false, true}) {
        Open(fullscreen);
        EXPECT_EQ(IsWindowFullscreen(window->hwnd), fullscreen);
        window->SetMode(640, 480, !fullscreen, 1024, 768);
        EXPECT_EQ(IsWindowFullscreen(window->hwnd), !fullscreen);
        int width = 0, height = 0;
        GetClientSize(window->hwnd, &width, &height);
        EXPECT_EQ(width, 640);
        EXPECT_EQ(height, 480);
        controls.reset();
        window.reset();
    }
}

TEST_F(DisplayDevices, KeysButtonsAndTextByName)
{
    Open(false);
    Platform::Test::InjectKey(DIK_SPACE, true);
    Platform::Test::InjectKey(DIK_SPACE, false); // within one frame
    Platform::Test::InjectKey(DIK_LCONTROL, true);
    Platform::Test::InjectMouseButton(0, true);
    Platform::Test::InjectMouseButton(1, true);
    Tick();
    EXPECT_TRUE(controls->IsKeyPressed("SPACE"));
    EXPECT_TRUE(controls->IsKeyDown("SPACE"));
    EXPECT_TRUE(controls->IsKeyDown("LCTRL"));
    EXPECT_TRUE(controls->IsKeyDown("MOUSE1"));
    EXPECT_TRUE(controls->IsKeyDown("MOUSE2"));
    controls->EndFrame();

    Platform::Test::InjectMouseButton(0, false);
    Platform::Test::InjectText("\xD0\x96"); // Cyrillic capital zhe
    Tick();
    EXPECT_FALSE(controls->IsKeyDown("SPACE"));
    EXPECT_TRUE(controls->IsKeyDown("LCTRL")); // held across frames
    EXPECT_FALSE(controls->IsKeyPressed("LCTRL"));
    EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));
    EXPECT_TRUE(controls->IsKeyDown("MOUSE2"));
    EXPECT_TRUE(window->keyEventPending);
    EXPECT_TRUE(window->keyEventIsChar);
    EXPECT_EQ(window->keyEventCode, 0x0416);
    controls->EndFrame();
    EXPECT_FALSE(window->keyEventPending);

    Platform::Test::InjectKey(DIK_ESCAPE, true);
    Tick();
    EXPECT_TRUE(window->keyEventPending);
    EXPECT_FALSE(window->keyEventIsChar);
    EXPECT_EQ(window->keyEventCode, VK_ESCAPE);
    EXPECT_TRUE(controls->IsKeyPressed("ESCAPE"));
}

TEST_F(DisplayDevices, InputHoldAndWheelThroughTheLoop)
{
    Open(true);
    Platform::Test::InjectKey(DIK_RETURN, true);
    Tick();
    controls->EndFrame();
    controls->inputHold = true;
    Tick();
    EXPECT_FALSE(controls->IsKeyDown("ENTER"));
    controls->EndFrame();
    Platform::Test::InjectKey(DIK_RETURN, false);
    Tick();
    EXPECT_FALSE(controls->inputHold);
    controls->EndFrame();

    Platform::Test::InjectWheel(-1);
    Tick();
    EXPECT_EQ(controls->wheelDelta, -120);
}

TEST_F(DisplayDevices, CloseFiresExitAndFocusCanBeForced)
{
    Open(false);
    Platform::Test::SetForceFocus(true);
    EXPECT_TRUE(window->HasFocus());
    Platform::Test::InjectClose();
    PumpMessages();
    EXPECT_TRUE(ExitFired());
    EXPECT_TRUE(IsWindow(window->hwnd));
}

} // namespace

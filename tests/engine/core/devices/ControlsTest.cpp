// Key names, key state, the input hold, the wheel and the DirectInput back end over the headless stand-in.

#include "engine/core/Error.h"
#include "engine/core/devices/Controls_DI7.h"
#include "platform/input/DirectInputTest.h"
#include "platform/window/VirtualKeys.h"
#include "tests/engine/core/devices/DeviceFixture.h"

#include <set>

using namespace Platform;
using namespace VantoranEngine;
using DeviceTesting::DeviceFixture;

namespace {

class Input : public DeviceFixture {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        DeviceFixture::SetUp();
        OpenWindow(false);
        controls = std::make_unique<Controls_DI7>(*log, *window, *config, *timers);
        log->ClearEntries();
    }

    void TearDown() override
    {
        controls.reset();
        Platform::Test::ClearDirectInputFaults();
        DeviceFixture::TearDown();
    }

    // One frame's reading; the caller queries, then EndFrame.
    void Frame() { controls->Update(); }
    void EndFrame() { controls->EndFrame(); }

    void Key(uint8_t code, bool down) { Platform::Test::InjectKey(code, down); }

    std::unique_ptr<Controls_DI7> controls;
};

TEST_F(Input, KeyNamesAndCodesAreExactInverses)
{
    EXPECT_EQ(controls->keyDown.size(), 108u);
    EXPECT_EQ(controls->keyCodes.size(), 100u);
    EXPECT_EQ(controls->codeNames.size(), 100u);
    for (const auto& [name, code] : controls->keyCodes)
        EXPECT_EQ(controls->codeNames.at(code), name);
    std::set<std::string> keyboardNames(keyNames + mouseButtonCount, keyNames + keyNameCount);
    for (const auto& [name, code] : controls->keyCodes)
        EXPECT_EQ(keyboardNames.count(name), 1u) << name;
    EXPECT_EQ(controls->mouseButtonNames.front(), "MOUSE1");
    EXPECT_EQ(controls->keyCodes.at(""), DIK_RBRACKET);
}

TEST_F(Input, KeyStateRule)
{
    const struct {
        bool downBefore;
        bool pressedBefore;
        bool reading;
        bool downAfter;
        bool pressedAfter;
    } cases[] = {
        {false, false, true, true, true},  // goes down: down and pressed
        {true, false, true, true, false},  // already down: nothing
        {true, true, false, false, true},  // up: clears down only
        {false, false, false, false, false},
    };
    for (const auto& c : cases) {
        controls->keyDown["SPACE"] = c.downBefore;
        controls->keyPressed["SPACE"] = c.pressedBefore;
        controls->SetKeyState("SPACE", c.reading);
        EXPECT_EQ(controls->keyDown["SPACE"], c.downAfter);
        EXPECT_EQ(controls->keyPressed["SPACE"], c.pressedAfter);
    }
    controls->SetKeyState("PgUp", true); // not a name: ignored
    EXPECT_EQ(controls->keyDown.count("PgUp"), 0u);
}

TEST_F(Input, QueriesByName)
{
    Key(DIK_RBRACKET, true);
    Platform::Test::InjectMouseButton(0, true);
    Frame();
    EXPECT_TRUE(controls->IsKeyDown(""));
    EXPECT_TRUE(controls->IsKeyDown("mouse1"));
    EXPECT_TRUE(controls->IsKeyPressed("Mouse1"));
    EXPECT_FALSE(controls->IsKeyDown("PgUp"));
    EXPECT_FALSE(controls->IsKeyPressed("PgUp"));
    EXPECT_TRUE(controls->IsAnyKeyDown());
    EXPECT_TRUE(controls->IsAnyKeyPressed());
}

TEST_F(Input, PressAndReleaseWithinOneFrame)
{
    Key(DIK_SPACE, true);
    Key(DIK_SPACE, false);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("SPACE"));
    EXPECT_TRUE(controls->IsKeyDown("SPACE"));
    EndFrame();
    Frame();
    EXPECT_FALSE(controls->IsKeyPressed("SPACE"));
    EXPECT_FALSE(controls->IsKeyDown("SPACE"));
}

TEST_F(Input, HeldKeyIsPressedInTheFirstFrameOnly)
{
    Key(DIK_P, true);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("P"));
    EndFrame();
    Platform::Test::InjectKey(DIK_P, true, true); // auto-repeat reaches the window only
    Frame();
    EXPECT_FALSE(controls->IsKeyPressed("P"));
    EXPECT_TRUE(controls->IsKeyDown("P"));
    EndFrame();
}

TEST_F(Input, MouseButtonsByNameAndNoCrossTalkWithKeys)
{
    Platform::Test::InjectMouseButton(1, true); // the right button
    Key(DIK_ESCAPE, true);
    for (uint8_t code : {DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6})
        Key(code, true);
    Frame();
    EXPECT_TRUE(controls->IsKeyDown("MOUSE2"));
    EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));
    for (const char* name : {"MOUSE3", "MOUSE4", "MOUSE5", "MOUSE6", "MOUSE7", "MOUSE8"})
        EXPECT_FALSE(controls->IsKeyDown(name)) << name;
    EXPECT_TRUE(controls->IsKeyDown("ESCAPE"));
    EXPECT_TRUE(controls->IsKeyDown("6"));
}

TEST_F(Input, OverflowReadsTheImmediateState)
{
    for (int i = 0; i < 5; ++i) {
        Key(DIK_A, true);
        Key(DIK_A, false);
    }
    Key(DIK_B, true);
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("A")); // the taps are lost with the overflow
    EXPECT_TRUE(controls->IsKeyDown("B"));
    EXPECT_TRUE(controls->IsKeyPressed("B"));
}

TEST_F(Input, KeysQueuedBeforeAFocusLossNeverArriveAndNoneSticks)
{
    Key(DIK_LSHIFT, true);
    Frame();
    EndFrame();
    Key(DIK_RETURN, true); // queued, then the player switches to another program
    Platform::Test::InjectFocus(false);
    Platform::Test::InjectFocus(true);
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("LSHIFT"));
    EXPECT_FALSE(controls->IsKeyPressed("ENTER"));
    EXPECT_FALSE(controls->IsAnyKeyDown());
}

TEST_F(Input, FailedBufferedMouseReadKeepsButtonsButNoMotion)
{
    Platform::Test::InjectMouseButton(0, true);
    Platform::Test::InjectMouseMotion(50, 50, 5, 5);
    Platform::Test::FailDirectInput(Platform::Test::DirectInputCall::GetDeviceData,
                                    Platform::Test::DirectInputDevice::Mouse, DIERR_INPUTLOST);
    Frame();
    EXPECT_TRUE(controls->IsKeyDown("MOUSE1"));
    EXPECT_EQ(controls->mouseDelta.x, 0.0f);
    EXPECT_EQ(controls->wheelDelta, 0);
}

TEST_F(Input, WheelValueSurvivesOnlyAfterAQuietFrame)
{
    const int wheel[] = {3, 2, 0, 1};
    const int expected[] = {360, 0, 0, 120};
    for (int i = 0; i < 4; ++i) {
        if (wheel[i])
            Platform::Test::InjectWheel(wheel[i]);
        Frame();
        EXPECT_EQ(controls->wheelDelta, expected[i]) << i;
        EndFrame();
    }
}

TEST_F(Input, VerticalSignFollowsInvertMouse)
{
    Platform::Test::InjectMouseMotion(100, 100, 0, 0);
    Frame();
    Platform::Test::InjectMouseMotion(100, 90, 0, -10); // upwards
    Frame();
    EXPECT_EQ(controls->cursorDelta.y, 10.0f);
    EXPECT_EQ(controls->mouseDelta.y, 10.0f);
    config->settings.c_invert_mouse = true;
    Platform::Test::InjectMouseMotion(100, 80, 0, -10);
    Frame();
    EXPECT_EQ(controls->cursorDelta.y, -10.0f);
    EXPECT_EQ(controls->mouseDelta.y, -10.0f);
}

TEST_F(Input, InputHoldBlindsQueriesUntilKeysAreLetGo)
{
    Key(DIK_SPACE, true);
    Frame();
    EndFrame();
    controls->inputHold = true;
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("SPACE"));
    EXPECT_FALSE(controls->IsAnyKeyDown());
    EndFrame();
    Key(DIK_SPACE, false);
    Frame(); // the key is let go in this update: the hold ends here
    EXPECT_FALSE(controls->inputHold);
    Key(DIK_A, true);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("A"));
}

TEST_F(Input, PendingKeyEventKeepsTheHold)
{
    controls->inputHold = true;
    window->keyEventPending = true;
    Frame();
    EXPECT_TRUE(controls->inputHold);
    EndFrame(); // clears the key event
    Frame();
    EXPECT_FALSE(controls->inputHold);
}

TEST_F(Input, LongHoldEndsWhenTheSystemReportsNoKeyDown)
{
    controls->keyDown["A"] = true; // a name stuck down while the system knows of no key
    controls->inputHold = true;
    timers->frameTime = 1.5f;
    Frame();
    EXPECT_TRUE(controls->inputHold); // 1.5 s
    Key(DIK_B, true);                 // but a key held in the system keeps it
    Frame();
    EXPECT_TRUE(controls->inputHold);
    Key(DIK_B, false);
    controls->keyDown["A"] = true;
    Frame();
    EXPECT_FALSE(controls->inputHold);
    EXPECT_EQ(controls->holdTime, 0.0f);
}

TEST_F(Input, CursorCounterSettlesAtTenShownAndMinusTenHidden)
{
    for (int start : {-7, 0, 10}) {
        Platform::Test::SetShowCursorCount(start);
        controls->cursorVisible = true;
        for (int i = 0; i < 30; ++i)
            Frame();
        EXPECT_EQ(ShowCursor(true) - 1, 10) << start;
        ShowCursor(false);
    }
    for (int start : {7, 0, -10}) {
        Platform::Test::SetShowCursorCount(start);
        controls->cursorVisible = false;
        for (int i = 0; i < 30; ++i)
            Frame();
        EXPECT_EQ(ShowCursor(true) - 1, -10) << start;
        ShowCursor(false);
    }
}

TEST_F(Input, LogsStartAndTeardownInOrder)
{
    controls.reset();
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{"\nDirectInput devices destroying:", "...Keyboard...",
                                                        "...Mouse...", "...DirectInput object..."}));
    controls = std::make_unique<Controls_DI7>(*log, *window, *config, *timers);
    EXPECT_EQ(NewLogLines(),
              (std::vector<std::string>{"Initialization of DirectInput devices...", "...Creating a DirectInput object...",
                                        "...Keyboard:", "......Obtaining an interface to the system keyboard device...",
                                        "......Setting the data format...", "......Setting the cooperativity level...",
                                        "......Setting the buffered mode...", "...Mouse:",
                                        "......Obtaining an interface to the system mouse device...",
                                        "......Setting the data format...", "......Setting the cooperativity level...",
                                        "......Setting the buffered mode..."}));
}

TEST_F(Input, CreationFailuresAreFatalWithTheirTexts)
{
    using Platform::Test::DirectInputCall;
    using Platform::Test::DirectInputDevice;
    const struct {
        DirectInputCall call;
        DirectInputDevice device;
        const char* text;
    } cases[] = {
        {DirectInputCall::Create, DirectInputDevice::Any, "Failed to create a DirectInput object"},
        {DirectInputCall::CreateDevice, DirectInputDevice::Keyboard,
         "Failed to obtain an interface to the system keyboard device"},
        {DirectInputCall::CreateDevice, DirectInputDevice::Mouse,
         "Failed to obtain an interface to the system mouse device"},
        {DirectInputCall::SetDataFormat, DirectInputDevice::Mouse, "Failed to set the data format"},
        {DirectInputCall::SetCooperativeLevel, DirectInputDevice::Keyboard, "Failed to set the cooperativity level"},
    };
    controls.reset();
    for (const auto& c : cases) {
        Platform::Test::FailDirectInput(c.call, c.device, DIERR_GENERIC);
        log->ClearEntries();
        EXPECT_THROW(Controls_DI7(*log, *window, *config, *timers), FatalError);
        EXPECT_EQ(NewLogLines().back(), std::string("PROGRAM ABORTING: ") + c.text);
        Platform::Test::ClearDirectInputFaults();
    }
}

TEST_F(Input, RefusedBufferSizeSwitchesToImmediateReadingForGood)
{
    controls.reset();
    Platform::Test::FailDirectInput(Platform::Test::DirectInputCall::SetProperty,
                                    Platform::Test::DirectInputDevice::Mouse, DIERR_GENERIC);
    log->ClearEntries();
    controls = std::make_unique<Controls_DI7>(*log, *window, *config, *timers);
    EXPECT_TRUE(controls->keyboardBuffered);
    EXPECT_FALSE(controls->mouseBuffered);
    bool errorLogged = false;
    for (const std::string& line : NewLogLines())
        errorLogged |= line.find("Failed to set the buffered mode, switching to the immediate mode") != std::string::npos;
    EXPECT_TRUE(errorLogged);
    Platform::Test::InjectMouseMotion(10, 10, 4, 0);
    Platform::Test::InjectWheel(1);
    Frame();
    EXPECT_EQ(controls->mouseDelta.x, 4.0f); // the immediate state's motion counts when never buffered
    EXPECT_EQ(controls->wheelDelta, 120);
}

} // namespace

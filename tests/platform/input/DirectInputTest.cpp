// The DirectInput stand-in fed by the window stand-in's pump, without a display.

#include "platform/input/DirectInput.h"
#include "platform/input/DirectInputTest.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowTest.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Platform;

namespace {

LRESULT Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class DirectInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.lpszClassName = "input test";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        window = CreateWindowExA(0, "input test", "", WS_CAPTION, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        void* object = nullptr;
        ASSERT_EQ(DirectInputCreateEx(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput7A, &object,
                                      nullptr),
                  DI_OK);
        input = static_cast<IDirectInput7A*>(object);
        keyboard = Open(GUID_SysKeyboard, c_dfDIKeyboard, 8);
        mouse = Open(GUID_SysMouse, c_dfDIMouse2, 16);
    }

    void TearDown() override
    {
        if (keyboard)
            keyboard->Release();
        if (mouse)
            mouse->Release();
        if (input)
            input->Release();
        DestroyWindow(window);
        UnregisterClassA("input test", nullptr);
        Platform::Test::ClearDirectInputFaults();
        Platform::Test::ResetInput();
    }

    IDirectInputDevice7A* Open(const GUID& guid, const DIDATAFORMAT& format, DWORD bufferSize)
    {
        void* object = nullptr;
        EXPECT_EQ(input->CreateDeviceEx(guid, IID_IDirectInputDevice7A, &object, nullptr), DI_OK);
        auto* device = static_cast<IDirectInputDevice7A*>(object);
        EXPECT_EQ(device->SetDataFormat(&format), DI_OK);
        EXPECT_EQ(device->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
        DIPROPDWORD property{};
        property.diph = {sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE};
        property.dwData = bufferSize;
        EXPECT_EQ(device->SetProperty(DIPROP_BUFFERSIZE, &property.diph), DI_OK);
        EXPECT_EQ(device->Acquire(), DI_OK);
        return device;
    }

    static std::vector<DIDEVICEOBJECTDATA> Read(IDirectInputDevice7A* device, HRESULT* result = nullptr)
    {
        DIDEVICEOBJECTDATA data[8] = {};
        DWORD count = 8;
        const HRESULT r = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), data, &count, 0);
        if (result)
            *result = r;
        return {data, data + count};
    }

    HWND window = nullptr;
    IDirectInput7A* input = nullptr;
    IDirectInputDevice7A* keyboard = nullptr;
    IDirectInputDevice7A* mouse = nullptr;
};

TEST_F(DirectInput, KeysArriveInOrderWithoutRepeats)
{
    Platform::Test::InjectKey(DIK_A, true);
    Platform::Test::InjectKey(DIK_A, true, true);
    Platform::Test::InjectKey(DIK_SEMICOLON, true);
    Platform::Test::InjectKey(DIK_A, false);
    HRESULT result;
    const auto events = Read(keyboard, &result);
    EXPECT_EQ(result, DI_OK);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].dwOfs, DWORD(DIK_A));
    EXPECT_EQ(events[0].dwData & 0x80, 0x80u);
    EXPECT_EQ(events[1].dwOfs, DWORD(DIK_SEMICOLON));
    EXPECT_EQ(events[2].dwOfs, DWORD(DIK_A));
    EXPECT_EQ(events[2].dwData & 0x80, 0u);
    EXPECT_LT(events[0].dwSequence, events[2].dwSequence);

    BYTE keys[256] = {};
    ASSERT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(keys[DIK_SEMICOLON], 0x80);
    EXPECT_EQ(keys[DIK_A], 0);
}

TEST_F(DirectInput, MoreEventsThanTheBufferOverflowOnce)
{
    for (int i = 0; i < 5; ++i) {
        Platform::Test::InjectKey(DIK_SPACE, true);
        Platform::Test::InjectKey(DIK_SPACE, false);
    }
    HRESULT result;
    EXPECT_TRUE(Read(keyboard, &result).empty());
    EXPECT_EQ(result, DI_BUFFEROVERFLOW);
    Read(keyboard, &result);
    EXPECT_EQ(result, DI_OK);
}

TEST_F(DirectInput, FocusLossDropsQueuedInputAndReleasesEverything)
{
    Platform::Test::InjectKey(DIK_RETURN, true);
    Platform::Test::InjectMouseButton(1, true);
    Platform::Test::InjectFocus(false);
    HRESULT result;
    EXPECT_TRUE(Read(keyboard, &result).empty());
    EXPECT_EQ(result, DI_BUFFEROVERFLOW); // so the reader takes the immediate, all-released state
    BYTE keys[256] = {};
    ASSERT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(keys[DIK_RETURN], 0);
    DIMOUSESTATE2 state{};
    ASSERT_EQ(mouse->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.rgbButtons[1], 0);
    Platform::Test::InjectKey(DIK_RETURN, false); // the release of a forgotten press reports nothing
    EXPECT_TRUE(Read(keyboard, &result).empty());
}

TEST_F(DirectInput, MouseMotionIsCoalescedPerPumpAndTheRightButtonIsButtonOne)
{
    for (int i = 0; i < 20; ++i)
        Platform::Test::InjectMouseMotion(10 + i, 10, 1, -2);
    Platform::Test::InjectMouseButton(1, true);
    Platform::Test::InjectWheel(2);
    const auto events = Read(mouse);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].dwOfs, DIMOFS_BUTTON0 + 1);
    EXPECT_EQ(events[0].dwData & 0x80, 0x80u);
    EXPECT_EQ(events[1].dwOfs, DIMOFS_X);
    EXPECT_EQ(static_cast<LONG>(events[1].dwData), 20);
    EXPECT_EQ(events[2].dwOfs, DIMOFS_Y);
    EXPECT_EQ(static_cast<LONG>(events[2].dwData), -40);
    EXPECT_EQ(events[3].dwOfs, DIMOFS_Z);
    EXPECT_EQ(static_cast<LONG>(events[3].dwData), 240);

    DIMOUSESTATE2 state{};
    ASSERT_EQ(mouse->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 20);
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    ASSERT_EQ(mouse->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 0); // motion is counted from the previous read
}

TEST_F(DirectInput, ArgumentsAndStatesAreChecked)
{
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
    EXPECT_EQ(keyboard->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE), DIERR_INVALIDPARAM);
    BYTE small[16];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof(small), small), DIERR_INVALIDPARAM);
    ASSERT_EQ(keyboard->Unacquire(), DI_OK);
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DIERR_NOTACQUIRED);
    void* object = nullptr;
    EXPECT_EQ(DirectInputCreateEx(GetModuleHandleA(nullptr), 0x0500, IID_IDirectInput7A, &object, nullptr),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(object, nullptr);
}

TEST_F(DirectInput, InjectedFaultsAnswerInPlaceOfTheCall)
{
    Platform::Test::FailDirectInput(Platform::Test::DirectInputCall::Acquire,
                                    Platform::Test::DirectInputDevice::Keyboard, DIERR_INPUTLOST, 2);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INPUTLOST);
    EXPECT_EQ(mouse->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DI_OK); // a finite count: the re-acquire loop ends
}

} // namespace

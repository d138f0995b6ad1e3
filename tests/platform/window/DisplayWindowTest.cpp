// The window stand-in on a real SDL window (offscreen driver).

#include "platform/input/DirectInput.h"
#include "platform/window/SdlWindow.h"
#include "platform/window/VirtualKeys.h"
#include "tests/platform/window/WindowFixture.h"

using namespace Platform;
using namespace WindowTesting;

namespace {

class DisplayWindow : public WindowFixture {};

TEST_F(DisplayWindow, OpensWindowedAndFullScreenAndSwitchesBetweenThem)
{
    ASSERT_NE(Create(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), nullptr);
    ASSERT_NE(GetSdlWindow(window), nullptr);
    EXPECT_FALSE(IsWindowFullscreen(window));
    int width = 0, height = 0;
    GetDrawableSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP));
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 800, 600, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    EXPECT_TRUE(IsWindowFullscreen(window));
    GetClientSize(window, &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    RECT desktop{};
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
    GetDrawableSize(window, &width, &height);
    EXPECT_EQ(width, desktop.right); // the popup covers the desktop
    EXPECT_EQ(height, desktop.bottom);

    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_CAPTION | WS_SYSMENU));
    SetWindowPos(window, HWND_NOTOPMOST, 30, 40, 640, 480, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    EXPECT_FALSE(IsWindowFullscreen(window));
    GetDrawableSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

TEST_F(DisplayWindow, FullScreenCreationCoversTheDesktop)
{
    ASSERT_NE(Create(WS_POPUP, 800, 600), nullptr);
    EXPECT_TRUE(IsWindowFullscreen(window));
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
}

TEST_F(DisplayWindow, InjectedEventsBecomeMessagesAndKeyState)
{
    ASSERT_NE(Create(WS_CAPTION), nullptr);
    Platform::Test::InjectKey(DIK_A, true);
    Platform::Test::InjectText("a\xD0\xB9"); // "a" and Cyrillic short i
    Platform::Test::InjectKey(DIK_A, true, true);
    Platform::Test::InjectMouseButton(1, true);
    Pump();
    const auto keys = Only(WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(keys[1].lParam & (LPARAM{1} << 30), LPARAM{1} << 30); // the repeat
    const auto chars = Only(WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, WPARAM{'a'});
    EXPECT_EQ(chars[1].wParam, WPARAM{0x0439});
    EXPECT_NE(GetAsyncKeyState('A') & 0x8000, 0);
    EXPECT_NE(GetAsyncKeyState(VK_RBUTTON) & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);

    Platform::Test::InjectFocus(false); // everything reads up after the focus is lost
    Pump();
    EXPECT_EQ(GetAsyncKeyState('A') & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON) & 0x8000, 0);
}

TEST_F(DisplayWindow, CloseRequestsArriveAsCloseMessages)
{
    ASSERT_NE(Create(WS_CAPTION), nullptr);
    Platform::Test::InjectClose();
    Platform::Test::InjectKey(DIK_F4, true, false, true); // Alt+F4
    Pump();
    EXPECT_EQ(Only(WM_CLOSE).size(), 2u);
    EXPECT_TRUE(IsWindow(window)); // the procedure refused to be destroyed
}

TEST_F(DisplayWindow, CursorMapsBackToModePixelsInFullScreen)
{
    ASSERT_NE(Create(WS_POPUP, 800, 600), nullptr);
    int width = 0, height = 0;
    GetDrawableSize(window, &width, &height);
    const LetterboxRectangle box = LetterboxRect(width, height, 800, 600);
    Platform::Test::InjectMouseMotion(box.x + box.width / 2, box.y + box.height / 2, 1, 1);
    Pump();
    POINT point{};
    ASSERT_TRUE(GetCursorPos(&point));
    ASSERT_TRUE(ScreenToClient(window, &point));
    EXPECT_NEAR(point.x, 400, 1);
    EXPECT_NEAR(point.y, 300, 1);
    EXPECT_FALSE(Only(WM_SETCURSOR).empty());
}

TEST_F(DisplayWindow, MinimiseAndRestore)
{
    ASSERT_NE(Create(WS_CAPTION), nullptr);
    ShowWindow(window, SW_SHOW);
    Platform::Test::InjectMinimised(true);
    Pump();
    EXPECT_TRUE(IsWindowMinimised(window));
    Platform::Test::InjectMinimised(false);
    Pump();
    EXPECT_FALSE(IsWindowMinimised(window));
    const auto commands = Only(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_RESTORE);
}

} // namespace

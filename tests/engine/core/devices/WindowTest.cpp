// The main window on the headless window stand-in: creation, messages, modes, focus, gamma.

#include "engine/core/Error.h"
#include "platform/os/CodePage.h"
#include "platform/window/SdlWindow.h"
#include "platform/window/VirtualKeys.h"
#include "tests/engine/core/devices/DeviceFixture.h"

#include <cmath>

using namespace Platform;
using namespace VantoranEngine;
using DeviceTesting::DeviceFixture;

namespace {

class MainWindow : public DeviceFixture {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        DeviceFixture::SetUp();
    }

    // A host window for the embedded mode, of a class of its own.
    HWND MakeHost()
    {
        WNDCLASSA hostClass{};
        hostClass.lpfnWndProc = DefWindowProcA;
        hostClass.lpszClassName = "host";
        RegisterClassA(&hostClass);
        return CreateWindowExA(0, "host", "host", WS_CAPTION, 50, 60, 1024, 700, nullptr, nullptr, nullptr, nullptr);
    }

    void TearDown() override
    {
        DeviceFixture::TearDown();
        UnregisterClassA("host", nullptr);
    }
};

TEST_F(MainWindow, LogsCreationAndDestructionInOrder)
{
    OpenWindow(false);
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{" ", "Window creation:", "...Registering the window class...",
                                                        "...Creating a device context..."}));
    window.reset();
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{"\nWindow destroying:", "...Releasing device context...",
                                                        "...Releasing window...", "...Unregistering class..."}));
}

TEST_F(MainWindow, WindowedIsCentredAndFullScreenIsAPopupAtTheOrigin)
{
    Window& w = OpenWindow(false);
    RECT desktop{}, rect{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(w.hwnd, &rect);
    EXPECT_EQ(rect.left, (desktop.right - 800) / 2);
    EXPECT_EQ(rect.top, (desktop.bottom - 600) / 2);
    EXPECT_FALSE(IsWindowFullscreen(w.hwnd));
    EXPECT_TRUE(w.HasFocus());

    window.reset();
    Window& f = OpenWindow(true);
    GetWindowRect(f.hwnd, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 800);
    EXPECT_TRUE(IsWindowFullscreen(f.hwnd));
}

TEST_F(MainWindow, CreationFailuresAreFatalWithTheirTexts)
{
    const struct {
        Platform::Test::WindowCall call;
        const char* text;
    } cases[] = {
        {Platform::Test::WindowCall::RegisterClass, "PROGRAM ABORTING: Failed to register the window class"},
        {Platform::Test::WindowCall::CreateWindow, "PROGRAM ABORTING: Failed to create window"},
        {Platform::Test::WindowCall::GetDC, "PROGRAM ABORTING: Failed to create a device context"},
    };
    for (const auto& c : cases) {
        Platform::Test::FailWindowCall(c.call);
        EXPECT_THROW(OpenWindow(false), FatalError);
        EXPECT_EQ(NewLogLines().back(), c.text);
    }
    EXPECT_NO_THROW(OpenWindow(false)); // nothing of the failed attempts stays in the way
}

TEST_F(MainWindow, HandleMessageTable)
{
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool embedded;
        bool exits;
        LRESULT result;
    };
    const Case cases[] = {
        {"close", WM_CLOSE, 0, false, true, 0},
        {"quit", WM_QUIT, 0, false, true, 0},
        {"set cursor", WM_SETCURSOR, 0, false, false, 1},
        {"system key up", WM_SYSKEYUP, VK_MENU, false, false, 0},
        {"close command", WM_SYSCOMMAND, SC_CLOSE, false, true, 0},
        {"close command with low bits", WM_SYSCOMMAND, SC_CLOSE + 2, false, false, 0},
        {"maximise", WM_SYSCOMMAND, SC_MAXIMIZE, false, false, 0},
        {"screen saver", WM_SYSCOMMAND, SC_SCREENSAVE, false, false, 0},
        {"monitor power", WM_SYSCOMMAND, SC_MONITORPOWER, false, false, 0},
        {"minimise embedded", WM_SYSCOMMAND, SC_MINIMIZE, true, false, 0},
    };
    const HWND host = MakeHost();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewConfig();
        Window& w = OpenWindow(false, c.embedded ? host : nullptr);
        EXPECT_EQ(w.HandleMessage(c.message, c.wParam, w.hwnd, 0), c.result);
        EXPECT_EQ(ExitFired(), c.exits);
        EXPECT_FALSE(IsIconic(w.hwnd));
        window.reset();
    }
    DestroyWindow(host);
}

TEST_F(MainWindow, MinimiseGoesToDefaultProcessingOnlyWhenTopLevel)
{
    Window& w = OpenWindow(false);
    w.HandleMessage(WM_SYSCOMMAND, SC_MINIMIZE, w.hwnd, 0);
    EXPECT_TRUE(IsIconic(w.hwnd));
}

TEST_F(MainWindow, KeyRecordKeepsTheLastQualifyingEvent)
{
    Window& w = OpenWindow(false);
    w.HandleMessage(WM_KEYDOWN, 'A', w.hwnd, 0);
    EXPECT_TRUE(w.keyEventPending);
    EXPECT_FALSE(w.keyEventIsChar);
    EXPECT_EQ(w.keyEventCode, 'A');
    w.HandleMessage(WM_CHAR, u'\u0439', w.hwnd, 0);
    EXPECT_TRUE(w.keyEventIsChar);
    EXPECT_EQ(w.keyEventCode, 0x0439);
    for (WPARAM control : {8, 9, 13, 27}) {
        w.HandleMessage(WM_CHAR, control, w.hwnd, 0);
        EXPECT_TRUE(w.keyEventIsChar);
        EXPECT_EQ(w.keyEventCode, 0x0439);
    }
    w.HandleMessage(WM_SYSKEYDOWN, 0x10000 | VK_F10, w.hwnd, 0); // only the low 16 bits are the key
    EXPECT_FALSE(w.keyEventIsChar);
    EXPECT_EQ(w.keyEventCode, VK_F10);
}

TEST_F(MainWindow, ClampGammaSettingsTable)
{
    const struct {
        float in;
        float out;
    } cases[] = {{3.5f, 2.0f}, {-1.0f, 0.0f}, {NAN, 2.0f}, {1.25f, 1.25f}, {INFINITY, 2.0f}, {-INFINITY, 0.0f}};
    Window& w = OpenWindow(false);
    for (const auto& c : cases) {
        config->settings.v_brightness = c.in;
        config->settings.v_contrast = c.in;
        config->settings.v_gamma = c.in;
        w.ClampGammaSettings();
        EXPECT_EQ(config->settings.v_brightness, c.out) << c.in;
        EXPECT_EQ(config->settings.v_contrast, c.out) << c.in;
        EXPECT_EQ(config->settings.v_gamma, c.out) << c.in;
    }
}

TEST_F(MainWindow, RestoringAFullScreenWindowClampsGamma)
{
    Window& w = OpenWindow(true);
    config->settings.v_fullscreen = true;
    config->settings.v_gamma = 3.5f;
    config->settings.v_brightness = -0.5f;
    w.HandleMessage(WM_SYSCOMMAND, SC_RESTORE, w.hwnd, 0);
    EXPECT_EQ(config->settings.v_gamma, 2.0f);
    EXPECT_EQ(config->settings.v_brightness, 0.0f);
}

TEST_F(MainWindow, TranslateCharUsesTheCurrentCodePage)
{
    EXPECT_EQ(Window::TranslateChar('a'), u'a');
    SetCodePage(CodePage::Windows1251);
    EXPECT_EQ(Window::TranslateChar(0xE9), u'\u0439');
    SetCodePage(CodePage::C);
    EXPECT_EQ(Window::TranslateChar(0xE9), u'\u00E9');
}

TEST_F(MainWindow, SetModeSwitchesTopLevelWindowsOnly)
{
    Window& w = OpenWindow(false);
    w.SetMode(1024, 768, true, 1920, 1080);
    EXPECT_TRUE(w.fullscreen);
    EXPECT_TRUE(IsWindowFullscreen(w.hwnd));
    int width = 0, height = 0;
    GetClientSize(w.hwnd, &width, &height);
    EXPECT_EQ(width, 1024);
    w.SetMode(640, 480, false, 1920, 1080);
    EXPECT_FALSE(IsWindowFullscreen(w.hwnd));
    RECT rect{};
    GetWindowRect(w.hwnd, &rect);
    EXPECT_EQ(rect.left, 640);
    EXPECT_EQ(rect.top, 300);

    window.reset();
    const HWND host = MakeHost();
    Window& embedded = OpenWindow(false, host);
    EXPECT_EQ(embedded.width, 1024u); // the host's outer size
    embedded.SetMode(640, 480, true, 1920, 1080);
    EXPECT_EQ(embedded.width, 1024u);
    EXPECT_FALSE(embedded.fullscreen);
    window.reset();
    DestroyWindow(host);
}

TEST_F(MainWindow, EmbeddedWindowFocusAndHostLoss)
{
    const HWND host = MakeHost();
    Window& w = OpenWindow(false, host);
    EXPECT_EQ(w.parentAncestors, std::vector<HWND>{host});
    SetFocus(host);
    EXPECT_TRUE(w.HasFocus());
    w.Update();
    EXPECT_FALSE(ExitFired());
    DestroyWindow(host); // takes the embedded window with it
    w.Update();
    EXPECT_TRUE(ExitFired());
}

TEST_F(MainWindow, CloseAndAltF4ThroughTheMessageLoopFireExit)
{
    OpenWindow(false);
    Platform::Test::InjectKey(0x3E /* F4 */, true, false, true);
    DeviceTesting::PumpMessages();
    EXPECT_TRUE(ExitFired());
}

} // namespace

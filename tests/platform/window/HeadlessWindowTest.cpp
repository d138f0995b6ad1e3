// The window stand-in without a display: records, messages, focus, the cursor counter, the letterbox.

#include "platform/input/DirectInput.h"
#include "platform/window/SdlWindow.h"
#include "platform/window/VirtualKeys.h"
#include "tests/platform/window/WindowFixture.h"

#include <filesystem>
#include <fstream>

using namespace Platform;
using namespace WindowTesting;

namespace {

class HeadlessWindow : public WindowFixture {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        WindowFixture::SetUp();
    }
};

TEST(Letterbox, ScalesUniformlyAndCentres)
{
    struct Case {
        int ww, wh, mw, mh;
        LetterboxRectangle expected;
    };
    const Case cases[] = {
        {800, 600, 800, 600, {0, 0, 800, 600}},       // same size
        {1920, 1080, 800, 600, {240, 0, 1440, 1080}}, // bars left and right
        {1024, 1024, 800, 600, {0, 128, 1024, 768}},  // bars above and below
        {1280, 1024, 640, 480, {0, 32, 1280, 960}},
        {0, 600, 800, 600, {0, 0, 0, 600}}, // degenerate: the whole window
    };
    for (const Case& c : cases) {
        const LetterboxRectangle r = LetterboxRect(c.ww, c.wh, c.mw, c.mh);
        EXPECT_EQ(r.x, c.expected.x) << c.ww << "x" << c.wh;
        EXPECT_EQ(r.y, c.expected.y) << c.ww << "x" << c.wh;
        EXPECT_EQ(r.width, c.expected.width) << c.ww << "x" << c.wh;
        EXPECT_EQ(r.height, c.expected.height) << c.ww << "x" << c.wh;
    }
}

TEST_F(HeadlessWindow, ClassNamesAreUnique)
{
    WNDCLASSA again{};
    again.lpfnWndProc = RecordingProc;
    again.lpszClassName = "test class";
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_EQ(CreateWindowExA(0, "no such class", "", WS_CAPTION, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(HeadlessWindow, RecordsLiveUntilDestroyedWithTheirChildren)
{
    ASSERT_NE(Create(WS_CAPTION), nullptr);
    EXPECT_EQ(GetSdlWindow(window), nullptr);
    HWND child = CreateWindowExA(0, "test class", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), window);
    EXPECT_FALSE(UnregisterClassA("test class", nullptr)); // windows of the class still live
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), window);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(window));
    window = nullptr;
}

TEST_F(HeadlessWindow, FocusFollowsSetFocusOrTheSwitch)
{
    ASSERT_NE(Create(WS_CAPTION), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    SetFocus(window);
    EXPECT_TRUE(IsWindowFocused(window));
    Platform::Test::InjectFocus(false);
    EXPECT_EQ(GetFocus(), nullptr);
    Platform::Test::SetForceFocus(true);
    EXPECT_EQ(GetFocus(), window);
    Platform::Test::SetForceFocus(false);
}

TEST_F(HeadlessWindow, PostedSystemCommandsReachTheProcedureAndDefaultHandling)
{
    ASSERT_NE(Create(WS_CAPTION), nullptr);
    ASSERT_TRUE(PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    Pump();
    EXPECT_TRUE(IsIconic(window));
    ASSERT_TRUE(PostMessageA(window, WM_SETFOCUS, 0, 0));
    Pump();
    EXPECT_FALSE(IsIconic(window));
    ASSERT_TRUE(PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE + 2, 0)); // default masks the low bits
    Pump();
    EXPECT_EQ(Only(WM_CLOSE).size(), 1u);
}

TEST_F(HeadlessWindow, ControlKeysTranslateToCharactersBeforeLaterText)
{
    ASSERT_NE(Create(WS_CAPTION), nullptr);
    Platform::Test::InjectKey(DIK_RETURN, true);
    Platform::Test::InjectText("x");
    Platform::Test::InjectKey(DIK_LMENU, true);
    Platform::Test::InjectKey(DIK_LMENU, false);
    Pump();
    ASSERT_GE(received.size(), 5u);
    EXPECT_EQ(received[0].message, WM_KEYDOWN);
    EXPECT_EQ(received[0].wParam, WPARAM{VK_RETURN});
    EXPECT_EQ(received[1].message, WM_CHAR);
    EXPECT_EQ(received[1].wParam, WPARAM{13});
    EXPECT_EQ(received[2].message, WM_CHAR);
    EXPECT_EQ(received[2].wParam, WPARAM{'x'});
    EXPECT_EQ(received[3].message, WM_SYSKEYDOWN);
    EXPECT_EQ(received[3].wParam, WPARAM{VK_MENU});
    EXPECT_EQ(received[4].message, WM_SYSKEYUP);
}

TEST_F(HeadlessWindow, ShowCursorCountsAndCursorsComeFromResources)
{
    Platform::Test::SetShowCursorCount(0);
    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_EQ(ShowCursor(true), 0);
    EXPECT_EQ(ShowCursor(true), 1);
    Platform::Test::SetShowCursorCount(0);

    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    const HINSTANCE program = GetModuleHandleA(nullptr);
    EXPECT_EQ(LoadCursorA(program, MAKEINTRESOURCEA(1000)), arrow); // no image: the arrow

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "brindle_cursor_test";
    std::filesystem::create_directories(folder);
    { std::ofstream(folder / "cursor1000.bmp") << "not really an image"; }
    Platform::Test::SetResourceFolder(folder.string());
    const HCURSOR custom = LoadCursorA(program, MAKEINTRESOURCEA(1000));
    EXPECT_NE(custom, arrow);
    EXPECT_EQ(LoadCursorA(program, MAKEINTRESOURCEA(1000)), custom);
    EXPECT_EQ(SetCursor(custom), nullptr);
    EXPECT_EQ(SetCursor(arrow), custom);
    Platform::Test::SetResourceFolder("");
    std::filesystem::remove_all(folder);
}

} // namespace

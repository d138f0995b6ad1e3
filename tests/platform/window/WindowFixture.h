#pragma once
// A registered class and a message log shared by the window stand-in's tests.

#include "platform/window/WindowApi.h"
#include "platform/window/WindowTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace WindowTesting {

struct Received {
    Platform::UINT message;
    Platform::WPARAM wParam;
    Platform::LPARAM lParam;
};

inline std::vector<Received> received;

inline Platform::LRESULT RecordingProc(Platform::HWND window, Platform::UINT message, Platform::WPARAM wParam,
                                       Platform::LPARAM lParam)
{
    received.push_back({message, wParam, lParam});
    if (message == Platform::WM_CLOSE)
        return 0;
    return Platform::DefWindowProcA(window, message, wParam, lParam);
}

// Runs the loop the game runs until the queue is empty.
inline void Pump()
{
    Platform::MSG message;
    while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
        Platform::TranslateMessage(&message);
        Platform::DispatchMessageA(&message);
    }
}

inline std::vector<Received> Only(Platform::UINT message)
{
    std::vector<Received> result;
    for (const Received& r : received)
        if (r.message == message)
            result.push_back(r);
    return result;
}

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = Platform::GetModuleHandleA(nullptr);
        windowClass.hCursor = Platform::LoadCursorA(nullptr, Platform::IDC_ARROW);
        windowClass.lpszClassName = "test class";
        ASSERT_NE(Platform::RegisterClassA(&windowClass), 0);
        received.clear();
    }

    void TearDown() override
    {
        if (window)
            Platform::DestroyWindow(window);
        Platform::UnregisterClassA("test class", Platform::GetModuleHandleA(nullptr));
        Platform::Test::ResetInput();
    }

    Platform::HWND Create(Platform::DWORD style, int width = 640, int height = 480)
    {
        window = Platform::CreateWindowExA(0, "test class", "test", style, 10, 20, width, height, nullptr, nullptr,
                                           Platform::GetModuleHandleA(nullptr), nullptr);
        return window;
    }

    Platform::HWND window = nullptr;
};

} // namespace WindowTesting

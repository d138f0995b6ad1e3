#pragma once
// The services the window and the input are built on, made the way the engine makes them.

#include "engine/core/Config.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Window.h"
#include "engine/core/files/FileManager.h"
#include "platform/window/WindowTest.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace DeviceTesting {

class DeviceFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        log = std::make_unique<VantoranEngine::MessageManager>("", "devices", "Devices", false, false);
        memory = std::make_unique<VantoranEngine::MemoryManager>(log.get());
        files = std::make_unique<VantoranEngine::FileManager>(log.get(), memory.get(), folder.Path(), "");
        timers = std::make_unique<VantoranEngine::TimerManager>();
        NewConfig();
        log->ClearEntries();
    }

    // A fresh configuration: every variable at its default, no command fired.
    void NewConfig()
    {
        config.reset();
        config = std::make_unique<VantoranEngine::Config>(log.get(), memory.get(), files.get(), "Devices",
                                                          folder.Path(), "800x600x32", false, false, false);
    }

    void TearDown() override
    {
        window.reset();
        config.reset();
        Platform::Test::ClearWindowFaults();
        Platform::Test::ResetInput();
        Platform::Test::SetForceFocus(false);
    }

    VantoranEngine::Window& OpenWindow(bool fullscreen, Platform::HWND parent = nullptr)
    {
        window = std::make_unique<VantoranEngine::Window>(*config, *log, "Brindlemoor 1.00", parent, 0, 800, 600,
                                                          fullscreen);
        return *window;
    }

    bool ExitFired() const { return !config->IsCommandReady("exit"); }

    // The texts logged since the last call, without their line ends.
    std::vector<std::string> NewLogLines()
    {
        std::vector<std::string> lines;
        for (const VantoranEngine::LogEntry& entry : log->TakeEntries()) {
            std::string text = entry.text;
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
            lines.push_back(text);
        }
        return lines;
    }

    TempFolder folder;
    std::unique_ptr<VantoranEngine::MessageManager> log;
    std::unique_ptr<VantoranEngine::MemoryManager> memory;
    std::unique_ptr<VantoranEngine::FileManager> files;
    std::unique_ptr<VantoranEngine::TimerManager> timers;
    std::unique_ptr<VantoranEngine::Config> config;
    std::unique_ptr<VantoranEngine::Window> window;
};

// The game's message loop until nothing is waiting.
inline void PumpMessages()
{
    Platform::MSG message;
    while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
        Platform::TranslateMessage(&message);
        Platform::DispatchMessageA(&message);
    }
}

} // namespace DeviceTesting

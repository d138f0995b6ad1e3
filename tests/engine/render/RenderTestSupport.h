#pragma once
// A render system over the Direct3D 7 stand-in with the services it needs: a log kept in memory, the
// memory pool, a configuration without a file, and a window.

#include "engine/core/Config.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Window.h"
#include "engine/render/RenderSystem_D3D7.h"

#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

// A pixel of a presented frame (bottom row first, BGRA), x and y from the window's top-left corner.
struct Rgb {
    int r, g, b;
};

inline Rgb FramePixel(const std::vector<std::uint8_t>& frame, int width, int height, int x, int y) {
    const size_t i = (static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
    return {frame[i + 2], frame[i + 1], frame[i]};
}

inline void ExpectRgb(Rgb actual, Rgb expected, int tolerance = 2) {
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
}

class RenderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::Recording);
        config = std::make_unique<Config>(&log, &memory, nullptr, "", "", "800x600x32", false, false, false);
    }

    void TearDown() override {
        render.reset();
        window.reset();
        EXPECT_EQ(Platform::D3D7Test::LiveSurfaces(), 0);
        EXPECT_EQ(Platform::D3D7Test::LiveDirectDrawObjects(), 0);
    }

    // The window as the engine makes it: the video mode's size and the current v_fullscreen.
    void MakeWindow() {
        std::uint32_t width = 0, height = 0;
        Config::ParseVideoMode(config->settings.v_mode, &width, &height, nullptr);
        window = std::make_unique<Window>(*config, log, "Brindlemoor", nullptr, 0, width, height,
                                          config->settings.v_fullscreen);
    }

    // Builds the render system with the current environment and configuration.
    void Start() {
        if (!window) MakeWindow();
        render = std::make_unique<RenderSystem_D3D7>(&log, &memory, config.get(), window.get());
    }

    void Set(const char* name, const std::string& value) { config->SetValueText(name, value); }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const LogEntry& entry : log.GetEntries()) lines.push_back(entry.text);
        return lines;
    }

    // The index of the first log line equal to text at or after from, or -1.
    int Find(const std::string& text, int from = 0) const {
        const auto lines = Lines();
        for (int i = from; i < static_cast<int>(lines.size()); ++i)
            if (lines[i] == text) return i;
        return -1;
    }

    int CountErrors() const {
        int count = 0;
        for (const LogEntry& entry : log.GetEntries()) count += entry.kind == LogEntry::Error;
        return count;
    }

    MessageManager log{"", "", "Brindlemoor", false, false};
    MemoryManager memory{&log};
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> render;
};

} // namespace VantoranEngine

#pragma once
// Widgets over the real core services, a headless main window (for the key record), a font manager with
// font 1 loaded from a generated file (every glyph one unit wide at size 1) and a text table.

#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "tools/formats/FontWriter.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

class GUIWidgetFixture : public DeviceTesting::DeviceFixture {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        DeviceFixture::SetUp();
        OpenWindow(false);
        controls = std::make_unique<VantoranEngine::Controls>(*log, *timers, *config, *window);

        std::vector<Formats::FontGlyph> glyphs;
        auto add = [&glyphs](char16_t code) { glyphs.push_back({code, 0.0f, 0.0f, 0.01f, 0.01f, 1.0f}); };
        for (char16_t c = u'0'; c <= u'9'; ++c)
            add(c);
        for (char16_t c = u'a'; c <= u'z'; ++c)
            add(c);
        add(u'_');
        const std::vector<uint8_t> bytes = Formats::EncodeFont(glyphs);
        std::filesystem::create_directories(folder / "data/fonts");
        std::ofstream(folder / "data/fonts/test.fnt", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

        fonts = std::make_unique<VantoranEngine::GUIFontManager>(log.get(), memory.get(), files.get());
        fonts->LoadFont(1, VantoranEngine::ShaderDescriptor{}, "fonts\\test.fnt");
        texts = std::make_unique<VantoranEngine::GUITextManager>(log.get(), memory.get(), files.get());

        services.log = log.get();
        services.memoryManager = memory.get();
        services.fontManager = fonts.get();
        services.textManager = texts.get();
        services.timerManager = timers.get();
        services.controls = controls.get();
        services.window = window.get();
        log->ClearEntries();
    }

    void TearDown() override
    {
        texts.reset();
        fonts.reset();
        controls.reset();
        DeviceFixture::TearDown();
    }

    // Glyph quads written this frame by every font instance.
    uint32_t GlyphsDrawn() const
    {
        uint32_t count = 0;
        for (const auto& instance : fonts->GetInstances())
            count += instance->glyphCount;
        return count;
    }

    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const auto& entry : log->GetEntries())
            if (entry.kind == VantoranEngine::LogEntry::Error)
                errors.push_back(entry.text);
        return errors;
    }

    std::unique_ptr<VantoranEngine::Controls> controls;
    std::unique_ptr<VantoranEngine::GUIFontManager> fonts;
    std::unique_ptr<VantoranEngine::GUITextManager> texts;
    VantoranEngine::GUIServices services;
};

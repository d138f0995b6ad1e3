// The engine builds the console on request, updates it after the GUI while the frame's log entries are
// still there, and destroys it first.

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Console.h"
#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "tools/formats/FontWriter.h"
#include "tools/formats/ImageWriters.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace VantoranEngine;

namespace {

EngineDescriptor Descriptor(const TempFolder& folder)
{
    EngineDescriptor d = TestEngineDescriptor(folder.Path(), folder.Path());
    d.logEnabled = false;
    return d;
}

bool Printed(const Console& console, const std::u16string& text)
{
    for (const ConsoleLine& line : console.GetLines())
        if (line.text == text)
            return true;
    return false;
}

} // namespace

TEST(EngineConsole, CollectsTheFramesLogAndExecutesLines)
{
    TempFolder folder;
    const std::vector<uint8_t> font = Formats::EncodeFont({{u'a', 0.0f, 0.0f, 0.1f, 0.1f, 0.6f}});
    std::filesystem::create_directories(folder / "data/fonts");
    std::ofstream(folder / "data/fonts/console.fnt", std::ios::binary)
        .write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(font.size()));

    Engine engine(Descriptor(folder));
    engine.guiManager->GetCamera()->orthoWidth = 800.0f;
    engine.guiManager->GetCamera()->orthoHeight = 600.0f;
    engine.guiManager->GetFontManager()->LoadFont(3, ShaderDescriptor{}, "fonts\\console.fnt");
    engine.CreateConsole(engine.GetCaption(), ShaderDescriptor{}, 3, "~", 0.95f, 308.0f, 1000.0f);
    ASSERT_NE(engine.console, nullptr);
    EXPECT_EQ(engine.console->GetState(), ConsoleClosed);
    EXPECT_EQ(engine.console->titleLine.substr(0, 16), u"Brindlemoor 1.00");

    engine.messageManager->LogMessage("from the game");
    engine.Update();
    EXPECT_TRUE(Printed(*engine.console, u"from the game\n"));
    EXPECT_TRUE(engine.messageManager->GetEntries().empty());   // cleared after the console took them
    engine.EndFrame();

    engine.console->GetInput()->SetText(u"sc_take_screenshot_format 1");
    engine.console->HandleKey(Console::keyEnter);
    EXPECT_EQ(engine.config->settings.sc_take_screenshot_format, 1);

    // A console made with a font id that has no font logs it and keeps working.
    engine.CreateConsole(engine.GetCaption(), ShaderDescriptor{}, 9, "~", 0.95f, 308.0f, 1000.0f);
    engine.Update();
    EXPECT_TRUE(Printed(*engine.console, u"Error: Console font 9 is missing!\n"));
    engine.EndFrame();
}

// The open console shows its background picture, tinted by its opacity, over the top 308 units of the
// screen, and nothing of it below; the closed console shows nothing.
TEST(EngineConsole, DrawsItsBackgroundPictureWhenOpen)
{
    Platform::Test::SetHeadlessWindows(false);
    Platform::Test::SetForceFocus(true);
    Platform::D3D7Test::Reset();
    TempFolder folder;
    std::filesystem::create_directories(folder / "data/ui/console");
    ASSERT_TRUE(Formats::WriteJpegPair(folder / "data/ui/console/console.jpg",
                                       Formats::MakePicture(16, 16, 3, {40, 160, 200})));
    {
        Engine engine(Descriptor(folder));
        engine.guiManager->GetCamera()->orthoWidth = 800.0f;
        engine.guiManager->GetCamera()->orthoHeight = 600.0f;
        ShaderDescriptor background;
        BuildSimpleGUIShaderDescriptor(background, "ui\\console\\console.jpg", "32bit");
        // No font: the console draws no text, so only its window shows.
        engine.CreateConsole(engine.GetCaption(), background, 9, "~", 1.0f, 308.0f, 100000.0f);
        auto frame = [&engine] {
            DeviceTesting::PumpMessages();
            engine.Update();
            engine.EndFrame();
        };
        auto shoot = [&](const std::string& name) {
            engine.config->SetCommandReady("sc_take_screenshot", false);
            frame();
            Image shot;
            EXPECT_TRUE(shot.Load(engine.messageManager.get(), engine.memoryManager.get(),
                                  engine.fileManager.get(), folder / ("ScreenCaptures/" + name)));
            return shot;
        };
        auto isBackground = [](const Image& shot, uint32_t x, uint32_t y) {
            const uint8_t* p = shot.Pixel(x, y);   // bottom row first, as GUI y
            return std::abs(p[0] - 40) < 12 && std::abs(p[1] - 160) < 12 && std::abs(p[2] - 200) < 12;
        };

        frame();
        const Image closed = shoot("picture000.tga");
        ASSERT_EQ(closed.width, 800u);
        EXPECT_FALSE(isBackground(closed, 400, 500));

        engine.console->Open();
        for (int i = 0; i < 100 && engine.console->GetState() != ConsoleOpen; ++i)
            frame();
        ASSERT_EQ(engine.console->GetState(), ConsoleOpen);
        const Image open = shoot("picture001.tga");
        ASSERT_EQ(open.width, 800u);
        for (uint32_t y : {300u, 450u, 590u})
            for (uint32_t x : {10u, 400u, 790u})
                EXPECT_TRUE(isBackground(open, x, y)) << x << ", " << y;
        EXPECT_FALSE(isBackground(open, 400, 280));   // below H - size
    }
    Platform::Test::SetForceFocus(false);
}

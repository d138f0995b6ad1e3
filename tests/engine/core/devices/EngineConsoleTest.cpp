// The engine builds the console on request, updates it after the GUI while the frame's log entries are
// still there, and destroys it first.

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Console.h"
#include "engine/render/Camera.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "tools/formats/FontWriter.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

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

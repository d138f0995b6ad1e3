#include "engine/core/devices/Console.h"

#include "engine/core/Config.h"
#include "engine/core/StringUtils.h"
#include "engine/core/devices/Controls_DI7.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "tools/formats/FontWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace VantoranEngine;

namespace {

struct Printed {
    std::u16string text;
    char colour;   // 'w'hite, 'g'rey, 'r'ed, g'G'reen, 'b'lue
};

char ColourName(const Color& c)
{
    if (c.r == 1.0f && c.g == 1.0f && c.b == 1.0f)
        return 'w';
    if (c.r == 0.5f)
        return 'g';
    if (c.r == 1.0f)
        return 'r';
    if (c.g == 1.0f)
        return 'G';
    return 'b';
}

// The console over the engine's services: a headless window, a recording render device, the GUI manager
// with an 800 × 600 camera and font 1, whose characters are all 10 units wide (80 to a row).
class ConsoleTest : public DeviceTesting::DeviceFixture {
protected:
    void SetUp() override
    {
        Platform::Test::SetHeadlessWindows(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::Recording);
        DeviceFixture::SetUp();
        OpenWindow(false);
        render = std::make_unique<RenderSystem_D3D7>(log.get(), memory.get(), config.get(), window.get());
        cameras = std::make_unique<CameraManager>(log.get(), memory.get(), window.get(), render.get());
        controls = std::make_unique<Controls_DI7>(*log, *window, *config, *timers);
        gui = std::make_unique<GUIManager>(log.get(), memory.get(), files.get(), window.get(), timers.get(),
                                           cameras.get(), nullptr, nullptr, controls.get(), nullptr, config.get());
        gui->GetCamera()->orthoWidth = 800.0f;
        gui->GetCamera()->orthoHeight = 600.0f;

        std::vector<Formats::FontGlyph> glyphs;
        for (char16_t c = u'a'; c <= u'z'; ++c)
            glyphs.push_back({c, 0.0f, 0.0f, 0.01f, 0.01f, 1.0f});
        const std::vector<uint8_t> bytes = Formats::EncodeFont(glyphs);
        std::filesystem::create_directories(folder / "data/fonts");
        std::ofstream(folder / "data/fonts/test.fnt", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        gui->GetFontManager()->LoadFont(1, ShaderDescriptor{}, "fonts\\test.fnt");
        gui->GetFontManager()->GetFont(1)->size = 10.0f;   // missing glyphs take one size as well
        log->ClearEntries();
    }
    void TearDown() override
    {
        console.reset();
        gui.reset();
        controls.reset();
        cameras.reset();
        render.reset();
        DeviceFixture::TearDown();
    }

    Console& Make(int32_t fontId = 1)
    {
        console = std::make_unique<Console>(log.get(), timers.get(), config.get(), controls.get(), gui.get(),
                                            "Brindlemoor 1.00", ShaderDescriptor{}, fontId, "~", 0.95f, 308.0f,
                                            1000.0f);
        return *console;
    }

    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const auto& entry : log->GetEntries())
            if (entry.kind == LogEntry::Error)
                errors.push_back(entry.text);
        return errors;
    }

    std::unique_ptr<RenderSystem_D3D7> render;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<Controls_DI7> controls;
    std::unique_ptr<GUIManager> gui;

    // Lines printed since the last call.
    std::vector<Printed> NewLines()
    {
        std::vector<Printed> out;
        const auto& lines = console->GetLines();
        for (size_t i = seen; i < lines.size(); ++i)
            out.push_back({lines[i].text, ColourName(lines[i].colour)});
        seen = lines.size();
        return out;
    }

    void Type(const std::u16string& text, uint16_t key)
    {
        console->GetInput()->SetText(text);
        console->HandleKey(key);
    }

    std::unique_ptr<Console> console;
    size_t seen = 0;
};

bool operator==(const Printed& a, const Printed& b) { return a.text == b.text && a.colour == b.colour; }
void PrintTo(const Printed& p, std::ostream* out) { *out << p.colour << ":" << WideToMultiByte(p.text); }

} // namespace

TEST_F(ConsoleTest, EnterExecutesThroughConfig)
{
    struct Case {
        std::u16string input;
        std::vector<Printed> printed;
        std::u16string inputAfter;
        size_t historyLength;
    };
    const Case cases[] = {
        {u"say hello", {{u"]\\say hello\n", 'b'}, {u"Console: \"", 'w'}, {u"hello", 'G'}, {u"\"\n", 'w'}}, u"", 1},
        {u"say", {{u"]\\say\n", 'b'}}, u"", 2},
        {u"v_gamma", {{u"]\\v_gamma\n", 'b'}, {u"\"v_gamma\" is \"1.000000\", default is \"1.0\"\n", 'w'}}, u"", 3},
        {u"\\foo", {{u"]\\foo\n", 'b'}, {u"Unknown command \"foo\"\n", 'w'}}, u"", 4},
        {u"   ", {}, u"", 4},            // an empty line: cleared, not remembered
        {u"\\", {}, u"\\", 4},           // a lone backslash: nothing at all
    };
    Make();
    NewLines();
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToMultiByte(c.input));
        Type(c.input, Console::keyEnter);
        EXPECT_EQ(NewLines(), c.printed);
        EXPECT_EQ(console->GetInput()->text, c.inputAfter);
        EXPECT_EQ(console->GetHistory().size(), c.historyLength);
        EXPECT_EQ(console->historyIndex, int32_t(c.historyLength));
    }
}

TEST_F(ConsoleTest, TabCompletesAgainstTheRegisteredNames)
{
    Make();
    NewLines();
    Type(u"V_", Console::keyTab);
    const std::vector<Printed> expected = {{u"\\v_\n", 'b'},           {u"    \\v_brightness\n", 'w'},
                                           {u"    \\v_contrast\n", 'w'}, {u"    \\v_fullscreen\n", 'w'},
                                           {u"    \\v_gamma\n", 'w'},    {u"    \\v_mode\n", 'w'},
                                           {u"    \\v_vsync\n", 'w'}};
    EXPECT_EQ(NewLines(), expected);
    EXPECT_EQ(console->GetInput()->text, u"\\v_");

    Type(u"sc_take_screenshot_j", Console::keyTab);
    EXPECT_EQ(console->GetInput()->text, u"\\sc_take_screenshot_jpg ");
    Type(u"zz", Console::keyTab);
    EXPECT_EQ(console->GetInput()->text, u"\\zz");
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(ConsoleTest, HistoryRecallsAndIsBounded)
{
    Make();
    Type(u"say a", Console::keyEnter);
    Type(u"say b", Console::keyEnter);
    console->HandleKey(Console::keyUp);
    EXPECT_EQ(console->GetInput()->text, u"\\say b");
    console->HandleKey(Console::keyUp);
    console->HandleKey(Console::keyUp);   // stays on the oldest
    EXPECT_EQ(console->GetInput()->text, u"\\say a");
    console->HandleKey(Console::keyDown);
    EXPECT_EQ(console->GetInput()->text, u"\\say b");
    console->HandleKey(Console::keyDown);
    EXPECT_EQ(console->GetInput()->text, u"");
    console->HandleKey(Console::keyEscape);

    for (size_t i = 0; i < Console::maxHistory + 50; ++i)
        Type(u"say x", Console::keyEnter);
    EXPECT_EQ(console->GetHistory().size(), Console::maxHistory);
    EXPECT_EQ(console->historyIndex, int32_t(Console::maxHistory));
}

TEST_F(ConsoleTest, PrintWrapsAtTheScreenWidthAndNeverLoops)
{
    Make();
    NewLines();
    console->Print({1, 1, 1, 1}, std::u16string(200, u'a') + u"\n");
    const std::vector<Printed> wrapped = NewLines();
    ASSERT_EQ(wrapped.size(), 3u);
    EXPECT_EQ(wrapped[0].text, std::u16string(80, u'a') + u"\n");
    EXPECT_EQ(wrapped[1].text, std::u16string(80, u'a') + u"\n");
    EXPECT_EQ(wrapped[2].text, std::u16string(40, u'a') + u"\n");

    // A character wider than the screen takes a row of its own.
    gui->GetFontManager()->GetFont(1)->size = 1000.0f;
    console->Print({1, 1, 1, 1}, u"ab");
    const std::vector<Printed> wide = NewLines();
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].text, u"a\n");
    EXPECT_EQ(wide[1].text, u"b");
    EXPECT_FALSE(console->GetLines().back().endsRow);
}

TEST_F(ConsoleTest, ScrollBackIsBounded)
{
    Make();
    for (size_t i = 0; i < Console::maxLines + 500; ++i)
        console->Print({1, 1, 1, 1}, u"line\n");
    EXPECT_EQ(console->GetLines().size(), Console::maxLines);
}

TEST_F(ConsoleTest, EchoesTheFramesLogEntriesInTheirColours)
{
    Make();
    log->ClearEntries();
    log->LogMessage("hello");
    log->LogWarning("careful");
    log->LogError("broken");
    console->Update();
    const std::vector<Printed> lines = NewLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], (Printed{u"hello\n", 'w'}));
    EXPECT_EQ(lines[1], (Printed{u"\n", 'g'}));
    EXPECT_EQ(lines[2], (Printed{u"Warning: careful!\n", 'g'}));
    EXPECT_EQ(lines[3], (Printed{u"\n", 'g'}));
    EXPECT_EQ(lines[4].colour, 'r');
}

TEST_F(ConsoleTest, MissingFontIsLoggedNotFatal)
{
    Make(7);
    bool logged = false;
    for (const std::string& error : Errors())
        logged |= error.find("Console font 7 is missing") != std::string::npos;
    EXPECT_TRUE(logged);
    console->Open();
    log->LogMessage("still works");
    console->Update();
    Type(u"say hi", Console::keyEnter);
    EXPECT_EQ(console->GetHistory().size(), 1u);
}

TEST_F(ConsoleTest, OutOfRangeSettingsFromTheFileAreReset)
{
    std::ofstream(folder / "Devices.ini", std::ios::binary)
        << "ui_console_size 1000\r\nui_console_alpha 0\r\nui_console_speed 250\r\n";
    config->Load();
    Make();
    EXPECT_EQ(config->GetValueText("ui_console_size"), "308.000000");
    EXPECT_EQ(config->GetValueText("ui_console_alpha"), "0.950000");
    EXPECT_EQ(config->GetValueText("ui_console_speed"), "250.000000");
    EXPECT_EQ(config->GetDefaultText("ui_console_alpha"), "0.9500");
    EXPECT_NE(std::count(gui->windows.slots.begin(), gui->windows.slots.end(), console->GetWindow()), 0);
    console.reset();
    EXPECT_EQ(config->Execute("say x"), ExecuteUnknown);   // unregistered with the console
    // The window and the input line left the GUI's lists with the console.
    EXPECT_EQ(std::count(gui->windows.slots.begin(), gui->windows.slots.end(), nullptr),
              std::ptrdiff_t(gui->windows.slots.size()));
    EXPECT_EQ(std::count(gui->editBoxes.slots.begin(), gui->editBoxes.slots.end(), nullptr),
              std::ptrdiff_t(gui->editBoxes.slots.size()));
}

TEST_F(ConsoleTest, SlidesOpenAndClosed)
{
    Console& c = Make();
    EXPECT_EQ(c.GetState(), ConsoleClosed);
    EXPECT_FALSE(c.GetWindow()->visible);
    c.Open();
    EXPECT_TRUE(c.GetWindow()->visible);
    timers->frameTime = 0.1f;   // 100 units a frame
    int frames = 0;
    while (c.GetState() == ConsoleOpening && frames < 10) {
        c.Update();
        ++frames;
    }
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(c.GetState(), ConsoleOpen);
    EXPECT_FLOAT_EQ(c.GetWindow()->position.y, 600.0f - 308.0f);
    EXPECT_TRUE(c.GetInput()->active);

    c.scrollBack = 2;
    c.Close();
    frames = 0;
    while (c.GetState() == ConsoleClosing && frames < 10) {
        c.Update();
        ++frames;
    }
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(c.GetState(), ConsoleClosed);
    EXPECT_FALSE(c.GetWindow()->visible);
    EXPECT_EQ(c.scrollBack, 0);
}

// Rows stack upwards from the newest (window-local y 26, above the caption and the prompt, 12 apart) and
// the oldest one shown is the first whose y passes H - size.
TEST_F(ConsoleTest, RowsStopWhereTheyPassTheScreenHeightLessTheSize)
{
    struct Case {
        const char* size;
        float top;
    };
    const Case cases[] = {
        {"308", 302.0f},   // 600 - 308 = 292: 26 + 23 × 12
        {"500", 110.0f},   // 600 - 500 = 100: 26 + 7 × 12
    };
    for (const Case& k : cases) {
        Console& c = Make();
        ASSERT_TRUE(config->SetValueText("ui_console_size", k.size));
        for (int i = 0; i < 100; ++i)
            c.Print({1, 1, 1, 1}, u"row\n");
        c.Open();
        timers->frameTime = 0.1f;
        for (int i = 0; i < 10; ++i)
            c.Update();
        ASSERT_EQ(c.GetState(), ConsoleOpen);
        // Queued texts of the last frame only.
        c.GetWindow()->Render();
        c.Update();
        float top = 0.0f;
        for (uint32_t i = 0; i < c.GetWindow()->GetTextCount(); ++i)
            top = std::max(top, c.GetWindow()->GetTextItem(i).position.y);
        EXPECT_FLOAT_EQ(top, k.top) << k.size;
        console.reset();
    }
}

TEST_F(ConsoleTest, PageUpStopsAtTheOldestRow)
{
    Console& c = Make();
    log->ClearEntries();
    for (int i = 0; i < 3; ++i)
        c.Print({1, 1, 1, 1}, u"row\n");
    c.Open();
    timers->frameTime = 0.1f;
    for (int i = 0; i < 5; ++i)
        c.Update();
    ASSERT_EQ(c.GetState(), ConsoleOpen);
    for (int i = 0; i < 10; ++i)
        c.HandleKey(Console::keyPageUp);
    c.Update();
    EXPECT_EQ(c.scrollBack, 3);
    c.HandleKey(Console::keyPageDown);
    c.Update();
    EXPECT_EQ(c.scrollBack, 2);
}

TEST_F(ConsoleTest, KeysComeFromTheWindowsKeyRecord)
{
    Console& c = Make();
    c.Open();
    c.GetInput()->SetText(u"say hi");
    window->keyEventPending = true;
    window->keyEventIsChar = false;
    window->keyEventCode = Console::keyEnter;
    c.Update();
    EXPECT_EQ(c.GetHistory().size(), 1u);
}

// Contact sheets of the default data, drawn by the engine itself under the offscreen video driver: the
// fonts, the dialog frames and widgets, the main menu and the greenhouse. Each sheet is one 800 x 600
// frame read back from the device and written as a PNG, so a person can look at the data as the game
// draws it.
//
// Usage: contactsheets <game folder> <output folder>
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUISlider.h"
#include "engine/render/gui/GUIWindow.h"
#include "platform/d3d7/D3D7.h"
#include "platform/os/CodePage.h"
#include "platform/window/WindowApi.h"
#include "tools/databuild/DataBuild.h"
#include "tools/scenes/EngineScene.h"
#include "tools/scenes/MainMenuScene.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace VantoranEngine;

namespace {

// Every text table, as the game loads them at start.
std::vector<std::string> TextTableNames()
{
    std::vector<std::string> names;
    for (const DataBuild::TextTable& table : DataBuild::TextTables())
        names.emplace_back(table.name);
    return names;
}

std::unique_ptr<EngineScene> StartSheet(const std::string& gameFolder, const std::string& userFolder)
{
    return std::make_unique<EngineScene>(gameFolder, userFolder, "ContactSheets", TextTableNames());
}

// The greenhouse interior behind everything else of a sheet.
void Backdrop(EngineScene& sheet)
{
    sheet.PlaceModel("backgrounds\\flower_house\\models\\house_back.mlf", -0.5f);
}

// A few frames so lazily built textures are on the device, then the last one read back as a PNG.
void Capture(EngineScene& sheet, const std::function<void()>& perFrame, const std::filesystem::path& file)
{
    // The engine empties the log's entries every frame: report the data's problems before it does.
    auto report = [&] {
        for (const LogEntry& entry : sheet.engine->messageManager->TakeEntries())
            if (entry.kind >= LogEntry::Warning)
                std::fprintf(stderr, "contactsheets: %s: %s\n", file.filename().string().c_str(), entry.text.c_str());
    };
    for (int frame = 0; frame < 4; ++frame) {
        report();
        Platform::MSG message;
        while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
            Platform::TranslateMessage(&message);
            Platform::DispatchMessageA(&message);
        }
        sheet.engine->Update();
        perFrame();
        sheet.engine->EndFrame();
    }
    report();
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;
    if (!Platform::ReadPresentedFrame(width, height, pixels))
        throw std::runtime_error("no frame to read back");
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width),
                                                          static_cast<int>(height));
    cairo_surface_flush(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (uint32_t y = 0; y < height; ++y) // read back bottom row first
        std::copy_n(pixels.data() + size_t(height - 1 - y) * width * 4, size_t(width) * 4, data + size_t(y) * stride);
    cairo_surface_mark_dirty(surface);
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.string().c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + file.string());
}

const Color white{1, 1, 1, 1};

void FontSheet(const std::string& game, const std::string& user, const std::filesystem::path& out)
{
    auto scene = StartSheet(game, user);
    EngineScene& sheet = *scene;
    Backdrop(sheet);
    // Every font twice: on the dark dialog panel (left; the frame stretched so its title band and bottom rim
    // fall off the sheet) and on the pale greenhouse (right), since some fonts are made for one of them.
    GUIWindow* panel = sheet.Picture("gui\\common\\window_large.jpg", -60, -50, 460, 1179, nullptr, 1, 0.767578125f);
    const std::u16string sample = u"Сад «Ёж» — 01…";
    Capture(sheet, [&] {
        float y = 590;
        for (int32_t id = 0; id < 16; ++id) {
            const GUIFont* font = sheet.gui->GetFontManager()->GetFont(id);
            const float size = font ? font->size : 18;
            y -= size + 4;
            const std::u16string line = std::u16string(1, char16_t(u'0' + id % 10)) + u" " + sample;
            panel->AddText({72, y + 50}, white, 0, id, line, -1.0f);
            panel->AddText({475, y + 50}, white, 0, id, line, -1.0f);
        }
    }, out / "fonts.png");
}

void DialogSheet(const std::string& game, const std::string& user, const std::filesystem::path& out)
{
    auto scene = StartSheet(game, user);
    EngineScene& sheet = *scene;
    Backdrop(sheet);
    // A large dialog at its drawn size with every kind of widget.
    GUIWindow* large = sheet.Picture("gui\\common\\window_large.jpg", 288, 0, 512, 393, nullptr, 1, 0.767578125f);
    GUIButton* wide = sheet.gui->CreateButton({46, 37}, {419, 46}, GuiMaterial("gui\\common\\button_long.jpg", 3),
                                              large, {0.818359375f, 0.71875f});
    sheet.gui->CreateCheckBox({60, 250}, {32, 32}, GuiMaterial("gui\\common\\check_box.jpg", 6), large, {1, 1});
    GUIEditBox* name = sheet.gui->CreateEditBox({60, 190}, {304, 41}, GuiMaterial("gui\\common\\edit_box.jpg"),
                                                {1, 0.97f, 0.91f, 1}, {15, 7}, 285, large, {0.59375f, 0.640625f});
    name->SetText(u"Марта");
    GUISlider* music = sheet.gui->CreateSlider({60, 130}, {256, 32}, GuiMaterial("gui\\common\\slider.jpg"), {-2, 0},
                                               {225, 0}, large, {1, 1});
    music->SetThumbTexture({32, 32}, GuiMaterial("gui\\common\\slider_toddler.jpg", 3), {1, 1});
    music->SetPosition(700);
    // A small dialog on top: title, three lines, two buttons.
    GUIWindow* small = sheet.Picture("gui\\common\\window_small.jpg", 0, 344, 370, 256, nullptr, 0.72265625f, 1);
    small->flags |= GUIWindow::Tier10;
    GUIButton* yes = sheet.gui->CreateButton({40, 43}, {138, 46}, GuiMaterial("gui\\common\\button_short.jpg", 4),
                                             small, {0.5390625f, 0.71875f});
    GUIButton* no = sheet.gui->CreateButton({192, 43}, {138, 46}, GuiMaterial("gui\\common\\button_short.jpg", 4),
                                            small, {0.5390625f, 0.71875f});
    Capture(sheet, [&] {
        small->AddTextByKey({185, 180}, white, 1, 5, "EXIT_TITLE", -1, -1.0f);
        for (int line = 0; line < 3; ++line)
            small->AddTextByKey({185, 136.0f - 20 * line}, white, 1, 1, "EXIT_TEXT_" + std::to_string(line), -1, -1.0f);
        yes->AddTextByKey({69, 14}, white, 1, 6, "YES", -1, -1.0f);
        no->AddTextByKey({69, 14}, white, 1, 6, "NO", -1, -1.0f);
        large->AddTextByKey({256, 318}, white, 1, 5, "OPTIONS_TITLE", -1, -1.0f);
        large->AddTextByKey({105, 257}, white, 0, 1, "OPTIONS_HIGH_QUALITY", -1, -1.0f);
        large->AddTextByKey({340, 137}, white, 0, 1, "OPTIONS_MUSIC_VOLUME", -1, -1.0f);
        wide->AddTextByKey({209, 14}, white, 1, 6, "GAME_LOGIC_MENU_RETURN", -1, -1.0f);
    }, out / "dialogs.png");
}

// Every widget picture whole at 1:1, so every frame cell shows.
void WidgetSheet(const std::string& game, const std::string& user, const std::filesystem::path& out)
{
    auto scene = StartSheet(game, user);
    EngineScene& sheet = *scene;
    Backdrop(sheet);
    const std::pair<const char*, std::array<float, 2>> pictures[] = {
        {"button_short", {512, 128}},  {"button_long", {1024, 128}},   {"button_glow", {512, 64}},
        {"check_box", {128, 64}},      {"slider_toddler", {64, 64}},   {"scroll", {32, 128}},
        {"scroll_arrow_top", {64, 64}}, {"scroll_arrow_bottom", {64, 64}}, {"edit_box", {512, 64}},
        {"slider", {256, 32}},         {"active_profile_frame", {512, 32}}, {"high_scores_frame", {512, 32}}};
    float x = 0, y = 600, rowHeight = 0;
    for (const auto& [name, size] : pictures) {
        // The long button is drawn at half size: the sheet is narrower than it.
        const float w = std::min(size[0], 800.0f), h = size[1] * w / size[0];
        if (x + w > 800) {
            x = 0;
            y -= rowHeight + 6;
            rowHeight = 0;
        }
        sheet.Picture(std::string("gui\\common\\") + name + ".jpg", x, y - h, w, h);
        x += w + 6;
        rowHeight = std::max(rowHeight, h);
    }
    Capture(sheet, [] {}, out / "widgets.png");
}

// The greenhouse as the main menu's backdrop; with the menu on top when `menu` is set.
void GreenhouseSheet(const std::string& game, const std::string& user, const std::filesystem::path& out, bool menu)
{
    auto sheet = StartSheet(game, user);
    MainMenuScene scene(*sheet, menu);
    Capture(*sheet, [&] { scene.AddTexts(); }, out / (menu ? "main_menu.png" : "greenhouse.png"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheets <game folder> <output folder>\n");
        return 2;
    }
    // The Russian build: lower case of the capitals-only font maps through code page 1251.
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    // Never a window on the desktop, never a sound.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string game = std::filesystem::absolute(argv[1]).string();
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    try {
        std::filesystem::create_directories(out / "log");
        const std::string user = (out / "log").string();
        FontSheet(game, user, out);
        DialogSheet(game, user, out);
        WidgetSheet(game, user, out);
        GreenhouseSheet(game, user, out, false);
        GreenhouseSheet(game, user, out, true);
    } catch (const Error& e) {
        std::fprintf(stderr, "contactsheets: %s\n", e.message.c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "contactsheets: %s\n", e.what());
        return 1;
    }
    return 0;
}

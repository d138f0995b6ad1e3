// Contact sheets of the default data, drawn by the engine itself under the offscreen video driver: the
// fonts, the dialog frames and widgets, the main menu and the greenhouse. Each sheet is one 800 x 600
// frame read back from the device and written as a PNG, so a person can look at the data as the game
// draws it.
//
// Usage: contactsheets <game folder> <output folder>
#include "engine/core/Engine.h"
#include "engine/core/EngineDescriptor.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/Camera.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUISlider.h"
#include "engine/render/gui/GUITextManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "platform/d3d7/D3D7.h"
#include "platform/os/CodePage.h"
#include "platform/window/WindowApi.h"
#include "tools/databuild/DataBuild.h"

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

struct Sheet {
    std::unique_ptr<Engine> engine;
    GUIManager* gui = nullptr;
    std::vector<std::unique_ptr<Model>> models;
};

// Fonts as the font list names them, and every text table, as the game loads them at start.
void LoadFontsAndTexts(Sheet& sheet)
{
    FileManager& files = *sheet.engine->fileManager;
    auto list = files.OpenTextual("data\\ui\\fonts\\ru.ini", false);
    if (!list)
        throw std::runtime_error("no font list");
    const int32_t count = list->ReadInt();
    list->ReadInt();
    auto word = [&list] {
        std::string w;
        while (list->ReadString(w, true))
            if (!w.empty())
                return w;
        return std::string();
    };
    for (int32_t id = 0; id < count; ++id) {
        const std::string file = word(), colour = word(), opacity = word();
        const float size = list->ReadFloat(), missing = list->ReadFloat(), spacing = list->ReadFloat();
        const int32_t lowerCase = list->ReadInt();
        ShaderDescriptor material;
        BuildGUIShaderDescriptor(material, colour, opacity, 1);
        GUIFont* font = sheet.gui->GetFontManager()->LoadFont(id, material, file);
        font->size = size;
        font->missingAdvance = missing;
        font->spacing = spacing;
        if (lowerCase != 0)
            font->AddLowerCaseGlyphs();
    }
    for (const DataBuild::TextTable& table : DataBuild::TextTables())
        sheet.gui->GetTextManager()->LoadTexts(std::string("ui\\texts\\ru\\") + table.name + ".ini");
}

Sheet StartSheet(const std::string& gameFolder, const std::string& userFolder)
{
    EngineDescriptor d;
    d.title = "Brindlemoor";
    d.version = 100;
    d.baseDirectory = gameFolder;
    d.configName = "ContactSheets";
    d.configDirectory = userFolder;
    d.logDirectory = userFolder;
    d.logEnabled = true;
    d.logReopen = false;
    d.videoMode = "800x600x32";
    d.fullscreenDefault = false;
    Sheet sheet;
    sheet.engine = std::make_unique<Engine>(d);
    sheet.gui = sheet.engine->guiManager.get();
    sheet.gui->GetCamera()->orthoWidth = 800.0f;
    sheet.gui->GetCamera()->orthoHeight = 600.0f;
    LoadFontsAndTexts(sheet);
    return sheet;
}

// A pair's material; an opaque picture ("32bit") has no opacity image.
ShaderDescriptor GuiMaterial(const std::string& colour, uint32_t frames = 1, bool opaque = false)
{
    ShaderDescriptor material;
    BuildGUIShaderDescriptor(material, colour, opaque ? "32bit" : colour.substr(0, colour.size() - 4) + "_alpha.jpg",
                             frames);
    return material;
}

GUIWindow* Picture(Sheet& sheet, const std::string& colour, float x, float y, float w, float h,
                   GUIWindow* parent = nullptr, float u = 1, float v = 1)
{
    return sheet.gui->CreateWindow(GUIWindow::Shown, {x, y}, {w, h}, GuiMaterial(colour), parent, {u, v});
}

// A model of the data placed by its own coordinates (or moved by (x, y)), drawn with the GUI camera.
Model* PlaceModel(Sheet& sheet, const std::string& name, float depth, float x = 0, float y = 0)
{
    Model* model = sheet.engine->modelManager->LoadModel(name, sheet.gui->GetCamera(), 32);
    Matrix4 at;
    MakeTranslationMatrix(at, {x, y, 0});
    model->SetWorldMatrix(at);
    model->depth = depth;
    sheet.models.emplace_back(model);
    return model;
}

// The greenhouse interior behind everything else of a sheet.
void Backdrop(Sheet& sheet)
{
    PlaceModel(sheet, "backgrounds\\flower_house\\models\\house_back.mlf", -0.5f);
}

// A few frames so lazily built textures are on the device, then the last one read back as a PNG.
void Capture(Sheet& sheet, const std::function<void()>& perFrame, const std::filesystem::path& file)
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

void Finish(Sheet& sheet)
{
    sheet.models.clear();
    sheet.engine.reset();
}

const Color white{1, 1, 1, 1};

void FontSheet(const std::string& game, const std::string& user, const std::filesystem::path& out)
{
    Sheet sheet = StartSheet(game, user);
    Backdrop(sheet);
    // Every font twice: on the dark dialog panel (left; the frame stretched so its title band and bottom rim
    // fall off the sheet) and on the pale greenhouse (right), since some fonts are made for one of them.
    GUIWindow* panel = Picture(sheet, "gui\\common\\window_large.jpg", -60, -50, 460, 1179, nullptr, 1, 0.767578125f);
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
    Finish(sheet);
}

void DialogSheet(const std::string& game, const std::string& user, const std::filesystem::path& out)
{
    Sheet sheet = StartSheet(game, user);
    Backdrop(sheet);
    // A large dialog at its drawn size with every kind of widget.
    GUIWindow* large = Picture(sheet, "gui\\common\\window_large.jpg", 288, 0, 512, 393, nullptr, 1, 0.767578125f);
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
    GUIWindow* small = Picture(sheet, "gui\\common\\window_small.jpg", 0, 344, 370, 256, nullptr, 0.72265625f, 1);
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
    Finish(sheet);
}

// Every widget picture whole at 1:1, so every frame cell shows.
void WidgetSheet(const std::string& game, const std::string& user, const std::filesystem::path& out)
{
    Sheet sheet = StartSheet(game, user);
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
        Picture(sheet, std::string("gui\\common\\") + name + ".jpg", x, y - h, w, h);
        x += w + 6;
        rowHeight = std::max(rowHeight, h);
    }
    Capture(sheet, [] {}, out / "widgets.png");
    Finish(sheet);
}

// The greenhouse as the main menu's backdrop; with the menu on top when `menu` is set.
void GreenhouseSheet(const std::string& game, const std::string& user, const std::filesystem::path& out, bool menu)
{
    Sheet sheet = StartSheet(game, user);
    const std::string house = "backgrounds\\flower_house\\models\\";
    float depth = -0.5f;
    for (const char* part : {"house_back", "house_beds", "house_plants", "house_light"}) {
        PlaceModel(sheet, house + part + ".mlf", depth);
        depth -= 0.01f;
    }
    for (int i = 0; i < 9; ++i)
        PlaceModel(sheet, house + "flower_" + std::to_string(i) + ".mlf", depth - 0.001f * i);
    GUIWindow* window = nullptr;
    std::vector<GUIButton*> buttons;
    if (menu) {
        window = Picture(sheet, "gui\\common\\window_main_menu.jpg", 272, 160, 256, 256);
        for (int b = 0; b < 4; ++b)
            buttons.push_back(sheet.gui->CreateButton({30, 170.0f - 40 * b}, {196, 32},
                                                      GuiMaterial("gui\\common\\button_glow.jpg", 3), window,
                                                      {0.765625f, 1}));
        Picture(sheet, "gui\\main_menu\\profile_window.jpg", 230, 68, 340, 64, nullptr, 340.0f / 512, 1);
        PlaceModel(sheet, "gui\\main_menu\\models\\game_logo.mlf", -2.0f, 400, 505);
    }
    const char* keys[] = {"MAIN_MENU_START", "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_OPTIONS", "MAIN_MENU_EXIT"};
    Capture(sheet, [&] {
        for (size_t b = 0; b < buttons.size(); ++b)
            buttons[b]->AddTextByKey({98, 8}, white, 1, 7, keys[b], -1, -1.0f);
        if (window) {
            // The profile plate's greeting and link, at the plate's rest place below the menu.
            window->AddTextByKey({128, -67}, {1, 0.97f, 0.91f, 1}, 1, 1, "MAIN_MENU_WELCOME_BACK", -1, -1.0f);
            window->AddTextByKey({128, -90}, {0.81f, 0.91f, 0.69f, 1}, 1, 3, "MAIN_MENU_CHANGE_PROFILE", -1, -1.0f);
        }
    }, out / (menu ? "main_menu.png" : "greenhouse.png"));
    Finish(sheet);
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

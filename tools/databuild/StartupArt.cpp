// What the start-up shows before and around the main menu: the console picture, the studio card, the
// loading screen, the cursor, the dialog frames and widgets of gui\common and the main menu's plate,
// logo and helpers. Flat shapes in the garden palette for now.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

#include <cmath>

namespace DataBuild {

namespace {

constexpr uint32_t deepGreen = 0x234B33, leafGreen = 0x4E8A4A, freshGreen = 0x8CC26A, mint = 0xCFE8B0;
constexpr uint32_t wickerDark = 0x6B4423, wickerMid = 0xA06A3A, wickerLight = 0xD9A86A, straw = 0xF0D49A;
constexpr uint32_t paper = 0xFFF6E0, ink = 0x4A2E1A, gold = 0xF2B541, skyTop = 0xBFE3F2, horizon = 0xF4F9E8;

void Text(cairo_t* cr, const char* text, double centreX, double baseline, double size, uint32_t fill, uint32_t outline)
{
    SetSerifBold(cr);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_new_path(cr);
    cairo_move_to(cr, centreX - extents.width / 2 - extents.x_bearing, baseline);
    cairo_text_path(cr, text);
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, outline);
    cairo_set_line_width(cr, std::max(1.0, size / 24));
    cairo_stroke(cr);
}

// A rounded wicker frame around a dark-green panel with a lighter title band (band in canvas rows).
void Frame(Canvas& canvas, double w, double h, double bandTop, double bandBottom)
{
    cairo_t* cr = canvas.Get();
    RoundedRectangle(cr, 1, 1, w - 2, h - 2, 18);
    FillVertical(cr, 0, h, wickerLight, wickerMid);
    SetColour(cr, wickerDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRectangle(cr, 12, 12, w - 24, h - 24, 10);
    FillVertical(cr, 12, h - 12, 0x2E5C3E, 0x1E3A28);
    cairo_new_path(cr);
    if (bandBottom > bandTop) {
        RoundedRectangle(cr, 24, bandTop, w - 48, bandBottom - bandTop, 12);
        FillVertical(cr, bandTop, bandBottom, 0x5E9A58, leafGreen);
        cairo_new_path(cr);
    }
}

// Cells of a frame grid: frame f at column f mod columns, row f div columns from the top; the picture
// (w x h) in the cell's lower-left corner.
template <typename Draw>
void Cells(Canvas& canvas, int columns, int cellW, int cellH, int frames, double w, double h, Draw draw)
{
    for (int f = 0; f < frames; ++f) {
        cairo_save(canvas.Get());
        cairo_translate(canvas.Get(), (f % columns) * cellW, (f / columns) * cellH + cellH - h);
        draw(f, w, h);
        cairo_restore(canvas.Get());
    }
}

void Pill(cairo_t* cr, double w, double h, uint32_t top, uint32_t bottom, double dy)
{
    RoundedRectangle(cr, 2, 2 + dy, w - 4, h - 5, (h - 5) / 2);
    FillVertical(cr, 2 + dy, h - 3 + dy, top, bottom);
    SetColour(cr, wickerDark);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// Button states: normal, hover, pressed, disabled.
void Button(cairo_t* cr, int state, double w, double h)
{
    static const uint32_t tops[] = {0x6DB35A, 0x8FD16E, 0x3E7D3A, 0xB4BFB4};
    static const uint32_t bottoms[] = {0x3E7D3A, 0x5E9F4A, 0x2F6A2E, 0x9AA89A};
    Pill(cr, w, h, tops[state], bottoms[state], state == 2 ? 1 : 0);
}

void WriteCommon(DataTree& tree)
{
    const std::string common = "data\\gui\\common\\";
    {
        Canvas c(256, 256);
        Frame(c, 256, 256, 20, 40);
        c.WritePair(tree, common + "window_main_menu.jpg");
    }
    for (const char* name : {"window_small.jpg", "window_medium.jpg"}) {
        Canvas c(512, 256);
        Frame(c, 370, 256, 256 - 215, 256 - 172);
        c.WritePair(tree, common + name);
    }
    {
        Canvas c(512, 512);
        cairo_translate(c.Get(), 0, 512 - 393);
        Frame(c, 512, 393, 393 - 350, 393 - 310);
        c.WritePair(tree, common + "window_large.jpg");
    }
    {
        Canvas c(512, 128);
        Cells(c, 2, 256, 64, 4, 138, 46, [&](int f, double w, double h) { Button(c.Get(), f, w, h); });
        c.WritePair(tree, common + "button_short.jpg");
    }
    {
        Canvas c(1024, 128);
        Cells(c, 2, 512, 64, 4, 419, 46, [&](int f, double w, double h) { Button(c.Get(), f, w, h); });
        c.WritePair(tree, common + "button_long.jpg");
    }
    {
        // No box at rest: a faint underline; a gold glow on hover and press; grey when disabled.
        Canvas c(512, 64);
        Cells(c, 2, 256, 32, 4, 196, 32, [&](int f, double w, double h) {
            cairo_t* cr = c.Get();
            if (f == 0 || f == 3) {
                SetColour(cr, f == 0 ? mint : 0x9AA89A, 0.5);
                cairo_rectangle(cr, 30, h - 5, w - 60, 2);
                cairo_fill(cr);
                return;
            }
            cairo_pattern_t* glow = cairo_pattern_create_radial(w / 2, h / 2, 2, w / 2, h / 2, w / 2);
            cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.9, 0.5, f == 1 ? 0.55 : 0.8);
            cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.85, 0.4, 0.0);
            cairo_save(cr);
            cairo_scale(cr, 1, h / w);
            cairo_set_source(cr, glow);
            cairo_rectangle(cr, 0, 0, w, w);
            cairo_fill(cr);
            cairo_restore(cr);
            cairo_pattern_destroy(glow);
        });
        c.WritePair(tree, common + "button_glow.jpg");
    }
    {
        // 0-2 unchecked normal, hover, pressed; 3-5 checked; 6-7 disabled unchecked and checked.
        Canvas c(128, 64);
        Cells(c, 4, 32, 32, 8, 32, 32, [&](int f, double, double) {
            cairo_t* cr = c.Get();
            static const uint32_t faces[] = {straw, 0xFFE3AE, wickerLight, straw, 0xFFE3AE, wickerLight, 0xC8C8BE, 0xC8C8BE};
            RoundedRectangle(cr, 3, 3, 26, 26, 5);
            FillVertical(cr, 3, 29, faces[f], wickerMid);
            SetColour(cr, wickerDark);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            if (f >= 3 && f != 6) {
                cairo_move_to(cr, 8, 16);
                cairo_line_to(cr, 14, 23);
                cairo_line_to(cr, 25, 8);
                SetColour(cr, f == 7 ? 0x6E7A6E : leafGreen);
                cairo_set_line_width(cr, 4);
                cairo_stroke(cr);
            }
        });
        c.WritePair(tree, common + "check_box.jpg");
    }
    {
        Canvas c(512, 64);
        RoundedRectangle(c.Get(), 1, 23, 302, 40, 8);
        SetColour(c.Get(), 0x14291C);
        cairo_fill_preserve(c.Get());
        SetColour(c.Get(), wickerLight);
        cairo_set_line_width(c.Get(), 2);
        cairo_stroke(c.Get());
        c.WritePair(tree, common + "edit_box.jpg");
    }
    {
        Canvas c(256, 32);
        RoundedRectangle(c.Get(), 6, 13, 244, 6, 3);
        FillVertical(c.Get(), 13, 19, wickerLight, wickerDark);
        for (double x : {10.0, 246.0}) {
            cairo_new_path(c.Get());
            cairo_arc(c.Get(), x, 11, 5, 0, 2 * pi);
            SetColour(c.Get(), leafGreen);
            cairo_fill(c.Get());
        }
        c.WritePair(tree, common + "slider.jpg");
    }
    auto knobs = [&](const std::string& name, int arrow) {
        Canvas c(64, 64);
        Cells(c, 2, 32, 32, 4, 32, 32, [&](int f, double, double) {
            cairo_t* cr = c.Get();
            static const uint32_t faces[] = {wickerLight, straw, wickerMid, 0xB0B0A8};
            cairo_arc(cr, 16, 16, 12, 0, 2 * pi);
            FillVertical(cr, 4, 28, faces[f], wickerDark);
            SetColour(cr, wickerDark);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
            if (arrow != 0) {
                cairo_move_to(cr, 9, 16 + 4 * arrow);
                cairo_line_to(cr, 23, 16 + 4 * arrow);
                cairo_line_to(cr, 16, 16 - 5 * arrow);
                cairo_close_path(cr);
                SetColour(cr, f == 3 ? 0x6E7A6E : leafGreen);
                cairo_fill(cr);
            }
        });
        c.WritePair(tree, common + name);
    };
    knobs("slider_toddler.jpg", 0);
    knobs("scroll_arrow_top.jpg", 1);
    knobs("scroll_arrow_bottom.jpg", -1);
    {
        Canvas c(32, 128);
        RoundedRectangle(c.Get(), 13, 2, 6, 124, 3);
        FillVertical(c.Get(), 2, 126, wickerLight, wickerDark);
        c.WritePair(tree, common + "scroll.jpg");
    }
    {
        Canvas c(512, 32);
        RoundedRectangle(c.Get(), 2, 3, 336, 26, 13);
        SetColour(c.Get(), gold, 0.55);
        cairo_fill(c.Get());
        c.WritePair(tree, common + "active_profile_frame.jpg");
    }
    {
        Canvas c(512, 32);
        cairo_pattern_t* bar = cairo_pattern_create_linear(0, 0, 512, 0);
        cairo_pattern_add_color_stop_rgba(bar, 0, 0.95, 0.71, 0.25, 0);
        cairo_pattern_add_color_stop_rgba(bar, 0.5, 0.95, 0.71, 0.25, 0.6);
        cairo_pattern_add_color_stop_rgba(bar, 1, 0.95, 0.71, 0.25, 0);
        cairo_set_source(c.Get(), bar);
        cairo_rectangle(c.Get(), 0, 4, 512, 24);
        cairo_fill(c.Get());
        cairo_pattern_destroy(bar);
        c.WritePair(tree, common + "high_scores_frame.jpg");
    }
}

// A soft sky over hedges: the 800 x 600 picture in the lower-left of a 1024 x 1024 canvas.
void Garden(Canvas& c)
{
    cairo_t* cr = c.Get();
    cairo_translate(cr, 0, 1024 - 600);
    cairo_rectangle(cr, 0, 0, 800, 600);
    FillVertical(cr, 0, 600, skyTop, horizon);
    cairo_new_path(cr);
    for (int layer = 0; layer < 3; ++layer) {
        const double base = 430 + 55 * layer;
        cairo_move_to(cr, 0, 600);
        for (int x = 0; x <= 800; x += 20)
            cairo_line_to(cr, x, base - 18 * std::sin(x / (60.0 - 12 * layer) + layer) - 10 * std::sin(x / 23.0));
        cairo_line_to(cr, 800, 600);
        cairo_close_path(cr);
        SetColour(cr, layer == 0 ? mint : layer == 1 ? freshGreen : leafGreen);
        cairo_fill(cr);
    }
}

} // namespace

const Area& StartupArea()
{
    static const Area area{
        "start-up",
        {
            {"gui\\main_menu\\models\\game_logo.mlf", 33, false, {}},
            // Arrival runs frames 5-10, departure 0-5: at rest at 0 and 10, away at 5.
            {"gui\\main_menu\\models\\helper_logo.mlf", 11, true, {{0, 400, 505}, {5, 400, 800}, {10, 400, 505}}},
            {"gui\\main_menu\\models\\helper_main.mlf", 11, true, {{0, 400, 288}, {5, 400, -220}, {10, 400, 288}}},
            {"gui\\main_menu\\models\\helper_profile.mlf", 11, true, {{0, 400, 100}, {5, 400, -160}, {10, 400, 100}}},
        },
        {
            {"ui\\console\\console.jpg", 512, 256, false},
            {"ui\\logos\\zeb_logo.jpg", 1024, 1024, false},
            {"ui\\cursors\\cursor.jpg", 64, 64, true},
            {"gui\\main_menu\\loading_screen.jpg", 1024, 1024, false},
            {"gui\\main_menu\\profile_window.jpg", 512, 64, true},
            {"gui\\main_menu\\game_logo.jpg", 512, 256, true},
            {"gui\\common\\window_main_menu.jpg", 256, 256, true},
            {"gui\\common\\window_small.jpg", 512, 256, true},
            {"gui\\common\\window_medium.jpg", 512, 256, true},
            {"gui\\common\\window_large.jpg", 512, 512, true},
            {"gui\\common\\button_short.jpg", 512, 128, true},
            {"gui\\common\\button_long.jpg", 1024, 128, true},
            {"gui\\common\\button_glow.jpg", 512, 64, true},
            {"gui\\common\\check_box.jpg", 128, 64, true},
            {"gui\\common\\edit_box.jpg", 512, 64, true},
            {"gui\\common\\slider.jpg", 256, 32, true},
            {"gui\\common\\slider_toddler.jpg", 64, 64, true},
            {"gui\\common\\scroll.jpg", 32, 128, true},
            {"gui\\common\\scroll_arrow_top.jpg", 64, 64, true},
            {"gui\\common\\scroll_arrow_bottom.jpg", 64, 64, true},
            {"gui\\common\\active_profile_frame.jpg", 512, 32, true},
            {"gui\\common\\high_scores_frame.jpg", 512, 32, true},
        }};
    return area;
}

void WriteStartupArt(DataTree& tree)
{
    {
        Canvas c(512, 256);
        cairo_rectangle(c.Get(), 0, 0, 512, 256);
        FillVertical(c.Get(), 0, 256, 0x1E3A28, 0x14291C);
        c.WriteOpaque(tree, "data\\ui\\console\\console.jpg");
    }
    {
        Canvas c(1024, 1024);
        cairo_translate(c.Get(), 0, 1024 - 600);
        cairo_rectangle(c.Get(), 0, 0, 800, 600);
        SetColour(c.Get(), paper);
        cairo_fill(c.Get());
        cairo_save(c.Get());
        cairo_translate(c.Get(), 400, 240);
        cairo_rotate(c.Get(), -0.6);
        cairo_scale(c.Get(), 1, 0.5);
        cairo_arc(c.Get(), 0, 0, 70, 0, 2 * pi);
        cairo_restore(c.Get());
        SetColour(c.Get(), freshGreen, 0.8);
        cairo_fill(c.Get());
        Text(c.Get(), "Quorvane", 400, 380, 72, deepGreen, ink);
        c.WriteOpaque(tree, "data\\ui\\logos\\zeb_logo.jpg");
    }
    {
        Canvas c(1024, 1024);
        Garden(c);
        Text(c.Get(), "Бриндлмур", 400, 130, 80, 0xFFE89A, 0x5A3A12);
        c.WriteOpaque(tree, "data\\gui\\main_menu\\loading_screen.jpg");
    }
    {
        // The arrow's tip at the top-left corner.
        Canvas c(64, 64);
        cairo_t* cr = c.Get();
        cairo_move_to(cr, 2, 2);
        cairo_line_to(cr, 2, 50);
        cairo_line_to(cr, 15, 38);
        cairo_line_to(cr, 25, 58);
        cairo_line_to(cr, 33, 54);
        cairo_line_to(cr, 23, 35);
        cairo_line_to(cr, 40, 35);
        cairo_close_path(cr);
        SetColour(cr, leafGreen);
        cairo_fill_preserve(cr);
        SetColour(cr, 0xFFFFFF);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        c.WritePair(tree, "data\\ui\\cursors\\cursor.jpg");
    }
    WriteCommon(tree);

    const std::string menu = "data\\gui\\main_menu\\";
    {
        Canvas c(512, 64);
        RoundedRectangle(c.Get(), 2, 2, 336, 60, 14);
        FillVertical(c.Get(), 2, 62, wickerLight, wickerMid);
        SetColour(c.Get(), wickerDark);
        cairo_set_line_width(c.Get(), 2);
        cairo_stroke(c.Get());
        c.WritePair(tree, menu + "profile_window.jpg");
    }
    {
        Canvas c(512, 256);
        Text(c.Get(), "Бриндлмур", 240, 150, 76, 0xFFE89A, 0x5A3A12);
        c.WritePair(tree, menu + "game_logo.jpg");
        // 33 frames of the same pose until the logo's sway is drawn; first = last, so it loops.
        Formats::ModelFile logo = QuadModel(-240, -75, 240, 75, 480.0f / 512, 150.0f / 256);
        Formats::ModelFile morph = HelperModel(std::vector<std::array<float, 2>>(33, {0, 0}), 12);
        morph.indices = logo.indices;
        morph.vertexCount = 4;
        morph.vertices.clear();
        morph.boxes.clear();
        for (int f = 0; f < 33; ++f) {
            morph.vertices.insert(morph.vertices.end(), logo.vertices.begin(), logo.vertices.end());
            morph.boxes.push_back(logo.boxes[0]);
        }
        WriteModel(tree, menu + "models\\game_logo.mlf", morph, "gui\\main_menu\\game_logo.jpg",
                   "gui\\main_menu\\game_logo_alpha.jpg");
    }
    // Anchors: arrival runs frames 5-10, departure 0-5.
    auto anchor = [](float x, float rest, float away) {
        std::vector<std::array<float, 2>> centres;
        for (int f = 0; f <= 10; ++f) {
            const float t = 1.0f - std::abs(f - 5) / 5.0f; // 0 at rest, 1 away
            centres.push_back({x, rest + (away - rest) * t * t});
        }
        return centres;
    };
    WriteModel(tree, menu + "models\\helper_logo.mlf", HelperModel(anchor(400, 505, 800), 8), "", "");
    WriteModel(tree, menu + "models\\helper_main.mlf", HelperModel(anchor(400, 288, -220), 10), "", "");
    WriteModel(tree, menu + "models\\helper_profile.mlf", HelperModel(anchor(400, 100, -160), 10), "", "");
}

} // namespace DataBuild

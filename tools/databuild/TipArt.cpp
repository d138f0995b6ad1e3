// The pictures of the tip pages, the relax question and the order tip: small paper cards, each showing
// its tip's subject with the board's own pieces (flower chips on cream tiles, baskets, belts). The picture
// window takes the texture's size, so each is drawn at its display size, 256 x 128.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

#include <cmath>
#include <functional>

namespace DataBuild {

namespace {

constexpr int width = 256, height = 128;

// --- pieces ---------------------------------------------------------------------------------------------

void Outline(cairo_t* cr, double lineWidth = 1.5, uint32_t colour = Palette::ink, double alpha = 0.8)
{
    SetColour(cr, colour, alpha);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Fill(cairo_t* cr, uint32_t colour, double outline = 1.2)
{
    SetColour(cr, colour);
    if (outline > 0) {
        cairo_fill_preserve(cr);
        Outline(cr, outline);
    } else {
        cairo_fill(cr);
    }
}

// Flower kinds of the chips: daisy, rose, tulip, cornflower, sunflower, violet.
struct Kind {
    uint32_t petal, heart;
    int petals;
    double roundness;
};
constexpr Kind kinds[] = {{0xFFFFFF, 0xF6C534, 11, 0.32}, {0xE0457B, 0xB02A5A, 6, 0.55}, {0xF28C28, 0xF6C534, 5, 0.5},
                          {0x4E7FD9, 0x23408A, 8, 0.38}, {0xF6C534, 0x6B4423, 14, 0.3}, {0x8E5CC2, 0xFFF1C1, 5, 0.52}};

void Flower(cairo_t* cr, double x, double y, double r, int kind)
{
    const Kind& k = kinds[kind % 6];
    for (int p = 0; p < k.petals; ++p) {
        const double a = 2 * pi * p / k.petals - pi / 2;
        cairo_save(cr);
        cairo_translate(cr, x + r * 0.5 * std::cos(a), y + r * 0.5 * std::sin(a));
        cairo_rotate(cr, a);
        cairo_scale(cr, r * 0.5, r * k.roundness);
        cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
        cairo_restore(cr);
        SetColour(cr, k.petal);
        cairo_fill_preserve(cr);
        Outline(cr, 0.7, Palette::ink, 0.45);
    }
    cairo_arc(cr, x, y, r * 0.3, 0, 2 * pi);
    Fill(cr, k.heart, 0.7);
}

void Stone(cairo_t* cr, double x, double y, double r)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1, 0.8);
    cairo_arc(cr, 0, 0, r, 0, 2 * pi);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.3, 1, x, y, r);
    AddStop(g, 0, 0xB4B8C0);
    AddStop(g, 1, Palette::stone);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr, 1.2, 0x3A3E44, 0.8);
    for (int i = 0; i < 5; ++i) {
        cairo_arc(cr, x - r * 0.4 + i * r * 0.2, y + ((i * 7) % 5 - 2) * r * 0.12, 1, 0, 2 * pi);
        SetColour(cr, 0x3A3E44, 0.6);
        cairo_fill(cr);
    }
    cairo_arc(cr, x + r * 0.35, y - r * 0.55, r * 0.25, pi, 2 * pi);
    Fill(cr, Palette::fresh, 0.6);
}

// A cream board tile of side s centred on (x, y).
void Tile(cairo_t* cr, double x, double y, double s, uint32_t colour = 0xFFF3D6)
{
    RoundedRectangle(cr, x - s / 2 + 1, y - s / 2 + 1, s - 2, s - 2, s * 0.18);
    FillVertical(cr, y - s / 2, y + s / 2, colour, 0xEAD9B5);
    Outline(cr, 1, Palette::wickerMid, 0.6);
}

// A chip: a tile with a flower (kind 6 = a stone).
void Chip(cairo_t* cr, double x, double y, double s, int kind)
{
    Tile(cr, x, y, s);
    if (kind == 6)
        Stone(cr, x, y, s * 0.36);
    else
        Flower(cr, x, y, s * 0.4, kind);
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, uint32_t colour = 0xF2B541)
{
    const double mx = (x0 + x1) / 2 - (y1 - y0) * bend, my = (y0 + y1) / 2 + (x1 - x0) * bend;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, mx, my, mx, my, x1, y1);
    SetColour(cr, Palette::ink, 0.8);
    cairo_set_line_width(cr, 5.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    const double a = std::atan2(y1 - my, x1 - mx);
    cairo_move_to(cr, x1 + 7 * std::cos(a), y1 + 7 * std::sin(a));
    cairo_line_to(cr, x1 + 7 * std::cos(a + 2.3), y1 + 7 * std::sin(a + 2.3));
    cairo_line_to(cr, x1 + 7 * std::cos(a - 2.3), y1 + 7 * std::sin(a - 2.3));
    cairo_close_path(cr);
    Fill(cr, colour, 1.2);
}

void Glow(cairo_t* cr, double x, double y, double r, uint32_t colour = 0xFFE9A8, double alpha = 0.9)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    AddStop(g, 0, colour, alpha);
    AddStop(g, 1, colour, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, r, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Sparkle(cairo_t* cr, double x, double y, double r, uint32_t colour = 0xFFF3B0)
{
    cairo_move_to(cr, x, y - r);
    cairo_curve_to(cr, x, y, x, y, x + r, y);
    cairo_curve_to(cr, x, y, x, y, x, y + r);
    cairo_curve_to(cr, x, y, x, y, x - r, y);
    cairo_curve_to(cr, x, y, x, y, x, y - r);
    Fill(cr, colour, 0.8);
}

void Basket(cairo_t* cr, double x, double y, double w, uint32_t ribbon = 0xE0457B)
{
    const double h = w * 0.6;
    cairo_arc(cr, x, y - h, w * 0.36, pi, 2 * pi);
    Outline(cr, 3.5, Palette::wickerDark, 1);
    cairo_arc(cr, x, y - h, w * 0.36, pi, 2 * pi);
    Outline(cr, 2, Palette::wickerLight, 1);
    cairo_move_to(cr, x - w / 2, y - h);
    cairo_line_to(cr, x + w / 2, y - h);
    cairo_line_to(cr, x + w * 0.38, y);
    cairo_line_to(cr, x - w * 0.38, y);
    cairo_close_path(cr);
    FillVertical(cr, y - h, y, Palette::wickerLight, Palette::wickerMid);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    for (double d = -h; d < w + h; d += 6) {
        cairo_move_to(cr, x - w / 2 + d, y - h);
        cairo_line_to(cr, x - w / 2 + d - h, y);
    }
    SetColour(cr, Palette::wickerDark, 0.4);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    Outline(cr, 1.3, Palette::wickerDark, 0.9);
    cairo_rectangle(cr, x - w / 2, y - h * 0.72, w, h * 0.16);
    Fill(cr, ribbon, 0.8);
}

// A paper tag with a flower and a count, hanging under a basket.
void Tag(cairo_t* cr, double x, double y, int kind, const char* count)
{
    RoundedRectangle(cr, x - 15, y - 9, 30, 18, 3);
    Fill(cr, Palette::paper, 1);
    Flower(cr, x - 6, y, 6, kind);
    SetSerifBold(cr);
    cairo_set_font_size(cr, 11);
    cairo_move_to(cr, x + 2, y + 4);
    cairo_text_path(cr, count);
    Fill(cr, Palette::ink, 0);
}

void Belt(cairo_t* cr, double x0, double y0, double x1, double y1, double thickness)
{
    const double length = std::hypot(x1 - x0, y1 - y0), a = std::atan2(y1 - y0, x1 - x0);
    cairo_save(cr);
    cairo_translate(cr, x0, y0);
    cairo_rotate(cr, a);
    RoundedRectangle(cr, -thickness / 2, -thickness / 2, length + thickness, thickness, thickness / 2);
    FillVertical(cr, -thickness / 2, thickness / 2, 0x6FA85A, 0x3E7D3A);
    Outline(cr, 1.2, Palette::deep, 0.9);
    for (double d = 4; d < length; d += 9) {
        cairo_move_to(cr, d, -thickness / 2 + 2);
        cairo_line_to(cr, d + 4, thickness / 2 - 2);
    }
    Outline(cr, 1, Palette::mint, 0.5);
    for (double d : {0.0, length}) {
        cairo_arc(cr, d, 0, thickness * 0.7, 0, 2 * pi);
        Fill(cr, Palette::wickerLight, 1.2);
        cairo_arc(cr, d, 0, thickness * 0.2, 0, 2 * pi);
        Fill(cr, Palette::wickerDark, 0);
    }
    cairo_restore(cr);
}

void Clock(cairo_t* cr, double x, double y, double r, double hand)
{
    for (int p = 0; p < 12; ++p) {
        const double a = 2 * pi * p / 12;
        cairo_arc(cr, x + r * 0.85 * std::cos(a), y + r * 0.85 * std::sin(a), r * 0.28, 0, 2 * pi);
        Fill(cr, 0xFFFFFF, 0.8);
    }
    cairo_arc(cr, x, y, r * 0.75, 0, 2 * pi);
    Fill(cr, 0xFFF8E0, 1);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + r * 0.6 * std::sin(hand), y - r * 0.6 * std::cos(hand));
    Outline(cr, 2, Palette::deep, 1);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x, y - r * 0.42);
    Outline(cr, 2, Palette::deep, 1);
}

void Leaf(cairo_t* cr, double x, double y, double length, double angle, uint32_t colour)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.38, length * 0.75, -length * 0.3, length, 0);
    cairo_curve_to(cr, length * 0.75, length * 0.3, length * 0.3, length * 0.38, 0, 0);
    cairo_restore(cr);
    Fill(cr, colour, 0.8);
}

void Medal(cairo_t* cr, double x, double y, double r, uint32_t metal, uint32_t ribbon)
{
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, x + side * r * 0.2, y - r * 0.6);
        cairo_line_to(cr, x + side * r * 0.9, y - r * 2.0);
        cairo_line_to(cr, x + side * r * 0.25, y - r * 2.0);
        cairo_line_to(cr, x - side * r * 0.2, y - r * 0.8);
        cairo_close_path(cr);
        Fill(cr, side < 0 ? ribbon : 0x4E7FD9, 1);
    }
    cairo_arc(cr, x, y, r, 0, 2 * pi);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 1, x, y, r);
    AddStop(g, 0, 0xFFFFFF);
    AddStop(g, 0.35, metal);
    AddStop(g, 1, metal, 1);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr, 1.5, 0x5A3A12, 0.9);
    cairo_arc(cr, x, y, r * 0.72, 0, 2 * pi);
    Outline(cr, 1, 0x5A3A12, 0.5);
    for (int p = 0; p < 5; ++p) {
        const double a = 2 * pi * p / 5 - pi / 2;
        cairo_arc(cr, x + r * 0.28 * std::cos(a), y + r * 0.28 * std::sin(a), r * 0.2, 0, 2 * pi);
        SetColour(cr, 0xFFFFFF, 0.45);
        cairo_fill(cr);
    }
}

void Label(cairo_t* cr, const char* text, double x, double y, double size, uint32_t colour)
{
    SetSerifBold(cr);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_move_to(cr, x - e.width / 2 - e.x_bearing, y - e.height / 2 - e.y_bearing);
    cairo_text_path(cr, text);
    SetColour(cr, Palette::titleOutline);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
}

// --- the pictures -----------------------------------------------------------------------------------------

using Picture = std::function<void(cairo_t*)>;

struct Tip {
    const char* name;
    Picture draw;
};

const Tip tips[] = {
    {"tip_swap",
     [](cairo_t* cr) {
         const int row[] = {1, 3, 1, 1, 5};
         for (int i = 0; i < 5; ++i)
             Chip(cr, 48 + 40 * i, 84, 38, row[i]);
         Glow(cr, 88, 64, 40, 0xFFE9A8, 0.6);
         Chip(cr, 88, 84, 38, 3);
         Chip(cr, 88, 42, 38, 1);
         Arrow(cr, 114, 40, 114, 78, -0.45);
         Arrow(cr, 62, 86, 62, 48, -0.45);
     }},
    {"tip_baskets",
     [](cairo_t* cr) {
         Belt(cr, 24, 100, 232, 100, 12);
         Basket(cr, 92, 92, 50);
         Tag(cr, 92, 110, 4, "3");
         Basket(cr, 176, 92, 44, 0x4E7FD9);
         for (int i = 0; i < 3; ++i)
             Chip(cr, 28 + 26 * i, 30, 24, 4);
         Arrow(cr, 102, 28, 104, 52, -0.5);
     }},
    {"tip_bonus",
     [](cairo_t* cr) {
         for (int i = 0; i < 4; ++i)
             Chip(cr, 36 + 36 * i, 64, 34, 3);
         Arrow(cr, 184, 64, 202, 64, 0);
         Glow(cr, 226, 64, 32);
         Chip(cr, 226, 64, 38, 3);
         cairo_arc(cr, 226, 64, 17, 0, 2 * pi);
         Outline(cr, 2.5, 0xF2B541, 1);
         Sparkle(cr, 242, 46, 7);
         Sparkle(cr, 212, 82, 5);
     }},
    {"tip_places",
     [](cairo_t* cr) {
         for (int i = 0; i < 3; ++i) {
             RoundedRectangle(cr, 22 + 62 * i, 96, 52, 10, 4);
             Fill(cr, Palette::wickerMid);
             Basket(cr, 48 + 62 * i, 96, 44, i == 1 ? 0x4E7FD9 : 0xE0457B);
             Tag(cr, 48 + 62 * i, 113, i * 2, i == 2 ? "2" : "4");
         }
         Clock(cr, 218, 62, 28, 2.2);
     }},
    {"tip_powerups",
     [](cairo_t* cr) {
         for (int i = 0; i < 3; ++i)
             Chip(cr, 60 + 46 * i, 64, 42, i * 2);
         Glow(cr, 106, 64, 34);
         Chip(cr, 106, 64, 42, 2);
         cairo_arc(cr, 120, 50, 12, 0, 2 * pi);
         Fill(cr, 0xF2B541, 1.2);
         Flower(cr, 120, 50, 8, 2);
         Sparkle(cr, 134, 36, 7);
         Sparkle(cr, 80, 38, 5);
         Sparkle(cr, 208, 90, 6);
         // A ribboned gift beside the board.
         RoundedRectangle(cr, 192, 52, 36, 30, 3);
         Fill(cr, 0xE0457B);
         cairo_rectangle(cr, 206, 52, 8, 30);
         Fill(cr, 0xF6C534, 1);
         cairo_arc(cr, 204, 48, 6, 0, 2 * pi);
         cairo_arc(cr, 216, 48, 6, 0, 2 * pi);
         Fill(cr, 0xF6C534, 1);
     }},
    {"tip_layers",
     [](cairo_t* cr) {
         // Leaves over turf, then turf, then the bare tile: each match on the cell takes one layer.
         for (int step = 0; step < 3; ++step) {
             const double x = 48 + 80 * step, y = 64;
             Tile(cr, x, y, 50);
             if (step < 2) {
                 RoundedRectangle(cr, x - 23, y - 23, 46, 46, 8);
                 FillVertical(cr, y - 23, y + 23, 0x8CC26A, 0x4E8A4A);
                 cairo_new_path(cr);
                 for (int i = 0; i < 7; ++i) {
                     const double a = i * 0.9;
                     cairo_arc(cr, x + 14 * std::cos(a), y + 14 * std::sin(a), 5, 0, 2 * pi);
                     SetColour(cr, Palette::mint, 0.5);
                     cairo_fill(cr);
                 }
             }
             if (step < 1)
                 for (int i = 0; i < 12; ++i)
                     Leaf(cr, x - 18 + 11 * (i % 4), y - 15 + 11 * (i / 4), 12, 0.9 * i,
                          i % 3 == 0 ? 0xE8A040 : i % 3 == 1 ? 0xA06A3A : 0xC98A4A);
             Flower(cr, x, y, 14, 3);
             if (step < 2)
                 Arrow(cr, x + 30, y, x + 48, y, 0, Palette::fresh);
         }
         Sparkle(cr, 222, 36, 6);
     }},
    {"tip_horn",
     [](cairo_t* cr) {
         // A golden trumpet flower blowing flowers onto the board.
         cairo_move_to(cr, 20, 100);
         cairo_curve_to(cr, 40, 70, 60, 70, 80, 62);
         Outline(cr, 4, Palette::leaf, 1);
         cairo_move_to(cr, 74, 58);
         cairo_line_to(cr, 118, 36);
         cairo_line_to(cr, 128, 66);
         cairo_line_to(cr, 80, 68);
         cairo_close_path(cr);
         cairo_pattern_t* g = cairo_pattern_create_linear(74, 40, 128, 70);
         AddStop(g, 0, 0xFFE066);
         AddStop(g, 1, 0xF2B541);
         cairo_set_source(cr, g);
         cairo_fill_preserve(cr);
         cairo_pattern_destroy(g);
         Outline(cr, 1.5, 0x8A5A12, 0.9);
         cairo_save(cr);
         cairo_translate(cr, 123, 51);
         cairo_rotate(cr, -0.35);
         cairo_scale(cr, 0.45, 1);
         cairo_arc(cr, 0, 0, 18, 0, 2 * pi);
         cairo_restore(cr);
         Fill(cr, 0xFFF1C1, 1.5);
         for (int i = 0; i < 4; ++i)
             Chip(cr, 156 + 26 * (i % 3), 40 + 30 * (i / 3) + 10 * (i % 2), 24, i + 1);
         Sparkle(cr, 148, 24, 6);
         Sparkle(cr, 232, 92, 6);
         Flower(cr, 200, 100, 10, 0);
     }},
    {"tip_scissors",
     [](cairo_t* cr) {
         for (int r = 0; r < 3; ++r)
             for (int c = 0; c < 3; ++c)
                 Chip(cr, 44 + 30 * c, 34 + 30 * r, 29, (r * 3 + c * 2) % 6);
         cairo_rectangle(cr, 29, 19, 90, 90);
         const double dashes[] = {5, 4};
         cairo_set_dash(cr, dashes, 2, 0);
         Outline(cr, 2, Palette::warning, 0.9);
         cairo_set_dash(cr, nullptr, 0, 0);
         // Garden scissors.
         cairo_save(cr);
         cairo_translate(cr, 180, 64);
         cairo_rotate(cr, -0.5);
         for (double side : {-1.0, 1.0}) {
             cairo_move_to(cr, 0, 0);
             cairo_line_to(cr, -52, side * 6);
             cairo_line_to(cr, -52, side * 2);
             cairo_close_path(cr);
             Fill(cr, Palette::silver, 1.2);
             cairo_save(cr);
             cairo_translate(cr, 20, side * 12);
             cairo_scale(cr, 1.3, 0.8);
             cairo_arc(cr, 0, 0, 10, 0, 2 * pi);
             cairo_restore(cr);
             SetColour(cr, Palette::ink, 0.9);
             cairo_set_line_width(cr, 7);
             cairo_stroke_preserve(cr);
             SetColour(cr, Palette::leaf);
             cairo_set_line_width(cr, 4.5);
             cairo_stroke(cr);
         }
         cairo_arc(cr, 0, 0, 3, 0, 2 * pi);
         Fill(cr, 0xF2B541, 1);
         cairo_restore(cr);
         Leaf(cr, 132, 24, 12, 0.6, Palette::fresh);
         Leaf(cr, 140, 100, 11, -0.8, Palette::leaf);
     }},
    {"tip_timer",
     [](cairo_t* cr) {
         Basket(cr, 96, 80, 60);
         Tag(cr, 96, 96, 5, "5");
         RoundedRectangle(cr, 56, 110, 80, 9, 4);
         Fill(cr, 0xFFF6E0, 1);
         RoundedRectangle(cr, 57, 111, 44, 7, 3.5);
         cairo_pattern_t* g = cairo_pattern_create_linear(57, 0, 136, 0);
         AddStop(g, 0, 0x6DB35A);
         AddStop(g, 0.5, 0xF6C534);
         AddStop(g, 1, Palette::warning);
         cairo_set_source(cr, g);
         cairo_fill(cr);
         cairo_pattern_destroy(g);
         Clock(cr, 190, 60, 30, 4.2);
     }},
    {"tip_stones",
     [](cairo_t* cr) {
         for (int r = 0; r < 3; ++r)
             for (int c = 0; c < 4; ++c)
                 Chip(cr, 56 + 34 * c, 28 + 34 * r, 33, r == 1 && c == 1 ? 6 : (r + c * 5) % 6);
         cairo_move_to(cr, 30, 116);
         cairo_line_to(cr, 188, 116);
         Outline(cr, 3, Palette::wickerDark, 0.9);
         Stone(cr, 222, 26, 13);
         Arrow(cr, 222, 46, 222, 104, 0, 0xB4B8C0);
     }},
    {"tip_two_columns",
     [](cairo_t* cr) {
         for (int r = 0; r < 3; ++r)
             for (int c = 0; c < 3; ++c)
                 Chip(cr, 98 + 30 * c, 34 + 30 * r, 29, (r * 2 + c) % 6);
         for (int i = 0; i < 2; ++i) {
             Basket(cr, 40, 56 + 50 * i, 40, 0xE0457B);
             Basket(cr, 216, 56 + 50 * i, 40, 0x4E7FD9);
         }
     }},
    {"tip_frozen",
     [](cairo_t* cr) {
         for (int i = 0; i < 3; ++i)
             Chip(cr, 64 + 44 * i, 64, 42, 5);
         // The middle one in an ice cube.
         RoundedRectangle(cr, 84, 41, 48, 46, 6);
         cairo_pattern_t* g = cairo_pattern_create_linear(84, 41, 132, 87);
         AddStop(g, 0, 0xFFFFFF, 0.75);
         AddStop(g, 0.5, Palette::iceLight, 0.5);
         AddStop(g, 1, Palette::ice, 0.7);
         cairo_set_source(cr, g);
         cairo_fill_preserve(cr);
         cairo_pattern_destroy(g);
         Outline(cr, 1.5, 0x3A7AB0, 0.9);
         cairo_move_to(cr, 90, 50);
         cairo_line_to(cr, 102, 46);
         Outline(cr, 2, 0xFFFFFF, 0.9);
         Sparkle(cr, 196, 40, 8, 0xFFFFFF);
         Sparkle(cr, 212, 84, 6, 0xBFE6FF);
         Arrow(cr, 178, 64, 222, 64, 0, Palette::iceLight);
     }},
    {"tip_two_conveyors",
     [](cairo_t* cr) {
         for (double x : {34.0, 222.0}) {
             Belt(cr, x, 16, x, 112, 10);
             Basket(cr, x, 52, 36, x < 100 ? 0xE0457B : 0x4E7FD9);
             Basket(cr, x, 100, 36, 0xF6C534);
         }
         for (int r = 0; r < 3; ++r)
             for (int c = 0; c < 3; ++c)
                 Chip(cr, 98 + 30 * c, 34 + 30 * r, 29, (r + c * 2) % 6);
     }},
    {"tip_effects",
     [](cairo_t* cr) {
         for (int c = 0; c < 6; ++c)
             Chip(cr, 38 + 36 * c, 64, 34, (c * 4) % 6);
         Glow(cr, 110, 64, 60, 0xFFE9A8, 0.95);
         for (double dir : {-1.0, 1.0})
             Arrow(cr, 110 + dir * 22, 64, 110 + dir * 96, 64, 0, 0xFFF3B0);
         Chip(cr, 110, 64, 36, 2);
         cairo_arc(cr, 110, 64, 16, 0, 2 * pi);
         Outline(cr, 2.5, 0xF2B541, 1);
         for (int i = 0; i < 6; ++i)
             Sparkle(cr, 40 + 36 * i, 30 + 66 * (i % 2), 5 + (i % 3));
     }},
    {"tip_tornado",
     [](cairo_t* cr) {
         for (int r = 0; r < 3; ++r)
             for (int c = 0; c < 6; ++c)
                 Chip(cr, 38 + 36 * c, 28 + 36 * r, 34, (r * 3 + c) % 6);
         Glow(cr, 128, 64, 58, 0xFFFFFF, 0.6);
         for (int i = 0; i < 3; ++i) {
             cairo_new_path(cr);
             for (int s = 0; s <= 60; ++s) {
                 const double a = s * 0.2 + i * 2.1, rr = 6 + s * 0.75;
                 cairo_line_to(cr, 128 + rr * std::cos(a), 64 + rr * 0.7 * std::sin(a));
             }
             Outline(cr, 2.5, i == 1 ? 0xF2B541 : Palette::leaf, 0.85);
         }
         for (int i = 0; i < 8; ++i) {
             const double a = i * 0.8, rr = 14 + i * 6;
             Leaf(cr, 128 + rr * std::cos(a), 64 + rr * 0.7 * std::sin(a), 10, a + 1.6,
                  i % 2 ? Palette::fresh : 0xF59BB6);
         }
     }},
    {"tip_chains",
     [](cairo_t* cr) {
         for (int c = 0; c < 5; ++c)
             Chip(cr, 48 + 36 * c, 92, 34, c == 2 ? 4 : (c * 5 + 1) % 6);
         for (int c : {1, 3})
             Chip(cr, 48 + 36 * c, 92, 34, 4);
         Chip(cr, 120, 38, 34, 4);
         Arrow(cr, 120, 58, 120, 70, 0, Palette::fresh);
         Glow(cr, 120, 92, 40, 0xFFE9A8, 0.5);
         for (int c : {1, 2, 3}) {
             cairo_arc(cr, 48 + 36 * c, 92, 15, 0, 2 * pi);
             Outline(cr, 2, 0xF2B541, 0.9);
         }
         Label(cr, "×2", 214, 36, 26, 0xFFD66B);
     }},
    {"tip_target",
     [](cairo_t* cr) {
         // The panel's goal icon and the flowers it asks for.
         RoundedRectangle(cr, 24, 78, 120, 36, 8);
         Fill(cr, Palette::wickerMid);
         RoundedRectangle(cr, 32, 84, 24, 24, 4);
         Fill(cr, 0xFFF6E0, 1);
         Flower(cr, 44, 96, 10, 1);
         RoundedRectangle(cr, 64, 90, 72, 12, 6);
         Fill(cr, 0x3E2A1A, 1);
         RoundedRectangle(cr, 65, 91, 40, 10, 5);
         Fill(cr, 0x8CC26A, 0);
         for (int i = 0; i < 3; ++i)
             Chip(cr, 150 + 34 * i, 40, 32, 1);
         Glow(cr, 44, 96, 26, 0xFFE9A8, 0.55);
         Flower(cr, 44, 96, 10, 1);
         Arrow(cr, 64, 70, 140, 46, -0.2);
     }},
    {"relax",
     [](cairo_t* cr) {
         // A snail beside a basket that waits, and a clock put to sleep.
         Basket(cr, 80, 100, 60);
         Flower(cr, 66, 54, 9, 0);
         Flower(cr, 88, 50, 9, 5);
         cairo_move_to(cr, 130, 106);
         cairo_curve_to(cr, 150, 110, 190, 110, 214, 104);
         cairo_curve_to(cr, 222, 96, 218, 90, 210, 92);
         cairo_line_to(cr, 130, 100);
         cairo_close_path(cr);
         Fill(cr, 0xD9C28A);
         cairo_new_path(cr);
         for (int s = 0; s <= 50; ++s) {
             const double a = s * 0.3, rr = 24 - s * 0.45;
             cairo_line_to(cr, 168 + rr * std::cos(a), 82 + rr * std::sin(a));
         }
         cairo_arc(cr, 168, 82, 24, 0, 2 * pi);
         SetColour(cr, 0xC98A4A);
         cairo_fill(cr);
         for (int s = 0; s <= 50; ++s) {
             const double a = s * 0.3, rr = 24 - s * 0.45;
             s ? cairo_line_to(cr, 168 + rr * std::cos(a), 82 + rr * std::sin(a))
               : cairo_move_to(cr, 168 + rr * std::cos(a), 82 + rr * std::sin(a));
         }
         Outline(cr, 2, Palette::wickerDark, 0.9);
         cairo_arc(cr, 168, 82, 24, 0, 2 * pi);
         Outline(cr, 1.5);
         for (double dx : {0.0, 7.0}) {
             cairo_move_to(cr, 210 + dx * 0.3, 94);
             cairo_line_to(cr, 214 + dx, 80);
             Outline(cr, 1.5, Palette::ink, 0.9);
             cairo_arc(cr, 214 + dx, 80, 2.2, 0, 2 * pi);
             Fill(cr, Palette::ink, 0);
         }
         Label(cr, "z", 200, 40, 14, 0xFFF8E8);
         Label(cr, "z", 214, 28, 18, 0xFFF8E8);
         Label(cr, "z", 232, 14, 22, 0xFFF8E8);
     }},
    {"order",
     [](cairo_t* cr) {
         Medal(cr, 64, 84, 24, Palette::copper, 0xE0457B);
         Medal(cr, 128, 78, 28, Palette::silver, 0xE0457B);
         Medal(cr, 192, 84, 24, Palette::gold, 0xE0457B);
         Sparkle(cr, 212, 52, 7);
         Sparkle(cr, 150, 40, 5);
     }},
};

} // namespace

const Area& TipArea()
{
    static const Area area = [] {
        Area a{"tip pictures", {}, {}};
        for (const Tip& tip : tips)
            a.images.push_back({std::string("gui\\tip_window\\") + tip.name + ".jpg", width, height, true});
        return a;
    }();
    return area;
}

void WriteTipPictures(DataTree& tree)
{
    for (const Tip& tip : tips) {
        // A paper card with a wicker edge; the picture drawn over it.
        Canvas c(width, height);
        cairo_t* cr = c.Get();
        RoundedRectangle(cr, 3, 3, width - 6, height - 6, 14);
        FillVertical(cr, 3, height - 3, Palette::paper, Palette::paperShade);
        SetColour(cr, Palette::wickerMid);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        RoundedRectangle(cr, 7, 7, width - 14, height - 14, 11);
        SetColour(cr, Palette::wickerLight, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_save(cr);
        RoundedRectangle(cr, 4, 4, width - 8, height - 8, 13);
        cairo_clip(cr);
        tip.draw(cr);
        cairo_restore(cr);
        c.WritePair(tree, std::string("data\\gui\\tip_window\\") + tip.name + ".jpg");
    }
}

} // namespace DataBuild

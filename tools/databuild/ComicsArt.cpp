// The comics: four paper backs and the story panels (three intro comics and the one before the festival),
// drawn as flat warm illustrations. The captions are drawn by the game over the panels; each picture
// keeps a cream plate under its caption blocks, read back from the caption files written before.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

namespace DataBuild {

namespace {

const std::string folder = "gui\\comics\\";

struct Rect {
    float x0, y0, x1, y1;
};

// The panels of each comics in screen coordinates (comics 0-2 are stored centred on the origin).
const std::vector<Rect> layouts[4] = {
    {{40, 320, 400, 560}, {410, 300, 760, 560}, {120, 40, 680, 290}},
    {{40, 310, 390, 560}, {410, 310, 760, 560}, {40, 40, 390, 290}, {410, 40, 760, 290}},
    {{40, 310, 390, 560}, {410, 310, 760, 560}, {40, 40, 390, 290}, {410, 40, 760, 290}},
    {{30, 330, 390, 570}, {410, 330, 770, 570}, {30, 60, 270, 310}, {280, 60, 520, 310}, {530, 60, 770, 310}},
};
// Each panel leans a little, in degrees.
constexpr float tilts[5] = {-0.7f, 0.5f, 0.4f, -0.5f, 0.6f};

// Cells of comics_N.jpg: 480 x 320, two columns and three rows, 32-texel gutters.
constexpr int cellW = 480, cellH = 320, picture = 1024;
int CellX(int m) { return 16 + (cellW + 32) * (m % 2); }
int CellY(int m) { return (cellH + 32) * (m / 2); }
// The panel's picture keeps the panel's proportions, centred in its cell: texels per unit.
float CellScale(const Rect& r) { return std::min(cellW / (r.x1 - r.x0), cellH / (r.y1 - r.y0)); }

// --- caption plates ------------------------------------------------------------------------------------

struct Caption {
    float x, y;
    std::vector<size_t> lineLengths; // characters
};

// The caption blocks of one panel: count, then per block x, y, line count and one token per line.
std::vector<Caption> ReadCaptions(const DataTree& tree, int n, int m)
{
    std::ifstream file(tree.PathOf("data\\gui\\comics\\text\\ru\\comics_" + std::to_string(n) + "_pic_" +
                                   std::to_string(m) + ".ini"),
                       std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    std::istringstream words(text);
    std::vector<Caption> captions;
    size_t blocks = 0;
    words >> blocks;
    for (size_t b = 0; b < blocks && words; ++b) {
        Caption caption{};
        size_t lines = 0;
        words >> caption.x >> caption.y >> lines;
        for (size_t l = 0; l < lines; ++l) {
            std::string token;
            words >> token;
            size_t characters = 0;
            for (unsigned char c : token)
                characters += (c & 0xC0) != 0x80;
            caption.lineLengths.push_back(characters);
        }
        captions.push_back(caption);
    }
    return captions;
}

// --- drawing helpers (panel units, y down) ---------------------------------------------------------------

void Outline(cairo_t* cr, double width = 1.5, uint32_t colour = Palette::ink, double alpha = 0.8)
{
    SetColour(cr, colour, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Fill(cairo_t* cr, uint32_t colour, double outline = 1.5)
{
    SetColour(cr, colour);
    cairo_fill_preserve(cr);
    if (outline > 0)
        Outline(cr, outline);
    else
        cairo_new_path(cr);
}

void Sky(cairo_t* cr, double w, double h, uint32_t top, uint32_t bottom)
{
    cairo_rectangle(cr, 0, 0, w, h);
    FillVertical(cr, 0, h, top, bottom);
    cairo_new_path(cr);
}

// A room of Marta's cottage: striped wallpaper over a plank floor from `floor` down.
void Room(cairo_t* cr, double w, double h, double floor)
{
    Sky(cr, w, floor, 0xF7E8CC, 0xF4E0BE);
    for (double x = 8; x < w; x += 22) {
        cairo_rectangle(cr, x, 0, 8, floor);
        SetColour(cr, 0xEFD3A8, 0.55);
        cairo_fill(cr);
        for (double y = 14; y < floor - 8; y += 36) {
            cairo_arc(cr, x + 15, y + (int(x) % 2) * 18, 2.2, 0, 2 * pi);
            SetColour(cr, 0xE0A0A8, 0.6);
            cairo_fill(cr);
        }
    }
    cairo_rectangle(cr, 0, floor, w, h - floor);
    FillVertical(cr, floor, h, 0xD9A86A, 0xA06A3A);
    cairo_new_path(cr);
    for (double y = floor + 10; y < h; y += 12) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, w, y);
    }
    SetColour(cr, Palette::wickerDark, 0.3);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, 0, floor - 5, w, 6);
    Fill(cr, 0x8A5A32, 1);
}

void Sun(cairo_t* cr, double x, double y, double r, uint32_t colour = Palette::sun)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, r * 0.6, x, y, r * 2.4);
    AddStop(g, 0, colour, 0.8);
    AddStop(g, 1, colour, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, r * 2.4, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, x, y, r, 0, 2 * pi);
    SetColour(cr, colour);
    cairo_fill(cr);
}

// A rolling band of hills from y (its mean top) to the bottom.
void Hills(cairo_t* cr, double w, double h, double y, double amplitude, uint32_t top, uint32_t bottom, uint32_t seed)
{
    cairo_move_to(cr, 0, h);
    for (int i = 0; i <= 40; ++i) {
        const double x = w * i / 40;
        cairo_line_to(cr, x, y + amplitude * (std::sin(x / w * 5 + seed) * 0.6 + std::sin(x / w * 11 + 2 * seed) * 0.4));
    }
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    FillVertical(cr, y - amplitude, h, top, bottom);
    cairo_new_path(cr);
}

void Cloud(cairo_t* cr, double x, double y, double s, double alpha = 0.9)
{
    cairo_new_path(cr);
    cairo_arc(cr, x, y, 10 * s, 0, 2 * pi);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 12 * s, y - 6 * s, 12 * s, 0, 2 * pi);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 26 * s, y, 10 * s, 0, 2 * pi);
    cairo_new_sub_path(cr);
    cairo_rectangle(cr, x, y, 26 * s, 10 * s);
    SetColour(cr, 0xFFFFFF, alpha);
    cairo_fill(cr);
}

void Blossom(cairo_t* cr, double x, double y, double r, uint32_t colour, uint32_t heart = 0xFFE066, int petals = 5)
{
    for (int p = 0; p < petals; ++p) {
        const double a = 2 * pi * p / petals + 0.3;
        cairo_new_path(cr);
        cairo_arc(cr, x + r * 0.55 * std::cos(a), y + r * 0.55 * std::sin(a), r * 0.48, 0, 2 * pi);
        SetColour(cr, colour);
        cairo_fill(cr);
    }
    cairo_arc(cr, x, y, r * 0.3, 0, 2 * pi);
    SetColour(cr, heart);
    cairo_fill(cr);
}

const uint32_t flowerColours[] = {0xE0457B, 0xF6C534, 0x4E7FD9, 0x8E5CC2, 0xF28C28, 0xF59BB6, 0xFFFFFF, 0xE8452E};

// A row of flowers on stems along y, from x0 to x1.
void FlowerBed(cairo_t* cr, double x0, double x1, double y, double size, uint32_t seed)
{
    for (double x = x0; x < x1; x += size * 1.6) {
        const double top = y - size * (1.5 + Fraction(seed + uint32_t(x)) * 1.2);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 2, top);
        SetColour(cr, Palette::leaf);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        Blossom(cr, x + 2, top, size, flowerColours[uint32_t(Fraction(seed + 7 * uint32_t(x)) * 8) % 8]);
    }
}

struct Look {
    uint32_t clothes, hair, skin = 0xF2C9A0;
    bool grandmother = false; // grey bun, shawl, apron
    bool hat = false;         // straw hat
};
const Look marta{0x5E8F5A, 0xD8D8DE, 0xF2C9A0, true, false};
const Look player{0x4E7FD9, 0x7A4A22, 0xF2C9A0, false, true};
const Look neighbours[3] = {{0xD9479A, 0x3A2A1A}, {0xF28C28, 0xC07A45}, {0x8E5CC2, 0x5A3A12, 0xE0B48A}};

// A friendly figure standing with its feet at (x, y), `height` tall; arm angles in radians from hanging
// down (positive: raised towards its side).
void Person(cairo_t* cr, double x, double y, double height, const Look& look, double leftArm = 0.3,
            double rightArm = 0.3, bool sling = false)
{
    const double u = height / 100;
    const double headR = 12 * u, headY = y - height + headR, shoulderY = headY + headR + 4 * u;
    // Shadow.
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1, 0.25);
    cairo_arc(cr, 0, 0, 22 * u, 0, 2 * pi);
    cairo_restore(cr);
    SetColour(cr, 0x000000, 0.18);
    cairo_fill(cr);
    // Legs.
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, x + side * 6 * u, y - 20 * u);
        cairo_line_to(cr, x + side * 7 * u, y - 2 * u);
        SetColour(cr, look.grandmother ? 0x6B4A3A : 0x5A3A2A);
        cairo_set_line_width(cr, 6 * u);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    // Arms behind the body's outline.
    auto arm = [&](double side, double angle) {
        const double sx = x + side * 13 * u, sy = shoulderY + 4 * u;
        const double ex = sx + side * std::sin(angle) * 30 * u, ey = sy + std::cos(angle) * 30 * u;
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, ex, ey);
        SetColour(cr, Palette::ink, 0.8);
        cairo_set_line_width(cr, 9 * u);
        cairo_stroke_preserve(cr);
        SetColour(cr, look.clothes);
        cairo_set_line_width(cr, 6.5 * u);
        cairo_stroke(cr);
        cairo_arc(cr, ex, ey, 4 * u, 0, 2 * pi);
        Fill(cr, look.skin, 1);
    };
    arm(-1, leftArm);
    if (!sling)
        arm(1, rightArm);
    // Body: a dress for Marta, a shirt and trousers for the others.
    cairo_move_to(cr, x - 12 * u, shoulderY);
    cairo_line_to(cr, x + 12 * u, shoulderY);
    cairo_curve_to(cr, x + 16 * u, shoulderY + 20 * u, x + 20 * u, y - 30 * u, x + 22 * u, y - 18 * u);
    cairo_line_to(cr, x - 22 * u, y - 18 * u);
    cairo_curve_to(cr, x - 20 * u, y - 30 * u, x - 16 * u, shoulderY + 20 * u, x - 12 * u, shoulderY);
    cairo_close_path(cr);
    Fill(cr, look.clothes);
    if (look.grandmother) {
        // Apron and shawl.
        RoundedRectangle(cr, x - 9 * u, shoulderY + 16 * u, 18 * u, y - 22 * u - shoulderY - 16 * u, 4 * u);
        Fill(cr, 0xFFF6E0, 1);
        cairo_move_to(cr, x - 15 * u, shoulderY - 1 * u);
        cairo_curve_to(cr, x - 8 * u, shoulderY + 14 * u, x + 8 * u, shoulderY + 14 * u, x + 15 * u, shoulderY - 1 * u);
        cairo_close_path(cr);
        Fill(cr, 0xB38BE0, 1);
    }
    if (sling) {
        // The hurt wrist in a white sling across the chest.
        cairo_move_to(cr, x + 12 * u, shoulderY + 2 * u);
        cairo_line_to(cr, x - 6 * u, shoulderY + 24 * u);
        cairo_line_to(cr, x + 10 * u, shoulderY + 28 * u);
        cairo_close_path(cr);
        Fill(cr, 0x9CC8F0, 1.4);
        RoundedRectangle(cr, x - 4 * u, shoulderY + 18 * u, 14 * u, 7 * u, 3 * u);
        Fill(cr, look.skin, 1);
        RoundedRectangle(cr, x + 1 * u, shoulderY + 17 * u, 5 * u, 9 * u, 1.5 * u);
        Fill(cr, 0xFFFFFF, 1);
    }
    // Head, hair, face.
    cairo_arc(cr, x, headY, headR, 0, 2 * pi);
    Fill(cr, look.skin);
    if (look.grandmother) {
        cairo_arc(cr, x, headY - headR * 0.95, headR * 0.5, 0, 2 * pi);
        Fill(cr, look.hair, 1.2);
        cairo_arc(cr, x, headY - headR * 0.15, headR * 1.02, pi * 1.05, pi * 1.95);
        cairo_close_path(cr);
        Fill(cr, look.hair, 1.2);
    } else {
        cairo_arc(cr, x, headY - headR * 0.1, headR * 1.03, pi * 1.0, pi * 2.0);
        cairo_close_path(cr);
        Fill(cr, look.hair, 1.2);
    }
    if (look.hat) {
        cairo_save(cr);
        cairo_translate(cr, x, headY - headR * 0.55);
        cairo_scale(cr, 1, 0.28);
        cairo_arc(cr, 0, 0, headR * 1.9, 0, 2 * pi);
        cairo_restore(cr);
        Fill(cr, Palette::straw, 1.2);
        cairo_arc(cr, x, headY - headR * 0.6, headR * 0.85, pi, 2 * pi);
        cairo_close_path(cr);
        Fill(cr, Palette::straw, 1.2);
        cairo_rectangle(cr, x - headR * 0.85, headY - headR * 0.85, headR * 1.7, headR * 0.25);
        Fill(cr, Palette::warning, 0);
    }
    // Eyes, cheeks and a smile.
    for (double side : {-1.0, 1.0}) {
        cairo_arc(cr, x + side * headR * 0.38, headY + headR * 0.1, headR * 0.11, 0, 2 * pi);
        SetColour(cr, Palette::ink);
        cairo_fill(cr);
        cairo_arc(cr, x + side * headR * 0.55, headY + headR * 0.42, headR * 0.16, 0, 2 * pi);
        SetColour(cr, 0xE0457B, 0.35);
        cairo_fill(cr);
    }
    cairo_arc(cr, x, headY + headR * 0.3, headR * 0.35, 0.2 * pi, 0.8 * pi);
    Outline(cr, std::max(1.0, 1.4 * u), Palette::ink, 0.9);
    if (look.grandmother) {
        // Round spectacles.
        for (double side : {-1.0, 1.0}) {
            cairo_arc(cr, x + side * headR * 0.38, headY + headR * 0.1, headR * 0.26, 0, 2 * pi);
            Outline(cr, std::max(0.8, 1.0 * u), 0x6B4423, 0.9);
        }
    }
}

void Basket(cairo_t* cr, double x, double y, double w, bool flowers, uint32_t seed)
{
    const double h = w * 0.55;
    if (flowers)
        for (int i = 0; i < 5; ++i)
            Blossom(cr, x - w * 0.35 + w * 0.175 * i, y - h - w * 0.08 - 4 * Fraction(seed + i), w * 0.14,
                    flowerColours[(seed + i) % 8]);
    cairo_move_to(cr, x - w / 2, y - h);
    cairo_line_to(cr, x + w / 2, y - h);
    cairo_line_to(cr, x + w * 0.4, y);
    cairo_line_to(cr, x - w * 0.4, y);
    cairo_close_path(cr);
    FillVertical(cr, y - h, y, Palette::wickerLight, Palette::wickerMid);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    for (double d = -h; d < w + h; d += w / 8) {
        cairo_move_to(cr, x - w / 2 + d, y - h);
        cairo_line_to(cr, x - w / 2 + d - h, y);
    }
    cairo_restore(cr);
    Outline(cr, 1.2, Palette::wickerDark, 0.7);
    cairo_arc(cr, x, y - h, w * 0.38, pi, 2 * pi);
    Outline(cr, std::max(2.0, w * 0.06), Palette::wickerMid, 1);
}

void Greenhouse(cairo_t* cr, double x, double y, double w, double h, double filled, bool glowing)
{
    // Glass body with a pitched roof, standing on y.
    const double wall = h * 0.55;
    auto body = [&] {
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x, y - wall);
        cairo_line_to(cr, x + w / 2, y - h);
        cairo_line_to(cr, x + w, y - wall);
        cairo_line_to(cr, x + w, y);
        cairo_close_path(cr);
    };
    body();
    cairo_pattern_t* glass = cairo_pattern_create_linear(x, y - h, x + w, y);
    if (glowing) {
        AddStop(glass, 0, 0xFFE9A8);
        AddStop(glass, 1, 0xF2B541);
    } else {
        AddStop(glass, 0, 0xE4F4FA);
        AddStop(glass, 1, 0xBFE3F2);
    }
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);
    Outline(cr, 2, 0xF4F9E8, 1);
    // Plants inside on the left part only when half empty.
    const int pots = 8;
    for (int i = 0; i < pots; ++i) {
        const double px = x + w * (i + 0.5) / pots, py = y - 6;
        const bool grown = i < pots * filled;
        RoundedRectangle(cr, px - w / pots * 0.25, py - 10, w / pots * 0.5, 10, 2);
        Fill(cr, 0xC07A45, 1);
        if (grown) {
            cairo_move_to(cr, px, py - 10);
            cairo_line_to(cr, px, py - 26);
            Outline(cr, 2, Palette::leaf, 1);
            Blossom(cr, px, py - 28, std::min(9.0, w / pots * 0.3), flowerColours[i % 8]);
        }
    }
    // Frame bars.
    for (int i = 1; i < 6; ++i) {
        const double bx = x + w * i / 6;
        const double top = bx < x + w / 2 ? y - wall - (h - wall) * (bx - x) / (w / 2)
                                          : y - wall - (h - wall) * (x + w - bx) / (w / 2);
        cairo_move_to(cr, bx, y);
        cairo_line_to(cr, bx, top);
    }
    cairo_move_to(cr, x, y - wall);
    cairo_line_to(cr, x + w, y - wall);
    cairo_move_to(cr, x, y - wall * 0.5);
    cairo_line_to(cr, x + w, y - wall * 0.5);
    Outline(cr, 2.5, 0xFFFFFF, 0.9);
    body();
    Outline(cr, 2, Palette::deep, 0.8);
    if (glowing) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(x + w / 2, y - h / 2, h * 0.3, x + w / 2, y - h / 2, h * 1.3);
        AddStop(halo, 0, 0xFFE9A8, 0.45);
        AddStop(halo, 1, 0xFFE9A8, 0);
        cairo_set_source(cr, halo);
        cairo_paint(cr);
        cairo_pattern_destroy(halo);
    }
}

void Fence(cairo_t* cr, double x0, double x1, double y, double h)
{
    cairo_rectangle(cr, x0, y - h * 0.75, x1 - x0, 4);
    cairo_rectangle(cr, x0, y - h * 0.35, x1 - x0, 4);
    Fill(cr, 0xF4EEDC, 1);
    for (double x = x0 + 4; x < x1; x += 14) {
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x, y - h + 4);
        cairo_line_to(cr, x + 4, y - h);
        cairo_line_to(cr, x + 8, y - h + 4);
        cairo_line_to(cr, x + 8, y);
        cairo_close_path(cr);
        Fill(cr, 0xFFFBF0, 1);
    }
}

void House(cairo_t* cr, double x, double y, double w, double h, uint32_t wall, uint32_t roof, bool lit = false)
{
    cairo_rectangle(cr, x, y - h, w, h);
    Fill(cr, wall);
    cairo_move_to(cr, x - 6, y - h);
    cairo_line_to(cr, x + w / 2, y - h - w * 0.45);
    cairo_line_to(cr, x + w + 6, y - h);
    cairo_close_path(cr);
    Fill(cr, roof);
    RoundedRectangle(cr, x + w * 0.2, y - h * 0.7, w * 0.25, h * 0.3, 2);
    Fill(cr, lit ? 0xFFD66B : 0xBFE3F2, 1.2);
    RoundedRectangle(cr, x + w * 0.6, y - h * 0.55, w * 0.22, h * 0.55, 2);
    Fill(cr, 0x8A5A32, 1.2);
}

void Text(cairo_t* cr, const char* text, double cx, double cy, double size, uint32_t colour, double angle = 0)
{
    SetSerifBold(cr);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -e.width / 2 - e.x_bearing, -e.height / 2 - e.y_bearing);
    cairo_text_path(cr, text);
    cairo_restore(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
}

void Lantern(cairo_t* cr, double x, double y, double s)
{
    cairo_pattern_t* halo = cairo_pattern_create_radial(x, y, 2 * s, x, y, 34 * s);
    AddStop(halo, 0, 0xFFE9A8, 0.7);
    AddStop(halo, 1, 0xFFD66B, 0);
    cairo_set_source(cr, halo);
    cairo_arc(cr, x, y, 34 * s, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
    RoundedRectangle(cr, x - 6 * s, y - 8 * s, 12 * s, 16 * s, 4 * s);
    Fill(cr, 0xFFD66B, 1.2);
    cairo_rectangle(cr, x - 7 * s, y - 11 * s, 14 * s, 3 * s);
    Fill(cr, 0x3A2A1A, 0);
}

void Stars(cairo_t* cr, double w, double h, uint32_t seed)
{
    for (int i = 0; i < 40; ++i) {
        cairo_arc(cr, Fraction(seed + 2 * i) * w, Fraction(seed + 2 * i + 1) * h, 0.8 + Fraction(seed + 100 + i) * 1.2, 0, 2 * pi);
        SetColour(cr, 0xFFF8E8, 0.5 + 0.5 * Fraction(seed + 200 + i));
        cairo_fill(cr);
    }
}

void Envelope(cairo_t* cr, double x, double y, double w, double angle, uint32_t colour = 0xFFF6E0)
{
    const double h = w * 0.62;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_rectangle(cr, -w / 2, -h / 2, w, h);
    Fill(cr, colour, 1.2);
    cairo_move_to(cr, -w / 2, -h / 2);
    cairo_line_to(cr, 0, h * 0.1);
    cairo_line_to(cr, w / 2, -h / 2);
    Outline(cr, 1.2);
    cairo_restore(cr);
}

// A small calendar sheet: 5 rows of 7, crosses through the days before `today`, a circle around it.
void CalendarSheet(cairo_t* cr, double x, double y, double w, double h, int crossed, int circled)
{
    RoundedRectangle(cr, x, y, w, h, 4);
    Fill(cr, Palette::paper);
    cairo_rectangle(cr, x, y, w, h * 0.18);
    Fill(cr, Palette::leaf, 1.2);
    Text(cr, "Июнь", x + w / 2, y + h * 0.09, h * 0.12, 0xFFF8E8);
    const double cw = w / 7, ch = h * 0.82 / 5;
    for (int d = 0; d < 30; ++d) {
        const double cx = x + cw * (d % 7 + 0.5), cy = y + h * 0.18 + ch * (d / 7 + 0.5);
        cairo_rectangle(cr, cx - cw * 0.38, cy - ch * 0.36, cw * 0.76, ch * 0.72);
        Fill(cr, d == 8 ? 0xFFE9A8 : 0xFFFBF0, 0.6);
        if (d < crossed) {
            cairo_move_to(cr, cx - cw * 0.3, cy - ch * 0.3);
            cairo_line_to(cr, cx + cw * 0.3, cy + ch * 0.3);
            cairo_move_to(cr, cx + cw * 0.3, cy - ch * 0.3);
            cairo_line_to(cr, cx - cw * 0.3, cy + ch * 0.3);
            Outline(cr, 1.6, Palette::warning, 1);
        }
        if (d == circled || (circled >= 0 && d == 8)) {
            cairo_arc(cr, cx, cy, std::min(cw, ch) * 0.48, 0, 2 * pi);
            Outline(cr, 1.6, d == 8 ? 0xE0457B : 0x3E8A3A, 1);
        }
    }
}

void Bunting(cairo_t* cr, double x0, double y0, double x1, double y1, double sag)
{
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + (x1 - x0) / 3, y0 + sag, x0 + 2 * (x1 - x0) / 3, y1 + sag, x1, y1);
    Outline(cr, 1.2, Palette::ink, 0.7);
    for (int i = 1; i < 12; ++i) {
        const double t = i / 12.0;
        const double x = x0 + (x1 - x0) * t;
        const double y = (1 - t) * (1 - t) * (1 - t) * y0 + 3 * (1 - t) * (1 - t) * t * (y0 + sag) +
                         3 * (1 - t) * t * t * (y1 + sag) + t * t * t * y1;
        cairo_move_to(cr, x - 6, y);
        cairo_line_to(cr, x + 6, y);
        cairo_line_to(cr, x, y + 13);
        cairo_close_path(cr);
        Fill(cr, flowerColours[i % 8], 0.8);
    }
}

void Conveyor(cairo_t* cr, double x0, double x1, double y)
{
    RoundedRectangle(cr, x0, y, x1 - x0, 12, 6);
    Fill(cr, 0x5E636B);
    for (double x = x0 + 10; x < x1 - 4; x += 18) {
        cairo_arc(cr, x, y + 6, 3, 0, 2 * pi);
        Fill(cr, 0xC9CED6, 0.8);
    }
    for (double x : {x0 + 20, x1 - 20}) {
        cairo_rectangle(cr, x - 3, y + 12, 6, 24);
        Fill(cr, 0x6B4423, 1);
    }
}

// --- the sixteen panels ------------------------------------------------------------------------------------

using Scene = std::function<void(cairo_t*, double w, double h)>;

void MorningLand(cairo_t* cr, double w, double h)
{
    Sky(cr, w, h, Palette::skyTop, Palette::horizon);
    Sun(cr, w * 0.8, h * 0.3, 18);
    Cloud(cr, w * 0.45, h * 0.25, 1.2);
    Hills(cr, w, h, h * 0.55, 10, 0xA9D38A, 0x8CC26A, 1);
    Hills(cr, w, h, h * 0.72, 8, 0x8CC26A, 0x6FA85A, 4);
}

const std::vector<Scene> scenes[4] = {
    {
        // The little train arrives in June.
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            House(cr, w * 0.12, h * 0.62, 34, 26, 0xFFF6E0, 0xC05A45);
            House(cr, w * 0.24, h * 0.6, 28, 22, 0xF4E4C8, 0x6B8ACB);
            // Track.
            cairo_rectangle(cr, 0, h * 0.84, w, 5);
            Fill(cr, 0x8A6A4A, 0);
            for (double x = 4; x < w; x += 14) {
                cairo_rectangle(cr, x, h * 0.84 + 4, 8, 4);
                Fill(cr, 0x6B4423, 0);
            }
            const double tx = w * 0.5, ty = h * 0.84;
            // Carriages and engine.
            for (int c = 0; c < 2; ++c) {
                const double cx = tx + 10 + c * 62;
                RoundedRectangle(cr, cx, ty - 40, 56, 34, 5);
                Fill(cr, c ? 0x4E7FD9 : 0xE0457B);
                for (int wdw = 0; wdw < 3; ++wdw) {
                    RoundedRectangle(cr, cx + 6 + 16 * wdw, ty - 34, 11, 11, 2);
                    Fill(cr, 0xFFF6E0, 1);
                }
            }
            RoundedRectangle(cr, tx - 62, ty - 34, 54, 28, 6);
            Fill(cr, 0x3E7D3A);
            RoundedRectangle(cr, tx - 26, ty - 54, 24, 48, 4);
            Fill(cr, 0x3E7D3A);
            RoundedRectangle(cr, tx - 23, ty - 50, 17, 13, 2);
            Fill(cr, 0xFFE9A8, 1);
            cairo_rectangle(cr, tx - 52, ty - 50, 10, 16);
            Fill(cr, 0x234B33);
            for (double wx : {tx - 50, tx - 30, tx - 12, tx + 22, tx + 50, tx + 84, tx + 112}) {
                cairo_arc(cr, wx, ty - 4, 7, 0, 2 * pi);
                Fill(cr, 0x4A2E1A);
            }
            // Steam puffs.
            for (int i = 0; i < 4; ++i) {
                cairo_arc(cr, tx - 47 + i * 16, ty - 62 - i * 9, 7 + i * 3, 0, 2 * pi);
                SetColour(cr, 0xFFFFFF, 0.85 - i * 0.15);
                cairo_fill(cr);
            }
            // Station sign.
            cairo_rectangle(cr, w * 0.1, h * 0.7, 4, 30);
            Fill(cr, 0x6B4423, 0);
            RoundedRectangle(cr, w * 0.04, h * 0.62, 90, 22, 4);
            Fill(cr, 0xFFF6E0);
            Text(cr, "Бриндлмур", w * 0.04 + 45, h * 0.62 + 11, 12, Palette::ink);
            FlowerBed(cr, 6, w, h * 0.98, 5, 3);
        },
        // Grandmother Marta waves at the garden gate.
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            Fence(cr, 0, w, h * 0.8, 40);
            // Rose arch over the gate.
            const double gx = w * 0.62;
            cairo_arc(cr, gx, h * 0.5, 48, pi, 2 * pi);
            Outline(cr, 8, 0x6B8A4A, 1);
            for (int i = 0; i <= 8; ++i) {
                const double a = pi + pi * i / 8;
                Blossom(cr, gx + 48 * std::cos(a), h * 0.5 + 48 * std::sin(a), 8, i % 2 ? 0xE0457B : 0xF59BB6);
            }
            for (double side : {-48.0, 48.0}) {
                cairo_rectangle(cr, gx + side - 4, h * 0.5, 8, h * 0.3);
                Fill(cr, 0x6B8A4A, 0);
            }
            // The wooden gate: slats, two rails and a brace.
            for (int i = 0; i < 6; ++i) {
                RoundedRectangle(cr, gx - 39 + 13 * i, h * 0.57, 12, h * 0.23, 3);
                Fill(cr, i % 2 ? 0xD9A86A : 0xCF9E60, 1);
            }
            cairo_rectangle(cr, gx - 40, h * 0.61, 80, 6);
            cairo_rectangle(cr, gx - 40, h * 0.74, 80, 6);
            Fill(cr, 0xA06A3A, 1);
            cairo_move_to(cr, gx - 36, h * 0.74);
            cairo_line_to(cr, gx + 36, h * 0.62 + 6);
            Outline(cr, 5, 0xA06A3A, 1);
            cairo_arc(cr, gx + 28, h * 0.68, 3, 0, 2 * pi);
            Fill(cr, 0x5E636B, 0.8);
            cairo_rectangle(cr, 0, h * 0.8, w, h * 0.2);
            FillVertical(cr, h * 0.8, h, 0xC8B48A, 0xA8946A);
            cairo_new_path(cr);
            Person(cr, w * 0.3, h * 0.93, 120, marta, 0.4, 2.6);
            FlowerBed(cr, w * 0.75, w, h * 0.8, 6, 9);
        },
        // Her greenhouse stands half empty.
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            Greenhouse(cr, w * 0.3, h * 0.9, w * 0.45, h * 0.7, 0.4, false);
            Person(cr, w * 0.2, h * 0.95, 100, marta, 0.3, 0.3);
            for (double x : {w * 0.82, w * 0.9}) {
                RoundedRectangle(cr, x, h * 0.86, 22, 16, 3);
                Fill(cr, 0xC07A45);
            }
            FlowerBed(cr, 8, w * 0.25, h * 0.98, 5, 5);
        },
    },
    {
        // Marta has hurt her wrist.
        [](cairo_t* cr, double w, double h) {
            Room(cr, w, h, h * 0.7);
            // A window with a pot, a bench; a watering can she cannot lift.
            RoundedRectangle(cr, w * 0.6, h * 0.2, w * 0.3, h * 0.35, 4);
            Fill(cr, Palette::skyTop);
            cairo_move_to(cr, w * 0.75, h * 0.2);
            cairo_line_to(cr, w * 0.75, h * 0.55);
            Outline(cr, 3, 0xFFFFFF, 1);
            RoundedRectangle(cr, w * 0.25, h * 0.72, w * 0.45, 10, 3);
            Fill(cr, 0x8A5A32);
            Person(cr, w * 0.45, h * 0.9, 120, marta, 0.4, 0, true);
            Blossom(cr, w * 0.82, h * 0.5, 10, 0xE0457B);
            RoundedRectangle(cr, w * 0.76, h * 0.78, 40, 28, 6);
            Fill(cr, 0x7FA8C8);
            cairo_move_to(cr, w * 0.76 + 40, h * 0.78 + 8);
            cairo_line_to(cr, w * 0.76 + 62, h * 0.78 - 8);
            Outline(cr, 5, 0x5A7FA0, 1);
        },
        // The flower orders pile up.
        [](cairo_t* cr, double w, double h) {
            Room(cr, w, h, h * 0.85);
            RoundedRectangle(cr, w * 0.08, h * 0.7, w * 0.84, 14, 3);
            Fill(cr, 0x8A5A32);
            for (int i = 0; i < 14; ++i)
                Envelope(cr, w * (0.3 + 0.4 * Fraction(11 + i)), h * 0.68 - i * 7, 60, (Fraction(40 + i) - 0.5) * 0.5,
                         i % 3 ? 0xFFF6E0 : 0xF9E0E8);
            for (int i = 0; i < 4; ++i)
                Envelope(cr, w * (0.15 + 0.22 * i), h * (0.35 + 0.1 * (i % 2)), 44, (Fraction(70 + i) - 0.5), 0xFFFBF0);
            Blossom(cr, w * 0.5, h * 0.68 - 14 * 7, 9, 0xE0457B);
        },
        // "Will you help me?"
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            Person(cr, w * 0.32, h * 0.95, 120, marta, 0.3, 0, true);
            Person(cr, w * 0.68, h * 0.95, 115, player, 0.3, 0.9);
            // A heart between them.
            const double x = w * 0.5, y = h * 0.48;
            cairo_move_to(cr, x, y + 10);
            cairo_curve_to(cr, x - 16, y - 2, x - 8, y - 14, x, y - 6);
            cairo_curve_to(cr, x + 8, y - 14, x + 16, y - 2, x, y + 10);
            Fill(cr, 0xE0457B, 1.2);
        },
        // The wicker baskets wait on the conveyor in the yard.
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            Fence(cr, 0, w, h * 0.66, 30);
            Conveyor(cr, w * 0.06, w * 0.94, h * 0.72);
            for (int i = 0; i < 4; ++i)
                Basket(cr, w * (0.18 + 0.21 * i), h * 0.72, 46 + 6 * (i % 2), false, i);
            FlowerBed(cr, 6, w, h * 0.99, 6, 21);
        },
    },
    {
        // The festival is on the ninth.
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            House(cr, w * 0.05, h * 0.8, 60, 50, 0xFFF6E0, 0xC05A45);
            House(cr, w * 0.7, h * 0.8, 70, 56, 0xF4E4C8, 0x6B8ACB);
            Bunting(cr, 0, h * 0.3, w, h * 0.34, 30);
            // A poster on a post.
            cairo_rectangle(cr, w * 0.5 - 3, h * 0.55, 6, h * 0.4);
            Fill(cr, 0x6B4423, 0);
            RoundedRectangle(cr, w * 0.5 - 56, h * 0.38, 112, 74, 5);
            Fill(cr, Palette::paper);
            Text(cr, "Праздник", w * 0.5, h * 0.38 + 20, 15, 0xE0457B);
            Text(cr, "9 июня", w * 0.5, h * 0.38 + 44, 17, Palette::deep);
            Blossom(cr, w * 0.5 - 40, h * 0.38 + 62, 7, 0xF6C534);
            Blossom(cr, w * 0.5 + 40, h * 0.38 + 62, 7, 0x4E7FD9);
            FlowerBed(cr, 6, w, h * 0.99, 6, 13);
        },
        // Marta pins a calendar to the board.
        [](cairo_t* cr, double w, double h) {
            Room(cr, w, h, h * 0.86);
            RoundedRectangle(cr, w * 0.45, h * 0.22, w * 0.45, h * 0.6, 8);
            Fill(cr, Palette::wickerMid);
            CalendarSheet(cr, w * 0.5, h * 0.27, w * 0.35, h * 0.5, 0, -1);
            cairo_arc(cr, w * 0.675, h * 0.29, 4, 0, 2 * pi);
            Fill(cr, Palette::warning, 1);
            Person(cr, w * 0.28, h * 0.97, 130, marta, 0.2, 2.3, false);
        },
        // Each evening a new flower in the greenhouse.
        [](cairo_t* cr, double w, double h) {
            Sky(cr, w, h, 0xF2A87A, 0xFFE9A8);
            Sun(cr, w * 0.2, h * 0.62, 20, 0xFFD66B);
            Hills(cr, w, h, h * 0.7, 8, 0x8CAE6A, 0x6F9050, 2);
            Greenhouse(cr, w * 0.35, h * 0.92, w * 0.55, h * 0.75, 0.6, false);
            // A bright new flower with a sparkle.
            Blossom(cr, w * 0.25, h * 0.7, 16, 0xE0457B, 0xFFE066, 6);
            cairo_move_to(cr, w * 0.25, h * 0.72);
            cairo_line_to(cr, w * 0.25, h * 0.9);
            Outline(cr, 3, Palette::leaf, 1);
            RoundedRectangle(cr, w * 0.25 - 14, h * 0.86, 28, 20, 4);
            Fill(cr, 0xC07A45);
        },
        // "Let's begin!"
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            Person(cr, w * 0.36, h * 0.95, 120, marta, 0.3, 2.5);
            Person(cr, w * 0.64, h * 0.95, 115, player, 2.6, 0.5);
            Basket(cr, w * 0.8, h * 0.95, 44, true, 3);
            FlowerBed(cr, 6, w * 0.25, h * 0.99, 6, 17);
        },
    },
    {
        // The mayor's letter.
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            House(cr, w * 0.62, h * 0.9, 110, 70, 0xF4E4C8, 0xC05A45);
            cairo_save(cr);
            cairo_translate(cr, w * 0.3, h * 0.58);
            cairo_rotate(cr, -0.06);
            RoundedRectangle(cr, -80, -55, 160, 120, 4);
            Fill(cr, 0xFFFBF0);
            Text(cr, "Мэр — садовникам", 0, -38, 11, Palette::deep);
            for (int i = 0; i < 5; ++i) {
                cairo_move_to(cr, -64, -18 + 14 * i);
                cairo_line_to(cr, 64 - 30 * (i == 4), -18 + 14 * i);
            }
            Outline(cr, 1.5, Palette::ink, 0.45);
            cairo_arc(cr, 52, 48, 11, 0, 2 * pi);
            Fill(cr, 0xC0392B, 1);
            cairo_restore(cr);
        },
        // The neighbours bring their baskets.
        [](cairo_t* cr, double w, double h) {
            MorningLand(cr, w, h);
            for (int i = 0; i < 3; ++i) {
                const double x = w * (0.2 + 0.3 * i);
                Person(cr, x, h * 0.95, 100 + 8 * (i % 2), neighbours[i], 0.2, 0.9);
                Basket(cr, x + 26, h * 0.78, 32, true, 5 + i);
            }
        },
        // Work by lantern light.
        [](cairo_t* cr, double w, double h) {
            Sky(cr, w, h, 0x1E2A5A, 0x4A5A8A);
            Stars(cr, w, h * 0.5, 31);
            Hills(cr, w, h, h * 0.72, 6, 0x2E4A3A, 0x1E3A2A, 3);
            cairo_move_to(cr, 0, h * 0.3);
            cairo_curve_to(cr, w * 0.3, h * 0.4, w * 0.7, h * 0.4, w, h * 0.3);
            Outline(cr, 1, 0x000000, 0.6);
            for (int i = 0; i < 3; ++i)
                Lantern(cr, w * (0.2 + 0.3 * i), h * 0.38, 1);
            Person(cr, w * 0.35, h * 0.96, 90, marta, 0.3, 0, true);
            Person(cr, w * 0.66, h * 0.96, 88, player, 0.8, 0.4);
            FlowerBed(cr, 6, w, h * 0.99, 5, 29);
        },
        // The greenhouse glows at night.
        [](cairo_t* cr, double w, double h) {
            Sky(cr, w, h, 0x141E48, 0x3A4A7A);
            Stars(cr, w, h * 0.6, 57);
            cairo_arc(cr, w * 0.8, h * 0.18, 14, 0, 2 * pi);
            Fill(cr, 0xFFF1C1, 0);
            cairo_arc(cr, w * 0.8 + 6, h * 0.16, 12, 0, 2 * pi);
            Fill(cr, 0x1A2550, 0);
            Hills(cr, w, h, h * 0.8, 5, 0x2E4A3A, 0x1E3A2A, 5);
            Greenhouse(cr, w * 0.15, h * 0.9, w * 0.7, h * 0.55, 0.9, true);
        },
        // Two days left.
        [](cairo_t* cr, double w, double h) {
            Sky(cr, w, h, 0x2A3560, 0x4A5A8A);
            RoundedRectangle(cr, w * 0.1, h * 0.28, w * 0.8, h * 0.6, 8);
            Fill(cr, Palette::wickerMid);
            CalendarSheet(cr, w * 0.15, h * 0.32, w * 0.7, h * 0.52, 7, 7);
            Lantern(cr, w * 0.85, h * 0.85, 0.8);
        },
    },
};

// The caption blocks' plates, in panel units (text lines from y down by 15 units each, font height 15).
void CaptionPlates(cairo_t* cr, const Rect& panel, const std::vector<Caption>& captions)
{
    for (const Caption& c : captions) {
        size_t longest = 0;
        for (size_t n : c.lineLengths)
            longest = std::max(longest, n);
        const double left = c.x - panel.x0 - 8, right = c.x - panel.x0 + 7.6 * longest + 10;
        const double top = panel.y1 - (c.y + 15 + 6), bottom = panel.y1 - (c.y - 15.0 * (c.lineLengths.size() - 1) - 7);
        RoundedRectangle(cr, left + 2, top + 2, right - left, bottom - top, 8);
        SetColour(cr, 0x000000, 0.2);
        cairo_fill(cr);
        RoundedRectangle(cr, left, top, right - left, bottom - top, 8);
        SetColour(cr, 0xFFFBF0, 0.95);
        cairo_fill_preserve(cr);
        Outline(cr, 1.5, Palette::ink, 0.7);
    }
}

void DrawBack(DataTree& tree, int n)
{
    Canvas c(picture, picture);
    cairo_t* cr = c.Get();
    const bool night = n == 3;
    cairo_rectangle(cr, 0, 0, picture, picture);
    SetColour(cr, night ? 0xDCD8EC : Palette::paper);
    cairo_fill(cr);
    cairo_translate(cr, 0, picture - 600);
    cairo_pattern_t* shade = cairo_pattern_create_radial(400, 300, 150, 400, 300, 520);
    AddStop(shade, 0, night ? 0xE8E4F4 : 0xFFF8E8);
    AddStop(shade, 1, night ? 0xB8B0D0 : Palette::paperShade);
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    // Pale leaves scattered over the paper.
    for (int i = 0; i < 40; ++i) {
        const double x = Fraction(n * 1000 + 3 * i) * 800, y = Fraction(n * 1000 + 3 * i + 1) * 600;
        const double a = Fraction(n * 1000 + 3 * i + 2) * 2 * pi, len = 18 + 16 * Fraction(n * 77 + i);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, len * 0.3, -len * 0.35, len * 0.75, -len * 0.3, len, 0);
        cairo_curve_to(cr, len * 0.75, len * 0.3, len * 0.3, len * 0.35, 0, 0);
        cairo_restore(cr);
        SetColour(cr, night ? 0x9A94C0 : Palette::fresh, 0.22);
        cairo_fill(cr);
    }
    // Fibres.
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 900; ++i) {
        const double x = Fraction(n * 5000 + 3 * i) * 800, y = Fraction(n * 5000 + 3 * i + 1) * 600;
        const double a = Fraction(n * 5000 + 3 * i + 2) * pi;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 7 * std::cos(a), y + 7 * std::sin(a));
    }
    SetColour(cr, Palette::wickerMid, 0.12);
    cairo_stroke(cr);
    c.WriteOpaque(tree, "data\\" + folder + "comics_" + std::to_string(n) + "_back.jpg");
}

void DrawPictures(DataTree& tree, int n)
{
    Canvas c(picture, picture);
    cairo_t* cr = c.Get();
    cairo_rectangle(cr, 0, 0, picture, picture);
    SetColour(cr, 0xFFFFFF);
    cairo_fill(cr);
    for (size_t m = 0; m < layouts[n].size(); ++m) {
        const Rect& r = layouts[n][m];
        const double w = r.x1 - r.x0, h = r.y1 - r.y0, k = CellScale(r);
        cairo_save(cr);
        cairo_translate(cr, CellX(int(m)) + (cellW - w * k) / 2, CellY(int(m)) + (cellH - h * k) / 2);
        cairo_scale(cr, k, k);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        scenes[n][m](cr, w, h);
        CaptionPlates(cr, r, ReadCaptions(tree, n, int(m)));
        // A white border with a thin ink line inside.
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_rectangle(cr, 6, 6, w - 12, h - 12);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        SetColour(cr, 0xFFFFFF);
        cairo_fill(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_rectangle(cr, 6, 6, w - 12, h - 12);
        Outline(cr, 1.5, Palette::ink, 0.8);
        cairo_restore(cr);
    }
    c.WriteOpaque(tree, "data\\" + folder + "comics_" + std::to_string(n) + ".jpg");
}

std::string Name(int n, const std::string& rest) { return folder + "models\\comics_" + std::to_string(n) + rest; }

} // namespace

const Area& ComicsArea()
{
    static const Area area = [] {
        Area a{"comics", {}, {}};
        for (int n = 0; n < 4; ++n) {
            a.models.push_back({Name(n, "_back.mlf"), 1, false, {}});
            for (size_t m = 0; m < layouts[n].size(); ++m)
                a.models.push_back({Name(n, "_pic_" + std::to_string(m) + ".mlf"), 1, false, {}});
            a.images.push_back({folder + "comics_" + std::to_string(n) + "_back.jpg", picture, picture, false});
            a.images.push_back({folder + "comics_" + std::to_string(n) + ".jpg", picture, picture, false});
        }
        return a;
    }();
    return area;
}

void WriteComics(DataTree& tree)
{
    for (int n = 0; n < 4; ++n) {
        const std::string stem = folder + "comics_" + std::to_string(n);
        // Comics 0-2 are centred on the origin (the code moves them to the screen's centre).
        const float dx = n < 3 ? -400.0f : 0.0f, dy = n < 3 ? -300.0f : 0.0f;
        DrawBack(tree, n);
        WriteModel(tree, "data\\" + Name(n, "_back.mlf"),
                   QuadModel(dx, dy, 800 + dx, 600 + dy, 800.0f / picture, 600.0f / picture), stem + "_back.jpg", "");
        DrawPictures(tree, n);
        for (size_t m = 0; m < layouts[n].size(); ++m) {
            const Rect& r = layouts[n][m];
            const float k = CellScale(r), w = (r.x1 - r.x0) * k, h = (r.y1 - r.y0) * k;
            const float left = CellX(int(m)) + (cellW - w) / 2, top = CellY(int(m)) + (cellH - h) / 2;
            const Quad flat = MakeQuad(r.x0 + dx, r.y0 + dy, r.x1 + dx, r.y1 + dy, left / picture,
                                       1 - (top + h) / picture, (left + w) / picture, 1 - top / picture);
            const Quad turned = Transform(flat, (r.x0 + r.x1) / 2 + dx, (r.y0 + r.y1) / 2 + dy, 1,
                                          tilts[m] * float(pi) / 180);
            WriteModel(tree, "data\\" + Name(n, "_pic_" + std::to_string(m) + ".mlf"), StaticModel({turned}),
                       stem + ".jpg", "");
        }
    }
}

} // namespace DataBuild

// The greenhouse of the flower house, the backdrop of the menus: the interior (glass, white frame, the
// garden outside), the beds and shelves, swaying potted greenery, shimmering sunbeams, and the nine
// flowers planted one per day with their gold outline atlas in the same layout.
#include "tools/databuild/Manifest.h"
#include "tools/databuild/Widgets.h"
#include "tools/formats/MaterialWriter.h"

#include <cmath>
#include <functional>

namespace DataBuild {

using namespace Widgets;

namespace {

const std::string folder = "backgrounds\\flower_house\\";

// Frames of a 16-step loop plus the closing frame equal to the first.
constexpr int loopSteps = 16;

double LoopPhase(int frame, int steps) { return 2 * pi * (frame % steps) / steps; }

// --- The interior ------------------------------------------------------------------------------------

constexpr uint32_t frameWhite = 0xF7F5EC, frameShade = 0xD5DBCD, frameLine = 0x9AA592;

// A painted glazing bar from (x0, y0) to (x1, y1), `width` across, lit from the left.
void Bar(cairo_t* cr, double x0, double y0, double x1, double y1, double width)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColour(cr, frameLine);
    cairo_set_line_width(cr, width + 2);
    cairo_stroke(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    SetColour(cr, frameShade);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    const double dx = x1 - x0, dy = y1 - y0, len = std::max(1e-6, std::hypot(dx, dy));
    const double nx = -dy / len * width * 0.2, ny = dx / len * width * 0.2;
    cairo_move_to(cr, x0 - nx, y0 - ny);
    cairo_line_to(cr, x1 - nx, y1 - ny);
    SetColour(cr, frameWhite);
    cairo_set_line_width(cr, width * 0.55);
    cairo_stroke(cr);
}

// A rounded tree crown of a few overlapping circles.
void Crown(cairo_t* cr, double x, double y, double r, uint32_t rgb, uint32_t seed)
{
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = 2 * pi * i / 6 + Hash(seed, i);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + r * 0.5 * std::cos(a), y + r * 0.4 * std::sin(a), r * (0.55 + 0.2 * Hash(seed, i + 9)), 0,
                  2 * pi);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r * 0.7, 0, 2 * pi);
    FillVerticalAlpha(cr, y - r, y + r, Shade(rgb, 0.12), Shade(rgb, -0.08));
    cairo_new_path(cr);
}

// House_back: 800 x 600 in rows 424-1023 of a 1024 x 1024 opaque image (canvas y down from the top).
void HouseBack(DataTree& tree, const std::string& data)
{
    Canvas c(1024, 1024);
    cairo_t* cr = c.Get();
    EnterScreen(cr);
    // Sky and the garden outside, pale and soft.
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 400);
    AddStop(sky, 0, 0xB4DCEE);
    AddStop(sky, 0.6, 0xDCEEF0);
    AddStop(sky, 1, 0xF4F9E8);
    PaintScreen(cr, sky);
    Glow(cr, 150, 90, 260, 200, 0xFFF6D8, 0.8);
    for (int i = 0; i < 5; ++i) {
        const double x = 90 + 160 * i + 40 * Hash(3, i), y = 120 + 30 * Hash(4, i);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, 18 + 10 * Hash(5, i), 0, 2 * pi);
        cairo_arc(cr, x + 22, y + 6, 14, 0, 2 * pi);
        SetColour(cr, 0xFFFFFF, 0.55);
        cairo_fill(cr);
    }
    for (int i = 0; i < 9; ++i)
        Crown(cr, 40 + 95 * i + 30 * Hash(6, i), 330 - 20 * Hash(7, i), 48 + 18 * Hash(8, i), 0xB5D3B3, 20 + i);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 340, 800, 100);
    FillVerticalAlpha(cr, 340, 440, 0xC2DDB8, 0xB0D0A2);
    cairo_new_path(cr);
    for (int i = 0; i < 12; ++i)
        Crown(cr, 30 + 70 * i, 360 + 6 * Hash(9, i), 30 + 10 * Hash(10, i), 0x9FC592, 40 + i);
    // The glass: a faint green veil and slanted reflections.
    cairo_rectangle(cr, 0, 0, 800, 600);
    SetColour(cr, 0xE6F4EA, 0.18);
    cairo_fill(cr);
    cairo_save(cr);
    for (int i = 0; i < 7; ++i) {
        const double x = 60 + 120 * i + 30 * Hash(11, i);
        cairo_move_to(cr, x, 60);
        cairo_line_to(cr, x + 40, 60);
        cairo_line_to(cr, x - 30, 420);
        cairo_line_to(cr, x - 70, 420);
        cairo_close_path(cr);
        SetColour(cr, 0xFFFFFF, 0.07 + 0.05 * Hash(12, i));
        cairo_fill(cr);
    }
    cairo_restore(cr);

    // The roof beyond the arched end wall: rafters converging towards the middle, a cooler glass tint.
    const double archBase = 190, archTop = 22;
    auto archY = [&](double x) {
        const double t = (x - 400) / 390;
        return archBase - (archBase - archTop) * std::sqrt(std::max(0.0, 1 - t * t));
    };
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, archBase);
    for (double x = 10; x <= 790; x += 10)
        cairo_line_to(cr, x, archY(x));
    cairo_line_to(cr, 800, archBase);
    cairo_line_to(cr, 800, 0);
    cairo_close_path(cr);
    SetColour(cr, 0xD8ECF2, 0.55);
    cairo_fill(cr);
    for (int i = 0; i <= 8; ++i) {
        const double x = 10 + 97.5 * i;
        Bar(cr, x, archY(x), 400 + (x - 400) * 1.9, -40, 5);
    }
    // The arched end wall: its curved rib, upright mullions and two transoms.
    cairo_new_path(cr);
    cairo_move_to(cr, 10, archBase);
    for (double x = 10; x <= 790; x += 5)
        cairo_line_to(cr, x, archY(x));
    SetColour(cr, frameLine);
    cairo_set_line_width(cr, 14);
    cairo_stroke_preserve(cr);
    SetColour(cr, frameShade);
    cairo_set_line_width(cr, 11);
    cairo_stroke_preserve(cr);
    SetColour(cr, frameWhite);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    for (int i = 1; i < 8; ++i) {
        const double x = 100 * i;
        Bar(cr, x, archY(x), x, 470, 7);
    }
    Bar(cr, 0, 190, 800, 190, 8);
    Bar(cr, 0, 330, 800, 330, 6);
    Bar(cr, 4, 0, 4, 470, 10);
    Bar(cr, 796, 0, 796, 470, 10);
    // A fanlight of thin spokes at the top of the arch.
    for (int i = 0; i < 9; ++i) {
        const double a = pi + pi * (i + 0.5) / 9;
        Bar(cr, 400 + 60 * std::cos(a), 190 + 60 * std::sin(a), 400 + 370 * std::cos(a),
            std::max(archY(400 + 370 * std::cos(a)) + 4, 190 + 160 * std::sin(a)), 3);
    }
    cairo_new_path(cr);
    cairo_arc(cr, 400, 190, 60, pi, 2 * pi);
    SetColour(cr, frameLine);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    SetColour(cr, frameWhite);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);

    // The brick knee wall under the glass and its painted sill.
    cairo_rectangle(cr, 0, 470, 800, 130);
    FillVerticalAlpha(cr, 470, 600, 0xC98B6E, 0xA86C52);
    cairo_new_path(cr);
    for (int row = 0; row < 8; ++row) {
        const double y = 478 + 16 * row;
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, 800, y);
        for (double x = (row % 2) * 22; x < 800; x += 44) {
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x, y + 16);
        }
    }
    SetColour(cr, 0xEAD9C4, 0.55);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i < 40; ++i) {
        const int row = i % 8;
        const double x = 44 * int(18 * Hash(14, i)) + (row % 2) * 22;
        cairo_rectangle(cr, x + 1, 479 + 16 * row, 42, 14);
        SetColour(cr, Hash(15, i) > 0.5 ? 0xB8664A : 0xD9A080, 0.35);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, 462, 800, 14);
    FillVerticalAlpha(cr, 462, 476, frameWhite, frameShade);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 476.5);
    cairo_line_to(cr, 800, 476.5);
    SetColour(cr, 0x000000, 0.25);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A soft vignette keeps the eye in the middle.
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_pattern_t* vignette = cairo_pattern_create_radial(400, 300, 250, 400, 300, 560);
    cairo_pattern_add_color_stop_rgba(vignette, 0, 0.1, 0.2, 0.1, 0);
    cairo_pattern_add_color_stop_rgba(vignette, 1, 0.1, 0.2, 0.1, 0.22);
    cairo_set_source(cr, vignette);
    cairo_fill(cr);
    cairo_pattern_destroy(vignette);
    c.WriteOpaque(tree, data + "house_back.jpg");
    WriteModel(tree, data + "models\\house_back.mlf", QuadModel(0, 0, 800, 600, 800.0f / 1024, 600.0f / 1024),
               folder + "house_back.jpg", "");
}

// --- Beds and shelves ----------------------------------------------------------------------------------

// Soil along a bed's top, with little tufts of green so an empty bed still looks tended.
void Soil(cairo_t* cr, double x0, double x1, double y, uint32_t seed)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y + 6);
    for (double x = x0; x <= x1; x += 12)
        cairo_line_to(cr, x, y - 2.5 * Hash(seed, static_cast<uint32_t>(x + 1000)));
    cairo_line_to(cr, x1, y + 6);
    cairo_close_path(cr);
    FillVerticalAlpha(cr, y - 3, y + 6, 0x7A5234, 0x4E321E);
    cairo_new_path(cr);
    for (int i = 0; i < int((x1 - x0) / 5); ++i) {
        cairo_arc(cr, x0 + (x1 - x0) * Hash(seed + 1, i), y + 3 * Hash(seed + 2, i) - 1, 0.9, 0, 2 * pi);
        SetColour(cr, Hash(seed + 3, i) > 0.5 ? 0x9A7250 : 0x3A2414, 0.7);
        cairo_fill(cr);
    }
    for (int i = 0; i < int((x1 - x0) / 28); ++i) {
        const double x = x0 + 10 + (x1 - x0 - 20) * Hash(seed + 4, i);
        for (int l = 0; l < 4; ++l)
            Leaf(cr, x, y, 8 + 5 * Hash(seed + 5, i * 4 + l), 4, -pi / 2 + (l - 1.5) * 0.45,
                 l % 2 ? 0x6DB35A : 0x4E8A4A, false);
    }
}

// A wooden plank face from x0 to x1 between rows y0 and y1.
void Planks(cairo_t* cr, double x0, double x1, double y0, double y1, int planks, uint32_t seed)
{
    const double h = (y1 - y0) / planks;
    for (int p = 0; p < planks; ++p) {
        const double y = y0 + p * h;
        cairo_new_path(cr);
        cairo_rectangle(cr, x0, y, x1 - x0, h);
        const double tone = 0.08 * (Hash(seed, p) - 0.5);
        FillVerticalAlpha(cr, y, y + h, Shade(0xB07A48, tone + 0.08), Shade(0x8A5A32, tone));
        SetColour(cr, 0x4A2E14, 0.7);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        for (int g = 0; g < 3; ++g) {
            const double gy = y + h * (0.25 + 0.25 * g);
            cairo_move_to(cr, x0, gy);
            for (double x = x0; x <= x1; x += 16)
                cairo_line_to(cr, x, gy + 0.8 * std::sin(x / 19 + g + p));
            SetColour(cr, 0x5A3A1C, 0.2);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
    }
}

// A terracotta pot with a seedling, its foot at (x, y).
void Pot(cairo_t* cr, double x, double y, double size, uint32_t seed)
{
    const double w = size, h = size * 0.9;
    for (int l = 0; l < 5; ++l)
        Leaf(cr, x, y - h + 2, size * (0.55 + 0.25 * Hash(seed, l)), size * 0.28, -pi / 2 + (l - 2) * 0.5,
             l % 2 ? 0x6DB35A : 0x4E8A4A);
    cairo_new_path(cr);
    cairo_move_to(cr, x - w / 2, y - h);
    cairo_line_to(cr, x + w / 2, y - h);
    cairo_line_to(cr, x + w * 0.36, y);
    cairo_line_to(cr, x - w * 0.36, y);
    cairo_close_path(cr);
    Shadow(cr, 2, 1, 1.5, 0.25);
    cairo_pattern_t* clay = cairo_pattern_create_linear(x - w / 2, 0, x + w / 2, 0);
    AddStop(clay, 0, 0xE09A6E);
    AddStop(clay, 0.4, 0xC8744A);
    AddStop(clay, 1, 0x8E4A2A);
    cairo_set_source(cr, clay);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(clay);
    SetColour(cr, 0x5A2A14, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, x - w / 2 - 2, y - h - 2, w + 4, size * 0.22);
    FillVerticalAlpha(cr, y - h - 2, y - h + size * 0.2, 0xE8A478, 0xB0603A);
    SetColour(cr, 0x5A2A14, 0.8);
    cairo_stroke(cr);
}

// A watering can standing at (x, y).
void WateringCan(cairo_t* cr, double x, double y)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x + 16, y - 24);
    cairo_line_to(cr, x + 46, y - 44);
    SetColour(cr, 0x5E8A8E);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    RoundedRectangle(cr, x - 22, y - 36, 40, 36, 7);
    Shadow(cr, 2, 1, 1.5, 0.25);
    cairo_pattern_t* metal = cairo_pattern_create_linear(x - 22, 0, x + 18, 0);
    AddStop(metal, 0, 0xA8D0D0);
    AddStop(metal, 0.35, 0x7FB0B2);
    AddStop(metal, 1, 0x4E7C80);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    SetColour(cr, 0x2E4C50);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, x - 2, y - 38, 13, pi, 2 * pi);
    SetColour(cr, 0x4E7C80);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, x + 47, y - 45, 4, 0, 2 * pi);
    SetColour(cr, 0x5E8A8E);
    cairo_fill(cr);
}

// Soil lines (GUI y) where the flowers stand: the back shelves and the front beds.
constexpr double shelfSoil = 150, bedSoil = 42;

// House_beds: the lower 800 x 260 of a 1024 x 512 pair (rows 252-511).
void HouseBeds(DataTree& tree, const std::string& data)
{
    constexpr double H = 260;
    Canvas c(1024, 512);
    cairo_t* cr = c.Get();
    cairo_translate(cr, 0, 512 - H);
    auto Y = [](double guiY) { return H - guiY; };
    // The floor: pale stone flags in a soft perspective.
    cairo_rectangle(cr, 0, Y(70), 800, 70);
    FillVerticalAlpha(cr, Y(70), H, 0xD9CDB4, 0xBFAF92);
    cairo_new_path(cr);
    for (int row = 0; row < 3; ++row) {
        const double y = Y(70) + 8 + row * (12 + 6 * row);
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, 800, y);
    }
    for (int i = -8; i <= 8; ++i) {
        cairo_move_to(cr, 400 + i * 44, Y(70));
        cairo_line_to(cr, 400 + i * 80, H);
    }
    SetColour(cr, 0x9A8A6E, 0.45);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Back shelves on both sides: legs, a slatted trough front and soil.
    for (int side = 0; side < 2; ++side) {
        const double x0 = side ? 560 : 0, x1 = side ? 800 : 240;
        for (double lx : {x0 + 18, x1 - 26}) {
            cairo_rectangle(cr, lx, Y(shelfSoil - 20), 9, shelfSoil - 20 - 30);
            FillVerticalAlpha(cr, Y(shelfSoil), Y(30), 0x8A5A32, 0x5A3A1C);
            cairo_new_path(cr);
        }
        cairo_rectangle(cr, x0, Y(shelfSoil - 4) - 0, x1 - x0, 30);
        Shadow(cr, 0, 6, 4, 0.25);
        cairo_new_path(cr);
        Soil(cr, x0 + (side ? 4 : 0), x1 - (side ? 0 : 4), Y(shelfSoil), 200 + side);
        Planks(cr, x0, x1, Y(shelfSoil - 2), Y(shelfSoil - 28), 2, 300 + side);
        cairo_rectangle(cr, x0, Y(shelfSoil - 2) - 3, x1 - x0, 4);
        FillVerticalAlpha(cr, Y(shelfSoil - 2) - 3, Y(shelfSoil - 2) + 1, 0xD9A86A, 0xA06A3A);
        cairo_new_path(cr);
    }
    // Front beds with wicker sides.
    for (int side = 0; side < 2; ++side) {
        const double x0 = side ? 548 : -4, x1 = side ? 804 : 252;
        cairo_new_path(cr);
        RoundedRectangle(cr, x0, Y(bedSoil + 2), x1 - x0, bedSoil + 8, 6);
        Shadow(cr, 3, 3, 3, 0.3);
        cairo_new_path(cr);
        Soil(cr, x0 + 4, x1 - 4, Y(bedSoil), 210 + side);
        cairo_save(cr);
        RoundedRectangle(cr, x0, Y(bedSoil - 3), x1 - x0, bedSoil, 5);
        cairo_clip(cr);
        WickerWeave(cr, x0, Y(bedSoil - 3), x1 - x0, bedSoil, 11);
        cairo_restore(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, x0 + 4, Y(bedSoil - 3));
        cairo_line_to(cr, x1 - 4, Y(bedSoil - 3));
        SetColour(cr, Shade(0x6B4423, -0.2));
        cairo_set_line_width(cr, 7);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        cairo_move_to(cr, x0 + 4, Y(bedSoil - 3));
        cairo_line_to(cr, x1 - 4, Y(bedSoil - 3));
        WickerBraid(cr, 7);
    }
    // Ivy trailing along the window sill, and small pots standing on it.
    for (int side : {-1, 1}) {
        cairo_new_path(cr);
        cairo_move_to(cr, 400 + side * 160, Y(134));
        cairo_curve_to(cr, 400 + side * 120, Y(126), 400 + side * 80, Y(118), 400 + side * 30, Y(108));
        SetColour(cr, 0x3E6E34);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        for (int l = 0; l < 9; ++l) {
            const double t = l / 8.0;
            const double x = 400 + side * (160 - 130 * t), y = Y(134 - 26 * t * t);
            Leaf(cr, x, y, 14 - 3 * t, 9 - 2 * t, pi / 2 + (l % 2 ? 0.7 : -0.7), l % 3 ? 0x4E8A4A : 0x6DB35A);
        }
    }
    Pot(cr, 312, Y(137), 26, 7);
    Pot(cr, 488, Y(137), 26, 8);
    Daisy(cr, 314, Y(166), 7, 0.3);
    Daisy(cr, 303, Y(158), 5.5, 1.1);
    Daisy(cr, 490, Y(165), 7, 0.7);
    Daisy(cr, 499, Y(157), 5.5, 0.2);
    // The middle of the floor: a few pots and a watering can.
    Pot(cr, 292, Y(10), 26, 1);
    Pot(cr, 322, Y(4), 20, 2);
    WateringCan(cr, 470, Y(8));
    Pot(cr, 520, Y(12), 22, 3);
    c.WritePair(tree, data + "house_beds.jpg");
    WriteModel(tree, data + "models\\house_beds.mlf", QuadModel(0, 0, 800, H, 800.0f / 1024, float(H) / 512),
               folder + "house_beds.jpg", folder + "house_beds_alpha.jpg");
}

// --- Swaying greenery ------------------------------------------------------------------------------------

// A quad cut into horizontal strips whose edges shift sideways by shift(t), t = 0 at the bottom edge and 1
// at the top: a bend that keeps the strips joined.
std::vector<Quad> BentQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
                           const std::function<float(float)>& shift, int strips = 5)
{
    std::vector<Quad> quads;
    for (int s = 0; s < strips; ++s) {
        const float t0 = float(s) / strips, t1 = float(s + 1) / strips;
        const float ya = y0 + (y1 - y0) * t0, yb = y0 + (y1 - y0) * t1;
        const float va = v0 + (v1 - v0) * t0, vb = v0 + (v1 - v0) * t1;
        Quad q = MakeQuad(x0, ya, x1, yb, u0, va, u1, vb);
        q.position[0][0] += shift(t0);
        q.position[1][0] += shift(t0);
        q.position[2][0] += shift(t1);
        q.position[3][0] += shift(t1);
        quads.push_back(q);
    }
    return quads;
}

// A hanging basket of trailing greenery in a w x h box, its hook at the top middle.
void HangingBasket(cairo_t* cr, double w, double h, uint32_t seed, bool flowers)
{
    const double cx = w / 2, basketY = h * 0.42;
    cairo_new_path(cr);
    for (int chain = -1; chain <= 1; ++chain) {
        cairo_move_to(cr, cx, 4);
        cairo_line_to(cr, cx + chain * w * 0.3, basketY - 6);
    }
    SetColour(cr, 0x6B5A48, 0.9);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, 5, 3.5, 0, 2 * pi);
    SetColour(cr, 0x6B5A48);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Trailing strands behind and below the basket.
    for (int s = 0; s < 7; ++s) {
        const double sx = cx + w * 0.55 * (s / 6.0 - 0.5), len = h * (0.35 + 0.2 * Hash(seed, s));
        cairo_new_path(cr);
        cairo_move_to(cr, sx, basketY + 8);
        cairo_curve_to(cr, sx + 10 * (Hash(seed, s + 7) - 0.5), basketY + len * 0.4, sx - 12 * (Hash(seed, s + 8) - 0.5),
                       basketY + len * 0.7, sx + 6 * (Hash(seed, s + 9) - 0.5), basketY + len);
        SetColour(cr, 0x3E6E34);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        for (int l = 0; l < 7; ++l) {
            const double t = (l + 1) / 8.0;
            const double lx = sx + 8 * std::sin(t * 5 + s) * (Hash(seed, s + 10) - 0.5);
            Leaf(cr, lx, basketY + 8 + len * t, 9 + 3 * Hash(seed, s * 9 + l), 6, pi / 2 + (l % 2 ? 0.9 : -0.9),
                 l % 3 ? 0x5E9F4A : 0x8CC26A, false);
        }
        if (flowers && s % 2 == 0)
            Daisy(cr, sx, basketY + 8 + len * 0.55, 5.5, s);
    }
    // Foliage heaped over the rim.
    for (int l = 0; l < 16; ++l) {
        const double a = -pi + pi * (l + 0.5) / 16;
        Leaf(cr, cx + w * 0.12 * std::cos(a), basketY + 2, 18 + 8 * Hash(seed, l + 40), 10, a + 0.2 * (Hash(seed, l) - 0.5),
             l % 3 ? 0x4E8A4A : 0x6DB35A);
    }
    if (flowers)
        for (int f = 0; f < 4; ++f)
            Daisy(cr, cx + w * 0.24 * (f / 3.0 - 0.5) * 2, basketY - 12 + 6 * Hash(seed, f + 60), 7, f);
    // The wicker bowl.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w * 0.32, basketY);
    cairo_curve_to(cr, cx - w * 0.3, basketY + 32, cx + w * 0.3, basketY + 32, cx + w * 0.32, basketY);
    cairo_close_path(cr);
    Shadow(cr, 2, 2, 2, 0.2);
    cairo_save(cr);
    cairo_clip(cr);
    WickerWeave(cr, cx - w * 0.34, basketY - 2, w * 0.68, 36, 8);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w * 0.33, basketY);
    cairo_line_to(cr, cx + w * 0.33, basketY);
    SetColour(cr, 0x5A3A1C);
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - w * 0.33, basketY);
    cairo_line_to(cr, cx + w * 0.33, basketY);
    WickerBraid(cr, 5);
}

// A fern in a pot, its foot at the bottom middle of a w x h box.
void PottedFern(cairo_t* cr, double w, double h, uint32_t seed)
{
    const double cx = w / 2, potTop = h - 30;
    for (int f = 0; f < 9; ++f) {
        const double a = -pi / 2 + (f - 4) * 0.3 + 0.1 * (Hash(seed, f) - 0.5);
        const double len = (h - 40) * (0.65 + 0.35 * (1 - std::abs(f - 4) / 4.0));
        const double ex = cx + len * std::cos(a), ey = potTop + len * std::sin(a);
        const double bend = (f - 4) * 6;
        cairo_new_path(cr);
        cairo_move_to(cr, cx, potTop);
        cairo_curve_to(cr, cx + (ex - cx) * 0.4, potTop + (ey - potTop) * 0.5, ex - bend, ey, ex + bend * 0.5, ey + 8);
        SetColour(cr, 0x3E6E34);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        for (int l = 1; l < 10; ++l) {
            const double t = l / 10.0;
            const double px = cx + (ex - cx) * t, py = potTop + (ey - potTop) * t;
            const double size = 14 * (1 - t * 0.7);
            Leaf(cr, px, py, size, size * 0.45, a - 1.0, l % 2 ? 0x5E9F4A : 0x6DB35A, false);
            Leaf(cr, px, py, size, size * 0.45, a + 1.0, l % 2 ? 0x4E8A4A : 0x5E9F4A, false);
        }
    }
    Pot(cr, cx, h - 2, 38, seed + 5);
}

struct Sprite {
    double atlasX, atlasY, w, h; // in the atlas, canvas rows from the top
    double x, y;                 // GUI position of its pivot
    bool hanging;                // swings about the top middle; else bends above the bottom middle
    double amplitude, phase;
};

// House_plants: two hanging baskets and two potted ferns, 17 frames at 8 fps, first = last.
void HousePlants(DataTree& tree, const std::string& data)
{
    const Sprite sprites[] = {
        {0, 0, 200, 250, 70, 600, true, 0.022, 0.0},
        {200, 0, 200, 250, 730, 600, true, 0.022, 2.1},
        {400, 0, 130, 170, 32, shelfSoil - 2, false, 4.0, 1.0},
        {530, 0, 130, 170, 770, shelfSoil - 2, false, 4.0, 3.3},
    };
    Canvas c(1024, 512);
    cairo_t* cr = c.Get();
    for (int k = 0; k < 4; ++k) {
        const Sprite& s = sprites[k];
        cairo_save(cr);
        cairo_translate(cr, s.atlasX, s.atlasY);
        cairo_rectangle(cr, 1, 1, s.w - 2, s.h - 2);
        cairo_clip(cr);
        if (s.hanging)
            HangingBasket(cr, s.w, s.h, 80 + k, k == 1);
        else
            PottedFern(cr, s.w, s.h, 90 + k);
        cairo_restore(cr);
    }
    c.WritePair(tree, data + "house_plants.jpg");
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= loopSteps; ++f) {
        std::vector<Quad> quads;
        for (const Sprite& s : sprites) {
            const float u0 = float(s.atlasX / 1024), u1 = float((s.atlasX + s.w) / 1024);
            const float v1 = float(1 - s.atlasY / 512), v0 = float(1 - (s.atlasY + s.h) / 512);
            const double wave = std::sin(LoopPhase(f, loopSteps) + s.phase);
            if (s.hanging) {
                Quad q = MakeQuad(float(s.x - s.w / 2), float(s.y - s.h), float(s.x + s.w / 2), float(s.y), u0, v0, u1, v1);
                quads.push_back(Transform(q, float(s.x), float(s.y), 1, float(s.amplitude * wave)));
                for (int i = 1; i < 5; ++i) // keep the quad count equal to the bent sprites'
                    quads.push_back(Transform(q, float(s.x), float(s.y), 0, 0));
            } else {
                const double a = s.amplitude * wave;
                for (const Quad& q : BentQuad(float(s.x - s.w / 2), float(s.y - 2), float(s.x + s.w / 2),
                                              float(s.y - 2 + s.h), u0, v0, u1, v1,
                                              [a](float t) { return float(a * std::pow(t, 1.6)); }))
                    quads.push_back(q);
            }
        }
        frames.push_back(quads);
    }
    WriteModel(tree, data + "models\\house_plants.mlf", MorphModel(frames, 8), folder + "house_plants.jpg",
               folder + "house_plants_alpha.jpg");
}

// House_light: slanted sunbeams from the upper left, added to the scene, 33 frames at 8 fps, first = last.
// The image holds one soft beam profile across u (fading along v) in its left half and drifting motes in
// its right half.
void HouseLight(DataTree& tree, const std::string& data)
{
    Canvas c(512, 512);
    cairo_t* cr = c.Get();
    cairo_rectangle(cr, 2, 2, 252, 508);
    cairo_pattern_t* across = cairo_pattern_create_linear(2, 0, 254, 0);
    AddStop(across, 0, 0xFFE9A8, 0);
    AddStop(across, 0.3, 0xFFE9A8, 0.16);
    AddStop(across, 0.5, 0xFFF4D0, 0.26);
    AddStop(across, 0.7, 0xFFE9A8, 0.16);
    AddStop(across, 1, 0xFFE9A8, 0);
    cairo_set_source(cr, across);
    cairo_fill(cr);
    cairo_pattern_destroy(across);
    // Fade along the beam: strong near the glass (top), gone near the floor.
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_rectangle(cr, 0, 0, 256, 512);
    cairo_pattern_t* along = cairo_pattern_create_linear(0, 0, 0, 512);
    cairo_pattern_add_color_stop_rgba(along, 0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(along, 0.08, 0, 0, 0, 1.0);
    cairo_pattern_add_color_stop_rgba(along, 0.6, 0, 0, 0, 0.5);
    cairo_pattern_add_color_stop_rgba(along, 1, 0, 0, 0, 0.0);
    cairo_set_source(cr, along);
    cairo_fill(cr);
    cairo_pattern_destroy(along);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    for (int i = 0; i < 60; ++i)
        Glow(cr, 266 + 236 * Hash(70, i), 10 + 492 * Hash(71, i), 2 + 3 * Hash(72, i), 2 + 3 * Hash(72, i), 0xFFF8E0,
             0.25 + 0.3 * Hash(73, i));
    c.WritePair(tree, data + "house_light.jpg");

    struct Beam {
        double topX, width, slant, phase;
    };
    const Beam beams[] = {{40, 90, 230, 0.0}, {200, 60, 240, 1.9}, {330, 110, 250, 3.7}, {560, 70, 260, 5.1}};
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 32; ++f) {
        const double phase = LoopPhase(f, 32);
        std::vector<Quad> quads;
        for (const Beam& b : beams) {
            const double breathe = 1 + 0.12 * std::sin(phase + b.phase);
            const double w = b.width * breathe, drift = 6 * std::sin(phase + b.phase * 0.7);
            const float uShift = float(0.04 * std::sin(2 * phase + b.phase));
            Quad q = MakeQuad(0, 0, 1, 1, 0.02f + uShift, 0.0f, 0.48f + uShift, 1.0f);
            // Top edge under the glass roof, bottom edge on the floor, slanted to the right.
            const float tx = float(b.topX + drift), bx = float(b.topX + b.slant + drift * 2);
            q.position = {{{bx, 0}, {bx + float(w), 0}, {tx, 600}, {tx + float(w * 0.8), 600}}};
            quads.push_back(q);
        }
        // Motes drifting across the brightest beam.
        const float mx = float(300 + 14 * std::sin(phase)), my = float(240 + 10 * std::cos(phase));
        quads.push_back(MakeQuad(mx, my, mx + 180, my + 300, 0.52f, 0.02f, 0.98f, 0.98f));
        frames.push_back(quads);
    }
    tree.Write(data + "models\\house_light.mlf", Formats::EncodeModel(MorphModel(frames, 8)));
    Formats::MaterialFile light = Formats::MakeImageMaterial(folder + "house_light.jpg", folder + "house_light_alpha.jpg");
    light.stages[0].flags = 0;
    light.destinationBlend = 1; // additive sunbeams
    tree.Write(data + "models\\house_light.srf", Formats::EncodeMaterial(light));
}

// --- The nine flowers ------------------------------------------------------------------------------------

// Each flower is drawn in a box of flowerW x flowerH texels, its foot at the bottom middle.
constexpr double flowerW = 110, flowerH = 170;

void Stem(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, double width, uint32_t rgb = 0x4E8A4A)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + bend, y0 + (y1 - y0) * 0.4, x1 - bend * 0.5, y0 + (y1 - y0) * 0.7, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Shade(rgb, -0.35));
    cairo_set_line_width(cr, width + 1.2);
    cairo_stroke_preserve(cr);
    SetColour(cr, rgb);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// A petal as a teardrop from the centre outwards, with a radial gradient from a deeper base.
void Petal(cairo_t* cr, double length, double width, uint32_t rgb, double tipLight = 0.25)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -width * 0.7, length * 0.85, -width * 0.65, length, 0);
    cairo_curve_to(cr, length * 0.85, width * 0.65, length * 0.3, width * 0.7, 0, 0);
    cairo_close_path(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, length, 0);
    AddStop(fill, 0, Shade(rgb, -0.3));
    AddStop(fill, 0.5, rgb);
    AddStop(fill, 1, Shade(rgb, tipLight));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, Shade(rgb, -0.45), 0.6);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

// A round bloom of ruffled petals in rings (peony, rose heads seen from the front).
void RuffledBloom(cairo_t* cr, double x, double y, double r, uint32_t rgb, uint32_t seed, int rings)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    for (int ring = 0; ring < rings; ++ring) {
        const double rr = r * (1 - ring * 0.8 / rings);
        const int petals = 9 - ring * 2;
        for (int p = 0; p < petals; ++p) {
            cairo_save(cr);
            cairo_rotate(cr, 2 * pi * p / petals + ring * 0.5 + Hash(seed, p + ring * 10) * 0.3);
            Petal(cr, rr, rr * (0.75 - ring * 0.06), Shade(rgb, 0.1 * ring - 0.05), 0.3);
            cairo_restore(cr);
        }
    }
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 0.18, 0, 2 * pi);
    SetColour(cr, Shade(rgb, -0.25));
    cairo_fill(cr);
    cairo_restore(cr);
}

void SoilMound(cairo_t* cr, double cx, double y, double w)
{
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, y);
    cairo_scale(cr, w / 2, 5);
    cairo_arc(cr, 0, 0, 1, pi, 2 * pi);
    cairo_restore(cr);
    cairo_close_path(cr);
    SetColour(cr, 0x5A3A22);
    cairo_fill(cr);
}

void PeonyBush(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    for (int l = 0; l < 16; ++l) {
        const double a = -pi + pi * (l + 0.5) / 16;
        Leaf(cr, cx + 8 * std::cos(a), foot - 8, 34 + 10 * Hash(1, l), 14, a + 0.15 * (Hash(2, l) - 0.5),
             l % 2 ? 0x3E7D3A : 0x4E8A4A);
    }
    for (int l = 0; l < 8; ++l)
        Leaf(cr, cx + 30 * (Hash(3, l) - 0.5), foot - 30 - 25 * Hash(4, l), 24, 11, -pi / 2 + 1.4 * (Hash(5, l) - 0.5),
             0x5E9F4A);
    const double blooms[][3] = {{cx - 24, foot - 62, 19}, {cx + 22, foot - 70, 21}, {cx - 2, foot - 98, 23},
                                {cx + 30, foot - 36, 14}};
    for (int b = 0; b < 4; ++b)
        RuffledBloom(cr, blooms[b][0], blooms[b][1], blooms[b][2], b % 2 ? 0xF59BB6 : 0xF7AFC4, 10 + b, 3);
    SoilMound(cr, cx, foot + 2, 70);
}

void Lily(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    for (int l = 0; l < 6; ++l)
        Leaf(cr, cx + (l - 2.5) * 4, foot - 4, 50 + 10 * Hash(6, l), 9, -pi / 2 + (l - 2.5) * 0.28, l % 2 ? 0x4E8A4A : 0x5E9F4A);
    const double heads[][3] = {{cx - 26, foot - 108, 0.5}, {cx + 24, foot - 128, -0.4}, {cx - 2, foot - 150, 0.1}};
    for (int h = 0; h < 3; ++h)
        Stem(cr, cx + (h - 1) * 4, foot, heads[h][0], heads[h][1] + 8, (h - 1) * 8, 3);
    for (int l = 0; l < 6; ++l)
        Leaf(cr, cx + (l % 2 ? 3 : -3), foot - 40 - l * 12, 22, 6, l % 2 ? -0.6 : pi + 0.6, 0x5E9F4A);
    for (int h = 0; h < 3; ++h) {
        cairo_save(cr);
        cairo_translate(cr, heads[h][0], heads[h][1]);
        cairo_rotate(cr, heads[h][2]);
        for (int p = 0; p < 6; ++p) {
            cairo_save(cr);
            cairo_rotate(cr, p * pi / 3 + 0.25);
            Petal(cr, 20, 9, 0xFFF1C1, 0.4);
            // A pink flush along the centre of each petal and a few spots.
            cairo_new_path(cr);
            cairo_move_to(cr, 1, 0);
            cairo_line_to(cr, 12, 0);
            SetColour(cr, 0xF7A8B8, 0.8);
            cairo_set_line_width(cr, 3.5);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
            for (int s = 0; s < 2; ++s) {
                cairo_arc(cr, 6 + 4 * s, (s ? -1.6 : 1.6), 0.8, 0, 2 * pi);
                SetColour(cr, 0xA03A5A, 0.8);
                cairo_fill(cr);
            }
            cairo_restore(cr);
        }
        for (int s = 0; s < 6; ++s) {
            const double a = s * pi / 3;
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, 9 * std::cos(a), 9 * std::sin(a));
            SetColour(cr, 0x7E8A3A);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_arc(cr, 9 * std::cos(a), 9 * std::sin(a), 1.4, 0, 2 * pi);
            SetColour(cr, 0xC0602A);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    SoilMound(cr, cx, foot + 2, 44);
}

void Sunflower(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    Stem(cr, cx, foot, cx - 4, foot - 120, 6, 5);
    Stem(cr, cx + 2, foot - 40, cx + 28, foot - 82, 4, 3);
    const double leaves[][3] = {{foot - 30, -0.3, 1}, {foot - 55, pi + 0.3, 1}, {foot - 85, -0.5, 0.8}};
    for (const auto& l : leaves)
        Leaf(cr, cx, l[0], 34 * l[2], 22 * l[2], l[1], 0x4E8A4A);
    auto head = [cr](double x, double y, double r, double turn) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        for (int p = 0; p < 21; ++p) {
            cairo_save(cr);
            cairo_rotate(cr, turn + p * 2 * pi / 21);
            Petal(cr, r, r * 0.32, 0xF6C534, 0.3);
            cairo_restore(cr);
        }
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, r * 0.45, 0, 2 * pi);
        cairo_pattern_t* disc = cairo_pattern_create_radial(-r * 0.1, -r * 0.1, 0, 0, 0, r * 0.45);
        AddStop(disc, 0, 0x8A5A2A);
        AddStop(disc, 1, 0x3A2212);
        cairo_set_source(cr, disc);
        cairo_fill(cr);
        cairo_pattern_destroy(disc);
        for (int d = 0; d < 40; ++d) {
            const double a = d * 2.39996, rr = r * 0.42 * std::sqrt((d + 0.5) / 40);
            cairo_arc(cr, rr * std::cos(a), rr * std::sin(a), r * 0.025, 0, 2 * pi);
            SetColour(cr, 0xC08A3A, 0.7);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    };
    head(cx + 28, foot - 84, 15, 0.2);
    head(cx - 4, foot - 128, 28, 0);
    SoilMound(cr, cx, foot + 2, 40);
}

// A tall spike of florets from (x, bottom) up to (x + lean, top).
template <typename Floret>
void Spike(cairo_t* cr, double x, double bottom, double top, double lean, int florets, double size, Floret floret)
{
    Stem(cr, x, bottom, x + lean, top, lean * 0.3, 2.5);
    for (int i = florets - 1; i >= 0; --i) {
        const double t = double(i) / (florets - 1);
        const double fy = bottom - (bottom - top) * (0.35 + 0.65 * t), fx = x + lean * (0.35 + 0.65 * t);
        const double s = size * (1 - 0.55 * t);
        for (int side : {-1, 1})
            floret(fx + side * s * 0.55, fy + (side > 0 ? 2 : 0), s, i * 2 + (side > 0));
    }
}

void Delphinium(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    for (int l = 0; l < 7; ++l)
        Leaf(cr, cx, foot - 4, 28, 16, -pi / 2 + (l - 3) * 0.45, l % 2 ? 0x3E7D3A : 0x4E8A4A);
    auto floret = [cr](double x, double y, double s, int k) {
        static const uint32_t blues[] = {0x4E7FD9, 0x6A92E6, 0x5C6FD8};
        cairo_save(cr);
        cairo_translate(cr, x, y);
        for (int p = 0; p < 5; ++p) {
            cairo_save(cr);
            cairo_rotate(cr, p * 2 * pi / 5 + k);
            Petal(cr, s * 0.62, s * 0.5, blues[k % 3], 0.35);
            cairo_restore(cr);
        }
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, s * 0.14, 0, 2 * pi);
        SetColour(cr, 0xFFFFFF, 0.9);
        cairo_fill(cr);
        cairo_restore(cr);
    };
    Spike(cr, cx - 18, foot - 20, foot - 140, -6, 9, 15, floret);
    Spike(cr, cx + 16, foot - 16, foot - 160, 5, 10, 17, floret);
    SoilMound(cr, cx, foot + 2, 50);
}

void RoseBush(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    // A rounded bush: a dark leafy mass, woody stems, then leaves all over it.
    cairo_new_path(cr);
    const double lobes[][3] = {{-28, -30, 22}, {0, -44, 28}, {28, -32, 22}, {-14, -70, 22}, {16, -72, 22}, {0, -18, 24},
                               {-34, -12, 14}, {34, -12, 14}, {0, -92, 14}};
    for (const auto& lobe : lobes) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + lobe[0], foot + lobe[1], lobe[2], 0, 2 * pi);
    }
    FillVerticalAlpha(cr, foot - 110, foot, 0x3E7D3A, 0x234B33);
    cairo_new_path(cr);
    for (int b = 0; b < 5; ++b)
        Stem(cr, cx + (b - 2) * 3, foot, cx + (b - 2) * 18, foot - 50 - 10 * (b % 2), (b - 2) * 3, 2, 0x6B4423);
    for (int l = 0; l < 46; ++l) {
        const double a = -pi + pi * Hash(20, l), d = std::sqrt(Hash(21, l));
        Leaf(cr, cx + 44 * d * std::cos(a), foot - 12 + 80 * d * std::sin(a), 13, 8, 2 * pi * Hash(22, l),
             l % 3 ? 0x4E8A4A : 0x5E9F4A);
    }
    const double blooms[][3] = {{cx - 26, foot - 52, 12}, {cx + 4, foot - 84, 14}, {cx + 28, foot - 58, 12},
                                {cx - 12, foot - 28, 11}, {cx + 24, foot - 24, 10}, {cx - 30, foot - 88, 10}};
    for (int b = 0; b < 6; ++b) {
        cairo_save(cr);
        cairo_translate(cr, blooms[b][0], blooms[b][1]);
        const double r = blooms[b][2];
        const uint32_t rgb = b % 2 ? 0xE0457B : 0xD9365F;
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, r, 0, 2 * pi);
        cairo_pattern_t* base = cairo_pattern_create_radial(-r * 0.3, -r * 0.3, 0, 0, 0, r);
        AddStop(base, 0, Shade(rgb, 0.25));
        AddStop(base, 1, Shade(rgb, -0.25));
        cairo_set_source(cr, base);
        cairo_fill(cr);
        cairo_pattern_destroy(base);
        for (int ring = 0; ring < 3; ++ring)
            for (int p = 0; p < 4; ++p) {
                const double a = p * pi / 2 + ring * 0.8, rr = r * (0.85 - 0.27 * ring);
                cairo_new_path(cr);
                cairo_arc(cr, 0, 0, rr, a, a + 1.3);
                SetColour(cr, Shade(rgb, -0.35 + 0.05 * ring), 0.8);
                cairo_set_line_width(cr, 1.1);
                cairo_stroke(cr);
            }
        cairo_restore(cr);
    }
    SoilMound(cr, cx, foot + 2, 78);
}

void Tulips(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    const double heads[][3] = {{cx - 32, foot - 86, 0}, {cx - 12, foot - 112, 1}, {cx + 10, foot - 96, 2},
                               {cx + 30, foot - 118, 0}, {cx + 2, foot - 132, 3}};
    static const uint32_t colours[] = {0xF28C28, 0xE8452E, 0xFFE066, 0xF59BB6};
    for (int l = 0; l < 7; ++l)
        Leaf(cr, cx + (l - 3) * 7, foot - 2, 52 + 10 * Hash(30, l), 13, -pi / 2 + (l - 3) * 0.22,
             l % 2 ? 0x5E9F4A : 0x6DB35A);
    for (const auto& h : heads) {
        Stem(cr, cx + (h[0] - cx) * 0.3, foot, h[0], h[1] + 10, (h[0] - cx) * 0.2, 2.6, 0x5E9F4A);
        const uint32_t rgb = colours[int(h[2])];
        cairo_save(cr);
        cairo_translate(cr, h[0], h[1]);
        // Three cupped petals seen from the side: two behind, one in front.
        for (int p = 0; p < 3; ++p) {
            const double off = (p - 1) * 7;
            cairo_new_path(cr);
            cairo_move_to(cr, off * 0.6, 12);
            cairo_curve_to(cr, off - 10, 6, off - 9, -12, off, -15);
            cairo_curve_to(cr, off + 9, -12, off + 10, 6, off * 0.6, 12);
            cairo_close_path(cr);
            cairo_pattern_t* fill = cairo_pattern_create_linear(0, -15, 0, 12);
            AddStop(fill, 0, Shade(rgb, p == 1 ? 0.3 : 0.1));
            AddStop(fill, 1, Shade(rgb, p == 1 ? -0.1 : -0.3));
            cairo_set_source(cr, fill);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(fill);
            SetColour(cr, Shade(rgb, -0.5), 0.7);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
    SoilMound(cr, cx, foot + 2, 70);
}

void Hydrangea(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    for (int l = 0; l < 14; ++l) {
        const double a = -pi + pi * (l + 0.5) / 14;
        Leaf(cr, cx + 10 * std::cos(a), foot - 10, 32, 20, a, l % 2 ? 0x3E7D3A : 0x4E8A4A);
    }
    const double heads[][3] = {{cx - 24, foot - 52, 22}, {cx + 24, foot - 60, 23}, {cx, foot - 92, 26}};
    static const uint32_t tints[] = {0x8C8CE8, 0xB38BE0, 0x9CB4F0};
    for (int h = 0; h < 3; ++h) {
        cairo_new_path(cr);
        cairo_arc(cr, heads[h][0], heads[h][1], heads[h][2], 0, 2 * pi);
        SetColour(cr, Shade(tints[h], -0.35));
        cairo_fill(cr);
        for (int f = 0; f < 34; ++f) {
            const double a = f * 2.39996, rr = heads[h][2] * 0.9 * std::sqrt((f + 0.5) / 34);
            const double fx = heads[h][0] + rr * std::cos(a), fy = heads[h][1] + rr * std::sin(a);
            const double light = 0.25 * (1 - (fy - heads[h][1] + heads[h][2]) / (2 * heads[h][2]));
            cairo_save(cr);
            cairo_translate(cr, fx, fy);
            cairo_rotate(cr, a);
            for (int p = 0; p < 4; ++p) {
                cairo_save(cr);
                cairo_rotate(cr, p * pi / 2);
                Petal(cr, 5.5, 5, Shade(tints[(h + f) % 3], light), 0.3);
                cairo_restore(cr);
            }
            cairo_arc(cr, 0, 0, 0.9, 0, 2 * pi);
            SetColour(cr, 0xF4F0FF);
            cairo_fill(cr);
            cairo_restore(cr);
        }
    }
    SoilMound(cr, cx, foot + 2, 74);
}

void Lavender(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    for (int l = 0; l < 14; ++l)
        Leaf(cr, cx + (l - 6.5) * 3, foot - 2, 26 + 8 * Hash(40, l), 5, -pi / 2 + (l - 6.5) * 0.13, 0x8FAF88, false);
    for (int s = 0; s < 9; ++s) {
        const double a = (s - 4) * 0.11, len = 120 + 28 * Hash(41, s) - std::abs(s - 4) * 8;
        const double tx = cx + len * std::sin(a) * 1.3, ty = foot - len;
        Stem(cr, cx + (s - 4) * 2, foot - 8, tx, ty, (s - 4) * 2, 1.5, 0x7E9E74);
        for (int k = 0; k < 11; ++k) {
            const double t = k / 10.0;
            const double x = tx + (cx - tx) * 0.15 * t, y = ty + 42 * t;
            for (int side : {-1, 1}) {
                cairo_new_path(cr);
                cairo_arc(cr, x + side * 2, y, 2.6 - 0.8 * (1 - t), 0, 2 * pi);
                SetColour(cr, Shade(0xB38BE0, (k % 3) * 0.1 - 0.15 - 0.1 * side));
                cairo_fill(cr);
            }
        }
    }
    SoilMound(cr, cx, foot + 2, 56);
}

void Foxglove(cairo_t* cr)
{
    const double cx = flowerW / 2, foot = flowerH - 6;
    for (int l = 0; l < 8; ++l)
        Leaf(cr, cx, foot - 4, 34, 15, -pi / 2 + (l - 3.5) * 0.38, l % 2 ? 0x4E8A4A : 0x5E9F4A);
    auto bell = [cr](double x, double y, double s, int k) {
        const uint32_t rgb = k % 3 ? 0xD9479A : 0xE07AB8;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, (k % 2 ? 1 : -1) * 0.5);
        cairo_new_path(cr);
        cairo_move_to(cr, -s * 0.22, -s * 0.5);
        cairo_curve_to(cr, -s * 0.35, 0, -s * 0.5, s * 0.4, -s * 0.45, s * 0.55);
        cairo_curve_to(cr, -s * 0.15, s * 0.45, s * 0.15, s * 0.45, s * 0.45, s * 0.55);
        cairo_curve_to(cr, s * 0.5, s * 0.4, s * 0.35, 0, s * 0.22, -s * 0.5);
        cairo_close_path(cr);
        cairo_pattern_t* fill = cairo_pattern_create_linear(-s * 0.5, 0, s * 0.5, 0);
        AddStop(fill, 0, Shade(rgb, 0.25));
        AddStop(fill, 0.6, rgb);
        AddStop(fill, 1, Shade(rgb, -0.3));
        cairo_set_source(cr, fill);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(fill);
        SetColour(cr, Shade(rgb, -0.5), 0.7);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        for (int d = 0; d < 3; ++d) {
            cairo_arc(cr, (d - 1) * s * 0.14, s * 0.38, s * 0.05, 0, 2 * pi);
            SetColour(cr, 0x7A1A4A, 0.8);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    };
    Spike(cr, cx - 14, foot - 14, foot - 150, -4, 9, 15, bell);
    Spike(cr, cx + 18, foot - 12, foot - 124, 6, 7, 14, bell);
    SoilMound(cr, cx, foot + 2, 50);
}

using FlowerDrawing = void (*)(cairo_t*);
const FlowerDrawing flowerDrawings[9] = {PeonyBush, Lily, Sunflower, Delphinium, RoseBush, Tulips, Hydrangea, Lavender, Foxglove};

// Where each flower's box stands (GUI units, lower-left corner): the back shelves hold the first four,
// the front beds the rest, so later flowers (drawn on top) stand in front.
const double flowerPlaces[9][2] = {
    {6, shelfSoil - 8},  {576, shelfSoil - 8}, {112, shelfSoil - 8}, {684, shelfSoil - 8}, {-4, bedSoil - 8},
    {592, bedSoil - 8},  {70, bedSoil - 8},    {690, bedSoil - 8},   {140, bedSoil - 8},
};

void Flowers(DataTree& tree, const std::string& data)
{
    // Cell i of the 8 x 2 grid: column i mod 8, row i div 8 from the top; the flower's box sits 9 texels
    // in from the cell's left and 6 up from its bottom, leaving room for the outline.
    constexpr int cellW = 128, cellH = 256;
    constexpr double insetX = 9, insetBottom = 6;
    Canvas flowers(1024, 512), strokes(1024, 512);
    for (int i = 0; i < 9; ++i) {
        cairo_surface_t* cell = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cellW, cellH);
        cairo_t* cr = cairo_create(cell);
        cairo_translate(cr, insetX, cellH - insetBottom - flowerH);
        flowerDrawings[i](cr);
        cairo_destroy(cr);
        const double x = (i % 8) * cellW, y = (i / 8) * cellH;
        // The flower.
        cairo_set_source_surface(flowers.Get(), cell, x, y);
        cairo_paint(flowers.Get());
        // Its 4-texel gold outline: the silhouette spread outwards, less the silhouette itself.
        cairo_surface_t* ring = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cellW, cellH);
        cairo_t* rc = cairo_create(ring);
        for (double radius : {1.5, 3.0, 4.0})
            for (int k = 0; k < 16; ++k) {
                const double a = 2 * pi * k / 16;
                cairo_set_source_rgb(rc, 1.0, 0.84, 0.42);
                cairo_mask_surface(rc, cell, radius * std::cos(a), radius * std::sin(a));
            }
        cairo_set_operator(rc, CAIRO_OPERATOR_DEST_OUT);
        cairo_set_source_surface(rc, cell, 0, 0);
        cairo_paint(rc);
        cairo_destroy(rc);
        cairo_set_source_surface(strokes.Get(), ring, x, y);
        cairo_paint(strokes.Get());
        cairo_surface_destroy(ring);
        cairo_surface_destroy(cell);
    }
    flowers.WritePair(tree, data + "flower_house_flowers.jpg");
    strokes.WritePair(tree, data + "flower_house_flowers_stroke.jpg");

    for (int i = 0; i < 9; ++i) {
        // The quad covers the flower's box and the outline margin around it.
        const double margin = 5;
        const double cellX = (i % 8) * cellW, cellTop = (i / 8) * cellH;
        const double left = cellX + insetX - margin, right = cellX + insetX + flowerW + margin;
        const double bottom = cellTop + cellH - insetBottom + margin, top = cellTop + cellH - insetBottom - flowerH - margin;
        const float u0 = float(left / 1024), u1 = float(right / 1024);
        const float v0 = float(1 - bottom / 512), v1 = float(1 - top / 512);
        const float x0 = float(flowerPlaces[i][0] - margin), y0 = float(flowerPlaces[i][1] - margin);
        const float x1 = float(x0 + flowerW + 2 * margin), y1 = float(y0 + flowerH + 2 * margin);
        const double amplitude = 5 + 2 * Hash(90, i), phase = 2 * pi * Hash(91, i);
        std::vector<std::vector<Quad>> frames;
        for (int f = 0; f <= loopSteps; ++f) {
            const double a = amplitude * std::sin(LoopPhase(f, loopSteps) + phase);
            frames.push_back(BentQuad(x0, y0, x1, y1, u0, v0, u1, v1, [a](float t) { return float(a * std::pow(t, 1.5)); }));
        }
        WriteModel(tree, data + "models\\flower_" + std::to_string(i) + ".mlf", MorphModel(frames, 8),
                   folder + "flower_house_flowers.jpg", folder + "flower_house_flowers_alpha.jpg");
    }
}

} // namespace

const Area& FlowerHouseArea()
{
    static const Area area = [] {
        const std::string models = folder + "models\\";
        Area a{"flower house",
               {{models + "house_back.mlf", 1, false, {}},
                {models + "house_beds.mlf", 1, false, {}},
                {models + "house_plants.mlf", 17, false, {}},
                {models + "house_light.mlf", 33, false, {}}},
               {{folder + "house_back.jpg", 1024, 1024, false},
                {folder + "house_beds.jpg", 1024, 512, true},
                {folder + "house_plants.jpg", 1024, 512, true},
                {folder + "house_light.jpg", 512, 512, true},
                {folder + "flower_house_flowers.jpg", 1024, 512, true},
                {folder + "flower_house_flowers_stroke.jpg", 1024, 512, true}}};
        for (int i = 0; i < 9; ++i)
            a.models.push_back({models + "flower_" + std::to_string(i) + ".mlf", 17, false, {}});
        return a;
    }();
    return area;
}

void WriteFlowerHouse(DataTree& tree)
{
    const std::string data = "data\\" + folder;
    HouseBack(tree, data);
    HouseBeds(tree, data);
    HousePlants(tree, data);
    HouseLight(tree, data);
    Flowers(tree, data);
}

} // namespace DataBuild

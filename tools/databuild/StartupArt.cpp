// What the start-up shows before and around the main menu: the console picture, the studio card, the
// loading screen, the cursor, the main menu's name plate, title logo and anchors. The dialog frames and
// widgets of gui\common are drawn in CommonArt.cpp.
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"
#include "tools/databuild/Widgets.h"

#include <cmath>
#include <string>

namespace DataBuild {

using namespace Widgets;

namespace {

// A rose seen from above: rings of cupped petals round a tight spiral.
void Rose(cairo_t* cr, double x, double y, double r, uint32_t rgb, double turn)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r, 0, 2 * pi);
    cairo_pattern_t* base = cairo_pattern_create_radial(0, 0, r * 0.2, 0, 0, r);
    AddStop(base, 0, Shade(rgb, -0.35));
    AddStop(base, 1, Shade(rgb, 0.1));
    cairo_set_source(cr, base);
    cairo_fill(cr);
    cairo_pattern_destroy(base);
    for (int ring = 0; ring < 3; ++ring) {
        const double rr = r * (1.0 - 0.28 * ring);
        const int petals = 5 - ring;
        for (int p = 0; p < petals; ++p) {
            const double a = p * 2 * pi / petals + ring * 0.6;
            cairo_new_path(cr);
            cairo_arc(cr, 0, 0, rr * 0.82, a, a + 2 * pi / petals * 0.95);
            SetColour(cr, Shade(rgb, 0.35 - 0.12 * ring), 0.85);
            cairo_set_line_width(cr, std::max(0.8, r * 0.16));
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
        }
    }
    cairo_new_path(cr);
    for (double t = 0; t < 3 * pi; t += 0.2) {
        const double rr = r * 0.05 + r * 0.3 * t / (3 * pi);
        if (t == 0)
            cairo_move_to(cr, rr * std::cos(t), rr * std::sin(t));
        else
            cairo_line_to(cr, rr * std::cos(t), rr * std::sin(t));
    }
    SetColour(cr, Shade(rgb, -0.45), 0.8);
    cairo_set_line_width(cr, std::max(0.6, r * 0.08));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Console(DataTree& tree)
{
    Canvas c(512, 256);
    cairo_t* cr = c.Get();
    cairo_rectangle(cr, 0, 0, 512, 256);
    FillVertical(cr, 0, 256, 0x1E3A28, 0x14291C);
    cairo_new_path(cr);
    for (int i = 0; i < 14; ++i)
        Leaf(cr, 512 * Hash(5, i), 256 * Hash(6, i), 30 + 30 * Hash(7, i), 12 + 8 * Hash(8, i), 2 * pi * Hash(9, i),
             0x2A4C35, false);
    cairo_rectangle(cr, 0, 0, 512, 256);
    SetColour(cr, 0x14291C, 0.6);
    cairo_fill(cr);
    c.WriteOpaque(tree, "data\\ui\\console\\console.jpg");
}

// A watercolour wash: the shape laid down in a few translucent coats, each a little turned and scaled
// about (cx, cy) so the edges bleed, with a darker pooled rim and a granulated pigment inside.
template <typename Shape>
void Watercolour(cairo_t* cr, uint32_t rgb, uint32_t seed, double cx, double cy, Shape shape)
{
    for (int coat = 0; coat < 6; ++coat) {
        cairo_save(cr);
        cairo_translate(cr, cx + 4 * (Hash(seed, coat) - 0.5), cy + 4 * (Hash(seed, coat + 9) - 0.5));
        cairo_rotate(cr, 0.06 * (Hash(seed, coat + 18) - 0.5));
        const double scale = 0.94 + 0.1 * Hash(seed, coat + 27);
        cairo_scale(cr, scale, scale);
        cairo_translate(cr, -cx, -cy);
        cairo_new_path(cr);
        shape();
        SetColour(cr, Shade(rgb, 0.2 * (coat % 3) - 0.1), 0.13);
        cairo_fill_preserve(cr);
        SetColour(cr, Shade(rgb, -0.35), 0.06);
        cairo_set_line_width(cr, 2 + coat * 0.6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_new_path(cr);
    shape();
    cairo_clip(cr);
    for (int i = 0; i < 220; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, cx + 220 * (Hash(seed + 50, i) - 0.5), cy + 220 * (Hash(seed + 51, i) - 0.5),
                  0.6 + 1.2 * Hash(seed + 52, i), 0, 2 * pi);
        SetColour(cr, Shade(rgb, -0.4), 0.12);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A blot: a circle whose radius wanders.
void Blot(cairo_t* cr, double x, double y, double r, uint32_t seed)
{
    for (int k = 0; k <= 48; ++k) {
        const double a = 2 * pi * k / 48;
        const double rr = r * (1 + 0.06 * std::sin(3 * a + seed) + 0.04 * std::sin(7 * a + 2 * seed) +
                               0.03 * (Hash(seed, k % 48) - 0.5));
        if (k == 0)
            cairo_move_to(cr, x + rr * std::cos(a), y + rr * std::sin(a));
        else
            cairo_line_to(cr, x + rr * std::cos(a), y + rr * std::sin(a));
    }
    cairo_close_path(cr);
}

void LeafShape(cairo_t* cr, double x, double y, double length, double width, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.2, -width * 0.7, length * 0.7, -width * 0.6, length, 0);
    cairo_curve_to(cr, length * 0.72, width * 0.5, length * 0.25, width * 0.65, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

// The studio card: a watercolour leaf emblem and the serif wordmark on soft cream.
void StudioCard(DataTree& tree)
{
    Canvas c(1024, 1024);
    cairo_t* cr = c.Get();
    EnterScreen(cr);
    cairo_pattern_t* paper = cairo_pattern_create_radial(400, 280, 60, 400, 300, 520);
    AddStop(paper, 0, 0xFFFBF0);
    AddStop(paper, 0.7, 0xFBF2DE);
    AddStop(paper, 1, 0xEFE0C0);
    PaintScreen(cr, paper);
    // Paper fibres.
    for (int i = 0; i < 260; ++i) {
        const double x = 800 * Hash(31, i), y = 600 * Hash(32, i), a = 2 * pi * Hash(33, i);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 8 * std::cos(a), y + 8 * std::sin(a));
        SetColour(cr, 0xC8B48C, 0.12);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
    }
    // The emblem: a pale wash, three leaves and a stem.
    Watercolour(cr, 0xBFE3F2, 40, 400, 225, [cr] { Blot(cr, 400, 225, 96, 3); });
    Watercolour(cr, 0xFFE9A8, 45, 430, 200, [cr] { Blot(cr, 430, 200, 44, 5); });
    Watercolour(cr, 0xCFE8B0, 41, 412, 236, [cr] { Blot(cr, 412, 236, 72, 7); });
    Watercolour(cr, 0x4E8A4A, 42, 370, 225, [cr] { LeafShape(cr, 398, 292, 150, 70, -1.95); });
    Watercolour(cr, 0x8CC26A, 43, 440, 250, [cr] { LeafShape(cr, 398, 292, 118, 56, -0.85); });
    Watercolour(cr, 0x6DB35A, 44, 350, 270, [cr] { LeafShape(cr, 398, 292, 112, 52, -2.75); });
    cairo_new_path(cr);
    cairo_move_to(cr, 398, 292);
    cairo_curve_to(cr, 395, 310, 388, 322, 376, 332);
    SetColour(cr, 0x3E6E34, 0.8);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    for (auto [angle, length] : {std::pair{-1.95, 150.0}, {-0.85, 118.0}, {-2.75, 112.0}}) {
        cairo_move_to(cr, 398, 292);
        cairo_line_to(cr, 398 + 0.85 * length * std::cos(angle), 292 + 0.85 * length * std::sin(angle));
        SetColour(cr, 0x2E5C3E, 0.35);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    // The wordmark with a thin rule under it.
    ArtText(cr, "Quorvane", 400, 420, 74, 0x2E5C3E, 0x1E3A28, 0xFBF2DE, 0.5);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, 400 + side * 40, 452);
        cairo_line_to(cr, 400 + side * 150, 452);
        SetColour(cr, 0x8C6A3A, 0.6);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    Leaf(cr, 400, 452, 14, 7, -pi / 2 - 0.5, 0x6DB35A);
    Leaf(cr, 400, 452, 14, 7, -pi / 2 + 0.5, 0x4E8A4A);
    c.WriteOpaque(tree, "data\\ui\\logos\\zeb_logo.jpg");
}

// A rounded hedge silhouette along y (canvas rows), bumps of about `bump` texels.
void Hedge(cairo_t* cr, double x0, double x1, double y, double bump, uint32_t top, uint32_t bottom, double bottomY,
           uint32_t seed)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x0, bottomY);
    cairo_line_to(cr, x0, y);
    for (double x = x0; x < x1; x += bump) {
        const double h = bump * (0.35 + 0.4 * Hash(seed, static_cast<uint32_t>(x + 1000)));
        cairo_curve_to(cr, x + bump * 0.1, y - h, x + bump * 0.9, y - h, x + bump, y);
    }
    cairo_line_to(cr, x1, bottomY);
    cairo_close_path(cr);
    FillVerticalAlpha(cr, y - bump, bottomY, top, bottom);
    cairo_new_path(cr);
}

// A cluster of climbing-rose leaves and blooms around (x, y).
void RoseCluster(cairo_t* cr, double x, double y, double size, uint32_t seed)
{
    for (int i = 0; i < 7; ++i)
        Leaf(cr, x + size * (Hash(seed, i) - 0.5), y + size * (Hash(seed, i + 20) - 0.5), size * 0.55, size * 0.28,
             2 * pi * Hash(seed, i + 40), i % 2 ? 0x4E8A4A : 0x3E7D3A);
    static const uint32_t roses[] = {0xE0457B, 0xF59BB6, 0xF27AA0};
    for (int i = 0; i < 3; ++i)
        Rose(cr, x + size * 0.6 * (Hash(seed, i + 60) - 0.5), y + size * 0.6 * (Hash(seed, i + 70) - 0.5),
             size * (0.2 + 0.08 * Hash(seed, i + 80)), roses[(seed + i) % 3], 2 * pi * Hash(seed, i + 90));
}

// The loading screen: the garden gate at dawn under a wicker arch with climbing roses, the title at the
// top and a quiet band across the middle for the word LOADING (centred at y 300).
void LoadingScreen(DataTree& tree)
{
    Canvas c(1024, 1024);
    cairo_t* cr = c.Get();
    EnterScreen(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 420);
    AddStop(sky, 0, 0x9CCBE6);
    AddStop(sky, 0.45, 0xCFE3EC);
    AddStop(sky, 0.78, 0xF9DCC4);
    AddStop(sky, 1, 0xFFEFD2);
    PaintScreen(cr, sky);
    Glow(cr, 400, 405, 330, 190, 0xFFE9A8, 0.85);
    Glow(cr, 400, 410, 70, 60, 0xFFFBE8, 0.9);
    for (int i = 0; i < 6; ++i) {
        const double x = 60 + 130 * i + 40 * Hash(14, i), y = 170 + 120 * Hash(15, i);
        cairo_new_path(cr);
        for (int b = 0; b < 4; ++b) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, x + b * 22 - 33, y - 10 * std::sin(b * 1.1 + 0.4), 16 + 6 * Hash(16, i * 4 + b), 0, 2 * pi);
        }
        SetColour(cr, 0xFFF8F0, 0.55);
        cairo_fill(cr);
    }
    // Far hills, then hedges and trees, each nearer layer a little deeper in colour.
    Hedge(cr, -20, 820, 395, 70, 0xC3D9C4, 0xD6E4CF, 600, 1);
    Hedge(cr, -20, 820, 425, 44, 0xA6C9A0, 0xB9D3AE, 600, 2);
    Hedge(cr, -20, 820, 460, 32, 0x86B27A, 0x9DC08C, 600, 3);
    // The path from the gate to the horizon.
    cairo_move_to(cr, 372, 440);
    cairo_curve_to(cr, 360, 500, 300, 560, 250, 600);
    cairo_line_to(cr, 560, 600);
    cairo_curve_to(cr, 500, 560, 440, 500, 428, 440);
    cairo_close_path(cr);
    FillVerticalAlpha(cr, 440, 600, 0xF2DDB8, 0xD9BE90);
    cairo_new_path(cr);
    for (int i = 0; i < 90; ++i) {
        const double t = Hash(12, i), y = 445 + 150 * t * t, spread = 30 + 150 * t * t;
        cairo_arc(cr, 400 + spread * (Hash(13, i) - 0.5), y, 1 + 2.2 * t, 0, 2 * pi);
        SetColour(cr, 0xB89A6A, 0.35);
        cairo_fill(cr);
    }
    // Grass either side of the path.
    for (int side : {-1, 1}) {
        cairo_move_to(cr, 400 + side * 30, 448);
        cairo_curve_to(cr, 400 + side * 60, 520, 400 + side * 140, 570, 400 + side * 170, 600);
        cairo_line_to(cr, 400 + side * 420, 600);
        cairo_line_to(cr, 400 + side * 420, 450);
        cairo_close_path(cr);
        FillVerticalAlpha(cr, 440, 600, 0x9CC27E, 0x6DA055);
        cairo_new_path(cr);
    }
    // Round shrubs behind a low picket fence on both sides of the arch.
    for (int side : {-1, 1}) {
        for (int b = 0; b < 3; ++b) {
            const double x = 400 + side * (300 + 70 * b - 40 * Hash(17, b)), y = 470 - 12 * b;
            cairo_new_path(cr);
            for (int k = 0; k < 5; ++k) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, x + 26 * std::cos(k * 1.3), y + 12 * std::sin(k * 1.3), 30 - 3 * k, 0, 2 * pi);
            }
            FillVerticalAlpha(cr, y - 40, y + 40, 0x7EAF6E, 0x4E8A4A);
            cairo_new_path(cr);
            for (int r = 0; r < 4; ++r)
                Rose(cr, x + 40 * (Hash(18, b * 4 + r + (side > 0 ? 20 : 0)) - 0.5),
                     y + 30 * (Hash(19, b * 4 + r + (side > 0 ? 20 : 0)) - 0.5), 6, r % 2 ? 0xF59BB6 : 0xFFF1C1, r);
        }
        for (int p = 0; p < 9; ++p) {
            const double x = side < 0 ? 12 + 21 * p : 788 - 21 * p;
            cairo_new_path(cr);
            cairo_move_to(cr, x - 6, 575);
            cairo_line_to(cr, x - 6, 505);
            cairo_line_to(cr, x, 496);
            cairo_line_to(cr, x + 6, 505);
            cairo_line_to(cr, x + 6, 575);
            cairo_close_path(cr);
            FillVerticalAlpha(cr, 496, 575, 0xFFF8EA, 0xD8CDB8);
            SetColour(cr, 0x8A7A60, 0.8);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        for (double y : {515.0, 555.0}) {
            cairo_new_path(cr);
            cairo_rectangle(cr, side < 0 ? 0 : 605, y, 195, 7);
            FillVerticalAlpha(cr, y, y + 7, 0xF4ECDA, 0xCFC2A8);
            SetColour(cr, 0x8A7A60, 0.8);
            cairo_stroke(cr);
        }
    }
    // The gate: two low picket leaves, the right one ajar.
    for (int leaf = 0; leaf < 2; ++leaf) {
        const double x0 = leaf ? 402 : 222, x1 = leaf ? 578 : 398, squeeze = leaf ? 0.72 : 1.0;
        for (int p = 0; p < 9; ++p) {
            const double x = x0 + (x1 - x0) * (p + 0.5) / 9 * squeeze;
            cairo_new_path(cr);
            cairo_move_to(cr, x - 6, 560);
            cairo_line_to(cr, x - 6, 478);
            cairo_line_to(cr, x, 468);
            cairo_line_to(cr, x + 6, 478);
            cairo_line_to(cr, x + 6, 560);
            cairo_close_path(cr);
            FillVerticalAlpha(cr, 468, 560, 0xFFF8EA, 0xD8CDB8);
            SetColour(cr, 0x8A7A60, 0.8);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        for (double y : {490.0, 540.0}) {
            cairo_new_path(cr);
            cairo_rectangle(cr, x0, y, (x1 - x0) * squeeze, 8);
            FillVerticalAlpha(cr, y, y + 8, 0xF4ECDA, 0xCFC2A8);
            SetColour(cr, 0x8A7A60, 0.8);
            cairo_stroke(cr);
        }
    }
    // The wicker arch: two posts and a round top, roses climbing it.
    cairo_new_path(cr);
    cairo_move_to(cr, 205, 610);
    cairo_line_to(cr, 205, 340);
    cairo_arc(cr, 400, 340, 195, pi, 2 * pi);
    cairo_line_to(cr, 595, 610);
    cairo_path_t* arch = cairo_copy_path(cr);
    cairo_set_line_width(cr, 34);
    SetColour(cr, 0x000000, 0.18);
    cairo_save(cr);
    cairo_translate(cr, 5, 5);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_append_path(cr, arch);
    SetColour(cr, Shade(0x6B4423, -0.2));
    cairo_set_line_width(cr, 30);
    cairo_stroke(cr);
    cairo_append_path(cr, arch);
    WickerBraid(cr, 28);
    cairo_path_destroy(arch);
    for (int i = 0; i < 15; ++i) {
        const double t = i / 14.0;
        double x, y;
        if (t < 0.22) {
            x = 205;
            y = 590 - (250 * t / 0.22);
        } else if (t > 0.78) {
            x = 595;
            y = 340 + 250 * (t - 0.78) / 0.22;
        } else {
            const double a = pi + pi * (t - 0.22) / 0.56;
            x = 400 + 195 * std::cos(a);
            y = 340 + 195 * std::sin(a);
        }
        RoseCluster(cr, x + 10 * (Hash(50, i) - 0.5), y, 46 + 14 * Hash(51, i), 100 + i);
    }
    // Flowers along the bottom edge.
    for (int i = 0; i < 22; ++i) {
        const double x = 800 * (i + 0.5) / 22 + 10 * (Hash(60, i) - 0.5);
        if (std::abs(x - 400) < 150)
            continue;
        Leaf(cr, x, 600, 38, 10, -pi / 2 - 0.35, 0x4E8A4A);
        Leaf(cr, x, 600, 34, 9, -pi / 2 + 0.4, 0x6DB35A);
        Daisy(cr, x + 6 * (Hash(61, i) - 0.5), 560 + 20 * Hash(62, i), 11 + 4 * Hash(63, i), i);
    }
    // The quiet band for the word: a dark-green ribbon with gold edges and a leaf at each end.
    cairo_new_path(cr);
    RoundedRectangle(cr, 262, 280, 276, 40, 20);
    Shadow(cr, 2, 2, 2, 0.25);
    cairo_pattern_t* band = cairo_pattern_create_linear(0, 280, 0, 320);
    AddStop(band, 0, 0x3A7048, 0.92);
    AddStop(band, 0.5, 0x25503A, 0.92);
    AddStop(band, 1, 0x1A3626, 0.92);
    cairo_set_source(cr, band);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(band);
    SetColour(cr, 0xFFD66B, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRectangle(cr, 266, 284, 268, 32, 16);
    SetColour(cr, 0xFFE9A8, 0.3);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int side : {-1, 1}) {
        const double x = 400 + side * 136;
        Leaf(cr, x, 300, 26, 11, side < 0 ? pi + 0.3 : -0.3, 0x6DB35A);
        Leaf(cr, x, 300, 22, 9, side < 0 ? pi - 0.4 : 0.4, 0x4E8A4A);
    }
    // The title over the arch.
    ArtText(cr, "Бриндлмур", 400, 104, 80, 0xFFE89A, 0xF2B541, 0x5A3A12, 3.5);
    c.WriteOpaque(tree, "data\\gui\\main_menu\\loading_screen.jpg");
}

// The cursor: a leaf-green arrow with a white rim and a daisy at its base, tip at the top-left corner;
// drawn 40 x 40, so the 64 x 64 picture is scaled down by 0.625.
void Cursor(DataTree& tree)
{
    Canvas c(64, 64);
    cairo_t* cr = c.Get();
    cairo_new_path(cr);
    cairo_move_to(cr, 2, 2);
    cairo_line_to(cr, 2, 46);
    cairo_line_to(cr, 13, 36);
    cairo_line_to(cr, 22, 55);
    cairo_line_to(cr, 30, 51);
    cairo_line_to(cr, 21, 33);
    cairo_line_to(cr, 36, 33);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Shadow(cr, 2, 2, 1.5, 0.3);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 30, 50);
    AddStop(fill, 0, 0x9ADC78);
    AddStop(fill, 0.5, 0x5FA54F);
    AddStop(fill, 1, 0x3E7D3A);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    cairo_move_to(cr, 6, 10);
    cairo_line_to(cr, 6, 32);
    SetColour(cr, 0xFFFFFF, 0.4);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Daisy(cr, 27, 52, 9, 0.3);
    c.WritePair(tree, "data\\ui\\cursors\\cursor.jpg");
}

// The name plate, 340 x 64 in the left columns: a dark wooden board (the greeting at y 25 and the
// change-profile link at y 2 are drawn over it) with leaves at both ends.
void ProfilePlate(DataTree& tree)
{
    Canvas c(512, 64);
    cairo_t* cr = c.Get();
    const double x0 = 20, x1 = 320, y0 = 3, y1 = 60;
    cairo_new_path(cr);
    RoundedRectangle(cr, x0, y0, x1 - x0, y1 - y0, 14);
    Shadow(cr, 2, 2, 1.5, 0.3);
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, y0, 0, y1);
    AddStop(wood, 0, 0x8A5A32);
    AddStop(wood, 0.15, 0x74482A);
    AddStop(wood, 1, 0x4E2F18);
    cairo_set_source(cr, wood);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(wood);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    for (int i = 0; i < 9; ++i) {
        const double y = y0 + 5 + i * 6 + 2 * Hash(70, i);
        cairo_move_to(cr, x0, y);
        for (double x = x0; x <= x1; x += 20)
            cairo_line_to(cr, x, y + 1.6 * std::sin(x / (23 + 7 * Hash(71, i)) + i));
        SetColour(cr, i % 2 ? 0x3A2210 : 0xA0703E, 0.28);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    SetColour(cr, 0x2E1A0A);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRectangle(cr, x0 + 3, y0 + 3, x1 - x0 - 6, y1 - y0 - 6, 11);
    SetColour(cr, 0xD9A86A, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int side : {-1, 1}) {
        const double x = side < 0 ? x0 + 4 : x1 - 4, y = (y0 + y1) / 2;
        const double out = side < 0 ? pi : 0;
        Leaf(cr, x, y, 24, 11, out - side * 0.55, 0x4E8A4A);
        Leaf(cr, x, y, 22, 10, out + side * 0.5, 0x6DB35A);
        Leaf(cr, x, y, 17, 8, out, 0x8CC26A);
        Daisy(cr, x - side * 2, y, 6.5, side);
    }
    c.WritePair(tree, "data\\gui\\main_menu\\profile_window.jpg");
}

// The title logo: the lettering with a wicker underline in the lower-left 480 x 150 of its image, and
// above it the sprigs that sway in the loop. Sprite k sits in the 64 x 104 cell at x 64 k of the top
// band, its pivot (the stem's foot) at (32, 102) of the cell.
constexpr double logoW = 480, logoH = 150, spriteW = 64, spriteH = 104;

struct Sprig {
    double x, y;      // pivot in logo units (origin at the logo's centre, y up)
    double lean;      // radians, positive leans left
    double height;    // stem height in texels
    int blooms;
    double amplitude; // sway in radians
    double phase;
};
const Sprig sprigs[] = {
    {-222, -44, 0.32, 62, 2, 0.06, 0.0},
    {-206, -48, 0.12, 44, 1, 0.07, 1.7},
    {206, -48, -0.12, 46, 1, 0.07, 0.9},
    {222, -44, -0.3, 60, 2, 0.06, 2.6},
};

void DrawSprig(cairo_t* cr, const Sprig& sprig, int k)
{
    cairo_save(cr);
    cairo_translate(cr, spriteW / 2, spriteH - 2);
    cairo_rotate(cr, -sprig.lean);
    const double h = sprig.height;
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 2, -h * 0.4, -3, -h * 0.7, 0, -h);
    SetColour(cr, 0x3E6E34);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    Leaf(cr, 0, -h * 0.3, 16, 7, -pi / 2 - 0.9, 0x6DB35A);
    Leaf(cr, 1, -h * 0.45, 14, 6, -pi / 2 + 0.9, 0x4E8A4A);
    if (sprig.blooms > 1) {
        cairo_move_to(cr, 0, -h * 0.55);
        cairo_curve_to(cr, 6, -h * 0.62, 10, -h * 0.7, 12, -h * 0.78);
        SetColour(cr, 0x3E6E34);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        Daisy(cr, 12, -h * 0.78, 8, k);
    }
    Daisy(cr, 0, -h, 11, k * 0.7);
    cairo_restore(cr);
}

// Where the daisy of the "у" sits (logo units) and its sprite cell (x 256).
struct LogoLayout {
    double daisyX = 0, daisyY = 0;
};

LogoLayout DrawLogo(cairo_t* cr)
{
    LogoLayout layout;
    // Lettering in the lower-left 480 x 150 (rows 106-255).
    cairo_save(cr);
    cairo_translate(cr, 0, 256 - logoH);
    const char* title = "Бриндлмур";
    SetSerifBold(cr);
    double size = 80;
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, title, &extents);
    size *= std::min(1.0, 380 / extents.width);
    cairo_set_font_size(cr, size);
    cairo_text_extents(cr, title, &extents);
    const double baseline = 92, left = logoW / 2 - extents.width / 2 - extents.x_bearing;
    cairo_text_extents_t prefix, letter;
    cairo_text_extents(cr, "Бриндлм", &prefix);
    cairo_text_extents(cr, "у", &letter);
    // The wicker underline, a gentle smile under the word, tucked below the descender of the "у".
    cairo_new_path(cr);
    cairo_move_to(cr, 44, 118);
    cairo_curve_to(cr, 160, 132, 320, 132, 436, 118);
    cairo_path_t* line = cairo_copy_path(cr);
    SetColour(cr, 0x000000, 0.2);
    cairo_set_line_width(cr, 13);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_save(cr);
    cairo_translate(cr, 2, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_append_path(cr, line);
    SetColour(cr, 0x5A3A1C);
    cairo_set_line_width(cr, 12);
    cairo_stroke(cr);
    cairo_append_path(cr, line);
    WickerBraid(cr, 11);
    cairo_path_destroy(line);
    for (int side : {-1, 1}) {
        const double x = side < 0 ? 44 : 436;
        Leaf(cr, x, 118, 22, 10, side < 0 ? pi + 0.25 : -0.25, 0x6DB35A);
        Leaf(cr, x, 118, 18, 8, side < 0 ? pi - 0.5 : 0.5, 0x4E8A4A);
    }
    ArtText(cr, title, logoW / 2, baseline, size, 0xFFE89A, 0xF2B541, 0x5A3A12, 3);
    // The daisy sits in the fork of the "у".
    const double ux = left + prefix.x_advance + letter.x_bearing + letter.width * 0.5;
    const double uy = baseline - size * 0.2;
    layout.daisyX = ux - logoW / 2;
    layout.daisyY = logoH / 2 - uy;
    cairo_restore(cr);
    // Sprites in the top band.
    for (int k = 0; k < 4; ++k) {
        cairo_save(cr);
        cairo_translate(cr, spriteW * k, 0);
        DrawSprig(cr, sprigs[k], k);
        cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, 256 + 16, 16);
    Daisy(cr, 0, 0, 11, 0.2);
    cairo_restore(cr);
    return layout;
}

void MainMenu(DataTree& tree)
{
    const std::string menu = "data\\gui\\main_menu\\";
    ProfilePlate(tree);

    Canvas c(512, 256);
    const LogoLayout layout = DrawLogo(c.Get());
    c.WritePair(tree, menu + "game_logo.jpg");
    // 33 frames at 12 fps, first = last: the lettering stays, the sprigs and the daisy sway.
    const float texW = 512, texH = 256;
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 32; ++f) {
        const double phase = 2 * pi * (f % 32) / 32.0;
        std::vector<Quad> quads{MakeQuad(-240, -75, 240, 75, 0, 0, logoW / texW, logoH / texH)};
        for (int k = 0; k < 4; ++k) {
            const Sprig& s = sprigs[k];
            const float u0 = spriteW * k / texW, u1 = spriteW * (k + 1) / texW;
            const float v1 = 1.0f, v0 = 1.0f - spriteH / texH;
            const float px = static_cast<float>(s.x), py = static_cast<float>(s.y);
            // The pivot lies 2 texels above the cell's bottom and in its middle.
            Quad q = MakeQuad(px - spriteW / 2, py - 2, px + spriteW / 2, py - 2 + spriteH, u0, v0, u1, v1);
            quads.push_back(Transform(q, px, py, 1, static_cast<float>(s.amplitude * std::sin(phase + s.phase))));
        }
        const float dx = static_cast<float>(layout.daisyX), dy = static_cast<float>(layout.daisyY);
        Quad daisy = MakeQuad(dx - 16, dy - 16, dx + 16, dy + 16, 256 / texW, 1 - 32 / texH, 288 / texW, 1);
        quads.push_back(Transform(daisy, dx, dy, static_cast<float>(1 + 0.04 * std::sin(2 * phase)),
                                  static_cast<float>(0.12 * std::sin(phase + 0.5))));
        frames.push_back(quads);
    }
    WriteModel(tree, menu + "models\\game_logo.mlf", MorphModel(frames, 12), "gui\\main_menu\\game_logo.jpg",
               "gui\\main_menu\\game_logo_alpha.jpg");

    // Anchors: departure runs frames 0-5, arrival 5-10 (ease-in away, ease-out back).
    auto anchor = [](float x, float rest, float away) {
        std::vector<std::array<float, 2>> centres;
        for (int f = 0; f <= 10; ++f) {
            const float t = f <= 5 ? EaseIn(f / 5.0f) : 1 - EaseOut((f - 5) / 5.0f);
            centres.push_back({x, rest + (away - rest) * t});
        }
        return centres;
    };
    WriteModel(tree, menu + "models\\helper_logo.mlf", HelperModel(anchor(400, 505, 800), 8), "", "");
    WriteModel(tree, menu + "models\\helper_main.mlf", HelperModel(anchor(400, 288, -220), 10), "", "");
    WriteModel(tree, menu + "models\\helper_profile.mlf", HelperModel(anchor(400, 100, -160), 10), "", "");
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
    Console(tree);
    StudioCard(tree);
    LoadingScreen(tree);
    Cursor(tree);
    WriteCommonWidgets(tree);
    MainMenu(tree);
}

} // namespace DataBuild

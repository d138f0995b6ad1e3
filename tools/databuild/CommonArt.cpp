// The dialog frames and widgets of gui\common: wicker-rimmed green frames, pill buttons, glow buttons,
// check boxes, the name box, slider and scroll parts and the two highlight bars. Every picture sits in the
// lower-left corner of its image or frame cell, at the size the dialogs draw it (1 texel = 1 unit).
#include "tools/databuild/Widgets.h"

#include <cmath>
#include <string>

namespace DataBuild {

using namespace Widgets;

namespace {

const std::string common = "data\\gui\\common\\";

// Frame f of a grid: column f mod columns, row f div columns from the top, the w x h picture in the
// cell's lower-left corner.
template <typename Draw>
void Cells(Canvas& canvas, int columns, int cellW, int cellH, int frames, double h, Draw draw)
{
    for (int f = 0; f < frames; ++f) {
        cairo_save(canvas.Get());
        cairo_rectangle(canvas.Get(), (f % columns) * cellW, (f / columns) * cellH, cellW, cellH);
        cairo_clip(canvas.Get());
        cairo_translate(canvas.Get(), (f % columns) * cellW, (f / columns) * cellH + cellH - h);
        cairo_new_path(canvas.Get());
        draw(f);
        cairo_restore(canvas.Get());
    }
}

// A garland along the top rim of the main-menu frame: a vine with leaves and daisies.
void Garland(cairo_t* cr, double x0, double x1, double y)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y + 2);
    const int waves = 6;
    for (int i = 0; i < waves; ++i) {
        const double a = x0 + (x1 - x0) * i / waves, b = x0 + (x1 - x0) * (i + 1) / waves;
        cairo_curve_to(cr, a + (b - a) * 0.3, y + (i % 2 ? -4 : 6), a + (b - a) * 0.7, y + (i % 2 ? -4 : 6), b, y + 2);
    }
    SetColour(cr, 0x3E6E34);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    for (int i = 0; i <= 2 * waves; ++i) {
        const double x = x0 + (x1 - x0) * (i + 0.5) / (2 * waves + 1);
        const double up = (i % 2) ? -1 : 1;
        Leaf(cr, x, y + 2, 11, 5.5, (i % 2 ? -0.9 : 0.8) + (i % 3) * 0.2, i % 2 ? 0x6DB35A : 0x4E8A4A);
        Leaf(cr, x + 3, y + 2, 9, 4.5, pi + (up > 0 ? 0.7 : -0.8), 0x5E9F4A);
    }
    const double sizes[] = {7, 9, 11, 9, 7};
    for (int i = 0; i < 5; ++i) {
        const double x = x0 + (x1 - x0) * (i + 0.5) / 5;
        Daisy(cr, x, y + (i % 2 ? 0 : 2), sizes[i], i * 0.4);
    }
}

// The glow button: no box at rest, only a faint leafy underline; gold light on hover and press.
void GlowButton(cairo_t* cr, int state)
{
    const double w = 196, h = 32;
    if (state == 1 || state == 2) {
        Glow(cr, w / 2, h / 2, w / 2 - 2, h / 2 - 1, 0xFFD66B, state == 1 ? 0.45 : 0.7);
        Glow(cr, w / 2, h / 2, w / 3, h / 3, 0xFFF3C0, state == 1 ? 0.25 : 0.5);
    }
    const uint32_t line = state == 3 ? 0x9AA89A : state == 0 ? 0xCFE8B0 : 0xFFE9A8;
    const double alpha = state == 0 ? 0.45 : state == 3 ? 0.35 : 0.8;
    cairo_new_path(cr);
    cairo_move_to(cr, 40, h - 4);
    cairo_curve_to(cr, 70, h - 2.5, 126, h - 2.5, 156, h - 4);
    cairo_pattern_t* fade = cairo_pattern_create_linear(40, 0, 156, 0);
    AddStop(fade, 0, line, 0);
    AddStop(fade, 0.5, line, alpha);
    AddStop(fade, 1, line, 0);
    cairo_set_source(cr, fade);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_pattern_destroy(fade);
    cairo_push_group(cr);
    Leaf(cr, w / 2 - 2, h - 3, 9, 4, pi + 0.25, state == 3 ? 0x8A978A : 0x8CC26A, false);
    Leaf(cr, w / 2 + 2, h - 3, 9, 4, -0.25, state == 3 ? 0x8A978A : 0x8CC26A, false);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha + 0.1);
}

// Check box cells: 0-2 unchecked normal, hover, pressed; 3 checked; 4-5 checked hover, pressed;
// 6-7 disabled unchecked, checked.
void CheckBox(cairo_t* cr, int frame)
{
    const int state = frame == 6 || frame == 7 ? 3 : frame < 3 ? frame : frame == 3 ? 0 : frame - 3;
    const bool checked = frame >= 3 && frame != 6;
    const double dy = state == 2 ? 1 : 0, x = 4, y = 3 + dy, s = 24;
    if (state == 1) {
        cairo_new_path(cr);
        RoundedRectangle(cr, x, y, s, s, 6);
        for (int i = 3; i >= 1; --i) {
            SetColour(cr, 0xFFD66B, 0.2);
            cairo_set_line_width(cr, 2.0 * i);
            cairo_stroke_preserve(cr);
        }
    } else {
        cairo_new_path(cr);
        RoundedRectangle(cr, x, y + 1, s, s, 6);
        Shadow(cr, 0.5, 0.5, 1, 0.3);
    }
    cairo_new_path(cr);
    RoundedRectangle(cr, x + 3, y + 3, s - 6, s - 6, 3);
    static const uint32_t tops[] = {0xFFF6E0, 0xFFFCEF, 0xE6D2A8, 0xD8D8D0};
    static const uint32_t bottoms[] = {0xE8D3A6, 0xF3E2BA, 0xCDB283, 0xBDBDB4};
    FillVerticalAlpha(cr, y + 3, y + s - 3, tops[state], bottoms[state]);
    cairo_new_path(cr);
    WickerRim(cr, x, y, s, s, 6, 4);
    if (state == 3) {
        RoundedRectangle(cr, x, y, s, s, 6);
        cairo_save(cr);
        SetColour(cr, 0xB8BDB0, 0.6);
        cairo_set_operator(cr, CAIRO_OPERATOR_HSL_SATURATION);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    if (checked) {
        // The tick: a short leaf and a long one from a shared base, reaching a little past the box.
        const uint32_t green = state == 3 ? 0x7E8A7E : state == 1 ? 0x5FB04A : 0x3E8A36;
        const double bx = 13, by = 22 + dy;
        Leaf(cr, bx, by, 9, 5, pi + 0.95, green, false);
        Leaf(cr, bx, by, 21, 8, -0.95, green, true);
    }
}

// A twig from (x0, y0) to (x1, y1), thicker at the start, with a knot or two and tiny side buds.
void Twig(cairo_t* cr, double x0, double y0, double x1, double y1, double thick, double thin, uint32_t seed)
{
    const double length = std::hypot(x1 - x0, y1 - y0);
    cairo_save(cr);
    cairo_translate(cr, x0, y0);
    cairo_rotate(cr, std::atan2(y1 - y0, x1 - x0));
    const int n = 24;
    cairo_new_path(cr);
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n, wobble = 1.2 * std::sin(t * 7 + seed);
        const double half = (thick + (thin - thick) * t) / 2;
        if (i == 0)
            cairo_move_to(cr, 0, wobble - half);
        else
            cairo_line_to(cr, t * length, wobble - half);
    }
    for (int i = n; i >= 0; --i) {
        const double t = double(i) / n, wobble = 1.2 * std::sin(t * 7 + seed);
        const double half = (thick + (thin - thick) * t) / 2;
        cairo_line_to(cr, t * length, wobble + half);
    }
    cairo_close_path(cr);
    cairo_pattern_t* bark = cairo_pattern_create_linear(0, -thick / 2, 0, thick / 2);
    AddStop(bark, 0, 0xC99560);
    AddStop(bark, 0.4, 0x8E5C30);
    AddStop(bark, 1, 0x5A3A1C);
    cairo_set_source(cr, bark);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bark);
    SetColour(cr, 0x3E2812, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int k = 0; k < 3; ++k) {
        const double t = 0.22 + 0.28 * k + 0.05 * Hash(seed, k);
        const double wobble = 1.2 * std::sin(t * 7 + seed), half = (thick + (thin - thick) * t) / 2;
        cairo_new_path(cr);
        cairo_arc(cr, t * length, wobble, half * 0.55, 0, 2 * pi);
        SetColour(cr, 0x4A2E14, 0.55);
        cairo_fill(cr);
        const double side = k % 2 ? -1 : 1;
        cairo_move_to(cr, t * length + 3, wobble + side * half * 0.6);
        cairo_line_to(cr, t * length + 7, wobble + side * (half + 3));
        SetColour(cr, 0x6B4423);
        cairo_set_line_width(cr, 1.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// An acorn knob filling a 32 x 32 cell: normal, hover (lighter), pressed (darker), disabled.
void Acorn(cairo_t* cr, int state)
{
    const double dy = state == 2 ? 1 : 0, cx = 16, cy = 16 + dy;
    if (state == 1)
        Glow(cr, cx, cy, 15, 15, 0xFFD66B, 0.55);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 9, cy - 2);
    cairo_curve_to(cr, cx - 10, cy + 7, cx - 4, cy + 12.5, cx, cy + 13);
    cairo_curve_to(cr, cx + 4, cy + 12.5, cx + 10, cy + 7, cx + 9, cy - 2);
    cairo_close_path(cr);
    Shadow(cr, 1, 1, 1, 0.3);
    static const uint32_t nutTop[] = {0xE0A45A, 0xF2BE74, 0xB67A3A, 0xB4B0A6};
    static const uint32_t nutBottom[] = {0x9A5A24, 0xB0703A, 0x7A4418, 0x8A867E};
    cairo_pattern_t* nut = cairo_pattern_create_radial(cx - 3, cy + 2, 1, cx, cy + 4, 13);
    AddStop(nut, 0, Shade(nutTop[state], 0.2));
    AddStop(nut, 0.5, nutTop[state]);
    AddStop(nut, 1, nutBottom[state]);
    cairo_set_source(cr, nut);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(nut);
    SetColour(cr, 0x4A2E14, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx - 3.5, cy + 4, 2.2, 0, 2 * pi);
    SetColour(cr, 0xFFFFFF, state == 3 ? 0.25 : 0.5);
    cairo_fill(cr);
    // The cap: a dome with a scaly cross-hatch and a stalk.
    static const uint32_t capTop[] = {0xA07A4A, 0xB89060, 0x7E5A34, 0x9A968E};
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 12, cy - 1);
    cairo_curve_to(cr, cx - 12, cy - 12, cx + 12, cy - 12, cx + 12, cy - 1);
    cairo_curve_to(cr, cx + 6, cy + 1.5, cx - 6, cy + 1.5, cx - 12, cy - 1);
    cairo_close_path(cr);
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, cy - 10, 0, cy + 1);
    AddStop(cap, 0, Shade(capTop[state], 0.15));
    AddStop(cap, 1, Shade(capTop[state], -0.35));
    cairo_set_source(cr, cap);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(cap);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    SetColour(cr, 0x3E2812, 0.35);
    cairo_set_line_width(cr, 0.8);
    for (double d = -24; d < 24; d += 3.5) {
        cairo_move_to(cr, cx + d, cy - 12);
        cairo_line_to(cr, cx + d + 12, cy + 2);
        cairo_move_to(cr, cx + d, cy - 12);
        cairo_line_to(cr, cx + d - 12, cy + 2);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    SetColour(cr, 0x3E2812, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy - 9);
    cairo_curve_to(cr, cx, cy - 12, cx + 1.5, cy - 13.5, cx + 3, cy - 14);
    SetColour(cr, 0x5A3A1C);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// A round wicker bead holding a leaf that points up (direction -1 in cairo y) or down.
void LeafArrow(cairo_t* cr, int state, int direction)
{
    const double dy = state == 2 ? 1 : 0, cx = 16, cy = 16 + dy;
    if (state == 1)
        Glow(cr, cx, cy, 15.5, 15.5, 0xFFD66B, 0.6);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy + 0.5, 12.5, 0, 2 * pi);
    Shadow(cr, 0.8, 0.8, 1, 0.3);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 10, 0, 2 * pi);
    static const uint32_t tops[] = {0xFFF6E0, 0xFFFCF0, 0xE2CFA4, 0xD4D4CC};
    static const uint32_t bottoms[] = {0xE6D0A0, 0xF2E0B4, 0xC8AE80, 0xB8B8B0};
    FillVerticalAlpha(cr, cy - 10, cy + 10, tops[state], bottoms[state]);
    cairo_new_path(cr);
    WickerRim(cr, cx - 13, cy - 13, 26, 26, 13, 3.5);
    const uint32_t green = state == 3 ? 0x7E8A7E : state == 1 ? 0x5FB04A : 0x3E8A36;
    // A broad leaf, tip along the arrow, its stalk trailing behind.
    cairo_move_to(cr, cx, cy - direction * 9);
    cairo_line_to(cr, cx, cy - direction * 5);
    SetColour(cr, Shade(green, -0.3));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    Leaf(cr, cx, cy - direction * 6, 13, 11, direction * pi / 2, green, true);
}

void Windows(DataTree& tree)
{
    {
        Canvas c(256, 256);
        DialogFrame(c.Get(), 256, 256, 0, 0, 11);
        Garland(c.Get(), 24, 228, 7);
        c.WritePair(tree, common + "window_main_menu.jpg");
    }
    // Title band at y 172-215 from the bottom; lines at 96-146, buttons at 43-89.
    for (const char* name : {"window_small.jpg", "window_medium.jpg"}) {
        Canvas c(512, 256);
        DialogFrame(c.Get(), 370, 256, 256 - 215, 256 - 172, 23);
        c.WritePair(tree, common + name);
    }
    {
        // The bottom 393 rows; title band at y 310-350, content 80-305, buttons 37-88.
        Canvas c(512, 512);
        cairo_translate(c.Get(), 0, 512 - 393);
        DialogFrame(c.Get(), 512, 393, 393 - 350, 393 - 310, 37);
        c.WritePair(tree, common + "window_large.jpg");
    }
}

void Buttons(DataTree& tree)
{
    {
        Canvas c(512, 128);
        Cells(c, 2, 256, 64, 4, 46, [&](int f) { PillButton(c.Get(), 138, 46, f); });
        c.WritePair(tree, common + "button_short.jpg");
    }
    {
        Canvas c(1024, 128);
        Cells(c, 2, 512, 64, 4, 46, [&](int f) { PillButton(c.Get(), 419, 46, f); });
        c.WritePair(tree, common + "button_long.jpg");
    }
    {
        Canvas c(512, 64);
        Cells(c, 2, 256, 32, 4, 32, [&](int f) { GlowButton(c.Get(), f); });
        c.WritePair(tree, common + "button_glow.jpg");
    }
    {
        Canvas c(128, 64);
        Cells(c, 4, 32, 32, 8, 32, [&](int f) { CheckBox(c.Get(), f); });
        c.WritePair(tree, common + "check_box.jpg");
    }
}

void Fields(DataTree& tree)
{
    {
        // 304 x 41 in the lower-left: a dark field inside a light wicker rim, so cream text reads.
        Canvas c(512, 64);
        cairo_t* cr = c.Get();
        cairo_translate(cr, 0, 23);
        const double w = 304, h = 41;
        cairo_new_path(cr);
        RoundedRectangle(cr, 2, 2, w - 5, h - 5, 12);
        Shadow(cr, 1, 1, 1, 0.3);
        cairo_new_path(cr);
        RoundedRectangle(cr, 5, 4, w - 10, h - 9, 9);
        FillVerticalAlpha(cr, 4, h - 5, 0x0E2015, 0x1A3323);
        cairo_new_path(cr);
        cairo_save(cr);
        RoundedRectangle(cr, 5, 4, w - 10, h - 9, 9);
        cairo_clip(cr);
        cairo_move_to(cr, 0, 6);
        cairo_line_to(cr, w, 6);
        SetColour(cr, 0x000000, 0.35);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        cairo_restore(cr);
        WickerRim(cr, 1, 1, w - 4, h - 4, 13, 5);
        c.WritePair(tree, common + "edit_box.jpg");
    }
    {
        // The thumb's centre travels x 14-241 along the twig.
        Canvas c(256, 32);
        cairo_t* cr = c.Get();
        Twig(cr, 8, 17, 249, 16, 7, 4.5, 3);
        Leaf(cr, 10, 16, 13, 6, pi + 0.9, 0x6DB35A);
        Leaf(cr, 10, 17, 12, 5.5, pi - 0.75, 0x4E8A4A);
        Leaf(cr, 246, 16, 12, 5.5, -0.8, 0x6DB35A);
        Leaf(cr, 246, 16, 11, 5, 0.7, 0x4E8A4A);
        c.WritePair(tree, common + "slider.jpg");
    }
    {
        Canvas c(64, 64);
        Cells(c, 2, 32, 32, 4, 32, [&](int f) { Acorn(c.Get(), f); });
        c.WritePair(tree, common + "slider_toddler.jpg");
    }
    {
        // The thumb's centre travels y 15-114 (from the bottom) along the twig.
        Canvas c(32, 128);
        cairo_t* cr = c.Get();
        Twig(cr, 16, 124, 15, 3, 7, 4.5, 5);
        Leaf(cr, 16, 122, 10, 5, pi / 2 + 0.9, 0x6DB35A);
        Leaf(cr, 15, 5, 10, 5, -pi / 2 - 0.8, 0x6DB35A);
        c.WritePair(tree, common + "scroll.jpg");
    }
    for (int direction : {-1, 1}) {
        Canvas c(64, 64);
        Cells(c, 2, 32, 32, 4, 32, [&](int f) { LeafArrow(c.Get(), f, direction); });
        c.WritePair(tree, common + (direction < 0 ? "scroll_arrow_top.jpg" : "scroll_arrow_bottom.jpg"));
    }
    {
        // 340 x 32 in the left columns: a soft gold bar with rounded ends behind the current row.
        Canvas c(512, 32);
        cairo_t* cr = c.Get();
        cairo_new_path(cr);
        RoundedRectangle(cr, 4, 4, 332, 24, 12);
        for (int i = 3; i >= 1; --i) {
            SetColour(cr, 0xFFD66B, 0.12);
            cairo_set_line_width(cr, 2.0 * i);
            cairo_stroke_preserve(cr);
        }
        cairo_pattern_t* bar = cairo_pattern_create_linear(0, 4, 0, 28);
        AddStop(bar, 0, 0xFFE9A8, 0.45);
        AddStop(bar, 0.5, 0xF2B541, 0.3);
        AddStop(bar, 1, 0xC98A2A, 0.4);
        cairo_set_source(cr, bar);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(bar);
        SetColour(cr, 0xFFD66B, 0.9);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        cairo_move_to(cr, 16, 6.5);
        cairo_line_to(cr, 324, 6.5);
        SetColour(cr, 0xFFFFFF, 0.35);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        c.WritePair(tree, common + "active_profile_frame.jpg");
    }
    {
        // 512 x 32: a gold bar fading out towards both ends.
        Canvas c(512, 32);
        cairo_t* cr = c.Get();
        auto fading = [cr](double alpha, uint32_t rgb) {
            cairo_pattern_t* bar = cairo_pattern_create_linear(0, 0, 512, 0);
            AddStop(bar, 0, rgb, 0);
            AddStop(bar, 0.2, rgb, alpha * 0.8);
            AddStop(bar, 0.5, rgb, alpha);
            AddStop(bar, 0.8, rgb, alpha * 0.8);
            AddStop(bar, 1, rgb, 0);
            cairo_set_source(cr, bar);
            cairo_pattern_destroy(bar);
        };
        cairo_rectangle(cr, 0, 5, 512, 22);
        fading(0.32, 0xF2B541);
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 5, 512, 9);
        fading(0.18, 0xFFF3C0);
        cairo_fill(cr);
        for (double y : {4.5, 27.5}) {
            cairo_move_to(cr, 0, y);
            cairo_line_to(cr, 512, y);
            fading(0.9, 0xFFD66B);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        c.WritePair(tree, common + "high_scores_frame.jpg");
    }
}

} // namespace

void WriteCommonWidgets(DataTree& tree)
{
    Windows(tree);
    Buttons(tree);
    Fields(tree);
}

} // namespace DataBuild

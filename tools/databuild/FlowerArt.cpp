#include "tools/databuild/FlowerArt.h"

#include "tools/databuild/Art.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace DataBuild {

namespace {

// Every flower is drawn in a unit circle (x right, y down, radius 1); `lw` is the outline width in
// those units.

// Fills the current path with the pattern (consumed) and strokes it with the outline colour.
void FillOutline(cairo_t* cr, cairo_pattern_t* fill, uint32_t outline, double lw)
{
    cairo_set_source(cr, fill);
    cairo_pattern_destroy(fill);
    cairo_fill_preserve(cr);
    SetColour(cr, outline);
    cairo_set_line_width(cr, lw);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void FillOutline(cairo_t* cr, uint32_t fill, uint32_t outline, double lw)
{
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, outline);
    cairo_set_line_width(cr, lw);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

cairo_pattern_t* Radial(double x, double y, double r, uint32_t inner, uint32_t outer)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    AddStop(p, 0, inner);
    AddStop(p, 1, outer);
    return p;
}

cairo_pattern_t* Linear(double x0, double y0, double x1, double y1, uint32_t a, uint32_t b)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStop(p, 0, a);
    AddStop(p, 1, b);
    return p;
}

// The shape of a petal along +x from `base` to `base + length`: the two Bezier controls of each side
// as fractions of the length (along) and of the half width (across).
struct PetalShape {
    double along1, across1, along2, across2;
};
constexpr PetalShape teardrop{0.2, 1.0, 0.95, 0.85};
constexpr PetalShape pointed{0.3, 1.0, 0.7, 0.45};
constexpr PetalShape rounded{0.05, 1.15, 1.1, 1.15};
constexpr PetalShape slender{0.25, 1.0, 0.85, 0.7};

void PetalPath(cairo_t* cr, double base, double length, double width, const PetalShape& s)
{
    const double h = width / 2;
    cairo_move_to(cr, base, 0);
    cairo_curve_to(cr, base + length * s.along1, -h * s.across1, base + length * s.along2, -h * s.across2, base + length, 0);
    cairo_curve_to(cr, base + length * s.along2, h * s.across2, base + length * s.along1, h * s.across1, base, 0);
    cairo_close_path(cr);
}

// A petal at `angle` (radians, clockwise on screen) from (cx, cy): light at the tip, deeper at the base.
void Petal(cairo_t* cr, double cx, double cy, double angle, double base, double length, double width,
           const PetalShape& shape, uint32_t light, uint32_t deep, uint32_t outline, double lw)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    PetalPath(cr, base, length, width, shape);
    const double tip = base + length * 0.8;
    cairo_pattern_t* p = cairo_pattern_create_radial(tip, 0, 0, tip, 0, length);
    AddStop(p, 0, light);
    AddStop(p, 1, deep);
    FillOutline(cr, p, outline, lw);
    cairo_restore(cr);
}

// A disc with a stippled texture: dots on the golden-angle spiral.
void Disc(cairo_t* cr, double cx, double cy, double r, uint32_t light, uint32_t deep, uint32_t dots,
          uint32_t outline, double lw, int dotCount)
{
    cairo_arc(cr, cx, cy, r, 0, 2 * pi);
    FillOutline(cr, Radial(cx - r * 0.3, cy - r * 0.3, r * 1.3, light, deep), outline, lw);
    SetColour(cr, dots, 0.8);
    for (int i = 1; i <= dotCount; ++i) {
        const double d = r * 0.85 * std::sqrt(double(i) / dotCount), a = i * 2.39996323;
        cairo_arc(cr, cx + d * std::cos(a), cy + d * std::sin(a), r * 0.07, 0, 2 * pi);
        cairo_fill(cr);
    }
    // A soft highlight on the upper left.
    cairo_arc(cr, cx - r * 0.3, cy - r * 0.35, r * 0.35, 0, 2 * pi);
    cairo_pattern_t* shine = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, 0, cx - r * 0.3, cy - r * 0.35, r * 0.35);
    AddStop(shine, 0, 0xFFFFFF, 0.55);
    AddStop(shine, 1, 0xFFFFFF, 0);
    cairo_set_source(cr, shine);
    cairo_pattern_destroy(shine);
    cairo_fill(cr);
}

void Leaf(cairo_t* cr, double cx, double cy, double angle, double length, double width, double lw)
{
    Petal(cr, cx, cy, angle, 0, length, width, pointed, Palette::fresh, Palette::leaf, Palette::deep, lw);
}

void Daisy(cairo_t* cr, double lw)
{
    const uint32_t outline = 0xA89AB0;
    for (int i = 0; i < 13; ++i)
        Petal(cr, 0, 0, -pi / 2 + i * 2 * pi / 13, 0.18, 0.76, 0.24, teardrop, 0xFFFFFF, 0xE9DCEB, outline, lw);
    Disc(cr, 0, 0, 0.3, 0xFFE680, 0xF2A81D, 0xB8650F, 0xB8650F, lw, 26);
}

void Rose(cairo_t* cr, double lw)
{
    const uint32_t base = 0xE0457B, outline = Shade(base, -0.5);
    Leaf(cr, 0.1, 0.55, 2.3, 0.5, 0.32, lw);
    Leaf(cr, -0.1, 0.55, 0.85, 0.5, 0.32, lw);
    // Three rings of broad petals, each ring smaller, deeper and turned.
    const double ringRadius[3] = {0.9, 0.68, 0.46};
    const int ringCount[3] = {5, 5, 4};
    for (int ring = 0; ring < 3; ++ring) {
        const uint32_t light = Shade(base, 0.35 - ring * 0.12), deep = Shade(base, -0.1 - ring * 0.08);
        for (int i = 0; i < ringCount[ring]; ++i) {
            const double a = -pi / 2 + (i + ring * 0.5) * 2 * pi / ringCount[ring];
            Petal(cr, 0, 0, a, 0.0, ringRadius[ring], ringRadius[ring] * 1.05, rounded, light, deep, outline, lw);
        }
    }
    // The bud: a tight spiral.
    cairo_arc(cr, 0, 0, 0.24, 0, 2 * pi);
    FillOutline(cr, Radial(-0.06, -0.06, 0.3, Shade(base, 0.1), Shade(base, -0.3)), outline, lw);
    cairo_move_to(cr, 0, 0);
    for (int i = 1; i <= 40; ++i) {
        const double t = i / 40.0, a = t * 4.2 * pi, d = 0.2 * t;
        cairo_line_to(cr, d * std::cos(a), d * std::sin(a));
    }
    SetColour(cr, outline);
    cairo_set_line_width(cr, lw * 1.1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Tulip(cairo_t* cr, double lw)
{
    const uint32_t base = 0xF28C28, outline = Shade(base, -0.5);
    // Stem and two leaves.
    cairo_move_to(cr, 0, 0.2);
    cairo_curve_to(cr, 0.02, 0.5, -0.03, 0.75, 0, 0.95);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 0.13 + lw);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    SetColour(cr, Palette::leaf);
    cairo_set_line_width(cr, 0.13 - lw);
    cairo_stroke(cr);
    Leaf(cr, 0.02, 0.92, -2.05, 0.72, 0.34, lw);
    Leaf(cr, -0.02, 0.92, -1.0, 0.66, 0.32, lw);
    // The cup: a back petal, then the two side petals cupping it.
    auto cup = [&](double x0, double tipX, double tipY, double x1, double bottomBulge, uint32_t light, uint32_t deep) {
        cairo_move_to(cr, x0, -0.2);
        cairo_curve_to(cr, x0 - 0.08, 0.15, x0 + 0.05, bottomBulge, (x0 + x1) / 2, bottomBulge);
        cairo_curve_to(cr, x1 - 0.05, bottomBulge, x1 + 0.08, 0.15, x1, -0.2);
        cairo_curve_to(cr, x1, -0.5, tipX + 0.08, tipY + 0.15, tipX, tipY);
        cairo_curve_to(cr, tipX - 0.08, tipY + 0.15, x0, -0.5, x0, -0.2);
        cairo_close_path(cr);
        FillOutline(cr, Linear(0, tipY, 0, bottomBulge, light, deep), outline, lw);
    };
    cup(-0.38, 0.0, -0.92, 0.38, 0.32, Shade(base, 0.15), Shade(base, -0.25));
    cup(-0.6, -0.36, -0.8, 0.15, 0.36, Shade(base, 0.45), Shade(base, -0.05));
    cup(-0.15, 0.36, -0.8, 0.6, 0.36, Shade(base, 0.35), Shade(base, -0.1));
    // A gloss stroke on the left petal.
    cairo_move_to(cr, -0.44, -0.45);
    cairo_curve_to(cr, -0.48, -0.2, -0.44, 0.05, -0.32, 0.2);
    SetColour(cr, 0xFFFFFF, 0.55);
    cairo_set_line_width(cr, 0.06);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Cornflower(cairo_t* cr, double lw)
{
    const uint32_t base = 0x4E7FD9, outline = Shade(base, -0.55);
    for (int i = 0; i < 8; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, -pi / 2 + i * pi / 4);
        // A funnel widening outwards with a toothed rim.
        cairo_move_to(cr, 0.15, -0.06);
        cairo_line_to(cr, 0.72, -0.24);
        const int teeth = 4;
        for (int t = 0; t < teeth; ++t) {
            const double y0 = -0.24 + t * 0.48 / teeth, y1 = y0 + 0.48 / teeth;
            cairo_line_to(cr, 0.94 - 0.02 * std::abs(t - 1.5), (y0 + y1) / 2);
            cairo_line_to(cr, 0.76, y1);
        }
        cairo_line_to(cr, 0.15, 0.06);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(0.15, 0, 0.92, 0);
        AddStop(p, 0, Shade(base, -0.35));
        AddStop(p, 0.55, base);
        AddStop(p, 1, Shade(base, 0.3));
        FillOutline(cr, p, outline, lw);
        cairo_restore(cr);
    }
    // The dark heart with stamens.
    cairo_arc(cr, 0, 0, 0.27, 0, 2 * pi);
    FillOutline(cr, Radial(0, 0, 0.27, 0x6A3F9E, 0x2C1F5C), 0x1E1540, lw);
    for (int i = 0; i < 9; ++i) {
        const double a = i * 2 * pi / 9;
        SetColour(cr, 0xB9A4F0);
        cairo_arc(cr, 0.16 * std::cos(a), 0.16 * std::sin(a), 0.04, 0, 2 * pi);
        cairo_fill(cr);
    }
}

void Sunflower(cairo_t* cr, double lw)
{
    const uint32_t base = 0xF6C534, outline = 0xB07A12;
    for (int i = 0; i < 21; ++i) {
        const double a = -pi / 2 + i * 2 * pi / 21;
        Petal(cr, 0, 0, a, 0.32, 0.63, 0.27, pointed, Shade(base, 0.25), Mix(base, 0xE08A10, 0.5), outline, lw);
    }
    Disc(cr, 0, 0, 0.42, 0x7A4A22, 0x3A2010, 0x1E1008, 0x2A1608, lw, 40);
}

void Violet(cairo_t* cr, double lw)
{
    const uint32_t base = 0x8E5CC2, outline = Shade(base, -0.55);
    Leaf(cr, 0.1, 0.3, 0.6, 0.68, 0.4, lw);
    // Uneven petals: two upper, two side, one broad lower.
    Petal(cr, 0, 0, -pi / 2 - 0.45, 0.0, 0.9, 0.64, teardrop, Shade(base, 0.25), Shade(base, -0.15), outline, lw);
    Petal(cr, 0, 0, -pi / 2 + 0.45, 0.0, 0.9, 0.64, teardrop, Shade(base, 0.25), Shade(base, -0.15), outline, lw);
    Petal(cr, 0, 0, pi - 0.25, 0.0, 0.8, 0.6, teardrop, Shade(base, 0.3), Shade(base, -0.1), outline, lw);
    Petal(cr, 0, 0, 0.25, 0.0, 0.8, 0.6, teardrop, Shade(base, 0.3), Shade(base, -0.1), outline, lw);
    Petal(cr, 0, 0, pi / 2, 0.0, 0.86, 0.8, rounded, Shade(base, 0.2), Shade(base, -0.2), outline, lw);
    // Veins on the lower petal.
    SetColour(cr, Shade(base, -0.5), 0.8);
    cairo_set_line_width(cr, lw * 0.9);
    for (double dx : {-0.12, 0.0, 0.12}) {
        cairo_move_to(cr, dx * 0.3, 0.12);
        cairo_line_to(cr, dx, 0.45);
    }
    cairo_stroke(cr);
    // The white eye with a yellow throat.
    cairo_arc(cr, 0, 0.02, 0.17, 0, 2 * pi);
    FillOutline(cr, 0xFFFFFF, Shade(base, -0.3), lw * 0.8);
    cairo_arc(cr, 0, 0.04, 0.07, 0, 2 * pi);
    SetColour(cr, 0xF6C534);
    cairo_fill(cr);
}

void Stone(cairo_t* cr, double lw)
{
    const uint32_t outline = 0x3E4249;
    // A rounded pebble, flatter than a circle.
    cairo_move_to(cr, -0.85, 0.1);
    cairo_curve_to(cr, -0.9, -0.45, -0.4, -0.72, 0.08, -0.7);
    cairo_curve_to(cr, 0.6, -0.68, 0.92, -0.35, 0.88, 0.12);
    cairo_curve_to(cr, 0.85, 0.55, 0.4, 0.74, -0.05, 0.72);
    cairo_curve_to(cr, -0.55, 0.7, -0.82, 0.5, -0.85, 0.1);
    cairo_close_path(cr);
    cairo_path_t* pebble = cairo_copy_path(cr);
    cairo_pattern_t* body = Radial(-0.3, -0.35, 1.3, 0xB4B9C2, Palette::stone);
    cairo_set_source(cr, body);
    cairo_pattern_destroy(body);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_append_path(cr, pebble);
    cairo_clip(cr);
    // Speckles from a fixed list of offsets.
    static const double speckles[][3] = {{-0.45, 0.1, 0.05},  {-0.2, 0.35, 0.04}, {0.15, 0.2, 0.06},  {0.45, 0.35, 0.045},
                                         {0.55, -0.1, 0.04},  {0.1, -0.35, 0.035}, {-0.55, 0.4, 0.035}, {0.3, 0.52, 0.04},
                                         {-0.1, 0.05, 0.03},  {0.65, 0.15, 0.03}, {-0.3, -0.2, 0.03}};
    for (const auto& sp : speckles) {
        SetColour(cr, 0x4A4E55, 0.7);
        cairo_arc(cr, sp[0], sp[1], sp[2], 0, 2 * pi);
        cairo_fill(cr);
        SetColour(cr, 0xE4E7EC, 0.6);
        cairo_arc(cr, sp[0] + 0.12, sp[1] - 0.08, sp[2] * 0.6, 0, 2 * pi);
        cairo_fill(cr);
    }
    // A shine on the upper right.
    cairo_pattern_t* shine = cairo_pattern_create_radial(0.3, -0.4, 0, 0.3, -0.4, 0.45);
    AddStop(shine, 0, 0xFFFFFF, 0.6);
    AddStop(shine, 1, 0xFFFFFF, 0);
    cairo_set_source(cr, shine);
    cairo_pattern_destroy(shine);
    cairo_paint(cr);
    // Moss in the shade of the lower left: a cushion with a scalloped upper edge.
    cairo_move_to(cr, -1.0, -0.2);
    const double edge[][2] = {{-0.78, -0.1}, {-0.62, 0.08}, {-0.5, 0.22}, {-0.32, 0.34}, {-0.2, 0.5}, {0.0, 0.56}, {0.14, 0.72}, {0.3, 0.78}};
    double px = -1.0, py = -0.2;
    for (const auto& e : edge) {
        // Each step bulges upwards: a tuft of moss.
        const double mx = (px + e[0]) / 2 + 0.04, my = (py + e[1]) / 2 - 0.07;
        cairo_curve_to(cr, mx - 0.02, my, mx + 0.02, my, e[0], e[1]);
        px = e[0];
        py = e[1];
    }
    cairo_line_to(cr, 0.3, 1.0);
    cairo_line_to(cr, -1.0, 1.0);
    cairo_close_path(cr);
    cairo_pattern_t* moss = Radial(-0.55, 0.25, 0.8, 0xA8CC70, 0x5E8A40);
    cairo_set_source(cr, moss);
    cairo_pattern_destroy(moss);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, lw);
    cairo_stroke(cr);
    SetColour(cr, 0xD8F0A8, 0.7);
    for (const auto& d : {std::array{-0.7, 0.12}, {-0.5, 0.35}, {-0.3, 0.5}, {-0.1, 0.64}, {-0.62, 0.4}, {-0.35, 0.62}}) {
        cairo_arc(cr, d[0], d[1], 0.035, 0, 2 * pi);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_append_path(cr, pebble);
    SetColour(cr, outline);
    cairo_set_line_width(cr, lw * 1.2);
    cairo_stroke(cr);
    cairo_path_destroy(pebble);
}

// A closed ring of `count` scallops around (0, 0), reaching from radius - depth out to radius.
void Scallops(cairo_t* cr, double radius, double depth, int count, double phase)
{
    for (int i = 0; i <= count * 8; ++i) {
        const double a = phase + i * 2 * pi / (count * 8);
        const double bump = std::abs(std::sin(count * (a - phase) / 2));
        const double r = radius - depth + depth * std::sqrt(bump);
        i == 0 ? cairo_move_to(cr, r * std::cos(a), r * std::sin(a)) : cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
}

void Peony(cairo_t* cr, double lw)
{
    const uint32_t base = 0xF59BB6, outline = Shade(base, -0.45);
    Leaf(cr, 0.2, 0.5, 0.6, 0.45, 0.3, lw);
    Leaf(cr, -0.2, 0.5, 2.5, 0.45, 0.3, lw);
    // Ruffled petals: each a broad petal with a wavy rim, in two rings and a cupped heart.
    auto ruffle = [&](double angle, double length, double width, uint32_t light, uint32_t deep) {
        cairo_save(cr);
        cairo_rotate(cr, angle);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, length * 0.2, -width * 0.6, length * 0.6, -width * 0.65, length * 0.85, -width * 0.45);
        for (int k = 0; k < 3; ++k) {
            const double y0 = -width * 0.45 + k * width * 0.3;
            cairo_curve_to(cr, length * 1.05, y0, length * 1.05, y0 + width * 0.3, length * 0.9 + (k == 1 ? 0.05 : 0),
                           y0 + width * 0.3);
        }
        cairo_curve_to(cr, length * 0.6, width * 0.65, length * 0.2, width * 0.6, 0, 0);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_radial(length * 0.8, 0, 0, length * 0.8, 0, length);
        AddStop(p, 0, light);
        AddStop(p, 1, deep);
        FillOutline(cr, p, outline, lw);
        cairo_restore(cr);
    };
    for (int i = 0; i < 7; ++i)
        ruffle(-pi / 2 + i * 2 * pi / 7, 0.84, 0.82, Shade(base, 0.45), Shade(base, -0.05));
    for (int i = 0; i < 6; ++i)
        ruffle(-pi / 2 + (i + 0.5) * 2 * pi / 6, 0.6, 0.62, Shade(base, 0.3), Shade(base, -0.12));
    Scallops(cr, 0.36, 0.07, 7, 0.2);
    FillOutline(cr, Radial(0, -0.05, 0.4, Shade(base, 0.25), Shade(base, -0.2)), outline, lw);
    Scallops(cr, 0.2, 0.05, 5, 0.5);
    FillOutline(cr, Radial(0, 0, 0.22, Shade(base, -0.05), Shade(base, -0.3)), outline, lw);
    SetColour(cr, 0xFFE066);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * pi / 5 + 0.3;
        cairo_arc(cr, 0.08 * std::cos(a), 0.08 * std::sin(a), 0.035, 0, 2 * pi);
        cairo_fill(cr);
    }
}

void Bellflower(cairo_t* cr, double lw)
{
    const uint32_t base = 0x8C8CE8, outline = Shade(base, -0.55);
    // An arching stem from the upper right, the bell hanging from it, and a bud.
    cairo_move_to(cr, 0.7, 0.85);
    cairo_curve_to(cr, 0.85, 0.1, 0.6, -0.75, -0.02, -0.72);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 0.1 + lw);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    SetColour(cr, Palette::leaf);
    cairo_set_line_width(cr, 0.1 - lw);
    cairo_stroke(cr);
    Leaf(cr, 0.78, 0.35, 0.2, 0.35, 0.22, lw);
    // The bud on the stem.
    cairo_save(cr);
    cairo_translate(cr, 0.62, -0.42);
    cairo_rotate(cr, -0.4);
    cairo_scale(cr, 0.14, 0.22);
    cairo_arc(cr, 0, 0.6, 1, 0, 2 * pi);
    cairo_restore(cr);
    FillOutline(cr, Radial(0.58, -0.35, 0.25, Shade(base, 0.3), Shade(base, -0.2)), outline, lw);
    // The bell: a dome widening to a flared lip of five points.
    auto bell = [&](double cx, double top, double width, double height) {
        const double w = width / 2, lip = top + height;
        cairo_move_to(cr, cx - w * 0.45, top + height * 0.12);
        cairo_curve_to(cr, cx - w * 0.5, top - height * 0.08, cx + w * 0.5, top - height * 0.08, cx + w * 0.45, top + height * 0.12);
        cairo_curve_to(cr, cx + w * 0.6, top + height * 0.5, cx + w * 0.75, lip - height * 0.2, cx + w * 1.05, lip);
        // The lip's points, right to left.
        const int points = 5;
        for (int i = 0; i < points; ++i) {
            const double x0 = cx + w * 1.05 - (i + 0.5) * 2.1 * w / points, x1 = cx + w * 1.05 - (i + 1) * 2.1 * w / points;
            cairo_curve_to(cr, x0 + w * 0.1, lip - height * 0.1, x0 - w * 0.1, lip - height * 0.1, x1, lip + (i == points - 1 ? 0 : height * 0.02));
        }
        cairo_curve_to(cr, cx - w * 0.75, lip - height * 0.2, cx - w * 0.6, top + height * 0.5, cx - w * 0.45, top + height * 0.12);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(cx - w, 0, cx + w, 0);
        AddStop(p, 0, Shade(base, -0.15));
        AddStop(p, 0.35, Shade(base, 0.4));
        AddStop(p, 1, Shade(base, -0.3));
        FillOutline(cr, p, outline, lw);
        // The open mouth and the pistil.
        cairo_save(cr);
        cairo_translate(cr, cx, lip - height * 0.04);
        cairo_scale(cr, w * 0.85, height * 0.08);
        cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
        cairo_restore(cr);
        SetColour(cr, Shade(base, -0.45));
        cairo_fill(cr);
        cairo_move_to(cr, cx, lip - height * 0.05);
        cairo_line_to(cr, cx + w * 0.05, lip + height * 0.16);
        SetColour(cr, 0xF3F0C0);
        cairo_set_line_width(cr, lw * 1.6);
        cairo_stroke(cr);
    };
    bell(-0.12, -0.68, 1.15, 1.35);
}

void Lily(cairo_t* cr, double lw)
{
    const uint32_t cream = 0xFFF1C1, pink = 0xF7A8B8, outline = 0xC47A6E;
    for (int i = 0; i < 6; ++i) {
        const double a = -pi / 2 + i * pi / 3;
        const double length = i % 2 ? 0.9 : 0.94, width = i % 2 ? 0.46 : 0.52;
        cairo_save(cr);
        cairo_rotate(cr, a);
        PetalPath(cr, 0, length, width, slender);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, length, 0);
        AddStop(p, 0, Shade(pink, -0.1));
        AddStop(p, 0.55, pink);
        AddStop(p, 1, Mix(cream, pink, 0.3));
        FillOutline(cr, p, outline, lw);
        // The midrib and spots.
        cairo_move_to(cr, 0.1, 0);
        cairo_line_to(cr, length * 0.8, 0);
        SetColour(cr, 0xE07A90, 0.7);
        cairo_set_line_width(cr, lw);
        cairo_stroke(cr);
        SetColour(cr, 0xA83250);
        for (const auto& s : {std::pair{0.25, 0.05}, {0.33, -0.06}, {0.42, 0.06}, {0.5, -0.04}})
            if (s.first < length * 0.6) {
                cairo_arc(cr, s.first, s.second, 0.028, 0, 2 * pi);
                cairo_fill(cr);
            }
        cairo_restore(cr);
    }
    // Stamens with orange anthers.
    for (int i = 0; i < 6; ++i) {
        const double a = -pi / 2 + (i + 0.5) * pi / 3;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0.4 * std::cos(a), 0.4 * std::sin(a));
        SetColour(cr, 0x9CC46A);
        cairo_set_line_width(cr, lw * 1.2);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, 0.42 * std::cos(a), 0.42 * std::sin(a));
        cairo_rotate(cr, a + pi / 2);
        cairo_scale(cr, 0.09, 0.045);
        cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
        cairo_restore(cr);
        FillOutline(cr, 0xD9651E, 0x8A3A0E, lw * 0.6);
    }
    cairo_arc(cr, 0, 0, 0.08, 0, 2 * pi);
    FillOutline(cr, 0xBFD98A, 0x6A8A3A, lw * 0.8);
}

void Poppy(cairo_t* cr, double lw)
{
    const uint32_t base = 0xE8452E, outline = Shade(base, -0.5);
    // Four round petals, the back pair first.
    for (int i : {1, 3, 0, 2}) {
        const double a = -pi / 2 + i * pi / 2 + 0.25;
        cairo_save(cr);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 0.05, -0.62, 0.95, -0.72, 0.93, 0.0);
        cairo_curve_to(cr, 0.95, 0.72, 0.05, 0.62, 0, 0);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_radial(0.6, -0.1, 0, 0.5, 0, 0.75);
        AddStop(p, 0, Shade(base, 0.3));
        AddStop(p, 0.7, base);
        AddStop(p, 1, Shade(base, -0.2));
        FillOutline(cr, p, outline, lw);
        // The black blotch at the base.
        cairo_arc(cr, 0.2, 0, 0.15, 0, 2 * pi);
        cairo_set_source_rgba(cr, 0.08, 0.04, 0.04, 0.9);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    // The black centre: stamens around a grey-green seed head with radial lines.
    for (int i = 0; i < 16; ++i) {
        const double a = i * 2 * pi / 16;
        SetColour(cr, 0x1A1010);
        cairo_arc(cr, 0.25 * std::cos(a), 0.25 * std::sin(a), 0.045, 0, 2 * pi);
        cairo_fill(cr);
    }
    cairo_arc(cr, 0, 0, 0.2, 0, 2 * pi);
    FillOutline(cr, 0x241616, 0x000000, lw);
    cairo_arc(cr, 0, 0, 0.11, 0, 2 * pi);
    FillOutline(cr, Radial(-0.03, -0.03, 0.12, 0x9FB08A, 0x5A6A4A), 0x1A1A10, lw * 0.7);
    SetColour(cr, 0x2A2A1A);
    cairo_set_line_width(cr, lw * 0.7);
    for (int i = 0; i < 6; ++i) {
        const double a = i * pi / 3;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0.11 * std::cos(a), 0.11 * std::sin(a));
    }
    cairo_stroke(cr);
}

void ForgetMeNot(cairo_t* cr, double lw)
{
    const uint32_t base = 0x7CC4F2, outline = Shade(base, -0.55);
    Leaf(cr, 0.0, 0.1, 2.6, 0.9, 0.34, lw);
    Leaf(cr, 0.0, 0.1, 0.5, 0.9, 0.34, lw);
    auto floret = [&](double cx, double cy, double r, double turn) {
        for (int i = 0; i < 5; ++i) {
            const double a = turn + i * 2 * pi / 5;
            const double px = cx + r * 0.5 * std::cos(a), py = cy + r * 0.5 * std::sin(a);
            cairo_arc(cr, px, py, r * 0.5, 0, 2 * pi);
            FillOutline(cr, Radial(px + r * 0.2 * std::cos(a), py + r * 0.2 * std::sin(a), r * 0.6, Shade(base, 0.35),
                                   Shade(base, -0.15)),
                        outline, lw);
        }
        cairo_arc(cr, cx, cy, r * 0.3, 0, 2 * pi);
        FillOutline(cr, 0xFFFFFF, Shade(base, -0.3), lw * 0.7);
        cairo_arc(cr, cx, cy, r * 0.15, 0, 2 * pi);
        SetColour(cr, 0xF6C534);
        cairo_fill(cr);
    };
    const double r = 0.38;
    for (int i = 0; i < 4; ++i) {
        const double a = -pi / 2 + 0.3 + i * pi / 2;
        floret(0.52 * std::cos(a), 0.52 * std::sin(a), r * 0.92, a);
    }
    floret(0, 0, r, 0.6);
}

void Carnation(cairo_t* cr, double lw)
{
    const uint32_t base = 0xD9479A, outline = Shade(base, -0.5);
    // A green calyx below, then fringed rings from the outside in.
    cairo_move_to(cr, -0.2, 0.55);
    cairo_line_to(cr, -0.12, 0.95);
    cairo_line_to(cr, 0.12, 0.95);
    cairo_line_to(cr, 0.2, 0.55);
    cairo_close_path(cr);
    FillOutline(cr, Linear(-0.2, 0, 0.2, 0, Palette::fresh, Palette::leaf), Palette::deep, lw);
    auto fringe = [&](double cx, double cy, double radius, int teeth, double depth, double phase, uint32_t light, uint32_t deep) {
        for (int i = 0; i <= teeth * 2; ++i) {
            const double a = phase + i * pi / teeth;
            const double r = i % 2 ? radius : radius - depth;
            const double x = cx + r * std::cos(a), y = cy + r * std::sin(a) * 0.92;
            i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, radius * 0.2, cx, cy, radius);
        AddStop(p, 0, deep);
        AddStop(p, 0.75, Mix(deep, light, 0.6));
        AddStop(p, 1, light);
        FillOutline(cr, p, outline, lw);
    };
    fringe(0, -0.02, 0.92, 26, 0.14, 0.0, Shade(base, 0.55), Shade(base, -0.1));
    fringe(0.02, -0.08, 0.72, 22, 0.13, 0.1, Shade(base, 0.5), Shade(base, -0.05));
    fringe(-0.02, -0.12, 0.52, 18, 0.12, 0.2, Shade(base, 0.5), base);
    fringe(0.0, -0.14, 0.3, 12, 0.1, 0.3, Shade(base, 0.45), Shade(base, -0.1));
}

void Lavender(cairo_t* cr, double lw)
{
    const uint32_t base = 0xB38BE0, outline = Shade(base, -0.55);
    Leaf(cr, 0.0, 0.92, -2.4, 0.55, 0.18, lw);
    Leaf(cr, 0.0, 0.92, -0.75, 0.55, 0.18, lw);
    // Three spikes fanning from the bottom: a stem and whorls of florets narrowing to the tip.
    auto spike = [&](double angle, double length) {
        cairo_save(cr);
        cairo_translate(cr, 0, 0.92);
        cairo_rotate(cr, angle);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, -length);
        SetColour(cr, Palette::leaf);
        cairo_set_line_width(cr, 0.07);
        cairo_stroke(cr);
        const int whorls = 8;
        for (int i = 0; i < whorls; ++i) {
            const double t = double(i) / (whorls - 1), y = -length * (0.38 + 0.62 * t);
            const double w = 0.15 * (1 - 0.55 * t);
            const uint32_t light = Shade(base, 0.3 + 0.15 * t), deep = Shade(base, -0.15);
            for (int side : {-1, 1}) {
                cairo_save(cr);
                cairo_translate(cr, side * w * 0.55, y);
                cairo_scale(cr, w * 0.75, w * 0.65);
                cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
                cairo_restore(cr);
                FillOutline(cr, Radial(side * w * 0.4, y - w * 0.3, w * 1.2, light, deep), outline, lw);
            }
        }
        cairo_restore(cr);
    };
    spike(-0.42, 1.55);
    spike(0.42, 1.55);
    spike(0.0, 1.8);
}

void Daffodil(cairo_t* cr, double lw)
{
    const uint32_t base = 0xFFE066, outline = 0xB8901A;
    for (int i = 0; i < 6; ++i)
        Petal(cr, 0, 0, -pi / 2 + i * pi / 3, 0.0, 0.92, 0.58, pointed, Shade(base, 0.1), Mix(base, 0xF2A820, 0.6), outline, lw);
    // The trumpet from the front: a ruffled rim, a deeper throat.
    Scallops(cr, 0.46, 0.06, 9, 0.0);
    FillOutline(cr, Radial(0, 0, 0.46, 0xF2A01E, 0xF7B733), 0xB0600E, lw);
    cairo_arc(cr, 0, 0, 0.3, 0, 2 * pi);
    FillOutline(cr, Radial(0, 0.05, 0.3, 0xC9650E, 0xF29A1E), 0xB0600E, lw * 0.8);
    SetColour(cr, 0xFFF2A0);
    for (int i = 0; i < 3; ++i) {
        const double a = -pi / 2 + i * 2 * pi / 3;
        cairo_arc(cr, 0.08 * std::cos(a), 0.08 * std::sin(a), 0.045, 0, 2 * pi);
        cairo_fill(cr);
    }
}

void Pansy(cairo_t* cr, double lw)
{
    const uint32_t velvet = 0x4B2A7A, pale = 0xEDE2FA, outline = 0x2A1645;
    // Two upper petals, two side petals, one broad lower petal; all broad and round.
    auto round = [&](double angle, double length, double width, uint32_t light, uint32_t deep) {
        Petal(cr, 0, 0, angle, 0.0, length, width, rounded, light, deep, outline, lw);
    };
    round(-pi / 2 - 0.55, 0.88, 0.78, Shade(velvet, 0.25), velvet);
    round(-pi / 2 + 0.55, 0.88, 0.78, Shade(velvet, 0.25), velvet);
    round(pi - 0.05, 0.78, 0.72, pale, Shade(pale, -0.15));
    round(0.05, 0.78, 0.72, pale, Shade(pale, -0.15));
    round(pi / 2, 0.85, 0.9, pale, Shade(pale, -0.12));
    // The face: a dark blotch with whiskers and a yellow eye.
    cairo_save(cr);
    cairo_translate(cr, 0, 0.12);
    cairo_scale(cr, 0.42, 0.36);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_restore(cr);
    cairo_pattern_t* face = cairo_pattern_create_radial(0, 0.1, 0.1, 0, 0.12, 0.42);
    AddStop(face, 0, 0x2A1645);
    AddStop(face, 0.75, 0x3C2068, 0.9);
    AddStop(face, 1, 0x3C2068, 0);
    cairo_set_source(cr, face);
    cairo_pattern_destroy(face);
    cairo_fill(cr);
    SetColour(cr, 0x2A1645, 0.85);
    cairo_set_line_width(cr, lw * 0.9);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double a : {pi / 2 - 0.5, pi / 2 - 0.18, pi / 2 + 0.18, pi / 2 + 0.5, pi - 0.15, 0.15}) {
        cairo_move_to(cr, 0.3 * std::cos(a), 0.1 + 0.3 * std::sin(a));
        cairo_line_to(cr, 0.58 * std::cos(a), 0.1 + 0.58 * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0.02, 0.1, 0, 2 * pi);
    FillOutline(cr, 0xFFD23A, 0x9A6A10, lw * 0.8);
}

void DrawKind(cairo_t* cr, int kind, double lw)
{
    switch (kind) {
    case 0: Daisy(cr, lw); break;
    case 1: Rose(cr, lw); break;
    case 2: Tulip(cr, lw); break;
    case 3: Cornflower(cr, lw); break;
    case 4: Sunflower(cr, lw); break;
    case 5: Violet(cr, lw); break;
    case 6: Stone(cr, lw); break;
    case 7: Peony(cr, lw); break;
    case 8: Bellflower(cr, lw); break;
    case 9: Lily(cr, lw); break;
    case 10: Poppy(cr, lw); break;
    case 11: ForgetMeNot(cr, lw); break;
    case 12: Carnation(cr, lw); break;
    case 13: Lavender(cr, lw); break;
    case 14: Daffodil(cr, lw); break;
    default: Pansy(cr, lw); break;
    }
}

} // namespace

void DrawFlower(cairo_t* cr, int frame, double x, double y, double radius)
{
    const int kind = ((frame % 32) + 32) % 32 % 16;
    const bool golden = frame % 32 >= 16;
    // The outline stays 1-1.6 texels whatever the size; the shadow falls (2, 2) texels down-right at full
    // size with about 1.5 texels of blur.
    const double lw = std::clamp(radius * 0.052, 1.0, 1.6) / radius;
    const double shift = std::max(0.8, radius * 0.066), blur = std::max(0.6, radius * 0.05);

    cairo_save(cr);
    cairo_rectangle(cr, x - radius - shift - 2 * blur - 2, y - radius - 2 * blur - 2, 2 * radius + 2 * shift + 4 * blur + 4,
                    2 * radius + 2 * shift + 4 * blur + 4);
    cairo_clip(cr);

    cairo_push_group(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, radius, radius);
    DrawKind(cr, kind, lw);
    if (golden) {
        // Gold hue over the flower's own light and shade, then a glint.
        cairo_pattern_t* flower = cairo_pop_group(cr);
        cairo_push_group(cr);
        cairo_set_source(cr, flower);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_HSL_COLOR);
        SetColour(cr, Palette::gold);
        cairo_paint(cr);
        // Back to the flower's own coverage.
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
        cairo_set_source(cr, flower);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        cairo_pattern_destroy(flower);
        const double gx = x + radius * 0.45, gy = y - radius * 0.5, g = radius * 0.3;
        cairo_move_to(cr, gx, gy - g);
        cairo_curve_to(cr, gx, gy, gx, gy, gx + g, gy);
        cairo_curve_to(cr, gx, gy, gx, gy, gx, gy + g);
        cairo_curve_to(cr, gx, gy, gx, gy, gx - g, gy);
        cairo_curve_to(cr, gx, gy, gx, gy, gx, gy - g);
        SetColour(cr, 0xFFFFFF, 0.95);
        cairo_fill(cr);
    }
    cairo_pattern_t* flower = cairo_pop_group(cr);

    // A soft shadow: the silhouette stamped at offsets around the shadow's place, black at 25 % in all.
    const int taps = 8;
    const double each = 1 - std::pow(0.75, 1.0 / (taps + 1));
    for (int i = 0; i <= taps; ++i) {
        const double a = i * 2 * pi / taps, d = i == taps ? 0 : blur;
        cairo_save(cr);
        cairo_translate(cr, shift + d * std::cos(a), shift + d * std::sin(a));
        cairo_set_source_rgba(cr, 0, 0, 0, each);
        cairo_mask(cr, flower);
        cairo_restore(cr);
    }
    cairo_set_source(cr, flower);
    cairo_paint(cr);
    cairo_pattern_destroy(flower);
    cairo_restore(cr);
}

} // namespace DataBuild

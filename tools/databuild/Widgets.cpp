#include "tools/databuild/Widgets.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace DataBuild::Widgets {

namespace {

struct Sample {
    double x, y, angle;
};

// Points spaced `count` equal steps along the current path (flattened), with the direction there.
std::vector<Sample> AlongPath(cairo_t* cr, int count)
{
    cairo_path_t* path = cairo_copy_path_flat(cr);
    std::vector<std::array<double, 2>> points;
    std::array<double, 2> start{0, 0};
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t* d = &path->data[i];
        if (d->header.type == CAIRO_PATH_MOVE_TO || d->header.type == CAIRO_PATH_LINE_TO) {
            points.push_back({d[1].point.x, d[1].point.y});
            if (d->header.type == CAIRO_PATH_MOVE_TO)
                start = points.back();
        } else if (d->header.type == CAIRO_PATH_CLOSE_PATH) {
            points.push_back(start);
        }
    }
    cairo_path_destroy(path);
    std::vector<double> lengths{0};
    for (size_t i = 1; i < points.size(); ++i)
        lengths.push_back(lengths.back() + std::hypot(points[i][0] - points[i - 1][0], points[i][1] - points[i - 1][1]));
    std::vector<Sample> samples;
    if (points.size() < 2 || lengths.back() <= 0)
        return samples;
    size_t segment = 1;
    for (int k = 0; k < count; ++k) {
        const double s = lengths.back() * k / count;
        while (segment + 1 < points.size() && lengths[segment] < s)
            ++segment;
        const double span = std::max(1e-9, lengths[segment] - lengths[segment - 1]);
        const double t = (s - lengths[segment - 1]) / span;
        const auto& a = points[segment - 1];
        const auto& b = points[segment];
        samples.push_back({a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, std::atan2(b[1] - a[1], b[0] - a[0])});
    }
    return samples;
}

// One reed of a braid: a slim lens shape centred on the origin along x.
void Reed(cairo_t* cr, double length, double thickness)
{
    const double l = length / 2, t = thickness / 2;
    cairo_move_to(cr, -l, 0);
    cairo_curve_to(cr, -l * 0.6, -t * 1.35, l * 0.6, -t * 1.35, l, 0);
    cairo_curve_to(cr, l * 0.6, t * 1.35, -l * 0.6, t * 1.35, -l, 0);
    cairo_close_path(cr);
}

} // namespace

void FillVerticalAlpha(cairo_t* cr, double y0, double y1, uint32_t top, uint32_t bottom, double alpha)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    AddStop(gradient, 0, top, alpha);
    AddStop(gradient, 1, bottom, alpha);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void Glow(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t rgb, double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, ry / rx);
    cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, rx);
    AddStop(glow, 0, rgb, alpha);
    AddStop(glow, 0.45, rgb, alpha * 0.55);
    AddStop(glow, 1, rgb, 0);
    cairo_set_source(cr, glow);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, rx, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
}

void Shadow(cairo_t* cr, double dx, double dy, double spread, double alpha)
{
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const int steps = 4;
    for (int i = steps; i >= 1; --i) {
        cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
        cairo_set_line_width(cr, 2 * spread * i / steps);
        cairo_stroke_preserve(cr);
    }
    cairo_set_source_rgba(cr, 0, 0, 0, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
}

void WickerRim(cairo_t* cr, double x, double y, double w, double h, double radius, double width)
{
    using namespace Palette;
    cairo_save(cr);
    // The dark core of the band.
    cairo_new_path(cr);
    RoundedRectangle(cr, x, y, w, h, radius);
    RoundedRectangle(cr, x + width, y + width, w - 2 * width, h - 2 * width, std::max(1.0, radius - width));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_pattern_t* core = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(core, 0, Shade(wickerDark, 0.1));
    AddStop(core, 1, Shade(wickerDark, -0.25));
    cairo_set_source(cr, core);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(core);
    cairo_clip(cr);

    // Reeds along the centre line, slanted left and right in turn: a two-strand braid.
    const double half = width / 2;
    cairo_new_path(cr);
    RoundedRectangle(cr, x + half, y + half, w - width, h - width, std::max(1.0, radius - half));
    WickerBraid(cr, width);
    cairo_restore(cr);

    // Thin dark edges and a soft light along the top.
    cairo_new_path(cr);
    RoundedRectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    SetColour(cr, Shade(wickerDark, -0.3), 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    RoundedRectangle(cr, x + width - 0.5, y + width - 0.5, w - 2 * width + 1, h - 2 * width + 1,
                     std::max(1.0, radius - width));
    SetColour(cr, Shade(wickerDark, -0.4), 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void WickerBraid(cairo_t* cr, double width)
{
    using namespace Palette;
    const double step = std::max(2.5, width * 0.52);
    double length = 0;
    {
        cairo_path_t* path = cairo_copy_path_flat(cr);
        double lx = 0, ly = 0, sx = 0, sy = 0;
        for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
            const cairo_path_data_t* d = &path->data[i];
            if (d->header.type == CAIRO_PATH_MOVE_TO) {
                lx = sx = d[1].point.x;
                ly = sy = d[1].point.y;
            } else if (d->header.type == CAIRO_PATH_LINE_TO) {
                length += std::hypot(d[1].point.x - lx, d[1].point.y - ly);
                lx = d[1].point.x;
                ly = d[1].point.y;
            } else if (d->header.type == CAIRO_PATH_CLOSE_PATH) {
                length += std::hypot(sx - lx, sy - ly);
                lx = sx;
                ly = sy;
            }
        }
        cairo_path_destroy(path);
    }
    int count = std::max(8, static_cast<int>(std::lround(length / step)));
    count += count % 2;
    const std::vector<Sample> samples = AlongPath(cr, count);
    cairo_new_path(cr);
    for (int pass = 0; pass < 2; ++pass)
        for (size_t k = pass; k < samples.size(); k += 2) {
            const Sample& s = samples[k];
            const double tilt = (k % 2 ? 0.62 : -0.62);
            cairo_save(cr);
            cairo_translate(cr, s.x, s.y);
            cairo_rotate(cr, s.angle + tilt);
            Reed(cr, width * 1.18, width * 0.44);
            const double shade = 0.06 * (Hash(static_cast<uint32_t>(k), 17) - 0.5);
            cairo_pattern_t* reed = cairo_pattern_create_linear(0, -width * 0.3, 0, width * 0.3);
            AddStop(reed, 0, Shade(straw, shade));
            AddStop(reed, 0.45, Shade(wickerLight, shade));
            AddStop(reed, 1, Shade(wickerMid, shade - 0.1));
            cairo_set_source(cr, reed);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(reed);
            SetColour(cr, wickerDark, 0.55);
            cairo_set_line_width(cr, 0.7);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
}

void WickerWeave(cairo_t* cr, double x, double y, double w, double h, double pitch)
{
    using namespace Palette;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, Shade(wickerDark, -0.2));
    cairo_fill(cr);
    // Upright stakes, then weavers passing over every other stake, shifted each row.
    for (double sx = x + pitch / 2; sx < x + w + pitch; sx += pitch) {
        cairo_rectangle(cr, sx - pitch * 0.22, y, pitch * 0.44, h);
        cairo_pattern_t* stake = cairo_pattern_create_linear(sx - pitch * 0.22, 0, sx + pitch * 0.22, 0);
        AddStop(stake, 0, wickerMid);
        AddStop(stake, 0.5, wickerLight);
        AddStop(stake, 1, Shade(wickerMid, -0.2));
        cairo_set_source(cr, stake);
        cairo_fill(cr);
        cairo_pattern_destroy(stake);
    }
    int row = 0;
    for (double ry = y; ry < y + h; ry += pitch * 0.6, ++row) {
        const double thickness = pitch * 0.5;
        for (double rx = x - pitch + (row % 2) * pitch; rx < x + w + pitch; rx += 2 * pitch) {
            cairo_new_path(cr);
            RoundedRectangle(cr, rx + pitch * 0.05, ry + pitch * 0.05, pitch * 1.4, thickness, thickness / 2);
            cairo_pattern_t* weaver = cairo_pattern_create_linear(0, ry, 0, ry + thickness);
            AddStop(weaver, 0, straw);
            AddStop(weaver, 0.5, wickerLight);
            AddStop(weaver, 1, wickerMid);
            cairo_set_source(cr, weaver);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(weaver);
            SetColour(cr, wickerDark, 0.6);
            cairo_set_line_width(cr, 0.6);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

void Leaf(cairo_t* cr, double x, double y, double length, double width, double angle, uint32_t rgb, bool vein)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    const double l = length, hw = width / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, l * 0.25, -hw * 1.3, l * 0.7, -hw * 1.1, l, 0);
    cairo_curve_to(cr, l * 0.7, hw * 1.1, l * 0.25, hw * 1.3, 0, 0);
    cairo_close_path(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, -hw, 0, hw);
    AddStop(fill, 0, Shade(rgb, 0.22));
    AddStop(fill, 0.5, rgb);
    AddStop(fill, 1, Shade(rgb, -0.25));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, Shade(rgb, -0.5), 0.8);
    cairo_set_line_width(cr, std::clamp(width / 10, 0.6, 1.5));
    cairo_stroke(cr);
    if (vein) {
        cairo_move_to(cr, l * 0.05, 0);
        cairo_curve_to(cr, l * 0.4, -hw * 0.12, l * 0.7, -hw * 0.08, l * 0.92, 0);
        SetColour(cr, Shade(rgb, 0.45), 0.7);
        cairo_set_line_width(cr, std::clamp(width / 12, 0.5, 1.2));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void Daisy(cairo_t* cr, double x, double y, double radius, double petalTurn)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    const int petals = 13;
    for (int p = 0; p < petals; ++p) {
        cairo_save(cr);
        cairo_rotate(cr, petalTurn + p * 2 * pi / petals);
        cairo_new_path(cr);
        cairo_move_to(cr, radius * 0.2, 0);
        cairo_curve_to(cr, radius * 0.45, -radius * 0.2, radius * 0.95, -radius * 0.17, radius, 0);
        cairo_curve_to(cr, radius * 0.95, radius * 0.17, radius * 0.45, radius * 0.2, radius * 0.2, 0);
        cairo_pattern_t* petal = cairo_pattern_create_linear(radius * 0.2, 0, radius, 0);
        AddStop(petal, 0, 0xF3E6F0);
        AddStop(petal, 0.5, 0xFFFFFF);
        AddStop(petal, 1, 0xFFFFFF);
        cairo_set_source(cr, petal);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(petal);
        SetColour(cr, 0x9A8F8A, 0.55);
        cairo_set_line_width(cr, std::max(0.4, radius / 22));
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, radius * 0.3, 0, 2 * pi);
    cairo_pattern_t* disc = cairo_pattern_create_radial(-radius * 0.08, -radius * 0.1, 0, 0, 0, radius * 0.3);
    AddStop(disc, 0, 0xFFF08A);
    AddStop(disc, 0.6, 0xF6C534);
    AddStop(disc, 1, 0xD9962A);
    cairo_set_source(cr, disc);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    if (radius > 6)
        for (int d = 0; d < 9; ++d) {
            const double a = d * 2.4, r = radius * 0.2 * std::sqrt((d + 0.5) / 9);
            cairo_arc(cr, r * std::cos(a), r * std::sin(a), std::max(0.4, radius * 0.025), 0, 2 * pi);
            SetColour(cr, 0xB0701E, 0.6);
            cairo_fill(cr);
        }
    cairo_restore(cr);
}

void Tendril(cairo_t* cr, double x, double y, double size, int direction, uint32_t rgb)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, direction, 1);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, size * 0.5, -size * 0.05, size * 0.9, -size * 0.25, size * 0.85, -size * 0.55);
    cairo_curve_to(cr, size * 0.8, -size * 0.8, size * 0.5, -size * 0.75, size * 0.55, -size * 0.5);
    cairo_curve_to(cr, size * 0.58, -size * 0.38, size * 0.7, -size * 0.42, size * 0.68, -size * 0.52);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, rgb);
    cairo_set_line_width(cr, std::max(1.0, size / 14));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DialogFrame(cairo_t* cr, double w, double h, double bandTop, double bandBottom, uint32_t seed)
{
    using namespace Palette;
    // The body leaves 4 texels right and below for its shadow.
    const double x0 = 2, y0 = 1, bw = w - 6, bh = h - 5, rim = 13, radius = 22;
    cairo_new_path(cr);
    RoundedRectangle(cr, x0 + 2, y0 + 2, bw, bh, radius);
    Shadow(cr, 0, 0, 2, 0.22);
    cairo_new_path(cr);

    // The panel: deep green, darker towards the bottom, a faint leaf watermark and an inner shadow.
    const double px = x0 + rim - 1, py = y0 + rim - 1, pw = bw - 2 * rim + 2, ph = bh - 2 * rim + 2;
    cairo_save(cr);
    RoundedRectangle(cr, px, py, pw, ph, radius - rim + 2);
    cairo_clip_preserve(cr);
    cairo_pattern_t* panel = cairo_pattern_create_linear(0, py, 0, py + ph);
    AddStop(panel, 0, 0x2F6040);
    AddStop(panel, 0.55, 0x25503A);
    AddStop(panel, 1, 0x1A3626);
    cairo_set_source(cr, panel);
    cairo_fill(cr);
    cairo_pattern_destroy(panel);
    Glow(cr, px + pw * 0.5, py + ph * 0.35, pw * 0.6, ph * 0.5, 0x3F7A52, 0.35);
    for (int i = 0; i < 9; ++i) {
        const double lx = px + pw * Hash(seed, i * 3), ly = py + ph * Hash(seed, i * 3 + 1);
        const double size = 40 + 50 * Hash(seed, i * 3 + 2);
        cairo_save(cr);
        cairo_translate(cr, lx, ly);
        cairo_rotate(cr, 2 * pi * Hash(seed + 7, i));
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, size * 0.25, -size * 0.32, size * 0.7, -size * 0.27, size, 0);
        cairo_curve_to(cr, size * 0.7, size * 0.27, size * 0.25, size * 0.32, 0, 0);
        SetColour(cr, mint, 0.045);
        cairo_fill(cr);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, size * 0.9, 0);
        SetColour(cr, mint, 0.04);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_new_path(cr);
    RoundedRectangle(cr, px, py, pw, ph, radius - rim + 2);
    for (int i = 4; i >= 1; --i) {
        cairo_set_source_rgba(cr, 0, 0.05, 0.02, 0.1);
        cairo_set_line_width(cr, 3.0 * i);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
    cairo_restore(cr);

    if (bandBottom > bandTop) {
        const double bx = px + 30, bwid = pw - 60, bhgt = bandBottom - bandTop;
        cairo_new_path(cr);
        RoundedRectangle(cr, bx, bandTop + 2, bwid, bhgt, bhgt / 2);
        Shadow(cr, 0, 1.5, 1.5, 0.25);
        cairo_new_path(cr);
        RoundedRectangle(cr, bx, bandTop, bwid, bhgt, bhgt / 2);
        cairo_pattern_t* band = cairo_pattern_create_linear(0, bandTop, 0, bandBottom);
        AddStop(band, 0, 0x74B466);
        AddStop(band, 0.5, 0x5A9A52);
        AddStop(band, 1, 0x467F42);
        cairo_set_source(cr, band);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(band);
        SetColour(cr, 0x1F4A2A, 0.8);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        RoundedRectangle(cr, bx + bhgt * 0.3, bandTop + 2.5, bwid - bhgt * 0.6, bhgt * 0.4, bhgt * 0.2);
        cairo_pattern_t* shine = cairo_pattern_create_linear(0, bandTop + 2, 0, bandTop + 2 + bhgt * 0.45);
        cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.28);
        cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0.0);
        cairo_set_source(cr, shine);
        cairo_fill(cr);
        cairo_pattern_destroy(shine);
        // Curled-leaf tips at both ends.
        const double cy = bandTop + bhgt / 2;
        for (int side : {-1, 1}) {
            const double ex = side < 0 ? bx + 4 : bx + bwid - 4;
            Tendril(cr, ex + side * 6, cy + 2, bhgt * 0.75, side, 0x8CC26A);
            Leaf(cr, ex, cy, bhgt * 0.95, bhgt * 0.42, side < 0 ? pi + 0.35 : -0.35, 0x6DB35A);
            Leaf(cr, ex, cy, bhgt * 0.8, bhgt * 0.36, side < 0 ? pi - 0.45 : 0.45, 0x4E8A4A);
        }
    }

    WickerRim(cr, x0, y0, bw, bh, radius, rim);
}

void PillButton(cairo_t* cr, double w, double h, int state)
{
    using namespace Palette;
    const double dy = state == 2 ? 1 : 0;
    const double x0 = 4, y0 = 3 + dy, bw = w - 8, bh = h - 8, r = bh / 2;
    if (state == 1) {
        cairo_new_path(cr);
        RoundedRectangle(cr, x0, y0, bw, bh, r);
        for (int i = 4; i >= 1; --i) {
            SetColour(cr, 0xFFD66B, 0.16);
            cairo_set_line_width(cr, 2.0 * i);
            cairo_stroke_preserve(cr);
        }
        cairo_new_path(cr);
    } else if (state != 2) {
        cairo_new_path(cr);
        RoundedRectangle(cr, x0, y0 + 1.5, bw, bh, r);
        Shadow(cr, 0.5, 0.5, 1.2, 0.25);
        cairo_new_path(cr);
    }
    const double rim = std::max(3.0, bh * 0.14);
    static const uint32_t tops[] = {0x7CC266, 0x9ADC78, 0x3E7D3A, 0xB9C2B9};
    static const uint32_t middles[] = {0x5FA54F, 0x82C866, 0x33702F, 0xA3AFA3};
    static const uint32_t bottoms[] = {0x3E7D3A, 0x58994A, 0x275C26, 0x8A978A};
    cairo_new_path(cr);
    RoundedRectangle(cr, x0 + rim - 0.5, y0 + rim - 0.5, bw - 2 * rim + 1, bh - 2 * rim + 1, r - rim);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y0 + rim, 0, y0 + bh - rim);
    AddStop(face, 0, tops[state]);
    AddStop(face, 0.5, middles[state]);
    AddStop(face, 1, bottoms[state]);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // The glossy upper half and a 1-texel highlight line near the top.
    const double fy = y0 + rim + 1.5, fh = (bh - 2 * rim) * 0.45;
    RoundedRectangle(cr, x0 + rim + r * 0.3, fy, bw - 2 * rim - r * 0.6, fh, fh / 2);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, fy, 0, fy + fh);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, state == 2 ? 0.12 : 0.3);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.02);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_move_to(cr, x0 + rim + r * 0.5, y0 + rim + 1.5);
    cairo_line_to(cr, x0 + bw - rim - r * 0.5, y0 + rim + 1.5);
    SetColour(cr, 0xFFFFFF, state == 3 ? 0.25 : 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (state == 3) {
        cairo_save(cr);
        WickerRim(cr, x0, y0, bw, bh, r, rim);
        cairo_new_path(cr);
        RoundedRectangle(cr, x0, y0, bw, bh, r);
        SetColour(cr, 0xB8BDB0, 0.55);
        cairo_set_operator(cr, CAIRO_OPERATOR_HSL_SATURATION);
        cairo_fill(cr);
        cairo_restore(cr);
    } else {
        WickerRim(cr, x0, y0, bw, bh, r, rim);
        if (state == 2) {
            RoundedRectangle(cr, x0, y0, bw, bh, r);
            SetColour(cr, 0x000000, 0.12);
            cairo_fill(cr);
        } else if (state == 1) {
            RoundedRectangle(cr, x0, y0, bw, bh, r);
            SetColour(cr, 0xFFF0C0, 0.1);
            cairo_fill(cr);
        }
    }
    cairo_new_path(cr);
}

double ArtText(cairo_t* cr, const char* text, double centreX, double baseline, double size, uint32_t top,
               uint32_t bottom, uint32_t outline, double outlineWidth)
{
    SetSerifBold(cr);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_new_path(cr);
    cairo_move_to(cr, centreX - extents.width / 2 - extents.x_bearing, baseline);
    cairo_text_path(cr, text);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Shadow(cr, size * 0.03, size * 0.04, size * 0.05, 0.25);
    SetColour(cr, outline);
    cairo_set_line_width(cr, 2 * outlineWidth);
    cairo_stroke_preserve(cr);
    const double y0 = baseline + extents.y_bearing, y1 = baseline;
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y0, 0, y1);
    AddStop(fill, 0, Shade(top, 0.35));
    AddStop(fill, 0.35, top);
    AddStop(fill, 1, bottom);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    return extents.width;
}

double Hash(uint32_t a, uint32_t b)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / double(0x1000000);
}

} // namespace DataBuild::Widgets

// The program's icon and cursors, as 32-bit BMP files with alpha in <base>\resources, where the
// platform layer looks them up by id ("icon<id>.bmp", "cursor<id>.bmp"; the hot spot is the top-left
// pixel, so every cursor's tip is drawn there).
#include "tools/databuild/Widgets.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace DataBuild {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A bottom-up BMP with a version 4 header whose bit fields carry an alpha mask.
std::vector<uint8_t> EncodeBmp(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    constexpr uint32_t headers = 14 + 108;
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, headers + 4 * w * h);
    Put32(out, 0);
    Put32(out, headers);
    Put32(out, 108);
    Put32(out, w);
    Put32(out, h);
    out.insert(out.end(), {1, 0, 32, 0});
    Put32(out, 3); // bit fields
    Put32(out, 4 * w * h);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        Put32(out, mask);
    Put32(out, 0x73524742); // "sRGB"
    out.resize(headers, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, data + y * stride + x * 4, 4);
            const uint32_t a = pixel >> 24;
            uint32_t straight = pixel & 0xFF000000;
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t c = (pixel >> shift) & 0xFF;
                straight |= (a ? std::min<uint32_t>(255, (c * 255 + a / 2) / a) : 0) << shift;
            }
            Put32(out, straight);
        }
    return out;
}

// A leaf-green arrow with a white rim, its tip on the top-left pixel.
void Arrow(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 1, 1);
    cairo_line_to(cr, 1, 23);
    cairo_line_to(cr, 6.5, 18);
    cairo_line_to(cr, 11, 27);
    cairo_line_to(cr, 15, 25);
    cairo_line_to(cr, 10.5, 16.5);
    cairo_line_to(cr, 18, 16.5);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Widgets::Shadow(cr, 1.5, 1.5, 1, 0.3);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 14, 26);
    AddStop(fill, 0, 0x9ADC78);
    AddStop(fill, 0.5, 0x5FA54F);
    AddStop(fill, 1, 0x3E7D3A);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

// Garden scissors: the curved blades meet at the top-left pixel (the hot spot), the green handles spread
// below right, and one small green dot per pair held.
void Scissors(cairo_t* cr, int pairs)
{
    const double px = 14, py = 14;
    auto blade = [cr, px, py](double tx, double ty, double side) {
        const double dx = tx - px, dy = ty - py, len = std::hypot(dx, dy);
        const double nx = -dy / len * side, ny = dx / len * side;
        cairo_new_path(cr);
        cairo_move_to(cr, px + nx * 3.4, py + ny * 3.4);
        cairo_curve_to(cr, px + dx * 0.5 + nx * 3.6, py + dy * 0.5 + ny * 3.6, tx + nx * 1.2, ty + ny * 1.2, tx, ty);
        cairo_line_to(cr, px - nx * 1.4, py - ny * 1.4);
        cairo_close_path(cr);
        cairo_pattern_t* steel = cairo_pattern_create_linear(px - nx * 2, py - ny * 2, px + nx * 2, py + ny * 2);
        AddStop(steel, 0, 0x8A9098);
        AddStop(steel, 0.5, 0xF4F6F8);
        AddStop(steel, 1, 0xB8BEC6);
        cairo_set_source(cr, steel);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(steel);
        SetColour(cr, 0x3A3E44);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    };
    auto handle = [cr, px, py](double hx, double hy) {
        cairo_new_path(cr);
        cairo_move_to(cr, px, py);
        cairo_line_to(cr, hx, hy);
        SetColour(cr, 0x1F4A2A);
        cairo_set_line_width(cr, 3.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_arc(cr, hx, hy, 4.2, 0, 2 * pi);
        SetColour(cr, 0x1F4A2A);
        cairo_set_line_width(cr, 3.4);
        cairo_stroke_preserve(cr);
        SetColour(cr, 0x6DB35A);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
    };
    handle(21, 27.5);
    handle(27.5, 21);
    blade(1, 1, 1);
    blade(1, 1, -1);
    cairo_new_path(cr);
    cairo_arc(cr, px, py, 1.4, 0, 2 * pi);
    SetColour(cr, 0x3A3E44);
    cairo_fill(cr);
    for (int i = 0; i < pairs; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, 3.5 + 5.2 * i, 28.5, 2.3, 0, 2 * pi);
        SetColour(cr, 0x1F4A2A);
        cairo_fill_preserve(cr);
        SetColour(cr, 0x8CC26A);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// The window icon: a daisy on a round wicker badge with a green heart.
void Icon(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_arc(cr, 32, 32, 27, 0, 2 * pi);
    cairo_pattern_t* heart = cairo_pattern_create_radial(28, 26, 2, 32, 32, 27);
    AddStop(heart, 0, 0x8CC26A);
    AddStop(heart, 1, 0x2F6040);
    cairo_set_source(cr, heart);
    cairo_fill(cr);
    cairo_pattern_destroy(heart);
    Widgets::WickerRim(cr, 2, 2, 60, 60, 30, 8);
    Widgets::Leaf(cr, 32, 34, 17, 9, pi * 0.8, 0x6DB35A);
    Widgets::Leaf(cr, 32, 34, 17, 9, pi * 0.2, 0x4E8A4A);
    Widgets::Daisy(cr, 32, 30, 16, 0.2);
}

} // namespace

void WriteResources(DataTree& tree)
{
    {
        Canvas c(64, 64);
        Icon(c.Get());
        tree.Write("resources\\icon101.bmp", EncodeBmp(cairo_get_target(c.Get())));
    }
    {
        Canvas c(32, 32);
        Arrow(c.Get());
        tree.Write("resources\\cursor1000.bmp", EncodeBmp(cairo_get_target(c.Get())));
    }
    for (int pairs = 1; pairs <= 3; ++pairs) {
        Canvas c(32, 32);
        Scissors(c.Get(), pairs);
        tree.Write("resources\\cursor" + std::to_string(107 + pairs) + ".bmp", EncodeBmp(cairo_get_target(c.Get())));
    }
}

} // namespace DataBuild

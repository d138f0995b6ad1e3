// The program's icon and cursors, as 32-bit BMP files with alpha in <base>\resources, where the
// platform layer looks them up by id ("icon<id>.bmp", "cursor<id>.bmp"; the hot spot is the top-left
// pixel, so every cursor's tip is drawn there).
#include "tools/databuild/Art.h"

#include <algorithm>
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

void Arrow(cairo_t* cr, double scale)
{
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    cairo_move_to(cr, 1, 1);
    cairo_line_to(cr, 1, 24);
    cairo_line_to(cr, 7, 18);
    cairo_line_to(cr, 12, 28);
    cairo_line_to(cr, 16, 26);
    cairo_line_to(cr, 11, 17);
    cairo_line_to(cr, 19, 17);
    cairo_close_path(cr);
    cairo_restore(cr);
    SetColour(cr, 0x4E8A4A);
    cairo_fill_preserve(cr);
    SetColour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// Open garden scissors, blades meeting at the top-left corner, with one dot per pair held.
void Scissors(cairo_t* cr, int pairs)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (auto [x, y] : {std::pair{14.0, 4.0}, {4.0, 14.0}}) {
        cairo_move_to(cr, 1, 1);
        cairo_line_to(cr, x + 6, y + 6);
        SetColour(cr, 0xC9CED6);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_arc(cr, x + 10, y + 10, 5, 0, 2 * pi);
        SetColour(cr, 0x4E8A4A);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    for (int i = 0; i < pairs; ++i) {
        cairo_arc(cr, 12 + 6 * i, 29, 2.2, 0, 2 * pi);
        SetColour(cr, 0x8CC26A);
        cairo_fill(cr);
    }
}

} // namespace

void WriteResources(DataTree& tree)
{
    {
        Canvas c(64, 64);
        cairo_t* cr = c.Get();
        cairo_arc(cr, 32, 32, 30, 0, 2 * pi);
        FillVertical(cr, 2, 62, 0xD9A86A, 0x6B4423);
        cairo_new_path(cr);
        for (int petal = 0; petal < 12; ++petal) {
            cairo_save(cr);
            cairo_translate(cr, 32, 32);
            cairo_rotate(cr, petal * pi / 6);
            cairo_scale(cr, 1, 0.35);
            cairo_arc(cr, 13, 0, 10, 0, 2 * pi);
            cairo_restore(cr);
            SetColour(cr, 0xFFFFFF);
            cairo_fill(cr);
        }
        cairo_arc(cr, 32, 32, 7, 0, 2 * pi);
        SetColour(cr, 0xF6C534);
        cairo_fill(cr);
        tree.Write("resources\\icon101.bmp", EncodeBmp(cairo_get_target(cr)));
    }
    {
        Canvas c(32, 32);
        Arrow(c.Get(), 1.0);
        tree.Write("resources\\cursor1000.bmp", EncodeBmp(cairo_get_target(c.Get())));
    }
    for (int pairs = 1; pairs <= 3; ++pairs) {
        Canvas c(32, 32);
        Scissors(c.Get(), pairs);
        tree.Write("resources\\cursor" + std::to_string(107 + pairs) + ".bmp", EncodeBmp(cairo_get_target(c.Get())));
    }
}

} // namespace DataBuild

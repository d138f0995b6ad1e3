// The cells: tile, layers, shine, borders, fragments, powerups, horn and tornado. Cell models are
// authored centred on the origin (the board pitch is 50 units); the horn and the tornado in place.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/FlowerArt.h"
#include "tools/databuild/Manifest.h"
#include "tools/formats/ImageWriters.h"
#include "tools/formats/MaterialWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace DataBuild {

namespace {

// Files are written under the data folder; names inside materials are relative to it.
const std::string dataFolder = "data\\";
const std::string cellModels = "cell\\models\\", bonusModels = "cell\\bonuses\\models\\";
const char* const powerupNames[4] = {"horn", "pause", "tornado", "x2"};

constexpr int loopFrames = 17, hornFrames = 13, tornadoFrames = 51;
constexpr float tileSize = 50;
// Where horn flowers are made: the bell's mouth while the horn blows (frames 5-7).
constexpr float hornMouthX = 94, hornMouthY = 523;
constexpr float boardCentreX = 400, boardCentreY = 300, tornadoRadius = 260;

void WriteModelWith(DataTree& tree, const std::string& name, const Formats::ModelFile& model, const std::string& colour,
                    bool mipMapped, uint32_t columns = 1, uint32_t rows = 1)
{
    tree.Write(dataFolder + name, Formats::EncodeModel(model));
    tree.Write(dataFolder + name.substr(0, name.rfind('.')) + ".srf",
               Formats::EncodeMaterial(ImageMaterial(colour, Formats::OpacityName(colour), mipMapped, columns, rows)));
}

cairo_pattern_t* Gradient(double x0, double y0, double x1, double y1, std::initializer_list<std::pair<double, uint32_t>> stops)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (const auto& [at, rgb] : stops)
        AddStop(p, at, rgb);
    return p;
}

void FillWith(cairo_t* cr, cairo_pattern_t* pattern, bool preserve = false)
{
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
}

// A small hash for texture scatter: the same numbers on every build.
double Hash(uint32_t n)
{
    n = (n ^ 61u) ^ (n >> 16);
    n *= 9u;
    n ^= n >> 4;
    n *= 0x27D4EB2Du;
    n ^= n >> 15;
    return (n & 0xFFFFFF) / double(0x1000000);
}

// The tile's shape in a 64-texel cell whose top-left corner is (x, y).
void TileShape(cairo_t* cr, double x, double y, double inset = 2)
{
    RoundedRectangle(cr, x + inset, y + inset, 64 - 2 * inset, 64 - 2 * inset, 11 - inset / 2);
}

// The cream stone tile; highlighted, it glows warm gold.
void DrawTile(cairo_t* cr, double x, double y, bool highlighted)
{
    TileShape(cr, x, y);
    FillWith(cr, highlighted ? Gradient(x, y, x + 64, y + 64, {{0, 0xFFF8D8}, {0.55, 0xFFE7A0}, {1, 0xF6CC6A}})
                             : Gradient(x, y, x + 64, y + 64, {{0, 0xFFFDF4}, {0.5, 0xFFF3DA}, {1, 0xF0DDB6}}),
             true);
    SetColour(cr, highlighted ? 0xC98A1E : 0xC9A97A);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // A bevel: a light rim along the top and left, a shade along the bottom and right.
    cairo_save(cr);
    TileShape(cr, x, y);
    cairo_clip(cr);
    TileShape(cr, x, y, 4.5);
    SetColour(cr, 0xFFFFFF, 0.85);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 60, y + 14);
    cairo_line_to(cr, x + 60, y + 52);
    cairo_arc(cr, x + 51, y + 51, 9, 0, pi / 2);
    cairo_line_to(cr, x + 14, y + 60);
    SetColour(cr, highlighted ? 0xD9962A : 0xD8BE92, 0.8);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // Faint grain of the stone.
    for (uint32_t i = 0; i < 18; ++i) {
        cairo_arc(cr, x + 8 + 48 * Hash(i * 3 + 1), y + 8 + 48 * Hash(i * 3 + 2), 0.6 + 0.9 * Hash(i * 3 + 3), 0, 2 * pi);
        SetColour(cr, highlighted ? 0xE0A840 : 0xD9C39A, 0.55);
        cairo_fill(cr);
    }
    if (highlighted) {
        // A warm glow inside the rim.
        TileShape(cr, x, y, 3.5);
        SetColour(cr, Palette::gold, 0.9);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
        cairo_pattern_t* glow = cairo_pattern_create_radial(x + 32, y + 32, 8, x + 32, y + 32, 34);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 0.92, 0.55);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 0.92, 0);
        cairo_set_source(cr, glow);
        cairo_pattern_destroy(glow);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

// A three-leaf clover at (x, y), leaf length r.
void Clover(cairo_t* cr, double x, double y, double r, double angle, uint32_t light, uint32_t deep)
{
    for (int i = 0; i < 3; ++i) {
        const double a = angle + i * 2 * pi / 3;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        // A heart-shaped leaflet.
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, r * 0.2, -r * 0.7, r * 1.1, -r * 0.7, r, -r * 0.05);
        cairo_curve_to(cr, r * 1.1, r * 0.05, r * 0.9, r * 0.1, r * 0.85, 0);
        cairo_close_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, r * 0.2, r * 0.7, r * 1.1, r * 0.7, r, r * 0.05);
        cairo_curve_to(cr, r * 1.1, -r * 0.05, r * 0.9, -r * 0.1, r * 0.85, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
    }
    SetColour(cr, light);
    cairo_fill_preserve(cr);
    SetColour(cr, deep);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_arc(cr, x, y, r * 0.22, 0, 2 * pi);
    SetColour(cr, Palette::mint, 0.9);
    cairo_fill(cr);
}

// Clover turf over the tile: the lower layer.
void DrawTurf(cairo_t* cr)
{
    TileShape(cr, 0, 0, 1.5);
    FillWith(cr, Gradient(0, 0, 64, 64, {{0, 0x9ACB6E}, {1, 0x5E9A4C}}), true);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_save(cr);
    TileShape(cr, 0, 0, 1.5);
    cairo_clip(cr);
    // Blades of grass, then clovers.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (uint32_t i = 0; i < 70; ++i) {
        const double x = 64 * Hash(i * 5 + 11), y = 64 * Hash(i * 5 + 12), lean = (Hash(i * 5 + 13) - 0.5) * 4;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + lean, y - 3 - 3 * Hash(i * 5 + 14));
        SetColour(cr, Hash(i * 5 + 15) < 0.5 ? 0x3E7D3A : 0xB5DC8A, 0.8);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
    static const double clovers[][3] = {{14, 15, 6}, {38, 10, 5}, {54, 26, 6.5}, {26, 34, 7}, {10, 50, 5.5}, {45, 50, 6}, {58, 58, 4.5}};
    for (size_t i = 0; i < std::size(clovers); ++i)
        Clover(cr, clovers[i][0], clovers[i][1], clovers[i][2], Hash(uint32_t(i) + 90) * 2 * pi, i % 2 ? 0x7DBE5A : 0x96D070,
               0x2F6A2E);
    // Light from the upper left.
    TileShape(cr, 0, 0, 3.5);
    SetColour(cr, 0xE8F8C8, 0.6);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A fallen leaf of length l at (x, y).
void FallenLeaf(cairo_t* cr, double x, double y, double l, double angle, uint32_t light, uint32_t deep)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -l / 2, 0);
    cairo_curve_to(cr, -l / 4, -l * 0.38, l / 4, -l * 0.34, l / 2, 0);
    cairo_curve_to(cr, l / 4, l * 0.34, -l / 4, l * 0.38, -l / 2, 0);
    cairo_close_path(cr);
    FillWith(cr, Gradient(0, -l * 0.3, 0, l * 0.3, {{0, light}, {1, deep}}), true);
    SetColour(cr, 0x4A2E1A, 0.9);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_move_to(cr, -l / 2 - 2, 0);
    cairo_line_to(cr, l / 2 - 2, 0);
    for (double t : {-0.2, 0.05, 0.3}) {
        cairo_move_to(cr, l * t, 0);
        cairo_line_to(cr, l * (t + 0.12), -l * 0.16);
        cairo_move_to(cr, l * t, 0);
        cairo_line_to(cr, l * (t + 0.12), l * 0.16);
    }
    SetColour(cr, 0x5A3A1E, 0.7);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A pile of fallen leaves and twigs: the upper layer, over the turf.
void DrawLitter(cairo_t* cr)
{
    TileShape(cr, 0, 0, 1.5);
    FillWith(cr, Gradient(0, 0, 64, 64, {{0, 0xB89A62}, {1, 0x86683C}}), true);
    SetColour(cr, Palette::ink);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_save(cr);
    TileShape(cr, 0, 0, 1.5);
    cairo_clip(cr);
    static const uint32_t colours[][2] = {{0xD9A86A, 0x9C6A34}, {0xC8B060, 0x7E7A32}, {0xE0925A, 0xA0552A}, {0xA8B868, 0x66803A},
                                          {0xE6C27A, 0xB0803C}};
    for (uint32_t i = 0; i < 30; ++i) {
        const double x = -4 + 72 * Hash(i * 7 + 1), y = -4 + 72 * Hash(i * 7 + 2), l = 13 + 8 * Hash(i * 7 + 3);
        const auto& c = colours[i % std::size(colours)];
        FallenLeaf(cr, x, y, l, Hash(i * 7 + 4) * 2 * pi, c[0], c[1]);
        if (i % 9 == 4) {
            // A twig with a fork.
            const double a = Hash(i * 7 + 5) * pi, tx = 32 + 20 * std::cos(a), ty = 32 + 20 * std::sin(a);
            cairo_move_to(cr, 64 - tx, 64 - ty);
            cairo_line_to(cr, tx, ty);
            cairo_move_to(cr, 32, 32);
            cairo_line_to(cr, 32 + 10 * std::cos(a + 0.6), 32 + 10 * std::sin(a + 0.6));
            SetColour(cr, 0x4A2E1A);
            cairo_set_line_width(cr, 3.2);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke_preserve(cr);
            SetColour(cr, 0x8A5A30);
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
        }
    }
    TileShape(cr, 0, 0, 3.5);
    SetColour(cr, 0xFFF0C8, 0.45);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Writes a grey JPEG of a canvas's opacity under its own name.
void WriteOpacity(DataTree& tree, const std::string& name, cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Formats::Picture picture = Formats::MakePicture(w, h, 1, {0});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t pixel;
            std::copy_n(data + y * stride + x * 4, 4, reinterpret_cast<unsigned char*>(&pixel));
            picture.At(x, h - 1 - y)[0] = static_cast<uint8_t>(pixel >> 24);
        }
    tree.Write(dataFolder + name, Formats::EncodeJpeg(picture, 95));
}

void WriteTileImages(DataTree& tree)
{
    {
        Canvas canvas(128, 64);
        DrawTile(canvas.Get(), 0, 0, false);
        DrawTile(canvas.Get(), 64, 0, true);
        canvas.WritePair(tree, "data\\cell\\cell_tile.jpg");
    }
    {
        // The plain tile; its opacity is named cell_alpha.jpg. The colour is drawn on the rim's colour so the
        // transparent corners blend into no dark fringe.
        Canvas shape(64, 64);
        DrawTile(shape.Get(), 0, 0, false);
        WriteOpacity(tree, "cell\\cell_alpha.jpg", cairo_get_target(shape.Get()));
        Canvas colour(64, 64);
        SetColour(colour.Get(), 0xE6D2AA);
        cairo_paint(colour.Get());
        DrawTile(colour.Get(), 0, 0, false);
        colour.WriteOpaque(tree, "data\\cell\\cell_single.jpg");
    }
    {
        Canvas canvas(64, 64);
        DrawTurf(canvas.Get());
        canvas.WritePair(tree, "data\\cell\\cell_double.jpg");
    }
    {
        Canvas canvas(64, 64);
        DrawLitter(canvas.Get());
        canvas.WritePair(tree, "data\\cell\\cell_triple.jpg");
    }
    {
        // A diagonal glint across the tile.
        Canvas canvas(64, 64);
        cairo_t* cr = canvas.Get();
        TileShape(cr, 0, 0);
        cairo_clip(cr);
        cairo_pattern_t* band = cairo_pattern_create_linear(8, 8, 56, 56);
        cairo_pattern_add_color_stop_rgba(band, 0.18, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(band, 0.36, 1, 1, 1, 0.75);
        cairo_pattern_add_color_stop_rgba(band, 0.42, 1, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgba(band, 0.5, 1, 1, 1, 0.55);
        cairo_pattern_add_color_stop_rgba(band, 0.56, 1, 1, 1, 0.1);
        cairo_pattern_add_color_stop_rgba(band, 0.62, 1, 1, 1, 0.5);
        cairo_pattern_add_color_stop_rgba(band, 0.68, 1, 1, 1, 0);
        cairo_set_source(cr, band);
        cairo_pattern_destroy(band);
        cairo_paint(cr);
        canvas.WritePair(tree, "data\\cell\\cell_shine.jpg");
    }
    {
        // The selection: a golden rounded frame with a leaf at each corner.
        Canvas canvas(64, 64);
        cairo_t* cr = canvas.Get();
        TileShape(cr, 0, 0, 3);
        SetColour(cr, 0x8A5A10);
        cairo_set_line_width(cr, 6);
        cairo_stroke_preserve(cr);
        FillWith(cr, Gradient(0, 0, 64, 64, {{0, 0xFFF0A0}, {0.5, 0xF2B541}, {1, 0xD08A1E}}), true);
        cairo_new_path(cr);
        TileShape(cr, 0, 0, 3);
        cairo_pattern_t* rim = Gradient(0, 0, 64, 64, {{0, 0xFFF6C8}, {0.5, 0xF2B541}, {1, 0xC8801A}});
        cairo_set_source(cr, rim);
        cairo_pattern_destroy(rim);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
        for (int corner = 0; corner < 4; ++corner) {
            const double cx = corner % 2 ? 56 : 8, cy = corner / 2 ? 56 : 8;
            const double a = std::atan2(cy - 32, cx - 32);
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, a);
            cairo_move_to(cr, -5, 0);
            cairo_curve_to(cr, -2, -5.5, 4, -5, 8, 0);
            cairo_curve_to(cr, 4, 5, -2, 5.5, -5, 0);
            cairo_close_path(cr);
            cairo_restore(cr);
            FillWith(cr, Gradient(cx - 6, cy - 6, cx + 6, cy + 6, {{0, Palette::fresh}, {1, Palette::leaf}}), true);
            SetColour(cr, Palette::deep);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        canvas.WritePair(tree, "data\\cell\\cell_border_selected.jpg");
    }
    {
        // The hover: a soft white rounded frame.
        Canvas canvas(64, 64);
        cairo_t* cr = canvas.Get();
        for (int i = 0; i < 4; ++i) {
            TileShape(cr, 0, 0, 3 + i * 0.2);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
            cairo_set_line_width(cr, 7 - i * 1.6);
            cairo_stroke(cr);
        }
        TileShape(cr, 0, 0, 3);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        canvas.WritePair(tree, "data\\cell\\cell_border_hot.jpg");
    }
}

void WriteTileModels(DataTree& tree)
{
    const float h = tileSize / 2;
    // Frame 0 normal, frame 1 highlighted.
    WriteModelWith(tree, cellModels + "cell.mlf", StaticModel({MakeQuad(-h, -h, h, h)}), "cell\\cell_tile.jpg", false, 2, 1);
    // Quarter k of the broken layer: 0 lower right, 1 lower left, 2 upper right, 3 upper left.
    for (int k = 0; k < 4; ++k) {
        const float u0 = k % 2 ? 0 : 0.5f, v0 = k < 2 ? 0 : 0.5f, q = h / 2;
        WriteModelWith(tree, cellModels + "cell_destruction_" + std::to_string(k) + ".mlf",
                       StaticModel({MakeQuad(-q, -q, q, q, u0, v0, u0 + 0.5f, v0 + 0.5f)}), "cell\\cell_double.jpg", true);
    }
}

// The badge of a powerup: a round cream medallion with a gold rim, the emblem inside.
void Medallion(cairo_t* cr)
{
    cairo_arc(cr, 33, 33, 29, 0, 2 * pi);
    SetColour(cr, 0x000000, 0.25);
    cairo_fill(cr);
    cairo_arc(cr, 32, 32, 29, 0, 2 * pi);
    FillWith(cr, Gradient(0, 4, 0, 60, {{0, 0xFFE68A}, {0.5, Palette::gold}, {1, 0xC8801A}}), true);
    SetColour(cr, Palette::titleOutline);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_arc(cr, 32, 32, 23.5, 0, 2 * pi);
    cairo_pattern_t* inner = cairo_pattern_create_radial(27, 26, 2, 32, 32, 25);
    cairo_pattern_add_color_stop_rgb(inner, 0, 0.97, 1, 0.92);
    cairo_pattern_add_color_stop_rgb(inner, 1, 0.75, 0.88, 0.62);
    FillWith(cr, inner, true);
    SetColour(cr, 0xB07A20);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void Outline(cairo_t* cr, uint32_t fill, uint32_t outline, double width)
{
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, outline);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A trumpet flower from (0, 0) along +x: a tube widening to a flared bell, its mouth at (length, 0).
void Trumpet(cairo_t* cr, double length, double mouthRadius, double lw)
{
    cairo_move_to(cr, 0, -mouthRadius * 0.18);
    cairo_curve_to(cr, length * 0.5, -mouthRadius * 0.2, length * 0.8, -mouthRadius * 0.45, length, -mouthRadius);
    cairo_curve_to(cr, length * 1.04, -mouthRadius * 0.3, length * 1.04, mouthRadius * 0.3, length, mouthRadius);
    cairo_curve_to(cr, length * 0.8, mouthRadius * 0.45, length * 0.5, mouthRadius * 0.2, 0, mouthRadius * 0.18);
    cairo_close_path(cr);
    cairo_pattern_t* body = Gradient(0, -mouthRadius, 0, mouthRadius, {{0, 0xFFF2B0}, {0.45, 0xF6C534}, {1, 0xC8801A}});
    cairo_set_source(cr, body);
    cairo_pattern_destroy(body);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x7A4A10);
    cairo_set_line_width(cr, lw);
    cairo_stroke(cr);
    // Veins running to the mouth and a gloss along the top.
    for (double k : {-0.55, 0.0, 0.55}) {
        cairo_move_to(cr, length * 0.12, k * mouthRadius * 0.15);
        cairo_curve_to(cr, length * 0.5, k * mouthRadius * 0.2, length * 0.8, k * mouthRadius * 0.45, length * 0.98, k * mouthRadius * 0.9);
    }
    SetColour(cr, 0xC8801A, 0.55);
    cairo_set_line_width(cr, lw * 0.7);
    cairo_stroke(cr);
    cairo_move_to(cr, length * 0.15, -mouthRadius * 0.1);
    cairo_curve_to(cr, length * 0.5, -mouthRadius * 0.14, length * 0.75, -mouthRadius * 0.3, length * 0.9, -mouthRadius * 0.62);
    SetColour(cr, 0xFFFFFF, 0.65);
    cairo_set_line_width(cr, lw * 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    // The flared rim of five lobes, seen at an angle, and the dark throat.
    cairo_save(cr);
    cairo_translate(cr, length, 0);
    cairo_scale(cr, 0.42, 1);
    for (int i = 0; i <= 40; ++i) {
        const double a = i * 2 * pi / 40, r = mouthRadius * (1.12 + 0.12 * std::cos(5 * a));
        i == 0 ? cairo_move_to(cr, r * std::cos(a), r * std::sin(a)) : cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_pattern_t* rim = Gradient(0, -mouthRadius, 0, mouthRadius, {{0, 0xFFF6C8}, {1, 0xF2A81E}});
    cairo_set_source(cr, rim);
    cairo_pattern_destroy(rim);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x7A4A10);
    cairo_set_line_width(cr, lw);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, length + 1, 0);
    cairo_scale(cr, 0.26, 0.62);
    cairo_arc(cr, 0, 0, mouthRadius, 0, 2 * pi);
    cairo_restore(cr);
    cairo_pattern_t* throat = cairo_pattern_create_radial(length + 1, 0, 0, length + 1, 0, mouthRadius * 0.6);
    cairo_pattern_add_color_stop_rgb(throat, 0, 0.55, 0.25, 0.05);
    cairo_pattern_add_color_stop_rgb(throat, 1, 0.85, 0.5, 0.1);
    cairo_set_source(cr, throat);
    cairo_pattern_destroy(throat);
    cairo_fill(cr);
}

void DrawPowerupBadges(DataTree& tree)
{
    for (int kind = 0; kind < 4; ++kind) {
        Canvas canvas(64, 64);
        cairo_t* cr = canvas.Get();
        Medallion(cr);
        switch (kind) {
        case 0: // a golden trumpet flower on a leaf
            cairo_save(cr);
            cairo_translate(cr, 14, 42);
            cairo_rotate(cr, -0.55);
            Trumpet(cr, 34, 11, 1.4);
            cairo_restore(cr);
            break;
        case 1: { // a snail: the baskets wait
            cairo_move_to(cr, 10, 46);
            cairo_curve_to(cr, 16, 40, 34, 42, 48, 44);
            cairo_curve_to(cr, 54, 44, 55, 36, 52, 32);
            cairo_curve_to(cr, 56, 26, 54, 22, 52, 20);
            cairo_line_to(cr, 50, 33);
            cairo_curve_to(cr, 44, 38, 26, 50, 10, 46);
            cairo_close_path(cr);
            Outline(cr, 0xB8D890, 0x3E5A2A, 1.4);
            for (double dx : {0.0, 4.0}) {
                cairo_move_to(cr, 50 + dx * 0.3, 30);
                cairo_line_to(cr, 47 + dx, 18);
                SetColour(cr, 0x3E5A2A);
                cairo_set_line_width(cr, 1.3);
                cairo_stroke(cr);
                cairo_arc(cr, 47 + dx, 18, 1.8, 0, 2 * pi);
                SetColour(cr, 0x3E5A2A);
                cairo_fill(cr);
            }
            cairo_arc(cr, 28, 32, 13, 0, 2 * pi);
            FillWith(cr, Gradient(16, 20, 40, 44, {{0, 0xF0C070}, {1, 0xB06A30}}), true);
            SetColour(cr, 0x5A3012);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
            cairo_move_to(cr, 28, 32);
            for (int i = 1; i <= 36; ++i) {
                const double t = i / 36.0, a = t * 4 * pi, r = 11 * t;
                cairo_line_to(cr, 28 + r * std::cos(a), 32 + r * std::sin(a));
            }
            cairo_set_line_width(cr, 1.3);
            cairo_stroke(cr);
            break;
        }
        case 2: // a whirl of leaves
            for (int arm = 0; arm < 3; ++arm) {
                cairo_move_to(cr, 32, 32);
                for (int i = 1; i <= 20; ++i) {
                    const double t = i / 20.0, a = arm * 2 * pi / 3 - t * 2.8, r = 20 * t;
                    cairo_line_to(cr, 32 + r * std::cos(a), 32 + r * std::sin(a));
                }
                SetColour(cr, Palette::deep);
                cairo_set_line_width(cr, 4.5);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_stroke_preserve(cr);
                SetColour(cr, arm == 1 ? 0xF2C040 : Palette::fresh);
                cairo_set_line_width(cr, 2.5);
                cairo_stroke(cr);
                const double a = arm * 2 * pi / 3 - 2.8, r = 20;
                cairo_save(cr);
                cairo_translate(cr, 32 + r * std::cos(a), 32 + r * std::sin(a));
                cairo_rotate(cr, a - pi / 2);
                cairo_move_to(cr, -8, 0);
                cairo_curve_to(cr, -4, -6, 4, -6, 8, 0);
                cairo_curve_to(cr, 4, 6, -4, 6, -8, 0);
                cairo_restore(cr);
                Outline(cr, arm == 1 ? 0xF2C040 : Palette::fresh, Palette::deep, 1.4);
            }
            break;
        default: // two overlapping daisies
            DrawFlower(cr, 0, 24, 38, 14);
            DrawFlower(cr, 0, 40, 26, 14);
            break;
        }
        canvas.WritePair(tree, "data\\cell\\bonuses\\cell_bonus_" + std::string(powerupNames[kind]) + ".jpg");
    }
    {
        // A ring of twelve tiny petals: unchanged by a quarter turn.
        Canvas canvas(64, 64);
        cairo_t* cr = canvas.Get();
        for (int i = 0; i < 12; ++i) {
            const double a = i * pi / 6;
            cairo_save(cr);
            cairo_translate(cr, 32 + 26 * std::cos(a), 32 + 26 * std::sin(a));
            cairo_rotate(cr, a + pi / 2);
            cairo_move_to(cr, -4.5, 0);
            cairo_curve_to(cr, -2.5, -3.6, 2.5, -3.6, 4.5, 0);
            cairo_curve_to(cr, 2.5, 3.6, -2.5, 3.6, -4.5, 0);
            cairo_restore(cr);
            Outline(cr, i % 2 ? 0xFFD0E0 : 0xFFF0B0, i % 2 ? 0xC0507A : 0xB8801A, 1.1);
        }
        canvas.WritePair(tree, "data\\cell\\bonuses\\cell_bonus_border.jpg");
    }
}

void WritePowerupModels(DataTree& tree)
{
    // The badge sits at the tile's upper right, over the chip, bobbing 2 units; the ring turns a quarter.
    std::vector<std::vector<Quad>> badge, ring;
    for (int f = 0; f < loopFrames; ++f) {
        const float t = float(f % (loopFrames - 1)) / (loopFrames - 1);
        const float bob = 2 * std::sin(2 * float(pi) * t);
        badge.push_back({MakeQuad(-3, -3 + bob, 29, 29 + bob)});
        ring.push_back({Transform(MakeQuad(-26, -26, 26, 26), 0, 0, 1, -float(pi) / 2 * f / (loopFrames - 1))});
    }
    WriteModelWith(tree, bonusModels + "cell_bonus.mlf", MorphModel(badge, 12), "cell\\bonuses\\cell_bonus_horn.jpg", false);
    WriteModelWith(tree, bonusModels + "cell_bonus_border.mlf", MorphModel(ring, 12), "cell\\bonuses\\cell_bonus_border.jpg",
                   false);
}

// The horn picture: 140 x 110 texels at 1:1 in the lower left of a 256 x 128 image; the mouth of its bell
// is at (118, 78) counted from the picture's top-left corner.
constexpr float hornWidth = 140, hornHeight = 110, hornMouthU = 118, hornMouthV = 78;

void DrawHorn(DataTree& tree)
{
    Canvas canvas(256, 128);
    cairo_t* cr = canvas.Get();
    cairo_translate(cr, 0, 128 - hornHeight);
    // A curling stem from the top-left corner with two leaves.
    cairo_move_to(cr, 2, 4);
    cairo_curve_to(cr, 20, 4, 30, 16, 26, 28);
    cairo_curve_to(cr, 22, 38, 10, 34, 14, 26);
    cairo_move_to(cr, 26, 28);
    cairo_curve_to(cr, 32, 40, 38, 42, 46, 42);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    SetColour(cr, Palette::leaf);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke(cr);
    for (const auto& leaf : {std::array{16.0, 8.0, 0.5}, {36.0, 30.0, -0.9}}) {
        cairo_save(cr);
        cairo_translate(cr, leaf[0], leaf[1]);
        cairo_rotate(cr, leaf[2]);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 5, -9, 16, -9, 22, 0);
        cairo_curve_to(cr, 16, 7, 5, 7, 0, 0);
        cairo_restore(cr);
        FillWith(cr, Gradient(leaf[0], leaf[1] - 8, leaf[0], leaf[1] + 8, {{0, Palette::fresh}, {1, Palette::leaf}}), true);
        SetColour(cr, Palette::deep);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // The trumpet from the stem's end to the mouth, with a shadow beneath.
    const double angle = std::atan2(hornMouthV - 42, hornMouthU - 46), length = std::hypot(hornMouthU - 46, hornMouthV - 42);
    cairo_push_group(cr);
    cairo_save(cr);
    cairo_translate(cr, 48, 46);
    cairo_rotate(cr, angle);
    Trumpet(cr, length, 22, 1.8);
    cairo_restore(cr);
    cairo_pattern_t* trumpet = cairo_pop_group(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_save(cr);
    cairo_translate(cr, 2, 2);
    cairo_mask(cr, trumpet);
    cairo_restore(cr);
    cairo_set_source(cr, trumpet);
    cairo_paint(cr);
    cairo_pattern_destroy(trumpet);
    // The sepals where the stem holds the flower.
    cairo_save(cr);
    cairo_translate(cr, 46, 42);
    cairo_rotate(cr, angle);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, -2, 0);
        cairo_curve_to(cr, 4, side * 7, 10, side * 6, 14, side * 3);
        cairo_curve_to(cr, 8, side * 1, 2, 0, -2, 0);
    }
    cairo_restore(cr);
    FillWith(cr, Gradient(40, 36, 56, 52, {{0, Palette::fresh}, {1, Palette::leaf}}), true);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    canvas.WritePair(tree, "data\\cell\\bonuses\\horn_anim.jpg");
}

void WriteHornModel(DataTree& tree)
{
    // At rest the mouth stands at (94, 523).
    const float x0 = hornMouthX - hornMouthU, y0 = hornMouthY - (hornHeight - hornMouthV);
    const Quad rest = MakeQuad(x0, y0, x0 + hornWidth, y0 + hornHeight, 0, 0, hornWidth / 256, hornHeight / 128);
    const float awayX = -170, awayY = 140; // off the top-left corner
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f < hornFrames; ++f) {
        float dx = 0, dy = 0, scale = 1, turn = 0;
        if (f <= 5) {
            const float t = 1 - EaseOut(f / 5.0f);
            dx = awayX * t;
            dy = awayY * t;
            turn = 0.5f * t;
        } else if (f == 6) {
            scale = 1.1f; // the bell swells as it blows
        } else if (f >= 7) {
            const float t = EaseIn((f - 7) / 5.0f);
            dx = awayX * t;
            dy = awayY * t;
            turn = 0.5f * t;
        }
        frames.push_back({Transform(rest, hornMouthX, hornMouthY, scale, turn, dx, dy)});
    }
    WriteModelWith(tree, bonusModels + "horn_anim.mlf", MorphModel(frames, 12), "cell\\bonuses\\horn_anim.jpg", false);
}

// The whirlwind: spiral arms of leaves and petals around a bright eye, radius 250 of the 512 image.
void DrawTornado(DataTree& tree)
{
    Canvas canvas(512, 512);
    cairo_t* cr = canvas.Get();
    const double c = 256;
    // A soft green-gold haze.
    cairo_pattern_t* haze = cairo_pattern_create_radial(c, c, 0, c, c, 250);
    cairo_pattern_add_color_stop_rgba(haze, 0, 1.0, 0.95, 0.7, 0.55);
    cairo_pattern_add_color_stop_rgba(haze, 0.45, 0.7, 0.85, 0.45, 0.28);
    cairo_pattern_add_color_stop_rgba(haze, 1, 0.55, 0.75, 0.4, 0);
    cairo_set_source(cr, haze);
    cairo_pattern_destroy(haze);
    cairo_arc(cr, c, c, 250, 0, 2 * pi);
    cairo_fill(cr);
    // Wind bands: spiral arms trailing the clockwise turn, broad and faint outside, bright inside.
    auto arm = [&](double start, double turns) {
        cairo_move_to(cr, c, c);
        for (int i = 1; i <= 80; ++i) {
            const double t = i / 80.0, a = start - t * turns, r = 240 * t;
            cairo_line_to(cr, c + r * std::cos(a), c + r * std::sin(a));
        }
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < 5; ++i) {
        arm(i * 2 * pi / 5, 3.6);
        cairo_set_source_rgba(cr, 0.85, 0.92, 0.55, 0.22);
        cairo_set_line_width(cr, 34);
        cairo_stroke_preserve(cr);
        cairo_set_source_rgba(cr, 1.0, 0.95, 0.7, 0.35);
        cairo_set_line_width(cr, 14);
        cairo_stroke_preserve(cr);
        SetColour(cr, i % 2 ? 0xC8E080 : 0xF6D868, 0.9);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        arm(i * 2 * pi / 5 + 0.6, 3.0);
        cairo_set_source_rgba(cr, 1, 1, 0.92, 0.6);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    // Leaves and petals riding the bands.
    static const uint32_t petals[] = {0xE0457B, 0xF6C534, 0xFFFFFF, 0x7CC4F2, 0xF28C28, 0xB38BE0, 0xF59BB6};
    for (uint32_t i = 0; i < 150; ++i) {
        const double t = 0.12 + 0.85 * Hash(i * 3 + 1), band = std::floor(Hash(i * 3 + 2) * 5);
        const double a = band * 2 * pi / 5 - t * 3.6 + (Hash(i * 3 + 3) - 0.5) * 0.7, r = 240 * t;
        const double x = c + r * std::cos(a), y = c + r * std::sin(a), size = 5 + 10 * t;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a - pi / 2 + (Hash(i + 500) - 0.5) * 1.2);
        cairo_move_to(cr, -size, 0);
        cairo_curve_to(cr, -size / 2, -size * 0.6, size / 2, -size * 0.6, size, 0);
        cairo_curve_to(cr, size / 2, size * 0.6, -size / 2, size * 0.6, -size, 0);
        cairo_restore(cr);
        const bool leaf = i % 3 != 0;
        if (leaf) {
            FillWith(cr, Gradient(x - size, y - size, x + size, y + size, {{0, i % 2 ? Palette::fresh : 0xE8C04A}, {1, Palette::leaf}}),
                     true);
        } else {
            SetColour(cr, petals[i % std::size(petals)]);
            cairo_fill_preserve(cr);
        }
        SetColour(cr, leaf ? Palette::deep : 0x6A3A4A, 0.9);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    canvas.WritePair(tree, "data\\cell\\bonuses\\tornado.jpg");
}

void WriteTornadoModel(DataTree& tree)
{
    // Two layers of the whirl turning at different speeds (at most 26 degrees a frame); frames 0-35 grow
    // to the full radius, 35-50 spin out and shrink to nothing.
    const Quad whirl = MakeQuad(boardCentreX - tornadoRadius, boardCentreY - tornadoRadius, boardCentreX + tornadoRadius,
                                boardCentreY + tornadoRadius);
    const float degree = float(pi) / 180;
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f < tornadoFrames; ++f) {
        const float scale = f <= 35 ? 0.04f + 0.96f * EaseOut(f / 35.0f) : 1 - EaseIn((f - 35) / 15.0f);
        frames.push_back({Transform(whirl, boardCentreX, boardCentreY, scale, -18 * degree * f),
                          Transform(whirl, boardCentreX, boardCentreY, 0.62f * scale, -26 * degree * f + 1.0f)});
    }
    WriteModelWith(tree, bonusModels + "tornado_anim.mlf", MorphModel(frames, 24), "cell\\bonuses\\tornado.jpg", true);
}

} // namespace

const Area& CellArea()
{
    static const Area area = [] {
        Area a{"Cells", {}, {}};
        a.models.push_back({"cell\\models\\cell.mlf", 1, false, {}});
        for (int k = 0; k < 4; ++k)
            a.models.push_back({"cell\\models\\cell_destruction_" + std::to_string(k) + ".mlf", 1, false, {}});
        a.models.push_back({"cell\\bonuses\\models\\cell_bonus.mlf", loopFrames, false, {}});
        a.models.push_back({"cell\\bonuses\\models\\cell_bonus_border.mlf", loopFrames, false, {}});
        a.models.push_back({"cell\\bonuses\\models\\horn_anim.mlf", hornFrames, false, {}});
        a.models.push_back({"cell\\bonuses\\models\\tornado_anim.mlf", tornadoFrames, false, {}});
        a.images = {{"cell\\cell_tile.jpg", 128, 64, true},
                    {"cell\\cell_single.jpg", 64, 64, false},
                    {"cell\\cell_alpha.jpg", 64, 64, false},
                    {"cell\\cell_double.jpg", 64, 64, true},
                    {"cell\\cell_triple.jpg", 64, 64, true},
                    {"cell\\cell_shine.jpg", 64, 64, true},
                    {"cell\\cell_border_selected.jpg", 64, 64, true},
                    {"cell\\cell_border_hot.jpg", 64, 64, true},
                    {"cell\\bonuses\\cell_bonus_border.jpg", 64, 64, true},
                    {"cell\\bonuses\\horn_anim.jpg", 256, 128, true},
                    {"cell\\bonuses\\tornado.jpg", 512, 512, true}};
        for (const char* name : powerupNames)
            a.images.push_back({"cell\\bonuses\\cell_bonus_" + std::string(name) + ".jpg", 64, 64, true});
        return a;
    }();
    return area;
}

void WriteCells(DataTree& tree)
{
    WriteTileImages(tree);
    WriteTileModels(tree);
    DrawPowerupBadges(tree);
    WritePowerupModels(tree);
    DrawHorn(tree);
    WriteHornModel(tree);
    DrawTornado(tree);
    WriteTornadoModel(tree);
}

} // namespace DataBuild

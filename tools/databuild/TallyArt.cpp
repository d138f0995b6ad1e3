// The bonus tally of gui\level_complete: the festival basket, its carrier, its flowers, bonus badges and the orders.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/FlowerArt.h"
#include "tools/databuild/Manifest.h"
#include "tools/databuild/PanelDrawing.h"

#include "tools/formats/ImageWriters.h"
#include "tools/formats/MaterialWriter.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <tuple>

namespace DataBuild {

namespace {

using namespace PanelDrawing;

const std::string folder = "gui\\level_complete\\";

// The festival basket: 200 x 130 around its centre; the carrier rests at (400, 280), so the rim's back
// edge (y 65) meets the retired chips at y 345.
constexpr float basketHalfWidth = 100, basketHalfHeight = 65;
// Drawn 1.28 times larger than shown (256 texels across), in the bottom rows of basket_big.jpg.
constexpr double basketScale = 256.0 / 200;

const char* const bonusKinds[] = {"wings", "dollar", "bomb", "flowers", "baskets", "powerups"};
const char* const orderKinds[] = {"copper", "silver", "gold"};

// The 21 flowers in the basket's mouth, relative to its centre: three arcs from the back (first drawn,
// behind) to the front; each arc rises towards its middle like a heap.
std::vector<std::array<float, 2>> FlowerPlaces()
{
    std::vector<std::array<float, 2>> places;
    const struct {
        int count;
        float halfWidth, base, rise;
    } arcs[] = {{7, 66, 66, 8}, {7, 78, 57, 7}, {7, 90, 48, 6}};
    for (int a = 0; a < 3; ++a)
        for (int i = 0; i < arcs[a].count; ++i) {
            const float t = 2.0f * i / (arcs[a].count - 1) - 1; // -1 .. 1 across the arc
            const float shift = a == 1 ? 0.5f / (arcs[a].count - 1) : 0;
            const float x = arcs[a].halfWidth * (t + shift * (t < 0.99f ? 1 : -1));
            places.push_back({std::round(x), arcs[a].base + arcs[a].rise * (1 - t * t)});
        }
    return places;
}

// A grey JPEG of the canvas's opacity: the one silhouette several colour images share.
void WriteOpacity(DataTree& tree, const Canvas& canvas, const std::string& name)
{
    cairo_surface_t* surface = cairo_get_target(canvas.Get());
    cairo_surface_flush(surface);
    const int w = canvas.Width(), h = canvas.Height(), stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Formats::Picture picture = Formats::MakePicture(w, h, 1, {0});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, data + y * stride + x * 4, 4);
            picture.At(x, h - 1 - y)[0] = static_cast<uint8_t>(pixel >> 24);
        }
    tree.Write("data\\" + folder + name, Formats::EncodeJpeg(picture, 95));
}

// The tally's pictures are drawn smaller than they are (the code builds the badge and order materials with
// mip levels, too), so their stages are mip-mapped.
void WriteTallyMaterial(DataTree& tree, const std::string& modelName, const std::string& colour, const std::string& opacity)
{
    tree.Write("data\\" + folder + modelName.substr(0, modelName.rfind('.')) + ".srf",
               Formats::EncodeMaterial(ImageMaterial(folder + colour, folder + opacity, true)));
}

// ---- The festival basket ----

// In basket units (y down here, 0 at the basket's centre): the mouth is an ellipse whose back edge is the rim
// at 65 above the centre.
constexpr double mouthY = -51, mouthRx = 91, mouthRy = 14;

void BasketBody(cairo_t* cr)
{
    cairo_move_to(cr, -mouthRx, mouthY);
    cairo_curve_to(cr, -89, -10, -82, 40, -70, 58);
    cairo_curve_to(cr, -64, 64, -40, 64.5, 0, 64.5);
    cairo_curve_to(cr, 40, 64.5, 64, 64, 70, 58);
    cairo_curve_to(cr, 82, 40, 89, -10, mouthRx, mouthY);
    cairo_save(cr);
    cairo_translate(cr, 0, mouthY);
    cairo_scale(cr, mouthRx, mouthRy);
    cairo_arc(cr, 0, 0, 1, 0, pi);
    cairo_restore(cr);
    cairo_close_path(cr);
}

void Mouth(cairo_t* cr, double grow)
{
    cairo_save(cr);
    cairo_translate(cr, 0, mouthY);
    cairo_scale(cr, mouthRx + grow, mouthRy + grow);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_restore(cr);
}

// Wicker: rows of short slanted strips, alternating their slant from row to row, light in the middle of each.
void Weave(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    SetColour(cr, 0x4A2E16);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_fill(cr);
    const double rowH = 9, stripW = 11;
    int row = 0;
    for (double y = y0; y < y1; y += rowH, ++row) {
        const double slant = row % 2 ? 3.5 : -3.5;
        for (double x = x0 - 12 + (row % 2) * stripW / 2; x < x1 + 12; x += stripW) {
            cairo_move_to(cr, x + 0.8 - slant, y + 0.8);
            cairo_line_to(cr, x + stripW - 0.8 - slant, y + 0.8);
            cairo_line_to(cr, x + stripW - 0.8 + slant, y + rowH - 0.8);
            cairo_line_to(cr, x + 0.8 + slant, y + rowH - 0.8);
            cairo_close_path(cr);
            cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + rowH);
            const bool alt = (static_cast<int>((x - x0) / stripW) + row) % 3 == 0;
            AddStop(p, 0, alt ? Palette::wickerMid : Palette::wickerLight);
            AddStop(p, 0.45, alt ? Palette::wickerLight : Palette::straw);
            AddStop(p, 1, Palette::wickerMid);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
        }
    }
}

// A twisted rope of wicker along the current ellipse (centre, radii), drawn as overlapping slanted beads.
void Braid(cairo_t* cr, double rx, double ry, double from, double to)
{
    const int beads = 44;
    for (int i = 0; i <= beads; ++i) {
        const double a = from + (to - from) * i / beads;
        const double x = rx * std::cos(a), y = mouthY + ry * std::sin(a);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a + pi / 2 + 0.6);
        cairo_scale(cr, 7.5, 3.6);
        cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
        cairo_restore(cr);
        FillRadial(cr, x - 1.5, y - 1.5, 8, Palette::straw, Palette::wickerMid);
        Stroke(cr, Palette::wickerDark, 1.0);
    }
}

void DrawBasket(DataTree& tree)
{
    Canvas c(256, 256);
    cairo_t* cr = c.Get();
    cairo_translate(cr, 128, 256 - basketHalfHeight * basketScale);
    cairo_scale(cr, basketScale, basketScale);
    SoftShadow(cr, [&] { BasketBody(cr); }, 2, 2, 2.5, 0.3);
    // The dark inside of the mouth, then the body.
    Mouth(cr, 0);
    FillRadial(cr, 0, mouthY + 6, 90, 0x2A1A0C, 0x5A3A1C);
    cairo_new_path(cr);
    cairo_save(cr);
    BasketBody(cr);
    cairo_clip(cr);
    Weave(cr, -100, mouthY - 20, 100, 66);
    // Round shading: darker to the sides and the bottom.
    cairo_pattern_t* side = cairo_pattern_create_linear(-100, 0, 100, 0);
    AddStop(side, 0, 0x2A1A0C, 0.55);
    AddStop(side, 0.3, 0x2A1A0C, 0);
    AddStop(side, 0.62, 0xFFF2D0, 0.12);
    AddStop(side, 1, 0x2A1A0C, 0.6);
    cairo_set_source(cr, side);
    cairo_paint(cr);
    cairo_pattern_destroy(side);
    cairo_pattern_t* bottom = cairo_pattern_create_linear(0, 20, 0, 66);
    AddStop(bottom, 0, 0x2A1A0C, 0);
    AddStop(bottom, 1, 0x2A1A0C, 0.45);
    cairo_set_source(cr, bottom);
    cairo_paint(cr);
    cairo_pattern_destroy(bottom);
    // A ribbon band round the body.
    cairo_move_to(cr, -100, 2);
    cairo_curve_to(cr, -40, 12, 40, 12, 100, 2);
    cairo_line_to(cr, 100, 14);
    cairo_curve_to(cr, 40, 24, -40, 24, -100, 14);
    cairo_close_path(cr);
    FillVertical(cr, 4, 22, 0xF07AA0, 0xC23566);
    Stroke(cr, 0x8A1F48, 1);
    cairo_move_to(cr, -100, 5);
    cairo_curve_to(cr, -40, 15, 40, 15, 100, 5);
    Stroke(cr, 0xFFD3E0, 0.9, 0.7);
    cairo_restore(cr);
    BasketBody(cr);
    Stroke(cr, Palette::wickerDark, 1.6);
    // The rim: a braid round the mouth, back half first.
    Braid(cr, mouthRx, mouthRy, pi, 2 * pi);
    Braid(cr, mouthRx, mouthRy, 0, pi);
    // The bow on the front of the band.
    const double bx = 0, by = 11;
    for (double s : {-1.0, 1.0}) {
        // Tails, then loops.
        cairo_move_to(cr, bx + s * 2, by + 2);
        cairo_curve_to(cr, bx + s * 8, by + 14, bx + s * 10, by + 24, bx + s * 16, by + 34);
        cairo_line_to(cr, bx + s * 9, by + 32);
        cairo_line_to(cr, bx + s * 6, by + 37);
        cairo_curve_to(cr, bx + s * 3, by + 24, bx - s * 1, by + 12, bx - s * 2, by + 4);
        cairo_close_path(cr);
        FillVertical(cr, by, by + 37, 0xE0457B, 0xA8265A);
        Stroke(cr, 0x7A1A40, 0.9);
        cairo_move_to(cr, bx, by);
        cairo_curve_to(cr, bx + s * 12, by - 16, bx + s * 30, by - 12, bx + s * 26, by);
        cairo_curve_to(cr, bx + s * 24, by + 8, bx + s * 10, by + 6, bx, by);
        cairo_close_path(cr);
        FillRadial(cr, bx + s * 16, by - 8, 18, 0xFF9FBF, 0xC23566);
        Stroke(cr, 0x7A1A40, 0.9);
        cairo_move_to(cr, bx + s * 5, by - 3);
        cairo_curve_to(cr, bx + s * 12, by - 9, bx + s * 20, by - 8, bx + s * 22, by - 4);
        Stroke(cr, 0xFFD3E0, 0.9, 0.7);
    }
    RoundedRectangle(cr, bx - 5, by - 5, 10, 10, 3.5);
    FillRadial(cr, bx - 1.5, by - 2, 8, 0xFF9FBF, 0xC23566);
    Stroke(cr, 0x7A1A40, 0.9);
    c.WritePair(tree, "data\\" + folder + "basket_big.jpg");
}

// ---- Bonus badges: one scalloped silhouette, six motifs ----

void BadgePath(cairo_t* cr)
{
    const int scallops = 18;
    const double r = 57, bump = 4.2;
    for (int i = 0; i < scallops; ++i) {
        const double a = i * 2 * pi / scallops;
        cairo_arc(cr, 64 + r * std::cos(a), 64 + r * std::sin(a), bump + 2.2, a - pi / 2, a + pi / 2);
    }
    cairo_close_path(cr);
}

void Wings(cairo_t* cr)
{
    for (double s : {-1.0, 1.0}) {
        for (int f = 4; f >= 0; --f) {
            cairo_save(cr);
            cairo_translate(cr, 64 + s * 5, 76);
            cairo_rotate(cr, s * (0.5 + f * 0.27));
            const double len = 46 - f * 5;
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, s * 6, -len * 0.3, s * 8, -len * 0.8, s * 2, -len);
            cairo_curve_to(cr, -s * 5, -len * 0.8, -s * 6, -len * 0.3, 0, 0);
            cairo_close_path(cr);
            cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, -len);
            AddStop(p, 0, 0xCFE3F2);
            AddStop(p, 1, 0xFFFFFF);
            cairo_set_source(cr, p);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(p);
            Stroke(cr, 0x3F6A8A, 1.2);
            cairo_move_to(cr, 0, -2);
            cairo_curve_to(cr, s * 2, -len * 0.4, s * 3, -len * 0.7, s * 2, -len * 0.92);
            Stroke(cr, 0x9FB8CC, 0.8);
            cairo_restore(cr);
        }
    }
    SoftShadow(cr, [&] { cairo_arc(cr, 64, 76, 10, 0, 2 * pi); }, 1, 1.5, 1.5, 0.3);
    DrawFlower(cr, 0, 64, 76, 13);
}

void Bouquet(cairo_t* cr)
{
    for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, 64, 96);
        cairo_curve_to(cr, 64, 80, 44 + i * 10, 70, 40 + i * 12, 52 - (i % 2) * 8);
        Stroke(cr, Palette::leaf, 2.2);
    }
    Leaf(cr, 60, 82, 16, -0.9, Palette::fresh, Palette::leaf);
    Leaf(cr, 68, 82, 16, 0.9, Palette::fresh, Palette::leaf);
    const struct {
        double x, y, r;
        int frame;
    } flowers[] = {{40, 52, 12, 1}, {88, 52, 12, 3}, {52, 42, 12, 4}, {76, 42, 12, 10}, {64, 58, 13, 0}};
    for (const auto& f : flowers) {
        SoftShadow(cr, [&] { cairo_arc(cr, f.x, f.y, f.r * 0.9, 0, 2 * pi); }, 1, 1.5, 1.5, 0.3);
        DrawFlower(cr, f.frame, f.x, f.y, f.r);
    }
    // The ribbon round the stems.
    cairo_move_to(cr, 56, 84);
    cairo_line_to(cr, 72, 84);
    cairo_line_to(cr, 70, 92);
    cairo_line_to(cr, 58, 92);
    cairo_close_path(cr);
    FillVertical(cr, 84, 92, 0xF07AA0, 0xC23566);
    Stroke(cr, 0x7A1A40, 0.9);
    for (double s : {-1.0, 1.0}) {
        cairo_move_to(cr, 64, 88);
        cairo_curve_to(cr, 64 + s * 8, 98, 64 + s * 10, 102, 64 + s * 14, 106);
        Stroke(cr, 0xC23566, 3);
    }
}

void Star(cairo_t* cr, double x, double y, double r, int points, double inner)
{
    for (int i = 0; i < 2 * points; ++i) {
        const double a = -pi / 2 + i * pi / points, d = i % 2 ? r * inner : r;
        if (i == 0)
            cairo_move_to(cr, x + d * std::cos(a), y + d * std::sin(a));
        else
            cairo_line_to(cr, x + d * std::cos(a), y + d * std::sin(a));
    }
    cairo_close_path(cr);
}

void PowerupStar(cairo_t* cr)
{
    cairo_pattern_t* glow = cairo_pattern_create_radial(64, 64, 0, 64, 64, 44);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 0.85, 0.9);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.95, 0.7, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, 64, 64, 44, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SoftShadow(cr, [&] { Star(cr, 64, 66, 34, 5, 0.48); }, 1.5, 2, 2, 0.3);
    Star(cr, 64, 66, 34, 5, 0.48);
    FillRadial(cr, 58, 56, 40, 0xFFF6C0, 0xF2A421);
    Stroke(cr, 0x8A5A14, 1.6);
    Star(cr, 64, 66, 20, 5, 0.48);
    SetColour(cr, 0xFFFFFF, 0.35);
    cairo_fill(cr);
    for (const auto& [x, y, r] : {std::tuple{30.0, 36.0, 6.0}, {98.0, 40.0, 5.0}, {96.0, 94.0, 4.0}, {32.0, 90.0, 4.5}}) {
        Star(cr, x, y, r, 4, 0.3);
        SetColour(cr, 0xFFFFFF);
        cairo_fill(cr);
    }
}

void DrawBadges(DataTree& tree)
{
    static const uint32_t faces[][2] = {{0xD8EEFA, 0x6FAEDA}, {0xEAF6DA, 0x8CC26A}, {0xFFF8E0, 0xF4D6A0},
                                        {0xFFF0F4, 0xF2A8C0}, {0xF2FAE4, 0xA8D48A}, {0xF5EAFF, 0xB89AE4}};
    for (int k = 0; k < 6; ++k) {
        Canvas c(128, 128);
        cairo_t* cr = c.Get();
        // The whole picture is opaque so its edge texels carry the rim's colour, not black.
        SetColour(cr, 0x8A5A14);
        cairo_paint(cr);
        BadgePath(cr);
        cairo_pattern_t* rim = cairo_pattern_create_linear(10, 10, 118, 118);
        AddStop(rim, 0, 0xFFF2B8);
        AddStop(rim, 0.5, Palette::gold);
        AddStop(rim, 1, 0xB07A1C);
        cairo_set_source(cr, rim);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(rim);
        Stroke(cr, 0x8A5A14, 1.8);
        cairo_arc(cr, 64, 64, 50, 0, 2 * pi);
        FillRadial(cr, 52, 46, 66, faces[k][0], faces[k][1]);
        Stroke(cr, 0x8A5A14, 1.4);
        cairo_arc(cr, 64, 64, 53.5, 0, 2 * pi);
        Stroke(cr, 0xFFF6D0, 1, 0.7);
        cairo_save(cr);
        cairo_arc(cr, 64, 64, 49.5, 0, 2 * pi);
        cairo_clip(cr);
        switch (k) {
        case 0: Wings(cr); break;
        case 1: Coin(cr, 64, 64, 36); break;
        case 2: Burst(cr, 64, 64, 46); break;
        case 3: Bouquet(cr); break;
        case 4: SmallBasket(cr, 64, 62, 1.6); break;
        default: PowerupStar(cr); break;
        }
        cairo_restore(cr);
        // A gloss over the upper half.
        cairo_save(cr);
        cairo_arc(cr, 64, 64, 50, 0, 2 * pi);
        cairo_clip(cr);
        cairo_translate(cr, 64, 30);
        cairo_scale(cr, 44, 22);
        cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
        cairo_restore(cr);
        cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 8, 0, 52);
        cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.45);
        cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
        cairo_set_source(cr, gloss);
        cairo_fill(cr);
        cairo_pattern_destroy(gloss);
        c.WriteOpaque(tree, "data\\" + folder + "bonus_" + bonusKinds[k] + ".jpg");
    }
    Canvas silhouette(128, 128);
    BadgePath(silhouette.Get());
    SetColour(silhouette.Get(), 0xFFFFFF);
    cairo_fill(silhouette.Get());
    WriteOpacity(tree, silhouette, "bonus_alpha.jpg");
}

// ---- Orders: a medal on a ribbon, 224 x 256 texels in the middle of the picture ----

void RibbonPath(cairo_t* cr)
{
    cairo_move_to(cr, 80, 4);
    cairo_line_to(cr, 176, 4);
    cairo_line_to(cr, 150, 120);
    cairo_line_to(cr, 106, 120);
    cairo_close_path(cr);
}

void MedalPath(cairo_t* cr)
{
    const int teeth = 24;
    for (int i = 0; i < teeth; ++i) {
        const double a = i * 2 * pi / teeth;
        cairo_arc(cr, 128 + 74 * std::cos(a), 170 + 74 * std::sin(a), 9, a - pi / 2, a + pi / 2);
    }
    cairo_close_path(cr);
}

void ClaspPath(cairo_t* cr) { RoundedRectangle(cr, 100, 80, 56, 16, 5); }

// A metal relief: the shape in the dark tone shifted down-right, then in the light tone.
void Relief(cairo_t* cr, const std::function<void()>& path, uint32_t light, uint32_t dark)
{
    cairo_save(cr);
    cairo_translate(cr, 1.2, 1.2);
    path();
    SetColour(cr, dark, 0.8);
    cairo_fill(cr);
    cairo_restore(cr);
    path();
    SetColour(cr, light, 0.9);
    cairo_fill(cr);
}

void DrawOrders(DataTree& tree)
{
    // Metal tones: light, middle, dark, edge; ribbon: body and stripe.
    static const uint32_t metals[3][4] = {{0xF4C49A, Palette::copper, 0x8A4A22, 0x5A2E14},
                                          {0xFFFFFF, Palette::silver, 0x8E949C, 0x4E535A},
                                          {0xFFF2B8, Palette::gold, 0xB07A1C, 0x6A4410}};
    static const uint32_t ribbons[3][2] = {{Palette::leaf, Palette::mint}, {0x4E7FD9, 0xDDE9FA}, {0xC23566, Palette::textGold}};
    for (int k = 0; k < 3; ++k) {
        const uint32_t* m = metals[k];
        Canvas c(256, 256);
        cairo_t* cr = c.Get();
        SetColour(cr, m[3]);
        cairo_paint(cr);
        // The ribbon: a V of two folds with a stripe down the middle.
        RibbonPath(cr);
        FillVertical(cr, 4, 120, ribbons[k][0], ribbons[k][0]);
        cairo_new_path(cr);
        cairo_move_to(cr, 118, 4);
        cairo_line_to(cr, 138, 4);
        cairo_line_to(cr, 134, 120);
        cairo_line_to(cr, 122, 120);
        cairo_close_path(cr);
        SetColour(cr, ribbons[k][1]);
        cairo_fill(cr);
        cairo_move_to(cr, 128, 4);
        cairo_line_to(cr, 128, 120);
        Stroke(cr, 0x000000, 1.5, 0.18);
        cairo_pattern_t* shade = cairo_pattern_create_linear(80, 0, 176, 0);
        AddStop(shade, 0, 0x000000, 0.3);
        AddStop(shade, 0.45, 0x000000, 0);
        AddStop(shade, 0.55, 0xFFFFFF, 0.15);
        AddStop(shade, 1, 0x000000, 0.35);
        RibbonPath(cr);
        cairo_set_source(cr, shade);
        cairo_fill(cr);
        cairo_pattern_destroy(shade);
        RibbonPath(cr);
        Stroke(cr, 0x000000, 1.4, 0.45);
        // The medal: a toothed rim round a disc with a leaf wreath and a flower in relief.
        SoftShadow(cr, [&] { MedalPath(cr); }, 2, 3, 3, 0.35);
        MedalPath(cr);
        cairo_pattern_t* rim = cairo_pattern_create_linear(50, 90, 206, 250);
        AddStop(rim, 0, m[0]);
        AddStop(rim, 0.5, m[1]);
        AddStop(rim, 1, m[2]);
        cairo_set_source(cr, rim);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(rim);
        Stroke(cr, m[3], 1.8);
        cairo_arc(cr, 128, 170, 64, 0, 2 * pi);
        FillRadial(cr, 108, 146, 96, m[0], m[2]);
        Stroke(cr, m[3], 1.6);
        cairo_arc(cr, 128, 170, 67, 0, 2 * pi);
        Stroke(cr, m[0], 1.2, 0.8);
        // The wreath: two branches rising from the bottom round either side, leaves in pairs pointing upwards.
        for (int layer = 0; layer < 2; ++layer) {
            const double o = layer == 0 ? 1.2 : 0;
            cairo_new_path(cr);
            cairo_arc(cr, 128 + o, 170 + o, 53, pi / 2 + 0.25, pi * 1.5 - 0.3);
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, 128 + o, 170 + o, 53, pi / 2 - 0.25, -pi / 2 + 0.3);
            Stroke(cr, layer == 0 ? m[3] : m[0], 2.2, layer == 0 ? 0.8 : 0.9);
        }
        for (int i = 0; i < 16; ++i) {
            const double side = i < 8 ? 1 : -1, step = (i % 8) * 0.33 + 0.35;
            const double a = pi / 2 + side * step;
            const double x = 128 + 53 * std::cos(a), y = 170 + 53 * std::sin(a);
            const double along = side > 0 ? a + pi : a; // the tangent pointing up the branch
            for (double out : {-0.65, 0.65})
                Relief(cr, [&] { LeafPath(cr, x, y, 13, along + out, 0.42); }, m[0], m[3]);
        }
        for (int p = 0; p < 8; ++p) {
            const double a = p * 2 * pi / 8;
            Relief(cr, [&] { LeafPath(cr, 128, 170, 36, a, 0.6); }, m[0], m[3]);
            cairo_move_to(cr, 128, 170);
            cairo_line_to(cr, 128 + 28 * std::sin(a), 170 - 28 * std::cos(a));
            Stroke(cr, m[2], 1.1, 0.6);
        }
        Relief(cr, [&] { cairo_arc(cr, 128, 170, 9, 0, 2 * pi); }, m[1], m[3]);
        cairo_arc(cr, 128, 170, 9, 0, 2 * pi);
        FillRadial(cr, 125, 167, 11, m[0], m[2]);
        cairo_new_path(cr);
        for (int d = 0; d < 7; ++d) {
            cairo_arc(cr, 128 + 4 * std::cos(d * 0.9), 170 + 4 * std::sin(d * 0.9), 1.1, 0, 2 * pi);
            SetColour(cr, m[3], 0.5);
            cairo_fill(cr);
        }
        // The clasp joining ribbon and medal.
        ClaspPath(cr);
        FillVertical(cr, 80, 96, m[0], m[2]);
        Stroke(cr, m[3], 1.4);
        cairo_move_to(cr, 104, 84);
        cairo_line_to(cr, 152, 84);
        Stroke(cr, 0xFFFFFF, 1, 0.6);
        // A sheen across the upper left.
        cairo_save(cr);
        MedalPath(cr);
        cairo_clip(cr);
        cairo_pattern_t* sheen = cairo_pattern_create_linear(60, 100, 190, 230);
        cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.35);
        cairo_pattern_add_color_stop_rgba(sheen, 0.4, 1, 1, 1, 0);
        cairo_set_source(cr, sheen);
        cairo_paint(cr);
        cairo_pattern_destroy(sheen);
        cairo_restore(cr);
        c.WriteOpaque(tree, "data\\" + folder + "order_" + orderKinds[k] + ".jpg");
    }
    Canvas silhouette(256, 256);
    cairo_t* cr = silhouette.Get();
    SetColour(cr, 0xFFFFFF);
    RibbonPath(cr);
    cairo_fill(cr);
    ClaspPath(cr);
    cairo_fill(cr);
    MedalPath(cr);
    cairo_fill(cr);
    WriteOpacity(tree, silhouette, "order_alpha.jpg");
}

} // namespace

const Area& TallyArea()
{
    static const Area area = [] {
        Area a{"Tally", {}, {}};
        a.models.push_back({folder + "basket_0\\basket_0.mlf", 1, false, {{0, 0, 0}}});
        // Rising over frames 0-20, leaving over 20-40.
        a.models.push_back({folder + "models\\basket_helper.mlf", 41, true, {{0, 400, -160}, {20, 400, 280}, {40, 400, 920}}});
        const auto places = FlowerPlaces();
        for (size_t n = 0; n < places.size(); ++n)
            a.models.push_back(
                {folder + "basket_0\\flower_" + std::to_string(n) + ".mlf", 1, false, {{0, places[n][0], places[n][1]}}});
        a.models.push_back({folder + "models\\bonus.mlf", 1, false, {{0, 0, 0}}});
        a.models.push_back({folder + "models\\order.mlf", 21, false, {{0, 0, 0}, {20, 0, 0}}});
        a.images.push_back({folder + "basket_big.jpg", 256, 256, true});
        for (const char* kind : bonusKinds)
            a.images.push_back({folder + "bonus_" + kind + ".jpg", 128, 128, false});
        a.images.push_back({folder + "bonus_alpha.jpg", 128, 128, false});
        for (const char* kind : orderKinds)
            a.images.push_back({folder + "order_" + kind + ".jpg", 256, 256, false});
        a.images.push_back({folder + "order_alpha.jpg", 256, 256, false});
        return a;
    }();
    return area;
}

void WriteTally(DataTree& tree)
{
    DrawBasket(tree);
    DrawBadges(tree);
    DrawOrders(tree);

    const std::string data = "data\\" + folder;
    tree.Write(data + "basket_0\\basket_0.mlf",
               Formats::EncodeModel(QuadModel(-basketHalfWidth, -basketHalfHeight, basketHalfWidth, basketHalfHeight, 1,
                                              float(2 * basketHalfHeight * basketScale / 256))));
    WriteTallyMaterial(tree, "basket_0\\basket_0.mlf", "basket_big.jpg", "basket_big_alpha.jpg");

    std::vector<std::array<float, 2>> carrier;
    for (int f = 0; f <= 40; ++f)
        carrier.push_back({400, f <= 20 ? -160 + 440 * EaseOut(f / 20.0f) : 280 + 640 * EaseIn((f - 20) / 20.0f)});
    WriteModel(tree, data + "models\\basket_helper.mlf", HelperModel(carrier, 15), "", "");

    const auto places = FlowerPlaces();
    for (size_t n = 0; n < places.size(); ++n) {
        const std::string name = data + "basket_0\\flower_" + std::to_string(n);
        const auto [x, y] = places[n];
        tree.Write(name + ".mlf", Formats::EncodeModel(QuadModel(x - 13, y - 13, x + 13, y + 13)));
        tree.Write(name + ".srf", Formats::EncodeMaterial(ChipAtlasMaterial()));
    }

    tree.Write(data + "models\\bonus.mlf", Formats::EncodeModel(QuadModel(-36, -36, 36, 36)));
    WriteTallyMaterial(tree, "models\\bonus.mlf", "bonus_wings.jpg", "bonus_alpha.jpg");

    // The order pops up: scale 0 to 1.15 with a fading wobble over frames 0-14, then settles to 1 by 20.
    const Quad medal = MakeQuad(-56, -64, 56, 64, 16.0f / 256, 0, 240.0f / 256, 1);
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 20; ++f) {
        float scale, angle = 0;
        if (f <= 14) {
            const float t = f / 14.0f;
            scale = 1.15f * EaseOut(t);
            angle = 12 * float(pi) / 180 * std::sin(3 * float(pi) * t) * (1 - t);
        } else {
            scale = 1.15f - 0.15f * EaseInOut((f - 14) / 6.0f);
        }
        frames.push_back({Transform(medal, 0, 0, scale, angle)});
    }
    tree.Write(data + "models\\order.mlf", Formats::EncodeModel(MorphModel(frames, 20)));
    WriteTallyMaterial(tree, "models\\order.mlf", "order_gold.jpg", "order_alpha.jpg");
}

} // namespace DataBuild

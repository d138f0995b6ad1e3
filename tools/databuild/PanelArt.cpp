// The in-level panel of gui\game_panel: body, goal bar, goal icons, level marks, lives, clock, menu button, scissors.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/FlowerArt.h"
#include "tools/databuild/Manifest.h"
#include "tools/databuild/PanelDrawing.h"

#include "tools/formats/MaterialWriter.h"

#include <cmath>
#include <functional>
#include <tuple>

namespace DataBuild {

namespace PanelDrawing {

// Overlapping translucent copies blur the shadow.
void SoftShadow(cairo_t* cr, const std::function<void()>& path, double dx, double dy, double blur, double alpha)
{
    const int copies = 17;
    const double each = 1 - std::pow(1 - alpha, 1.0 / copies);
    for (int k = 0; k < copies; ++k) {
        const double r = k == 0 ? 0 : blur * (k <= 8 ? 0.5 : 1.0);
        const double a = k * 2 * pi / 8;
        cairo_save(cr);
        cairo_translate(cr, dx + r * std::cos(a), dy + r * std::sin(a));
        cairo_new_path(cr);
        path();
        cairo_set_source_rgba(cr, 0, 0, 0, each);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_new_path(cr);
}

void FillRadial(cairo_t* cr, double x, double y, double r, uint32_t inner, uint32_t outer)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    AddStop(p, 0, inner);
    AddStop(p, 1, outer);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

void Stroke(cairo_t* cr, uint32_t rgb, double width, double alpha)
{
    SetColour(cr, rgb, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void LeafPath(cairo_t* cr, double x, double y, double length, double angle, double width)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    const double w = length * width;
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, w, -length * 0.15, w * 0.8, -length * 0.75, 0, -length);
    cairo_curve_to(cr, -w * 0.8, -length * 0.75, -w, -length * 0.15, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Leaf(cairo_t* cr, double x, double y, double length, double angle, uint32_t light, uint32_t dark)
{
    LeafPath(cr, x, y, length, angle);
    const double tipX = x + length * std::sin(angle), tipY = y - length * std::cos(angle);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, tipX, tipY);
    AddStop(p, 0, dark);
    AddStop(p, 1, light);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Stroke(cr, Palette::deep, 0.8, 0.8);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 0.8 * (tipX - x), y + 0.8 * (tipY - y));
    Stroke(cr, Palette::mint, 0.6, 0.6);
}

void Grain(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double alpha)
{
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    const int lines = std::max(2, static_cast<int>(h / 4));
    for (int i = 0; i < lines; ++i) {
        const double base = y + (i + 0.5) * h / lines + (Fraction(seed + i * 7) - 0.5) * 2;
        const double phase = Fraction(seed + i * 7 + 1) * 2 * pi, period = 60 + 80 * Fraction(seed + i * 7 + 2);
        cairo_move_to(cr, x, base);
        for (double px = x; px <= x + w + 8; px += 8)
            cairo_line_to(cr, px, base + 1.2 * std::sin(px / period * 2 * pi + phase));
        Stroke(cr, Palette::wickerDark, 0.7 + 0.5 * Fraction(seed + i * 7 + 3), alpha);
    }
    // A few knots.
    for (int k = 0; k < static_cast<int>(w / 140); ++k) {
        const double kx = x + w * Fraction(seed + 100 + k), ky = y + h * (0.25 + 0.5 * Fraction(seed + 200 + k));
        cairo_save(cr);
        cairo_translate(cr, kx, ky);
        cairo_scale(cr, 3, 1);
        cairo_arc(cr, 0, 0, 1.6, 0, 2 * pi);
        cairo_restore(cr);
        Stroke(cr, Palette::wickerDark, 0.8, alpha * 1.6);
    }
    cairo_restore(cr);
}

void SmallBasket(cairo_t* cr, double x, double y, double s)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s, s);
    // Handle behind.
    cairo_arc(cr, 0, 2, 17, pi * 1.08, pi * 1.92);
    Stroke(cr, Palette::wickerDark, 4.5);
    cairo_arc(cr, 0, 2, 17, pi * 1.08, pi * 1.92);
    Stroke(cr, Palette::wickerLight, 2.5);
    DrawFlower(cr, 3, 0, -9, 8);
    DrawFlower(cr, 1, -10, -4, 8.5);
    DrawFlower(cr, 0, 10, -5, 8.5);
    auto body = [&] {
        cairo_move_to(cr, -22, 0);
        cairo_line_to(cr, 22, 0);
        cairo_curve_to(cr, 20, 10, 18, 20, 14, 22);
        cairo_line_to(cr, -14, 22);
        cairo_curve_to(cr, -18, 20, -20, 10, -22, 0);
        cairo_close_path(cr);
    };
    SoftShadow(cr, body, 1.5, 1.5, 1.5, 0.3);
    body();
    FillVertical(cr, 0, 22, Palette::wickerLight, Palette::wickerMid);
    cairo_save(cr);
    cairo_clip(cr);
    for (int row = 0; row < 4; ++row)
        for (int col = -6; col <= 6; ++col) {
            const double bx = col * 4 + (row % 2) * 2, by = 2 + row * 5.3;
            cairo_save(cr);
            cairo_translate(cr, bx, by + 2);
            cairo_scale(cr, 1.9, 2.4);
            cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
            cairo_restore(cr);
            SetColour(cr, (row + col) % 2 ? Palette::straw : Palette::wickerLight);
            cairo_fill_preserve(cr);
            Stroke(cr, Palette::wickerDark, 0.6, 0.8);
        }
    cairo_restore(cr);
    body();
    Stroke(cr, Palette::wickerDark, 1.3);
    RoundedRectangle(cr, -24, -2.5, 48, 5, 2.5);
    FillVertical(cr, -2.5, 2.5, Palette::straw, Palette::wickerMid);
    Stroke(cr, Palette::wickerDark, 1.1);
    cairo_restore(cr);
}

void Coin(cairo_t* cr, double x, double y, double r)
{
    SoftShadow(cr, [&] { cairo_arc(cr, x, y, r, 0, 2 * pi); }, 1.5, 1.5, 1.5, 0.3);
    cairo_arc(cr, x, y, r, 0, 2 * pi);
    FillRadial(cr, x - r * 0.35, y - r * 0.4, r * 1.4, 0xFFF2B8, 0xC98A22);
    Stroke(cr, 0x8A5A14, 1.4);
    cairo_arc(cr, x, y, r * 0.8, 0, 2 * pi);
    Stroke(cr, 0xB07A1C, 1.1, 0.8);
    cairo_arc(cr, x + 0.6, y + 0.6, r * 0.8, 0, 2 * pi);
    Stroke(cr, 0xFFF2B8, 0.7, 0.6);
    for (int p = 0; p < 10; ++p) {
        const double a = p * 2 * pi / 10;
        for (int layer = 0; layer < 2; ++layer) {
            const double o = layer == 0 ? 0.8 : 0;
            LeafPath(cr, x + o, y + o, r * 0.6, a, 0.42);
            SetColour(cr, layer == 0 ? 0x9A6A18 : 0xFFE48A, layer == 0 ? 0.7 : 1);
            cairo_fill(cr);
        }
    }
    cairo_arc(cr, x, y, r * 0.18, 0, 2 * pi);
    FillRadial(cr, x - 1, y - 1, r * 0.2, 0xFFFFFF, Palette::gold);
    Stroke(cr, 0x9A6A18, 0.8);
}

void Burst(cairo_t* cr, double x, double y, double r)
{
    const double k = r / 29;
    for (int i = 0; i < 12; ++i) {
        const double a = i * 2 * pi / 12 + 0.13, r0 = 13 * k, r1 = (i % 2 ? 24 : 29) * k;
        cairo_move_to(cr, x + r0 * std::cos(a - 0.16), y + r0 * std::sin(a - 0.16));
        cairo_line_to(cr, x + r1 * std::cos(a), y + r1 * std::sin(a));
        cairo_line_to(cr, x + r0 * std::cos(a + 0.16), y + r0 * std::sin(a + 0.16));
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_radial(x, y, r0, x, y, r1);
        AddStop(p, 0, 0xFFE066);
        AddStop(p, 1, 0xF28C28, 0.95);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    for (int i = 0; i < 8; ++i) {
        const double a = i * 2 * pi / 8 + 0.4, d = (21 + 5 * Fraction(800 + i)) * k;
        cairo_arc(cr, x + d * std::cos(a), y + d * std::sin(a), 1.6 * k, 0, 2 * pi);
        SetColour(cr, 0xFFFFFF, 0.9);
        cairo_fill(cr);
    }
    SoftShadow(cr, [&] { cairo_arc(cr, x, y, 15 * k, 0, 2 * pi); }, 1.2, 1.2, 1.5, 0.3);
    DrawFlower(cr, 10, x, y, 16 * k);
}

Formats::MaterialFile ChipAtlasMaterial()
{
    return ImageMaterial("chips\\flowers.jpg", "chips\\flowers_alpha.jpg", false, 8, 4);
}

} // namespace PanelDrawing

namespace {

using namespace PanelDrawing;

const std::string folder = "gui\\game_panel\\";
const std::string models = "data\\gui\\game_panel\\models\\";

// The scissors stand on the right edge; the code slides them off to the right.
constexpr float scissorsX = 684, scissorsY = 500;
// The goal bar's fill edge runs from x 318 (nothing done) to 482 (goal reached).
constexpr float barLeft = 318, barRight = 482;

// A sunken area of the shelf: dark green, shaded at the top, a light lip at the bottom.
void Recess(cairo_t* cr, double x, double y, double w, double h)
{
    const double r = h / 2.6;
    RoundedRectangle(cr, x - 1, y - 1, w + 2, h + 3, r + 1);
    SetColour(cr, Palette::straw, 0.55);
    cairo_fill(cr);
    RoundedRectangle(cr, x, y, w, h, r);
    FillVertical(cr, y, y + h, 0x14291C, 0x2E5C3E);
    cairo_save(cr);
    cairo_clip(cr);
    for (int k = 1; k <= 3; ++k) { // inner shadow under the top edge
        RoundedRectangle(cr, x - 2, y - 4 + k, w + 4, h + 2, r);
        Stroke(cr, 0x000000, 2.5, 0.14);
    }
    cairo_restore(cr);
    RoundedRectangle(cr, x, y, w, h, r);
    Stroke(cr, Palette::wickerDark, 1.5);
}

// A pair of garden scissors, blades up, pivot at (x, y); 44 units tall at scale 1. Grey draws only its outline.
void Scissors(cairo_t* cr, double x, double y, double scale, double angle, bool grey)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    // Each half: a broad curved blade up one side of the pivot, its ring handle down the other.
    auto blade = [&](double side) {
        cairo_move_to(cr, -side * 3.5, 6);
        cairo_curve_to(cr, -side * 4, -4, side * 2, -14, side * 7, -23);
        cairo_curve_to(cr, side * 8, -15, side * 6, -5, side * 3.5, 1);
        cairo_curve_to(cr, side * 2, 4, -side * 1, 6, -side * 3.5, 6);
        cairo_close_path(cr);
    };
    auto edge = [&](double side) {
        cairo_move_to(cr, side * 0.8, -6);
        cairo_curve_to(cr, side * 2.5, -11, side * 4.5, -17, side * 6.8, -22);
    };
    auto handle = [&](double side) {
        cairo_save(cr);
        cairo_translate(cr, -side * 8, 14.5);
        cairo_rotate(cr, -side * 0.5);
        cairo_scale(cr, 0.8, 1);
        cairo_arc(cr, 0, 0, 7, 0, 2 * pi);
        cairo_restore(cr);
    };
    auto shank = [&](double side) {
        cairo_move_to(cr, side * 1.5, 1);
        cairo_curve_to(cr, -side * 1, 5, -side * 3, 7, -side * 4.5, 9);
    };
    if (grey) {
        for (double side : {-1.0, 1.0}) {
            handle(side);
            Stroke(cr, Palette::stone, 2.6, 0.75);
            shank(side);
            Stroke(cr, Palette::stone, 2.6, 0.75);
            blade(side);
            SetColour(cr, 0xFFFFFF, 0.35);
            cairo_fill_preserve(cr);
            Stroke(cr, Palette::stone, 1.5, 0.85);
        }
        cairo_arc(cr, 0, 0, 2.2, 0, 2 * pi);
        Stroke(cr, Palette::stone, 1.3, 0.85);
        cairo_restore(cr);
        return;
    }
    for (double side : {-1.0, 1.0}) {
        for (int pass = 0; pass < 2; ++pass) {
            handle(side);
            shank(side);
            if (pass == 0) {
                Stroke(cr, Palette::deep, 4.6);
                continue;
            }
            cairo_pattern_t* p = cairo_pattern_create_linear(-8, 6, 8, 24);
            AddStop(p, 0, Palette::buttonHover);
            AddStop(p, 1, Palette::buttonDark);
            cairo_set_source(cr, p);
            cairo_set_line_width(cr, 2.8);
            cairo_stroke(cr);
            cairo_pattern_destroy(p);
        }
    }
    // A highlight along the top of each ring.
    for (double side : {-1.0, 1.0}) {
        cairo_save(cr);
        cairo_translate(cr, -side * 8, 14.5);
        cairo_rotate(cr, -side * 0.5);
        cairo_scale(cr, 0.8, 1);
        cairo_arc(cr, 0, 0, 7, pi * 1.15, pi * 1.6);
        cairo_restore(cr);
        Stroke(cr, Palette::mint, 1.1, 0.8);
    }
    for (double side : {1.0, -1.0}) {
        blade(side);
        cairo_pattern_t* p = cairo_pattern_create_linear(-side * 4, -20, side * 6, 2);
        AddStop(p, 0, 0xFFFFFF);
        AddStop(p, 0.5, Palette::silver);
        AddStop(p, 1, 0x7E848C);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        Stroke(cr, 0x4E535A, 1.1);
        edge(side);
        Stroke(cr, 0xFFFFFF, 0.8, 0.8);
    }
    cairo_arc(cr, 0, 0, 2.6, 0, 2 * pi);
    FillRadial(cr, -0.8, -0.8, 2.8, Palette::sun, Palette::gold);
    Stroke(cr, Palette::wickerDark, 0.9);
    cairo_restore(cr);
}

// A rectangle of a canvas (canvas pixels, top row first) and its texture coordinates.
struct Region {
    double x, y, w, h;
};

Quad On(const Region& r, double width, double height, float x0, float y0, float x1, float y1)
{
    return MakeQuad(x0, y0, x1, y1, float(r.x / width), float((height - r.y - r.h) / height),
                    float((r.x + r.w) / width), float((height - r.y) / height));
}

// The region revealed from its bottom edge up to `fill` (0..1): the quad's top and its v move together.
Quad Revealed(const Region& r, double width, double height, float x0, float y0, float x1, float y1, float fill)
{
    Quad q = On(r, width, height, x0, y0, x1, y1);
    const float top = y0 + (y1 - y0) * fill, v = q.uv[0][1] + (q.uv[2][1] - q.uv[0][1]) * fill;
    q.position[2][1] = q.position[3][1] = top;
    q.uv[2][1] = q.uv[3][1] = v;
    return q;
}

// An invisible quad of no width: it draws nothing but holds the frame's box at the whole picture.
Quad BoxKeeper(float x, float y0, float y1) { return MakeQuad(x, y0, x, y1, 0, 0, 0, 0); }

void Write(DataTree& tree, const std::string& stem, const Formats::ModelFile& model, const std::string& image,
           bool mipMapped = false)
{
    tree.Write(models + stem + ".mlf", Formats::EncodeModel(model));
    tree.Write(models + stem + ".srf",
               Formats::EncodeMaterial(ImageMaterial(folder + image + ".jpg", folder + image + "_alpha.jpg", mipMapped)));
}

// ---- Pictures ----

// An ivy leaf from its stalk at (x, y): three lobes, the middle one longest; angle 0 points up.
void IvyLeafPath(cairo_t* cr, double x, double y, double length, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, length, length);
    cairo_move_to(cr, 0, -0.08);
    cairo_curve_to(cr, 0.25, 0.02, 0.55, -0.05, 0.52, -0.3);
    cairo_curve_to(cr, 0.5, -0.42, 0.32, -0.45, 0.22, -0.5);
    cairo_curve_to(cr, 0.25, -0.7, 0.1, -0.88, 0, -1);
    cairo_curve_to(cr, -0.1, -0.88, -0.25, -0.7, -0.22, -0.5);
    cairo_curve_to(cr, -0.32, -0.45, -0.5, -0.42, -0.52, -0.3);
    cairo_curve_to(cr, -0.55, -0.05, -0.25, 0.02, 0, -0.08);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void DrawPanelBody(DataTree& tree)
{
    Canvas c(1024, 64);
    cairo_t* cr = c.Get();
    cairo_translate(cr, 0, 8); // 800 x 56 in the lower-left corner
    const double top = 9;
    // The plank shelf.
    cairo_rectangle(cr, 0, top, 800, 56 - top);
    FillVertical(cr, top, 56, Palette::wickerLight, Palette::wickerMid);
    cairo_new_path(cr);
    Grain(cr, 0, top + 4, 800, 56 - top - 4, 11, 0.16);
    // The rounded front lip along the top.
    cairo_rectangle(cr, 0, top, 800, 4);
    FillVertical(cr, top, top + 4, Palette::straw, Palette::wickerLight);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, top + 0.5);
    cairo_line_to(cr, 800, top + 0.5);
    Stroke(cr, Palette::wickerDark, 1.2);
    cairo_move_to(cr, 0, top + 4.5);
    cairo_line_to(cr, 800, top + 4.5);
    Stroke(cr, Palette::wickerDark, 1, 0.45);
    // Plank joints with nails, between the sunken areas.
    for (double x : {210.0, 580.0}) {
        cairo_move_to(cr, x, top + 5);
        cairo_line_to(cr, x, 56);
        Stroke(cr, Palette::wickerDark, 1.2, 0.7);
        cairo_move_to(cr, x + 1.2, top + 5);
        cairo_line_to(cr, x + 1.2, 56);
        Stroke(cr, Palette::straw, 0.8, 0.5);
        for (double y : {top + 13, 44.0})
            for (double dx : {-7.0, 8.0}) {
                cairo_arc(cr, x + dx, y, 2, 0, 2 * pi);
                FillRadial(cr, x + dx - 0.6, y - 0.6, 2.2, Palette::silver, Palette::stone);
                Stroke(cr, Palette::ink, 0.6, 0.7);
            }
    }
    Recess(cr, 15, 13, 145, 32);
    Recess(cr, 260, 12, 280, 34);
    Recess(cr, 620, 13, 172, 32);
    // A thin gold line frames the score; small gold rosettes fill the ends the counters leave free.
    RoundedRectangle(cr, 624, 17, 164, 24, 9);
    Stroke(cr, Palette::gold, 0.8, 0.35);
    for (double x : {511.0, 638.0, 776.0}) {
        const double y = 29;
        auto petals = [&] {
            for (int p = 0; p < 5; ++p) {
                const double a = -pi / 2 + p * 2 * pi / 5;
                cairo_new_sub_path(cr);
                cairo_arc(cr, x + 3.6 * std::cos(a), y + 3.6 * std::sin(a), 2.9, 0, 2 * pi);
            }
        };
        petals();
        SetColour(cr, 0x3A2410, 0.6);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        petals();
        FillRadial(cr, x - 2, y - 2, 8, Palette::sun, Palette::gold);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, 1.8, 0, 2 * pi);
        SetColour(cr, 0x8A5A14);
        cairo_fill(cr);
    }
    // Ivy along the top edge: a wavy vine with three-lobed leaves, some upright, some lying along the lip,
    // and longer ones hanging over the planks between the sunken areas (never over the counters).
    auto vineY = [](double x) { return 5.5 + 1.8 * std::sin(x / 37.0) + 1.0 * std::sin(x / 13.0 + 1); };
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, -4, vineY(-4));
        for (double x = -4; x <= 804; x += 4)
            cairo_line_to(cr, x, vineY(x));
        Stroke(cr, pass ? 0x6B5A2E : Palette::deep, pass ? 1.0 : 2.4);
    }
    int n = 0;
    for (double x = 4; x < 800; x += 9 + 9 * Fraction(n * 5 + 5), ++n) {
        const double y = vineY(x);
        const bool overRecess = (x > 18 && x < 157) || (x > 262 && x < 538) || (x > 622 && x < 794);
        const double r = Fraction(n * 5 + 6), turn = Fraction(n * 5 + 7) - 0.5;
        double length, angle;
        if (!overRecess && n % 2 == 1) {
            length = 11 + 4 * r; // hanging
            angle = pi + turn * 1.2;
        } else if (n % 3 == 0) {
            length = 7 + 2 * r; // upright
            angle = turn * 0.8;
        } else {
            length = 8 + 3 * r; // along the lip
            angle = (n % 2 ? 1 : -1) * (pi / 2 + 0.25 + 0.3 * r);
        }
        static const uint32_t lights[] = {Palette::fresh, 0x79B25E, 0x9ACD76, 0x6FA85A};
        SoftShadow(cr, [&] { IvyLeafPath(cr, x, y, length, angle); }, 1, 1.6, 1.2, 0.28);
        IvyLeafPath(cr, x, y, length, angle);
        const double tipX = x + length * std::sin(angle), tipY = y - length * std::cos(angle);
        cairo_pattern_t* p = cairo_pattern_create_linear(x, y, tipX, tipY);
        AddStop(p, 0, Palette::deep);
        AddStop(p, 1, lights[n % 4]);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        Stroke(cr, 0x1A3A26, 0.7, 0.9);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 0.75 * (tipX - x), y + 0.75 * (tipY - y));
        Stroke(cr, Palette::mint, 0.6, 0.55);
    }
    c.WritePair(tree, "data\\" + folder + "panel_body.jpg");
}

// Parts of panel_parts.jpg (256 x 128).
const Region troughBack{2, 2, 164, 22}, barFill{2, 28, 164, 16}, troughRim{2, 48, 164, 22}, lifeHeart{172, 2, 28, 28},
    dewdrop{206, 2, 6, 24};

void DrawPanelParts(DataTree& tree)
{
    Canvas c(256, 128);
    cairo_t* cr = c.Get();
    {
        const Region& r = troughBack;
        RoundedRectangle(cr, r.x + 0.5, r.y + 0.5, r.w - 1, r.h - 1, 10.5);
        FillVertical(cr, r.y, r.y + r.h, 0x3A2414, Palette::wickerDark);
        cairo_new_path(cr);
        RoundedRectangle(cr, r.x + 3, r.y + 3, r.w - 6, r.h - 6, 8);
        FillVertical(cr, r.y + 3, r.y + r.h - 3, 0x1A120A, 0x3A2818);
        cairo_new_path(cr);
    }
    {
        // The vine fill: green with a twining stem and small leaves, a wet highlight along its top.
        const Region& r = barFill;
        cairo_save(cr);
        RoundedRectangle(cr, r.x + 3, r.y, r.w - 6, r.h, 7.5);
        cairo_clip_preserve(cr);
        // Deep enough for the white goal count drawn over it.
        FillVertical(cr, r.y, r.y + r.h, Palette::button, 0x2F6A2E);
        cairo_new_path(cr);
        for (int strand = 0; strand < 2; ++strand) {
            cairo_move_to(cr, r.x, r.y + r.h / 2);
            for (double x = r.x; x <= r.x + r.w; x += 2)
                cairo_line_to(cr, x, r.y + r.h / 2 + 4 * std::sin((x - r.x) / 9.0 + strand * pi));
            Stroke(cr, strand ? Palette::deep : 0x2F6A2E, 1.1, 0.55);
        }
        for (int k = 0; k < 9; ++k) {
            const double x = r.x + 10 + k * 18.2, y = r.y + r.h / 2 + 4 * std::sin((x - r.x) / 9.0);
            Leaf(cr, x, y, 6, (k % 2 ? 1.2 : -1.9) + (Fraction(k + 40) - 0.5) * 0.5, Palette::mint, Palette::leaf);
        }
        cairo_rectangle(cr, r.x, r.y + 1, r.w, 5);
        cairo_pattern_t* wet = cairo_pattern_create_linear(0, r.y + 1, 0, r.y + 6);
        cairo_pattern_add_color_stop_rgba(wet, 0, 1, 1, 1, 0.7);
        cairo_pattern_add_color_stop_rgba(wet, 1, 1, 1, 1, 0);
        cairo_set_source(cr, wet);
        cairo_fill(cr);
        cairo_pattern_destroy(wet);
        cairo_restore(cr);
    }
    {
        // Over the fill: the trough's rim and a glassy sheen; the middle stays clear.
        const Region& r = troughRim;
        cairo_save(cr);
        RoundedRectangle(cr, r.x + 0.5, r.y + 0.5, r.w - 1, r.h - 1, 10.5);
        RoundedRectangle(cr, r.x + 3, r.y + 3, r.w - 6, r.h - 6, 8);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        FillVertical(cr, r.y, r.y + r.h, Palette::straw, Palette::wickerMid);
        cairo_restore(cr);
        cairo_new_path(cr);
        RoundedRectangle(cr, r.x + 0.5, r.y + 0.5, r.w - 1, r.h - 1, 10.5);
        Stroke(cr, Palette::wickerDark, 1);
        RoundedRectangle(cr, r.x + 3, r.y + 3, r.w - 6, r.h - 6, 8);
        Stroke(cr, Palette::ink, 0.8, 0.8);
        RoundedRectangle(cr, r.x + 8, r.y + 4.5, r.w - 16, 4, 2);
        SetColour(cr, 0xFFFFFF, 0.28);
        cairo_fill(cr);
    }
    {
        // A heart of two pink petals with a fine vein.
        const Region& r = lifeHeart;
        const double cx = r.x + 14, cy = r.y + 14;
        auto heart = [&] {
            cairo_move_to(cr, cx, cy + 11);
            cairo_curve_to(cr, cx - 6, cy + 6, cx - 13, cy + 1, cx - 12, cy - 5);
            cairo_curve_to(cr, cx - 11, cy - 11, cx - 3, cy - 12, cx, cy - 6);
            cairo_curve_to(cr, cx + 3, cy - 12, cx + 11, cy - 11, cx + 12, cy - 5);
            cairo_curve_to(cr, cx + 13, cy + 1, cx + 6, cy + 6, cx, cy + 11);
            cairo_close_path(cr);
        };
        SoftShadow(cr, heart, 1, 1, 1, 0.3);
        heart();
        FillRadial(cr, cx - 4, cy - 6, 17, 0xFFD3E0, 0xE0457B);
        Stroke(cr, 0xA8265A, 1.1);
        cairo_move_to(cr, cx, cy - 5);
        cairo_curve_to(cr, cx - 1, cy, cx + 1, cy + 5, cx, cy + 9);
        Stroke(cr, 0xB83468, 0.8, 0.6);
        cairo_save(cr);
        cairo_translate(cr, cx - 6, cy - 5);
        cairo_rotate(cr, -0.6);
        cairo_scale(cr, 1, 0.55);
        cairo_arc(cr, 0, 0, 3.2, 0, 2 * pi);
        cairo_restore(cr);
        SetColour(cr, 0xFFFFFF, 0.7);
        cairo_fill(cr);
    }
    {
        // A dewdrop glint: a soft upright streak with a bright core.
        const Region& r = dewdrop;
        cairo_save(cr);
        cairo_translate(cr, r.x + r.w / 2, r.y + r.h / 2);
        cairo_scale(cr, 1, 4);
        cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 3);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(p, 0.45, 0.9, 1, 0.85, 0.8);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.8, 1, 0.7, 0);
        cairo_set_source(cr, p);
        cairo_arc(cr, 0, 0, 3, 0, 2 * pi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    c.WritePair(tree, "data\\" + folder + "panel_parts.jpg");
}

// The menu button: a small wooden tab with a leaf, 64 x 32 per cell; cells 0 normal, 1 hover, 2 pressed, 3 disabled.
void DrawMenuButton(DataTree& tree)
{
    Canvas c(128, 64);
    cairo_t* cr = c.Get();
    static const uint32_t tops[] = {Palette::wickerMid, Palette::wickerLight, 0x7A4E2A, 0xB9B2A6};
    static const uint32_t bottoms[] = {Palette::wickerDark, Palette::wickerMid, 0x4A2E1A, 0x8E887E};
    for (int f = 0; f < 4; ++f) {
        cairo_save(cr);
        cairo_translate(cr, (f % 2) * 64, (f / 2) * 32);
        const double dy = f == 2 ? 1 : 0;
        auto tab = [&] { RoundedRectangle(cr, 3, 3 + dy, 57, 25, 9); };
        if (f != 2)
            SoftShadow(cr, tab, 1, 1.2, 1, 0.3);
        tab();
        FillVertical(cr, 3 + dy, 28 + dy, tops[f], bottoms[f]);
        cairo_new_path(cr);
        cairo_save(cr);
        tab();
        cairo_clip(cr);
        Grain(cr, 3, 5 + dy, 57, 22, 300 + f, f == 3 ? 0.08 : 0.2);
        cairo_restore(cr);
        cairo_move_to(cr, 10, 5.5 + dy);
        cairo_line_to(cr, 52, 5.5 + dy);
        Stroke(cr, 0xFFFFFF, 1, f == 3 ? 0.2 : 0.35);
        tab();
        Stroke(cr, f == 3 ? 0x6E6A62 : Palette::ink, 1.3);
        if (f == 1) {
            RoundedRectangle(cr, 2, 2, 59, 27, 10);
            Stroke(cr, Palette::textGold, 1, 0.8);
        }
        const uint32_t light = f == 3 ? 0xC8CCC4 : Palette::fresh, dark = f == 3 ? 0x8E948C : Palette::leaf;
        Leaf(cr, 8, 10 + dy, 9, -2.3, light, dark);
        Leaf(cr, 8, 10 + dy, 7, -1.2, light, dark);
        cairo_restore(cr);
    }
    c.WritePair(tree, "data\\" + folder + "menu_button.jpg");
}

void Pebble(cairo_t* cr, double x, double y, double r)
{
    auto shape = [&] {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 1.15, 0.85);
        cairo_arc(cr, 0, 0, r, 0, 2 * pi);
        cairo_restore(cr);
    };
    SoftShadow(cr, shape, 1.5, 2, 2, 0.3);
    shape();
    FillRadial(cr, x - r * 0.4, y - r * 0.45, r * 1.6, 0xC4C8CE, Palette::stone);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    for (int k = 0; k < 26; ++k) {
        const double a = Fraction(500 + k) * 2 * pi, d = std::sqrt(Fraction(600 + k)) * r * 0.95;
        cairo_new_path(cr);
        cairo_arc(cr, x + d * std::cos(a) * 1.15, y + d * std::sin(a) * 0.85, 0.5 + 0.7 * Fraction(700 + k), 0, 2 * pi);
        SetColour(cr, k % 3 ? 0x4A4E55 : 0xE4E6EA, 0.55);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    Stroke(cr, 0x3E4249, 1.2);
    // A tuft of moss on the top.
    for (int k = 0; k < 7; ++k) {
        cairo_arc(cr, x - r * 0.5 + k * r * 0.17, y - r * 0.72 + std::abs(k - 3) * 0.9, 2.8 - std::abs(k - 3) * 0.3, 0,
                  2 * pi);
        SetColour(cr, k % 2 ? Palette::leaf : Palette::fresh);
        cairo_fill(cr);
    }
}

// The goal icon of the given name on a 64 x 64 canvas, 1-2 texels of margin.
void DrawGoalIcon(cairo_t* cr, const std::string& name)
{
    if (name == "basket") {
        SmallBasket(cr, 32, 33, 1.2);
    } else if (name == "dollar") {
        Coin(cr, 31, 31, 26);
    } else if (name == "stone") {
        Pebble(cr, 31, 34, 22);
    } else if (name == "bomb") {
        Burst(cr, 32, 32, 29);
    } else if (name == "ice") {
        auto cube = [&] { RoundedRectangle(cr, 9, 9, 46, 46, 9); };
        SoftShadow(cr, cube, 1.5, 2, 2, 0.3);
        cube();
        cairo_pattern_t* p = cairo_pattern_create_linear(9, 9, 55, 55);
        AddStop(p, 0, 0xEAF7FF);
        AddStop(p, 0.5, Palette::iceLight);
        AddStop(p, 1, Palette::ice);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        Stroke(cr, 0x3F7FB0, 1.4);
        RoundedRectangle(cr, 14, 14, 36, 36, 6);
        Stroke(cr, 0xFFFFFF, 1.2, 0.6);
        cairo_move_to(cr, 15, 30);
        cairo_line_to(cr, 29, 15);
        cairo_line_to(cr, 35, 15);
        cairo_line_to(cr, 15, 36);
        cairo_close_path(cr);
        SetColour(cr, 0xFFFFFF, 0.7);
        cairo_fill(cr);
        cairo_move_to(cr, 40, 48);
        cairo_line_to(cr, 49, 39);
        Stroke(cr, 0xFFFFFF, 1.5, 0.8);
        for (int arm = 0; arm < 3; ++arm) { // a frost star
            const double a = arm * pi / 3;
            cairo_move_to(cr, 38 - 6 * std::cos(a), 36 - 6 * std::sin(a));
            cairo_line_to(cr, 38 + 6 * std::cos(a), 36 + 6 * std::sin(a));
            Stroke(cr, 0xFFFFFF, 1.1, 0.85);
        }
    } else if (name == "combo") {
        // Three flowers linked by one vine.
        cairo_move_to(cr, 14, 42);
        cairo_curve_to(cr, 18, 22, 28, 16, 32, 18);
        cairo_curve_to(cr, 38, 20, 46, 26, 50, 42);
        Stroke(cr, Palette::deep, 3.2);
        cairo_move_to(cr, 14, 42);
        cairo_curve_to(cr, 18, 22, 28, 16, 32, 18);
        cairo_curve_to(cr, 38, 20, 46, 26, 50, 42);
        Stroke(cr, Palette::fresh, 1.6);
        Leaf(cr, 22, 26, 8, -0.9, Palette::fresh, Palette::leaf);
        Leaf(cr, 42, 26, 8, 0.9, Palette::fresh, Palette::leaf);
        for (auto [fx, fy, frame] : {std::tuple{16.0, 44.0, 1}, {48.0, 44.0, 3}, {32.0, 18.0, 4}}) {
            SoftShadow(cr, [&] { cairo_arc(cr, fx, fy, 12, 0, 2 * pi); }, 1, 1.2, 1.2, 0.25);
            DrawFlower(cr, frame, fx, fy, 15);
        }
    } else if (name == "cell") {
        // A cream tile with a clover turf.
        auto tile = [&] { RoundedRectangle(cr, 7, 7, 50, 50, 8); };
        SoftShadow(cr, tile, 1.5, 2, 2, 0.3);
        tile();
        FillVertical(cr, 7, 57, Palette::paper, Palette::paperShade);
        Stroke(cr, Palette::wickerMid, 1.4);
        cairo_move_to(cr, 12, 48);
        cairo_curve_to(cr, 16, 36, 48, 36, 52, 48);
        cairo_curve_to(cr, 44, 52, 20, 52, 12, 48);
        cairo_close_path(cr);
        FillVertical(cr, 38, 52, Palette::fresh, Palette::leaf);
        Stroke(cr, Palette::deep, 1);
        for (int blade = 0; blade < 9; ++blade) {
            const double bx = 15 + blade * 4.2;
            cairo_move_to(cr, bx, 46);
            cairo_line_to(cr, bx + (blade % 2 ? 1.5 : -1.5), 39 - 3 * Fraction(900 + blade));
            Stroke(cr, Palette::deep, 0.9, 0.7);
        }
        cairo_move_to(cr, 32, 42);
        cairo_curve_to(cr, 32, 34, 31, 30, 32, 26);
        Stroke(cr, Palette::leaf, 1.6);
        for (int k = 0; k < 3; ++k) {
            const double a = -pi / 2 + (k - 1) * 2 * pi / 3;
            for (double side : {-0.28, 0.28}) {
                cairo_arc(cr, 32 + 7 * std::cos(a + side), 24 + 7 * std::sin(a + side), 4.6, 0, 2 * pi);
                FillRadial(cr, 32 + 6 * std::cos(a), 24 + 6 * std::sin(a), 9, Palette::fresh, Palette::leaf);
                Stroke(cr, Palette::deep, 0.9);
            }
        }
        for (int k = 0; k < 3; ++k) {
            const double a = -pi / 2 + (k - 1) * 2 * pi / 3;
            cairo_move_to(cr, 32, 24);
            cairo_line_to(cr, 32 + 8 * std::cos(a), 24 + 8 * std::sin(a));
            Stroke(cr, Palette::mint, 0.7, 0.8);
        }
    }
}

const char* const goalIcons[] = {"basket", "dollar", "stone", "bomb", "ice", "combo", "cell"};

// Level marks: 0 an open bud in a pale ring (to come), 1 a full bloom in a gold ring (won).
void DrawLevelIcon(cairo_t* cr, int won)
{
    cairo_arc(cr, 32, 32, 27, 0, 2 * pi);
    if (won) {
        SoftShadow(cr, [&] { cairo_arc(cr, 32, 32, 28, 0, 2 * pi); }, 1.5, 1.5, 1.5, 0.3);
        cairo_arc(cr, 32, 32, 27, 0, 2 * pi);
        FillRadial(cr, 28, 26, 32, Palette::paper, Palette::sun);
        cairo_new_path(cr);
        cairo_arc(cr, 32, 32, 27, 0, 2 * pi);
        cairo_arc_negative(cr, 32, 32, 22, 2 * pi, 0);
        cairo_pattern_t* p = cairo_pattern_create_linear(8, 8, 56, 56);
        AddStop(p, 0, 0xFFF2B8);
        AddStop(p, 0.5, Palette::gold);
        AddStop(p, 1, 0xB07A1C);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_arc(cr, 32, 32, 27, 0, 2 * pi);
        Stroke(cr, 0x8A5A14, 1.3);
        cairo_arc(cr, 32, 32, 22, 0, 2 * pi);
        Stroke(cr, 0x8A5A14, 0.9, 0.8);
        DrawFlower(cr, 7, 32, 32, 17);
        return;
    }
    SetColour(cr, Palette::paper, 0.55);
    cairo_fill(cr);
    cairo_arc(cr, 32, 32, 25, 0, 2 * pi);
    Stroke(cr, Palette::mint, 4);
    cairo_arc(cr, 32, 32, 27, 0, 2 * pi);
    Stroke(cr, Palette::leaf, 1.1, 0.8);
    cairo_arc(cr, 32, 32, 23, 0, 2 * pi);
    Stroke(cr, Palette::leaf, 0.8, 0.6);
    // The bud: a stem, two leaves, sepals round a closed pink tip.
    cairo_move_to(cr, 32, 50);
    cairo_curve_to(cr, 31, 42, 33, 38, 32, 33);
    Stroke(cr, Palette::leaf, 2.2);
    Leaf(cr, 32, 45, 10, -1.0, Palette::fresh, Palette::leaf);
    Leaf(cr, 32, 43, 9, 1.1, Palette::fresh, Palette::leaf);
    auto tip = [&] {
        cairo_move_to(cr, 32, 35);
        cairo_curve_to(cr, 24, 32, 26, 20, 32, 14);
        cairo_curve_to(cr, 38, 20, 40, 32, 32, 35);
        cairo_close_path(cr);
    };
    tip();
    FillRadial(cr, 30, 20, 16, 0xFFD3E0, 0xE0457B);
    Stroke(cr, 0xA8265A, 0.9);
    LeafPath(cr, 31, 36, 11, -0.35, 0.4);
    FillVertical(cr, 26, 36, Palette::fresh, Palette::leaf);
    Stroke(cr, Palette::deep, 0.8);
    LeafPath(cr, 33, 36, 11, 0.35, 0.4);
    FillVertical(cr, 26, 36, Palette::fresh, Palette::leaf);
    Stroke(cr, Palette::deep, 0.8);
}

// Parts of clock.jpg (128 x 128): the daisy face (80 x 80) and the hand, pivot 7 texels above its foot.
const Region clockFace{2, 2, 80, 80}, clockHand{90, 2, 12, 34};
constexpr float handPivot = 7;

void DrawClock(DataTree& tree)
{
    Canvas c(128, 128);
    cairo_t* cr = c.Get();
    const double cx = clockFace.x + 40, cy = clockFace.y + 40;
    for (int p = 0; p < 12; ++p) {
        const double a = p * 2 * pi / 12 + pi / 12;
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 0, -18);
        cairo_curve_to(cr, 9, -22, 9.5, -36, 0, -38.5);
        cairo_curve_to(cr, -9.5, -36, -9, -22, 0, -18);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, -18, 0, -38);
        AddStop(g, 0, 0xF3E6F0);
        AddStop(g, 1, 0xFFFFFF);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        Stroke(cr, 0xB9A7B4, 0.9);
        cairo_move_to(cr, 0, -22);
        cairo_line_to(cr, 0, -33);
        Stroke(cr, 0xD8C8D4, 0.7);
        cairo_restore(cr);
    }
    cairo_arc(cr, cx, cy, 26, 0, 2 * pi);
    FillRadial(cr, cx - 6, cy - 8, 34, Palette::cream, 0xFFEFB8);
    Stroke(cr, 0xC9A45A, 1.2);
    cairo_arc(cr, cx, cy, 23.5, 0, 2 * pi);
    Stroke(cr, 0xE8D49A, 0.8);
    for (int t = 0; t < 12; ++t) {
        const double a = t * 2 * pi / 12, r = 20;
        cairo_arc(cr, cx + r * std::sin(a), cy - r * std::cos(a), t % 3 == 0 ? 1.9 : 1.1, 0, 2 * pi);
        SetColour(cr, t % 3 == 0 ? Palette::leaf : 0xA08A5A);
        cairo_fill(cr);
    }
    // The hand: a dark-green stem pointing up, ending in a leaf; a round cap on the pivot.
    {
        const double hx = clockHand.x + 6, foot = clockHand.y + clockHand.h, pivot = foot - handPivot;
        cairo_move_to(cr, hx - 1.8, foot - 1.5);
        cairo_line_to(cr, hx - 1.0, pivot - 14);
        cairo_line_to(cr, hx + 1.0, pivot - 14);
        cairo_line_to(cr, hx + 1.8, foot - 1.5);
        cairo_close_path(cr);
        SetColour(cr, Palette::deep);
        cairo_fill(cr);
        cairo_move_to(cr, hx, pivot - 12);
        cairo_curve_to(cr, hx + 5, pivot - 15, hx + 4.2, pivot - 21, hx, pivot - 25);
        cairo_curve_to(cr, hx - 4.2, pivot - 21, hx - 5, pivot - 15, hx, pivot - 12);
        cairo_close_path(cr);
        FillVertical(cr, pivot - 25, pivot - 12, Palette::leaf, Palette::deep);
        Stroke(cr, 0x14291C, 0.7);
        cairo_move_to(cr, hx, pivot - 13);
        cairo_line_to(cr, hx, pivot - 23);
        Stroke(cr, Palette::fresh, 0.6, 0.8);
        cairo_arc(cr, hx, pivot, 3.6, 0, 2 * pi);
        FillRadial(cr, hx - 1, pivot - 1, 4, Palette::fresh, Palette::deep);
        Stroke(cr, 0x14291C, 0.8);
    }
    c.WritePair(tree, "data\\" + folder + "clock.jpg");
}

// Parts of scissors.jpg (256 x 128): the halo, the stem, the bud on its top, and 48 x 48 pictures: the
// grey outline and one, two and three pairs.
const Region scissorsGlow{2, 2, 76, 76}, stemPart{84, 2, 6, 66}, bud{94, 2, 12, 12}, scissorsGrey{110, 2, 48, 48},
    scissorsPairs[3] = {{162, 2, 48, 48}, {110, 54, 48, 48}, {162, 54, 48, 48}};

void DrawScissorsParts(DataTree& tree)
{
    Canvas c(256, 128);
    cairo_t* cr = c.Get();
    {
        const double x = scissorsGlow.x + 38, y = scissorsGlow.y + 38;
        cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, 37);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgba(p, 0.45, 1, 1, 0.92, 0.55);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 0.9, 0);
        cairo_set_source(cr, p);
        cairo_arc(cr, x, y, 37, 0, 2 * pi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    {
        const double x = stemPart.x + 3;
        cairo_move_to(cr, x, stemPart.y + stemPart.h);
        cairo_line_to(cr, x, stemPart.y);
        Stroke(cr, Palette::deep, 4);
        cairo_move_to(cr, x, stemPart.y + stemPart.h);
        cairo_line_to(cr, x, stemPart.y);
        Stroke(cr, Palette::fresh, 2);
        for (int k = 1; k < 4; ++k) {
            cairo_move_to(cr, x - 2, stemPart.y + k * 16.5);
            cairo_line_to(cr, x + 2, stemPart.y + k * 16.5);
            Stroke(cr, Palette::deep, 1, 0.7);
        }
    }
    {
        const double x = bud.x + 6, y = bud.y + 11;
        Leaf(cr, x, y, 8, -0.7, Palette::fresh, Palette::leaf);
        Leaf(cr, x, y, 8, 0.7, Palette::fresh, Palette::leaf);
        Leaf(cr, x, y, 10, 0, Palette::mint, Palette::fresh);
    }
    Scissors(cr, scissorsGrey.x + 24, scissorsGrey.y + 25, 1.0, 0.75, true);
    const struct {
        double dx, dy, scale, angle;
    } poses[3][3] = {{{0, 0, 1.0, 0.75}},
                      {{-9, 1, 0.82, -0.4}, {9, 1, 0.82, 0.4}},
                      {{-12, 4, 0.7, -0.65}, {12, 4, 0.7, 0.65}, {0, 0, 0.76, 0}}};
    for (int n = 0; n < 3; ++n)
        for (int k = 0; k <= n; ++k) {
            const auto& pose = poses[n][k];
            const double x = scissorsPairs[n].x + 24 + pose.dx, y = scissorsPairs[n].y + 25 + pose.dy;
            cairo_save(cr);
            cairo_push_group(cr);
            Scissors(cr, x, y, pose.scale, pose.angle, false);
            cairo_pattern_t* pair = cairo_pop_group(cr);
            // The pair's own soft shadow, then the pair.
            for (int s = 0; s < 5; ++s) {
                cairo_save(cr);
                cairo_translate(cr, 1.5 + (s % 2) * 0.8, 1.5 + (s / 2) * 0.6);
                cairo_set_source_rgba(cr, 0, 0, 0, 0.07);
                cairo_mask(cr, pair);
                cairo_restore(cr);
            }
            cairo_set_source(cr, pair);
            cairo_paint(cr);
            cairo_pattern_destroy(pair);
            cairo_restore(cr);
        }
    c.WritePair(tree, "data\\" + folder + "scissors.jpg");
}

} // namespace

const Area& PanelArea()
{
    static const Area area = [] {
        Area a{"Panel", {}, {}};
        const std::string m = folder + "models\\";
        a.models = {
            {m + "game_panel.mlf", 1, false, {{0, 400, 28}}},
            {m + "progress_bar.mlf", 2, false, {{0, 400, 28}, {1, 400, 28}}},
            {m + "progress_bar_line.mlf", 2, false, {{0, barLeft, 28}, {1, barRight, 28}}},
            {m + "icon.mlf", 1, false, {{0, 290, 28}}},
            {m + "icon_flowers.mlf", 1, false, {{0, 290, 28}}},
            {m + "level_icon.mlf", 1, false, {{0, 0, 0}}},
            {m + "life.mlf", 1, false, {{0, 40, 28}}},
            {m + "clock.mlf", 1, false, {{0, 0, 0}}},
            {m + "clock_arrow.mlf", 61, false, {}},
            {m + "clock_shadow.mlf", 61, false, {}},
            {m + "scissors_0_grey.mlf", 1, false, {{0, scissorsX, scissorsY}}},
            {m + "scissors_0_line.mlf", 2, false, {}},
            {m + "scissors_1_line.mlf", 2, false, {}},
        };
        for (int n = 0; n < 3; ++n) {
            const std::string stem = m + "scissors_" + std::to_string(n);
            a.models.push_back({stem + "_glow.mlf", 1, false, {{0, scissorsX, scissorsY}}});
            // Both frames' boxes are the whole picture: the click area, and the scissors' position.
            a.models.push_back({stem + ".mlf", 2, false, {{0, scissorsX, scissorsY}, {1, scissorsX, scissorsY}}});
        }
        a.images = {
            {folder + "menu_button.jpg", 128, 64, true},  {folder + "level_icon_0.jpg", 64, 64, true},
            {folder + "level_icon_1.jpg", 64, 64, true},  {folder + "panel_body.jpg", 1024, 64, true},
            {folder + "panel_parts.jpg", 256, 128, true}, {folder + "clock.jpg", 128, 128, true},
            {folder + "scissors.jpg", 256, 128, true},
        };
        for (const char* icon : goalIcons)
            a.images.push_back({folder + "icon_" + icon + ".jpg", 64, 64, true});
        return a;
    }();
    return area;
}

void WritePanel(DataTree& tree)
{
    DrawMenuButton(tree);
    for (const char* icon : goalIcons) {
        Canvas c(64, 64);
        DrawGoalIcon(c.Get(), icon);
        c.WritePair(tree, "data\\" + folder + "icon_" + icon + ".jpg");
    }
    for (int won = 0; won < 2; ++won) {
        Canvas c(64, 64);
        DrawLevelIcon(c.Get(), won);
        c.WritePair(tree, "data\\" + folder + "level_icon_" + std::to_string(won) + ".jpg");
    }
    DrawPanelBody(tree);
    DrawPanelParts(tree);
    DrawClock(tree);
    DrawScissorsParts(tree);

    Write(tree, "game_panel", QuadModel(0, 0, 800, 56, 800.0f / 1024, 56.0f / 64), "panel_body");

    // The bar: trough, vine fill revealed from the left, rim over both.
    {
        const float y0 = 17, y1 = 39, fill0 = 20, fill1 = 36;
        std::vector<std::vector<Quad>> frames;
        for (int f = 0; f < 2; ++f) {
            Quad fill = On(barFill, 256, 128, barLeft, fill0, barRight, fill1);
            if (f == 0) {
                fill.position[1][0] = fill.position[3][0] = barLeft;
                fill.uv[1][0] = fill.uv[3][0] = fill.uv[0][0];
            }
            frames.push_back({On(troughBack, 256, 128, barLeft, y0, barRight, y1), fill,
                              On(troughRim, 256, 128, barLeft, y0, barRight, y1)});
        }
        Write(tree, "progress_bar", MorphModel(frames, 1), "panel_parts");
        std::vector<std::vector<Quad>> line;
        for (float x : {barLeft, barRight})
            line.push_back({On(dewdrop, 256, 128, x - 3, 16, x + 3, 40)});
        Write(tree, "progress_bar_line", MorphModel(line, 1), "panel_parts");
    }

    Write(tree, "icon", QuadModel(272, 10, 308, 46), "icon_basket");
    tree.Write(models + "icon_flowers.mlf", Formats::EncodeModel(QuadModel(272, 10, 308, 46)));
    tree.Write(models + "icon_flowers.srf", Formats::EncodeMaterial(ChipAtlasMaterial()));
    Write(tree, "level_icon", QuadModel(-18, -18, 18, 18), "level_icon_0", true);
    Write(tree, "life", StaticModel({On(lifeHeart, 256, 128, 26, 14, 54, 42)}), "panel_parts");

    // The clock at the origin (the code puts it at (55, 555)); the hand turns clockwise 6 degrees a frame.
    Write(tree, "clock", StaticModel({On(clockFace, 128, 128, -40, -40, 40, 40)}), "clock");
    for (const auto& [name, offset] : {std::pair{"clock_arrow", 0.0f}, {"clock_shadow", 2.0f}}) {
        const Quad hand = On(clockHand, 128, 128, -6, -handPivot, 6, clockHand.h - handPivot);
        std::vector<std::vector<Quad>> frames;
        for (int f = 0; f <= 60; ++f)
            frames.push_back({Transform(hand, 0, 0, 1, -float(f) * float(pi) / 30, offset, -offset)});
        Write(tree, name, MorphModel(frames, 0), "clock");
    }

    // Scissors, in place on the right edge.
    const float sx0 = scissorsX - 24, sy0 = scissorsY - 24, sx1 = scissorsX + 24, sy1 = scissorsY + 24;
    Write(tree, "scissors_0_grey", StaticModel({On(scissorsGrey, 256, 128, sx0, sy0, sx1, sy1)}), "scissors");
    for (int n = 0; n < 3; ++n) {
        const std::string stem = "scissors_" + std::to_string(n);
        Write(tree, stem + "_glow",
              StaticModel({On(scissorsGlow, 256, 128, scissorsX - 38, scissorsY - 38, scissorsX + 38, scissorsY + 38)}),
              "scissors");
        std::vector<std::vector<Quad>> frames;
        for (int f = 0; f < 2; ++f)
            frames.push_back({Revealed(scissorsPairs[n], 256, 128, sx0, sy0, sx1, sy1, float(f)),
                              BoxKeeper(scissorsX, sy0, sy1)});
        Write(tree, stem, MorphModel(frames, 1), "scissors");
    }
    for (int n = 0; n < 2; ++n) {
        // The stem grows from y 400 to 466 with the bud riding its top.
        const float x = scissorsX, base = 400, top = 466;
        std::vector<std::vector<Quad>> frames;
        for (int f = 0; f < 2; ++f) {
            const Quad budQuad = On(bud, 256, 128, x - 6, top - 2, x + 6, top + 10);
            frames.push_back({Revealed(stemPart, 256, 128, x - 3, base, x + 3, top, float(f)),
                              f == 0 ? Transform(budQuad, x, top - 2, 0, 0, 0, base - top) : budQuad});
        }
        Write(tree, "scissors_" + std::to_string(n) + "_line", MorphModel(frames, 1), "scissors");
    }
}

} // namespace DataBuild

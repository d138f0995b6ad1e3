// The level backgrounds, one corner of the garden per day, and the butterflies.
//
// Each background is four layers drawn back to front behind the board: the sky (opaque), the far scene
// (hills, lawn and the day's landmark), the near fringe along the bottom (its grass ripples in the wind)
// and two tall plants in the bottom corners that bend in the breeze. Everything is pale and soft, quiet in
// the middle where the board stands and richer along the bottom and the sides.
//
// The pictures are drawn in view coordinates: the 800 x 600 screen with y down from its top edge, so
// the board covers x 175-625, y 75-525. Each canvas is translated so that its picture lands in the
// image's lower-left corner, where the models' texture coordinates look.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace DataBuild {

namespace {

constexpr int backgroundCount = 9;
constexpr uint32_t swayFrames = 17; // a two-second loop at 8 fps, first pose = last pose
constexpr float swayFps = 8;
constexpr uint32_t flapFrames = 9; // half a second per wing beat at 16 fps
constexpr float flapFps = 16;
constexpr int butterflyCount = 4;

const std::string plants = "backgrounds\\plants\\";

std::string Folder(int n)
{
    return "backgrounds\\background_" + std::to_string(n) + "\\";
}

// ---------------------------------------------------------------------------------------------------
// Colour and chance.

// A repeatable sequence of fractions in [0, 1): a hash of a running counter.
class Chance {
public:
    explicit Chance(uint32_t seed) : state(seed * 0x9E3779B9u + 0x7F4A7C15u) {}
    double Next()
    {
        uint32_t x = ++state * 0x85EBCA6Bu;
        x ^= x >> 16;
        x *= 0x7FEB352Du;
        x ^= x >> 15;
        x *= 0x846CA68Bu;
        x ^= x >> 16;
        return (x >> 8) / double(1u << 24);
    }
    double Range(double low, double high) { return low + (high - low) * Next(); }

private:
    uint32_t state;
};

// ---------------------------------------------------------------------------------------------------
// Shapes shared by the scenes.

void Circle(cairo_t* cr, double x, double y, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * pi);
}

void FillRadial(cairo_t* cr, double x, double y, double r, uint32_t inner, uint32_t outer, double alphaIn = 1,
                double alphaOut = 1)
{
    cairo_pattern_t* gradient = cairo_pattern_create_radial(x, y, 0, x, y, r);
    AddStop(gradient, 0, inner, alphaIn);
    AddStop(gradient, 1, outer, alphaOut);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t from, uint32_t to,
                double alphaFrom = 1, double alphaTo = 1)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStop(gradient, 0, from, alphaFrom);
    AddStop(gradient, 1, to, alphaTo);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

// A soft round glow fading to nothing.
void Glow(cairo_t* cr, double x, double y, double r, uint32_t colour, double alpha)
{
    cairo_new_path(cr);
    Circle(cr, x, y, r);
    FillRadial(cr, x, y, r, colour, colour, alpha, 0);
    cairo_new_path(cr);
}

// A puffy cloud: overlapping circles on a flat-ish base, lit from above.
void Cloud(cairo_t* cr, Chance& chance, double x, double y, double width, double alpha, uint32_t shade = 0xDCE6F0)
{
    cairo_new_path(cr);
    const int puffs = 5 + int(width / 40);
    for (int i = 0; i < puffs; ++i) {
        const double t = (i + 0.5) / puffs;
        const double r = width * (0.12 + 0.12 * std::sin(t * pi)) * chance.Range(0.85, 1.15);
        Circle(cr, x + (t - 0.5) * width, y - r * 0.55, r);
    }
    FillLinear(cr, 0, y - width * 0.3, 0, y + width * 0.05, 0xFFFFFF, shade, alpha, alpha * 0.8);
    cairo_new_path(cr);
}

// The outline of a rolling ridge across the whole view, closed along the bottom.
void RidgePath(cairo_t* cr, Chance& chance, double baseY, double height, double waves)
{
    const double p1 = chance.Range(0, 2 * pi), p2 = chance.Range(0, 2 * pi);
    cairo_new_path(cr);
    cairo_move_to(cr, -40, 620);
    for (double x = -40; x <= 840; x += 8) {
        const double k = x / 800 * 2 * pi;
        const double y = baseY - height * (0.55 + 0.3 * std::sin(k * waves + p1) + 0.15 * std::sin(k * waves * 2.3 + p2));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, 840, 620);
    cairo_close_path(cr);
}

// A round tree: a trunk and a crown of lobes, lit from the upper left. `haze` pales it towards `air`.
// Returns the crown's centre and radius, for fruit.
std::array<double, 3> Tree(cairo_t* cr, Chance& chance, double x, double groundY, double height, uint32_t leaf,
                           uint32_t air, double haze, bool outline)
{
    const uint32_t trunk = Mix(Palette::wickerDark, air, haze);
    const uint32_t light = Mix(Mix(leaf, Palette::mint, 0.55), air, haze), dark = Mix(Mix(leaf, Palette::deep, 0.45), air, haze);
    const double r = height * 0.3, cy = groundY - height + r * 1.05;
    cairo_new_path(cr);
    cairo_move_to(cr, x - height * 0.05, groundY);
    cairo_line_to(cr, x - height * 0.025, cy);
    cairo_line_to(cr, x + height * 0.025, cy);
    cairo_line_to(cr, x + height * 0.05, groundY);
    cairo_close_path(cr);
    SetColour(cr, trunk);
    cairo_fill(cr);
    cairo_new_path(cr);
    const int lobes = 6;
    std::vector<std::array<double, 3>> circles{{x, cy, r}};
    for (int i = 0; i < lobes; ++i) {
        const double a = 2 * pi * i / lobes + chance.Range(-0.3, 0.3);
        circles.push_back({x + std::cos(a) * r * 0.62, cy + std::sin(a) * r * 0.5, r * chance.Range(0.5, 0.66)});
    }
    if (outline) {
        for (const auto& c : circles)
            Circle(cr, c[0], c[1], c[2] + 1.5);
        SetColour(cr, Mix(dark, Palette::deep, 0.4), 0.8);
        cairo_fill(cr);
    }
    for (const auto& c : circles)
        Circle(cr, c[0], c[1], c[2]);
    FillRadial(cr, x - r * 0.4, cy - r * 0.5, r * 1.7, light, dark);
    cairo_new_path(cr);
    return {x, cy, r};
}

// A slim poplar: a tall pointed crown.
void Poplar(cairo_t* cr, double x, double groundY, double height, uint32_t leaf, uint32_t air, double haze)
{
    const uint32_t light = Mix(Mix(leaf, Palette::mint, 0.45), air, haze), dark = Mix(Mix(leaf, Palette::deep, 0.4), air, haze);
    const double w = height * 0.17;
    cairo_new_path(cr);
    cairo_move_to(cr, x, groundY - height);
    cairo_curve_to(cr, x + w * 1.1, groundY - height * 0.7, x + w * 1.1, groundY - height * 0.25, x + w * 0.3, groundY - height * 0.08);
    cairo_line_to(cr, x - w * 0.3, groundY - height * 0.08);
    cairo_curve_to(cr, x - w * 1.1, groundY - height * 0.25, x - w * 1.1, groundY - height * 0.7, x, groundY - height);
    FillLinear(cr, x - w, 0, x + w, 0, light, dark);
    cairo_new_path(cr);
    cairo_rectangle(cr, x - 1.5, groundY - height * 0.1, 3, height * 0.1);
    SetColour(cr, Mix(Palette::wickerDark, air, haze));
    cairo_fill(cr);
}

// The tree line where the garden ends: round trees and poplars, paler at the back.
void TreeLine(cairo_t* cr, Chance& chance, double groundY, uint32_t leaf, uint32_t air, double haze, double x0 = -20,
              double x1 = 830)
{
    for (int row = 0; row < 2; ++row)
        for (double x = x0 + row * 15; x < x1; x += chance.Range(24, 40)) {
            const double h = chance.Range(30, 56) * (row ? 1.0 : 1.15);
            if (chance.Next() < 0.22)
                Poplar(cr, x, groundY + row * 6, h * 1.45, leaf, air, haze + 0.12 * (1 - row));
            else
                Tree(cr, chance, x, groundY + row * 6, h, leaf, air, haze + 0.12 * (1 - row), false);
        }
}

// A rounded shrub sitting on groundY, with a thin darker rim.
void Bush(cairo_t* cr, Chance& chance, double x, double groundY, double width, double height, uint32_t leaf,
          uint32_t air, double haze)
{
    const uint32_t light = Mix(Mix(leaf, Palette::mint, 0.5), air, haze), dark = Mix(Mix(leaf, Palette::deep, 0.5), air, haze);
    std::vector<std::array<double, 3>> circles;
    const int lobes = 3 + int(width / 45);
    for (int i = 0; i < lobes; ++i) {
        const double t = lobes == 1 ? 0.5 : double(i) / (lobes - 1);
        const double r = height * (0.45 + 0.25 * std::sin(t * pi)) * chance.Range(0.85, 1.1);
        circles.push_back({x + (t - 0.5) * (width - r), groundY - r * 0.9 - height * 0.25 * std::sin(t * pi), r});
    }
    cairo_new_path(cr);
    for (const auto& c : circles)
        Circle(cr, c[0], c[1], c[2] + 1.5);
    cairo_rectangle(cr, x - width / 2 + height * 0.2, groundY - height * 0.3, width - height * 0.4, height * 0.3 + 1.5);
    SetColour(cr, Mix(dark, Palette::deep, 0.5), 0.7 * (1 - haze));
    cairo_fill(cr);
    for (const auto& c : circles)
        Circle(cr, c[0], c[1], c[2]);
    cairo_rectangle(cr, x - width / 2 + height * 0.2, groundY - height * 0.3, width - height * 0.4, height * 0.3);
    FillLinear(cr, 0, groundY - height * 1.1, 0, groundY, light, dark);
    cairo_new_path(cr);
    // Sunlit leaf clusters on the upper side.
    for (int i = 0; i < lobes * 3; ++i) {
        const auto& c = circles[size_t(i) % circles.size()];
        const double a = chance.Range(-2.6, -0.5);
        Glow(cr, c[0] + std::cos(a) * c[2] * 0.55, c[1] + std::sin(a) * c[2] * 0.55, c[2] * 0.35,
             Mix(light, 0xFFFFFF, 0.2), 0.25 * (1 - haze * 0.5));
    }
}

// A fringe of grass blades standing on baseY between x0 and x1.
void Grass(cairo_t* cr, Chance& chance, double x0, double x1, double baseY, double height, uint32_t light,
           uint32_t dark, double density)
{
    const int blades = int((x1 - x0) * density);
    for (int i = 0; i < blades; ++i) {
        const double x = x0 + (x1 - x0) * chance.Next(), h = height * chance.Range(0.45, 1.0);
        const double lean = chance.Range(-0.35, 0.35) * h, w = chance.Range(1.6, 3.2);
        cairo_new_path(cr);
        cairo_move_to(cr, x - w, baseY + 2);
        cairo_curve_to(cr, x - w * 0.5, baseY - h * 0.5, x + lean * 0.4, baseY - h * 0.8, x + lean, baseY - h);
        cairo_curve_to(cr, x + lean * 0.4 + w * 0.3, baseY - h * 0.75, x + w * 0.5, baseY - h * 0.5, x + w, baseY + 2);
        cairo_close_path(cr);
        SetColour(cr, Mix(dark, light, chance.Next()), 0.9);
        cairo_fill(cr);
    }
}

// A little flower seen from the front: round petals about a centre.
void Blossom(cairo_t* cr, double x, double y, double r, int petals, uint32_t petal, uint32_t centre, double turn = 0)
{
    cairo_new_path(cr);
    for (int i = 0; i < petals; ++i) {
        const double a = turn + 2 * pi * i / petals;
        Circle(cr, x + std::cos(a) * r * 0.62, y + std::sin(a) * r * 0.62, r * 0.48);
    }
    FillRadial(cr, x, y, r * 1.1, Mix(petal, 0xFFFFFF, 0.35), petal);
    cairo_new_path(cr);
    Circle(cr, x, y, r * 0.32);
    SetColour(cr, centre);
    cairo_fill(cr);
}

// A daisy-like flower: thin petals in a ring.
void Daisy(cairo_t* cr, double x, double y, double r, int petals, uint32_t petal, uint32_t centre, double turn = 0)
{
    cairo_new_path(cr);
    for (int i = 0; i < petals; ++i) {
        const double a = turn + 2 * pi * i / petals, c = std::cos(a), s = std::sin(a), w = r * 0.5 * pi / petals * 1.6;
        cairo_move_to(cr, x + c * r * 0.2, y + s * r * 0.2);
        cairo_curve_to(cr, x + c * r * 0.6 - s * w, y + s * r * 0.6 + c * w, x + c * r - s * w * 0.6, y + s * r + c * w * 0.6,
                       x + c * r, y + s * r);
        cairo_curve_to(cr, x + c * r + s * w * 0.6, y + s * r - c * w * 0.6, x + c * r * 0.6 + s * w, y + s * r * 0.6 - c * w,
                       x + c * r * 0.2, y + s * r * 0.2);
        cairo_close_path(cr);
    }
    FillRadial(cr, x, y, r, Mix(petal, Palette::deep, 0.08), Mix(petal, 0xFFFFFF, 0.3));
    cairo_new_path(cr);
    Circle(cr, x, y, r * 0.3);
    FillRadial(cr, x - r * 0.1, y - r * 0.1, r * 0.35, Mix(centre, 0xFFFFFF, 0.3), centre);
    cairo_new_path(cr);
}

// A garden rose from above: a round bloom with a spiral of darker petal edges.
void Rose(cairo_t* cr, double x, double y, double r, uint32_t colour)
{
    cairo_new_path(cr);
    Circle(cr, x, y, r);
    FillRadial(cr, x - r * 0.3, y - r * 0.3, r * 1.3, Mix(colour, 0xFFFFFF, 0.35), Mix(colour, Palette::ink, 0.15));
    cairo_new_path(cr);
    for (double a = 0; a < 5 * pi; a += 0.3) {
        const double d = r * 0.85 * (1 - a / (5 * pi));
        cairo_line_to(cr, x + std::cos(a) * d, y + std::sin(a) * d);
    }
    SetColour(cr, Mix(colour, Palette::ink, 0.35), 0.7);
    cairo_set_line_width(cr, std::max(0.8, r * 0.12));
    cairo_stroke(cr);
}

// A leaf: a pointed oval from (x, y) along angle a.
void Leaf(cairo_t* cr, double x, double y, double length, double a, uint32_t colour, double alpha = 1)
{
    const double c = std::cos(a), s = std::sin(a), w = length * 0.32;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + c * length * 0.3 - s * w, y + s * length * 0.3 + c * w, x + c * length * 0.8 - s * w * 0.6,
                   y + s * length * 0.8 + c * w * 0.6, x + c * length, y + s * length);
    cairo_curve_to(cr, x + c * length * 0.8 + s * w * 0.6, y + s * length * 0.8 - c * w * 0.6, x + c * length * 0.3 + s * w,
                   y + s * length * 0.3 - c * w, x, y);
    FillLinear(cr, x, y, x + c * length - s * w, y + s * length + c * w, Mix(colour, Palette::mint, 0.25), colour, alpha, alpha);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + c * length * 0.85, y + s * length * 0.85);
    SetColour(cr, Mix(colour, Palette::deep, 0.35), 0.5 * alpha);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// A slim curved stem from the ground up to (x + lean, y - height).
void Stem(cairo_t* cr, double x, double y, double height, double lean, double width, uint32_t colour)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x, y - height * 0.4, x + lean * 0.5, y - height * 0.8, x + lean, y - height);
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// A point along a stem drawn by Stem, t from the ground (0) to the tip (1).
std::array<double, 2> StemAt(double x, double y, double height, double lean, double t)
{
    const double u = 1 - t;
    const double px = u * u * u * x + 3 * u * u * t * x + 3 * u * t * t * (x + lean * 0.5) + t * t * t * (x + lean);
    const double py = u * u * u * y + 3 * u * u * t * (y - height * 0.4) + 3 * u * t * t * (y - height * 0.8) + t * t * t * (y - height);
    return {px, py};
}

// A rounded stone with speckles and a cap of moss.
void Stone(cairo_t* cr, Chance& chance, double x, double groundY, double width, double height, uint32_t air, double haze)
{
    const uint32_t light = Mix(0xC9CBC6, air, haze), dark = Mix(0x8A8F98, air, haze);
    cairo_new_path(cr);
    cairo_move_to(cr, x - width / 2, groundY);
    cairo_curve_to(cr, x - width / 2, groundY - height * 0.8, x - width * 0.25, groundY - height, x + width * 0.05, groundY - height);
    cairo_curve_to(cr, x + width * 0.4, groundY - height, x + width / 2, groundY - height * 0.6, x + width / 2, groundY);
    cairo_close_path(cr);
    cairo_save(cr);
    FillRadial(cr, x - width * 0.2, groundY - height * 0.8, width * 0.9, light, dark);
    SetColour(cr, Mix(0x5E636B, air, haze), 0.6 * (1 - haze));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke_preserve(cr);
    cairo_clip(cr);
    for (int i = 0; i < int(width * height / 60); ++i) {
        cairo_new_path(cr);
        Circle(cr, chance.Range(x - width / 2, x + width / 2), chance.Range(groundY - height, groundY), chance.Range(0.6, 1.4));
        SetColour(cr, dark, 0.35);
        cairo_fill(cr);
    }
    // Moss over the top.
    cairo_new_path(cr);
    for (int i = 0; i < 5; ++i)
        Circle(cr, x - width * 0.3 + i * width * 0.12, groundY - height * (1.0 - 0.06 * std::abs(i - 2)), height * 0.18);
    SetColour(cr, Mix(0x8CB55A, air, haze), 0.85);
    cairo_fill(cr);
    cairo_restore(cr);
    // The shadow it casts.
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, x + width * 0.08, groundY);
    cairo_scale(cr, width * 0.6, 5);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColour(cr, Palette::deep, 0.12 * (1 - haze));
    cairo_fill(cr);
}

// A terracotta pot with a rim, standing on groundY.
void Pot(cairo_t* cr, double x, double groundY, double width, double height)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x - width * 0.38, groundY);
    cairo_line_to(cr, x - width * 0.5, groundY - height * 0.8);
    cairo_line_to(cr, x + width * 0.5, groundY - height * 0.8);
    cairo_line_to(cr, x + width * 0.38, groundY);
    cairo_close_path(cr);
    FillLinear(cr, x - width / 2, 0, x + width / 2, 0, 0xE0906A, 0xA85A3A);
    SetColour(cr, 0x7A3E24, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRectangle(cr, x - width * 0.56, groundY - height, width * 1.12, height * 0.24, 2);
    FillLinear(cr, x - width / 2, 0, x + width / 2, 0, 0xEAA07A, 0xB8684A);
    SetColour(cr, 0x7A3E24, 0.7);
    cairo_stroke(cr);
}

// A bunch of small leaves about (x, y): herbs, lettuce tops, climbing greenery.
void LeafTuft(cairo_t* cr, Chance& chance, double x, double y, double size, uint32_t colour, int leaves)
{
    for (int i = 0; i < leaves; ++i)
        Leaf(cr, x + chance.Range(-size, size) * 0.3, y + chance.Range(-size, size) * 0.2, size * chance.Range(0.6, 1.0),
             chance.Range(-pi, 0), Mix(colour, Palette::deep, chance.Range(0, 0.3)));
}

// ---------------------------------------------------------------------------------------------------
// The nine scenes.

struct Theme {
    uint32_t skyTop, skyLow;      // zenith and horizon
    uint32_t sun;                 // its glow
    double sunX, sunY, sunRadius; // view coordinates
    uint32_t hillFar, hillNear;   // the hazy hills
    uint32_t lawnFar, lawnNear;   // the ground, from the horizon to the bottom edge
    double horizon;               // view y where the lawn begins
    int butterflyMin, butterflyMax;
};

const Theme themes[backgroundCount] = {
    // 0 the garden gate at dawn: peach light low on the left
    {0xC8D4EC, 0xFCE2C6, 0xFFE2A8, 140, 250, 260, 0xC4BCD8, 0xAFC4A8, 0xB9CE9C, 0x8DB477, 285, 1, 3},
    // 1 the vegetable beds: a clear morning
    {0xBCDFF0, 0xF2F7E6, 0xFFF0B8, 660, 60, 200, 0xB8D2CB, 0xA1C592, 0xBCD592, 0x95BE72, 270, 2, 3},
    // 2 the rock garden: cool and airy
    {0xC3DAEA, 0xEEF3EC, 0xFFF2C8, 120, 70, 190, 0xB9C3D2, 0xA9BDA5, 0xBACD9E, 0x93B57F, 290, 1, 3},
    // 3 the pond: watery blues
    {0xB6DAEE, 0xEEF7F2, 0xFFF3C6, 690, 80, 200, 0xAFCFC6, 0x93BF91, 0xAFD096, 0x8CBA78, 265, 2, 4},
    // 4 the orchard: warm and golden
    {0xC2E0EC, 0xF7F2DA, 0xFFE9A8, 400, 30, 260, 0xBCD2AA, 0xA2C483, 0xBDD48E, 0x97BD6C, 280, 2, 4},
    // 5 the rose arch: a rosy haze
    {0xC9DCEF, 0xF9ECE6, 0xFFE6C8, 160, 60, 220, 0xC2CCC6, 0xA9C4A0, 0xBBD29A, 0x92BA77, 285, 2, 4},
    // 6 the meadow: wide and bright
    {0xB2DAEF, 0xF2F8E0, 0xFFF0B0, 620, 50, 230, 0xB0D0A4, 0x9AC47E, 0xBAD68A, 0x93BF68, 300, 3, 5},
    // 7 the greenhouse yard: soft, glassy light
    {0xC4DDE8, 0xF0F4EA, 0xFFF4D0, 250, 40, 220, 0xBACCC2, 0xA5C09C, 0xD6D2C0, 0xB4AE98, 275, 1, 3},
    // 8 the festival lawn: a bright holiday sky
    {0xB8DFF4, 0xFAF5E0, 0xFFEBB0, 400, 40, 240, 0xB8D4BC, 0x9FC88A, 0xBBD890, 0x92C06A, 285, 3, 5},
};

const uint32_t festive[] = {0xE0457B, 0xF6C534, 0x4E7FD9, 0x8CC26A, 0xF28C28, 0xB38BE0};

// An apple branch reaching in from a top corner (side 0 left, 1 right).
void AppleBranch(cairo_t* cr, Chance& chance, int side)
{
    const double s = side == 0 ? 1 : -1, x0 = side == 0 ? -10 : 810;
    cairo_new_path(cr);
    cairo_move_to(cr, x0, 20);
    cairo_curve_to(cr, x0 + s * 60, 30, x0 + s * 110, 55, x0 + s * 170, 60);
    cairo_move_to(cr, x0 + s * 70, 36);
    cairo_curve_to(cr, x0 + s * 90, 70, x0 + s * 95, 90, x0 + s * 110, 110);
    SetColour(cr, 0x8A6448);
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    for (int i = 0; i < 26; ++i) {
        const double t = chance.Next();
        const bool twig = i % 3 == 0;
        const double x = twig ? x0 + s * (70 + 40 * t) : x0 + s * 170 * t, y = twig ? 36 + 74 * t : 20 + 40 * t;
        Leaf(cr, x, y, chance.Range(18, 26), chance.Range(-0.2, pi + 0.2) + (i % 2 ? 0.6 : -0.6), Mix(Palette::leaf, 0xFFFFFF, 0.2));
    }
    for (const auto& p : {std::array<double, 2>{100, 62}, {122, 80}, {150, 70}, {104, 118}}) {
        cairo_new_path(cr);
        Circle(cr, x0 + s * p[0], p[1], 8);
        FillRadial(cr, x0 + s * p[0] - 3, p[1] - 3, 11, 0xF08A70, 0xC8443A);
        cairo_new_path(cr);
    }
}

// Things high up that cross from the sky into the far layer: drawn into both, so they meet seamlessly.
void HighProps(cairo_t* cr, int n)
{
    Chance chance(700 + n);
    if (n == 4) {
        AppleBranch(cr, chance, 0);
        AppleBranch(cr, chance, 1);
    }
    if (n == 5) {
        // A white rose arch framing the board: two lattice posts and a round top, overgrown with roses.
        const double cx = 400, cy = 230, rx = 300, ry = 200, bottom = 560;
        for (double inset : {0.0, 16.0}) {
            cairo_new_path(cr);
            cairo_move_to(cr, cx - rx + inset, bottom);
            cairo_line_to(cr, cx - rx + inset, cy);
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_scale(cr, rx - inset, ry - inset);
            cairo_arc(cr, 0, 0, 1, pi, 2 * pi);
            cairo_restore(cr);
            cairo_line_to(cr, cx + rx - inset, bottom);
            SetColour(cr, 0x9A9080, 0.6);
            cairo_set_line_width(cr, 7);
            cairo_stroke_preserve(cr);
            SetColour(cr, 0xFBF7EE);
            cairo_set_line_width(cr, 5);
            cairo_stroke(cr);
        }
        // Greenery and blooms along the arch, thickest on the top.
        const uint32_t roses[] = {0xF59BB6, 0xE0457B, 0xFFF1C1, 0xF7A8B8};
        for (int i = 0; i < 280; ++i) {
            const double t = chance.Next();
            double x, y;
            if (t < 0.6) {
                const double a = pi + pi * t / 0.6;
                x = cx + std::cos(a) * (rx - 8) + chance.Range(-10, 10);
                y = cy + std::sin(a) * (ry - 8) + chance.Range(-10, 10);
            } else {
                x = (t < 0.8 ? cx - rx + 8 : cx + rx - 8) + chance.Range(-12, 12);
                y = chance.Range(cy, bottom - 20);
            }
            Leaf(cr, x, y, chance.Range(13, 20), chance.Range(0, 2 * pi), Mix(Palette::leaf, 0xFFFFFF, chance.Range(0.05, 0.3)));
            if (i % 5 == 0)
                Rose(cr, x + chance.Range(-4, 4), y + chance.Range(-4, 4), chance.Range(5, 8), roses[i % 4]);
        }
    }
    if (n == 8) {
        // Two strings of bunting sagging across the top.
        for (int row = 0; row < 2; ++row) {
            const double x0 = row == 0 ? -20 : 380, x1 = row == 0 ? 430 : 820, top = row == 0 ? 18 : 12, sag = 46;
            auto at = [&](double t) {
                return std::array<double, 2>{x0 + (x1 - x0) * t, top + sag * 4 * t * (1 - t)};
            };
            for (int i = 0; i < 11; ++i) {
                const double t0 = (i + 0.15) / 11, t1 = (i + 0.85) / 11;
                const auto a = at(t0), b = at(t1), m = at((t0 + t1) / 2);
                cairo_new_path(cr);
                cairo_move_to(cr, a[0], a[1]);
                cairo_line_to(cr, b[0], b[1]);
                cairo_line_to(cr, m[0], m[1] + 24);
                cairo_close_path(cr);
                const uint32_t flag = Mix(festive[(i + row * 3) % 6], 0xFFFFFF, 0.25);
                FillLinear(cr, 0, m[1], 0, m[1] + 24, flag, Mix(flag, Palette::deep, 0.12));
                SetColour(cr, Mix(flag, Palette::ink, 0.35), 0.6);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
            }
            cairo_new_path(cr);
            for (int i = 0; i <= 40; ++i) {
                const auto p = at(i / 40.0);
                cairo_line_to(cr, p[0], p[1]);
            }
            SetColour(cr, 0xF4EDE0, 0.95);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        }
    }
}

void DrawSky(cairo_t* cr, int n)
{
    const Theme& theme = themes[n];
    Chance chance(100 + n);
    cairo_new_path(cr);
    cairo_rectangle(cr, -10, -10, 820, 620);
    FillLinear(cr, 0, 0, 0, theme.horizon + 40, theme.skyTop, theme.skyLow);
    cairo_new_path(cr);
    Glow(cr, theme.sunX, theme.sunY, theme.sunRadius, theme.sun, 0.85);
    Glow(cr, theme.sunX, theme.sunY, theme.sunRadius * 0.3, 0xFFFBEA, 0.7);
    // Clouds mostly along the top band and the sides, where they are seen.
    const double cloudXs[] = {70, 300, 560, 740, 200, 660};
    const double cloudYs[] = {60, 30, 48, 120, 150, 190};
    for (int i = 0; i < 6; ++i)
        Cloud(cr, chance, cloudXs[i] + chance.Range(-40, 40), cloudYs[i] + chance.Range(-10, 10),
              chance.Range(110, 170), i < 4 ? 0.85 : 0.6, n == 0 ? 0xF6CFC4 : 0xDCE6F0);
    HighProps(cr, n);
}

// Landmarks on the hills, behind the tree line.
void HillProps(cairo_t* cr, int n)
{
    const Theme& theme = themes[n];
    const double h = theme.horizon;
    const uint32_t air = theme.skyLow;
    Chance chance(250 + n);
    if (n == 0) {
        // A village on the far hill: cottages and a church spire in the morning haze.
        for (int i = 0; i < 7; ++i) {
            const double x = 560 + i * 26 + chance.Range(-4, 4), w = chance.Range(16, 24), top = h - 48 + chance.Range(-4, 6);
            cairo_new_path(cr);
            cairo_rectangle(cr, x, top, w, 26);
            SetColour(cr, Mix(0xF4E8D8, air, 0.45));
            cairo_fill(cr);
            cairo_move_to(cr, x - 3, top);
            cairo_line_to(cr, x + w / 2, top - 12);
            cairo_line_to(cr, x + w + 3, top);
            cairo_close_path(cr);
            SetColour(cr, Mix(0xC0705A, air, 0.5));
            cairo_fill(cr);
        }
        cairo_new_path(cr);
        cairo_rectangle(cr, 632, h - 80, 14, 50);
        SetColour(cr, Mix(0xF4E8D8, air, 0.4));
        cairo_fill(cr);
        cairo_move_to(cr, 629, h - 80);
        cairo_line_to(cr, 639, h - 112);
        cairo_line_to(cr, 649, h - 80);
        cairo_close_path(cr);
        SetColour(cr, Mix(0x7A8AA0, air, 0.45));
        cairo_fill(cr);
    }
    if (n == 2) {
        // Pale mountains with snow on their crowns.
        const double peaks[][3] = {{-30, 150, 190}, {120, 120, 150}, {300, 140, 170}, {520, 110, 200}, {700, 150, 170}, {860, 120, 160}};
        for (const auto& p : peaks) {
            cairo_new_path(cr);
            cairo_move_to(cr, p[0] - p[2], h);
            cairo_curve_to(cr, p[0] - p[2] * 0.5, h - p[1] * 0.5, p[0] - p[2] * 0.15, h - p[1], p[0], h - p[1]);
            cairo_curve_to(cr, p[0] + p[2] * 0.15, h - p[1], p[0] + p[2] * 0.5, h - p[1] * 0.5, p[0] + p[2], h);
            cairo_close_path(cr);
            FillLinear(cr, p[0] - p[2], 0, p[0] + p[2], 0, Mix(0xC8D0DC, air, 0.3), Mix(0x9AA6B8, air, 0.35));
            cairo_clip(cr);
            cairo_new_path(cr);
            cairo_move_to(cr, p[0] - p[2], h - p[1] * 0.72);
            for (int k = 0; k <= 8; ++k)
                cairo_line_to(cr, p[0] - p[2] + k * p[2] / 4, h - p[1] * (0.72 + (k % 2 ? 0.05 : -0.02)));
            cairo_line_to(cr, p[0] + p[2], h - p[1] - 10);
            cairo_line_to(cr, p[0] - p[2], h - p[1] - 10);
            SetColour(cr, Mix(0xFFFFFF, air, 0.2), 0.9);
            cairo_fill(cr);
            cairo_reset_clip(cr);
        }
    }
    if (n == 6) {
        // A lone oak on the far hill.
        Tree(cr, chance, 640, h - 44, 110, Palette::leaf, air, 0.35, false);
    }
}

// A raised bed of dark soil with a row of seedlings, in a plank frame.
void RaisedBed(cairo_t* cr, Chance& chance, double x, double y, double w, double depth, int plants, uint32_t air, double haze)
{
    RoundedRectangle(cr, x, y, w, depth, 3);
    SetColour(cr, Mix(0xB07A4A, air, haze));
    cairo_fill(cr);
    RoundedRectangle(cr, x + 4, y + 3, w - 8, depth - 9, 2);
    FillLinear(cr, 0, y, 0, y + depth, Mix(0x7A5838, air, haze), Mix(0x94704A, air, haze));
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y + depth - 6, w, 6);
    SetColour(cr, Mix(0xC89060, air, haze));
    cairo_fill(cr);
    for (int i = 0; i < plants; ++i)
        LeafTuft(cr, chance, x + (i + 0.5) * w / plants, y + depth * 0.45, depth * 0.9, Mix(0x6DB35A, air, haze), 4);
}

// A striped festival tent with a scalloped valance and a pennant on top.
void Tent(cairo_t* cr, double x, double groundY, double w, double h, uint32_t stripe, uint32_t air, double haze)
{
    const uint32_t white = Mix(0xFFFBF2, air, haze), colour = Mix(stripe, air, haze);
    const double roofY = groundY - h * 0.55, peakY = groundY - h;
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, x + 10, groundY);
    cairo_scale(cr, w * 0.62, 9);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColour(cr, Palette::deep, 0.14);
    cairo_fill(cr);
    cairo_rectangle(cr, x - w / 2, roofY, w, h * 0.55);
    SetColour(cr, white);
    cairo_fill(cr);
    for (int i = 0; i < 6; ++i)
        if (i % 2) {
            cairo_rectangle(cr, x - w / 2 + i * w / 6, roofY, w / 6, h * 0.55);
        }
    SetColour(cr, colour, 0.8);
    cairo_fill(cr);
    // The open doorway, in shade.
    cairo_move_to(cr, x - w * 0.12, groundY);
    cairo_line_to(cr, x, roofY + 8);
    cairo_line_to(cr, x + w * 0.12, groundY);
    cairo_close_path(cr);
    SetColour(cr, Mix(0x8A7A6A, air, haze), 0.5);
    cairo_fill(cr);
    // The roof: alternating stripes up to the peak.
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, x, peakY);
        cairo_line_to(cr, x - w / 2 - 6 + i * (w + 12) / 6, roofY);
        cairo_line_to(cr, x - w / 2 - 6 + (i + 1) * (w + 12) / 6, roofY);
        cairo_close_path(cr);
        SetColour(cr, i % 2 ? colour : white);
        cairo_fill(cr);
    }
    for (int i = 0; i < 8; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, x - w / 2 - 6 + (i + 0.5) * (w + 12) / 8, roofY, (w + 12) / 16, 0, pi);
        SetColour(cr, i % 2 ? white : colour);
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, peakY);
    cairo_line_to(cr, x, peakY - 14);
    SetColour(cr, Mix(0x8A6448, air, haze));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_move_to(cr, x, peakY - 14);
    cairo_line_to(cr, x + 12, peakY - 10.5);
    cairo_line_to(cr, x, peakY - 7);
    SetColour(cr, colour);
    cairo_fill(cr);
}

// A weeping willow: a trunk and a curtain of drooping strands.
void Willow(cairo_t* cr, Chance& chance, double x, double groundY, double h, uint32_t air, double haze)
{
    const double cy = groundY - h * 0.72, rx = h * 0.48, ry = h * 0.26;
    cairo_new_path(cr);
    cairo_move_to(cr, x - 9, groundY);
    cairo_curve_to(cr, x - 4, groundY - h * 0.4, x - 6, groundY - h * 0.6, x, cy);
    cairo_line_to(cr, x + 6, cy + 3);
    cairo_curve_to(cr, x + 4, groundY - h * 0.5, x + 6, groundY - h * 0.3, x + 11, groundY);
    cairo_close_path(cr);
    SetColour(cr, Mix(0x7A5E48, air, haze));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, x, cy);
    cairo_scale(cr, rx, ry);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    FillRadial(cr, x - rx * 0.3, cy - ry * 0.6, rx * 1.2, Mix(0xB8D88A, air, haze), Mix(0x6E9E52, air, haze));
    cairo_new_path(cr);
    // Strands hang from the whole crown, the longest almost to the ground, back ones darker.
    for (int i = 0; i < 150; ++i) {
        const double d = chance.Range(-1, 1), sx = x + d * rx * 1.05;
        const double sy = cy - ry * std::sqrt(std::max(0.0, 1 - d * d)) * chance.Range(0.3, 1.0);
        const double len = (groundY - h * 0.06 - sy) * chance.Range(0.55, 1.0) * (1 - 0.35 * d * d);
        const double out = d * h * 0.05;
        cairo_move_to(cr, sx, sy);
        cairo_curve_to(cr, sx + out, sy + len * 0.3, sx + out * 1.4, sy + len * 0.7, sx + out * 1.5, sy + len);
        const double shade = i < 50 ? 0.0 : chance.Range(0.3, 1.0);
        SetColour(cr, Mix(Mix(0x6E9E52, 0xCDE4A0, shade), air, haze), 0.85);
        cairo_set_line_width(cr, chance.Range(2, 3.5));
        cairo_stroke(cr);
    }
}

// A small glasshouse: a white frame of panes under a pitched roof, greenery inside.
void Glasshouse(cairo_t* cr, Chance& chance, double x0, double x1, double groundY, double wall, double roof, uint32_t air, double haze)
{
    const double mid = (x0 + x1) / 2, eave = groundY - wall, ridge = eave - roof;
    auto outline = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, x0, groundY);
        cairo_line_to(cr, x0, eave);
        cairo_line_to(cr, mid, ridge);
        cairo_line_to(cr, x1, eave);
        cairo_line_to(cr, x1, groundY);
        cairo_close_path(cr);
    };
    cairo_save(cr);
    outline();
    cairo_clip(cr);
    outline();
    FillLinear(cr, 0, ridge, 0, groundY, Mix(0xE6F4F8, air, haze), Mix(0xB8D8DC, air, haze));
    // Plants inside, softened by the glass.
    for (int i = 0; i < 9; ++i)
        Bush(cr, chance, x0 + (i + 0.5) * (x1 - x0) / 9, groundY - 4, 40, chance.Range(26, 50), Palette::leaf, 0xE6F4F8, 0.45);
    for (int i = 0; i < 4; ++i) {
        const double x = x0 + (i + 0.2) * (x1 - x0) / 4;
        cairo_new_path(cr);
        cairo_move_to(cr, x, groundY);
        cairo_line_to(cr, x + 40, groundY);
        cairo_line_to(cr, x + 110, ridge);
        cairo_line_to(cr, x + 70, ridge);
        cairo_close_path(cr);
        SetColour(cr, 0xFFFFFF, 0.18);
        cairo_fill(cr);
    }
    // Glazing bars.
    cairo_new_path(cr);
    for (double x = x0; x <= x1 + 0.5; x += (x1 - x0) / 8) {
        cairo_move_to(cr, x, groundY);
        cairo_line_to(cr, x, eave + (std::abs(x - mid) < 1 ? -roof : 0));
        const double top = ridge + roof * std::abs(x - mid) / (mid - x0);
        cairo_line_to(cr, x, top);
    }
    for (double y = eave; y < groundY; y += wall / 3) {
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y);
    }
    SetColour(cr, Mix(0xFFFFFF, air, haze * 0.5), 0.95);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_restore(cr);
    outline();
    SetColour(cr, Mix(0xFFFFFF, air, haze * 0.5));
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    SetColour(cr, Mix(0x8A9A9A, air, haze), 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A brick plinth along the bottom.
    cairo_rectangle(cr, x0 - 2, groundY - 12, x1 - x0 + 4, 12);
    SetColour(cr, Mix(0xC07A5A, air, haze));
    cairo_fill(cr);
}

// The day's landmark and furniture on the lawn (far layer).
void FarProps(cairo_t* cr, int n)
{
    const Theme& theme = themes[n];
    const uint32_t air = theme.skyLow;
    Chance chance(300 + n);
    const double h = theme.horizon;
    switch (n) {
    case 0: {
        // A gravel path from the gate, widening towards the viewer.
        cairo_new_path(cr);
        cairo_move_to(cr, 70, h + 110);
        cairo_curve_to(cr, 60, h + 180, 20, h + 240, -60, 620);
        cairo_line_to(cr, 300, 620);
        cairo_curve_to(cr, 200, h + 240, 130, h + 170, 120, h + 110);
        cairo_close_path(cr);
        FillLinear(cr, 0, h + 110, 0, 600, 0xE2D6BC, 0xD0C0A0, 0.9, 0.9);
        cairo_new_path(cr);
        // A picket fence along the lawn with the gate on the left, open towards the sun.
        const double fenceY = h + 110;
        for (double x = -10; x < 820; x += 22) {
            if (x > 40 && x < 150)
                continue;
            cairo_new_path(cr);
            cairo_move_to(cr, x, fenceY);
            cairo_line_to(cr, x, fenceY - 44);
            cairo_line_to(cr, x + 7, fenceY - 52);
            cairo_line_to(cr, x + 14, fenceY - 44);
            cairo_line_to(cr, x + 14, fenceY);
            cairo_close_path(cr);
            FillLinear(cr, x, 0, x + 14, 0, 0xFFF8EC, 0xE6DCCB);
            SetColour(cr, 0xB8A890, 0.8);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        cairo_new_path(cr);
        cairo_rectangle(cr, -10, fenceY - 36, 50, 6);
        cairo_rectangle(cr, 150, fenceY - 36, 680, 6);
        cairo_rectangle(cr, -10, fenceY - 16, 50, 6);
        cairo_rectangle(cr, 150, fenceY - 16, 680, 6);
        SetColour(cr, 0xEDE3D2);
        cairo_fill(cr);
        // Gate posts and an arch over the gap, with a climbing vine.
        for (double x : {34.0, 150.0}) {
            cairo_new_path(cr);
            cairo_rectangle(cr, x - 6, fenceY - 100, 14, 100);
            FillLinear(cr, x - 6, 0, x + 8, 0, 0xFFF8EC, 0xD8CBB5);
            SetColour(cr, 0xA89878, 0.8);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        cairo_new_path(cr);
        cairo_arc_negative(cr, 93, fenceY - 98, 59, 0, pi);
        cairo_set_line_width(cr, 8);
        SetColour(cr, 0xA89878, 0.7);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 6);
        SetColour(cr, 0xF6EEDF);
        cairo_stroke(cr);
        for (int i = 0; i < 40; ++i) {
            const double a = pi + pi * chance.Next();
            const double x = 93 + std::cos(a) * 59, y = fenceY - 98 + std::sin(a) * 59;
            Leaf(cr, x, y, chance.Range(8, 13), chance.Range(0, 2 * pi), Mix(Palette::leaf, 0xFFFFFF, 0.25));
            if (i % 4 == 0)
                Rose(cr, x, y, 4.5, 0xF59BB6);
        }
        // The gate leaf, swung half open.
        cairo_new_path(cr);
        cairo_move_to(cr, 44, fenceY - 4);
        cairo_line_to(cr, 86, fenceY + 6);
        cairo_line_to(cr, 86, fenceY - 48);
        cairo_line_to(cr, 44, fenceY - 56);
        cairo_close_path(cr);
        SetColour(cr, 0xEFE6D6, 0.95);
        cairo_fill_preserve(cr);
        SetColour(cr, 0xA89878, 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        Bush(cr, chance, 760, fenceY + 6, 150, 56, Palette::leaf, air, 0.3);
        break;
    }
    case 1: {
        // A garden shed by the hedge and rows of raised beds down both sides.
        const double sx = 640, sy = h + 40;
        cairo_new_path(cr);
        cairo_rectangle(cr, sx, sy - 60, 110, 60);
        FillLinear(cr, sx, 0, sx + 110, 0, Mix(0xC8945E, air, 0.3), Mix(0xA06A3A, air, 0.3));
        cairo_new_path(cr);
        for (double x = sx + 9; x < sx + 110; x += 9) {
            cairo_move_to(cr, x, sy - 60);
            cairo_line_to(cr, x, sy);
        }
        SetColour(cr, Mix(0x6B4423, air, 0.4), 0.4);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_move_to(cr, sx - 10, sy - 58);
        cairo_line_to(cr, sx + 55, sy - 96);
        cairo_line_to(cr, sx + 120, sy - 58);
        cairo_close_path(cr);
        SetColour(cr, Mix(0x9A4A3A, air, 0.3));
        cairo_fill(cr);
        cairo_rectangle(cr, sx + 40, sy - 44, 26, 44);
        SetColour(cr, Mix(0x7A5030, air, 0.3));
        cairo_fill(cr);
        cairo_rectangle(cr, sx + 80, sy - 46, 18, 16);
        SetColour(cr, Mix(0xE6F4F8, air, 0.3));
        cairo_fill(cr);
        // Beds wider and deeper towards the viewer; the shed stands behind the first bed on the right.
        const double beds[][4] = {{h + 30, 150, 20, 0}, {h + 95, 185, 28, 20}, {h + 180, 215, 38, 40}};
        for (int side = 0; side < 2; ++side)
            for (int row = side; row < 3; ++row) {
                const double* b = beds[row];
                const double x = side == 0 ? -b[3] : 800 - b[1] + b[3];
                RaisedBed(cr, chance, x, b[0], b[1], b[2], 4 + row, air, 0.3 - row * 0.1);
            }
        break;
    }
    case 2: {
        // Boulders and cushions of alpine flowers down both sides, stepping stones in between.
        for (int i = 0; i < 7; ++i) {
            const double y = h + 40 + i * 30 + i * i * 2;
            cairo_new_path(cr);
            cairo_save(cr);
            cairo_translate(cr, 400 + std::sin(i * 0.9) * 60, y);
            cairo_scale(cr, 20 + i * 5, 5 + i * 1.5);
            Circle(cr, 0, 0, 1);
            cairo_restore(cr);
            FillLinear(cr, 0, y - 10, 0, y + 10, 0xE2E2DA, 0xB8B8B0, 0.85, 0.85);
            cairo_new_path(cr);
        }
        // A raised rockery on each side: an earth mound, dwarf conifers, stones and flowering cushions.
        for (const auto& m : {std::array<double, 3>{60, h + 210, 240}, {750, h + 200, 230}}) {
            cairo_new_path(cr);
            cairo_save(cr);
            cairo_translate(cr, m[0], m[1]);
            cairo_scale(cr, m[2], 150);
            cairo_arc(cr, 0, 0, 1, pi, 2 * pi);
            cairo_restore(cr);
            FillLinear(cr, 0, m[1] - 150, 0, m[1], Mix(0xA8C48A, air, 0.25), Mix(theme.lawnNear, air, 0.1));
            cairo_new_path(cr);
        }
        const double conifers[][3] = {{10, 95, 95}, {150, 110, 60}, {690, 80, 80}, {790, 100, 110}};
        for (const auto& c : conifers)
            Poplar(cr, c[0], h + c[1], c[2], 0x4E7E6A, air, 0.2);
        const double stones[][4] = {{40, 115, 80, 46}, {120, 130, 50, 30}, {-10, 170, 110, 70}, {140, 185, 70, 40},
                                    {680, 110, 70, 40}, {770, 125, 90, 56}, {650, 165, 60, 36}, {760, 200, 120, 74}};
        const uint32_t alpine[] = {0xF59BB6, 0xFFFFFF, 0xB38BE0, 0xFFE066};
        for (size_t i = 0; i < std::size(stones); ++i) {
            const auto& s = stones[i];
            const double haze = 0.3 - s[1] / 800;
            Stone(cr, chance, s[0], h + s[1], s[2], s[3], air, haze);
            // A cushion of tiny flowers at the stone's foot.
            const double cx = s[0] + (i % 2 ? 0.45 : -0.45) * s[2], cy = h + s[1] + 2;
            cairo_new_path(cr);
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_scale(cr, s[2] * 0.32, s[3] * 0.28);
            cairo_arc(cr, 0, 0, 1, pi, 2 * pi);
            cairo_restore(cr);
            FillLinear(cr, 0, cy - s[3] * 0.3, 0, cy, Mix(0x8CC26A, air, haze), Mix(0x5E9A52, air, haze));
            cairo_new_path(cr);
            for (int k = 0; k < int(s[2] / 6); ++k) {
                const double a = chance.Range(pi * 1.05, pi * 1.95), d = std::sqrt(chance.Next()) * 0.85;
                cairo_new_path(cr);
                Circle(cr, cx + std::cos(a) * d * s[2] * 0.32, cy + std::sin(a) * d * s[3] * 0.28, chance.Range(1.4, 2.4));
                SetColour(cr, Mix(alpine[i % 4], air, haze), 0.95);
                cairo_fill(cr);
            }
        }
        break;
    }
    case 3: {
        // The pond: still water reflecting the sky, a rim of sedge, willows at both ends.
        const double top = h + 45, bottom = h + 215;
        auto pond = [&] {
            cairo_new_path(cr);
            cairo_move_to(cr, -40, top + 20);
            cairo_curve_to(cr, 200, top - 12, 600, top - 12, 840, top + 20);
            cairo_line_to(cr, 840, bottom);
            cairo_curve_to(cr, 600, bottom + 30, 200, bottom + 30, -40, bottom);
            cairo_close_path(cr);
        };
        pond();
        SetColour(cr, 0x7EA86A, 0.6);
        cairo_set_line_width(cr, 10);
        cairo_stroke(cr);
        pond();
        FillLinear(cr, 0, top, 0, bottom + 30, 0xD2EAF2, 0x9CCBE0);
        cairo_save(cr);
        cairo_clip(cr);
        // The willows and the far bank mirrored, softly.
        for (const auto& w : {std::array<double, 2>{40, 95}, {770, 85}}) {
            cairo_new_path(cr);
            cairo_save(cr);
            cairo_translate(cr, w[0], top + 10);
            cairo_scale(cr, w[1], 70);
            Circle(cr, 0, 0, 1);
            cairo_restore(cr);
            FillRadial(cr, w[0], top + 10, w[1], 0x7EAE6A, 0x9CCBE0, 0.45, 0);
        }
        cairo_new_path(cr);
        cairo_rectangle(cr, -40, top - 20, 880, 40);
        FillLinear(cr, 0, top - 5, 0, top + 20, 0x8CBF8A, 0x9CCBE0, 0.5, 0);
        for (int i = 0; i < 22; ++i) {
            const double y = chance.Range(top + 8, bottom + 20), x = chance.Range(-20, 820), w = chance.Range(30, 120);
            cairo_new_path(cr);
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + w, y);
            SetColour(cr, 0xFFFFFF, 0.35);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        // Lily pads along the near edges.
        for (int i = 0; i < 14; ++i) {
            const double x = i < 7 ? chance.Range(-10, 170) : chance.Range(630, 810), y = chance.Range(top + 40, bottom + 10);
            const double r = 6 + (y - top) / 12;
            cairo_new_path(cr);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, r, r * 0.45);
            cairo_move_to(cr, 0, 0);
            cairo_arc(cr, 0, 0, 1, 0.3, 2 * pi - 0.1);
            cairo_close_path(cr);
            cairo_restore(cr);
            FillLinear(cr, 0, y - r * 0.45, 0, y + r * 0.45, 0x9CCB7A, 0x5E9A52);
            cairo_new_path(cr);
            if (i % 3 == 0)
                Blossom(cr, x + r * 0.2, y - 2, r * 0.45, 6, 0xF7C2D0, 0xFFE066, 0.5);
        }
        Willow(cr, chance, 40, top + 30, 190, air, 0.15);
        Willow(cr, chance, 770, top + 26, 170, air, 0.2);
        break;
    }
    case 4: {
        // Apple trees in rows receding down both sides.
        for (int side = 0; side < 2; ++side)
            for (int row = 3; row >= 0; --row) {
                const double t = row / 3.0;
                const double x = side == 0 ? 150 - t * 170 : 650 + t * 170, y = h + 20 + t * t * 140 + t * 40;
                const double haze = 0.35 - t * 0.25;
                const auto crown = Tree(cr, chance, x, y, 70 + t * 110, Palette::leaf, air, haze, true);
                for (int a = 0; a < 9 + row * 3; ++a) {
                    const double ang = chance.Range(0, 2 * pi), d = crown[2] * std::sqrt(chance.Next()) * 0.9;
                    cairo_new_path(cr);
                    Circle(cr, crown[0] + std::cos(ang) * d, crown[1] + std::sin(ang) * d * 0.8, 2 + t * 3);
                    SetColour(cr, Mix(a % 4 ? 0xD8483A : 0xF0C040, air, haze));
                    cairo_fill(cr);
                }
            }
        break;
    }
    case 5: {
        // A clipped hedge wall beyond the arch, with pale roses in it.
        cairo_new_path(cr);
        cairo_rectangle(cr, -20, h - 36, 840, 60);
        for (double x = -20; x < 830; x += 18)
            Circle(cr, x, h - 36 + chance.Range(-2, 2), 12);
        FillLinear(cr, 0, h - 50, 0, h + 24, Mix(0x7AAA62, air, 0.35), Mix(0x4E7E46, air, 0.35));
        cairo_new_path(cr);
        cairo_rectangle(cr, -20, h + 24, 840, 18);
        FillLinear(cr, 0, h + 24, 0, h + 42, Palette::deep, Palette::deep, 0.16, 0);
        cairo_new_path(cr);
        for (int i = 0; i < 40; ++i)
            Rose(cr, chance.Range(-10, 810), chance.Range(h - 40, h + 10), chance.Range(3, 5), Mix(0xF7A8B8, air, 0.3));
        for (double x : {40.0, 760.0})
            Bush(cr, chance, x, h + 150, 120, 60, 0x5E9A52, air, 0.2);
        break;
    }
    case 6: {
        // Wild flowers all over the meadow, bigger and denser towards the viewer.
        const uint32_t wild[] = {0xE8452E, 0x4E7FD9, 0xFFFFFF, 0xFFE066, 0xB38BE0};
        for (int i = 0; i < 900; ++i) {
            const double t = std::sqrt(chance.Next()), y = h + 10 + t * (600 - h);
            const double x = chance.Range(-10, 810);
            const double quiet = (x > 190 && x < 610 && y > 90 && y < 510) ? 0.55 : 0;
            cairo_new_path(cr);
            Circle(cr, x, y, 0.8 + t * 2.2);
            SetColour(cr, Mix(wild[i % 5], theme.lawnFar, 0.35 - t * 0.2 + quiet), 0.9);
            cairo_fill(cr);
        }
        // An elder in flower on the left; two white beehives on the right.
        Bush(cr, chance, 50, h + 120, 170, 80, Palette::leaf, air, 0.25);
        for (int i = 0; i < 16; ++i) {
            cairo_new_path(cr);
            Circle(cr, chance.Range(-20, 120), chance.Range(h + 50, h + 100), chance.Range(5, 8));
            SetColour(cr, 0xFFF8E8, 0.85);
            cairo_fill(cr);
        }
        for (const auto& hive : {std::array<double, 2>{690, h + 96}, {752, h + 110}}) {
            const double x = hive[0], y = hive[1];
            for (int level = 0; level < 3; ++level) {
                cairo_new_path(cr);
                cairo_rectangle(cr, x - 18, y - 14 - level * 14, 36, 13);
                FillLinear(cr, x - 18, 0, x + 18, 0, 0xFFFBF2, 0xDCD6CA);
                SetColour(cr, 0x9A9080, 0.7);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
            }
            cairo_new_path(cr);
            cairo_move_to(cr, x - 24, y - 42);
            cairo_line_to(cr, x, y - 58);
            cairo_line_to(cr, x + 24, y - 42);
            cairo_close_path(cr);
            SetColour(cr, Mix(0xA06A3A, air, 0.2));
            cairo_fill(cr);
            cairo_rectangle(cr, x - 6, y - 4, 12, 3);
            SetColour(cr, 0x4A2E1A, 0.7);
            cairo_fill(cr);
            cairo_rectangle(cr, x - 16, y - 1, 4, 6);
            cairo_rectangle(cr, x + 12, y - 1, 4, 6);
            SetColour(cr, 0x8A6448);
            cairo_fill(cr);
        }
        break;
    }
    case 7: {
        // The greenhouse on the left, a potting bench with pots on the right, a flagged yard in between:
        // rows of slabs in perspective, each a little different in tone.
        const double vx = 400, vy = h - 160, rows = 12;
        for (int row = 0; row < rows; ++row) {
            const double y0 = h + 12 + (600 - h) * std::pow(row / rows, 1.5), y1 = h + 12 + (600 - h) * std::pow((row + 1) / rows, 1.5);
            const double shift = row % 2 ? 0.5 : 0;
            for (int c = -9; c <= 9; ++c) {
                auto at = [&](double k, double y) { return vx + (k * 110 - 55) * (y - vy) / (600 - vy); };
                const double a = c + shift, b = c + 1 + shift;
                cairo_new_path(cr);
                cairo_move_to(cr, at(a, y0) + 1.5, y0 + 1);
                cairo_line_to(cr, at(b, y0) - 1.5, y0 + 1);
                cairo_line_to(cr, at(b, y1) - 1.5, y1 - 1);
                cairo_line_to(cr, at(a, y1) + 1.5, y1 - 1);
                cairo_close_path(cr);
                SetColour(cr, Mix(Mix(0xE4DAC4, 0xCFC2A8, chance.Next()), air, 0.3 * (1 - row / rows)), 0.9);
                cairo_fill(cr);
            }
        }
        Glasshouse(cr, chance, -30, 230, h + 70, 110, 70, air, 0.1);
        const double benchY = h + 120;
        cairo_new_path(cr);
        cairo_rectangle(cr, 610, benchY - 50, 200, 8);
        cairo_rectangle(cr, 620, benchY - 42, 8, 42);
        cairo_rectangle(cr, 790, benchY - 42, 8, 42);
        cairo_rectangle(cr, 615, benchY - 16, 190, 6);
        SetColour(cr, Mix(0xB88A5A, air, 0.15));
        cairo_fill(cr);
        for (int i = 0; i < 5; ++i) {
            const double x = 640 + i * 36;
            LeafTuft(cr, chance, x, benchY - 72, 22, Mix(0x6DB35A, air, 0.1), 5);
            if (i % 2 == 0)
                Blossom(cr, x + 4, benchY - 80, 6, 5, festive[(i + 1) % 6], 0xFFF1C1);
            Pot(cr, x, benchY - 50, 24, 22);
        }
        break;
    }
    case 8: {
        Tent(cr, 90, h + 70, 170, 140, 0xE0457B, air, 0.2);
        Tent(cr, 715, h + 60, 150, 126, 0x4E7FD9, air, 0.25);
        break;
    }
    default:
        break;
    }
}

void DrawFar(cairo_t* cr, int n)
{
    const Theme& theme = themes[n];
    Chance chance(200 + n);
    const uint32_t air = theme.skyLow;
    // Two bands of hills, paler with distance, then a tree line where the garden ends.
    RidgePath(cr, chance, theme.horizon - 20, 90, 1.3);
    FillLinear(cr, 0, theme.horizon - 110, 0, theme.horizon, Mix(theme.hillFar, air, 0.2), Mix(theme.hillFar, air, 0.45));
    HillProps(cr, n);
    RidgePath(cr, chance, theme.horizon + 5, 55, 2.1);
    FillLinear(cr, 0, theme.horizon - 60, 0, theme.horizon + 10, Mix(theme.hillNear, air, 0.15), Mix(theme.hillNear, air, 0.35));
    if (n == 6)
        HillProps(cr, 6);
    if (n != 5)
        TreeLine(cr, chance, theme.horizon + 10, theme.hillNear, air, 0.4);
    // The lawn: a soft curve at the back, deeper towards the viewer, with light patches.
    cairo_new_path(cr);
    cairo_move_to(cr, -20, 620);
    cairo_line_to(cr, -20, theme.horizon + 6);
    cairo_curve_to(cr, 260, theme.horizon - 8, 540, theme.horizon + 14, 820, theme.horizon);
    cairo_line_to(cr, 820, 620);
    cairo_close_path(cr);
    FillLinear(cr, 0, theme.horizon, 0, 600, theme.lawnFar, theme.lawnNear);
    cairo_new_path(cr);
    for (int i = 0; i < 14; ++i)
        Glow(cr, chance.Range(-40, 840), chance.Range(theme.horizon + 30, 600), chance.Range(50, 110),
             Mix(theme.lawnFar, 0xFFFFE0, 0.4), 0.25);
    FarProps(cr, n);
    HighProps(cr, n);
}

// Things in the near corners before the grass: the day's small still life.
void NearProps(cairo_t* cr, Chance& chance, int n)
{
    switch (n) {
    case 1:
        // Cabbages and a watering can.
        for (const auto& c : {std::array<double, 3>{150, 585, 26}, {200, 596, 20}, {640, 590, 22}}) {
            cairo_new_path(cr);
            Circle(cr, c[0], c[1] - c[2] * 0.6, c[2]);
            FillRadial(cr, c[0] - c[2] * 0.3, c[1] - c[2], c[2] * 1.4, 0xDCEFC0, 0x8CBF6A);
            SetColour(cr, 0x4E8A4A, 0.7);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
            for (int k = 0; k < 5; ++k) {
                const double a = -pi + k * pi / 4;
                cairo_move_to(cr, c[0], c[1] - c[2] * 0.5);
                cairo_line_to(cr, c[0] + std::cos(a) * c[2] * 0.9, c[1] - c[2] * 0.6 + std::sin(a) * c[2] * 0.8);
            }
            SetColour(cr, 0xF4FBE8, 0.6);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        break;
    case 2:
        for (const auto& s : {std::array<double, 3>{140, 600, 70}, {690, 602, 60}, {215, 604, 40}})
            Stone(cr, chance, s[0], s[1], s[2], s[2] * 0.6, 0xFFFFFF, 0);
        break;
    case 4: {
        // A wicker basket of apples and a few windfalls.
        const double bx = 150, by = 592;
        for (int i = 0; i < 7; ++i) {
            cairo_new_path(cr);
            Circle(cr, bx - 36 + i * 12, by - 52 + std::abs(i - 3) * 3, 9);
            FillRadial(cr, bx - 39 + i * 12, by - 56 + std::abs(i - 3) * 3, 12, 0xF08A70, i % 3 ? 0xC8443A : 0xD8A030);
        }
        cairo_new_path(cr);
        cairo_move_to(cr, bx - 50, by - 48);
        cairo_line_to(cr, bx + 50, by - 48);
        cairo_line_to(cr, bx + 40, by);
        cairo_line_to(cr, bx - 40, by);
        cairo_close_path(cr);
        FillLinear(cr, 0, by - 48, 0, by, Palette::wickerLight, Palette::wickerMid);
        SetColour(cr, Palette::wickerDark, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        for (double y = by - 40; y < by; y += 8) {
            cairo_move_to(cr, bx - 48, y);
            cairo_line_to(cr, bx + 48, y);
        }
        SetColour(cr, Palette::wickerDark, 0.35);
        cairo_stroke(cr);
        for (const auto& a : {std::array<double, 2>{230, 594}, {600, 596}, {660, 590}}) {
            cairo_new_path(cr);
            Circle(cr, a[0], a[1], 7);
            FillRadial(cr, a[0] - 2, a[1] - 2, 10, 0xF08A70, 0xC8443A);
        }
        break;
    }
    case 7:
        for (const auto& p : {std::array<double, 3>{150, 600, 40}, {200, 602, 30}, {640, 600, 34}}) {
            LeafTuft(cr, chance, p[0], p[1] - p[2] * 1.1, p[2] * 0.8, 0x6DB35A, 7);
            Pot(cr, p[0], p[1], p[2], p[2] * 0.9);
        }
        break;
    default:
        break;
    }
}

// The near fringe: shrubs in the corners, the day's still life, grass along the bottom and flowers in it.
void DrawNear(cairo_t* cr, int n)
{
    Chance chance(400 + n);
    const Theme& theme = themes[n];
    const uint32_t shrub = n == 5 ? 0x4E8A4A : 0x5A9A4E;
    // Corner shrubs of a size of their own each day, smaller where the corner plants stand tall.
    const double size = 0.8 + 0.25 * chance.Next();
    Bush(cr, chance, 40 - 20 * chance.Next(), 562, 170 * size, 110 * size, shrub, theme.lawnNear, 0.12);
    Bush(cr, chance, 770 + 20 * chance.Next(), 566, 190 * size, 120 * size, shrub, theme.lawnNear, 0.12);
    if (n == 5)
        for (int i = 0; i < 30; ++i) {
            const bool left = i % 2 == 0;
            Rose(cr, left ? chance.Range(-30, 110) : chance.Range(690, 850), chance.Range(470, 560), chance.Range(6, 10),
                 i % 3 ? 0xE0457B : 0xF59BB6);
        }
    const double tall = n == 7 ? 0.5 : 1;
    Grass(cr, chance, -16, 816, 600, 46 * tall, Palette::fresh, Palette::leaf, 0.6);
    Grass(cr, chance, -16, 200, 600, 70 * tall, Palette::fresh, Palette::leaf, 0.5);
    Grass(cr, chance, 600, 816, 600, 70 * tall, Palette::fresh, Palette::leaf, 0.5);
    NearProps(cr, chance, n);
    Grass(cr, chance, -16, 816, 600, 14, Palette::fresh, Palette::leaf, 0.25);
    const uint32_t petals[] = {0xF59BB6, 0xFFE066, 0xFFFFFF, 0x7CC4F2, 0xB38BE0};
    const uint32_t wild[] = {0xE8452E, 0x4E7FD9, 0xFFFFFF, 0xFFE066};
    const int flowers = n == 6 ? 60 : 26;
    for (int i = 0; i < flowers; ++i) {
        const bool left = i % 2 == 0;
        const double x = n == 6 ? chance.Range(-10, 810) : left ? chance.Range(-10, 190) : chance.Range(610, 810);
        const double y = chance.Range(545, 596);
        if (n == 6 && i % 2)
            Daisy(cr, x, y, chance.Range(5, 8), 8, wild[i % 4], i % 4 == 0 ? 0x2A2A2A : 0xF2B541, chance.Next());
        else if (n == 8)
            Blossom(cr, x, y, chance.Range(4, 7), 5, festive[i % 6], 0xFFF1C1, chance.Next());
        else if (n == 3)
            Blossom(cr, x, y, chance.Range(3, 5), 5, 0x7CC4F2, 0xFFE066, chance.Next());
        else
            Blossom(cr, x, y, chance.Range(4, 7), 5, petals[(i + n) % 5], 0xF2B541, chance.Range(0, 1));
    }
    if (n == 8)
        // Confetti in the grass.
        for (int i = 0; i < 60; ++i) {
            cairo_new_path(cr);
            const double x = chance.Range(-10, 810), y = chance.Range(560, 600);
            cairo_rectangle(cr, x, y, chance.Range(3, 5), chance.Range(2, 3));
            SetColour(cr, festive[i % 6], 0.9);
            cairo_fill(cr);
        }
}

// Tall plants for one bottom corner (side 0 left, 1 right), about view x `root`.
void DrawSway(cairo_t* cr, int n, int side)
{
    Chance chance(500 + 2 * n + side);
    const double root = side == 0 ? 60 : 740, ground = 604, out = side == 0 ? -1 : 1;
    const uint32_t stem = 0x5E9A52, leaf = Mix(Palette::leaf, 0xFFFFFF, 0.15);
    switch (n) {
    case 1:
        // Sunflowers with heavy heads turned to the light.
        for (int s = 0; s < 2; ++s) {
            const double x = root + (s ? 40 : -10) * -out, height = s ? 170 : 225, lean = -out * chance.Range(6, 16);
            Stem(cr, x, ground, height, lean, 4, stem);
            for (int l = 0; l < 4; ++l) {
                const auto p = StemAt(x, ground, height, lean, 0.2 + l * 0.17);
                Leaf(cr, p[0], p[1], chance.Range(30, 40), (l % 2 ? -0.5 : -2.6), leaf);
            }
            const auto top = StemAt(x, ground, height, lean, 1);
            Daisy(cr, top[0], top[1], s ? 26 : 32, 21, 0xF6C534, 0x6B4423, chance.Next());
        }
        break;
    case 2:
    case 6:
        // Tall grasses with feathery heads, bellflowers or poppies among them.
        for (int g = 0; g < 9; ++g) {
            const double x = root + chance.Range(-60, 60), height = chance.Range(140, 230), lean = chance.Range(-20, 20);
            Stem(cr, x, ground, height, lean, 1.6, Mix(0x8CB56A, 0xD8C88A, n == 6 ? 0.3 : 0.1));
            const auto top = StemAt(x, ground, height, lean, 1);
            for (int k = 0; k < 6; ++k)
                Leaf(cr, top[0] + chance.Range(-2, 2), top[1] + k * 5, 9, -pi / 2 + (k % 2 ? 0.5 : -0.5), 0xD8C88A, 0.9);
        }
        for (int f = 0; f < 3; ++f) {
            const double x = root + (f - 1) * 30 + chance.Range(-8, 8), height = chance.Range(110, 170), lean = chance.Range(-12, 12);
            Stem(cr, x, ground, height, lean, 2.2, stem);
            const auto top = StemAt(x, ground, height, lean, 1);
            if (n == 6)
                Blossom(cr, top[0], top[1], 14, 4, f == 1 ? 0x4E7FD9 : 0xE8452E, 0x2A2A2A, chance.Next());
            else
                for (int b = 0; b < 4; ++b) {
                    const auto p = StemAt(x, ground, height, lean, 0.7 + b * 0.1);
                    Blossom(cr, p[0] + (b % 2 ? 5 : -5), p[1], 8, 5, 0x8C8CE8, 0xFFFFFF, b * 0.7);
                }
        }
        break;
    case 3:
        // Reeds and bulrushes.
        for (int r = 0; r < 12; ++r) {
            const double x = root + chance.Range(-70, 70), height = chance.Range(130, 240), lean = chance.Range(-24, 24);
            cairo_new_path(cr);
            cairo_move_to(cr, x - 3, ground);
            cairo_curve_to(cr, x - 2, ground - height * 0.5, x + lean * 0.6, ground - height * 0.85, x + lean, ground - height);
            cairo_curve_to(cr, x + lean * 0.6 + 2, ground - height * 0.85, x + 3, ground - height * 0.5, x + 4, ground);
            cairo_close_path(cr);
            FillLinear(cr, x - 3, 0, x + 4, 0, 0x9CC878, 0x5E9A52);
        }
        for (int c = 0; c < 4; ++c) {
            const double x = root + (c - 1.5) * 28, height = chance.Range(170, 230), lean = chance.Range(-10, 10);
            Stem(cr, x, ground, height, lean, 2, 0x7EA860);
            const auto p = StemAt(x, ground, height, lean, 0.8), q = StemAt(x, ground, height, lean, 0.92);
            cairo_new_path(cr);
            cairo_move_to(cr, p[0], p[1]);
            cairo_line_to(cr, q[0], q[1]);
            SetColour(cr, 0x7A5438);
            cairo_set_line_width(cr, 8);
            cairo_stroke(cr);
        }
        break;
    case 4:
    case 7: {
        // Ox-eye daisies (the orchard) or lilies on canes (the greenhouse yard).
        for (int s = 0; s < 5; ++s) {
            const double x = root + (s - 2) * 22 + chance.Range(-6, 6), height = chance.Range(140, 210), lean = chance.Range(-16, 16);
            Stem(cr, x, ground, height, lean, 2.2, stem);
            for (int l = 0; l < 3; ++l) {
                const auto p = StemAt(x, ground, height, lean, 0.2 + l * 0.2);
                Leaf(cr, p[0], p[1], chance.Range(18, 26), l % 2 ? -0.5 : -2.6, leaf);
            }
            const auto top = StemAt(x, ground, height, lean, 1);
            if (n == 4)
                Daisy(cr, top[0], top[1], chance.Range(11, 15), 14, 0xFFFFFF, 0xF2B541, chance.Next());
            else
                Daisy(cr, top[0], top[1], chance.Range(13, 17), 6, s % 2 ? 0xFFF1C1 : 0xF7A8B8, 0xF28C28, chance.Next());
        }
        if (n == 7)
            Pot(cr, root, ground - 4, 90, 60);
        break;
    }
    case 5:
        // Climbing rose canes.
        for (int s = 0; s < 4; ++s) {
            const double x = root + (s - 1.5) * 26, height = chance.Range(150, 230), lean = chance.Range(-24, 24);
            Stem(cr, x, ground, height, lean, 2.5, 0x6E8A4A);
            for (int l = 0; l < 6; ++l) {
                const auto p = StemAt(x, ground, height, lean, 0.25 + l * 0.12);
                Leaf(cr, p[0], p[1], chance.Range(12, 18), l % 2 ? -0.4 : -2.7, leaf);
            }
            for (int b = 0; b < 3; ++b) {
                const auto p = StemAt(x, ground, height, lean, 0.65 + b * 0.17);
                Rose(cr, p[0], p[1], 11 - b * 2, s % 2 ? 0xE0457B : 0xF59BB6);
            }
        }
        break;
    case 8: {
        // A bunch of balloons tied to a peg.
        for (int b = 0; b < 4; ++b) {
            const double bx = root + (b - 1.5) * 30 + chance.Range(-6, 6), by = 380 + chance.Range(0, 50) + (b % 2) * 20;
            cairo_new_path(cr);
            cairo_move_to(cr, root, ground - 20);
            cairo_curve_to(cr, root, ground - 80, bx, by + 90, bx, by + 30);
            SetColour(cr, 0xF4EDE0);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            const uint32_t colour = Mix(festive[(b + side * 2) % 6], 0xFFFFFF, 0.15);
            cairo_new_path(cr);
            cairo_save(cr);
            cairo_translate(cr, bx, by);
            cairo_scale(cr, 22, 27);
            Circle(cr, 0, 0, 1);
            cairo_restore(cr);
            FillRadial(cr, bx - 8, by - 10, 34, Mix(colour, 0xFFFFFF, 0.45), Mix(colour, Palette::ink, 0.12));
            SetColour(cr, Mix(colour, Palette::ink, 0.4), 0.6);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            cairo_move_to(cr, bx - 3, by + 30);
            cairo_line_to(cr, bx, by + 26);
            cairo_line_to(cr, bx + 3, by + 30);
            cairo_close_path(cr);
            SetColour(cr, colour);
            cairo_fill(cr);
            Glow(cr, bx - 8, by - 12, 7, 0xFFFFFF, 0.6);
        }
        cairo_new_path(cr);
        cairo_rectangle(cr, root - 3, ground - 24, 6, 24);
        SetColour(cr, Palette::wickerMid);
        cairo_fill(cr);
        break;
    }
    default: {
        // Hollyhock spires: a stem, leaves and blossoms up its top half.
        const uint32_t colours[] = {0xF59BB6, 0xFFE066, 0xF3E6F0};
        for (int s = 0; s < 3; ++s) {
            const double x = root + (s - 1) * 34 + chance.Range(-6, 6), height = chance.Range(170, 235);
            const double lean = -out * chance.Range(4, 18);
            Stem(cr, x, ground, height, lean, 3, stem);
            for (int l = 0; l < 4; ++l) {
                const auto p = StemAt(x, ground, height, lean, 0.15 + l * 0.12);
                Leaf(cr, p[0], p[1], chance.Range(26, 36), (l % 2 ? -0.6 : -2.5) + chance.Range(-0.2, 0.2), leaf);
            }
            for (int b = 0; b < 6; ++b) {
                const auto p = StemAt(x, ground, height, lean, 0.55 + b * 0.08);
                Blossom(cr, p[0] + (b % 2 ? 5 : -5), p[1], 12 - b, 5, Mix(colours[s], 0xFFFFFF, 0.2), 0xFFF1C1, b * 0.7);
            }
        }
        break;
    }
    }
}

// ---------------------------------------------------------------------------------------------------
// Geometry.

// A grid of quads over (x0, y0)-(x1, y1) in GUI units; texture coordinates follow the rest positions,
// positions are moved by `offset` of the rest position, so shared corners of neighbouring quads stay
// together.
std::vector<Quad> Grid(float x0, float y0, float x1, float y1, int columns, int rows, float u0, float v0, float u1,
                       float v1, const std::function<std::array<float, 2>(float, float)>& offset)
{
    std::vector<Quad> quads;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const float ta = float(c) / columns, tb = float(c + 1) / columns;
            const float sa = float(r) / rows, sb = float(r + 1) / rows;
            Quad quad = MakeQuad(x0 + (x1 - x0) * ta, y0 + (y1 - y0) * sa, x0 + (x1 - x0) * tb, y0 + (y1 - y0) * sb,
                                 u0 + (u1 - u0) * ta, v0 + (v1 - v0) * sa, u0 + (u1 - u0) * tb, v0 + (v1 - v0) * sb);
            for (auto& p : quad.position) {
                const auto d = offset(p[0], p[1]);
                p = {p[0] + d[0], p[1] + d[1]};
            }
            quads.push_back(quad);
        }
    return quads;
}

float Phase(uint32_t frame)
{
    return float(2 * pi * (frame % (swayFrames - 1)) / (swayFrames - 1));
}

// The near fringe: 832 units wide (16 past each screen edge, so the ripple never uncovers an edge),
// the tops of the blades leaning in a wave that runs across the screen.
std::vector<Quad> NearFrame(uint32_t frame)
{
    const float phase = Phase(frame);
    return Grid(-16, 0, 816, 256, 16, 1, 0, 0, 832.0f / 1024, 1, [phase](float x, float y) {
        return std::array<float, 2>{3.0f * (y / 256) * std::sin(phase - x * 0.008f), 0};
    });
}

// The corner plants: each bends from its roots, the tops travelling a few units.
std::vector<Quad> SwayFrame(uint32_t frame)
{
    const float phase = Phase(frame);
    std::vector<Quad> quads;
    for (int side = 0; side < 2; ++side) {
        const float x0 = side == 0 ? -16 : 560, u0 = side == 0 ? 0 : 0.5f;
        auto bend = [phase, side](float, float y) {
            const float t = y / 256;
            return std::array<float, 2>{7.0f * t * std::sqrt(t) * std::sin(phase + side * 2.1f), -1.0f * t * (1 - std::cos(phase * 2)) / 2};
        };
        for (const Quad& quad : Grid(x0, 0, x0 + 256, 256, 2, 4, u0, 0, u0 + 0.5f, 1, bend))
            quads.push_back(quad);
    }
    return quads;
}

// ---------------------------------------------------------------------------------------------------
// Butterflies: 28 x 22, wings spread at frame 0, folded up at frame 4.

const uint32_t wingColours[butterflyCount][3] = {
    {0xFFE066, 0xF2B541, 0x8A6A20}, // yellow: brimstone
    {0x9CD0F5, 0x4E7FD9, 0x2A3F7A}, // blue
    {0xFFFFFF, 0xE4E8EE, 0x5E636B}, // white, grey tips
    {0xF7A04A, 0xE07020, 0x4A2E1A}, // orange, dark veins
};

// The picture of butterfly b sits in the 64 x 64 cell b of the top row, centred on (64 b + 32, 32).
void DrawButterfly(cairo_t* cr, int b)
{
    const uint32_t light = wingColours[b][0], deep = wingColours[b][1], edge = wingColours[b][2];
    cairo_save(cr);
    cairo_translate(cr, 64 * b + 32, 32);
    for (int side : {-1, 1}) {
        // Fore wing: a rounded triangle up and out; hind wing: a smaller round lobe below.
        cairo_new_path(cr);
        cairo_move_to(cr, side * 1.0, -1);
        cairo_curve_to(cr, side * 4, -10, side * 11, -11.5, side * 13.2, -9);
        cairo_curve_to(cr, side * 14, -6, side * 11, -1, side * 1.0, 1);
        cairo_close_path(cr);
        FillRadial(cr, side * 2, -2, 14, light, deep);
        SetColour(cr, edge, 0.85);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, side * 1.0, 0);
        cairo_curve_to(cr, side * 9, 0, side * 11, 6, side * 8, 9.5);
        cairo_curve_to(cr, side * 5, 11, side * 2, 7, side * 1.0, 2);
        cairo_close_path(cr);
        FillRadial(cr, side * 2, 1, 11, light, deep);
        SetColour(cr, edge, 0.85);
        cairo_stroke(cr);
        // A spot on each fore wing.
        cairo_new_path(cr);
        Circle(cr, side * 8.5, -6.5, 1.3);
        SetColour(cr, b == 2 ? 0x5E636B : edge, 0.8);
        cairo_fill(cr);
    }
    // Body and antennae.
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_scale(cr, 1, 4.5);
    Circle(cr, 0, 0.3, 1.3);
    cairo_restore(cr);
    SetColour(cr, 0x3A2A1E);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, -0.5, -5);
    cairo_curve_to(cr, -1.5, -8, -3, -9.5, -4, -10.5);
    cairo_move_to(cr, 0.5, -5);
    cairo_curve_to(cr, 1.5, -8, 3, -9.5, 4, -10.5);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
}

std::vector<Quad> ButterflyFrame(int b, uint32_t frame)
{
    // Spread at 0, folded to a fifth at 4, spread again at 8; the body rises a unit with each down-stroke.
    const float t = float(frame % (flapFrames - 1)) / (flapFrames - 1);
    const float spread = 1 - 0.8f * float(std::sin(pi * t) * std::sin(pi * t)), lift = float(std::sin(pi * t));
    const float u0 = (64.0f * b + 18) / 256, um = (64.0f * b + 32) / 256, u1 = (64.0f * b + 46) / 256;
    const float v0 = 1 - 43.0f / 128, v1 = 1 - 21.0f / 128;
    return {MakeQuad(-14 * spread, -11 + lift, 0, 11 + lift, u0, v0, um, v1),
            MakeQuad(0, -11 + lift, 14 * spread, 11 + lift, um, v0, u1, v1)};
}

void WriteButterflies(DataTree& tree)
{
    Canvas canvas(256, 128);
    for (int b = 0; b < butterflyCount; ++b)
        DrawButterfly(canvas.Get(), b);
    canvas.WritePair(tree, "data\\" + plants + "butterflies.jpg");
    for (int b = 0; b < butterflyCount; ++b) {
        std::vector<std::vector<Quad>> frames;
        for (uint32_t f = 0; f < flapFrames; ++f)
            frames.push_back(ButterflyFrame(b, f));
        WriteModel(tree, "data\\" + plants + "models\\butterfly_" + std::to_string(b) + ".mlf",
                   MorphModel(frames, flapFps), plants + "butterflies.jpg", plants + "butterflies_alpha.jpg");
    }
}

void WriteBackground(DataTree& tree, int n)
{
    const Theme& theme = themes[n];
    const std::string folder = Folder(n), data = "data\\" + folder;
    tree.WriteText(data + "background.ini",
                   {std::to_string(theme.butterflyMin) + " " + std::to_string(theme.butterflyMax),
                    "120 530 680 588", "sky.mlf far.mlf near.mlf sway.mlf"});

    Canvas sky(1024, 1024);
    cairo_translate(sky.Get(), 0, 1024 - 600);
    DrawSky(sky.Get(), n);
    sky.WriteOpaque(tree, data + "sky.jpg");
    WriteModel(tree, data + "models\\sky.mlf", StaticModel({MakeQuad(0, 0, 800, 600, 0, 0, 800.0f / 1024, 600.0f / 1024)}),
               folder + "sky.jpg", "");

    Canvas far(1024, 512);
    cairo_translate(far.Get(), 0, 512 - 600);
    DrawFar(far.Get(), n);
    far.WritePair(tree, data + "far.jpg");
    WriteModel(tree, data + "models\\far.mlf", StaticModel({MakeQuad(0, 0, 800, 512, 0, 0, 800.0f / 1024, 1)}),
               folder + "far.jpg", folder + "far_alpha.jpg");

    Canvas near(1024, 256);
    cairo_translate(near.Get(), 16, 256 - 600);
    DrawNear(near.Get(), n);
    near.WritePair(tree, data + "near.jpg");
    std::vector<std::vector<Quad>> nearFrames, swayModelFrames;
    for (uint32_t f = 0; f < swayFrames; ++f) {
        nearFrames.push_back(NearFrame(f));
        swayModelFrames.push_back(SwayFrame(f));
    }
    WriteModel(tree, data + "models\\near.mlf", MorphModel(nearFrames, swayFps), folder + "near.jpg",
               folder + "near_alpha.jpg");

    // Two cells of 256 x 256: the left plant over view x -16..240, the right one over 560..816, each
    // kept 2 texels clear of the seam between the cells.
    Canvas sway(512, 256);
    for (int side = 0; side < 2; ++side) {
        cairo_t* cr = sway.Get();
        cairo_save(cr);
        cairo_rectangle(cr, side == 0 ? 0 : 258, 0, 254, 256);
        cairo_clip(cr);
        cairo_translate(cr, side == 0 ? 16 : 256 - 560, 256 - 600);
        DrawSway(cr, n, side);
        cairo_restore(cr);
    }
    sway.WritePair(tree, data + "sway.jpg");
    WriteModel(tree, data + "models\\sway.mlf", MorphModel(swayModelFrames, swayFps), folder + "sway.jpg",
               folder + "sway_alpha.jpg");
}

} // namespace

const Area& BackgroundArea()
{
    static const Area area = [] {
        Area a{"Backgrounds", {}, {}};
        for (int b = 0; b < butterflyCount; ++b)
            a.models.push_back({plants + "models\\butterfly_" + std::to_string(b) + ".mlf", flapFrames, false, {}});
        a.images.push_back({plants + "butterflies.jpg", 256, 128, true});
        for (int n = 0; n < backgroundCount; ++n) {
            const std::string folder = Folder(n);
            a.models.push_back({folder + "models\\sky.mlf", 1, false, {}});
            a.models.push_back({folder + "models\\far.mlf", 1, false, {}});
            a.models.push_back({folder + "models\\near.mlf", swayFrames, false, {}});
            a.models.push_back({folder + "models\\sway.mlf", swayFrames, false, {}});
            a.images.push_back({folder + "sky.jpg", 1024, 1024, false});
            a.images.push_back({folder + "far.jpg", 1024, 512, true});
            a.images.push_back({folder + "near.jpg", 1024, 256, true});
            a.images.push_back({folder + "sway.jpg", 512, 256, true});
        }
        return a;
    }();
    return area;
}

void WriteBackgrounds(DataTree& tree)
{
    WriteButterflies(tree);
    for (int n = 0; n < backgroundCount; ++n)
        WriteBackground(tree, n);
}

} // namespace DataBuild

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

#include <cmath>
#include <functional>

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

uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

void Stop(cairo_pattern_t* pattern, double at, uint32_t rgb, double alpha = 1.0)
{
    cairo_pattern_add_color_stop_rgba(pattern, at, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                                      (rgb & 0xFF) / 255.0, alpha);
}

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
    Stop(gradient, 0, inner, alphaIn);
    Stop(gradient, 1, outer, alphaOut);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t from, uint32_t to,
                double alphaFrom = 1, double alphaTo = 1)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(x0, y0, x1, y1);
    Stop(gradient, 0, from, alphaFrom);
    Stop(gradient, 1, to, alphaTo);
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
void Cloud(cairo_t* cr, Chance& chance, double x, double y, double width, double alpha)
{
    cairo_new_path(cr);
    const int puffs = 5 + int(width / 40);
    for (int i = 0; i < puffs; ++i) {
        const double t = (i + 0.5) / puffs;
        const double r = width * (0.12 + 0.12 * std::sin(t * pi)) * chance.Range(0.85, 1.15);
        Circle(cr, x + (t - 0.5) * width, y - r * 0.55, r);
    }
    FillLinear(cr, 0, y - width * 0.3, 0, y + width * 0.05, 0xFFFFFF, 0xDCE6F0, alpha, alpha * 0.8);
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
void Tree(cairo_t* cr, Chance& chance, double x, double groundY, double height, uint32_t leaf, uint32_t air,
          double haze, bool outline)
{
    const uint32_t trunk = Mix(Palette::wickerDark, air, haze), crown = Mix(leaf, air, haze);
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
    (void)crown;
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
             Mix(light, 0xFFFFFF, 0.3), 0.35 * (1 - haze * 0.5));
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
    SetColour(cr, colour, alpha);
    cairo_fill(cr);
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
    {0xC4DDE8, 0xF0F4EA, 0xFFF4D0, 250, 40, 220, 0xBACCC2, 0xA5C09C, 0xC9CDB8, 0xA9AE98, 275, 1, 3},
    // 8 the festival lawn: a bright holiday sky
    {0xB8DFF4, 0xFAF5E0, 0xFFEBB0, 400, 40, 240, 0xB8D4BC, 0x9FC88A, 0xBBD890, 0x92C06A, 285, 3, 5},
};

// Things high up that cross from the sky into the far layer: drawn into both, so they meet seamlessly.
void HighProps(cairo_t* cr, int n)
{
    Chance chance(700 + n);
    if (n == 8) {
        // Two strings of bunting sagging across the top.
        const uint32_t flags[] = {0xE0457B, 0xF6C534, 0x4E7FD9, 0x8CC26A, 0xF28C28, 0xB38BE0};
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
                const uint32_t flag = Mix(flags[(i + row * 3) % 6], 0xFFFFFF, 0.25);
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
              chance.Range(110, 170), i < 4 ? 0.85 : 0.6);
    HighProps(cr, n);
}

// The day's landmark and furniture on the lawn (far layer).
void FarProps(cairo_t* cr, int n)
{
    const Theme& theme = themes[n];
    Chance chance(300 + n);
    const double h = theme.horizon;
    switch (n) {
    case 0: {
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
        // Gate posts and an arch over the gap.
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
        cairo_set_line_width(cr, 7);
        SetColour(cr, 0xF6EEDF);
        cairo_stroke(cr);
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
        break;
    }
    default:
        break;
    }
    (void)chance;
}

void DrawFar(cairo_t* cr, int n)
{
    const Theme& theme = themes[n];
    Chance chance(200 + n);
    const uint32_t air = theme.skyLow;
    // Two bands of hills, paler with distance, then a tree line where the garden ends.
    RidgePath(cr, chance, theme.horizon - 20, 90, 1.3);
    FillLinear(cr, 0, theme.horizon - 110, 0, theme.horizon, Mix(theme.hillFar, air, 0.2), Mix(theme.hillFar, air, 0.45));
    RidgePath(cr, chance, theme.horizon + 5, 55, 2.1);
    FillLinear(cr, 0, theme.horizon - 60, 0, theme.horizon + 10, Mix(theme.hillNear, air, 0.15), Mix(theme.hillNear, air, 0.35));
    for (double x = -20; x < 830; x += chance.Range(26, 44))
        Tree(cr, chance, x, theme.horizon + 12, chance.Range(34, 60), theme.hillNear, air, 0.45, false);
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
    // Shrubs framing the sides.
    Bush(cr, chance, 30, theme.horizon + 70, 150, 60, Palette::leaf, air, 0.35);
    Bush(cr, chance, 770, theme.horizon + 64, 160, 66, Palette::leaf, air, 0.35);
    HighProps(cr, n);
}

// The near fringe: grass along the bottom, shrubs and flowers in the corners.
void DrawNear(cairo_t* cr, int n)
{
    Chance chance(400 + n);
    Bush(cr, chance, 40, 560, 170, 110, 0x5E9A52, 0xFFFFFF, 0.1);
    Bush(cr, chance, 770, 565, 190, 120, 0x5E9A52, 0xFFFFFF, 0.1);
    Grass(cr, chance, -16, 816, 600, 46, Palette::fresh, Palette::leaf, 0.6);
    Grass(cr, chance, -16, 200, 600, 70, Palette::fresh, Palette::leaf, 0.5);
    Grass(cr, chance, 600, 816, 600, 70, Palette::fresh, Palette::leaf, 0.5);
    const uint32_t petals[] = {0xF59BB6, 0xFFE066, 0xFFFFFF, 0x7CC4F2, 0xB38BE0};
    for (int i = 0; i < 26; ++i) {
        const double x = i < 13 ? chance.Range(-10, 190) : chance.Range(610, 810);
        const double y = chance.Range(540, 595);
        Blossom(cr, x, y, chance.Range(4, 7), 5, petals[(i + n) % 5], 0xF2B541, chance.Range(0, 1));
    }
}

// A tall plant for one bottom corner (side 0 left, 1 right), standing at view x `root`.
void DrawSwayPlant(cairo_t* cr, int n, int side, double root)
{
    Chance chance(500 + 2 * n + side);
    const double ground = 604;
    const uint32_t stem = 0x5E9A52;
    // Hollyhock-like spires: a stem, leaves and blossoms up its top half.
    const uint32_t colours[] = {0xF59BB6, 0xFFE066, 0xF3E6F0, 0x8C8CE8, 0xF28C28, 0xE0457B, 0xB38BE0, 0xF7A8B8, 0xF6C534};
    for (int s = 0; s < 3; ++s) {
        const double x = root + (s - 1) * 34 + chance.Range(-6, 6), height = chance.Range(170, 235);
        const double lean = (side == 0 ? 1 : -1) * chance.Range(4, 18);
        Stem(cr, x, ground, height, lean, 3, stem);
        for (int l = 0; l < 4; ++l) {
            const double t = 0.15 + l * 0.12;
            const double a = (l % 2 ? -0.6 : -2.5) + chance.Range(-0.2, 0.2);
            Leaf(cr, x + lean * t * t, ground - height * t, chance.Range(26, 36), a, Mix(Palette::leaf, 0xFFFFFF, 0.15));
        }
        for (int b = 0; b < 6; ++b) {
            const double t = 0.55 + b * 0.08;
            Blossom(cr, x + lean * t * t + (b % 2 ? 5 : -5), ground - height * t, 12 - b, 5,
                    Mix(colours[(n + s) % 9], 0xFFFFFF, 0.2), 0xFFF1C1, b * 0.7);
        }
    }
}

void DrawSway(cairo_t* cr, int n, int side)
{
    DrawSwayPlant(cr, n, side, side == 0 ? 60 : 740);
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
    std::vector<std::vector<Quad>> nearFrames, swayFrames_;
    for (uint32_t f = 0; f < swayFrames; ++f) {
        nearFrames.push_back(NearFrame(f));
        swayFrames_.push_back(SwayFrame(f));
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
    WriteModel(tree, data + "models\\sway.mlf", MorphModel(swayFrames_, swayFps), folder + "sway.jpg",
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

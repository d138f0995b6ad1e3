// The baskets and conveyors of gui\baskets, both sides. Everything is authored for the left conveyor
// (basket centre x 48) and mirrored about x 400 for the right one (x 752).
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/FlowerArt.h"
#include "tools/databuild/Manifest.h"

#include "tools/formats/MaterialWriter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace DataBuild {

namespace {

constexpr float centreX = 48;      // the left basket column
constexpr float screenWidth = 800; // the right side is the left one mirrored about its middle

const char* const sides[] = {"left", "right"};
const char* const sheetKinds[] = {"single", "double", "triple"};

struct BasketSize {
    float width, height;
};
// By order size: one, two, three entries.
constexpr BasketSize basketSizes[] = {{72, 56}, {78, 60}, {84, 64}};
constexpr float tagWidths[] = {36, 60, 84};
constexpr float tagHeight = 28, tagCentreY = -2;
constexpr float iconSize = 22, iconY = 6;
constexpr float labelWidth = 22, labelHeight = 16, labelY = -12;
constexpr float barWidth = 60, barHeight = 8, barY = -40;
constexpr float fillWidth = 56, fillHeight = 4;
constexpr float wheelSize = 28, wheelLowY = 30, wheelHighY = 530;
constexpr float ropeWidth = 16;
// The ribbon runs between the spools' rims: the spools and the ribbon share one depth, so neither may
// rely on being drawn over the other.
constexpr float ropeLowY = 42, ropeHighY = 518;

// Entry positions: one entry at 0, two at 1-2, three at 3-5.
constexpr float entryX[] = {48, 36, 60, 24, 48, 72};
const char* const entryNames[] = {"single_flower_0", "double_flower_0", "double_flower_1",
                                  "triple_flower_0", "triple_flower_1", "triple_flower_2"};

// The end-of-conveyor shake shared by the label, icons and counts (frames 11-15, units); the basket's
// own shake turns by the matching angles about its bottom.
constexpr float shakeX[] = {2, -2, 1.5f, -1, 0};
constexpr float shakeAngle[] = {-4, 4, -3, 2, 0};

// Texture layouts, in canvas texels (top row first).
constexpr int sheetWidth = 512, sheetHeight = 256;
struct Region {
    float x, y, w, h;
};
Region BasketRegion(int n) { return {4.0f + 100 * (n % 3), 4.0f + 84 * (n / 3), basketSizes[n / 3].width, basketSizes[n / 3].height}; }
constexpr Region ropeRegion{4, 0, ropeWidth, sheetHeight};
constexpr Region wheelRegion{32, 4, wheelSize, wheelSize};
Region TagRegion(int kind) { return {kind == 0 ? 68.0f : kind == 1 ? 110.0f : 176.0f, 4, tagWidths[kind], tagHeight}; }
constexpr Region labelRegion{32, 40, labelWidth, labelHeight};
constexpr Region barRegion{64, 40, barWidth, barHeight};
constexpr Region fillRegion{64, 56, fillWidth, fillHeight};
constexpr int flowerCell = 32;

const std::string folder = "data\\gui\\baskets\\";
const std::string basketImage = "gui\\baskets\\baskets.jpg", basketOpacity = "gui\\baskets\\baskets_alpha.jpg";
const std::string partsImage = "gui\\baskets\\basket_parts.jpg", partsOpacity = "gui\\baskets\\basket_parts_alpha.jpg";
const std::string flowersImage = "gui\\baskets\\flowers_small.jpg",
                  flowersOpacity = "gui\\baskets\\flowers_small_alpha.jpg";

// A quad from (x0, y0) to (x1, y1) showing a texture region.
Quad RegionQuad(float x0, float y0, float x1, float y1, const Region& r)
{
    return MakeQuad(x0, y0, x1, y1, r.x / sheetWidth, 1 - (r.y + r.h) / sheetHeight, (r.x + r.w) / sheetWidth,
                    1 - r.y / sheetHeight);
}

// A quad centred on (x, y) of the region's size: one texel per unit.
Quad RegionQuadAt(float x, float y, const Region& r)
{
    return RegionQuad(x - r.w / 2, y - r.h / 2, x + r.w / 2, y + r.h / 2, r);
}

// Scaled by (sx, sy) about the pivot, turned by `degrees` about it, then moved.
struct Pose {
    float sx = 1, sy = 1, degrees = 0, dx = 0, dy = 0;
};
Quad Posed(const Quad& quad, float px, float py, const Pose& pose)
{
    Quad out = quad;
    const float angle = pose.degrees * static_cast<float>(pi) / 180;
    const float c = std::cos(angle), s = std::sin(angle);
    for (auto& p : out.position) {
        const float x = (p[0] - px) * pose.sx, y = (p[1] - py) * pose.sy;
        p = {px + x * c - y * s + pose.dx, py + x * s + y * c + pose.dy};
    }
    return out;
}

// The right side's quad: mirrored about the screen's middle. `keepPicture` swaps the texture back so
// the picture itself is not mirrored (flowers, digits).
Quad Mirrored(const Quad& quad, bool keepPicture)
{
    Quad out = quad;
    for (auto& p : out.position)
        p[0] = screenWidth - p[0];
    if (keepPicture) {
        std::swap(out.uv[0], out.uv[1]);
        std::swap(out.uv[2], out.uv[3]);
    }
    return out;
}

using Frames = std::vector<std::vector<Quad>>;

Frames MirroredFrames(const Frames& frames, bool keepPicture)
{
    Frames out = frames;
    for (auto& quads : out)
        for (Quad& quad : quads)
            quad = Mirrored(quad, keepPicture);
    return out;
}

std::string ModelName(int side, const std::string& stem)
{
    return std::string("gui\\baskets\\models\\") + sides[side] + "\\" + stem + ".mlf";
}

// ---- models ----------------------------------------------------------------------------------------

// Basket n: size n / 3, weave n % 3. Appear 0-3 (grows from its bottom with a bounce), waiting sway 4-10,
// worried shake 11-15.
Frames BasketFrames(int n)
{
    const BasketSize size = basketSizes[n / 3];
    const Quad rest = RegionQuadAt(centreX, 0, BasketRegion(n));
    const float bottom = -size.height / 2;
    const Pose poses[16] = {
        {0.5f, 0},       {0.88f, 1.14f}, {1.07f, 0.92f}, {1, 1},
        {1, 1, 0},       {1, 1, 1.6f},   {1, 1, 1.6f},   {1, 1, 0},    {1, 1, -1.6f}, {1, 1, -1.6f}, {1, 1, 0},
        {1, 0.97f, shakeAngle[0]}, {1, 0.97f, shakeAngle[1]}, {1, 0.98f, shakeAngle[2]}, {1, 0.99f, shakeAngle[3]},
        {1, 1, shakeAngle[4]},
    };
    Frames frames;
    for (const Pose& pose : poses)
        frames.push_back({Posed(rest, centreX, bottom, pose)});
    return frames;
}

// The label: collapsed 0-3, unfolds downwards from its string 3-4, swings 5-10, shakes 11-15.
Frames TagFrames(int kind)
{
    const Quad rest = RegionQuadAt(centreX, tagCentreY, TagRegion(kind));
    const float top = tagCentreY + tagHeight / 2;
    Frames frames;
    for (int f = 0; f < 16; ++f) {
        Pose pose;
        if (f <= 3)
            pose.sy = 0;
        else if (f >= 5 && f <= 10)
            pose.degrees = 1.2f * std::round(std::sin(2 * pi * (f - 5) / 5) * 100) / 100;
        else if (f >= 11)
            pose.dx = shakeX[f - 11];
        frames.push_back({Posed(rest, centreX, top, pose)});
    }
    return frames;
}

// An order entry's flower: collapsed 0-4, pops 4-5, nods 6-10, shakes 11-15. The atlas frame is the
// code's: the quad shows the lower-left iconSize texels of a cell.
Frames IconFrames(int position)
{
    const float x = entryX[position], extent = iconSize / flowerCell;
    const Quad rest = MakeQuad(x - iconSize / 2, iconY - iconSize / 2, x + iconSize / 2, iconY + iconSize / 2, 0, 0,
                               extent, extent);
    const float pulse[5] = {1, 1.03f, 1.05f, 1.03f, 1};
    Frames frames;
    for (int f = 0; f < 16; ++f) {
        Pose pose;
        if (f <= 4)
            pose.sx = pose.sy = 0;
        else if (f >= 6 && f <= 10)
            pose.sx = pose.sy = pulse[f - 6];
        else if (f >= 11)
            pose.dx = shakeX[f - 11];
        frames.push_back({Posed(rest, x, iconY, pose)});
    }
    return frames;
}

// The count's paper label: the count is drawn from the box's bottom, centred on the box, so the label
// grows from its bottom centre and keeps its exact size while it waits.
Frames LabelFrames(int position)
{
    const float x = entryX[position], bottom = labelY - labelHeight / 2;
    const Quad rest = RegionQuadAt(x, labelY, labelRegion);
    Frames frames;
    for (int f = 0; f < 16; ++f) {
        Pose pose;
        if (f <= 4)
            pose.sx = pose.sy = 0;
        else if (f >= 11)
            pose.dx = shakeX[f - 11];
        frames.push_back({Posed(rest, x, bottom, pose)});
    }
    return frames;
}

// The fly-away anchor: the basket follows its horizontal movement off the screen's edge.
std::vector<std::array<float, 2>> CollectCentres()
{
    std::vector<std::array<float, 2>> centres;
    for (int f = 0; f < 16; ++f)
        centres.push_back({centreX + (-120 - centreX) * EaseIn(f / 15.0f), 0});
    return centres;
}

// The belt: one texture period (the image's height) scrolls upwards per loop, the way the baskets ride.
Frames RopeFrames()
{
    const float u0 = ropeRegion.x / sheetWidth, u1 = (ropeRegion.x + ropeRegion.w) / sheetWidth;
    const float span = (ropeHighY - ropeLowY) / sheetHeight;
    Frames frames;
    for (int f = 0; f <= 16; ++f) {
        const float v = -f / 16.0f;
        frames.push_back({MakeQuad(centreX - ropeWidth / 2, ropeLowY, centreX + ropeWidth / 2, ropeHighY, u0, v, u1,
                                   v + span)});
    }
    return frames;
}

// The spools turn a quarter per loop (their face is four-fold symmetric), clockwise on the left, so
// their rims keep pace with the belt.
Frames WheelFrames()
{
    Frames frames;
    for (int f = 0; f <= 16; ++f) {
        std::vector<Quad> quads;
        for (float y : {wheelLowY, wheelHighY})
            quads.push_back(Posed(RegionQuadAt(centreX, y, wheelRegion), centreX, y, {1, 1, -90.0f * f / 16}));
        frames.push_back(quads);
    }
    return frames;
}

constexpr float barAppear[5] = {0, 0.55f, 0.96f, 1.06f, 1};

// The timer's frame: grows 0-4, then stays (4 = 5).
Frames BarFrames()
{
    const Quad rest = RegionQuadAt(centreX, barY, barRegion);
    Frames frames;
    for (int f = 0; f < 6; ++f) {
        const float s = barAppear[std::min(f, 4)];
        frames.push_back({Posed(rest, centreX, barY, {s, s})});
    }
    return frames;
}

// The timer's fill, tinted by the code: grows 0-4 with the frame, full at 4, drained to its left end at 5
// (its texture cut with it, not squeezed).
Frames FillFrames()
{
    const Quad rest = RegionQuadAt(centreX, barY, fillRegion);
    Frames frames;
    for (int f = 0; f < 5; ++f)
        frames.push_back({Posed(rest, centreX, barY, {barAppear[f], barAppear[f]})});
    const float x0 = centreX - fillWidth / 2;
    Region empty = fillRegion;
    empty.w = 0;
    frames.push_back({RegionQuad(x0, barY - fillHeight / 2, x0, barY + fillHeight / 2, empty)});
    return frames;
}

// ---- pictures --------------------------------------------------------------------------------------

// A soft elliptic shadow, darkest in its middle.
void SoftShadow(cairo_t* cr, double x, double y, double rx, double ry, double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* shade = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddStop(shade, 0, 0x000000, alpha);
    AddStop(shade, 0.6, 0x000000, alpha * 0.55);
    AddStop(shade, 1, 0x000000, 0);
    cairo_set_source(cr, shade);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
}

struct Weave {
    uint32_t light, mid, dark, gap;
    int style; // 0 coiled straw, 1 willow over-under, 2 diagonal wicker
};
const Weave weaves[] = {
    {0xFFF3C8, 0xF2D088, 0xD2A458, 0x9A6A34, 0},
    {0xDCCB98, 0xAE9A62, 0x7E6E40, 0x463A1E, 1},
    {0xC08850, 0x8E5A30, 0x6B4423, 0x2E1A0C, 2},
};
// Ribbon colours of baskets 0-8: rose, cornflower, sunflower; poppy, lavender, fresh; peony, tulip, mint.
const uint32_t ribbons[] = {0xE0457B, 0x4E7FD9, 0xF6C534, 0xE8452E, 0xB38BE0, 0x6DB35A, 0xF59BB6, 0xF28C28, 0x5FB8A8};

void FillWeave(cairo_t* cr, const Weave& weave, double w, double h)
{
    SetColour(cr, weave.gap);
    cairo_paint(cr);
    if (weave.style == 0) {
        // Coils of straw stitched together.
        const double row = 4;
        for (int r = 0; r * row < h + row; ++r) {
            const double y = r * row;
            RoundedRectangle(cr, -4, y + 0.35, w + 8, row - 0.7, 1.6);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + row);
            AddStop(g, 0, weave.light);
            AddStop(g, 0.55, weave.mid);
            AddStop(g, 1, weave.dark);
            cairo_set_source(cr, g);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            SetColour(cr, weave.gap, 0.75);
            cairo_set_line_width(cr, 1.1);
            for (double x = (r % 2) * 3.5 - 6; x < w + 6; x += 7) {
                cairo_move_to(cr, x, y + 0.6);
                cairo_line_to(cr, x + 1.5, y + row - 0.6);
            }
            cairo_stroke(cr);
        }
    } else if (weave.style == 1) {
        // Weavers passing over and under upright stakes.
        const double row = 4.5, step = 7;
        SetColour(cr, weave.dark);
        cairo_set_line_width(cr, 2);
        for (double x = 0; x < w + step; x += step) {
            cairo_move_to(cr, x, 0);
            cairo_line_to(cr, x, h);
        }
        cairo_stroke(cr);
        for (int r = 0; r * row < h + row; ++r) {
            const double y = r * row;
            for (double x = (r % 2) * step / 2 - step; x < w + step; x += step) {
                RoundedRectangle(cr, x + 0.4, y + 0.45, step + 0.9, row - 0.9, 2);
                cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + row);
                AddStop(g, 0, weave.light);
                AddStop(g, 0.5, weave.mid);
                AddStop(g, 1, weave.dark);
                cairo_set_source(cr, g);
                cairo_fill(cr);
                cairo_pattern_destroy(g);
            }
        }
    } else {
        // Diagonal strips, one direction passing over the other every other crossing.
        const double step = 6, width = 3.4;
        auto strips = [&](int direction, bool dashed) {
            for (double t = -h - step; t < w + h + step; t += step) {
                const double x0 = direction > 0 ? t : t + h, x1 = direction > 0 ? t + h : t;
                cairo_move_to(cr, x0, 0);
                cairo_line_to(cr, x1, h);
            }
            if (dashed) {
                const double dash[] = {step * 0.7071, step * 0.7071};
                cairo_set_dash(cr, dash, 2, 0);
            }
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
            SetColour(cr, weave.dark);
            cairo_set_line_width(cr, width);
            cairo_stroke_preserve(cr);
            SetColour(cr, weave.mid);
            cairo_set_line_width(cr, width - 1.2);
            cairo_stroke_preserve(cr);
            SetColour(cr, weave.light, 0.8);
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
            cairo_set_dash(cr, nullptr, 0, 0);
        };
        strips(1, false);
        strips(-1, true);
    }
}

// A basket of the given size in the region (w x h, y downwards): a handle with a ribbon bow, a woven body
// tapering to its foot, a braided rim, a soft shadow under it. Symmetric but for the bow, and lit from
// above, so the right side's mirror image reads the same.
void DrawBasket(cairo_t* cr, double w, double h, const Weave& weave, uint32_t ribbon)
{
    const double rimY = h * 0.42, foot = h - 4.5;
    const double topL = 2, topR = w - 2, footL = w * 0.15, footR = w * 0.85;
    SoftShadow(cr, w / 2, h - 4, w * 0.42, 3.6, 0.42);

    // The opening, seen a little from above: the dark inside and the back of the rim.
    cairo_save(cr);
    cairo_translate(cr, w / 2, rimY - 2.5);
    cairo_scale(cr, w / 2 - 2.5, 4.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_restore(cr);
    cairo_pattern_t* inside = cairo_pattern_create_linear(0, rimY - 6.7, 0, rimY - 2);
    AddStop(inside, 0, weave.gap);
    AddStop(inside, 1, Mix(weave.gap, 0x000000, 0.5));
    cairo_set_source(cr, inside);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(inside);
    SetColour(cr, weave.mid);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);

    // Handle: a twisted cane arching from the rim.
    const double hl = w * 0.17, hr = w * 0.83, peak = 2.6;
    auto handle = [&] {
        cairo_move_to(cr, hl, rimY + 2);
        cairo_curve_to(cr, hl, peak - 1.5, hr, peak - 1.5, hr, rimY + 2);
    };
    handle();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, weave.gap);
    cairo_set_line_width(cr, 5.2);
    cairo_stroke(cr);
    handle();
    SetColour(cr, weave.mid);
    cairo_set_line_width(cr, 3.6);
    cairo_stroke(cr);
    handle();
    const double twist[] = {1.6, 1.9};
    cairo_set_dash(cr, twist, 2, 0);
    SetColour(cr, weave.light);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);

    // Body.
    auto body = [&] {
        cairo_move_to(cr, topL, rimY);
        cairo_curve_to(cr, topL - 0.5, rimY + (foot - rimY) * 0.55, footL - 2, foot - 1, footL + 3, foot);
        cairo_line_to(cr, footR - 3, foot);
        cairo_curve_to(cr, footR + 2, foot - 1, topR + 0.5, rimY + (foot - rimY) * 0.55, topR, rimY);
        cairo_close_path(cr);
    };
    cairo_save(cr);
    body();
    cairo_clip(cr);
    cairo_save(cr);
    cairo_translate(cr, 0, rimY);
    FillWeave(cr, weave, w, foot - rimY);
    cairo_restore(cr);
    // A ribbon woven through the body.
    const double band = rimY + (foot - rimY) * 0.38;
    cairo_rectangle(cr, 0, band, w, 3.6);
    SetColour(cr, ribbon);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, band, w, 1);
    SetColour(cr, 0xFFFFFF, 0.35);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, band + 3.6, w, 0.8);
    SetColour(cr, 0x000000, 0.3);
    cairo_fill(cr);
    // Rounded: darker towards the sides and the foot, a soft light down the middle.
    cairo_pattern_t* round = cairo_pattern_create_linear(0, 0, w, 0);
    AddStop(round, 0, 0x000000, 0.4);
    AddStop(round, 0.22, 0x000000, 0.05);
    AddStop(round, 0.5, 0xFFFFFF, 0.16);
    AddStop(round, 0.78, 0x000000, 0.05);
    AddStop(round, 1, 0x000000, 0.4);
    cairo_set_source(cr, round);
    cairo_paint(cr);
    cairo_pattern_t* down = cairo_pattern_create_linear(0, rimY, 0, foot);
    AddStop(down, 0, 0x000000, 0.22);
    AddStop(down, 0.25, 0x000000, 0);
    AddStop(down, 1, 0x000000, 0.25);
    cairo_set_source(cr, down);
    cairo_paint(cr);
    cairo_pattern_destroy(round);
    cairo_pattern_destroy(down);
    cairo_restore(cr);
    body();
    SetColour(cr, weave.gap, 0.9);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);

    // Braided rim.
    cairo_save(cr);
    RoundedRectangle(cr, 0.8, rimY - 3, w - 1.6, 6, 3);
    cairo_path_t* rim = cairo_copy_path(cr);
    SetColour(cr, weave.dark);
    cairo_fill(cr);
    cairo_append_path(cr, rim);
    cairo_clip(cr);
    for (double x = 1; x < w; x += 3.2) {
        cairo_save(cr);
        cairo_translate(cr, x, rimY - 0.2);
        cairo_rotate(cr, 0.7);
        cairo_scale(cr, 2.6, 1.35);
        cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
        cairo_restore(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, rimY - 2, 0, rimY + 2);
        AddStop(g, 0, weave.light);
        AddStop(g, 1, weave.mid);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    cairo_restore(cr);
    cairo_append_path(cr, rim);
    SetColour(cr, weave.gap, 0.9);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_path_destroy(rim);

    // A bow on the handle's left foot, high enough to show above the label.
    const double bx = hl + 1.2, by = rimY - 8.5;
    const uint32_t deep = Mix(ribbon, 0x000000, 0.35), light = Mix(ribbon, 0xFFFFFF, 0.4);
    auto tail = [&](double dx, double len) {
        cairo_move_to(cr, bx - 1, by + 1);
        cairo_curve_to(cr, bx + dx * 0.3, by + len * 0.5, bx + dx * 0.6, by + len * 0.7, bx + dx, by + len);
        cairo_line_to(cr, bx + dx + 2.6, by + len - 1.2);
        cairo_curve_to(cr, bx + dx * 0.5 + 2, by + len * 0.6, bx + 1.6, by + len * 0.4, bx + 1.2, by + 1);
        cairo_close_path(cr);
    };
    auto loop = [&](double dir) {
        cairo_move_to(cr, bx, by);
        cairo_curve_to(cr, bx + dir * 3, by - 7, bx + dir * 9, by - 5.5, bx + dir * 7.5, by - 0.5);
        cairo_curve_to(cr, bx + dir * 7, by + 2.5, bx + dir * 3, by + 2, bx, by);
        cairo_close_path(cr);
    };
    for (double dx : {-4.0, 3.5}) {
        tail(dx, 9);
        SetColour(cr, ribbon);
        cairo_fill_preserve(cr);
        SetColour(cr, deep);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    for (double dir : {-1.0, 1.0}) {
        loop(dir);
        cairo_pattern_t* g = cairo_pattern_create_linear(bx, by - 6, bx, by + 2);
        AddStop(g, 0, light);
        AddStop(g, 1, ribbon);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        SetColour(cr, deep);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    cairo_arc(cr, bx, by, 1.9, 0, 2 * pi);
    SetColour(cr, ribbon);
    cairo_fill_preserve(cr);
    SetColour(cr, deep);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// A paper tag, w x h with margins, an eyelet at its left end with a loop of twine.
void DrawTag(cairo_t* cr, double w, double h)
{
    const double x0 = 1.5, y0 = 1.5, x1 = w - 1.5, y1 = h - 3, cut = 5;
    auto shape = [&](double dy) {
        cairo_move_to(cr, x0 + cut, y0 + dy);
        cairo_line_to(cr, x1 - 2.5, y0 + dy);
        cairo_arc(cr, x1 - 2.5, y0 + 2.5 + dy, 2.5, -pi / 2, 0);
        cairo_arc(cr, x1 - 2.5, y1 - 2.5 + dy, 2.5, 0, pi / 2);
        cairo_line_to(cr, x0 + cut, y1 + dy);
        cairo_line_to(cr, x0, y1 - cut + dy);
        cairo_line_to(cr, x0, y0 + cut + dy);
        cairo_close_path(cr);
    };
    // Shadow just below.
    shape(1.5);
    SetColour(cr, 0x000000, 0.22);
    cairo_fill(cr);
    shape(0);
    FillVertical(cr, y0, y1, Palette::paper, Palette::paperShade);
    SetColour(cr, 0xB08A58);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A stitched line inside the edge.
    cairo_save(cr);
    cairo_translate(cr, 0, 0);
    const double stitch[] = {1.6, 1.4};
    cairo_set_dash(cr, stitch, 2, 0);
    RoundedRectangle(cr, x0 + cut + 4.5, y0 + 2.5, x1 - x0 - cut - 7, y1 - y0 - 5, 1.5);
    SetColour(cr, 0xC9A874, 0.8);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Eyelet and its ring.
    const double ex = x0 + 4.6, ey = (y0 + y1) / 2;
    cairo_arc(cr, ex, ey, 2.8, 0, 2 * pi);
    SetColour(cr, 0xE2B94E);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x9A7432);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_arc(cr, ex, ey, 1.3, 0, 2 * pi);
    SetColour(cr, Palette::ink);
    cairo_fill(cr);
    // Twine through the eyelet, its ends curling away over the tag's left edge.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double dy : {-1.0, 1.0}) {
        cairo_move_to(cr, ex, ey);
        cairo_curve_to(cr, ex - 2, ey + dy * 3, x0 - 0.5, ey + dy * 4, x0 - 0.2, ey + dy * 8.5);
    }
    SetColour(cr, 0x7A5A30);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// The count's label: a small round-cornered card with a green edge.
void DrawLabel(cairo_t* cr, double w, double h)
{
    RoundedRectangle(cr, 1, 1, w - 2, h - 2, 4);
    FillVertical(cr, 1, h - 1, 0xFFFDF4, Palette::mint);
    SetColour(cr, Palette::leaf);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The belt: a green ribbon of woven chevrons between darker selvedges, tiling in v (the canvas height).
void DrawRope(cairo_t* cr, const Region& r)
{
    const double x0 = r.x + 1, x1 = r.x + r.w - 1, mid = r.x + r.w / 2;
    cairo_save(cr);
    cairo_rectangle(cr, x0, 0, x1 - x0, r.h);
    cairo_clip(cr);
    SetColour(cr, Palette::deep);
    cairo_paint(cr);
    const double period = 8;
    for (double y = -period; y < r.h + period; y += period) {
        for (int side : {-1, 1}) {
            cairo_move_to(cr, mid, y - 3.4);
            cairo_line_to(cr, mid + side * 7, y + 0.6);
            cairo_line_to(cr, mid + side * 7, y + 4);
            cairo_line_to(cr, mid, y);
            cairo_close_path(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, y - 3.4, 0, y + 4);
            AddStop(g, 0, Palette::fresh);
            AddStop(g, 1, Palette::leaf);
            cairo_set_source(cr, g);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    }
    // Selvedges and a stitched cross-band every 32 texels, so the travel reads.
    for (double x : {x0, x1 - 2})
        cairo_rectangle(cr, x, 0, 2, r.h);
    SetColour(cr, Palette::deep);
    cairo_fill(cr);
    cairo_rectangle(cr, x0 + 2, 0, 0.8, r.h);
    cairo_rectangle(cr, x1 - 2.8, 0, 0.8, r.h);
    SetColour(cr, Palette::mint, 0.5);
    cairo_fill(cr);
    for (double y = 14; y < r.h; y += 32) {
        cairo_rectangle(cr, x0, y, x1 - x0, 2.4);
        SetColour(cr, 0xE9C46A);
        cairo_fill(cr);
        cairo_rectangle(cr, x0, y + 2.4, x1 - x0, 0.8);
        SetColour(cr, 0x000000, 0.3);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A wooden spool face: rim, four holes round a hub (four-fold symmetric), lit from its middle so it
// reads the same turned by any quarter.
void DrawWheel(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_pattern_t* wood = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    AddStop(wood, 0, Palette::straw);
    AddStop(wood, 0.7, Palette::wickerLight);
    AddStop(wood, 1, Palette::wickerMid);
    cairo_arc(cr, cx, cy, radius, 0, 2 * pi);
    cairo_set_source(cr, wood);
    cairo_fill(cr);
    cairo_pattern_destroy(wood);
    for (double ring : {0.55, 0.8}) {
        cairo_arc(cr, cx, cy, radius * ring, 0, 2 * pi);
        SetColour(cr, Palette::wickerMid, 0.35);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy, radius - 0.7, 0, 2 * pi);
    SetColour(cr, Palette::wickerDark);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    for (int k = 0; k < 4; ++k) {
        const double a = k * pi / 2 + pi / 4;
        cairo_arc(cr, cx + std::cos(a) * radius * 0.55, cy + std::sin(a) * radius * 0.55, 2.2, 0, 2 * pi);
        SetColour(cr, Palette::wickerDark);
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, 3.2, 0, 2 * pi);
    SetColour(cr, Palette::wickerMid);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::wickerDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 1.2, 0, 2 * pi);
    SetColour(cr, Palette::ink);
    cairo_fill(cr);
}

// The timer's trough: a slim green stem.
void DrawBar(cairo_t* cr, const Region& r)
{
    RoundedRectangle(cr, r.x + 0.5, r.y + 0.5, r.w - 1, r.h - 1, (r.h - 1) / 2);
    FillVertical(cr, r.y, r.y + r.h, Palette::deep, Palette::leaf);
    SetColour(cr, Palette::textOutline);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The timer's fill: light, since the code tints it from green to red.
void DrawFill(cairo_t* cr, const Region& r)
{
    RoundedRectangle(cr, r.x, r.y, r.w, r.h, r.h / 2);
    FillVertical(cr, r.y, r.y + r.h, 0xFFFFFF, 0xC8C8C8);
    cairo_new_path(cr);
}


void WriteImages(DataTree& tree)
{
    Canvas basketSheet(sheetWidth, sheetHeight);
    for (int n = 0; n < 9; ++n) {
        const Region r = BasketRegion(n);
        cairo_save(basketSheet.Get());
        cairo_translate(basketSheet.Get(), r.x, r.y);
        cairo_rectangle(basketSheet.Get(), 0, 0, r.w, r.h);
        cairo_clip(basketSheet.Get());
        DrawBasket(basketSheet.Get(), r.w, r.h, weaves[n % 3], ribbons[n]);
        cairo_restore(basketSheet.Get());
    }
    basketSheet.WritePair(tree, "data\\" + basketImage);

    Canvas partSheet(sheetWidth, sheetHeight);
    cairo_t* cr = partSheet.Get();
    DrawRope(cr, ropeRegion);
    DrawWheel(cr, wheelRegion.x + wheelSize / 2, wheelRegion.y + wheelSize / 2, wheelSize / 2 - 0.5);
    for (int kind = 0; kind < 3; ++kind) {
        const Region r = TagRegion(kind);
        cairo_save(cr);
        cairo_translate(cr, r.x, r.y);
        DrawTag(cr, r.w, r.h);
        cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, labelRegion.x, labelRegion.y);
    DrawLabel(cr, labelRegion.w, labelRegion.h);
    cairo_restore(cr);
    DrawBar(cr, barRegion);
    DrawFill(cr, fillRegion);
    partSheet.WritePair(tree, "data\\" + partsImage);

    // The chip atlas's numbering, each flower in the lower-left iconSize texels of its cell.
    Canvas flowerSheet(8 * flowerCell, 4 * flowerCell);
    for (int frame = 0; frame < 32; ++frame) {
        const double x = (frame % 8) * flowerCell, y = (frame / 8) * flowerCell;
        cairo_save(flowerSheet.Get());
        // A soft shadow lifts the flower off the paper tag.
        SoftShadow(flowerSheet.Get(), x + iconSize / 2 + 0.5, y + flowerCell - iconSize / 2 + 1.2, iconSize / 2 - 1.5,
                   iconSize / 2 - 2, 0.3);
        DrawFlower(flowerSheet.Get(), frame, x + iconSize / 2, y + flowerCell - iconSize / 2, iconSize / 2 - 1);
        cairo_restore(flowerSheet.Get());
    }
    flowerSheet.WritePair(tree, "data\\" + flowersImage);
}

// The belt's material: the parts image, wrapping in v so the ribbon scrolls without end.
void WriteRopeMaterial(DataTree& tree, const std::string& materialName)
{
    Formats::MaterialFile material = Formats::MakeImageMaterial(partsImage, partsOpacity);
    material.stages[0].flags = 0;
    material.stages[0].addressV = 1;
    tree.Write(materialName, Formats::EncodeMaterial(material));
}

std::string Stem(const std::string& name) { return name.substr(0, name.rfind('.')); }

} // namespace

const Area& BasketArea()
{
    static const Area area = [] {
        Area a{"baskets", {}, {}};
        for (int side = 0; side < 2; ++side) {
            auto x = [side](float left) { return side == 0 ? left : screenWidth - left; };
            for (int n = 0; n < 9; ++n)
                a.models.push_back({ModelName(side, "basket_" + std::to_string(n)), 16, false, {{4, x(centreX), 0}}});
            for (int kind = 0; kind < 3; ++kind)
                a.models.push_back({ModelName(side, std::string("sheet_") + sheetKinds[kind]), 16, false,
                                    {{5, x(centreX), tagCentreY}}});
            for (int p = 0; p < 6; ++p) {
                a.models.push_back({ModelName(side, std::string("sheet_") + entryNames[p]), 16, false,
                                    {{6, x(entryX[p]), iconY}}});
                std::string number = entryNames[p];
                number.replace(number.find("flower"), 6, "number");
                a.models.push_back({ModelName(side, "sheet_" + number), 16, false,
                                    {{5, x(entryX[p]), labelY}, {10, x(entryX[p]), labelY}}});
            }
            a.models.push_back({ModelName(side, "helper_basket_collect"), 16, true, {{0, x(centreX), 0}, {15, x(-120), 0}}});
            a.models.push_back({ModelName(side, "rope"), 17, false, {}});
            a.models.push_back({ModelName(side, "wheels"), 17, false, {}});
            a.models.push_back({ModelName(side, "progress_bar_line"), 6, false, {{4, x(centreX), barY}}});
            a.models.push_back({ModelName(side, "progress_bar"), 6, false, {{4, x(centreX), barY}, {5, x(centreX), barY}}});
        }
        a.images = {{basketImage, 512, 256, true}, {partsImage, 512, 256, true}, {flowersImage, 256, 128, true}};
        return a;
    }();
    return area;
}

void WriteBaskets(DataTree& tree)
{
    WriteImages(tree);
    for (int side = 0; side < 2; ++side) {
        auto write = [&](const std::string& stem, const Frames& left, float fps, bool keepPicture) {
            const Frames frames = side == 0 ? left : MirroredFrames(left, keepPicture);
            tree.Write("data\\" + ModelName(side, stem), Formats::EncodeModel(MorphModel(frames, fps)));
        };
        auto material = [&](const std::string& stem) { return "data\\" + Stem(ModelName(side, stem)) + ".srf"; };
        for (int n = 0; n < 9; ++n) {
            // The waiting sway keeps the upright box: the boxes queue baskets on the belt, and a swaying
            // box would nudge the one behind forward and back.
            const Frames frames = BasketFrames(n);
            Formats::ModelFile model = MorphModel(side == 0 ? frames : MirroredFrames(frames, false), 12);
            for (int f = 5; f <= 9; ++f)
                model.boxes[f] = model.boxes[4];
            WriteModel(tree, "data\\" + ModelName(side, "basket_" + std::to_string(n)), model, basketImage,
                       basketOpacity);
        }
        for (int kind = 0; kind < 3; ++kind) {
            const std::string stem = std::string("sheet_") + sheetKinds[kind];
            write(stem, TagFrames(kind), 12, false);
            WriteMaterial(tree, material(stem), partsImage, partsOpacity);
        }
        for (int p = 0; p < 6; ++p) {
            const std::string flower = std::string("sheet_") + entryNames[p];
            write(flower, IconFrames(p), 12, true);
            tree.Write(material(flower), Formats::EncodeMaterial(ImageMaterial(flowersImage, flowersOpacity, false, 8, 4)));
            std::string number = flower;
            number.replace(number.find("flower"), 6, "number");
            write(number, LabelFrames(p), 12, true);
            WriteMaterial(tree, material(number), partsImage, partsOpacity);
        }
        std::vector<std::array<float, 2>> centres = CollectCentres();
        if (side == 1)
            for (auto& centre : centres)
                centre[0] = screenWidth - centre[0];
        WriteModel(tree, "data\\" + ModelName(side, "helper_basket_collect"), HelperModel(centres, 20), "", "");
        // The belt travels 16 units a second, about the baskets' own pace; the spools' rims match it.
        write("rope", RopeFrames(), 1, false);
        WriteRopeMaterial(tree, material("rope"));
        const std::pair<const char*, Frames> parts[] = {
            {"wheels", WheelFrames()}, {"progress_bar_line", FillFrames()}, {"progress_bar", BarFrames()}};
        for (const auto& [stem, frames] : parts) {
            write(stem, frames, 12, false);
            WriteMaterial(tree, material(stem), partsImage, partsOpacity);
        }
    }
}

} // namespace DataBuild

// The stage screen: the June calendar with its banner and day tiles, the pencil cross and circle, the two
// signposts, the story scroll, and the flower screen that covers the whole screen between scenes.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace DataBuild {

namespace {

const std::string folder = "gui\\stage_screen\\";
const std::string models = folder + "models\\";

// June 2026 starts on a Monday: day d sits in column (d - 1) mod 7, row (d - 1) div 7.
float DayX(int day) { return 71.0f + 48.0f * ((day - 1) % 7); }
float DayY(int day) { return 418.0f - 56.0f * ((day - 1) / 7); }

constexpr float pageX = 215, pageY = 330;               // centre of the 360 x 380 page
constexpr float rightX = 640, leftX = 160, signY = 80;  // the signposts' centres
constexpr float hiddenSignY = -60;
constexpr float dialogX = 585, dialogY = 330;

// calendar.jpg (1024 x 512) holds, in canvas texels from the top left:
constexpr int texW = 1024, texH = 512;
struct Region {
    int x, y, w, h;
};
constexpr Region pageRegion{0, 0, 360, 380};
constexpr Region bannerRegion{368, 0, 200, 48};
constexpr Region rightRegion{368, 56, 210, 56};
constexpr Region leftRegion{368, 120, 210, 56};
constexpr Region parchmentRegion{592, 0, 368, 136};
constexpr Region rollerRegion{968, 0, 16, 150};
constexpr Region strokeRegion{370, 185, 52, 10};  // a pencil stroke drawn left to right
constexpr Region stroke2Region{370, 201, 52, 10};
constexpr int ringX = 464, ringY = 240;           // centre of the pencil ring
constexpr float ringInner = 15, ringOuter = 23;

// A quad over the screen rectangle showing the canvas region (its top row at the rectangle's top).
Quad RegionQuad(float x0, float y0, float x1, float y1, const Region& r, int w = texW, int h = texH)
{
    return MakeQuad(x0, y0, x1, y1, float(r.x) / w, 1.0f - float(r.y + r.h) / h, float(r.x + r.w) / w,
                    1.0f - float(r.y) / h);
}

Quad ScaleXY(const Quad& quad, float cx, float cy, float sx, float sy, float dy = 0)
{
    Quad out = quad;
    for (auto& p : out.position)
        p = {cx + (p[0] - cx) * sx, cy + (p[1] - cy) * sy + dy};
    return out;
}

// 0 at frames 0 and 10, 1 at frame 5: arrivals ease out, departures ease in.
float Shown(int frame)
{
    return frame <= 5 ? EaseOut(frame / 5.0f) : 1 - EaseIn((frame - 5) / 5.0f);
}

// The calendar's pieces unfold from a line through the page centre (frames 0-5) and fold back (5-10).
Formats::ModelFile Unfolding(const Quad& quad)
{
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 10; ++f) {
        const float s = Shown(f);
        frames.push_back({ScaleXY(quad, pageX, pageY, 0.7f + 0.3f * s, s)});
    }
    return MorphModel(frames, 12);
}

Formats::ModelFile Sliding(const Quad& quad)
{
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 10; ++f)
        frames.push_back({ScaleXY(quad, 0, 0, 1, 1, (hiddenSignY - signY) * (1 - Shown(f)))});
    return MorphModel(frames, 12);
}

// Open at frames 0 and 10, rolled to a 16-unit strip at frame 5: rollers at both ends, the parchment
// between their middles showing its centre part.
Formats::ModelFile Scroll()
{
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 10; ++f) {
        const float open = f <= 5 ? 1 - EaseIn(f / 5.0f) : EaseOut((f - 5) / 5.0f);
        const float half = 8 + 188 * open;
        const float paperHalf = 184 * open; // its edges stay under the rollers
        const float uMid = (parchmentRegion.x + parchmentRegion.w / 2.0f) / texW;
        const float uHalf = paperHalf / texW;
        const float vTop = 1.0f, vBottom = 1.0f - float(parchmentRegion.h) / texH;
        frames.push_back({MakeQuad(dialogX - paperHalf, dialogY - 68, dialogX + paperHalf, dialogY + 68,
                                   uMid - uHalf, vBottom, uMid + uHalf, vTop),
                          RegionQuad(dialogX - half, dialogY - 75, dialogX - half + 16, dialogY + 75, rollerRegion),
                          RegionQuad(dialogX + half - 16, dialogY - 75, dialogX + half, dialogY + 75, rollerRegion)});
    }
    return MorphModel(frames, 12);
}

// A stroke of `region` from `from` in direction `angle`, grown to `grown` (0-1) of its length, 10 wide.
Quad Stroke(const Region& region, float fromX, float fromY, float angle, float grown)
{
    const float length = region.w * grown;
    const Quad flat = MakeQuad(0, -5, length, 5, float(region.x) / texW, 1.0f - float(region.y + region.h) / texH,
                               float(region.x + region.w * grown) / texW, 1.0f - float(region.y) / texH);
    return Transform(flat, 0, 0, 1, angle, fromX, fromY);
}

// Two strokes, 44 x 44 around the origin: top left to bottom right over frames 0-5, then top right to
// bottom left over 5-10; frame 10 is the rest pose.
Formats::ModelFile Cross()
{
    const float reach = 26 * std::sqrt(0.5f);
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 10; ++f) {
        const float first = f >= 5 ? 1 : EaseOut(f / 5.0f), second = f <= 5 ? 0 : EaseOut((f - 5) / 5.0f);
        frames.push_back({Stroke(strokeRegion, -reach, reach, -pi / 4, first),
                          Stroke(stroke2Region, reach, reach, -3 * pi / 4, second)});
    }
    return MorphModel(frames, 15);
}

// A ring of 30 segments drawn counter-clockwise from the top; frame k shows k of them, the others
// collapsed onto their starting edge; frame 30 is the rest pose.
Formats::ModelFile Circle()
{
    auto corner = [](float radius, float angle) {
        return std::array<float, 2>{radius * std::cos(angle), radius * std::sin(angle)};
    };
    auto uv = [](std::array<float, 2> p) {
        return std::array<float, 2>{(ringX + p[0]) / texW, 1.0f - (ringY - p[1]) / texH};
    };
    std::vector<std::vector<Quad>> frames;
    for (int k = 0; k <= 30; ++k) {
        std::vector<Quad> quads;
        for (int s = 0; s < 30; ++s) {
            const float a0 = float(pi / 2 + 0.1 + s * 2 * pi / 30);
            const float a1 = s < k ? float(a0 + 2 * pi / 30) : a0;
            Quad q;
            q.position = {corner(ringInner, a0), corner(ringOuter, a0), corner(ringInner, a1), corner(ringOuter, a1)};
            for (int i = 0; i < 4; ++i)
                q.uv[i] = uv(q.position[i]);
            quads.push_back(q);
        }
        frames.push_back(quads);
    }
    return MorphModel(frames, 30);
}

// flower_screen.jpg (512 x 512): the big petal (left half, base at the bottom edge), the flower's heart
// (top right) and a smaller inner petal (bottom right, base at the bottom edge).
constexpr int flowerTex = 512;
constexpr float bigWidth = 500, bigLength = 600;   // GUI units of one big petal's quad
constexpr float bigWedge = 28 * pi / 180;         // half-angle of its opaque wedge: 8 petals need 22.5
constexpr float bigCapCentre = 450, bigCapLength = 150;
constexpr float smallWidth = 190, smallLength = 280;
constexpr float heartRadius = 140;                 // GUI units of the heart's quad half-side
constexpr int bigPetals = 8;

// A petal quad: base at (bx, by), pointing along `angle`, scaled; uv of the texture region
// [u0, u1] x [0, v1] with the base at v = 0.
Quad Petal(float width, float length, float u0, float u1, float v1, float bx, float by, float angle, float scale)
{
    const Quad flat = MakeQuad(-width / 2, 0, width / 2, length, u0, 0, u1, v1);
    return Transform(flat, 0, 0, scale, angle - pi / 2, bx, by);
}

// Frames 0-15: the petals swirl in from beyond the screen's corners and the heart grows; at 15 the
// blossom covers all of 800 x 600 with opaque texels; 15-30: the petals fly out and the heart shrinks.
// Frames 0 and 30 collapse every quad to a point.
Formats::ModelFile FlowerScreen()
{
    constexpr float cx = 400, cy = 300, far = 1200, swirl = 100 * pi / 180;
    std::vector<std::vector<Quad>> frames;
    for (int f = 0; f <= 30; ++f) {
        const float k = f <= 15 ? (15 - f) / 15.0f : (f - 15) / 15.0f;
        const float away = k * k;                    // eased: slow near the closed blossom
        const float turn = (f <= 15 ? 1 : -1) * swirl * away;
        const bool collapsed = f == 0 || f == 30;
        std::vector<Quad> quads;
        for (int ring = 0; ring < 2; ++ring)
            for (int i = 0; i < bigPetals; ++i) {
                const float angle = float(2 * pi * i / bigPetals + (ring ? pi / bigPetals : 0.3)) + turn;
                const float distance = far * away * (ring ? 0.85f : 1.0f);
                const float bx = cx + distance * std::cos(angle), by = cy + distance * std::sin(angle);
                const float scale = collapsed ? 0 : 1 - 0.35f * away;
                quads.push_back(ring == 0 ? Petal(bigWidth, bigLength, 0, 0.5f, 1, bx, by, angle, scale)
                                          : Petal(smallWidth, smallLength, 0.5f, 1, 0.5f, bx, by, angle, scale));
            }
        // The heart: grows over frames 8-15, shrinks over 15-21.
        float heart = 0;
        if (f >= 8 && f <= 15)
            heart = EaseOut((f - 8) / 7.0f);
        else if (f > 15 && f < 21)
            heart = 1 - EaseIn((f - 15) / 6.0f);
        quads.push_back(
            Transform(MakeQuad(cx - heartRadius, cy - heartRadius, cx + heartRadius, cy + heartRadius, 0.5f, 0.5f, 1, 1),
                      cx, cy, heart, turn));
        frames.push_back(quads);
    }
    return MorphModel(frames, 20);
}

// --- drawing --------------------------------------------------------------------------------------------

void Paper(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed)
{
    RoundedRectangle(cr, x, y, w, h, r);
    cairo_pattern_t* shade = cairo_pattern_create_radial(x + w / 2, y + h / 2, 0, x + w / 2, y + h / 2,
                                                         std::hypot(w, h) / 2);
    cairo_pattern_add_color_stop_rgb(shade, 0, 1.0, 0.975, 0.90);
    cairo_pattern_add_color_stop_rgb(shade, 0.7, 0.99, 0.95, 0.855);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.90, 0.83, 0.68);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    // Fibres.
    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 0.6);
    const int count = int(w * h / 300);
    for (int i = 0; i < count; ++i) {
        const double fx = x + Fraction(seed + 3 * i) * w, fy = y + Fraction(seed + 3 * i + 1) * h;
        const double a = Fraction(seed + 3 * i + 2) * pi;
        cairo_move_to(cr, fx, fy);
        cairo_line_to(cr, fx + 6 * std::cos(a), fy + 6 * std::sin(a));
    }
    SetColour(cr, Palette::paperShade, 0.45);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

// Text from DejaVu Serif Bold centred on (cx, cy), filled with a vertical gradient and outlined.
void ArtText(cairo_t* cr, const char* text, double cx, double cy, double size, uint32_t top, uint32_t bottom,
             uint32_t outline, double outlineWidth)
{
    SetSerifBold(cr);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
    cairo_text_path(cr, text);
    if (outlineWidth > 0) {
        SetColour(cr, outline);
        cairo_set_line_width(cr, outlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    FillVertical(cr, cy - e.height / 2, cy + e.height / 2, top, bottom);
    cairo_new_path(cr);
}

// Diagonal wicker strips clipped to the current path (kept).
void Wicker(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_save(cr);
    cairo_clip_preserve(cr);
    FillVertical(cr, y, y + h, Palette::wickerLight, Palette::wickerMid);
    cairo_set_line_width(cr, 1.2);
    for (double d = -h; d < w + h; d += 7) {
        cairo_move_to(cr, x + d, y);
        cairo_line_to(cr, x + d + h, y + h);
    }
    SetColour(cr, Palette::wickerDark, 0.55);
    cairo_stroke(cr);
    for (double d = -h; d < w + h; d += 14) {
        cairo_move_to(cr, x + d + h, y);
        cairo_line_to(cr, x + d, y + h);
    }
    SetColour(cr, Palette::straw, 0.45);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Leaf(cairo_t* cr, double x, double y, double length, double angle, uint32_t colour)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.35, length * 0.75, -length * 0.3, length, 0);
    cairo_curve_to(cr, length * 0.75, length * 0.3, length * 0.3, length * 0.35, 0, 0);
    SetColour(cr, colour);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::deep, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 1, 0);
    cairo_line_to(cr, length * 0.85, 0);
    SetColour(cr, Palette::mint, 0.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Blossom(cairo_t* cr, double x, double y, double r, int petals, uint32_t colour, uint32_t heart)
{
    for (int p = 0; p < petals; ++p) {
        const double a = 2 * pi * p / petals;
        cairo_arc(cr, x + r * 0.55 * std::cos(a), y + r * 0.55 * std::sin(a), r * 0.48, 0, 2 * pi);
        SetColour(cr, colour);
        cairo_fill_preserve(cr);
        SetColour(cr, Palette::ink, 0.35);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    cairo_arc(cr, x, y, r * 0.32, 0, 2 * pi);
    SetColour(cr, heart);
    cairo_fill(cr);
}

void Pin(cairo_t* cr, double x, double y, uint32_t colour)
{
    cairo_arc(cr, x + 1.5, y + 2, 5, 0, 2 * pi);
    SetColour(cr, 0x000000, 0.25);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - 2, y - 2, 0.5, x, y, 5.5);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(g, 0.35, ((colour >> 16) & 255) / 255.0, ((colour >> 8) & 255) / 255.0,
                                     (colour & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((colour >> 16) & 255) / 400.0, ((colour >> 8) & 255) / 400.0,
                                     (colour & 255) / 400.0);
    cairo_arc(cr, x, y, 5, 0, 2 * pi);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void DrawPage(cairo_t* cr)
{
    const Region& r = pageRegion;
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    // Wicker board.
    RoundedRectangle(cr, 1, 3, r.w - 2, r.h - 4, 16);
    Wicker(cr, 0, 0, r.w, r.h);
    SetColour(cr, Palette::wickerDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Shadow of the sheet, then the sheet.
    RoundedRectangle(cr, 16, 20, r.w - 30, r.h - 34, 6);
    SetColour(cr, 0x000000, 0.25);
    cairo_fill(cr);
    Paper(cr, 13, 16, r.w - 28, r.h - 32, 6, 11);
    RoundedRectangle(cr, 13, 16, r.w - 28, r.h - 32, 6);
    SetColour(cr, Palette::ink, 0.5);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The week's column lines and the weekday row (screen y 452 = 68 texels below the page top).
    static const char* const weekdays[] = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
    for (int c = 0; c < 7; ++c) {
        const double x = 36 + 48 * c;
        ArtText(cr, weekdays[c], x, 68, 15, c >= 5 ? 0xE0574A : 0x6B4A2A, c >= 5 ? 0xB8362E : Palette::ink,
                0, 0);
    }
    cairo_move_to(cr, 20, 80);
    cairo_line_to(cr, r.w - 20, 80);
    SetColour(cr, Palette::wickerMid, 0.6);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Faint cell grid behind the tiles.
    cairo_set_line_width(cr, 1);
    for (int row = 0; row < 5; ++row)
        for (int c = 0; c < 7; ++c) {
            RoundedRectangle(cr, 36 + 48 * c - 22, 102 + 56 * row - 24, 44, 48, 4);
            SetColour(cr, Palette::paperShade, 0.5);
            cairo_stroke(cr);
        }
    // The five cells after the 30th hold a little bouquet.
    const double by = 102 + 56 * 4;
    for (int c = 2; c < 7; ++c) {
        const double x = 36 + 48 * c;
        Leaf(cr, x - 4, by + 12, 18, -2.2 + 0.2 * c, Palette::leaf);
        Leaf(cr, x + 2, by + 12, 16, -0.9 - 0.1 * c, Palette::fresh);
        static const uint32_t colours[] = {0xE0457B, 0xF6C534, 0x4E7FD9, 0x8E5CC2, 0xF28C28};
        Blossom(cr, x, by - 4, 9, 5, colours[c - 2], 0xFFE066);
    }
    // Pins at the top corners (the banner covers the middle of the top edge).
    Pin(cr, 30, 30, 0xD9453B);
    Pin(cr, r.w - 30, 30, 0x4E7FD9);
    cairo_restore(cr);
}

void DrawBanner(cairo_t* cr)
{
    const Region& r = bannerRegion;
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    // Tails behind, then the ribbon.
    for (int side = 0; side < 2; ++side) {
        const double x0 = side ? r.w - 2 : 2, dir = side ? -1 : 1;
        cairo_move_to(cr, x0, 14);
        cairo_line_to(cr, x0 + dir * 30, 14);
        cairo_line_to(cr, x0 + dir * 30, 44);
        cairo_line_to(cr, x0, 44);
        cairo_line_to(cr, x0 + dir * 10, 29);
        cairo_close_path(cr);
        FillVertical(cr, 14, 44, 0x3E7D3A, 0x234B33);
        SetColour(cr, Palette::deep);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 24, 4);
    cairo_curve_to(cr, 80, 10, 120, 10, r.w - 24, 4);
    cairo_line_to(cr, r.w - 24, 38);
    cairo_curve_to(cr, 120, 44, 80, 44, 24, 38);
    cairo_close_path(cr);
    FillVertical(cr, 4, 42, 0x8CC26A, 0x4E8A4A);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_move_to(cr, 28, 9);
    cairo_curve_to(cr, 80, 14, 120, 14, r.w - 28, 9);
    SetColour(cr, Palette::mint, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    ArtText(cr, "Июнь", r.w / 2.0, 23, 26, 0xFFF8E8, 0xFFD66B, Palette::textOutline, 3);
    cairo_restore(cr);
}

// A wooden plank pointing right (or left, mirrored), with a sprig of leaves on its back end.
void DrawSign(cairo_t* cr, const Region& r, bool right)
{
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    if (!right) {
        cairo_translate(cr, r.w, 0);
        cairo_scale(cr, -1, 1);
    }
    auto plank = [&](double dx, double dy) {
        cairo_move_to(cr, 8 + dx, 10 + dy);
        cairo_line_to(cr, r.w - 30 + dx, 8 + dy);
        cairo_line_to(cr, r.w - 3 + dx, 28 + dy);
        cairo_line_to(cr, r.w - 30 + dx, 48 + dy);
        cairo_line_to(cr, 8 + dx, 46 + dy);
        cairo_curve_to(cr, 3 + dx, 40 + dy, 3 + dx, 16 + dy, 8 + dx, 10 + dy);
        cairo_close_path(cr);
    };
    plank(2, 2);
    SetColour(cr, 0x000000, 0.25);
    cairo_fill(cr);
    plank(0, 0);
    FillVertical(cr, 8, 48, 0xB97A45, 0x7E5030);
    SetColour(cr, Palette::wickerDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Grain.
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 4; ++i) {
        const double y = 17 + 8 * i;
        cairo_move_to(cr, 14 + 9 * i, y);
        cairo_curve_to(cr, 60, y - 2, 120, y + 2, r.w - 40 + 3 * i, y);
    }
    SetColour(cr, Palette::wickerDark, 0.35);
    cairo_stroke(cr);
    cairo_move_to(cr, 10, 13);
    cairo_line_to(cr, r.w - 31, 11);
    SetColour(cr, Palette::straw, 0.6);
    cairo_stroke(cr);
    // Nails.
    for (double x : {16.0, double(r.w - 38)}) {
        cairo_arc(cr, x, 28, 2.2, 0, 2 * pi);
        SetColour(cr, 0x5E636B);
        cairo_fill(cr);
    }
    Leaf(cr, 10, 10, 18, -2.4, Palette::fresh);
    Leaf(cr, 10, 10, 15, -1.3, Palette::leaf);
    cairo_restore(cr);
}

void DrawScroll(cairo_t* cr)
{
    const Region& p = parchmentRegion;
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_rectangle(cr, 0, 0, p.w, p.h);
    cairo_clip(cr);
    Paper(cr, -6, 1, p.w + 12, p.h - 2, 3, 77);
    cairo_move_to(cr, -6, 2);
    cairo_line_to(cr, p.w + 6, 2);
    cairo_move_to(cr, -6, p.h - 2);
    cairo_line_to(cr, p.w + 6, p.h - 2);
    SetColour(cr, Palette::wickerMid, 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Flourishes kept outside the text area (texels 16-356 x 28-104).
    Leaf(cr, 16, 118, 20, -0.3, Palette::leaf);
    Leaf(cr, 16, 118, 16, -1.2, Palette::fresh);
    Blossom(cr, 14, 120, 6, 5, 0xE0457B, 0xFFE066);
    Leaf(cr, p.w - 16, 14, 20, pi - 0.3, Palette::leaf);
    Leaf(cr, p.w - 16, 14, 16, pi - 1.2, Palette::fresh);
    Blossom(cr, p.w - 14, 14, 6, 5, 0x4E7FD9, 0xFFE066);
    cairo_restore(cr);

    const Region& r = rollerRegion;
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, 0, r.w, 0);
    cairo_pattern_add_color_stop_rgb(wood, 0, 0.36, 0.22, 0.11);
    cairo_pattern_add_color_stop_rgb(wood, 0.4, 0.78, 0.55, 0.32);
    cairo_pattern_add_color_stop_rgb(wood, 1, 0.32, 0.2, 0.1);
    RoundedRectangle(cr, 2, 6, r.w - 4, r.h - 12, 3);
    cairo_set_source(cr, wood);
    cairo_fill(cr);
    for (double y : {1.0, double(r.h - 9)}) {
        RoundedRectangle(cr, 0.5, y, r.w - 1, 8, 4);
        cairo_set_source(cr, wood);
        cairo_fill_preserve(cr);
        SetColour(cr, Palette::wickerDark);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_pattern_destroy(wood);
    cairo_restore(cr);
}

// A pencil line along the current path: a soft core with a grainy edge.
void Pencil(cairo_t* cr, uint32_t colour, double width)
{
    SetColour(cr, colour, 0.35);
    cairo_set_line_width(cr, width + 1.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    SetColour(cr, colour, 0.95);
    cairo_set_line_width(cr, width - 1);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void DrawPencilMarks(cairo_t* cr)
{
    // Two red strokes, a little curved and tapered at their ends.
    int seed = 0;
    for (const Region* r : {&strokeRegion, &stroke2Region}) {
        const double y = r->y + r->h / 2.0, bend = seed ? -1.2 : 1.0;
        cairo_move_to(cr, r->x + 4, y + bend);
        cairo_curve_to(cr, r->x + 18, y - bend, r->x + 34, y + bend, r->x + r->w - 4, y - bend * 0.5);
        Pencil(cr, Palette::warning, 5);
        ++seed;
    }
    // A green ring, a hand-drawn wobble of its radius within 17-21.
    for (int i = 0; i <= 120; ++i) {
        const double a = 2 * pi * i / 120;
        const double radius = 19 + 1.2 * std::sin(3 * a + 0.7) + 0.5 * std::sin(5 * a);
        const double x = ringX + radius * std::cos(a), y = ringY - radius * std::sin(a);
        i ? cairo_line_to(cr, x, y) : cairo_move_to(cr, x, y);
    }
    cairo_close_path(cr);
    Pencil(cr, 0x3E8A3A, 4);
}

void DrawFlowerScreen(DataTree& tree)
{
    Canvas c(flowerTex, flowerTex);
    cairo_t* cr = c.Get();
    // The big petal: left half, base at the bottom middle, tip at the top. Drawn in petal units (across,
    // along) mapped onto the 256 x 512 texels.
    cairo_save(cr);
    cairo_translate(cr, 128, 512);
    cairo_scale(cr, 256 / bigWidth, -512 / bigLength);
    const double capHalf = bigCapCentre * std::tan(bigWedge);
    auto bigPath = [&](double grow) {
        cairo_new_path(cr);
        // Sides bulging outside the opaque wedge, meeting the round tip without a corner.
        cairo_move_to(cr, 0, -grow);
        cairo_curve_to(cr, 0.55 * capHalf + grow, 60, capHalf + grow, 300, capHalf + grow, bigCapCentre);
        cairo_save(cr);
        cairo_translate(cr, 0, bigCapCentre);
        cairo_scale(cr, capHalf + grow, bigCapLength + grow);
        cairo_arc(cr, 0, 0, 1, 0, pi);
        cairo_restore(cr);
        cairo_curve_to(cr, -capHalf - grow, 300, -0.55 * capHalf - grow, 60, 0, -grow);
        cairo_close_path(cr);
    };
    bigPath(3);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, bigLength);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.86, 0.25, 0.46);
    cairo_pattern_add_color_stop_rgb(g, 0.55, 0.96, 0.58, 0.71);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.99, 0.84, 0.89);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 5);
    SetColour(cr, 0xC23A6A, 0.8);
    cairo_stroke(cr);
    // Veins.
    cairo_set_line_width(cr, 3);
    for (int v = -3; v <= 3; ++v) {
        cairo_move_to(cr, 0, 20);
        cairo_curve_to(cr, v * 20, 200, v * 45, 380, v * 55, 520 - std::abs(v) * 25);
    }
    SetColour(cr, 0xFFFFFF, 0.3);
    cairo_stroke(cr);
    cairo_restore(cr);

    // The inner petal: bottom-right quarter, base at the bottom edge.
    cairo_save(cr);
    cairo_translate(cr, 384, 512);
    cairo_scale(cr, 256 / smallWidth, -256 / smallLength);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 2);
    cairo_curve_to(cr, 70, 40, 96, 200, 50, 265);
    cairo_curve_to(cr, 30, 275, 10, 262, 0, 248);
    cairo_curve_to(cr, -10, 262, -30, 275, -50, 265);
    cairo_curve_to(cr, -96, 200, -70, 40, 0, 2);
    cairo_close_path(cr);
    g = cairo_pattern_create_linear(0, 0, 0, smallLength);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.95, 0.55, 0.35);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 1.0, 0.85, 0.72);
    cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 0.97, 0.9);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, 0xD9703A, 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_restore(cr);

    // The heart: top-right quarter, an opaque golden disc of radius 120 texels with stamens.
    cairo_save(cr);
    cairo_translate(cr, 384, 128);
    g = cairo_pattern_create_radial(-20, -20, 5, 0, 0, 122);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.95, 0.6);
    cairo_pattern_add_color_stop_rgb(g, 0.6, 0.97, 0.77, 0.2);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.52, 0.12);
    cairo_arc(cr, 0, 0, 122, 0, 2 * pi);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    for (int i = 0; i < 150; ++i) {
        const double a = i * 2.39996, rr = 108 * std::sqrt((i + 0.5) / 150.0);
        cairo_arc(cr, rr * std::cos(a), rr * std::sin(a), 3.2, 0, 2 * pi);
        SetColour(cr, 0xA8601A, 0.55);
        cairo_fill(cr);
        cairo_arc(cr, rr * std::cos(a) - 1, rr * std::sin(a) - 1, 1.4, 0, 2 * pi);
        SetColour(cr, 0xFFF1C1, 0.8);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    c.WritePair(tree, "data\\" + folder + "flower_screen.jpg");
}

void DrawDays(DataTree& tree)
{
    Canvas c(512, 256);
    cairo_t* cr = c.Get();
    for (int day = 1; day <= 30; ++day) {
        const int cell = day - 1;
        const double x = (cell % 8) * 64 + 10, y = (cell / 8) * 64 + 8;
        RoundedRectangle(cr, x + 1.5, y + 2, 44, 48, 5);
        SetColour(cr, 0x000000, 0.2);
        cairo_fill(cr);
        Paper(cr, x, y, 44, 48, 5, 300 + 17 * day);
        RoundedRectangle(cr, x, y, 44, 48, 5);
        SetColour(cr, Palette::wickerMid, 0.9);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        const bool weekend = cell % 7 >= 5;
        char number[4];
        std::snprintf(number, sizeof number, "%d", day);
        ArtText(cr, number, x + 22, y + 26, 21, weekend ? 0xE0574A : 0x6B4A2A, weekend ? 0xA8302A : Palette::ink,
                0, 0);
        if (day == 9) {
            // The festival: a small gold flower in the corner.
            Blossom(cr, x + 36, y + 9, 6, 5, Palette::gold, 0xE0457B);
        }
    }
    c.WritePair(tree, "data\\" + folder + "days.jpg");
}

} // namespace

const Area& StageScreenArea()
{
    static const Area area = [] {
        const std::string m = models;
        Area a{"stage screen",
               {{m + "calendar.mlf", 11, false, {{5, pageX, pageY}}},
                {m + "june.mlf", 11, false, {{5, pageX, 494}}},
                {m + "cross.mlf", 11, false, {{10, 0, 0}}},
                {m + "circle.mlf", 31, false, {{30, 0, 0}}},
                {m + "button_right.mlf", 11, false, {{0, rightX, hiddenSignY}, {5, rightX, signY}, {10, rightX, hiddenSignY}}},
                {m + "button_left.mlf", 11, false, {{0, leftX, hiddenSignY}, {5, leftX, signY}, {10, leftX, hiddenSignY}}},
                {m + "dialog_window.mlf", 11, false, {{0, dialogX, dialogY}, {5, dialogX, dialogY}, {10, dialogX, dialogY}}},
                {m + "flower_screen.mlf", 31, false, {{15, 400, 300}}}},
               {{folder + "calendar.jpg", 1024, 512, true},
                {folder + "days.jpg", 512, 256, true},
                {folder + "flower_screen.jpg", 512, 512, true}}};
        for (int day = 1; day <= 30; ++day)
            a.models.push_back({m + std::to_string(day) + ".mlf", 11, false, {{5, DayX(day), DayY(day)}}});
        return a;
    }();
    return area;
}

void WriteStageScreen(DataTree& tree)
{
    const std::string data = "data\\" + folder;
    {
        Canvas c(texW, texH);
        DrawPage(c.Get());
        DrawBanner(c.Get());
        DrawSign(c.Get(), rightRegion, true);
        DrawSign(c.Get(), leftRegion, false);
        DrawScroll(c.Get());
        DrawPencilMarks(c.Get());
        c.WritePair(tree, data + "calendar.jpg");
    }
    DrawDays(tree);
    DrawFlowerScreen(tree);

    auto write = [&](const std::string& name, const Formats::ModelFile& model, const std::string& image) {
        WriteModel(tree, "data\\" + models + name, model, folder + image + ".jpg", folder + image + "_alpha.jpg");
    };
    write("calendar.mlf", Unfolding(RegionQuad(pageX - 180, pageY - 190, pageX + 180, pageY + 190, pageRegion)),
          "calendar");
    write("june.mlf", Unfolding(RegionQuad(pageX - 100, 470, pageX + 100, 518, bannerRegion)), "calendar");
    for (int day = 1; day <= 30; ++day) {
        const Region cell{((day - 1) % 8) * 64 + 10, ((day - 1) / 8) * 64 + 8, 44, 48};
        const float x = DayX(day), y = DayY(day);
        write(std::to_string(day) + ".mlf", Unfolding(RegionQuad(x - 22, y - 24, x + 22, y + 24, cell, 512, 256)),
              "days");
    }
    write("cross.mlf", Cross(), "calendar");
    write("circle.mlf", Circle(), "calendar");
    write("button_right.mlf", Sliding(RegionQuad(rightX - 105, signY - 28, rightX + 105, signY + 28, rightRegion)),
          "calendar");
    write("button_left.mlf", Sliding(RegionQuad(leftX - 105, signY - 28, leftX + 105, signY + 28, leftRegion)),
          "calendar");
    write("dialog_window.mlf", Scroll(), "calendar");
    write("flower_screen.mlf", FlowerScreen(), "flower_screen");
}

} // namespace DataBuild

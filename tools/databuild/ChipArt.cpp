// The chips: the flower atlas, the chip model, ice pieces and bonus overlays. Every chip model is
// authored centred on the origin; the code moves it onto its cell (pitch 50).
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/FlowerArt.h"
#include "tools/databuild/Manifest.h"
#include "tools/formats/ImageWriters.h"
#include "tools/formats/MaterialWriter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace DataBuild {

namespace {

// Files are written under the data folder; names inside materials are relative to it.
const std::string dataFolder = "data\\";
const std::string chipModels = "chips\\models\\", bonusModels = "chips\\bonuses\\models\\";
const char* const bonusNames[6] = {"bomb_volume", "bomb_horizontal", "bomb_vertical", "bomb_cross", "random_chip_destruction",
                                   "bomb_star"};

constexpr int chipFrames = 6, iceFrames = 11, bonusFrames = 17;
constexpr float chipSize = 48, overlaySize = 56;

void WriteMorph(DataTree& tree, const std::string& name, const std::vector<std::vector<Quad>>& frames, float fps,
                const std::string& colour, bool mipMapped)
{
    tree.Write(dataFolder + name, Formats::EncodeModel(MorphModel(frames, fps)));
    tree.Write(dataFolder + name.substr(0, name.rfind('.')) + ".srf",
               Formats::EncodeMaterial(ImageMaterial(colour, Formats::OpacityName(colour), mipMapped)));
}

// A w x h quad centred on (cx, cy), turned by `angle` radians, showing the texture rectangle (u0, v0)-(u1, v1).
Quad Sprite(float cx, float cy, float w, float h, float angle, float u0, float v0, float u1, float v1)
{
    return Transform(MakeQuad(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2, u0, v0, u1, v1), cx, cy, 1, angle);
}

// The flower atlas: 8 x 4 cells of 64 texels, each picture inside the cell's central 60 x 60.
void WriteFlowers(DataTree& tree)
{
    Canvas canvas(512, 256);
    for (int frame = 0; frame < 32; ++frame)
        DrawFlower(canvas.Get(), frame, 64 * (frame % 8) + 31, 64 * (frame / 8) + 31, 27);
    canvas.WritePair(tree, "data\\chips\\flowers.jpg");
}

// The chip: the atlas cell on a 48 x 48 quad; when selected or hovered it bounces up to 1.08 and back.
void WriteChipModel(DataTree& tree)
{
    static const float scales[chipFrames] = {1.0f, 1.05f, 1.08f, 1.06f, 1.02f, 1.0f};
    std::vector<std::vector<Quad>> frames;
    for (float scale : scales)
        frames.push_back({Transform(MakeQuad(-chipSize / 2, -chipSize / 2, chipSize / 2, chipSize / 2), 0, 0, scale, 0)});
    tree.Write(dataFolder + chipModels + "chip.mlf", Formats::EncodeModel(MorphModel(frames, 10)));
    tree.Write(dataFolder + chipModels + "chip.srf",
               Formats::EncodeMaterial(ImageMaterial("chips\\flowers.jpg", "chips\\flowers_alpha.jpg", false, 8, 4)));
}

// The ice block spans -25..25 units, drawn over the whole image at 2.48 texels a unit (2 texels of margin).
constexpr float iceHalf = 25, iceTexels = 124.0f / 50;

float IceU(float x) { return (64 + x * iceTexels) / 128; }

void WriteIceImage(DataTree& tree)
{
    Canvas canvas(128, 128);
    cairo_t* cr = canvas.Get();
    RoundedRectangle(cr, 3, 3, 122, 122, 22);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 128, 128);
    cairo_pattern_add_color_stop_rgba(body, 0, 0.92, 0.98, 1.0, 0.72);
    cairo_pattern_add_color_stop_rgba(body, 0.5, 0.62, 0.84, 0.97, 0.5);
    cairo_pattern_add_color_stop_rgba(body, 1, 0.4, 0.7, 0.93, 0.68);
    cairo_set_source(cr, body);
    cairo_pattern_destroy(body);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x3F86C4, 0.95);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // An inner bevel: light on the upper left, deeper on the lower right.
    RoundedRectangle(cr, 10, 10, 108, 108, 16);
    SetColour(cr, 0xFFFFFF, 0.7);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_move_to(cr, 116, 30);
    cairo_line_to(cr, 116, 100);
    cairo_arc(cr, 100, 100, 16, 0, pi / 2);
    cairo_line_to(cr, 30, 116);
    SetColour(cr, Palette::ice, 0.9);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // Frost streaks and glints.
    SetColour(cr, 0xFFFFFF, 0.85);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 6);
    cairo_move_to(cr, 24, 52);
    cairo_line_to(cr, 52, 24);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3.5);
    cairo_move_to(cr, 26, 72);
    cairo_line_to(cr, 72, 26);
    cairo_stroke(cr);
    cairo_move_to(cr, 80, 104);
    cairo_line_to(cr, 104, 80);
    cairo_stroke(cr);
    // Thin cracks.
    SetColour(cr, 0xFFFFFF, 0.6);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 64, 10);
    cairo_line_to(cr, 70, 40);
    cairo_line_to(cr, 60, 58);
    cairo_line_to(cr, 72, 84);
    cairo_move_to(cr, 70, 40);
    cairo_line_to(cr, 92, 48);
    cairo_move_to(cr, 60, 58);
    cairo_line_to(cr, 36, 92);
    cairo_stroke(cr);
    // Little bubbles.
    for (const auto& b : {std::array{94.0, 28.0, 4.0}, {102.0, 42.0, 2.5}, {32.0, 100.0, 3.5}, {46.0, 108.0, 2.0}}) {
        cairo_arc(cr, b[0], b[1], b[2], 0, 2 * pi);
        SetColour(cr, 0xFFFFFF, 0.75);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    canvas.WritePair(tree, "data\\chips\\ice.jpg");
}

// Quarter k (0 upper left, 1 upper right, 2 lower left, 3 lower right) breaks off, flies outwards,
// spins and shrinks; on the last frame it is collapsed to a point: nothing is drawn.
void WriteIceModels(DataTree& tree)
{
    for (int k = 0; k < 4; ++k) {
        const float sx = k % 2 ? 1.0f : -1.0f, sy = k < 2 ? 1.0f : -1.0f;
        const float x0 = sx < 0 ? -iceHalf : 0, x1 = x0 + iceHalf, y0 = sy < 0 ? -iceHalf : 0, y1 = y0 + iceHalf;
        const Quad piece = MakeQuad(x0, y0, x1, y1, IceU(x0), IceU(y0), IceU(x1), IceU(y1));
        const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, spin = (k == 0 || k == 3 ? 1.0f : -1.0f) * 4.2f;
        std::vector<std::vector<Quad>> frames;
        for (int f = 0; f < iceFrames; ++f) {
            const float t = f / float(iceFrames - 2), out = EaseOut(std::min(t, 1.0f));
            const float scale = f == iceFrames - 1 ? 0 : 1 - 0.65f * t;
            // Out along the diagonal, with a drop that grows as the piece slows.
            const float dx = sx * 34 * out, dy = sy * 26 * out - 14 * t * t;
            frames.push_back({Transform(piece, cx, cy, scale, spin * EaseOut(std::min(t, 1.0f)), dx, dy)});
        }
        WriteMorph(tree, chipModels + "ice_cube_" + std::to_string(k) + ".mlf", frames, 20, "chips\\ice.jpg", true);
    }
}

// The bonus overlay atlas: 4 x 4 cells of 64 texels. Cells: 0 dewdrop ring, 1 leaf arrow pointing right
// (drawn at the cell's right edge), 2 butterfly, 3 gold star, 4 rainbow ring, 5 golden halo ring.
void DrawDewRing(cairo_t* cr, double cx, double cy)
{
    for (int i = 0; i < 8; ++i) {
        const double a = i * pi / 4 - pi / 2, x = cx + 23 * std::cos(a), y = cy + 23 * std::sin(a);
        const double r = i % 2 ? 4.2 : 5.5;
        cairo_arc(cr, x + 1, y + 1.2, r, 0, 2 * pi);
        SetColour(cr, 0x1A3A60, 0.25);
        cairo_fill(cr);
        cairo_arc(cr, x, y, r, 0, 2 * pi);
        cairo_pattern_t* drop = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.4, 0, x, y, r);
        cairo_pattern_add_color_stop_rgba(drop, 0, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(drop, 0.45, 0.7, 0.9, 1.0, 0.95);
        cairo_pattern_add_color_stop_rgba(drop, 1, 0.25, 0.55, 0.9, 0.95);
        cairo_set_source(cr, drop);
        cairo_pattern_destroy(drop);
        cairo_fill_preserve(cr);
        SetColour(cr, 0x1F5E9E);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
}

void DrawLeafArrow(cairo_t* cr, double cx, double cy)
{
    // A leaf pointing right with its tip at the cell's right edge, a chevron behind it.
    const double tip = cx + 30, base = cx + 13;
    cairo_move_to(cr, base, cy);
    cairo_curve_to(cr, base + 1, cy - 11, tip - 9, cy - 10, tip, cy);
    cairo_curve_to(cr, tip - 9, cy + 10, base + 1, cy + 11, base, cy);
    cairo_close_path(cr);
    cairo_pattern_t* leaf = cairo_pattern_create_linear(base, cy - 8, base, cy + 8);
    cairo_pattern_add_color_stop_rgb(leaf, 0, 0.72, 0.9, 0.45);
    cairo_pattern_add_color_stop_rgb(leaf, 1, 0.25, 0.55, 0.25);
    cairo_set_source(cr, leaf);
    cairo_pattern_destroy(leaf);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, base + 2, cy);
    cairo_line_to(cr, tip - 4, cy);
    SetColour(cr, 0xF4FFE0, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, base - 6, cy - 7);
    cairo_line_to(cr, base - 1, cy);
    cairo_line_to(cr, base - 6, cy + 7);
    SetColour(cr, Palette::deep);
    cairo_set_line_width(cr, 4.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    SetColour(cr, Palette::gold);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
}

void DrawButterfly(cairo_t* cr, double cx, double cy)
{
    static const uint32_t wings[4] = {0xE8452E, 0xF6C534, 0x4E7FD9, 0x8E5CC2};
    for (int side : {-1, 1})
        for (int lower : {0, 1}) {
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_scale(cr, side, 1);
            if (lower) {
                cairo_move_to(cr, 1, 1);
                cairo_curve_to(cr, 6, 3, 13, 8, 9, 14);
                cairo_curve_to(cr, 6, 17, 1, 11, 1, 1);
            } else {
                cairo_move_to(cr, 1, 0);
                cairo_curve_to(cr, 4, -13, 20, -18, 19, -6);
                cairo_curve_to(cr, 18, 0, 8, 3, 1, 0);
            }
            cairo_close_path(cr);
            cairo_pattern_t* p = cairo_pattern_create_linear(0, -14, 0, 14);
            const uint32_t a = wings[(side > 0 ? 0 : 2) + lower], b = wings[(side > 0 ? 1 : 3) - lower];
            AddStop(p, 0, a);
            AddStop(p, 1, b);
            cairo_set_source(cr, p);
            cairo_pattern_destroy(p);
            cairo_fill_preserve(cr);
            SetColour(cr, 0x2A1A30);
            cairo_set_line_width(cr, 1.3);
            cairo_stroke(cr);
            cairo_arc(cr, lower ? 6 : 12, lower ? 9 : -7, lower ? 1.6 : 2.4, 0, 2 * pi);
            SetColour(cr, 0xFFFFFF, 0.9);
            cairo_fill(cr);
            cairo_restore(cr);
        }
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1.6, 8);
    cairo_arc(cr, 0, 0.1, 1, 0, 2 * pi);
    cairo_restore(cr);
    SetColour(cr, 0x2A1A30);
    cairo_fill(cr);
    cairo_move_to(cr, cx - 1, cy - 7);
    cairo_curve_to(cr, cx - 2, cy - 11, cx - 4, cy - 13, cx - 6, cy - 14);
    cairo_move_to(cr, cx + 1, cy - 7);
    cairo_curve_to(cr, cx + 2, cy - 11, cx + 4, cy - 13, cx + 6, cy - 14);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner)
{
    for (int i = 0; i < 10; ++i) {
        const double a = -pi / 2 + i * pi / 5, r = i % 2 ? inner : outer;
        i == 0 ? cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a)) : cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void DrawStar(cairo_t* cr, double cx, double cy)
{
    StarPath(cr, cx + 1.5, cy + 2, 27, 12);
    SetColour(cr, 0x5A3A12, 0.25);
    cairo_fill(cr);
    StarPath(cr, cx, cy, 27, 12);
    cairo_pattern_t* gold = cairo_pattern_create_radial(cx - 6, cy - 8, 2, cx, cy, 28);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.97, 0.75);
    cairo_pattern_add_color_stop_rgb(gold, 0.5, 0.98, 0.78, 0.3);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.85, 0.55, 0.12);
    cairo_set_source(cr, gold);
    cairo_pattern_destroy(gold);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x8A5A10);
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    StarPath(cr, cx, cy, 16, 7);
    SetColour(cr, 0xFFFFFF, 0.35);
    cairo_fill(cr);
}

void DrawRing(cairo_t* cr, double cx, double cy, bool rainbow)
{
    // A soft ring between radii 21 and 29: rainbow bands, or a golden halo.
    const int segments = 48;
    for (int i = 0; i < segments; ++i) {
        const double a0 = i * 2 * pi / segments, a1 = (i + 1.05) * 2 * pi / segments;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 25, a0, a1);
        double r = 1, g = 0.85, b = 0.4;
        if (rainbow) {
            const double h = 6.0 * i / segments;
            auto channel = [h](double shift) { return std::clamp(std::abs(std::fmod(h + shift, 6.0) - 3) - 1, 0.0, 1.0); };
            r = 0.2 + 0.8 * channel(0);
            g = 0.2 + 0.8 * channel(4);
            b = 0.2 + 0.8 * channel(2);
        }
        cairo_set_source_rgba(cr, r, g, b, rainbow ? 0.8 : 0.75 + 0.25 * std::cos(a0 * 3));
        cairo_set_line_width(cr, rainbow ? 4 : 3);
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy, 25, 0, 2 * pi);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.2);
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    // Twinkles on the ring.
    for (int i = 0; i < 4; ++i) {
        const double a = i * pi / 2 + pi / 4, x = cx + 25 * std::cos(a), y = cy + 25 * std::sin(a);
        cairo_move_to(cr, x, y - 5);
        cairo_line_to(cr, x + 1.2, y - 1.2);
        cairo_line_to(cr, x + 5, y);
        cairo_line_to(cr, x + 1.2, y + 1.2);
        cairo_line_to(cr, x, y + 5);
        cairo_line_to(cr, x - 1.2, y + 1.2);
        cairo_line_to(cr, x - 5, y);
        cairo_line_to(cr, x - 1.2, y - 1.2);
        cairo_close_path(cr);
        SetColour(cr, 0xFFFFFF);
        cairo_fill(cr);
    }
}

void WriteBonusImage(DataTree& tree)
{
    Canvas canvas(256, 256);
    cairo_t* cr = canvas.Get();
    auto centre = [](int cell) { return std::pair{64.0 * (cell % 4) + 32, 64.0 * (cell / 4) + 32}; };
    DrawDewRing(cr, centre(0).first, centre(0).second);
    DrawLeafArrow(cr, centre(1).first, centre(1).second);
    DrawButterfly(cr, centre(2).first, centre(2).second + 1);
    DrawStar(cr, centre(3).first, centre(3).second);
    DrawRing(cr, centre(4).first, centre(4).second, true);
    DrawRing(cr, centre(5).first, centre(5).second, false);
    canvas.WritePair(tree, "data\\chips\\bonuses\\bonuses.jpg");
}

// A texture rectangle inside bonus cell `cell`: the central `texels` square, optionally mirrored in u.
struct CellUv {
    float u0, v0, u1, v1;
};
CellUv BonusCell(int cell, float texels = overlaySize, bool mirror = false)
{
    const float inset = (64 - texels) / 2;
    const float u0 = (64 * (cell % 4) + inset) / 256, u1 = (64 * (cell % 4) + 64 - inset) / 256;
    const float v0 = 1 - (64 * (cell / 4) + 64 - inset) / 256, v1 = 1 - (64 * (cell / 4) + inset) / 256;
    return mirror ? CellUv{u1, v0, u0, v1} : CellUv{u0, v0, u1, v1};
}

// A size x size sprite of bonus cell `cell` showing its central `texels` square.
Quad CellSprite(int cell, float cx, float cy, float size, float angle, float texels = 0, bool mirror = false)
{
    const CellUv uv = BonusCell(cell, texels > 0 ? texels : size, mirror);
    return Sprite(cx, cy, size, size, angle, uv.u0, uv.v0, uv.u1, uv.v1);
}

void WriteBonusModels(DataTree& tree)
{
    for (int kind = 0; kind < 6; ++kind) {
        std::vector<std::vector<Quad>> frames;
        for (int f = 0; f < bonusFrames; ++f) {
            // The last frame repeats the first exactly: the loop starts anywhere.
            const float t = float(f % (bonusFrames - 1)) / (bonusFrames - 1), wave = std::sin(2 * float(pi) * t);
            const float push = 2.5f * (1 - std::cos(2 * float(pi) * t)) / 2; // 0 -> 2.5 -> 0 units
            std::vector<Quad> quads;
            switch (kind) {
            case 0: // a ring of dewdrops pulsing
                quads.push_back(Transform(CellSprite(0, 0, 0, overlaySize, 0), 0, 0, 1 + 0.06f * wave, 0));
                break;
            case 1: // arrows to the left and right
            case 2: // up and down
            case 3: // all four
                for (int d = 0; d < 4; ++d) {
                    if ((kind == 1 && d % 2) || (kind == 2 && d % 2 == 0))
                        continue;
                    const float angle = d * float(pi) / 2;
                    quads.push_back(Transform(CellSprite(1, 0, 0, overlaySize, angle), 0, 0, 1, 0,
                                              push * std::cos(angle), push * std::sin(angle)));
                }
                break;
            case 4: { // a rainbow ring turning, a butterfly circling it
                quads.push_back(CellSprite(4, 0, 0, overlaySize, -2 * float(pi) * t));
                const float a = 2 * float(pi) * t + float(pi) / 4, flap = 0.75f + 0.25f * std::cos(8 * float(pi) * t);
                const CellUv uv = BonusCell(2, 40);
                quads.push_back(Sprite(20 * std::cos(a), 20 * std::sin(a), 22 * flap, 22, a, uv.u0, uv.v0, uv.u1, uv.v1));
                break;
            }
            default: // a golden halo and a small star turning at the top right
                quads.push_back(Transform(CellSprite(5, 0, 0, overlaySize, 0), 0, 0, 1 + 0.03f * wave, 0));
                quads.push_back(CellSprite(3, 15, 15, 24, -2 * float(pi) * t, 60));
                break;
            }
            frames.push_back(quads);
        }
        WriteMorph(tree, bonusModels + bonusNames[kind] + ".mlf", frames, 12, "chips\\bonuses\\bonuses.jpg", kind == 5);
    }
}

} // namespace

const Area& ChipArea()
{
    static const Area area = [] {
        Area a{"Chips", {}, {}};
        a.models.push_back({"chips\\models\\chip.mlf", chipFrames, false, {}});
        for (int k = 0; k < 4; ++k)
            a.models.push_back({"chips\\models\\ice_cube_" + std::to_string(k) + ".mlf", iceFrames, false, {}});
        for (const char* name : bonusNames)
            a.models.push_back({"chips\\bonuses\\models\\" + std::string(name) + ".mlf", bonusFrames, false, {}});
        a.images = {{"chips\\flowers.jpg", 512, 256, true}, {"chips\\ice.jpg", 128, 128, true}, {"chips\\bonuses\\bonuses.jpg", 256, 256, true}};
        return a;
    }();
    return area;
}

void WriteChips(DataTree& tree)
{
    WriteFlowers(tree);
    WriteChipModel(tree);
    WriteIceImage(tree);
    WriteIceModels(tree);
    WriteBonusImage(tree);
    WriteBonusModels(tree);
}

} // namespace DataBuild

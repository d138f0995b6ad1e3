#pragma once
// Drawing helpers of the data builder: cairo canvases turned into the engine's JPEG pairs, and the GUI
// models (quads in GUI units, invisible helpers) with their materials.

#include "tools/databuild/DataTree.h"
#include "tools/formats/MaterialWriter.h"
#include "tools/formats/ModelWriter.h"

#include <cairo.h>

#include <array>
#include <string>
#include <vector>

namespace DataBuild {

constexpr double pi = 3.14159265358979323846;

// The palette of the art (0xRRGGBB): a June garden.
namespace Palette {
constexpr uint32_t deep = 0x234B33, leaf = 0x4E8A4A, fresh = 0x8CC26A, mint = 0xCFE8B0;
constexpr uint32_t skyTop = 0xBFE3F2, horizon = 0xF4F9E8, sun = 0xFFE9A8;
constexpr uint32_t wickerDark = 0x6B4423, wickerMid = 0xA06A3A, wickerLight = 0xD9A86A, straw = 0xF0D49A;
constexpr uint32_t paper = 0xFFF6E0, paperShade = 0xEAD9B5, ink = 0x4A2E1A;
constexpr uint32_t cream = 0xFFF8E8, textGold = 0xFFD66B, textOutline = 0x1F4A2A, titleOutline = 0x5A3A12;
constexpr uint32_t button = 0x6DB35A, buttonDark = 0x3E7D3A, buttonHover = 0x8FD16E, buttonPressed = 0x2F6A2E,
                   buttonDisabled = 0x9AA89A;
constexpr uint32_t warning = 0xD9453B, iceLight = 0xBFE6FF, ice = 0x7FC4F0, stoneLight = 0x8A8F98, stone = 0x5E636B,
                   gold = 0xF2B541, silver = 0xC9CED6, copper = 0xC07A45;
} // namespace Palette

// A cairo canvas, top row first as an image viewer shows it.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* operator->() const { return cr; }
    cairo_t* Get() const { return cr; }
    int Width() const { return width; }
    int Height() const { return height; }

    // A colour JPEG and, with opacity, its "_alpha" partner; the colour under transparent texels is
    // spread from the nearest drawn texels, so filtering shows no dark fringes.
    void WritePair(DataTree& tree, const std::string& colourName) const;
    void WriteOpaque(DataTree& tree, const std::string& colourName) const;

private:
    int width, height;
    cairo_surface_t* surface;
    cairo_t* cr;
};

// Text on art is drawn with DejaVu Serif Bold, loaded straight from its file (no font lookup, so
// every build draws with the same font). ReleaseArtFonts frees it and cairo's caches at the end.
void SetSerifBold(cairo_t* cr);
void ReleaseArtFonts();

void SetColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
// A gradient stop of a 0xRRGGBB colour.
void AddStop(cairo_pattern_t* pattern, double at, uint32_t rgb, double alpha = 1.0);
// An integer hash whose every input bit moves every output bit: the same on every build.
uint32_t MixBits(uint32_t n);
// 0..1 from an integer, by that hash: where scattered details go.
float Fraction(uint32_t n);
// A colour between a and b, channel by channel (t 0..1), rounded to the nearest level.
uint32_t Mix(uint32_t a, uint32_t b, double t);
// Lighter towards white (t > 0) or darker towards black (t < 0).
uint32_t Shade(uint32_t rgb, double t);
void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r);
// A vertical gradient from top to bottom colours.
void FillVertical(cairo_t* cr, double y0, double y1, uint32_t top, uint32_t bottom);
// A full-screen picture sits in rows 424-1023 of a 1024 x 1024 image (where the quad's texture extent
// samples it): moves the origin to the screen's top-left and clips drawing to its 800 x 600.
void EnterScreen(cairo_t* cr);
// Fills the whole screen with a pattern, then releases the pattern.
void PaintScreen(cairo_t* cr, cairo_pattern_t* pattern);

// A textured quadrilateral: corners lower-left, lower-right, upper-left, upper-right, positions in GUI
// units with their texture coordinates ((0, 0) is the image's lower-left corner).
struct Quad {
    std::array<std::array<float, 2>, 4> position;
    std::array<std::array<float, 2>, 4> uv;
};
Quad MakeQuad(float x0, float y0, float x1, float y1, float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1);
// The quad scaled by `scale` and turned by `angle` radians (counter-clockwise) about (cx, cy), then moved
// by (dx, dy). Scale 0 collapses it onto (cx, cy) + (dx, dy): nothing drawn.
Quad Transform(const Quad& quad, float cx, float cy, float scale, float angle, float dx = 0, float dy = 0);
// A static model of quads; its box is the geometry's extents (hit tests use it).
Formats::ModelFile StaticModel(const std::vector<Quad>& quads);
// A morph model: frames[f] holds the quads of frame f, the same number in every frame; one box per frame,
// the frame's extents. Positions and texture coordinates blend between frames.
Formats::ModelFile MorphModel(const std::vector<std::vector<Quad>>& frames, float framesPerSecond);
// Key-frame spacing for t in 0..1: arrivals ease out, departures ease in.
float EaseOut(float t);
float EaseIn(float t);
float EaseInOut(float t);

// A static GUI quad from (x0, y0) to (x1, y1) in GUI units, texture (0, 0) to (u, v) (the extent).
Formats::ModelFile QuadModel(float x0, float y0, float x1, float y1, float u = 1, float v = 1);
// An invisible anchor: one degenerate triangle, one box per frame centred on the given points.
Formats::ModelFile HelperModel(const std::vector<std::array<float, 2>>& centres, float framesPerSecond);

// A model and its material naming a colour and opacity pair (data-relative names; opacity may be
// empty), or no stage at all when colour is empty.
void WriteModel(DataTree& tree, const std::string& modelName, const Formats::ModelFile& model,
                const std::string& colour, const std::string& opacity);
// The start-up art: console, logos, loading screen, cursor, gui\common, main menu.
void WriteStartupArt(DataTree& tree);
// The icon and cursors the platform layer reads from <base>\resources.
void WriteResources(DataTree& tree);
// The greenhouse scene and its nine flowers.
void WriteFlowerHouse(DataTree& tree);

// One alpha-blended stage on a pair: mip levels only for pictures drawn smaller than they are; an atlas
// whose frame the code chooses when columns x rows > 1.
Formats::MaterialFile ImageMaterial(const std::string& colour, const std::string& opacity, bool mipMapped,
                                    uint32_t columns = 1, uint32_t rows = 1);
// A material of one static stage on a pair, alpha-blended, no mip levels.
void WriteMaterial(DataTree& tree, const std::string& materialName, const std::string& colour,
                   const std::string& opacity);

} // namespace DataBuild

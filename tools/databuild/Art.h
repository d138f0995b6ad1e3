#pragma once
// Drawing helpers of the data builder: cairo canvases turned into the engine's JPEG pairs, and the GUI
// models (quads in GUI units, invisible helpers) with their materials.

#include "tools/databuild/DataTree.h"
#include "tools/formats/ModelWriter.h"

#include <cairo.h>

#include <array>
#include <string>
#include <vector>

namespace DataBuild {

constexpr double pi = 3.14159265358979323846;

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
void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r);
// A vertical gradient from top to bottom colours.
void FillVertical(cairo_t* cr, double y0, double y1, uint32_t top, uint32_t bottom);

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

// A material of one static stage on a pair, alpha-blended, no mip levels.
void WriteMaterial(DataTree& tree, const std::string& materialName, const std::string& colour,
                   const std::string& opacity);

} // namespace DataBuild

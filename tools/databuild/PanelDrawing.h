#pragma once
// Drawing recipes shared by the in-level panel and the bonus tally: soft shadows, leaves, wood grain and
// a few small motifs (a flower basket, a daisy coin, a blossom burst). Canvas units, rows top first.

#include "tools/formats/MaterialWriter.h"

#include <cairo.h>

#include <cstdint>
#include <functional>

namespace DataBuild::PanelDrawing {

// Black at `alpha`, offset (dx, dy) canvas texels, blurred over `blur` texels; `path` builds the outline.
void SoftShadow(cairo_t* cr, const std::function<void()>& path, double dx = 2, double dy = 2, double blur = 2.5,
                double alpha = 0.25);
// Fills the current path (kept) with a radial gradient from `inner` at (x, y) to `outer` at radius r.
void FillRadial(cairo_t* cr, double x, double y, double r, uint32_t inner, uint32_t outer);
// Strokes and clears the current path.
void Stroke(cairo_t* cr, uint32_t rgb, double width, double alpha = 1);
// A pointed leaf from its base at (x, y), turned by `angle` (0 points up); `width` is relative to length.
void LeafPath(cairo_t* cr, double x, double y, double length, double angle, double width = 0.55);
void Leaf(cairo_t* cr, double x, double y, double length, double angle, uint32_t light, uint32_t dark);
// Wavy wood grain and a few knots inside the rectangle.
void Grain(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double alpha = 0.18);
// A wicker basket with three flowers, its rim centred on (x, y); about 50 x 44 texels at scale 1.
void SmallBasket(cairo_t* cr, double x, double y, double scale);
// A gold coin of radius r with a daisy in relief.
void Coin(cairo_t* cr, double x, double y, double r);
// Gold rays and sparks bursting out of a poppy, reaching radius r.
void Burst(cairo_t* cr, double x, double y, double r);

// The chip flower atlas (8 x 4 frames, chosen by the code), for models that show one of the stage's flowers.
Formats::MaterialFile ChipAtlasMaterial();

} // namespace DataBuild::PanelDrawing

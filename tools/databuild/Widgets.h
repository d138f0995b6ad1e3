#pragma once
// Drawing recipes shared by the start-up art and the greenhouse: wicker braids and weaves, the rounded
// dialog frame, pill buttons, glows, leaves, daisies and gradient text. Coordinates are cairo's (y down).

#include "tools/databuild/Art.h"

#include <cstdint>

namespace DataBuild::Widgets {

// Fills the current path with a vertical gradient and keeps the path.
void FillVerticalAlpha(cairo_t* cr, double y0, double y1, uint32_t top, uint32_t bottom, double alpha = 1.0);
// A radial glow (colour at the centre fading to nothing at radius), squashed by ry/rx.
void Glow(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t rgb, double alpha);

// A soft drop shadow of the current path (offset down-right), built from a few widening strokes; the
// path is kept.
void Shadow(cairo_t* cr, double dx, double dy, double spread, double alpha);

// A braided wicker band along a rounded rectangle's centre line: alternating slanted reeds over a dark
// core, edged by thin dark lines. `width` is the band's full width.
void WickerRim(cairo_t* cr, double x, double y, double w, double h, double radius, double width);
// Reeds of a braid along the current path (consumed), `width` across.
void WickerBraid(cairo_t* cr, double width);
// A basket weave filling the current clip: over-and-under strips of the given pitch.
void WickerWeave(cairo_t* cr, double x, double y, double w, double h, double pitch);

// A leaf from (x, y) pointing along `angle` (radians, cairo orientation), with a midrib.
void Leaf(cairo_t* cr, double x, double y, double length, double width, double angle, uint32_t rgb,
          bool vein = true);
// A daisy of the given radius: white petals round a yellow disc.
void Daisy(cairo_t* cr, double x, double y, double radius, double petalTurn = 0);
// A curling tendril ending in a little spiral, from (x, y) towards `direction` (+1 right, -1 left).
void Tendril(cairo_t* cr, double x, double y, double size, int direction, uint32_t rgb);

// The dialog recipe: a wicker-rimmed rounded frame (w x h at the origin) with a dark-green panel and a
// faint leaf watermark; with bandBottom > bandTop a lighter title band (canvas rows) with curled-leaf tips.
void DialogFrame(cairo_t* cr, double w, double h, double bandTop, double bandBottom, uint32_t seed);

// Button states of the frame grids: 0 normal, 1 hover, 2 pressed, 3 disabled.
// A green pill with a wicker rim filling w x h (a few texels kept free for the hover glow).
void PillButton(cairo_t* cr, double w, double h, int state);

// Text on art: DejaVu Serif Bold along a path, filled with a vertical gradient and outlined.
// Returns the drawn width. The path is centred on centreX with its baseline at `baseline`.
double ArtText(cairo_t* cr, const char* text, double centreX, double baseline, double size, uint32_t top,
               uint32_t bottom, uint32_t outline, double outlineWidth);

// A deterministic pseudo-random value in 0..1 from integers.
double Hash(uint32_t a, uint32_t b = 0);

} // namespace DataBuild::Widgets

namespace DataBuild {
// gui\common: the dialog frames and widgets.
void WriteCommonWidgets(DataTree& tree);
} // namespace DataBuild

#pragma once
// The flowers of the chip atlas, shared by every picture that shows a chip's flower (the chip atlas, the
// small basket atlas, icons). Frames as in the atlas: 0 daisy, 1 rose, 2 tulip, 3 cornflower,
// 4 sunflower, 5 violet, 6 the stone, 7 peony, 8 bellflower, 9 lily, 10 poppy, 11 forget-me-not,
// 12 carnation, 13 lavender, 14 daffodil, 15 pansy; 16-31 golden variants of 0-15.

#include <cairo.h>

namespace DataBuild {

// Draws the frame's flower centred on (x, y), fitting a circle of the given radius.
void DrawFlower(cairo_t* cr, int frame, double x, double y, double radius);

} // namespace DataBuild

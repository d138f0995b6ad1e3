#include "tools/databuild/FlowerArt.h"

#include "tools/databuild/Art.h"

namespace DataBuild {

void DrawFlower(cairo_t* cr, int frame, double x, double y, double radius)
{
    static const uint32_t colours[16] = {0xFFFFFF, 0xE0457B, 0xF28C28, 0x4E7FD9, 0xF6C534, 0x8E5CC2, 0x8A8F98, 0xF59BB6,
                                         0x8C8CE8, 0xFFF1C1, 0xE8452E, 0x7CC4F2, 0xD9479A, 0xB38BE0, 0xFFE066, 0x8E5CC2};
    cairo_arc(cr, x, y, radius, 0, 2 * pi);
    SetColour(cr, colours[frame % 16]);
    cairo_fill(cr);
}

} // namespace DataBuild

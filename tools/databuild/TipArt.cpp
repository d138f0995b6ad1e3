// The pictures of the tip pages, the relax question and the order tip. The picture window takes the
// texture's size, so each is drawn at its display size, 256 x 128.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

#include <cmath>

namespace DataBuild {

namespace {

const char* const tips[] = {"tip_swap", "tip_baskets", "tip_bonus", "tip_places", "tip_powerups",
                            "tip_layers", "tip_horn", "tip_scissors", "tip_timer", "tip_stones",
                            "tip_two_columns", "tip_frozen", "tip_two_conveyors", "tip_effects",
                            "tip_tornado", "tip_chains", "tip_target", "relax", "order"};

} // namespace

const Area& TipArea()
{
    static const Area area = [] {
        Area a{"tip pictures", {}, {}};
        for (const char* tip : tips)
            a.images.push_back({std::string("gui\\tip_window\\") + tip + ".jpg", 256, 128, true});
        return a;
    }();
    return area;
}

void WriteTipPictures(DataTree& tree)
{
    static const uint32_t accents[] = {0xE0457B, 0xF28C28, 0xF6C534, 0x4E7FD9, 0x8E5CC2};
    int index = 0;
    for (const char* tip : tips) {
        // A paper card with a row of three flowers.
        Canvas c(256, 128);
        cairo_t* cr = c.Get();
        RoundedRectangle(cr, 2, 2, 252, 124, 12);
        FillVertical(cr, 2, 126, Palette::paper, Palette::paperShade);
        SetColour(cr, Palette::wickerMid);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        for (int k = 0; k < 3; ++k) {
            const double x = 68 + 60 * k;
            for (int p = 0; p < 5; ++p) {
                cairo_arc(cr, x + 14 * std::cos(p * 2 * pi / 5), 64 + 14 * std::sin(p * 2 * pi / 5), 10, 0, 2 * pi);
                SetColour(cr, accents[(index + k) % 5]);
                cairo_fill(cr);
            }
            cairo_arc(cr, x, 64, 7, 0, 2 * pi);
            SetColour(cr, 0xFFE066);
            cairo_fill(cr);
        }
        c.WritePair(tree, std::string("data\\gui\\tip_window\\") + tip + ".jpg");
        ++index;
    }
}

} // namespace DataBuild

// The cells: tile, layers, shine, borders, fragments, powerups, horn and tornado.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& CellArea()
{
    static const Area area{"Cells", {}, {}};
    return area;
}

void WriteCells(DataTree&)
{
}

} // namespace DataBuild

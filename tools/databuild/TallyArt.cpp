// The bonus tally of gui\level_complete: the festival basket, its carrier, its flowers, bonus badges and the orders.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& TallyArea()
{
    static const Area area{"Tally", {}, {}};
    return area;
}

void WriteTally(DataTree&)
{
}

} // namespace DataBuild

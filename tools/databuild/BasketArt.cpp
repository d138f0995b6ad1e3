// The baskets and conveyors of gui\baskets, both sides.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& BasketArea()
{
    static const Area area{"Baskets", {}, {}};
    return area;
}

void WriteBaskets(DataTree&)
{
}

} // namespace DataBuild

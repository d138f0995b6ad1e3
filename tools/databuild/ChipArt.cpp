// The chips: the flower atlas, the chip model, ice pieces and bonus overlays.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& ChipArea()
{
    static const Area area{"Chips", {}, {}};
    return area;
}

void WriteChips(DataTree&)
{
}

} // namespace DataBuild

// The level backgrounds, one corner of the garden per day, and the butterflies.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& BackgroundArea()
{
    static const Area area{"Backgrounds", {}, {}};
    return area;
}

void WriteBackgrounds(DataTree&)
{
}

} // namespace DataBuild

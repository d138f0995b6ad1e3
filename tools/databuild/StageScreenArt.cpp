// The stage screen: calendar, banner, days, cross, circle, signposts, dialog and the flower screen.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& StageScreenArea()
{
    static const Area area{"StageScreen", {}, {}};
    return area;
}

void WriteStageScreen(DataTree&)
{
}

} // namespace DataBuild

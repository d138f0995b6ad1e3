// The in-level panel of gui\game_panel: body, goal bar, goal icons, level marks, lives, clock, menu button, scissors.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& PanelArea()
{
    static const Area area{"Panel", {}, {}};
    return area;
}

void WritePanel(DataTree&)
{
}

} // namespace DataBuild

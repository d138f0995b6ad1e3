// The comics: backs, panels and pictures.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& ComicsArea()
{
    static const Area area{"Comics", {}, {}};
    return area;
}

void WriteComics(DataTree&)
{
}

} // namespace DataBuild

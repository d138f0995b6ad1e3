// The level boards of data\levels\meshes, one per level, drawn from text grids and checked before
// they are written.
#include "tools/databuild/DataBuild.h"

namespace DataBuild {

void WriteBoards(DataTree&)
{
}

} // namespace DataBuild

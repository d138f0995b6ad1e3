#include "tools/databuild/DataBuild.h"

namespace DataBuild {

void BuildData(const std::string& baseFolder)
{
    DataTree tree(baseFolder);
    WriteSettings(tree);
    WriteCatalogue(tree);
}

} // namespace DataBuild

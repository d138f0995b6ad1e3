// The particle systems and their textures.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"

namespace DataBuild {

const Area& ParticleArea()
{
    static const Area area{"ParticleSystems", {}, {}};
    return area;
}

void WriteParticleSystems(DataTree&)
{
}

} // namespace DataBuild

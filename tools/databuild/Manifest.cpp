#include "tools/databuild/Manifest.h"

namespace DataBuild {

std::vector<const Area*> Areas()
{
    return {&StartupArea(), &FlowerHouseArea(), &TipArea(),       &PanelArea(),
            &TallyArea(),   &BasketArea(),      &ChipArea(),      &CellArea(),
            &ParticleArea(), &BackgroundArea(), &StageScreenArea(), &ComicsArea()};
}

} // namespace DataBuild

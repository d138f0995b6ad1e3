#pragma once
// What the game's code relies on in the models and images of each area of the data set: frame counts
// that cover the ranges the code plays, the box centres it follows or clicks, image sizes that its
// extents and frame grids are fractions of. The writers build from these tables; the audit reads every
// file back against them.

#include <cstdint>
#include <string>
#include <vector>

namespace DataBuild {

// A box centre the code reads at a frame (an anchor it follows, a click area), in GUI units.
struct Anchor {
    uint32_t frame;
    float x, y;
};

struct ModelSpec {
    std::string name;      // under data\: "gui\game_panel\models\clock.mlf"
    uint32_t frames = 1;   // 1: static; more: the morph frames the code plays
    bool helper = false;   // an invisible anchor: one degenerate triangle, a material without a stage
    std::vector<Anchor> anchors;
};

struct ImageSpec {
    std::string name;      // the colour image under data\: "gui\game_panel\clock.jpg"
    uint32_t width = 0, height = 0;
    bool opacity = true;   // has an "_alpha" partner of the same size
};

struct Area {
    std::string name;
    std::vector<ModelSpec> models;
    std::vector<ImageSpec> images;
};

// Each area is defined beside the code that writes it.
const Area& StartupArea();      // console, logos, loading screen, cursor, gui\common, main menu
const Area& FlowerHouseArea();  // backgrounds\flower_house
const Area& TipArea();          // gui\tip_window pictures
const Area& PanelArea();        // gui\game_panel
const Area& TallyArea();        // gui\level_complete
const Area& BasketArea();       // gui\baskets
const Area& ChipArea();         // chips
const Area& CellArea();         // cell
const Area& ParticleArea();     // particle systems (their textures)
const Area& BackgroundArea();   // backgrounds\background_N, plants
const Area& StageScreenArea();  // gui\stage_screen
const Area& ComicsArea();       // gui\comics

// All of them, in the order above.
std::vector<const Area*> Areas();

} // namespace DataBuild

#include "tools/databuild/DataBuild.h"

#include "tools/databuild/Art.h"

namespace DataBuild {

void BuildData(const std::string& baseFolder)
{
    DataTree tree(baseFolder);
    WriteSettings(tree);
    WriteCatalogue(tree);
    WriteStoryTexts(tree);
    WriteTextTables(tree);
    WriteFonts(tree);
    WriteStartupArt(tree);
    WriteFlowerHouse(tree);
    WriteResources(tree);
    WriteTipPictures(tree);
    WriteBoards(tree);
    WritePanel(tree);
    WriteTally(tree);
    WriteBaskets(tree);
    WriteChips(tree);
    WriteCells(tree);
    WriteParticleSystems(tree);
    WriteBackgrounds(tree);
    WriteStageScreen(tree);
    WriteComics(tree);
    ReleaseArtFonts();
    WriteSounds(tree);
}

} // namespace DataBuild

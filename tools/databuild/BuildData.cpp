#include "tools/databuild/DataBuild.h"

#include "tools/databuild/Art.h"

#include <exception>
#include <thread>

namespace DataBuild {

void BuildData(const std::string& baseFolder)
{
    DataTree tree(baseFolder);
    // The sounds take longest and share nothing with the rest: they are made on a thread of their own.
    std::exception_ptr soundFailure;
    std::jthread sounds([&tree, &soundFailure] {
        try {
            WriteSounds(tree);
        } catch (...) {
            soundFailure = std::current_exception();
        }
    });
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
    sounds.join();
    if (soundFailure)
        std::rethrow_exception(soundFailure);
}

} // namespace DataBuild

#include "game/board/GameLogicData.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "framework/TextFileWords.h"

#include <chrono>

namespace Petalwork {

namespace {

constexpr uint32_t vertexColoursFlag = 0x20;
// The GUI drawing class: out of the lit, depth-tested scene, sorted back to front by the owner's depth.
constexpr uint32_t sceneClassFlags = 0x40 | 0x80 | 0x200;
constexpr uint32_t guiClassFlags = 0x400 | 0x800;

} // namespace

GameLogicData::GameLogicData(VantoranEngine::Engine& engine, const GameFramework::StageInfo& stage_)
    : DataKeeper(engine), stage(stage_)
{
}

GameLogicData::~GameLogicData()
{
    backgroundModels.clear();
}

std::string GameLogicData::FolderOf(int32_t background)
{
    return "backgrounds\\background_" + std::to_string(background) + "\\";
}

void GameLogicData::LoadResources()
{
    const auto start = std::chrono::steady_clock::now();
    const std::string folder = FolderOf(stage.background);
    const std::string fileName = "data\\" + folder + "background.ini";
    try {
        std::unique_ptr<VantoranEngine::FileTextual> file = files->OpenTextual(fileName, false);
        butterflyMinimum = file->ReadInt();
        butterflyMaximum = file->ReadInt();
        areaMinimumX = file->ReadFloat();
        areaMinimumY = file->ReadFloat();
        areaMaximumX = file->ReadFloat();
        areaMaximumY = file->ReadFloat();
        // The butterflies' count is minimum + r mod (maximum - minimum + 1): refuse what would divide by
        // zero or give a negative count.
        if (butterflyMinimum < 0 || butterflyMaximum < butterflyMinimum)
            throw VantoranEngine::FileError("Incorrect butterfly counts in \"" + fileName + "\" file");
        std::string word;
        while (GameFramework::ReadNextWord(*file, word)) {
            VantoranEngine::Model* model = models->LoadDetachedModel(folder + "models\\" + word, vertexColoursFlag);
            model->flags &= ~sceneClassFlags;
            model->flags |= guiClassFlags;
            modelList.emplace_back(model);
            backgroundModels.push_back(model);
        }
    } catch (const VantoranEngine::FileError& error) {
        log->LogFatalError(error.message);
    }
    const std::chrono::duration<float> seconds = std::chrono::steady_clock::now() - start;
    log->LogMessage("Level resources loaded in " + VantoranEngine::FloatToString(seconds.count(), 6) + " s");
}

} // namespace Petalwork

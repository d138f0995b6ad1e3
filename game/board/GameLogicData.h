#pragma once
// GameLogicData: the resources of one stage's levels: the stage background's scene models and the
// butterflies' count range and area, loaded behind the level loading screen.
//
// Rules:
// - LoadResources runs on the loading worker (see DataKeeper): files and the model manager only; the
//   load time is measured with a plain clock, not a registered timer.
// - The background file is "data\backgrounds\background_<N>\background.ini": butterfly minimum and
//   maximum, the area (x min, y min, x max, y max, virtual screen units, y up), then one model name per
//   word, each under "backgrounds\background_<N>\models\". A missing model gives the engine's box model.
// - A missing or unreadable file, or counts that are not 0 <= minimum <= maximum, are logged with
//   "PROGRAM ABORTING: " and thrown as FatalError, which the loading screen hands to the main thread.
// - The models belong to the keeper's list; `backgroundModels` only points at them.

#include "framework/DataKeeper.h"
#include "framework/StageInfo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Petalwork {

class GameLogicData : public GameFramework::DataKeeper {
public:
    GameLogicData(VantoranEngine::Engine& engine, const GameFramework::StageInfo& stage);
    ~GameLogicData() override;

    // "backgrounds\background_<N>\"
    static std::string FolderOf(int32_t background);

    GameFramework::StageInfo stage;
    int32_t butterflyMinimum = 0;
    int32_t butterflyMaximum = 0;
    float areaMinimumX = 0.0f;
    float areaMinimumY = 0.0f;
    float areaMaximumX = 0.0f;
    float areaMaximumY = 0.0f;
    std::vector<VantoranEngine::Model*> backgroundModels; // file order

protected:
    void LoadResources() override;
};

} // namespace Petalwork

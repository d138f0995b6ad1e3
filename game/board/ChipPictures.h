#pragma once
// ChipPictures: the engine models of every chip of the level's chip manager and of its two hint chips,
// made when a chip first appears in the list, brought in line with each chip's look once per frame and
// deleted when the chip has left the list.

#include "game/board/ChipModels.h"

#include <memory>
#include <unordered_map>

namespace Petalwork {

class ChipManager;

class ChipPictures {
public:
    ChipPictures(VantoranEngine::ModelManager& models, const ChipPrototypes& prototypes);

    void Follow(const ChipManager& chips);
    size_t Count() const { return pictures.size(); }

private:
    VantoranEngine::ModelManager& models;
    const ChipPrototypes& prototypes;
    std::unordered_map<const ChipLogic*, std::unique_ptr<ChipModels>> pictures;
    std::unique_ptr<ChipModels> hintA;
    std::unique_ptr<ChipModels> hintB;
};

} // namespace Petalwork

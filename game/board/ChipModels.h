#pragma once
// ChipModels: the engine models of one chip (main, doubling image, bonus overlay, ice cubes), cloned
// from the level's prototypes and put each frame where the chip's look says.
//
// Rules:
// - The prototypes come from the global resource bundle: the chip model (its clones wear the flower
//   atlas), the six bonus overlays in bonus-kind order and the four ice cubes. They outlive every ChipModels.
// - Drawn = the model's active flag. The main model's animation runs at 10 frames per second; the
//   picture is the atlas frame (the material's stage time).
// - Destruction removes every model from the manager's list and deletes it.

#include "game/board/Chip.h"

#include <array>
#include <vector>

namespace VantoranEngine {
class Camera;
class Model;
class ModelManager;
class ShaderDescriptor;
}

namespace Petalwork {

struct ChipPrototypes {
    const VantoranEngine::Model* chip = nullptr;
    const VantoranEngine::ShaderDescriptor* flowers = nullptr; // the 8 x 4 flower atlas the chips wear
    std::array<const VantoranEngine::Model*, bonusKindCount> bonuses{}; // [0] unused
    std::array<const VantoranEngine::Model*, 4> ice{};
    VantoranEngine::Camera* camera = nullptr; // the GUI camera
};

class ChipModels {
public:
    static constexpr float animationSpeed = 10.0f; // frames per second

    // `withSecond`: board chips have a doubling image, hint chips none.
    ChipModels(VantoranEngine::ModelManager& models, const ChipPrototypes& prototypes, bool withSecond);
    ~ChipModels();

    ChipModels(const ChipModels&) = delete;
    ChipModels& operator=(const ChipModels&) = delete;

    // Brings every model in line with the chip's look and position.
    void Follow(const Chip& chip);

    VantoranEngine::Model* main = nullptr;
    VantoranEngine::Model* second = nullptr;
    VantoranEngine::Model* bonus = nullptr;
    std::vector<VantoranEngine::Model*> ice;

private:
    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype);
    VantoranEngine::Model* CloneChip();
    void Delete(VantoranEngine::Model*& model);
    void SyncBonus(const Chip& chip);
    void SyncIce(const Chip& chip);

    VantoranEngine::ModelManager& models;
    const ChipPrototypes& prototypes;
    int bonusGeneration = -1;
    int iceGeneration = -1;
};

} // namespace Petalwork

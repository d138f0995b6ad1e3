#include "game/board/ChipPictures.h"

#include "game/board/ChipManager.h"

#include <unordered_set>

namespace Petalwork {

ChipPictures::ChipPictures(VantoranEngine::ModelManager& models_, const ChipPrototypes& prototypes_)
    : models(models_), prototypes(prototypes_)
{
    hintA = std::make_unique<ChipModels>(models, prototypes, false);
    hintB = std::make_unique<ChipModels>(models, prototypes, false);
}

void ChipPictures::Follow(const ChipManager& chips)
{
    std::unordered_set<const ChipLogic*> present;
    for (const auto& chip : chips.chips) {
        present.insert(chip.get());
        auto& picture = pictures[chip.get()];
        if (!picture)
            picture = std::make_unique<ChipModels>(models, prototypes, true);
        picture->Follow(ChipManager::Of(*chip));
    }
    for (auto it = pictures.begin(); it != pictures.end();) {
        if (present.count(it->first) == 0)
            it = pictures.erase(it);
        else
            ++it;
    }
    hintA->Follow(*chips.hintA);
    hintB->Follow(*chips.hintB);
}

} // namespace Petalwork

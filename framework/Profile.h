#pragma once
// Profile: the game's profile: ProfileBase plus the flowers planted per stage and two one-time flags.
// The game's class, kept beside the framework's base because it needs nothing of the game.
//
// Rules: as ProfileBase. The per-stage list always has the length given at construction (9 in the game),
// whatever a file holds.

#include "framework/ProfileBase.h"

namespace Petalwork {

class Profile : public GameFramework::ProfileBase {
public:
    // A new profile under `name`: 4 lives, both flags set, `stageCount` zeros; saved at once.
    Profile(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files, std::string userRoot,
            const std::u16string& name, uint32_t stageCount);
    // A profile read from `fileName` under the profiles folder; throws `Error("")` when it cannot be read.
    Profile(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files, std::string userRoot,
            const std::string& fileName, uint32_t stageCount);

    // A new game: 4 lives carried, total 0.
    void Reset() override;
    void Write(GameFramework::VersionedFile& file) override;
    void Read(GameFramework::VersionedFile& file) override;

    std::vector<int32_t> perStageValues; // flowers planted in the flower house, per stage
    bool introComicPending = true;       // the opening comic has not been shown yet
    bool relaxQuestionPending = true;    // relax mode has not been offered yet

private:
    uint32_t stageCount;
};

} // namespace Petalwork

#pragma once
// ProfileManager: the game's profile manager. It makes `Profile`s with 9 per-stage values and keeps the
// per-level records of each player (the level bonuses earned the last time a level was won) in the
// manager file. The game's class, kept beside the framework's base because it needs nothing of the game.
//
// Rules: as ProfileManagerBase. Level records are keyed by stage, level and the exact name the current
// profile had when they were stored; deleting a profile erases its records, renaming leaves the old
// ones unreachable. Without a current profile the record calls do nothing and read 0. Positions of a
// loaded profile that lie outside the catalogue read as (0, 0).

#include "framework/ProfileManagerBase.h"

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {
class LevelManagerBase;
}

namespace Petalwork {

struct LevelRecord {
    int32_t stage = 0;
    int32_t level = 0;
    std::u16string profileName;
    int32_t value = 0;
};

class ProfileManager : public GameFramework::ProfileManagerBase {
public:
    static constexpr uint32_t stageCount = 9; // per-stage values of every profile

    // Loads every profile and the manager file. `catalogue` may be null (positions are then not checked).
    ProfileManager(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files,
                   GameFramework::VolumeControl* volumes, std::string userRoot,
                   const GameFramework::LevelManagerBase* catalogue);
    ProfileManager(VantoranEngine::Engine& engine, GameFramework::VolumeControl* volumes, std::string userRoot,
                   const GameFramework::LevelManagerBase* catalogue);
    ~ProfileManager() override;

    std::unique_ptr<GameFramework::ProfileBase> LoadProfile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> NewProfile(const std::u16string& name) override;
    void Write(GameFramework::VersionedFile& file) override;
    void Read(GameFramework::VersionedFile& file) override;
    void DeleteProfile(const std::u16string& name) override;

    // The current profile's record of the level := value (added when missing), saved.
    void SetLevelRecord(const GameFramework::LevelPosition& position, int32_t value);
    // The current profile's record of the level; 0 when there is none.
    int32_t GetLevelRecord(const GameFramework::LevelPosition& position) const;
    const std::vector<LevelRecord>& GetLevelRecords() const { return levelRecords; }

protected:
    void ClearRecords() override;

private:
    // The index of the current profile's record of the level, or the record count.
    size_t FindRecord(const GameFramework::LevelPosition& position) const;

    const GameFramework::LevelManagerBase* catalogue;
    std::vector<LevelRecord> levelRecords;
};

} // namespace Petalwork

#include "framework/ProfileManager.h"

#include "engine/core/Engine.h"
#include "framework/LevelManagerBase.h"
#include "framework/Profile.h"

#include <algorithm>

namespace Petalwork {

using GameFramework::LevelPosition;
using GameFramework::ProfileBase;
using GameFramework::VersionedFile;

namespace {

// The least bytes a level record takes: stage, level, an empty name's count byte, value.
constexpr uint32_t minLevelRecordSize = 4 + 4 + 1 + 4;

} // namespace

ProfileManager::ProfileManager(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files,
                               GameFramework::VolumeControl* volumes, std::string userRoot,
                               const GameFramework::LevelManagerBase* catalogue_)
    : ProfileManagerBase(log, files, volumes, std::move(userRoot)), catalogue(catalogue_)
{
    LoadAll();
}

ProfileManager::ProfileManager(VantoranEngine::Engine& engine, GameFramework::VolumeControl* volumes,
                               std::string userRoot, const GameFramework::LevelManagerBase* catalogue_)
    : ProfileManager(engine.messageManager.get(), engine.fileManager.get(), volumes, std::move(userRoot), catalogue_)
{
}

ProfileManager::~ProfileManager() = default;

std::unique_ptr<ProfileBase> ProfileManager::LoadProfile(const std::string& fileName)
{
    auto profile = std::make_unique<Profile>(log, files, userRoot, fileName, stageCount);
    // A damaged or outdated file must not send the game to a level that does not exist.
    if (catalogue) {
        if (!catalogue->Contains(profile->currentPosition))
            profile->currentPosition = {};
        if (!catalogue->Contains(profile->bestPosition))
            profile->bestPosition = {};
    }
    return profile;
}

std::unique_ptr<ProfileBase> ProfileManager::NewProfile(const std::u16string& name)
{
    return std::make_unique<Profile>(log, files, userRoot, name, stageCount);
}

void ProfileManager::Write(VersionedFile& out)
{
    ProfileManagerBase::Write(out);
    out.WriteU32(static_cast<uint32_t>(levelRecords.size()));
    for (const LevelRecord& record : levelRecords) {
        out.WriteI32(record.stage);
        out.WriteI32(record.level);
        out.WriteWide(record.profileName);
        out.WriteI32(record.value);
    }
}

void ProfileManager::Read(VersionedFile& in)
{
    ProfileManagerBase::Read(in);
    const uint32_t count = in.ReadU32();
    in.CheckCount(count, minLevelRecordSize);
    std::vector<LevelRecord> records(count);
    for (LevelRecord& record : records) {
        record.stage = in.ReadI32();
        record.level = in.ReadI32();
        record.profileName = in.ReadWide();
        record.value = in.ReadI32();
    }
    levelRecords = std::move(records);
}

void ProfileManager::ClearRecords()
{
    ProfileManagerBase::ClearRecords();
    levelRecords.clear();
}

void ProfileManager::DeleteProfile(const std::u16string& name)
{
    // A later profile of the same name must not inherit the records.
    if (const ProfileBase* profile = FindProfile(name)) {
        const std::u16string exact = profile->name;
        std::erase_if(levelRecords, [&](const LevelRecord& record) { return record.profileName == exact; });
    }
    ProfileManagerBase::DeleteProfile(name);
}

size_t ProfileManager::FindRecord(const LevelPosition& position) const
{
    if (!current)
        return levelRecords.size();
    for (size_t i = 0; i < levelRecords.size(); ++i) {
        const LevelRecord& record = levelRecords[i];
        if (static_cast<uint32_t>(record.stage) == position.stage &&
            static_cast<uint32_t>(record.level) == position.level && record.profileName == current->name)
            return i;
    }
    return levelRecords.size();
}

void ProfileManager::SetLevelRecord(const LevelPosition& position, int32_t value)
{
    if (!current)
        return;
    const size_t index = FindRecord(position);
    if (index < levelRecords.size())
        levelRecords[index].value = value;
    else
        levelRecords.push_back({static_cast<int32_t>(position.stage), static_cast<int32_t>(position.level),
                                current->name, value});
    Save();
}

int32_t ProfileManager::GetLevelRecord(const LevelPosition& position) const
{
    const size_t index = FindRecord(position);
    return index < levelRecords.size() ? levelRecords[index].value : 0;
}

} // namespace Petalwork

#pragma once
// ProfileManagerBase: owns every profile, knows the current one, and keeps the manager file
// <user-data root>\usersdata\profiles.pmf (magic "PWPMF", version 102) with the current profile's name
// and the records a game adds.
//
// Rules:
// - Names are trimmed once where they enter (find, create, rename) and compared without regard to case,
//   so " bob" and "Bob" are one name. An empty or over-long trimmed name is refused.
// - Profiles are kept sorted by their lower-cased names (UTF-16 units); equal names keep their order.
// - Every change is saved at once. A failed save is logged and leaves the old file; a profile file that
//   cannot be read is left out of the list (and on disk); a missing or damaged manager file is replaced
//   by a fresh one, with the first profile current.
// - Main thread only.

#include "framework/ProfileBase.h"
#include "framework/VersionedFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GameFramework {

class VolumeControl;

// A record found in the manager file: kept and written back unchanged.
struct ManagerKeptRecord {
    int32_t first = 0;
    int32_t second = 0;
    std::u16string text;
    int32_t last = 0;
};

class ProfileManagerBase {
public:
    static constexpr const char* fileMagic = "PWPMF";
    static constexpr uint32_t fileVersion = 102;

    // `volumes` may be null (the volume calls then do nothing). Loads nothing: the game's manager does.
    ProfileManagerBase(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files,
                       VolumeControl* volumes, std::string userRoot);
    virtual ~ProfileManagerBase();

    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;

    // The current profile's volumes into the player.
    virtual void ApplyProfileVolumes();
    // Lists and loads the profile files, then reads the manager file (see the rules).
    virtual void LoadAll();
    virtual std::unique_ptr<ProfileBase> LoadProfile(const std::string& fileName) = 0;
    virtual std::unique_ptr<ProfileBase> NewProfile(const std::u16string& name) = 0;
    virtual void Write(VersionedFile& file);
    virtual void Read(VersionedFile& file);
    // The player's volumes into the profile, saved.
    virtual void StoreProfileVolumes(ProfileBase& profile);

    // The profile of that name, or null.
    ProfileBase* FindProfile(const std::u16string& name) const;
    // The profile of that name when there is one, else a new one, listed and saved (not made current).
    // Null for a name that is empty or longer than a file can hold once trimmed.
    ProfileBase* CreateProfile(const std::u16string& name);
    // Deletes the profile and its file; the first remaining profile becomes current when it was current.
    virtual void DeleteProfile(const std::u16string& name);
    // False (nothing changes) when the new name is refused or taken, or the old one is not found.
    bool RenameProfile(const std::u16string& newName, const std::u16string& oldName);

    ProfileBase* GetCurrentProfile() const { return current; }
    // One of the listed profiles, or null; the caller saves.
    void SetCurrentProfile(ProfileBase* profile) { current = profile; }
    const std::vector<std::unique_ptr<ProfileBase>>& GetProfiles() const { return profiles; }
    const std::vector<ManagerKeptRecord>& GetKeptRecords() const { return keptRecords; }

    // False when the file could not be written (logged; the old file stays).
    bool Save();
    // user-data root + "\usersdata\profiles.pmf".
    std::string GetPath() const;

protected:
    // The name as the manager takes it: trimmed; empty when it is refused.
    static std::u16string NormaliseName(const std::u16string& name);
    // Empties what the manager file holds besides the current name (a fresh file).
    virtual void ClearRecords();
    void SortProfiles();

    VantoranEngine::MessageManager* log;
    VantoranEngine::FileManager* files;
    VolumeControl* volumes;
    VersionedFile file;
    std::vector<std::unique_ptr<ProfileBase>> profiles;
    ProfileBase* current = nullptr;
    std::vector<ManagerKeptRecord> keptRecords;
    std::string userRoot;
};

} // namespace GameFramework

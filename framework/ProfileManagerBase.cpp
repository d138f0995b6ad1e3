#include "framework/ProfileManagerBase.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"
#include "framework/VolumeControl.h"

#include <algorithm>

namespace GameFramework {

using VantoranEngine::FileError;

namespace {

// The least bytes a kept record takes: two numbers, an empty text's count byte, a number.
constexpr uint32_t minKeptRecordSize = 4 + 4 + 1 + 4;

} // namespace

ProfileManagerBase::ProfileManagerBase(VantoranEngine::MessageManager* log_, VantoranEngine::FileManager* files_,
                                       VolumeControl* volumes_, std::string userRoot_)
    : log(log_), files(files_), volumes(volumes_), file(files_, fileMagic, fileVersion), userRoot(std::move(userRoot_))
{
}

ProfileManagerBase::~ProfileManagerBase()
{
    file.CloseQuietly();
}

std::string ProfileManagerBase::GetPath() const
{
    return userRoot + "\\usersdata\\profiles.pmf";
}

std::u16string ProfileManagerBase::NormaliseName(const std::u16string& name)
{
    std::u16string trimmed = VantoranEngine::TrimCopyWide(name);
    if (trimmed.size() > VantoranEngine::FileBinary::maxStringLength)
        return {};
    return trimmed;
}

void ProfileManagerBase::ApplyProfileVolumes()
{
    if (!current || !volumes)
        return;
    volumes->SetMusicVolume(current->musicVolume);
    volumes->SetSoundVolume(current->soundVolume);
}

void ProfileManagerBase::StoreProfileVolumes(ProfileBase& profile)
{
    if (volumes) {
        profile.musicVolume = volumes->GetMusicVolume();
        profile.soundVolume = volumes->GetSoundVolume();
    }
    profile.Save();
}

void ProfileManagerBase::LoadAll()
{
    std::vector<std::string> found;
    files->ListFiles(ProfileBase::ProfilesFolder(userRoot), found, "*.prf");
    for (const std::string& path : found) {
        const size_t slash = path.find_last_of("\\/");
        const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
        try {
            profiles.push_back(LoadProfile(fileName));
        } catch (const VantoranEngine::FatalError&) {
            throw;
        } catch (const VantoranEngine::Error&) {
            // Already in the log; the file stays on disk.
        }
    }
    SortProfiles();

    try {
        file.Open(GetPath(), VersionedFile::Mode::Read);
        Read(file);
        file.Close();
    } catch (const FileError&) {
        file.Discard();
        current = nullptr;
        ClearRecords();
        Save();
    }
    if (!current && !profiles.empty()) {
        current = profiles.front().get();
        Save();
    }
}

void ProfileManagerBase::ClearRecords()
{
    keptRecords.clear();
}

void ProfileManagerBase::SortProfiles()
{
    std::stable_sort(profiles.begin(), profiles.end(), [](const auto& a, const auto& b) {
        return VantoranEngine::ToLowerCopyWide(a->name) < VantoranEngine::ToLowerCopyWide(b->name);
    });
}

ProfileBase* ProfileManagerBase::FindProfile(const std::u16string& name) const
{
    const std::u16string wanted = VantoranEngine::ToLowerCopyWide(NormaliseName(name));
    if (wanted.empty())
        return nullptr;
    for (const auto& profile : profiles)
        if (VantoranEngine::ToLowerCopyWide(profile->name) == wanted)
            return profile.get();
    return nullptr;
}

ProfileBase* ProfileManagerBase::CreateProfile(const std::u16string& name)
{
    const std::u16string trimmed = NormaliseName(name);
    if (trimmed.empty())
        return nullptr;
    if (ProfileBase* existing = FindProfile(trimmed))
        return existing;
    std::unique_ptr<ProfileBase> profile = NewProfile(trimmed);
    StoreProfileVolumes(*profile);
    ProfileBase* made = profile.get();
    profiles.push_back(std::move(profile));
    SortProfiles();
    Save();
    return made;
}

void ProfileManagerBase::DeleteProfile(const std::u16string& name)
{
    ProfileBase* profile = FindProfile(name);
    if (!profile)
        return;
    profile->DeleteFile();
    const auto it = std::find_if(profiles.begin(), profiles.end(), [&](const auto& p) { return p.get() == profile; });
    std::unique_ptr<ProfileBase> removed = std::move(*it);
    profiles.erase(it);
    if (current == profile)
        current = profiles.empty() ? nullptr : profiles.front().get();
    removed.reset();
    Save();
}

bool ProfileManagerBase::RenameProfile(const std::u16string& newName, const std::u16string& oldName)
{
    const std::u16string trimmed = NormaliseName(newName);
    if (trimmed.empty() || FindProfile(trimmed))
        return false;
    ProfileBase* profile = FindProfile(oldName);
    if (!profile)
        return false;
    profile->Rename(trimmed);
    SortProfiles();
    Save();
    return true;
}

bool ProfileManagerBase::Save()
{
    try {
        file.Open(GetPath(), VersionedFile::Mode::Write);
        Write(file);
        file.Close();
        return true;
    } catch (const FileError& error) {
        file.Discard();
        log->LogError(error.message);
        return false;
    }
}

void ProfileManagerBase::Write(VersionedFile& out)
{
    out.WriteWide(current ? current->name : std::u16string());
    out.WriteU32(static_cast<uint32_t>(keptRecords.size()));
    for (const ManagerKeptRecord& record : keptRecords) {
        out.WriteI32(record.first);
        out.WriteI32(record.second);
        out.WriteWide(record.text);
        out.WriteI32(record.last);
    }
}

void ProfileManagerBase::Read(VersionedFile& in)
{
    const std::u16string name = in.ReadWide();
    current = name.empty() ? nullptr : FindProfile(name);
    const uint32_t count = in.ReadU32();
    in.CheckCount(count, minKeptRecordSize);
    std::vector<ManagerKeptRecord> records(count);
    for (ManagerKeptRecord& record : records) {
        record.first = in.ReadI32();
        record.second = in.ReadI32();
        record.text = in.ReadWide();
        record.last = in.ReadI32();
    }
    keptRecords = std::move(records);
}

} // namespace GameFramework

#include "framework/ProfileBase.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Random.h"
#include "platform/os/Path.h"

#include <algorithm>
#include <cmath>

namespace GameFramework {

using VantoranEngine::FileError;

namespace {

// A volume as the sliders hold it, 0..1; a value no slider can give (out of range, not a number) is
// clamped, or the middle for a NaN.
float ReadVolume(VersionedFile& in)
{
    const float volume = in.ReadF32();
    if (std::isnan(volume))
        return 0.5f;
    return std::clamp(volume, 0.0f, 1.0f);
}

} // namespace

ProfileBase::ProfileBase(VantoranEngine::MessageManager* log_, VantoranEngine::FileManager* files_,
                         std::string userRoot_)
    : log(log_), files(files_), file(files_, fileMagic, fileVersion), userRoot(std::move(userRoot_))
{
}

ProfileBase::~ProfileBase()
{
    file.CloseQuietly();
}

void ProfileBase::Reset()
{
    livesCarried = 3;
    totalScore = 0;
}

std::string ProfileBase::ProfilesFolder(const std::string& root)
{
    return root + "\\usersdata\\profiles";
}

std::string ProfileBase::GetPath() const
{
    return ProfilesFolder(userRoot) + "\\" + fileName;
}

void ProfileBase::Load(const std::string& fileName_)
{
    fileName = fileName_;
    newProfile = false;
    try {
        file.Open(GetPath(), VersionedFile::Mode::Read);
        Read(file);
        file.Close();
    } catch (const FileError& error) {
        file.Discard();
        log->LogError(error.message);
        keptRecords.clear();
        throw VantoranEngine::Error("");
    }
}

void ProfileBase::Create(const std::u16string& name_)
{
    name = VantoranEngine::TrimCopyWide(name_);
    musicVolume = 0.5f;
    soundVolume = 0.5f;
    currentPosition = {};
    bestPosition = {};
    gameCompleted = false;
    savedGame = false;
    newProfile = true;
    Reset();
    fileName = ChooseFileName();
    Save();
}

std::string ProfileBase::FileNameBase(const std::u16string& name)
{
    const std::string narrow = VantoranEngine::ToLowerCopy(VantoranEngine::WideToMultiByte(name));
    std::string base;
    for (char c : narrow)
        if (c >= 'a' && c <= 'z')
            base += c;
    return base;
}

std::string ProfileBase::ChooseFileName() const
{
    const std::string base = FileNameBase(name);
    const std::string folder = ProfilesFolder(userRoot) + "\\";
    std::string stem;
    for (int attempt = 0; attempt < fileNameTries; ++attempt) {
        stem = base;
        if (stem.size() < fileNameLength - 1) {
            stem += '_';
            while (stem.size() < fileNameLength)
                stem += static_cast<char>('0' + VantoranEngine::Random() % 10);
        }
        if (!files->Exists(folder + stem + ".prf"))
            return stem + ".prf";
    }
    // Every try was taken (always so for a second long name with the same letters): count on.
    for (uint32_t counter = 1;; ++counter) {
        const std::string candidate = stem + "_" + std::to_string(counter) + ".prf";
        if (!files->Exists(folder + candidate))
            return candidate;
    }
}

bool ProfileBase::Save()
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

bool ProfileBase::Rename(const std::u16string& name_)
{
    std::u16string trimmed = VantoranEngine::TrimCopyWide(name_);
    if (trimmed.empty())
        return false;
    name = std::move(trimmed);
    Save();
    return true;
}

void ProfileBase::DeleteFile()
{
    Platform::DeleteFile(GetPath());
}

void ProfileBase::Write(VersionedFile& out)
{
    out.WriteWide(name);
    out.WriteI32(livesCarried);
    out.WriteI32(totalScore);
    out.WriteI32(static_cast<int32_t>(currentPosition.stage));
    out.WriteI32(static_cast<int32_t>(currentPosition.level));
    out.WriteI32(static_cast<int32_t>(bestPosition.stage));
    out.WriteI32(static_cast<int32_t>(bestPosition.level));
    out.WriteBool(gameCompleted);
    out.WriteU32(static_cast<uint32_t>(keptRecords.size()));
    for (const ProfileKeptRecord& record : keptRecords)
        for (int32_t value : record.values)
            out.WriteI32(value);
    out.WriteBool(savedGame);
    WriteVolumes(out);
}

void ProfileBase::Read(VersionedFile& in)
{
    // Names enter trimmed and never empty; a file holding anything else was damaged.
    name = VantoranEngine::TrimCopyWide(in.ReadWide());
    if (name.empty())
        in.ThrowFormatError();
    livesCarried = in.ReadI32();
    totalScore = in.ReadI32();
    currentPosition.stage = static_cast<uint32_t>(in.ReadI32());
    currentPosition.level = static_cast<uint32_t>(in.ReadI32());
    bestPosition.stage = static_cast<uint32_t>(in.ReadI32());
    bestPosition.level = static_cast<uint32_t>(in.ReadI32());
    gameCompleted = in.ReadBool();
    const uint32_t count = in.ReadU32();
    in.CheckCount(count, sizeof(ProfileKeptRecord::values));
    keptRecords.assign(count, {});
    for (ProfileKeptRecord& record : keptRecords)
        for (int32_t& value : record.values)
            value = in.ReadI32();
    savedGame = in.ReadBool();
    ReadVolumes(in);
}

void ProfileBase::WriteVolumes(VersionedFile& out)
{
    out.WriteF32(musicVolume);
    out.WriteF32(soundVolume);
}

void ProfileBase::ReadVolumes(VersionedFile& in)
{
    musicVolume = ReadVolume(in);
    soundVolume = ReadVolume(in);
}

void SetProfilePosition(const LevelPosition& position, ProfileBase& profile)
{
    profile.currentPosition = position;
    profile.Save();
}

void UpdateBestPosition(const LevelPosition& position, bool completed, ProfileBase& profile)
{
    const LevelPosition& best = profile.bestPosition;
    const bool beyond = position.stage > best.stage || (position.stage == best.stage && position.level > best.level);
    if (beyond || (IsSamePosition(position, best) && completed)) {
        profile.bestPosition = position;
        profile.gameCompleted = completed;
        profile.Save();
    }
}

} // namespace GameFramework

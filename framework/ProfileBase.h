#pragma once
// ProfileBase: one player's progress and settings, in a file of its own,
// <user-data root>\usersdata\profiles\<file name> (magic "PWPRF", version 107).
//
// Rules:
// - Profiles are created, renamed and deleted through the profile manager; everybody else reads and
//   changes the fields and calls `Save` after a change.
// - Names are stored without surrounding white space. The file name is made once, at `Create`, from the
//   letters a to z of the name plus random digits, and never changes.
// - `Save` never destroys the previous file: a failure is logged as an error, the old file stays and the
//   profile in memory is unchanged. `Load` of a missing or damaged file logs the error and throws an
//   `Error` with an empty message; counts in the file are checked against its size, a name that is
//   empty once trimmed makes the file damaged, and volumes read are kept in 0..1 (0.5 for NaN).
// - Main thread only.

#include "framework/LevelPosition.h"
#include "framework/VersionedFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {
class FileManager;
class MessageManager;
} // namespace VantoranEngine

namespace GameFramework {

// A record found in a profile file: kept and written back unchanged.
struct ProfileKeptRecord {
    int32_t values[3] = {0, 0, 0};
};

class ProfileBase {
public:
    static constexpr const char* fileMagic = "PWPRF";
    static constexpr uint32_t fileVersion = 107;
    // Names with this many letters a to z or more get no random digits.
    static constexpr size_t fileNameLength = 16;
    static constexpr int fileNameTries = 1024;

    ProfileBase(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files, std::string userRoot);
    virtual ~ProfileBase();

    ProfileBase(const ProfileBase&) = delete;
    ProfileBase& operator=(const ProfileBase&) = delete;

    // A new game: 3 lives carried, total 0.
    virtual void Reset();
    // Reads the file; on failure logs it and throws `Error("")`.
    virtual void Load(const std::string& fileName);
    // A new profile under the trimmed name, with a file name of its own, saved at once.
    virtual void Create(const std::u16string& name);
    virtual void Write(VersionedFile& file);
    virtual void Read(VersionedFile& file);
    virtual void WriteVolumes(VersionedFile& file);
    virtual void ReadVolumes(VersionedFile& file);

    // False when the file could not be written (logged; the old file stays).
    bool Save();
    // The trimmed name, saved; an empty result is refused (false, nothing changes).
    bool Rename(const std::u16string& name);
    // Deletes this profile's file only.
    void DeleteFile();

    const std::string& GetFileName() const { return fileName; }
    // user-data root + "\usersdata\profiles\" + file name.
    std::string GetPath() const;
    // The folder of the profile files under a user-data root.
    static std::string ProfilesFolder(const std::string& userRoot);
    // The letters a to z of the name, lower-cased, in order.
    static std::string FileNameBase(const std::u16string& name);

    std::u16string name;
    float soundVolume = 0.5f; // 0..1
    float musicVolume = 0.5f; // 0..1
    int32_t livesCarried = 0; // spare lives taken into the next level
    int32_t totalScore = 0;   // sum of the scores of the levels won
    LevelPosition currentPosition; // the level to play next
    LevelPosition bestPosition;    // the furthest level reached
    bool gameCompleted = false;
    std::vector<ProfileKeptRecord> keptRecords;
    bool savedGame = false;  // a game can be continued from the current position
    bool newProfile = false; // made by Create rather than loaded (not saved)

protected:
    VantoranEngine::MessageManager* log;
    VantoranEngine::FileManager* files;
    VersionedFile file;
    std::string userRoot;
    std::string fileName;

private:
    // A file name no file under the profiles folder has yet.
    std::string ChooseFileName() const;
};

// The profile's current position := position, saved.
void SetProfilePosition(const LevelPosition& position, ProfileBase& profile);
// When the position lies beyond the best one (a higher stage, or the same stage and a higher level), or
// equals it with `completed` set: best := position, completed flag := `completed`, saved.
void UpdateBestPosition(const LevelPosition& position, bool completed, ProfileBase& profile);

} // namespace GameFramework

#pragma once
// Paths and folders: the boundary between the engine's names and the native file system.
//
// Rules:
// - Engine names are Windows-shaped: '\' or '/' separate components, runs of separators count as one,
//   and any case is accepted. A name is absolute when it starts with '/' (a native root handed out by
//   this layer) or when its second character is ':' (a drive; the drive is dropped, so "C:\Logs" is
//   "/Logs").
// - ToNativePath is the one place that turns an engine name into a native path. Each component is used
//   as written when it exists, else matched case-insensitively (ASCII letters) against the folder's
//   entries; components that match nothing are kept as written, so creating a file or folder reuses
//   existing folders whatever their case. Bytes above 0x7F pass through unchanged.
// - Relative names resolve against the current working directory; the engine itself always builds
//   absolute names from GetProgramDirectory or the user-data folder.
// - Failures: OpenFile returns null, the bool functions return false, listings come back empty. Nothing
//   here throws or logs.
// - Any thread may call these functions; they keep no shared state apart from the test overrides, which
//   tests set before starting threads.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

// True for "/..." and for names whose second character is ':' ("C:\x", "c:").
bool IsAbsolutePath(std::string_view name);

// The native path for an engine name (see the rules above). An empty name gives an empty path.
std::string ToNativePath(std::string_view name);

// fopen through ToNativePath. Null on failure.
std::FILE* OpenFile(std::string_view name, const char* mode);

bool FileExists(std::string_view name);      // a regular file (symlinks followed)
bool DirectoryExists(std::string_view name); // a folder (symlinks followed)

// Creates one folder; true when it exists afterwards (an existing folder is fine).
bool CreateDirectory(std::string_view name);
// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateDirectories(std::string_view name);

// Deletes a folder and everything below it without following symlinks. Refuses (returns false) an
// empty name, a root, the program folder and the user-data root of any company and title handed out by
// GetUserDataDirectory. A missing folder also gives false.
bool DeleteDirectory(std::string_view name);

// Deletes one file; false when it could not be removed.
bool DeleteFile(std::string_view name);

// Renames `from` to `to`, replacing an existing `to` in one step (both in the same folder for saves);
// false when it failed, and then `to` is untouched.
bool RenameFile(std::string_view from, std::string_view to);

// Flushes the stream's buffer and asks the system to put the file's data on the disk; false on failure.
bool SyncFile(std::FILE* file);

// '*' matches any run of bytes (also none), '?' any one byte; ASCII letters compare case-insensitively.
bool MatchMask(std::string_view name, std::string_view mask);

struct FoundFile {
    std::string name; // the entry's own name, no folder
    bool isDirectory = false;
};

enum class FindKind { Files, Directories, Both };

// The entries of `folder` whose names match `mask` ("." and ".." never), sorted case-insensitively
// (ASCII), then byte order for names equal without case. Empty when the folder cannot be read.
std::vector<FoundFile> FindFiles(std::string_view folder, std::string_view mask, FindKind kind);

// The running program's full native path (from /proc/self/exe), or the test override.
std::string GetModuleFileName();
// Its folder, without a trailing separator.
std::string GetProgramDirectory();
// Tests: pretend the program file is `path` (native, absolute); empty restores the real one.
void OverrideModuleFileName(std::string path);

// $XDG_DATA_HOME (default $HOME/.local/share) + "/" + company + "/" + title. With `create` set the
// folders are created first; the path is returned even when that fails. Empty when neither
// XDG_DATA_HOME nor HOME is set.
std::string GetUserDataDirectory(std::string_view company, std::string_view title, bool create);

// The registry stand-in: the value of `name` from the optional file
// $XDG_CONFIG_HOME (default $HOME/.config)/<company>/<title>/registry.ini, whose lines hold a name, a
// blank and a value (the rest of the line, trimmed). Names compare case-insensitively. False when the
// file or the name is missing; callers then use their defaults.
bool ReadRegistryValue(std::string_view company, std::string_view title, std::string_view name,
                       std::string& value);

} // namespace Platform

#pragma once
// Private to engine/core/files: the native file services the file objects use, over platform/os.
// Names are engine names (backslashes or slashes, any case) unless a parameter says native; they reach
// the file system through Platform::ToNativePath.

#include <cstdint>
#include <cstdio>
#include <string>

namespace VantoranEngine::NativeFiles {

// The length of an open stream in bytes, leaving it at its start; UINT64_MAX when it is no regular file.
uint64_t Length(FILE* stream);
void SeekTo(FILE* stream, uint32_t position);

// Creates a new, empty temporary file beside `nativeTarget` (which need not exist) and opens it for
// binary writing; null on failure. The temporary file takes the target's permissions when it exists.
FILE* CreateTemporary(const std::string& nativeTarget, std::string& temporaryPath);
// Flushes the stream's buffers to the disk and closes it; false when anything failed. Always closes.
bool FlushAndClose(FILE* stream);
// Puts the temporary file in place of the target in one step; false (and the target untouched) on failure.
bool ReplaceFile(const std::string& nativeTemporary, const std::string& nativeTarget);
void RemoveFile(const std::string& nativePath) noexcept;

// A file or a folder exists under the name.
bool Exists(const std::string& name);
// Deletes a file, or a folder with everything in it; false when refused or nothing was deleted.
bool RemoveTree(const std::string& name);

} // namespace VantoranEngine::NativeFiles

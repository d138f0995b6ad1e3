#pragma once
// FileManager: the one entry point through which the engine and the game open files.
//
// Rules:
// - Names use backslashes, in any case. A name is absolute when it starts with '/' or "X:"; any other
//   name is taken under the base folder (the descriptor's, or the program's folder when that is empty).
//   `ExistsOnDisk`, `GetAbsolutePath` and `DeleteDirectory` resolve relative names against the
//   program's folder instead.
// - Reading: a file on the disk always wins; a name not on the disk is looked up in the pack archives
//   found at start ("*.pak" in the pack folder, not below it), the first archive holding it wins. Pack
//   look-ups lower-case the name (ASCII) and fold runs of backslashes; forward slashes never match.
// - Writing creates the missing folders first, and never destroys the old file until the new one is
//   complete (see FileBinary).
// - Failures to open throw `FileError` "Failed to open \"<path>\" file"; the existence tests, folder
//   creation and deletion answer quietly.
// - Any thread may use it: its own state is fixed after construction, and each archive serialises its
//   own reads.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

class FileBinary;
class FileTextual;
class MemoryManager;
class MessageManager;
class PackFile;

class FileManager {
public:
    FileManager(MessageManager* log, MemoryManager* memoryManager, const std::string& baseFolder,
                const std::string& packSubFolder);
    virtual ~FileManager();

    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // The engine's loaders pass (false, false, true).
    std::unique_ptr<FileBinary> OpenBinary(const std::string& name, bool writing, bool wholeIntoMemory = false,
                                           bool pooled = true);
    std::unique_ptr<FileTextual> OpenTextual(const std::string& name, bool writing);

    // Either pointer may be null; `data` must hold the member's size.
    bool ReadFromPacks(uint32_t* size, void* data, const std::string& name);
    bool Exists(const std::string& name) const;
    static bool ExistsOnDisk(const std::string& path);

    // Creates every folder of a file path; the part after the last separator is taken for a file name.
    static void CreateDirectories(const std::string& path);
    // Deletes a file or a folder with everything in it. Refuses (returns false) an empty path, a root
    // and the program's folder itself.
    static bool DeleteDirectory(const std::string& path);

    // Disk files under the base folder (full paths, searched as FindFiles does) and pack members under
    // `folder` (folded relative names), duplicates removed without regard to case, first kept.
    void ListFiles(const std::string& folder, std::vector<std::string>& list, const std::string& mask) const;
    // Disk files matching `mask` ('*' and '?', any case) in `folder`, in name order regardless of case;
    // only sub-folders whose own names match the mask are searched as well.
    static void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list);
    static std::string GetAbsolutePath(const std::string& path);

    // The text after the first '.' of the file's own name (after the last separator), or "".
    static std::string GetExtension(const std::string& name);
    // Replaces the text after that '.' (or appends '.' and the extension).
    static void ChangeExtension(std::string& name, const std::string& extension);
    // The text before the last separator, or "".
    static std::string GetDirectory(const std::string& name);
    // "data\" + name, unless the name is absolute.
    static std::string GetDataPath(const std::string& name);

    const std::string& GetBaseFolder() const { return baseFolder; }

private:
    static size_t ExtensionDot(const std::string& name);
    std::string ResolveAgainstBase(const std::string& name) const;
    // The pack look-up key: folded case, runs of backslashes as one.
    static std::string PackKey(const std::string& name);

    MessageManager* log;
    MemoryManager* memoryManager;
    std::string baseFolder;
    std::vector<std::unique_ptr<PackFile>> packs;
};

} // namespace VantoranEngine

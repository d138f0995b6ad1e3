#pragma once
// PackFile: the read-only reader of one pack archive ("*.pak").
//
// Archive layout, little-endian: u32 total size (must equal the file's length), the five bytes "VNPAK",
// u32 version 100, u32 member count N, N narrow binary strings (member names: relative paths with
// backslashes, any case), then N records {u32 offset, u32 size} in name order. Member data may lie
// anywhere in the file.
//
// Rules:
// - Names are folded to lower case with ASCII rules only (`FoldName`), both when the archive is opened
//   and for every look-up, so the result never depends on the current code page. Slashes are left
//   alone. When a name appears twice the first record wins.
// - A member whose range does not lie inside the archive is dropped when the archive is opened, with a
//   warning in the log.
// - A malformed archive is refused at construction: the log gets one line "......Error: <reason>!" and
//   `Error` is thrown.
// - Any thread may call the look-ups; reads of one archive are serialised by its own lock.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace VantoranEngine {

class FileBinary;
class MemoryManager;
class MessageManager;

class PackFile {
public:
    static constexpr uint32_t version = 100;

    // Opens and indexes the archive; throws `Error` (with an empty message) after logging why not.
    PackFile(const std::string& path, MessageManager* log, MemoryManager* memoryManager);
    virtual ~PackFile();

    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;

    bool Contains(const std::string& name) const;
    // Stores the member's size in bytes when it is there.
    bool GetSize(const std::string& name, uint32_t& size) const;
    // Copies the member's bytes into `destination`, which must hold GetSize bytes. False when absent;
    // throws `FileError` when the archive cannot be read.
    bool Read(void* destination, const std::string& name);
    // Appends the (folded) names of the members under `folder` whose rest of the name contains `mask`
    // without its first '*'. Deeper sub-folders match too; an empty folder means the whole archive.
    void ListFiles(std::vector<std::string>& list, const std::string& mask, const std::string& folder) const;

    // ASCII-only lower case, the one case rule for member names.
    static std::string FoldName(const std::string& name);

private:
    struct Member {
        uint32_t offset;
        uint32_t size;
    };

    void Open(const std::string& path);

    MessageManager* log;
    MemoryManager* memoryManager;
    std::unique_ptr<FileBinary> archive;
    std::map<std::string, Member> members;
    std::mutex readLock; // the archive's one position is shared by every read
};

} // namespace VantoranEngine

#include "engine/core/files/PackFile.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileBinary.h"

#include <cstring>

namespace VantoranEngine {

namespace {

constexpr uint32_t headerSize = 13;
constexpr char magic[5] = {'V', 'N', 'P', 'A', 'K'};

uint32_t LoadU32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

} // namespace

std::string PackFile::FoldName(const std::string& name)
{
    return ToLowerCopy(name, Platform::CodePage::C);
}

PackFile::PackFile(const std::string& path, MessageManager* log_, MemoryManager* memoryManager_)
    : log(log_), memoryManager(memoryManager_)
{
    log->LogMessage("...Pack file " + path + " found...");
    try {
        Open(path);
    } catch (const FileError& error) {
        log->lineBreaks = false;
        log->LogMessage("......");
        log->LogError(error.message);
        log->lineBreaks = true;
        archive.reset();
        members.clear();
        throw Error("");
    }
}

PackFile::~PackFile() = default;

void PackFile::Open(const std::string& path)
{
    archive = std::make_unique<FileBinary>(memoryManager, path, false, false, true);

    uint8_t header[headerSize];
    archive->Read(headerSize, header);
    if (std::memcmp(header + 4, magic, sizeof magic) != 0 || LoadU32(header) != archive->size)
        throw FileError("Incorrect pack file format");
    if (LoadU32(header + 9) != version)
        throw FileError("Incorrect pack file version, current is " + UIntToString(0, version));

    uint8_t countBytes[4];
    archive->Read(4, countBytes);
    const uint32_t count = LoadU32(countBytes);
    log->LogMessage("......It contains " + UIntToString(0, count) + " files...");

    // Names are kept packed end to end: every name takes at least one byte of the archive, so a damaged
    // count runs into the end of the file before this grows much beyond the archive's own size.
    std::string names;
    std::vector<uint32_t> nameEnds;
    std::string name;
    for (uint32_t i = 0; i < count; ++i) {
        archive->ReadString(name);
        names += FoldName(name);
        nameEnds.push_back(static_cast<uint32_t>(names.size()));
    }

    // Checked before anything is allocated, so a damaged count cannot ask for a huge table.
    const uint64_t tableBytes = 8ull * count;
    if (tableBytes > archive->size - archive->position)
        throw FileError("Failed to read " + std::to_string(tableBytes) + " bytes from \"" + path + "\" file");
    std::vector<uint8_t> table(tableBytes);
    archive->Read(static_cast<uint32_t>(tableBytes), table.data());

    uint32_t nameStart = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const std::string memberName = names.substr(nameStart, nameEnds[i] - nameStart);
        nameStart = nameEnds[i];
        const Member member{LoadU32(&table[8 * i]), LoadU32(&table[8 * i + 4])};
        if (uint64_t(member.offset) + member.size > archive->size) {
            log->LogWarning("Pack file " + path + ": member " + memberName + " lies outside the archive");
            continue;
        }
        members.emplace(memberName, member);
    }
}

bool PackFile::Contains(const std::string& name) const
{
    return members.count(FoldName(name)) != 0;
}

bool PackFile::GetSize(const std::string& name, uint32_t& size) const
{
    const auto found = members.find(FoldName(name));
    if (found == members.end())
        return false;
    size = found->second.size;
    return true;
}

bool PackFile::Read(void* destination, const std::string& name)
{
    const auto found = members.find(FoldName(name));
    if (found == members.end())
        return false;
    std::lock_guard<std::mutex> lock(readLock);
    archive->Seek(static_cast<int32_t>(found->second.offset), 0);
    archive->Read(found->second.size, destination);
    return true;
}

void PackFile::ListFiles(std::vector<std::string>& list, const std::string& mask, const std::string& folder) const
{
    std::string prefix = FoldName(folder);
    if (!prefix.empty() && prefix.back() != '\\')
        prefix += '\\';
    std::string pattern = FoldName(mask);
    const size_t star = pattern.find('*');
    if (star != std::string::npos)
        pattern.erase(star, 1);

    for (const auto& [memberName, member] : members) {
        if (memberName.compare(0, prefix.size(), prefix) == 0 &&
            memberName.find(pattern, prefix.size()) != std::string::npos)
            list.push_back(memberName);
    }
}

} // namespace VantoranEngine

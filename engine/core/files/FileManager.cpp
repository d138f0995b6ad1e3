#include "engine/core/files/FileManager.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileTextual.h"
#include "engine/core/files/NativeFiles.h"
#include "engine/core/files/PackFile.h"
#include "platform/os/Path.h"

#include <set>

namespace VantoranEngine {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The looser absolute test of the listing and path helpers: a root, or a ':' anywhere.
bool HasRoot(const std::string& name)
{
    return Platform::IsAbsolutePath(name) || name.find(':') != std::string::npos;
}

std::string ResolveAgainstProgram(const std::string& path)
{
    if (Platform::IsAbsolutePath(path))
        return path;
    return GetApplicationDirectory() + "\\" + path;
}

} // namespace

FileManager::FileManager(MessageManager* log_, MemoryManager* memoryManager_, const std::string& baseFolder_,
                         const std::string& packSubFolder)
    : log(log_), memoryManager(memoryManager_)
{
    log->LogMessage("Initialization of File Manager...");
    baseFolder = baseFolder_.empty() ? GetApplicationDirectory() : baseFolder_;
    const std::string packFolder = packSubFolder.empty() ? baseFolder : baseFolder + "\\" + packSubFolder;

    std::vector<std::string> found;
    FindFiles(packFolder, "*.pak", found);
    for (const std::string& path : found) {
        try {
            packs.push_back(std::make_unique<PackFile>(path, log, memoryManager));
        } catch (const Error&) {
            // The archive has logged why; the others still count.
        }
    }
}

FileManager::~FileManager()
{
    for (auto& pack : packs)
        pack.reset();
}

std::string FileManager::ResolveAgainstBase(const std::string& name) const
{
    if (Platform::IsAbsolutePath(name))
        return name;
    return baseFolder + "\\" + name;
}

std::unique_ptr<FileBinary> FileManager::OpenBinary(const std::string& name, bool writing, bool wholeIntoMemory,
                                                    bool pooled)
{
    const std::string path = ResolveAgainstBase(name);
    if (writing) {
        CreateDirectories(path);
        return std::make_unique<FileBinary>(memoryManager, path, true, wholeIntoMemory, pooled);
    }

    uint32_t size = 0;
    if (!ExistsOnDisk(path) && ReadFromPacks(&size, nullptr, name)) {
        // Handed back on every path, also when the archive cannot be read.
        MemoryBlock block(memoryManager, size, true);
        ReadFromPacks(nullptr, block.Get(), name);
        return std::make_unique<FileBinary>(memoryManager, path, false, wholeIntoMemory, pooled, true, block.Get(),
                                            size);
    }
    return std::make_unique<FileBinary>(memoryManager, path, false, wholeIntoMemory, pooled);
}

std::unique_ptr<FileTextual> FileManager::OpenTextual(const std::string& name, bool writing)
{
    return std::make_unique<FileTextual>(OpenBinary(name, writing, false, true),
                                         writing ? FileTextual::modeWrite : FileTextual::modeRead);
}

std::string FileManager::PackKey(const std::string& name)
{
    std::string key = PackFile::FoldName(name);
    ReplaceAll(key, "\\\\", "\\");
    return key;
}

bool FileManager::ReadFromPacks(uint32_t* size, void* data, const std::string& name)
{
    const std::string key = PackKey(name);
    for (auto& pack : packs) {
        if (!pack->Contains(key))
            continue;
        if (size)
            pack->GetSize(key, *size);
        if (data)
            pack->Read(data, key);
        return true;
    }
    return false;
}

bool FileManager::Exists(const std::string& name) const
{
    if (ExistsOnDisk(ResolveAgainstBase(name)))
        return true;
    const std::string key = PackKey(name);
    for (const auto& pack : packs) {
        if (pack->Contains(key))
            return true;
    }
    return false;
}

bool FileManager::ExistsOnDisk(const std::string& path)
{
    return NativeFiles::Exists(ResolveAgainstProgram(path));
}

void FileManager::CreateDirectories(const std::string& path)
{
    size_t last = path.size();
    while (last > 0 && !IsSeparator(path[last - 1]))
        --last;
    if (last == 0)
        return;
    Platform::CreateDirectories(path.substr(0, last));
}

bool FileManager::DeleteDirectory(const std::string& path)
{
    if (path.empty())
        return false;
    // The platform refuses roots, the program's folder and the user-data roots.
    return NativeFiles::RemoveTree(ResolveAgainstProgram(path));
}

void FileManager::ListFiles(const std::string& folder, std::vector<std::string>& list, const std::string& mask) const
{
    const size_t start = list.size();
    FindFiles(HasRoot(folder) ? folder : baseFolder + "\\" + folder, mask, list);
    for (const auto& pack : packs)
        pack->ListFiles(list, mask, folder);

    std::set<std::string> seen;
    std::vector<std::string> kept(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(start));
    for (size_t i = start; i < list.size(); ++i) {
        if (!list[i].empty() && seen.insert(PackFile::FoldName(list[i])).second)
            kept.push_back(list[i]);
    }
    list = std::move(kept);
}

void FileManager::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list)
{
    std::string absolute = GetAbsolutePath(folder);
    if (absolute.empty() || !IsSeparator(absolute.back()))
        absolute += '\\';
    const std::string prefix = folder.empty() || IsSeparator(folder.back()) ? folder : folder + "\\";

    for (const Platform::FoundFile& entry : Platform::FindFiles(absolute, mask, Platform::FindKind::Both)) {
        if (entry.isDirectory)
            FindFiles(absolute + entry.name, mask, list);
        else
            list.push_back(prefix + entry.name);
    }
}

std::string FileManager::GetAbsolutePath(const std::string& path)
{
    if (HasRoot(path))
        return path;
    return GetApplicationDirectory() + "\\" + path;
}

// The first dot of the file's own name: a folder on the way, such as "~/.local" or a temporary "tmp.X1",
// holds no extension.
size_t FileManager::ExtensionDot(const std::string& name)
{
    const size_t slash = name.find_last_of("/\\");
    return name.find('.', slash == std::string::npos ? 0 : slash + 1);
}

std::string FileManager::GetExtension(const std::string& name)
{
    const size_t dot = ExtensionDot(name);
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

void FileManager::ChangeExtension(std::string& name, const std::string& extension)
{
    const size_t dot = ExtensionDot(name);
    if (dot == std::string::npos)
        name += "." + extension;
    else
        name = name.substr(0, dot + 1) + extension;
}

std::string FileManager::GetDirectory(const std::string& name)
{
    const size_t separator = name.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : name.substr(0, separator);
}

std::string FileManager::GetDataPath(const std::string& name)
{
    return HasRoot(name) ? name : "data\\" + name;
}

} // namespace VantoranEngine

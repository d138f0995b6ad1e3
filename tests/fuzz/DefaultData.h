#pragma once
// The default game data the fuzz tests start from (built by target gamedata), and a base folder of
// their own to put damaged copies in.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace Fuzz {

inline std::string DataFolder()
{
    return BRINDLE_GAME_FOLDER "/data";
}

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Paths relative to the data folder of up to `limit` files under `folder` (recursively) whose names end
// with `extension`, spread evenly over the sorted list; `maxBytes` leaves out the big ones.
inline std::vector<std::string> DataFiles(const std::string& folder, const std::string& extension, size_t limit,
                                          uintmax_t maxBytes = UINTMAX_MAX)
{
    std::vector<std::string> all;
    const std::filesystem::path root = DataFolder();
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
        const std::string name = entry.path().string();
        if (entry.is_regular_file() && entry.file_size() <= maxBytes && name.size() >= extension.size() &&
            name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
            all.push_back(std::filesystem::relative(entry.path(), root).string());
    }
    std::sort(all.begin(), all.end());
    if (all.size() <= limit)
        return all;
    std::vector<std::string> picked;
    for (size_t i = 0; i < limit; ++i)
        picked.push_back(all[i * all.size() / limit]);
    return picked;
}

inline std::vector<std::vector<uint8_t>> ReadDataFiles(const std::vector<std::string>& relative)
{
    std::vector<std::vector<uint8_t>> files;
    for (const std::string& name : relative)
        files.push_back(ReadBytes(DataFolder() + "/" + name));
    return files;
}

// The engine's name for a path relative to the data folder: backslashes.
inline std::string EngineName(std::string relative)
{
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return relative;
}

} // namespace Fuzz

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

// The text as UTF-16 with its byte-order mark, little- or big-endian, from UTF-8 (a leading UTF-8 mark
// dropped; characters beyond the basic plane, absent from our data, become '?').
inline std::vector<uint8_t> Utf16(const std::vector<uint8_t>& utf8, bool bigEndian)
{
    std::vector<uint8_t> out = bigEndian ? std::vector<uint8_t>{0xFE, 0xFF} : std::vector<uint8_t>{0xFF, 0xFE};
    size_t i = utf8.size() >= 3 && utf8[0] == 0xEF && utf8[1] == 0xBB && utf8[2] == 0xBF ? 3 : 0;
    while (i < utf8.size()) {
        const uint8_t lead = utf8[i];
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : 4;
        uint32_t unit = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : '?';
        for (size_t k = 1; k < length && length < 4 && i + k < utf8.size(); ++k)
            unit = unit << 6 | (utf8[i + k] & 0x3Fu);
        i += length;
        const uint8_t low = static_cast<uint8_t>(unit & 0xFF);
        const uint8_t high = static_cast<uint8_t>(unit >> 8 & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    }
    return out;
}

// The files followed by UTF-16 copies (both byte orders) of the first `count` of them.
inline std::vector<std::vector<uint8_t>> WithWideCopies(std::vector<std::vector<uint8_t>> files, size_t count)
{
    const size_t narrow = files.size();
    for (size_t i = 0; i < count && i < narrow; ++i) {
        files.push_back(Utf16(files[i], false));
        files.push_back(Utf16(files[i], true));
    }
    return files;
}

// The engine's name for a path relative to the data folder: backslashes.
inline std::string EngineName(std::string relative)
{
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return relative;
}

} // namespace Fuzz

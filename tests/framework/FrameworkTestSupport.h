#pragma once
// The headless services the framework's file tests share: a log kept in memory, the memory pool and a
// file manager whose base folder and user-data root are fresh temporary folders.

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "framework/VersionedFile.h"

#include "TempFolder.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace FrameworkTest {

class FileServices {
public:
    FileServices()
    {
        std::filesystem::create_directories(folder / "base");
        std::filesystem::create_directories(folder / "user");
    }
    ~FileServices() { GameFramework::VersionedFile::InjectWriteFailure(std::nullopt); }

    std::string Base() const { return folder / "base"; }
    std::string UserRoot() const { return folder / "user"; }

    // The error entries of the log so far, as written.
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> texts;
        for (const VantoranEngine::LogEntry& entry : log.GetEntries())
            if (entry.kind == VantoranEngine::LogEntry::Error)
                texts.push_back(entry.text);
        return texts;
    }

    TempFolder folder;
    VantoranEngine::MessageManager log{"", "", "test", false, false};
    VantoranEngine::MemoryManager memory{&log};
    VantoranEngine::FileManager files{&log, &memory, Base(), ""};
};

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

inline size_t CountEntries(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

// An independent writer of the save formats' bytes, for tests that build files by hand.
class Bytes {
public:
    Bytes& U8(uint8_t v)
    {
        data.push_back(v);
        return *this;
    }
    Bytes& U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& F32(float v)
    {
        uint32_t bits;
        static_assert(sizeof bits == sizeof v);
        std::memcpy(&bits, &v, sizeof bits);
        return U32(bits);
    }
    Bytes& Wide(const std::u16string& text)
    {
        U8(static_cast<uint8_t>(text.size() + 1));
        for (char16_t unit : text)
            Unit(unit);
        Unit(0);
        return *this;
    }
    Bytes& Raw(const std::string& text)
    {
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
    // The 13-byte header in front of the body so far: total size, magic, version.
    std::vector<uint8_t> WithHeader(const std::string& magic, uint32_t version) const
    {
        Bytes head;
        head.U32(static_cast<uint32_t>(data.size() + 13)).Raw(magic.substr(0, 5)).U32(version);
        head.data.insert(head.data.end(), data.begin(), data.end());
        return head.data;
    }

    std::vector<uint8_t> data;

private:
    void Unit(char16_t unit)
    {
        data.push_back(static_cast<uint8_t>(unit & 0xFF));
        data.push_back(static_cast<uint8_t>(unit >> 8));
    }
};

} // namespace FrameworkTest

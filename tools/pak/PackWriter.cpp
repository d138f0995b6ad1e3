#include "tools/pak/PackWriter.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/PackFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <ostream>
#include <set>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace Pak {

namespace {

constexpr uint32_t packVersion = 100;
constexpr size_t maxNameLength = 254;

void PutU32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetU32(const std::vector<uint8_t>& bytes, size_t at)
{
    if (at + 4 > bytes.size())
        throw std::runtime_error("the archive is too short");
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

// A member name made safe to write under a folder: relative, no "." or ".." parts, no drive.
fs::path SafeRelativePath(const std::string& name)
{
    fs::path path;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find(':') != std::string::npos)
            throw std::runtime_error("member name \"" + name + "\" is not a plain relative path");
        path /= part;
        start = end + 1;
    }
    return path;
}

// The engine takes relative names under the program's folder; the command line means the working folder.
std::string EngineName(const fs::path& path)
{
    return fs::absolute(path).string();
}

// The engine's log and pool, quiet, for reading archives through PackFile.
struct EngineServices {
    VantoranEngine::MessageManager log{"", "", "pak", false, false};
    VantoranEngine::MemoryManager memory{&log};

    void Report(std::ostream& err) const
    {
        for (const auto& entry : log.GetEntries())
            err << entry.text;
    }
};

int Create(const fs::path& output, const fs::path& root, std::ostream& out)
{
    std::vector<Member> members = CollectFolder(root);
    // An earlier archive inside the folder is not packed into the new one.
    std::error_code error;
    members.erase(std::remove_if(members.begin(), members.end(),
                                 [&](const Member& member) {
                                     fs::path file = root;
                                     for (const auto& part : SafeRelativePath(member.name))
                                         file /= part;
                                     return fs::equivalent(file, output, error);
                                 }),
                  members.end());
    WriteFileSafely(output, BuildPack(members));
    out << members.size() << " files packed into " << output.string() << "\n";
    return 0;
}

int List(const fs::path& input, std::ostream& out, std::ostream& err)
{
    EngineServices engine;
    try {
        VantoranEngine::PackFile pack(EngineName(input), &engine.log, &engine.memory);
        std::vector<std::string> names;
        pack.ListFiles(names, "", "");
        for (const std::string& name : names) {
            uint32_t size = 0;
            pack.GetSize(name, size);
            out << name << " " << size << "\n";
        }
    } catch (const VantoranEngine::Error&) {
        engine.Report(err);
        return 1;
    }
    return 0;
}

int Extract(const fs::path& input, const fs::path& folder, std::ostream& out, std::ostream& err)
{
    EngineServices engine;
    try {
        VantoranEngine::PackFile pack(EngineName(input), &engine.log, &engine.memory);
        // Every name is checked before anything is written.
        std::vector<std::pair<std::string, fs::path>> targets;
        std::set<std::string> seen;
        for (const std::string& name : ReadMemberNames(ReadWholeFile(input))) {
            const std::string key = VantoranEngine::PackFile::FoldName(name);
            // The first of a repeated name wins, as in the engine; dropped members are skipped.
            if (!pack.Contains(key) || !seen.insert(key).second)
                continue;
            targets.emplace_back(key, folder / SafeRelativePath(name));
        }
        for (const auto& [key, target] : targets) {
            uint32_t size = 0;
            pack.GetSize(key, size);
            std::vector<uint8_t> data(size);
            pack.Read(data.data(), key);
            fs::create_directories(target.parent_path());
            WriteFileSafely(target, data);
        }
        out << targets.size() << " files extracted into " << folder.string() << "\n";
    } catch (const VantoranEngine::Error& error) {
        engine.Report(err);
        if (!error.message.empty())
            err << error.message << "\n";
        return 1;
    }
    return 0;
}

} // namespace

std::vector<uint8_t> BuildPack(const std::vector<Member>& members)
{
    std::vector<uint8_t> names;
    for (const Member& member : members) {
        if (member.name.size() > maxNameLength)
            throw std::runtime_error("member name \"" + member.name + "\" is longer than 254 bytes");
        names.push_back(static_cast<uint8_t>(member.name.size() + 1));
        names.insert(names.end(), member.name.begin(), member.name.end());
        names.push_back(0);
    }
    uint64_t total = 17 + names.size() + 8ull * members.size();
    for (const Member& member : members)
        total += member.data.size();
    if (total > std::numeric_limits<uint32_t>::max())
        throw std::runtime_error("the archive would be larger than 4 GiB");

    std::vector<uint8_t> bytes;
    bytes.reserve(total);
    PutU32(bytes, static_cast<uint32_t>(total));
    bytes.insert(bytes.end(), {'V', 'N', 'P', 'A', 'K'});
    PutU32(bytes, packVersion);
    PutU32(bytes, static_cast<uint32_t>(members.size()));
    bytes.insert(bytes.end(), names.begin(), names.end());
    uint32_t offset = static_cast<uint32_t>(bytes.size() + 8 * members.size());
    for (const Member& member : members) {
        PutU32(bytes, offset);
        PutU32(bytes, static_cast<uint32_t>(member.data.size()));
        offset += static_cast<uint32_t>(member.data.size());
    }
    for (const Member& member : members)
        bytes.insert(bytes.end(), member.data.begin(), member.data.end());
    return bytes;
}

std::vector<Member> CollectFolder(const fs::path& root)
{
    if (!fs::is_directory(root))
        throw std::runtime_error("\"" + root.string() + "\" is not a folder");
    std::vector<Member> members;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::string name;
        for (const auto& part : fs::relative(entry.path(), root)) {
            if (!name.empty())
                name += '\\';
            name += part.string();
        }
        members.push_back({name, ReadWholeFile(entry.path())});
    }
    std::sort(members.begin(), members.end(), [](const Member& a, const Member& b) { return a.name < b.name; });
    return members;
}

void WriteFileSafely(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    const fs::path temporary = path.string() + ".~" + std::to_string(getpid()) + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.flush();
        if (!file) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw std::runtime_error("failed to write \"" + path.string() + "\"");
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        throw std::runtime_error("failed to write \"" + path.string() + "\"");
    }
}

std::vector<uint8_t> ReadWholeFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("failed to open \"" + path.string() + "\"");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        throw std::runtime_error("failed to read \"" + path.string() + "\"");
    return bytes;
}

std::vector<std::string> ReadMemberNames(const std::vector<uint8_t>& archive)
{
    const uint32_t count = GetU32(archive, 13);
    std::vector<std::string> names;
    size_t at = 17;
    for (uint32_t i = 0; i < count; ++i) {
        if (at >= archive.size())
            throw std::runtime_error("the archive is too short");
        const size_t length = archive[at];
        if (at + 1 + length > archive.size())
            throw std::runtime_error("the archive is too short");
        const char* text = reinterpret_cast<const char*>(&archive[at + 1]);
        names.emplace_back(text, strnlen(text, length));
        at += 1 + length;
    }
    return names;
}

int RunPak(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    try {
        if (arguments.size() == 3 && arguments[0] == "create")
            return Create(arguments[1], arguments[2], out);
        if (arguments.size() == 2 && arguments[0] == "list")
            return List(arguments[1], out, err);
        if (arguments.size() == 3 && arguments[0] == "extract")
            return Extract(arguments[1], arguments[2], out, err);
    } catch (const std::exception& error) {
        err << "pak: " << error.what() << "\n";
        return 1;
    }
    err << "usage: pak create OUT.pak ROOT\n"
           "       pak list IN.pak\n"
           "       pak extract IN.pak DIR\n";
    return 2;
}

} // namespace Pak

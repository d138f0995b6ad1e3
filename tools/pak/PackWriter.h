#pragma once
// Building and taking apart pack archives ("*.pak", the layout PackFile reads): the library behind the
// `pak` tool, also used by tests to make archives at run time.
//
// Member names are relative paths with backslashes, at most 254 bytes; an archive is at most 4 GiB - 1.
// Failures throw std::runtime_error with a message for the user.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace Pak {

struct Member {
    std::string name;
    std::vector<uint8_t> data;
};

// The whole archive: header, names, records, then the members' data in the given order.
std::vector<uint8_t> BuildPack(const std::vector<Member>& members);

// Every regular file under `root`, named relative to it with backslashes, in name order.
std::vector<Member> CollectFolder(const std::filesystem::path& root);

// Writes the bytes to a temporary file beside `path` and renames it over `path` once complete.
void WriteFileSafely(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path);

// The member names as stored (original case), in table order, from an archive's bytes.
std::vector<std::string> ReadMemberNames(const std::vector<uint8_t>& archive);

// The command line: "create OUT.pak ROOT", "list IN.pak", "extract IN.pak DIR". Returns the exit code.
int RunPak(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace Pak

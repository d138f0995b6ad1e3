#include "tools/databuild/DataTree.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace DataBuild {

DataTree::DataTree(std::string baseFolder) : base(std::move(baseFolder)) {}

std::string DataTree::PathOf(const std::string& name) const
{
    std::string relative = name;
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    return (std::filesystem::path(base) / relative).string();
}

void DataTree::Write(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::filesystem::path path = PathOf(name);
    std::filesystem::create_directories(path.parent_path());
    {
        std::ifstream old(path, std::ios::binary);
        if (old) {
            const std::vector<uint8_t> present((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
            if (present == bytes)
                return;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void DataTree::WriteText(const std::string& name, const std::vector<std::string>& lines)
{
    std::vector<uint8_t> bytes = {0xEF, 0xBB, 0xBF};
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    Write(name, bytes);
}

std::string Token(const std::string& text)
{
    if (text.find('_') != std::string::npos || text.find("//") != std::string::npos || text.empty())
        throw std::runtime_error("text cannot be a token: \"" + text + "\"");
    std::string out = text;
    for (char& c : out)
        if (c == ' ')
            c = '_';
    return out;
}

} // namespace DataBuild

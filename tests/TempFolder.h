#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything in it.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "brindle-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data()))
            path_ = made;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Native absolute path, no trailing separator.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

    // Writes `bytes` to a file under the folder, creating its parents.
    void WriteFile(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path file = std::filesystem::path(path_) / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }

    static std::string ReadFile(const std::string& native)
    {
        std::ifstream in(native, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

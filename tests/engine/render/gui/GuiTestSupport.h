#pragma once
// The core services the GUI tests build on: a log that writes no file, the memory pool, and a file
// manager whose base folder is a fresh temporary folder (so "data\x" is <tmp>/data/x).

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class GuiServices : public ::testing::Test {
protected:
    void WriteData(const std::string& relative, const std::vector<uint8_t>& bytes) const
    {
        const std::filesystem::path path = std::filesystem::path(folder / "data") / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void WriteData(const std::string& relative, const std::string& bytes) const
    {
        WriteData(relative, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }

    // Error entries of the log so far, as written ("\nError: <text>!\n\n").
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const auto& entry : log.GetEntries())
            if (entry.kind == VantoranEngine::LogEntry::Error)
                errors.push_back(entry.text);
        return errors;
    }
    static std::string ErrorEntry(const std::string& text) { return "\nError: " + text + "!\n\n"; }

    TempFolder folder;
    VantoranEngine::MessageManager log{"", "", "Test", false, false};
    VantoranEngine::MemoryManager memory{&log};
    VantoranEngine::FileManager files{&log, &memory, folder.Path(), ""};
};

#pragma once
// The core services the image, texture, material and model tests build on: a log that keeps its
// entries (no file), the memory pool and a file manager over a fresh temporary base folder.

#include "TempFolder.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "tools/formats/ByteWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ServicesFixture : public ::testing::Test {
protected:
    ServicesFixture()
        : log("", "", "render-test", false, false), memory(&log), files(&log, &memory, folder.Path(), "")
    {
    }

    // Writes a file under the base folder; relative uses '/'.
    void Write(const std::string& relative, const std::vector<uint8_t>& bytes)
    {
        ASSERT_TRUE(Formats::SaveFile(folder / relative, bytes));
    }

    // True when some error or warning entry of the log contains text.
    bool Logged(const std::string& text) const
    {
        for (const auto& entry : log.GetEntries())
            if (entry.text.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::string Entries() const
    {
        std::string all;
        for (const auto& entry : log.GetEntries())
            all += entry.text + "|";
        return all;
    }

    TempFolder folder;
    VantoranEngine::MessageManager log;
    VantoranEngine::MemoryManager memory;
    VantoranEngine::FileManager files;
};

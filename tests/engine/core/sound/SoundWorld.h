#pragma once
// The engine services the sound tests need, over a scratch folder, with the mixer on its manual clock.

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/core/sound/SoundSystem_DS7.h"
#include "platform/sound/SoundTest.h"

#include <memory>
#include <string>
#include <vector>

// Log entries without the log's framing: "M:text" for messages, "E:text" for errors.
std::vector<std::string> LogLines(VantoranEngine::MessageManager& log);
bool LogHasError(VantoranEngine::MessageManager& log, const std::string& text);

// A fresh scratch folder for one test; its "data" sub-folder is where sound files go.
std::string ScratchFolder();

struct SoundWorld {
    // startSound: build the sound system and manager (the mixer on its manual clock).
    explicit SoundWorld(bool startSound = true);
    ~SoundWorld();

    // Writes a file under data/.
    void Put(const std::string& name, const std::vector<uint8_t>& bytes) const;
    // Mixes `frames` frames (interleaved stereo), then runs one sound frame: Update(true).
    std::vector<int16_t> Frame(uint32_t frames);

    std::string folder;
    std::unique_ptr<VantoranEngine::MessageManager> log;
    std::unique_ptr<VantoranEngine::MemoryManager> memory;
    std::unique_ptr<VantoranEngine::FileManager> files;
    VantoranEngine::SoundSystem_DS7* system = nullptr;
    VantoranEngine::SoundManager* manager = nullptr;
};

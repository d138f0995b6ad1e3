#include "SoundWorld.h"

#include "SoundFixtures.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace VantoranEngine;

std::vector<std::string> LogLines(MessageManager& log)
{
    std::vector<std::string> lines;
    for (const LogEntry& e : log.GetEntries()) {
        std::string text = e.text;
        if (e.kind == LogEntry::Error) {
            const std::string prefix = "\nError: ";
            const std::string suffix = "!\n\n";
            if (text.starts_with(prefix) && text.ends_with(suffix))
                text = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
            lines.push_back("E:" + text);
        } else {
            if (text.ends_with("\n"))
                text.pop_back();
            lines.push_back("M:" + text);
        }
    }
    return lines;
}

bool LogHasError(MessageManager& log, const std::string& text)
{
    for (const std::string& line : LogLines(log))
        if (line == "E:" + text)
            return true;
    return false;
}

std::string ScratchFolder()
{
    static std::atomic<int> counter{0};
    const char* root = std::getenv("BRINDLE_TEST_DATA");
    std::filesystem::path path = std::filesystem::path(root ? root : std::filesystem::temp_directory_path()) /
                                 ("sound-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path / "data");
    return path.string();
}

SoundWorld::SoundWorld(bool startSound) : folder(ScratchFolder())
{
    Platform::SoundTest::Reset();
    Platform::SoundTest::SetManualClock(true);
    log = std::make_unique<MessageManager>("", "sound-test", "Sound test", false, false);
    memory = std::make_unique<MemoryManager>(log.get());
    files = std::make_unique<FileManager>(log.get(), memory.get(), folder, "");
    log->ClearEntries();
    if (startSound) {
        system = new SoundSystem_DS7(log.get(), memory.get(), files.get(), nullptr, nullptr, false);
        manager = new SoundManager(memory.get(), files.get(), log.get(), system);
    }
}

SoundWorld::~SoundWorld()
{
    delete manager;
    delete system;
    files.reset();
    memory.reset();
    log.reset();
    std::filesystem::remove_all(folder);
    Platform::SoundTest::Reset();
}

void SoundWorld::Put(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    SoundFixtures::WriteFile(folder + "/data/" + name, bytes);
}

std::vector<int16_t> SoundWorld::Frame(uint32_t frames)
{
    std::vector<int16_t> mixed = Platform::SoundTest::AdvanceFrames(frames);
    manager->Update(true);
    return mixed;
}

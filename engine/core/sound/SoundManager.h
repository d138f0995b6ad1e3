#pragma once
// Owns every sound: creates them by file name through the sound system, plays them at once or at the next
// Update(true), and once per frame updates every sound and every buffer. Main thread only; the loading
// screen calls Update(false), which leaves the command queue alone.

#include "engine/core/HandleTable.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {

class FileManager;
class MemoryManager;
class MessageManager;
class Sound;
class SoundBufferManager;
class SoundSystem;

struct SoundCommand {
    enum Kind : int32_t { Play = 0, Pause = 1, Stop = 2 };

    int32_t kind;
    Sound* sound;
};

class SoundManager {
public:
    // Makes the buffer manager and stores it in the sound system.
    SoundManager(MemoryManager* memoryManager, FileManager* fileManager, MessageManager* messageManager,
                 SoundSystem* system);
    virtual ~SoundManager();

    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    Sound* CreateSound(const std::string& name);
    // now: Play at once; otherwise queued for the next Update(true).
    void PlaySound(Sound* sound, bool now);
    void QueueCommand(int32_t kind, Sound* sound);
    // Null does nothing. Commands still queued for the sound are dropped.
    void DestroySound(Sound* sound);
    // runCommands: carry out the queue first. Then every sound, then every buffer.
    void Update(bool runCommands);
    void DestroyAll();

    // Read-only views for the framework: the sounds in creation order, and the number of slots the table
    // has grown to (slots in use plus free ones).
    const HandleTable<Sound>& GetSounds() const { return sounds; }
    size_t GetSlotCount() const { return slotCount; }
    const std::vector<SoundCommand*>& GetQueue() const { return commands; }

    MemoryManager* memoryManager;
    FileManager* fileManager;
    MessageManager* messageManager;
    SoundSystem* system;
    SoundBufferManager* bufferManager;

private:
    HandleTable<Sound> sounds;
    size_t slotCount = 0;
    std::vector<SoundCommand*> commands;
};

} // namespace VantoranEngine

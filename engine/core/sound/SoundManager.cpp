#include "engine/core/sound/SoundManager.h"

#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundBufferManager.h"
#include "engine/core/sound/SoundSystem.h"

namespace VantoranEngine {

SoundManager::SoundManager(MemoryManager* memoryManager, FileManager* fileManager, MessageManager* messageManager,
                           SoundSystem* system)
    : memoryManager(memoryManager), fileManager(fileManager), messageManager(messageManager), system(system),
      bufferManager(new SoundBufferManager(memoryManager, messageManager, fileManager, system))
{
    system->soundBufferManager = bufferManager;
}

SoundManager::~SoundManager() { DestroyAll(); }

Sound* SoundManager::CreateSound(const std::string& name)
{
    Sound* sound = system->CreateSound(name);
    // A new slot is taken only when none is free.
    if (sounds.Count() == slotCount)
        ++slotCount;
    sounds.Add(sound);
    return sound;
}

void SoundManager::PlaySound(Sound* sound, bool now)
{
    if (now)
        sound->Play();
    else
        QueueCommand(SoundCommand::Play, sound);
}

void SoundManager::QueueCommand(int32_t kind, Sound* sound) { commands.push_back(new SoundCommand{kind, sound}); }

void SoundManager::DestroySound(Sound* sound)
{
    if (!sounds.Remove(sound))
        return;
    // Commands still queued for it would run on a deleted sound.
    std::erase_if(commands, [sound](SoundCommand* command) {
        if (command->sound != sound)
            return false;
        delete command;
        return true;
    });
}

void SoundManager::Update(bool runCommands)
{
    if (runCommands) {
        for (SoundCommand* command : commands) {
            switch (command->kind) {
            case SoundCommand::Play:
                PlaySound(command->sound, true);
                break;
            case SoundCommand::Pause:
                command->sound->Pause();
                break;
            case SoundCommand::Stop:
                command->sound->Stop();
                break;
            default:
                break;
            }
        }
        for (SoundCommand* command : commands)
            delete command;
        commands.clear();
    }
    for (Sound* sound : sounds)
        sound->Update();
    bufferManager->Update();
}

void SoundManager::DestroyAll()
{
    for (SoundCommand* command : commands)
        delete command;
    commands.clear();
    sounds.Clear();
    slotCount = 0;
    if (system && system->soundBufferManager == bufferManager)
        system->soundBufferManager = nullptr;
    delete bufferManager;
    bufferManager = nullptr;
}

} // namespace VantoranEngine

#pragma once
// One voice of a game sound: an engine Sound of its own over the id's file. Owned by the SoundPlayer,
// which creates and destroys the Sound.

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Sound;
}

namespace GameFramework {

struct SoundEntry {
    int32_t soundId = 0;
    std::string file;
    VantoranEngine::Sound* sound = nullptr; // owned: handed back to SoundManager::DestroySound
    bool looped = false;
    float lastStart = 0.0f; // main-timer seconds of the last request that chose this voice
};

} // namespace GameFramework

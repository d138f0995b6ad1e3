#pragma once
// The sound device on DirectSound: the device, the primary buffer in 22050 Hz stereo 16 bit and, when
// asked for, the 3D listener. A failed start-up logs its step, releases what it got and throws Error with
// an empty message: the engine then runs without sound. Every failed DirectSound call of the sound classes
// is logged through ReportError.

#include "engine/core/sound/SoundSystem.h"

#include "platform/sound/DirectSound.h"

#include <cstdint>

namespace VantoranEngine {

class Config;
class Window;

class SoundSystem_DS7 : public SoundSystem {
public:
    SoundSystem_DS7(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager,
                    Config* config, Window* window, bool sound3D);
    ~SoundSystem_DS7() override;

    // Restores a primary buffer whose status is exactly "lost"; commits the deferred 3D settings.
    void Refresh() override;
    Sound* CreateSound(const std::string& name) override;
    Sound* DuplicateSound(Sound* sound) override;
    SoundBuffer* CreateSoundBuffer(const std::string& name) override;
    SoundBuffer* DuplicateSoundBuffer(SoundBuffer* buffer) override;
    void SetListenerPosition(const Vector3& position) override;
    void SetListenerOrientation(const Vector3& front, const Vector3& top) override;
    void ResetListener() override;

    // Logs "DirectSound Subsystem (<label>): <text>" for every result but 0.
    void ReportError(const std::string& label, int32_t result);
    // The text ReportError uses: the table's, or "Unknown error (Code: <signed decimal>)".
    static std::string ResultText(int32_t result);
    void Release();

    bool sound3D;
    Config* config;
    Window* window;
    Platform::IDirectSound* device = nullptr;
    Platform::IDirectSoundBuffer* primaryBuffer = nullptr;
    Platform::IDirectSound3DListener* listener = nullptr;

private:
    [[noreturn]] void FailStartUp(const char* text);
};

} // namespace VantoranEngine

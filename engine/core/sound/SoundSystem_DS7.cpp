#include "engine/core/sound/SoundSystem_DS7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/devices/Window.h"
#include "engine/core/sound/SoundBuffer_DS7.h"
#include "engine/core/sound/Sound_DS7.h"

namespace VantoranEngine {

using namespace Platform;

SoundSystem_DS7::SoundSystem_DS7(MessageManager* messageManager, MemoryManager* memoryManager,
                                 FileManager* fileManager, Config* config, Window* window, bool sound3D)
    : SoundSystem(messageManager, memoryManager, fileManager), sound3D(sound3D), config(config), window(window)
{
    messageManager->LogMessage("\nInitialization of DirectSound Subsystem:");

    messageManager->LogMessage("...Creating a device...");
    if (DirectSoundCreate(nullptr, &device, nullptr) < 0)
        FailStartUp("Failed to create a device");

    messageManager->LogMessage("...Set cooperative level...");
    if (device->SetCooperativeLevel(window ? window->hwnd : nullptr, DSSCL_PRIORITY) < 0)
        FailStartUp("Failed to set cooperative level");

    messageManager->LogMessage("...Create primary buffer...");
    DSBUFFERDESC description{};
    description.dwSize = 36;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | (sound3D ? DSBCAPS_CTRL3D : 0);
    description.guid3DAlgorithm = DS3DALG_DEFAULT;
    if (device->CreateSoundBuffer(&description, &primaryBuffer, nullptr) < 0)
        FailStartUp("Failed to create primary buffer");

    messageManager->LogMessage("...Set primary buffer format...");
    const WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    if (primaryBuffer->SetFormat(&format) < 0)
        FailStartUp("Failed to set primary buffer format");

    if (this->sound3D) {
        messageManager->LogMessage("...Get the 3D listener from the primary buffer...");
        if (primaryBuffer->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener)) !=
            DS_OK) {
            listener = nullptr;
            messageManager->LogError("Failed to get the 3D listener from the primary buffer");
            this->sound3D = false;
        }
    }

    messageManager->LogMessage("");
    ResetListener();
}

SoundSystem_DS7::~SoundSystem_DS7() { Release(); }

void SoundSystem_DS7::FailStartUp(const char* text)
{
    messageManager->LogError(text);
    Release();
    throw Error("");
}

void SoundSystem_DS7::Release()
{
    messageManager->LogMessage("DirectSound system destroying:");
    if (listener) {
        messageManager->LogMessage("...Releasing 3D listener...");
        listener->Release();
        listener = nullptr;
    }
    if (primaryBuffer) {
        messageManager->LogMessage("...Releasing primary buffer...");
        primaryBuffer->Release();
        primaryBuffer = nullptr;
    }
    if (device) {
        messageManager->LogMessage("...Releasing device...");
        device->Release();
        device = nullptr;
    }
}

void SoundSystem_DS7::Refresh()
{
    if (primaryBuffer) {
        uint32_t status = 0;
        ReportError("SoundSystem_DS7::Refresh", primaryBuffer->GetStatus(&status));
        if (status == DSBSTATUS_BUFFERLOST)
            primaryBuffer->Restore();
    }
    if (listener)
        ReportError("SoundSystem_DS7::Refresh", listener->CommitDeferredSettings());
}

Sound* SoundSystem_DS7::CreateSound(const std::string& name)
{
    return new Sound_DS7(messageManager, soundBufferManager, memoryManager, this, name);
}

Sound* SoundSystem_DS7::DuplicateSound(Sound* sound) { return new Sound_DS7(*static_cast<Sound_DS7*>(sound)); }

SoundBuffer* SoundSystem_DS7::CreateSoundBuffer(const std::string& name)
{
    return new SoundBuffer_DS7(messageManager, fileManager, this, memoryManager, name);
}

SoundBuffer* SoundSystem_DS7::DuplicateSoundBuffer(SoundBuffer* buffer)
{
    return new SoundBuffer_DS7(*static_cast<SoundBuffer_DS7*>(buffer));
}

void SoundSystem_DS7::SetListenerPosition(const Vector3& position)
{
    SoundSystem::SetListenerPosition(position);
    if (listener)
        listener->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED);
}

void SoundSystem_DS7::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    SoundSystem::SetListenerOrientation(front, top);
    if (listener)
        listener->SetOrientation(front.x, front.y, front.z, top.x, top.y, top.z, DS3D_DEFERRED);
}

void SoundSystem_DS7::ResetListener() { SoundSystem::ResetListener(); }

std::string SoundSystem_DS7::ResultText(int32_t result)
{
    struct Row {
        int32_t result;
        const char* text;
    };
    static const Row rows[] = {
        {DSERR_ACCESSDENIED, "The request failed because access was denied."},
        {DSERR_ALLOCATED, "The request failed because resources, such as a priority level, were already in use "
                          "by another caller."},
        {DSERR_ALREADYINITIALIZED, "The object is already initialized."},
        {DSERR_BADFORMAT, "The specified wave format is not supported."},
        {DSERR_BUFFERLOST, "The buffer memory has been lost and must be restored."},
        {DSERR_CONTROLUNAVAIL,
         "The buffer control (volume, pan, and so on) requested by the caller is not available."},
        {DSERR_GENERIC, "An undetermined error occurred inside the DirectSound subsystem."},
        {DSERR_INVALIDCALL, "This function is not valid for the current state of this object."},
        {DSERR_INVALIDPARAM, "An invalid parameter was passed to the returning function."},
        {DSERR_NOAGGREGATION, "The object does not support aggregation."},
        {DSERR_NODRIVER, "No sound driver is available for use."},
        {DSERR_NOINTERFACE, "The requested COM interface is not available."},
        {DSERR_OTHERAPPHASPRIO,
         "Another application has a higher priority level, preventing this call from succeeding."},
        {DSERR_OUTOFMEMORY,
         "The DirectSound subsystem could not allocate sufficient memory to complete the caller's request."},
        {DSERR_PRIOLEVELNEEDED, "The caller does not have the priority level required for the function to succeed."},
        {DSERR_UNINITIALIZED, "The IDirectSound::Initialize method has not been called or has not been called "
                              "successfully before other methods were called."},
        {DSERR_UNSUPPORTED, "The function called is not supported at this time."},
    };
    for (const Row& row : rows)
        if (row.result == result)
            return row.text;
    return "Unknown error (Code: " + IntToString(0, result) + ")";
}

void SoundSystem_DS7::ReportError(const std::string& label, int32_t result)
{
    if (result != 0)
        messageManager->LogError("DirectSound Subsystem (" + label + "): " + ResultText(result));
}

} // namespace VantoranEngine

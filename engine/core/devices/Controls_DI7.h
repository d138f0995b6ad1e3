#pragma once
// The DirectInput 7 back end of Controls: the system keyboard and mouse, read at the start of every frame
// from their buffered events, or from their immediate state when buffering is off or a buffered read
// fails (then for that frame only).
//
// Rules:
// - Main thread only. The devices are opened at the non-exclusive background level and stay acquired;
//   losses are repaired by re-acquiring inside Update.
// - Construction failures are fatal (MessageManager::LogFatalError) except a refused buffer size, which
//   switches that device to immediate reading for good. What a failed construction opened is released
//   before the error leaves.

#include "engine/core/devices/Controls.h"
#include "platform/input/DirectInput.h"

#include <cstdint>
#include <map>
#include <string>

namespace VantoranEngine {

class Controls_DI7 : public Controls {
public:
    Controls_DI7(MessageManager& log, Window& window, Config& config, TimerManager& timers);
    ~Controls_DI7() override;

    void Update() override;
    void EndFrame() override;
    // The key-state rule for one name and one reading: unknown names are ignored; up clears the down
    // flag only; down on a name that is up sets the down and the pressed flag.
    void SetKeyState(const std::string& name, bool down);

    Platform::IDirectInput7A* directInput = nullptr;
    Platform::IDirectInputDevice7A* keyboard = nullptr;
    Platform::IDirectInputDevice7A* mouse = nullptr;
    std::map<std::string, int32_t> keyCodes;  // the 100 keyboard names and their DirectInput codes
    std::map<int32_t, std::string> codeNames; // the exact inverse
    bool keyboardBuffered = true;
    bool mouseBuffered = true;

private:
    Platform::IDirectInputDevice7A* OpenDevice(const Platform::GUID& device, const Platform::DIDATAFORMAT& format,
                                               Platform::DWORD bufferSize, const char* interfaceFailure,
                                               bool& buffered);
    [[noreturn]] void Fail(const std::string& text);
    void ReleaseDevices();
    void ReadKeyboard();
    void ReadMouse();
};

} // namespace VantoranEngine

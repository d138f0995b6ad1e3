#pragma once
// Fault injection for the DirectInput stand-in. Tests call it directly; the game never does.

#include "platform/window/WinTypes.h"

namespace Platform::Test {

enum class DirectInputCall {
    Create,
    CreateDevice,
    SetDataFormat,
    SetCooperativeLevel,
    SetProperty,
    Acquire,
    GetDeviceState,
    GetDeviceData,
};

enum class DirectInputDevice { Any, Keyboard, Mouse };

// The next `times` matching calls answer `result` instead of doing their work (times < 0: until
// cleared). Acquire may be made to answer DIERR_INPUTLOST only a finite number of times.
void FailDirectInput(DirectInputCall call, DirectInputDevice device, HRESULT result, int times = 1);
void ClearDirectInputFaults();

} // namespace Platform::Test

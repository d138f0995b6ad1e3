#pragma once
// The DirectInput 7 subset the engine reads the keyboard and the mouse through: one DirectInput object,
// the system keyboard and the system mouse, standard data formats, cooperative level, a buffer-size
// property, acquire, immediate state and buffered data.
//
// Rules:
// - Main thread only. Devices are fed by the window stand-in's event pump (platform/window), and every
//   GetDeviceState / GetDeviceData pumps first, so a read always sees the events queued before it.
// - Key codes are physical positions (the engine's DIK_ codes below), mapped from SDL scancodes. Key repeats
//   are not reported. Mouse buttons: 0 left, 1 right, 2 middle, 3 and 4 the side buttons. Motion is
//   relative, coalesced to one X and one Y event per pump; the wheel moves 120 units per notch.
// - Buffered data: the DIPROP_BUFFERSIZE property (0 at creation: unbuffered) bounds the queue; events past
//   it set the overflow flag, and the next GetDeviceData answers DI_BUFFEROVERFLOW with no data and an
//   emptied queue, so the reader falls back to the immediate state. When the window loses the focus every
//   queue is emptied, every key and button reads up and the overflow flag is set: keys pressed in another
//   program never arrive, and none stays stuck.
// - Acquire always succeeds (it never reports DIERR_INPUTLOST) unless a test injects a fault. Reads of an
//   unacquired device answer DIERR_NOTACQUIRED; events that arrive while unacquired are dropped.
// - Exclusive or foreground levels are accepted and behave as non-exclusive background ones.
// - Failures return a negative HRESULT below and leave outputs zeroed.

#include "platform/window/WinTypes.h"

#include <cstddef>

namespace Platform {

// Result codes. DI_BUFFEROVERFLOW is a success code that still means data was lost.
constexpr HRESULT DI_OK = 0;
constexpr HRESULT DI_BUFFEROVERFLOW = 1;
constexpr HRESULT DIERR_GENERIC = static_cast<HRESULT>(0x8A490001);
constexpr HRESULT DIERR_INVALIDPARAM = static_cast<HRESULT>(0x8A490002);
constexpr HRESULT DIERR_NOINTERFACE = static_cast<HRESULT>(0x8A490003);
constexpr HRESULT DIERR_OUTOFMEMORY = static_cast<HRESULT>(0x8A490004);
constexpr HRESULT DIERR_DEVICENOTREG = static_cast<HRESULT>(0x8A490005);
constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8A490006);
constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8A490007);
constexpr HRESULT DIERR_NOTBUFFERED = static_cast<HRESULT>(0x8A490008);
constexpr HRESULT DIERR_ACQUIRED = static_cast<HRESULT>(0x8A490009);

constexpr DWORD DIRECTINPUT_VERSION = 0x0700;

inline constexpr GUID IID_IDirectInput7A = {0x6b1f0a01, 0x5a3c, 0x4e71, {0x9d, 0x20, 0x41, 0x07, 0x00, 0x00, 0x00, 0x01}};
inline constexpr GUID IID_IDirectInputDevice7A = {0x6b1f0a02, 0x5a3c, 0x4e71, {0x9d, 0x20, 0x41, 0x07, 0x00, 0x00, 0x00, 0x02}};
inline constexpr GUID GUID_SysKeyboard = {0x6b1f0a03, 0x5a3c, 0x4e71, {0x9d, 0x20, 0x41, 0x07, 0x00, 0x00, 0x00, 0x03}};
inline constexpr GUID GUID_SysMouse = {0x6b1f0a04, 0x5a3c, 0x4e71, {0x9d, 0x20, 0x41, 0x07, 0x00, 0x00, 0x00, 0x04}};

// Cooperative levels: one of the first pair and one of the second.
constexpr DWORD DISCL_EXCLUSIVE = 0x01;
constexpr DWORD DISCL_NONEXCLUSIVE = 0x02;
constexpr DWORD DISCL_FOREGROUND = 0x04;
constexpr DWORD DISCL_BACKGROUND = 0x08;

// Properties.
using DIPROPID = int;
constexpr DIPROPID DIPROP_BUFFERSIZE = 1;
constexpr DWORD DIPH_DEVICE = 0;

struct DIPROPHEADER {
    DWORD dwSize;       // of the whole property record
    DWORD dwHeaderSize; // sizeof(DIPROPHEADER)
    DWORD dwObj;        // 0 with DIPH_DEVICE
    DWORD dwHow;
};

struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};

// Data formats: the standard keyboard (256 key bytes) and eight-button mouse (DIMOUSESTATE2) layouts.
struct DIDATAFORMAT {
    DWORD dwDataSize; // bytes of one immediate state
    int kind;         // private
};
extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse2;

struct DIMOUSESTATE2 {
    LONG lX; // relative motion since the last immediate read
    LONG lY;
    LONG lZ;           // wheel
    BYTE rgbButtons[8]; // bit 7 set while down
};

// Offsets of the mouse's objects, as buffered events report them.
constexpr DWORD DIMOFS_X = offsetof(DIMOUSESTATE2, lX);
constexpr DWORD DIMOFS_Y = offsetof(DIMOUSESTATE2, lY);
constexpr DWORD DIMOFS_Z = offsetof(DIMOUSESTATE2, lZ);
constexpr DWORD DIMOFS_BUTTON0 = offsetof(DIMOUSESTATE2, rgbButtons);
constexpr DWORD DIMOFS_BUTTON7 = DIMOFS_BUTTON0 + 7;

// One buffered event: ofs is the key code or the mouse object's offset; data has bit 7 set for a key or
// button going down, or holds a signed relative motion.
struct DIDEVICEOBJECTDATA {
    DWORD dwOfs;
    DWORD dwData;
    DWORD dwTimeStamp; // milliseconds, GetTickCount's clock
    DWORD dwSequence;  // increases across both devices
};
static_assert(sizeof(DIDEVICEOBJECTDATA) == 16);

class IDirectInputDevice7A {
public:
    HRESULT SetDataFormat(const DIDATAFORMAT* format);
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetProperty(DIPROPID property, const DIPROPHEADER* header);
    HRESULT Acquire();
    HRESULT Unacquire();
    // size must be the data format's state size.
    HRESULT GetDeviceState(DWORD size, void* state);
    // Reads up to *count events (objectSize 16) in arrival order, removing them unless data is null;
    // *count becomes the number read. flags: 0.
    HRESULT GetDeviceData(DWORD objectSize, DIDEVICEOBJECTDATA* data, DWORD* count, DWORD flags);
    DWORD AddRef();
    DWORD Release(); // deletes the device at 0

    struct Impl;
    explicit IDirectInputDevice7A(Impl* impl) : impl_(impl) {}

private:
    ~IDirectInputDevice7A();
    Impl* impl_;
    DWORD refs_ = 1;
};

class IDirectInput7A {
public:
    // GUID_SysKeyboard or GUID_SysMouse with IID_IDirectInputDevice7A; outer must be null.
    HRESULT CreateDeviceEx(const GUID& device, const GUID& interfaceId, void** out, void* outer);
    DWORD AddRef();
    DWORD Release();

private:
    friend HRESULT DirectInputCreateEx(HINSTANCE, DWORD, const GUID&, void**, void*);
    IDirectInput7A() = default;
    ~IDirectInput7A() = default;
    DWORD refs_ = 1;
};

// version 0x0700 and IID_IDirectInput7A only; instance must be the program's module.
HRESULT DirectInputCreateEx(HINSTANCE instance, DWORD version, const GUID& interfaceId, void** out, void* outer);

// Keyboard codes (DIK_): the key's position, numbered as the classic PC scan-code set.
constexpr int DIK_ESCAPE = 0x01;
constexpr int DIK_1 = 0x02;
constexpr int DIK_2 = 0x03;
constexpr int DIK_3 = 0x04;
constexpr int DIK_4 = 0x05;
constexpr int DIK_5 = 0x06;
constexpr int DIK_6 = 0x07;
constexpr int DIK_7 = 0x08;
constexpr int DIK_8 = 0x09;
constexpr int DIK_9 = 0x0A;
constexpr int DIK_0 = 0x0B;
constexpr int DIK_MINUS = 0x0C;
constexpr int DIK_EQUALS = 0x0D;
constexpr int DIK_BACK = 0x0E;
constexpr int DIK_TAB = 0x0F;
constexpr int DIK_Q = 0x10;
constexpr int DIK_W = 0x11;
constexpr int DIK_E = 0x12;
constexpr int DIK_R = 0x13;
constexpr int DIK_T = 0x14;
constexpr int DIK_Y = 0x15;
constexpr int DIK_U = 0x16;
constexpr int DIK_I = 0x17;
constexpr int DIK_O = 0x18;
constexpr int DIK_P = 0x19;
constexpr int DIK_LBRACKET = 0x1A;
constexpr int DIK_RBRACKET = 0x1B;
constexpr int DIK_RETURN = 0x1C;
constexpr int DIK_LCONTROL = 0x1D;
constexpr int DIK_A = 0x1E;
constexpr int DIK_S = 0x1F;
constexpr int DIK_D = 0x20;
constexpr int DIK_F = 0x21;
constexpr int DIK_G = 0x22;
constexpr int DIK_H = 0x23;
constexpr int DIK_J = 0x24;
constexpr int DIK_K = 0x25;
constexpr int DIK_L = 0x26;
constexpr int DIK_SEMICOLON = 0x27;
constexpr int DIK_APOSTROPHE = 0x28;
constexpr int DIK_GRAVE = 0x29;
constexpr int DIK_LSHIFT = 0x2A;
constexpr int DIK_BACKSLASH = 0x2B;
constexpr int DIK_Z = 0x2C;
constexpr int DIK_X = 0x2D;
constexpr int DIK_C = 0x2E;
constexpr int DIK_V = 0x2F;
constexpr int DIK_B = 0x30;
constexpr int DIK_N = 0x31;
constexpr int DIK_M = 0x32;
constexpr int DIK_COMMA = 0x33;
constexpr int DIK_PERIOD = 0x34;
constexpr int DIK_SLASH = 0x35;
constexpr int DIK_RSHIFT = 0x36;
constexpr int DIK_MULTIPLY = 0x37;
constexpr int DIK_LMENU = 0x38;
constexpr int DIK_SPACE = 0x39;
constexpr int DIK_CAPITAL = 0x3A;
constexpr int DIK_F1 = 0x3B;
constexpr int DIK_F2 = 0x3C;
constexpr int DIK_F3 = 0x3D;
constexpr int DIK_F4 = 0x3E;
constexpr int DIK_F5 = 0x3F;
constexpr int DIK_F6 = 0x40;
constexpr int DIK_F7 = 0x41;
constexpr int DIK_F8 = 0x42;
constexpr int DIK_F9 = 0x43;
constexpr int DIK_F10 = 0x44;
constexpr int DIK_NUMLOCK = 0x45;
constexpr int DIK_SCROLL = 0x46;
constexpr int DIK_NUMPAD7 = 0x47;
constexpr int DIK_NUMPAD8 = 0x48;
constexpr int DIK_NUMPAD9 = 0x49;
constexpr int DIK_SUBTRACT = 0x4A;
constexpr int DIK_NUMPAD4 = 0x4B;
constexpr int DIK_NUMPAD5 = 0x4C;
constexpr int DIK_NUMPAD6 = 0x4D;
constexpr int DIK_ADD = 0x4E;
constexpr int DIK_NUMPAD1 = 0x4F;
constexpr int DIK_NUMPAD2 = 0x50;
constexpr int DIK_NUMPAD3 = 0x51;
constexpr int DIK_NUMPAD0 = 0x52;
constexpr int DIK_DECIMAL = 0x53;
constexpr int DIK_OEM_102 = 0x56;
constexpr int DIK_F11 = 0x57;
constexpr int DIK_F12 = 0x58;
constexpr int DIK_NUMPADENTER = 0x9C;
constexpr int DIK_RCONTROL = 0x9D;
constexpr int DIK_DIVIDE = 0xB5;
constexpr int DIK_SYSRQ = 0xB7;
constexpr int DIK_RMENU = 0xB8;
constexpr int DIK_PAUSE = 0xC5;
constexpr int DIK_HOME = 0xC7;
constexpr int DIK_UP = 0xC8;
constexpr int DIK_PRIOR = 0xC9;
constexpr int DIK_LEFT = 0xCB;
constexpr int DIK_RIGHT = 0xCD;
constexpr int DIK_END = 0xCF;
constexpr int DIK_DOWN = 0xD0;
constexpr int DIK_NEXT = 0xD1;
constexpr int DIK_INSERT = 0xD2;
constexpr int DIK_DELETE = 0xD3;
constexpr int DIK_LWIN = 0xDB;
constexpr int DIK_RWIN = 0xDC;
constexpr int DIK_APPS = 0xDD;

} // namespace Platform

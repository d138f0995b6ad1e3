#pragma once
// The handful of base types the Win32-shaped and DirectX-shaped stand-ins share. Widths are fixed: the
// engine stores these values in 32-bit fields. Handles are pointers to records owned by the stand-in that
// hands them out; their layout is private to it.

#include <cstdint>

namespace Platform {

using BOOL = int32_t;    // 0 false, anything else true; pass C++ true/false (libjpeg defines TRUE/FALSE macros)
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using SHORT = int16_t;
using ATOM = uint16_t;   // 0 means failure
using HRESULT = int32_t; // negative: failure; 0 and positive: success

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

// A 128-bit interface or device identifier. The stand-ins compare them only for equality.
struct GUID {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.data4[i] != b.data4[i])
            return false;
    return true;
}

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct POINT {
    LONG x;
    LONG y;
};

struct WindowRecord;
struct ModuleRecord;
struct DeviceContextRecord;
struct CursorRecord;
struct IconRecord;
struct BrushRecord;

using HWND = WindowRecord*;
using HINSTANCE = ModuleRecord*;
using HMODULE = ModuleRecord*;
using HDC = DeviceContextRecord*;
using HCURSOR = CursorRecord*;
using HICON = IconRecord*;
using HBRUSH = BrushRecord*;
using HGDIOBJ = BrushRecord*; // the only stock object the engine asks for is a brush

} // namespace Platform

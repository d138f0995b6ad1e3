#pragma once
// The test interface of the DirectDraw 7 / Direct3D 7 stand-in: the machine it pretends to be, the
// faults it injects, the backend it draws with and the record of device calls. Tests call it directly;
// the environment variable BRINDLE_D3D7_FAULTS switches the same faults on for whole-program runs
// (a comma-separated list of fault names as in FaultName, e.g. "CreateHardwareDevice,DeviceLost").
// Reset() returns everything to the defaults below.

#include "platform/d3d7/D3D7.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Platform::D3D7Test {

enum class Backend {
    OpenGL,    // draws through OpenGL into the window of the cooperative level (default)
    Recording, // no OpenGL: draws, clears and presents are only recorded
};

struct DeviceSpec {
    GUID guid;
    const char* description;
    const char* name;
    bool hardware;
    DWORD renderBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
    bool zBufferless = false;
    WORD textureUnits = 0; // 0: the environment's
};

struct Environment {
    // The desktop; 0 width means: ask SDL (OpenGL backend) or 1280x1024 (recording backend).
    DWORD desktopWidth = 0, desktopHeight = 0, desktopBits = 32;
    // Display modes as the driver lists them (before the engine's own filter); empty means the
    // standard list up to the desktop size at 16 and 32 bits.
    struct Mode {
        DWORD width, height, bits;
    };
    std::vector<Mode> modes;
    bool primaryCanRenderWindowed = true;
    bool secondaryDriver = false; // a second, non-primary driver listed after the primary one
    std::vector<DeviceSpec> devices; // empty means: RGB (software), HAL, TnL HAL
    WORD textureUnits = 8;
    DWORD maxTextureSize = 4096;
    DWORD maxAnisotropy = 16;
};

enum class Fault {
    DirectDrawCreate,
    QueryDirect3D,
    SetCooperativeLevel,
    SetDisplayMode,
    CreatePrimarySurface,
    CreateBackBuffer, // the off-screen back buffer, or the attached one of a flipping primary
    CreateClipper,
    CreateZBuffer,
    CreateTextureSurface, // texture and system-memory surfaces
    Lock,
    CreateHardwareDevice, // IDirect3D7::CreateDevice for a hardware device
    CreateSoftwareDevice,
    SetViewport,
    SetRenderTarget,
    RestoreAllSurfaces,
    BeginScene,       // DDERR_SURFACELOST once, then success
    DeviceLost,       // TestCooperativeLevel reports DDERR_NOEXCLUSIVEMODE; surfaces are lost
    DisplayModeChanged, // TestCooperativeLevel reports DDERR_WRONGMODE; surfaces are lost
    Count
};
const char* FaultName(Fault fault);

// Reset everything: defaults, no faults, OpenGL backend, empty call record.
void Reset();
void SetEnvironment(const Environment& environment);
void SetBackend(Backend backend);
Backend GetBackend();

// The fault stays on until cleared; times > 0 limits it to that many failing calls.
void InjectFault(Fault fault, HRESULT result = DDERR_GENERIC, int times = -1);
void ClearFault(Fault fault);

// Every device, draw, clear and present call in order, as "Name(arg, arg, ...)" with decimal numbers
// (e.g. "SetRenderState(6, 2)", "Clear(3, 0xff000000)", "DrawIndexedPrimitive(1, 338, 4, 6)").
const std::vector<std::string>& Calls();
int CountCalls(const std::string& prefix);
void ClearCalls();

// The picture the last present left in the window system's own image of the main window, top row first, 4
// bytes a pixel (blue, green, red, unused): false when that present did not go through the image (it goes
// there with a software renderer when the picture fills the window; else through a GL blit and swap).
bool ReadWindowImage(std::uint32_t& width, std::uint32_t& height, std::vector<std::uint8_t>& pixels);

// Live objects, for leak checks.
int LiveSurfaces();
int LiveDirectDrawObjects();

// A hidden OpenGL-capable SDL window that needs no engine window record, for the stand-in's own tests;
// its handle is accepted wherever a window handle is.
HWND CreateTestWindow(int width, int height);
void DestroyTestWindow(HWND window);
// Simulated window states for the loss rules (test windows only).
void SetTestWindowState(HWND window, bool focused, bool minimised);

} // namespace Platform::D3D7Test

#pragma once
// The render device's enumeration records: one DriverInfo per DirectDraw driver, its usable Direct3D
// devices, and each device's usable display modes. Owned by the render system's driver list.

#include "platform/d3d7/D3D7.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace VantoranEngine {

struct DisplayModeInfo {
    std::uint32_t width = 0, height = 0;
    std::uint32_t bits = 0;                        // 16, or 32 for 24- and 32-bit modes
    const Platform::DDSURFACEDESC2* mode = nullptr; // the driver's record: real depth and refresh rate
};

struct DeviceInfo {
    std::vector<std::unique_ptr<DisplayModeInfo>> displayModes;
    DisplayModeInfo* chosenMode = nullptr;
    std::uint8_t fullscreen = 0;
    Platform::GUID guid{};
    Platform::GUID* guidPointer = &guid;
    char name[64] = {};
    char description[64] = {};
    Platform::D3DDEVICEDESC7 desc{};
    std::uint8_t hardware = 0;
};

struct DriverInfo {
    std::vector<std::unique_ptr<DeviceInfo>> devices;
    DeviceInfo* chosenDevice = nullptr;
    Platform::GUID guid{};
    Platform::GUID* guidPointer = nullptr; // null for the primary display driver
    char description[64] = {};
    Platform::DDCAPS hardwareCaps{}, emulationCaps{};
    std::uint8_t canRenderWindowed = 0;
    Platform::DEVMODEA desktopMode{};
    std::vector<Platform::DDSURFACEDESC2> displayModes; // at least 640 x 400, sorted, largest first
};

} // namespace VantoranEngine

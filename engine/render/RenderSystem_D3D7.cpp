// The Direct3D 7 render system: enumeration, device and video-mode choice, creation with fallback,
// release, result descriptions and the buffer factories.

#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/devices/Window.h"
#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/VertexBuffer_D3D7.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace VantoranEngine {

using namespace Platform;

namespace {

const char* const kDots = "........................................................";

void CopyText(char (&target)[64], const char* source) {
    std::strncpy(target, source ? source : "", 63);
    target[63] = '\0';
}

struct DriverEnumeration {
    RenderSystem_D3D7* system;
    DriverInfo* driver;
};

} // namespace

RenderSystem_D3D7::RenderSystem_D3D7(MessageManager* log, MemoryManager* memory, Config* config, Window* window)
    : RenderSystem(log, memory, config, window) {
    log->LogMessage("\nInitialization of Direct3D subsystem...");
    BuildDeviceList();
    CreateDeviceWithFallback(true);
    InitStateCache();
    log->LogMessage(" ");
}

RenderSystem_D3D7::~RenderSystem_D3D7() {
    log->LogMessage("\nDirect3D Subsystem destroying:");
    try {
        ReleaseDevice();
    } catch (const FatalError&) {
        // Already logged; a destructor must not throw.
    }
}

// ---- Enumeration ----

void RenderSystem_D3D7::BuildDeviceList() {
    log->LogMessage("...Building device list...");
    DirectDrawEnumerateExA(EnumDriversCallback, this,
                           DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES | DDENUM_NONDISPLAYDEVICES);
    if (drivers.empty() || drivers.front()->devices.empty())
        log->LogFatalError("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
}

BOOL RenderSystem_D3D7::EnumDriversCallback(GUID* guid, const char* description, const char*, void* context, void*) {
    auto* self = static_cast<RenderSystem_D3D7*>(context);
    void* object = nullptr;
    if (DirectDrawCreateEx(guid, &object, IID_IDirectDraw7, nullptr) < 0 || !object) return 1;
    auto* dd = static_cast<IDirectDraw7*>(object);
    IDirect3D7* d3d = nullptr;
    if (dd->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&d3d)) < 0 || !d3d) {
        dd->Release();
        return 1;
    }
    auto driver = std::make_unique<DriverInfo>();
    CopyText(driver->description, description);
    driver->hardwareCaps.dwSize = sizeof(DDCAPS);
    driver->emulationCaps.dwSize = sizeof(DDCAPS);
    dd->GetCaps(&driver->hardwareCaps, &driver->emulationCaps);
    if (guid) {
        driver->guid = *guid;
        driver->guidPointer = &driver->guid;
    }
    driver->canRenderWindowed = (driver->hardwareCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED) && !guid ? 1 : 0;
    driver->desktopMode.dmSize = sizeof(DEVMODEA);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &driver->desktopMode);
    dd->EnumDisplayModes(0, nullptr, driver.get(), EnumDisplayModesCallback);
    std::sort(driver->displayModes.begin(), driver->displayModes.end(),
              [](const DDSURFACEDESC2& a, const DDSURFACEDESC2& b) {
                  if (a.dwWidth != b.dwWidth) return a.dwWidth > b.dwWidth;
                  if (a.dwHeight != b.dwHeight) return a.dwHeight > b.dwHeight;
                  return a.ddpfPixelFormat.dwRGBBitCount > b.ddpfPixelFormat.dwRGBBitCount;
              });
    DriverEnumeration enumeration{self, driver.get()};
    self->drivers.push_back(std::move(driver));
    d3d->EnumDevices(EnumDevicesCallback, &enumeration);
    d3d->Release();
    dd->Release();
    return 1;
}

HRESULT RenderSystem_D3D7::EnumDisplayModesCallback(DDSURFACEDESC2* mode, void* context) {
    if (mode->dwWidth >= 640 && mode->dwHeight >= 400) static_cast<DriverInfo*>(context)->displayModes.push_back(*mode);
    return DDENUMRET_OK;
}

HRESULT RenderSystem_D3D7::EnumDevicesCallback(const char* description, const char* name, D3DDEVICEDESC7* desc,
                                               void* context) {
    auto* enumeration = static_cast<DriverEnumeration*>(context);
    DriverInfo* driver = enumeration->driver;
    auto device = std::make_unique<DeviceInfo>();
    device->hardware = (desc->dwDevCaps & D3DDEVCAPS_HWRASTERIZATION) ? 1 : 0;
    device->desc = *desc;
    device->guid = desc->deviceGUID;
    device->guidPointer = &device->guid;
    CopyText(device->name, name);
    CopyText(device->description, description);
    if (driver->guidPointer && !device->hardware) return D3DENUMRET_OK;
    for (const DDSURFACEDESC2& mode : driver->displayModes) {
        const DWORD bits = mode.ddpfPixelFormat.dwRGBBitCount;
        const DWORD depths = desc->dwDeviceRenderBitDepth;
        const bool usable = (bits == 32 && (depths & DDBD_32)) || (bits == 24 && (depths & DDBD_24)) ||
                            (bits == 16 && (depths & DDBD_16));
        if (!usable) continue;
        auto info = std::make_unique<DisplayModeInfo>();
        info->width = mode.dwWidth;
        info->height = mode.dwHeight;
        info->bits = bits == 16 ? 16 : 32;
        info->mode = &mode;
        device->displayModes.push_back(std::move(info));
    }
    if (!device->displayModes.empty()) driver->devices.push_back(std::move(device));
    return D3DENUMRET_OK;
}

// ---- Choice ----

void RenderSystem_D3D7::ChooseDevice(bool softwareOnly) {
    struct Candidate {
        DriverInfo* driver = nullptr;
        DeviceInfo* device = nullptr;
    } tnl, hal, software, reference;
    for (const auto& driver : drivers) {
        if (!driver->canRenderWindowed) continue;
        for (const auto& device : driver->devices) {
            Candidate candidate{driver.get(), device.get()};
            if (device->hardware)
                (device->guid == IID_IDirect3DTnLHalDevice ? tnl : hal) = candidate;
            else
                (device->guid == IID_IDirect3DRefDevice ? reference : software) = candidate;
        }
    }
    Candidate chosen;
    if (!softwareOnly && tnl.device)
        chosen = tnl;
    else if (!softwareOnly && hal.device)
        chosen = hal;
    else if (software.device)
        chosen = software;
    else if (reference.device)
        chosen = reference;
    else
        log->LogFatalError("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    chosenDriver = chosen.driver;
    chosenDriver->chosenDevice = chosen.device;
}

void RenderSystem_D3D7::CreateDeviceWithFallback(bool logCapabilities) {
    if (!chosenDriver) ChooseDevice(false);
    DeviceInfo* tried = chosenDriver->chosenDevice;
    if (CreateDevice(logCapabilities)) return;
    if (tried->hardware) {
        log->LogWarning("......RenderSystem_D3D7: Switching to the software rasterizer");
        ChooseDevice(true);
        CreateDeviceWithFallback(true);
        return;
    }
    log->LogFatalError("RenderSystem_D3D7: Failed to create Direct3D device");
}

void RenderSystem_D3D7::ChooseVideoMode() {
    DeviceInfo* device = chosenDriver->chosenDevice;
    // The desktop's size as the display driver reports it (the desktop window has the same size).
    const std::uint32_t desktopWidth = chosenDriver->desktopMode.dmPelsWidth;
    const std::uint32_t desktopHeight = chosenDriver->desktopMode.dmPelsHeight;
    // Each mode text is tried once: the chain ends even when neither the default nor 640x480x16 exists.
    std::set<std::string> tried;
    bool smallestSet = false;
    for (;;) {
        const std::string modeText = ToLowerCopy(VideoModeText());
        if (!tried.insert(modeText).second)
            log->LogFatalError("RenderSystem_D3D7: Failed to find compatible video mode");
        std::uint32_t width = 0, height = 0, bits = 0;
        if (modeText == "desktop") {
            width = chosenDriver->desktopMode.dmPelsWidth;
            height = chosenDriver->desktopMode.dmPelsHeight;
            bits = chosenDriver->desktopMode.dmBitsPerPel;
            if (bits == 24) bits = 32; // listed modes store 24-bit as 32
            SetSettingText("v_fullscreen", "1");
        } else {
            ParseVideoMode(VideoModeText(), width, height, bits);
        }
        DisplayModeInfo* chosen = nullptr;
        if (!FullscreenSetting() && (width >= desktopWidth || height >= desktopHeight)) {
            // Automatic window size: the largest listed mode of 4:3-friendly size inside the desktop.
            std::uint32_t bestWidth = 640, bestHeight = 480;
            for (const auto& mode : device->displayModes) {
                if (mode->width % 4 == 0 && mode->height % 3 == 0 && mode->width < desktopWidth &&
                    mode->height < desktopHeight && mode->width > bestWidth && mode->height > bestHeight) {
                    bestWidth = mode->width;
                    bestHeight = mode->height;
                    chosen = mode.get();
                }
            }
            SetSettingText("v_mode", std::to_string(bestWidth) + "x" + std::to_string(bestHeight) + "x" +
                                         std::to_string(bits));
            // No qualifying mode: the rewritten 640 x 480 goes through the exact match and the fallbacks.
            width = bestWidth;
            height = bestHeight;
        }
        if (!chosen) {
            for (const auto& mode : device->displayModes) {
                if (mode->width == width && mode->height == height && mode->bits == bits) {
                    chosen = mode.get();
                    break;
                }
            }
        }
        if (chosen) {
            device->chosenMode = chosen;
            device->fullscreen = FullscreenSetting() && !window->parent ? 1 : 0;
            return;
        }
        const std::string current = ToLowerCopy(VideoModeText());
        if (current == ToLowerCopy(config->GetDefaultText("v_mode"))) {
            if (current == "640x480x16")
                log->LogFatalError("RenderSystem_D3D7: Failed to find compatible video mode");
            SetSettingText("v_mode", "640x480x16");
            smallestSet = true;
        } else if (smallestSet) {
            log->LogFatalError("RenderSystem_D3D7: Failed to find compatible video mode");
        } else {
            config->ResetToDefault("v_mode");
        }
    }
}

// ---- Creation and release ----

namespace {

struct ZBufferChoice {
    DWORD wantedDepth;
    bool exact = false, have16 = false;
    DDPIXELFORMAT exactFormat{}, format16{};
};

} // namespace

HRESULT RenderSystem_D3D7::EnumZBufferFormatsCallback(DDPIXELFORMAT* format, void* context) {
    auto* choice = static_cast<ZBufferChoice*>(context);
    if (format->dwZBufferBitDepth == choice->wantedDepth) {
        choice->exact = true;
        choice->exactFormat = *format;
        return D3DENUMRET_CANCEL;
    }
    if (format->dwZBufferBitDepth == 16 && !choice->have16) {
        choice->have16 = true;
        choice->format16 = *format;
    }
    return D3DENUMRET_OK;
}

bool RenderSystem_D3D7::CreateDevice(bool logCapabilities) {
    try {
        ChooseVideoMode();
        DeviceInfo* chosen = chosenDriver->chosenDevice;
        const DisplayModeInfo& mode = *chosen->chosenMode;
        const bool fullscreen = chosen->fullscreen != 0;

        log->LogMessage("...Creating DirectDraw...");
        void* object = nullptr;
        if (DirectDrawCreateEx(chosenDriver->guidPointer, &object, IID_IDirectDraw7, nullptr) < 0 || !object)
            throw Error("Failed to create DirectDraw");
        directDraw = static_cast<IDirectDraw7*>(object);

        log->LogMessage("......Setting cooperative level...");
        const DWORD level = (fullscreen ? DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE : DDSCL_NORMAL) |
                            DDSCL_FPUSETUP;
        if (directDraw->SetCooperativeLevel(window->hwnd, level) < 0)
            throw Error("Failed to set DirectDraw cooperative level");

        DDSURFACEDESC2 current{};
        current.dwSize = sizeof current;
        if (directDraw->GetDisplayMode(&current) < 0 || current.ddpfPixelFormat.dwRGBBitCount <= 8)
            throw Error("Invalid DirectDraw display mode");

        log->LogMessage("......Creating screen buffers...");
        window->SetMode(mode.width, mode.height, fullscreen, chosenDriver->desktopMode.dmPelsWidth,
                        chosenDriver->desktopMode.dmPelsHeight);
        if (fullscreen && directDraw->SetDisplayMode(mode.width, mode.height, mode.mode->ddpfPixelFormat.dwRGBBitCount,
                                                     mode.mode->dwRefreshRate, 0) < 0)
            throw Error("Failed to set display mode");

        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        if (fullscreen) {
            desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
            desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
            desc.dwBackBufferCount = 1;
        }
        if (directDraw->CreateSurface(&desc, &primary, nullptr) < 0) throw Error("Failed to create primary surface");

        if (fullscreen) {
            DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0};
            if (primary->GetAttachedSurface(&caps, &backBuffer) < 0) throw Error("Failed to create back buffer");
        } else {
            IDirectDrawClipper* clipper = nullptr;
            if (directDraw->CreateClipper(0, &clipper, nullptr) < 0) throw Error("Failed to create clipper");
            clipper->SetHWnd(0, window->hwnd);
            primary->SetClipper(clipper);
            clipper->Release();
            desc = DDSURFACEDESC2{};
            desc.dwSize = sizeof desc;
            desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
            desc.dwWidth = mode.width;
            desc.dwHeight = mode.height;
            desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
            if (directDraw->CreateSurface(&desc, &backBuffer, nullptr) < 0) throw Error("Failed to create back buffer");
        }
        backBufferDesc = DDSURFACEDESC2{};
        backBufferDesc.dwSize = sizeof backBufferDesc;
        backBuffer->GetSurfaceDesc(&backBufferDesc);

        log->LogMessage("...Creating Direct3D...");
        if (directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D)) < 0 || !direct3D)
            throw Error("Failed to create Direct3D");

        log->LogMessage("...Creating Direct3D device...");
        if (direct3D->CreateDevice(chosen->guid, backBuffer, &device) < 0 || !device)
            throw Error("Failed to create Direct3D device");

        log->LogMessage("......Setting viewport...");
        D3DVIEWPORT7 viewport{0, 0, mode.width, mode.height, 0.0f, 1.0f};
        if (device->SetViewport(&viewport) < 0) throw Error("Failed to set viewport");

        log->LogMessage("......Creating Z Buffer...");
        if (!(chosen->desc.dpcTriCaps.dwRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR)) {
            ZBufferChoice choice{backBufferDesc.ddpfPixelFormat.dwRGBBitCount};
            direct3D->EnumZBufferFormats(chosen->guid, EnumZBufferFormatsCallback, &choice);
            if (!choice.exact && !choice.have16) throw Error("Failed to create Z Buffer");
            const DDPIXELFORMAT format = choice.exact ? choice.exactFormat : choice.format16;
            desc = DDSURFACEDESC2{};
            desc.dwSize = sizeof desc;
            desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
            desc.dwWidth = backBufferDesc.dwWidth;
            desc.dwHeight = backBufferDesc.dwHeight;
            desc.ddpfPixelFormat = format;
            const bool hal = chosen->hardware != 0;
            desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | (hal ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
            if (directDraw->CreateSurface(&desc, &zBuffer, nullptr) < 0) throw Error("Failed to create Z Buffer");
            if (backBuffer->AddAttachedSurface(zBuffer) < 0) throw Error("Failed to create Z Buffer");
            if (device->SetRenderTarget(backBuffer, 0) < 0) throw Error("Failed to set render target");
        }

        textureUnitCount = chosen->desc.wMaxSimultaneousTextures;
        maxTextureWidth = chosen->desc.dwMaxTextureWidth;
        maxTextureHeight = chosen->desc.dwMaxTextureHeight;
        maxTextureAnisotropy = static_cast<std::int32_t>(chosen->desc.dwMaxAnisotropy);
        if (logCapabilities) {
            log->LogMessage(kDots);
            log->LogMessage("......Capabilities:");
            log->LogMessage(".........Maximal texture units: " + std::to_string(textureUnitCount));
            log->LogMessage(".........Maximal texture size: " + std::to_string(maxTextureWidth) + "x" +
                            std::to_string(maxTextureHeight));
            log->LogMessage(".........Maximal texture anisotropy: " + std::to_string(maxTextureAnisotropy));
        }
        return true;
    } catch (const FatalError&) {
        throw;
    } catch (const Error& error) {
        ReleaseDevice();
        log->LogError("RenderSystem_D3D7: " + error.message);
        return false;
    }
}

void RenderSystem_D3D7::ReleaseDevice() {
    if (directDraw) directDraw->SetCooperativeLevel(window->hwnd, DDSCL_NORMAL);
    log->LogMessage("...Releasing device...");
    ULONG deviceCount = 0;
    if (device) deviceCount = device->Release();
    device = nullptr;
    log->LogMessage("...Releasing surfaces...");
    if (backBuffer) backBuffer->Release();
    if (zBuffer) zBuffer->Release();
    if (primary) primary->Release();
    backBuffer = zBuffer = primary = nullptr;
    log->LogMessage("...Releasing Direct3D...");
    if (direct3D) direct3D->Release();
    direct3D = nullptr;
    log->LogMessage("...Releasing DirectDraw...");
    ULONG directDrawCount = 0;
    if (directDraw) directDrawCount = directDraw->Release();
    directDraw = nullptr;
    if (deviceCount > 0) log->LogFatalError("RenderSystem_D3D7: device object is still referenced");
    if (directDrawCount > 0) log->LogFatalError("RenderSystem_D3D7: DirectDraw object is still referenced");
}

// ---- Results ----

void RenderSystem_D3D7::CheckResult(const std::string& tag, HRESULT result) {
    if (result >= 0) return;
    log->LogError("Direct3D Subsystem (" + tag + "): " + DescribeResult(result));
}

std::string RenderSystem_D3D7::DescribeResult(HRESULT result) {
    // The rows of the codes the device can meet; every other code is unknown.
    static const struct {
        HRESULT code;
        const char* text;
    } rows[] = {
        {DDERR_SURFACELOST, "Access to the surface is refused because the surface memory is gone. Call the "
                            "IDirectDrawSurface7::Restore method on this surface to restore the memory associated "
                            "with it."},
        {DDERR_WRONGMODE, "This surface cannot be restored because it was created in a different mode."},
        {DDERR_NOEXCLUSIVEMODE, "The operation requires the application to have exclusive mode, but the "
                                "application does not have exclusive mode."},
        {DDERR_WASSTILLDRAWING, "The previous blit operation that is transferring information to or from this "
                                "surface is incomplete."},
        {DDERR_GENERIC, "There is an undefined error condition."},
        {DDERR_INVALIDPARAMS, "One or more of the parameters passed to the method are incorrect."},
        {DDERR_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."},
        {DDERR_OUTOFVIDEOMEMORY, "DirectDraw does not have enough display memory to perform the operation."},
        {DDERR_UNSUPPORTED, "The operation is not supported."},
        {DDERR_INVALIDMODE, "DirectDraw does not support the requested mode."},
        {DDERR_UNSUPPORTEDMODE, "The display is currently in an unsupported mode."},
        {DDERR_INVALIDPIXELFORMAT, "The pixel format was invalid as specified."},
        {DDERR_NOVSYNCHW, "There is no hardware support for vertical blank\x96synchronized operations."},
        {DDERR_EXCLUSIVEMODEALREADYSET, "An attempt was made to set the cooperative level when it was already set "
                                        "to exclusive."},
        {DDERR_INVALIDRECT, "The provided rectangle was invalid."},
        {DDERR_NOTFOUND, "The requested item was not found."},
        {DDERR_NOTLOCKED, "An attempt was made to unlock a surface that was not locked."},
    };
    for (const auto& row : rows)
        if (row.code == result) return row.text;
    return "Unknown error (Code: " + std::to_string(result) + ")";
}

// ---- Live textures ----

void RenderSystem_D3D7::AddTexture(Texture2D_D3D7* texture) {
    std::lock_guard<std::mutex> guard(texturesMutex);
    liveTextures.push_back(texture);
}

std::vector<Texture2D_D3D7*> RenderSystem_D3D7::LiveTextures() const {
    std::lock_guard<std::mutex> guard(texturesMutex);
    return liveTextures;
}

// ---- Buffers ----

VertexBuffer* RenderSystem_D3D7::CreateVertexBuffer(std::int32_t usage, std::int32_t hasColor,
                                                    std::uint32_t vertexCount) {
    auto* buffer = new VertexBuffer_D3D7(this, usage, hasColor, static_cast<std::int32_t>(vertexCount));
    if (hasColor) buffer->SetColor({1, 1, 1, 1});
    return buffer;
}

VertexBuffer* RenderSystem_D3D7::CreateConvertedVertexBuffer(std::int32_t usage, std::int32_t hasColor,
                                                             const VertexBuffer& source) {
    auto* buffer = new VertexBuffer_D3D7(this, usage, hasColor, source.vertexCount);
    auto* target = static_cast<std::uint8_t*>(buffer->Lock(0, buffer->vertexCount));
    const std::uint8_t* from = source.vertices.data();
    if ((source.hasColor != 0) == (hasColor != 0)) {
        std::memcpy(target, from, source.vertices.size());
    } else {
        const size_t uvTarget = hasColor ? 28 : 24, uvSource = source.hasColor ? 28 : 24;
        for (std::int32_t i = 0; i < source.vertexCount; ++i) {
            std::uint8_t* to = target + static_cast<size_t>(i) * buffer->vertexSize;
            const std::uint8_t* at = from + static_cast<size_t>(i) * source.vertexSize;
            std::memcpy(to, at, 24); // position and normal
            std::memcpy(to + uvTarget, at + uvSource, 8);
        }
    }
    buffer->Unlock();
    if (hasColor && !source.hasColor) buffer->SetColor({1, 1, 1, 1});
    return buffer;
}

VertexBuffer* RenderSystem_D3D7::CloneVertexBuffer(const VertexBuffer& source) {
    auto* buffer = new VertexBuffer_D3D7(this, source.usage, source.hasColor, source.vertexCount);
    if (const auto* d3d = dynamic_cast<const VertexBuffer_D3D7*>(&source)) buffer->renderSystem = d3d->renderSystem;
    std::memcpy(buffer->Lock(0, buffer->vertexCount), source.vertices.data(), source.vertices.size());
    buffer->Unlock();
    return buffer;
}

IndexBuffer* RenderSystem_D3D7::CreateIndexBuffer(std::int32_t usage, std::uint32_t indexCount) {
    return new IndexBuffer_D3D7(this, static_cast<std::uint32_t>(usage), indexCount);
}

IndexBuffer* RenderSystem_D3D7::CreateConvertedIndexBuffer(std::int32_t usage, const IndexBuffer& source) {
    auto* buffer = static_cast<IndexBuffer_D3D7*>(CloneIndexBuffer(source));
    buffer->usage = static_cast<std::uint32_t>(usage);
    return buffer;
}

IndexBuffer* RenderSystem_D3D7::CloneIndexBuffer(const IndexBuffer& source) {
    auto* buffer = new IndexBuffer_D3D7(this, source.usage, source.indexCount);
    if (const auto* d3d = dynamic_cast<const IndexBuffer_D3D7*>(&source)) buffer->renderSystem = d3d->renderSystem;
    std::memcpy(buffer->Lock(0, static_cast<std::int32_t>(buffer->indexCount)), source.indices.data(),
                source.indices.size());
    buffer->Unlock();
    buffer->usedIndexCount = source.usedIndexCount;
    buffer->lowestIndex = source.lowestIndex;
    buffer->indexRange = source.indexRange;
    buffer->rangeStale = 1;
    return buffer;
}

} // namespace VantoranEngine

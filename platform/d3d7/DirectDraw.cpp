// DirectDraw 7 stand-in: drivers, display modes, cooperative level, surfaces, clipper, loss simulation.

#include "platform/d3d7/D3D7Internal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace Platform {

const GUID IID_IDirectDraw7 = {0x42524401, 0x0001, 0x0007, {'D', 'D', 'R', 'A', 'W', 0, 0, 7}};
const GUID IID_IDirect3D7 = {0x42524401, 0x0002, 0x0007, {'D', '3', 'D', 0, 0, 0, 0, 7}};
const GUID IID_IDirect3DTnLHalDevice = {0x42524401, 0x0003, 0x0007, {'T', 'N', 'L', 'H', 'A', 'L', 0, 7}};
const GUID IID_IDirect3DHALDevice = {0x42524401, 0x0004, 0x0007, {'H', 'A', 'L', 0, 0, 0, 0, 7}};
const GUID IID_IDirect3DRGBDevice = {0x42524401, 0x0005, 0x0007, {'R', 'G', 'B', 0, 0, 0, 0, 7}};
const GUID IID_IDirect3DRefDevice = {0x42524401, 0x0006, 0x0007, {'R', 'E', 'F', 0, 0, 0, 0, 7}};

namespace {
const GUID kSecondaryDriver = {0x42524401, 0x0100, 0x0007, {'S', 'E', 'C', 'O', 'N', 'D', 0, 7}};
} // namespace

namespace D3D7Detail {

std::recursive_mutex& Mutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

Globals& G() {
    static Globals globals;
    if (!globals.environmentFaultsRead) {
        globals.environmentFaultsRead = true;
        if (const char* list = std::getenv("BRINDLE_D3D7_FAULTS")) {
            std::stringstream stream(list);
            std::string name;
            while (std::getline(stream, name, ',')) {
                for (size_t i = 0; i < globals.faults.size(); ++i)
                    if (name == D3D7Test::FaultName(static_cast<D3D7Test::Fault>(i))) globals.faults[i].on = true;
            }
        }
    }
    return globals;
}

HRESULT Injected(D3D7Test::Fault fault) {
    FaultState& state = G().faults[static_cast<size_t>(fault)];
    if (!state.on) return DD_OK;
    if (state.times > 0 && --state.times == 0) state.on = false;
    return state.result;
}

bool FaultOn(D3D7Test::Fault fault) { return G().faults[static_cast<size_t>(fault)].on; }

void Record(const std::string& call) {
    if (G().recording) G().calls.push_back(call);
}

DisplaySize Desktop() {
    const D3D7Test::Environment& env = G().environment;
    if (env.desktopWidth != 0) return {env.desktopWidth, env.desktopHeight, env.desktopBits};
    DisplaySize size{1280, 1024, env.desktopBits};
    if (G().backend == D3D7Test::Backend::OpenGL) QueryDesktop(size.width, size.height);
    return size;
}

std::vector<D3D7Test::Environment::Mode> DisplayModes() {
    if (!G().environment.modes.empty()) return G().environment.modes;
    const DisplaySize desktop = Desktop();
    static const DWORD standard[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 960}, {1280, 1024}};
    std::vector<D3D7Test::Environment::Mode> modes;
    bool desktopListed = false;
    for (const auto& size : standard) {
        if (size[0] > desktop.width || size[1] > desktop.height) continue;
        desktopListed |= size[0] == desktop.width && size[1] == desktop.height;
        for (DWORD bits : {16u, 32u}) modes.push_back({size[0], size[1], bits});
    }
    if (!desktopListed)
        for (DWORD bits : {16u, 32u}) modes.push_back({desktop.width, desktop.height, bits});
    std::sort(modes.begin(), modes.end(), [](const auto& a, const auto& b) {
        if (a.width != b.width) return a.width < b.width;
        if (a.height != b.height) return a.height < b.height;
        return a.bits < b.bits;
    });
    return modes;
}

std::vector<D3D7Test::DeviceSpec> DeviceSpecs() {
    if (!G().environment.devices.empty()) return G().environment.devices;
    return {
        {IID_IDirect3DRGBDevice, "Software rasterizer", "RGB Emulation", false},
        {IID_IDirect3DHALDevice, "Hardware rasterizer", "Direct3D HAL", true},
        {IID_IDirect3DTnLHalDevice, "Hardware transform and lighting", "Direct3D T&L HAL", true},
    };
}

DDPIXELFORMAT RgbFormat(DWORD bits, bool alpha) {
    DDPIXELFORMAT f{};
    f.dwSize = sizeof(f);
    f.dwFlags = DDPF_RGB | (alpha ? DDPF_ALPHAPIXELS : 0);
    f.dwRGBBitCount = bits;
    if (bits == 32) {
        f.dwRBitMask = 0x00FF0000;
        f.dwGBitMask = 0x0000FF00;
        f.dwBBitMask = 0x000000FF;
        f.dwRGBAlphaBitMask = alpha ? 0xFF000000 : 0;
    } else if (alpha) { // 1-5-5-5
        f.dwRBitMask = 0x7C00;
        f.dwGBitMask = 0x03E0;
        f.dwBBitMask = 0x001F;
        f.dwRGBAlphaBitMask = 0x8000;
    } else { // 5-6-5
        f.dwRBitMask = 0xF800;
        f.dwGBitMask = 0x07E0;
        f.dwBBitMask = 0x001F;
    }
    return f;
}

DDPIXELFORMAT DepthFormat(DWORD bits) {
    DDPIXELFORMAT f{};
    f.dwSize = sizeof(f);
    f.dwFlags = DDPF_ZBUFFER;
    f.dwZBufferBitDepth = bits;
    f.dwRBitMask = bits == 16 ? 0xFFFF : 0xFFFFFF00; // depth mask: 16 bits, or 24 of 32
    return f;
}

// ---- Surface ----

Surface::Surface(SurfaceKind kind, DWORD width, DWORD height, const DDPIXELFORMAT& format, DWORD caps, DWORD caps2)
    : kind(kind), width(width), height(height), format(format), caps(caps), caps2(caps2) {
    if (IsCpu()) {
        // Rows padded to 4 bytes, as display drivers commonly do.
        pitch = static_cast<std::int32_t>((width * BytesPerPixel() + 3) & ~3u);
    }
    ++G().liveSurfaces;
}

const std::uint8_t* Surface::Readable() {
    if (!memory) memory = std::make_shared<SurfaceBytes>(static_cast<size_t>(pitch) * height);
    return memory->data();
}

std::uint8_t* Surface::Writable() {
    if (!memory)
        memory = std::make_shared<SurfaceBytes>(static_cast<size_t>(pitch) * height);
    else if (memory.use_count() > 1)
        memory = std::make_shared<SurfaceBytes>(*memory);
    return memory->data();
}

Surface::~Surface() {
    Executor::ForgetSurface(this);
    --G().liveSurfaces;
}

ULONG Surface::AddRef() {
    Guard guard(Mutex());
    return ++references;
}

ULONG Surface::Release() {
    Guard guard(Mutex());
    const ULONG left = --references;
    if (left == 0) {
        if (next) next->Release();
        delete this;
    }
    return left;
}

HRESULT Surface::GetAttachedSurface(DDSCAPS2* wanted, IDirectDrawSurface7** surface) {
    Guard guard(Mutex());
    if (!wanted || !surface) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    const bool backBuffer = (wanted->dwCaps & DDSCAPS_BACKBUFFER) && kind == SurfaceKind::Primary;
    const bool mip = (wanted->dwCaps & DDSCAPS_MIPMAP) && kind == SurfaceKind::Texture;
    if (!next || !(backBuffer || mip)) return DDERR_NOTFOUND;
    next->AddRef();
    *surface = next;
    return DD_OK;
}

HRESULT Surface::AddAttachedSurface(IDirectDrawSurface7* surface) {
    Guard guard(Mutex());
    auto* z = static_cast<Surface*>(surface);
    if (!z || z->kind != SurfaceKind::ZBuffer || kind != SurfaceKind::BackBuffer) return DDERR_INVALIDPARAMS;
    if (z->width != width || z->height != height) return DDERR_INVALIDPARAMS;
    if (next) return DDERR_INVALIDPARAMS;
    z->AddRef();
    next = z;
    if (Recording()) Record("AddAttachedSurface(" + std::to_string(z->format.dwZBufferBitDepth) + ")");
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(DDSURFACEDESC2* desc) {
    Guard guard(Mutex());
    if (!desc) return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC2{};
    desc->dwSize = sizeof(DDSURFACEDESC2);
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | (IsCpu() ? DDSD_PITCH : 0);
    desc->dwWidth = width;
    desc->dwHeight = height;
    desc->lPitch = pitch;
    desc->dwMipMapCount = levelCount - level;
    desc->ddpfPixelFormat = format;
    desc->ddsCaps = {caps, caps2};
    return DD_OK;
}

HRESULT Surface::SetClipper(IDirectDrawClipper* clipper) {
    Guard guard(Mutex());
    if (kind != SurfaceKind::Primary || !clipper) return DDERR_INVALIDPARAMS;
    if (HWND w = static_cast<Clipper*>(clipper)->window) window = w;
    return DD_OK;
}

HRESULT Surface::Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD, void*) {
    Guard guard(Mutex());
    if (!desc || rect) return DDERR_INVALIDPARAMS;
    if (!IsCpu()) return DDERR_UNSUPPORTED;
    if (HRESULT hr = Injected(D3D7Test::Fault::Lock); hr != DD_OK) return hr;
    if (locked) return DDERR_WASSTILLDRAWING;
    // A texture level OpenGL holds alone is read back, which only the rendering thread can do.
    if (!Executor::RestoreMemory(this, true)) return DDERR_GENERIC;
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE | DDSD_PITCH;
    desc->lpSurface = Writable();
    locked = true;
    return DD_OK;
}

HRESULT Surface::Unlock(RECT*) {
    Guard guard(Mutex());
    if (!locked) return DDERR_NOTLOCKED;
    locked = false;
    dirty = true;
    return DD_OK;
}

HRESULT Surface::Blt(RECT* destination, IDirectDrawSurface7* sourceSurface, RECT* sourceRect, DWORD, void*) {
    Guard guard(Mutex());
    auto* source = static_cast<Surface*>(sourceSurface);
    if (!source) return DDERR_INVALIDPARAMS;
    if (kind == SurfaceKind::Primary) {
        if (source->kind != SurfaceKind::BackBuffer || sourceRect) return DDERR_UNSUPPORTED;
        if (G().surfacesLost) return DDERR_SURFACELOST;
        if (Recording()) Record("Present(" + std::to_string(source->width) + ", " + std::to_string(source->height) + ")");
        const bool vsync = owner && owner->waitForVerticalBlank;
        if (owner) owner->waitForVerticalBlank = false;
        Executor::Present(source, window, vsync);
        return DD_OK;
    }
    if (!IsCpu() || !source->IsCpu() || destination || sourceRect) return DDERR_UNSUPPORTED;
    if (source->format.dwRGBBitCount != format.dwRGBBitCount) return DDERR_INVALIDPIXELFORMAT;
    if (locked || source->locked) return DDERR_WASSTILLDRAWING;
    if (!Executor::RestoreMemory(source, true)) return DDERR_GENERIC;
    Executor::RestoreMemory(this, false); // overwritten whole
    const DWORD bpp = BytesPerPixel();
    if (source->width == width && source->height == height && source->pitch == pitch) {
        source->Readable();
        memory = source->memory; // shared until either side writes
        dirty = true;
        return DD_OK;
    }
    const std::uint8_t* from = source->Readable();
    memory = std::make_shared<SurfaceBytes>(static_cast<size_t>(pitch) * height);
    std::uint8_t* to = memory->data();
    for (DWORD y = 0; y < height; ++y) {
        const DWORD sy = y * source->height / height;
        for (DWORD x = 0; x < width; ++x) {
            const DWORD sx = x * source->width / width;
            std::memcpy(&to[y * pitch + x * bpp], &from[sy * source->pitch + sx * bpp], bpp);
        }
    }
    dirty = true;
    return DD_OK;
}

HRESULT Surface::Flip(IDirectDrawSurface7*, DWORD flags) {
    Guard guard(Mutex());
    if (kind != SurfaceKind::Primary || !(caps & DDSCAPS_FLIP) || !next) return DDERR_UNSUPPORTED;
    if (G().surfacesLost) return DDERR_SURFACELOST;
    if (Recording()) Record("Present(" + std::to_string(next->width) + ", " + std::to_string(next->height) + ")");
    Executor::Present(next, window, (flags & DDFLIP_NOVSYNC) == 0);
    return DD_OK;
}

HRESULT Surface::IsLost() {
    Guard guard(Mutex());
    return G().surfacesLost && !IsCpu() ? DDERR_SURFACELOST : DD_OK;
}

HRESULT Surface::Restore() {
    Guard guard(Mutex());
    return owner ? owner->RestoreAllSurfaces() : DD_OK;
}

// ---- Clipper ----

ULONG Clipper::AddRef() {
    Guard guard(Mutex());
    return ++references;
}

ULONG Clipper::Release() {
    Guard guard(Mutex());
    const ULONG left = --references;
    if (left == 0) delete this;
    return left;
}

HRESULT Clipper::SetHWnd(DWORD, HWND w) {
    Guard guard(Mutex());
    if (!w) return DDERR_INVALIDPARAMS;
    window = w;
    return DD_OK;
}

// ---- DirectDraw ----

DirectDraw::DirectDraw(bool primaryDriver) : primaryDriver(primaryDriver) { ++G().liveDirectDraws; }

DirectDraw::~DirectDraw() {
    Executor::Detach(this);
    --G().liveDirectDraws;
}

ULONG DirectDraw::AddRef() {
    Guard guard(Mutex());
    return ++references;
}

ULONG DirectDraw::Release() {
    Guard guard(Mutex());
    const ULONG left = --references;
    if (left == 0) delete this;
    return left;
}

HRESULT DirectDraw::QueryInterface(const GUID& iid, void** object) {
    Guard guard(Mutex());
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (!(iid == IID_IDirect3D7)) return DDERR_UNSUPPORTED;
    if (HRESULT hr = Injected(D3D7Test::Fault::QueryDirect3D); hr != DD_OK) return hr;
    AddRef();
    *object = static_cast<IDirect3D7*>(&direct3D);
    return DD_OK;
}

HRESULT DirectDraw::GetCaps(DDCAPS* hardware, DDCAPS* emulation) {
    Guard guard(Mutex());
    if (hardware) {
        const DWORD size = hardware->dwSize;
        *hardware = DDCAPS{};
        hardware->dwSize = size;
        if (!primaryDriver || G().environment.primaryCanRenderWindowed) hardware->dwCaps2 = DDCAPS2_CANRENDERWINDOWED;
        hardware->dwVidMemTotal = 256u << 20;
    }
    if (emulation) {
        const DWORD size = emulation->dwSize;
        *emulation = DDCAPS{};
        emulation->dwSize = size;
    }
    return DD_OK;
}

HRESULT DirectDraw::EnumDisplayModes(DWORD, DDSURFACEDESC2*, void* context, LPDDENUMMODESCALLBACK2 callback) {
    if (!callback) return DDERR_INVALIDPARAMS;
    std::vector<D3D7Test::Environment::Mode> modes;
    {
        Guard guard(Mutex());
        modes = DisplayModes();
    }
    for (const auto& m : modes) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE | DDSD_PITCH;
        desc.dwWidth = m.width;
        desc.dwHeight = m.height;
        desc.lPitch = static_cast<std::int32_t>(m.width * ((m.bits + 7) / 8));
        desc.dwRefreshRate = 60;
        desc.ddpfPixelFormat = RgbFormat(m.bits, false);
        desc.ddpfPixelFormat.dwRGBBitCount = m.bits; // 24 and 8 are listed as they are
        if (callback(&desc, context) == DDENUMRET_CANCEL) break;
    }
    return DD_OK;
}

HRESULT DirectDraw::SetCooperativeLevel(HWND w, DWORD flags) {
    Guard guard(Mutex());
    const bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
    if (fullscreen != ((flags & DDSCL_EXCLUSIVE) != 0)) return DDERR_INVALIDPARAMS;
    if (fullscreen && !w) return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Injected(D3D7Test::Fault::SetCooperativeLevel); hr != DD_OK) return hr;
    if (w) window = w;
    cooperativeFlags = flags;
    if (!fullscreen) modeSet = false;
    if (Recording()) Record("SetCooperativeLevel(" + std::to_string(flags) + ")");
    return DD_OK;
}

HRESULT DirectDraw::GetDisplayMode(DDSURFACEDESC2* desc) {
    Guard guard(Mutex());
    if (!desc) return DDERR_INVALIDPARAMS;
    const DisplaySize current = modeSet ? mode : Desktop();
    *desc = DDSURFACEDESC2{};
    desc->dwSize = sizeof(DDSURFACEDESC2);
    desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    desc->dwWidth = current.width;
    desc->dwHeight = current.height;
    desc->dwRefreshRate = 60;
    desc->ddpfPixelFormat = RgbFormat(current.bits == 16 ? 16 : 32, false);
    desc->ddpfPixelFormat.dwRGBBitCount = current.bits;
    return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD, DWORD) {
    Guard guard(Mutex());
    if (!Exclusive()) return DDERR_NOEXCLUSIVEMODE;
    if (HRESULT hr = Injected(D3D7Test::Fault::SetDisplayMode); hr != DD_OK) return hr;
    const auto modes = DisplayModes();
    const bool listed = std::any_of(modes.begin(), modes.end(), [&](const auto& m) {
        return m.width == width && m.height == height && m.bits == bits;
    });
    if (!listed) return DDERR_INVALIDMODE;
    modeSet = true;
    mode = {width, height, bits};
    if (Recording()) Record("SetDisplayMode(" + std::to_string(width) + ", " + std::to_string(height) + ", " + std::to_string(bits) + ")");
    return DD_OK;
}

HRESULT DirectDraw::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** out, IUnknown*) {
    Guard guard(Mutex());
    if (!desc || !out || !(desc->dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    const DWORD caps = desc->ddsCaps.dwCaps;
    const DisplaySize display = modeSet ? mode : Desktop();
    const DWORD displayBits = display.bits == 16 ? 16 : 32;
    const bool sized = (desc->dwFlags & DDSD_WIDTH) && (desc->dwFlags & DDSD_HEIGHT);
    if (sized && (desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > 16384 || desc->dwHeight > 16384))
        return DDERR_INVALIDPARAMS;

    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (HRESULT hr = Injected(D3D7Test::Fault::CreatePrimarySurface); hr != DD_OK) return hr;
        const bool flipping = (caps & DDSCAPS_FLIP) != 0;
        if (flipping && (!Exclusive() || !(desc->dwFlags & DDSD_BACKBUFFERCOUNT) || desc->dwBackBufferCount != 1))
            return DDERR_INVALIDPARAMS;
        auto* primary = new Surface(SurfaceKind::Primary, display.width, display.height, RgbFormat(displayBits, false),
                                    caps, 0);
        primary->owner = this;
        primary->window = window;
        if (flipping) {
            if (HRESULT hr = Injected(D3D7Test::Fault::CreateBackBuffer); hr != DD_OK) {
                primary->Release();
                return hr;
            }
            primary->next = new Surface(SurfaceKind::BackBuffer, display.width, display.height,
                                        RgbFormat(displayBits, false), DDSCAPS_BACKBUFFER | DDSCAPS_3DDEVICE, 0);
            primary->next->owner = this;
        }
        *out = primary;
        return DD_OK;
    }
    if (caps & DDSCAPS_ZBUFFER) {
        if (!sized || !(desc->dwFlags & DDSD_PIXELFORMAT) || !(desc->ddpfPixelFormat.dwFlags & DDPF_ZBUFFER))
            return DDERR_INVALIDPARAMS;
        const DWORD bits = desc->ddpfPixelFormat.dwZBufferBitDepth;
        if (bits != 16 && bits != 32) return DDERR_INVALIDPIXELFORMAT;
        if (HRESULT hr = Injected(D3D7Test::Fault::CreateZBuffer); hr != DD_OK) return hr;
        auto* z = new Surface(SurfaceKind::ZBuffer, desc->dwWidth, desc->dwHeight, DepthFormat(bits), caps, 0);
        z->owner = this;
        *out = z;
        return DD_OK;
    }
    if ((caps & DDSCAPS_OFFSCREENPLAIN) && (caps & DDSCAPS_3DDEVICE)) {
        if (!sized) return DDERR_INVALIDPARAMS;
        if (HRESULT hr = Injected(D3D7Test::Fault::CreateBackBuffer); hr != DD_OK) return hr;
        auto* back = new Surface(SurfaceKind::BackBuffer, desc->dwWidth, desc->dwHeight, RgbFormat(displayBits, false),
                                 caps, 0);
        back->owner = this;
        *out = back;
        return DD_OK;
    }
    if (caps & (DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN)) {
        if (!sized) return DDERR_INVALIDPARAMS;
        DDPIXELFORMAT format = RgbFormat(32, false);
        if (desc->dwFlags & DDSD_PIXELFORMAT) {
            format = desc->ddpfPixelFormat;
            const DWORD bits = format.dwRGBBitCount;
            if (!(format.dwFlags & DDPF_RGB) || (bits != 16 && bits != 32)) return DDERR_INVALIDPIXELFORMAT;
        }
        if (HRESULT hr = Injected(D3D7Test::Fault::CreateTextureSurface); hr != DD_OK) return hr;
        const bool texture = (caps & DDSCAPS_TEXTURE) && !(caps & DDSCAPS_SYSTEMMEMORY);
        const SurfaceKind kind = texture ? SurfaceKind::Texture : SurfaceKind::SystemMemory;
        DWORD levels = 1;
        if (texture && (caps & DDSCAPS_MIPMAP)) {
            DWORD full = 1;
            for (DWORD w = desc->dwWidth, h = desc->dwHeight; w > 1 || h > 1; w = std::max(1u, w / 2), h = std::max(1u, h / 2))
                ++full;
            levels = (desc->dwFlags & DDSD_MIPMAPCOUNT) ? desc->dwMipMapCount : full;
            if (levels == 0 || levels > full) return DDERR_INVALIDPARAMS;
        }
        auto* first = new Surface(kind, desc->dwWidth, desc->dwHeight, format, caps, desc->ddsCaps.dwCaps2);
        first->owner = this;
        first->levelCount = levels;
        Surface* previous = first;
        for (DWORD level = 1; level < levels; ++level) {
            auto* s = new Surface(kind, std::max(1u, desc->dwWidth >> level), std::max(1u, desc->dwHeight >> level),
                                  format, caps, desc->ddsCaps.dwCaps2);
            s->owner = this;
            s->top = first;
            s->level = level;
            s->levelCount = levels;
            previous->next = s;
            previous = s;
        }
        *out = first;
        return DD_OK;
    }
    return DDERR_UNSUPPORTED;
}

HRESULT DirectDraw::CreateClipper(DWORD, IDirectDrawClipper** clipper, IUnknown*) {
    Guard guard(Mutex());
    if (!clipper) return DDERR_INVALIDPARAMS;
    *clipper = nullptr;
    if (HRESULT hr = Injected(D3D7Test::Fault::CreateClipper); hr != DD_OK) return hr;
    *clipper = new Clipper;
    return DD_OK;
}

HRESULT DirectDraw::TestCooperativeLevel() {
    Guard guard(Mutex());
    HRESULT result = DD_OK;
    if (FaultOn(D3D7Test::Fault::DeviceLost)) {
        result = DDERR_NOEXCLUSIVEMODE;
    } else if (FaultOn(D3D7Test::Fault::DisplayModeChanged)) {
        result = DDERR_WRONGMODE;
    } else if (Exclusive()) {
        const WindowState state = QueryWindow(window);
        if (state.exists && (!state.focused || state.minimised)) result = DDERR_NOEXCLUSIVEMODE;
    }
    if (result != DD_OK) G().surfacesLost = true;
    return result;
}

HRESULT DirectDraw::RestoreAllSurfaces() {
    Guard guard(Mutex());
    if (HRESULT hr = Injected(D3D7Test::Fault::RestoreAllSurfaces); hr != DD_OK) return hr;
    if (HRESULT hr = TestCooperativeLevel(); hr != DD_OK) return hr;
    G().surfacesLost = false;
    if (Recording()) Record("RestoreAllSurfaces()");
    return DD_OK;
}

HRESULT DirectDraw::WaitForVerticalBlank(DWORD, void*) {
    Guard guard(Mutex());
    waitForVerticalBlank = true;
    return DD_OK;
}

} // namespace D3D7Detail

using namespace D3D7Detail;

HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, void* context, DWORD) {
    if (!callback) return DDERR_INVALIDPARAMS;
    bool secondary;
    {
        Guard guard(Mutex());
        secondary = G().environment.secondaryDriver;
    }
    if (!callback(nullptr, "Primary Display Driver", "display", context, nullptr)) return DD_OK;
    if (secondary) {
        GUID guid = kSecondaryDriver;
        callback(&guid, "Secondary Display Driver", "\\\\.\\DISPLAY2", context, nullptr);
    }
    return DD_OK;
}

HRESULT DirectDrawCreateEx(GUID* guid, void** directDraw, const GUID& iid, IUnknown*) {
    Guard guard(Mutex());
    if (!directDraw || !(iid == IID_IDirectDraw7)) return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (guid && !(*guid == kSecondaryDriver && G().environment.secondaryDriver)) return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Injected(D3D7Test::Fault::DirectDrawCreate); hr != DD_OK) return hr;
    *directDraw = static_cast<IDirectDraw7*>(new DirectDraw(guid == nullptr));
    return DD_OK;
}

BOOL EnumDisplaySettingsA(const char* device, DWORD modeNumber, DEVMODEA* mode) {
    Guard guard(Mutex());
    if (device || modeNumber != ENUM_CURRENT_SETTINGS || !mode) return 0;
    const DisplaySize desktop = Desktop();
    const WORD size = mode->dmSize;
    *mode = DEVMODEA{};
    mode->dmSize = size;
    mode->dmPelsWidth = desktop.width;
    mode->dmPelsHeight = desktop.height;
    mode->dmBitsPerPel = desktop.bits;
    mode->dmDisplayFrequency = 60;
    return 1;
}

bool ReadPresentedFrame(std::uint32_t& width, std::uint32_t& height, std::vector<std::uint8_t>& pixels) {
    Guard guard(Mutex());
    return Executor::ReadFrame(width, height, pixels);
}

// ---- Test interface ----

namespace D3D7Test {

bool ReadWindowImage(std::uint32_t& width, std::uint32_t& height, std::vector<std::uint8_t>& pixels) {
    Guard guard(Mutex());
    return Executor::ReadWindowImage(width, height, pixels);
}

const char* FaultName(Fault fault) {
    static const char* const names[] = {
        "DirectDrawCreate", "QueryDirect3D", "SetCooperativeLevel", "SetDisplayMode", "CreatePrimarySurface",
        "CreateBackBuffer", "CreateClipper", "CreateZBuffer", "CreateTextureSurface", "Lock",
        "CreateHardwareDevice", "CreateSoftwareDevice", "SetViewport", "SetRenderTarget", "RestoreAllSurfaces",
        "BeginScene", "DeviceLost", "DisplayModeChanged",
    };
    static_assert(sizeof(names) / sizeof(names[0]) == static_cast<size_t>(Fault::Count));
    return names[static_cast<size_t>(fault)];
}

void Reset() {
    Guard guard(Mutex());
    Globals& g = G();
    g.environment = Environment{};
    g.backend = Backend::OpenGL;
    g.faults = {};
    g.calls.clear();
    g.recording = true;
    g.surfacesLost = false;
}

void SetEnvironment(const Environment& environment) {
    Guard guard(Mutex());
    G().environment = environment;
}

void SetBackend(Backend backend) {
    Guard guard(Mutex());
    G().backend = backend;
    G().recording = true;
}

Backend GetBackend() {
    Guard guard(Mutex());
    return G().backend;
}

void InjectFault(Fault fault, HRESULT result, int times) {
    Guard guard(Mutex());
    G().faults[static_cast<size_t>(fault)] = {true, result, times};
}

void ClearFault(Fault fault) {
    Guard guard(Mutex());
    G().faults[static_cast<size_t>(fault)] = {};
}

const std::vector<std::string>& Calls() { return G().calls; }

int CountCalls(const std::string& prefix) {
    Guard guard(Mutex());
    return static_cast<int>(std::count_if(G().calls.begin(), G().calls.end(),
                                          [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

void ClearCalls() {
    Guard guard(Mutex());
    G().calls.clear();
    G().recording = true;
}

int LiveSurfaces() {
    Guard guard(Mutex());
    return G().liveSurfaces;
}

int LiveDirectDrawObjects() {
    Guard guard(Mutex());
    return G().liveDirectDraws;
}

} // namespace D3D7Test
} // namespace Platform

#pragma once
// Internals of the DirectDraw 7 / Direct3D 7 stand-in, shared by its own files only.

#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace Platform::D3D7Detail {

constexpr DWORD kMaxStages = 8;
constexpr DWORD kMaxGlLights = 8;

// The one lock of the CPU-side object model; recursive because objects call each other.
std::recursive_mutex& Mutex();
using Guard = std::lock_guard<std::recursive_mutex>;

// Surface memory comes zeroed from calloc, which takes fresh pages from the system as they are, so a new
// surface is not filled with zeros by hand only to be overwritten by its first lock. Elements made without
// a value are left as the allocation holds them: zero.
template <typename T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <typename U>
    ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
    T* allocate(size_t n) {
        if (void* p = std::calloc(n, sizeof(T))) return static_cast<T*>(p);
        throw std::bad_alloc();
    }
    void deallocate(T* p, size_t) noexcept { std::free(p); }
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <typename U>
    bool operator==(const ZeroedAllocator<U>&) const noexcept { return true; }
};
using SurfaceBytes = std::vector<std::uint8_t, ZeroedAllocator<std::uint8_t>>;

struct FaultState {
    bool on = false;
    HRESULT result = DDERR_GENERIC;
    int times = -1;
};

struct Globals {
    D3D7Test::Environment environment;
    D3D7Test::Backend backend = D3D7Test::Backend::OpenGL;
    std::array<FaultState, static_cast<size_t>(D3D7Test::Fault::Count)> faults{};
    bool recording = false;
    std::vector<std::string> calls;
    int liveSurfaces = 0;
    int liveDirectDraws = 0;
    bool surfacesLost = false; // set when the device is lost, cleared by a successful RestoreAllSurfaces
    bool environmentFaultsRead = false;
};
Globals& G();

// DD_OK, or the injected result (counting down a limited fault).
HRESULT Injected(D3D7Test::Fault fault);
bool FaultOn(D3D7Test::Fault fault);
void Record(const std::string& call);
inline bool Recording() { return G().recording; }

struct DisplaySize {
    DWORD width, height, bits;
};
DisplaySize Desktop();
std::vector<D3D7Test::Environment::Mode> DisplayModes();
std::vector<D3D7Test::DeviceSpec> DeviceSpecs();

class DirectDraw;

enum class SurfaceKind { Primary, BackBuffer, ZBuffer, Texture, SystemMemory };

class Surface final : public IDirectDrawSurface7 {
public:
    Surface(SurfaceKind kind, DWORD width, DWORD height, const DDPIXELFORMAT& format, DWORD caps, DWORD caps2);
    ~Surface() override;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) override;
    HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, void* event) override;
    HRESULT Unlock(RECT* rect) override;
    HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, void* effects) override;
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT IsLost() override;
    HRESULT Restore() override;

    DWORD BytesPerPixel() const { return format.dwRGBBitCount / 8; }
    bool IsCpu() const { return kind == SurfaceKind::Texture || kind == SurfaceKind::SystemMemory; }

    ULONG references = 1;
    SurfaceKind kind;
    DWORD width, height;
    DDPIXELFORMAT format;
    DWORD caps, caps2;
    std::int32_t pitch = 0;
    // CPU surfaces: height rows of pitch bytes, zero until written. The block is made on first use, and a
    // same-size Blt shares the source's block instead of copying it (a texture is filled through a staging
    // surface that is released right after), so either side copies it before it writes (Writable).
    std::shared_ptr<SurfaceBytes> memory;
    const std::uint8_t* Readable();
    std::uint8_t* Writable();
    // A texture level's memory is given up once OpenGL holds it, and read back from OpenGL when it is
    // locked or the context goes (see Executor::RestoreMemory).
    bool memoryDropped = false;
    bool locked = false;
    bool dirty = true;              // texture level changed since its upload
    Surface* next = nullptr;        // primary: back buffer; texture: next mip level; back buffer: Z buffer
    Surface* top = this;            // the first level of a mip chain
    DWORD level = 0;
    DWORD levelCount = 1;
    DirectDraw* owner = nullptr;    // not referenced: the window the primary presents to is kept here
    HWND window = nullptr;          // primary: the window presented to (clipper or cooperative level)
    // OpenGL names of the executor's current context (generation guards a replaced context).
    unsigned glTexture = 0, glFramebuffer = 0, glColor = 0, glDepth = 0, glDepthBits = 0;
    unsigned glGeneration = 0;
};

class Direct3D final : public IDirect3D7 {
public:
    explicit Direct3D(DirectDraw* owner) : owner(owner) {}
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) override;
    HRESULT CreateDevice(const GUID& deviceGuid, IDirectDrawSurface7* target, IDirect3DDevice7** device) override;
    HRESULT EnumZBufferFormats(const GUID& deviceGuid, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) override;

    DirectDraw* owner;
};

class DirectDraw final : public IDirectDraw7 {
public:
    explicit DirectDraw(bool primaryDriver);
    ~DirectDraw() override;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT QueryInterface(const GUID& iid, void** object) override;
    HRESULT GetCaps(DDCAPS* hardware, DDCAPS* emulation) override;
    HRESULT EnumDisplayModes(DWORD flags, DDSURFACEDESC2* filter, void* context, LPDDENUMMODESCALLBACK2 callback) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT GetDisplayMode(DDSURFACEDESC2* mode) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate, DWORD flags) override;
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer) override;
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override;
    HRESULT TestCooperativeLevel() override;
    HRESULT RestoreAllSurfaces() override;
    HRESULT WaitForVerticalBlank(DWORD flags, void* event) override;

    bool Exclusive() const { return (cooperativeFlags & DDSCL_EXCLUSIVE) != 0; }

    ULONG references = 1;
    bool primaryDriver;
    Direct3D direct3D{this};
    HWND window = nullptr;
    DWORD cooperativeFlags = 0;
    bool modeSet = false;
    DisplaySize mode{};
    bool waitForVerticalBlank = false;
};

class Clipper final : public IDirectDrawClipper {
public:
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT SetHWnd(DWORD flags, HWND window) override;

    ULONG references = 1;
    HWND window = nullptr;
};

struct LightSlot {
    D3DLIGHT7 light{};
    bool enabled = false;
};

class Device final : public IDirect3DDevice7 {
public:
    Device(DirectDraw* owner, const D3D7Test::DeviceSpec& spec, Surface* target);
    ~Device() override;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetCaps(D3DDEVICEDESC7* desc) override;
    HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) override;
    HRESULT SetRenderTarget(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT SetViewport(D3DVIEWPORT7* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT7* viewport) override;
    HRESULT Clear(DWORD count, RECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) override;
    HRESULT GetTexture(DWORD stage, IDirectDrawSurface7** texture) override;
    HRESULT SetMaterial(D3DMATERIAL7* material) override;
    HRESULT GetMaterial(D3DMATERIAL7* material) override;
    HRESULT SetLight(DWORD index, D3DLIGHT7* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT7* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices, DWORD vertexCount,
                                 WORD* indices, DWORD indexCount, DWORD flags) override;

    D3DDEVICEDESC7 Describe() const;

    ULONG references = 1;
    DirectDraw* owner;
    D3D7Test::DeviceSpec spec;
    Surface* target;
    D3DVIEWPORT7 viewport{};
    bool inScene = false;
    std::array<DWORD, D3DRENDERSTATE_COUNT> renderStates{};
    std::array<std::array<DWORD, D3DTSS_COUNT>, kMaxStages> stageStates{};
    std::array<Surface*, kMaxStages> textures{};
    std::array<D3DMATRIX, D3DTRANSFORMSTATE_COUNT> transforms{};
    D3DMATERIAL7 material{};
    std::map<DWORD, LightSlot> lights;
};

// Formats
DDPIXELFORMAT RgbFormat(DWORD bits, bool alpha);
DDPIXELFORMAT DepthFormat(DWORD bits);

// The window link: resolves an engine window handle for the executor and the loss rules.
struct WindowState {
    bool exists = false;
    bool focused = true;
    bool minimised = false;
};
WindowState QueryWindow(HWND window);
void* SdlWindowOf(HWND window); // SDL_Window*, or null
// The GL drawable's size and where the back buffer lands in it (x, y from the bottom-left corner).
struct Placement {
    int drawableWidth, drawableHeight, x, y, width, height;
};
Placement PlaceBackBuffer(HWND window, void* sdlWindow, int backWidth, int backHeight);
void QueryDesktop(DWORD& width, DWORD& height); // the desktop window's size

// The OpenGL executor. Every function runs on the main thread and answers false (or does nothing)
// when the backend is Recording or no context could be made.
namespace Executor {
bool Attach(DirectDraw* owner, HWND window);    // make (or keep) a context on the window
void Detach(DirectDraw* owner);                  // the DirectDraw object that made the context is gone
void ForgetSurface(Surface* surface);            // free its GL names (deferred off the main thread)
bool Clear(Device& device, DWORD flags, D3DCOLOR color, float z);
bool Draw(Device& device, D3DPRIMITIVETYPE type, DWORD vertexFormat, const void* vertices, DWORD vertexCount,
          const WORD* indices, DWORD indexCount);
bool Present(Surface* backBuffer, HWND window, bool vsync);
bool ReadFrame(std::uint32_t& width, std::uint32_t& height, std::vector<std::uint8_t>& pixels);
bool ReadWindowImage(std::uint32_t& width, std::uint32_t& height, std::vector<std::uint8_t>& pixels);
// Gives a texture level whose memory was given up its memory again: read back from its OpenGL texture
// when content is wanted (false off the context's thread, where it cannot be read), else zeroed.
bool RestoreMemory(Surface* surface, bool content);
} // namespace Executor

} // namespace Platform::D3D7Detail

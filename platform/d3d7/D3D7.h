#pragma once
// Our stand-in for DirectDraw 7 and Direct3D 7: exactly the calls, records, flags and results the engine
// uses, with our own declarations and (apart from the result codes, whose values appear in log texts)
// our own numbers.
//
// Rules:
// - Two layers. Every object here is CPU-side: surfaces are memory with a pitch, texture levels carry a
//   dirty flag, the device keeps its render states, stage states, transforms, material, lights and
//   viewport. Any thread may call any method; one process-wide mutex serialises them. OpenGL is touched
//   only by the executor behind Clear, DrawIndexedPrimitive, Flip/Blt to the primary surface and
//   ReadPresentedFrame, which run on the main thread (the thread that created the device). A window with
//   no SDL window behind it (headless windows) gets a device that draws nowhere.
// - The back buffer is a framebuffer object of the video mode's size (colour without destination alpha,
//   depth 24, or 16 for 16-bit modes). Presenting blits it, scaled and letterboxed, to the window and
//   swaps; the frame stays in the object and can be shown again or read back. The window itself has no
//   depth buffer: nothing is drawn into it but that blit.
// - A texture level's memory is given up once OpenGL holds it; a lock reads it back, which only the
//   rendering thread can do (elsewhere the lock fails with DDERR_GENERIC).
// - Display modes are a fixed list of standard sizes up to the desktop's, at 16 and 32 bits; the desktop
//   reports 32 bits. Full screen never changes the real display mode.
// - Device loss is simulated: TestCooperativeLevel reports DDERR_NOEXCLUSIVEMODE while a fullscreen window
//   is minimised or unfocused, or while a test asks for it (D3D7Test.h); surfaces then report
//   DDERR_SURFACELOST until RestoreAllSurfaces succeeds.
// - Pixel centres are GL's (half-way between integer coordinates): no half-pixel shift is applied, so
//   textures are sampled at texel centres by pixel-aligned quads.
// - Failures return one of the DDERR_ codes below; nothing throws. A call this stand-in does not support
//   returns DDERR_UNSUPPORTED.

#include "platform/window/WinTypes.h"

#include <cstdint>
#include <vector>

namespace Platform {

using ULONG = std::uint32_t;
using D3DCOLOR = std::uint32_t; // ARGB, alpha in the high byte
using D3DVALUE = float;

extern const GUID IID_IDirectDraw7;
extern const GUID IID_IDirect3D7;
extern const GUID IID_IDirect3DTnLHalDevice;
extern const GUID IID_IDirect3DHALDevice;
extern const GUID IID_IDirect3DRGBDevice;
extern const GUID IID_IDirect3DRefDevice;

// Result codes. DirectDraw codes are 0x88760000 + code.
constexpr HRESULT MakeDDHResult(int code) { return static_cast<HRESULT>(0x88760000u + static_cast<std::uint32_t>(code)); }
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005u);       // E_FAIL
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u); // E_INVALIDARG
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);   // E_OUTOFMEMORY
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);   // E_NOTIMPL
constexpr HRESULT DDERR_INVALIDMODE = MakeDDHResult(120);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDDHResult(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDDHResult(150);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDDHResult(225);
constexpr HRESULT DDERR_NOTFOUND = MakeDDHResult(255);
constexpr HRESULT DDERR_NOVSYNCHW = MakeDDHResult(335);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDDHResult(380);
constexpr HRESULT DDERR_SURFACELOST = MakeDDHResult(450);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDDHResult(540);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDDHResult(581);
constexpr HRESULT DDERR_NOTLOCKED = MakeDDHResult(584);
constexpr HRESULT DDERR_WRONGMODE = MakeDDHResult(587);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDDHResult(590);
constexpr HRESULT DDERR_NOTONMIPMAPSUBLEVEL = MakeDDHResult(603);
constexpr HRESULT D3DERR_NOTINITIALIZED = MakeDDHResult(694);

// DirectDrawEnumerateExA flags
constexpr DWORD DDENUM_ATTACHEDSECONDARYDEVICES = 0x1;
constexpr DWORD DDENUM_DETACHEDSECONDARYDEVICES = 0x2;
constexpr DWORD DDENUM_NONDISPLAYDEVICES = 0x4;
constexpr DWORD ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;

// Cooperative levels
constexpr DWORD DDSCL_NORMAL = 0x1;
constexpr DWORD DDSCL_FULLSCREEN = 0x2;
constexpr DWORD DDSCL_EXCLUSIVE = 0x4;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x8;
constexpr DWORD DDSCL_FPUSETUP = 0x10;
constexpr DWORD DDSCL_MULTITHREADED = 0x20;

// Capabilities
constexpr DWORD DDCAPS2_CANRENDERWINDOWED = 0x1;

// Surface description fields
constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x10;
constexpr DWORD DDSD_PIXELFORMAT = 0x20;
constexpr DWORD DDSD_MIPMAPCOUNT = 0x40;
constexpr DWORD DDSD_REFRESHRATE = 0x80;
constexpr DWORD DDSD_LPSURFACE = 0x100;
constexpr DWORD DDSD_TEXTURESTAGE = 0x200;

// Surface capabilities (dwCaps)
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x1;
constexpr DWORD DDSCAPS_BACKBUFFER = 0x2;
constexpr DWORD DDSCAPS_FLIP = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_3DDEVICE = 0x10;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x20;
constexpr DWORD DDSCAPS_ZBUFFER = 0x40;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x80;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x100;
constexpr DWORD DDSCAPS_TEXTURE = 0x200;
constexpr DWORD DDSCAPS_MIPMAP = 0x400;
// dwCaps2
constexpr DWORD DDSCAPS2_TEXTUREMANAGE = 0x1;

// Pixel format flags
constexpr DWORD DDPF_ALPHAPIXELS = 0x1;
constexpr DWORD DDPF_FOURCC = 0x2;
constexpr DWORD DDPF_RGB = 0x4;
constexpr DWORD DDPF_ZBUFFER = 0x8;
constexpr DWORD DDPF_LUMINANCE = 0x10;
constexpr DWORD DDPF_BUMPLUMINANCE = 0x20;
constexpr DWORD DDPF_BUMPDUDV = 0x40;

constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDLOCK_READONLY = 0x2;
constexpr DWORD DDLOCK_WRITEONLY = 0x4;
constexpr DWORD DDBLT_WAIT = 0x1;
constexpr DWORD DDFLIP_WAIT = 0x1;
constexpr DWORD DDFLIP_NOVSYNC = 0x2;
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x1;

// Render bit depths (D3DDEVICEDESC7::dwDeviceRenderBitDepth)
constexpr DWORD DDBD_16 = 0x1;
constexpr DWORD DDBD_24 = 0x2;
constexpr DWORD DDBD_32 = 0x4;

constexpr DWORD D3DDEVCAPS_HWRASTERIZATION = 0x1;
constexpr DWORD D3DPRASTERCAPS_ZBUFFERLESSHSR = 0x1;

// Vertex formats (the engine's own numbers 0x112 and 0x152 are built from these)
constexpr DWORD D3DFVF_XYZ = 0x002;
constexpr DWORD D3DFVF_NORMAL = 0x010;
constexpr DWORD D3DFVF_DIFFUSE = 0x040;
constexpr DWORD D3DFVF_TEX1 = 0x100;

constexpr DWORD D3DCLEAR_TARGET = 0x1;
constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;
constexpr DWORD D3DCLEAR_STENCIL = 0x4;

enum D3DPRIMITIVETYPE : DWORD { D3DPT_TRIANGLELIST = 1, D3DPT_TRIANGLESTRIP = 2 };

enum D3DTRANSFORMSTATETYPE : DWORD {
    D3DTRANSFORMSTATE_WORLD = 0,
    D3DTRANSFORMSTATE_VIEW = 1,
    D3DTRANSFORMSTATE_PROJECTION = 2,
    D3DTRANSFORMSTATE_TEXTURE0 = 3, // TEXTURE0 + unit, units 0..7
};
constexpr DWORD D3DTRANSFORMSTATE_COUNT = 11;

enum D3DRENDERSTATETYPE : DWORD {
    D3DRENDERSTATE_ZENABLE = 0,
    D3DRENDERSTATE_ZWRITEENABLE,
    D3DRENDERSTATE_ZFUNC,
    D3DRENDERSTATE_ALPHABLENDENABLE,
    D3DRENDERSTATE_SRCBLEND,
    D3DRENDERSTATE_DESTBLEND,
    D3DRENDERSTATE_CULLMODE,
    D3DRENDERSTATE_LIGHTING,
    D3DRENDERSTATE_NORMALIZENORMALS,
    D3DRENDERSTATE_AMBIENT,
    D3DRENDERSTATE_COLORVERTEX,
    D3DRENDERSTATE_SPECULARENABLE,
    D3DRENDERSTATE_ALPHATESTENABLE,
    D3DRENDERSTATE_ALPHAREF,
    D3DRENDERSTATE_ALPHAFUNC,
    D3DRENDERSTATE_SHADEMODE,
    D3DRENDERSTATE_FOGENABLE,
    D3DRENDERSTATE_DITHERENABLE,
    D3DRENDERSTATE_STENCILENABLE,
    D3DRENDERSTATE_COUNT
};

enum D3DTEXTURESTAGESTATETYPE : DWORD {
    D3DTSS_COLOROP = 0,
    D3DTSS_COLORARG1,
    D3DTSS_COLORARG2,
    D3DTSS_ALPHAOP,
    D3DTSS_ALPHAARG1,
    D3DTSS_ALPHAARG2,
    D3DTSS_TEXCOORDINDEX,
    D3DTSS_ADDRESSU,
    D3DTSS_ADDRESSV,
    D3DTSS_MAGFILTER,
    D3DTSS_MINFILTER,
    D3DTSS_MIPFILTER,
    D3DTSS_MAXANISOTROPY,
    D3DTSS_TEXTURETRANSFORMFLAGS,
    D3DTSS_COUNT
};

enum D3DTEXTUREOP : DWORD { D3DTOP_DISABLE = 1, D3DTOP_SELECTARG1, D3DTOP_SELECTARG2, D3DTOP_MODULATE, D3DTOP_ADD };
constexpr DWORD D3DTA_DIFFUSE = 0;
constexpr DWORD D3DTA_CURRENT = 1;
constexpr DWORD D3DTA_TEXTURE = 2;

enum D3DTEXTUREMAGFILTER : DWORD { D3DTFG_POINT = 1, D3DTFG_LINEAR, D3DTFG_ANISOTROPIC };
enum D3DTEXTUREMINFILTER : DWORD { D3DTFN_POINT = 1, D3DTFN_LINEAR, D3DTFN_ANISOTROPIC };
enum D3DTEXTUREMIPFILTER : DWORD { D3DTFP_NONE = 1, D3DTFP_POINT, D3DTFP_LINEAR };
enum D3DTEXTUREADDRESS : DWORD { D3DTADDRESS_WRAP = 1, D3DTADDRESS_CLAMP };
enum D3DTEXTURETRANSFORMFLAGS : DWORD { D3DTTFF_DISABLE = 0, D3DTTFF_COUNT2 = 2 };
enum D3DCULL : DWORD { D3DCULL_NONE = 1, D3DCULL_CW, D3DCULL_CCW };
enum D3DCMPFUNC : DWORD {
    D3DCMP_NEVER = 1, D3DCMP_LESS, D3DCMP_EQUAL, D3DCMP_LESSEQUAL,
    D3DCMP_GREATER, D3DCMP_NOTEQUAL, D3DCMP_GREATEREQUAL, D3DCMP_ALWAYS
};
enum D3DBLEND : DWORD {
    D3DBLEND_ZERO = 1, D3DBLEND_ONE, D3DBLEND_SRCCOLOR, D3DBLEND_INVSRCCOLOR, D3DBLEND_SRCALPHA,
    D3DBLEND_INVSRCALPHA, D3DBLEND_DESTALPHA, D3DBLEND_INVDESTALPHA, D3DBLEND_DESTCOLOR,
    D3DBLEND_INVDESTCOLOR, D3DBLEND_SRCALPHASAT
};
enum D3DSHADEMODE : DWORD { D3DSHADE_FLAT = 1, D3DSHADE_GOURAUD };
enum D3DLIGHTTYPE : DWORD { D3DLIGHT_POINT = 1, D3DLIGHT_SPOT, D3DLIGHT_DIRECTIONAL };

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwZBufferBitDepth;
    };
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
};

struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    std::int32_t lPitch; // bytes from one row to the next
    DWORD dwBackBufferCount;
    DWORD dwMipMapCount;
    DWORD dwRefreshRate; // hertz
    void* lpSurface;     // first row while locked
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};

struct DDCAPS {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwVidMemTotal; // bytes
};

struct DEVMODEA {
    WORD dmSize;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFrequency;
};

struct D3DPRIMCAPS {
    DWORD dwRasterCaps;
};

struct D3DDEVICEDESC7 {
    DWORD dwDevCaps;
    D3DPRIMCAPS dpcTriCaps;
    DWORD dwDeviceRenderBitDepth;
    DWORD dwDeviceZBufferBitDepth;
    DWORD dwMaxTextureWidth, dwMaxTextureHeight;
    DWORD dwMaxAnisotropy;
    WORD wMaxTextureBlendStages;
    WORD wMaxSimultaneousTextures;
    DWORD dwMaxActiveLights;
    GUID deviceGUID;
};

struct D3DVIEWPORT7 {
    DWORD dwX, dwY, dwWidth, dwHeight;
    D3DVALUE dvMinZ, dvMaxZ;
};

// Row-vector layout: a point p becomes p x M; _41.._43 are a world or view translation.
struct D3DMATRIX {
    D3DVALUE _11, _12, _13, _14;
    D3DVALUE _21, _22, _23, _24;
    D3DVALUE _31, _32, _33, _34;
    D3DVALUE _41, _42, _43, _44;
};

struct D3DCOLORVALUE {
    D3DVALUE r, g, b, a;
};

struct D3DVECTOR {
    D3DVALUE x, y, z;
};

struct D3DMATERIAL7 {
    D3DCOLORVALUE diffuse, ambient, specular, emissive;
    D3DVALUE power;
};

struct D3DLIGHT7 {
    DWORD dltType; // D3DLIGHTTYPE; anything else is refused with DDERR_INVALIDPARAMS
    D3DCOLORVALUE dcvDiffuse, dcvSpecular, dcvAmbient;
    D3DVECTOR dvPosition, dvDirection;
    D3DVALUE dvRange, dvFalloff;
    D3DVALUE dvAttenuation0, dvAttenuation1, dvAttenuation2;
    D3DVALUE dvTheta, dvPhi; // radians, inner and outer cone
};

class IDirectDrawSurface7;
class IDirectDrawClipper;
class IDirect3D7;
class IDirect3DDevice7;

// Reference counting as the engine checks it: Release returns the count left; the object is gone at 0.
class IUnknown {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

using LPDDENUMCALLBACKEXA = BOOL (*)(GUID* guid, const char* description, const char* name, void* context, void* monitor);
using LPDDENUMMODESCALLBACK2 = HRESULT (*)(DDSURFACEDESC2* mode, void* context);
using LPD3DENUMDEVICESCALLBACK7 = HRESULT (*)(const char* description, const char* name, D3DDEVICEDESC7* desc, void* context);
using LPD3DENUMPIXELFORMATSCALLBACK = HRESULT (*)(DDPIXELFORMAT* format, void* context);
constexpr HRESULT DDENUMRET_CANCEL = 0;
constexpr HRESULT DDENUMRET_OK = 1;
constexpr HRESULT D3DENUMRET_CANCEL = 0;
constexpr HRESULT D3DENUMRET_OK = 1;

class IDirectDraw7 : public IUnknown {
public:
    // Only IID_IDirect3D7; it shares this object's reference count.
    virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
    virtual HRESULT GetCaps(DDCAPS* hardware, DDCAPS* emulation) = 0;
    virtual HRESULT EnumDisplayModes(DWORD flags, DDSURFACEDESC2* filter, void* context, LPDDENUMMODESCALLBACK2 callback) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT GetDisplayMode(DDSURFACEDESC2* mode) = 0;
    // Records the mode; the real display mode never changes. A size or depth not listed: DDERR_INVALIDMODE.
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate, DWORD flags) = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer) = 0;
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT RestoreAllSurfaces() = 0;
    // The next windowed present waits for the vertical blank (swap interval 1); no wait here.
    virtual HRESULT WaitForVerticalBlank(DWORD flags, void* event) = 0;
};

class IDirectDrawClipper : public IUnknown {
public:
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
};

class IDirectDrawSurface7 : public IUnknown {
public:
    virtual HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) = 0;
    virtual HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    // CPU surfaces only (textures, system-memory and off-screen surfaces); rect must be null. A texture
    // already drawn is read back from OpenGL: on the rendering thread only, DDERR_GENERIC elsewhere.
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, void* event) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;
    // Onto the primary surface from the back buffer: present to destination (client rectangle, ignored
    // beyond its use as "the window"). Between CPU surfaces of one format: a copy, stretched by nearest
    // texel when the sizes differ.
    virtual HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, void* effects) = 0;
    // Fullscreen primary only: present the back buffer.
    virtual HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Restore() = 0;
};

class IDirect3D7 : public IUnknown {
public:
    virtual HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) = 0;
    // target must be a 3D-capable surface (the back buffer).
    virtual HRESULT CreateDevice(const GUID& deviceGuid, IDirectDrawSurface7* target, IDirect3DDevice7** device) = 0;
    virtual HRESULT EnumZBufferFormats(const GUID& deviceGuid, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) = 0;
};

class IDirect3DDevice7 : public IUnknown {
public:
    virtual HRESULT GetCaps(D3DDEVICEDESC7* desc) = 0;
    virtual HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) = 0;
    virtual HRESULT SetRenderTarget(IDirectDrawSurface7* target, DWORD flags) = 0;
    // An oversize viewport is clipped to the render target.
    virtual HRESULT SetViewport(D3DVIEWPORT7* viewport) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT7* viewport) = 0;
    // Without rectangles: clears the current viewport only, whatever the depth-write state.
    virtual HRESULT Clear(DWORD count, RECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
    virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) = 0;
    virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) = 0;
    // Holds a reference to the texture while it is set.
    virtual HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) = 0;
    virtual HRESULT GetTexture(DWORD stage, IDirectDrawSurface7** texture) = 0;
    virtual HRESULT SetMaterial(D3DMATERIAL7* material) = 0;
    virtual HRESULT GetMaterial(D3DMATERIAL7* material) = 0;
    virtual HRESULT SetLight(DWORD index, D3DLIGHT7* light) = 0;
    virtual HRESULT GetLight(DWORD index, D3DLIGHT7* light) = 0;
    virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
    virtual HRESULT GetLightEnable(DWORD index, BOOL* enable) = 0;
    // 16-bit indices only; vertexFormat is D3DFVF_XYZ | D3DFVF_NORMAL [| D3DFVF_DIFFUSE] | D3DFVF_TEX1.
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices, DWORD vertexCount,
                                         WORD* indices, DWORD indexCount, DWORD flags) = 0;
};

// Lists the drivers: the primary display driver (guid null) first.
HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags);
// guid null: the primary display driver. iid must be IID_IDirectDraw7.
HRESULT DirectDrawCreateEx(GUID* guid, void** directDraw, const GUID& iid, IUnknown* outer);
// device null and ENUM_CURRENT_SETTINGS: the desktop's mode (32 bits whatever the real depth).
BOOL EnumDisplaySettingsA(const char* device, DWORD modeNumber, DEVMODEA* mode);

// The last presented frame, scaled to the window's client size as shown: bottom row first, 4 bytes per
// pixel in the order blue, green, red, alpha (alpha 255). False when nothing was presented yet or there
// is no OpenGL executor. Main thread only.
bool ReadPresentedFrame(std::uint32_t& width, std::uint32_t& height, std::vector<std::uint8_t>& pixels);

} // namespace Platform

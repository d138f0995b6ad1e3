// Direct3D 7 stand-in: device enumeration and creation, and the device's CPU-side state. Clears, draws
// and presents are handed to the OpenGL executor.

#include "platform/d3d7/D3D7Internal.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace Platform::D3D7Detail {

namespace {

D3DDEVICEDESC7 DescribeSpec(const D3D7Test::DeviceSpec& spec) {
    const D3D7Test::Environment& env = G().environment;
    D3DDEVICEDESC7 desc{};
    desc.dwDevCaps = spec.hardware ? D3DDEVCAPS_HWRASTERIZATION : 0;
    desc.dpcTriCaps.dwRasterCaps = spec.zBufferless ? D3DPRASTERCAPS_ZBUFFERLESSHSR : 0;
    desc.dwDeviceRenderBitDepth = spec.renderBitDepth;
    desc.dwDeviceZBufferBitDepth = DDBD_16 | DDBD_32;
    desc.dwMaxTextureWidth = env.maxTextureSize;
    desc.dwMaxTextureHeight = env.maxTextureSize;
    desc.dwMaxAnisotropy = env.maxAnisotropy;
    const WORD units = spec.textureUnits ? spec.textureUnits : env.textureUnits;
    desc.wMaxTextureBlendStages = units;
    desc.wMaxSimultaneousTextures = units;
    desc.dwMaxActiveLights = kMaxGlLights;
    desc.deviceGUID = spec.guid;
    return desc;
}

D3DMATRIX Identity() {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

} // namespace

// ---- Direct3D (shares the DirectDraw object's reference count) ----

ULONG Direct3D::AddRef() { return owner->AddRef(); }
ULONG Direct3D::Release() { return owner->Release(); }

HRESULT Direct3D::EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) {
    if (!callback) return DDERR_INVALIDPARAMS;
    std::vector<D3D7Test::DeviceSpec> specs;
    {
        Guard guard(Mutex());
        specs = DeviceSpecs();
    }
    for (const auto& spec : specs) {
        D3DDEVICEDESC7 desc;
        {
            Guard guard(Mutex());
            desc = DescribeSpec(spec);
        }
        if (callback(spec.description, spec.name, &desc, context) == D3DENUMRET_CANCEL) break;
    }
    return DD_OK;
}

HRESULT Direct3D::CreateDevice(const GUID& guid, IDirectDrawSurface7* targetSurface, IDirect3DDevice7** device) {
    Guard guard(Mutex());
    if (!device) return DDERR_INVALIDPARAMS;
    *device = nullptr;
    auto* target = static_cast<Surface*>(targetSurface);
    if (!target || !(target->caps & DDSCAPS_3DDEVICE)) return DDERR_INVALIDPARAMS;
    for (const auto& spec : DeviceSpecs()) {
        if (!(spec.guid == guid)) continue;
        const auto fault = spec.hardware ? D3D7Test::Fault::CreateHardwareDevice : D3D7Test::Fault::CreateSoftwareDevice;
        if (HRESULT hr = Injected(fault); hr != DD_OK) return hr;
        // A window without an SDL window (headless windows) draws nowhere, as the recording backend does;
        // a real window whose context cannot be made fails the device.
        if (G().backend == D3D7Test::Backend::OpenGL && SdlWindowOf(owner->window) &&
            !Executor::Attach(owner, owner->window))
            return DDERR_GENERIC;
        *device = new Device(owner, spec, target);
        if (Recording()) Record(std::string("CreateDevice(") + spec.name + ")");
        return DD_OK;
    }
    return DDERR_INVALIDPARAMS;
}

HRESULT Direct3D::EnumZBufferFormats(const GUID&, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) {
    if (!callback) return DDERR_INVALIDPARAMS;
    for (DWORD bits : {16u, 32u}) {
        DDPIXELFORMAT format = DepthFormat(bits);
        if (callback(&format, context) == D3DENUMRET_CANCEL) break;
    }
    return DD_OK;
}

// ---- Device ----

Device::Device(DirectDraw* owner, const D3D7Test::DeviceSpec& spec, Surface* target)
    : owner(owner), spec(spec), target(target) {
    target->AddRef();
    viewport = {0, 0, target->width, target->height, 0.0f, 1.0f};
    renderStates[D3DRENDERSTATE_ZENABLE] = target->next ? 1 : 0;
    renderStates[D3DRENDERSTATE_ZWRITEENABLE] = 1;
    renderStates[D3DRENDERSTATE_ZFUNC] = D3DCMP_LESSEQUAL;
    renderStates[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
    renderStates[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
    renderStates[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
    renderStates[D3DRENDERSTATE_LIGHTING] = 1;
    renderStates[D3DRENDERSTATE_COLORVERTEX] = 1;
    renderStates[D3DRENDERSTATE_ALPHAFUNC] = D3DCMP_ALWAYS;
    renderStates[D3DRENDERSTATE_SHADEMODE] = D3DSHADE_GOURAUD;
    for (DWORD stage = 0; stage < kMaxStages; ++stage) {
        auto& s = stageStates[stage];
        s[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        s[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        s[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        s[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        s[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        s[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        s[D3DTSS_TEXCOORDINDEX] = stage;
        s[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
        s[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        s[D3DTSS_MAGFILTER] = D3DTFG_POINT;
        s[D3DTSS_MINFILTER] = D3DTFN_POINT;
        s[D3DTSS_MIPFILTER] = D3DTFP_NONE;
        s[D3DTSS_MAXANISOTROPY] = 1;
        s[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
    }
    for (auto& m : transforms) m = Identity();
    material.diffuse = {1, 1, 1, 1};
}

Device::~Device() {
    for (Surface*& texture : textures)
        if (texture) texture->Release();
    target->Release();
}

ULONG Device::AddRef() {
    Guard guard(Mutex());
    return ++references;
}

ULONG Device::Release() {
    Guard guard(Mutex());
    const ULONG left = --references;
    if (left == 0) delete this;
    return left;
}

D3DDEVICEDESC7 Device::Describe() const { return DescribeSpec(spec); }

HRESULT Device::GetCaps(D3DDEVICEDESC7* desc) {
    Guard guard(Mutex());
    if (!desc) return DDERR_INVALIDPARAMS;
    *desc = Describe();
    return DD_OK;
}

HRESULT Device::EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) {
    if (!callback) return DDERR_INVALIDPARAMS;
    DDPIXELFORMAT formats[] = {RgbFormat(16, false), RgbFormat(16, true), RgbFormat(32, true)};
    for (auto& format : formats)
        if (callback(&format, context) == D3DENUMRET_CANCEL) break;
    return DD_OK;
}

HRESULT Device::SetRenderTarget(IDirectDrawSurface7* surface, DWORD) {
    Guard guard(Mutex());
    auto* newTarget = static_cast<Surface*>(surface);
    if (!newTarget || !(newTarget->caps & DDSCAPS_3DDEVICE)) return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Injected(D3D7Test::Fault::SetRenderTarget); hr != DD_OK) return hr;
    newTarget->AddRef();
    target->Release();
    target = newTarget;
    viewport = {0, 0, target->width, target->height, 0.0f, 1.0f};
    return DD_OK;
}

HRESULT Device::SetViewport(D3DVIEWPORT7* v) {
    Guard guard(Mutex());
    if (!v || v->dwWidth == 0 || v->dwHeight == 0 || v->dwX >= target->width || v->dwY >= target->height)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Injected(D3D7Test::Fault::SetViewport); hr != DD_OK) return hr;
    viewport = *v;
    viewport.dwWidth = std::min(v->dwWidth, target->width - v->dwX);
    viewport.dwHeight = std::min(v->dwHeight, target->height - v->dwY);
    if (Recording()) Record("SetViewport(" + std::to_string(v->dwX) + ", " + std::to_string(v->dwY) + ", " +
           std::to_string(v->dwWidth) + ", " + std::to_string(v->dwHeight) + ")");
    return DD_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT7* v) {
    Guard guard(Mutex());
    if (!v) return DDERR_INVALIDPARAMS;
    *v = viewport;
    return DD_OK;
}

HRESULT Device::Clear(DWORD count, RECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD) {
    Guard guard(Mutex());
    if (count != 0 || rects) return DDERR_UNSUPPORTED;
    if (G().surfacesLost) return DDERR_SURFACELOST;
    if (Recording()) Record("Clear(" + std::to_string(flags) + ", " + Hex(color) + ")");
    Executor::Clear(*this, flags, color, z);
    return DD_OK;
}

HRESULT Device::BeginScene() {
    Guard guard(Mutex());
    if (HRESULT hr = Injected(D3D7Test::Fault::BeginScene); hr != DD_OK) return hr;
    if (G().surfacesLost) return DDERR_SURFACELOST;
    if (inScene) return DDERR_GENERIC;
    inScene = true;
    if (Recording()) Record("BeginScene()");
    return DD_OK;
}

HRESULT Device::EndScene() {
    Guard guard(Mutex());
    if (!inScene) return DDERR_GENERIC;
    inScene = false;
    if (Recording()) Record("EndScene()");
    return G().surfacesLost ? DDERR_SURFACELOST : DD_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
    Guard guard(Mutex());
    if (!matrix || type >= D3DTRANSFORMSTATE_COUNT) return DDERR_INVALIDPARAMS;
    transforms[type] = *matrix;
    if (Recording()) Record("SetTransform(" + std::to_string(type) + ")");
    return DD_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
    Guard guard(Mutex());
    if (!matrix || type >= D3DTRANSFORMSTATE_COUNT) return DDERR_INVALIDPARAMS;
    *matrix = transforms[type];
    return DD_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    Guard guard(Mutex());
    if (state >= D3DRENDERSTATE_COUNT) return DDERR_INVALIDPARAMS;
    renderStates[state] = value;
    if (Recording()) Record("SetRenderState(" + std::to_string(state) + ", " + std::to_string(value) + ")");
    return DD_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    Guard guard(Mutex());
    if (!value || state >= D3DRENDERSTATE_COUNT) return DDERR_INVALIDPARAMS;
    *value = renderStates[state];
    return DD_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    Guard guard(Mutex());
    if (stage >= Describe().wMaxSimultaneousTextures || stage >= kMaxStages || type >= D3DTSS_COUNT)
        return DDERR_INVALIDPARAMS;
    stageStates[stage][type] = value;
    if (Recording()) Record("SetTextureStageState(" + std::to_string(stage) + ", " + std::to_string(type) + ", " +
           std::to_string(value) + ")");
    return DD_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
    Guard guard(Mutex());
    if (!value || stage >= kMaxStages || type >= D3DTSS_COUNT) return DDERR_INVALIDPARAMS;
    *value = stageStates[stage][type];
    return DD_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirectDrawSurface7* surface) {
    Guard guard(Mutex());
    if (stage >= kMaxStages) return DDERR_INVALIDPARAMS;
    auto* texture = static_cast<Surface*>(surface);
    if (texture && texture->kind != SurfaceKind::Texture) return DDERR_INVALIDPARAMS;
    if (texture) texture->AddRef();
    if (textures[stage]) textures[stage]->Release();
    textures[stage] = texture;
    if (Recording()) Record("SetTexture(" + std::to_string(stage) + ", " + (texture ? "texture" : "null") + ")");
    return DD_OK;
}

HRESULT Device::GetTexture(DWORD stage, IDirectDrawSurface7** texture) {
    Guard guard(Mutex());
    if (!texture || stage >= kMaxStages) return DDERR_INVALIDPARAMS;
    *texture = textures[stage];
    if (*texture) (*texture)->AddRef();
    return DD_OK;
}

HRESULT Device::SetMaterial(D3DMATERIAL7* m) {
    Guard guard(Mutex());
    if (!m) return DDERR_INVALIDPARAMS;
    material = *m;
    if (Recording()) Record("SetMaterial()");
    return DD_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL7* m) {
    Guard guard(Mutex());
    if (!m) return DDERR_INVALIDPARAMS;
    *m = material;
    return DD_OK;
}

HRESULT Device::SetLight(DWORD index, D3DLIGHT7* light) {
    Guard guard(Mutex());
    if (!light) return DDERR_INVALIDPARAMS;
    if (light->dltType != D3DLIGHT_POINT && light->dltType != D3DLIGHT_SPOT && light->dltType != D3DLIGHT_DIRECTIONAL)
        return DDERR_INVALIDPARAMS;
    lights[index].light = *light;
    if (Recording()) Record("SetLight(" + std::to_string(index) + ")");
    return DD_OK;
}

HRESULT Device::GetLight(DWORD index, D3DLIGHT7* light) {
    Guard guard(Mutex());
    auto found = lights.find(index);
    if (!light || found == lights.end()) return DDERR_INVALIDPARAMS;
    *light = found->second.light;
    return DD_OK;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable) {
    Guard guard(Mutex());
    auto found = lights.find(index);
    if (found == lights.end()) {
        if (!enable) return DD_OK;
        // A light enabled before it was set is a white directional light along +z.
        LightSlot slot;
        slot.light.dltType = D3DLIGHT_DIRECTIONAL;
        slot.light.dcvDiffuse = {1, 1, 1, 0};
        slot.light.dvDirection = {0, 0, 1};
        found = lights.emplace(index, slot).first;
    }
    found->second.enabled = enable != 0;
    if (Recording()) Record("LightEnable(" + std::to_string(index) + ", " + std::to_string(enable != 0) + ")");
    return DD_OK;
}

HRESULT Device::GetLightEnable(DWORD index, BOOL* enable) {
    Guard guard(Mutex());
    auto found = lights.find(index);
    if (!enable || found == lights.end()) return DDERR_INVALIDPARAMS;
    *enable = found->second.enabled;
    return DD_OK;
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices, DWORD vertexCount,
                                     WORD* indices, DWORD indexCount, DWORD) {
    Guard guard(Mutex());
    const DWORD plain = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
    if (vertexFormat != plain && vertexFormat != (plain | D3DFVF_DIFFUSE)) return DDERR_UNSUPPORTED;
    if (type != D3DPT_TRIANGLELIST && type != D3DPT_TRIANGLESTRIP) return DDERR_UNSUPPORTED;
    if (!vertices || !indices || vertexCount == 0 || vertexCount > 65536) return DDERR_INVALIDPARAMS;
    if (type == D3DPT_TRIANGLELIST ? indexCount % 3 != 0 || indexCount == 0 : indexCount < 3) return DDERR_INVALIDPARAMS;
    for (DWORD i = 0; i < indexCount; ++i)
        if (indices[i] >= vertexCount) return DDERR_INVALIDPARAMS;
    if (G().surfacesLost) return DDERR_SURFACELOST;
    if (Recording()) Record("DrawIndexedPrimitive(" + std::to_string(type) + ", " + std::to_string(vertexFormat) + ", " +
           std::to_string(vertexCount) + ", " + std::to_string(indexCount) + ")");
    Executor::Draw(*this, type, vertexFormat, vertices, vertexCount, indices, indexCount);
    return DD_OK;
}

} // namespace Platform::D3D7Detail

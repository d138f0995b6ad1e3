// The Direct3D 7 render system's per-frame half: lost-device handling, scene, present, reset, drawing and
// the state pushes.

#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Window.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

#include "platform/window/WindowApi.h"

#include <cstring>

namespace VantoranEngine {

using namespace Platform;

namespace {

const char* const kDots = "........................................................";

// Clear and ambient colours: each component times 255, truncated toward zero.
DWORD TruncatedArgb(const Color& c) {
    auto part = [](float v) -> DWORD {
        if (!(v > 0.0f)) return 0;
        if (v >= 1.0f) return 255;
        return static_cast<DWORD>(v * 255.0f);
    };
    return part(c.a) << 24 | part(c.r) << 16 | part(c.g) << 8 | part(c.b);
}

D3DMATRIX ToDevice(const Matrix4& m) {
    D3DMATRIX d;
    static_assert(sizeof d == sizeof m.m);
    std::memcpy(&d, m.m, sizeof d);
    return d;
}

} // namespace

void RenderSystem_D3D7::Refresh() {
    RenderSystem::Refresh();
    if (!directDraw) return;
    const HRESULT result = directDraw->TestCooperativeLevel();
    if (result == DD_OK) {
        if (ready) return;
        const HRESULT restored = directDraw->RestoreAllSurfaces();
        CheckResult("RenderSystem_D3D7::Refresh", restored);
        if (restored >= 0) {
            ready = 1;
        } else {
            texturesLost = 1;
            videoModeChanged = 1;
        }
        return;
    }
    ready = 0;
    if (result == DDERR_WRONGMODE && !FullscreenSetting()) {
        texturesLost = 1;
        videoModeChanged = 1;
    }
}

void RenderSystem_D3D7::BeginScene() {
    if (!device) return;
    const char* tag = "RenderSystem_D3D7::BeginScene";
    if (clearFlags) {
        DWORD flags = 0;
        if (clearFlags & 1) flags |= D3DCLEAR_TARGET;
        if (clearFlags & 2) flags |= D3DCLEAR_ZBUFFER;
        if (clearFlags & 4) flags |= D3DCLEAR_STENCIL;
        CheckResult(tag, device->Clear(0, nullptr, flags, TruncatedArgb(clearColor), 1.0f, 0));
    }
    HRESULT result = device->BeginScene();
    if (result == DDERR_SURFACELOST) {
        CheckResult(tag, directDraw->RestoreAllSurfaces());
        result = device->BeginScene();
    }
    CheckResult(tag, result);
}

void RenderSystem_D3D7::EndScene() {
    if (!device) return;
    HRESULT result = device->EndScene();
    if (result == DDERR_SURFACELOST) result = directDraw->RestoreAllSurfaces();
    CheckResult("RenderSystem_D3D7::EndScene", result);
}

void RenderSystem_D3D7::SwapBuffers() {
    if (!ready || !primary) return;
    HRESULT result;
    if (window->fullscreen) {
        result = primary->Flip(nullptr, DDFLIP_WAIT | (VSyncSetting() ? 0 : DDFLIP_NOVSYNC));
    } else {
        RECT client{};
        GetClientRect(window->hwnd, &client);
        POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
        ClientToScreen(window->hwnd, &topLeft);
        ClientToScreen(window->hwnd, &bottomRight);
        RECT screen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        if (VSyncSetting()) directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
        result = primary->Blt(&screen, backBuffer, nullptr, DDBLT_WAIT, nullptr);
    }
    if (result == DDERR_SURFACELOST) CheckResult("RenderSystem_D3D7::SwapBuffers", directDraw->RestoreAllSurfaces());
}

void RenderSystem_D3D7::CheckVideoMode() {
    RenderSystem::CheckVideoMode();
    texturesLost = 1;
}

void RenderSystem_D3D7::Reset(std::uint32_t flags) {
    if (flags & 1) {
        log->LogMessage("\nReseting Direct3D device:");
        if (texturesLost) ReleaseTextureSurfaces();
        log->LogMessage(kDots);
        ReleaseDevice();
        log->LogMessage(kDots);
        CreateDeviceWithFallback(false);
        log->LogMessage(kDots);
        SetDefaultStates();
    }
    if ((flags & 2) && texturesLost) RebuildTextureSurfaces();
    RenderSystem::Reset(flags);
}

void RenderSystem_D3D7::DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                             std::uint32_t primitiveCount) {
    const char* tag = "RenderSystem_D3D7::DrawIndexedPrimitive";
    if (!device || !indexBuffer || !vertexBuffer) return;
    vertexBuffer->Commit();
    indexBuffer->Commit();
    const std::uint32_t indexCount = strip ? primitiveCount + 2 : primitiveCount * 3;
    if (indexBuffer->rangeStale) indexBuffer->UpdateIndexRange();
    // The device reads 16-bit indices only, and never more than the buffers hold.
    const std::uint32_t vertexCount = indexBuffer->lowestIndex + indexBuffer->indexRange;
    if (indexBuffer->is32Bit || indexCount > indexBuffer->indexCount ||
        vertexCount > static_cast<std::uint32_t>(vertexBuffer->vertexCount)) {
        CheckResult(tag, DDERR_INVALIDPARAMS);
        return;
    }
    const DWORD format = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1 | (vertexBuffer->hasColor ? D3DFVF_DIFFUSE : 0);
    CheckResult(tag, device->DrawIndexedPrimitive(strip ? D3DPT_TRIANGLESTRIP : D3DPT_TRIANGLELIST, format,
                                                  vertexBuffer->vertices.data(), vertexCount,
                                                  reinterpret_cast<WORD*>(indexBuffer->indices.data()), indexCount, 0));
}

void RenderSystem_D3D7::SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                                    const Color& emissive, float power) {
    if (!device) return;
    D3DMATERIAL7 material{{diffuse.r, diffuse.g, diffuse.b, diffuse.a},
                          {ambient.r, ambient.g, ambient.b, ambient.a},
                          {specular.r, specular.g, specular.b, specular.a},
                          {emissive.r, emissive.g, emissive.b, emissive.a},
                          power};
    CheckResult("RenderSystem_D3D7::SetMaterial", device->SetMaterial(&material));
}

void RenderSystem_D3D7::SetDefaultStates() {
    RenderSystem::SetDefaultStates();
    if (!device) return;
    const char* tag = "RenderSystem_D3D7::SetDefaultStates";
    for (std::uint32_t unit = 0; unit < textureUnitCount; ++unit) {
        CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2));
        CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_TEXCOORDINDEX, 0));
        CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_COLOROP, D3DTOP_MODULATE));
        CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_ALPHAARG1, D3DTA_TEXTURE));
        CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE));
        CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_ALPHAOP, unit == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE));
    }
    CheckResult(tag, device->SetRenderState(D3DRENDERSTATE_COLORVERTEX, 0));
}

DWORD RenderSystem_D3D7::MapBlendFactor(std::int32_t factor) {
    switch (factor) {
    case 0:
    case 1: return D3DBLEND_ONE;
    case 2: return D3DBLEND_DESTCOLOR;
    case 3: return D3DBLEND_INVDESTCOLOR;
    case 4: return D3DBLEND_SRCALPHA;
    case 5: return D3DBLEND_INVSRCALPHA;
    case 6: return D3DBLEND_DESTALPHA;
    case 7: return D3DBLEND_INVDESTALPHA;
    case 8: return D3DBLEND_SRCALPHASAT;
    case 9: return D3DBLEND_SRCCOLOR;
    case 10: return D3DBLEND_INVSRCCOLOR;
    default: return factor > 10 ? D3DBLEND_ZERO : D3DBLEND_ONE;
    }
}

void RenderSystem_D3D7::UpdateProjectionMatrix() {
    if (!device) return;
    D3DMATRIX m = ToDevice(projection);
    CheckResult("RenderSystem_D3D7::UpdateProjectionMatrix", device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &m));
}

void RenderSystem_D3D7::UpdateViewMatrix() {
    if (!device) return;
    Matrix4 v = view;
    for (int i : {2, 6, 10, 14}) v.m[i] = -v.m[i];
    D3DMATRIX m = ToDevice(v);
    CheckResult("RenderSystem_D3D7::UpdateViewMatrix", device->SetTransform(D3DTRANSFORMSTATE_VIEW, &m));
}

void RenderSystem_D3D7::UpdateWorldMatrix() {
    if (!device) return;
    Matrix4 w = world;
    TransposeMatrix(w);
    D3DMATRIX m = ToDevice(w);
    CheckResult("RenderSystem_D3D7::UpdateWorldMatrix", device->SetTransform(D3DTRANSFORMSTATE_WORLD, &m));
}

void RenderSystem_D3D7::UpdateAmbientColor() {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateAmbientColor",
                device->SetRenderState(D3DRENDERSTATE_AMBIENT, TruncatedArgb(ambientColor)));
}

void RenderSystem_D3D7::UpdateAlphaBlend() {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateAlphaBlend",
                device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, alphaBlend ? 1 : 0));
}

void RenderSystem_D3D7::UpdateBlend() {
    if (!device) return;
    const char* tag = "RenderSystem_D3D7::UpdateBlend";
    CheckResult(tag, device->SetRenderState(D3DRENDERSTATE_SRCBLEND, MapBlendFactor(sourceBlend)));
    CheckResult(tag, device->SetRenderState(D3DRENDERSTATE_DESTBLEND, MapBlendFactor(destinationBlend)));
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(std::uint32_t unit) {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateMaxTextureAnisotropy",
                device->SetTextureStageState(unit, D3DTSS_MAXANISOTROPY, static_cast<DWORD>(maxAnisotropy[unit])));
}

void RenderSystem_D3D7::UpdateTextureFilter(std::uint32_t unit) {
    if (!device) return;
    const char* tag = "RenderSystem_D3D7::UpdateTextureFilter";
    DWORD magnify, minify, mip;
    switch (filter[unit]) {
    case 0:
        magnify = D3DTFG_POINT;
        minify = D3DTFN_POINT;
        mip = D3DTFP_NONE;
        break;
    case 1:
        magnify = D3DTFG_LINEAR;
        minify = D3DTFN_LINEAR;
        mip = D3DTFP_NONE;
        break;
    case 2: {
        const bool anisotropic = settings->r_texture_anisotropy > 1;
        magnify = anisotropic ? D3DTFG_ANISOTROPIC : D3DTFG_LINEAR;
        minify = anisotropic ? D3DTFN_ANISOTROPIC : D3DTFN_LINEAR;
        mip = D3DTFP_LINEAR;
        break;
    }
    default: return;
    }
    CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_MAGFILTER, magnify));
    CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_MINFILTER, minify));
    CheckResult(tag, device->SetTextureStageState(unit, D3DTSS_MIPFILTER, mip));
}

void RenderSystem_D3D7::UpdateTextureAdressU(std::uint32_t unit) {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateTextureAdressU",
                device->SetTextureStageState(unit, D3DTSS_ADDRESSU, addressU[unit] == 0 ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP));
}

void RenderSystem_D3D7::UpdateTextureAdressV(std::uint32_t unit) {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateTextureAdressV",
                device->SetTextureStageState(unit, D3DTSS_ADDRESSV, addressV[unit] == 0 ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP));
}

void RenderSystem_D3D7::UpdateTextureMatrix(std::uint32_t unit) {
    if (!device) return;
    const auto& t = textureMatrix[unit];
    D3DMATRIX m{};
    m._11 = t[0];
    m._22 = t[1];
    m._33 = m._44 = 1.0f;
    m._31 = t[2]; // 2D coordinates: the third row is the translation
    m._32 = t[3];
    CheckResult("RenderSystem_D3D7::UpdateTextureMatrix",
                device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTRANSFORMSTATE_TEXTURE0 + unit), &m));
}

void RenderSystem_D3D7::UpdateCullMode() {
    if (!device) return;
    const DWORD mode = cullMode == 1 ? D3DCULL_CW : cullMode == 2 ? D3DCULL_CCW : D3DCULL_NONE;
    CheckResult("RenderSystem_D3D7::UpdateCullMode", device->SetRenderState(D3DRENDERSTATE_CULLMODE, mode));
}

void RenderSystem_D3D7::UpdateLighting() {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateLighting", device->SetRenderState(D3DRENDERSTATE_LIGHTING, lighting ? 1 : 0));
}

void RenderSystem_D3D7::UpdateNormalizeNormals() {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateNormalizeNormals",
                device->SetRenderState(D3DRENDERSTATE_NORMALIZENORMALS, normalizeNormals ? 1 : 0));
}

void RenderSystem_D3D7::UpdateZ() {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateZ", device->SetRenderState(D3DRENDERSTATE_ZENABLE, zEnable ? 1 : 0));
}

void RenderSystem_D3D7::UpdateZWrite() {
    if (!device) return;
    CheckResult("RenderSystem_D3D7::UpdateZWrite", device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, zWrite ? 1 : 0));
}

} // namespace VantoranEngine

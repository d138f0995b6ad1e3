#pragma once
// The render system on DirectDraw 7 and Direct3D 7 (our stand-in in platform/d3d7).
//
// Rules:
// - Construction lists the drivers, chooses a device and a video mode from v_mode and v_fullscreen,
//   creates the surfaces and the device, and falls back to the software rasterizer when a hardware
//   device cannot be created. It ends with FatalError when no device or no video mode can be had; the
//   mode fallback chain (the request, v_mode's default, then "640x480x16") never repeats a mode.
// - Every later device call that fails is logged through CheckResult as
//   "Direct3D Subsystem (<tag>): <text>" and the program goes on.
// - The live-texture list is guarded: the loading worker adds and removes textures while the main
//   thread may reset the device.

#include "engine/render/RenderSystem.h"

#include "platform/d3d7/D3D7.h"

#include <mutex>
#include <string>
#include <vector>

namespace VantoranEngine {

class Texture2D_D3D7;

class RenderSystem_D3D7 : public RenderSystem {
public:
    RenderSystem_D3D7(MessageManager* log, MemoryManager* memory, Config* config, Window* window);
    ~RenderSystem_D3D7() override;

    void Refresh() override;
    void BeginScene() override;
    void EndScene() override;
    void SwapBuffers() override;
    void CheckVideoMode() override;
    void Reset(std::uint32_t flags) override;
    void DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                              std::uint32_t primitiveCount) override;
    Camera* CreateCamera(std::uint32_t projectionKind) override;
    VertexBuffer* CreateVertexBuffer(std::int32_t usage, std::int32_t hasColor, std::uint32_t vertexCount) override;
    VertexBuffer* CreateConvertedVertexBuffer(std::int32_t usage, std::int32_t hasColor,
                                              const VertexBuffer& source) override;
    VertexBuffer* CloneVertexBuffer(const VertexBuffer& source) override;
    IndexBuffer* CreateIndexBuffer(std::int32_t usage, std::uint32_t indexCount) override;
    IndexBuffer* CreateConvertedIndexBuffer(std::int32_t usage, const IndexBuffer& source) override;
    IndexBuffer* CloneIndexBuffer(const IndexBuffer& source) override;
    Texture2D* CreateTexture(const std::string& name, Image* image, bool mipMapping) override;
    Light* CreateLight(std::uint32_t index) override;
    void SetDefaultStates() override;
    void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                     float power) override;
    void UpdateProjectionMatrix() override;
    void UpdateViewMatrix() override;
    void UpdateWorldMatrix() override;
    void UpdateAmbientColor() override;
    void UpdateAlphaBlend() override;
    void UpdateBlend() override;
    void UpdateTexture(std::uint32_t unit) override;
    void UpdateMaxTextureAnisotropy(std::uint32_t unit) override;
    void UpdateTextureFilter(std::uint32_t unit) override;
    void UpdateTextureAdressU(std::uint32_t unit) override;
    void UpdateTextureAdressV(std::uint32_t unit) override;
    void UpdateTextureMatrix(std::uint32_t unit) override;
    void UpdateCullMode() override;
    void UpdateLighting() override;
    void UpdateNormalizeNormals() override;
    void UpdateZ() override;
    void UpdateZWrite() override;

    // Logs a failed result as an error; 0 and above pass silently.
    void CheckResult(const std::string& tag, Platform::HRESULT result);
    // The description of a result, "Unknown error (Code: <signed decimal>)" outside the table.
    static std::string DescribeResult(Platform::HRESULT result);
    static Platform::DWORD MapBlendFactor(std::int32_t factor);

    // The live-texture list: textures add themselves when built and remove themselves when destroyed.
    // Removing a texture that is not listed is fatal; removing one also clears it from the state cache.
    void AddTexture(Texture2D_D3D7* texture);
    void RemoveTexture(Texture2D_D3D7* texture);
    std::vector<Texture2D_D3D7*> LiveTextures() const;

    void BuildDeviceList();
    void ChooseDevice(bool softwareOnly);
    void CreateDeviceWithFallback(bool logCapabilities);
    void ChooseVideoMode();
    bool CreateDevice(bool logCapabilities);
    void ReleaseDevice();

    Platform::IDirectDraw7* directDraw = nullptr;
    Platform::IDirect3D7* direct3D = nullptr;
    Platform::IDirect3DDevice7* device = nullptr;
    Platform::IDirectDrawSurface7* zBuffer = nullptr;
    Platform::IDirectDrawSurface7* primary = nullptr;
    Platform::IDirectDrawSurface7* backBuffer = nullptr;
    Platform::DDSURFACEDESC2 backBufferDesc{};

private:
    static Platform::BOOL EnumDriversCallback(Platform::GUID* guid, const char* description, const char* name,
                                              void* context, void* monitor);
    static Platform::HRESULT EnumDisplayModesCallback(Platform::DDSURFACEDESC2* mode, void* context);
    static Platform::HRESULT EnumDevicesCallback(const char* description, const char* name,
                                                 Platform::D3DDEVICEDESC7* desc, void* context);
    static Platform::HRESULT EnumZBufferFormatsCallback(Platform::DDPIXELFORMAT* format, void* context);
    void ReleaseTextureSurfaces();
    void RebuildTextureSurfaces();

    mutable std::mutex texturesMutex;
    std::vector<Texture2D_D3D7*> liveTextures;
};

} // namespace VantoranEngine

#pragma once
// The engine's abstract drawing device and its state cache.
//
// Rules:
// - Every render state the engine uses is cached here and reaches the device only through the Update
//   operations, which read the cached value; the setters call them only when the value changes
//   (floats within 0.0001 count as equal) or while forceStates is set (inside SetDefaultStates).
// - The per-unit caches always have textureUnitCount entries: SetDefaultStates re-sizes them, so a
//   device re-created with more units never indexes past them. A unit index must be below
//   textureUnitCount.
// - Numbers shared with material files: BlendFactor 0 and 1 one, 2 dest colour, 3 one minus dest colour,
//   4 src alpha, 5 one minus src alpha, 6 dest alpha, 7 one minus dest alpha, 8 src alpha saturated,
//   9 src colour, 10 one minus src colour, above 10 zero. CullMode 1 clockwise, 2 counter-clockwise,
//   other none. TextureFilter 0 point, 1 bilinear, 2 mip-linear (anisotropic when r_texture_anisotropy
//   is above 1), other values change no filter.
// - Main thread, except the buffer and texture factories, which the loading worker may call.

#include "engine/render/Color.h"
#include "engine/render/DriverInfo.h"
#include "engine/render/Matrix4.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

class Camera;
class Config;
class Image;
class IndexBuffer;
class Light;
class MemoryManager;
class MessageManager;
class Texture2D;
class VertexBuffer;
class Window;
struct EngineSettings;

class RenderSystem {
public:
    RenderSystem(MessageManager* log, MemoryManager* memory, Config* config, Window* window);
    virtual ~RenderSystem();

    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;

    virtual void Refresh();
    virtual void BeginScene() {}
    virtual void EndScene() {}
    virtual void SwapBuffers() {}
    virtual void CheckVideoMode();
    virtual void Reset(std::uint32_t flags);
    virtual void DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                      std::uint32_t primitiveCount);
    virtual Camera* CreateCamera(std::uint32_t projectionKind) = 0;
    virtual VertexBuffer* CreateVertexBuffer(std::int32_t usage, std::int32_t hasColor, std::uint32_t vertexCount) = 0;
    virtual VertexBuffer* CreateConvertedVertexBuffer(std::int32_t usage, std::int32_t hasColor,
                                                      const VertexBuffer& source) = 0;
    virtual VertexBuffer* CloneVertexBuffer(const VertexBuffer& source) = 0;
    virtual IndexBuffer* CreateIndexBuffer(std::int32_t usage, std::uint32_t indexCount) = 0;
    virtual IndexBuffer* CreateConvertedIndexBuffer(std::int32_t usage, const IndexBuffer& source) = 0;
    virtual IndexBuffer* CloneIndexBuffer(const IndexBuffer& source) = 0;
    virtual Texture2D* CreateTexture(const std::string& name, Image* image, bool mipMapping) = 0;
    virtual Light* CreateLight(std::uint32_t index) = 0;
    virtual void InitStateCache();
    virtual void SetDefaultStates();
    // Not cached: reaches the device on every call.
    virtual void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                             float power) = 0;
    virtual void UpdateProjectionMatrix() = 0;
    virtual void UpdateViewMatrix() = 0;
    virtual void UpdateWorldMatrix() = 0;
    virtual void UpdateAmbientColor() = 0;
    virtual void UpdateAlphaBlend() = 0;
    virtual void UpdateBlend() = 0;
    virtual void UpdateTexture(std::uint32_t unit) = 0;
    virtual void UpdateMaxTextureAnisotropy(std::uint32_t unit) = 0;
    virtual void UpdateTextureFilter(std::uint32_t unit) = 0;
    virtual void UpdateTextureAdressU(std::uint32_t unit) = 0;
    virtual void UpdateTextureAdressV(std::uint32_t unit) = 0;
    virtual void UpdateTextureMatrix(std::uint32_t unit) = 0;
    virtual void UpdateCullMode() = 0;
    virtual void UpdateLighting() = 0;
    virtual void UpdateNormalizeNormals() = 0;
    virtual void UpdateZ() = 0;
    virtual void UpdateZWrite() = 0;

    // Cached setters.
    void SetViewMatrix(const Matrix4& m);
    void SetWorldMatrix(const Matrix4& m);
    void SetAmbientColor(const Color& c);
    void SetAlphaBlend(bool on);
    void SetBlend(std::int32_t source, std::int32_t destination);
    void SetTexture(std::uint32_t unit, Texture2D* texture);
    void SetMaxTextureAnisotropy(std::uint32_t unit, std::int32_t value);
    void SetTextureFilter(std::uint32_t unit, std::int32_t filter);
    void SetTextureAdressU(std::uint32_t unit, std::int32_t address);
    void SetTextureAdressV(std::uint32_t unit, std::int32_t address);
    void SetTextureMatrix(std::uint32_t unit, float scaleU, float scaleV, float offsetU, float offsetV);
    void SetCullMode(std::int32_t mode);
    void SetLighting(bool on);
    void SetNormalizeNormals(bool on);
    void SetZ(bool on);
    void SetZWrite(bool on);

    // Clears every cache entry that holds the texture and unbinds it from the device, so a texture
    // allocated later at the same address is never taken for it. The texture's destructor calls this.
    void ForgetTexture(Texture2D* texture);

    MessageManager* log;
    MemoryManager* memory;
    Config* config;
    Window* window;
    EngineSettings* settings;

    std::vector<std::unique_ptr<DriverInfo>> drivers;
    DriverInfo* chosenDriver = nullptr;
    std::uint32_t clearFlags = 3; // bit 0 colour, bit 1 depth, bit 2 stencil
    Color clearColor{0, 0, 0, 1};
    std::uint32_t maxTextureWidth = 0, maxTextureHeight = 0;
    std::uint32_t textureUnitCount = 0;
    std::int32_t maxTextureAnisotropy = 1;
    std::uint8_t ready = 0;
    std::uint8_t videoModeChanged = 0;
    std::uint8_t texturesLost = 0;
    std::uint8_t forceStates = 0;

    Matrix4 projection, view, world;
    Color ambientColor{0, 0, 0, 1};
    std::uint8_t alphaBlend = 0;
    std::int32_t sourceBlend = 0, destinationBlend = 0;
    std::vector<Texture2D*> textures;
    std::vector<std::int32_t> maxAnisotropy;
    std::vector<std::int32_t> filter;
    std::vector<std::int32_t> addressU, addressV;
    std::vector<std::array<float, 4>> textureMatrix; // scale u, scale v, offset u, offset v
    std::int32_t cullMode = 0;
    std::uint8_t lighting = 0, normalizeNormals = 0, zEnable = 0, zWrite = 0;

protected:
    // The configuration the device reads and writes.
    const std::string& VideoModeText() const;
    bool FullscreenSetting() const;
    bool VSyncSetting() const;
    void SetSettingText(const char* name, const std::string& text);
    static void ParseVideoMode(const std::string& text, std::uint32_t& width, std::uint32_t& height,
                               std::uint32_t& bits);

private:
    void SizeUnitCaches();
};

} // namespace VantoranEngine

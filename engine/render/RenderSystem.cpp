#include "engine/render/RenderSystem.h"

#include "engine/core/Config.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace VantoranEngine {

namespace {

bool FloatsDiffer(float a, float b) { return std::fabs(a - b) > 0.0001f; }

} // namespace

RenderSystem::RenderSystem(MessageManager* log, MemoryManager* memory, Config* config, Window* window)
    : log(log), memory(memory), config(config), window(window), settings(&config->settings) {}

RenderSystem::~RenderSystem() = default;

const std::string& RenderSystem::VideoModeText() const { return settings->v_mode; }
bool RenderSystem::FullscreenSetting() const { return settings->v_fullscreen; }
bool RenderSystem::VSyncSetting() const { return settings->v_vsync; }

void RenderSystem::SetSettingText(const char* name, const std::string& text) { config->SetValueText(name, text); }

void RenderSystem::ParseVideoMode(const std::string& text, std::uint32_t& width, std::uint32_t& height,
                                  std::uint32_t& bits) {
    Config::ParseVideoMode(text, &width, &height, &bits);
}

void RenderSystem::Refresh() {
    const std::int32_t wanted = settings->r_texture_anisotropy;
    const std::int32_t clamped = std::max(1, std::min(wanted, maxTextureAnisotropy));
    if (clamped != wanted) SetSettingText("r_texture_anisotropy", std::to_string(clamped));
    for (std::uint32_t unit = 0; unit < textureUnitCount; ++unit) SetMaxTextureAnisotropy(unit, clamped);
}

void RenderSystem::CheckVideoMode() {
    if (!chosenDriver || !chosenDriver->chosenDevice || !chosenDriver->chosenDevice->chosenMode) {
        videoModeChanged = 1;
        return;
    }
    std::uint32_t width = 0, height = 0, bits = 0;
    ParseVideoMode(VideoModeText(), width, height, bits);
    const DeviceInfo& device = *chosenDriver->chosenDevice;
    const DisplayModeInfo& mode = *device.chosenMode;
    if (FullscreenSetting() != (device.fullscreen != 0) || width != mode.width || height != mode.height ||
        bits != mode.bits)
        videoModeChanged = 1;
}

void RenderSystem::Reset(std::uint32_t flags) {
    if (flags & 1) {
        videoModeChanged = 0;
        ready = 1;
    }
    if (flags & 2) texturesLost = 0;
}

void RenderSystem::DrawIndexedPrimitive(bool, IndexBuffer*, VertexBuffer*, std::uint32_t) {}

void RenderSystem::SizeUnitCaches() {
    textures.resize(textureUnitCount, nullptr);
    maxAnisotropy.resize(textureUnitCount, 0);
    filter.resize(textureUnitCount, 0);
    addressU.resize(textureUnitCount, 0);
    addressV.resize(textureUnitCount, 0);
    textureMatrix.resize(textureUnitCount, {0, 0, 0, 0});
}

void RenderSystem::InitStateCache() {
    SizeUnitCaches();
    ready = 1;
    SetDefaultStates();
}

void RenderSystem::SetDefaultStates() {
    // A device re-created by a reset may have another number of units.
    SizeUnitCaches();
    SetMaterial({0.6f, 0.6f, 0.6f, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 1}, 0);
    forceStates = 1;
    SetIdentityMatrix(view);
    UpdateViewMatrix();
    Matrix4 identity;
    SetWorldMatrix(identity);
    SetAmbientColor({0, 0, 0, 1});
    SetAlphaBlend(false);
    SetBlend(0, 0);
    for (std::uint32_t unit = 0; unit < textureUnitCount; ++unit) {
        SetTexture(unit, nullptr);
        SetMaxTextureAnisotropy(unit, 1);
        SetTextureFilter(unit, 1);
        SetTextureAdressU(unit, 1);
        SetTextureAdressV(unit, 1);
        SetTextureMatrix(unit, 1, 1, 0, 0);
    }
    SetCullMode(0);
    SetLighting(false);
    SetNormalizeNormals(false);
    SetZ(false);
    SetZWrite(true);
    forceStates = 0;
}

void RenderSystem::SetViewMatrix(const Matrix4& m) {
    if (!forceStates && MatricesEqual(view, m)) return;
    view = m;
    UpdateViewMatrix();
}

void RenderSystem::SetWorldMatrix(const Matrix4& m) {
    if (!forceStates && MatricesEqual(world, m)) return;
    world = m;
    UpdateWorldMatrix();
}

void RenderSystem::SetAmbientColor(const Color& c) {
    if (!forceStates && !ColorsDiffer(ambientColor, c)) return;
    ambientColor = c;
    UpdateAmbientColor();
}

void RenderSystem::SetAlphaBlend(bool on) {
    if (!forceStates && alphaBlend == (on ? 1 : 0)) return;
    alphaBlend = on ? 1 : 0;
    UpdateAlphaBlend();
}

void RenderSystem::SetBlend(std::int32_t source, std::int32_t destination) {
    if (!forceStates && sourceBlend == source && destinationBlend == destination) return;
    sourceBlend = source;
    destinationBlend = destination;
    UpdateBlend();
}

void RenderSystem::SetTexture(std::uint32_t unit, Texture2D* texture) {
    if (unit >= textureUnitCount || (!forceStates && textures[unit] == texture)) return;
    textures[unit] = texture;
    UpdateTexture(unit);
}

void RenderSystem::SetMaxTextureAnisotropy(std::uint32_t unit, std::int32_t value) {
    if (unit >= textureUnitCount || (!forceStates && maxAnisotropy[unit] == value)) return;
    maxAnisotropy[unit] = value;
    UpdateMaxTextureAnisotropy(unit);
}

void RenderSystem::SetTextureFilter(std::uint32_t unit, std::int32_t value) {
    if (unit >= textureUnitCount || (!forceStates && filter[unit] == value)) return;
    filter[unit] = value;
    UpdateTextureFilter(unit);
}

void RenderSystem::SetTextureAdressU(std::uint32_t unit, std::int32_t value) {
    if (unit >= textureUnitCount || (!forceStates && addressU[unit] == value)) return;
    addressU[unit] = value;
    UpdateTextureAdressU(unit);
}

void RenderSystem::SetTextureAdressV(std::uint32_t unit, std::int32_t value) {
    if (unit >= textureUnitCount || (!forceStates && addressV[unit] == value)) return;
    addressV[unit] = value;
    UpdateTextureAdressV(unit);
}

void RenderSystem::SetTextureMatrix(std::uint32_t unit, float scaleU, float scaleV, float offsetU, float offsetV) {
    if (unit >= textureUnitCount) return;
    auto& cached = textureMatrix[unit];
    if (!forceStates && !FloatsDiffer(cached[0], scaleU) && !FloatsDiffer(cached[1], scaleV) &&
        !FloatsDiffer(cached[2], offsetU) && !FloatsDiffer(cached[3], offsetV))
        return;
    cached = {scaleU, scaleV, offsetU, offsetV};
    UpdateTextureMatrix(unit);
}

void RenderSystem::SetCullMode(std::int32_t mode) {
    if (!forceStates && cullMode == mode) return;
    cullMode = mode;
    UpdateCullMode();
}

void RenderSystem::SetLighting(bool on) {
    if (!forceStates && lighting == (on ? 1 : 0)) return;
    lighting = on ? 1 : 0;
    UpdateLighting();
}

void RenderSystem::SetNormalizeNormals(bool on) {
    if (!forceStates && normalizeNormals == (on ? 1 : 0)) return;
    normalizeNormals = on ? 1 : 0;
    UpdateNormalizeNormals();
}

void RenderSystem::SetZ(bool on) {
    if (!forceStates && zEnable == (on ? 1 : 0)) return;
    zEnable = on ? 1 : 0;
    UpdateZ();
}

void RenderSystem::SetZWrite(bool on) {
    if (!forceStates && zWrite == (on ? 1 : 0)) return;
    zWrite = on ? 1 : 0;
    UpdateZWrite();
}

void RenderSystem::ForgetTexture(Texture2D* texture) {
    if (!texture) return;
    for (std::uint32_t unit = 0; unit < textures.size() && unit < textureUnitCount; ++unit) {
        if (textures[unit] != texture) continue;
        textures[unit] = nullptr;
        UpdateTexture(unit);
    }
}

} // namespace VantoranEngine

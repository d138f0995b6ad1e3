// The Direct3D 7 render system's ties to the objects it creates and binds: textures (their surfaces are
// rebuilt after a reset and made on demand at bind time), cameras and lights.

#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/MessageManager.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/Light_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"

#include <algorithm>

namespace VantoranEngine {

using namespace Platform;

void RenderSystem_D3D7::RemoveTexture(Texture2D_D3D7* texture) {
    {
        std::lock_guard<std::mutex> guard(texturesMutex);
        auto found = std::find(liveTextures.begin(), liveTextures.end(), texture);
        if (found != liveTextures.end()) {
            liveTextures.erase(found);
        } else {
            log->LogFatalError("RenderSystem_D3D7: Failed to remove texture \"" + texture->name + "\"");
        }
    }
    ForgetTexture(texture);
}

void RenderSystem_D3D7::ReleaseTextureSurfaces() {
    for (Texture2D_D3D7* texture : LiveTextures()) texture->ReleaseSurface();
}

void RenderSystem_D3D7::RebuildTextureSurfaces() {
    for (Texture2D_D3D7* texture : LiveTextures()) texture->CreateSurface(nullptr);
}

void RenderSystem_D3D7::UpdateTexture(std::uint32_t unit) {
    if (!device) return;
    IDirectDrawSurface7* surface = nullptr;
    if (auto* texture = static_cast<Texture2D_D3D7*>(textures[unit])) {
        if (!texture->surface) texture->CreateSurface(nullptr);
        surface = texture->surface;
    }
    CheckResult("RenderSystem_D3D7::UpdateTexture", device->SetTexture(unit, surface));
}

Texture2D* RenderSystem_D3D7::CreateTexture(const std::string& name, Image* image, bool mipMapping) {
    return new Texture2D_D3D7(this, name, image, mipMapping);
}

Camera* RenderSystem_D3D7::CreateCamera(std::uint32_t projectionKind) {
    return new Camera_D3D7(this, projectionKind);
}

Light* RenderSystem_D3D7::CreateLight(std::uint32_t index) {
    return new Light_D3D7(this, index);
}

} // namespace VantoranEngine

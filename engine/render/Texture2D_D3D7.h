#pragma once
// A texture's Direct3D 7 surface with its mip levels. The level images are built once from the source
// image; once the surface holds them they are given up (the surface, or the renderer's texture behind it,
// is then the one copy), and a reset reads them back from the surface before releasing it, so the surface
// can be built again without reloading the images.
//
// A failure while the surface is built (the texture surface, a staging surface or a lock) is logged and
// stops that build: the texture keeps no surface, binds as no texture, and the next bind tries again.
// A deleted texture leaves the device's texture list and every texture unit of the render state cache
// it was bound to.
//
// Threads: built on the loading thread or the main thread; the stand-in's surfaces are CPU memory and
// reach OpenGL only when drawn on the main thread.

#include "engine/render/Texture2D.h"

#include <memory>
#include <vector>

namespace Platform {
class IDirectDrawSurface7;
struct DDPIXELFORMAT;
} // namespace Platform

namespace VantoranEngine {

class Image;
class RenderSystem_D3D7;

class Texture2D_D3D7 : public Texture2D {
public:
    // Builds the surface from image and enters the texture in the device's texture list; the log, memory
    // pool and configuration are the render system's.
    Texture2D_D3D7(RenderSystem_D3D7* renderSystem, const std::string& name, Image* image, bool mipMapping);
    ~Texture2D_D3D7() override;

    // Nothing when a surface exists; image null builds from the kept level images.
    void CreateSurface(Image* image);
    // Keeps the levels (read back from the surface) and releases the surface.
    void ReleaseSurface();
    // Fills levelImages from the surface's levels when they were given up; false (logged) when a level
    // cannot be read, which leaves no level images.
    bool ReadBackLevels();

    // The power of two nearest to size (the larger on a tie), at most limit.
    static uint32_t TextureSide(uint32_t size, uint32_t limit);

    RenderSystem_D3D7* renderSystem;
    Platform::IDirectDrawSurface7* surface = nullptr;
    std::vector<std::unique_ptr<Image>> levelImages; // empty while the surface holds the levels
    uint32_t levelBits = 0;                            // depth of the level images: 24 or 32
};

} // namespace VantoranEngine

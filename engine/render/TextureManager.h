#pragma once
// The texture cache behind materials: one texture per colour image, opacity image and mip-mapping
// request, shared through a reference count. A colour image that cannot be loaded gives a yellow and
// black checkerboard; a missing opacity image gives an opaque texture. Images that break the cache's
// rules (power-of-two sizes, a 24-bit colour image under an opacity image, an opacity image of the
// colour image's size) are used anyway, with a warning.
//
// Keys: "diffuse_" + colour path [+ "_plus_opacity_" + opacity path] [+ "_with_mip_mapping"], each path
// the data path of the name in lower case.
//
// Threads: textures are loaded on the loading thread while the main thread draws; one mutex guards the
// cache. The device part of a texture is uploaded lazily on the main thread.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace VantoranEngine {

class Config;
class FileManager;
class MemoryManager;
class MessageManager;
class RenderSystem;
class Texture2D;

enum TextureFlag : uint32_t {
    textureWithOpacity = 1,
    textureMipMapped = 2,
};

class TextureManager {
public:
    TextureManager(MessageManager* log, MemoryManager* memory, FileManager* files, Config* config,
                   RenderSystem* renderSystem);
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;
    // Deletes every cached texture whatever its reference count.
    virtual ~TextureManager();

    Texture2D* LoadTexture(const std::string& colourName, const std::string& opacityName, uint32_t flags);
    // Null or a texture the cache does not hold: nothing.
    void ReleaseTexture(Texture2D* texture);
    uint32_t GetUsedVideoMemory() const;
    // Every cached texture in key order.
    void GetLoadedTextures(std::vector<Texture2D*>& textures) const;
    size_t GetTextureCount() const;

    static std::string MakeKey(const std::string& colourName, const std::string& opacityName, uint32_t flags);

    MessageManager* log;
    MemoryManager* memory;
    FileManager* files;
    Config* config;
    RenderSystem* renderSystem;

private:
    mutable std::mutex mutex;
    std::map<std::string, Texture2D*> cache;
};

} // namespace VantoranEngine

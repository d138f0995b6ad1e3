#include "engine/render/TextureManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Scalar.h"
#include "engine/render/Texture2D.h"

namespace VantoranEngine {

namespace {

std::string DataPathLower(const std::string& name)
{
    return ToLowerCopy(FileManager::GetDataPath(name));
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace

TextureManager::TextureManager(MessageManager* logManager, MemoryManager* memoryManager, FileManager* fileManager,
                               Config* configuration, RenderSystem* device)
    : log(logManager), memory(memoryManager), files(fileManager), config(configuration), renderSystem(device)
{
}

TextureManager::~TextureManager()
{
    std::lock_guard<std::mutex> lock(mutex);
    for (auto& entry : cache)
        delete entry.second;
    cache.clear();
}

std::string TextureManager::MakeKey(const std::string& colourName, const std::string& opacityName, uint32_t flags)
{
    std::string key = "diffuse_" + DataPathLower(colourName);
    if (flags & textureWithOpacity)
        key += "_plus_opacity_" + DataPathLower(opacityName);
    if (flags & textureMipMapped)
        key += "_with_mip_mapping";
    return key;
}

Texture2D* TextureManager::LoadTexture(const std::string& colourName, const std::string& opacityName, uint32_t flags)
{
    const std::string colourPath = DataPathLower(colourName);
    const std::string opacityPath = DataPathLower(opacityName);
    const std::string key = MakeKey(colourName, opacityName, flags);
    {
        std::lock_guard<std::mutex> lock(mutex);
        const auto found = cache.find(key);
        if (found != cache.end()) {
            ++found->second->referenceCount;
            return found->second;
        }
    }

    const std::string prefix = "Texture Manager: ";
    Image colour;
    // A picture the device cannot hold is refused before decoding (a damaged header would cost seconds).
    const uint32_t maxWidth = renderSystem->maxTextureWidth;
    const uint32_t maxHeight = renderSystem->maxTextureHeight;
    if (!colour.Load(log, memory, files, colourPath, maxWidth, maxHeight))
        colour.MakeCheckerboard(log, memory);
    else if (!IsPowerOfTwo(colour.width) || !IsPowerOfTwo(colour.height))
        log->LogWarning(prefix + Quoted(colourPath) + " image size should be power of two");

    if (flags & textureWithOpacity) {
        if (opacityPath == colourPath) {
            Image opacity;
            opacity.CopyFrom(colour, true);
            colour.ApplyOpacity(opacity);
        } else {
            if (colour.bitsPerPixel != 24)
                log->LogWarning(prefix + Quoted(colourPath) + " image color depth should be 24 bit");
            Image opacity;
            if (opacity.Load(log, memory, files, opacityPath, maxWidth, maxHeight)) {
                if (!IsPowerOfTwo(opacity.width) || !IsPowerOfTwo(opacity.height))
                    log->LogWarning(prefix + Quoted(opacityPath) + " image size should be power of two");
                if (opacity.width != colour.width || opacity.height != colour.height)
                    log->LogWarning(prefix + Quoted(opacityPath) + " image size should be the same as " +
                                    Quoted(colourPath));
                colour.ApplyOpacity(opacity);
            }
        }
    }

    Texture2D* texture = renderSystem->CreateTexture(key, &colour, (flags & textureMipMapped) != 0);
    std::lock_guard<std::mutex> lock(mutex);
    const auto [entry, inserted] = cache.emplace(key, texture);
    if (!inserted) {
        // another thread built the same texture meanwhile: keep the first
        delete texture;
        ++entry->second->referenceCount;
    }
    return entry->second;
}

void TextureManager::ReleaseTexture(Texture2D* texture)
{
    if (texture == nullptr)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    const auto found = cache.find(texture->name);
    if (found == cache.end() || found->second != texture)
        return;
    if (--texture->referenceCount > 0)
        return;
    cache.erase(found);
    delete texture;
}

uint32_t TextureManager::GetUsedVideoMemory() const
{
    std::lock_guard<std::mutex> lock(mutex);
    uint32_t total = 0;
    for (const auto& entry : cache)
        total += entry.second->byteSize;
    return total;
}

void TextureManager::GetLoadedTextures(std::vector<Texture2D*>& textures) const
{
    std::lock_guard<std::mutex> lock(mutex);
    textures.clear();
    for (const auto& entry : cache)
        textures.push_back(entry.second);
}

size_t TextureManager::GetTextureCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return cache.size();
}

} // namespace VantoranEngine

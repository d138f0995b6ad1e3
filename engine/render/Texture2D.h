#pragma once
// One texture made from a colour image and, optionally, an opacity image, as the texture cache hands it
// out. The device-side part (surface, mip levels) lives in the render device's subclass.

#include <cstdint>
#include <string>

namespace VantoranEngine {

class Config;
class MemoryManager;
class MessageManager;
struct EngineSettings;

class Texture2D {
public:
    // mipMapping is kept only when r_use_mip_mapping is set.
    Texture2D(const std::string& name, Config* config, MessageManager* log, MemoryManager* memory, bool mipMapping);
    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;
    virtual ~Texture2D() = default;

    MessageManager* log;
    MemoryManager* memory;
    Config* config;
    EngineSettings* settings;
    std::string name;        // the cache key
    int32_t referenceCount = 1;
    uint32_t byteSize = 0;   // counted for the used-video-memory statistic, at the source's depth
    uint8_t mipMapping = 0;
    uint32_t width = 0;      // powers of two
    uint32_t height = 0;
};

} // namespace VantoranEngine

#include "engine/render/Texture2D.h"

#include "engine/core/Config.h"

namespace VantoranEngine {

Texture2D::Texture2D(const std::string& key, Config* configuration, MessageManager* logManager,
                     MemoryManager* memoryManager, bool withMipMaps)
    : log(logManager), memory(memoryManager), config(configuration),
      settings(configuration != nullptr ? &configuration->settings : nullptr), name(key)
{
    mipMapping = withMipMaps && settings != nullptr && settings->r_use_mip_mapping ? 1 : 0;
}

} // namespace VantoranEngine

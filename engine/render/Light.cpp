#include "engine/render/Light.h"

namespace VantoranEngine {

Light::Light(MessageManager* log_, MemoryManager* memory_, uint32_t index_) : log(log_), memory(memory_), index(index_)
{
}

void Light::Refresh() {}

} // namespace VantoranEngine

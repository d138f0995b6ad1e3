#include "engine/render/gui/GUIRadioGroupManager.h"

namespace VantoranEngine {

GUIRadioGroupManager::GUIRadioGroupManager(MessageManager* log, MemoryManager* memoryManager)
    : log(log), memoryManager(memoryManager)
{
}

GUIRadioGroupManager::~GUIRadioGroupManager() = default;

} // namespace VantoranEngine

#include "engine/render/SpriteGroupManager.h"

namespace VantoranEngine {

SpriteGroupManager::SpriteGroupManager(MessageManager* log, MemoryManager* memory, CameraManager* cameraManager,
                                       ShaderManager* shaderManager, ModelManager* modelManager)
    : log(log), memory(memory), cameraManager(cameraManager), shaderManager(shaderManager), modelManager(modelManager)
{
}

SpriteGroupManager::~SpriteGroupManager()
{
    for (SpriteGroup* group : groups.slots)
        delete group;
}

SpriteGroup* SpriteGroupManager::CreateSpriteGroup(uint32_t count, const ShaderDescriptor* material, Camera* camera)
{
    auto* group = new SpriteGroup(log, memory, cameraManager, modelManager, shaderManager, count, material, camera);
    groups.Add(group);
    return group;
}

SpriteGroup* SpriteGroupManager::CloneSpriteGroup(const SpriteGroup& source)
{
    auto* group = new SpriteGroup(source);
    groups.Add(group);
    return group;
}

void SpriteGroupManager::Update()
{
    for (SpriteGroup* group : groups.slots)
        if (group)
            group->Update();
}

bool SpriteGroupManager::DeleteSpriteGroup(SpriteGroup* group)
{
    if (!groups.Remove(group))
        return false;
    delete group;
    return true;
}

} // namespace VantoranEngine

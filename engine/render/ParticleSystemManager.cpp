#include "engine/render/ParticleSystemManager.h"

#include "engine/core/Error.h"

namespace VantoranEngine {

ParticleSystemManager::ParticleSystemManager(MessageManager* log, MemoryManager* memory, FileManager* files,
                                             TimerManager* timers, ShaderManager* shaderManager,
                                             SpriteGroupManager* spriteGroupManager)
    : log(log), memory(memory), files(files), timers(timers), shaderManager(shaderManager),
      spriteGroupManager(spriteGroupManager)
{
}

ParticleSystemManager::~ParticleSystemManager()
{
    for (ParticleSystem* system : systems.slots)
        delete system;
}

ParticleSystem* ParticleSystemManager::LoadParticleSystem(const std::string& name, Camera* camera)
{
    try {
        return new ParticleSystem(name, log, memory, files, timers, shaderManager, spriteGroupManager, camera);
    } catch (const Error&) {
        return new ParticleSystem(log, memory, files, timers, shaderManager, spriteGroupManager, camera);
    }
}

ParticleSystem* ParticleSystemManager::CloneParticleSystem(const ParticleSystem& source)
{
    auto* system = new ParticleSystem(source);
    systems.Add(system);
    return system;
}

bool ParticleSystemManager::DeleteParticleSystem(ParticleSystem* system)
{
    if (!systems.Remove(system))
        return false;
    delete system;
    return true;
}

void ParticleSystemManager::Update()
{
    for (ParticleSystem* system : systems.slots)
        if (system != nullptr)
            system->Update();
}

} // namespace VantoranEngine

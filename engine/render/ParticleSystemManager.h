#pragma once
// Loads particle-system prototypes, clones working copies from them, updates the copies once per frame
// and deletes them.
//
// Rules:
// - A prototype (LoadParticleSystem) is not listed: it is never updated or drawn, and its caller deletes
//   it. A file that cannot be read or is refused gives the default system (the error is in the log).
// - Clones are listed from creation until DeleteParticleSystem or the manager's end.
// - Loading may run on a loading worker while the main thread neither updates nor draws; everything
//   else runs on the main thread. Nothing locks.

#include "engine/render/ObjectManager.h"
#include "engine/render/ParticleSystem.h"

#include <string>

namespace VantoranEngine {

class ParticleSystemManager {
public:
    ParticleSystemManager(MessageManager* log, MemoryManager* memory, FileManager* files, TimerManager* timers,
                          ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager);
    // Deletes every system still listed.
    virtual ~ParticleSystemManager();

    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;

    // `name` is relative to the data folder; `camera` null: the default camera. Never null.
    ParticleSystem* LoadParticleSystem(const std::string& name, Camera* camera);
    // A listed, idle copy of `source`.
    ParticleSystem* CloneParticleSystem(const ParticleSystem& source);
    // Removes a listed system and deletes it; false (nothing deleted) for null or an unlisted system,
    // such as a prototype.
    bool DeleteParticleSystem(ParticleSystem* system);
    // Every listed system's Update, in slot order.
    void Update();

    MessageManager* log;
    MemoryManager* memory;
    FileManager* files;
    TimerManager* timers;
    ShaderManager* shaderManager;
    SpriteGroupManager* spriteGroupManager;
    ObjectManager<ParticleSystem> systems;
};

} // namespace VantoranEngine

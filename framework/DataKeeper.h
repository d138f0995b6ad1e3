#pragma once
// A resource bundle: loads prototypes (materials, models, sprite groups, particle systems) through the
// engine's managers and keeps every handle in one of four lists, which it releases when destroyed.
//
// Rules:
// - LoadResources runs once, on a loading screen's worker thread (or on the main thread when no thread
//   can be made), while the main thread only pumps messages, presents and feeds sound streams. It may
//   use the file, memory, shader, texture, model, sprite-group and particle-system services, never the
//   GUI manager or the timer manager (main-thread objects: create those before or after the load).
// - A bundle's own fields only point at objects that are also in the lists; the lists are released.
// - A failure to go on is a FatalError out of Load; the loading screen hands it to the main thread.

#include <memory>
#include <vector>

namespace VantoranEngine {
class Engine;
class FileManager;
class MemoryManager;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
} // namespace VantoranEngine

namespace GameFramework {

class DataKeeper {
public:
    explicit DataKeeper(VantoranEngine::Engine& engine);
    // Releases every material through the shader manager, then deletes the models, sprite groups and
    // particle systems, each list in its order.
    virtual ~DataKeeper();

    DataKeeper(const DataKeeper&) = delete;
    DataKeeper& operator=(const DataKeeper&) = delete;

    // Runs LoadResources on the calling thread.
    void Load();

    VantoranEngine::Engine* engine;
    VantoranEngine::MessageManager* log;
    VantoranEngine::MemoryManager* memory;
    VantoranEngine::FileManager* files;
    VantoranEngine::ShaderManager* shaders;
    VantoranEngine::ModelManager* models;
    VantoranEngine::SpriteGroupManager* spriteGroups;
    VantoranEngine::ParticleSystemManager* particleSystems;
    float progress = 0.0f; // 0..1; a bundle may advance it while loading

    std::vector<VantoranEngine::ShaderUser*> materials;             // released through ShaderManager
    std::vector<std::unique_ptr<VantoranEngine::Model>> modelList;
    std::vector<std::unique_ptr<VantoranEngine::SpriteGroup>> spriteGroupList;
    std::vector<std::unique_ptr<VantoranEngine::ParticleSystem>> particleSystemList;

protected:
    virtual void LoadResources() = 0;
};

} // namespace GameFramework

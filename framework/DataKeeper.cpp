#include "framework/DataKeeper.h"

#include "engine/core/Engine.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"

namespace GameFramework {

DataKeeper::DataKeeper(VantoranEngine::Engine& engine)
    : engine(&engine), log(engine.messageManager.get()), memory(engine.memoryManager.get()),
      files(engine.fileManager.get()), shaders(engine.shaderManager.get()), models(engine.modelManager.get()),
      spriteGroups(engine.spriteGroupManager.get()), particleSystems(engine.particleSystemManager.get())
{
}

DataKeeper::~DataKeeper()
{
    for (VantoranEngine::ShaderUser* material : materials)
        shaders->ReleaseShader(material);
    materials.clear();
    for (auto& model : modelList)
        model.reset();
    for (auto& group : spriteGroupList)
        group.reset();
    for (auto& system : particleSystemList)
        system.reset();
}

void DataKeeper::Load()
{
    LoadResources();
}

} // namespace GameFramework

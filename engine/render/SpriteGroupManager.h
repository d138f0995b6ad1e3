#pragma once
// Creates, clones and updates the sprite groups. Groups are listed in `groups` from creation; their
// owners (particle systems) remove them from the list and delete them. Whatever is still listed when
// the manager goes is deleted with it.
//
// Without a model manager (simulations without a render device) the groups have no model: they keep
// their sprite records and draw nothing.
//
// Threads: creating and cloning may run on a loading worker while the main thread neither updates nor
// draws; Update runs on the main thread. Nothing locks.

#include "engine/render/ObjectManager.h"
#include "engine/render/SpriteGroup.h"

#include <cstdint>

namespace VantoranEngine {

class SpriteGroupManager {
public:
    SpriteGroupManager(MessageManager* log, MemoryManager* memory, CameraManager* cameraManager,
                       ShaderManager* shaderManager, ModelManager* modelManager);
    virtual ~SpriteGroupManager();

    SpriteGroupManager(const SpriteGroupManager&) = delete;
    SpriteGroupManager& operator=(const SpriteGroupManager&) = delete;

    // A listed group of `count` free sprites drawn with `material` (null: the default material) from
    // `camera` (null: the default camera).
    SpriteGroup* CreateSpriteGroup(uint32_t count, const ShaderDescriptor* material, Camera* camera);
    // A listed copy of `source` with every sprite free.
    SpriteGroup* CloneSpriteGroup(const SpriteGroup& source);
    // Every listed group's quads, in list order; once per frame on the main thread.
    void Update();
    // Removes a group from the list and deletes it; false (nothing deleted) for null or an unlisted group.
    bool DeleteSpriteGroup(SpriteGroup* group);

    MessageManager* log;
    MemoryManager* memory;
    CameraManager* cameraManager;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    ObjectManager<SpriteGroup> groups;
};

} // namespace VantoranEngine

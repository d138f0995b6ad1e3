#pragma once
// SpriteGroup: up to N camera-facing square sprites drawn as the quads of one self-made model, one draw
// call for the whole group. Particle systems own one group each and write its sprites directly.
//
// Rules:
// - A sprite's `size` is half its quad's side in world units; `angle` turns the quad about the camera's
//   back axis (radians, counter-clockwise as seen from the camera); `colour` goes into all four corners.
// - Sprites are taken with AddSprite and given back with FreeSprite; the free deque always holds
//   exactly the sprites not in use, last freed first reused. With no free sprite AddSprite returns 0
//   and changes nothing, so callers keep their own count of free sprites (a particle system has as many
//   particles as sprites).
// - Sprite i owns vertices 4i .. 4i+3 and indices 6i .. 6i+5 (4i, 4i+1, 4i+2, 4i+2, 4i+1, 4i+3);
//   texture coordinates (0,0), (0,1), (1,0), (1,1) are written once. Each frame the quads of the
//   sprites in use are rebuilt at the front of the buffer (sorted back to front when `sortEnabled`) and
//   the model draws only those.
// - A group without a model (its manager has no model manager: simulations without a render device)
//   keeps and updates its sprite records the same way, draws nothing and is shown until hidden.
// - Created and deleted by the SpriteGroupManager's callers on any thread that loads; updated on the
//   main thread only. Nothing locks.

#include "engine/render/Color.h"
#include "engine/render/Vector3.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace VantoranEngine {

class Camera;
class CameraManager;
class IndexBuffer;
class MemoryManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class VertexBuffer;

struct Sprite {
    uint8_t free = 1;
    float sortKey = 0.0f; // distance in front of the camera, written while sorting
    Vector3 position;     // the quad's centre
    float size = 0.0f;    // half the quad's side, world units
    float angle = 0.0f;   // radians about the camera's back axis
    Color colour;
};

class SpriteGroup {
public:
    // Model flags: coloured vertices rewritten every frame with bounds rebuilt from them, a triangle list,
    // depth-tested without depth writes, drawn back to front, active (shown), dynamic buffers.
    static constexpr uint32_t modelFlags = 0x1C84A9;
    // Angles up to this size (radians) leave a quad unturned.
    static constexpr float minimumAngle = 0.0001f;

    // A group of `count` free sprites; the caller (the manager) checks that 6 * count indices fit.
    SpriteGroup(MessageManager* log, MemoryManager* memory, CameraManager* cameraManager, ModelManager* modelManager,
                ShaderManager* shaderManager, uint32_t count, const ShaderDescriptor* material, Camera* camera);
    // Same services, count and camera; every sprite free, the source's free sprites first reused in its
    // order and the sprites it had in use after them; sorting and centre copied.
    SpriteGroup(const SpriteGroup& other);
    SpriteGroup& operator=(const SpriteGroup&) = delete;
    virtual ~SpriteGroup();

    // The index of the sprite now in use, placed with angle 0; 0 without change when none is free.
    uint32_t AddSprite(const Vector3& position, float size, const Color& colour);
    // Gives a sprite in use back; an index out of range or already free is ignored.
    void FreeSprite(uint32_t index);

    bool IsShown() const;
    void SetShown(bool shown);

    // Writes the sprite quads' index pattern for `count` sprites, 16- or 32-bit as the buffer holds.
    static void WriteIndices(IndexBuffer& indices, uint32_t count);
    // Writes the fixed texture coordinates of `count` sprite quads.
    static void WriteTextureCoordinates(VertexBuffer& vertices, uint32_t count);
    // Rebuilds the model's quads from the camera; nothing while hidden or without a model.
    void Update();
    // The draw list, the quads of the sprites in use seen along these camera axes (not renormalised)
    // into the front of `vertices`, `centre`, and the index count the model draws.
    void BuildQuads(VertexBuffer& vertices, IndexBuffer& indices, const Vector3& cameraPosition,
                    const Vector3& right, const Vector3& up, const Vector3& back);

    uint32_t GetSpriteCount() const { return spriteCount; }
    // The sprites in use at the last build, in drawing order.
    const std::vector<Sprite*>& GetDrawList() const { return drawList; }
    size_t GetDrawCount() const { return drawCount; }

    MessageManager* log;
    MemoryManager* memory;
    CameraManager* cameraManager;
    ModelManager* modelManager;
    ShaderManager* shaderManager;
    std::deque<uint32_t> freeSprites; // back = next to be used
    std::vector<Sprite> sprites;
    Camera* camera;
    Model* model = nullptr; // listed in the model manager, deleted with the group; null without a model manager
    uint8_t sortEnabled = 1;
    Vector3 centre; // mean position of the sprites drawn at the last build

private:
    uint32_t spriteCount;
    std::vector<Sprite*> drawList; // N slots, the first drawCount filled at each build
    size_t drawCount = 0;
    bool shownWithoutModel = true;
};

} // namespace VantoranEngine

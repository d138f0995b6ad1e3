#pragma once
// ParticleSystem: an emitter read from a ".psf" file (ParticleSystemFile.h). It emits particles over a
// repeating or one-shot period, moves them along randomised directions with speed, gravity and a
// bouncing floor, and shows each one as a sprite of its own SpriteGroup whose colour and size follow
// the particle's life.
//
// Rules:
// - Time is the TimerManager's frame time, randomness the shared generator (Random.h): the order of the
//   draws per emitted particle is fixed (origin, lifetime, direction keys, speed keys).
// - A particle's position is its sprite's position.
// - Callers start a system by showing its sprite group and setting `emitting` (usually `position`
//   first, `looping` for continuous effects); they stop it by clearing `emitting` (a full reset also
//   zeroes `emissionTime` and `emissionAccumulator` and sets `lastKey` to -1). It has finished when it
//   does not emit and `liveCount` is 0. Hiding the sprite group freezes it.
// - All memory is sized at construction: N particles and N sprites; emission and death only move
//   indices between free lists (last freed, first reused).
// - Loading may run on a loading worker while the main thread neither updates nor draws; everything
//   else runs on the main thread.

#include "engine/render/BoundingBox.h"
#include "engine/render/ParticleSystemDescriptor.h"
#include "engine/render/Vector3.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace VantoranEngine {

class Camera;
class ShaderDescriptor;
class FileManager;
class MemoryManager;
class MessageManager;
class ShaderManager;
class SpriteGroup;
class SpriteGroupManager;
class TimerManager;

struct Particle {
    uint8_t free = 1;
    uint32_t spriteIndex = 0;
    float lifetime = 0.0f; // seconds
    float age = 0.0f;      // seconds
    Vector3 currentDirection;
    ParticleSystemDescriptor::Keys<Vector3> directionKeys{}; // unit length, drawn at emission
    ParticleSystemDescriptor::Keys<float> speedKeys{};       // drawn at emission
    float speedFactor = 1.0f; // shrinks at each floor contact
    float fallSpeed = 0.0f;   // speed gained from gravity
};

class ParticleSystem {
public:
    enum EmitterShape : uint32_t { Point = 0, Box = 1, PointList = 2 }; // any other value acts as Point

    // The default system: the descriptor's defaults, 100 particles, a point emitter, the box
    // (-0.5, -0.5, -0.5)..(0.5, 0.5, 0.5) and the default material. `camera` null: the default camera.
    ParticleSystem(MessageManager* log, MemoryManager* memory, FileManager* files, TimerManager* timers,
                   ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager, Camera* camera);
    // Reads `name` (relative to the data folder) and its material, the same name with the extension
    // "srf" (the default material when that cannot be read). A file that cannot be read or is refused
    // is logged as an error and thrown as Error with the same text.
    ParticleSystem(const std::string& name, MessageManager* log, MemoryManager* memory, FileManager* files,
                   TimerManager* timers, ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager,
                   Camera* camera);
    // Same services, particle count, descriptor and emitter box and shape, a clone of the source's sprite
    // group; idle and empty, at (0, 0, 0): the source's run-time state is not copied.
    ParticleSystem(const ParticleSystem& other);
    ParticleSystem& operator=(const ParticleSystem&) = delete;
    // Removes the sprite group from its manager's list and deletes it.
    virtual ~ParticleSystem();

    // One frame of emission and motion; nothing while the sprite group is hidden.
    void Update();

    uint32_t GetParticleCount() const { return particleCount; }
    const std::vector<Particle>& GetParticles() const { return particles; }
    uint32_t GetPeakLiveCount() const { return peakLiveCount; }

    ParticleSystemDescriptor descriptor;
    SpriteGroup* spriteGroup = nullptr; // listed in the sprite-group manager, deleted with the system
    float emissionTime = 0.0f;          // seconds into the current period
    uint8_t looping = 0;
    uint8_t emitting = 0;
    float emissionAccumulator = 0.0f;   // particles owed, fractions kept between frames
    uint32_t liveCount = 0;
    int32_t lastKey = -1;               // emission key of the last update, -1 for none
    Vector3 position;
    uint32_t emitterShape = Point;
    BoundingBox emitterBox;             // world corners equal the local ones
    std::vector<Vector3> emitterPoints; // used as they are, without `position`
    uint8_t interpolatePoints = 0;      // emit anywhere on the segments between neighbouring points

private:
    void Build(uint32_t count, const Vector3& boxMin, const Vector3& boxMax, const ShaderDescriptor& material,
               Camera* camera);
    void Emit(float life, float spread);
    Vector3 EmissionOrigin();
    void UpdateParticle(uint32_t index, float dt);

    MessageManager* log;
    MemoryManager* memory;
    FileManager* files;
    TimerManager* timers;
    ShaderManager* shaderManager;
    SpriteGroupManager* spriteGroupManager;
    std::deque<uint32_t> freeParticles; // back = next to be used
    uint32_t particleCount = 0;
    std::vector<Particle> particles;
    uint32_t peakLiveCount = 0;
};

} // namespace VantoranEngine

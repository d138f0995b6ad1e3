#include "engine/render/ParticleSystem.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/ParticleSystemFile.h"
#include "engine/render/Random.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"

#include <cmath>
#include <memory>

namespace VantoranEngine {

namespace {

constexpr float kSpeedUnit = 100.0f;      // world units per second per unit of speed
constexpr float kMinimumKeyLength = 0.05f; // shorter direction keys repeat the previous one
constexpr float kFloorLift = 0.001f;       // a bounced particle is put this far above the floor
constexpr float kKillMargin = 0.0001f;     // age past the lifetime of a particle slowed to a stop

// A phase t of 0..5 over six evenly spaced keys: key k, the next key k1 (0 after the last) and the
// fraction f of the way from k to k1. Phases outside 0..5 or NaN (only from odd values that callers
// wrote) are held at the ends.
struct KeyPhase {
    int k = 0;
    int k1 = 1;
    float f = 0.0f;

    explicit KeyPhase(float t)
    {
        if (!(t >= 0.0f))
            t = 0.0f;
        else if (t > 5.0f)
            t = 5.0f;
        k = static_cast<int>(t);
        k1 = k + 1 == ParticleSystemDescriptor::keyCount ? 0 : k + 1;
        f = t - static_cast<float>(k);
    }

    float Of(const ParticleSystemDescriptor::Keys<float>& keys) const
    {
        return keys[k] * (1.0f - f) + keys[k1] * f;
    }
    Vector3 Of(const ParticleSystemDescriptor::Keys<Vector3>& keys) const
    {
        const Vector3& a = keys[k];
        const Vector3& b = keys[k1];
        const float g = 1.0f - f;
        return {a.x * g + b.x * f, a.y * g + b.y * f, a.z * g + b.z * f};
    }
    Color Of(const ParticleSystemDescriptor::Keys<Color>& keys) const
    {
        const Color& a = keys[k];
        const Color& b = keys[k1];
        const float g = 1.0f - f;
        return {a.r * g + b.r * f, a.g * g + b.g * f, a.b * g + b.b * f, a.a * g + b.a * f};
    }
};

// Whole particles owed: the accumulator truncated towards zero; nothing for NaN or less than one.
uint32_t WholeParticles(float accumulator)
{
    constexpr float most = 4294967040.0f; // the largest float below 2^32
    if (!(accumulator >= 1.0f))
        return 0;
    return accumulator >= most ? static_cast<uint32_t>(most) : static_cast<uint32_t>(accumulator);
}

} // namespace

ParticleSystem::ParticleSystem(MessageManager* log, MemoryManager* memory, FileManager* files, TimerManager* timers,
                               ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager, Camera* camera)
    : log(log), memory(memory), files(files), timers(timers), shaderManager(shaderManager),
      spriteGroupManager(spriteGroupManager)
{
    const ParticleSystemFile defaults;
    Build(defaults.particleCount, defaults.boxMin, defaults.boxMax, ShaderDescriptor(), camera);
}

ParticleSystem::ParticleSystem(const std::string& name, MessageManager* log, MemoryManager* memory, FileManager* files,
                               TimerManager* timers, ShaderManager* shaderManager,
                               SpriteGroupManager* spriteGroupManager, Camera* camera)
    : log(log), memory(memory), files(files), timers(timers), shaderManager(shaderManager),
      spriteGroupManager(spriteGroupManager)
{
    ParticleSystemFile file;
    try {
        std::unique_ptr<FileBinary> binary = files->OpenBinary(FileManager::GetDataPath(name), false);
        file = ParticleSystemFile::Read(*binary, name);
        binary->Close();
    } catch (const FileError& error) {
        log->LogError(error.message);
        throw Error(error.message);
    }
    descriptor = file.descriptor;
    emitterShape = file.emitterShape;

    std::string materialName = name;
    FileManager::ChangeExtension(materialName, "srf");
    ShaderDescriptor material;
    try {
        material = ShaderDescriptor::Load(materialName, log, files);
    } catch (const Error&) {
        material = ShaderDescriptor();
    }
    Build(file.particleCount, file.boxMin, file.boxMax, material, camera);
}

ParticleSystem::ParticleSystem(const ParticleSystem& other)
    : descriptor(other.descriptor), emitterShape(other.emitterShape), emitterBox(other.emitterBox), log(other.log),
      memory(other.memory), files(other.files), timers(other.timers), shaderManager(other.shaderManager),
      spriteGroupManager(other.spriteGroupManager), particleCount(other.particleCount),
      particles(other.particleCount)
{
    spriteGroup = spriteGroupManager->CloneSpriteGroup(*other.spriteGroup);
    for (uint32_t i = particleCount; i-- > 0;)
        freeParticles.push_back(i);
}

ParticleSystem::~ParticleSystem()
{
    spriteGroupManager->DeleteSpriteGroup(spriteGroup);
}

void ParticleSystem::Build(uint32_t count, const Vector3& boxMin, const Vector3& boxMax,
                           const ShaderDescriptor& material, Camera* camera)
{
    emitterBox.SetCorners(boxMin, boxMax);
    emitterBox.Update(false);
    spriteGroup = spriteGroupManager->CreateSpriteGroup(count, &material, camera);
    particleCount = count;
    particles.assign(count, Particle{});
    for (uint32_t i = count; i-- > 0;)
        freeParticles.push_back(i);
}

void ParticleSystem::Update()
{
    if (!spriteGroup->IsShown())
        return;
    const float dt = timers->frameTime;
    const float period = descriptor.period;

    if (emitting) {
        emissionTime += dt;
        bool emitNow = true;
        if (looping) {
            // Files never give a period that is not positive; a caller's odd value stops the system.
            if (!(period > 0.0f)) {
                emissionTime = 0.0f;
                emitting = 0;
                emitNow = false;
            } else if (emissionTime >= period) {
                emissionTime -= period;
                if (emissionTime >= period)
                    emissionTime = std::fmod(emissionTime, period);
            }
        } else if (emissionTime >= period) {
            emissionTime = 0.0f;
            lastKey = -1;
            emitting = 0;
            emitNow = false;
        }

        if (emitNow) {
            const KeyPhase phase(emissionTime / period * 5.0f);
            float life = 0.0f;
            float spread = 0.0f;
            if (descriptor.interpolateEmission) {
                emissionAccumulator += dt * phase.Of(descriptor.emissionRate);
                life = phase.Of(descriptor.lifetime);
                spread = phase.Of(descriptor.lifetimeSpread);
            } else {
                if (phase.k != lastKey)
                    emissionAccumulator += descriptor.emissionRate[phase.k];
                life = descriptor.lifetime[phase.k];
                spread = descriptor.lifetimeSpread[phase.k];
            }
            const uint32_t owed = WholeParticles(emissionAccumulator);
            if (owed > 0)
                emissionAccumulator -= static_cast<float>(owed);
            // Particles that find no free record are dropped, not owed later.
            for (uint32_t i = 0; i < owed && !freeParticles.empty(); ++i)
                Emit(life, spread);
            lastKey = phase.k;
        }
    }

    liveCount = 0;
    for (uint32_t i = 0; i < particleCount; ++i)
        if (!particles[i].free)
            UpdateParticle(i, dt);
    if (liveCount > peakLiveCount)
        peakLiveCount = liveCount;
}

Vector3 ParticleSystem::EmissionOrigin()
{
    switch (emitterShape) {
    case Box: {
        Vector3 origin;
        origin.x = RandomRange(emitterBox.worldMin.x, emitterBox.worldMax.x);
        origin.y = RandomRange(emitterBox.worldMin.y, emitterBox.worldMax.y);
        origin.z = RandomRange(emitterBox.worldMin.z, emitterBox.worldMax.z);
        return position + origin;
    }
    case PointList: {
        const auto count = static_cast<uint32_t>(emitterPoints.size());
        if (count == 0)
            return Vector3{};
        if (!interpolatePoints)
            return emitterPoints[RandomInt(count - 1, 0)];
        if (count < 2)
            return emitterPoints[0];
        const uint32_t i = RandomInt(count - 2, 0);
        return emitterPoints[i] + (emitterPoints[i + 1] - emitterPoints[i]) * RandomFloat();
    }
    default:
        return position;
    }
}

void ParticleSystem::Emit(float life, float spread)
{
    const uint32_t index = freeParticles.back();
    freeParticles.pop_back();
    Particle& p = particles[index];
    p.free = 0;
    const Vector3 origin = EmissionOrigin();
    p.spriteIndex = spriteGroup->AddSprite(origin, descriptor.size[0], descriptor.colour[0]);
    p.lifetime = RandomSpread(life, spread);
    p.age = 0.0f;
    p.currentDirection = Vector3{};
    for (int j = 0; j < ParticleSystemDescriptor::keyCount; ++j) {
        const Vector3& base = descriptor.direction[j];
        const Vector3& range = descriptor.directionSpread[j];
        Vector3& key = p.directionKeys[j];
        if (j == 0 || Vector3Length(base) >= kMinimumKeyLength || Vector3Length(range) >= kMinimumKeyLength) {
            key.x = RandomSpread(base.x, range.x);
            key.y = RandomSpread(base.y, range.y);
            key.z = RandomSpread(base.z, range.z);
        } else {
            key = p.directionKeys[j - 1];
        }
        ScaleToLength(key, 1.0f);
    }
    for (int j = 0; j < ParticleSystemDescriptor::keyCount; ++j)
        p.speedKeys[j] = RandomSpread(descriptor.speed[j], descriptor.speedSpread[j]);
    p.fallSpeed = 0.0f;
    p.speedFactor = 1.0f;
}

void ParticleSystem::UpdateParticle(uint32_t index, float dt)
{
    Particle& p = particles[index];
    Sprite& sprite = spriteGroup->sprites[p.spriteIndex];
    p.age += dt;
    // A NaN lifetime dies too, rather than holding its record for ever.
    if (!(p.age < p.lifetime)) {
        spriteGroup->FreeSprite(p.spriteIndex);
        p.free = 1;
        freeParticles.push_back(index);
        return;
    }

    const KeyPhase phase(p.age / p.lifetime * 5.0f);
    const float speed = phase.Of(p.speedKeys) * p.speedFactor;
    p.currentDirection = phase.Of(p.directionKeys);
    ScaleToLength(p.currentDirection, 1.0f);

    Vector3 delta = p.currentDirection * (speed * kSpeedUnit * dt);
    if (descriptor.gravityEnabled) {
        p.fallSpeed += descriptor.gravity * dt;
        delta.z -= p.fallSpeed * kSpeedUnit * dt;
    }
    sprite.position = sprite.position + delta;

    if (descriptor.floorEnabled && sprite.position.z < descriptor.floorZ) {
        sprite.position.z = descriptor.floorZ + kFloorLift;
        p.fallSpeed = 0.0f;
        p.speedFactor *= descriptor.bounce;
        if (p.speedFactor < descriptor.minimumSpeedFactor) {
            p.speedFactor = 0.0f;
            if (descriptor.killWhenSlow)
                p.age = p.lifetime + kKillMargin;
        }
        Vector3 reflected{delta.x, delta.y, std::fabs(delta.z)};
        ScaleToLength(reflected, 1.0f);
        p.currentDirection = reflected;
        p.directionKeys.fill(reflected);
    }

    sprite.colour = phase.Of(descriptor.colour);
    sprite.size = phase.Of(descriptor.size);
    ++liveCount;
}

} // namespace VantoranEngine

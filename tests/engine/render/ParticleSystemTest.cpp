#include "engine/render/ParticleSystem.h"

#include "ServicesFixture.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ParticleSystemFile.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "tools/formats/ParticleWriter.h"

#include <cmath>
#include <limits>

using namespace VantoranEngine;

namespace {

// Particles that fly along +x at 100 units per second (12.5 per frame of 1/8 s) and neither fall nor
// bounce: positions after N frames follow from the file alone.
Formats::ParticleSystemFile Straight()
{
    Formats::ParticleSystemFile f;
    f.gravityEnabled = 0;
    f.floorEnabled = 0;
    for (int i = 0; i < 6; ++i) {
        f.direction[i] = {1, 0, 0};
        f.directionSpread[i] = {0, 0, 0};
        f.lifetime[i] = 1000;
    }
    return f;
}

class ParticleSystemTest : public ServicesFixture {
protected:
    ParticleSystemTest()
    {
        RandomSeed = 1234;
        timers.frameTime = 0.125f;
    }

    ParticleSystem* Load(const Formats::ParticleSystemFile& file, uint32_t version = 204)
    {
        Write("data/particles/fx.psf", Formats::EncodeParticleSystem(file, version));
        prototypes.emplace_back(particles.LoadParticleSystem("particles\\fx.psf", nullptr));
        return prototypes.back().get();
    }

    // A working copy of the file's system, started where the game starts its effects.
    ParticleSystem* Start(const Formats::ParticleSystemFile& file, bool looping = false)
    {
        ParticleSystem* system = particles.CloneParticleSystem(*Load(file));
        system->looping = looping ? 1 : 0;
        system->emitting = 1;
        return system;
    }

    // Sprites in use, x of each in index order.
    std::vector<float> LiveX(const ParticleSystem& system) const
    {
        std::vector<float> xs;
        for (const Particle& p : system.GetParticles())
            if (!p.free)
                xs.push_back(system.spriteGroup->sprites[p.spriteIndex].position.x);
        return xs;
    }

    TimerManager timers;
    SpriteGroupManager sprites{&log, &memory, nullptr, nullptr, nullptr};
    ParticleSystemManager particles{&log, &memory, &files, &timers, nullptr, &sprites};
    std::vector<std::unique_ptr<ParticleSystem>> prototypes;
};

TEST_F(ParticleSystemTest, EmitsMovesAndDiesAsItsFileSays)
{
    Formats::ParticleSystemFile f = Straight();
    f.particleCount = 5;
    f.interpolateEmission = 0;
    f.emissionRate = {2, 2, 2, 2, 2, 2};
    f.lifetime = {0.3f, 0.3f, 0.3f, 0.3f, 0.3f, 0.3f};
    ParticleSystem* system = Start(f);
    ASSERT_EQ(system->GetParticleCount(), 5u);

    // Period 1 in frames of 1/8 s: keys 0, 1, 1, 2, 3, 3, 4, then the period ends (no emission); two
    // particles on entering each key, each living three updates (ages 0.125, 0.25, then dead at 0.375).
    const struct {
        uint32_t live;
        std::vector<float> xs;
        uint8_t emitting;
    } frames[] = {
        {2, {12.5f, 12.5f}, 1},
        {4, {25, 25, 12.5f, 12.5f}, 1},
        {2, {25, 25}, 1},
        {2, {12.5f, 12.5f}, 1},
        {4, {25, 25, 12.5f, 12.5f}, 1},
        {2, {25, 25}, 1},
        {2, {12.5f, 12.5f}, 1},
        {2, {25, 25}, 0},
        {0, {}, 0},
    };
    int n = 0;
    for (const auto& frame : frames) {
        SCOPED_TRACE(++n);
        particles.Update();
        EXPECT_EQ(system->liveCount, frame.live);
        std::vector<float> xs = LiveX(*system);
        std::sort(xs.begin(), xs.end(), std::greater<>());
        EXPECT_EQ(xs, frame.xs);
        EXPECT_EQ(system->emitting, frame.emitting);
    }
    EXPECT_EQ(system->lastKey, -1);
    EXPECT_EQ(system->emissionTime, 0.0f);
    EXPECT_EQ(system->GetPeakLiveCount(), 4u);
    EXPECT_EQ(system->spriteGroup->freeSprites.size(), 5u);
}

TEST_F(ParticleSystemTest, EmissionRates)
{
    // Stepped counts are added on entering a key: keys 0 to 4 each period, 15 particles, then key 0 of
    // the next period.
    Formats::ParticleSystemFile stepped = Straight();
    stepped.interpolateEmission = 0;
    stepped.emissionRate = {3, 3, 3, 3, 3, 3};
    ParticleSystem* looping = Start(stepped, true);
    const uint32_t steppedLive[] = {3, 6, 6, 9, 12, 12, 15, 18};
    for (uint32_t expected : steppedLive) {
        particles.Update();
        EXPECT_EQ(looping->liveCount, expected);
    }
    EXPECT_TRUE(particles.DeleteParticleSystem(looping));

    // 10 per second in frames of 0.05 s: one particle every other frame.
    timers.frameTime = 0.05f;
    ParticleSystem* rate = Start(Straight(), true);
    const uint32_t rateLive[] = {0, 1, 1, 2, 2, 3};
    for (uint32_t expected : rateLive) {
        particles.Update();
        EXPECT_EQ(rate->liveCount, expected);
    }

    // More particles than free records: the missing ones are dropped, not owed later.
    timers.frameTime = 0.125f;
    Formats::ParticleSystemFile few = stepped;
    few.particleCount = 4;
    ParticleSystem* full = Start(few, true);
    particles.Update();
    particles.Update();
    EXPECT_EQ(full->liveCount, 4u);
    EXPECT_EQ(full->emissionAccumulator, 0.0f);
}

TEST_F(ParticleSystemTest, GravityAndTheFloor)
{
    timers.frameTime = 0.1f;
    Formats::ParticleSystemFile f = Straight();
    f.speed = {};
    f.gravityEnabled = 1;
    ParticleSystem* falling = Start(f);
    particles.Update();
    const uint32_t first = falling->GetParticles()[0].spriteIndex;
    EXPECT_NEAR(falling->spriteGroup->sprites[first].position.z, -1.0f, 1e-5);
    particles.Update();
    EXPECT_NEAR(falling->spriteGroup->sprites[first].position.z, -3.0f, 1e-5);
    EXPECT_TRUE(particles.DeleteParticleSystem(falling));

    // Dropped onto the floor: each contact keeps 0.9 of the speed; the ninth (0.9^9 < 0.4) stops the
    // particle, which dies at the next update.
    Formats::ParticleSystemFile b = Straight();
    b.particleCount = 1;
    b.interpolateEmission = 0;
    b.emissionRate = {1, 0, 0, 0, 0, 0};
    for (int i = 0; i < 6; ++i)
        b.direction[i] = {0, 0, -1};
    b.floorEnabled = 1;
    b.floorZ = -1;
    b.gravityEnabled = 1;
    ParticleSystem* bouncing = Start(b);
    std::vector<float> factors;
    for (int frame = 0; frame < 10000 && (factors.empty() || factors.back() != 0.0f); ++frame) {
        particles.Update();
        const Particle& p = bouncing->GetParticles()[0];
        ASSERT_FALSE(p.free);
        const Sprite& sprite = bouncing->spriteGroup->sprites[p.spriteIndex];
        EXPECT_GE(sprite.position.z, -1.0f);
        if (factors.empty() || factors.back() != p.speedFactor) {
            factors.push_back(p.speedFactor);
            EXPECT_EQ(sprite.position.z, -1.0f + 0.001f);
            EXPECT_GT(p.directionKeys[3].z, 0.0f);
        }
    }
    ASSERT_EQ(factors.size(), 9u);
    EXPECT_NEAR(factors[7], std::pow(0.9f, 8.0f), 1e-5);
    EXPECT_EQ(factors[8], 0.0f);
    EXPECT_EQ(bouncing->liveCount, 1u); // the stopping update still counts it
    particles.Update();
    EXPECT_EQ(bouncing->liveCount, 0u);
    EXPECT_TRUE(bouncing->GetParticles()[0].free);
}

TEST_F(ParticleSystemTest, RandomDrawsComeInTheirOrder)
{
    // A box emitter; direction keys 1 to 5 short enough to repeat key 0 without drawing.
    Formats::ParticleSystemFile f = Straight();
    f.emitterShape = 1;
    f.boxMin = {-1, -2, -3};
    f.boxMax = {1, 2, 3};
    f.interpolateEmission = 0;
    f.emissionRate = {1, 0, 0, 0, 0, 0};
    f.lifetime = {2, 2, 2, 2, 2, 2};
    f.lifetimeSpread = {0.5f, 0, 0, 0, 0, 0};
    f.direction[0] = {0, 1, 0};
    f.directionSpread[0] = {0.5f, 0.5f, 0.5f};
    for (int i = 1; i < 6; ++i) {
        f.direction[i] = {0.02f, 0, 0};
        f.directionSpread[i] = {0, 0.03f, 0};
    }
    f.speed = {1, 2, 3, 4, 5, 6};
    f.speedSpread = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    f.gravityEnabled = 0;
    ParticleSystem* system = Start(f);
    system->position = {10, 20, 30};
    timers.frameTime = 0.0f; // nothing moves: the particle shows what it was given

    RandomSeed = 99;
    Vector3 origin{RandomRange(-1, 1), 0, 0};
    origin.y = RandomRange(-2, 2);
    origin.z = RandomRange(-3, 3);
    const float lifetime = RandomSpread(2, 0.5f);
    Vector3 direction{RandomSpread(0, 0.5f), 0, 0};
    direction.y = RandomSpread(1, 0.5f);
    direction.z = RandomSpread(0, 0.5f);
    ScaleToLength(direction, 1);
    float speeds[6];
    for (int j = 0; j < 6; ++j)
        speeds[j] = RandomSpread(static_cast<float>(j + 1), 0.5f);
    const uint32_t seedAfter = RandomSeed;

    RandomSeed = 99;
    particles.Update();
    EXPECT_EQ(RandomSeed, seedAfter);
    const Particle& p = system->GetParticles()[0];
    ASSERT_FALSE(p.free);
    const Sprite& sprite = system->spriteGroup->sprites[p.spriteIndex];
    EXPECT_FALSE(VectorsDiffer(sprite.position, Vector3{10, 20, 30} + origin));
    EXPECT_EQ(p.lifetime, lifetime);
    for (int j = 0; j < 6; ++j) {
        EXPECT_FLOAT_EQ(p.directionKeys[j].x, direction.x) << j;
        EXPECT_FLOAT_EQ(p.directionKeys[j].y, direction.y) << j;
        EXPECT_EQ(p.speedKeys[j], speeds[j]) << j;
    }
    EXPECT_EQ(p.speedFactor, 1.0f);
    EXPECT_EQ(p.fallSpeed, 0.0f);
}

TEST_F(ParticleSystemTest, EmitterShapes)
{
    Formats::ParticleSystemFile f = Straight();
    f.speed = {};
    f.interpolateEmission = 0;
    f.emissionRate = {1, 0, 0, 0, 0, 0};
    const struct {
        uint32_t shape;
        std::vector<Vector3> points;
        uint8_t interpolate;
        Vector3 expected;
    } cases[] = {
        {2, {}, 0, {0, 0, 0}},
        {7, {}, 0, {5, 6, 7}},
        {0, {{1, 1, 1}}, 0, {5, 6, 7}},
        {2, {{1, 2, 3}}, 0, {1, 2, 3}},
        {2, {{1, 2, 3}}, 1, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        f.emitterShape = c.shape;
        ParticleSystem* system = Start(f);
        system->position = {5, 6, 7};
        system->emitterPoints = c.points;
        system->interpolatePoints = c.interpolate;
        particles.Update();
        const Particle& p = system->GetParticles()[0];
        ASSERT_FALSE(p.free);
        EXPECT_FALSE(VectorsDiffer(system->spriteGroup->sprites[p.spriteIndex].position, c.expected));
    }

    // Between neighbouring points of a list: on the segment from point i to point i + 1.
    f.emitterShape = 2;
    ParticleSystem* system = Start(f);
    system->emitterPoints = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    system->interpolatePoints = 1;
    particles.Update();
    const Vector3 at = system->spriteGroup->sprites[system->GetParticles()[0].spriteIndex].position;
    EXPECT_TRUE((at.y == 0 && at.x >= 0 && at.x <= 10) || (at.x == 10 && at.y >= 0 && at.y <= 10));
}

TEST_F(ParticleSystemTest, BadFilesGiveTheDefaultSystem)
{
    const auto with = [](auto change) {
        Formats::ParticleSystemFile f;
        change(f);
        return Formats::EncodeParticleSystem(f);
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* error;
    } cases[] = {
        {"version 205", Formats::EncodeParticleSystem({}, 205), "format version, current is 204"},
        {"overflowing count", with([](auto& f) { f.particleCount = 0x2AAAAAAB; }), "file format"},
        {"32-bit indices", with([](auto& f) { f.particleCount = 10923; }), "file format"},
        {"zero period", with([](auto& f) { f.period = 0; }), "file format"},
        {"NaN period", with([](auto& f) { f.period = std::numeric_limits<float>::quiet_NaN(); }), "file format"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        log.ClearEntries();
        Write("data/particles/bad.psf", c.bytes);
        std::unique_ptr<ParticleSystem> system(particles.LoadParticleSystem("particles\\bad.psf", nullptr));
        EXPECT_TRUE(Logged(std::string("Error: Incorrect \"particles\\bad.psf\" ") + c.error)) << Entries();
        EXPECT_EQ(system->GetParticleCount(), 100u);
        EXPECT_EQ(system->descriptor.period, 1.0f);
        EXPECT_EQ(system->descriptor.emissionRate[3], 10.0f);
        EXPECT_FALSE(VectorsDiffer(system->emitterBox.worldMax, Vector3{0.5f, 0.5f, 0.5f}));
    }
    log.ClearEntries();
    std::unique_ptr<ParticleSystem> missing(particles.LoadParticleSystem("particles\\none.psf", nullptr));
    EXPECT_EQ(missing->GetParticleCount(), 100u);
    EXPECT_FALSE(log.GetEntries().empty());

    // A running default system loops through its period without end.
    ParticleSystem* running = particles.CloneParticleSystem(*missing);
    running->looping = 1;
    running->emitting = 1;
    timers.frameTime = 0.1f;
    for (int i = 0; i < 25; ++i)
        particles.Update();
    EXPECT_EQ(running->emitting, 1);
    EXPECT_LT(running->emissionTime, 1.0f);
    EXPECT_GT(running->liveCount, 0u);
}

TEST_F(ParticleSystemTest, Version203LoadsWithoutSpeedSpread)
{
    Formats::ParticleSystemFile f = Straight();
    f.speedSpread = {1, 1, 1, 1, 1, 1};
    f.particleCount = 7;
    f.emitterShape = 1;
    ParticleSystem* system = Load(f, 203);
    EXPECT_EQ(system->GetParticleCount(), 7u);
    EXPECT_EQ(system->emitterShape, 1u);
    for (float spread : system->descriptor.speedSpread)
        EXPECT_EQ(spread, 0.0f);
}

TEST_F(ParticleSystemTest, PrototypesAndClones)
{
    Formats::ParticleSystemFile f = Straight();
    f.particleCount = 6;
    ParticleSystem* prototype = Load(f);
    EXPECT_FALSE(particles.DeleteParticleSystem(prototype));
    EXPECT_FALSE(particles.DeleteParticleSystem(nullptr));
    EXPECT_EQ(particles.systems.count, 0);

    // The prototype is never updated by the manager.
    prototype->emitting = 1;
    particles.Update();
    EXPECT_EQ(prototype->liveCount, 0u);
    EXPECT_EQ(prototype->emissionTime, 0.0f);

    // A clone of a running system starts idle and empty, and can use every one of its particles.
    ParticleSystem* running = particles.CloneParticleSystem(*prototype);
    running->looping = 1;
    running->emitting = 1;
    running->position = {1, 2, 3};
    for (int i = 0; i < 3; ++i)
        particles.Update();
    ASSERT_GT(running->liveCount, 0u);
    ParticleSystem* copy = particles.CloneParticleSystem(*running);
    EXPECT_EQ(copy->emitting, 0);
    EXPECT_EQ(copy->looping, 0);
    EXPECT_EQ(copy->liveCount, 0u);
    EXPECT_EQ(copy->lastKey, -1);
    EXPECT_EQ(copy->emissionTime, 0.0f);
    EXPECT_FALSE(VectorsDiffer(copy->position, Vector3{}));
    EXPECT_EQ(copy->GetParticleCount(), 6u);
    EXPECT_EQ(copy->spriteGroup->freeSprites.size(), 6u);

    copy->descriptor.emissionRate = {1000, 1000, 1000, 1000, 1000, 1000};
    copy->emitting = 1;
    copy->looping = 1;
    particles.Update();
    EXPECT_EQ(copy->liveCount, 6u);
    std::vector<uint32_t> used;
    for (const Particle& p : copy->GetParticles())
        used.push_back(p.spriteIndex);
    std::sort(used.begin(), used.end());
    EXPECT_EQ(used, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));

    // Sprite groups go with their systems.
    EXPECT_EQ(sprites.groups.count, 3);
    EXPECT_TRUE(particles.DeleteParticleSystem(running));
    EXPECT_EQ(sprites.groups.count, 2);
}

TEST_F(ParticleSystemTest, HiddenSystemsFreeze)
{
    ParticleSystem* system = Start(Straight(), true);
    particles.Update();
    particles.Update();
    const std::vector<float> before = LiveX(*system);
    ASSERT_FALSE(before.empty());
    system->spriteGroup->SetShown(false);
    const float time = system->emissionTime;
    particles.Update();
    EXPECT_EQ(system->emissionTime, time);
    EXPECT_EQ(LiveX(*system), before);
}

} // namespace

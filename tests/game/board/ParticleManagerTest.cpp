#include "game/board/ParticleManager.h"

#include "engine/core/TimerManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/ServicesFixture.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "tools/formats/ParticleWriter.h"

#include <gtest/gtest.h>

using Petalwork::BoardEffect;
using Petalwork::ParticleManager;
using VantoranEngine::ParticleSystem;

namespace {

// One-shot effects of every kind: emit for `period`, each particle lives 0.2 s.
class ParticleManagerTest : public ServicesFixture {
protected:
    ParticleManagerTest()
    {
        VantoranEngine::RandomSeed = 1;
        timers.frameTime = 0.1f;
        Formats::ParticleSystemFile f;
        f.period = 0.3f;
        for (int i = 0; i < 6; ++i)
            f.lifetime[i] = 0.2f;
        Write("data/particle systems/fx.psf", Formats::EncodeParticleSystem(f, 204));
        for (int kind = 0; kind < 7; ++kind) {
            owned.emplace_back(systems.LoadParticleSystem("particle systems\\fx.psf", nullptr));
            prototypes.push_back(owned.back().get());
        }
    }

    // One frame as the level runs it: the engine's particle update, then the pool's.
    void Frame(ParticleManager& pool)
    {
        systems.Update();
        pool.Update(timers.frameTime);
    }

    void RunUntilFree(ParticleManager& pool)
    {
        for (int i = 0; i < 100; ++i) {
            bool anyUsed = false;
            for (const auto& e : pool.GetEntries())
                anyUsed = anyUsed || !e->free;
            if (!anyUsed)
                return;
            Frame(pool);
        }
        FAIL() << "effects never ended";
    }

    VantoranEngine::TimerManager timers;
    VantoranEngine::SpriteGroupManager sprites{&log, &memory, nullptr, nullptr, nullptr};
    VantoranEngine::ParticleSystemManager systems{&log, &memory, &files, &timers, nullptr, &sprites};
    std::vector<std::unique_ptr<ParticleSystem>> owned;
    std::vector<ParticleSystem*> prototypes;
};

} // namespace

TEST_F(ParticleManagerTest, LiveEffectsTakeNewEntriesFinishedOnesAreReused)
{
    ParticleManager pool(systems, prototypes, 800.0f);
    ParticleManager::Entry* first = pool.SpawnAt({100, 100}, BoardEffect::Bomb);
    Frame(pool);
    ParticleManager::Entry* second = pool.SpawnAt({200, 100}, BoardEffect::Bomb);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->system, second->system);
    EXPECT_FLOAT_EQ(second->system->position.x, 200.0f);
    EXPECT_TRUE(first->system->spriteGroup->IsShown());

    RunUntilFree(pool);
    EXPECT_TRUE(first->free);
    EXPECT_FALSE(first->system->spriteGroup->IsShown());
    EXPECT_EQ(first->system->emissionTime, 0.0f);

    // Another kind does not take a free bomb.
    ParticleManager::Entry* score = pool.Spawn(BoardEffect::Score);
    EXPECT_NE(score, first);
    ParticleManager::Entry* third = pool.Spawn(BoardEffect::Bomb);
    EXPECT_EQ(third, first);
    EXPECT_FALSE(third->free);
    EXPECT_TRUE(third->system->emitting);
    EXPECT_TRUE(third->system->spriteGroup->IsShown());
    EXPECT_EQ(pool.GetEntries().size(), 3u);
}

TEST_F(ParticleManagerTest, TravellingEffectMovesAndLandsOnItsTarget)
{
    ParticleManager pool(systems, prototypes, 100.0f); // 10 units per frame of 0.1 s
    ParticleManager::Entry* line = pool.SpawnAt({0, 0}, BoardEffect::Line);
    line->target = {0, 25};
    pool.Update(0.1f);
    EXPECT_FLOAT_EQ(line->system->position.y, 10.0f);
    EXPECT_TRUE(line->system->emitting);
    pool.Update(0.1f);
    EXPECT_FLOAT_EQ(line->system->position.y, 20.0f);
    pool.Update(0.1f); // 5 left, closer than one step: lands and stops in this frame
    EXPECT_FLOAT_EQ(line->system->position.y, 25.0f);
    EXPECT_FALSE(line->system->emitting);
}

TEST_F(ParticleManagerTest, TravellingEffectAimedAtItsStartStopsAtOnce)
{
    ParticleManager pool(systems, prototypes, 800.0f);
    ParticleManager::Entry* line = pool.SpawnAt({300, 200}, BoardEffect::Line);
    line->target = {300, 200};
    pool.Update(0.1f);
    EXPECT_FALSE(line->system->emitting);
    EXPECT_FLOAT_EQ(line->system->position.x, 300.0f);
    // Nothing was emitted yet, so it is free in the same update.
    EXPECT_TRUE(line->free);
}

TEST_F(ParticleManagerTest, KindWithoutPrototypeSpawnsNothing)
{
    std::vector<ParticleSystem*> few(prototypes.begin(), prototypes.begin() + 2);
    ParticleManager pool(systems, few, 800.0f);
    EXPECT_EQ(pool.Spawn(BoardEffect::Discard), nullptr);
    EXPECT_TRUE(pool.GetEntries().empty());
}

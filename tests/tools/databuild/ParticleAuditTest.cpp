// The particle systems the game loads: each reads cleanly through the engine, stays flat (no gravity,
// no floor, nothing along z), and runs as a one-shot that emits, stops at the end of its period and
// empties, even at 30 frames a second.
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemFile.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroupManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace VantoranEngine;

namespace {

// Every system the game names (the misspelt "partilce" is the name it asks for).
const char* const systemNames[] = {
    "score", "bonus", "bomb", "line_center", "line", "discard_center", "discard", "life_getting", "life_losing",
    "progress", "basket", "scoring_simple", "scoring_bomb", "scoring_horn", "horn", "powerup", "ice", "after_bonus",
    "after_bonus_fall", "powerup_appear_particle", "little_basket_partilce", "stage_screen_flower_particle",
    "big_basket_particle", "scissors_appear_0", "scissors_appear_1", "scissors_appear_2", "scissors_use_0",
    "scissors_use_1", "scissors_use_2", "order_particle",
};

TEST(ParticleAudit, EverySystemLoadsFlatAndRunsOnce)
{
    MessageManager log{"", "", "Test", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, BRINDLE_GAME_FOLDER, ""};
    TimerManager timers;
    timers.frameTime = 1.0f / 30;
    SpriteGroupManager sprites{&log, &memory, nullptr, nullptr, nullptr};
    ParticleSystemManager particles{&log, &memory, &files, &timers, nullptr, &sprites};

    for (const char* name : systemNames) {
        SCOPED_TRACE(name);
        const std::unique_ptr<ParticleSystem> prototype(
            particles.LoadParticleSystem(std::string("particle systems\\") + name + ".psf", nullptr));
        const ParticleSystemDescriptor& d = prototype->descriptor;
        EXPECT_LE(prototype->GetParticleCount(), ParticleSystemFile::maxParticleCount);
        EXPECT_GT(d.period, 0.0f);
        EXPECT_EQ(d.gravityEnabled, 0);
        EXPECT_EQ(d.floorEnabled, 0);
        for (int k = 0; k < ParticleSystemDescriptor::keyCount; ++k) {
            EXPECT_EQ(d.direction[k].z, 0.0f);
            EXPECT_EQ(d.directionSpread[k].z, 0.0f);
        }
        EXPECT_EQ(prototype->emitterBox.worldMin.z, prototype->emitterBox.worldMax.z);

        // Started as the game starts it: emitting, not looping.
        ParticleSystem* system = particles.CloneParticleSystem(*prototype);
        system->emitting = 1;
        float time = 0;
        while (system->emitting && time < d.period + 1) {
            particles.Update();
            time += timers.frameTime;
        }
        EXPECT_EQ(system->emitting, 0);
        EXPECT_LE(time, d.period + 2 * timers.frameTime) << "a one-shot stops at the end of its period";
        EXPECT_GT(system->GetPeakLiveCount(), 0u);
        for (int frame = 0; frame < 300 && system->liveCount > 0; ++frame)
            particles.Update();
        EXPECT_EQ(system->liveCount, 0u) << "the last particle dies";
        particles.DeleteParticleSystem(system);
    }
    for (const auto& entry : log.GetEntries())
        EXPECT_TRUE(entry.kind != LogEntry::Error && entry.kind != LogEntry::Warning) << entry.text;
}

} // namespace

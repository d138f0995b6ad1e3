#include "game/board/ParticleManager.h"

#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/Vector2.h"

#include <cmath>

namespace Petalwork {

using VantoranEngine::ParticleSystem;

namespace {

void SetShown(ParticleSystem& system, bool shown)
{
    if (system.spriteGroup)
        system.spriteGroup->SetShown(shown);
}

} // namespace

ParticleManager::ParticleManager(VantoranEngine::ParticleSystemManager& systems,
                                 const std::vector<ParticleSystem*>& prototypes, float lineSpeed)
    : systems(systems), prototypes(prototypes), lineSpeed(lineSpeed)
{
}

ParticleManager::~ParticleManager()
{
    for (auto& entry : entries)
        systems.DeleteParticleSystem(entry->system);
}

ParticleManager::Entry* ParticleManager::Spawn(BoardEffect kind)
{
    for (auto& entry : entries) {
        if (entry->free && entry->kind == kind) {
            entry->free = false;
            SetShown(*entry->system, true);
            entry->system->emitting = 1;
            return entry.get();
        }
    }
    const auto index = static_cast<size_t>(kind);
    if (index >= prototypes.size() || !prototypes[index])
        return nullptr;
    auto entry = std::make_unique<Entry>();
    entry->kind = kind;
    entry->system = systems.CloneParticleSystem(*prototypes[index]);
    SetShown(*entry->system, true);
    entry->system->emitting = 1;
    entries.push_back(std::move(entry));
    return entries.back().get();
}

ParticleManager::Entry* ParticleManager::SpawnAt(BoardPoint position, BoardEffect kind)
{
    Entry* entry = Spawn(kind);
    if (entry)
        entry->system->position = {position.x, position.y, 0.0f};
    return entry;
}

void ParticleManager::Update(float dt)
{
    const float step = lineSpeed * dt;
    for (auto& entry : entries) {
        if (entry->free || entry->kind != BoardEffect::Line)
            continue;
        ParticleSystem& system = *entry->system;
        VantoranEngine::Vector2 towards{entry->target.x - system.position.x, entry->target.y - system.position.y};
        const float distance = std::hypot(towards.x, towards.y);
        if (distance <= step) {
            system.position = {entry->target.x, entry->target.y, 0.0f};
            system.emitting = 0;
            system.emissionTime = 0.0f;
        } else {
            VantoranEngine::ScaleToLength(towards, 1.0f);
            system.position = {system.position.x + towards.x * step, system.position.y + towards.y * step, 0.0f};
        }
    }
    for (auto& entry : entries) {
        ParticleSystem& system = *entry->system;
        if (entry->free || system.emitting || system.liveCount != 0)
            continue;
        // A full reset of the emission clock, so the next spawn plays the whole period again.
        system.emissionTime = 0.0f;
        system.emissionAccumulator = 0.0f;
        system.lastKey = -1;
        entry->free = true;
        SetShown(system, false);
    }
}

} // namespace Petalwork

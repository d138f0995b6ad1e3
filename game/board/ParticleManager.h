#pragma once
// ParticleManager: the short particle effects of chip collection and bonus explosions on the board. A
// pool of particle systems, one per effect played so far: a finished effect of a kind is reused before
// a new one is cloned, travelling effects move towards their targets, and an effect is freed once it
// has stopped emitting and its last particle has died. The pool never shrinks before the level ends.
//
// Rules:
// - Kinds index the prototype list of the level's resources, in order: score, bonus, bomb, line_center,
//   line, discard_center, discard. Prototypes are one-shot (they end by themselves).
// - Only kind 4 ("line") travels: towards its target at `lineSpeed` units per second; it stops emitting
//   when it lands.
// - Runs on the main thread; the engine's particle update moves the particles themselves.

#include "game/board/model/BoardTypes.h"

#include <memory>
#include <vector>

namespace VantoranEngine {
class ParticleSystem;
class ParticleSystemManager;
}

namespace Petalwork {

class ParticleManager {
public:
    struct Entry {
        BoardEffect kind = BoardEffect::Score;
        bool free = false;
        BoardPoint target; // kind Line only
        VantoranEngine::ParticleSystem* system = nullptr; // owned: deleted through the manager
    };

    // `prototypes` outlive the manager; `lineSpeed` is the game settings' line effect speed.
    ParticleManager(VantoranEngine::ParticleSystemManager& systems,
                    const std::vector<VantoranEngine::ParticleSystem*>& prototypes, float lineSpeed);
    virtual ~ParticleManager();

    ParticleManager(const ParticleManager&) = delete;
    ParticleManager& operator=(const ParticleManager&) = delete;

    // The effect, shown and emitting; the caller places it. Null for a kind without a prototype.
    Entry* Spawn(BoardEffect kind);
    // Spawn, placed at (x, y, 0).
    Entry* SpawnAt(BoardPoint position, BoardEffect kind);
    void Update(float dt);

    const std::vector<std::unique_ptr<Entry>>& GetEntries() const { return entries; }

private:
    VantoranEngine::ParticleSystemManager& systems;
    std::vector<VantoranEngine::ParticleSystem*> prototypes;
    float lineSpeed;
    std::vector<std::unique_ptr<Entry>> entries;
};

} // namespace Petalwork

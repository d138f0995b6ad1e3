#pragma once
// LevelBonus: one bonus item of the tally of a won level: its kind, its model with glow and trail, its
// caption and the flight that takes it off the screen at the end.

#include "game/board/Path.h"
#include "game/board/PathControl.h"

#include <memory>
#include <string>

namespace VantoranEngine {
class Model;
class ParticleSystem;
} // namespace VantoranEngine

namespace Petalwork {

enum class LevelBonusKind : int {
    Wings = 0,
    Dollar = 1,
    Bomb = 2,
    Flowers = 3,
    Baskets = 4,
    Powerups = 5,
};
constexpr int levelBonusKindCount = 6;

class LevelBonus {
public:
    // The caption's text key of a kind: "LEVEL_BONUS_WINGS" ... "LEVEL_BONUS_POWERUPS".
    static const char* CaptionKey(LevelBonusKind kind);

    LevelBonusKind kind = LevelBonusKind::Wings;
    VantoranEngine::Model* model = nullptr;        // owned by the tally, hidden until shown
    VantoranEngine::ParticleSystem* glow = nullptr;  // 0.001 in front of the model
    VantoranEngine::ParticleSystem* trail = nullptr; // 0.01 in front of the model, shown in flight
    float x = 0.0f;
    float y = 0.0f;
    std::u16string caption;
    float spin = 0.0f;      // radians
    float spinSpeed = 0.0f; // radians per second
    float captionTime = 0.0f; // seconds; also the caption's opacity
    float captionAge = 0.0f;
    bool shown = false;
    std::unique_ptr<Path> path;
    PathControl control;
};

} // namespace Petalwork

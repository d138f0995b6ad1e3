#pragma once
// GameLogicBackground: the stage's scene behind the board: one clone of each background model of the
// level's bundle and a few butterflies at random places, all looping their animations from random
// times. The game object keeps it while consecutive levels belong to one stage; the running level shows
// it when built and hides it when destroyed.
//
// Rules:
// - Scene model i lies at depth -0.000055 - 0.000001 i; butterfly j at the depth of the last scene
//   model (or -0.000055 without any) - 0.000001 j, so every butterfly is drawn over the scene.
// - Random draws (shared generator), in order: per scene model its start time; the butterfly count
//   (minimum + r mod (maximum - minimum + 1)); per butterfly its prototype, start time, x and y.
// - Everything starts hidden; SetVisible with the current flag does nothing, so the animations keep
//   their phases.
// - The destructor removes and deletes every clone it made.

#include "framework/LevelInfo.h"

#include <vector>

namespace VantoranEngine {
class Camera;
class Model;
class ModelManager;
} // namespace VantoranEngine

namespace Petalwork {

class GameLogicData;

class GameLogicBackground {
public:
    static constexpr float firstDepth = -0.000055f;
    static constexpr float depthStep = 0.000001f;
    static constexpr unsigned butterflyFlag = 0x4000; // drawn from both sides

    // `butterflies`: the global bundle's butterfly prototypes (may be empty: no butterflies).
    GameLogicBackground(const GameFramework::LevelInfo& level, const GameLogicData& data,
                        VantoranEngine::ModelManager& models, VantoranEngine::Camera* camera,
                        const std::vector<VantoranEngine::Model*>& butterflies);
    virtual ~GameLogicBackground();

    GameLogicBackground(const GameLogicBackground&) = delete;
    GameLogicBackground& operator=(const GameLogicBackground&) = delete;

    void SetVisible(bool flag);
    bool IsVisible() const { return visible; }

    const GameFramework::LevelInfo level;
    std::vector<VantoranEngine::Model*> sceneModels;
    std::vector<VantoranEngine::Model*> butterflyModels;

private:
    void StartLoop(VantoranEngine::Model* model);

    VantoranEngine::ModelManager& models;
    bool visible = false;
};

} // namespace Petalwork

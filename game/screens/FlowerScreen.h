#pragma once
// FlowerScreen: the level-complete and stage-complete overlays' own clone of the bundle's flower-screen
// model: animation 0 (frames 0-15) closes the screen with flowers, animation 1 (frames 15-30) opens it.
//
// Rules:
// - The clone is drawn in the GUI class at depth -1000 (over the board and panel) and starts hidden.
// - A model whose frames the engine does not play (the box that stands in for a missing file, or no
//   prototype at all) ends each animation at once, so the overlays never wait on it.
// - Main thread only.

namespace VantoranEngine {
class Engine;
class Model;
class ModelManager;
} // namespace VantoranEngine

namespace Petalwork {

class FlowerScreen {
public:
    static constexpr int appearAnimation = 0;    // frames 0-15
    static constexpr int disappearAnimation = 1; // frames 15-30
    static constexpr float depth = -1000.0f;

    FlowerScreen(VantoranEngine::Engine* engine, const VantoranEngine::Model* prototype);
    ~FlowerScreen();

    FlowerScreen(const FlowerScreen&) = delete;
    FlowerScreen& operator=(const FlowerScreen&) = delete;

    void SetDrawn(bool drawn);
    bool IsDrawn() const;
    // Plays the animation once from its first frame.
    void Play(int animation);
    int GetCurrentAnimation() const { return current; }
    bool IsPlaying() const;
    VantoranEngine::Model* GetModel() const { return model; }

private:
    VantoranEngine::ModelManager* models;
    VantoranEngine::Model* model = nullptr; // owned through the model manager's list; null without prototype
    int current = appearAnimation;
};

} // namespace Petalwork

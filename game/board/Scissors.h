#pragma once
// Scissors: the player's scissors on the in-level panel: the grey place, the glows, the three pairs with
// their fill, the progress lines, the effects and sounds of earning and using a pair, the arming click
// and the armed cursor. The counting lives in ScissorsLogic.
//
// Rules:
// - Models are clones of the bundle's panel models, authored at their panel places, drawn shifted by
//   minus the panel's slide offset along x. The scissors' position is the first pair's box centre.
// - Arming: a MOUSE1 press strictly inside the top pair's box toggles it (cursor 108, 109 or 110 for
//   1, 2 or 3 pairs, back to 1000); a MOUSE2 press disarms. Input is read only while the panel is not
//   hidden.
// - A cut: SpendPairs (the cursor returns to 1000, the pairs are spent), then the cut's chips are
//   collected, then Use with the pairs spent plays the effect. Destruction restores cursor 1000.
// - The progress line p - 1 shows the fill towards pair p + 1.

#include "game/board/CursorControl.h"
#include "game/board/model/BasketLogic.h"
#include "game/board/model/GameSettings.h"
#include "game/board/model/PanelSlide.h"
#include "game/board/model/ScissorsLogic.h"
#include "game/board/model/SoundSink.h"

#include <array>
#include <vector>

namespace VantoranEngine {
class Camera;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
}

namespace Petalwork {

struct ScissorsPrototypes {
    const VantoranEngine::Model* grey = nullptr;
    std::array<const VantoranEngine::Model*, 3> glows{};
    std::array<const VantoranEngine::Model*, 3> scissors{};
    std::array<const VantoranEngine::Model*, 2> lines{};
    std::array<const VantoranEngine::ParticleSystem*, 3> appear{};
    std::array<const VantoranEngine::ParticleSystem*, 3> use{};
    VantoranEngine::Camera* camera = nullptr;
};

struct ScissorsContext {
    VantoranEngine::ModelManager& models;
    VantoranEngine::ParticleSystemManager& particles;
    const ScissorsPrototypes& prototypes;
    const GameSettings& settings;
    SoundSink& sounds;
    GameFramework::ScoreKeeper& score;
    CursorControl& cursor;
};

// The mouse as the level read it this frame.
struct ScissorsInput {
    bool mouse1Pressed = false;
    bool mouse2Pressed = false;
    BoardPoint cursor; // virtual screen units, y up
};

class Scissors : public ScissorsLogic {
public:
    static constexpr float effectDepth = -0.002055f;
    static constexpr float effectRise = 22.2f; // the appear effect stands this far above its pair
    static constexpr float idleGlow = 0.85f;

    // `thresholds`: the stage's chips per pair.
    Scissors(const ScissorsContext& context, const std::vector<int32_t>& thresholds);
    ~Scissors() override;

    Scissors(const Scissors&) = delete;
    Scissors& operator=(const Scissors&) = delete;

    void CountChip(bool refresh) override;
    void Award(unsigned n) override;
    void Update(float dt, const ScissorsInput& input);
    // Before a cut collects its chips: the cursor back to normal and every pair spent; returns the pairs.
    unsigned SpendPairs();
    // The cut's effect and sound for the pairs it spent (nothing for 0).
    void Use(BoardPoint point, unsigned pairsSpent);
    void ResetCursor();
    void HideAll();

    PanelSlide slide; // the level writes its state: SlidingOut on pause, SlidingIn on resume
    BoardPoint position;

    VantoranEngine::Model* grey = nullptr;
    std::array<VantoranEngine::Model*, 3> glows{};
    std::array<VantoranEngine::Model*, 3> pairModels{};
    std::array<VantoranEngine::Model*, 2> lines{};
    std::array<VantoranEngine::ParticleSystem*, 3> appearEffects{};
    std::array<VantoranEngine::ParticleSystem*, 3> useEffects{};

private:
    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype);
    VantoranEngine::ParticleSystem* CloneEffect(const VantoranEngine::ParticleSystem* prototype);
    void StartEffect(VantoranEngine::ParticleSystem* effect, BoardPoint at);
    bool CursorInside(const VantoranEngine::Model* model) const;

    const ScissorsContext& context;
    BoardPoint cursor;
};

} // namespace Petalwork

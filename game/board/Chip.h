#pragma once
// Chip: one piece on the board with its movements and its own state machine, run once per frame by the
// chip manager: idle, selected, swap, swap back, fall along a move line, flight off the board, the
// repair whirl and retirement at the end of the level. The chip's look (visibility, colours, zoom,
// doubling offset, picture, which bonus and ice models exist) is kept here as plain values; ChipModels
// puts it on the engine's models, so everything here runs and is tested without a display.
//
// Rules:
// - Positions are board units (the 800 by 600 virtual screen, y up); times are seconds of frame time.
// - A movement start frees the paths of the previous movement: at most one of swap, fall and flight
//   paths exists at a time.
// - The ice and bonus models, and the appear and disappear waves, follow the main model's visibility:
//   a chip hidden above a move line's head shows nothing until it enters the board.
// - A flight to a basket holds a handle, never the basket: a basket deleted in flight lets the chip land
//   at the basket's last known place without scoring.
// - Random draws (shared generator): one when a bonus is set (its animation's start), one when a retired
//   chip turns at the top of the screen.

#include "game/board/Path.h"
#include "game/board/PathControl.h"
#include "game/board/model/ChipLogic.h"
#include "game/board/model/SoundSink.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace VantoranEngine {
class ParticleSystem;
class ParticleSystemManager;
}

namespace Petalwork {

// The game settings a chip moves by (values 1, 2, 16-19, 21, 22, 28 and 29).
struct ChipSettings {
    float fallSpeed = 0.0f;         // units per second at the start of a fall
    float fallAcceleration = 0.0f;  // units per second per second
    float fade = 0.0f;              // appear and disappear, seconds
    float whirl = 0.0f;             // each half of the whirl, seconds
    float swapSpeed = 0.0f;
    float hintSwapBackSpeed = 0.0f;
    float hoverZoomMaximum = 0.0f;
    float hoverScale = 0.0f;        // scale gained per unit of zoom
    float flightSpeed = 0.0f;
    float flightAcceleration = 0.0f;
};

// A basket a chip flies to: an id and the generation it had, so a reused slot is never mistaken for it.
struct BasketHandle {
    uint32_t id = 0;
    uint32_t generation = 0;
};

// What a flying chip asks of the basket conveyor.
class BasketTargets {
public:
    virtual ~BasketTargets() = default;
    // The basket's current place, or nothing when it no longer exists.
    virtual std::optional<BoardPoint> BasketPosition(BasketHandle basket) const = 0;
    virtual void ScoreBasket(BasketHandle basket, unsigned flowerKind) = 0;
};

// The horn powerup's model, which horn chips fly out of.
class HornShape {
public:
    virtual ~HornShape() = default;
    // Whether the horn's box overlaps the box from `minimum` to `maximum` (touching counts).
    virtual bool Overlaps(BoardPoint minimum, BoardPoint maximum) const = 0;
};

// The chip manager's counters that chips keep up to date.
struct ChipCounters {
    int frozenCount = 0;      // frozen chips on the board
    bool chipsArrived = false; // a retired chip came down into the tally
};

// The level's parts a chip works with; references outlive every chip.
struct ChipContext {
    const ChipSettings& settings;
    SoundSink& sounds;
    ChipCounters& counters;
    BasketTargets* baskets = nullptr;                          // null: no basket conveyor
    VantoranEngine::ParticleSystemManager* particles = nullptr; // deletes the trails
    std::vector<int> flowerPictures; // the stage's picture number per flower kind
    BoardPoint hitMinimum;           // the cell model's local box
    BoardPoint hitMaximum;
    const HornShape* horn = nullptr; // null: no horn on the screen
};

// The look of a chip for its models.
struct ChipLook {
    struct Colour {
        float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
    };

    bool visible = false;       // main, bonus and ice models drawn
    bool secondVisible = false; // the doubling image
    Colour main;                // main and bonus models
    Colour ice;
    Colour second;
    float scale = 1.0f;         // hover zoom of the main model (and the second while doubling)
    float doublingOffset = 0.0f; // x: the main model moves by +offset, the second by -offset
    bool startAnimation = false; // start the main (and doubling second) model's animation unless playing
    int picture = 0;            // frame of the flower atlas
    float depth = 0.0f;
    int bonusModelGeneration = 0; // changes whenever the bonus model is replaced or removed
    float bonusAnimationStart = 0.0f; // 0..1 of the bonus animation's frames
    bool hasBonusModel = false;
    int iceGeneration = 0;      // changes whenever the ice models are replaced or removed
    bool hasIce = false;
};

class Chip : public ChipLogic {
public:
    // Picture of a stone in the flower atlas.
    static constexpr int stonePicture = 6;
    static constexpr float hintDepth = -2.001f;
    static constexpr float bonusDepth = -2.002f;
    static constexpr float iceDepth = -2.003f;
    // Retired chips rise to this height, turn at a random x and come down into the tally.
    static constexpr float retireSpeed = 500.0f;
    static constexpr float retireTop = 900.0f;
    static constexpr float retireArrived = 350.0f;
    static constexpr float retireGone = 300.0f;
    static constexpr float doublingSpeed = 10.0f;
    static constexpr float doublingReach = 5.0f;
    static constexpr float hitInset = 5.0f;

    // `creationCount`: chips the chip manager made before this one (it orders board chips' depths).
    Chip(const ChipContext& context, BoardPoint position, unsigned flowerKind, unsigned creationCount, bool hint,
         bool horn);
    ~Chip() override;

    Chip(const Chip&) = delete;
    Chip& operator=(const Chip&) = delete;

    static float BoardDepth(unsigned creationCount);

    void SetPosition(BoardPoint point, float newAngle);
    void SetVisible(bool flag);
    void SetAlpha(float a);
    void SetBonus(BonusKind kind);
    void SetFrozen(bool flag);
    void RefreshPicture();
    bool HitTest(BoardPoint point) const;

    void StartAppear(float delay);
    void StartDisappear(float delay);
    void StartSwap(BoardPoint target);
    void StartUnswap(BoardPoint target);
    void StartFall(BoardPoint target, BoardPoint firstMarker, BoardPoint secondMarker, bool leaving);
    // Collection's flight: along `path` (a curve whose end follows the basket, or a line), with `trail`
    // (owned from now on, may be null) following the chip.
    void StartFlight(std::unique_ptr<Path> path, std::optional<BasketHandle> basket, float spinSpeed,
                     VantoranEngine::ParticleSystem* trail);
    void StartWhirl();
    void StartDoubling();
    void Retire(float retireDepth);

    // One frame. `playing` is false while the chip manager runs a global wave; `cursor` in board units.
    void Update(bool playing, float dt, BoardPoint cursor);

    // Whether the fall's second marker (the line's first cell) has been passed.
    bool SecondMarkerPassed() const;
    bool FlightArrived() const { return arrived; }
    bool IsExitFall() const { return exitFall; }
    bool IsDoubling() const { return doublingActive; }
    VantoranEngine::ParticleSystem* GetTrail() const { return trail; }

    ChipLook look;
    float savedDepth = 0.0f; // horn chips: the depth taken once the chip is clear of the horn
    float zoom = 0.0f;
    float whirlFadeOut = 0.0f;
    float whirlFadeIn = 0.0f;

private:
    enum class HoverMode { None, Grow, Shrink };

    void FreePaths();
    void SetWaveColour(const ChipLook::Colour& colour);
    void StepWave(float dt);
    void StepHover(float dt, BoardPoint cursor);
    void StepDoubling(float dt);
    void StepSwap(float dt);
    void StepSwapBack(float dt);
    void StepFall(float dt);
    void StepFlight(float dt);
    void StepWhirl(float dt);
    void StepRetire(float dt);
    void DeleteTrail();

    const ChipContext& context;
    HoverMode hoverMode = HoverMode::None;
    float fadeTimer = 0.0f;

    std::unique_ptr<Path> swapPath;
    std::unique_ptr<PathControl> swapControl;
    bool outward = false;

    std::unique_ptr<Path> fallPath;
    std::unique_ptr<PathControl> fallControl;
    float fallTime = 0.0f;
    bool exitFall = false;

    std::unique_ptr<Path> flightPath;
    std::unique_ptr<PathControl> flightControl;
    float flightTime = 0.0f;
    float spin = 0.0f;
    std::optional<BasketHandle> targetBasket;
    bool arrived = false;
    VantoranEngine::ParticleSystem* trail = nullptr;

    bool doublingActive = false;
    bool doublingOutward = false;
    std::unique_ptr<Path> doublingPath;
    std::unique_ptr<PathControl> doublingControl;
};

} // namespace Petalwork

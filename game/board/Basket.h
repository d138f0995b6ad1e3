#pragma once
// Basket: one basket of the running level with its models: the body, the label carrying the order, an
// icon (the flower's picture) and a sheet (the count) per order entry, the fly-away helper, the own timer
// pair on fixed places and the sparkle of a filled basket. It runs the models' choreography (appear,
// label, entries one after another, waiting loop, end animations), its movement on a conveyor or its
// glide to a place, its own timer, and its departure. The conveyor (BasketProgress) creates, updates
// and deletes it and decides where it goes and when it counts.
//
// Rules:
// - The prototypes stand at their side of the screen; only vertical and sideways (fly-away) offsets are
//   applied to them. Positions are board units, times seconds of frame time.
// - Animation ranges: body 0: 0-3 (appear), 1: 4-10 (waiting loop), 2: 11-15 (end); label 0: 3-4, 1:
//   5-10, 2: 11-15; icons and sheets 0: 4-5, 1: 6-10, 2: 11-15; timer models 0: 0-4, 1: 4-5.
// - The body is drawn from construction; the label, icons and timer appear in turn, the sheets are drawn
//   from the moment the order is set.
// - Random draws (shared generator): one for the body model at construction; one per PickWantedKind that
//   finds a wanted kind.

#include "game/board/Path.h"
#include "game/board/PathControl.h"
#include "game/board/model/BasketLogic.h"
#include "game/board/model/GameSettings.h"
#include "game/board/model/LoopingSoundSink.h"
#include "game/board/model/PowerupManager.h"

#include <array>
#include <memory>
#include <vector>

namespace VantoranEngine {
class Camera;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
}

namespace Petalwork {

// One side's prototypes.
struct BasketSidePrototypes {
    std::array<std::vector<const VantoranEngine::Model*>, 3> bodies; // for orders of 1, 2 and 3 entries
    std::array<const VantoranEngine::Model*, 3> labels{};           // by entries - 1
    std::array<const VantoranEngine::Model*, 6> icons{};  // positions: 0 | 1, 2 | 3, 4, 5 by order size
    std::array<const VantoranEngine::Model*, 6> sheets{};
    const VantoranEngine::Model* flyAway = nullptr;
    std::array<const VantoranEngine::Model*, 2> timer{}; // the first takes the timer's colour
};

struct BasketPrototypes {
    BasketSidePrototypes left;
    BasketSidePrototypes right;
    const VantoranEngine::ParticleSystem* sparkle = nullptr;
    VantoranEngine::Camera* camera = nullptr; // the GUI camera
};

// The level's parts a basket works with; references outlive every basket.
struct BasketContext {
    VantoranEngine::ModelManager& models;
    VantoranEngine::ParticleSystemManager& particles;
    const BasketPrototypes& prototypes;
    const GameSettings& settings;
    LoopingSoundSink& sounds;
    const PowerupManager& powerups;
    std::vector<int> flowerPictures; // the stage's picture (atlas frame) per flower kind
    float startSpeed = 0.0f;         // the stage's conveyor speeds, units per second
    float endSpeed = 0.0f;
    float placeWait = 0.0f;          // the stage's seconds per flower on a place; 0 or less: no own timer
    bool relaxMode = false;
};

class Basket : public BasketLogic {
public:
    static constexpr float leftX = 48.0f;
    static constexpr float rightX = 752.0f;
    static constexpr float conveyorStartY = 60.0f;
    static constexpr float conveyorEndY = 500.0f;
    static constexpr float nearPlaceDistance = 70.0f; // fly-away distance within which it is near its place
    static constexpr float endLoopSpeed = 100.0f;     // frames per second that run out a loop at once

    // `modelSize`: order entries - 1 (picks the body list); `depth`: the body's sort depth.
    Basket(const BasketContext& context, int modelSize, float depth, bool fixedPlace, bool left);
    ~Basket() override;

    Basket(const Basket&) = delete;
    Basket& operator=(const Basket&) = delete;

    // Builds the label and the entries' icons and sheets.
    void SetOrder(std::vector<BasketOrderEntry> entries);

    // One frame on a conveyor. `ahead`: the basket in front of it, or null.
    void UpdateMotion(const Basket* ahead, float speedPenalty, bool goalDone, float panelOffset, float dt);
    // One frame on a place. True when its own time ran out in this frame and it left: the owner then
    // compacts the places.
    bool UpdateState(float panelOffset, bool leavingNear, bool goalDone, float dt);

    void Show();
    void FlyAway(bool filled);
    // Leaving, and its fly-away has carried it less than 70 units from where it started.
    bool IsLeavingNearPlace() const;
    // Leaving, and the fly-away animation has ended.
    bool HasFlownAway() const;
    // Leaving, and the fly-away animation still plays.
    bool IsFlyingAway() const;
    // The body plays its end animation (the basket is at the end of its conveyor).
    bool IsInEndAnimation() const;
    // For the horn: a kind an open entry still wants, or -1.
    int PickWantedKind() const;

    void GlideTo(BoardPoint target);
    void SetPosition(BoardPoint target);
    void DropPlacePath();
    bool IsGliding() const { return placeControl && !placeControl->finished; }
    int GetEntryCount() const { return static_cast<int>(order.size()); }
    // The body's sort depth; a chip flying in is drawn just over it.
    float Depth() const { return depth; }

    const VantoranEngine::Model* GetBody() const { return body; }
    const VantoranEngine::Model* GetLabel() const { return label; }
    const std::vector<VantoranEngine::Model*>& GetSheets() const { return sheets; }
    const std::vector<VantoranEngine::Model*>& GetIcons() const { return icons; }
    const VantoranEngine::ParticleSystem* GetSparkle() const { return sparkle; }
    float ConveyorY() const;

    float blinkPhase = 0.0f;
    bool blinkToggle = true;

private:
    const BasketSidePrototypes& Side() const;
    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype, float depth);
    void Delete(VantoranEngine::Model*& model);
    // Sideways movement the fly-away has made so far.
    float FlyAwayOffset() const;
    void PlaceModels(float x, float y);
    void UpdateAppearance(float dt);
    void UpdateConveyorEnd();
    void UpdateBlink(bool frozen, float dt);
    void UpdateTimer(bool frozen, float dt);

    const BasketContext& context;
    float depth = 0.0f;

    std::unique_ptr<Path> conveyorPath;
    std::unique_ptr<PathControl> conveyorControl;
    std::unique_ptr<Path> placePath;
    std::unique_ptr<PathControl> placeControl;

    VantoranEngine::Model* body = nullptr;
    VantoranEngine::Model* label = nullptr;
    VantoranEngine::Model* flyAway = nullptr;
    std::array<VantoranEngine::Model*, 2> timerModels{};
    std::vector<VantoranEngine::Model*> icons;  // one per entry
    std::vector<VantoranEngine::Model*> sheets; // one per entry
    VantoranEngine::ParticleSystem* sparkle = nullptr;
    float flyAwayStart = 0.0f;

    float labelDelay = 0.0f;
    bool waiting = false;        // the body loops its waiting animation
    bool labelPending = false;   // the label is still to appear
    bool labelShown = false;
    bool entriesStarted = false;
    bool entriesAppearing = false;
    bool timerRunning = false;   // the first timer model has finished appearing
    bool flyAwayStarted = false;
};

} // namespace Petalwork

#pragma once
// BasketProgress: the running level's baskets and clock. It spawns baskets with random orders, moves
// them on one or two conveyors or parks them on fixed places (by the level kind, the mode), gives each
// collected flower chip its basket, scores a basket when its last chip lands, runs the level clock with
// its warning and time-over failure, and carries out the after-bonus and the extra-basket bonus of the
// end of a won level.
//
// Rules:
// - Baskets are reached from outside through handles (a slot and its generation): a handle whose basket
//   has been deleted finds nothing, so a chip flying to it lands without scoring, and the horn drops it.
// - Modes: 0 one conveyor on the left, 8 two conveyors, 1 one column of places on the left, 9 two
//   columns; any other level kind has the clock only. Modes 0 and 8 have no clock; relax mode has none
//   either, and a basket at a conveyor's end then leaves instead of failing the level.
// - Place check of modes 1 and 9: spawns wait while a basket glides to its place or a leaving basket is
//   still near its place (per side in mode 9), and a side without a free place gets no basket.
// - The level reads HasFailed, not `failed`: a goal completed in the frame of a failure wins.
// - The end sequence's extra-basket bonus counts baskets by a flag and is done when every basket present
//   is counted, so baskets that leave during it never stall it.
// - The horn is offered only a basket that is not leaving and has an open entry with chips to send.
// - Times are seconds of frame time; random draws (shared generator) only in spawning and the horn.

#include "framework/LevelInfo.h"
#include "framework/StageInfo.h"
#include "game/board/Basket.h"
#include "game/board/BasketReservations.h"
#include "game/board/Chip.h"
#include "game/board/model/ChipManagerLogic.h"
#include "game/board/model/BasketScoring.h"
#include "game/board/model/LevelClock.h"
#include "game/board/model/PanelSlide.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace VantoranEngine {
class GUIFont;
class GUITextManager;
}

namespace GameFramework {
class ScoreKeeper;
}

namespace Petalwork {

class LevelProgress;
class ScoreManager;

// The panel's models of the baskets' level: the belts of the conveyors and the clock.
struct ConveyorPrototypes {
    std::array<const VantoranEngine::Model*, 4> belts{}; // left rope, left wheels, right rope, right wheels
    std::array<const VantoranEngine::Model*, 3> clock{}; // the dial (warning colour), the arrow, the shadow
};

struct BasketProgressContext {
    VantoranEngine::ModelManager& models;
    VantoranEngine::ParticleSystemManager& particles;
    const BasketPrototypes& prototypes;
    const ConveyorPrototypes& panel;
    const GameSettings& settings;
    LoopingSoundSink& sounds;
    GameFramework::ScoreKeeper& score;
    ScoreManager& popups;
    PowerupManager& powerups;
    LevelProgress& goal;
    const VantoranEngine::GUITextManager& texts;
    const VantoranEngine::GUIFont* lineFont = nullptr;    // font 10: the "+N" line under a caption
    const VantoranEngine::GUIFont* captionFont = nullptr; // font 12: captions' width
    bool relaxMode = false;
};

enum class BasketMode : int {
    Conveyor = 0,
    Places = 1,
    TwoConveyors = 8,
    TwoColumns = 9,
    ClockOnly = -1, // every other level kind
};

class BasketProgress : public BasketReservations, public ChipManagerLogic::HornBaskets {
public:
    static constexpr uint32_t basketFilledEvent = 9;
    static constexpr float entryDistance = 100.0f; // a basket this near a conveyor's start occupies it
    static constexpr float clockX = 55.0f;
    static constexpr float clockY = 555.0f;
    static constexpr float captionMargin = 10.0f;

    struct Entry {
        std::unique_ptr<Basket> basket;
        BasketHandle handle;
    };

    BasketProgress(const BasketProgressContext& context, const GameFramework::StageInfo& stage,
                   const GameFramework::LevelInfo& level);
    ~BasketProgress() override;

    BasketProgress(const BasketProgress&) = delete;
    BasketProgress& operator=(const BasketProgress&) = delete;

    static BasketMode ModeOf(int32_t levelKind);

    // Once per frame before the board; `hold` while the level's tip is on screen.
    void Update(float dt, bool hold);

    // The basket a collected flower chip of `kind` flies to: the first open entry wanting the kind, in
    // spawn order; none when no basket wants it (the chip flies off the board).
    std::optional<BasketHandle> FindBasketFor(unsigned kind) override;
    // The sort depth of the basket's body; 0 once it is gone.
    float BasketDepth(BasketHandle basket) const override;
    unsigned BasketsSpawned() const override { return basketsSpawned; }
    unsigned CountOffBoardFlight() override { return ++offBoardFlights; }
    // Where a chip flying to the basket aims: the centre of its body; nothing once it is gone.
    std::optional<BoardPoint> BasketPosition(BasketHandle basket) const override;
    // A flying chip of `kind` landed in the basket; the last one fills and scores it. Nothing for a
    // basket that is gone.
    void ScoreBasket(BasketHandle basket, unsigned kind) override;
    // Before a resolution collects its chips: mark the baskets no chip has touched yet. After the move:
    // clear the marks.
    void MarkUntouchedBaskets();
    void ClearUntouchedMarks();

    // The basket the horn fills: the stored one while it still wants chips, else the first that does.
    std::optional<BasketHandle> GetHornTarget();
    // A kind the basket still wants (for the horn), -1 when none or when it is leaving or gone.
    int PickWantedKind(BasketHandle basket) const;
    // The horn's view: a handle as one number (slot and generation).
    std::optional<uint64_t> HornTarget() override;
    int PickWantedKind(uint64_t target) override;
    static uint64_t Pack(BasketHandle basket) { return (uint64_t{basket.id} << 32) | basket.generation; }
    static BasketHandle Unpack(uint64_t target)
    {
        return {static_cast<uint32_t>(target >> 32), static_cast<uint32_t>(target & 0xffffffffu)};
    }
    // The basket behind a handle, or null when it is gone.
    Basket* Find(BasketHandle basket) const;

    // The end of a won level.
    void StartAfterBonus();
    void AwardExtraBasketBonus(float dt);
    bool IsExtraBonusDone() const;
    bool IsSettled() const;

    // After a lost life.
    void Reset();

    // The level is lost (time over or a basket at a conveyor's end), unless the goal is done.
    bool HasFailed() const;

    const std::vector<Entry>& GetBaskets() const { return baskets; }
    const LevelClock& Clock() const { return clock; }
    float PanelOffset() const { return slide.offset; }
    unsigned QuickBaskets() const { return scoring.quickBaskets; }
    unsigned QuickGains() const { return scoring.quickGains; }
    bool AfterBonusRunning() const { return clock.afterBonusRunning; }
    bool AfterBonusDone() const { return clock.afterBonusDone; }
    unsigned AfterBonusShown() const { return clock.afterBonusShown; }

    BasketMode mode = BasketMode::ClockOnly;
    bool relaxMode = false;
    bool failed = false;
    PanelSlide slide;             // the level writes its state: SlidingOut on pause, SlidingIn on resume
    float firstBasketDelay = 0.0f;
    float spawnTimer = 0.0f;
    unsigned basketsSpawned = 0;
    unsigned offBoardFlights = 0; // kept up by the chip collection
    float extraBonusTimer = 0.0f;

private:
    bool HasClock() const { return mode != BasketMode::Conveyor && mode != BasketMode::TwoConveyors; }
    bool HasPlaces() const { return mode == BasketMode::Places || mode == BasketMode::TwoColumns; }
    VantoranEngine::Model* ClonePanelModel(const VantoranEngine::Model* prototype);
    void DeletePanelModel(VantoranEngine::Model*& model);
    void UpdateClock(float dt, bool hold);
    void PlaceBelts();
    void DeleteFinishedBaskets();
    void UpdateConveyors(float dt, bool hold);
    void UpdatePlaces(float dt, bool hold);
    bool CanSpawn() const;
    void SpawnBasket(bool left);
    int PlaceCount(bool left) const; // places in the column of a side
    void CompactPlaces();
    void CompactSide(bool left, bool bySide);
    void DeleteBasket(Entry& entry);
    float TextWidth(const std::u16string& text) const;
    float LineHeight() const;
    float CaptionX(const std::u16string& text, bool left) const;

    const BasketProgressContext& context;
    const GameFramework::StageInfo stage;
    const GameFramework::LevelInfo level;
    BasketContext basketContext;
    LevelClock clock;
    BasketScoring scoring;
    std::vector<Entry> baskets; // spawn order, leaving ones included
    std::vector<uint32_t> generations; // per slot
    std::vector<uint32_t> freeSlots;
    std::optional<BasketHandle> hornTarget;
    std::array<VantoranEngine::Model*, 4> belts{};
    std::array<VantoranEngine::Model*, 3> clockModels{};
};

} // namespace Petalwork

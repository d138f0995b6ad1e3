#pragma once
// ChipManagerLogic: the board's rules of the chip manager: the chip list in creation order with its
// counters, the global appear and disappear waves, the repair whirl, the start of the double-chip
// powerup, the spawn clocks of stones and ice, a chip's collection with its points, goals and bonus
// effects, the tornado's sweep and the many-flowers bonus. What a chip looks like and how it moves is
// left to the hooks, which the board's presentation overrides with its models and paths and tests with
// stubs.
//
// Rules:
// - Callers mark chips first and collect them afterwards; collecting an unmarked chip does nothing, so a
//   chip chosen by two removers is collected once.
// - A bonus effect scans the list for drawn idle chips other than its bomb, adds them to one score group,
//   marks the unmarked ones and collects those in scan order after the group is closed, so a bomb among
//   the victims fires before the remaining victims are collected. A cross bomb counts as one effect.
// - A frozen chip that is collected loses its ice and stays on the board where it is; it never takes a
//   flight path or a flight depth.
// - The copy the double-chip powerup makes of a collected chip scores only as a flower: it is not
//   counted among the stones or frozen chips and never lowers the board's counts.
// - The many-flowers bonus is paid at most once per count: the per-move count is cleared by the award.
// - Chips appended while a loop over the list runs (double-chip copies) are skipped by that loop.
// - The horn waits, pending, until a basket wants flowers; activated while out, it is dropped. While
//   it blows it sends a flower of a wanted kind one frame after it found its basket and then every
//   horn interval plus a frame, until the basket wants nothing more, leaves or changes.

#include "game/board/model/BoardTypes.h"
#include "game/board/model/ChipLogic.h"
#include "game/board/model/GameSettings.h"
#include "game/board/model/LevelProgress.h"
#include "game/board/model/PowerupManager.h"
#include "game/board/model/RandomSource.h"
#include "game/board/model/ScoreGroups.h"
#include "game/board/model/SoundSink.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace GameFramework {
class ScoreKeeper;
struct StageInfo;
} // namespace GameFramework

namespace Petalwork {

// The trail a collected chip leaves.
enum class TrailKind : int {
    Ice = 0,
    Bomb = 1,
    Horn = 2,
    Simple = 3,
};

// The score events of a collection.
enum class CollectEvent : uint32_t {
    Chip = 0,
    LineOrVolumeBomb = 1,
    RandomDestruction = 2,
    CrossBomb = 3,
    Frozen = 4,
    Stone = 5,
};

class ChipManagerLogic {
public:
    enum class Phase : int {
        Play = 0,
        Appearing = 1,
        Gone = 2,
        Disappearing = 3,
    };

    // What the horn asks of the baskets.
    class HornBaskets {
    public:
        virtual ~HornBaskets() = default;
        // The basket the horn should fill now (another basket has another id), or none.
        virtual std::optional<uint64_t> HornTarget() = 0;
        // A kind the basket still wants sent, or -1 (also when it is leaving or gone).
        virtual int PickWantedKind(uint64_t target) = 0;
    };

    // What the end of the repair whirl asks of the cell manager: resolve the board as after a swap.
    class WhirlResolver {
    public:
        virtual ~WhirlResolver() = default;
        virtual void ResolveAfterWhirl() = 0;
    };

    static constexpr float volumeRadius = 100.0f;
    // Horn flowers come out of the horn's mouth on the screen.
    static constexpr BoardPoint hornMouth{94.0f, 523.0f};
    static constexpr float lineHalfWidth = 10.0f;

    ChipManagerLogic(const GameSettings& settings, const GameFramework::StageInfo& stage,
                     GameFramework::ScoreKeeper& score, LevelProgress& progress, PowerupManager& powerups,
                     ScoreGroups& groups, SoundSink& sounds, RandomSource& random);
    virtual ~ChipManagerLogic();

    ChipManagerLogic(const ChipManagerLogic&) = delete;
    ChipManagerLogic& operator=(const ChipManagerLogic&) = delete;

    // A new chip (hidden, appear phase gone) appended to the list. Whoever makes a stone counts it.
    ChipLogic& CreateChip(BoardPoint position, unsigned flowerKind, bool horn);

    // One frame (see the rules above): phases, whirl, doubling, spawn clocks, every chip's step, deletion.
    void Update(float dt);

    void StartAppear(BoardPoint point);
    void StartDisappear(BoardPoint point);

    // The repair whirl from `centre`; the wave radius of the last wave is kept.
    void StartRepairWhirl(BoardPoint centre, WhirlResolver& resolver);

    // Scores and removes a marked chip (see the rules above).
    void Collect(ChipLogic& chip, bool duplicate);
    // The tornado: every idle chip is marked and collected.
    void CollectIdleChips();
    // The end of the level: every chip rises off the board into the tally.
    void RetireAll();
    // More than two bonus effects in the move pay the many-flowers bonus once.
    void AwardManyChipsBonus();

    // Gives the chip a kind, keeping the stones-on-board count; `show` refreshes its picture.
    void ChangeKind(ChipLogic& chip, unsigned flowerKind, bool show);

    // The chip's look and movements; the presentation overrides them.
    virtual void SetVisible(ChipLogic& chip, bool flag);
    virtual bool IsVisible(const ChipLogic& chip) const;
    virtual void RefreshPicture(ChipLogic& chip);
    virtual void SetBonus(ChipLogic& chip, BonusKind kind);
    // Keeps the frozen-on-board count.
    virtual void SetFrozen(ChipLogic& chip, bool flag);
    virtual void StartSwap(ChipLogic& chip, BoardPoint target) = 0;
    virtual void StartUnswap(ChipLogic& chip, BoardPoint target) = 0;
    virtual void StartFall(ChipLogic& chip, BoardPoint target, BoardPoint firstMarker, BoardPoint secondMarker,
                           bool leaving) = 0;
    virtual bool SecondMarkerPassed(const ChipLogic& chip) const = 0;
    // A stone falling out of the board through its line's end.
    virtual bool IsExitFall(const ChipLogic& chip) const = 0;
    virtual void ShowHint(ChipLogic& a, ChipLogic& b);
    // The horn's model: animations 0 (entry), 1 (blowing, looped) and 2 (exit). Without a model the
    // entry and exit end at once and the loop runs until stopped.
    virtual bool HornShown() const { return hornShown; }
    virtual void ShowHorn(bool shown) { hornShown = shown; }
    virtual void StartHornAnimation(int animation, bool loop);
    virtual bool HornAnimationEnded(int animation) const { return hornAnimation == animation && !hornPlaying; }
    virtual bool HornLooping() const { return hornAnimation == 1 && hornPlaying; }
    // Stops the blowing loop at once.
    virtual void StopHornLoop() { hornPlaying = false; }

    GameFramework::ScoreKeeper& Score() { return score; }
    void SetHornBaskets(HornBaskets* baskets) { hornBaskets = baskets; }

    std::vector<std::unique_ptr<ChipLogic>> chips; // creation order
    unsigned creationCount = 0;
    Phase phase = Phase::Play;
    bool allIdle = true;
    bool settled = true;
    BoardPoint waveCentre;
    float waveRadius = 1.0f;
    bool whirlActive = false;
    float whirlRadius = 0.0f;

    unsigned collected = 0;
    unsigned stonesCollected = 0;
    unsigned frozenCollected = 0;
    int stonesOnBoard = 0;
    int frozenOnBoard = 0;
    unsigned bonusEffectsThisMove = 0;
    unsigned bonusEffectsInLevel = 0;
    BoardPoint lastBonusPosition;
    float stoneTimer = 0.0f;
    float frozenTimer = 0.0f;
    float hornTimer = 0.0f;
    std::optional<uint64_t> hornTarget;

protected:
    // The presentation's chip: made hidden, with appear phase gone.
    virtual std::unique_ptr<ChipLogic> MakeChip(BoardPoint position, unsigned flowerKind, unsigned creationCount,
                                                bool horn) = 0;
    // One frame of the chip's own state machine; `playing` is false during a global wave.
    virtual void UpdateChip(ChipLogic& chip, bool playing, float dt) = 0;
    virtual void StartChipAppear(ChipLogic& chip, float delay) = 0;
    virtual void StartChipDisappear(ChipLogic& chip, float delay) = 0;
    // The whirl reached the chip: its paths go, it fades out and back in with its new picture.
    virtual void StartWhirl(ChipLogic& chip) = 0;
    // The whirl ended: timers back to 0, picture refreshed.
    virtual void EndWhirl(ChipLogic& chip);
    virtual void StartDoubling(ChipLogic& chip);
    virtual void Retire(ChipLogic& chip, float depth);
    // Collection: reserve a basket wanting the chip's kind (when one does).
    virtual void FindBasket(ChipLogic& chip);
    // Collection: the flight to the reserved basket or off the board, with its trail and depth.
    virtual void StartFlight(ChipLogic& chip, TrailKind trail);
    // Collection of a frozen chip: the ice breaks where the chip stays.
    virtual void ThawIce(ChipLogic& chip);
    // Collection: the scissors count the chip towards their next pair.
    virtual void CountForScissors(ChipLogic& chip);
    // `target` only for the travelling line effect.
    virtual void PlayEffect(BoardEffect kind, BoardPoint at, const BoardPoint* target);
    // The chip's flight or retirement is over: it is deleted right after this.
    virtual void ChipDeleted(ChipLogic& chip);

    const GameSettings& settings;
    const GameFramework::StageInfo& stage;
    GameFramework::ScoreKeeper& score;
    LevelProgress& progress;
    PowerupManager& powerups;
    ScoreGroups& groups;
    SoundSink& sounds;
    RandomSource& random;

private:
    int AddEvent(ChipLogic& chip, CollectEvent event);
    void CountGoal(int32_t goalKind, uint32_t n);
    void RunRepairWhirl(float dt);
    void StartDoublingAll();
    void RunHorn(float dt);
    // The shared frame of the bonus effects; returns the chosen chips.
    template <typename Choose>
    std::vector<ChipLogic*> Explode(ChipLogic& bomb, bool collectMarked, bool skipMarked, Choose choose);
    void FinishEffect(ChipLogic& bomb);
    void CollectPlain(ChipLogic& chip);
    void ExplodeVolumeBomb(ChipLogic& bomb);
    void ExplodeHorizontalBomb(ChipLogic& bomb);
    void ExplodeVerticalBomb(ChipLogic& bomb);
    void ExplodeCrossBomb(ChipLogic& bomb);
    void DestroyRandomChips(ChipLogic& bomb);
    void LineEffects(ChipLogic& bomb, const std::vector<ChipLogic*>& chosen, bool horizontal);

    WhirlResolver* whirlResolver = nullptr;
    HornBaskets* hornBaskets = nullptr;
    bool hornShown = false;
    int hornAnimation = -1;
    bool hornPlaying = false;
};

} // namespace Petalwork

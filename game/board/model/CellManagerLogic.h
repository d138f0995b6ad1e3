#pragma once
// CellManagerLogic: the board's rules of the cell manager: it owns the cells, deals the first chips,
// runs the tile waves, turns the player's clicks into selections and swaps, resolves every match that a
// swap, a landing, a cut, the tornado or a repair produces, counts and scores the combo of a move, ends
// each move after a delay, gives hints, places powerups and repairs a board that has no move. The
// models (tile highlight, markers, tornado, cut highlights) are left to the hooks, which the board's
// presentation overrides.
//
// Rules:
// - Every resolution that removes something runs the same tail; the combo counter d counts them over a
//   move. Each tail sets the move-end delay; the move ends exactly once, on the frame the delay drops
//   below 0 with something matched, so the next move counts its combo from 0.
// - The combo score of a tail with d >= 3 is ((d - 3) x (d - 2) + 4) x 250; the combo sound is 13 + d,
//   at most 20, for d >= 1.
// - The match counter (read at the level's end for the flowers bonus) counts the combo captions shown;
//   a chain of eight or more raises it to at least 7.
// - A swap pair whose cell lost the swapped chip before the pair was resolved (a refill pulled it away)
//   gives up its swap-pending flag, and a pair resolved without a tail clears both flags, so a cascade
//   never makes a bonus chip.
// - Set-up stops turning chips into stones or ice when no candidate cell is left.
// - Armed scissors take the mouse: a click on an idle chip cuts it (mode 1: a flower that is not frozen;
//   mode 2: also every idle non-stone chip within the cut radius; mode 3: every idle chip within it,
//   stones included, and frozen chips are cut again after the first cut thawed them). The pairs are spent
//   before the cut's chips are collected, so those chips count towards the next pair. Without a click the
//   chips a cut would take are highlighted, the clicked one first.
// - Random draws (the shared generator): one per dealt chip, stone and frozen pick; two per wave point.

#include "game/board/model/BoardLayout.h"
#include "game/board/model/CellLogic.h"
#include "game/board/model/ChipManagerLogic.h"
#include "game/board/model/ScissorsLogic.h"

#include <memory>
#include <vector>

namespace Petalwork {

class ConnectionManager;
class MoveLine;
class MoveLineManager;

// The player's mouse this frame, the cursor in board units.
struct BoardInput {
    BoardPoint cursor;
    bool mouse1Pressed = false;
    bool mouse1Down = false;
    bool mouse2Pressed = false;
    bool anyKey = false; // any key or button pressed or held
};

class CellManagerLogic : public ChipManagerLogic::WhirlResolver {
public:
    enum class Phase : int {
        Shown = 0,
        Appearing = 1,
        Gone = 2,
        Disappearing = 3,
    };

    static constexpr unsigned manyLayersThreshold = 12; // more than this in one move
    static constexpr int maximumComboSound = static_cast<int>(BoardSound::ScoreCombo8);
    static constexpr int powerupTries = 1000;
    static constexpr float layerShineIdleTime = 10.0f;
    static constexpr const char* flowerComboKey = "FLOWER_COMBO_BONUS";
    static constexpr unsigned flowerComboSize = 6; // more chips than this in one swap
    static constexpr size_t cutHighlights = 10;

    // `cells` in the board file's order, built from `layout`; `relax`: the relax mode is on.
    CellManagerLogic(std::vector<std::unique_ptr<CellLogic>> cells, const BoardLayout& layout,
                     const GameSettings& settings, const GameFramework::StageInfo& stage, bool relax,
                     ChipManagerLogic& chips, LevelProgress& progress, PowerupManager& powerups,
                     ScoreGroups& groups, SoundSink& sounds, RandomSource& random);
    ~CellManagerLogic() override;

    CellManagerLogic(const CellManagerLogic&) = delete;
    CellManagerLogic& operator=(const CellManagerLogic&) = delete;

    // Neighbours from the links between tile cells.
    void AttachConnections(ConnectionManager& connections);
    // Centres the board, prepares the lines, deals the chips, the stones and the ice, starts the waves.
    void SetUpBoard(MoveLineManager& lines);
    // The lines the tail refills, for a board whose chips were placed without SetUpBoard.
    void SetMoveLines(MoveLineManager& moveLines) { lines = &moveLines; }
    // The level's scissors; null: never armed.
    void SetScissors(ScissorsLogic* level) { scissors = level; }
    void Update(float dt, bool locked, const BoardInput& input);

    void StartAppear(BoardPoint point);
    void StartDisappear(BoardPoint point);
    void RepairBoard(bool restoreLayers);

    void HandleInput(bool locked, const BoardInput& input);
    void HandleClick(BoardPoint point, bool drag);
    void DropSelection();
    void ResolveSwaps();
    void ResolveLanding();
    void ResolveCut(bool force);
    void RunTornado();
    void FinishMove(float dt);
    void CheckMoves();
    void UpdateHint(float dt);
    void ResolveAfterWhirl() override;

    // The combo points of a tail run with combo counter d.
    static int ComboPoints(unsigned d);
    // The radius of a cut by the pairs of scissors held.
    static float CutRadius(unsigned pairs);
    // The chips a cut in `mode` at the cell would take, the cell's own chip first.
    std::vector<ChipLogic*> CutArea(const CellLogic& cell, int mode, float radius) const;

    std::vector<CellLogic*> cells; // file order
    CellLogic* selected = nullptr;
    struct SwapPair {
        CellLogic* a = nullptr;
        CellLogic* b = nullptr;
        const ChipLogic* chipA = nullptr; // the chips the swap put into the cells
        const ChipLogic* chipB = nullptr;
    };
    std::vector<SwapPair> swapPairs;
    std::vector<MoveLine*> changedLines;
    bool allChipsIdle = true;
    bool boardFullAndIdle = true;
    Phase boardPhase = Phase::Appearing;
    BoardPoint waveCentre;
    float waveRadius = 1.0f;
    bool manyLayers = false;
    unsigned layersBroken = 0;
    unsigned combo = 0;
    int matchCounter = 0;
    float moveEndDelay = 0.0f;
    float hintTimer = 0.0f;
    int powerupsPickedUp = 0;
    float powerupTimer = 0.0f;
    std::vector<PowerupKind> allowedPowerups;
    bool nothingToResolve = false;
    bool noMoreMoves = false;
    float idleTimer = 0.0f;
    bool tornadoShown = false;
    int tornadoAnimation = 0;

protected:
    // Deletes the cells now (a presentation whose cells use its own parts).
    void ReleaseCells();
    // The cell's look; the presentation overrides these with its models.
    virtual void StepCell(CellLogic& cell, float dt, bool isSelected);
    virtual void MoveCell(CellLogic& cell, BoardPoint offset);
    virtual bool TileHolds(const CellLogic& cell, BoardPoint point) const;
    virtual void SelectCell(CellLogic& cell);
    virtual void DeselectCell(CellLogic& cell);
    virtual void SetPowerup(CellLogic& cell, PowerupKind kind);
    virtual void StartCellAppear(CellLogic& cell, float delay);
    virtual void StartCellDisappear(CellLogic& cell, float delay);
    virtual void StartCellCrossFade(CellLogic& cell, float delay);
    virtual void StartCellShine(CellLogic& cell, float delay);
    virtual void RestartLayerAnimations(CellLogic& cell);
    // The hover marker, the cut highlights and the scissors: the presentation's.
    virtual void UpdateHover(bool locked, const BoardInput& input);
    virtual bool HandleScissors(const BoardInput& input);
    // Whether the point lies on the cell's chip.
    virtual bool ChipUnderCursor(const CellLogic& cell, BoardPoint point) const;
    // A cut spends every pair held before its chips go; returns the pairs.
    virtual unsigned SpendScissors();
    // The cut's effect at the cell, for the pairs it spent.
    virtual void UseScissors(BoardPoint at, unsigned pairs);
    virtual void HideCutHighlights();
    virtual void HighlightCut(const std::vector<ChipLogic*>& area);
    virtual void MarkUntouchedBaskets();
    virtual void ClearUntouchedMarks();
    // The tornado model: whether its animation has ended; start one or hide it.
    virtual bool TornadoAnimationEnded(int animation) const;
    virtual void ShowTornado(bool shown, int animation);

public:
    // Used by the match finder's removal and repair.
    virtual bool BreakLayer(CellLogic& cell);
    virtual void PickUpPowerup(CellLogic& cell);
    // Kind, bonus and ice change places; a stone left on a line end is marked for removal.
    virtual void SwapKinds(CellLogic& a, CellLogic& b);

protected:
    const GameSettings& settings;
    const GameFramework::StageInfo& stage;
    ChipManagerLogic& chips;
    LevelProgress& progress;
    PowerupManager& powerups;
    ScoreGroups& groups;
    SoundSink& sounds;
    RandomSource& random;
    ConnectionManager* connections = nullptr;
    MoveLineManager* lines = nullptr;
    ScissorsLogic* scissors = nullptr;

private:
    void Tail();
    void PlacePowerups(float dt);
    void RunIdleShine(float dt, const BoardInput& input);
    void RunLayerShine();
    BoardPoint RandomPoint();
    float RadiusFrom(BoardPoint point) const;
    void Select(CellLogic& cell);
    bool IsNeighbour(const CellLogic& a, const CellLogic& b) const;

    std::vector<std::unique_ptr<CellLogic>> ownedCells;
    BoardPoint centringOffset;
};

} // namespace Petalwork

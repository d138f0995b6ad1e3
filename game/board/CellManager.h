#pragma once
// CellManager: the level's cells as the board shows them: the rules of CellManagerLogic over board
// Cells, with the tile highlight of the selected cell, the selection and hover markers, the ten
// cut-highlight rings of the armed scissors, the tornado, the baskets' untouched marks and the mouse.
//
// Rules:
// - Markers handed in are clones the level made; the manager shows, hides and places them but never
//   deletes them. Either may be null. A manager built from the level's parts (CellManagerParts) makes
//   its cells and every model itself from the global bundle (selection: the selected border; hover and
//   cut highlights: the hot border; the tornado) and deletes them with itself.
// - A point is on a cell when it lies in the cell's tile model's box on the screen (bounds included);
//   a cell without a tile model falls back to the rules' one-step square. A cut aims at a chip's own
//   mouse area.
// - The tornado model plays animation 0 (frames 0-35) and then 1 (35-50) where it was authored.
// - Kinds change places through the chip manager (SwapKinds of the rules), so its counts stay right.

#include "game/board/Cell.h"
#include "game/board/model/CellManagerLogic.h"

#include <array>
#include <memory>
#include <vector>

namespace VantoranEngine {
class Camera;
class Controls;
class GUIManager;
class Model;
class ModelManager;
class ParticleSystemManager;
}

namespace GameFramework {
class ScoreKeeper;
}

namespace Petalwork {

class BasketProgress;
class ChipManager;
class GameData;
class Scissors;
class ScoreManager;

// What the running level hands its cell manager; every reference outlives the manager.
struct CellManagerParts {
    VantoranEngine::ModelManager& models;
    VantoranEngine::ParticleSystemManager& particles;
    const GameData& data;           // prototypes and the game settings
    VantoranEngine::Camera* camera; // the GUI camera the board is drawn with
    const BoardLayout& layout;      // the level's board; the cells are made from it
    const GameFramework::StageInfo& stage;
    bool relax;                     // "g_relax_mode" is "1"
    ChipManager& chips;
    LevelProgress& progress;
    PowerupManager& powerups;
    ScoreManager& popups;           // the cells' layer and powerup popups
    ScoreGroups& groups;            // the rules' score groups, combo captions and bonus texts
    SoundSink& sounds;
    GameFramework::ScoreKeeper& score;
    RandomSource& random;
    BasketProgress* baskets = nullptr; // null: no basket to mark
    Scissors* scissors = nullptr;      // null: no cut
};

class CellManager : public CellManagerLogic {
public:
    struct Markers {
        VantoranEngine::Model* selection = nullptr;
        VantoranEngine::Model* hover = nullptr;
    };

    CellManager(std::vector<std::unique_ptr<Cell>> cells, const BoardLayout& layout, const GameSettings& settings,
                const GameFramework::StageInfo& stage, bool relax, ChipManagerLogic& chips, LevelProgress& progress,
                PowerupManager& powerups, ScoreGroups& groups, SoundSink& sounds, RandomSource& random,
                Markers markers);
    // The running level's cell manager: cells, markers, highlights and tornado from `parts`.
    explicit CellManager(const CellManagerParts& parts);
    ~CellManager() override;

    static Cell& Of(CellLogic& cell) { return static_cast<Cell&>(cell); }
    static const Cell& Of(const CellLogic& cell) { return static_cast<const Cell&>(cell); }

    // The mouse this frame: the buttons "MOUSE1" and "MOUSE2", any key, the cursor in board units.
    static BoardInput ReadInput(const VantoranEngine::Controls& controls, const VantoranEngine::GUIManager& gui);

    bool BreakLayer(CellLogic& cell) override { return Of(cell).BreakLayer(); }
    void PickUpPowerup(CellLogic& cell) override;

    void SetBaskets(BasketProgress* level) { baskets = level; }
    // The board's scissors, also for the cut's effect and the cursor.
    void SetBoardScissors(Scissors* level);

    const Markers& GetMarkers() const { return markers; }
    const std::array<VantoranEngine::Model*, cutHighlights>& GetCutHighlights() const { return highlights; }
    const VantoranEngine::Model* GetTornado() const { return tornado; }

protected:
    void StepCell(CellLogic& cell, float dt, bool isSelected) override { Of(cell).Update(dt, isSelected); }
    void MoveCell(CellLogic& cell, BoardPoint offset) override { Of(cell).MoveBy(offset); }
    bool TileHolds(const CellLogic& cell, BoardPoint point) const override;
    void SelectCell(CellLogic& cell) override;
    void DeselectCell(CellLogic& cell) override;
    void SetPowerup(CellLogic& cell, PowerupKind kind) override { Of(cell).SetPowerup(kind); }
    void StartCellAppear(CellLogic& cell, float delay) override { Of(cell).StartAppear(delay); }
    void StartCellDisappear(CellLogic& cell, float delay) override { Of(cell).StartDisappear(delay); }
    void StartCellShine(CellLogic& cell, float delay) override { Of(cell).StartShine(delay); }
    void RestartLayerAnimations(CellLogic& cell) override { Of(cell).RestartLayerAnimations(); }
    void UpdateHover(bool locked, const BoardInput& input) override;
    bool ChipUnderCursor(const CellLogic& cell, BoardPoint point) const override;
    unsigned SpendScissors() override;
    void UseScissors(BoardPoint at, unsigned pairs) override;
    void HideCutHighlights() override;
    void HighlightCut(const std::vector<ChipLogic*>& area) override;
    void MarkUntouchedBaskets() override;
    void ClearUntouchedMarks() override;
    bool TornadoAnimationEnded(int animation) const override;
    void ShowTornado(bool shown, int animation) override;

private:
    // The context and prototypes a manager built from the level's parts keeps for its cells.
    struct Own {
        CellPrototypes prototypes;
        CellTimings timings;
        FragmentSettings fragments;
        int pickUps = 0; // the cells' own count; the manager keeps the level's
        std::unique_ptr<CellContext> context;
    };

    CellManager(const CellManagerParts& parts, std::unique_ptr<Own> made);
    static std::vector<std::unique_ptr<CellLogic>> AsLogic(std::vector<std::unique_ptr<Cell>> cells);
    static std::vector<std::unique_ptr<CellLogic>> MakeCells(const CellManagerParts& parts, Own& own);
    static std::unique_ptr<Own> MakeOwn(const CellManagerParts& parts);
    void Place(VantoranEngine::Model* marker, const CellLogic* cell);
    static void PlaceAt(VantoranEngine::Model* model, BoardPoint at);
    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype);

    std::unique_ptr<Own> own;
    Markers markers;
    VantoranEngine::ModelManager* modelManager = nullptr; // set when the manager owns its models
    VantoranEngine::Camera* camera = nullptr;
    std::vector<VantoranEngine::Model*> owned;
    std::array<VantoranEngine::Model*, cutHighlights> highlights{};
    VantoranEngine::Model* tornado = nullptr;
    float tornadoSpeed = 1.0f;
    BasketProgress* baskets = nullptr;
    Scissors* boardScissors = nullptr;
};

} // namespace Petalwork

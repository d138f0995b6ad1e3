#pragma once
// CellManager: the level's cells as the board shows them: the rules of CellManagerLogic over board
// Cells, with the tile highlight of the selected cell, the selection and hover markers and the mouse.
//
// Rules:
// - The markers are clones the level made; the manager shows, hides and places them but never deletes
//   them. Either may be null.
// - A point is on a cell when it lies in the cell's tile model's box on the screen (bounds included);
//   a cell without a tile model falls back to the rules' one-step square.
// - Kinds change places through the chip manager (SwapKinds of the rules), so its counts stay right.

#include "game/board/Cell.h"
#include "game/board/model/CellManagerLogic.h"

#include <memory>
#include <vector>

namespace VantoranEngine {
class Controls;
class GUIManager;
class Model;
}

namespace Petalwork {

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

    static Cell& Of(CellLogic& cell) { return static_cast<Cell&>(cell); }
    static const Cell& Of(const CellLogic& cell) { return static_cast<const Cell&>(cell); }

    // The mouse this frame: the buttons "MOUSE1" and "MOUSE2", any key, the cursor in board units.
    static BoardInput ReadInput(const VantoranEngine::Controls& controls, const VantoranEngine::GUIManager& gui);

    bool BreakLayer(CellLogic& cell) override { return Of(cell).BreakLayer(); }
    void PickUpPowerup(CellLogic& cell) override;

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

private:
    static std::vector<std::unique_ptr<CellLogic>> AsLogic(std::vector<std::unique_ptr<Cell>> cells);
    void Place(VantoranEngine::Model* marker, const CellLogic* cell);

    Markers markers;
};

} // namespace Petalwork

#include "game/board/CellManager.h"

#include "engine/core/devices/Controls.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIManager.h"

namespace Petalwork {

CellManager::CellManager(std::vector<std::unique_ptr<Cell>> cells_, const BoardLayout& layout,
                         const GameSettings& settings_, const GameFramework::StageInfo& stage_, bool relax,
                         ChipManagerLogic& chips_, LevelProgress& progress_, PowerupManager& powerups_,
                         ScoreGroups& groups_, SoundSink& sounds_, RandomSource& random_, Markers markers_)
    : CellManagerLogic(AsLogic(std::move(cells_)), layout, settings_, stage_, relax, chips_, progress_, powerups_,
                       groups_, sounds_, random_),
      markers(markers_)
{
    Place(markers.selection, nullptr);
    Place(markers.hover, nullptr);
}

std::vector<std::unique_ptr<CellLogic>> CellManager::AsLogic(std::vector<std::unique_ptr<Cell>> cells)
{
    std::vector<std::unique_ptr<CellLogic>> result;
    for (auto& cell : cells)
        result.push_back(std::move(cell));
    return result;
}

BoardInput CellManager::ReadInput(const VantoranEngine::Controls& controls, const VantoranEngine::GUIManager& gui)
{
    BoardInput input;
    const VantoranEngine::Vector2 cursor = gui.GetCursorPosition();
    input.cursor = {cursor.x, cursor.y};
    input.mouse1Pressed = controls.IsKeyPressed("MOUSE1");
    input.mouse1Down = controls.IsKeyDown("MOUSE1");
    input.mouse2Pressed = controls.IsKeyPressed("MOUSE2");
    input.anyKey = controls.IsAnyKeyPressed() || controls.IsAnyKeyDown();
    return input;
}

void CellManager::Place(VantoranEngine::Model* marker, const CellLogic* cell)
{
    if (!marker)
        return;
    if (!cell) {
        marker->flags &= ~VantoranEngine::ModelFlag::active;
        return;
    }
    marker->RestoreBaseMatrix();
    VantoranEngine::Matrix4 t;
    VantoranEngine::MakeTranslationMatrix(t, {cell->centre.x, cell->centre.y, 0.0f});
    marker->MultiplyWorldMatrix(t);
    marker->flags |= VantoranEngine::ModelFlag::active;
}

bool CellManager::TileHolds(const CellLogic& cell, BoardPoint point) const
{
    const VantoranEngine::Model* tile = Of(cell).tile;
    if (!tile)
        return CellManagerLogic::TileHolds(cell, point);
    VantoranEngine::BoundingBox box;
    tile->ComputeBoundingBox(box, true);
    return point.x >= box.min.x && point.x <= box.max.x && point.y >= box.min.y && point.y <= box.max.y;
}

void CellManager::SelectCell(CellLogic& cell)
{
    Of(cell).Select();
    Place(markers.selection, &cell);
}

void CellManager::DeselectCell(CellLogic& cell)
{
    Of(cell).Deselect();
    Place(markers.selection, nullptr);
}

void CellManager::PickUpPowerup(CellLogic& cell)
{
    if (cell.powerup == PowerupKind::None)
        return;
    Of(cell).PickUpPowerup();
    ++powerupsPickedUp;
}

void CellManager::UpdateHover(bool locked, const BoardInput& input)
{
    Place(markers.hover, nullptr);
    if (locked)
        return;
    for (CellLogic* cell : cells) {
        if (cell->HasTile() && TileHolds(*cell, input.cursor)) {
            Place(markers.hover, cell);
            return;
        }
    }
}

} // namespace Petalwork

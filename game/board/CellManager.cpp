#include "game/board/CellManager.h"

#include "game/board/BasketProgress.h"
#include "game/board/BoardSettings.h"
#include "game/board/ChipManager.h"
#include "game/board/GameData.h"
#include "game/board/ModelPlayer.h"
#include "game/board/Scissors.h"

#include "engine/core/devices/Controls.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/gui/GUIManager.h"

#include "framework/StageInfo.h"

namespace Petalwork {

using P = ModelPlayer;

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

CellManager::CellManager(const CellManagerParts& parts) : CellManager(parts, MakeOwn(parts)) {}

CellManager::CellManager(const CellManagerParts& parts, std::unique_ptr<Own> made)
    : CellManagerLogic(MakeCells(parts, *made), parts.layout, *parts.data.settings, parts.stage, parts.relax,
                       parts.chips, parts.progress, parts.powerups, parts.groups, parts.sounds, parts.random),
      own(std::move(made)), modelManager(&parts.models), camera(parts.camera), baskets(parts.baskets)
{
    markers.selection = Clone(parts.data.cellSelectedBorderModel);
    markers.hover = Clone(parts.data.cellHotBorderModel);
    Place(markers.selection, nullptr);
    Place(markers.hover, nullptr);
    for (VantoranEngine::Model*& ring : highlights) {
        ring = Clone(parts.data.cellHotBorderModel);
        P::SetDrawn(ring, false);
    }
    tornado = Clone(parts.data.tornadoAnimationModel);
    if (tornado) {
        P::AddRange(tornado, 0, 0, 35);
        P::AddRange(tornado, 1, 35, 50);
        if (tornado->animationControl)
            tornadoSpeed = tornado->animationControl->speed;
        P::SetDrawn(tornado, false);
    }
    SetBoardScissors(parts.scissors);
}

CellManager::~CellManager()
{
    // The cells use this manager's context: they go first.
    ReleaseCells();
    for (VantoranEngine::Model* model : owned) {
        modelManager->models.Remove(model);
        delete model;
    }
}

std::unique_ptr<CellManager::Own> CellManager::MakeOwn(const CellManagerParts& parts)
{
    auto own = std::make_unique<Own>();
    own->prototypes = MakeCellPrototypes(parts.data, parts.camera);
    own->timings = MakeCellTimings(*parts.data.settings);
    own->fragments = MakeFragmentSettings(*parts.data.settings);
    own->context = std::make_unique<CellContext>(CellContext{parts.models, parts.particles, own->prototypes,
                                                             own->timings, own->fragments, parts.sounds, parts.score,
                                                             parts.popups, parts.powerups, parts.stage.powerupLifetime,
                                                             own->pickUps});
    return own;
}

std::vector<std::unique_ptr<CellLogic>> CellManager::MakeCells(const CellManagerParts& parts, Own& own)
{
    std::vector<std::unique_ptr<CellLogic>> result;
    for (const BoardCell& record : parts.layout.cells) {
        auto cell = std::make_unique<Cell>(*own.context, record.centre, record.fileType, record.reserved);
        cell->lineEnd = record.lineEnd;
        result.push_back(std::move(cell));
    }
    return result;
}

std::vector<std::unique_ptr<CellLogic>> CellManager::AsLogic(std::vector<std::unique_ptr<Cell>> cells)
{
    std::vector<std::unique_ptr<CellLogic>> result;
    for (auto& cell : cells)
        result.push_back(std::move(cell));
    return result;
}

VantoranEngine::Model* CellManager::Clone(const VantoranEngine::Model* prototype)
{
    if (!prototype || !modelManager)
        return nullptr;
    VantoranEngine::Model* model = modelManager->CloneModel(prototype, camera, 0);
    model->depth = prototype->depth;
    P::KeepBase(model);
    owned.push_back(model);
    return model;
}

void CellManager::SetBoardScissors(Scissors* level)
{
    boardScissors = level;
    SetScissors(level);
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

void CellManager::PlaceAt(VantoranEngine::Model* model, BoardPoint at)
{
    if (!model)
        return;
    model->RestoreBaseMatrix();
    VantoranEngine::Matrix4 t;
    VantoranEngine::MakeTranslationMatrix(t, {at.x, at.y, 0.0f});
    model->MultiplyWorldMatrix(t);
    model->flags |= VantoranEngine::ModelFlag::active;
}

void CellManager::Place(VantoranEngine::Model* marker, const CellLogic* cell)
{
    if (!marker)
        return;
    if (!cell) {
        marker->flags &= ~VantoranEngine::ModelFlag::active;
        return;
    }
    PlaceAt(marker, cell->centre);
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

bool CellManager::ChipUnderCursor(const CellLogic& cell, BoardPoint point) const
{
    return cell.chip && ChipManager::Of(*cell.chip).HitTest(point);
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
    if (locked || (scissors && scissors->armedMode != 0))
        return;
    for (CellLogic* cell : cells) {
        if (cell->HasTile() && TileHolds(*cell, input.cursor)) {
            Place(markers.hover, cell);
            return;
        }
    }
}

unsigned CellManager::SpendScissors()
{
    // The board's scissors also give the cursor back.
    return boardScissors ? boardScissors->SpendPairs() : CellManagerLogic::SpendScissors();
}

void CellManager::UseScissors(BoardPoint at, unsigned pairs)
{
    if (boardScissors)
        boardScissors->Use(at, pairs);
}

void CellManager::HideCutHighlights()
{
    for (VantoranEngine::Model* ring : highlights)
        P::SetDrawn(ring, false);
}

void CellManager::HighlightCut(const std::vector<ChipLogic*>& area)
{
    for (size_t i = 0; i < area.size() && i < highlights.size(); ++i)
        PlaceAt(highlights[i], area[i]->position);
}

void CellManager::MarkUntouchedBaskets()
{
    if (baskets)
        baskets->MarkUntouchedBaskets();
}

void CellManager::ClearUntouchedMarks()
{
    if (baskets)
        baskets->ClearUntouchedMarks();
}

bool CellManager::TornadoAnimationEnded(int animation) const
{
    return tornado ? P::HasEnded(tornado, animation) : CellManagerLogic::TornadoAnimationEnded(animation);
}

void CellManager::ShowTornado(bool shown, int animation)
{
    if (!tornado)
        return;
    P::SetDrawn(tornado, shown);
    if (shown)
        P::Play(tornado, animation, tornadoSpeed, false);
}

} // namespace Petalwork

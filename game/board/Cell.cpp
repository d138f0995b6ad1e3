#include "game/board/Cell.h"

#include "game/board/ScoreManager.h"

#include "framework/ScoreKeeper.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>

namespace Petalwork {

using VantoranEngine::Matrix4;
using VantoranEngine::Model;
using VantoranEngine::Vector3;

namespace {

// Where the four fragments of a broken layer start, from the cell centre.
constexpr BoardPoint fragmentOffsets[4] = {
    {12.022f, -11.982f}, {-11.254f, -10.566f}, {11.898f, 11.416f}, {-10.822f, 10.677f}};
constexpr float firstFragmentDepth = -0.000455f;
constexpr float secondFragmentDepth = -0.000555f;
constexpr float sparkleBelowBadge = 0.0001f;
// The pieces fly at value 70 + value 71 x a factor around 1.
constexpr float pieceSpeedSpread = 0.25f;

void SetDrawn(Model* model, bool drawn)
{
    if (!model)
        return;
    if (drawn)
        model->flags |= VantoranEngine::ModelFlag::active;
    else
        model->flags &= ~VantoranEngine::ModelFlag::active;
}

bool IsDrawn(const Model* model) { return model && (model->flags & VantoranEngine::ModelFlag::active) != 0; }

void PlaceAt(Model* model, float x, float y, float angle = 0.0f)
{
    if (!model)
        return;
    model->RestoreBaseMatrix();
    if (angle != 0.0f) {
        Matrix4 r;
        VantoranEngine::MakeRotationZMatrix(r, angle);
        model->MultiplyWorldMatrix(r);
    }
    Matrix4 t;
    VantoranEngine::MakeTranslationMatrix(t, {x, y, 0.0f});
    model->MultiplyWorldMatrix(t);
}

void SetColour(Model* model, float r, float g, float b, float a)
{
    if (model && model->vertexBuffer)
        model->vertexBuffer->SetColor({r, g, b, a});
}

void StartAnimation(Model* model, bool loop)
{
    if (!model || !model->animationControl)
        return;
    model->animationControl->time = 0.0f;
    model->animationControl->play = 1;
    model->animationControl->loop = loop ? 1 : 0;
}

} // namespace

Cell::Cell(const CellContext& context, BoardPoint centre, TileType fileType, uint32_t reserved)
    : CellLogic(centre, fileType, reserved, context.timings), context(context)
{
    if (!HasTile())
        return;
    tile = Clone(context.prototypes.tile);
    shine = Clone(context.prototypes.shine);
    SetDrawn(shine, false);
    if (context.prototypes.sparkle) {
        sparkle = context.particles.CloneParticleSystem(*context.prototypes.sparkle);
        if (sparkle->spriteGroup) {
            sparkle->spriteGroup->SetShown(false);
            if (sparkle->spriteGroup->model)
                sparkle->spriteGroup->model->depth = sparkleDepth;
        }
    }
    BuildLayerModels();
    SetDrawn(tile, false);
    for (Model* layer : layers)
        SetDrawn(layer, false);
    PlaceAll();
}

Cell::~Cell()
{
    Delete(tile);
    Delete(shine);
    DeleteLayerModels();
    DeletePowerupModels();
    for (auto& piece : pieces)
        for (Fragment& f : piece->fragments)
            Delete(f.model);
    if (sparkle)
        context.particles.DeleteParticleSystem(sparkle);
}

Model* Cell::Clone(const Model* prototype)
{
    return prototype ? context.models.CloneModel(prototype, context.prototypes.camera, 0) : nullptr;
}

void Cell::Delete(Model*& model)
{
    if (!model)
        return;
    context.models.models.Remove(model);
    delete model;
    model = nullptr;
}

void Cell::BuildLayerModels()
{
    const int count = Layers();
    for (int i = 0; i < count; ++i) {
        Model* layer = Clone(context.prototypes.tile);
        if (!layer)
            continue;
        if (const auto* material = context.prototypes.materials[static_cast<size_t>(i) + 1])
            layer->SetShaderDescriptor(*material);
        layer->depth = i == 0 ? firstLayerDepth : secondLayerDepth;
        SetDrawn(layer, IsDrawn(tile));
        PlaceAt(layer, centre.x, centre.y);
        layers.push_back(layer);
    }
}

void Cell::DeleteLayerModels()
{
    for (Model*& layer : layers)
        Delete(layer);
    layers.clear();
}

void Cell::DeletePowerupModels()
{
    for (Model*& model : powerupModels)
        Delete(model);
}

void Cell::PlaceAll()
{
    PlaceAt(tile, centre.x, centre.y);
    PlaceAt(shine, centre.x, centre.y);
    for (Model* layer : layers)
        PlaceAt(layer, centre.x, centre.y);
}

void Cell::MoveBy(BoardPoint offset)
{
    centre.x += offset.x;
    centre.y += offset.y;
    PlaceAll();
}

void Cell::RemoveTileModels()
{
    RemoveTile();
    Delete(tile);
    Delete(shine);
    DeleteLayerModels();
    DeletePowerupModels();
}

void Cell::ApplyColour(float r, float g, float b, float a)
{
    SetColour(tile, r, g, b, a);
    for (Model* layer : layers)
        SetColour(layer, r, g, b, a);
    for (Model* model : powerupModels)
        SetColour(model, r, g, b, a);
}

void Cell::ApplyAlpha(float alpha) { ApplyColour(1.0f, 1.0f, 1.0f, alpha); }

void Cell::Update(float dt, bool isSelected)
{
    if (sparkle && sparkle->spriteGroup && sparkle->spriteGroup->IsShown() && !sparkle->emitting &&
        sparkle->liveCount == 0)
        sparkle->spriteGroup->SetShown(false);

    const CellStepResult step = Step(dt, isSelected);
    // Rebuilt layers first, so they take this frame's alpha with the tile.
    if (step.restoreLayers || static_cast<int>(layers.size()) != Layers())
        RestoreLayerModels();
    if (step.alpha)
        ApplyAlpha(*step.alpha);
    if (step.faded)
        ApplyColour(0.0f, 0.0f, 0.0f, 0.0f);
    if (step.shineAlpha)
        SetColour(shine, 1.0f, 1.0f, 1.0f, *step.shineAlpha);
    if (step.shineEnded)
        SetDrawn(shine, false);
    if (step.powerupExpired)
        DeletePowerupModels();
    if (step.blink)
        for (Model* model : powerupModels)
            SetDrawn(model, !IsDrawn(model));
    StepFragments(dt);
}

void Cell::StartAppear(float delay)
{
    if (!HasTile())
        return;
    CellLogic::StartAppear(delay);
    if (static_cast<int>(layers.size()) != Layers())
        RestoreLayerModels();
    ShowModels();
    ApplyAlpha(0.0f);
}

void Cell::StartDisappear(float delay)
{
    if (!HasTile())
        return;
    CellLogic::StartDisappear(delay);
    if (static_cast<int>(layers.size()) != Layers())
        RestoreLayerModels();
    ShowModels();
    ApplyAlpha(1.0f);
}

void Cell::StartShine(float delay)
{
    if (!HasTile())
        return;
    CellLogic::StartShine(delay);
    SetDrawn(shine, true);
    SetColour(shine, 1.0f, 1.0f, 1.0f, 0.0f);
}

void Cell::ShowModels()
{
    SetDrawn(tile, true);
    for (Model* layer : layers)
        SetDrawn(layer, true);
    for (Model* model : powerupModels)
        SetDrawn(model, true);
}

void Cell::Select()
{
    selected = true;
    if (tile && tile->shaderUser)
        tile->shaderUser->stageTime[0] = 1.0f;
    if (chip)
        chip->state = ChipState::Selected;
}

void Cell::Deselect()
{
    selected = false;
    if (tile && tile->shaderUser)
        tile->shaderUser->stageTime[0] = 0.0f;
    if (chip && chip->state == ChipState::Selected)
        chip->state = ChipState::Idle;
}

bool Cell::ExchangeChips(Cell& other)
{
    if (!chip || !other.chip)
        return false;
    std::swap(chip, other.chip);
    return true;
}

void Cell::StartSwap(Cell& other)
{
    if (!chip || !other.chip)
        return;
    swapPending = true;
    other.swapPending = true;
    const BoardPoint mine = chip->position;
    GetChip()->StartSwap(other.chip->position);
    other.GetChip()->StartSwap(mine);
}

void Cell::StartUnswap(Cell& other)
{
    if (!chip || !other.chip)
        return;
    const BoardPoint mine = chip->position;
    GetChip()->StartUnswap(other.chip->position);
    other.GetChip()->StartUnswap(mine);
}

void Cell::SwapKinds(Cell& other)
{
    Chip* a = GetChip();
    Chip* b = other.GetChip();
    if (!a || !b)
        return;
    std::swap(a->flowerKind, b->flowerKind);
    const BonusKind bonusA = a->bonus;
    const bool frozenA = a->frozen;
    a->SetBonus(b->bonus);
    b->SetBonus(bonusA);
    a->SetFrozen(b->frozen);
    b->SetFrozen(frozenA);
    a->RefreshPicture();
    b->RefreshPicture();
    if (lineEnd && a->IsStone())
        a->marked = true;
    if (other.lineEnd && b->IsStone())
        b->marked = true;
}

bool Cell::BreakLayer()
{
    const TileType before = type;
    if (!CellLogic::BreakLayer())
        return false;
    const bool upper = before == TileType::Triple;
    const size_t index = upper ? 1 : 0;
    StartFragments(context.prototypes.materials[index + 1], upper ? secondFragmentDepth : firstFragmentDepth);
    if (index < layers.size()) {
        Delete(layers[index]);
        layers.erase(layers.begin() + static_cast<std::ptrdiff_t>(index));
    }
    context.sounds.PlaySound(BoardSound::BreakCell);
    AddScore(ScoreEvent::LayerBroken);
    return true;
}

void Cell::AddScore(ScoreEvent event)
{
    context.score.total += context.score.GetPoints(static_cast<uint32_t>(event));
}

void Cell::RestoreLayerModels()
{
    DeleteLayerModels();
    BuildLayerModels();
}

void Cell::StartFragments(const VantoranEngine::ShaderDescriptor* material, float depth)
{
    const FragmentSettings& s = context.fragments;
    auto piece = std::make_unique<Piece>();
    piece->speedFactor = VantoranEngine::RandomSpread(1.0f, pieceSpeedSpread);
    for (size_t k = 0; k < 4; ++k) {
        Fragment& f = piece->fragments[k];
        const Vector3 start{centre.x + fragmentOffsets[k].x, centre.y + fragmentOffsets[k].y, 0.0f};
        const float side = (VantoranEngine::Random() & 1) ? 1.0f : -1.0f;
        const float throwWidth = s.throwMinimum + VantoranEngine::RandomFloat() * (s.throwMaximum - s.throwMinimum);
        const float lift = s.liftMinimum + VantoranEngine::RandomFloat() * (s.liftMaximum - s.liftMinimum);
        f.spin = VantoranEngine::RandomRange(s.spinMinimum, s.spinMaximum);
        const Vector3 end{start.x + side * throwWidth, fragmentEndY, 0.0f};
        const Vector3 top{(start.x + end.x) * 0.5f, std::min(start.y + lift, s.topLimit), 0.0f};
        f.path = MakeCurvePath(start, top, end);
        f.control.path = f.path.get();
        f.control.Restart();
        f.model = Clone(context.prototypes.fragments[k]);
        if (f.model) {
            if (material)
                f.model->SetShaderDescriptor(*material);
            f.model->depth = depth;
            PlaceAt(f.model, start.x, start.y);
        }
    }
    pieces.push_back(std::move(piece));
}

void Cell::StepFragments(float dt)
{
    const FragmentSettings& s = context.fragments;
    for (auto& piece : pieces) {
        for (Fragment& f : piece->fragments) {
            if (f.control.finished)
                continue;
            f.control.Advance((s.speed + s.speedSpread * piece->speedFactor) * dt);
            f.angle += f.spin * dt;
            PlaceAt(f.model, f.control.position.x, f.control.position.y, f.angle);
        }
    }
    std::erase_if(pieces, [this](std::unique_ptr<Piece>& piece) {
        for (const Fragment& f : piece->fragments)
            if (!f.control.finished)
                return false;
        for (Fragment& f : piece->fragments)
            Delete(f.model);
        return true;
    });
}

void Cell::SetPowerup(PowerupKind kind)
{
    if (!CellLogic::SetPowerup(kind, context.powerupLifetime))
        return;
    DeletePowerupModels();
    if (kind == PowerupKind::None)
        return;
    powerupModels[0] = Clone(context.prototypes.powerup);
    powerupModels[1] = Clone(context.prototypes.powerupBorder);
    const auto index = static_cast<size_t>(kind) - 1;
    if (powerupModels[0] && index < context.prototypes.powerupMaterials.size() &&
        context.prototypes.powerupMaterials[index])
        powerupModels[0]->SetShaderDescriptor(*context.prototypes.powerupMaterials[index]);
    for (Model* model : powerupModels) {
        PlaceAt(model, centre.x, centre.y);
        StartAnimation(model, true);
    }
    if (sparkle && powerupModels[0]) {
        sparkle->position = {centre.x, centre.y, 0.0f};
        sparkle->emitting = 1;
        if (sparkle->spriteGroup) {
            sparkle->spriteGroup->SetShown(true);
            if (sparkle->spriteGroup->model)
                sparkle->spriteGroup->model->depth = powerupModels[0]->depth - sparkleBelowBadge;
        }
    }
    context.sounds.PlaySound(BoardSound::PowerupAppear);
}

void Cell::PickUpPowerup()
{
    if (powerup == PowerupKind::None)
        return;
    const PowerupKind kind = powerup;
    context.popups.ShowPowerup(centre, kind);
    AddScore(ScoreEvent::PowerupPickedUp);
    if (sparkle) {
        sparkle->position = {centre.x, centre.y, 0.0f};
        sparkle->emissionTime = 0.0f;
        sparkle->emissionAccumulator = 0.0f;
        sparkle->lastKey = -1;
        sparkle->emitting = 1;
        if (sparkle->spriteGroup)
            sparkle->spriteGroup->SetShown(true);
    }
    context.powerups.Activate(kind);
    SetPowerup(PowerupKind::None);
    ++context.powerupsPickedUp;
}

void Cell::RestartLayerAnimations()
{
    for (Model* layer : layers)
        StartAnimation(layer, false);
}

} // namespace Petalwork

#include "game/board/ChipModels.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Color.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"

#include <cmath>

namespace Petalwork {

using VantoranEngine::Matrix4;
using VantoranEngine::Model;

namespace {

void SetDrawn(Model* model, bool drawn)
{
    if (!model)
        return;
    if (drawn)
        model->flags |= VantoranEngine::ModelFlag::active;
    else
        model->flags &= ~VantoranEngine::ModelFlag::active;
}

void SetColour(Model* model, const ChipLook::Colour& c)
{
    if (model && model->vertexBuffer)
        model->vertexBuffer->SetColor({c.r, c.g, c.b, c.a});
}

// base x scale (s, s, 1) x rotation about z x translation, applied in that order.
void Place(Model* model, float x, float y, float angle, float scale)
{
    if (!model)
        return;
    model->RestoreBaseMatrix();
    if (scale != 1.0f) {
        Matrix4 m;
        VantoranEngine::SetIdentityMatrix(m);
        m[0] = scale;
        m[5] = scale;
        model->MultiplyWorldMatrix(m);
    }
    if (angle != 0.0f) {
        Matrix4 r;
        VantoranEngine::MakeRotationZMatrix(r, angle);
        model->MultiplyWorldMatrix(r);
    }
    Matrix4 t;
    VantoranEngine::MakeTranslationMatrix(t, {x, y, 0.0f});
    model->MultiplyWorldMatrix(t);
}

void StartAnimation(Model* model)
{
    if (!model || !model->animationControl || model->animationControl->play)
        return;
    model->animationControl->time = 0.0f;
    model->animationControl->play = 1;
}

} // namespace

ChipModels::ChipModels(VantoranEngine::ModelManager& models, const ChipPrototypes& prototypes, bool withSecond)
    : models(models), prototypes(prototypes)
{
    main = CloneChip();
    if (withSecond) {
        second = CloneChip();
        SetDrawn(second, false);
    }
}

ChipModels::~ChipModels()
{
    Delete(main);
    Delete(second);
    Delete(bonus);
    for (Model*& model : ice)
        Delete(model);
}

Model* ChipModels::Clone(const Model* prototype)
{
    return prototype ? models.CloneModel(prototype, prototypes.camera, 0) : nullptr;
}

Model* ChipModels::CloneChip()
{
    Model* model = Clone(prototypes.chip);
    if (!model)
        return nullptr;
    if (prototypes.flowers)
        model->SetShaderDescriptor(*prototypes.flowers);
    if (model->animationControl)
        model->animationControl->speed = animationSpeed;
    return model;
}

void ChipModels::Delete(Model*& model)
{
    if (!model)
        return;
    models.models.Remove(model);
    delete model;
    model = nullptr;
}

void ChipModels::SyncBonus(const Chip& chip)
{
    if (bonusGeneration == chip.look.bonusModelGeneration)
        return;
    bonusGeneration = chip.look.bonusModelGeneration;
    Delete(bonus);
    const auto kind = static_cast<size_t>(chip.bonus);
    if (!chip.look.hasBonusModel || kind >= prototypes.bonuses.size())
        return;
    bonus = Clone(prototypes.bonuses[kind]);
    if (!bonus)
        return;
    bonus->depth = Chip::bonusDepth;
    if (auto* animation = bonus->animationControl.get()) {
        animation->time = chip.look.bonusAnimationStart * static_cast<float>(animation->frameCount);
        animation->play = 1;
        animation->loop = 1;
    }
}

void ChipModels::SyncIce(const Chip& chip)
{
    if (iceGeneration == chip.look.iceGeneration)
        return;
    iceGeneration = chip.look.iceGeneration;
    for (Model*& model : ice)
        Delete(model);
    ice.clear();
    if (!chip.look.hasIce)
        return;
    for (const Model* prototype : prototypes.ice) {
        if (Model* cube = Clone(prototype)) {
            cube->depth = Chip::iceDepth;
            ice.push_back(cube);
        }
    }
}

void ChipModels::Follow(const Chip& chip)
{
    const ChipLook& look = chip.look;
    SyncBonus(chip);
    SyncIce(chip);

    const float x = Chip::SnapCoordinate(chip.position.x);
    const float y = Chip::SnapCoordinate(chip.position.y);
    const float offset = look.doublingOffset;

    if (main) {
        SetDrawn(main, look.visible);
        main->depth = look.depth;
        SetColour(main, look.main);
        Place(main, x + offset, y, chip.angle, look.scale);
        if (main->shaderUser)
            main->shaderUser->stageTime[0] = static_cast<float>(look.picture);
        if (look.startAnimation)
            StartAnimation(main);
    }
    if (second) {
        SetDrawn(second, look.secondVisible);
        second->depth = look.depth;
        SetColour(second, look.second);
        Place(second, x - offset, y, chip.angle, look.scale);
        if (second->shaderUser)
            second->shaderUser->stageTime[0] = static_cast<float>(look.picture);
        if (look.startAnimation && chip.IsDoubling())
            StartAnimation(second);
    }
    if (bonus) {
        SetDrawn(bonus, look.visible);
        SetColour(bonus, look.main);
        Place(bonus, chip.position.x, chip.position.y, chip.angle, 1.0f);
    }
    for (Model* cube : ice) {
        SetDrawn(cube, look.visible);
        SetColour(cube, look.ice);
        // A breaking cube stays where it broke.
        const bool breaking = cube->animationControl && cube->animationControl->play;
        if (!breaking)
            Place(cube, chip.position.x, chip.position.y, 0.0f, 1.0f);
    }
}

} // namespace Petalwork

#include "game/board/ModelPlayer.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>

namespace Petalwork {

using VantoranEngine::Model;

void ModelPlayer::SetDrawn(Model* model, bool drawn)
{
    if (!model)
        return;
    if (drawn)
        model->flags |= VantoranEngine::ModelFlag::active;
    else
        model->flags &= ~VantoranEngine::ModelFlag::active;
}

bool ModelPlayer::IsDrawn(const Model* model)
{
    return model && (model->flags & VantoranEngine::ModelFlag::active);
}

void ModelPlayer::Place(Model* model, float x, float y)
{
    if (!model)
        return;
    model->RestoreBaseMatrix();
    VantoranEngine::Matrix4 t;
    VantoranEngine::MakeTranslationMatrix(t, {x, y, 0.0f});
    model->MultiplyWorldMatrix(t);
}

void ModelPlayer::SetColour(Model* model, const BasketColour& c)
{
    if (model && model->vertexBuffer)
        model->vertexBuffer->SetColor({c.r, c.g, c.b, c.a});
}

void ModelPlayer::KeepBase(Model* model)
{
    if (model)
        model->baseMatrix = model->worldMatrix;
}

void ModelPlayer::AddRange(Model* model, int id, unsigned first, unsigned last)
{
    if (model && model->animationControl)
        model->animationControl->AddAnimation(id, first, last);
}

void ModelPlayer::Play(Model* model, int id, float speed, bool loop)
{
    if (!model || !model->animationControl)
        return;
    auto& a = *model->animationControl;
    a.currentId = id;
    a.time = 0.0f;
    a.speed = speed;
    a.loop = loop ? 1 : 0;
    a.play = 1;
}

void ModelPlayer::Select(Model* model, int id)
{
    if (!model || !model->animationControl)
        return;
    auto& a = *model->animationControl;
    a.currentId = id;
    a.time = 0.0f;
    a.play = 0;
}

bool ModelPlayer::IsCurrent(const Model* model, int id)
{
    return model && model->animationControl && model->animationControl->currentId == id;
}

bool ModelPlayer::IsPlaying(const Model* model, int id)
{
    return IsCurrent(model, id) && model->animationControl->play;
}

bool ModelPlayer::HasEnded(const Model* model, int id)
{
    // A missing model or one without animation has nothing to wait for.
    if (!model || !model->animationControl)
        return true;
    return IsCurrent(model, id) && !model->animationControl->play;
}

bool ModelPlayer::IsLooping(const Model* model, int id)
{
    return IsPlaying(model, id) && model->animationControl->loop;
}

void ModelPlayer::SetPosition(Model* model, float fraction)
{
    if (!model || !model->animationControl)
        return;
    auto& a = *model->animationControl;
    const auto it = a.animations.find(a.currentId);
    if (it == a.animations.end())
        return;
    const float length = static_cast<float>(it->second.last - std::min(it->second.first, it->second.last));
    a.time = std::clamp(fraction, 0.0f, 1.0f) * length;
}

VantoranEngine::BoundingBox ModelPlayer::Box(const Model* model)
{
    return model ? model->boundingBox : VantoranEngine::BoundingBox{};
}

} // namespace Petalwork

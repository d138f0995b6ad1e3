#include "game/screens/FlowerScreen.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/gui/GUIManager.h"

namespace Petalwork {

namespace ModelFlag = VantoranEngine::ModelFlag;

FlowerScreen::FlowerScreen(VantoranEngine::Engine* engine, const VantoranEngine::Model* prototype)
    : models(engine->modelManager.get())
{
    if (prototype == nullptr)
        return;
    model = models->CloneModel(prototype, engine->guiManager->GetCamera(), 0);
    // The GUI drawing class: unlit, no depth test, drawn back to front by the depth set here.
    model->flags &= ~(ModelFlag::lit | ModelFlag::depthTest | ModelFlag::frontToBack);
    model->flags |= ModelFlag::backToFront | ModelFlag::manualDepth;
    if (model->animationControl != nullptr) {
        model->animationControl->AddAnimation(appearAnimation, 0, 15);
        model->animationControl->AddAnimation(disappearAnimation, 15, 30);
    }
    model->depth = depth;
    model->flags &= ~ModelFlag::active;
}

FlowerScreen::~FlowerScreen()
{
    if (model != nullptr && models->models.Remove(model))
        delete model;
}

void FlowerScreen::SetDrawn(bool drawn)
{
    if (model == nullptr)
        return;
    if (drawn)
        model->flags |= ModelFlag::active;
    else
        model->flags &= ~ModelFlag::active;
}

bool FlowerScreen::IsDrawn() const
{
    return model != nullptr && (model->flags & ModelFlag::active) != 0;
}

void FlowerScreen::Play(int animation)
{
    current = animation;
    if (model != nullptr && model->animationControl != nullptr) {
        VantoranEngine::AnimationControl& control = *model->animationControl;
        control.currentId = animation;
        control.time = 0.0f;
        control.loop = 0;
        control.play = 1;
    }
}

bool FlowerScreen::IsPlaying() const
{
    if (model == nullptr || model->animationControl == nullptr)
        return false;
    const VantoranEngine::AnimationControl& control = *model->animationControl;
    const bool animated = control.frameCount > 1 && (model->flags & (ModelFlag::morphFrames | ModelFlag::skinned)) != 0;
    return animated && control.play != 0;
}

} // namespace Petalwork

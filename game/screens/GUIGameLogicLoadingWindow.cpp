#include "game/screens/GUIGameLogicLoadingWindow.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/SoundPlayer.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

using VantoranEngine::GUIWindow;
using VantoranEngine::Model;
namespace ModelFlag = VantoranEngine::ModelFlag;

GUIGameLogicLoadingWindow::GUIGameLogicLoadingWindow(VantoranEngine::Engine* engine,
                                                     GameFramework::SoundPlayer* soundPlayer)
    : GUILoadingWindowBase(engine), gui(engine->guiManager.get()), models(engine->modelManager.get()),
      soundPlayer(soundPlayer)
{
    marker = gui->CreateUntexturedWindow(GUIWindow::Tier20, {0.0f, 0.0f}, {0.0f, 0.0f}, nullptr);
    flowerScreen = models->LoadModel("gui\\stage_screen\\models\\flower_screen.mlf", gui->GetCamera(), 0);
    // The GUI drawing class: unlit, no depth test, drawn back to front by the depth set here.
    flowerScreen->flags &= ~(ModelFlag::lit | ModelFlag::depthTest | ModelFlag::frontToBack);
    flowerScreen->flags |= ModelFlag::backToFront | ModelFlag::manualDepth;
    flowerScreen->flags &= ~ModelFlag::active;
    if (flowerScreen->animationControl != nullptr) {
        flowerScreen->animationControl->AddAnimation(closeAnimation, 0, 15);
        flowerScreen->animationControl->AddAnimation(openAnimation, 15, 30);
    }
    flowerScreen->depth = modelDepth;
}

GUIGameLogicLoadingWindow::~GUIGameLogicLoadingWindow()
{
    if (models->models.Remove(flowerScreen))
        delete flowerScreen;
    gui->DeleteWindow(marker);
}

bool GUIGameLogicLoadingWindow::IsUp() const
{
    return marker->visible;
}

bool GUIGameLogicLoadingWindow::IsModelDrawn() const
{
    return (flowerScreen->flags & ModelFlag::active) != 0;
}

bool GUIGameLogicLoadingWindow::HasStopped(int id) const
{
    // A model whose frames the engine does not play (the box that stands in for a missing file) ends
    // each animation at once, so the level still loads.
    const VantoranEngine::AnimationControl* animation = flowerScreen->animationControl.get();
    const bool animated = animation != nullptr && animation->frameCount > 1 &&
                          (flowerScreen->flags & (ModelFlag::morphFrames | ModelFlag::skinned)) != 0;
    return currentAnimation == id && (!animated || animation->play == 0);
}

void GUIGameLogicLoadingWindow::PlayAnimation(int id)
{
    currentAnimation = id;
    if (VantoranEngine::AnimationControl* animation = flowerScreen->animationControl.get()) {
        animation->currentId = id;
        animation->time = 0.0f;
        animation->loop = 0;
        animation->play = 1;
    }
}

void GUIGameLogicLoadingWindow::Show(GameFramework::DataKeeper* data)
{
    GUILoadingWindowBase::Show(data);
    SetShown(marker, true);
    phase = 0;
    flowerScreen->flags |= ModelFlag::active;
    if (skip) {
        // The screen is covered already (the level-complete overlay closed its own flower screen):
        // load at once and open over the new level.
        PlayAnimation(openAnimation);
        RunLoading();
    } else {
        PlayAnimation(closeAnimation);
    }
}

void GUIGameLogicLoadingWindow::Hide()
{
    GUILoadingWindowBase::Hide();
    SetShown(marker, false);
    skip = false;
    phase = 0;
}

void GUIGameLogicLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    // Also while the screen is down: the opened flower screen goes once it has finished over the level.
    if (IsModelDrawn() && HasStopped(openAnimation))
        flowerScreen->flags &= ~ModelFlag::active;
    if (!marker->visible)
        return;
    if (skip) {
        result = 1;
        return;
    }
    if (done) {
        soundPlayer->PlaySound(closedSound);
        result = 1;
        return;
    }
    if (phase == 1) {
        phase = 2;
    } else if (phase == 2) {
        phase = 0;
        RunLoading();
    }
    if (HasStopped(closeAnimation)) {
        PlayAnimation(openAnimation);
        phase = 1;
    }
}

} // namespace Petalwork

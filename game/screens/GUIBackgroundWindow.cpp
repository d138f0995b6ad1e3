#include "game/screens/GUIBackgroundWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/gui/GUIManager.h"
#include "game/board/GameData.h"
#include "game/screens/GUIFlowerHouse.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

using VantoranEngine::Model;
namespace ModelFlag = VantoranEngine::ModelFlag;

namespace {

constexpr float alphaEpsilon = 0.0001f;
constexpr float logoLayerStep = 0.01f; // the logo draws in front of the dialog layer

void SetDrawn(Model* model, bool drawn)
{
    if (drawn)
        model->flags |= ModelFlag::active;
    else
        model->flags &= ~ModelFlag::active;
}

} // namespace

GUIBackgroundWindow::GUIBackgroundWindow(VantoranEngine::Engine* engine, GUIFlowerHouse* flowerHouse,
                                         GameData* gameData)
    : engine(engine), gui(engine->guiManager.get()), flowerHouse(flowerHouse),
      timerManager(engine->timerManager.get()), modelManager(engine->modelManager.get())
{
    pathModel = modelManager->CloneModel(gameData->helperLogoModel, gui->GetCamera(), 0);
    if (VantoranEngine::AnimationControl* path = pathModel->animationControl.get()) {
        path->AddAnimation(arrivalAnimation, 5, 10);
        path->AddAnimation(departureAnimation, 0, 5);
        path->play = 0;
    }
    logoModel = modelManager->CloneModel(gameData->gameLogoModel, gui->GetCamera(), 0);
    if (VantoranEngine::AnimationControl* logo = logoModel->animationControl.get()) {
        logo->loop = 1;
        logo->play = 1;
    }
    logoModel->depth = flowerHouse->GetDialogLayer()->depth - logoLayerStep;
    logoModel->baseMatrix = logoModel->worldMatrix;
    SetDrawn(logoModel, true);
}

GUIBackgroundWindow::~GUIBackgroundWindow()
{
    for (Model* model : {logoModel, pathModel})
        if (modelManager->models.Remove(model))
            delete model;
}

bool GUIBackgroundWindow::IsLogoShown() const
{
    return (logoModel->flags & ModelFlag::active) != 0;
}

void GUIBackgroundWindow::PlaceLogo()
{
    pathModel->boundingBox.Update(true);
    VantoranEngine::Matrix4 translation;
    VantoranEngine::MakeTranslationMatrix(translation, pathModel->boundingBox.centre);
    VantoranEngine::Matrix4 placement;
    VantoranEngine::MultiplyMatrices(placement, translation, logoModel->baseMatrix);
    logoModel->SetWorldMatrix(placement);
    logoModel->boundingBox.Update(true);
}

void GUIBackgroundWindow::Update()
{
    flowerHouse->Update();
    if (!IsLogoShown())
        return;
    PlaceLogo();
    fadeTime += timerManager->frameTime;
    const float progress = std::min(fadeTime * fadeSpeed, 1.0f);
    const float newAlpha = fadingOut ? 1.0f - progress : progress;
    if (std::fabs(newAlpha - alpha) > alphaEpsilon) {
        alpha = newAlpha;
        if (logoModel->vertexBuffer != nullptr)
            logoModel->vertexBuffer->SetColor({1.0f, 1.0f, 1.0f, alpha});
    }
    if (fadingOut && alpha < alphaEpsilon)
        SetDrawn(logoModel, false);
}

void GUIBackgroundWindow::PlacePath(int animation, bool playing)
{
    if (VantoranEngine::AnimationControl* path = pathModel->animationControl.get()) {
        path->currentId = animation;
        path->time = 0.0f;
        path->loop = 0;
        path->play = playing ? 1 : 0;
    }
}

void GUIBackgroundWindow::Reset()
{
    PlacePath(arrivalAnimation, true);
    SetDrawn(logoModel, true);
    PlaceLogo();
    fadingOut = false;
    fadeTime = 0.0f;
    alpha = 0.0f;
}

void GUIBackgroundWindow::Leave()
{
    PlacePath(departureAnimation, true);
    fadingOut = true;
    fadeTime = 0.0f;
}

void GUIBackgroundWindow::Remove()
{
    PlacePath(arrivalAnimation, false);
    SetDrawn(logoModel, false);
    fadeTime = 0.0f;
    alpha = 0.0f;
    fadingOut = false;
}

} // namespace Petalwork

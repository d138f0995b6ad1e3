#include "game/screens/GUIFlowerHouse.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"
#include "game/screens/GUIWindowShown.h"

#include <algorithm>
#include <limits>

namespace Petalwork {

using VantoranEngine::Color;
using VantoranEngine::GUIWindow;
using VantoranEngine::Model;
using VantoranEngine::Vector3;
namespace ModelFlag = VantoranEngine::ModelFlag;

namespace {

const Color silhouette{0.0f, 0.0f, 0.0f, 0.5f};
const Color plain{1.0f, 1.0f, 1.0f, 1.0f};
constexpr float depthStep = 0.01f;        // between the scene's layers
constexpr float outlineDepthStep = 0.005f; // an outline in front of its flower

void SetDrawn(Model* model, bool drawn)
{
    if (drawn)
        model->flags |= ModelFlag::active;
    else
        model->flags &= ~ModelFlag::active;
}

bool IsDrawn(const Model* model)
{
    return (model->flags & ModelFlag::active) != 0;
}

void Tint(Model* model, const Color& colour)
{
    if (model->vertexBuffer != nullptr)
        model->vertexBuffer->SetColor(colour);
}

} // namespace

GUIFlowerHouse::GUIFlowerHouse(ProfileManager* profiles, GameFramework::SoundPlayer* soundPlayer,
                               VantoranEngine::Engine* engine, GameData* gameData)
    : gameData(gameData), profiles(profiles), soundPlayer(soundPlayer), engine(engine),
      timerManager(engine->timerManager.get()), particleManager(engine->particleSystemManager.get()),
      modelManager(engine->modelManager.get()), gui(engine->guiManager.get()), controls(engine->controls.get())
{
    plantingEffect = particleManager->CloneParticleSystem(*gameData->stageScreenFlowerParticles);
    plantingEffect->emitterShape = VantoranEngine::ParticleSystem::Box;

    root = gui->CreateUntexturedWindow(0, {0.0f, 0.0f}, {0.0f, 0.0f}, nullptr);
    dialogLayer = gui->CreateUntexturedWindow(GUIWindow::Shown, {0.0f, 0.0f}, {0.0f, 0.0f}, root);
    dialogLayer->SetLayer(
        static_cast<int32_t>(gameData->flowerHouseSceneModels.size() + gameData->flowerHouseFlowerModels.size() + 1));

    for (const Model* prototype : gameData->flowerHouseSceneModels) {
        Model* model = Clone(prototype);
        SetDrawn(model, false);
        sceneModels.push_back(model);
    }
    for (const Model* prototype : gameData->flowerHouseFlowerModels) {
        Model* flower = Clone(prototype);
        SetDrawn(flower, false);
        flowerModels.push_back(flower);
        Model* outline = Clone(prototype);
        outline->SetShaderDescriptor(*gameData->flowerHouseStrokeMaterial);
        outlineModels.push_back(outline);
    }
}

GUIFlowerHouse::~GUIFlowerHouse()
{
    for (std::vector<Model*>* list : {&sceneModels, &flowerModels, &outlineModels})
        for (Model*& model : *list)
            DeleteModel(model);
    particleManager->DeleteParticleSystem(plantingEffect);
    gui->DeleteWindow(dialogLayer);
    gui->DeleteWindow(root);
}

Model* GUIFlowerHouse::Clone(const Model* prototype)
{
    Model* model = modelManager->CloneModel(prototype, gui->GetCamera(), 0);
    // Each clone loops its own animation from a random point, so the scene does not move in step.
    if (VantoranEngine::AnimationControl* animation = model->animationControl.get()) {
        animation->loop = 1;
        animation->time = VantoranEngine::RandomFloat() * static_cast<float>(animation->frameCount);
        animation->play = 1;
    }
    return model;
}

void GUIFlowerHouse::DeleteModel(Model*& model)
{
    if (model != nullptr && modelManager->models.Remove(model))
        delete model;
    model = nullptr;
}

Profile* GUIFlowerHouse::CurrentProfile() const
{
    return dynamic_cast<Profile*>(profiles->GetCurrentProfile());
}

void GUIFlowerHouse::Show()
{
    SetShown(root, true);
    root->SetParent(nullptr);
    shownProfile = CurrentProfile();
    Rebuild();
}

void GUIFlowerHouse::Hide()
{
    SetShown(root, false);
    for (Model* model : sceneModels)
        SetDrawn(model, false);
    for (Model* model : flowerModels)
        SetDrawn(model, false);
}

size_t GUIFlowerHouse::StageCount(const Profile& profile) const
{
    return std::min(profile.perStageValues.size(), gameData->flowerHouseGroups.size());
}

int GUIFlowerHouse::PlantedCount(const Profile& profile, size_t stage) const
{
    const int listSize = static_cast<int>(gameData->flowerHouseGroups[stage].flowers.size());
    return std::clamp(static_cast<int>(profile.perStageValues[stage]), 0, listSize);
}

int GUIFlowerHouse::FlowerAt(size_t stage, int position) const
{
    const std::vector<int32_t>& list = gameData->flowerHouseGroups[stage].flowers;
    if (position < 0 || position >= static_cast<int>(list.size()))
        return -1;
    const int flower = list[static_cast<size_t>(position)];
    return flower >= 0 && flower < static_cast<int>(flowerModels.size()) ? flower : -1;
}

bool GUIFlowerHouse::IsFlowerShown(int flower) const
{
    return flower >= 0 && flower < static_cast<int>(flowerModels.size()) &&
           IsDrawn(flowerModels[static_cast<size_t>(flower)]);
}

void GUIFlowerHouse::Rebuild()
{
    const float rootDepth = root->depth;
    for (size_t i = 0; i < sceneModels.size(); ++i) {
        sceneModels[i]->depth = rootDepth - static_cast<float>(i) * depthStep;
        SetDrawn(sceneModels[i], true);
    }
    // The flowers go first, so a profile that disappears takes its flowers with it.
    for (size_t i = 0; i < flowerModels.size(); ++i) {
        const float layer = static_cast<float>(sceneModels.size()) + static_cast<float>(gameData->flowerHouseFlowerLayers[i]);
        flowerModels[i]->depth = rootDepth - layer * depthStep;
        outlineModels[i]->depth = flowerModels[i]->depth - outlineDepthStep;
        SetDrawn(flowerModels[i], false);
        SetDrawn(outlineModels[i], false);
    }
    if (shownProfile == nullptr)
        return;
    for (size_t stage = 0; stage < StageCount(*shownProfile); ++stage) {
        const int count = PlantedCount(*shownProfile, stage);
        for (int position = 0; position < count; ++position) {
            const int flower = FlowerAt(stage, position);
            if (flower >= 0)
                SetDrawn(flowerModels[static_cast<size_t>(flower)], true);
        }
    }
}

void GUIFlowerHouse::Offer()
{
    offering = true;
    finished = false;
    blinkDone = false;
    waitingFlowers.clear();
    waitingOutlines.clear();
    if (shownProfile != nullptr) {
        for (size_t stage = 0; stage < StageCount(*shownProfile); ++stage) {
            const int flower = FlowerAt(stage, PlantedCount(*shownProfile, stage));
            if (flower < 0)
                continue; // the stage's list is used up
            const int prerequisite = gameData->flowerHouseGroups[stage].value;
            if (prerequisite != -1 && !IsFlowerShown(prerequisite))
                continue;
            waitingFlowers.push_back(flowerModels[static_cast<size_t>(flower)]);
            waitingOutlines.push_back(outlineModels[static_cast<size_t>(flower)]);
        }
    }
    for (Model* flower : waitingFlowers) {
        Tint(flower, silhouette);
        SetDrawn(flower, true);
    }
    for (Model* outline : waitingOutlines)
        SetDrawn(outline, true);
    if (waitingFlowers.empty())
        finished = true;
}

void GUIFlowerHouse::Reset()
{
    offering = false;
    finished = false;
    blinkDone = false;
    for (Model* flower : flowerModels)
        Tint(flower, plain);
    for (Model* flower : waitingFlowers)
        SetDrawn(flower, false);
    for (Model* outline : waitingOutlines)
        SetDrawn(outline, false);
    waitingFlowers.clear();
    waitingOutlines.clear();
}

bool GUIFlowerHouse::HitByCursor(const Model* model) const
{
    return IsHitAt(model, gui->GetCursorPosition());
}

bool GUIFlowerHouse::IsHitAt(const Model* model, const VantoranEngine::Vector2& cursor) const
{
    const VantoranEngine::Camera& camera = *gui->GetCamera();
    // GUI units to the camera's viewport pixels, from the bottom-left corner.
    const float x = cursor.x * static_cast<float>(camera.viewportWidth) / camera.orthoWidth;
    const float y = cursor.y * static_cast<float>(camera.viewportHeight) / camera.orthoHeight;
    const Vector3 nearPoint = engine->cameraManager->Unproject(camera, {x, y, 0.0f});
    const Vector3 farPoint = engine->cameraManager->Unproject(camera, {x, y, 1.0f});
    const VantoranEngine::Ray segment{nearPoint, {farPoint.x - nearPoint.x, farPoint.y - nearPoint.y,
                                                  farPoint.z - nearPoint.z}};
    return model->Pick(segment);
}

void GUIFlowerHouse::Update()
{
    if (!root->visible)
        return;
    Profile* current = CurrentProfile();
    if (current != shownProfile) {
        shownProfile = current;
        Rebuild();
    }
    if (shownProfile != nullptr && offering) {
        if (!finished)
            for (Model* flower : waitingFlowers)
                Tint(flower, HitByCursor(flower) ? plain : silhouette);
        if (controls->IsKeyPressed("MOUSE1")) {
            for (size_t stage = 0; stage < StageCount(*shownProfile); ++stage) {
                const int flower = FlowerAt(stage, PlantedCount(*shownProfile, stage));
                if (flower < 0)
                    continue;
                Model* model = flowerModels[static_cast<size_t>(flower)];
                const auto waiting = std::find(waitingFlowers.begin(), waitingFlowers.end(), model);
                if (waiting == waitingFlowers.end() || !HitByCursor(model))
                    continue;
                Plant(*shownProfile, stage, static_cast<size_t>(waiting - waitingFlowers.begin()));
                break;
            }
        } else if (blinkDone && !controls->IsKeyDown("MOUSE1")) {
            finished = true;
        }
    }
    UpdateBlinking();
}

void GUIFlowerHouse::Plant(Profile& profile, size_t stage, size_t waitingIndex)
{
    profile.perStageValues[stage] = PlantedCount(profile, stage) + 1;
    profile.Save();
    Model* flower = waitingFlowers[waitingIndex];
    Tint(flower, plain);
    soundPlayer->PlaySound(plantingSound);
    plantedFlower = flower;
    plantedOutline = waitingOutlines[waitingIndex];
    waitingFlowers.erase(waitingFlowers.begin() + static_cast<std::ptrdiff_t>(waitingIndex));
    waitingOutlines.erase(waitingOutlines.begin() + static_cast<std::ptrdiff_t>(waitingIndex));
    blinkTimer = gameData->settings->plantedBlinkInterval;
    blinkCount = 2 * gameData->settings->plantedBlinkCount + 1;

    // The burst fills the flower's box, in front of every model of the house.
    flower->boundingBox.Update(true);
    const VantoranEngine::BoundingBox& box = flower->boundingBox;
    float lowestDepth = std::numeric_limits<float>::max();
    for (const std::vector<Model*>* list : {&sceneModels, &flowerModels, &outlineModels})
        for (const Model* model : *list)
            lowestDepth = std::min(lowestDepth, model->depth);
    if (plantingEffect->spriteGroup != nullptr) {
        plantingEffect->spriteGroup->SetShown(true);
        if (plantingEffect->spriteGroup->model != nullptr)
            plantingEffect->spriteGroup->model->depth = lowestDepth - 1.0f;
    }
    plantingEffect->position = {box.centre.x, box.centre.y, 0.0f};
    plantingEffect->emitterBox = VantoranEngine::BoundingBox::FromCorners(
        {box.centre.x - box.halfExtents.x, box.centre.y - box.halfExtents.y, box.centre.z - box.halfExtents.z},
        {box.centre.x + box.halfExtents.x, box.centre.y + box.halfExtents.y, box.centre.z + box.halfExtents.z});
    plantingEffect->emitterBox.Update(false);
    plantingEffect->emitting = 1;
}

void GUIFlowerHouse::UpdateBlinking()
{
    if (plantedFlower == nullptr || plantedOutline == nullptr)
        return;
    blinkTimer -= timerManager->frameTime;
    if (blinkTimer >= 0.0f)
        return;
    --blinkCount;
    if (blinkCount <= 0) {
        blinkDone = true;
        plantedFlower = nullptr;
        plantedOutline = nullptr;
        return;
    }
    Tint(plantedFlower, plain);
    SetDrawn(plantedOutline, blinkCount % 2 == 0);
    blinkTimer = gameData->settings->plantedBlinkInterval;
}

} // namespace Petalwork

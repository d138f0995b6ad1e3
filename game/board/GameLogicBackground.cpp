#include "game/board/GameLogicBackground.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Random.h"
#include "game/board/GameLogicData.h"
#include "game/board/ModelPlayer.h"

namespace Petalwork {

using VantoranEngine::Model;

GameLogicBackground::GameLogicBackground(const GameFramework::LevelInfo& level_, const GameLogicData& data,
                                         VantoranEngine::ModelManager& models_, VantoranEngine::Camera* camera,
                                         const std::vector<Model*>& butterflies)
    : level(level_), models(models_)
{
    float depth = firstDepth;
    for (size_t i = 0; i < data.backgroundModels.size(); ++i) {
        Model* model = models.CloneModel(data.backgroundModels[i], camera, 0);
        depth = firstDepth - depthStep * static_cast<float>(i);
        model->depth = depth;
        StartLoop(model);
        ModelPlayer::SetDrawn(model, false);
        sceneModels.push_back(model);
    }
    // Counts were checked at load (0 <= minimum <= maximum).
    const uint32_t span = static_cast<uint32_t>(data.butterflyMaximum - data.butterflyMinimum) + 1u;
    const int32_t count = data.butterflyMinimum + static_cast<int32_t>(VantoranEngine::Random() % span);
    if (butterflies.empty())
        return;
    for (int32_t j = 0; j < count; ++j) {
        const Model* prototype = butterflies[VantoranEngine::Random() % butterflies.size()];
        Model* model = models.CloneModel(prototype, camera, butterflyFlag);
        model->depth = depth - depthStep * static_cast<float>(j);
        StartLoop(model);
        ModelPlayer::SetDrawn(model, false);
        const float x = data.areaMinimumX + VantoranEngine::RandomFloat() * (data.areaMaximumX - data.areaMinimumX);
        const float y = data.areaMinimumY + VantoranEngine::RandomFloat() * (data.areaMaximumY - data.areaMinimumY);
        ModelPlayer::Place(model, x, y);
        butterflyModels.push_back(model);
    }
}

GameLogicBackground::~GameLogicBackground()
{
    for (Model* model : sceneModels)
        if (models.models.Remove(model))
            delete model;
    for (Model* model : butterflyModels)
        if (models.models.Remove(model))
            delete model;
}

void GameLogicBackground::StartLoop(Model* model)
{
    VantoranEngine::AnimationControl* animation = model->animationControl.get();
    const float start = VantoranEngine::RandomFloat();
    if (!animation)
        return;
    animation->time = start * static_cast<float>(animation->frameCount);
    animation->loop = 1;
    animation->play = 1;
}

void GameLogicBackground::SetVisible(bool flag)
{
    if (flag == visible)
        return;
    visible = flag;
    for (Model* model : sceneModels)
        ModelPlayer::SetDrawn(model, flag);
    for (Model* model : butterflyModels)
        ModelPlayer::SetDrawn(model, flag);
}

} // namespace Petalwork

#include "game/board/LevelComplete.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "framework/ProfileManager.h"
#include "game/board/Chip.h"
#include "game/board/GameData.h"
#include "game/board/ModelPlayer.h"
#include "game/board/model/ChipManagerLogic.h"

#include <algorithm>

namespace Petalwork {

using VantoranEngine::Model;
using VantoranEngine::ParticleSystem;
using P = ModelPlayer;

namespace {

constexpr float glowInFront = 0.001f;
constexpr float trailInFront = 0.01f;
constexpr float flowerStep = 0.01f;
constexpr float particlesInFront = 0.01f;
constexpr float carrierParticlesInFront = 0.001f;

void SetSystemShown(ParticleSystem* system, bool shown)
{
    if (system && system->spriteGroup)
        system->spriteGroup->SetShown(shown);
}

void PlaceSystem(ParticleSystem* system, float x, float y)
{
    if (system)
        system->position = {x, y, 0.0f};
}

void SetEmitting(ParticleSystem* system, bool emitting)
{
    if (system)
        system->emitting = emitting ? 1 : 0;
}

// Plays range `id` once from its start at the model's own speed.
void PlayOnce(Model* model, int id)
{
    P::Play(model, id, model && model->animationControl ? model->animationControl->speed : 0.0f, false);
}

} // namespace

LevelCompletePrototypes LevelCompletePrototypes::From(const GameData& data, VantoranEngine::Camera* camera)
{
    LevelCompletePrototypes p;
    p.bonus = data.bonusModel;
    for (size_t i = 0; i < p.bonusMaterials.size() && i < data.bonusMaterials.size(); ++i)
        p.bonusMaterials[i] = data.bonusMaterials[i];
    p.glow = data.littleBasketParticles;
    p.trail = data.afterBonusFallParticles;
    p.panel = data.levelCompleteBasketModel;
    p.carrier = data.basketHelperModel;
    p.carrierParticles = data.bigBasketParticles;
    p.flowers.assign(data.levelCompleteFlowers.begin(), data.levelCompleteFlowers.end());
    p.order = data.orderModel;
    for (size_t i = 0; i < p.orderMaterials.size() && i < data.orderMaterials.size(); ++i)
        p.orderMaterials[i] = data.orderMaterials[i];
    p.orderParticles = data.orderParticles;
    p.camera = camera;
    return p;
}

LevelComplete::LevelComplete(const LevelCompleteContext& context_, const LevelCompletePrototypes& prototypes_,
                             const GameFramework::StageInfo& stage_, const GameFramework::LevelInfo& level_)
    : context(context_), prototypes(prototypes_), stage(stage_), level(level_)
{
    if (context.gui)
        captions = context.gui->CreateUntexturedWindow(VantoranEngine::GUIWindow::Tier20, {0.0f, 0.0f},
                                                       {0.0f, 0.0f}, context.panelLayer);
    panel = Clone(prototypes.panel, prototypes.panel ? prototypes.panel->depth : 0.0f);
    carrier = Clone(prototypes.carrier, prototypes.carrier ? prototypes.carrier->depth : 0.0f);
    P::AddRange(carrier, risingAnimation, 0, 20);
    P::AddRange(carrier, leavingAnimation, 20, 40);
    const float panelDepth = panel ? panel->depth : 0.0f;
    carrierParticles = CloneSystem(prototypes.carrierParticles, panelDepth - carrierParticlesInFront);
    for (size_t n = 0; n < prototypes.flowers.size(); ++n) {
        const uint32_t r = context.random.Next();
        Model* flower = Clone(prototypes.flowers[n], panelDepth - flowerStep * static_cast<float>(n + 1));
        if (flower && flower->shaderUser && !stage.flowerKinds.empty())
            flower->shaderUser->stageTime[0] = static_cast<float>(stage.flowerKinds[r % stage.flowerKinds.size()]);
        flowers.push_back(flower);
    }
}

LevelComplete::~LevelComplete()
{
    for (auto& item : items) {
        DeleteModel(item->model);
        DeleteSystem(item->glow);
        DeleteSystem(item->trail);
    }
    items.clear();
    for (Model*& flower : flowers)
        DeleteModel(flower);
    DeleteModel(orderModel);
    DeleteSystem(orderParticles);
    DeleteSystem(carrierParticles);
    DeleteModel(carrier);
    DeleteModel(panel);
    if (context.gui && captions)
        context.gui->DeleteWindow(captions);
}

Model* LevelComplete::Clone(const Model* prototype, float depth)
{
    if (!prototype || !context.models)
        return nullptr;
    Model* model = context.models->CloneModel(prototype, prototypes.camera, 0);
    model->depth = depth;
    P::KeepBase(model);
    P::SetDrawn(model, false);
    return model;
}

ParticleSystem* LevelComplete::CloneSystem(const ParticleSystem* prototype, float depth)
{
    if (!prototype || !context.particles)
        return nullptr;
    ParticleSystem* system = context.particles->CloneParticleSystem(*prototype);
    system->emitting = 0;
    SetSystemShown(system, false);
    if (system->spriteGroup && system->spriteGroup->model)
        system->spriteGroup->model->depth = depth;
    return system;
}

void LevelComplete::DeleteModel(Model*& model)
{
    if (model && context.models && context.models->models.Remove(model))
        delete model;
    model = nullptr;
}

void LevelComplete::DeleteSystem(ParticleSystem*& system)
{
    if (system && context.particles)
        context.particles->DeleteParticleSystem(system);
    system = nullptr;
}

LevelComplete::Order LevelComplete::ChooseOrder(int32_t sum, int32_t silverThreshold, int32_t goldThreshold)
{
    if (sum < silverThreshold)
        return Order::Copper;
    if (sum < goldThreshold)
        return Order::Silver;
    return Order::Gold;
}

std::vector<BoardPoint> LevelComplete::Layout(size_t count)
{
    static const std::vector<BoardPoint> layouts[6] = {
        {{400, 473}},
        {{357, 468}, {443, 468}},
        {{316, 451}, {400, 473}, {484, 451}},
        {{281, 424}, {357, 468}, {443, 468}, {519, 424}},
        {{255, 390}, {316, 451}, {400, 473}, {484, 451}, {545, 390}},
        {{235, 350}, {281, 424}, {357, 468}, {443, 468}, {519, 424}, {565, 350}},
    };
    if (count == 0)
        return {};
    return layouts[std::min<size_t>(count, 6) - 1];
}

void LevelComplete::AddBonus(LevelBonusKind kind)
{
    for (const auto& item : items)
        if (item->kind == kind)
            return;
    auto item = std::make_unique<LevelBonus>();
    item->kind = kind;
    const size_t index = static_cast<size_t>(kind);
    item->model = Clone(prototypes.bonus, prototypes.bonus ? prototypes.bonus->depth : 0.0f);
    if (item->model && index < prototypes.bonusMaterials.size() && prototypes.bonusMaterials[index])
        item->model->SetShaderDescriptor(*prototypes.bonusMaterials[index]);
    const float depth = item->model ? item->model->depth : 0.0f;
    item->glow = CloneSystem(prototypes.glow, depth - glowInFront);
    item->trail = CloneSystem(prototypes.trail, depth - trailInFront);
    if (context.gui)
        item->caption = context.gui->GetTextManager()->GetText(LevelBonus::CaptionKey(kind));
    item->spinSpeed = context.random.Range(context.settings.flyingSpin.minimum, context.settings.flyingSpin.maximum);
    item->captionTime = context.settings.bonusCaptionTime;
    items.push_back(std::move(item));
}

void LevelComplete::Begin()
{
    phase = 0;
    PlayOnce(carrier, risingAnimation);
    P::SetDrawn(panel, true);
    P::SetDrawn(carrier, true);
    FollowCarrier();
    context.sounds.PlaySound(basketAppearSound);
}

BoardPoint LevelComplete::CarrierPosition() const
{
    if (!carrier)
        return {400.0f, 280.0f};
    const auto centre = P::Box(carrier).centre;
    return {centre.x, centre.y};
}

void LevelComplete::FollowCarrier()
{
    const BoardPoint at = CarrierPosition();
    P::Place(panel, at.x, at.y);
    for (Model* flower : flowers)
        P::Place(flower, at.x, at.y);
    if (orderModel && P::IsDrawn(orderModel))
        P::Place(orderModel, at.x, at.y);
}

void LevelComplete::QueueCaptions()
{
    if (!captions || !context.gui)
        return;
    const VantoranEngine::GUIFont* font = context.gui->GetFontManager()->GetFont(captionFont);
    for (const auto& item : items) {
        if (!item->shown)
            continue;
        const float width = font ? font->GetTextWidth(item->caption, -1.0f) : 0.0f;
        const float height = font ? font->size : 0.0f;
        const float opacity = std::clamp(item->captionTime, 0.0f, 1.0f);
        captions->AddText({item->x - width / 2.0f, item->y - height / 2.0f}, {1.0f, 1.0f, 1.0f, opacity}, 0,
                          captionFont, item->caption, -1.0f);
    }
}

void LevelComplete::Update(float dt)
{
    flowersOn = context.counters.chipsArrived;
    if (flowersOn && nextFlower < flowers.size()) {
        flowerTimer += dt;
        if (flowerTimer > flowerInterval) {
            context.sounds.PlaySound(flowerAppearSound);
            P::SetDrawn(flowers[nextFlower++], true);
            flowerTimer = 0.0f;
        }
    }
    QueueCaptions();
    if (!running || done)
        return;
    switch (phase) {
    case 0:
        FollowCarrier();
        if (P::HasEnded(carrier, risingAnimation))
            phase = 1;
        break;
    case 1:
        if (context.chips.chips.empty())
            StartPhaseTwo();
        break;
    default:
        UpdatePhaseTwo(dt);
        break;
    }
}

void LevelComplete::StartPhaseTwo()
{
    phase = 2;
    const GameFramework::LevelPosition position{level.stageIndex, level.levelIndex};
    if (context.profiles)
        context.profiles->SetLevelRecord(position, static_cast<int32_t>(items.size()));
    if (static_cast<int32_t>(level.levelIndex) + 1 >= stage.levelCount) {
        int32_t sum = 0;
        for (int32_t l = 0; l < stage.levelCount; ++l)
            if (context.profiles)
                sum += context.profiles->GetLevelRecord({level.stageIndex, static_cast<uint32_t>(l)});
        order = ChooseOrder(sum, stage.silverThreshold, stage.goldThreshold);
        orderChosen = true;
        const float lastFlowerDepth = flowers.empty() || !flowers.back() ? (panel ? panel->depth : 0.0f)
                                                                         : flowers.back()->depth;
        orderModel = Clone(prototypes.order, lastFlowerDepth + orderBehind);
        const auto* material = prototypes.orderMaterials[static_cast<size_t>(order)];
        if (orderModel && material)
            orderModel->SetShaderDescriptor(*material);
        orderParticles = CloneSystem(prototypes.orderParticles, lastFlowerDepth + orderBehind - particlesInFront);
    }
    const std::vector<BoardPoint> places = Layout(items.size());
    const GameSettings& s = context.settings;
    for (size_t i = 0; i < items.size() && i < places.size(); ++i) {
        LevelBonus& item = *items[i];
        item.x = places[i].x;
        item.y = places[i].y;
        P::Place(item.model, item.x, item.y);
        PlaceSystem(item.glow, item.x, item.y);
        PlaceSystem(item.trail, item.x, item.y);
        const float dx = s.tallyFlightDistance.minimum +
                         context.random.Range(0.0f, 1.0f) * (s.tallyFlightDistance.maximum - s.tallyFlightDistance.minimum);
        const float endX = item.x < 400.0f ? item.x - dx : item.x + dx;
        const float rise = s.tallyFlightRise.minimum +
                           context.random.Range(0.0f, 1.0f) * (s.tallyFlightRise.maximum - s.tallyFlightRise.minimum);
        const float topY = std::min(item.y + rise, s.tallyFlightHighestY);
        item.path = MakeCurvePath({item.x, item.y, 0.0f}, {(item.x + endX) / 2.0f, topY, 0.0f}, {endX, flightEndY, 0.0f});
        item.control.path = item.path.get();
        item.control.Restart();
    }
}

void LevelComplete::UpdatePhaseTwo(float dt)
{
    const GameSettings& s = context.settings;
    // 1. The next item.
    if (itemTimer < 0.0f && shownCount < items.size()) {
        context.sounds.PlaySound(afterBonusSound);
        itemTimer = s.tallyInterval;
        LevelBonus& item = *items[shownCount++];
        P::SetDrawn(item.model, true);
        SetSystemShown(item.glow, true);
        SetEmitting(item.glow, true);
        item.shown = true;
    } else if (shownCount < items.size()) {
        itemTimer -= dt;
    }
    // 2. Captions rise.
    bool captionsOver = true;
    for (auto& item : items) {
        if (item->shown && item->captionTime > 0.0f) {
            item->captionAge += dt;
            item->y += dt * s.bonusCaptionRiseSpeed;
            item->captionTime -= dt;
        }
        if (item->captionTime > 0.0f)
            captionsOver = false;
    }
    // 3. The order, then the flight and the leaving.
    if (shownCount < items.size() || !captionsOver) {
        FollowCarrier();
        return;
    }
    if (orderModel && !orderShown) {
        const BoardPoint at = CarrierPosition();
        P::SetDrawn(orderModel, true);
        P::Place(orderModel, at.x, at.y);
        PlayOnce(orderModel, 0);
        orderShown = true;
        context.sounds.PlaySound(orderSound);
    }
    if (!closing && (!orderChosen || (orderShown && (!orderModel || P::HasEnded(orderModel, 0))))) {
        closing = true;
        if (orderParticles && orderModel) {
            const auto box = P::Box(orderModel);
            orderParticles->emitterBox = box;
            PlaceSystem(orderParticles, box.centre.x, box.centre.y);
            SetSystemShown(orderParticles, true);
            SetEmitting(orderParticles, true);
        }
    }
    if (closing) {
        flightSpeedTime += dt;
        bool flown = true;
        for (auto& item : items) {
            if (item->control.finished)
                continue;
            flown = false;
            item->control.Advance(dt * (s.tallyItemAcceleration * flightSpeedTime + s.tallyItemSpeed));
            item->spin += item->spinSpeed * dt;
            const auto& at = item->control.position;
            if (item->model) {
                item->model->RestoreBaseMatrix();
                VantoranEngine::Matrix4 turn, move;
                VantoranEngine::MakeRotationZMatrix(turn, item->spin);
                VantoranEngine::MakeTranslationMatrix(move, {at.x, at.y, 0.0f});
                item->model->MultiplyWorldMatrix(turn);
                item->model->MultiplyWorldMatrix(move);
            }
            PlaceSystem(item->glow, at.x, at.y);
            PlaceSystem(item->trail, at.x, at.y);
            SetSystemShown(item->trail, true);
            SetEmitting(item->trail, true);
        }
        allFlown = flown;
        if (!carrierLeaving) {
            carrierLeaving = true;
            PlayOnce(carrier, leavingAnimation);
            context.sounds.PlaySound(basketFlyUpSound);
            const BoardPoint at = CarrierPosition();
            PlaceSystem(carrierParticles, at.x, at.y);
            SetSystemShown(carrierParticles, true);
            SetEmitting(carrierParticles, true);
        } else if (P::HasEnded(carrier, leavingAnimation)) {
            done = true;
            return;
        }
    }
    FollowCarrier();
    if (carrierLeaving)
        PlaceSystem(carrierParticles, CarrierPosition().x, CarrierPosition().y);
}

} // namespace Petalwork

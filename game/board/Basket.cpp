#include "game/board/Basket.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "game/board/ModelPlayer.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

using VantoranEngine::Model;
using P = ModelPlayer;

namespace {

constexpr float labelDepthStep = 0.001f;
constexpr float entryDepthStep = 0.002f;
constexpr float sparkleDepthStep = 0.1f;
constexpr float timerDepths[2] = {-1.020055f, -1.010055f};
constexpr BasketColour timerGreen{0.21f, 0.72f, 0.21f, 1.0f};

// First icon and sheet position of an order of n entries: 0 | 1, 2 | 3, 4, 5.
size_t FirstEntryPosition(size_t n)
{
    return n <= 1 ? 0 : n == 2 ? 1 : 3;
}

void SetSparkleShown(VantoranEngine::ParticleSystem* system, bool shown)
{
    if (system && system->spriteGroup)
        system->spriteGroup->SetShown(shown);
}

} // namespace

Basket::Basket(const BasketContext& context_, int modelSize, float depth_, bool fixedPlace_, bool left_)
    : context(context_), depth(depth_)
{
    fixedPlace = fixedPlace_;
    left = left_;
    const GameSettings& s = context.settings;
    conveyorPath = MakeLinePath({0.0f, conveyorStartY, 0.0f}, {0.0f, conveyorEndY, 0.0f});
    conveyorControl = std::make_unique<PathControl>();
    conveyorControl->path = conveyorPath.get();
    conveyorControl->Restart();
    position = {left ? leftX : rightX, conveyorStartY};

    const auto& bodies = Side().bodies[static_cast<size_t>(std::clamp(modelSize, 0, 2))];
    const uint32_t r = VantoranEngine::Random();
    body = Clone(bodies.empty() ? nullptr : bodies[r % bodies.size()], depth);
    P::AddRange(body, 0, 0, 3);
    P::AddRange(body, 1, 4, 10);
    P::AddRange(body, 2, 11, 15);
    P::Place(body, 0.0f, conveyorStartY);
    P::Play(body, 0, s.basketAppearAnimationSpeed, false);
    P::SetDrawn(body, true);

    if (fixedPlace && context.placeWait > 0.0f && !context.relaxMode) {
        for (size_t i = 0; i < timerModels.size(); ++i) {
            timerModels[i] = Clone(Side().timer[i], timerDepths[i]);
            P::AddRange(timerModels[i], 0, 0, 4);
            P::AddRange(timerModels[i], 1, 4, 5);
            P::SetDrawn(timerModels[i], false);
        }
        P::SetColour(timerModels[0], timerGreen);
    }

    flyAway = Clone(Side().flyAway, Side().flyAway ? Side().flyAway->depth : 0.0f);
    P::SetDrawn(flyAway, false);
    if (flyAway && flyAway->animationControl) {
        flyAway->animationControl->loop = 0;
        flyAway->animationControl->play = 0;
        flyAway->animationControl->speed = s.basketFlyAwaySpeed;
    }
    flyAwayStart = P::Box(flyAway).centre.x;

    if (context.prototypes.sparkle) {
        sparkle = context.particles.CloneParticleSystem(*context.prototypes.sparkle);
        sparkle->emitting = 0;
        SetSparkleShown(sparkle, false);
        if (sparkle->spriteGroup && sparkle->spriteGroup->model)
            sparkle->spriteGroup->model->depth = depth - sparkleDepthStep;
    }
}

Basket::~Basket()
{
    DropPlacePath();
    Delete(body);
    for (Model*& model : timerModels)
        Delete(model);
    for (Model*& model : icons)
        Delete(model);
    for (Model*& model : sheets)
        Delete(model);
    Delete(label);
    Delete(flyAway);
    if (sparkle)
        context.particles.DeleteParticleSystem(sparkle);
}

const BasketSidePrototypes& Basket::Side() const
{
    return left ? context.prototypes.left : context.prototypes.right;
}

Model* Basket::Clone(const Model* prototype, float modelDepth)
{
    if (!prototype)
        return nullptr;
    Model* model = context.models.CloneModel(prototype, context.prototypes.camera, 0);
    model->depth = modelDepth;
    P::KeepBase(model);
    return model;
}

void Basket::Delete(Model*& model)
{
    if (!model)
        return;
    context.models.models.Remove(model);
    delete model;
    model = nullptr;
}

void Basket::SetOrder(std::vector<BasketOrderEntry> entries)
{
    const size_t n = entries.size();
    Delete(label);
    label = Clone(Side().labels[std::clamp<size_t>(n, 1, 3) - 1], depth - labelDepthStep);
    P::SetDrawn(label, false);
    P::AddRange(label, 0, 3, 4);
    P::AddRange(label, 1, 5, 10);
    P::AddRange(label, 2, 11, 15);

    BasketLogic::SetOrder(std::move(entries), context.placeWait);

    const size_t first = FirstEntryPosition(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t at = first + i;
        // An order of more than three entries has no models for the fourth and later.
        Model* icon = at < 6 && i < 3 ? Clone(Side().icons[at], depth - entryDepthStep) : nullptr;
        Model* sheet = at < 6 && i < 3 ? Clone(Side().sheets[at], depth - entryDepthStep) : nullptr;
        for (Model* model : {icon, sheet}) {
            P::AddRange(model, 0, 4, 5);
            P::AddRange(model, 1, 6, 10);
            P::AddRange(model, 2, 11, 15);
        }
        P::SetDrawn(icon, false);
        P::SetDrawn(sheet, true);
        const auto kind = static_cast<size_t>(order[i].flowerKind);
        if (icon && icon->shaderUser && kind < context.flowerPictures.size())
            icon->shaderUser->stageTime[0] = static_cast<float>(context.flowerPictures[kind]);
        icons.push_back(icon);
        sheets.push_back(sheet);
    }
}

float Basket::ConveyorY() const
{
    return conveyorControl->position.y;
}

float Basket::FlyAwayOffset() const
{
    return flyAway ? P::Box(flyAway).centre.x - flyAwayStart : 0.0f;
}

void Basket::PlaceModels(float x, float y)
{
    P::Place(body, x, y);
    P::Place(label, x, y);
    for (Model* model : icons)
        P::Place(model, x, y);
    for (Model* model : sheets)
        P::Place(model, x, y);
    for (Model* model : timerModels)
        P::Place(model, x, y);
    // The helper only lends its sideways movement: moving it up with the basket keeps its x.
    P::Place(flyAway, 0.0f, y);
}

void Basket::UpdateMotion(const Basket* ahead, float speedPenalty, bool goalDone, float panelOffset, float dt)
{
    timeAlive += dt;
    const bool frozen = leaving || context.powerups.pauseOn || goalDone || panelOffset != 0.0f;
    const bool queued = ahead && P::Box(body).Intersects(P::Box(ahead->body));
    if (!queued && !frozen) {
        const auto& p0 = conveyorPath->points.front();
        const auto& p1 = conveyorPath->points.back();
        const auto& q = conveyorControl->position;
        const float along = std::hypot(q.x - p0.x, q.y - p0.y) / std::hypot(p1.x - p0.x, p1.y - p0.y);
        const float speed = along * (context.endSpeed - context.startSpeed) + context.startSpeed - speedPenalty;
        conveyorControl->Advance(std::max(speed, 0.0f) * dt);
    }
    position = {left ? leftX : rightX, conveyorControl->position.y};
    PlaceModels(panelOffset + FlyAwayOffset(), position.y);
    UpdateAppearance(dt);
    CountUp(dt, context.settings.orderCountUpTime);
    if (conveyorControl->finished)
        UpdateConveyorEnd();
    UpdateBlink(frozen, dt);
}

bool Basket::UpdateState(float panelOffset, bool leavingNear, bool goalDone, float dt)
{
    timeAlive += dt;
    if (placeControl && !leaving && !leavingNear) {
        placeControl->Advance(context.settings.basketGlideSpeed * dt);
        position = {placeControl->position.x, placeControl->position.y};
        if (placeControl->finished)
            DropPlacePath();
    }
    PlaceModels(panelOffset + FlyAwayOffset(), position.y);
    UpdateAppearance(dt);
    CountUp(dt, context.settings.orderCountUpTime);
    UpdateTimer(leaving || context.powerups.pauseOn || goalDone || panelOffset != 0.0f, dt);

    if (!timerModels[0] || !(timerLeft < 0.0f) || leaving)
        return false;
    if (HasChipsInFlight()) {
        timerLeft = 0.0f; // waits for the chips on their way, which may still fill it
        return false;
    }
    FlyAway(false);
    timerLeft = 0.0f;
    return true;
}

void Basket::UpdateAppearance(float dt)
{
    const GameSettings& s = context.settings;
    if (!waiting && P::HasEnded(body, 0)) {
        waiting = true;
        P::Play(body, 1, s.basketWaitAnimationSpeed, true);
        labelPending = true;
        labelDelay = s.basketLabelDelay;
    }
    if (labelPending) {
        labelDelay -= dt;
        if (labelDelay <= 0.0f) {
            labelPending = false;
            labelShown = true;
            P::Play(label, 0, s.basketAppearAnimationSpeed, false);
            P::SetDrawn(label, true);
            for (Model* model : timerModels) {
                P::Play(model, 0, s.basketAppearAnimationSpeed, false);
                P::SetDrawn(model, true);
            }
        }
    }
    if (labelShown && !entriesStarted && P::HasEnded(label, 0)) {
        entriesStarted = true;
        P::Play(label, 1, s.basketWaitAnimationSpeed, true);
        if (!order.empty()) {
            entriesAppearing = true;
            order[0].pending = true;
            order[0].appearDelay = s.orderEntryDelay;
        }
    }
    if (entriesAppearing) {
        for (size_t i = 0; i < order.size(); ++i) {
            BasketOrderEntry& entry = order[i];
            if (!entry.pending)
                continue;
            if (entry.appearDelay > 0.0f)
                entry.appearDelay -= dt;
            if (entry.appearDelay <= 0.0f) {
                entry.pending = false;
                entry.open = true;
                P::Play(icons[i], 0, s.basketAppearAnimationSpeed, false);
                P::Play(sheets[i], 0, s.basketAppearAnimationSpeed, false);
                P::SetDrawn(icons[i], true);
                if (i + 1 < order.size()) {
                    order[i + 1].pending = true;
                    order[i + 1].appearDelay = s.orderEntryDelay;
                } else {
                    entriesAppearing = false;
                }
            }
            break;
        }
    }
    for (size_t i = 0; i < order.size(); ++i) {
        if (!order[i].open)
            continue;
        for (Model* model : {icons[i], sheets[i]})
            if (P::IsCurrent(model, 0) && P::HasEnded(model, 0))
                P::Play(model, 1, s.basketWaitAnimationSpeed, true);
    }
    if (timerModels[0] && labelShown && !timerRunning && P::HasEnded(timerModels[0], 0)) {
        timerRunning = true;
        P::Select(timerModels[0], 1);
    }
}

void Basket::UpdateConveyorEnd()
{
    std::vector<Model*> all = {body, label};
    all.insert(all.end(), icons.begin(), icons.end());
    all.insert(all.end(), sheets.begin(), sheets.end());
    for (Model* model : all) {
        if (P::IsLooping(model, 1)) {
            model->animationControl->loop = 0;
            model->animationControl->speed = endLoopSpeed;
        } else if (P::IsCurrent(model, 1) && P::HasEnded(model, 1)) {
            P::Play(model, 2, context.settings.basketEndAnimationSpeed, false);
        }
    }
    if (P::IsCurrent(body, 2) ? P::HasEnded(body, 2) : !body || !body->animationControl)
        reachedEnd = true;
}

void Basket::UpdateBlink(bool frozen, float dt)
{
    if (!P::IsCurrent(label, 2) || frozen)
        return;
    blinkPhase += 2.0f * dt;
    if (blinkPhase >= 1.0f) {
        blinkPhase = 0.0f;
        blinkToggle = !blinkToggle;
    }
    const float fade = blinkToggle ? 1.0f - 0.73f * blinkPhase : 0.27f + 0.73f * blinkPhase;
    P::SetColour(label, {1.0f, fade, fade, 1.0f});
}

void Basket::UpdateTimer(bool frozen, float dt)
{
    if (!timerModels[0] || !timerRunning)
        return;
    if (!frozen && timerLeft >= 0.0f)
        timerLeft -= dt;
    P::SetColour(timerModels[0], TimerColour());
    P::SetPosition(timerModels[0], TimerFraction());
}

void Basket::Show()
{
    P::SetDrawn(body, true);
    P::SetDrawn(label, true);
    for (Model* model : timerModels)
        P::SetDrawn(model, true);
    for (Model* model : icons)
        P::SetDrawn(model, true);
    for (Model* model : sheets)
        P::SetDrawn(model, true);
}

void Basket::FlyAway(bool filled)
{
    P::SetDrawn(flyAway, true);
    P::Play(flyAway, -1, context.settings.basketFlyAwaySpeed, false);
    flyAwayStarted = true;
    if (filled) {
        if (sparkle) {
            const auto centre = P::Box(body).centre;
            sparkle->position = {centre.x, centre.y, 0.0f};
            SetSparkleShown(sparkle, true);
            sparkle->emitting = 1;
        }
        context.sounds.PlaySound(BoardSound::CollectBasket);
    } else {
        context.sounds.PlaySound(BoardSound::HaventTimeToCollectBasket);
    }
    leaving = true;
    place = -1;
}

bool Basket::IsLeavingNearPlace() const
{
    // Either side: the art may fly a basket out to its own edge.
    return leaving && std::fabs(FlyAwayOffset()) < nearPlaceDistance;
}

bool Basket::HasFlownAway() const
{
    return leaving && flyAwayStarted && P::HasEnded(flyAway, -1);
}

bool Basket::IsFlyingAway() const
{
    return leaving && flyAwayStarted && !P::HasEnded(flyAway, -1);
}

bool Basket::IsInEndAnimation() const
{
    return P::IsPlaying(body, 2);
}

int Basket::PickWantedKind() const
{
    return BasketLogic::PickWantedKind([] { return VantoranEngine::Random(); });
}

void Basket::GlideTo(BoardPoint target)
{
    DropPlacePath();
    placePath = MakeLinePath({position.x, position.y, 0.0f}, {target.x, target.y, 0.0f});
    placeControl = std::make_unique<PathControl>();
    placeControl->path = placePath.get();
    placeControl->Restart();
}

void Basket::SetPosition(BoardPoint target)
{
    position = target;
    P::Place(body, 0.0f, target.y);
}

void Basket::DropPlacePath()
{
    placeControl.reset();
    placePath.reset();
}

} // namespace Petalwork

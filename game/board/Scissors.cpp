#include "game/board/Scissors.h"

#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"
#include "game/board/ModelPlayer.h"

namespace Petalwork {

using VantoranEngine::Model;
using VantoranEngine::ParticleSystem;
using P = ModelPlayer;

namespace {

void SetEffectShown(ParticleSystem* effect, bool shown)
{
    if (effect && effect->spriteGroup)
        effect->spriteGroup->SetShown(shown);
}

BasketColour Glow(float alpha)
{
    return {1.0f, 1.0f, 0.0f, alpha};
}

} // namespace

Scissors::Scissors(const ScissorsContext& context_, const std::vector<int32_t>& thresholds_)
    : ScissorsLogic(context_.score, thresholds_),
      slide(context_.settings.hiddenPanelOffset, context_.settings.panelSlideSpeed), context(context_)
{
    const ScissorsPrototypes& p = context.prototypes;
    grey = Clone(p.grey);
    for (size_t i = 0; i < 3; ++i) {
        glows[i] = Clone(p.glows[i]);
        pairModels[i] = Clone(p.scissors[i]);
        appearEffects[i] = CloneEffect(p.appear[i]);
        useEffects[i] = CloneEffect(p.use[i]);
    }
    for (size_t i = 0; i < 2; ++i)
        lines[i] = Clone(p.lines[i]);
    const auto centre = P::Box(pairModels[0]).centre;
    position = {centre.x, centre.y};
    Award(0);
}

Scissors::~Scissors()
{
    context.cursor.SetProgramCursor(CursorControl::gameCursor);
    std::vector<Model*> all = {grey};
    all.insert(all.end(), glows.begin(), glows.end());
    all.insert(all.end(), pairModels.begin(), pairModels.end());
    all.insert(all.end(), lines.begin(), lines.end());
    for (Model* model : all) {
        if (model) {
            context.models.models.Remove(model);
            delete model;
        }
    }
    for (ParticleSystem* effect : appearEffects)
        if (effect)
            context.particles.DeleteParticleSystem(effect);
    for (ParticleSystem* effect : useEffects)
        if (effect)
            context.particles.DeleteParticleSystem(effect);
}

Model* Scissors::Clone(const Model* prototype)
{
    if (!prototype)
        return nullptr;
    Model* model = context.models.CloneModel(prototype, context.prototypes.camera, 0);
    model->depth = prototype->depth;
    P::KeepBase(model);
    P::SetDrawn(model, false);
    return model;
}

ParticleSystem* Scissors::CloneEffect(const ParticleSystem* prototype)
{
    if (!prototype)
        return nullptr;
    ParticleSystem* effect = context.particles.CloneParticleSystem(*prototype);
    effect->emitting = 0;
    SetEffectShown(effect, false);
    if (effect->spriteGroup && effect->spriteGroup->model)
        effect->spriteGroup->model->depth = effectDepth;
    return effect;
}

void Scissors::StartEffect(ParticleSystem* effect, BoardPoint at)
{
    if (!effect)
        return;
    effect->position = {at.x, at.y, 0.0f};
    SetEffectShown(effect, true);
    effect->emitting = 1;
}

void Scissors::HideAll()
{
    P::SetDrawn(grey, false);
    for (Model* model : glows)
        P::SetDrawn(model, false);
    for (Model* model : pairModels)
        P::SetDrawn(model, false);
    for (Model* model : lines)
        P::SetDrawn(model, false);
}

void Scissors::Award(unsigned n)
{
    HideAll();
    ScissorsLogic::Award(n);
    if (ThresholdCount() == 0)
        return;
    if (n == 0) {
        P::SetDrawn(grey, true);
        P::SetDrawn(glows[0], true);
        P::SetDrawn(pairModels[0], true);
        P::SetPosition(pairModels[0], 0.0f);
        P::SetColour(glows[0], Glow(0.0f));
        return;
    }
    const size_t i = std::min<size_t>(n, maxPairs) - 1;
    P::SetDrawn(glows[i], true);
    P::SetDrawn(pairModels[i], true);
    if (i < lines.size()) {
        P::SetDrawn(lines[i], true);
        P::SetPosition(lines[i], 0.0f);
    }
    P::SetColour(glows[i], Glow(i == 2 ? 1.0f : 0.39f));
    const auto centre = P::Box(pairModels[i]).centre;
    StartEffect(appearEffects[i], {centre.x, centre.y + effectRise});
    context.sounds.PlaySound(static_cast<BoardSound>(static_cast<int>(BoardSound::ScissorsAppear0) + static_cast<int>(i)));
}

bool Scissors::CursorInside(const Model* model) const
{
    if (!model)
        return false;
    const auto box = P::Box(model);
    return cursor.x > box.worldMin.x && cursor.x < box.worldMax.x && cursor.y > box.worldMin.y &&
           cursor.y < box.worldMax.y;
}

void Scissors::CountChip(bool refresh)
{
    ScissorsLogic::CountChip(refresh);
    if (ThresholdCount() == 0)
        return;
    const unsigned p = pairs;
    float a = 0.0f, b = idleGlow;
    if (refresh && p > 0 && CursorInside(pairModels[std::min<size_t>(p, maxPairs) - 1]))
        a = b = 1.0f;
    const float f = Fill();
    const float glow = (1.0f - f) * a + f * b;
    if (p == 0) {
        P::SetPosition(pairModels[0], f);
        P::SetDrawn(lines[0], f > 0.0f);
        P::SetPosition(lines[0], f);
        P::SetColour(glows[0], Glow(glow));
    } else if (p == 1) {
        P::SetPosition(pairModels[0], 1.0f);
        P::SetDrawn(lines[0], f > 0.0f && ThresholdCount() > 1);
        P::SetPosition(lines[0], f);
        P::SetColour(glows[0], Glow(glow));
    } else if (p == 2) {
        P::SetColour(glows[1], Glow(glow));
        P::SetDrawn(lines[1], p < ThresholdCount());
        P::SetPosition(lines[1], f);
    }
}

void Scissors::Update(float dt, const ScissorsInput& input)
{
    if (!slide.Update(dt))
        return;
    std::vector<Model*> all = {grey};
    all.insert(all.end(), glows.begin(), glows.end());
    all.insert(all.end(), pairModels.begin(), pairModels.end());
    all.insert(all.end(), lines.begin(), lines.end());
    for (Model* model : all)
        P::Place(model, -slide.offset, 0.0f);
    for (auto* list : {&appearEffects, &useEffects})
        for (ParticleSystem* effect : *list)
            if (effect && !effect->emitting && effect->liveCount == 0)
                SetEffectShown(effect, false);

    const unsigned p = pairs;
    if (p == 0)
        return;
    cursor = input.cursor;
    if (input.mouse1Pressed && CursorInside(pairModels[std::min<size_t>(p, maxPairs) - 1])) {
        if (armedMode != 0) {
            ResetCursor();
        } else {
            armedMode = static_cast<int>(p);
            context.cursor.SetProgramCursor(CursorControl::firstScissorsCursor + static_cast<int32_t>(p) - 1);
        }
    } else if (input.mouse2Pressed) {
        ResetCursor();
    }
    CountChip(true);
}

unsigned Scissors::SpendPairs()
{
    ResetCursor();
    return Spend();
}

void Scissors::Use(BoardPoint point, unsigned pairsSpent)
{
    if (pairsSpent == 0)
        return;
    const size_t i = std::min<size_t>(pairsSpent, maxPairs) - 1;
    StartEffect(useEffects[i], point);
    context.sounds.PlaySound(static_cast<BoardSound>(static_cast<int>(BoardSound::ScissorsUse0) + static_cast<int>(i)));
}

void Scissors::ResetCursor()
{
    armedMode = 0;
    context.cursor.SetProgramCursor(CursorControl::gameCursor);
}

} // namespace Petalwork

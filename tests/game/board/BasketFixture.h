#pragma once
// The baskets' headless scene: the engine's model and particle services over the recording render
// stand-in (no OpenGL), prototypes written for the test (16-frame models whose boxes are set per frame,
// a one-shot sparkle), the game settings the baskets read, a sound recorder and the powerups. Frame()
// runs the model pass, which advances every drawn model's animation by the frame time.

#include "engine/render/Model.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/SceneFixture.h"
#include "engine/render/SpriteGroupManager.h"
#include "game/board/Basket.h"
#include "game/board/model/SoundRecorder.h"
#include "tools/formats/ModelWriter.h"
#include "tools/formats/ParticleWriter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BasketFixture : public SceneFixture {
protected:
    static constexpr float dt = 0.02f;

    void SetUp() override
    {
        SceneFixture::SetUp();
        VantoranEngine::RandomSeed = 0;
        timers.frameTime = dt;
        systems = std::make_unique<VantoranEngine::ParticleSystemManager>(&log, &memory, &files, &timers, nullptr,
                                                                          &sprites);
        settings.basketAppearAnimationSpeed = 30.0f;
        settings.basketWaitAnimationSpeed = 30.0f;
        settings.basketEndAnimationSpeed = 30.0f;
        settings.orderCountUpTime = 0.5f;
        settings.basketLabelDelay = 0.3f;
        settings.orderEntryDelay = 0.2f;
        settings.basketGlideSpeed = 300.0f;
        settings.basketFlyAwaySpeed = 30.0f;
        settings.hiddenPanelOffset = -150.0f;
        settings.panelSlideSpeed = 300.0f;
        settings.firstBasketDelay = 0.1f;
        settings.quickBasketSecondsPerFlower = 2.0f;
        settings.quickGainThreshold = 5;
        settings.extraBasketInterval = 0.1f;
        settings.afterBonusStepInterval = 0.1f;
        settings.extraBasketBonus = 250;
        settings.quickGainBonus = 400;
        settings.quickBasketBonus = 100;
        settings.basketEdgeBonus = 200;

        for (int side = 0; side < 2; ++side) {
            const float x = side == 0 ? 48.0f : 752.0f;
            const float away = side == 0 ? -100.0f : 100.0f;
            Petalwork::BasketSidePrototypes& p = side == 0 ? prototypes.left : prototypes.right;
            const std::string s = std::to_string(side);
            for (int list = 0; list < 3; ++list)
                p.bodies[list].push_back(Prototype("body" + s + std::to_string(list), 16, [x](int) {
                    return Box(x - 30, 0, x + 30, 60);
                }));
            for (int i = 0; i < 3; ++i)
                p.labels[i] = Prototype("label" + s + std::to_string(i), 16, [x](int) { return Box(x - 20, 0, x + 20, 20); });
            for (int i = 0; i < 6; ++i) {
                p.icons[i] = Prototype("icon" + s + std::to_string(i), 16, [x](int) { return Box(x - 5, 0, x + 5, 10); });
                p.sheets[i] = Prototype("sheet" + s + std::to_string(i), 16, [x](int) { return Box(x - 5, 0, x + 5, 10); });
            }
            p.flyAway = Prototype("away" + s, 16, [x, away](int f) {
                const float c = x + away * static_cast<float>(f) / 15.0f;
                return Box(c - 10, 0, c + 10, 10);
            });
            for (int i = 0; i < 2; ++i)
                p.timer[i] = Prototype("timer" + s + std::to_string(i), 6, [x](int) { return Box(x - 30, -10, x + 30, 0); });
        }
        Formats::ParticleSystemFile f;
        f.period = 0.2f;
        for (int i = 0; i < 6; ++i)
            f.lifetime[i] = 0.3f;
        f.floorEnabled = 0;
        f.gravityEnabled = 0;
        Write("data/sparkle.psf", Formats::EncodeParticleSystem(f, 204));
        sparkle.reset(systems->LoadParticleSystem("sparkle.psf", nullptr));
        prototypes.sparkle = sparkle.get();
    }

    void ReleaseModels() override
    {
        for (VantoranEngine::Model* model : owned)
            delete model;
        owned.clear();
    }

    void TearDown() override
    {
        sparkle.reset();
        systems.reset();
        SceneFixture::TearDown();
    }

    static Formats::ModelBox Box(float x0, float y0, float x1, float y1) { return {{x0, y0, 0}, {x1, y1, 0}}; }

    // A vertex-animated quad of `frames` frames filling the given box in each frame.
    const VantoranEngine::Model* Prototype(const std::string& name, uint32_t frames,
                                           const std::function<Formats::ModelBox(int)>& box)
    {
        Formats::ModelFile file;
        file.flags = Formats::modelMorphFrames | Formats::modelTriangleList | Formats::modelActive;
        file.frameCount = frames;
        file.framesPerSecond = 30.0f;
        file.indices = {0, 1, 2, 2, 1, 3};
        file.vertexCount = 4;
        for (uint32_t f = 0; f < frames; ++f) {
            const Formats::ModelBox b = box(static_cast<int>(f));
            const float corners[4][2] = {{b.min[0], b.min[1]}, {b.max[0], b.min[1]}, {b.min[0], b.max[1]},
                                         {b.max[0], b.max[1]}};
            for (const auto& c : corners) {
                Formats::ModelVertex v;
                v.position = {c[0], c[1], 0};
                file.vertices.push_back(v);
            }
            file.boxes.push_back(b);
        }
        Write("data/" + name + ".mlf", Formats::EncodeModel(file));
        VantoranEngine::Model* model = models->LoadDetachedModel(name + ".mlf", 0);
        model->flags |= VantoranEngine::ModelFlag::manualDepth;
        owned.push_back(model);
        return model;
    }

    // One model pass: every drawn model's animation steps by the frame time.
    void Frame() { models->Render(); }

    Petalwork::BasketContext Context(bool relax = false, float placeWait = 0.0f)
    {
        return Petalwork::BasketContext{*models, *systems, prototypes, settings, sounds, powerups,
                                        {3, 9, 12, 0, 1}, 20.0f, 40.0f, placeWait, relax};
    }

    static Petalwork::BasketOrderEntry Entry(int kind, int count)
    {
        Petalwork::BasketOrderEntry e;
        e.flowerKind = kind;
        e.toSend = count;
        e.toArrive = count;
        return e;
    }

    VantoranEngine::SpriteGroupManager sprites{&log, &memory, nullptr, nullptr, nullptr};
    std::unique_ptr<VantoranEngine::ParticleSystemManager> systems;
    std::unique_ptr<VantoranEngine::ParticleSystem> sparkle;
    std::vector<VantoranEngine::Model*> owned;
    Petalwork::GameSettings settings;
    SoundRecorder sounds;
    Petalwork::PowerupManager powerups{sounds, 10.0f, 15.0f};
    Petalwork::BasketPrototypes prototypes;
};

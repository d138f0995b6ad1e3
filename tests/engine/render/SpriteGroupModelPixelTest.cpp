// A particle system loaded from a written file, its sprite group's model drawn by the model pass through
// the OpenGL stand-in from the default camera (at the origin, looking along -z).
#include "ModelFixture.h"

#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/VertexBuffer.h"
#include "tools/formats/ParticleWriter.h"

#include <array>
#include <cstring>

using namespace VantoranEngine;

namespace {

class SpriteGroupModelPixels : public ModelFixture {
protected:
    Platform::D3D7Test::Backend Backend() const override { return Platform::D3D7Test::Backend::OpenGL; }

    void SetUp() override
    {
        ModelFixture::SetUp();
        renderSystem->clearColor = {0, 0, 0, 1};
        groups = std::make_unique<SpriteGroupManager>(&log, &memory, cameras.get(), shaderManager.get(), manager.get());
        particles = std::make_unique<ParticleSystemManager>(&log, &memory, &files, &timers, shaderManager.get(),
                                                            groups.get());
    }

    void TearDown() override
    {
        particles.reset();
        groups.reset();
        ModelFixture::TearDown();
    }

    // One engine frame's rendering: particles, sprite groups, then the model pass.
    void Frame()
    {
        renderSystem->Refresh();
        ASSERT_EQ(renderSystem->ready, 1);
        cameras->Update();
        particles->Update();
        groups->Update();
        lights->Update();
        manager->Render();
        renderSystem->SwapBuffers();
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(Platform::ReadPresentedFrame(width, height, frame));
        ASSERT_EQ(width, 800u);
    }

    // x, y from the window's top-left corner.
    std::array<int, 3> At(int x, int y) const
    {
        const size_t i = (static_cast<size_t>(600 - 1 - y) * 800 + static_cast<size_t>(x)) * 4;
        return {frame[i + 2], frame[i + 1], frame[i]};
    }

    std::unique_ptr<SpriteGroupManager> groups;
    std::unique_ptr<ParticleSystemManager> particles;
    std::vector<uint8_t> frame;
};

} // namespace

TEST_F(SpriteGroupModelPixels, ParticlesDrawThroughTheModelPassAndTheirModelGoesWithThem)
{
    // Three red particles that stay at their emitter point for a long life.
    Formats::ParticleSystemFile f;
    f.particleCount = 3;
    f.interpolateEmission = 0;
    f.emissionRate = {3, 0, 0, 0, 0, 0};
    f.lifetime = {100, 100, 100, 100, 100, 100};
    f.gravityEnabled = 0;
    f.floorEnabled = 0;
    f.speed = {};
    for (auto& colour : f.colour)
        colour = {1, 0, 0, 1};
    f.size = {1, 1, 1, 1, 1, 1};
    f.emitterShape = 2; // a point list
    Write("data/fx/red.psf", Formats::EncodeParticleSystem(f));

    std::unique_ptr<ParticleSystem> prototype(particles->LoadParticleSystem("fx\\red.psf", nullptr));
    ASSERT_NE(prototype, nullptr) << Entries();
    Model* model = prototype->spriteGroup->model;
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->flags, SpriteGroup::modelFlags);
    EXPECT_EQ(prototype->spriteGroup->camera, cameras->defaultCamera);
    ASSERT_EQ(model->indexBuffer->indexCount, 18u);
    ASSERT_EQ(model->vertexBuffer->vertexCount, 12);
    const auto* stored = static_cast<const uint8_t*>(model->indexBuffer->Lock(0, 18));
    std::array<uint32_t, 18> indices{};
    for (size_t i = 0; i < indices.size(); ++i) {
        uint32_t value = 0;
        std::memcpy(&value, stored + i * static_cast<size_t>(model->indexBuffer->indexSize),
                    static_cast<size_t>(model->indexBuffer->indexSize));
        indices[i] = value;
    }
    model->indexBuffer->Unlock();
    EXPECT_EQ(indices, (std::array<uint32_t, 18>{0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7, 8, 9, 10, 10, 9, 11}));

    ParticleSystem* system = particles->CloneParticleSystem(*prototype);
    ASSERT_NE(system->spriteGroup->model, model);
    prototype.reset(); // the prototype's model leaves the list with it
    EXPECT_EQ(manager->models.Remove(model), false);

    system->emitterPoints = {{0, 0, -5}};
    system->emitting = 1;
    timers.frameTime = 0.01f;
    Frame();
    ASSERT_EQ(system->liveCount, 3u);
    EXPECT_EQ(system->spriteGroup->model->indexBuffer->usedIndexCount, 18u);
    EXPECT_EQ(At(400, 300), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(At(20, 20), (std::array<int, 3>{0, 0, 0}));

    // Hidden: the model flag is cleared and nothing is drawn.
    system->spriteGroup->SetShown(false);
    EXPECT_EQ(system->spriteGroup->model->flags & ModelFlag::active, 0u);
    Frame();
    EXPECT_EQ(At(400, 300), (std::array<int, 3>{0, 0, 0}));
    system->spriteGroup->SetShown(true);
    EXPECT_TRUE(system->spriteGroup->IsShown());

    EXPECT_TRUE(particles->DeleteParticleSystem(system));
    size_t listed = 0;
    for (Model* m : manager->models.slots)
        listed += m != nullptr;
    EXPECT_EQ(listed, 0u);
}

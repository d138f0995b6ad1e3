// Particle sprites drawn through the engine's render system into the stand-in's OpenGL executor, read
// back from the presented frame. The default view and projection leave world x and y as clip-space
// coordinates; a sprite at z = -d lands at depth d.

#include "RenderTestSupport.h"

#include "engine/core/TimerManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Random.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/VertexBuffer.h"
#include "tools/formats/ByteWriter.h"
#include "tools/formats/ParticleWriter.h"
#include "TempFolder.h"

using namespace VantoranEngine;
namespace T = Platform::D3D7Test;

namespace {

constexpr int kWidth = 640, kHeight = 480;

class SpriteGroupPixels : public RenderFixture {
protected:
    void SetUp() override
    {
        RenderFixture::SetUp();
        T::SetBackend(T::Backend::OpenGL);
        Set("v_mode", "640x480x32");
        Set("v_fullscreen", "0");
        Start();
        render->clearColor = {0, 0, 0, 1};
    }

    // x, y from the window's top-left corner.
    std::array<int, 3> At(int x, int y) const
    {
        const size_t i = (static_cast<size_t>(kHeight - 1 - y) * kWidth + static_cast<size_t>(x)) * 4;
        return {frame[i + 2], frame[i + 1], frame[i]};
    }

    std::vector<std::uint8_t> frame;
};

TEST_F(SpriteGroupPixels, ParticlesOfAWrittenFileShowAsColouredSquares)
{
    // Two particles that stay where they are emitted, red at birth and kept red for a long life.
    TempFolder folder;
    Formats::ParticleSystemFile f;
    f.particleCount = 2;
    f.interpolateEmission = 0;
    f.emissionRate = {2, 0, 0, 0, 0, 0};
    f.lifetime = {100, 100, 100, 100, 100, 100};
    f.gravityEnabled = 0;
    f.floorEnabled = 0;
    f.speed = {};
    for (auto& colour : f.colour)
        colour = {1, 0, 0, 1};
    f.size = {0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f};
    f.emitterShape = 2; // a point list: each particle at one of the points
    ASSERT_TRUE(Formats::SaveFile(folder / "data/fx/red.psf", Formats::EncodeParticleSystem(f)));

    FileManager files(&log, &memory, folder.Path(), "");
    TimerManager timers;
    timers.frameTime = 0.01f;
    SpriteGroupManager sprites(&log, &memory, nullptr, nullptr, nullptr);
    ParticleSystemManager particles(&log, &memory, &files, &timers, nullptr, &sprites);
    std::unique_ptr<ParticleSystem> prototype(particles.LoadParticleSystem("fx\\red.psf", nullptr));
    ParticleSystem* system = particles.CloneParticleSystem(*prototype);
    system->emitterPoints = {{-0.5f, 0.5f, -0.5f}};
    system->emitting = 1;
    particles.Update();
    ASSERT_EQ(system->liveCount, 2u);

    const uint32_t count = system->GetParticleCount();
    std::unique_ptr<VertexBuffer> vertices(render->CreateVertexBuffer(0, 1, 4 * count));
    std::unique_ptr<IndexBuffer> indices(render->CreateIndexBuffer(0, 6 * count));
    SpriteGroup::WriteIndices(*indices, count);
    SpriteGroup::WriteTextureCoordinates(*vertices, count);
    system->spriteGroup->BuildQuads(*vertices, *indices, {}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    ASSERT_EQ(indices->usedIndexCount, 12u);

    render->Refresh();
    ASSERT_EQ(render->ready, 1);
    render->BeginScene();
    render->DrawIndexedPrimitive(false, indices.get(), vertices.get(), indices->usedIndexCount / 3);
    render->EndScene();
    render->SwapBuffers();
    std::uint32_t width = 0, height = 0;
    ASSERT_TRUE(Platform::ReadPresentedFrame(width, height, frame));
    ASSERT_EQ(width, std::uint32_t(kWidth));

    // The quad covers clip x -0.75..-0.25 and y 0.25..0.75: pixels 80..240 across, 60..180 down.
    EXPECT_EQ(At(160, 120), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(At(85, 65), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(At(235, 175), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(At(75, 120), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(At(245, 120), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(At(160, 185), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(At(480, 360), (std::array<int, 3>{0, 0, 0}));
}

} // namespace

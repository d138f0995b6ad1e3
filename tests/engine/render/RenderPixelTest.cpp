// Pixels drawn through the engine's own render system into the stand-in's OpenGL executor, read back
// from the presented frame. World positions are given with z = -depth: the device view negates z, so a
// point at z = -d reaches the device's 0..1 depth range at d.

#include "RenderTestSupport.h"

#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/VertexBuffer.h"

#include "platform/window/WindowApi.h"

#include <cstring>

using namespace VantoranEngine;
using namespace Platform;
namespace T = Platform::D3D7Test;

namespace {

constexpr int kWidth = 640, kHeight = 480;

class RenderPixels : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        T::SetBackend(T::Backend::OpenGL);
        Set("v_mode", "640x480x32");
        Set("v_fullscreen", "0");
        Start();
        render->clearColor = {0, 0, 0, 1};
    }

    void TearDown() override {
        quads.clear();
        indices.clear();
        RenderFixture::TearDown();
    }

    // A rectangle in clip-space x and y at depth d, corners top-left, top-right, bottom-left,
    // bottom-right (uv 0,0 .. 1,1); clockwise on screen unless counterClockwise. corners: ARGB per corner
    // for a coloured buffer, none for a plain one.
    void Quad(float left, float top, float right, float bottom, float depth, std::vector<Color> corners,
              bool counterClockwise = false) {
        const bool coloured = !corners.empty();
        VertexBuffer* vb = render->CreateVertexBuffer(0, coloured ? 1 : 0, 4);
        quads.emplace_back(vb);
        const float xy[4][4] = {{left, top, 0, 0}, {right, top, 1, 0}, {left, bottom, 0, 1}, {right, bottom, 1, 1}};
        auto* bytes = static_cast<std::uint8_t*>(vb->Lock(0, 4));
        for (int i = 0; i < 4; ++i) {
            std::uint8_t* v = bytes + i * vb->vertexSize;
            const float position[6] = {xy[i][0], xy[i][1], -depth, 0, 0, 1};
            std::memcpy(v, position, sizeof position);
            if (coloured) {
                const std::uint32_t argb = vb->PackColor(corners[static_cast<size_t>(i) % corners.size()]);
                std::memcpy(v + 24, &argb, 4);
            }
            std::memcpy(v + (coloured ? 28 : 24), &xy[i][2], 8);
        }
        vb->Unlock();
        IndexBuffer* ib = render->CreateIndexBuffer(0, 6);
        indices.emplace_back(ib);
        const std::uint16_t cw[6] = {0, 1, 3, 0, 3, 2}, ccw[6] = {0, 3, 1, 0, 2, 3};
        std::memcpy(ib->Lock(0, 6), counterClockwise ? ccw : cw, sizeof cw);
        ib->Unlock();
        render->DrawIndexedPrimitive(false, ib, vb, 2);
    }

    void Begin() {
        render->Refresh();
        ASSERT_EQ(render->ready, 1);
        render->BeginScene();
    }

    void EndAndRead() {
        render->EndScene();
        render->SwapBuffers();
        std::uint32_t width = 0, height = 0;
        ASSERT_TRUE(ReadPresentedFrame(width, height, frame));
        ASSERT_EQ(width, std::uint32_t(kWidth));
        ASSERT_EQ(height, std::uint32_t(kHeight));
    }

    Rgb At(int x, int y) const { return FramePixel(frame, kWidth, kHeight, x, y); }

    std::vector<std::unique_ptr<VertexBuffer>> quads;
    std::vector<std::unique_ptr<IndexBuffer>> indices;
    std::vector<std::uint8_t> frame;
};

// Drains the window's messages, which takes in injected focus changes.
void Pump() {
    Platform::MSG message;
    while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
    }
}

const Color kRed{1, 0, 0, 1}, kGreen{0, 1, 0, 1}, kBlue{0, 0, 1, 1}, kWhite{1, 1, 1, 1};

} // namespace

TEST_F(RenderPixels, ClearIsLimitedToTheViewportAndResetsDepthWhateverTheDepthWrite) {
    render->clearColor = kRed;
    Begin();
    render->SetZ(true);
    Quad(-1, 1, 1, -1, 0.2f, {kBlue}); // leaves depth 0.2 everywhere
    EndAndRead();

    D3DVIEWPORT7 inner{160, 120, 320, 240, 0, 1};
    render->device->SetViewport(&inner);
    render->SetZWrite(false);
    render->clearColor = kGreen;
    Begin();
    Quad(-0.5f, 0.5f, 0.5f, -0.5f, 0.5f, {kWhite}); // passes only where the clear reset depth to 1
    EndAndRead();
    ExpectRgb(At(20, 20), {0, 0, 255});
    ExpectRgb(At(165, 125), {0, 255, 0});
    ExpectRgb(At(320, 240), {255, 255, 255});
    ExpectRgb(At(475, 355), {0, 255, 0});
    ExpectRgb(At(485, 365), {0, 0, 255});
}

TEST_F(RenderPixels, DepthTestPassesEqualDepthsAndHidesFartherOnes) {
    render->SetZ(true);
    Begin();
    Quad(-1, 1, 1, -1, 0.5f, {kRed});
    Quad(-1, 1, 0, -1, 0.5f, {kGreen});  // equal depth: drawn
    Quad(0, 1, 1, -1, 0.75f, {kBlue});   // farther: hidden
    EndAndRead();
    ExpectRgb(At(160, 240), {0, 255, 0});
    ExpectRgb(At(480, 240), {255, 0, 0});
}

TEST_F(RenderPixels, EachCullModeRemovesTheFacesItNames) {
    struct Case {
        std::int32_t mode;
        bool clockwiseShows, counterClockwiseShows;
    } cases[] = {{0, true, true}, {1, false, true}, {2, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        render->SetCullMode(c.mode);
        Begin();
        Quad(-1, 1, 0, -1, 0.5f, {kWhite}, false);
        Quad(0, 1, 1, -1, 0.5f, {kWhite}, true);
        EndAndRead();
        EXPECT_EQ(At(160, 240).g, c.clockwiseShows ? 255 : 0);
        EXPECT_EQ(At(480, 240).g, c.counterClockwiseShows ? 255 : 0);
    }
}

TEST_F(RenderPixels, AlphaBlendingMixesBySourceAlpha) {
    render->clearColor = kBlue;
    render->SetAlphaBlend(true);
    render->SetBlend(4, 5); // source alpha, one minus source alpha
    Begin();
    Quad(-1, 1, 1, -1, 0.5f, {{1, 0, 0, 0.5f}});
    EndAndRead();
    ExpectRgb(At(320, 240), {128, 0, 127});
}

TEST_F(RenderPixels, VertexColoursAreInterpolatedAcrossTheQuad) {
    Begin();
    Quad(-1, 1, 1, -1, 0.5f, {kRed, kGreen, kRed, kGreen}); // left corners red, right corners green
    EndAndRead();
    const Rgb left = At(2, 240), right = At(637, 240), middle = At(320, 240);
    EXPECT_GT(left.r, 245);
    EXPECT_LT(left.g, 10);
    EXPECT_GT(right.g, 245);
    EXPECT_NEAR(middle.r, 128, 4);
    EXPECT_NEAR(middle.g, 128, 4);
}

TEST_F(RenderPixels, LitGeometryTakesTheAmbientColourAndTheMaterial) {
    Begin();
    Quad(-1, 1, 0, -1, 0.5f, {}); // plain vertices, unlit: white
    render->SetLighting(true);
    render->SetAmbientColor({0.5f, 0.5f, 0.5f, 1});
    render->SetMaterial({1, 0.5f, 0, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 1}, 0);
    Quad(0, 1, 1, -1, 0.5f, {}); // no lights: emissive + ambient x material ambient
    EndAndRead();
    ExpectRgb(At(160, 240), {255, 255, 255});
    ExpectRgb(At(480, 240), {127, 64, 0});
}

TEST_F(RenderPixels, TheTextureMatrixOffsetMovesTheTexture) {
    // A 2 x 2 texture straight on the device: row 0 red, green; row 1 blue, white.
    DDSURFACEDESC2 desc{};
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwWidth = desc.dwHeight = 2;
    desc.ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
    desc.ddpfPixelFormat.dwRGBBitCount = 32;
    desc.ddpfPixelFormat.dwRGBAlphaBitMask = 0xFF000000;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    IDirectDrawSurface7* texture = nullptr;
    ASSERT_EQ(render->directDraw->CreateSurface(&desc, &texture, nullptr), DD_OK);
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    const std::uint32_t texels[2][2] = {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFFFF}};
    for (int row = 0; row < 2; ++row)
        std::memcpy(static_cast<std::uint8_t*>(locked.lpSurface) + row * locked.lPitch, texels[row], 8);
    texture->Unlock(nullptr);
    render->device->SetTexture(0, texture);
    texture->Release();

    render->SetTextureFilter(0, 0);
    render->SetTextureMatrix(0, 1, 1, 0.5f, 0); // half a texture along u, wrapping
    Begin();
    Quad(-1, 1, 1, -1, 0.5f, {kWhite});
    EndAndRead();
    ExpectRgb(At(100, 100), {0, 255, 0});
    ExpectRgb(At(540, 100), {255, 0, 0});
    ExpectRgb(At(100, 380), {255, 255, 255});
    render->device->SetTexture(0, nullptr);
}

TEST_F(RenderPixels, ATextureDrawnAfterAResetShowsTheSameTexelsFromTheLevelsReadBackFromItsSurface) {
    // 2 x 2 at 24 bits and, mip-mapped, at 32 bits: the image's rows from the bottom blue, white; red, green.
    config->settings.r_use_mip_mapping = true;
    for (const std::uint32_t bits : {24u, 32u}) {
        SCOPED_TRACE(bits);
        Image image;
        image.Create(&log, &memory, 2, 2, bits, false);
        const std::uint8_t texels[4][4] = {{0, 0, 255, 255}, {255, 255, 255, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}};
        for (int i = 0; i < 4; ++i) std::memcpy(image.Pixel(i % 2, i / 2), texels[i], bits / 8);
        std::unique_ptr<Texture2D> made(render->CreateTexture("t", &image, bits == 32));
        auto* texture = static_cast<Texture2D_D3D7*>(made.get());
        EXPECT_TRUE(texture->levelImages.empty()); // the surface holds the levels
        std::vector<std::vector<std::uint8_t>> frames;
        for (int pass = 0; pass < 2; ++pass) {
            render->SetTextureFilter(0, 0); // a reset sets the device's default states again
            render->SetTexture(0, texture);
            Begin();
            Quad(-1, 1, 1, -1, 0.5f, {kWhite});
            EndAndRead();
            frames.push_back(frame);
            if (pass == 0) { // drawn once: OpenGL alone holds the levels now
                render->texturesLost = 1;
                render->Reset(3);
                ASSERT_NE(texture->surface, nullptr);
                EXPECT_TRUE(texture->levelImages.empty());
            }
        }
        EXPECT_TRUE(frames[0] == frames[1]);
        ExpectRgb(At(100, 100), {0, 0, 255}, 0); // the image's bottom row is the texture's first: v = 0
        ExpectRgb(At(540, 380), {0, 255, 0}, 0);
        render->SetTexture(0, nullptr);
    }
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(RenderPixels, AFrameLoopRecoversFromALostDeviceAndDrawsOn) {
    int presented = 0;
    auto drawFrame = [&](const Color& colour) {
        render->Refresh();
        if (!render->ready) return;
        render->BeginScene();
        Quad(-1, 1, 1, -1, 0.5f, {colour});
        render->EndScene();
        render->SwapBuffers();
        ++presented;
    };
    drawFrame(kRed);
    T::InjectFault(T::Fault::DeviceLost);
    drawFrame(kGreen);
    EXPECT_EQ(render->ready, 0);
    T::ClearFault(T::Fault::DeviceLost);
    drawFrame(kBlue);
    EXPECT_EQ(presented, 2);
    std::uint32_t width = 0, height = 0;
    ASSERT_TRUE(ReadPresentedFrame(width, height, frame));
    ExpectRgb(At(320, 240), {0, 0, 255});
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(RenderPixels, AFullscreenGameThatLosesTheFocusRestoresWithoutRebuilding) {
    render.reset();
    window.reset();
    Set("v_fullscreen", "1");
    Start();
    ASSERT_TRUE(window->fullscreen);
    Platform::Test::SetForceFocus(false);
    Platform::Test::InjectFocus(true);
    Pump();
    render->Refresh();
    ASSERT_EQ(render->ready, 1);
    Platform::Test::InjectFocus(false);
    Pump();
    render->Refresh();
    EXPECT_EQ(render->ready, 0);
    EXPECT_EQ(render->videoModeChanged, 0);
    Platform::Test::InjectFocus(true);
    Pump();
    T::ClearCalls();
    render->Refresh();
    EXPECT_EQ(render->ready, 1);
    EXPECT_EQ(T::CountCalls("RestoreAllSurfaces()"), 1);
    EXPECT_EQ(T::CountCalls("CreateDevice("), 0);
    Platform::Test::SetForceFocus(true);
}

TEST_F(RenderPixels, CamerasPutAKnownWorldPointOnItsPixel) {
    // Orthographic over the window's pixels, origin at the bottom-left corner: (100, 50) is 50 rows
    // above the bottom.
    std::unique_ptr<Camera> ortho(render->CreateCamera(Camera::Orthographic));
    ortho->orthoWidth = kWidth;
    ortho->orthoHeight = kHeight;
    ortho->nearClip = -500;
    ortho->farClip = 500;
    ortho->SetViewport(0, 0, kWidth, kHeight);
    ortho->UpdateMatrices(4.0f / 3.0f);
    ortho->Apply();
    Begin();
    render->SetWorldMatrix(Matrix4{});
    // Quad() takes its x and y as given and z = -depth: a 6-pixel square around (100, 50) at z = 0.
    Quad(97, 53, 103, 47, 0.0f, {kRed});
    EndAndRead();
    ExpectRgb(At(100, kHeight - 50), {255, 0, 0});
    ExpectRgb(At(100, 50), {0, 0, 0});
    ExpectRgb(At(106, kHeight - 50), {0, 0, 0});

    // Perspective from the origin looking down -z: a point straight ahead lands in the centre.
    std::unique_ptr<Camera> perspective(render->CreateCamera(Camera::Perspective));
    perspective->SetViewport(0, 0, kWidth, kHeight);
    perspective->UpdateMatrices(4.0f / 3.0f);
    perspective->Apply();
    Begin();
    Quad(-0.1f, 0.1f, 0.1f, -0.1f, 10.0f, {kGreen});
    EndAndRead();
    ExpectRgb(At(kWidth / 2, kHeight / 2), {0, 255, 0});
    ExpectRgb(At(10, 10), {0, 0, 0});
}

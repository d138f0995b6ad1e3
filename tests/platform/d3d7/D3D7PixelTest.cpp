// The OpenGL executor of the Direct3D 7 stand-in, pinned by pixels read back from presented frames.

#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace Platform;
namespace T = Platform::D3D7Test;

namespace {

constexpr int kWidth = 160, kHeight = 120;

struct Vertex { // the coloured 36-byte layout
    float x, y, z, nx, ny, nz;
    std::uint32_t argb;
    float u, v;
};

struct Rgb {
    int r, g, b;
};

class D3D7Pixels : public ::testing::Test {
protected:
    void SetUp() override {
        T::Reset();
        window = T::CreateTestWindow(kWidth, kHeight);
        ASSERT_NE(window, nullptr);
        Open(kWidth, kHeight);
    }

    void TearDown() override {
        Close();
        T::DestroyTestWindow(window);
        EXPECT_EQ(T::LiveSurfaces(), 0);
    }

    void Open(DWORD width, DWORD height) {
        void* object = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
        dd = static_cast<IDirectDraw7*>(object);
        ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL | DDSCL_FPUSETUP), DD_OK);
        DDSURFACEDESC2 desc{};
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
        IDirectDrawClipper* clipper = nullptr;
        ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
        clipper->SetHWnd(0, window);
        primary->SetClipper(clipper);
        clipper->Release();
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = width;
        desc.dwHeight = height;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
        ASSERT_EQ(dd->CreateSurface(&desc, &back, nullptr), DD_OK);
        ASSERT_EQ(dd->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&d3d)), DD_OK);
        ASSERT_EQ(d3d->CreateDevice(IID_IDirect3DHALDevice, back, &device), DD_OK);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY;
        desc.ddpfPixelFormat.dwFlags = DDPF_ZBUFFER;
        desc.ddpfPixelFormat.dwZBufferBitDepth = 32;
        ASSERT_EQ(dd->CreateSurface(&desc, &z, nullptr), DD_OK);
        ASSERT_EQ(back->AddAttachedSurface(z), DD_OK);
        ASSERT_EQ(device->SetRenderTarget(back, 0), DD_OK);
        device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
        device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRENDERSTATE_COLORVERTEX, 0);
    }

    void Close() {
        for (IDirectDrawSurface7* t : textures) t->Release();
        textures.clear();
        if (device) {
            EXPECT_EQ(device->Release(), 0u);
        }
        if (z) z->Release();
        if (back) back->Release();
        if (primary) primary->Release();
        if (d3d) d3d->Release();
        if (dd) {
            EXPECT_EQ(dd->Release(), 0u);
        }
        device = nullptr;
        z = back = primary = nullptr;
        d3d = nullptr;
        dd = nullptr;
    }

    // A rectangle in clip space at depth z (0 near, 1 far), listed top-left, top-right, bottom-left,
    // bottom-right; clockwise on screen unless counterClockwise.
    void Quad(float left, float top, float right, float bottom, float depth, std::uint32_t argb,
              bool counterClockwise = false, bool coloured = true) {
        Vertex v[4] = {{left, top, depth, 0, 0, -1, argb, 0, 0},
                       {right, top, depth, 0, 0, -1, argb, 1, 0},
                       {left, bottom, depth, 0, 0, -1, argb, 0, 1},
                       {right, bottom, depth, 0, 0, -1, argb, 1, 1}};
        WORD cw[6] = {0, 1, 3, 0, 3, 2}, ccw[6] = {0, 3, 1, 0, 2, 3};
        const DWORD plainFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
        if (coloured) {
            ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, plainFormat | D3DFVF_DIFFUSE, v, 4,
                                                   counterClockwise ? ccw : cw, 6, 0), DD_OK);
            return;
        }
        float plain[4][8];
        for (int i = 0; i < 4; ++i) {
            std::memcpy(plain[i], &v[i], 24);
            plain[i][6] = v[i].u;
            plain[i][7] = v[i].v;
        }
        ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, plainFormat, plain, 4, counterClockwise ? ccw : cw,
                                               6, 0), DD_OK);
    }

    void Clear(DWORD flags, std::uint32_t argb, float depth = 1.0f) {
        ASSERT_EQ(device->Clear(0, nullptr, flags, argb, depth, 0), DD_OK);
    }

    void Present() {
        RECT client{0, 0, kWidth, kHeight};
        ASSERT_EQ(primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
        ASSERT_TRUE(ReadPresentedFrame(frameWidth, frameHeight, frame));
        ASSERT_EQ(frameWidth, DWORD(kWidth));
        ASSERT_EQ(frameHeight, DWORD(kHeight));
    }

    // x, y from the top-left corner of the window.
    Rgb At(int x, int y) const {
        const size_t i = (static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4;
        return {frame[i + 2], frame[i + 1], frame[i]};
    }

    IDirectDrawSurface7* Texture(DWORD width, DWORD height, const std::vector<std::uint32_t>& argb) {
        DDSURFACEDESC2 desc{};
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.dwWidth = width;
        desc.dwHeight = height;
        desc.ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
        desc.ddpfPixelFormat.dwRGBBitCount = 32;
        desc.ddpfPixelFormat.dwRGBAlphaBitMask = 0xFF000000;
        desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
        IDirectDrawSurface7* texture = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &texture, nullptr), DD_OK);
        DDSURFACEDESC2 locked{};
        EXPECT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
        for (DWORD row = 0; row < height; ++row)
            std::memcpy(static_cast<std::uint8_t*>(locked.lpSurface) + row * locked.lPitch, &argb[row * width], width * 4);
        texture->Unlock(nullptr);
        textures.push_back(texture);
        return texture;
    }

    HWND window = nullptr;
    IDirectDraw7* dd = nullptr;
    IDirect3D7* d3d = nullptr;
    IDirect3DDevice7* device = nullptr;
    IDirectDrawSurface7 *primary = nullptr, *back = nullptr, *z = nullptr;
    std::vector<IDirectDrawSurface7*> textures;
    DWORD frameWidth = 0, frameHeight = 0;
    std::vector<std::uint8_t> frame;
};

void ExpectRgb(Rgb actual, Rgb expected, int tolerance = 2) {
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
}

} // namespace

TEST_F(D3D7Pixels, ClearIsLimitedToTheViewportAndWritesDepthWhateverTheMask) {
    Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFF0000);
    D3DVIEWPORT7 inner{40, 30, 80, 60, 0, 1};
    device->SetViewport(&inner);
    device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
    Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF00FF00, 0.5f);
    device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    Quad(-1, 1, 1, -1, 0.6f, 0xFF0000FF); // behind the cleared depth: hidden
    Present();
    ExpectRgb(At(10, 10), {255, 0, 0});
    ExpectRgb(At(45, 35), {0, 255, 0});
    ExpectRgb(At(115, 85), {0, 255, 0});
    ExpectRgb(At(125, 95), {255, 0, 0});
}

TEST_F(D3D7Pixels, DepthTestIsLessOrEqualOverTheZeroToOneRange) {
    Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000);
    device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    Quad(-1, 1, 0, -1, 0.25f, 0xFFFF0000); // left half near
    Quad(-1, 1, 1, -1, 0.5f, 0xFF00FF00);  // everything at mid depth: only the right half shows
    Quad(0, 1, 1, -1, 0.5f, 0xFF0000FF);   // equal depth passes
    Quad(-1, 1, 1, -1, 0.0f, 0x00000000);  // zero depth is inside the range, but alpha 0 and no blend
    Present();
    ExpectRgb(At(40, 60), {0, 0, 0});
    Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000);
    Quad(-1, 1, 0, -1, 0.25f, 0xFFFF0000);
    Quad(-1, 1, 1, -1, 0.5f, 0xFF00FF00);
    Quad(0, 1, 1, -1, 0.5f, 0xFF0000FF);
    Present();
    ExpectRgb(At(40, 60), {255, 0, 0});
    ExpectRgb(At(120, 60), {0, 0, 255});
}

TEST_F(D3D7Pixels, CullModesAreJudgedOnScreen) {
    struct Case {
        DWORD cull;
        bool clockwiseShows, counterClockwiseShows;
    } cases[] = {{D3DCULL_NONE, true, true}, {D3DCULL_CW, false, true}, {D3DCULL_CCW, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cull);
        device->SetRenderState(D3DRENDERSTATE_CULLMODE, c.cull);
        Clear(D3DCLEAR_TARGET, 0xFF000000);
        Quad(-1, 1, 0, -1, 0.5f, 0xFFFFFFFF, false);
        Quad(0, 1, 1, -1, 0.5f, 0xFFFFFFFF, true);
        Present();
        EXPECT_EQ(At(40, 60).g, c.clockwiseShows ? 255 : 0);
        EXPECT_EQ(At(120, 60).g, c.counterClockwiseShows ? 255 : 0);
    }
}

TEST_F(D3D7Pixels, AlphaBlendingUsesTheSourceAlphaOfTheVertexColour) {
    Clear(D3DCLEAR_TARGET, 0xFF0000FF);
    device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Quad(-1, 1, 1, -1, 0.5f, 0x80FF0000);
    device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_DESTALPHA); // no destination alpha: reads 1
    device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ZERO);
    Quad(0, 1, 1, -1, 0.5f, 0x4000FF00);
    Present();
    ExpectRgb(At(40, 60), {128, 0, 127});
    ExpectRgb(At(120, 60), {0, 255, 0});
}

TEST_F(D3D7Pixels, TexturesSampleRowZeroAtVZeroAndMoveWithTheTextureMatrixTranslation) {
    // Row 0: red, green; row 1: blue, white.
    IDirectDrawSurface7* texture = Texture(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR); // a single level is complete
    Clear(D3DCLEAR_TARGET, 0xFF000000);
    Quad(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF);
    Present();
    ExpectRgb(At(20, 20), {255, 0, 0});
    ExpectRgb(At(140, 20), {0, 255, 0});
    ExpectRgb(At(20, 100), {0, 0, 255});

    D3DMATRIX shift{};
    shift._11 = shift._22 = shift._33 = shift._44 = 1;
    shift._31 = 0.5f; // half a texture to the right, wrapping
    device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTRANSFORMSTATE_TEXTURE0), &shift);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    Clear(D3DCLEAR_TARGET, 0xFF000000);
    Quad(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF);
    Present();
    ExpectRgb(At(20, 20), {0, 255, 0});
    ExpectRgb(At(140, 100), {0, 0, 255});
}

TEST_F(D3D7Pixels, ADrawnTextureIsReadBackWhenLockedAndWhenItsContextGoes) {
    // Row 0: red, green; row 1: blue, half-transparent white.
    const std::vector<std::uint32_t> texels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF};
    IDirectDrawSurface7* texture = Texture(2, 2, texels);
    auto draw = [&] {
        device->SetTexture(0, texture);
        Clear(D3DCLEAR_TARGET, 0xFF000000);
        Quad(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF);
        Present();
        ExpectRgb(At(20, 20), {255, 0, 0});
        ExpectRgb(At(140, 20), {0, 255, 0});
        ExpectRgb(At(20, 100), {0, 0, 255});
    };
    draw(); // the texture's memory is given up once uploaded
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD row = 0; row < 2; ++row)
        EXPECT_EQ(std::memcmp(static_cast<std::uint8_t*>(locked.lpSurface) + row * locked.lPitch, &texels[row * 2], 8),
                  0);
    texture->Unlock(nullptr);
    draw();
    // A new DirectDraw object makes a new context: the old one's textures are read back as it goes.
    texture->AddRef();
    Close();
    Open(kWidth, kHeight);
    textures.push_back(texture);
    draw();
}

TEST_F(D3D7Pixels, VertexColoursModulateTheTextureAndEmptyStagesPassThrough) {
    IDirectDrawSurface7* texture = Texture(1, 1, {0xFF80FFFF});
    device->SetTexture(0, texture);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE); // no texture on stage 1
    Clear(D3DCLEAR_TARGET, 0xFF000000);
    Quad(-1, 1, 0, -1, 0.5f, 0xFFFFFF00);
    device->SetTexture(0, nullptr);
    Quad(0, 1, 1, -1, 0.5f, 0xFF00FF80);
    Present();
    ExpectRgb(At(40, 60), {128, 255, 0});
    ExpectRgb(At(120, 60), {0, 255, 128});
}

TEST_F(D3D7Pixels, LightingUsesTheAmbientStateAndUnlitPlainVerticesAreWhite) {
    Clear(D3DCLEAR_TARGET, 0xFF000000);
    Quad(-1, 1, 0, -1, 0.5f, 0, false, false);
    device->SetRenderState(D3DRENDERSTATE_LIGHTING, 1);
    device->SetRenderState(D3DRENDERSTATE_AMBIENT, 0xFF808080);
    D3DMATERIAL7 material{};
    material.diffuse = {1, 1, 1, 1};
    material.ambient = {1, 0.5f, 0, 1};
    device->SetMaterial(&material);
    Quad(0, 1, 1, -1, 0.5f, 0, false, false);
    Present();
    ExpectRgb(At(40, 60), {255, 255, 255});
    ExpectRgb(At(120, 60), {128, 64, 0});
}

TEST_F(D3D7Pixels, PresentLetterboxesTheBackBufferAndShowsTheSameFrameAgain) {
    Close();
    Open(80, 30); // wider than the window: bars above and below
    Clear(D3DCLEAR_TARGET, 0xFFFFFFFF);
    Present();
    const std::vector<std::uint8_t> first = frame;
    ExpectRgb(At(80, 5), {0, 0, 0});
    ExpectRgb(At(80, 60), {255, 255, 255});
    ExpectRgb(At(2, 60), {255, 255, 255});
    ExpectRgb(At(80, 114), {0, 0, 0});
    Present();
    EXPECT_EQ(frame, first);
    Clear(D3DCLEAR_TARGET, 0xFFFFFFFF); // a later frame too: its bars are black again
    Present();
    EXPECT_EQ(frame, first);
}

// With the software renderer a picture that fills the window reaches it through the window system's own image
// of the window, not through a GL blit: the same pixels, rows top first there.
TEST_F(D3D7Pixels, APictureThatFillsTheWindowReachesTheWindowImageAsPresented) {
    Clear(D3DCLEAR_TARGET, 0xFF204060);
    Quad(-1, 1, 0, -0.5f, 0.5f, 0xFFFFFFFF);
    Quad(-0.3f, 0.9f, 0.8f, -0.7f, 0.5f, 0x80C08000);
    Present();
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint8_t> image;
    ASSERT_TRUE(T::ReadWindowImage(width, height, image));
    ASSERT_EQ(width, DWORD(kWidth));
    ASSERT_EQ(height, DWORD(kHeight));
    int differing = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                differing += image[(static_cast<size_t>(y) * kWidth + x) * 4 + c] !=
                             frame[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4 + c];
    EXPECT_EQ(differing, 0);
    ExpectRgb(At(10, 10), {255, 255, 255});

    Close();
    Open(80, 30); // letterboxed: scaled by a GL blit into the window
    Clear(D3DCLEAR_TARGET, 0xFFFFFFFF);
    Present();
    EXPECT_FALSE(T::ReadWindowImage(width, height, image));
}

TEST_F(D3D7Pixels, LaterFramesReplaceTheWholeWindowAndShowAgain) {
    Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFF0000);
    Present();
    device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    for (const std::uint32_t background : {0xFF0000FFu, 0xFF00FF00u}) {
        Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background);
        Quad(-1, 1, 0, -1, 0.25f, 0xFFFFFFFF);
        Quad(-1, 1, 1, -1, 0.5f, 0xFF800000); // behind the white half: only the right half shows
        Present();
        ExpectRgb(At(40, 60), {255, 255, 255});
        ExpectRgb(At(120, 60), {128, 0, 0});
    }
    const std::vector<std::uint8_t> last = frame;
    Present(); // nothing drawn: the same frame again
    EXPECT_EQ(frame, last);
}

// A later frame goes the same way as the first: the software renderer rounds a filtered, blended picture at
// pixel centres and edges, so any other path (a framebuffer whose rows run the other way) moves pixels.
TEST_F(D3D7Pixels, TheSameSceneDrawnAgainGivesTheSamePixels) {
    std::vector<std::uint32_t> texels;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 64 * 64; ++i) {
        seed = seed * 1664525u + 1013904223u;
        texels.push_back(seed);
    }
    IDirectDrawSurface7* texture = Texture(64, 64, texels);
    const auto scene = [&] {
        device->SetTexture(0, nullptr);
        Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF203040);
        Quad(-0.93f, 0.87f, 0.71f, -0.79f, 0.5f, 0xFFC08040);
        device->SetTexture(0, texture);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_LINEAR);
        device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
        // Quads of many sizes and offsets over noise, so edges and filtered texels fall at every fraction of a
        // pixel.
        for (int i = 0; i < 48; ++i) {
            const float left = -1.0f + (i * 0.0371f), top = 1.0f - (i % 7) * 0.0913f;
            Quad(left, top, left + 0.3f + (i % 5) * 0.173f, top - 0.4f - (i % 3) * 0.291f, 0.25f,
                 0xFFFFFFFFu - (i * 0x05030201u), false, i % 2 == 0);
        }
        device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
        Present();
    };
    scene();
    const std::vector<std::uint8_t> first = frame;
    for (int again = 0; again < 2; ++again) {
        scene();
        EXPECT_EQ(frame, first) << "frame " << again + 2;
    }
}

TEST_F(D3D7Pixels, AnExclusiveWindowThatLosesFocusOrIsMinimisedLosesTheDevice) {
    ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT), DD_OK);
    EXPECT_EQ(dd->TestCooperativeLevel(), DD_OK);
    T::SetTestWindowState(window, false, false);
    EXPECT_EQ(dd->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(device->BeginScene(), DDERR_SURFACELOST);
    T::SetTestWindowState(window, true, true);
    EXPECT_EQ(dd->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE);
    T::SetTestWindowState(window, true, false);
    EXPECT_EQ(dd->TestCooperativeLevel(), DD_OK);
    EXPECT_EQ(device->BeginScene(), DDERR_SURFACELOST); // until restored
    ASSERT_EQ(dd->RestoreAllSurfaces(), DD_OK);
    EXPECT_EQ(device->BeginScene(), DD_OK);
    EXPECT_EQ(device->EndScene(), DD_OK);
    // A window is never exclusive: focus does not matter.
    ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
    T::SetTestWindowState(window, false, true);
    EXPECT_EQ(dd->TestCooperativeLevel(), DD_OK);
}

TEST_F(D3D7Pixels, SixteenBitTexturesUploadRowByRowThroughTheirPitch) {
    // 3 x 2 texels of 5-6-5: rows are 6 bytes of texels padded to a pitch of 8.
    DDSURFACEDESC2 desc{};
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_MIPMAPCOUNT;
    desc.dwWidth = 3;
    desc.dwHeight = 2;
    desc.dwMipMapCount = 2;
    desc.ddpfPixelFormat.dwFlags = DDPF_RGB;
    desc.ddpfPixelFormat.dwRGBBitCount = 16;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    IDirectDrawSurface7* texture = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &texture, nullptr), DD_OK);
    textures.push_back(texture);
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    ASSERT_EQ(locked.lPitch, 8);
    const std::uint16_t rows[2][3] = {{0xF800, 0x07E0, 0x001F}, {0xFFFF, 0x0000, 0xFFFF}};
    for (int row = 0; row < 2; ++row)
        std::memcpy(static_cast<std::uint8_t*>(locked.lpSurface) + row * locked.lPitch, rows[row], 6);
    texture->Unlock(nullptr);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_POINT); // both levels are uploaded
    Clear(D3DCLEAR_TARGET, 0xFF000000);
    Quad(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF);
    Present();
    ExpectRgb(At(20, 20), {255, 0, 0});
    ExpectRgb(At(80, 20), {0, 255, 0});
    ExpectRgb(At(140, 20), {0, 0, 255});
    ExpectRgb(At(20, 100), {255, 255, 255});
    ExpectRgb(At(80, 100), {0, 0, 0});
}

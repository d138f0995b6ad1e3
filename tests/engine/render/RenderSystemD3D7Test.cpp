// The Direct3D 7 render system on the recording stand-in: enumeration, device and mode choice with
// every fallback, the state cache, the frame operations and the reset paths.

#include "RenderTestSupport.h"

#include "engine/core/Error.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

using namespace VantoranEngine;
using namespace Platform;
namespace T = Platform::D3D7Test;

namespace {

const std::string kDots = "........................................................\n";

class RenderSystemD3D7 : public RenderFixture {
protected:
    void SetUp() override {
        Platform::Test::SetHeadlessWindows(true);
        RenderFixture::SetUp();
    }

    void SetDesktop(DWORD width, DWORD height, DWORD bits = 32, std::vector<T::Environment::Mode> modes = {}) {
        env.desktopWidth = width;
        env.desktopHeight = height;
        env.desktopBits = bits;
        env.modes = std::move(modes);
        T::SetEnvironment(env);
    }

    const DisplayModeInfo& Mode() const { return *render->chosenDriver->chosenDevice->chosenMode; }

    std::string FatalText(const std::function<void()>& action) {
        try {
            action();
        } catch (const FatalError& error) {
            return error.message;
        }
        return "";
    }

    DWORD RenderState(D3DRENDERSTATETYPE state) const {
        DWORD value = 0;
        render->device->GetRenderState(state, &value);
        return value;
    }

    DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type) const {
        DWORD value = 0;
        render->device->GetTextureStageState(stage, type, &value);
        return value;
    }

    T::Environment env;
};

} // namespace

TEST_F(RenderSystemD3D7, StartsOnTheTransformAndLightingDeviceWithTheLogLinesInOrder) {
    Start();
    const char* expected[] = {
        "\nInitialization of Direct3D subsystem...\n", "...Building device list...\n", "...Creating DirectDraw...\n",
        "......Setting cooperative level...\n", "......Creating screen buffers...\n", "...Creating Direct3D...\n",
        "...Creating Direct3D device...\n", "......Setting viewport...\n", "......Creating Z Buffer...\n",
        kDots.c_str(), "......Capabilities:\n", ".........Maximal texture units: 8\n",
        ".........Maximal texture size: 4096x4096\n", ".........Maximal texture anisotropy: 16\n", " \n"};
    int at = 0;
    for (const char* line : expected) {
        at = Find(line, at);
        ASSERT_GE(at, 0) << line;
    }
    EXPECT_TRUE(render->chosenDriver->chosenDevice->guid == IID_IDirect3DTnLHalDevice);
    EXPECT_EQ(render->ready, 1);
    EXPECT_EQ(render->textureUnitCount, 8u);
    EXPECT_EQ(Mode().width, 800u);
    EXPECT_EQ(Mode().bits, 32u);
    EXPECT_EQ(window->width, 800u);
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(RenderSystemD3D7, AFailingHardwareDeviceFallsBackToSoftwareAfterTheErrorAndWarning) {
    T::InjectFault(T::Fault::CreateHardwareDevice);
    Start();
    const int error = Find("\nError: RenderSystem_D3D7: Failed to create Direct3D device!\n\n");
    const int warning = Find("\nWarning: ......RenderSystem_D3D7: Switching to the software rasterizer!\n\n");
    const int capabilities = Find("......Capabilities:\n");
    ASSERT_GE(error, 0);
    EXPECT_GT(warning, error);
    EXPECT_GT(capabilities, warning);
    EXPECT_EQ(render->chosenDriver->chosenDevice->hardware, 0);
    EXPECT_EQ(render->ready, 1);
}

TEST_F(RenderSystemD3D7, StartFailuresEndWithTheirFatalErrors) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* fatal;
        const char* loggedError;
    } cases[] = {
        {"every device fails", [] {
             T::InjectFault(T::Fault::CreateHardwareDevice);
             T::InjectFault(T::Fault::CreateSoftwareDevice);
         }, "RenderSystem_D3D7: Failed to create Direct3D device",
         "\nWarning: ......RenderSystem_D3D7: Switching to the software rasterizer!\n\n"},
        {"primary cannot render windowed", [this] {
             env.primaryCanRenderWindowed = false;
             env.secondaryDriver = true;
             T::SetEnvironment(env);
         }, "RenderSystem_D3D7: Failed to find any compatible Direct3D devices", nullptr},
        {"8-bit desktop", [this] { SetDesktop(1280, 1024, 8); },
         "RenderSystem_D3D7: Failed to create Direct3D device",
         "\nError: RenderSystem_D3D7: Invalid DirectDraw display mode!\n\n"},
        {"no primary surface", [] { T::InjectFault(T::Fault::CreatePrimarySurface); },
         "RenderSystem_D3D7: Failed to create Direct3D device",
         "\nError: RenderSystem_D3D7: Failed to create primary surface!\n\n"},
        {"no Z buffer", [] { T::InjectFault(T::Fault::CreateZBuffer); },
         "RenderSystem_D3D7: Failed to create Direct3D device",
         "\nError: RenderSystem_D3D7: Failed to create Z Buffer!\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        T::Reset();
        T::SetBackend(T::Backend::Recording);
        env = {};
        log.ClearEntries();
        render.reset();
        c.arrange();
        EXPECT_EQ(FatalText([this] { Start(); }), c.fatal);
        if (c.loggedError) {
            EXPECT_GE(Find(c.loggedError), 0);
        }
        EXPECT_EQ(T::LiveSurfaces(), 0);
        EXPECT_EQ(T::LiveDirectDrawObjects(), 0);
    }
}

TEST_F(RenderSystemD3D7, VideoModeChoiceFollowsTheRequestTheDesktopAndTheFallbacks) {
    struct Case {
        const char* request;
        bool fullscreen;
        DWORD desktopW, desktopH, desktopBits;
        DWORD width, height, bits;
        const char* finalMode;
        bool finalFullscreen;
    } cases[] = {
        {"1024x768x16", false, 1280, 1024, 32, 1024, 768, 16, "1024x768x16", false},
        {"desktop", false, 1280, 1024, 32, 1280, 1024, 32, "desktop", true},
        {"DESKTOP", false, 1280, 1024, 24, 1280, 1024, 32, "DESKTOP", true}, // 24 bits counts as 32
        {"1280x1024x32", false, 1280, 1024, 32, 1152, 864, 32, "1152x864x32", false},
        {"1000x700x32", false, 1280, 1024, 32, 800, 600, 32, "800x600x32", false},
        {"1000x700x32", true, 1280, 1024, 32, 800, 600, 32, "800x600x32", true},
        // An automatic window size with no qualifying mode takes 640 x 480 at the requested depth.
        {"800x600x32", false, 800, 600, 32, 640, 480, 32, "640x480x32", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.request) + (c.fullscreen ? " fullscreen" : "") + " on " +
                     std::to_string(c.desktopW) + "x" + std::to_string(c.desktopH));
        render.reset();
        SetDesktop(c.desktopW, c.desktopH, c.desktopBits);
        Set("v_mode", c.request);
        Set("v_fullscreen", c.fullscreen ? "1" : "0");
        window.reset();
        Start();
        EXPECT_EQ(Mode().width, c.width);
        EXPECT_EQ(Mode().height, c.height);
        EXPECT_EQ(Mode().bits, c.bits);
        EXPECT_EQ(config->settings.v_mode, c.finalMode);
        EXPECT_EQ(config->settings.v_fullscreen, c.finalFullscreen);
        EXPECT_EQ(render->chosenDriver->chosenDevice->fullscreen, c.finalFullscreen ? 1 : 0);
        EXPECT_EQ(render->backBufferDesc.dwWidth, c.width);
        render.reset();
    }
}

TEST_F(RenderSystemD3D7, TheModeFallbackChainEndsWithAFatalError) {
    // Neither the request, nor the default 800x600x32, nor 640x480x16 is listed.
    SetDesktop(1280, 1024, 32, {{1024, 768, 32}});
    Set("v_mode", "1152x864x32");
    EXPECT_EQ(FatalText([this] { Start(); }), "RenderSystem_D3D7: Failed to find compatible video mode");
    EXPECT_EQ(config->settings.v_mode, "640x480x16");

    // The default itself is 640x480x16.
    config = std::make_unique<Config>(&log, &memory, nullptr, "", "", "640x480x16", false, false, false);
    Set("v_mode", "1152x864x32");
    EXPECT_EQ(FatalText([this] { Start(); }), "RenderSystem_D3D7: Failed to find compatible video mode");
}

TEST_F(RenderSystemD3D7, ListsModesFromSixForHundredAndTwentyFourBitsAsThirtyTwoAfterTheRealOnes) {
    SetDesktop(1280, 1024, 32, {{600, 400, 32}, {640, 480, 24}, {640, 480, 32}, {800, 600, 16}, {640, 400, 16}});
    Set("v_mode", "640x480x32");
    Start();
    const auto& modes = render->chosenDriver->chosenDevice->displayModes;
    ASSERT_EQ(modes.size(), 4u);
    EXPECT_EQ(modes[0]->width, 800u);
    EXPECT_EQ(modes[1]->bits, 32u);
    EXPECT_EQ(modes[1]->mode->ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(modes[2]->bits, 32u);
    EXPECT_EQ(modes[2]->mode->ddpfPixelFormat.dwRGBBitCount, 24u);
    EXPECT_EQ(modes[3]->height, 400u);
    EXPECT_EQ(&Mode(), modes[1].get());
}

TEST_F(RenderSystemD3D7, CheckResultDescribesKnownAliasAndUnknownCodes) {
    Start();
    log.ClearEntries();
    render->CheckResult("Tag::Op", DDERR_SURFACELOST);
    render->CheckResult("Tag::Op", static_cast<HRESULT>(0x80004005u));
    render->CheckResult("Tag::Op", DDERR_NOTONMIPMAPSUBLEVEL);
    render->CheckResult("Tag::Op", 1); // success codes pass silently
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\nError: Direct3D Subsystem (Tag::Op): Access to the surface is refused because the surface "
                        "memory is gone. Call the IDirectDrawSurface7::Restore method on this surface to restore the "
                        "memory associated with it.!\n\n");
    EXPECT_EQ(lines[1], "\nError: Direct3D Subsystem (Tag::Op): There is an undefined error condition.!\n\n");
    EXPECT_EQ(lines[2], "\nError: Direct3D Subsystem (Tag::Op): Unknown error (Code: -2005532069)!\n\n");
    EXPECT_EQ(RenderSystem_D3D7::DescribeResult(DDERR_NOVSYNCHW),
              "There is no hardware support for vertical blank\x96synchronized operations.");
}

TEST_F(RenderSystemD3D7, CachedSettersPushOnlyChangesBeyondTheTolerance) {
    Start();
    T::ClearCalls();
    Matrix4 m;
    m.m[3] = 0.0001f;
    render->SetWorldMatrix(m);
    EXPECT_EQ(T::CountCalls("SetTransform(0)"), 0);
    m.m[3] = 0.00011f;
    render->SetWorldMatrix(m);
    EXPECT_EQ(T::CountCalls("SetTransform(0)"), 1);
    D3DMATRIX world;
    render->device->GetTransform(D3DTRANSFORMSTATE_WORLD, &world);
    EXPECT_FLOAT_EQ(world._41, 0.00011f); // handed over transposed

    render->SetBlend(0, 5);
    EXPECT_EQ(T::CountCalls("SetRenderState(4, "), 1); // source pushed too
    EXPECT_EQ(RenderState(D3DRENDERSTATE_DESTBLEND), DWORD(D3DBLEND_INVSRCALPHA));
    render->SetBlend(0, 5);
    EXPECT_EQ(T::CountCalls("SetRenderState(4, "), 1);

    render->SetTextureMatrix(1, 2, 3, 0.25f, 0.5f);
    D3DMATRIX texture;
    render->device->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTRANSFORMSTATE_TEXTURE0 + 1), &texture);
    EXPECT_EQ(texture._11, 2.0f);
    EXPECT_EQ(texture._22, 3.0f);
    EXPECT_EQ(texture._31, 0.25f);
    EXPECT_EQ(texture._32, 0.5f);

    Matrix4 view;
    view.m[2] = 0.5f;
    render->SetViewMatrix(view);
    D3DMATRIX deviceView;
    render->device->GetTransform(D3DTRANSFORMSTATE_VIEW, &deviceView);
    EXPECT_EQ(deviceView._13, -0.5f);
    EXPECT_EQ(deviceView._33, -1.0f);
}

TEST_F(RenderSystemD3D7, StateNumbersMapToDeviceStates) {
    Start();
    const std::pair<int, DWORD> blends[] = {{0, D3DBLEND_ONE}, {1, D3DBLEND_ONE}, {2, D3DBLEND_DESTCOLOR},
                                            {3, D3DBLEND_INVDESTCOLOR}, {4, D3DBLEND_SRCALPHA}, {5, D3DBLEND_INVSRCALPHA},
                                            {6, D3DBLEND_DESTALPHA}, {7, D3DBLEND_INVDESTALPHA}, {8, D3DBLEND_SRCALPHASAT},
                                            {9, D3DBLEND_SRCCOLOR}, {10, D3DBLEND_INVSRCCOLOR}, {11, D3DBLEND_ZERO}};
    for (const auto& [number, blend] : blends) EXPECT_EQ(RenderSystem_D3D7::MapBlendFactor(number), blend) << number;

    for (const auto& [mode, cull] : {std::pair{1, D3DCULL_CW}, {2, D3DCULL_CCW}, {3, D3DCULL_NONE}, {0, D3DCULL_NONE}}) {
        render->SetCullMode(mode);
        EXPECT_EQ(RenderState(D3DRENDERSTATE_CULLMODE), DWORD(cull)) << mode;
    }

    render->SetTextureFilter(0, 0);
    EXPECT_EQ(StageState(0, D3DTSS_MINFILTER), DWORD(D3DTFN_POINT));
    EXPECT_EQ(StageState(0, D3DTSS_MIPFILTER), DWORD(D3DTFP_NONE));
    render->SetTextureFilter(0, 7); // unknown: no change
    EXPECT_EQ(StageState(0, D3DTSS_MAGFILTER), DWORD(D3DTFG_POINT));
    Set("r_texture_anisotropy", "4");
    render->SetTextureFilter(0, 2);
    EXPECT_EQ(StageState(0, D3DTSS_MINFILTER), DWORD(D3DTFN_ANISOTROPIC));
    EXPECT_EQ(StageState(0, D3DTSS_MIPFILTER), DWORD(D3DTFP_LINEAR));
    render->SetTextureAdressU(0, 0);
    EXPECT_EQ(StageState(0, D3DTSS_ADDRESSU), DWORD(D3DTADDRESS_CLAMP));

    render->SetAmbientColor({0.5f, 1.0f, 0.0f, 1.0f});
    EXPECT_EQ(RenderState(D3DRENDERSTATE_AMBIENT), 0xFF7FFF00u); // truncated, not rounded
    EXPECT_EQ(RenderState(D3DRENDERSTATE_COLORVERTEX), 0u);
    EXPECT_EQ(StageState(1, D3DTSS_ALPHAOP), DWORD(D3DTOP_DISABLE));
    EXPECT_EQ(StageState(0, D3DTSS_ALPHAARG2), D3DTA_DIFFUSE);
    EXPECT_EQ(StageState(7, D3DTSS_TEXTURETRANSFORMFLAGS), DWORD(D3DTTFF_COUNT2));
}

TEST_F(RenderSystemD3D7, RefreshClampsTheAnisotropySetting) {
    Start();
    for (const auto& [wanted, clamped] : {std::pair{0, 1}, {-3, 1}, {99, 16}, {4, 4}}) {
        Set("r_texture_anisotropy", std::to_string(wanted));
        render->Refresh();
        EXPECT_EQ(config->settings.r_texture_anisotropy, clamped);
        EXPECT_EQ(render->maxAnisotropy[3], clamped);
    }
}

TEST_F(RenderSystemD3D7, CheckVideoModeComparesTheSettingsWithTheChosenMode) {
    Start();
    struct Case {
        const char* mode;
        bool fullscreen;
        bool changed;
    } cases[] = {{"800x600x32", false, false}, {"800x600x16", false, true}, {"800x600x32", true, true},
                 {"desktop", false, true}};
    for (const Case& c : cases) {
        render->videoModeChanged = 0;
        Set("v_mode", c.mode);
        Set("v_fullscreen", c.fullscreen ? "1" : "0");
        render->CheckVideoMode();
        EXPECT_EQ(render->videoModeChanged, c.changed ? 1 : 0) << c.mode;
        EXPECT_EQ(render->texturesLost, 1);
    }
}

TEST_F(RenderSystemD3D7, ResetFlagsAndLogLines) {
    Start();
    render->texturesLost = 1;
    render->Reset(0);
    EXPECT_EQ(render->texturesLost, 1);
    render->Reset(2);
    EXPECT_EQ(render->texturesLost, 0);

    log.ClearEntries();
    render->ready = 0;
    render->videoModeChanged = 1;
    render->Reset(1);
    EXPECT_EQ(render->ready, 1);
    EXPECT_EQ(render->videoModeChanged, 0);
    const int start = Find("\nReseting Direct3D device:\n");
    ASSERT_GE(start, 0);
    const int release = Find("...Releasing DirectDraw...\n", start);
    const int create = Find("...Creating DirectDraw...\n", release);
    EXPECT_EQ(Find(kDots, start), start + 1);
    EXPECT_GT(release, start);
    EXPECT_GT(create, release);
    EXPECT_GE(Find(kDots, create), 0);
    EXPECT_EQ(Find("......Capabilities:\n"), -1);
}

TEST_F(RenderSystemD3D7, UnitCachesFollowTheDeviceAtEveryReset) {
    // Hardware devices with 2 units, the software one with 8: a reset that falls back gains units.
    env.devices = {{IID_IDirect3DRGBDevice, "Software", "RGB", false},
                   {IID_IDirect3DTnLHalDevice, "Hardware", "TnL", true, DDBD_16 | DDBD_32, false, 2}};
    T::SetEnvironment(env);
    Start();
    EXPECT_EQ(render->filter.size(), 2u);
    T::InjectFault(T::Fault::CreateHardwareDevice);
    T::ClearCalls();
    render->Reset(3);
    EXPECT_EQ(render->textureUnitCount, 8u);
    EXPECT_EQ(render->filter.size(), 8u);
    EXPECT_EQ(render->textureMatrix.size(), 8u);
    EXPECT_EQ(T::CountCalls("SetTextureStageState(7, "), 12); // filter 3, address 2, anisotropy 1, stages 6
    render->SetTextureFilter(7, 0);
    EXPECT_EQ(StageState(7, D3DTSS_MAGFILTER), DWORD(D3DTFG_POINT));
}

TEST_F(RenderSystemD3D7, RefreshFollowsTheDeviceThroughLossRestoreAndModeChanges) {
    Start();
    T::InjectFault(T::Fault::DeviceLost);
    render->Refresh();
    EXPECT_EQ(render->ready, 0);
    EXPECT_EQ(render->videoModeChanged, 0); // a lost fullscreen device only waits
    render->SwapBuffers();
    T::ClearFault(T::Fault::DeviceLost);
    render->Refresh();
    EXPECT_EQ(render->ready, 1);

    T::InjectFault(T::Fault::DeviceLost, DDERR_GENERIC, 1);
    render->Refresh();
    T::ClearFault(T::Fault::DeviceLost);
    T::InjectFault(T::Fault::RestoreAllSurfaces, DDERR_GENERIC, 1);
    render->Refresh();
    EXPECT_EQ(render->ready, 0);
    EXPECT_EQ(render->texturesLost, 1);
    EXPECT_EQ(render->videoModeChanged, 1);
    EXPECT_GE(Find("\nError: Direct3D Subsystem (RenderSystem_D3D7::Refresh): There is an undefined error condition.!\n\n"), 0);

    render->Reset(3);
    EXPECT_EQ(render->ready, 1);
    T::InjectFault(T::Fault::DisplayModeChanged);
    render->Refresh();
    EXPECT_EQ(render->ready, 0);
    EXPECT_EQ(render->videoModeChanged, 1); // windowed: a rebuild is asked for
    T::ClearFault(T::Fault::DisplayModeChanged);
}

TEST_F(RenderSystemD3D7, BeginSceneRestoresLostSurfacesAndTriesOnce) {
    Start();
    T::ClearCalls();
    log.ClearEntries();
    T::InjectFault(T::Fault::BeginScene, DDERR_SURFACELOST, 1);
    render->BeginScene();
    EXPECT_EQ(T::CountCalls("Clear(3, 0xff000000)"), 1);
    EXPECT_EQ(T::CountCalls("RestoreAllSurfaces()"), 1);
    EXPECT_EQ(T::CountCalls("BeginScene()"), 1);
    EXPECT_EQ(CountErrors(), 0);
    render->EndScene();
    EXPECT_EQ(T::CountCalls("EndScene()"), 1);
}

TEST_F(RenderSystemD3D7, DrawsListsAndStripsOverTheUsedVertexRange) {
    Start();
    std::unique_ptr<VertexBuffer> vertices(render->CreateVertexBuffer(0, 1, 10));
    std::unique_ptr<IndexBuffer> indices(render->CreateIndexBuffer(0, 6));
    auto* index = static_cast<std::uint16_t*>(indices->Lock(0, 6));
    const std::uint16_t values[] = {2, 3, 4, 4, 3, 5};
    std::copy(values, values + 6, index);
    indices->Unlock();
    T::ClearCalls();
    render->DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
    render->DrawIndexedPrimitive(true, indices.get(), vertices.get(), 2);
    EXPECT_EQ(T::Calls().at(0), "DrawIndexedPrimitive(1, 338, 6, 6)");
    EXPECT_EQ(T::Calls().at(1), "DrawIndexedPrimitive(2, 338, 6, 4)");

    std::unique_ptr<IndexBuffer> wide(render->CreateIndexBuffer(0, 70000));
    render->DrawIndexedPrimitive(false, wide.get(), vertices.get(), 2);
    render->DrawIndexedPrimitive(false, indices.get(), vertices.get(), 3); // more than the buffer holds
    EXPECT_EQ(T::CountCalls("DrawIndexedPrimitive"), 2);
    EXPECT_EQ(CountErrors(), 2);
}

TEST_F(RenderSystemD3D7, ReleaseChecksThatNothingStillHoldsTheDevice) {
    Start();
    IDirect3DDevice7* held = render->device;
    held->AddRef();
    EXPECT_EQ(FatalText([this] { render->ReleaseDevice(); }), "RenderSystem_D3D7: device object is still referenced");
    EXPECT_EQ(held->Release(), 0u);
}

TEST_F(RenderSystemD3D7, AFrameLoopGoesOnAfterALostFullscreenDevice) {
    Set("v_fullscreen", "1");
    Start();
    ASSERT_TRUE(window->fullscreen);
    auto frame = [this] {
        render->Refresh();
        if (!render->ready) return;
        render->BeginScene();
        render->EndScene();
        render->SwapBuffers();
    };
    T::ClearCalls();
    frame();
    T::InjectFault(T::Fault::DeviceLost);
    frame();
    frame();
    EXPECT_EQ(T::CountCalls("Present("), 1);
    T::ClearFault(T::Fault::DeviceLost);
    frame();
    frame();
    EXPECT_EQ(T::CountCalls("Present("), 3);
    EXPECT_EQ(T::CountCalls("RestoreAllSurfaces()"), 1);
    EXPECT_EQ(T::CountCalls("CreateDevice("), 0); // restored, not rebuilt
    EXPECT_EQ(CountErrors(), 0);
}

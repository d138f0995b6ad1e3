// The CPU-side object model of the DirectDraw 7 / Direct3D 7 stand-in, on the recording backend.

#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Platform;
namespace T = Platform::D3D7Test;

namespace {

class D3D7Objects : public ::testing::Test {
protected:
    void SetUp() override {
        T::Reset();
        T::SetBackend(T::Backend::Recording);
    }
    void TearDown() override { EXPECT_EQ(T::LiveSurfaces(), 0); }

    IDirectDraw7* CreateDirectDraw() {
        void* dd = nullptr;
        EXPECT_EQ(DirectDrawCreateEx(nullptr, &dd, IID_IDirectDraw7, nullptr), DD_OK);
        return static_cast<IDirectDraw7*>(dd);
    }
};

struct Listed {
    std::vector<std::string> descriptions;
    std::vector<bool> primary;
};

BOOL CollectDriver(GUID* guid, const char* description, const char*, void* context, void*) {
    auto* listed = static_cast<Listed*>(context);
    listed->descriptions.push_back(description);
    listed->primary.push_back(guid == nullptr);
    return 1;
}

HRESULT CollectMode(DDSURFACEDESC2* desc, void* context) {
    static_cast<std::vector<T::Environment::Mode>*>(context)->push_back(
        {desc->dwWidth, desc->dwHeight, desc->ddpfPixelFormat.dwRGBBitCount});
    return DDENUMRET_OK;
}

HRESULT CollectDevice(const char*, const char*, D3DDEVICEDESC7* desc, void* context) {
    static_cast<std::vector<D3DDEVICEDESC7>*>(context)->push_back(*desc);
    return D3DENUMRET_OK;
}

} // namespace

TEST_F(D3D7Objects, EnumeratesThePrimaryDriverFirstAndASecondaryOnRequest) {
    Listed listed;
    ASSERT_EQ(DirectDrawEnumerateExA(CollectDriver, &listed, 7), DD_OK);
    EXPECT_EQ(listed.primary, std::vector<bool>({true}));

    T::Environment env;
    env.secondaryDriver = true;
    T::SetEnvironment(env);
    listed = {};
    DirectDrawEnumerateExA(CollectDriver, &listed, 7);
    EXPECT_EQ(listed.primary, std::vector<bool>({true, false}));
}

TEST_F(D3D7Objects, ListsStandardModesUpToTheDesktopAt16And32Bits) {
    T::Environment env;
    env.desktopWidth = 1024;
    env.desktopHeight = 768;
    T::SetEnvironment(env);
    IDirectDraw7* dd = CreateDirectDraw();
    std::vector<T::Environment::Mode> modes;
    dd->EnumDisplayModes(0, nullptr, &modes, CollectMode);
    ASSERT_EQ(modes.size(), 6u);
    const DWORD expected[][3] = {{640, 480, 16}, {640, 480, 32}, {800, 600, 16}, {800, 600, 32}, {1024, 768, 16}, {1024, 768, 32}};
    for (size_t i = 0; i < modes.size(); ++i) {
        EXPECT_EQ(modes[i].width, expected[i][0]);
        EXPECT_EQ(modes[i].height, expected[i][1]);
        EXPECT_EQ(modes[i].bits, expected[i][2]);
    }
    DEVMODEA desktop{};
    desktop.dmSize = sizeof desktop;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop));
    EXPECT_EQ(desktop.dmPelsWidth, 1024u);
    EXPECT_EQ(desktop.dmBitsPerPel, 32u);
    EXPECT_EQ(dd->Release(), 0u);
}

TEST_F(D3D7Objects, Direct3DSharesTheReferenceCountAndEnumeratesThreeDevices) {
    IDirectDraw7* dd = CreateDirectDraw();
    IDirect3D7* d3d = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&d3d)), DD_OK);
    std::vector<D3DDEVICEDESC7> devices;
    d3d->EnumDevices(CollectDevice, &devices);
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_TRUE(devices[0].deviceGUID == IID_IDirect3DRGBDevice);
    EXPECT_EQ(devices[0].dwDevCaps & D3DDEVCAPS_HWRASTERIZATION, 0u);
    EXPECT_TRUE(devices[2].deviceGUID == IID_IDirect3DTnLHalDevice);
    EXPECT_EQ(devices[2].wMaxSimultaneousTextures, 8);
    EXPECT_EQ(d3d->Release(), 1u);
    EXPECT_EQ(dd->Release(), 0u);
    EXPECT_EQ(T::LiveDirectDrawObjects(), 0);
}

TEST_F(D3D7Objects, InjectedFaultsFailTheNamedCallOnlyAsOftenAsAsked) {
    T::InjectFault(T::Fault::DirectDrawCreate, DDERR_OUTOFMEMORY, 1);
    void* dd = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &dd, IID_IDirectDraw7, nullptr), DDERR_OUTOFMEMORY);
    EXPECT_EQ(dd, nullptr);
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &dd, IID_IDirectDraw7, nullptr), DD_OK);
    static_cast<IDirectDraw7*>(dd)->Release();
}

TEST_F(D3D7Objects, TextureSurfacesHavePaddedPitchAMipChainAndADirtyUpload) {
    IDirectDraw7* dd = CreateDirectDraw();
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_MIPMAPCOUNT;
    desc.dwWidth = 5;
    desc.dwHeight = 4;
    desc.dwMipMapCount = 3;
    desc.ddpfPixelFormat.dwFlags = DDPF_RGB;
    desc.ddpfPixelFormat.dwRGBBitCount = 16;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    IDirectDrawSurface7* texture = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &texture, nullptr), DD_OK);

    DDSURFACEDESC2 locked{};
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(locked.lPitch, 12); // 5 pixels of 2 bytes, padded to 4
    EXPECT_NE(locked.lpSurface, nullptr);
    EXPECT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(texture->Unlock(nullptr), DD_OK);
    EXPECT_EQ(texture->Unlock(nullptr), DDERR_NOTLOCKED);

    DDSCAPS2 mip{DDSCAPS_TEXTURE | DDSCAPS_MIPMAP, 0};
    IDirectDrawSurface7* level1 = nullptr;
    ASSERT_EQ(texture->GetAttachedSurface(&mip, &level1), DD_OK);
    DDSURFACEDESC2 levelDesc{};
    level1->GetSurfaceDesc(&levelDesc);
    EXPECT_EQ(levelDesc.dwWidth, 2u);
    EXPECT_EQ(levelDesc.dwHeight, 2u);
    IDirectDrawSurface7* level2 = nullptr;
    ASSERT_EQ(level1->GetAttachedSurface(&mip, &level2), DD_OK);
    IDirectDrawSurface7* none = nullptr;
    EXPECT_EQ(level2->GetAttachedSurface(&mip, &none), DDERR_NOTFOUND);
    level2->Release();
    level1->Release();
    EXPECT_EQ(T::LiveSurfaces(), 3);
    EXPECT_EQ(texture->Release(), 0u);
    dd->Release();
}

TEST_F(D3D7Objects, BltCopiesBetweenCpuSurfacesOfOneFormatAndEachSideKeepsItsOwnPixels) {
    IDirectDraw7* dd = CreateDirectDraw();
    DDSURFACEDESC2 desc{};
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = 2;
    desc.dwHeight = 2;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface7 *staging = nullptr, *texture = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &staging, nullptr), DD_OK);
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    ASSERT_EQ(dd->CreateSurface(&desc, &texture, nullptr), DD_OK);
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(staging->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    const std::uint32_t pixels[4] = {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC};
    std::memcpy(locked.lpSurface, pixels, sizeof pixels);
    staging->Unlock(nullptr);
    ASSERT_EQ(texture->Blt(nullptr, staging, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(std::memcmp(locked.lpSurface, pixels, sizeof pixels), 0);
    texture->Unlock(nullptr);

    // The copy is the copy's own: a write on either side after the Blt leaves the other as it was.
    ASSERT_EQ(texture->Blt(nullptr, staging, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    std::memset(locked.lpSurface, 0, sizeof pixels);
    texture->Unlock(nullptr);
    ASSERT_EQ(staging->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(std::memcmp(locked.lpSurface, pixels, sizeof pixels), 0);
    std::memset(locked.lpSurface, 0xEE, 4);
    staging->Unlock(nullptr);
    ASSERT_EQ(texture->Blt(nullptr, staging, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    ASSERT_EQ(staging->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    std::memcpy(locked.lpSurface, pixels, sizeof pixels);
    staging->Unlock(nullptr);
    staging->Release(); // the texture outlives the surface it was copied from
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    const std::uint32_t expected[4] = {0xEEEEEEEE, 0xFF445566, 0xFF778899, 0xFFAABBCC};
    EXPECT_EQ(std::memcmp(locked.lpSurface, expected, sizeof expected), 0);
    texture->Unlock(nullptr);
    texture->Release();
    dd->Release();
}

TEST_F(D3D7Objects, DeviceStartsWithTheDirect3DDefaultsAndHoldsBoundTextures) {
    IDirectDraw7* dd = CreateDirectDraw();
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = 64;
    desc.dwHeight = 48;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &back, nullptr), DD_OK);
    IDirect3D7* d3d = nullptr;
    dd->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&d3d));
    IDirect3DDevice7* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(IID_IDirect3DHALDevice, back, &device), DD_OK);

    DWORD value = 0;
    device->GetRenderState(D3DRENDERSTATE_ZFUNC, &value);
    EXPECT_EQ(value, DWORD(D3DCMP_LESSEQUAL));
    device->GetTextureStageState(1, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, DWORD(D3DTOP_DISABLE));
    D3DVIEWPORT7 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.dwWidth, 64u);

    D3DVIEWPORT7 oversize{0, 0, 800, 600, 0, 1};
    ASSERT_EQ(device->SetViewport(&oversize), DD_OK);
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.dwWidth, 64u);
    EXPECT_EQ(viewport.dwHeight, 48u);

    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    desc.dwWidth = desc.dwHeight = 4;
    IDirectDrawSurface7* texture = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &texture, nullptr), DD_OK);
    ASSERT_EQ(device->SetTexture(0, texture), DD_OK);
    EXPECT_EQ(texture->Release(), 1u); // the device keeps it
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(back->Release(), 0u);
    d3d->Release();
    EXPECT_EQ(dd->Release(), 0u);
}

TEST_F(D3D7Objects, LostDeviceReportsLostSurfacesUntilRestored) {
    IDirectDraw7* dd = CreateDirectDraw();
    EXPECT_EQ(dd->TestCooperativeLevel(), DD_OK);
    T::InjectFault(T::Fault::DeviceLost);
    EXPECT_EQ(dd->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(dd->RestoreAllSurfaces(), DDERR_NOEXCLUSIVEMODE);
    T::ClearFault(T::Fault::DeviceLost);
    EXPECT_EQ(dd->TestCooperativeLevel(), DD_OK);
    T::InjectFault(T::Fault::RestoreAllSurfaces, DDERR_GENERIC, 1);
    EXPECT_EQ(dd->RestoreAllSurfaces(), DDERR_GENERIC);
    EXPECT_EQ(dd->RestoreAllSurfaces(), DD_OK);
    T::InjectFault(T::Fault::DisplayModeChanged);
    EXPECT_EQ(dd->TestCooperativeLevel(), DDERR_WRONGMODE);
    dd->Release();
}

TEST_F(D3D7Objects, FullscreenNeedsExclusiveModeAndListedDisplayModes) {
    IDirectDraw7* dd = CreateDirectDraw();
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 32, 60, 0), DDERR_NOEXCLUSIVEMODE);
    int record = 0; // any handle: the recording backend draws nowhere
    ASSERT_EQ(dd->SetCooperativeLevel(reinterpret_cast<HWND>(&record), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT), DD_OK);
    EXPECT_EQ(dd->SetDisplayMode(801, 600, 32, 60, 0), DDERR_INVALIDMODE);
    ASSERT_EQ(dd->SetDisplayMode(800, 600, 16, 60, 0), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0};
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    DDSURFACEDESC2 backDesc{};
    back->GetSurfaceDesc(&backDesc);
    EXPECT_EQ(backDesc.dwWidth, 800u);
    EXPECT_EQ(backDesc.ddpfPixelFormat.dwRGBBitCount, 16u);
    T::ClearCalls();
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(T::CountCalls("Present(800, 600)"), 1);
    back->Release();
    EXPECT_EQ(primary->Release(), 0u);
    dd->Release();
}

// Lights and the light manager over the recording Direct3D 7 stand-in.

#include "RenderTestSupport.h"

#include "engine/render/LightManager.h"
#include "engine/render/Light_D3D7.h"

#include <cmath>
#include <limits>

using namespace VantoranEngine;
using namespace Platform;
namespace T = Platform::D3D7Test;

namespace {

class Lights : public RenderFixture {
protected:
    void SetUp() override {
        Platform::Test::SetHeadlessWindows(true);
        RenderFixture::SetUp();
        Start();
        lights = std::make_unique<LightManager>(&log, &memory, render.get());
        T::ClearCalls();
    }

    void TearDown() override {
        lights.reset();
        RenderFixture::TearDown();
    }

    static std::string State(D3DRENDERSTATETYPE state) {
        return "SetRenderState(" + std::to_string(state) + ", ";
    }

    std::unique_ptr<LightManager> lights;
};

} // namespace

TEST_F(Lights, AmbientColourIsPushedOnlyWhenItDiffers) {
    lights->Update();
    EXPECT_EQ(T::CountCalls(State(D3DRENDERSTATE_AMBIENT)), 0);

    lights->ambientColor = {0.5f, 0.25f, 0, 1};
    lights->Update();
    lights->Update();
    // ARGB, each component times 255 and truncated.
    EXPECT_EQ(T::CountCalls(State(D3DRENDERSTATE_AMBIENT) + std::to_string(0xff7f3f00u) + ")"), 1);
    EXPECT_EQ(T::CountCalls(State(D3DRENDERSTATE_AMBIENT)), 1);

    // A reset restores the device defaults, so the colour goes out again.
    render->Reset(1);
    T::ClearCalls();
    lights->Update();
    EXPECT_EQ(T::CountCalls(State(D3DRENDERSTATE_AMBIENT)), 1);

    lights->EnableLighting(true);
    lights->EnableLighting(true);
    EXPECT_EQ(T::CountCalls(State(D3DRENDERSTATE_LIGHTING) + "1)"), 1);
}

TEST_F(Lights, EveryLightIsRefreshedEachFrame) {
    Light* point = lights->CreateLight();
    Light* directional = lights->CreateLight();
    directional->type = Light::Directional;
    directional->direction = {0, 1, 0};
    ASSERT_EQ(point->index, 0u);
    ASSERT_EQ(directional->index, 1u);

    lights->Update();
    lights->Update();
    EXPECT_EQ(T::CountCalls("SetLight(0)"), 2);
    EXPECT_EQ(T::CountCalls("LightEnable(1, 1)"), 2);

    D3DLIGHT7 set{};
    ASSERT_EQ(render->device->GetLight(1, &set), DD_OK);
    EXPECT_EQ(set.dltType, DWORD(D3DLIGHT_DIRECTIONAL));
    EXPECT_EQ(set.dvDirection.y, 1.0f);
    EXPECT_EQ(set.dvRange, std::sqrt(std::numeric_limits<float>::max()));
    EXPECT_EQ(set.dcvDiffuse.r, 1.0f);

    // Switched off, a light is switched off again every frame and never set.
    point->enabled = false;
    T::ClearCalls();
    lights->Update();
    lights->Update();
    EXPECT_EQ(T::CountCalls("LightEnable(0, 0)"), 2);
    EXPECT_EQ(T::CountCalls("SetLight(0)"), 0);
}

TEST_F(Lights, AnUnknownTypeIsRefusedAndLogged) {
    Light* light = lights->CreateLight();
    light->type = 7;
    lights->Update();
    EXPECT_EQ(CountErrors(), 1);
    int found = 0;
    for (const std::string& line : Lines())
        found += line.find("Direct3D Subsystem (Light_D3D7::Refresh): ") != std::string::npos;
    EXPECT_EQ(found, 1);
}

TEST_F(Lights, DeletingALightSwitchesItOffAndFreesItsSlot) {
    Light* first = lights->CreateLight();
    lights->CreateLight();
    lights->Update();
    EXPECT_TRUE(lights->DeleteLight(first));
    EXPECT_EQ(T::CountCalls("LightEnable(0, 0)"), 1);
    EXPECT_FALSE(lights->DeleteLight(nullptr));

    Light* reused = lights->CreateLight();
    EXPECT_EQ(reused->index, 0u);
    Light_D3D7 stray(render.get(), 9);
    EXPECT_FALSE(lights->DeleteLight(&stray));
    lights->Update();

    T::ClearCalls();
    lights.reset();
    EXPECT_EQ(T::CountCalls("LightEnable(0, 0)"), 1);
    EXPECT_EQ(T::CountCalls("LightEnable(1, 0)"), 1);
}

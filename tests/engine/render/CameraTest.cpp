// Cameras and the camera manager over the recording Direct3D 7 stand-in: the projection and view
// matrices, unprojection, the slot table, the view cache and the viewport that follows the back buffer.

#include "RenderTestSupport.h"

#include "engine/core/Error.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Camera_D3D7.h"

#include <cmath>

using namespace VantoranEngine;
using namespace Platform;
namespace T = Platform::D3D7Test;

namespace {

class Cameras : public RenderFixture {
protected:
    void SetUp() override {
        Platform::Test::SetHeadlessWindows(true);
        RenderFixture::SetUp();
    }

    void TearDown() override {
        cameras.reset();
        RenderFixture::TearDown();
    }

    void StartCameras(const char* mode = "800x600x32") {
        Set("v_mode", mode);
        Set("v_fullscreen", "0");
        Start();
        cameras = std::make_unique<CameraManager>(&log, &memory, window.get(), render.get());
    }

    Camera_D3D7& Default() const { return static_cast<Camera_D3D7&>(*cameras->defaultCamera); }

    Camera_D3D7& Orthographic() {
        auto* camera = static_cast<Camera_D3D7*>(cameras->CreateCamera(Camera::Orthographic));
        camera->orthoWidth = 800;
        camera->orthoHeight = 600;
        camera->nearClip = 500;
        camera->farClip = -500;
        return *camera;
    }

    std::unique_ptr<CameraManager> cameras;
};

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-3f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

} // namespace

TEST_F(Cameras, ProjectionElements) {
    StartCameras();
    Camera_D3D7& ortho = Orthographic();
    cameras->Update();

    struct Case {
        const char* name;
        const Matrix4& m;
        int element;
        float value;
    };
    const Camera_D3D7& p = Default();
    const Case cases[] = {
        {"perspective [0]", p.projection, 0, 1.0f / (0.57735027f * 1.3333334f)},
        {"perspective [5]", p.projection, 5, 1.0f / 0.57735027f},
        {"perspective [10]", p.projection, 10, -1.002002f},
        {"perspective [11]", p.projection, 11, -1.0f},
        {"perspective [14]", p.projection, 14, -2.002002f},
        {"perspective [15]", p.projection, 15, 0.0f},
        {"device [0]", p.deviceProjection, 0, 1.0f / (0.57735027f * 1.3333334f)},
        {"device [10]", p.deviceProjection, 10, 1.001001f},
        {"device [11]", p.deviceProjection, 11, 1.0f},
        {"device [14]", p.deviceProjection, 14, -1.001001f},
        {"z-biased [10]", p.deviceZBiasedProjection, 10, 1001.0f / 1000.0f},
        {"z-biased [14]", p.deviceZBiasedProjection, 14, -1001.0f / 1000.0f},
        {"ortho [0]", ortho.projection, 0, 2.0f / 800},
        {"ortho [5]", ortho.projection, 5, 2.0f / 600},
        {"ortho [10]", ortho.projection, 10, 0.002f},
        {"ortho [12]", ortho.projection, 12, -1.0f},
        {"ortho [13]", ortho.projection, 13, -1.0f},
        {"ortho [14]", ortho.projection, 14, 0.0f},
        {"ortho device [10]", ortho.deviceProjection, 10, 0.001f},
        {"ortho device [14]", ortho.deviceProjection, 14, 0.5f},
        {"ortho z-biased [10]", ortho.deviceZBiasedProjection, 10, 1.0f / 999},
        {"ortho z-biased [14]", ortho.deviceZBiasedProjection, 14, 500.0f / 999},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.m[c.element], c.value, 1e-5f) << c.name;
    EXPECT_TRUE(MatricesEqual(p.zBiasedProjection, p.deviceZBiasedProjection));
}

TEST_F(Cameras, UnprojectThroughTheClientArea) {
    StartCameras();
    const Camera& ortho = Orthographic();
    cameras->Update();
    const Matrix4 projection800 = Default().projection;

    struct Case {
        const char* name;
        const Camera& camera;
        Vector3 screen, world;
    };
    const Case cases[] = {
        {"ortho centre", ortho, {400, 300, 0.5f}, {400, 300, 0}},
        {"ortho corner, near", ortho, {0, 0, 0}, {0, 0, -500}},
        {"perspective centre, near", Default(), {400, 300, 0}, {0, 0, -1}},
        {"perspective centre, far", Default(), {400, 300, 1}, {0, 0, -1000}},
        {"perspective right edge", Default(), {800, 300, 0}, {0.7698f, 0, -1}},
        {"perspective top edge (y from the bottom)", Default(), {400, 600, 0}, {0, 0.5774f, -1}},
    };
    for (const Case& c : cases)
        ExpectNear(cameras->Unproject(c.camera, c.screen), c.world, c.world.z < -999 ? 0.5f : 1e-3f);

    // Another client size changes only the mapping of the pixels, never the 4:3 projection.
    window->width = 1024;
    window->height = 768;
    cameras->Update();
    EXPECT_TRUE(MatricesEqual(Default().projection, projection800));
    ExpectNear(cameras->Unproject(Default(), {512, 384, 0}), {0, 0, -1});
    ExpectNear(cameras->Unproject(Default(), {1024, 384, 0}), {0.7698f, 0, -1});
}

TEST_F(Cameras, DirectionVectorsFollowTheAngles) {
    StartCameras();
    Camera_D3D7& camera = Default();
    camera.angleX = 3.14159265f / 2;
    camera.position = {5, 6, 7};
    cameras->Update();
    ExpectNear(camera.back, {0, -1, 0});  // looking along +y
    ExpectNear(camera.right, {1, 0, 0});
    ExpectNear(camera.up, {0, 0, 1});
    // The camera's own position sits at view-space origin.
    const Vector3 eye = cameras->Unproject(camera, {400, 300, 0});
    ExpectNear(eye, {5, 7, 7});  // one unit ahead along +y, on the near plane
    EXPECT_TRUE(camera.frustum->IsBoxVisible(BoundingBox::FromCorners({4, 16, 6}, {6, 18, 8})));
    EXPECT_FALSE(camera.frustum->IsBoxVisible(BoundingBox::FromCorners({4, -8, 6}, {6, -6, 8})));
}

TEST_F(Cameras, SlotsAreReusedAndWalkedInCreationOrder) {
    StartCameras();
    Camera* a = cameras->CreateCamera(0);
    Camera* b = cameras->CreateCamera(1);
    Camera* c = cameras->CreateCamera(0);
    const long slotB = cameras->Cameras().SlotOf(b);
    cameras->DeleteCamera(b);
    Camera* d = cameras->CreateCamera(0);
    EXPECT_EQ(cameras->Cameras().SlotOf(d), slotB);

    std::vector<Camera*> order;
    for (Camera* camera : cameras->Cameras())
        order.push_back(camera);
    EXPECT_EQ(order, (std::vector<Camera*>{cameras->defaultCamera, a, c, d}));

    // A deleted camera is no longer taken for the applied one; a stray pointer changes nothing.
    cameras->currentCamera = c;
    cameras->DeleteCamera(c);
    EXPECT_EQ(cameras->currentCamera, nullptr);
    Camera stray(0);
    cameras->DeleteCamera(&stray);
    cameras->DeleteCamera(nullptr);
    EXPECT_EQ(cameras->Cameras().Count(), 3u);
}

TEST_F(Cameras, ApplyPushesTheViewOnlyWhenItChanged) {
    StartCameras();
    cameras->Update();
    Camera_D3D7& camera = Default();
    camera.Apply();  // the default view is the identity the cache already holds
    T::ClearCalls();
    camera.position = {1, 2, 3};
    cameras->Update();
    camera.Apply();
    camera.Apply();
    camera.ApplyZBiased();
    EXPECT_EQ(T::CountCalls("SetTransform(" + std::to_string(D3DTRANSFORMSTATE_VIEW) + ")"), 1);
    EXPECT_EQ(T::CountCalls("SetTransform(" + std::to_string(D3DTRANSFORMSTATE_PROJECTION) + ")"), 3);
    EXPECT_EQ(T::CountCalls("SetViewport("), 2);  // ApplyZBiased leaves the viewport alone

    Platform::D3DMATRIX device{};
    render->device->GetTransform(D3DTRANSFORMSTATE_PROJECTION, &device);
    EXPECT_FLOAT_EQ(device._33, camera.deviceZBiasedProjection[10]);
    EXPECT_FLOAT_EQ(device._43, camera.deviceZBiasedProjection[14]);

    render->forceStates = 1;
    camera.Apply();
    render->forceStates = 0;
    EXPECT_EQ(T::CountCalls("SetTransform(" + std::to_string(D3DTRANSFORMSTATE_VIEW) + ")"), 2);
}

TEST_F(Cameras, ViewportFollowsTheBackBufferAcrossResets) {
    StartCameras("1024x768x32");
    Camera& gui = Orthographic();
    gui.SetViewport(0, 0, 800, 600);  // as a caller sets it; the back buffer decides
    cameras->Update();
    for (Camera* camera : cameras->Cameras()) {
        EXPECT_EQ(camera->viewportWidth, 1024u);
        EXPECT_EQ(camera->viewportHeight, 768u);
    }
    T::ClearCalls();
    gui.Apply();
    EXPECT_EQ(T::CountCalls("SetViewport(0, 0, 1024, 768)"), 1);

    Set("v_mode", "640x480x16");
    render->CheckVideoMode();
    ASSERT_EQ(render->videoModeChanged, 1);
    render->Reset(3);
    cameras->Update();
    T::ClearCalls();
    EXPECT_NO_THROW(gui.Apply());
    EXPECT_NO_THROW(Default().Apply());
    EXPECT_EQ(T::CountCalls("SetViewport(0, 0, 640, 480)"), 2);
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(Cameras, ARefusedViewportThrows) {
    StartCameras();
    cameras->Update();
    T::InjectFault(T::Fault::SetViewport, DDERR_INVALIDPARAMS, 1);
    try {
        Default().Apply();
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message, "Failed to set viewport");
    }
    EXPECT_NO_THROW(Default().Apply());
}

// Cameras and lights through the engine's own render system into the stand-in's OpenGL executor: a
// known world point lands on the expected pixel, and lit geometry takes the light manager's ambient
// colour and its lights.

#include "RenderTestSupport.h"

#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "engine/render/VertexBuffer.h"

#include <cstring>

using namespace VantoranEngine;
using namespace Platform;
namespace T = Platform::D3D7Test;

namespace {

constexpr int kWidth = 640, kHeight = 480;

class CameraPixels : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        T::SetBackend(T::Backend::OpenGL);
        Set("v_mode", "640x480x32");
        Set("v_fullscreen", "0");
        Start();
        cameras = std::make_unique<CameraManager>(&log, &memory, window.get(), render.get());
        lights = std::make_unique<LightManager>(&log, &memory, render.get());
    }

    void TearDown() override {
        buffers.clear();
        indices.clear();
        lights.reset();
        cameras.reset();
        RenderFixture::TearDown();
    }

    // A square of half size h around centre in the z = centre.z plane, facing +z; vertex colour c
    // unless plain.
    void Square(Camera* camera, Vector3 centre, float h, const Color& c, bool plain = false) {
        VertexBuffer* vb = render->CreateVertexBuffer(0, plain ? 0 : 1, 4);
        buffers.emplace_back(vb);
        const float corners[4][2] = {{-h, h}, {h, h}, {-h, -h}, {h, -h}};
        auto* bytes = static_cast<std::uint8_t*>(vb->Lock(0, 4));
        for (int i = 0; i < 4; ++i) {
            std::uint8_t* v = bytes + i * vb->vertexSize;
            const float position[6] = {centre.x + corners[i][0], centre.y + corners[i][1], centre.z, 0, 0, 1};
            std::memcpy(v, position, sizeof position);
            if (!plain) {
                const std::uint32_t argb = vb->PackColor(c);
                std::memcpy(v + 24, &argb, 4);
            }
        }
        vb->Unlock();
        IndexBuffer* ib = render->CreateIndexBuffer(0, 6);
        indices.emplace_back(ib);
        const std::uint16_t list[6] = {0, 1, 3, 0, 3, 2};
        std::memcpy(ib->Lock(0, 6), list, sizeof list);
        ib->Unlock();

        camera->Apply();
        render->SetWorldMatrix(Matrix4{});
        render->DrawIndexedPrimitive(false, ib, vb, 2);
    }

    void Begin() {
        render->Refresh();
        ASSERT_EQ(render->ready, 1);
        cameras->Update();
        lights->Update();
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

    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::vector<std::unique_ptr<VertexBuffer>> buffers;
    std::vector<std::unique_ptr<IndexBuffer>> indices;
    std::vector<std::uint8_t> frame;
};

} // namespace

TEST_F(CameraPixels, AWorldPointLandsOnItsPixel) {
    Camera* camera = cameras->defaultCamera;
    camera->position = {0, 0, 10};
    Camera* gui = cameras->CreateCamera(Camera::Orthographic);
    gui->orthoWidth = 800;
    gui->orthoHeight = 600;
    gui->nearClip = 500;
    gui->farClip = -500;

    Begin();
    // (2, 1, 0) seen from 10 units: x = 2 / 10 / (tan 30 deg * 4/3) -> pixel 403, y = 1 / 10 / tan 30 deg -> 198.
    Square(camera, {2, 1, 0}, 0.1f, {1, 0, 0, 1});
    // GUI units (100, 500) of 800 x 600 on a 640 x 480 back buffer: pixel (80, 80).
    Square(gui, {100, 500, 0}, 10, {0, 1, 0, 1});
    EndAndRead();

    ExpectRgb(At(403, 198), {255, 0, 0});
    ExpectRgb(At(413, 198), {0, 0, 0});
    ExpectRgb(At(403, 188), {0, 0, 0});
    ExpectRgb(At(80, 80), {0, 255, 0});
    ExpectRgb(At(95, 80), {0, 0, 0});
    ExpectRgb(At(80, 65), {0, 0, 0});
}

TEST_F(CameraPixels, LitGeometryTakesTheAmbientColourAndTheLights) {
    Camera* camera = cameras->defaultCamera;
    camera->position = {0, 0, 10};
    lights->ambientColor = {1, 0.5f, 0, 1};
    lights->EnableLighting(true);

    Begin();
    // No light: the default material's ambient 0.6 times the ambient colour.
    Square(camera, {-2, 0, 0}, 1, {}, true);
    EndAndRead();
    ExpectRgb(At(237, 240), {153, 76, 0});

    Light* light = lights->CreateLight();
    light->type = Light::Directional;
    light->direction = {0, 0, -1};  // straight onto the square
    light->ambient = {0, 0, 0, 0};
    light->specular = {0, 0, 0, 0};
    light->diffuse = {0, 0, 0.5f, 1};
    Begin();
    Square(camera, {-2, 0, 0}, 1, {}, true);
    EndAndRead();
    ExpectRgb(At(237, 240), {153, 76, 127}, 3);
}

// Models drawn by the model pass through the OpenGL stand-in: a loaded model with its material file, and
// the draw order deciding which model covers the other. The GUI camera maps 800 x 600 units onto the
// 800 x 600 back buffer, y up.
#include "ModelFixture.h"
#include "engine/render/Camera.h"
#include "engine/render/ShaderManager.h"
#include "platform/d3d7/D3D7.h"
#include "tools/formats/ImageWriters.h"
#include "tools/formats/MaterialWriter.h"

using namespace VantoranEngine;

namespace {

struct Rgb {
    int r, g, b;
};

void ExpectRgb(Rgb actual, Rgb expected, int tolerance = 3)
{
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
}

class ModelPixels : public ModelFixture {
protected:
    Platform::D3D7Test::Backend Backend() const override { return Platform::D3D7Test::Backend::OpenGL; }

    void SetUp() override
    {
        ModelFixture::SetUp();
        gui = cameras->CreateCamera(Camera::Orthographic);
        gui->orthoWidth = 800;
        gui->orthoHeight = 600;
        gui->nearClip = 500;
        gui->farClip = -500;
        renderSystem->clearColor = {0, 0, 0, 1};
    }

    void TearDown() override
    {
        for (Model* model : owned)
            manager->models.Remove(model);
        ModelFixture::TearDown();
    }

    void WritePicture(const std::string& relative, const Formats::Picture& picture)
    {
        Write(relative, Formats::EncodeTga(picture));
    }

    // A square of half size h GUI units around (x, y).
    static Matrix4 Place(float x, float y, float h)
    {
        Matrix4 m;
        m[0] = h;
        m[5] = h;
        m[3] = x;
        m[7] = y;
        return m;
    }

    void Frame()
    {
        renderSystem->Refresh();
        ASSERT_EQ(renderSystem->ready, 1);
        cameras->Update();
        lights->Update();
        manager->Render();
        renderSystem->SwapBuffers();
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(Platform::ReadPresentedFrame(width, height, frame));
        ASSERT_EQ(width, 800u);
        ASSERT_EQ(height, 600u);
    }

    // x, y from the window's top-left corner.
    Rgb At(int x, int y) const
    {
        const size_t i = (static_cast<size_t>(600 - 1 - y) * 800 + static_cast<size_t>(x)) * 4;
        return {frame[i + 2], frame[i + 1], frame[i]};
    }

    Camera* gui = nullptr;
    std::vector<uint8_t> frame;
};

} // namespace

TEST_F(ModelPixels, LoadedModelDrawsItsAtlasFrameWithTheOpacityImage)
{
    // A 2 x 1 atlas: red cell on the left, blue on the right; the opacity image is half transparent.
    Formats::Picture atlas = Formats::MakePicture(64, 32, 3, {255, 0, 0});
    for (uint32_t y = 0; y < 32; ++y)
        for (uint32_t x = 32; x < 64; ++x) {
            atlas.At(x, y)[0] = 0;
            atlas.At(x, y)[2] = 255;
        }
    WritePicture("data/m/atlas.tga", atlas);
    WritePicture("data/m/atlas_alpha.tga", Formats::MakePicture(64, 32, 1, {128}));
    Formats::MaterialFile material;
    material.flags = 1;
    material.sourceBlend = 4;
    material.destinationBlend = 5;
    Formats::MaterialStage stage;
    stage.kind = 1;
    stage.columns = 2;
    stage.rows = 1;
    stage.frameCount = 2;
    stage.framesPerSecond = 1;
    stage.colourName = "atlas.tga";
    stage.opacityName = "atlas_alpha.tga";
    material.stages.push_back(stage);
    Write("data/m/quad.srf", Formats::EncodeMaterial(material));
    WriteModel("m/quad.mlf", Formats::MakeQuadModel());

    Model* model = Load("m\\quad.mlf");
    ASSERT_EQ(model->name, "m\\quad.mlf");
    ASSERT_EQ(model->shaderUser->stageCount, 1u) << Entries();
    model->camera = gui;
    model->SetWorldMatrix(Place(400, 300, 100));
    model->shaderUser->Advance(0.0f);
    Frame();
    ExpectRgb(At(400, 300), {128, 0, 0}, 4);
    ExpectRgb(At(250, 300), {0, 0, 0});

    model->shaderUser->Advance(1.0f); // one frame on: the blue cell
    Frame();
    ExpectRgb(At(400, 300), {0, 0, 128}, 4);
}

TEST_F(ModelPixels, DrawOrderPutsTheNearerGuiLayerOnTop)
{
    WritePicture("data/red.tga", Formats::MakePicture(4, 4, 3, {255, 0, 0}));
    WritePicture("data/green.tga", Formats::MakePicture(4, 4, 3, {0, 255, 0}));
    WriteModel("quad.mlf", Formats::MakeQuadModel());
    const uint32_t layer = ModelFlag::backToFront | ModelFlag::manualDepth;
    Model* green = Keep(manager->LoadModel("quad.mlf", gui, layer));
    Model* red = Keep(manager->LoadModel("quad.mlf", gui, layer));
    red->SetShaderDescriptor(ShaderDescriptor::InitFromTextures("red.tga", ""));
    green->SetShaderDescriptor(ShaderDescriptor::InitFromTextures("green.tga", ""));
    red->SetWorldMatrix(Place(370, 300, 50));
    green->SetWorldMatrix(Place(430, 300, 50));

    // The smaller (more negative) depth is drawn later and covers the other, whatever the list order.
    red->depth = -30;
    green->depth = -10;
    Frame();
    ExpectRgb(At(400, 300), {255, 0, 0});
    ExpectRgb(At(460, 300), {0, 255, 0});
    ExpectRgb(At(340, 300), {255, 0, 0});

    red->depth = -10;
    green->depth = -30;
    Frame();
    ExpectRgb(At(400, 300), {0, 255, 0});
    ExpectRgb(At(340, 300), {255, 0, 0});
}

// The models that show widgets, over the recording render device: quads and their flags, depth,
// draw flag, placement and colour; atlas frames chosen by state; the slider's thumb placement; the
// textured cursor; model windows; the fonts' quad models.

#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUICursor.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUISlider.h"

#include "tests/engine/render/ModelFixture.h"
#include "tools/formats/FontWriter.h"

#include <cstring>

using namespace VantoranEngine;

namespace {

class GUIModelTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        camera = cameras->CreateCamera(Camera::Orthographic);
        services.log = &log;
        services.memoryManager = &memory;
        services.shaderManager = shaderManager.get();
        services.modelManager = manager.get();
        services.camera = camera;
        BuildGUIShaderDescriptor(buttonMaterial, "gui\\button.jpg", "gui\\button_alpha.jpg", 4);
    }

    static Vector2 UV(const Model& model, int vertex)
    {
        float uv[2];
        const VertexBuffer& vb = *model.vertexBuffer;
        const size_t offset = VertexBuffer::kColorOffset + (vb.hasColor != 0 ? 4 : 0);
        std::memcpy(uv, vb.vertices.data() + vertex * vb.vertexSize + offset, sizeof(uv));
        return {uv[0], uv[1]};
    }

    GUIServices services;
    Camera* camera = nullptr;
    ShaderDescriptor buttonMaterial;
};

TEST_F(GUIModelTest, QuadsFollowTheirWindowsFlagsDepthPlacementAndColour)
{
    const int listed = manager->models.count;
    auto window = std::make_unique<GUIWindow>(services, GUIWindow::Shown | GUIWindow::Colored, Vector2{100, 50},
                                              Vector2{200, 100}, nullptr,
                                              GUIVisual::Quad(buttonMaterial, {0.5390625f, 0.71875f}));
    Model* model = window->model;
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(manager->models.count, listed + 1);
    EXPECT_EQ(model->flags, 0x40C31u);
    EXPECT_EQ(model->camera, camera);
    EXPECT_FLOAT_EQ(model->depth, -15.0f);
    EXPECT_FLOAT_EQ(UV(*model, 1).x, 0.5390625f);
    EXPECT_FLOAT_EQ(UV(*model, 1).y, 0.71875f);
    EXPECT_FLOAT_EQ(UV(*model, 2).x, 0.0f);

    window->position = {120, 60};
    EXPECT_TRUE(window->Render());
    EXPECT_FLOAT_EQ(model->worldMatrix[0], 200.0f);
    EXPECT_FLOAT_EQ(model->worldMatrix[5], 100.0f);
    EXPECT_FLOAT_EQ(model->worldMatrix[3], 120.0f);
    EXPECT_FLOAT_EQ(model->worldMatrix[7], 60.0f);

    window->SetColor({1.0f, 0.0f, 0.0f, 0.5f});
    EXPECT_NEAR(window->GetColor().r, 1.0f, 0.01f);
    EXPECT_NEAR(window->GetColor().g, 0.0f, 0.01f);
    EXPECT_NEAR(window->GetColor().a, 0.5f, 0.01f);

    window->flags &= ~GUIWindow::Shown;
    window->UpdateVisibility();
    EXPECT_EQ(model->flags & ModelFlag::active, 0u);

    auto child = std::make_unique<GUIWindow>(services, GUIWindow::Shown, Vector2{}, Vector2{10, 10}, window.get(),
                                             GUIVisual::Quad(buttonMaterial, {1, 1}));
    EXPECT_EQ(child->model->flags & 0xFFFFu, 0xC11u);
    EXPECT_FLOAT_EQ(child->model->depth, -15.01f);
    EXPECT_FLOAT_EQ(child->GetColor().g, 1.0f); // no vertex colours: white
    window->SetFlags(GUIWindow::Tier10);
    child->SetLayer(2);
    EXPECT_FLOAT_EQ(child->model->depth, -10.02f);

    window.reset();
    child.reset();
    EXPECT_EQ(manager->models.count, listed);
}

TEST_F(GUIModelTest, ButtonsAndCheckBoxesShowTheFrameOfTheirState)
{
    GUIButton button(services, GUIWindow::Shown | GUIWindow::Colored, {0, 0}, {100, 40}, nullptr,
                     GUIVisual::Quad(buttonMaterial, {1, 1}));
    ASSERT_NE(button.model->shaderUser, nullptr);
    button.Update({50, 20}, true);
    button.Render();
    EXPECT_FLOAT_EQ(button.model->shaderUser->stageTime[0], 2.0f);
    button.SetEnabled(false);
    button.Render();
    EXPECT_FLOAT_EQ(button.model->shaderUser->stageTime[0], 3.0f);

    GUICheckBox box(services, GUIWindow::Shown | GUIWindow::Colored, {0, 0}, {40, 40}, nullptr,
                    GUIVisual::Quad(buttonMaterial, {1, 1}));
    box.checked = true;
    box.Update({20, 20}, false);
    box.Render();
    EXPECT_FLOAT_EQ(box.model->shaderUser->stageTime[0], 4.0f);
}

TEST_F(GUIModelTest, TheSliderPlacesItsThumbAlongTheTrack)
{
    GUISlider slider(services, GUIWindow::Shown | GUIWindow::Colored, {100, 100}, {240, 40}, nullptr, {10, 10},
                     {210, 10}, 1001, false, GUIVisual::Quad(buttonMaterial, {1, 1}));
    slider.SetThumbTexture({20, 20}, buttonMaterial, {1, 1});
    const Model* thumb = slider.GetThumb()->model;
    ASSERT_NE(thumb, nullptr);
    EXPECT_FLOAT_EQ(slider.GetThumb()->depth, -15.01f);
    slider.SetPosition(250);
    slider.Update({0, 0}, false);
    EXPECT_FLOAT_EQ(thumb->worldMatrix[3], 160.0f);
    EXPECT_FLOAT_EQ(thumb->worldMatrix[7], 110.0f);
    EXPECT_FLOAT_EQ(thumb->worldMatrix[0], 20.0f);
    slider.reversed = true;
    slider.Update({0, 0}, false);
    EXPECT_FLOAT_EQ(thumb->worldMatrix[3], 260.0f);
    slider.Render();
    EXPECT_FLOAT_EQ(thumb->worldMatrix[3], 260.0f); // the thumb is placed by the slider alone
}

TEST_F(GUIModelTest, TexturedCursorsHangFromTheCursorPointAndShowWhenAsked)
{
    const int listed = manager->models.count;
    {
        GUICursor cursor(services, buttonMaterial, 32.0f);
        ASSERT_NE(cursor.model, nullptr);
        EXPECT_FLOAT_EQ(cursor.model->depth, -30.1f);
        cursor.position = {300, 200};
        cursor.Render();
        EXPECT_EQ(cursor.model->flags & ModelFlag::active, 0u);
        EXPECT_FLOAT_EQ(cursor.model->worldMatrix[3], 300.0f);
        EXPECT_FLOAT_EQ(cursor.model->worldMatrix[7], 200.0f);
        cursor.shown = true;
        cursor.position = {10, 20};
        cursor.Render();
        EXPECT_EQ(cursor.model->flags & 0xFFFFFu, 0x48C11u);
        EXPECT_FLOAT_EQ(cursor.model->worldMatrix[3], 10.0f);
    }
    EXPECT_EQ(manager->models.count, listed);
}

TEST_F(GUIModelTest, ModelWindowsLoseDepthTestLightingAndFrontToBackOrder)
{
    GUIWindow window(services, GUIWindow::Colored | GUIWindow::Tier20, {0, 0}, {50, 50}, nullptr,
                     GUIVisual::File("models\\missing.mlf"));
    ASSERT_NE(window.model, nullptr); // the manager's box
    EXPECT_EQ(window.model->flags & (ModelFlag::active | ModelFlag::depthTest | ModelFlag::lit | ModelFlag::frontToBack), 0u);
    EXPECT_EQ(window.model->flags & (ModelFlag::backToFront | ModelFlag::manualDepth), 0xC00u);
    EXPECT_FLOAT_EQ(window.model->depth, -20.0f);
}

// A font's glyph quads are its model's buffers; every instance clones the model, and an instance that
// draws nothing for a frame goes with its model.
TEST_F(GUIModelTest, FontsDrawThroughTheirModelsAndInstancesComeAndGo)
{
    Write("data/fonts/t.fnt", Formats::EncodeFont({{u'A', 0.5f, 0.25f, 0.125f, 0.5f, 0.5f}}));
    const int listed = manager->models.count;
    {
        GUIFontManager fonts(&log, &memory, &files, shaderManager.get(), manager.get(), camera);
        GUIFont* font = fonts.LoadFont(1, ShaderDescriptor{}, "fonts\\t.fnt");
        const Model* fontModel = font->GetModel();
        ASSERT_NE(fontModel, nullptr);
        EXPECT_EQ(fontModel->name, "font_model");
        EXPECT_EQ(fontModel->flags, 0x148C29u);
        EXPECT_FLOAT_EQ(fontModel->depth, -9.0f);
        EXPECT_EQ(fontModel->triangleCount, 0u);
        EXPECT_EQ(fontModel->camera, camera);
        EXPECT_EQ(manager->models.count, listed + 1);

        const Color red{1, 0, 0, 1};
        fonts.DrawTextItem(1, u"A A", 0, {true, {100, 200}, 50, 20, -10.0f}, {4, 6}, red);
        ASSERT_EQ(fonts.GetInstances().size(), 1u);
        const GUIFont& instance = *fonts.GetInstances()[0];
        const Model* model = instance.GetModel();
        ASSERT_NE(model, nullptr);
        EXPECT_NE(model, fontModel);
        EXPECT_EQ(model->flags & ModelFlag::active, ModelFlag::active);
        EXPECT_FLOAT_EQ(model->depth, -10.005f);
        EXPECT_EQ(manager->models.count, listed + 2);
        EXPECT_TRUE(instance.IsVertexBufferLocked());
        EXPECT_EQ(model->vertexBuffer->locked, 1);
        EXPECT_EQ(model->indexBuffer->usedIndexCount, 12u);
        EXPECT_EQ(model->triangleCount, 4u);
        const GUIFontVertex corner = instance.GetVertex(5); // lower-left of the second A, past the space
        EXPECT_FLOAT_EQ(corner.x, 104.0f + 0.5f + 1.0f);
        EXPECT_FLOAT_EQ(corner.y, 206.0f);
        EXPECT_EQ(corner.colour, model->vertexBuffer->PackColor(red));
        EXPECT_EQ(instance.GetIndex(11), 7u);

        fonts.FinishFrame();
        EXPECT_EQ(model->vertexBuffer->locked, 0);
        EXPECT_EQ(model->indexBuffer->usedIndexCount, 12u); // drawn this frame
        EXPECT_EQ(fontModel->indexBuffer->usedIndexCount, 0u);

        fonts.FinishFrame();
        EXPECT_TRUE(fonts.GetInstances().empty());
        EXPECT_EQ(manager->models.count, listed + 1);
    }
    EXPECT_EQ(manager->models.count, listed);
}

} // namespace

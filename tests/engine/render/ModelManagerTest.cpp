// The model pass: update, counting, culling, draw order and the draws themselves, and model updates.
#include "ModelFixture.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/D3D7Test.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace VantoranEngine;

namespace {

Vector3 Position(const Model& model, uint32_t vertex)
{
    Vector3 p;
    std::memcpy(&p, model.vertexBuffer->vertices.data() + vertex * model.vertexBuffer->vertexSize, 12);
    return p;
}

void ExpectNear(const Vector3& a, const Vector3& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-4f);
    EXPECT_NEAR(a.y, b.y, 1e-4f);
    EXPECT_NEAR(a.z, b.z, 1e-4f);
}

} // namespace

class ModelPassTest : public ModelFixture {
protected:
    Model* ListedBox(float z, uint32_t extra = 0)
    {
        Model* box = Keep(manager->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, extra));
        box->SetWorldMatrix(Translation(0, 0, z));
        manager->models.Add(box);
        return box;
    }
    void TearDown() override
    {
        for (Model* model : owned)
            manager->models.Remove(model);
        ModelFixture::TearDown();
    }
};

TEST_F(ModelPassTest, CountsUpdatesAndDraws)
{
    Model* near = ListedBox(-5);
    Model* culled = ListedBox(+50);
    Model* idle = ListedBox(-8);
    idle->flags &= ~ModelFlag::active;
    Model* twoSided = ListedBox(-9, ModelFlag::twoSided);
    Platform::D3D7Test::ClearCalls();
    manager->Render();
    EXPECT_EQ(manager->activeModelCount, 3u);
    EXPECT_EQ(manager->triangleTotal, 36u);
    EXPECT_EQ(manager->drawnTriangleTotal, 24u);
    EXPECT_EQ(manager->drawnModelCount, 2u);
    EXPECT_EQ(culled->drawnTriangleCount, 0u);
    EXPECT_NEAR(near->depth, 5.0f, 1e-4f);
    EXPECT_EQ(manager->drawList, (std::vector<Model*>{near, twoSided}));
    EXPECT_EQ(Platform::D3D7Test::CountCalls("DrawIndexedPrimitive"), 3); // twoSided draws twice

    // A lost device: nothing is updated or drawn and the statistics read 0.
    renderSystem->ready = 0;
    near->depth = 99;
    manager->Render();
    EXPECT_EQ(manager->activeModelCount, 0u);
    EXPECT_EQ(near->depth, 99.0f);
    renderSystem->ready = 1;
}

TEST_F(ModelPassTest, MaterialWithMoreStagesThanUnitsIsNotDrawn)
{
    Model* box = ListedBox(-5);
    ShaderDescriptor twoStages;
    twoStages.AddStage(stageStatic, stageNoTextures, 1, 1, 0, 0, "a", "", 0);
    twoStages.AddStage(stageStatic, stageNoTextures, 1, 1, 0, 0, "b", "", 0);
    box->SetShaderDescriptor(twoStages);
    renderSystem->textureUnitCount = 1;
    Platform::D3D7Test::ClearCalls();
    manager->Render();
    EXPECT_EQ(manager->drawnModelCount, 1u);
    EXPECT_EQ(Platform::D3D7Test::CountCalls("DrawIndexedPrimitive"), 0);
    renderSystem->textureUnitCount = 2;
    manager->Render();
    EXPECT_EQ(Platform::D3D7Test::CountCalls("DrawIndexedPrimitive"), 1);
}

TEST_F(ModelPassTest, DrawOrderByClassAndDepth)
{
    Model* gui10 = ListedBox(-5, ModelFlag::backToFront | ModelFlag::manualDepth);
    Model* gui30 = ListedBox(-5, ModelFlag::backToFront | ModelFlag::manualDepth);
    Model* child = ListedBox(-5, ModelFlag::backToFront | ModelFlag::manualDepth);
    Model* far = ListedBox(-9);
    Model* near = ListedBox(-5);
    gui10->depth = -10;
    gui30->depth = -30;
    child->depth = -10.01f;
    manager->Render();
    EXPECT_EQ(gui30->depth, -30.0f); // manual depth kept
    EXPECT_EQ(manager->drawList, (std::vector<Model*>{near, far, gui10, child, gui30}));
}

// The comparison must be a strict weak ordering for any mix of flags and depths, or sorting is undefined.
TEST_F(ModelPassTest, DrawOrderIsAStrictWeakOrdering)
{
    std::mt19937 random(99);
    const uint32_t classes[] = {0, ModelFlag::frontToBack, ModelFlag::backToFront,
                                ModelFlag::frontToBack | ModelFlag::backToFront};
    const float depths[] = {-1.0f, 0.0f, 2.5f, 2.5f, 7.0f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity()};
    std::vector<Model*> models;
    for (int i = 0; i < 40; ++i) {
        Model* model = Keep(manager->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, 0));
        model->flags = classes[random() % 4] | (random() % 2 ? ModelFlag::active : 0u);
        model->depth = depths[random() % 7];
        models.push_back(model);
    }
    auto less = ModelManager::CompareDrawOrder;
    auto equivalent = [&](Model* a, Model* b) { return !less(a, b) && !less(b, a); };
    for (Model* a : models) {
        EXPECT_FALSE(less(a, a));
        for (Model* b : models) {
            if (less(a, b)) {
                EXPECT_FALSE(less(b, a));
            }
            for (Model* c : models) {
                if (less(a, b) && less(b, c)) {
                    EXPECT_TRUE(less(a, c));
                }
                if (equivalent(a, b) && equivalent(b, c)) {
                    EXPECT_TRUE(equivalent(a, c));
                }
            }
        }
    }
    std::vector<Model*> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back(models[random() % models.size()]);
    std::sort(many.begin(), many.end(), less);
    EXPECT_TRUE(std::is_sorted(many.begin(), many.end(), less));
}

TEST_F(ModelPassTest, MorphAndSkinUpdates)
{
    Formats::ModelFile morphFile;
    morphFile.flags = Formats::modelMorphFrames | Formats::modelTriangleList | Formats::modelActive;
    morphFile.frameCount = 2;
    morphFile.indices = {0, 1, 2};
    morphFile.vertexCount = 3;
    for (int frame = 0; frame < 2; ++frame)
        for (int v = 0; v < 3; ++v) {
            Formats::ModelVertex vertex;
            vertex.position = {static_cast<float>(v), static_cast<float>(frame), -5.0f};
            morphFile.vertices.push_back(vertex);
        }
    morphFile.boxes = {{{0, 0, -5}, {2, 0, -5}}, {{0, 1, -5}, {2, 1, -5}}};
    WriteModel("morph.mlf", morphFile);
    Model* morph = Load("morph.mlf");
    morph->animationControl->Advance(0.0f);
    morph->Update();
    ExpectNear(Position(*morph, 2), {2, 0, -5}); // blend 0: exactly frame 0
    // A range past the model's frames stays inside them.
    morph->animationControl->AddAnimation(3, 0, 40);
    morph->animationControl->currentId = 3;
    morph->animationControl->play = 1;
    morph->animationControl->speed = 30;
    for (int i = 0; i < 10; ++i) {
        morph->animationControl->Advance(0.1f);
        EXPECT_LT(morph->animationControl->nextFrame, 2u);
    }

    Formats::ModelFile skinFile;
    skinFile.flags = Formats::modelSkinned | Formats::modelTriangleList | Formats::modelActive;
    skinFile.frameCount = 1;
    Formats::ModelBone bone;
    bone.box = {{-1, -1, -1}, {1, 1, 1}};
    skinFile.bones = {bone, bone};
    // Bone 0 moved by (1, 2, -5) and turned a quarter about z; bone 1 at (0, 0, -5).
    const float s = std::sqrt(0.5f);
    skinFile.boneKeys = {{1, 2, -5, 0, 0, s, s, 1, 1, 1}, {0, 0, -5, 0, 0, 0, 1, 1, 1, 1}};
    skinFile.indices = {0, 1, 2};
    skinFile.vertexCount = 3;
    for (int v = 0; v < 3; ++v) {
        Formats::ModelSkinVertex vertex;
        vertex.weights.push_back({0, 0.5f, {1, 0, 0}, {1, 0, 0}});
        vertex.weights.push_back({1, 0.5f, {1, 0, 0}, {1, 0, 0}});
        skinFile.skinVertices.push_back(vertex);
    }
    skinFile.boxes = {{{-1, -1, -1}, {1, 1, 1}}};
    WriteModel("skin.mlf", skinFile);
    Model* skin = Load("skin.mlf");
    skin->Update();
    // Half of (1, 3, -5) (bone 0: (1, 0, 0) turned to (0, 1, 0), then moved) and half of (1, 0, -5).
    ExpectNear(Position(*skin, 0), {1.0f, 1.5f, -5.0f});
    Vector3 normal;
    std::memcpy(&normal, skin->vertexBuffer->vertices.data() + 12, 12);
    ExpectNear(normal, {0.5f, 0.5f, 0.0f}); // not renormalised
    ExpectNear(skin->boundingBox.worldMin, {-1, -1, -6});

    // Every bone left out of the bounds: the inverted search box.
    for (Bone& b : skin->skeleton->bones)
        b.flag = 1;
    skin->Update();
    ExpectNear(skin->boundingBox.min, {100000, 100000, 100000});
}

TEST_F(ModelPassTest, PickTestsTheBoxThenEveryTriangle)
{
    WriteModel("quad.mlf", Formats::MakeQuadModel());
    Model* quad = Load("quad.mlf");
    quad->SetWorldMatrix(Translation(10, 0, 0));
    // A segment that misses the box.
    EXPECT_FALSE(quad->Pick({{0, 0, 5}, {0, 0, -10}}));
    // Through the box: hits.
    EXPECT_TRUE(quad->Pick({{10.5f, 0.5f, 5}, {0, 0, -10}}));
    // Ending before the quad but pointing at it and touching the box: still a hit.
    quad->boundingBox.SetCorners({-1, -1, -1}, {1, 1, 1});
    quad->boundingBox.transform = quad->worldMatrix;
    quad->boundingBox.Update(true);
    EXPECT_TRUE(quad->Pick({{10.5f, 0.5f, 1.0f}, {0, 0, -0.5f}}));
    // Beside the triangles but inside the box.
    EXPECT_FALSE(quad->Pick({{10.5f, 0.5f, 5}, {0, 0, 10}}));

    // The same quad as a strip: triangles t, t+1, t+2.
    Formats::ModelFile strip = Formats::MakeQuadModel();
    strip.flags &= ~Formats::modelTriangleList;
    strip.indices = {0, 1, 2, 3};
    WriteModel("strip.mlf", strip);
    Model* stripModel = Load("strip.mlf");
    EXPECT_EQ(stripModel->triangleCount, 2u);
    EXPECT_TRUE(stripModel->Pick({{0.9f, 0.9f, 5}, {0, 0, -10}}));
    EXPECT_TRUE(stripModel->Pick({{-0.9f, -0.9f, 5}, {0, 0, -10}}));
}

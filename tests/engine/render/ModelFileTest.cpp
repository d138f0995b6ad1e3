#include "engine/render/Model.h"

#include "SceneFixture.h"
#include "engine/core/Error.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Skeleton.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "tools/formats/MaterialWriter.h"
#include "tools/formats/ModelWriter.h"

#include <cmath>
#include <cstring>
#include <random>

using namespace VantoranEngine;

namespace {

class ModelFileTest : public SceneFixture {
protected:
    Model* Load(const std::vector<uint8_t>& bytes, uint32_t extraFlags = 0)
    {
        Write("data/models/m.mlf", bytes);
        return Keep(models->LoadDetachedModel("models\\m.mlf", extraFlags));
    }

    Model* Keep(Model* model)
    {
        owned.emplace_back(model);
        return model;
    }

    static Vector3 Position(const Model& model, uint32_t vertex)
    {
        Vector3 p;
        std::memcpy(&p, model.vertexBuffer->vertices.data() + size_t{vertex} * model.vertexBuffer->vertexSize, 12);
        return p;
    }

    // In front of the default camera, which looks down -z from the origin.
    static void PlaceInView(Model& model)
    {
        Matrix4 away;
        MakeTranslationMatrix(away, {0, 0, -30});
        model.SetWorldMatrix(away);
    }

    static bool IsFallbackBox(const Model& model) { return model.name == "box" && model.triangleCount == 12; }

    void ReleaseModels() override { owned.clear(); }

    std::vector<std::unique_ptr<Model>> owned;
};

Formats::ModelFile MorphModel()
{
    Formats::ModelFile file;
    file.flags = Formats::modelMorphFrames | Formats::modelTriangleList | Formats::modelActive;
    file.frameCount = 3;
    file.framesPerSecond = 10;
    file.indices = {0, 1, 2};
    file.vertexCount = 3;
    for (uint32_t f = 0; f < 3; ++f) {
        for (uint32_t v = 0; v < 3; ++v) {
            Formats::ModelVertex vertex;
            vertex.position = {float(v), float(f), 0};
            vertex.u = float(f);
            file.vertices.push_back(vertex);
        }
        file.boxes.push_back({{0, float(f), 0}, {2, float(f), 0}});
    }
    return file;
}

// Two bones, two frames; vertex 0 follows bone 0, vertex 1 is shared half and half.
Formats::ModelFile SkinnedModel()
{
    Formats::ModelFile file;
    file.flags = Formats::modelSkinned | Formats::modelTriangleList | Formats::modelActive;
    file.frameCount = 2;
    file.framesPerSecond = 1;
    Formats::ModelBone bone;
    bone.name = "root";
    bone.box = {{-1, -1, -1}, {1, 1, 1}};
    file.bones = {bone, bone};
    file.bones[1].name = "tip";
    auto key = [](float x, float y) { return Formats::ModelBoneKey{x, y, 0, 0, 0, 0, 1, 1, 1, 1}; };
    file.boneKeys = {key(0, 0), key(10, 0), key(0, 4), key(10, 4)};
    file.indices = {0, 1, 2};
    file.vertexCount = 3;
    Formats::ModelSkinVertex a;
    a.weights = {{0, 1.0f, {0, 0, 1}, {1, 0, 0}}};
    Formats::ModelSkinVertex b;
    b.weights = {{0, 0.5f, {0, 0, 1}, {0, 2, 0}}, {1, 0.5f, {0, 0, 1}, {0, 2, 0}}};
    Formats::ModelSkinVertex c;
    c.weights = {{1, 1.0f, {0, 0, 1}, {0, 0, 0}}};
    file.skinVertices = {a, b, c};
    file.boxes.push_back({{-1, -1, -1}, {1, 1, 1}});
    return file;
}

} // namespace

TEST_F(ModelFileTest, StaticQuadReadsBackWithItsMaterialName)
{
    const std::vector<uint8_t> bytes = Formats::EncodeModel(Formats::MakeQuadModel());
    EXPECT_EQ(bytes.size(), 189u);
    Write("data/models/m.srf", Formats::EncodeMaterial(Formats::MakeImageMaterial("m.jpg", "")));
    Model* model = Load(bytes);
    EXPECT_EQ(model->name, "models\\m.mlf");
    EXPECT_EQ(model->flags, 0x40009u);
    EXPECT_EQ(model->triangleStrip, 0u);
    EXPECT_EQ(model->triangleCount, 2u);
    EXPECT_EQ(model->vertexBuffer->vertexCount, 4);
    EXPECT_FLOAT_EQ(Position(*model, 3).x, 1);
    EXPECT_FLOAT_EQ(Position(*model, 3).y, 1);
    EXPECT_FLOAT_EQ(model->boundingBox.max.x, 1);
    ASSERT_EQ(model->shaderUser->stageCount, 1u);
    EXPECT_EQ(model->shaderUser->stages[0].colourName, "models\\m.jpg");
}

TEST_F(ModelFileTest, IndexWidthFollowsTheCount)
{
    for (uint32_t count : {65535u, 65536u}) {
        Formats::ModelFile file = Formats::MakeQuadModel();
        file.indices.assign(count - count % 3, 0);
        file.indices.resize(count, 1);
        Model* model = Load(Formats::EncodeModel(file));
        ASSERT_FALSE(IsFallbackBox(*model)) << count << Entries();
        EXPECT_EQ(model->indexBuffer->is32Bit, count > 65535 ? 1u : 0u);
        EXPECT_EQ(model->triangleCount, count / 3);
    }
}

TEST_F(ModelFileTest, DamagedFilesGiveTheBoxWithTheirLogTexts)
{
    const std::string format = "Error: Incorrect \"models\\m.mlf\" file format!";
    struct Case {
        const char* what;
        void (*change)(Formats::ModelFile&);
    };
    const Case cases[] = {
        {"frame count 0", [](Formats::ModelFile& f) { f = MorphModel(); f.frameCount = 0; f.vertices.clear(); f.boxes.clear(); }},
        {"index past the vertices", [](Formats::ModelFile& f) { f.indices[4] = 4; }},
        {"strip of two indices", [](Formats::ModelFile& f) { f.flags &= ~Formats::modelTriangleList; f.indices = {0, 1}; }},
        {"bone index past the bones", [](Formats::ModelFile& f) { f = SkinnedModel(); f.skinVertices[2].weights[0].bone = 2; }},
        {"five weights", [](Formats::ModelFile& f) { f = SkinnedModel(); f.skinVertices[0].weights.resize(5); }},
        {"static and skinned", [](Formats::ModelFile& f) { f.flags |= Formats::modelSkinned; }},
        {"more vertices than the file holds", [](Formats::ModelFile& f) { f.vertexCount = 1000; }},
    };
    for (const Case& c : cases) {
        Formats::ModelFile file = Formats::MakeQuadModel();
        c.change(file);
        log.ClearEntries();
        Model* model = Load(Formats::EncodeModel(file));
        EXPECT_TRUE(IsFallbackBox(*model)) << c.what;
        EXPECT_TRUE(Logged(format)) << c.what << ": " << Entries();
    }
    log.ClearEntries();
    EXPECT_TRUE(IsFallbackBox(*Load(Formats::EncodeModel(Formats::MakeQuadModel(), 200))));
    EXPECT_TRUE(Logged("Incorrect \"models\\m.mlf\" format version, current is 201")) << Entries();
    log.ClearEntries();
    EXPECT_TRUE(IsFallbackBox(*Keep(models->LoadDetachedModel("models\\none.mlf", 0))));
    EXPECT_TRUE(Logged("Failed to open")) << Entries();
}

TEST_F(ModelFileTest, BitFlippedFilesNeverCrash)
{
    for (const Formats::ModelFile& source : {Formats::MakeQuadModel(), MorphModel(), SkinnedModel()}) {
        const std::vector<uint8_t> good = Formats::EncodeModel(source);
        for (size_t i = 0; i < good.size(); ++i) {
            std::vector<uint8_t> bytes = good;
            bytes[i] ^= static_cast<uint8_t>(1u << (i % 8));
            Model* model = Load(bytes);
            model->flags |= ModelFlag::active;
            model->animationControl->play = 1;
            model->animationControl->loop = 1;
            model->Update();
            Ray ray{{0, 0, 10}, {0, 0, -20}};
            model->Pick(ray);
        }
    }
}

TEST_F(ModelFileTest, MorphFramesBlendAndKeepInsideTheFrames)
{
    Model* model = Load(Formats::EncodeModel(MorphModel()));
    ASSERT_FALSE(IsFallbackBox(*model)) << Entries();
    PlaceInView(*model);
    EXPECT_EQ(model->frameBoxes.size(), 3u);
    EXPECT_EQ(model->animationControl->frameCount, 3u);
    EXPECT_FLOAT_EQ(model->animationControl->speed, 10);
    AnimationControl& control = *model->animationControl;
    control.time = 1.0f;
    model->Update();
    EXPECT_FLOAT_EQ(Position(*model, 2).x, 2); // frame 1 exactly at blend 0
    EXPECT_FLOAT_EQ(Position(*model, 2).y, 1);
    control.time = 0.5f;
    model->Update();
    EXPECT_FLOAT_EQ(Position(*model, 0).y, 0.5f);
    // a range past the model's frames is cut to its last frame
    control.AddAnimation(4, 1, 40);
    control.currentId = 4;
    control.time = 30.0f;
    control.loop = 1;
    model->Update();
    EXPECT_LT(control.currentFrame, 3u);
    EXPECT_LT(control.nextFrame, 3u);
}

TEST_F(ModelFileTest, SkinnedVerticesFollowTheirBones)
{
    Model* model = Load(Formats::EncodeModel(SkinnedModel()));
    ASSERT_FALSE(IsFallbackBox(*model)) << Entries();
    ASSERT_TRUE(model->skeleton);
    PlaceInView(*model);
    EXPECT_EQ(model->skeleton->bones[1].name, "tip");
    model->Update(); // frame 0: bone 0 at the origin, bone 1 at x = 10
    EXPECT_FLOAT_EQ(Position(*model, 0).x, 1);
    EXPECT_FLOAT_EQ(Position(*model, 1).x, 5); // half of (0, 2, 0) + half of (10, 2, 0)
    EXPECT_FLOAT_EQ(Position(*model, 1).y, 2);
    EXPECT_FLOAT_EQ(Position(*model, 2).x, 10);
    model->animationControl->time = 0.5f;
    model->Update(); // half-way to frame 1: every bone 2 higher
    EXPECT_FLOAT_EQ(Position(*model, 2).y, 2);
    // the box is the union of the bones' boxes
    EXPECT_FLOAT_EQ(model->boundingBox.min.x, -1);
    EXPECT_FLOAT_EQ(model->boundingBox.max.x, 11);

    for (Bone& bone : model->skeleton->bones)
        bone.flag = 1;
    model->Update();
    EXPECT_FLOAT_EQ(model->boundingBox.min.x, 100000);
    EXPECT_FLOAT_EQ(model->boundingBox.max.x, -100000);
}

TEST_F(ModelFileTest, FlagsZeroGiveTheDefaultFlagAndNoDrawing)
{
    Formats::ModelFile file = Formats::MakeQuadModel();
    file.flags = 0;
    file.vertices.clear();
    Model* model = Load(Formats::EncodeModel(file));
    EXPECT_EQ(model->flags, uint32_t{ModelFlag::defaultFlag});
    EXPECT_EQ(model->triangleStrip, 1u);
}

TEST_F(ModelFileTest, BoxHasItsFacesAndClassRule)
{
    Model* box = Keep(models->CreateDetachedBoxModel({-1, -2, -3}, {1, 2, 3}, nullptr, 0));
    EXPECT_EQ(box->flags, boxModelFlags);
    EXPECT_EQ(box->triangleCount, 12u);
    EXPECT_FLOAT_EQ(box->boundingBox.min.y, -2);
    EXPECT_FLOAT_EQ(box->boundingBox.max.z, 3);
    const Vector3 first = Position(*box, 0);
    EXPECT_FLOAT_EQ(first.x, -1);
    EXPECT_FLOAT_EQ(first.z, -3);
    EXPECT_FLOAT_EQ(Position(*box, 1).y, 2); // nxn
    Model* back = Keep(models->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, ModelFlag::backToFront));
    EXPECT_EQ(back->flags & (ModelFlag::frontToBack | ModelFlag::backToFront), uint32_t{ModelFlag::backToFront});
    Model* both = Keep(models->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, ModelFlag::backToFront | ModelFlag::frontToBack));
    EXPECT_EQ(both->flags & (ModelFlag::frontToBack | ModelFlag::backToFront), uint32_t{ModelFlag::frontToBack});
}

TEST_F(ModelFileTest, ClonesAreIndependentButShareTheShader)
{
    Write("data/models/m.srf", Formats::EncodeMaterial(Formats::MakeImageMaterial("m.jpg", "")));
    Model* prototype = Load(Formats::EncodeModel(MorphModel()));
    const int shaders = shaderManager->shaderCount;
    Model* clone = Keep(models->CloneDetachedModel(prototype));
    EXPECT_EQ(shaderManager->shaderCount, shaders);
    EXPECT_EQ(clone->shaderUser->shader, prototype->shaderUser->shader);
    EXPECT_EQ(clone->camera, prototype->camera);
    Model* tinted = Keep(models->CloneModel(prototype, nullptr, ModelFlag::vertexColours | ModelFlag::skinned));
    EXPECT_EQ(tinted->vertexBuffer->vertexSize, 36);
    EXPECT_FALSE(tinted->flags & ModelFlag::skinned); // no skeleton to copy
    Matrix4 move;
    MakeTranslationMatrix(move, {5, 0, 0});
    clone->SetWorldMatrix(move);
    clone->animationControl->time = 2;
    EXPECT_FLOAT_EQ(prototype->worldMatrix[3], 0);
    EXPECT_FLOAT_EQ(prototype->animationControl->time, 0);
    models->models.Remove(tinted);
}

TEST_F(ModelFileTest, MultiplyWorldMatrixAppliesAfterThePlacement)
{
    Model* box = Keep(models->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, 0));
    Matrix4 turn;
    MakeRotationZMatrix(turn, 1.5707964f);
    box->SetWorldMatrix(turn);
    Matrix4 move;
    MakeTranslationMatrix(move, {5, 0, 0});
    box->MultiplyWorldMatrix(move);
    const Vector3 p = TransformPoint(box->worldMatrix, {1, 0, 0});
    EXPECT_NEAR(p.x, 5, 1e-5); // turned to (0, 1, 0), then moved
    EXPECT_NEAR(p.y, 1, 1e-5);
    box->RestoreBaseMatrix();
    EXPECT_TRUE(MatricesEqual(box->worldMatrix, Matrix4{}));
}

TEST_F(ModelFileTest, PickTestsTheBoxThenEveryTriangle)
{
    Model* quad = Load(Formats::EncodeModel(Formats::MakeQuadModel()));
    EXPECT_TRUE(quad->Pick({{0.5f, 0.5f, 5}, {0, 0, -10}}));
    EXPECT_FALSE(quad->Pick({{5, 5, 5}, {0, 0, -10}})); // misses the box
    // ends before the quad but points at it: passes the box test, then the ray hits
    Matrix4 push;
    MakeTranslationMatrix(push, {0, 0, -1});
    quad->SetWorldMatrix(push);
    EXPECT_TRUE(quad->Pick({{0, 0, 0.5f}, {0, 0, -1.5f}}));
    Formats::ModelFile strip = Formats::MakeQuadModel();
    strip.flags &= ~Formats::modelTriangleList;
    strip.indices = {0, 1, 2, 3};
    Model* stripped = Load(Formats::EncodeModel(strip));
    EXPECT_EQ(stripped->triangleCount, 2u);
    EXPECT_TRUE(stripped->Pick({{0.9f, 0.9f, 5}, {0, 0, -10}}));
}

TEST_F(ModelFileTest, ManagerFallsBackToAListedActiveBox)
{
    log.ClearEntries();
    Model* model = models->LoadModel("models\\missing.mlf", nullptr, 0);
    owned.emplace_back(model);
    EXPECT_TRUE(IsFallbackBox(*model));
    EXPECT_TRUE(model->flags & ModelFlag::active);
    EXPECT_EQ(models->models.count, 1);
    EXPECT_TRUE(Logged("Failed to open")) << Entries();
    models->models.Remove(model);
}

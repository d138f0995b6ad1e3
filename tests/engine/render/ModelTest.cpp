// Model files, the four ways to make a model, and the small operations game code calls.
#include "ModelFixture.h"
#include "engine/core/Error.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"
#include "tools/formats/MaterialWriter.h"

#include <cstring>
#include <functional>
#include <random>

using namespace VantoranEngine;

class ModelTest : public ModelFixture {};

namespace {

Formats::ModelFile MorphFile()
{
    Formats::ModelFile file;
    file.flags = Formats::modelMorphFrames | Formats::modelTriangleList | Formats::modelActive;
    file.frameCount = 2;
    file.framesPerSecond = 10;
    file.indices = {0, 1, 2};
    file.vertexCount = 3;
    for (int frame = 0; frame < 2; ++frame)
        for (int v = 0; v < 3; ++v) {
            Formats::ModelVertex vertex;
            vertex.u = static_cast<float>(v);
            vertex.position = {static_cast<float>(v), static_cast<float>(frame), -5.0f};
            file.vertices.push_back(vertex);
        }
    file.boxes = {{{0, 0, -5}, {2, 0, -5}}, {{0, 1, -5}, {2, 1, -5}}};
    return file;
}

Formats::ModelFile SkinnedFile()
{
    Formats::ModelFile file;
    file.flags = Formats::modelSkinned | Formats::modelTriangleList | Formats::modelActive;
    file.frameCount = 2;
    file.framesPerSecond = 5;
    Formats::ModelBone bone;
    bone.name = "root";
    bone.box = {{-1, -1, -1}, {1, 1, 1}};
    bone.fileWords[0] = 7;
    file.bones = {bone, bone};
    file.bones[1].flag = 1;
    // Frame 0: bone 0 at (1, 2, 3); frame 1: at (3, 2, 3). Bone 1 stays at the origin.
    file.boneKeys = {{1, 2, 3, 0, 0, 0, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1},
                     {3, 2, 3, 0, 0, 0, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1}};
    file.indices = {0, 1, 2};
    file.vertexCount = 3;
    for (int v = 0; v < 3; ++v) {
        Formats::ModelSkinVertex vertex;
        vertex.u = 0.5f;
        vertex.weights.push_back({0, 0.5f, {0, 0, 1}, {static_cast<float>(v), 0, 0}});
        vertex.weights.push_back({1, 0.5f, {0, 0, 1}, {static_cast<float>(v), 0, 0}});
        file.skinVertices.push_back(vertex);
    }
    file.boxes = {{{-1, -1, -1}, {1, 1, 1}}};
    return file;
}

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

bool IsBox(const Model* model) { return model->name == "box" && model->triangleCount == 12; }

} // namespace

TEST_F(ModelTest, StaticQuadReadsBackAsWritten)
{
    Formats::ModelFile file = Formats::MakeQuadModel();
    ASSERT_EQ(Formats::EncodeModel(file).size(), 189u);
    WriteModel("quad.mlf", file);
    Model* model = Load("quad.mlf", ModelFlag::vertexColours);
    EXPECT_EQ(model->name, "quad.mlf");
    EXPECT_EQ(model->flags, file.flags | ModelFlag::vertexColours);
    EXPECT_EQ(model->triangleStrip, 0u);
    EXPECT_EQ(model->triangleCount, 2u);
    EXPECT_EQ(model->drawnTriangleCount, 0u);
    ASSERT_EQ(model->vertexBuffer->vertexSize, 36);
    for (uint32_t v = 0; v < 4; ++v) {
        const auto& src = file.vertices[v];
        ExpectNear(Position(*model, v), {src.position[0], src.position[1], src.position[2]});
        const uint8_t* record = model->vertexBuffer->vertices.data() + v * 36;
        float uv[2];
        uint32_t colour;
        std::memcpy(uv, record + 28, 8);
        std::memcpy(&colour, record + 24, 4);
        EXPECT_EQ(uv[0], src.u);
        EXPECT_EQ(uv[1], src.v);
        EXPECT_EQ(colour, 0xFFFFFFFFu); // white until tinted
    }
    ExpectNear(model->boundingBox.min, {file.boxes[0].min[0], file.boxes[0].min[1], file.boxes[0].min[2]});
    ExpectNear(model->boundingBox.max, {file.boxes[0].max[0], file.boxes[0].max[1], file.boxes[0].max[2]});
    EXPECT_EQ(model->camera, cameras->defaultCamera);
    EXPECT_EQ(manager->models.count, 1);
}

TEST_F(ModelTest, AnimatedFilesReadBackAsWritten)
{
    WriteModel("morph.mlf", MorphFile());
    Model* morph = Load("morph.mlf");
    ASSERT_EQ(morph->morphVertices.size(), 6u);
    ExpectNear(morph->morphVertices[4].position, {1, 1, -5});
    EXPECT_EQ(morph->morphVertices[4].u, 1.0f);
    ASSERT_EQ(morph->frameBoxes.size(), 2u);
    ExpectNear(morph->boundingBox.max, {2, 0, -5});
    EXPECT_EQ(morph->animationControl->frameCount, 2u);
    EXPECT_EQ(morph->animationControl->speed, 10.0f);

    const Formats::ModelFile skinFile = SkinnedFile();
    WriteModel("skin.mlf", skinFile);
    Model* skin = Load("skin.mlf");
    ASSERT_TRUE(skin->skeleton);
    ASSERT_EQ(skin->skeleton->bones.size(), 2u);
    EXPECT_EQ(skin->skeleton->bones[0].name, "root");
    EXPECT_EQ(skin->skeleton->bones[1].flag, 1);
    EXPECT_EQ(skin->skeleton->bones[0].fileWords[0], 7);
    ASSERT_EQ(skin->boneKeys.size(), 40u);
    EXPECT_EQ(skin->boneKeys[20], 3.0f);
    ASSERT_EQ(skin->skinVertices.size(), 3u);
    EXPECT_EQ(skin->skinVertices[2].weightCount, 2);
    EXPECT_EQ(skin->skinVertices[2].weights[1].bone, 1);
    ExpectNear(skin->skinVertices[2].weights[1].position, {2, 0, 0});
}

TEST_F(ModelTest, IndexWidthFollowsTheCount)
{
    for (uint32_t count : {65535u, 65536u}) {
        Formats::ModelFile file = Formats::MakeQuadModel();
        file.indices.assign(count, 3);
        const std::string name = "big" + std::to_string(count) + ".mlf";
        WriteModel(name, file);
        Model* model = Load(name);
        ASSERT_FALSE(IsBox(model)) << count;
        EXPECT_EQ(model->indexBuffer->indexSize, count == 65535 ? 2 : 4);
        EXPECT_EQ(model->triangleCount, count / 3);
    }
}

TEST_F(ModelTest, FlagsZeroGiveTheDefaultFlagOnly)
{
    Formats::ModelFile file = Formats::MakeQuadModel();
    file.flags = 0;
    WriteModel("none.mlf", file);
    Model* model = Load("none.mlf");
    EXPECT_EQ(model->flags, ModelFlag::defaultFlag);
    EXPECT_EQ(model->triangleStrip, 1u);
    manager->Render();
    EXPECT_EQ(manager->activeModelCount, 0u);
}

TEST_F(ModelTest, MaterialIsTheSiblingSrfFile)
{
    Formats::MaterialFile material;
    Formats::MaterialStage stage;
    stage.flags = 4; // no textures
    stage.colourName = "skin";
    material.stages.push_back(stage);
    Write("data/quad.srf", Formats::EncodeMaterial(material));
    WriteModel("quad.mlf", Formats::MakeQuadModel());
    WriteModel("plain", Formats::MakeQuadModel());
    Model* model = Load("quad.mlf");
    EXPECT_EQ(model->shaderUser->stageCount, 1u);
    EXPECT_TRUE(model->shaderUser->stages[0].colourName.ends_with("skin"));
    // "plain" asks for "plain.srf", which is missing: the default material, and still a model.
    Model* plain = Load("plain");
    EXPECT_FALSE(IsBox(plain));
    EXPECT_EQ(plain->shaderUser->stageCount, 0u);
}

// Files the reader must refuse, each with the text the log gets.
TEST_F(ModelTest, DamagedFilesBecomeBoxesWithTheirReason)
{
    const std::string format = "Incorrect \"bad.mlf\" file format";
    struct Case {
        const char* what;
        std::function<std::vector<uint8_t>()> make;
        std::string text;
    };
    auto encode = [](std::function<void(Formats::ModelFile&)> change, Formats::ModelFile file) {
        change(file);
        return Formats::EncodeModel(file);
    };
    const std::vector<Case> cases = {
        {"size field", [] { auto b = Formats::EncodeModel(Formats::MakeQuadModel()); b[0]++; return b; }, format},
        {"magic", [] { auto b = Formats::EncodeModel(Formats::MakeQuadModel()); b[8] = 'X'; return b; }, format},
        {"version", [] { return Formats::EncodeModel(Formats::MakeQuadModel(), 200); },
         "Incorrect \"bad.mlf\" format version, current is 201"},
        {"no frames", [&] { return encode([](auto& f) { f.frameCount = 0; f.vertices.clear(); f.boxes.clear(); }, MorphFile()); }, format},
        {"no frames, skinned", [&] { return encode([](auto& f) { f.frameCount = 0; f.boneKeys.clear(); }, SkinnedFile()); }, format},
        {"index past the vertices", [&] { return encode([](auto& f) { f.indices[1] = 4; }, Formats::MakeQuadModel()); }, format},
        {"bone index past the bones", [&] { return encode([](auto& f) { f.skinVertices[1].weights[0].bone = 2; }, SkinnedFile()); }, format},
        {"five weights", [&] { return encode([](auto& f) { f.skinVertices[0].weights.resize(5); }, SkinnedFile()); }, format},
        {"strip of two", [&] { return encode([](auto& f) { f.flags &= ~Formats::modelTriangleList; f.indices = {0, 1}; }, Formats::MakeQuadModel()); }, format},
        {"two vertex kinds", [&] { return encode([](auto& f) { f.flags |= Formats::modelSkinned; }, Formats::MakeQuadModel()); }, format},
        {"counts past the end", [&] { return encode([](auto& f) { f.vertexCount = 1000; }, Formats::MakeQuadModel()); }, format},
    };
    for (const Case& c : cases) {
        Write("data/bad.mlf", c.make());
        log.ClearEntries();
        Model* model = Load("bad.mlf");
        EXPECT_TRUE(IsBox(model)) << c.what;
        EXPECT_TRUE(model->flags & ModelFlag::active) << c.what;
        EXPECT_TRUE(Logged(c.text)) << c.what << ": " << Entries();
    }
    EXPECT_EQ(manager->models.count, static_cast<int>(cases.size()));

    // A missing file is logged too, and gives a detached box from the detached loader.
    log.ClearEntries();
    Model* missing = Keep(manager->LoadDetachedModel("missing.mlf", 0));
    EXPECT_TRUE(IsBox(missing));
    EXPECT_TRUE(Logged("missing.mlf"));
    EXPECT_EQ(manager->models.count, static_cast<int>(cases.size()));
    ExpectNear(missing->boundingBox.min, {-1, -1, -1});
}

// Every truncation and many single-bit flips of each kind of file: refused or read, never a crash, and a
// model that was read can be updated, bounded and picked.
TEST_F(ModelTest, TruncatedAndBitFlippedFilesNeverCrash)
{
    std::mt19937 random(1234);
    int refused = 0;
    for (const Formats::ModelFile& file : {Formats::MakeQuadModel(), MorphFile(), SkinnedFile()}) {
        const std::vector<uint8_t> good = Formats::EncodeModel(file);
        std::vector<std::vector<uint8_t>> damaged;
        for (size_t length = 0; length < good.size(); ++length)
            damaged.emplace_back(good.begin(), good.begin() + static_cast<long>(length));
        for (int i = 0; i < 150; ++i) {
            std::vector<uint8_t> bytes = good;
            bytes[13 + random() % (bytes.size() - 13)] ^= static_cast<uint8_t>(1u << (random() % 8));
            damaged.push_back(bytes);
        }
        for (const auto& bytes : damaged) {
            Write("data/damaged.mlf", bytes);
            std::unique_ptr<Model> model(manager->LoadDetachedModel("damaged.mlf", ModelFlag::active));
            if (IsBox(model.get()))
                ++refused;
            model->animationControl->AddAnimation(1, 0, 40);
            model->animationControl->currentId = 1;
            model->animationControl->play = 1;
            model->animationControl->loop = 1;
            for (int step = 0; step < 3; ++step) {
                model->animationControl->Advance(0.1f);
                model->Update();
            }
            BoundingBox box;
            model->ComputeBoundingBox(box, true);
            model->Pick({{0, 0, 10}, {0, 0, -20}});
        }
    }
    EXPECT_GT(refused, 0);
}

TEST_F(ModelTest, BoxFacesAndClasses)
{
    Model* box = Keep(manager->CreateDetachedBoxModel({-1, -2, -3}, {1, 2, 3}, nullptr, 0));
    EXPECT_EQ(box->flags, boxModelFlags);
    EXPECT_EQ(box->triangleCount, 12u);
    // Face 1 corners nnn, nxn, xxn, xnn with u, v (1,0) (1,1) (0,1) (0,0); face 4 starts at vertex 12.
    ExpectNear(Position(*box, 0), {-1, -2, -3});
    ExpectNear(Position(*box, 1), {-1, 2, -3});
    ExpectNear(Position(*box, 2), {1, 2, -3});
    ExpectNear(Position(*box, 12), {1, -2, -3});
    float normal[3], uv[2];
    std::memcpy(normal, box->vertexBuffer->vertices.data() + 12 * 32 + 12, 12);
    std::memcpy(uv, box->vertexBuffer->vertices.data() + 1 * 32 + 24, 8);
    EXPECT_EQ(normal[0], 1.0f);
    EXPECT_EQ(uv[0], 1.0f);
    EXPECT_EQ(uv[1], 1.0f);
    uint16_t indices[6];
    std::memcpy(indices, box->indexBuffer->indices.data() + 12, 12);
    EXPECT_EQ(std::vector<uint16_t>(indices, indices + 6), (std::vector<uint16_t>{4, 5, 6, 6, 7, 4}));
    ExpectNear(box->boundingBox.min, {-1, -2, -3});
    ExpectNear(box->boundingBox.max, {1, 2, 3});

    struct Case {
        uint32_t extra, front, back;
    } cases[] = {{ModelFlag::backToFront, 0, ModelFlag::backToFront},
                 {ModelFlag::frontToBack | ModelFlag::backToFront, ModelFlag::frontToBack, 0},
                 {0, ModelFlag::frontToBack, 0}};
    for (const Case& c : cases) {
        Model* m = Keep(manager->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, c.extra));
        EXPECT_EQ(m->flags & ModelFlag::frontToBack, c.front) << c.extra;
        EXPECT_EQ(m->flags & ModelFlag::backToFront, c.back) << c.extra;
    }
}

TEST_F(ModelTest, ClonesAreIndependentCopies)
{
    WriteModel("quad.mlf", Formats::MakeQuadModel());
    Model* prototype = Keep(manager->LoadDetachedModel("quad.mlf", 0));
    Camera* own = cameras->CreateCamera(1);
    prototype->SetWorldMatrix(Translation(1, 0, 0));
    Model* clone = Keep(manager->CloneModel(prototype, nullptr, ModelFlag::vertexColours | ModelFlag::skinned));
    EXPECT_EQ(clone->camera, cameras->defaultCamera);
    EXPECT_FALSE(clone->flags & ModelFlag::skinned); // no skeleton to copy
    ASSERT_EQ(clone->vertexBuffer->vertexSize, 36);
    clone->vertexBuffer->SetColor(Color{1, 0, 0, 1});
    EXPECT_EQ(prototype->vertexBuffer->vertexSize, 32);
    ExpectNear(Position(*clone, 3), Position(*prototype, 3));
    EXPECT_EQ(clone->worldMatrix.m[3], 1.0f);
    EXPECT_EQ(clone->shaderUser->shader, prototype->shaderUser->shader);
    clone->SetWorldMatrix(Translation(0, 5, 0));
    EXPECT_EQ(prototype->worldMatrix.m[7], 0.0f);

    prototype->camera = own;
    Model* second = Keep(manager->CloneDetachedModel(prototype));
    EXPECT_EQ(second->camera, own);
    Model* third = Keep(manager->CloneModel(prototype, cameras->defaultCamera, 0));
    EXPECT_EQ(third->camera, cameras->defaultCamera);
    EXPECT_EQ(manager->models.count, 2);
}

TEST_F(ModelTest, WorldMatrixOperations)
{
    Model* box = Keep(manager->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, 0));
    Matrix4 rotation;
    MakeRotationZMatrix(rotation, 1.5707964f);
    box->SetWorldMatrix(rotation);
    box->baseMatrix = box->worldMatrix;
    box->MultiplyWorldMatrix(Translation(10, 0, 0));
    // T × W: the translation is applied after the rotation.
    ExpectNear(TransformPoint(box->worldMatrix, {1, 0, 0}), {10, 1, 0});
    ExpectNear(box->boundingBox.centre, {10, 0, 0});
    box->RestoreBaseMatrix();
    ExpectNear(box->boundingBox.centre, {0, 0, 0});
}

TEST_F(ModelTest, EqualMaterialKeepsItsShader)
{
    Model* box = Keep(manager->CreateDetachedBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, 0));
    const Shader* before = box->shaderUser->shader;
    box->SetShaderDescriptor(ShaderDescriptor());
    EXPECT_EQ(box->shaderUser->shader, before);
    box->keepDescriptor = 1;
    ShaderDescriptor blended;
    blended.flags = shaderAlphaBlend;
    ShaderUser* user = box->shaderUser;
    box->SetShaderDescriptor(blended);
    EXPECT_EQ(box->shaderUser, user);
    ASSERT_TRUE(box->ownDescriptor);
    EXPECT_EQ(box->ownDescriptor->flags, shaderAlphaBlend);
}

TEST_F(ModelTest, SelfMadeModelsCountTheirUsedIndices)
{
    const uint32_t fontFlags = 0x148C29;
    Model* quads = Keep(manager->CreateSelfMadeModel(fontFlags, 8, 12, nullptr, nullptr));
    EXPECT_EQ(quads->name, "self_made");
    EXPECT_EQ(quads->triangleCount, 4u);
    quads->indexBuffer->usedIndexCount = 6;
    quads->UpdateTriangleCount();
    EXPECT_EQ(quads->triangleCount, 2u);
    ExpectNear(quads->boundingBox.max, {0.0001f, 0.0001f, 0.0001f});
    Model* strip = Keep(manager->CreateSelfMadeModel(ModelFlag::active, 4, 2, nullptr, nullptr));
    EXPECT_EQ(strip->triangleCount, 0u); // a strip of two indices has no triangle
}

namespace {

// A device whose next index buffer ends in a fatal error, as a corrupted memory pool would.
class FatalIndexBufferRenderSystem : public RenderSystem_D3D7 {
public:
    using RenderSystem_D3D7::RenderSystem_D3D7;
    IndexBuffer* CreateIndexBuffer(std::int32_t usage, std::uint32_t indexCount) override
    {
        if (failNext) {
            failNext = false;
            throw FatalError("index buffer pool corrupted");
        }
        return RenderSystem_D3D7::CreateIndexBuffer(usage, indexCount);
    }
    bool failNext = false;
};

class ModelFatalTest : public ModelFixture {
protected:
    std::unique_ptr<RenderSystem_D3D7> MakeRenderSystem() override
    {
        auto system = std::make_unique<FatalIndexBufferRenderSystem>(&log, &memory, config.get(), window.get());
        failing = system.get();
        return system;
    }
    FatalIndexBufferRenderSystem* failing = nullptr;
};

} // namespace

// The loaders catch every Error of the file constructor, a fatal one too, and hand back the box.
TEST_F(ModelFatalTest, AFatalErrorWhileReadingGivesTheBox)
{
    WriteModel("quad.mlf", Formats::MakeQuadModel());
    failing->failNext = true;
    Model* listed = Load("quad.mlf");
    EXPECT_TRUE(IsBox(listed));
    EXPECT_EQ(manager->models.count, 1);

    failing->failNext = true;
    Model* detached = Keep(manager->LoadDetachedModel("quad.mlf", 0));
    EXPECT_TRUE(IsBox(detached));
    EXPECT_EQ(manager->models.count, 1);

    EXPECT_FALSE(IsBox(Load("quad.mlf")));   // the same file reads once the device is well
}

// One frame played looping at a huge rate from the file: the time wraps within the frame instead of
// growing past every frame number.
TEST_F(ModelTest, OneFrameAtAHugeRateStaysOnItsFrame)
{
    Formats::ModelFile file = MorphFile();
    file.frameCount = 1;
    file.framesPerSecond = 3e38f;
    file.vertices.resize(3);
    file.boxes.resize(1);
    WriteModel("fast.mlf", file);
    Model* model = Load("fast.mlf");
    ASSERT_FALSE(IsBox(model));
    model->animationControl->loop = 1;
    model->animationControl->play = 1;
    timers.frameTime = 0.02f;
    for (int frame = 0; frame < 3; ++frame) {
        manager->Render();
        EXPECT_GE(model->animationControl->time, 0.0f);
        EXPECT_LT(model->animationControl->time, 1.0f);
        EXPECT_EQ(model->animationControl->currentFrame, 0u);
        EXPECT_TRUE(model->animationControl->play);
    }
}

#include "engine/render/Model.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VantoranEngine {

namespace {

constexpr float kSelfMadeExtent = 0.0001f;
// Vertices a model file may declare; far above anything a 16-bit index can name.
constexpr uint32_t kMaxFileVertices = 1u << 20;
// Smallest file record per bone: flag, empty name, two corners, two words.
constexpr uint64_t kMinBoneBytes = 1 + 1 + 24 + 4;
// Smallest skinned vertex record: u, v and a weight count.
constexpr uint64_t kMinSkinVertexBytes = 10;
constexpr uint64_t kVertexRecordBytes = 32;

class Reader {
public:
    Reader(FileBinary& file, const std::string& formatError) : file(file), formatError(formatError) {}

    // Refuses counts that promise more data than the file has left, before anything is allocated for them.
    void Need(uint64_t bytes) const
    {
        if (bytes > static_cast<uint64_t>(file.size - std::min(file.position, file.size)))
            Fail();
    }
    [[noreturn]] void Fail() const { throw FileError(formatError); }

    uint8_t U8() { return file.ReadU8(); }
    uint16_t U16() { return file.ReadU16(); }
    uint32_t U32() { return file.ReadU32(); }
    float F32() { return file.ReadF32(); }
    Vector3 Vec3()
    {
        Vector3 v;
        v.x = F32();
        v.y = F32();
        v.z = F32();
        return v;
    }

    FileBinary& file;

private:
    const std::string& formatError;
};

// Vertex fields inside the buffer's record: position at 0, normal at 12, u and v after the colour.
void WriteVertex(uint8_t* record, const VertexBuffer& buffer, const Vector3* position, const Vector3* normal,
                 const float* uv)
{
    if (position)
        std::memcpy(record, position, 12);
    if (normal)
        std::memcpy(record + 12, normal, 12);
    if (uv)
        std::memcpy(record + (buffer.hasColor ? 28 : 24), uv, 8);
}

void PaintWhite(VertexBuffer& buffer)
{
    if (!buffer.hasColor)
        return;
    buffer.SetColor(Color{1.0f, 1.0f, 1.0f, 1.0f});
}

} // namespace

Model::Model(const ModelServices& services, const std::string& fileName, Camera* camera, uint32_t extraFlags)
    : services(services), name(fileName)
{
    try {
        ReadFile(fileName, extraFlags);
    } catch (const FileError& error) {
        services.log->LogError(error.message);
        throw Error(error.message);
    }
    std::string materialName = fileName;
    FileManager::ChangeExtension(materialName, "srf");
    shaderUser = services.shaderManager->GetShaderFromFile(materialName);
    this->camera = CameraOrDefault(camera);
    triangleStrip = (flags & ModelFlag::triangleList) ? 0 : 1;
    boundingBox.transform = worldMatrix;
    boundingBox.Update(true);
    UpdateTriangleCount();
}

Model::Model(const Model& prototype, Camera* camera, uint32_t extraFlags)
    : services(prototype.services), name(prototype.name)
{
    // The vertex kind and the index layout come with the prototype's data and cannot be added.
    constexpr uint32_t dataFlags =
        ModelFlag::staticVertices | ModelFlag::morphFrames | ModelFlag::skinned | ModelFlag::triangleList;
    flags = prototype.flags | (extraFlags & ~dataFlags);
    if (flags == 0)
        flags = ModelFlag::defaultFlag;
    animationControl = std::make_unique<AnimationControl>(*prototype.animationControl);
    if ((flags & ModelFlag::skinned) && prototype.skeleton) {
        skeleton = std::make_unique<Skeleton>(*prototype.skeleton);
        boneKeys = prototype.boneKeys;
    }
    RenderSystem* renderSystem = services.renderSystem;
    vertexBuffer.reset(renderSystem->CreateConvertedVertexBuffer(
        flags & ModelFlag::defaultFlag, (flags & ModelFlag::vertexColours) ? 1 : 0, *prototype.vertexBuffer));
    if (flags & ModelFlag::morphFrames)
        morphVertices = prototype.morphVertices;
    else if (flags & ModelFlag::skinned)
        skinVertices = prototype.skinVertices;
    indexBuffer.reset(renderSystem->CreateConvertedIndexBuffer(flags & ModelFlag::defaultFlag, *prototype.indexBuffer));
    boundingBox = prototype.boundingBox;
    frameBoxes = prototype.frameBoxes;
    shaderUser = services.shaderManager->GetShader(*prototype.shaderUser);
    keepDescriptor = prototype.keepDescriptor;
    if (prototype.ownDescriptor)
        ownDescriptor = std::make_unique<ShaderDescriptor>(*prototype.ownDescriptor);
    if (prototype.extraShaderUser)
        extraShaderUser = services.shaderManager->GetShader(*prototype.extraShaderUser);
    this->camera = camera ? camera : (prototype.camera ? prototype.camera : CameraOrDefault(nullptr));
    worldMatrix = prototype.worldMatrix;
    boundingBox.transform = worldMatrix;
    boundingBox.Update(true);
    baseMatrix = prototype.baseMatrix;
    depth = prototype.depth;
    triangleStrip = prototype.triangleStrip;
    UpdateTriangleCount();
    deformVertices = prototype.deformVertices;
}

Model::Model(const ModelServices& services, uint32_t flags, uint32_t vertexCount, uint32_t indexCount,
             const ShaderDescriptor* descriptor, Camera* camera)
    : services(services), name("self_made"), flags(flags == 0 ? ModelFlag::defaultFlag : flags)
{
    CreateAnimation(1, 0.0f);
    const uint32_t usage = this->flags & ModelFlag::defaultFlag;
    indexBuffer.reset(services.renderSystem->CreateIndexBuffer(usage, indexCount));
    vertexBuffer.reset(services.renderSystem->CreateVertexBuffer(
        usage, (this->flags & ModelFlag::vertexColours) ? 1 : 0, vertexCount));
    shaderUser = services.shaderManager->GetShader(descriptor ? *descriptor : ShaderDescriptor());
    this->camera = CameraOrDefault(camera);
    triangleStrip = (this->flags & ModelFlag::triangleList) ? 0 : 1;
    UpdateTriangleCount();
    boundingBox.SetCorners({-kSelfMadeExtent, -kSelfMadeExtent, -kSelfMadeExtent},
                           {kSelfMadeExtent, kSelfMadeExtent, kSelfMadeExtent});
}

Model::Model(const ModelServices& services, const Vector3& min, const Vector3& max, Camera* camera,
             uint32_t extraFlags)
    : services(services), name("box"), flags(extraFlags | boxModelFlags)
{
    if (extraFlags & ModelFlag::frontToBack)
        flags &= ~ModelFlag::backToFront;
    else if (extraFlags & ModelFlag::backToFront)
        flags &= ~ModelFlag::frontToBack;
    CreateAnimation(1, 0.0f);
    const uint32_t usage = flags & ModelFlag::defaultFlag;
    vertexBuffer.reset(services.renderSystem->CreateVertexBuffer(usage, (flags & ModelFlag::vertexColours) ? 1 : 0, 24));
    indexBuffer.reset(services.renderSystem->CreateIndexBuffer(usage, 36));

    // Per face: normal, then four corners as (x, y, z) picks of min (0) or max (1), and their u, v.
    struct Face {
        Vector3 normal;
        int corners[4][3];
        float uv[4][2];
    };
    static const Face faces[6] = {
        {{0, 0, -1}, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
        {{0, 0, 1}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{0, -1, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{1, 0, 0}, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{0, 1, 0}, {{1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {1, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{-1, 0, 0}, {{0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    };
    PaintWhite(*vertexBuffer);
    auto* vertices = static_cast<uint8_t*>(vertexBuffer->Lock(0, 24));
    auto* indices = static_cast<uint16_t*>(indexBuffer->Lock(0, 36));
    for (int f = 0; f < 6; ++f) {
        for (int k = 0; k < 4; ++k) {
            const int* pick = faces[f].corners[k];
            const Vector3 position{pick[0] ? max.x : min.x, pick[1] ? max.y : min.y, pick[2] ? max.z : min.z};
            WriteVertex(vertices + static_cast<size_t>(4 * f + k) * vertexBuffer->vertexSize, *vertexBuffer,
                        &position, &faces[f].normal, faces[f].uv[k]);
        }
        const uint16_t base = static_cast<uint16_t>(4 * f);
        const uint16_t faceIndices[6] = {base, static_cast<uint16_t>(base + 1), static_cast<uint16_t>(base + 2),
                                         static_cast<uint16_t>(base + 2), static_cast<uint16_t>(base + 3), base};
        std::memcpy(indices + 6 * f, faceIndices, sizeof faceIndices);
    }
    indexBuffer->Unlock();
    vertexBuffer->Unlock();
    shaderUser = services.shaderManager->GetShader(ShaderDescriptor());
    this->camera = CameraOrDefault(camera);
    triangleStrip = 0;
    UpdateTriangleCount();
    ComputeBoundingBox(boundingBox, false);
}

Model::~Model()
{
    if (services.shaderManager) {
        services.shaderManager->ReleaseShader(shaderUser);
        services.shaderManager->ReleaseShader(extraShaderUser);
    }
}

void Model::ReadFile(const std::string& fileName, uint32_t extraFlags)
{
    const std::string formatError = "Incorrect \"" + fileName + "\" file format";
    std::unique_ptr<FileBinary> file = services.files->OpenBinary(FileManager::GetDataPath(fileName), false, false, true);
    Reader in(*file, formatError);

    const uint32_t size = in.U32();
    char magic[5];
    file->Read(5, magic);
    if (size != file->size || std::memcmp(magic, "VNMLF", 5) != 0)
        in.Fail();
    if (in.U32() != modelFileVersion)
        throw FileError("Incorrect \"" + fileName + "\" format version, current is " + std::to_string(modelFileVersion));

    flags = in.U32() | extraFlags;
    if (flags == 0)
        flags = ModelFlag::defaultFlag;
    const uint32_t vertexKinds = flags & (ModelFlag::staticVertices | ModelFlag::morphFrames | ModelFlag::skinned);
    // Two kinds would read one kind's vertices and animate them as the other.
    if (std::popcount(vertexKinds) > 1)
        in.Fail();

    uint32_t frameCount = 1;
    float framesPerSecond = 0.0f;
    if (flags & (ModelFlag::morphFrames | ModelFlag::skinned)) {
        frameCount = in.U32();
        framesPerSecond = in.F32();
        if (frameCount == 0 || !std::isfinite(framesPerSecond))
            in.Fail();
    }

    uint16_t boneCount = 0;
    if (flags & ModelFlag::skinned) {
        boneCount = in.U16();
        in.Need(boneCount * kMinBoneBytes);
        skeleton = std::make_unique<Skeleton>(services.log, services.memory, boneCount);
        for (Bone& bone : skeleton->bones) {
            bone.flag = in.U8();
            file->ReadString(bone.name);
            const Vector3 min = in.Vec3();
            const Vector3 max = in.Vec3();
            bone.box.SetCorners(min, max);
            bone.fileWords[0] = in.U16();
            bone.fileWords[1] = in.U16();
        }
        const uint64_t keyFloats = static_cast<uint64_t>(boneCount) * frameCount * boneKeyFloats;
        in.Need(keyFloats * 4);
        boneKeys.resize(keyFloats);
        for (float& value : boneKeys)
            value = in.F32();
    }

    const uint32_t indexCount = in.U32();
    const uint32_t vertexCount = in.U32();
    const bool list = (flags & ModelFlag::triangleList) != 0;
    if (!list && indexCount < 3)
        in.Fail();
    if (vertexCount > kMaxFileVertices)
        in.Fail();
    in.Need(static_cast<uint64_t>(indexCount) * (indexCount <= 65535 ? 2 : 4));
    indexBuffer.reset(services.renderSystem->CreateIndexBuffer(flags & ModelFlag::defaultFlag, indexCount));
    file->Read(static_cast<uint32_t>(indexBuffer->indices.size()), indexBuffer->Lock(0, static_cast<int32_t>(indexCount)));
    indexBuffer->Unlock();
    for (uint32_t i = 0; i < indexCount; ++i)
        if (StoredIndex(i) >= vertexCount)
            in.Fail();

    if (flags & ModelFlag::staticVertices)
        in.Need(vertexCount * kVertexRecordBytes);
    else if (flags & ModelFlag::morphFrames)
        in.Need(static_cast<uint64_t>(vertexCount) * frameCount * kVertexRecordBytes);
    else if (flags & ModelFlag::skinned)
        in.Need(vertexCount * kMinSkinVertexBytes);
    vertexBuffer.reset(services.renderSystem->CreateVertexBuffer(
        flags & ModelFlag::defaultFlag, (flags & ModelFlag::vertexColours) ? 1 : 0, vertexCount));
    PaintWhite(*vertexBuffer);

    auto readRecord = [&in](Vector3& position, Vector3& normal, float uv[2]) {
        uv[0] = in.F32();
        uv[1] = in.F32();
        normal = in.Vec3();
        position = in.Vec3();
    };
    auto* vertices = static_cast<uint8_t*>(vertexBuffer->Lock(0, static_cast<int32_t>(vertexCount)));
    if (flags & ModelFlag::staticVertices) {
        for (uint32_t v = 0; v < vertexCount; ++v) {
            Vector3 position, normal;
            float uv[2];
            readRecord(position, normal, uv);
            WriteVertex(vertices + static_cast<size_t>(v) * vertexBuffer->vertexSize, *vertexBuffer, &position, &normal, uv);
        }
    } else if (flags & ModelFlag::morphFrames) {
        morphVertices.resize(static_cast<size_t>(vertexCount) * frameCount);
        for (MorphVertex& vertex : morphVertices) {
            float uv[2];
            readRecord(vertex.position, vertex.normal, uv);
            vertex.u = uv[0];
            vertex.v = uv[1];
        }
    } else if (flags & ModelFlag::skinned) {
        skinVertices.resize(vertexCount);
        for (uint32_t v = 0; v < vertexCount; ++v) {
            float uv[2] = {in.F32(), in.F32()};
            WriteVertex(vertices + static_cast<size_t>(v) * vertexBuffer->vertexSize, *vertexBuffer, nullptr, nullptr, uv);
            SkinVertex& skin = skinVertices[v];
            skin.weightCount = in.U16();
            if (skin.weightCount > maxSkinWeights)
                in.Fail();
            for (uint16_t w = 0; w < skin.weightCount; ++w) {
                SkinWeight& weight = skin.weights[w];
                weight.bone = in.U16();
                if (weight.bone >= boneCount)
                    in.Fail();
                weight.weight = in.F32();
                weight.normal = in.Vec3();
                weight.position = in.Vec3();
            }
        }
    }
    vertexBuffer->Unlock();

    if (flags & ModelFlag::morphFrames) {
        in.Need(static_cast<uint64_t>(frameCount) * 24);
        frameBoxes.resize(frameCount);
        for (BoundingBox& box : frameBoxes) {
            const Vector3 min = in.Vec3();
            const Vector3 max = in.Vec3();
            box.SetCorners(min, max);
        }
        boundingBox = frameBoxes[0];
    } else {
        const Vector3 min = in.Vec3();
        const Vector3 max = in.Vec3();
        boundingBox.SetCorners(min, max);
    }
    file->Close();
    CreateAnimation(frameCount, framesPerSecond);
}

void Model::CreateAnimation(uint32_t frameCount, float framesPerSecond)
{
    animationControl = std::make_unique<AnimationControl>(frameCount, services.log, services.memory, services.timers);
    animationControl->speed = framesPerSecond;
}

Camera* Model::CameraOrDefault(Camera* given) const
{
    if (given)
        return given;
    return services.cameraManager ? services.cameraManager->defaultCamera : nullptr;
}

uint32_t Model::StoredIndex(uint32_t slot) const
{
    if (indexBuffer->is32Bit) {
        uint32_t index;
        std::memcpy(&index, indexBuffer->indices.data() + static_cast<size_t>(slot) * 4, 4);
        return index;
    }
    uint16_t index;
    std::memcpy(&index, indexBuffer->indices.data() + static_cast<size_t>(slot) * 2, 2);
    return index;
}

Vector3 Model::StoredPosition(uint32_t index) const
{
    Vector3 p;
    std::memcpy(&p, vertexBuffer->vertices.data() + static_cast<size_t>(index) * vertexBuffer->vertexSize, 12);
    return p;
}

void Model::SetWorldMatrix(const Matrix4& matrix)
{
    worldMatrix = matrix;
    boundingBox.transform = matrix;
    boundingBox.Update(true);
}

void Model::MultiplyWorldMatrix(const Matrix4& m)
{
    Matrix4 product;
    MultiplyMatrices(product, m, worldMatrix);
    SetWorldMatrix(product);
}

void Model::RestoreBaseMatrix() { SetWorldMatrix(baseMatrix); }

void Model::SetShaderDescriptor(const ShaderDescriptor& descriptor)
{
    if (keepDescriptor) {
        ownDescriptor = std::make_unique<ShaderDescriptor>(descriptor);
        return;
    }
    ShaderUser* old = shaderUser;
    shaderUser = services.shaderManager->GetShader(descriptor);
    services.shaderManager->ReleaseShader(old);
}

void Model::ComputeBoundingBox(BoundingBox& box, bool worldSpace) const
{
    const uint32_t used = std::min(indexBuffer->usedIndexCount, indexBuffer->indexCount);
    if (used == 0) {
        box.BuildFromPoints(0, nullptr);
        return;
    }
    MemoryBlock block(services.memory, used * 12, true);
    auto* points = reinterpret_cast<Vector3*>(block.Get());
    unsigned count = 0;
    const auto vertexCount = static_cast<uint32_t>(vertexBuffer->vertexCount);
    for (uint32_t i = 0; i < used; ++i) {
        const uint32_t index = StoredIndex(i);
        // Code-filled buffers are not checked like files: an index past the vertices names no point.
        if (index >= vertexCount)
            continue;
        const Vector3 p = StoredPosition(index);
        points[count++] = worldSpace ? TransformPoint(worldMatrix, p) : p;
    }
    box.BuildFromPoints(count, points);
}

void Model::UpdateTriangleCount()
{
    const uint32_t used = std::min(indexBuffer->usedIndexCount, indexBuffer->indexCount);
    if (triangleStrip)
        triangleCount = used >= 3 ? used - 2 : 0;
    else
        triangleCount = used / 3;
}

} // namespace VantoranEngine

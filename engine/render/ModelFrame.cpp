// The per-frame life of a model: update, draw and picking.

#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Frustum.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/LightManager.h"
#include "engine/render/Model.h"
#include "engine/render/Plane.h"
#include "engine/render/Quaternion.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cstring>

namespace VantoranEngine {

namespace {

constexpr float kSearchStart = 100000.0f;

float Lerp(float a, float b, float t) { return a * (1.0f - t) + b * t; }

Vector3 Lerp(const Vector3& a, const Vector3& b, float t)
{
    return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t), Lerp(a.z, b.z, t)};
}

Vector3 RotateVector(const Matrix4& m, const Vector3& v)
{
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[4] * v.x + m[5] * v.y + m[6] * v.z,
            m[8] * v.x + m[9] * v.y + m[10] * v.z};
}

int UvOffset(const VertexBuffer& buffer) { return buffer.hasColor ? 28 : 24; }

} // namespace

void Model::Update()
{
    if (!(flags & ModelFlag::active))
        return;

    uint32_t current = 0, next = 0;
    float blend = 0.0f;
    if (flags & (ModelFlag::morphFrames | ModelFlag::skinned)) {
        animationControl->Update();
        current = animationControl->currentFrame;
        next = animationControl->nextFrame;
        blend = animationControl->blend;
    }

    if ((flags & ModelFlag::dynamicBounds) && (flags & ModelFlag::staticVertices)) {
        ComputeBoundingBox(boundingBox, false);
        boundingBox.transform = worldMatrix;
        boundingBox.Update(true);
    }

    const uint32_t boneCount = skeleton ? static_cast<uint32_t>(skeleton->bones.size()) : 0;
    const size_t skinFrames = boneCount ? boneKeys.size() / (static_cast<size_t>(boneCount) * boneKeyFloats) : 0;
    const bool posed = (flags & ModelFlag::skinned) && skinFrames > 0;
    if (posed) {
        // Frames past the keys (a range longer than the model) hold at the last key.
        const size_t c = std::min<size_t>(current, skinFrames - 1);
        const size_t n = std::min<size_t>(next, skinFrames - 1);
        for (uint32_t i = 0; i < boneCount; ++i) {
            const float* a = &boneKeys[(c * boneCount + i) * boneKeyFloats];
            const float* b = &boneKeys[(n * boneCount + i) * boneKeyFloats];
            Bone& bone = skeleton->bones[i];
            bone.position = Lerp(Vector3{a[0], a[1], a[2]}, Vector3{b[0], b[1], b[2]}, blend);
            Slerp(bone.rotation, Quaternion{a[3], a[4], a[5], a[6]}, Quaternion{b[3], b[4], b[5], b[6]}, blend);
            bone.scale = Lerp(Vector3{a[7], a[8], a[9]}, Vector3{b[7], b[8], b[9]}, blend);
        }
        skeleton->Update();
        Vector3 min{kSearchStart, kSearchStart, kSearchStart};
        Vector3 max{-kSearchStart, -kSearchStart, -kSearchStart};
        for (const Bone& bone : skeleton->bones) {
            if (bone.flag != 0)
                continue;
            min = {std::min(min.x, bone.box.worldMin.x), std::min(min.y, bone.box.worldMin.y),
                   std::min(min.z, bone.box.worldMin.z)};
            max = {std::max(max.x, bone.box.worldMax.x), std::max(max.y, bone.box.worldMax.y),
                   std::max(max.z, bone.box.worldMax.z)};
        }
        boundingBox.SetCorners(min, max);
        boundingBox.transform = worldMatrix;
        boundingBox.Update(true);
    }

    const bool morphing = (flags & ModelFlag::morphFrames) && !frameBoxes.empty();
    if (morphing) {
        current = std::min<uint32_t>(current, static_cast<uint32_t>(frameBoxes.size() - 1));
        next = std::min<uint32_t>(next, static_cast<uint32_t>(frameBoxes.size() - 1));
        BoundingBox box;
        LerpBoundingBox(box, frameBoxes[current], frameBoxes[next], blend);
        MultiplyMatrices(box.transform, worldMatrix, box.transform);
        box.Update(true);
        boundingBox = box;
    }

    UpdateTriangleCount();
    drawnTriangleCount = triangleCount;
    if (camera && camera->frustum && !camera->frustum->IsBoxVisible(boundingBox)) {
        drawnTriangleCount = 0;
        return;
    }
    if (!(flags & ModelFlag::manualDepth) && camera)
        depth = Dot(camera->back, camera->position - boundingBox.centre);

    if (!deformVertices)
        return;
    if (morphing)
        DeformMorph(current, next, blend);
    else if (posed)
        DeformSkin();
}

void Model::DeformMorph(uint32_t current, uint32_t next, float blend)
{
    const auto vertexCount = static_cast<size_t>(vertexBuffer->vertexCount);
    if (morphVertices.size() < (static_cast<size_t>(std::max(current, next)) + 1) * vertexCount)
        return;
    auto* vertices = static_cast<uint8_t*>(vertexBuffer->Lock(0, vertexBuffer->vertexCount));
    const int uvOffset = UvOffset(*vertexBuffer);
    for (size_t v = 0; v < vertexCount; ++v) {
        const MorphVertex& a = morphVertices[current * vertexCount + v];
        const MorphVertex& b = morphVertices[next * vertexCount + v];
        uint8_t* record = vertices + v * vertexBuffer->vertexSize;
        const Vector3 position = Lerp(a.position, b.position, blend);
        const Vector3 normal = Lerp(a.normal, b.normal, blend);
        const float uv[2] = {Lerp(a.u, b.u, blend), Lerp(a.v, b.v, blend)};
        std::memcpy(record, &position, 12);
        std::memcpy(record + 12, &normal, 12);
        std::memcpy(record + uvOffset, uv, 8);
    }
    vertexBuffer->Unlock();
}

void Model::DeformSkin()
{
    const size_t count = std::min(skinVertices.size(), static_cast<size_t>(vertexBuffer->vertexCount));
    auto* vertices = static_cast<uint8_t*>(vertexBuffer->Lock(0, vertexBuffer->vertexCount));
    for (size_t v = 0; v < count; ++v) {
        const SkinVertex& skin = skinVertices[v];
        Vector3 position, normal;
        for (uint16_t j = 0; j < std::min<uint16_t>(skin.weightCount, maxSkinWeights); ++j) {
            const SkinWeight& weight = skin.weights[j];
            if (weight.bone >= skeleton->bones.size())
                continue;
            const Bone& bone = skeleton->bones[weight.bone];
            position = position + TransformPoint(bone.transformMatrix, weight.position) * weight.weight;
            normal = normal + RotateVector(bone.rotationMatrix, weight.normal) * weight.weight;
        }
        uint8_t* record = vertices + v * vertexBuffer->vertexSize;
        std::memcpy(record, &position, 12);
        std::memcpy(record + 12, &normal, 12);
    }
    vertexBuffer->Unlock();
}

void Model::Draw()
{
    if (!(flags & ModelFlag::active) || drawnTriangleCount == 0)
        return;
    RenderSystem* renderSystem = services.renderSystem;
    if (shaderUser->stageCount > renderSystem->textureUnitCount)
        return;

    CameraManager* cameras = services.cameraManager;
    const bool biased = (flags & ModelFlag::depthBiased) != 0;
    if (camera && cameras && (cameras->currentCamera != camera || cameras->currentZBiased != biased)) {
        cameras->currentCamera = camera;
        cameras->currentZBiased = biased;
        if (biased)
            camera->ApplyZBiased();
        else
            camera->Apply();
    }

    const bool lighting = (flags & ModelFlag::lit) != 0;
    if (lighting && services.lightManager)
        services.lightManager->EnableLighting(true);
    else
        renderSystem->SetLighting(lighting);
    renderSystem->SetNormalizeNormals(lighting);
    renderSystem->SetWorldMatrix(worldMatrix);
    renderSystem->SetZ((flags & ModelFlag::depthTest) != 0);
    renderSystem->SetZWrite((flags & ModelFlag::noDepthWrite) == 0);

    const bool twoSidedModel = (flags & ModelFlag::twoSided) != 0;
    for (int pass = 0; pass < (twoSidedModel ? 2 : 1); ++pass) {
        if (twoSidedModel)
            renderSystem->SetCullMode(pass == 0 ? 2 : 1);
        else
            renderSystem->SetCullMode((flags & ModelFlag::cullClockwise) ? 1 : 0);
        Shader::Apply(shaderUser->shader, shaderUser);
        renderSystem->DrawIndexedPrimitive(triangleStrip != 0, indexBuffer.get(), vertexBuffer.get(), triangleCount);
    }
}

bool Model::Pick(const Ray& segment) const
{
    if (!boundingBox.IntersectsSegment(segment))
        return false;
    Matrix4 inverse = worldMatrix;
    InvertMatrix(inverse);
    Ray local;
    TransformRay(local, inverse, segment);
    ScaleToLength(local.direction, 1.0f);

    const uint32_t used = std::min(indexBuffer->usedIndexCount, indexBuffer->indexCount);
    const auto vertexCount = static_cast<uint32_t>(vertexBuffer->vertexCount);
    for (uint32_t t = 0; t < triangleCount; ++t) {
        const uint32_t first = triangleStrip ? t : 3 * t;
        if (first + 2 >= used)
            break;
        const uint32_t i0 = StoredIndex(first), i1 = StoredIndex(first + 1), i2 = StoredIndex(first + 2);
        if (i0 >= vertexCount || i1 >= vertexCount || i2 >= vertexCount)
            continue;
        const Vector3 a = StoredPosition(i0), b = StoredPosition(i1), c = StoredPosition(i2);
        Plane plane;
        plane.FromPoints(a, b, c);
        float parameter = 0.0f;
        if (!plane.IntersectRay(local, parameter))
            continue;
        const Vector3 hit = local.origin + local.direction * parameter;
        if (PointInTriangle(plane, hit, a, b, c))
            return true;
    }
    return false;
}

} // namespace VantoranEngine

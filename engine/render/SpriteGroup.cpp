#include "engine/render/SpriteGroup.h"

#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VantoranEngine {

namespace {

constexpr int kUvOffset = 28; // u, v of a coloured vertex

void PutFloats(uint8_t* at, const float* values, int count)
{
    std::memcpy(at, values, sizeof(float) * static_cast<size_t>(count));
}

} // namespace

SpriteGroup::SpriteGroup(MessageManager* log, MemoryManager* memory, CameraManager* cameraManager,
                         ModelManager* modelManager, ShaderManager* shaderManager, uint32_t count,
                         const ShaderDescriptor* material, Camera* camera)
    : log(log), memory(memory), cameraManager(cameraManager), modelManager(modelManager),
      shaderManager(shaderManager), sprites(count), camera(camera), spriteCount(count), drawList(count, nullptr)
{
    if (!this->camera && cameraManager)
        this->camera = cameraManager->defaultCamera;
    if (modelManager) {
        model = modelManager->CreateSelfMadeModel(modelFlags, 4 * count, 6 * count, material, this->camera);
        WriteIndices(*model->indexBuffer, count);
        WriteTextureCoordinates(*model->vertexBuffer, count);
        // Nothing is drawn before the first update.
        model->indexBuffer->usedIndexCount = 0;
        model->UpdateTriangleCount();
    }
    for (uint32_t i = 0; i < count; ++i)
        freeSprites.push_back(i);
}

SpriteGroup::SpriteGroup(const SpriteGroup& other)
    : log(other.log), memory(other.memory), cameraManager(other.cameraManager), modelManager(other.modelManager),
      shaderManager(other.shaderManager), freeSprites(other.freeSprites), sprites(other.spriteCount),
      camera(other.camera), sortEnabled(other.sortEnabled), centre(other.centre), spriteCount(other.spriteCount),
      drawList(other.spriteCount, nullptr), shownWithoutModel(other.shownWithoutModel)
{
    if (other.model)
        model = modelManager->CloneModel(other.model, nullptr, 0);
    // The copy's sprites are all free, so the ones the source has in use become free slots too.
    for (uint32_t i = other.spriteCount; i-- > 0;)
        if (!other.sprites[i].free)
            freeSprites.push_front(i);
}

SpriteGroup::~SpriteGroup()
{
    if (model && modelManager->models.Remove(model))
        delete model;
}

uint32_t SpriteGroup::AddSprite(const Vector3& position, float size, const Color& colour)
{
    if (freeSprites.empty())
        return 0;
    const uint32_t index = freeSprites.back();
    freeSprites.pop_back();
    Sprite& sprite = sprites[index];
    sprite.free = 0;
    sprite.position = position;
    sprite.size = size;
    sprite.colour = colour;
    sprite.angle = 0.0f;
    return index;
}

void SpriteGroup::FreeSprite(uint32_t index)
{
    if (index >= spriteCount || sprites[index].free)
        return;
    sprites[index].free = 1;
    freeSprites.push_back(index);
}

bool SpriteGroup::IsShown() const
{
    return model ? (model->flags & ModelFlag::active) != 0 : shownWithoutModel;
}

void SpriteGroup::SetShown(bool shown)
{
    if (!model) {
        shownWithoutModel = shown;
        return;
    }
    if (shown)
        model->flags |= ModelFlag::active;
    else
        model->flags &= ~ModelFlag::active;
}

void SpriteGroup::Update()
{
    if (!model || !IsShown() || !camera)
        return;
    BuildQuads(*model->vertexBuffer, *model->indexBuffer, camera->position, camera->right, camera->up,
               camera->back);
}

void SpriteGroup::WriteIndices(IndexBuffer& indices, uint32_t count)
{
    const uint32_t pattern[6] = {0, 1, 2, 2, 1, 3};
    auto* out = static_cast<uint8_t*>(indices.Lock(0, static_cast<int32_t>(count * 6)));
    for (uint32_t i = 0; i < count; ++i) {
        for (uint32_t j = 0; j < 6; ++j) {
            const uint32_t value = 4 * i + pattern[j];
            const size_t at = (6 * static_cast<size_t>(i) + j) * static_cast<size_t>(indices.indexSize);
            if (indices.is32Bit) {
                std::memcpy(out + at, &value, 4);
            } else {
                const uint16_t narrow = static_cast<uint16_t>(value);
                std::memcpy(out + at, &narrow, 2);
            }
        }
    }
    indices.Unlock();
}

void SpriteGroup::WriteTextureCoordinates(VertexBuffer& vertices, uint32_t count)
{
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    auto* out = static_cast<uint8_t*>(vertices.Lock(0, static_cast<int32_t>(count * 4)));
    const size_t stride = vertices.vertexSize;
    const int offset = vertices.hasColor ? kUvOffset : kUvOffset - 4;
    for (uint32_t i = 0; i < count * 4; ++i)
        PutFloats(out + i * stride + static_cast<size_t>(offset), uv[i % 4], 2);
    vertices.Unlock();
}

void SpriteGroup::BuildQuads(VertexBuffer& vertices, IndexBuffer& indices, const Vector3& cameraPosition,
                             const Vector3& right, const Vector3& up, const Vector3& back)
{
    centre = Vector3{};
    drawCount = 0;
    for (Sprite& sprite : sprites) {
        if (sprite.free)
            continue;
        if (sortEnabled)
            sprite.sortKey = Dot(cameraPosition - sprite.position, back);
        drawList[drawCount++] = &sprite;
    }
    if (sortEnabled)
        std::sort(drawList.begin(), drawList.begin() + static_cast<std::ptrdiff_t>(drawCount),
                  [](const Sprite* a, const Sprite* b) { return a->sortKey > b->sortKey; });

    auto* out = static_cast<uint8_t*>(vertices.Lock(0, static_cast<int32_t>(drawCount * 4)));
    const size_t stride = vertices.vertexSize;
    for (size_t j = 0; j < drawCount; ++j) {
        const Sprite& sprite = *drawList[j];
        const Vector3& c = sprite.position;
        const float s = sprite.size;
        centre = centre + c;
        Vector3 corners[4] = {c + (-right - up) * s, c + (up - right) * s, c + (right - up) * s, c + (right + up) * s};
        if (std::fabs(sprite.angle) > minimumAngle) {
            Matrix4 turn;
            MakeRotationAxisMatrix(turn, back, sprite.angle);
            for (Vector3& corner : corners)
                corner = c + TransformPoint(turn, corner - c);
        }
        const uint32_t colour = vertices.hasColor ? vertices.PackColor(sprite.colour) : 0;
        for (int k = 0; k < 4; ++k) {
            uint8_t* vertex = out + (4 * j + static_cast<size_t>(k)) * stride;
            const float position[3] = {corners[k].x, corners[k].y, corners[k].z};
            PutFloats(vertex, position, 3);
            if (vertices.hasColor)
                std::memcpy(vertex + VertexBuffer::kColorOffset, &colour, 4);
        }
    }
    vertices.Unlock();
    if (drawCount > 0)
    {
        const float n = static_cast<float>(drawCount);
        centre = Vector3{centre.x / n, centre.y / n, centre.z / n};
    }
    indices.usedIndexCount = static_cast<uint32_t>(drawCount * 6);
    indices.rangeStale = 1;
}

} // namespace VantoranEngine

#include "engine/render/gui/GUICursor.h"

#include "engine/core/devices/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
#include "platform/window/WindowApi.h"

#include <cstring>

namespace VantoranEngine {

GUICursor::GUICursor(const GUIServices& services) : services(services)
{
}

GUICursor::GUICursor(const GUIServices& services, const ShaderDescriptor& descriptor, float size)
    : services(services)
{
    if (services.modelManager == nullptr)
        return;
    model = services.modelManager->CreateSelfMadeModel(modelFlags, 4, 4, &descriptor, services.camera);
    const float corners[4][4] = {{size, -size, 1, 0}, {size, 0, 1, 1}, {0, -size, 0, 0}, {0, 0, 0, 1}};
    VertexBuffer& vertices = *model->vertexBuffer;
    auto* bytes = static_cast<uint8_t*>(vertices.Lock(0, 4));
    for (const auto& corner : corners) {
        const float position[6] = {corner[0], corner[1], 0.0f, 0.0f, 0.0f, 1.0f};
        std::memcpy(bytes, position, sizeof(position));
        std::memcpy(bytes + VertexBuffer::kColorOffset, &corner[2], 2 * sizeof(float));
        bytes += vertices.vertexSize;
    }
    vertices.Unlock();
    auto* indices = static_cast<uint16_t*>(model->indexBuffer->Lock(0, 4));
    for (uint16_t i = 0; i < 4; ++i)
        indices[i] = i;
    model->indexBuffer->Unlock();
    model->depth = modelDepth;
    model->baseMatrix = model->worldMatrix;
}

GUICursor::~GUICursor()
{
    if (model != nullptr) {
        if (services.modelManager != nullptr)
            services.modelManager->models.Remove(model);
        delete model;
    }
}

void GUICursor::Update()
{
    const Window* window = services.window;
    if (window == nullptr || services.camera == nullptr || window->width == 0 || window->height == 0)
        return;
    Platform::POINT point{0, 0};
    Platform::GetCursorPos(&point);
    Platform::ScreenToClient(window->hwnd, &point);
    const auto width = static_cast<float>(window->width);
    const auto height = static_cast<float>(window->height);
    position.x = static_cast<float>(point.x) / width * services.camera->orthoWidth;
    position.y = (height - static_cast<float>(point.y) - 1.0f) / height * services.camera->orthoHeight;
}

void GUICursor::Render()
{
    if (model == nullptr)
        return;
    model->RestoreBaseMatrix();
    Matrix4 translation;
    MakeTranslationMatrix(translation, Vector3{position.x, position.y, 0.0f});
    model->MultiplyWorldMatrix(translation);
    model->flags = shown ? model->flags | ModelFlag::active : model->flags & ~ModelFlag::active;
}

} // namespace VantoranEngine

#include "engine/render/CameraManager.h"

#include "engine/core/devices/Window.h"
#include "engine/render/RenderSystem.h"

#include <cmath>

namespace VantoranEngine {

CameraManager::CameraManager(MessageManager* log_, MemoryManager* memory_, Window* window_,
                             RenderSystem* renderSystem_)
    : log(log_), memory(memory_), window(window_), renderSystem(renderSystem_)
{
    defaultCamera = CreateCamera(Camera::Perspective);
}

CameraManager::~CameraManager()
{
    DeleteCamera(defaultCamera);
    cameras.Clear();
}

void CameraManager::Update()
{
    viewportX = 0;
    viewportY = 0;
    viewportWidth = window->width;
    viewportHeight = window->height;
    const float aspect =
        viewportHeight != 0 ? static_cast<float>(viewportWidth) / static_cast<float>(viewportHeight) : 1.0f;
    for (Camera* camera : cameras)
        camera->UpdateMatrices(aspect);
    currentCamera = nullptr;
}

Camera* CameraManager::CreateCamera(int32_t projectionType)
{
    Camera* camera = renderSystem->CreateCamera(static_cast<uint32_t>(projectionType));
    cameras.Add(camera);
    return camera;
}

void CameraManager::DeleteCamera(Camera* camera)
{
    // Forget the camera first: a new camera at the same address must not look applied already.
    if (currentCamera == camera)
        currentCamera = nullptr;
    if (defaultCamera == camera)
        defaultCamera = nullptr;
    cameras.Remove(camera);
}

Vector3 CameraManager::Unproject(const Camera& camera, const Vector3& screen) const
{
    Matrix4 inverse;
    MultiplyMatrices(inverse, camera.view, camera.projection);
    InvertMatrix(inverse);
    TransposeMatrix(inverse);

    const float ndc[4] = {
        (screen.x - static_cast<float>(viewportX)) * 2.0f / static_cast<float>(viewportWidth) - 1.0f,
        (screen.y - static_cast<float>(viewportY)) * 2.0f / static_cast<float>(viewportHeight) - 1.0f,
        screen.z * 2.0f - 1.0f,
        1.0f,
    };
    float r[4];
    TransformVector4(r, inverse, ndc);
    if (std::fabs(r[3]) < 0.0001f)
        return {0.0f, 0.0f, 0.0f};
    return {r[0] / r[3], r[1] / r[3], r[2] / r[3]};
}

} // namespace VantoranEngine

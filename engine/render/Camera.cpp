#include "engine/render/Camera.h"

namespace VantoranEngine {

Camera::Camera(int32_t type) : projectionType(type), frustum(new Frustum) {}

Camera::~Camera()
{
    delete frustum;
}

void Camera::UpdateMatrices(float)
{
    right = {view[0], view[4], view[8]};
    up = {view[1], view[5], view[9]};
    back = {view[2], view[6], view[10]};
    ScaleToLength(back, 1.0f);
    frustum->UpdatePlanes(projection, view);
}

void Camera::Apply() {}

void Camera::ApplyZBiased() {}

void Camera::SetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height)
{
    viewportX = x;
    viewportY = y;
    viewportWidth = width;
    viewportHeight = height;
}

} // namespace VantoranEngine

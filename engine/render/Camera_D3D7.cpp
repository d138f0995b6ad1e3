#include "engine/render/Camera_D3D7.h"

#include "engine/core/Error.h"
#include "engine/render/RenderSystem_D3D7.h"

#include <cmath>
#include <cstring>

namespace VantoranEngine {

namespace {

constexpr float kAspect = 1.3333334f;  // always 4:3, whatever the window
constexpr float kPi = 3.1415927f;

void Zero(Matrix4& m)
{
    for (float& e : m.m)
        e = 0.0f;
}

Platform::D3DMATRIX ToDevice(const Matrix4& m)
{
    Platform::D3DMATRIX out;
    static_assert(sizeof(out) == sizeof(m.m));
    std::memcpy(&out, m.m, sizeof(m.m));
    return out;
}

} // namespace

Camera_D3D7::Camera_D3D7(RenderSystem_D3D7* owner, uint32_t type)
    : Camera(static_cast<int32_t>(type)), renderSystem(owner)
{
}

void Camera_D3D7::BuildPerspective()
{
    const float n = nearClip;
    const float f = farClip;
    const float theta = static_cast<float>(static_cast<double>(fieldOfView) * static_cast<double>(kAspect) *
                                           static_cast<double>(kPi) * 0.5 / 360.0);
    const float top = std::tan(theta) * n;
    const float bottom = -top;
    const float left = bottom * kAspect;
    const float right = top * kAspect;

    Zero(deviceProjection);
    deviceProjection[0] = 2.0f * n / (right - left);
    deviceProjection[5] = 2.0f * n / (top - bottom);
    deviceProjection[8] = (right + left) / (left - right);
    deviceProjection[9] = (top + bottom) / (bottom - top);
    deviceProjection[10] = f / (f - n);
    deviceProjection[11] = 1.0f;
    deviceProjection[14] = n * f / (n - f);

    const float biasedFar = f + 1.0f;
    zBiasedProjection = deviceProjection;
    zBiasedProjection[10] = biasedFar / (biasedFar - n);
    zBiasedProjection[14] = n * biasedFar / (n - biasedFar);
    deviceZBiasedProjection = zBiasedProjection;

    Zero(projection);
    projection[0] = 2.0f * n / (right - left);
    projection[5] = 2.0f * n / (top - bottom);
    projection[8] = (right + left) / (right - left);
    projection[9] = (top + bottom) / (top - bottom);
    projection[10] = -(n + f) / (f - n);
    projection[11] = -1.0f;
    projection[14] = -2.0f * n * f / (f - n);
}

void Camera_D3D7::BuildOrthographic()
{
    const float n = nearClip;
    const float f = farClip;
    const float w = orthoWidth;
    const float h = orthoHeight;

    Zero(deviceProjection);
    deviceProjection[0] = 2.0f / w;
    deviceProjection[5] = 2.0f / h;
    deviceProjection[10] = 1.0f / (n - f);
    deviceProjection[12] = -1.0f;
    deviceProjection[13] = -1.0f;
    deviceProjection[14] = n / (n - f);
    deviceProjection[15] = 1.0f;

    const float biasedFar = f + 1.0f;
    zBiasedProjection = deviceProjection;
    zBiasedProjection[10] = 1.0f / (n - biasedFar);
    zBiasedProjection[14] = n / (n - biasedFar);
    deviceZBiasedProjection = zBiasedProjection;

    Zero(projection);
    projection[0] = 2.0f / w;
    projection[5] = 2.0f / h;
    projection[10] = -2.0f / (f - n);
    projection[12] = -1.0f;
    projection[13] = -1.0f;
    projection[14] = -(n + f) / (f - n);
    projection[15] = 1.0f;
}

void Camera_D3D7::BuildView()
{
    // A world point moves by -position, turns by angleZ about z, then by -angleX about x.
    Matrix4 rotation;
    SetIdentityMatrix(view);
    MakeRotationXMatrix(rotation, -angleX);
    MultiplyMatrices(view, view, rotation);
    MakeRotationZMatrix(rotation, angleZ);
    MultiplyMatrices(view, view, rotation);
    TranslateMatrix(-position, view);
    TransposeMatrix(view);
}

void Camera_D3D7::UpdateMatrices(float aspect)
{
    if (projectionType == Perspective)
        BuildPerspective();
    else
        BuildOrthographic();
    BuildView();

    // The viewport covers the back buffer, whose size follows the video mode across resets.
    const uint32_t width = renderSystem->backBufferDesc.dwWidth;
    const uint32_t height = renderSystem->backBufferDesc.dwHeight;
    if (width != 0 && height != 0)
        SetViewport(0, 0, width, height);

    Camera::UpdateMatrices(aspect);
}

void Camera_D3D7::Apply()
{
    Platform::IDirect3DDevice7* device = renderSystem->device;
    Platform::D3DVIEWPORT7 viewport{};
    viewport.dwX = viewportX;
    viewport.dwY = viewportY;
    viewport.dwWidth = viewportWidth;
    viewport.dwHeight = viewportHeight;
    viewport.dvMinZ = 0.0f;
    viewport.dvMaxZ = 1.0f;
    if (device->SetViewport(&viewport) != Platform::DD_OK)
        throw Error("Failed to set viewport");

    Platform::D3DMATRIX matrix = ToDevice(deviceProjection);
    renderSystem->CheckResult("Camera_D3D7::Apply",
                              device->SetTransform(Platform::D3DTRANSFORMSTATE_PROJECTION, &matrix));
    renderSystem->SetViewMatrix(view);
}

void Camera_D3D7::ApplyZBiased()
{
    Platform::D3DMATRIX matrix = ToDevice(deviceZBiasedProjection);
    renderSystem->CheckResult("Camera_D3D7::ApplyZBiased",
                              renderSystem->device->SetTransform(Platform::D3DTRANSFORMSTATE_PROJECTION, &matrix));
    renderSystem->SetViewMatrix(view);
}

} // namespace VantoranEngine

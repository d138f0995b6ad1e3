#pragma once
// A camera: settings (projection kind, clip distances, field of view or orthographic size, two angles,
// a position) turned into a view matrix, projections, direction vectors and a frustum.
//
// Conventions: view space is right-handed, x right, y up, the camera looks along -z (-back). The view
// and the engine projection are kept in the row-vector layout (the transpose of Matrix4's column-vector
// convention): a point p goes through p * view * projection. The engine projection maps depth to -w..+w;
// the device projections of a derived camera map it to 0..1.
//
// Callers change the settings by writing the fields; the next UpdateMatrices applies them. Cameras are
// made and deleted only by the CameraManager. Main thread only.

#include "engine/render/Frustum.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Vector3.h"

#include <cstdint>

namespace VantoranEngine {

class Camera {
public:
    enum ProjectionType { Perspective = 0, Orthographic = 1 };  // any value but 0 is orthographic

    explicit Camera(int32_t projectionType);
    virtual ~Camera();

    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Derives right, up, back and the frustum from view and projection. Derived cameras rebuild the
    // matrices first. aspect (client width / height) is not used: the projection is always 4:3.
    virtual void UpdateMatrices(float aspect);
    // Hands viewport, projection and view to the device; throws Error "Failed to set viewport".
    virtual void Apply();
    // Like Apply with the far distance moved out by 1 and without the viewport.
    virtual void ApplyZBiased();
    // Pixels of the render target; takes effect at the next Apply.
    virtual void SetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height);

    int32_t projectionType;
    float nearClip = 1.0f;
    float farClip = 1000.0f;
    float fieldOfView = 90.0f;  // degrees; the vertical opening is two thirds of it
    float orthoWidth = 1.0f;
    float orthoHeight = 1.0f;
    float angleX = 0.0f;  // radians, about x
    float angleZ = 0.0f;  // radians, about z
    Vector3 position;
    Matrix4 projection;         // engine projection, row-vector layout
    Matrix4 zBiasedProjection;  // device projection with far + 1
    Matrix4 view;               // row-vector layout
    Vector3 right;              // view x in world coordinates, not normalised
    Vector3 up;                 // view y in world coordinates, not normalised
    Vector3 back;               // view z in world coordinates, unit length
    uint32_t viewportX = 0;
    uint32_t viewportY = 0;
    uint32_t viewportWidth = 800;
    uint32_t viewportHeight = 600;
    Frustum* frustum;  // owned
};

} // namespace VantoranEngine

#pragma once
// Owns every camera, recomputes them once per frame, remembers the camera that a model draw applied
// last, and maps screen points back into the world for picking. Main thread only.
//
// Cameras sit in a slot table: the most recently freed slot is reused first, and the per-frame walk
// runs in creation order. Callers hold camera pointers and hand them back to DeleteCamera.

#include "engine/core/HandleTable.h"
#include "engine/render/Camera.h"
#include "engine/render/Vector3.h"

#include <cstdint>

namespace VantoranEngine {

class MessageManager;
class MemoryManager;
class RenderSystem;
class Window;

class CameraManager {
public:
    // Creates the default perspective camera. The viewport is set by the first Update.
    CameraManager(MessageManager* log, MemoryManager* memory, Window* window, RenderSystem* renderSystem);
    // Deletes the default camera, then the others in creation order.
    virtual ~CameraManager();

    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;

    // Once per frame before anything is drawn: viewport := the window's client area, every camera's
    // UpdateMatrices in creation order, and no camera counts as applied any more.
    void Update();

    // A new camera of the kind (0 perspective, anything else orthographic), owned by the manager.
    Camera* CreateCamera(int32_t projectionType);
    // Deletes one of the manager's cameras; null or a camera the manager does not hold does nothing.
    void DeleteCamera(Camera* camera);

    // The world point under screen position (x, y in client pixels from the bottom-left corner, z the
    // depth: 0 the near plane, 1 the far plane), through camera's view and engine projection. (0, 0, 0)
    // when the point lies at infinity (|w| < 0.0001).
    Vector3 Unproject(const Camera& camera, const Vector3& screen) const;

    // Every camera, the default one included, in per-frame order.
    const HandleTable<Camera>& Cameras() const { return cameras; }

    MessageManager* log;
    MemoryManager* memory;
    Window* window;
    RenderSystem* renderSystem;
    uint32_t viewportX = 0;
    uint32_t viewportY = 0;
    uint32_t viewportWidth = 0;
    uint32_t viewportHeight = 0;

    Camera* defaultCamera = nullptr;
    Camera* currentCamera = nullptr;  // last applied by a model draw, or none
    bool currentZBiased = false;      // whether currentCamera was applied z-biased

private:
    HandleTable<Camera> cameras;
};

} // namespace VantoranEngine

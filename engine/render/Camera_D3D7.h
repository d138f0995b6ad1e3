#pragma once
// A camera bound to the Direct3D 7 device of the render system that made it. Besides the engine
// projection it keeps two device projections (depth 0..1 for a view whose z the render system negates),
// one with the far distance moved out by 1 for z-biased drawing. The device pointer is read at each use,
// so a device re-created by a reset is picked up; the viewport follows the back buffer's size.

#include "engine/render/Camera.h"

namespace VantoranEngine {

class RenderSystem_D3D7;

class Camera_D3D7 : public Camera {
public:
    Camera_D3D7(RenderSystem_D3D7* renderSystem, uint32_t projectionType);

    // Rebuilds view and projections from the settings, takes the viewport from the current back buffer,
    // then derives the direction vectors and the frustum.
    void UpdateMatrices(float aspect) override;
    void Apply() override;
    void ApplyZBiased() override;

    RenderSystem_D3D7* renderSystem;
    Matrix4 deviceProjection;
    Matrix4 deviceZBiasedProjection;

private:
    void BuildPerspective();
    void BuildOrthographic();
    void BuildView();
};

} // namespace VantoranEngine

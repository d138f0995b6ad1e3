#include "engine/render/Light_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"

#include <cmath>
#include <limits>

namespace VantoranEngine {

namespace {

Platform::D3DCOLORVALUE ToDevice(const Color& c)
{
    Platform::D3DCOLORVALUE out{};
    out.r = c.r;
    out.g = c.g;
    out.b = c.b;
    out.a = c.a;
    return out;
}

Platform::D3DVECTOR ToDevice(const Vector3& v)
{
    Platform::D3DVECTOR out{};
    out.x = v.x;
    out.y = v.y;
    out.z = v.z;
    return out;
}

} // namespace

Light_D3D7::Light_D3D7(RenderSystem_D3D7* owner, uint32_t index_)
    : Light(owner->log, owner->memory, index_), renderSystem(owner)
{
}

Light_D3D7::~Light_D3D7()
{
    Disable();
}

void Light_D3D7::Disable()
{
    if (renderSystem->device == nullptr)
        return;
    renderSystem->CheckResult("Light_D3D7::DisableLight", renderSystem->device->LightEnable(index, 0));
}

void Light_D3D7::Refresh()
{
    if (!enabled) {
        Disable();
        return;
    }
    Platform::IDirect3DDevice7* device = renderSystem->device;
    if (device == nullptr)
        return;

    Platform::D3DLIGHT7 light{};
    light.dvRange = std::sqrt(std::numeric_limits<float>::max());  // the device's largest range
    light.dcvAmbient = ToDevice(ambient);
    light.dcvDiffuse = ToDevice(diffuse);
    light.dcvSpecular = ToDevice(specular);
    switch (type) {
    case Directional:
        light.dltType = Platform::D3DLIGHT_DIRECTIONAL;
        light.dvDirection = ToDevice(direction);
        break;
    case Spot:
        light.dltType = Platform::D3DLIGHT_SPOT;
        light.dvPosition = ToDevice(position);
        light.dvDirection = ToDevice(direction);
        light.dvAttenuation0 = attenuation0;
        light.dvAttenuation1 = attenuation1;
        light.dvAttenuation2 = attenuation2;
        light.dvTheta = coneAngle;
        light.dvPhi = coneAngle;
        light.dvFalloff = 1.0f;
        break;
    case Point:
        light.dltType = Platform::D3DLIGHT_POINT;
        light.dvPosition = ToDevice(position);
        light.dvAttenuation0 = attenuation0;
        light.dvAttenuation1 = attenuation1;
        light.dvAttenuation2 = attenuation2;
        break;
    default:
        break;
    }
    renderSystem->CheckResult("Light_D3D7::Refresh", device->SetLight(index, &light));
    renderSystem->CheckResult("Light_D3D7::Refresh", device->LightEnable(index, 1));
}

} // namespace VantoranEngine

#include "engine/render/gui/GUICursor.h"

#include "engine/core/devices/Window.h"
#include "engine/render/Camera.h"
#include "platform/window/WindowApi.h"

namespace VantoranEngine {

GUICursor::GUICursor(const GUIServices& services) : services(services)
{
}

GUICursor::~GUICursor() = default;

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
}

} // namespace VantoranEngine

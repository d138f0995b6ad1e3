#include "GuiPointer.h"

#include "platform/window/WindowTest.h"

#include <cmath>
#include <utility>

GuiPointer::GuiPointer(std::function<void()> tick, std::function<VantoranEngine::Vector2()> cursor)
    : tick(std::move(tick)), cursor(std::move(cursor))
{
}

void GuiPointer::MoveTo(float x, float y)
{
    if (scaleX == 0.0f || scaleY == 0.0f) {
        Platform::Test::InjectMouseMotion(0, 0, 0, 0);
        tick();
        const VantoranEngine::Vector2 origin = cursor();
        Platform::Test::InjectMouseMotion(500, 400, 0, 0);
        tick();
        const VantoranEngine::Vector2 far = cursor();
        originX = origin.x;
        originY = origin.y;
        scaleX = (far.x - origin.x) / 500.0f;
        scaleY = (far.y - origin.y) / 400.0f;
    }
    Platform::Test::InjectMouseMotion(static_cast<int>(std::lround((x - originX) / scaleX)),
                                      static_cast<int>(std::lround((y - originY) / scaleY)), 0, 0);
}

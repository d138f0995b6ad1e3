#pragma once
// Moves the game's real pointer to a point given in GUI units (y up) by injected mouse motion, as a player's
// hand would. The map from GUI units to window pixels (y down) is measured once, from where two pointer
// positions land, so it holds for any window size and scaling.

#include "engine/render/Vector2.h"

#include <functional>

class GuiPointer {
public:
    // tick runs one frame of the game; cursor reads where the GUI sees the pointer.
    GuiPointer(std::function<void()> tick, std::function<VantoranEngine::Vector2()> cursor);

    void MoveTo(float x, float y);

private:
    std::function<void()> tick;
    std::function<VantoranEngine::Vector2()> cursor;
    float originX = 0.0f, originY = 0.0f;
    float scaleX = 0.0f, scaleY = 0.0f;
};

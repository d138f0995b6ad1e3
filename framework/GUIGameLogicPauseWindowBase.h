#pragma once
// Base of the pause overlay of a level.
// Window contract as in GUILogosWindowBase.h; Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIGameLogicPauseWindowBase {
public:
    explicit GUIGameLogicPauseWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIGameLogicPauseWindowBase();

    GUIGameLogicPauseWindowBase(const GUIGameLogicPauseWindowBase&) = delete;
    GUIGameLogicPauseWindowBase& operator=(const GUIGameLogicPauseWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t result = 0; // 1 resume
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

#pragma once
// Base of the dialog that asks whether to leave the level.
// Window contract as in GUILogosWindowBase.h; Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIGameLogicExitWindowBase {
public:
    explicit GUIGameLogicExitWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIGameLogicExitWindowBase();

    GUIGameLogicExitWindowBase(const GUIGameLogicExitWindowBase&) = delete;
    GUIGameLogicExitWindowBase& operator=(const GUIGameLogicExitWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t result = 0; // 1 back to the in-level menu, 2 leave
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

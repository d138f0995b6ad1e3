#pragma once
// Base of the game-over overlay.
// Window contract as in GUILogosWindowBase.h; Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIGameOverWindowBase {
public:
    explicit GUIGameOverWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIGameOverWindowBase();

    GUIGameOverWindowBase(const GUIGameOverWindowBase&) = delete;
    GUIGameOverWindowBase& operator=(const GUIGameOverWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t result = 0; // 1 go on
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

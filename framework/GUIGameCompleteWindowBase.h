#pragma once
// Base of the game-complete overlay.
// Window contract as in GUILogosWindowBase.h; Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIGameCompleteWindowBase {
public:
    explicit GUIGameCompleteWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIGameCompleteWindowBase();

    GUIGameCompleteWindowBase(const GUIGameCompleteWindowBase&) = delete;
    GUIGameCompleteWindowBase& operator=(const GUIGameCompleteWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t result = 0; // 1 go on
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

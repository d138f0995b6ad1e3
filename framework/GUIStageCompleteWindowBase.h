#pragma once
// Base of the stage-complete overlay.
// Window contract as in GUILogosWindowBase.h; Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIStageCompleteWindowBase {
public:
    explicit GUIStageCompleteWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIStageCompleteWindowBase();

    GUIStageCompleteWindowBase(const GUIStageCompleteWindowBase&) = delete;
    GUIStageCompleteWindowBase& operator=(const GUIStageCompleteWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t result = 0; // 1 go on
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

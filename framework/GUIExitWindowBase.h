#pragma once
// Base of the exit dialog. Window contract as in GUILogosWindowBase.h.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIExitWindowBase {
public:
    explicit GUIExitWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIExitWindowBase();

    GUIExitWindowBase(const GUIExitWindowBase&) = delete;
    GUIExitWindowBase& operator=(const GUIExitWindowBase&) = delete;

    virtual void Update();
    // returnCode: the result to hand back when the player declines (1 back to the welcome dialog, 2 back
    // to the main menu, 3 back to a new profile).
    virtual void Show(int32_t returnCode);
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t returnCode = 0;
    int32_t result = 0; // the return code when the player declines, 4 quit the game
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

#pragma once
// Base of the logos screen shown at start-up.
// The window contract (every window base but the cursor's):
// - Update runs once per tick, visible or not; the base's part clears the result code. The game window
//   sets the code in its own Update when the player chooses, and the game object acts on it in the next
//   transition pass, then sets it back to 0.
// - The game object alone shows and hides windows. A game window's Show and Hide call the base's, which
//   keep `shown`; a result is acted on only while its window is shown, so a click during a fade-out
//   never acts twice.
// Show and Hide of this base do nothing else.

#include <cstdint>

namespace VantoranEngine {
class Engine;
class MessageManager;
class TimerManager;
}

namespace GameFramework {

class GUILogosWindowBase {
public:
    explicit GUILogosWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUILogosWindowBase();

    GUILogosWindowBase(const GUILogosWindowBase&) = delete;
    GUILogosWindowBase& operator=(const GUILogosWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    VantoranEngine::MessageManager* log;
    VantoranEngine::TimerManager* timers;
    int32_t result = 0; // 1 the logos have ended
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

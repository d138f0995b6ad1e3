#pragma once
// Base of the main menu.
// Window contract as in GUILogosWindowBase.h; Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIMainMenuWindowBase {
public:
    explicit GUIMainMenuWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIMainMenuWindowBase();

    GUIMainMenuWindowBase(const GUIMainMenuWindowBase&) = delete;
    GUIMainMenuWindowBase& operator=(const GUIMainMenuWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t result = 0; // 1 profiles, 2 play, 3 high scores, 4 options, 5 exit, 6 credits
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

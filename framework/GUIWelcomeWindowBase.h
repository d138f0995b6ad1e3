#pragma once
// Base of the welcome dialog of a first run (no profile yet). Window contract as in GUILogosWindowBase.h;
// Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class ProfileManagerBase;

class GUIWelcomeWindowBase {
public:
    GUIWelcomeWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles);
    virtual ~GUIWelcomeWindowBase();

    GUIWelcomeWindowBase(const GUIWelcomeWindowBase&) = delete;
    GUIWelcomeWindowBase& operator=(const GUIWelcomeWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    ProfileManagerBase* profiles;
    int32_t result = 0; // 1 to the main menu, 2 to the exit dialog
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

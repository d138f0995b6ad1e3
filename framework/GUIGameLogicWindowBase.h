#pragma once
// Base of the in-level panel. Window contract as in GUILogosWindowBase.h. While shown it keeps the running
// level and the profile that plays it; the game object makes it inactive while the level is paused behind
// another window.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GameLogicBase;
class ProfileBase;
class ProfileManagerBase;

class GUIGameLogicWindowBase {
public:
    GUIGameLogicWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles);
    virtual ~GUIGameLogicWindowBase();

    GUIGameLogicWindowBase(const GUIGameLogicWindowBase&) = delete;
    GUIGameLogicWindowBase& operator=(const GUIGameLogicWindowBase&) = delete;

    virtual void Update();
    // Keeps the running level and the profile manager's current profile.
    virtual void Show(GameLogicBase* level);
    // Forgets both.
    virtual void Hide();
    // false while the level is paused behind another window, true in play.
    virtual void SetActive(bool active);

    VantoranEngine::Engine* engine;
    ProfileManagerBase* profiles;
    ProfileBase* profile = nullptr; // not owned
    GameLogicBase* level = nullptr; // not owned
    bool active = false;
    int32_t result = 0; // 1 pause, 2 the in-level menu
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

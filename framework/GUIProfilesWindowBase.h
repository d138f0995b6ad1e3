#pragma once
// Base of the profile list dialog. Window contract as in GUILogosWindowBase.h; Show and Hide of this base
// do nothing. The game window keeps the name of the profile the player picked in selectedProfileName; the
// game object hands it to the rename and delete dialogs.

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class ProfileManagerBase;

class GUIProfilesWindowBase {
public:
    GUIProfilesWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles);
    virtual ~GUIProfilesWindowBase();

    GUIProfilesWindowBase(const GUIProfilesWindowBase&) = delete;
    GUIProfilesWindowBase& operator=(const GUIProfilesWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    ProfileManagerBase* profiles;
    int32_t result = 0; // 1 new profile, 2 rename, 3 delete, 4 back to the main menu
    bool shown = false; // between the base's Show and Hide
    std::u16string selectedProfileName;
};

} // namespace GameFramework

#pragma once
// Base of the dialog that confirms deleting a profile. Window contract as in GUILogosWindowBase.h.

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class ProfileManagerBase;

class GUIDeleteProfileWindowBase {
public:
    GUIDeleteProfileWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles);
    virtual ~GUIDeleteProfileWindowBase();

    GUIDeleteProfileWindowBase(const GUIDeleteProfileWindowBase&) = delete;
    GUIDeleteProfileWindowBase& operator=(const GUIDeleteProfileWindowBase&) = delete;

    virtual void Update();
    // Keeps a copy of the name of the profile to delete.
    virtual void Show(const std::u16string& name);
    virtual void Hide();

    VantoranEngine::Engine* engine;
    ProfileManagerBase* profiles;
    std::u16string profileName;
    int32_t result = 0; // 1 back to the profiles, 2 the last profile is gone: a new profile
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

#pragma once
// Base of the dialog that gives a profile a new name. Window contract as in GUILogosWindowBase.h.

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class ProfileManagerBase;

class GUIRenameProfileWindowBase {
public:
    GUIRenameProfileWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles);
    virtual ~GUIRenameProfileWindowBase();

    GUIRenameProfileWindowBase(const GUIRenameProfileWindowBase&) = delete;
    GUIRenameProfileWindowBase& operator=(const GUIRenameProfileWindowBase&) = delete;

    virtual void Update();
    // takeName set: name is the profile to rename; clear (back from a name conflict): keep the one kept.
    virtual void Show(bool takeName, const std::u16string& name);
    virtual void Hide();

    // True without any change when the new name differs from the old one only in letter case; false when
    // another profile has the new name; otherwise renames the profile and returns true.
    bool RenameProfile(const std::u16string& newName);

    VantoranEngine::Engine* engine;
    ProfileManagerBase* profiles;
    std::u16string oldProfileName;
    int32_t result = 0; // 1 the name is taken, 2 back to the profiles
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

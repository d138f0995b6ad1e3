#pragma once
// Base of the dialog that asks for a new profile's name. Window contract as in GUILogosWindowBase.h.

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class ProfileManagerBase;

class GUINewProfileWindowBase {
public:
    // Where the dialog was opened from; the game window reads it, the base ignores it.
    enum class Mode : int32_t {
        BackFromConflict = 0, // back from the name-conflict dialog: keep what was typed
        Fresh = 1,            // from the profile list or the delete dialog
    };

    GUINewProfileWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles);
    virtual ~GUINewProfileWindowBase();

    GUINewProfileWindowBase(const GUINewProfileWindowBase&) = delete;
    GUINewProfileWindowBase& operator=(const GUINewProfileWindowBase&) = delete;

    virtual void Update();
    virtual void Show(Mode mode);
    virtual void Hide();

    // Creates the profile, makes it current and saves the manager file. False, changing nothing, when a
    // profile of that name exists or the manager refuses the name.
    bool CreateProfile(const std::u16string& name);

    VantoranEngine::Engine* engine;
    ProfileManagerBase* profiles;
    int32_t result = 0; // 1 the name is taken, 2 back to the profiles, 3 to the exit dialog
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

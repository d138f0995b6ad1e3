#pragma once
// Base of the dialog that tells the player a profile name is taken. Window contract as in
// GUILogosWindowBase.h.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIProfileNameConflictWindowBase {
public:
    // What the player was doing when the name clashed.
    enum class Mode : int32_t {
        None = 0,
        NewName = 1,
        Rename = 2,
    };

    explicit GUIProfileNameConflictWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIProfileNameConflictWindowBase();

    GUIProfileNameConflictWindowBase(const GUIProfileNameConflictWindowBase&) = delete;
    GUIProfileNameConflictWindowBase& operator=(const GUIProfileNameConflictWindowBase&) = delete;

    virtual void Update();
    virtual void Show(Mode mode);
    virtual void Hide();

    VantoranEngine::Engine* engine;
    Mode mode = Mode::None;
    int32_t result = 0; // 1 back to the new-profile dialog, 2 back to the rename dialog
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

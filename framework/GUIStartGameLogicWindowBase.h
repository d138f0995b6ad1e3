#pragma once
// Base of the stage screen, the calendar between the menus and a level. Window contract as in
// GUILogosWindowBase.h.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIStartGameLogicWindowBase {
public:
    // Where the stage screen was opened from; the game object reads it together with the result.
    enum class Mode : int32_t {
        None = 0,
        NewGame = 1,       // from the main menu
        Continue = 2,      // from the continue dialog
        NextLevel = 3,     // after a level that was not its stage's last: start the next one at once
        StageComplete = 4, // after the stage-complete window
        ComicsEnded = 5,   // set by the screen itself when the intro comics ends
    };

    explicit GUIStartGameLogicWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIStartGameLogicWindowBase();

    GUIStartGameLogicWindowBase(const GUIStartGameLogicWindowBase&) = delete;
    GUIStartGameLogicWindowBase& operator=(const GUIStartGameLogicWindowBase&) = delete;

    virtual void Update();
    virtual void Show(Mode mode);
    virtual void Hide();

    VantoranEngine::Engine* engine;
    Mode mode = Mode::None;
    int32_t result = 0; // 1 back to the main menu, 2 start the level of the profile's current position
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

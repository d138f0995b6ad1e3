#pragma once
// PanelSlide: the slide of the in-level panel's parts (the conveyor belts or the clock, the scissors) out
// of the screen while the level pauses and back when it resumes. The offset is 0 when shown and the
// hidden offset (negative, units) when hidden; it moves by the slide speed (units per second).

namespace Petalwork {

enum class PanelState : int {
    Shown = 0,
    SlidingIn = 1,
    Hidden = 2,
    SlidingOut = 3,
};

class PanelSlide {
public:
    // Starts hidden and sliding in.
    PanelSlide(float hiddenOffset, float speed);

    // One frame of the slide; false while (or once) hidden.
    bool Update(float dt);

    PanelState state = PanelState::SlidingIn;
    float offset = 0.0f;
    float hiddenOffset = 0.0f;
    float speed = 0.0f;
};

} // namespace Petalwork

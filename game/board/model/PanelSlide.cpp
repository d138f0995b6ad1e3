#include "game/board/model/PanelSlide.h"

namespace Petalwork {

PanelSlide::PanelSlide(float hidden, float slideSpeed) : offset(hidden), hiddenOffset(hidden), speed(slideSpeed)
{
}

bool PanelSlide::Update(float dt)
{
    if (state == PanelState::SlidingIn) {
        offset += speed * dt;
        if (offset >= 0.0f) {
            offset = 0.0f;
            state = PanelState::Shown;
        }
    } else if (state == PanelState::SlidingOut) {
        offset -= speed * dt;
        if (offset <= hiddenOffset) {
            offset = hiddenOffset;
            state = PanelState::Hidden;
        }
    }
    return state != PanelState::Hidden;
}

} // namespace Petalwork

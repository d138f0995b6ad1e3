#pragma once
// ProgramCursor: sets one of the program's cursor resources as the window's cursor: the window keeps it
// (it is applied again whenever the system asks) and it is shown at once. With the custom (sprite)
// cursor in effect the system cursor is hidden, so the change shows only once the system cursor returns.

#include "game/board/CursorControl.h"

namespace VantoranEngine {
class Window;
}

namespace Petalwork {

class ProgramCursor : public CursorControl {
public:
    explicit ProgramCursor(VantoranEngine::Window& window);
    void SetProgramCursor(int32_t resource) override;

private:
    VantoranEngine::Window& window;
};

} // namespace Petalwork

#pragma once
// CursorControl: how the level changes the program's mouse cursor, by the cursor resource's id (1000 the
// game's cursor, 108, 109 and 110 the armed scissors with one, two and three pairs). ProgramCursor does it
// on the game window; tests record the ids.

#include <cstdint>

namespace Petalwork {

class CursorControl {
public:
    static constexpr int32_t gameCursor = 1000;
    static constexpr int32_t firstScissorsCursor = 108;

    virtual ~CursorControl() = default;
    virtual void SetProgramCursor(int32_t resource) = 0;
};

} // namespace Petalwork

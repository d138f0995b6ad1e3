#include "game/board/ProgramCursor.h"

#include "engine/core/devices/Window.h"
#include "platform/window/WindowApi.h"

namespace Petalwork {

ProgramCursor::ProgramCursor(VantoranEngine::Window& window_) : window(window_) {}

void ProgramCursor::SetProgramCursor(int32_t resource)
{
    const Platform::HCURSOR cursor =
        Platform::LoadCursorA(window.hinstance, Platform::MAKEINTRESOURCEA(static_cast<uintptr_t>(resource)));
    window.cursor = cursor;
    Platform::SetCursor(cursor);
}

} // namespace Petalwork

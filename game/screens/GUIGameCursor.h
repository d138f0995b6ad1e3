#pragma once
// GUIGameCursor: the game's mouse cursor, the sprite "ui\cursors\cursor.jpg" (40 units) in custom mode
// (ui_custom_cursor) or the program's own system cursor otherwise. It starts hidden; the screen flow
// shows it once the start-up loading screen has finished. Main thread only.

#include "framework/GUIGameCursorBase.h"

namespace Petalwork {

class GUIGameCursor : public GameFramework::GUIGameCursorBase {
public:
    static constexpr float spriteSize = 40.0f; // GUI units

    explicit GUIGameCursor(VantoranEngine::Engine* engine);
};

} // namespace Petalwork

#pragma once
// Sets or clears a window's show flag and recomputes its visibility, whatever other flag bits it has (the
// engine's SetFlags does nothing when a bit is set already). A root window shown again takes its root
// depth again.

namespace VantoranEngine {
class GUIWindow;
}

namespace Petalwork {

void SetShown(VantoranEngine::GUIWindow* window, bool shown);

} // namespace Petalwork

#pragma once
// Showing and hiding an engine GUI window whatever flag bits it carries: the Shown bit set or cleared and
// the visibility of the window and its children recomputed. Showing a root window also takes its root
// depth again (GUIWindow::SetFlags). Main thread only.

namespace VantoranEngine {
class GUIWindow;
}

namespace Petalwork {

void SetShown(VantoranEngine::GUIWindow* window, bool shown);

} // namespace Petalwork

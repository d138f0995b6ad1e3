#include "game/screens/GUIWindowShown.h"

#include "engine/render/gui/GUIWindow.h"

namespace Petalwork {

using VantoranEngine::GUIWindow;

void SetShown(GUIWindow* window, bool shown)
{
    if (shown && (window->flags & GUIWindow::Shown) == 0) {
        window->SetFlags(GUIWindow::Shown); // also re-applies a root window's depth
        return;
    }
    if (shown)
        window->flags |= GUIWindow::Shown;
    else
        window->flags &= ~GUIWindow::Shown;
    window->UpdateVisibility();
}

} // namespace Petalwork

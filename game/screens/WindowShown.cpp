#include "game/screens/WindowShown.h"

#include "engine/render/gui/GUIWindow.h"

namespace Petalwork {

using VantoranEngine::GUIWindow;

void SetShown(GUIWindow* window, bool shown)
{
    if (!shown) {
        window->flags &= ~GUIWindow::Shown;
        window->UpdateVisibility();
    } else if ((window->flags & GUIWindow::Shown) != 0) {
        window->UpdateVisibility();
    } else {
        window->SetFlags(GUIWindow::Shown);
    }
}

} // namespace Petalwork

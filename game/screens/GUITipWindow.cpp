#include "game/screens/GUITipWindow.h"

namespace Petalwork {

GUITipWindow::GUITipWindow(const GameData& gameData, const GameFramework::LevelInfo& level,
                           VantoranEngine::Engine* engine)
    : GUITipPagesWindow(engine, gameData)
{
    pages = level.tips;
    if (pages.empty()) {
        state = PageState::Finished;
        return;
    }
    state = PageState::FadingIn;
    CreateOkButton();
    ShowPicture();
}

} // namespace Petalwork

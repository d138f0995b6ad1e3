#pragma once
// GUITipWindow: the level's tips before play starts. The running level creates it with its level record,
// shows it (GUIMenuWindow::Show) a second after the board has appeared and holds the board until the
// state is Finished. A level without tip pages gets a window that is Finished from the start and has no
// OK button. See GUITipPagesWindow for the paging.

#include "framework/LevelInfo.h"
#include "game/screens/GUITipPagesWindow.h"

namespace Petalwork {

class GameData;

class GUITipWindow : public GUITipPagesWindow {
public:
    // The level's tip pages are copied; their materials stay the catalogue's.
    GUITipWindow(const GameData& gameData, const GameFramework::LevelInfo& level, VantoranEngine::Engine* engine);
};

} // namespace Petalwork

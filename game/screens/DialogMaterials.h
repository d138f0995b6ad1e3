#pragma once
// The frame materials of every dialog, taken from the global resource bundle's interface materials.
// The bundle must be loaded; its handles outlive every dialog made with them.

#include "game/screens/GUIMenuWindow.h"

namespace Petalwork {

class GameData;

GUIMenuWindow::Materials DialogMaterials(const GameData& data);

} // namespace Petalwork

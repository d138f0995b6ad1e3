#pragma once
// The game settings and global resources as the board's parts take them: each part gets the few values
// and prototypes it uses, filled here from the settings record and the global bundle.

#include "game/board/Cell.h"
#include "game/board/Chip.h"
#include "game/board/ChipModels.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/CellLogic.h"

namespace VantoranEngine {
class Camera;
}

namespace Petalwork {

class GameData;
struct GameSettings;

ChipSettings MakeChipSettings(const GameSettings& settings);
CellTimings MakeCellTimings(const GameSettings& settings);
FragmentSettings MakeFragmentSettings(const GameSettings& settings);
PopupSettings MakePopupSettings(const GameSettings& settings);

// `camera`: the GUI camera the board's models are drawn with.
ChipPrototypes MakeChipPrototypes(const GameData& data, VantoranEngine::Camera* camera);
CellPrototypes MakeCellPrototypes(const GameData& data, VantoranEngine::Camera* camera);
// The local box of the cell model: a chip's mouse area before its 5-unit inset.
void CellHitBox(const GameData& data, BoardPoint& minimum, BoardPoint& maximum);

} // namespace Petalwork

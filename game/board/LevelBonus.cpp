#include "game/board/LevelBonus.h"

namespace Petalwork {

const char* LevelBonus::CaptionKey(LevelBonusKind kind)
{
    static constexpr const char* keys[levelBonusKindCount] = {
        "LEVEL_BONUS_WINGS",   "LEVEL_BONUS_DOLLAR",  "LEVEL_BONUS_BOMB",
        "LEVEL_BONUS_FLOWERS", "LEVEL_BONUS_BASKETS", "LEVEL_BONUS_POWERUPS",
    };
    const int i = static_cast<int>(kind);
    return i >= 0 && i < levelBonusKindCount ? keys[i] : "";
}

} // namespace Petalwork

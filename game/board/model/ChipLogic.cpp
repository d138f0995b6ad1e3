#include "game/board/model/ChipLogic.h"

#include <cmath>

namespace Petalwork {

float ChipLogic::SnapCoordinate(float a)
{
    const float b = std::trunc(a * 100.0f) / 100.0f;
    return a - b < 0.005f ? b : a;
}

} // namespace Petalwork

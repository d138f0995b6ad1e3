#include "game/board/model/BasketPlaces.h"

#include <algorithm>

namespace Petalwork {

namespace {

constexpr float rowY[BasketPlaces::rowCount] = {432.0f, 344.0f, 256.0f, 168.0f, 476.0f,
                                               388.0f, 300.0f, 212.0f, 124.0f};

} // namespace

int BasketPlaces::RowShift(int placeCount)
{
    if (placeCount % 2 == 0)
        return placeCount == 2 ? 1 : 0;
    return placeCount == 1 ? 6 : placeCount == 3 ? 5 : 4;
}

BoardPoint BasketPlaces::Position(int place, int placeCount, bool left)
{
    const int row = std::clamp(place + RowShift(placeCount), 0, rowCount - 1);
    return {left ? leftX : rightX, rowY[row]};
}

} // namespace Petalwork

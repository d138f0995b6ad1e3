#pragma once
// BasketPlaces: where the fixed basket places stand. A table of nine rows, x 0 and y 432, 344, 256, 168
// (rows 0-3) and 476, 388, 300, 212, 124 (rows 4-8); place p of a column of P places is row p + s, s
// chosen by P so that the column is centred on y = 300 with 88 units between places. The left column is
// at x 48, the right one at x 752.
//
// Rules: a place beyond the table (more places than the table holds) stands at the nearest row.

#include "game/board/model/BoardTypes.h"

namespace Petalwork {

class BasketPlaces {
public:
    static constexpr int rowCount = 9;
    static constexpr float leftX = 48.0f;
    static constexpr float rightX = 752.0f;

    // s: 1 for P = 2, 0 for other even P, 6 for P = 1, 5 for P = 3, 4 for other odd P.
    static int RowShift(int placeCount);
    // Place `place` of a column chosen by the total place count (in two columns both use the total).
    static BoardPoint Position(int place, int placeCount, bool left);
};

} // namespace Petalwork

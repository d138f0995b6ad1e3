#include "game/board/model/BasketScoring.h"

namespace Petalwork {

BasketScoring::BasketScoring(const GameSettings& settings_) : settings(settings_) {}

BasketBonus BasketScoring::Score(const BasketLogic& basket, bool edge)
{
    BasketBonus bonus;
    if (basket.timeAlive <= static_cast<float>(basket.flowerTotal) * settings.quickBasketSecondsPerFlower) {
        bonus.quickBasket = true;
        ++quickBaskets;
        bonus.points = settings.quickBasketBonus;
    }
    if (edge) {
        bonus.edge = true;
        bonus.points += settings.basketEdgeBonus;
    }
    if (timeSinceLastFill < comboWindow) {
        const unsigned c = comboChain;
        if (c >= 2) {
            bonus.combo = c;
            bonus.points += static_cast<int32_t>(((c - 1) * (c - 2) + 3) * 1000);
        }
        comboChain = c + 1;
    } else {
        comboChain = 0;
    }
    timeSinceLastFill = 0.0f;
    if (basket.quickGainSeal && static_cast<int64_t>(basket.flowerTotal) > settings.quickGainThreshold) {
        bonus.quickGain = true;
        ++quickGains;
        bonus.points += settings.quickGainBonus;
    }
    return bonus;
}

} // namespace Petalwork

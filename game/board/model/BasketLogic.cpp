#include "game/board/model/BasketLogic.h"

#include <algorithm>

namespace Petalwork {

void BasketLogic::SetOrder(std::vector<BasketOrderEntry> entries, float placeWait)
{
    order = std::move(entries);
    timerTotal = 0.0f;
    flowerTotal = 0;
    for (const BasketOrderEntry& entry : order) {
        timerTotal += static_cast<float>(entry.toSend) * placeWait;
        flowerTotal += static_cast<unsigned>(std::max(entry.toSend, 0));
    }
    timerLeft = timerTotal;
}

bool BasketLogic::TakeChip(unsigned kind)
{
    for (BasketOrderEntry& entry : order) {
        if (entry.flowerKind == static_cast<int>(kind) && entry.toSend > 0 && entry.open) {
            --entry.toSend;
            entry.untouched = false;
            return true;
        }
    }
    return false;
}

bool BasketLogic::ArriveChip(unsigned kind)
{
    for (BasketOrderEntry& entry : order) {
        if (entry.flowerKind != static_cast<int>(kind))
            continue;
        if (entry.toArrive > 0)
            --entry.toArrive;
        entry.shownCount = entry.toArrive;
        entry.untouched = false;
    }
    return !HasChipsToArrive();
}

bool BasketLogic::HasChipsToSend() const
{
    return std::any_of(order.begin(), order.end(), [](const BasketOrderEntry& e) { return e.toSend > 0; });
}

bool BasketLogic::HasChipsToArrive() const
{
    return std::any_of(order.begin(), order.end(), [](const BasketOrderEntry& e) { return e.toArrive > 0; });
}

bool BasketLogic::HasChipsInFlight() const
{
    return std::any_of(order.begin(), order.end(),
                       [](const BasketOrderEntry& e) { return e.toArrive != e.toSend; });
}

bool BasketLogic::AllEntriesUntouched() const
{
    return std::all_of(order.begin(), order.end(), [](const BasketOrderEntry& e) { return e.untouched; });
}

int BasketLogic::PickWantedKind(const std::function<uint32_t()>& random) const
{
    // Only open entries: a kind whose icon has not appeared would find no basket and fly off the board.
    std::vector<int> kinds;
    for (const BasketOrderEntry& entry : order)
        if (entry.open && entry.toSend > 0)
            kinds.push_back(entry.flowerKind);
    if (kinds.empty())
        return -1;
    return kinds[random() % kinds.size()];
}

void BasketLogic::CountUp(float dt, float countUpTime)
{
    for (BasketOrderEntry& entry : order) {
        if (!entry.open || entry.shownCount >= entry.toSend)
            continue;
        entry.countUpTimer -= dt;
        if (entry.countUpTimer < 0.0f) {
            entry.countUpTimer = countUpTime / static_cast<float>(entry.toSend);
            ++entry.shownCount;
        }
    }
}

BasketColour BasketLogic::TimerColour() const
{
    const float half = timerTotal / 2.0f;
    if (!(half > 0.0f))
        return {0.21f, 0.72f, 0.21f, 1.0f};
    if (timerLeft >= half) {
        const float s = (timerTotal - timerLeft) / half;
        return {0.21f + 0.57f * s, 0.72f + 0.06f * s, 0.21f - 0.06f * s, 1.0f};
    }
    const float s = std::min((half - timerLeft) / half, 1.0f);
    return {0.78f, 0.78f - 0.63f * s, 0.15f, 1.0f};
}

float BasketLogic::TimerFraction() const
{
    // An order without chips has no time to run out (and must not divide by 0).
    if (!(timerTotal > 0.0f))
        return 0.0f;
    return std::clamp((timerTotal - timerLeft) / timerTotal, 0.0f, 1.0f);
}

} // namespace Petalwork

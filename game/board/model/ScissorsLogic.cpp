#include "game/board/model/ScissorsLogic.h"

#include "framework/ScoreKeeper.h"

#include <algorithm>

namespace Petalwork {

ScissorsLogic::ScissorsLogic(GameFramework::ScoreKeeper& score_, const std::vector<int32_t>& list) : score(score_)
{
    for (size_t i = 0; i < list.size() && i < maxPairs; ++i)
        thresholds.push_back(static_cast<unsigned>(std::max(list[i], 0)));
}

void ScissorsLogic::CountChip(bool refresh)
{
    const unsigned p = pairs;
    if (p == ThresholdCount())
        return;
    if (!refresh)
        ++chipCount;
    if (p < ThresholdCount() && chipCount >= thresholds[p] && thresholds[p] > 0) {
        chipCount = 0;
        score.total += score.GetPoints(firstPairEvent + p);
        Award(p + 1);
    }
}

void ScissorsLogic::Award(unsigned n)
{
    pairs = n;
    if (n >= maxPairs)
        threePairs = true;
}

void ScissorsLogic::Disarm()
{
    chipCount = 0;
    Award(0);
}

unsigned ScissorsLogic::Spend()
{
    const unsigned held = pairs;
    armedMode = 0;
    Disarm();
    return held;
}

float ScissorsLogic::Fill() const
{
    const unsigned p = pairs;
    if (p < ThresholdCount() && thresholds[p] > 0)
        return std::min(static_cast<float>(chipCount) / static_cast<float>(thresholds[p]), 1.0f);
    return p == 2 ? 1.0f : 0.0f;
}

} // namespace Petalwork

#include "game/board/ScorePopupGroups.h"

#include "game/board/ScoreManager.h"

#include "engine/core/StringUtils.h"
#include "engine/render/gui/GUITextManager.h"

namespace Petalwork {

ScorePopupGroups::ScorePopupGroups(ScoreManager& popups_, const VantoranEngine::GUITextManager& texts_,
                                   float lineHeight_)
    : popups(popups_), texts(texts_), lineHeight(lineHeight_)
{
}

void ScorePopupGroups::BeginGroup()
{
    popups.BeginGroup();
}

void ScorePopupGroups::AddChip(const ChipLogic& chip)
{
    popups.AddChip(chip);
}

void ScorePopupGroups::EndGroup()
{
    popups.EndGroup();
}

void ScorePopupGroups::FinalizeGroups()
{
    popups.FinalizeGroups();
}

void ScorePopupGroups::ShowCombo(int n)
{
    popups.ShowCombo(n);
}

void ScorePopupGroups::ShowBonus(BoardPoint position, const char* key, int points, bool pointsAbove)
{
    popups.ShowText(position, texts.GetText(key));
    const float y = position.y + (pointsAbove ? lineHeight : -lineHeight);
    popups.ShowText({position.x, y}, u"+" + VantoranEngine::IntToWideString(points));
}

} // namespace Petalwork

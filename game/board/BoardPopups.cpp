#include "game/board/BoardPopups.h"

#include "engine/render/gui/GUITextManager.h"
#include "game/board/ScoreManager.h"

#include <string>

namespace Petalwork {

void BoardPopups::BeginGroup()
{
    popups.BeginGroup();
}

void BoardPopups::AddChip(const ChipLogic& chip)
{
    popups.AddChip(chip);
}

void BoardPopups::EndGroup()
{
    popups.EndGroup();
}

void BoardPopups::FinalizeGroups()
{
    popups.FinalizeGroups();
}

void BoardPopups::ShowCombo(int n)
{
    popups.ShowCombo(n);
}

void BoardPopups::ShowBonus(BoardPoint position, const char* key, int points)
{
    popups.ShowText(position, texts.GetText(key));
    const std::string line = "+" + std::to_string(points);
    popups.ShowText({position.x, position.y - lineHeight}, std::u16string(line.begin(), line.end()));
}

} // namespace Petalwork

#pragma once
// ScorePopupGroups: the board rules' score groups, combo captions and bonus texts shown through the
// level's score popups. A bonus text is looked up by key; its "+N" line stands one line of the score font
// (GUI font 10) above or below it.

#include "game/board/model/ScoreGroups.h"

namespace VantoranEngine {
class GUITextManager;
}

namespace Petalwork {

class ScoreManager;

class ScorePopupGroups : public ScoreGroups {
public:
    // `lineHeight`: the line height of the score font.
    ScorePopupGroups(ScoreManager& popups, const VantoranEngine::GUITextManager& texts, float lineHeight);

    void BeginGroup() override;
    void AddChip(const ChipLogic& chip) override;
    void EndGroup() override;
    void FinalizeGroups() override;
    void ShowCombo(int n) override;
    void ShowBonus(BoardPoint position, const char* key, int points, bool pointsAbove) override;

private:
    ScoreManager& popups;
    const VantoranEngine::GUITextManager& texts;
    float lineHeight;
};

} // namespace Petalwork

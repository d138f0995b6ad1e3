#pragma once
// BoardPopups: the popups the board's rules ask for, made by the level's ScoreManager: point groups and
// combo captions as they are, a bonus as its key's text with "+<points>" one line lower.

#include "game/board/model/ScoreGroups.h"

namespace VantoranEngine {
class GUITextManager;
}

namespace Petalwork {

class ScoreManager;

class BoardPopups : public ScoreGroups {
public:
    static constexpr float lineHeight = 20.0f; // the second line of a bonus lies this much lower

    BoardPopups(ScoreManager& popups, const VantoranEngine::GUITextManager& texts) : popups(popups), texts(texts) {}

    void BeginGroup() override;
    void AddChip(const ChipLogic& chip) override;
    void EndGroup() override;
    void FinalizeGroups() override;
    void ShowCombo(int n) override;
    void ShowBonus(BoardPoint position, const char* key, int points) override;

private:
    ScoreManager& popups;
    const VantoranEngine::GUITextManager& texts;
};

} // namespace Petalwork

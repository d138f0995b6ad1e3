#pragma once
// ScoreManager: the short-lived texts over the board: the points of removed chips ("+N" at each chip,
// one group per set of chips removed together), the combo captions, the captions of picked-up powerups
// and free floating texts. It creates, moves, fades and deletes them; the level's panel draws its lists.
//
// Rules:
// - Groups: BeginGroup opens one, callers add chips, EndGroup closes it. A closed group that shares a
//   chip with a pending (not yet finalized) group joins the first such group; an empty one is dropped.
//   FinalizeGroups turns every pending group into its popups: each distinct chip once, with its points
//   and position at that moment. Chips are held only until then; the chip manager deletes chips after
//   the resolution that finalizes them, so keep BeginGroup..FinalizeGroups within one resolution.
// - Texts are looked up by key when they are made ("UNKNOWN" for a missing key).
// - Update(dt) deletes an item older than 10 s or whose alpha fell below 0, then moves and fades the rest.

#include "game/board/model/BoardTypes.h"
#include "game/board/model/ChipLogic.h"

#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {
class GUITextManager;
}

namespace Petalwork {

// The game settings the popups use (values 7-9, 11-12 and 36-38 of the game settings).
struct PopupSettings {
    float comboRise = 0.0f;  // units per second
    float comboAlpha = 0.0f; // starting alpha
    float comboFade = 0.0f;  // alpha per second
    BoardPoint comboPosition;
    float textAlpha = 0.0f;  // floating texts and powerup captions
    float textRise = 0.0f;
    float textFade = 0.0f;
};

class ScoreManager {
public:
    struct Group {
        std::vector<const ChipLogic*> chips; // while open or pending
        std::vector<int> points;             // once active: one per distinct chip
        std::vector<BoardPoint> positions;   // same order
        bool active = false;
        float age = 0.0f;  // seconds since finalizing
        float alpha = 5.0f;
        const ChipLogic* sharedChip = nullptr; // the chip through which another group joined this one
    };

    struct Text {
        std::u16string text;
        BoardPoint position;
        float alpha = 0.0f; // also its life
        float age = 0.0f;
    };

    // Groups rise and fade at fixed rates: a popup lives one second.
    static constexpr float groupRise = 40.0f;
    static constexpr float groupFade = 5.0f;
    static constexpr float maximumAge = 10.0f;

    ScoreManager(const VantoranEngine::GUITextManager& texts, const PopupSettings& settings);
    virtual ~ScoreManager();

    void BeginGroup();
    // Adds a chip to the open group; nothing when none is open.
    void AddChip(const ChipLogic& chip);
    void EndGroup();
    void FinalizeGroups();

    void ShowText(BoardPoint position, const std::u16string& text);
    void ShowPowerup(BoardPoint position, PowerupKind kind);
    // n is the chain count minus 1; nothing below 2.
    void ShowCombo(int n);

    void Update(float dt);

    std::vector<std::unique_ptr<Group>> groups;
    std::vector<Text> comboCaptions;
    std::vector<Text> floatingTexts;
    std::vector<Text> powerupCaptions;

private:
    const VantoranEngine::GUITextManager& texts;
    PopupSettings settings;
    std::unique_ptr<Group> openGroup;
};

} // namespace Petalwork

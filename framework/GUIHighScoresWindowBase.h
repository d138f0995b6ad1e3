#pragma once
// Base of the high-score window. Window contract as in GUILogosWindowBase.h.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class HighScoresTable;
struct HighScoreEntry;

class GUIHighScoresWindowBase {
public:
    enum class Mode : int32_t {
        None = 0,
        MainMenu = 1,  // opened from the main menu
        GameEnded = 2, // after a game, with the new entry (if it made the table) to mark
    };

    GUIHighScoresWindowBase(VantoranEngine::Engine* engine, HighScoresTable* highScores);
    virtual ~GUIHighScoresWindowBase();

    GUIHighScoresWindowBase(const GUIHighScoresWindowBase&) = delete;
    GUIHighScoresWindowBase& operator=(const GUIHighScoresWindowBase&) = delete;

    virtual void Update();
    // entry: the table's entry to mark, or null.
    virtual void Show(Mode mode, const HighScoreEntry* entry);
    virtual void Hide();

    VantoranEngine::Engine* engine;
    HighScoresTable* highScores;
    Mode mode = Mode::None;
    const HighScoreEntry* markedEntry = nullptr; // not owned; an entry of the table
    int32_t result = 0;                          // 1 back to the main menu
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework

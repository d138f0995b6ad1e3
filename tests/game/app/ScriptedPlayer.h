#pragma once
// ScriptedPlayer: plays the real game the way a person would, through injected mouse clicks. It owns the
// game object and finds its moves on the board model: every swap is resolved on a copy of the board
// (BoardForecast) and the one whose outcome serves the level's goal best is made, the first in link
// order among equals (the next ones after a swap the board did not take); once it holds every pair of
// scissors the stage offers it cuts where a cut does more than any swap. It swaps as soon as the board
// takes a swap and the last move has ended, without waiting for chips flying off the board. It pages
// through the level's tips, answers the relax question with no, and presses through the in-level
// overlays. Between stages it pages the stage screen's outro, plants the offered flower with a click on
// it in the flower house and clicks through the closing comics. The game tests and the play-all tool
// share it.
//
// Rules:
// - With the test clock the platform clock is manual and every tick steps it by the longest frame the
//   engine's timer lets through, so each frame advances the game by that much and a level takes far
//   fewer frames. The clock is switched before the game is made and back to the real one when the
//   player is destroyed. Frames are then not paced to the display either (v_vsync 0).
// - No call throws or asserts: a step that does not come about within its frame budget returns false
//   and leaves its reason in `failure`.
// - The caller sets up the installation and the user-data folder before Start. Main thread only.

#include "BoardForecast.h"
#include "GuiPointer.h"
#include "framework/LevelPosition.h"
#include "game/board/model/BoardTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace VantoranEngine {
class GUIWindow;
class Model;
} // namespace VantoranEngine

namespace Petalwork {
class CellLogic;
class Game;
class GameLogic;
class GUIStartGameLogicWindow;
} // namespace Petalwork

class ScriptedPlayer {
public:
    // The engine's timer clamps a frame to 0.1 s.
    static constexpr uint64_t testFrameNanoseconds = 100'000'000;
    static constexpr int defaultTicks = 3000;
    static constexpr int moveLimit = 600;
    static constexpr size_t missLimit = 5;

    // What one level took.
    struct LevelRun {
        int moves = 0;
        int32_t score = 0;       // the level's score when won
        float gameSeconds = 0.0f; // the level's own clock of play
        int livesLost = 0;        // spare lives spent since the level started
        int cuts = 0;             // cuts of the scissors
        uint32_t stage = 0, level = 0; // where the level stands in the catalogue
    };

    explicit ScriptedPlayer(bool testClock);
    ~ScriptedPlayer();

    ScriptedPlayer(const ScriptedPlayer&) = delete;
    ScriptedPlayer& operator=(const ScriptedPlayer&) = delete;

    // Makes the game object; with the test clock its frames are not paced to the display's refresh. With
    // `seed` set the game's random source starts from it instead of the clock, so a run can be repeated.
    void MakeGame();
    // Makes the game object and waits for the first run's welcome dialog, then makes the profile `name`
    // behind it and makes it current.
    bool StartWithNewProfile(const std::u16string& name);
    // Makes the game object of a returning player and waits for the main menu.
    bool StartExisting();
    // Moves the current profile to `at` as a player who had won every level before it (a flower planted
    // per earlier stage, a saved game to continue, the intro comics seen) and saves it. False without one.
    bool StandAt(const GameFramework::LevelPosition& at, int32_t totalScore);
    // A first run as a person makes it: the name typed into the welcome dialog and confirmed with ENTER,
    // Start on the main menu, the intro comics clicked through, up to the stage screen at rest.
    bool StartNewGame(const std::u16string& name);
    // The welcome dialog of a first run: `name` typed and confirmed; true once the main menu is up.
    bool EnterWelcomeName(const std::u16string& name);
    // The main menu is shown, takes input and its menu has slid in.
    bool MainMenuReady() const;
    bool WaitForMainMenu();
    // From the main menu: Start, then Continue in the saved-game question; true once the level runs.
    bool ContinueSavedGame();
    // Clicks through the intro comics until the stage screen has taken over and rests.
    bool PassIntroComics();
    // The stage screen is shown, at full alpha, its calendar at rest.
    bool StageScreenReady() const;
    // Deletes the game object (the log is complete afterwards).
    void Stop();

    // One frame: pending window messages, then the game's tick.
    void Tick();
    bool WaitFor(const std::function<bool()>& done, int ticks = defaultTicks);
    // Points at the window's centre, following it while it moves, then presses and releases the button.
    void Click(const VantoranEngine::GUIWindow* window);
    void Click(Petalwork::BoardPoint at);
    // Points at `at` and presses in the next frame; the release goes with the frame after, whatever it
    // brings (the next point), as a quick hand clicks.
    void QuickClick(Petalwork::BoardPoint at);
    // Points at `x`, `y` (GUI units, y up) without pressing; the next tick sees the pointer there.
    void MoveTo(float x, float y);
    // Clicks `window` until `done` follows, `attempts` times at most: a click can fall into a frame in
    // which the window does not take input yet, and a person would simply click again.
    bool ClickUntil(const VantoranEngine::GUIWindow* window, const std::function<bool()>& done, int attempts = 3);
    void PressKey(uint8_t directInputKey);

    // The running level as the game's own type, or null.
    Petalwork::GameLogic* Level() const;
    Petalwork::GUIStartGameLogicWindow* StageScreen() const;
    // The board takes the next swap: every chip on a cell rests, no cell is empty, nothing is left to
    // resolve, the last move has ended (its combo counted). Chips still flying off the board are not
    // waited for, as a player does not wait for them.
    bool ReadyToSwap() const;
    // The swap number `skip` (counting round) that makes a group, by the forecast of its resolution: those
    // that do most for the level's goal (what the goal counts, the powerups picked up, bonus chips made,
    // chips taken; for baskets the kinds they still want) first, then link order.
    std::optional<std::pair<Petalwork::CellLogic*, Petalwork::CellLogic*>> FindMove(size_t skip = 0) const;
    // Where the scissors held should cut: only once they are all the pairs the stage offers (no further
    // chip counts towards more), at the cell whose cut does most for the goal, when that is more than
    // the best swap does. Null otherwise.
    Petalwork::CellLogic* FindCut() const;
    // Arms the scissors with a click on their top pair on the panel, then cuts at `cell`; true once the
    // pairs are spent.
    bool Cut(Petalwork::CellLogic& cell);

    // The level at the profile's position: through the stage screen where it is shown (it starts the
    // next level of a stage by itself; after a stage's first win the player passes the stage change,
    // planting a flower, and presses Start), else started the way the stage screen starts one: its
    // bundle is prepared and the level loading screen shown. True once the level runs.
    bool StartLevel();
    // On the stage screen after a stage's first win (its advance pending): pages the outro with keys,
    // plants a flower where one is offered, clicks through the closing comics where it plays; true once
    // the screen has moved the profile on.
    bool PassStageChange();
    // Plants one of the flowers the flower house offers with a click on it; true once the house is
    // finished or the stage screen has gone on.
    bool PlantFlower();
    // Points (GUI units) on `flower` that the house's own pick hits, nearest its box's centre first.
    std::vector<Petalwork::BoardPoint> FlowerPoints(const VantoranEngine::Model* flower) const;
    // Pages through the level's tips (and the order tips) and answers the relax question with no.
    bool PassLevelDialogs();
    // Answers the dialog the level shows, if any: a tip or order page with OK, the relax question with
    // no. True when it pressed something.
    bool AnswerDialogs();
    // A cell left selected between moves (the second click of a swap the board did not take, or one that
    // came after a lost life had dropped the first) is clicked again, which drops it; true when it was.
    bool DropSelection();
        // Swaps until the goal is done, then waits for the tally to end and the level to be won.
    bool PlayToWin(LevelRun& run);
    // Presses through the level-complete (and stage-complete) overlays until the game closes the level.
    bool CloseWonLevel();
    // The whole of one level: start (unless it already runs, as after ContinueSavedGame), dialogs, play,
    // overlays.
    bool PlayLevel(LevelRun& run);

    std::unique_ptr<Petalwork::Game> game;
    std::optional<uint32_t> seed; // for the game's random source, set by each MakeGame
    std::string failure; // why the last step that returned false failed
    uint64_t ticks = 0;
    bool quit = false; // the game was asked to close (its window, or a signal to the process): waits end

private:
    struct Move {
        Petalwork::CellLogic* a;
        Petalwork::CellLogic* b;
        int value; // for the goal, from the forecast of the swap's resolution
    };
    BoardForecast Forecast() const;
    // Every swap that makes a group, the most valuable first, link order among equals.
    std::vector<Move> RankMoves() const;
    bool Fail(const std::string& reason);
    void Press();

    bool testClock;
    int livesAtStart = 0; // of the running level
    GuiPointer pointer;
};

#pragma once
// GameLogicBase: the framework's side of one running level. It knows the level's records, keeps the
// lives, the level timer and the score table, and reports the outcome through a state code and a
// changed flag that the game object polls once per transition pass and then clears.
//
// Rules: the level timer is created at 0 s and paused, registered with the timer manager, which deletes
// it with the level; nothing reads its time (the game object pauses and restores it with the focus).
// Main thread only.

#include "framework/LevelInfo.h"
#include "framework/LevelPosition.h"
#include "framework/ScoreKeeper.h"
#include "framework/StageInfo.h"

#include <cstdint>
#include <memory>

namespace VantoranEngine {
class Engine;
class MessageManager;
class Timer;
class TimerManager;
} // namespace VantoranEngine

namespace GameFramework {

class SoundPlayer;

// The level's state codes.
enum class LevelState : int32_t { Playing = 0, Paused = 1, Won = 2, Lost = 3, Restart = 4 };

class GameLogicBase {
public:
    // The records stay the caller's and must outlive the level. Logs "" and "Loading level <s>-<l>...".
    GameLogicBase(VantoranEngine::Engine& engine, SoundPlayer* soundPlayer, const StageInfo* stage,
                  const LevelInfo* level, int32_t lives);
    // The same with the two services it uses named one by one (`engine` may then be null).
    GameLogicBase(VantoranEngine::Engine* engine, VantoranEngine::MessageManager* log,
                  VantoranEngine::TimerManager* timers, SoundPlayer* soundPlayer, const StageInfo* stage,
                  const LevelInfo* level, int32_t lives);
    // Has the timer manager delete the level timer.
    virtual ~GameLogicBase();

    GameLogicBase(const GameLogicBase&) = delete;
    GameLogicBase& operator=(const GameLogicBase&) = delete;

    virtual void Update() {}
    // Stores the state; the changed flag is set only when it differs from the previous one.
    virtual void SetState(LevelState state);

    LevelState GetState() const { return state; }
    bool IsChanged() const { return changed; }
    void ClearChanged() { changed = false; }

    LevelPosition GetPosition() const { return {level->stageIndex, level->levelIndex}; }
    const StageInfo& GetStageInfo() const { return *stage; }
    const LevelInfo& GetLevelInfo() const { return *level; }
    VantoranEngine::Timer* GetLevelTimer() const { return levelTimer; }
    ScoreKeeper& GetScoreKeeper() { return *scoreKeeper; }
    const ScoreKeeper& GetScoreKeeper() const { return *scoreKeeper; }

    int32_t lives; // spare lives

protected:
    VantoranEngine::Engine* engine;
    VantoranEngine::MessageManager* log;
    VantoranEngine::TimerManager* timers;
    SoundPlayer* soundPlayer;
    const StageInfo* stage;
    const LevelInfo* level;

private:
    VantoranEngine::Timer* levelTimer; // owned by the timer manager while registered
    std::unique_ptr<ScoreKeeper> scoreKeeper;
    LevelState state = LevelState::Playing;
    bool changed = false;
};

} // namespace GameFramework

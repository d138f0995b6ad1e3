#pragma once
// LevelClock: the level's countdown with its time warning, and the after-bonus that turns the time left
// at the end of a won level into points.
//
// Rules:
// - Times are seconds of frame time. The level fails when the countdown reaches 0; the owner decides
//   when it runs (panel shown, level not failed, goal not done) and when it is held (a tip on screen).
// - The warning sound ("time_is_ending", looped) plays once per level, even after a lost life resets the
//   clock; it stops when the goal is done, when the after-bonus starts and on Reset.
// - The after-bonus takes 5 s of the whole seconds left per step (one step every `stepInterval`): the
//   shown figure grows by 50 and the score by 10; the step that finds the time used up ends it and
//   switches off the looping of "after_bonus_time". A level without a clock has no after-bonus: it is
//   done from the start and starting it does nothing.

#include "game/board/model/BasketLogic.h"
#include "game/board/model/LoopingSoundSink.h"

namespace GameFramework {
class ScoreKeeper;
}

namespace Petalwork {

class LevelClock {
public:
    static constexpr float warningTime = 20.0f;      // the warning starts below this many seconds
    static constexpr float afterBonusSeconds = 5.0f; // taken per after-bonus step
    static constexpr unsigned afterBonusShownStep = 50;
    static constexpr int afterBonusScoreStep = 10;

    // `hasClock`: the level counts down (not in relax mode, not on a conveyor).
    LevelClock(LoopingSoundSink& sounds, GameFramework::ScoreKeeper& score, float levelTime, float stepInterval,
               bool hasClock);

    // Counts down unless held; true when the time ran out in this call (time left is then 0).
    bool Countdown(float dt, bool hold);
    void StartAfterBonus();
    void UpdateAfterBonus(float dt);
    // The warning below 20 s while the after-bonus is not running: the sound once, then the blink of the
    // warning colour, white to red and back, 0.5 s each way. A done goal silences the warning.
    void UpdateWarning(float dt, bool goalDone);
    // After a lost life: the full time again, the warning colour white and its sound stopped; whether the
    // warning has played stays.
    void Reset();
    // 0 .. 1 of the level time gone (0 for a level time of 0).
    float ElapsedFraction() const;

    float levelTime = 0.0f;
    float timeLeft = 0.0f;
    bool hasClock = false;
    bool warningPlayed = false;
    bool warningSounding = false;
    float blinkPhase = 0.0f;
    bool blinkToggle = true;
    BasketColour warningColour;
    float afterBonusTimer = 0.0f;
    int afterBonusTimeLeft = 0; // whole seconds
    unsigned afterBonusShown = 0;
    bool afterBonusRunning = false;
    bool afterBonusDone = true;

private:
    void StopWarningSound();

    LoopingSoundSink& sounds;
    GameFramework::ScoreKeeper& score;
    float stepInterval;
};

} // namespace Petalwork

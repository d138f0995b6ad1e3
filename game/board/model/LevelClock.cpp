#include "game/board/model/LevelClock.h"

#include "framework/ScoreKeeper.h"

#include <algorithm>

namespace Petalwork {

LevelClock::LevelClock(LoopingSoundSink& sounds_, GameFramework::ScoreKeeper& score_, float levelTime_,
                       float stepInterval_, bool hasClock_)
    : levelTime(levelTime_), timeLeft(levelTime_), hasClock(hasClock_), afterBonusDone(!hasClock_), sounds(sounds_),
      score(score_), stepInterval(stepInterval_)
{
    sounds.SetSoundLooping(BoardSound::AfterBonusTime, true);
}

bool LevelClock::Countdown(float dt, bool hold)
{
    if (!(timeLeft > 0.0f))
        return false;
    if (!hold)
        timeLeft -= dt;
    if (timeLeft <= 0.0f) {
        timeLeft = 0.0f;
        return true;
    }
    return false;
}

void LevelClock::StartAfterBonus()
{
    // Without a clock there is no time to count: the looping count sound must not start.
    if (!hasClock || afterBonusRunning)
        return;
    StopWarningSound();
    afterBonusRunning = true;
    afterBonusTimeLeft = static_cast<int>(timeLeft);
    afterBonusTimer = 0.0f;
    sounds.PlaySound(BoardSound::AfterBonusTime);
}

void LevelClock::UpdateAfterBonus(float dt)
{
    if (!afterBonusRunning || afterBonusDone)
        return;
    if (afterBonusTimer > 0.0f) {
        afterBonusTimer -= dt;
        return;
    }
    afterBonusTimer = stepInterval;
    afterBonusTimeLeft -= static_cast<int>(afterBonusSeconds);
    if (afterBonusTimeLeft >= 0) {
        afterBonusShown += afterBonusShownStep;
        score.total += afterBonusScoreStep;
    } else {
        afterBonusTimeLeft = 0;
        sounds.SetSoundLooping(BoardSound::AfterBonusTime, false);
        afterBonusDone = true;
    }
}

void LevelClock::UpdateWarning(float dt, bool goalDone)
{
    if (goalDone)
        StopWarningSound();
    if (!(timeLeft < warningTime) || afterBonusRunning)
        return;
    if (!warningPlayed) {
        warningPlayed = true;
        if (!goalDone) {
            sounds.PlaySound(BoardSound::TimeIsEnding);
            warningSounding = true;
        }
    }
    blinkPhase += 2.0f * dt;
    if (blinkPhase >= 1.0f) {
        blinkPhase = 0.0f;
        blinkToggle = !blinkToggle;
    }
    const float fade = blinkToggle ? 1.0f - 0.73f * blinkPhase : 0.27f + 0.73f * blinkPhase;
    warningColour = {1.0f, fade, fade, 1.0f};
}

void LevelClock::Reset()
{
    timeLeft = levelTime;
    warningColour = {};
    blinkToggle = true;
    blinkPhase = 0.0f;
    StopWarningSound();
}

float LevelClock::ElapsedFraction() const
{
    if (!(levelTime > 0.0f))
        return 0.0f;
    return std::clamp((levelTime - timeLeft) / levelTime, 0.0f, 1.0f);
}

void LevelClock::StopWarningSound()
{
    if (!warningSounding)
        return;
    warningSounding = false;
    sounds.StopSound(BoardSound::TimeIsEnding);
}

} // namespace Petalwork

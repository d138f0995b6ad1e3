#include "framework/GameLogicBase.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"

namespace GameFramework {

GameLogicBase::GameLogicBase(VantoranEngine::Engine& engine_, SoundPlayer* soundPlayer_, const StageInfo* stage_,
                             const LevelInfo* level_, int32_t lives_)
    : GameLogicBase(&engine_, engine_.messageManager.get(), engine_.timerManager.get(), soundPlayer_, stage_, level_,
                    lives_)
{
}

GameLogicBase::GameLogicBase(VantoranEngine::Engine* engine_, VantoranEngine::MessageManager* log_,
                             VantoranEngine::TimerManager* timers_, SoundPlayer* soundPlayer_,
                             const StageInfo* stage_, const LevelInfo* level_, int32_t lives_)
    : lives(lives_), engine(engine_), log(log_), timers(timers_), soundPlayer(soundPlayer_), stage(stage_),
      level(level_)
{
    log->LogMessage("");
    log->LogMessage("Loading level " + std::to_string(level->stageIndex + 1) + "-" +
                    std::to_string(level->levelIndex + 1) + "...");
    auto timer = std::make_unique<VantoranEngine::Timer>(true, 0.0f);
    timer->SetTime(0.0f);
    timer->SetPaused(true);
    levelTimer = timer.get();
    timers->AddTimer(timer.release());
    scoreKeeper = std::make_unique<ScoreKeeper>();
}

GameLogicBase::~GameLogicBase()
{
    timers->RemoveTimer(levelTimer);
}

void GameLogicBase::SetState(LevelState state_)
{
    if (state_ != state)
        changed = true;
    state = state_;
}

} // namespace GameFramework

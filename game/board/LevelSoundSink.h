#pragma once
// LevelSoundSink: the level's sounds, looping ones included, played through the game's sound player by
// their game ids.

#include "game/board/model/LoopingSoundSink.h"

namespace GameFramework {
class SoundPlayer;
}

namespace Petalwork {

class LevelSoundSink : public LoopingSoundSink {
public:
    // `player` may be null: the level then plays nothing.
    explicit LevelSoundSink(GameFramework::SoundPlayer* player) : player(player) {}

    void PlaySound(BoardSound sound) override;
    void StopSound(BoardSound sound) override;
    void SetSoundLooping(BoardSound sound, bool looping) override;

private:
    GameFramework::SoundPlayer* player;
};

} // namespace Petalwork

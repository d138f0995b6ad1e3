#pragma once
// SoundPlayerSink: the board's sounds played through the game's sound player, by their game ids.

#include "game/board/model/SoundSink.h"

namespace GameFramework {
class SoundPlayer;
}

namespace Petalwork {

class SoundPlayerSink : public SoundSink {
public:
    explicit SoundPlayerSink(GameFramework::SoundPlayer& player) : player(player) {}
    void PlaySound(BoardSound sound) override;

private:
    GameFramework::SoundPlayer& player;
};

} // namespace Petalwork

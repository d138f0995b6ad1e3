#include "game/board/SoundPlayerSink.h"

#include "framework/SoundPlayer.h"

namespace Petalwork {

void SoundPlayerSink::PlaySound(BoardSound sound)
{
    player.PlaySound(static_cast<int32_t>(sound));
}

} // namespace Petalwork

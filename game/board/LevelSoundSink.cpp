#include "game/board/LevelSoundSink.h"

#include "framework/SoundPlayer.h"

namespace Petalwork {

void LevelSoundSink::PlaySound(BoardSound sound)
{
    if (player)
        player->PlaySound(static_cast<int32_t>(sound));
}

void LevelSoundSink::StopSound(BoardSound sound)
{
    if (player)
        player->StopSound(static_cast<int32_t>(sound));
}

void LevelSoundSink::SetSoundLooping(BoardSound sound, bool looping)
{
    if (player)
        player->SetSoundLooping(static_cast<int32_t>(sound), looping);
}

} // namespace Petalwork

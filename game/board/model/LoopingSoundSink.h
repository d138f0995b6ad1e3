#pragma once
// LoopingSoundSink: a SoundSink that can also stop a sound and switch its looping, for the parts whose
// sounds loop (the time warning, the after-bonus count). The level hands in the game's sound player
// behind it; tests record the calls.

#include "game/board/model/SoundSink.h"

namespace Petalwork {

class LoopingSoundSink : public SoundSink {
public:
    virtual void StopSound(BoardSound sound) = 0;
    virtual void SetSoundLooping(BoardSound sound, bool looping) = 0;
};

} // namespace Petalwork

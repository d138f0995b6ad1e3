#pragma once
// A LoopingSoundSink that records every call in order, for the board's tests.

#include "game/board/model/LoopingSoundSink.h"

#include <string>
#include <vector>

struct SoundRecorder : Petalwork::LoopingSoundSink {
    void PlaySound(Petalwork::BoardSound sound) override { calls.push_back("play " + Id(sound)); }
    void StopSound(Petalwork::BoardSound sound) override { calls.push_back("stop " + Id(sound)); }
    void SetSoundLooping(Petalwork::BoardSound sound, bool looping) override
    {
        calls.push_back((looping ? "loop " : "unloop ") + Id(sound));
    }

    static std::string Id(Petalwork::BoardSound sound) { return std::to_string(static_cast<int>(sound)); }
    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls)
            n += c == call;
        return n;
    }

    std::vector<std::string> calls;
};

// The sound audit: every sound of the data, decoded by the engine's own reader, peaks at its level
// (effects -1 dBFS, music -3 dBFS), a one-shot starts and ends in silence, and a looped sound wraps from
// its last sample into its first without a click.
#include "tools/databuild/DataBuild.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/sound/SoundFileReaderOGG.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace VantoranEngine;

namespace {

struct Decoded {
    uint32_t channels = 0;
    std::vector<int16_t> samples; // interleaved
    size_t Frames() const { return samples.size() / channels; }
};

Decoded Decode(MessageManager& log, MemoryManager& memory, FileManager& files, const DataBuild::SoundSpec& sound)
{
    SoundFileReaderOGG reader(&log, &memory, &files, std::string("audio\\") + sound.name + ".ogg", sound.music);
    Decoded decoded;
    decoded.channels = reader.channels;
    decoded.samples.resize(reader.size / 2);
    uint32_t at = 0, read = 0;
    bool end = false;
    while (!end && at < reader.size) {
        reader.Read(reinterpret_cast<char*>(decoded.samples.data()) + at, std::min(reader.size - at, 1u << 16), read, end);
        at += read;
        if (read == 0)
            break;
    }
    decoded.samples.resize(at / 2);
    return decoded;
}

double Decibels(double magnitude) { return 20 * std::log10(std::max(magnitude, 1.0) / 32768.0); }

// The largest magnitude over `count` frames from `first`, every channel.
int Largest(const Decoded& d, size_t first, size_t count)
{
    int largest = 0;
    for (size_t i = first * d.channels; i < (first + count) * d.channels; ++i)
        largest = std::max(largest, std::abs(static_cast<int>(d.samples[i])));
    return largest;
}

TEST(SoundAudit, LevelsEdgesAndLoopWraps)
{
    MessageManager log{"", "", "Test", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, BRINDLE_GAME_FOLDER, ""};

    for (const auto& sound : DataBuild::Sounds()) {
        SCOPED_TRACE(sound.name);
        const Decoded d = Decode(log, memory, files, sound);
        ASSERT_GT(d.Frames(), 441u);
        const int peak = Largest(d, 0, d.Frames());
        const double target = sound.music ? -3.0 : -1.0;
        EXPECT_NEAR(Decibels(peak), target, 0.6);

        if (sound.looped) {
            // Last sample into first: no larger than the steps the sound takes on either side of the wrap.
            const size_t frames = d.Frames(), near = 44;
            int wrap = 0, neighbours = 0;
            for (uint32_t c = 0; c < d.channels; ++c) {
                auto at = [&](size_t frame) { return static_cast<int>(d.samples[frame % frames * d.channels + c]); };
                wrap = std::max(wrap, std::abs(at(0) - at(frames - 1)));
                for (size_t i = frames - near; i < frames + near; ++i)
                    if (i != frames - 1)
                        neighbours = std::max(neighbours, std::abs(at(i + 1) - at(i)));
            }
            EXPECT_LE(wrap, neighbours * 3 / 2 + 32);
        } else {
            // The first and last half millisecond are near silence.
            EXPECT_LT(Largest(d, 0, 22), peak / 10);
            EXPECT_LT(Largest(d, d.Frames() - 22, 22), peak / 10);
        }
    }
}

} // namespace

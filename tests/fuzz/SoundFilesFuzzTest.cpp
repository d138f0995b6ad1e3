// Damaged sound files, WAV and Ogg: the readers on their own, reading every sample, and the sound
// manager playing them.

#include "DefaultData.h"
#include "FuzzRun.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundFileReaderOGG.h"
#include "engine/core/sound/SoundFileReaderWAV.h"
#include "engine/core/sound/SoundWorld.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VantoranEngine;
using Fuzz::Outcome;

namespace {

// Reads the whole sound in small pieces; fails the test when the reader promises more than a damaged
// file could ever hold.
std::vector<uint8_t> ReadAll(SoundFileReader& reader, uint32_t fileSize)
{
    std::vector<uint8_t> pcm;
    std::vector<uint8_t> piece(4096);
    // Vorbis packs about a tenth of PCM's size at most; far beyond that the reader runs on by itself.
    const size_t bound = 64u * fileSize + 1024 * 1024;
    bool end = false;
    while (!end) {
        uint32_t read = 0;
        reader.Read(piece.data(), static_cast<uint32_t>(piece.size()), read, end);
        EXPECT_LE(read, piece.size());
        pcm.insert(pcm.end(), piece.begin(), piece.begin() + std::min<size_t>(read, piece.size()));
        if (read == 0 && !end) {
            ADD_FAILURE() << "a read gave nothing without ending";
            break;
        }
        if (pcm.size() > bound) {
            ADD_FAILURE() << "the reader gave " << pcm.size() << " bytes from a file of " << fileSize;
            break;
        }
    }
    return pcm;
}

std::vector<uint8_t> Wav(const std::vector<uint8_t>& pcm, uint16_t channels, uint16_t bits, uint32_t rate)
{
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](uint16_t v) {
        out.push_back(static_cast<uint8_t>(v & 0xFF));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto tag = [&](const char* text) { out.insert(out.end(), text, text + 4); };
    tag("RIFF");
    u32(static_cast<uint32_t>(36 + pcm.size()));
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(channels);
    u32(rate);
    u32(rate * channels * bits / 8);
    u16(static_cast<uint16_t>(channels * bits / 8));
    u16(bits);
    tag("data");
    u32(static_cast<uint32_t>(pcm.size()));
    out.insert(out.end(), pcm.begin(), pcm.end());
    return out;
}

class SoundFilesFuzz : public ::testing::Test {
protected:
    bool LoggedError() const
    {
        for (const LogEntry& entry : world.log->GetEntries())
            if (entry.kind >= LogEntry::Error)
                return true;
        return false;
    }

    // Plays the sound for a few mixer frames through the sound manager, under a name of its own (the
    // manager keeps buffers by name).
    Outcome Play(const std::string& extension, const std::vector<uint8_t>& bytes)
    {
        const std::string name = "p" + std::to_string(serial++) + extension;
        world.Put(name, bytes);
        world.log->ClearEntries();
        Sound* sound = world.manager->CreateSound(name);
        const bool refused = LoggedError();
        if (sound) {
            world.manager->PlaySound(sound, true);
            for (int frame = 0; frame < 3; ++frame)
                world.Frame(2048);
            world.manager->DestroySound(sound);
        }
        world.Frame(16);
        std::filesystem::remove(world.folder + "/data/" + name);
        return refused || !sound ? Outcome::Refused : Outcome::Loaded;
    }

    std::vector<std::string> SmallOggs(size_t count) const { return Fuzz::DataFiles("audio/game", ".ogg", count, 12 * 1024); }

    SoundWorld world;
    int serial = 0;
};

TEST_F(SoundFilesFuzz, OggReader)
{
    const std::vector<std::string> names = SmallOggs(5);
    ASSERT_FALSE(names.empty());
    Fuzz::RunCases("ogg", Fuzz::ReadDataFiles(names), {3000, 7000}, [&](const std::vector<uint8_t>& bytes) {
        world.Put("f.ogg", bytes);
        SoundFileReaderOGG reader(world.log.get(), world.memory.get(), world.files.get(), "f.ogg", false);
        ReadAll(reader, static_cast<uint32_t>(bytes.size()));
        reader.Rewind();
        uint8_t piece[256];
        uint32_t read = 0;
        bool end = false;
        reader.Read(piece, sizeof piece, read, end);
        return Outcome::Loaded;
    });
}

TEST_F(SoundFilesFuzz, WavReader)
{
    // The default data holds no WAV: the default sounds' samples in the WAV variants the engine reads.
    std::vector<std::vector<uint8_t>> originals;
    for (const std::string& name : SmallOggs(2)) {
        SoundFileReaderOGG reader(world.log.get(), world.memory.get(), world.files.get(), Fuzz::DataFolder() + "/" + name, false);
        std::vector<uint8_t> pcm = ReadAll(reader, reader.file ? reader.file->size : 0);
        pcm.resize(std::min<size_t>(pcm.size(), 8192));
        originals.push_back(Wav(pcm, static_cast<uint16_t>(reader.channels), 16, reader.samplesPerSecond));
        std::vector<uint8_t> eightBit;
        for (size_t i = 1; i < pcm.size(); i += 2)
            eightBit.push_back(static_cast<uint8_t>(pcm[i] + 0x80));
        originals.push_back(Wav(eightBit, 1, 8, 22050));
    }
    ASSERT_FALSE(originals.empty());
    Fuzz::RunCases("wav", originals, {5000, 8000}, [&](const std::vector<uint8_t>& bytes) {
        world.Put("f.wav", bytes);
        SoundFileReaderWAV reader(world.log.get(), world.memory.get(), world.files.get(), "f.wav");
        ReadAll(reader, static_cast<uint32_t>(bytes.size()));
        reader.Rewind();
        ReadAll(reader, static_cast<uint32_t>(bytes.size()));
        return Outcome::Loaded;
    });
}

TEST_F(SoundFilesFuzz, SoundsPlayed)
{
    std::vector<std::vector<uint8_t>> oggs = Fuzz::ReadDataFiles(SmallOggs(3));
    ASSERT_FALSE(oggs.empty());
    Fuzz::RunCases("ogg played", oggs, {500, 9000},
                   [&](const std::vector<uint8_t>& bytes) { return Play(".ogg", bytes); });

    SoundFileReaderOGG reader(world.log.get(), world.memory.get(), world.files.get(),
                              Fuzz::DataFolder() + "/" + SmallOggs(1).front(), false);
    std::vector<uint8_t> pcm = ReadAll(reader, reader.file->size);
    pcm.resize(std::min<size_t>(pcm.size(), 8192));
    Fuzz::RunCases("wav played", {Wav(pcm, static_cast<uint16_t>(reader.channels), 16, reader.samplesPerSecond)},
                   {500, 9500}, [&](const std::vector<uint8_t>& bytes) { return Play(".wav", bytes); });
}

} // namespace
